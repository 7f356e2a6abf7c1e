#include "ui/layout.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/settings/setup_defaults.h"
#include "platform/qt/check_box.h"
#include "platform/qt/edit.h"
#include "platform/qt/group_box.h"
#include "platform/qt/label.h"
#include "platform/qt/list_box.h"
#include "platform/qt/memo.h"
#include "platform/qt/panel.h"
#include "ui/bit_btn.h"
#include "ui/browser.h"
#include "ui/gradient.h"
#include "ui/grafik.h"
#include "ui/rounding.h"
#include "ui/sap_button.h"
#include "ui/text_file_viewer.h"
#include "ui/winskal.h"

namespace ui {
namespace {

using platform::qt::TComponent;
using platform::qt::TControl;
using platform::qt::TLabel;
using platform::qt::TPanel;

// The colours and font of one styling pass, read from the settings once at its start.
struct Look {
  TColor window;      // form background; base of caption texts
  TColor highlight;   // old-look caption strip, caption bar gradient
  TColor panel;       // content and caption-area panels
  TColor panel_text;  // font of the content panel
  TColor button;      // fill of the flat buttons
  std::string font_name;
  bool new_look;
};

Look ReadLook() {
  const logbook::ToSetupLayout s = ToLayout::Settings();
  return {s.panel_colour,     s.list_colours[0],     s.list_colours[1],
          s.list_colours[2],  s.list_colours[3],     s.font_name.str(),
          s.layout_variant_switch > 0};
}

int Scaled(TkvForm& form, int value) { return ToWinskal::ScaleForForm(value, form, false); }
int ScaledFontSize(TkvForm& form, int size) { return ToWinskal::ScaleForForm(size, form, true); }

// Controls whose own font (ParentFont off) grows with the dialog font; the others follow the form.
bool FontFollowsLayout(TControl& c) {
  return dynamic_cast<platform::qt::TRadioButton*>(&c) != nullptr ||
         dynamic_cast<platform::qt::TCustomLabel*>(&c) != nullptr ||
         dynamic_cast<platform::qt::TEdit*>(&c) != nullptr ||
         dynamic_cast<platform::qt::TGroupBox*>(&c) != nullptr ||
         dynamic_cast<platform::qt::TListBox*>(&c) != nullptr ||
         dynamic_cast<platform::qt::TCustomMemo*>(&c) != nullptr ||
         dynamic_cast<platform::qt::TCheckBox*>(&c) != nullptr ||
         dynamic_cast<TKvTextFileViewer*>(&c) != nullptr ||
         dynamic_cast<TPanel*>(&c) != nullptr;
}

// Column widths follow the font factor; the rows are as high as an "X" of the grid's font and
// the row-height factor, whatever the size.
template <typename Scale>
void LayOutGrid(platform::qt::TStringGrid& grid, bool changed, const Scale& scale) {
  if (changed) {
    for (int col = 0; col < grid.ColCount(); ++col) {
      grid.SetColWidths(col, scale(grid.ColWidths(col)));
    }
  }
  grid.Canvas().Font.SetName(grid.Font().Name());
  grid.Canvas().Font.SetSize(grid.Font().Size());
  grid.SetDefaultRowHeight(RoundEven(grid.Canvas().TextHeight("X") * kGridRowHeightFactor));
}

void ReplaceArial(TControl& c, const Look& look) {
  if (c.Font().Name() == "Arial") c.Font().SetName(look.font_name);
}

void ShapeSecondaryCaption(TkvForm& form, TPanel& panel, const Look& look) {
  panel.SetParentColor(true);
  panel.SetBorderStyle(platform::qt::TBorderStyle::bsNone);
  panel.SetBorderWidth(0);
  panel.Font().SetColor(ToGrafik::FarbeAbstufen(look.window, -60));
  const int indent = Scaled(form, 15);
  if (indent > panel.Left()) {
    panel.SetBounds(indent, panel.Top(), panel.Width() - (indent - panel.Left()), panel.Height());
  }
  for (TControl* child : panel.Controls()) {
    auto* label = dynamic_cast<TLabel*>(child);
    if (label == nullptr) continue;
    label->SetAlign(platform::qt::TAlign::alLeft);
    label->Font().SetSize(ScaledFontSize(form, 13));
    label->Font().SetStyle(0);
    panel.SetHeight(panel.Height() + Scaled(form, 10));
    break;
  }
}

TSRGradient* AddBand(TkvForm& form, TPanel& panel, platform::qt::TAlign align, int height,
                     TColor start, TColor end) {
  auto* band = new TSRGradient(&form);
  band->SetParent(&panel);
  band->SetAlign(align);
  band->SetBuffered(true);
  band->SetDirection(TGradDirection::gdDownRight);
  band->SetStepWidth(1);
  band->SetStyle(TGradStyle::gsVertical);
  band->SetHeight(Scaled(form, height));
  band->SetEndColor(end);
  band->SetStartColor(start);
  return band;
}

// The title: "lCaption1", else the label of the first sub-panel that has a captioned one, else
// the form's caption (which is then emptied, so the title shows only in the bar).
std::string CaptionBarTitle(TkvForm& form, TPanel& panel) {
  if (auto* caption = dynamic_cast<TControl*>(form.FindComponent("lCaption1"))) {
    if (!caption->Caption().empty()) return caption->Caption();
  }
  for (TControl* child : panel.Controls()) {
    auto* sub = dynamic_cast<TPanel*>(child);
    if (sub == nullptr || sub->Controls().empty()) continue;
    auto* label = dynamic_cast<TLabel*>(sub->Controls().front());
    if (label != nullptr && !label->Caption().empty()) return label->Caption();
  }
  return form.Caption();
}

void BuildCaptionBar(TkvForm& form, TPanel& panel, const Look& look) {
  for (TControl* child : panel.Controls()) {
    if (dynamic_cast<TLabel*>(child) != nullptr || dynamic_cast<TPanel*>(child) != nullptr ||
        dynamic_cast<TSRGradient*>(child) != nullptr) {
      child->Hide();
    }
  }
  panel.SetAlign(platform::qt::TAlign::alTop);
  panel.SetHeight(Scaled(form, 40));
  panel.SetBevelInner(platform::qt::TBevelCut::bvNone);
  panel.SetBevelOuter(platform::qt::TBevelCut::bvNone);
  panel.SetBorderStyle(platform::qt::TBorderStyle::bsNone);

  TSRGradient* upper = AddBand(form, panel, platform::qt::TAlign::alTop, 13,
                               ToGrafik::FarbeAbstufen(look.highlight, 80),
                               ToGrafik::FarbeAbstufen(look.highlight, 25));
  upper->SetTop(ScalePixels(form, 10, false));
  const TColor flat = ToGrafik::FarbeAbstufen(look.highlight, 40);
  AddBand(form, panel, platform::qt::TAlign::alClient, 26, flat, flat);

  auto* title = new TLabel(&form);
  title->SetParent(&panel);
  title->SetTransparent(true);
  title->SetCaption(CaptionBarTitle(form, panel));
  form.SetCaption("");
  title->SetLeft(Scaled(form, 16));
  title->SetTop(Scaled(form, 8));
  title->Font().SetSize(ScaledFontSize(form, 14));
  title->Font().SetStyle(0);
  title->Font().SetName("Arial");
  TColor colour = ToGrafik::KontrastFarbe(panel.Color());
  if (colour == common::clBlack) colour = ToGrafik::FarbeAbstufen(common::clBlack, 10);
  title->Font().SetColor(colour);
}

void StylePanel(TkvForm& form, TPanel& panel, const Look& look) {
  ReplaceArial(panel, look);
  const std::string& name = panel.Name();
  const std::string lower = common::LowerCase(name);
  if (name == "panelAllgemein") {
    panel.SetColor(look.panel);
    panel.Font().SetColor(look.panel_text);
    panel.SetParentFont(false);
    if (look.new_look) panel.SetAlign(platform::qt::TAlign::alClient);
    panel.Update();
  } else if (name == "panelCaption2" || (panel.Tag() == kSecondaryCaptionTag && look.new_look)) {
    const TColor colour = ToGrafik::FarbeAbstufen(look.panel, -10);
    panel.SetColor(colour);
    panel.Font().SetColor(ToGrafik::KontrastFarbe(colour));
    if (look.new_look) ShapeSecondaryCaption(form, panel, look);
    panel.Update();
  } else if (name == "panelCaptions") {
    panel.SetColor(look.panel);
    if (look.new_look) panel.SetAlign(platform::qt::TAlign::alTop);
  } else if (name == "panelCaption") {
    if (look.new_look) BuildCaptionBar(form, panel, look);
  } else if (name == "panelCaption1") {
    panel.SetColor(look.highlight);
    if (look.new_look) panel.Hide();
  } else if (lower == "panelbuttonspx3") {
    panel.Hide();
  } else if (lower == "panelbuttonspx4") {
    panel.SetAlign(platform::qt::TAlign::alBottom);
    panel.Show();
    panel.SetParentFont(false);
    const int minimum = ScalePixels(form, 57, false);
    if (look.new_look && minimum > panel.Height()) panel.SetHeight(minimum);
  }
}

void StyleLabel(TLabel& label, const Look& look) {
  ReplaceArial(label, look);
  if (label.Name() == "lCaption1") label.Font().SetColor(ToGrafik::KontrastFarbe(look.highlight));
  auto* parent = dynamic_cast<TPanel*>(label.Parent());
  if (parent != nullptr && parent->Tag() == kSecondaryCaptionTag && look.new_look) {
    label.Font().SetColor(ToGrafik::FarbeAbstufen(look.window, -60));
    label.SetLeft(0);
  }
}

void SetButtonsOff(platform::qt::TWinControl& container, bool off) {
  const auto set = [off](TComponent* c) {
    if (auto* button = dynamic_cast<TkvBitBtn*>(c)) button->SetkvDeaktiviert(off);
  };
  if (dynamic_cast<TPanel*>(&container) == nullptr) {
    for (TComponent* c : container.Components()) set(c);
    return;
  }
  for (TControl* child : container.Controls()) {
    set(child);
    if (auto* panel = dynamic_cast<TPanel*>(child)) {
      for (TControl* grandchild : panel->Controls()) set(grandchild);
    }
  }
}

}  // namespace

logbook::ToSetupLayout ToLayout::Settings() {
  if (!common::Service<logbook::ToSetups>::Exists()) return logbook::DefaultSetupLayout();
  return common::Service<logbook::ToSetups>::Get().GetLayout();
}

common::GridColours ToLayout::GridColours() {
  return common::Service<common::GridColours>::Exists()
             ? common::Service<common::GridColours>::Get()
             : common::GridColours{};
}

bool ToLayout::StyleListenfenster(TkvForm& form) {
  const Look look = ReadLook();
  form.SetColor(look.window);
  form.Font().SetName(look.font_name);
  form.Font().SetColor(ToGrafik::KontrastFarbe(look.window));
  // The caption bar adds components to the form; they are not styled again.
  const std::vector<TComponent*> components = form.Components();
  for (TComponent* c : components) {
    if (auto* panel = dynamic_cast<TPanel*>(c)) {
      StylePanel(form, *panel, look);
    } else if (auto* label = dynamic_cast<TLabel*>(c)) {
      StyleLabel(*label, look);
    } else if (auto* button = dynamic_cast<TSAPBtn*>(c)) {
      button->SetFillColor(look.button);
    }
  }
  return FormLayout(form);
}

bool ToLayout::FormLayout(TkvForm& form) {
  const logbook::ToSetupLayout s = Settings();
  // A size of 0 (never stored: the load skips it) would shrink the window to nothing.
  const int size = s.font_size > 0 ? s.font_size : kDesignFontSize;
  form.Font().SetSize(size);
  form.Canvas().Font.SetSize(size);
  const bool changed = form.Font().Size() != kDesignFontSize;
  const double factor = static_cast<double>(size) / kDesignFontSize;
  form.Font().SetName(s.font_name.str());
  form.Canvas().Font.SetName(s.font_name.str());
  const auto scale = [factor](int value) { return RoundEven(value * factor); };
  if (changed) form.SetClientSize(scale(form.ClientWidth()), scale(form.ClientHeight()));

  const std::vector<TComponent*> components = form.Components();
  for (TComponent* component : components) {
    auto* c = dynamic_cast<TControl*>(component);
    if (c == nullptr) continue;
    if (changed) {
      c->SetBounds(scale(c->Left()), scale(c->Top()), scale(c->Width()), scale(c->Height()));
      if (!c->ParentFont() && FontFollowsLayout(*c)) c->Font().SetSize(scale(c->Font().Size()));
    }
    auto* button = dynamic_cast<TkvBitBtn*>(c);
    if (button != nullptr && button->Margin() > 0 && factor > 1.2) {
      button->SetMargin((button->Font().Size() - kDesignFontSize) * 3);
    }
    if (auto* grid = dynamic_cast<platform::qt::TStringGrid*>(c)) LayOutGrid(*grid, changed, scale);
  }

  if (form.BorderStyle() == platform::qt::TFormBorderStyle::bsSizeable) {
    form.SetWidth(std::min(form.Width(), TScreenSS::VirtualWidth() - 50));
    form.SetHeight(std::min(form.Height(), TScreenSS::VirtualHeight() - 50));
  }
  return ToWinskal::ScaleForm(form);
}

void ToLayout::EnableButtons(platform::qt::TWinControl& container,
                             platform::qt::TWinControl* focus) {
  SetButtonsOff(container, false);
  if (focus == nullptr || !focus->CanFocus()) return;
  if (platform::qt::TForm* form = focus->ParentForm()) form->SetActiveControl(focus);
}

void ToLayout::DisableButtons(platform::qt::TWinControl& container, TkvBrow* browser) {
  if (browser != nullptr) browser->UpdateEditButton(false);
  SetButtonsOff(container, true);
}

}  // namespace ui
