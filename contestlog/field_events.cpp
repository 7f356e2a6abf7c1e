// The log window's field events beyond the entry cycle: the call fields' keys, the blank in the
// exchange fields, the typed name and digital mode, the frequency's colour, the cluster line,
// the label colours under the mouse, and the grids' column widths and bars at a new size.
#include <array>
#include <string>

#include "common/string_helpers.h"
#include "contest/window/entry_helpers.h"
#include "contest/window/label_colours.h"
#include "contest/window/log_actions.h"
#include "contestlog/column_places.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_grids.h"
#include "contestlog/log_start.h"
#include "platform/qt/keys.h"

namespace contestlog {
namespace {

using platform::qt::TComponent;
using platform::qt::TShiftState;

constexpr int kModeLength = 6;
constexpr const char* kClusterCommand = "GRC ";

}  // namespace

void TContestLogStd::BindFieldEvents() {
  for (TkvEdit* field : {eCall, eCall2, emode}) {
    field->OnKeyPress = [this](TComponent* sender, char& key) {
      contest::window::CallKeyPress(*this, *static_cast<platform::qt::TWinControl*>(sender), key);
    };
  }
  for (TkvEdit* field : {eRSTr1, eRSTr2, eRSTr3, eRSTr4}) {
    field->OnKeyPress = [this](TComponent*, char& key) {
      if (key == ' ' && ContestCode(*Catalogue) != 'i') key = 0;
    };
  }
  for (TkvEdit* field : {eRSTs1, eRSTr1}) {
    field->OnMouseDown = [](TComponent* sender, platform::qt::TMouseButton, TShiftState, int,
                            int) { static_cast<TkvEdit*>(sender)->SelectAll(); };
  }
  eName->OnChange = [this](TComponent* sender) { eNameChange(sender); };
  emode->OnChange = [this](TComponent* sender) { emodeChange(sender); };
  eFreq->OnChange = [this](TComponent* sender) { eFreqChange(sender); };
  eclustertext->OnKeyDown = [this](TComponent*, std::uint16_t& key, TShiftState) {
    if (key != platform::qt::VK_ESCAPE) return;
    eclustertext->SetText(kClusterCommand);
    eclustertext->SetSelStart(static_cast<int>(eclustertext->Text().size()));
  };

  // Entering a field: its labels red, entry mode. The mouse over a field or a label: maroon.
  // A click on the QSL box gives the focus back to the field entered last (the click focuses the
  // box before its press is told).
  for (TkvEdit* field : EntryFields()) {
    field->OnEnter = [this](TComponent* sender) {
      contest::window::CallEnterColours(*this, *static_cast<platform::qt::TControl*>(sender));
      SetButtonMode(true);
      FocusBeforeQsl = static_cast<platform::qt::TWinControl*>(sender);
    };
    field->OnMouseMove = [this](TComponent* sender, TShiftState, int, int) {
      contest::window::CallMouseColours(*this, *static_cast<platform::qt::TControl*>(sender));
    };
  }
  for (platform::qt::TControl* control : panelEingabe->Controls()) {
    if (auto* label = dynamic_cast<TLabel*>(control)) {
      label->OnMouseMove = [this, label](TComponent*, TShiftState, int, int) {
        contest::window::LabelMouseColours(*this, *label);
      };
    }
  }
  // Off the entry panel the labels rest; over the side bar the maker's line is plain again.
  MenueBeenden->OnMouseMove = [this](TComponent*, TShiftState, int, int) {
    contest::window::SetFieldColours(*this);
  };
  Image2->OnMouseMove = [this](TComponent*, TShiftState, int, int) {
    contest::window::SetFieldColours(*this);
    lhersteller->Font().SetStyle(0);
  };
  // The maker's line: a link, underlined under the mouse.
  lhersteller->OnClick = [](TComponent*) { contest::window::OpenMakerPage(); };
  lhersteller->OnMouseMove = [this](TComponent*, TShiftState, int, int) {
    lhersteller->Font().SetStyle(platform::qt::fsUnderline);
  };

  // The cluster grid keeps its column widths in the settings.
  BrowCluster->OnBrowColWidths = [this](int column) {
    return ApplyGridColumns(column, *BrowCluster, WindowScaled, *Catalogue, kLayoutCluster);
  };
  BrowCluster->OnExit = [this](TComponent*) {
    StoreGridColumns(*BrowCluster, kLayoutCluster, WindowScaled, *Catalogue);
  };
  PanelUnten->OnResize = [this](TComponent*) {
    btnbeenden2->SetLeft(CheckBox1->Left());
    btnbeenden2->SetTop(btnAendern->Top());
  };
  for (TPanel* bar : {panelButtonsa, panelButtonsb}) {
    bar->OnResize = [this](TComponent* sender) { LineUpButtonBar(*static_cast<TPanel*>(sender)); };
  }
}

void TContestLogStd::eNameChange(TComponent* /*sender*/) {
  const std::string name = eName->GetStr();
  if (name.empty()) return;
  const bool listener = Definition.SWL != 0;
  const std::array<TkvEdit*, 3> received = listener ? std::array<TkvEdit*, 3>{eRSTs2, eRSTs3, eRSTs4}
                                                    : std::array<TkvEdit*, 3>{eRSTr2, eRSTr3, eRSTr4};
  NameChanging = true;
  for (std::size_t i = 0; i < received.size(); ++i) {
    if (Definition.ExchangeKindsRcvd[i] == kKindName) received[i]->SetStr(name);
  }
  NameChanging = false;
}

void TContestLogStd::emodeChange(TComponent* /*sender*/) {
  if (emode->Visible()) CurrentMode = common::LeftStr(emode->GetStr(), kModeLength);
}

void TContestLogStd::eFreqChange(TComponent* /*sender*/) {
  eFreq->Font().SetColor(CheckBandPlan() ? platform::qt::clNavy : platform::qt::clRed);
}

}  // namespace contestlog
