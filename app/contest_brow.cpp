#include "app/contest_brow.h"

#include <cmath>
#include <string>

#include "app/contest_brow_ctrl.h"
#include "app/contest_brow_pictures.h"
#include "app/help_page.h"
#include "common/lang_text.h"
#include "common/messages.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "platform/qt/string_grid.h"
#include "platform/qt/tool_bar.h"
#include "storage/tables/db_functions.h"
#include "ui/layout.h"
#include "ui/mouse_grid.h"
#include "ui/scheme_window.h"
#include "ui/winskal.h"

namespace app {

using common::Service;
using platform::qt::Application;

TContestBrow* ContestBrow = nullptr;

TContestBrow::TContestBrow(platform::qt::TComponent* owner, RunOutcome& outcome)
    : ui::TkvForm(owner), outcome_(outcome) {
  ContestBrow = this;  // the setup form of a first start already reads the definition through it
  BuildControls();
  WireEvents();
  FormCreate();
}

TContestBrow::~TContestBrow() {
  FormDestroy();
  ContestBrow = nullptr;
}

// --- start-up ---

void TContestBrow::FormCreate() {
  SetScaled(ui::ToWinskal::FormScaled(*this));
  new ui::TFormBildressourcen(this);
  Application().OnHelp = [this](int command, std::intptr_t data) {
    return AppHelp(command, data);
  };
  lworked->SetVisible(false);
  imgtitel_->SetVisible(false);
  imglinks->SetVisible(false);

  contest::TContestFkt& fkt = Service<contest::TContestFkt>::Get();
  std::string caption;
  std::string title_picture;
  fkt.EditionInfo(edition_code_, caption, maker_text_, title_picture);
  SetCaption(caption);
  RegisterTitlePicture(title_picture);
  imgtitel_->SetPicture(Application().Pictures().Get(title_picture));
  std::string title;
  std::string picture;
  fkt.ContestTitleAndPicture(edition_code_, title, picture);
  if (!title.empty()) {
    lworked->SetCaption(title);
    lworked->Font().SetSize(ui::ScalePixels(*this, 12, true));
    lworked->SetVisible(true);
  }
  if (!picture.empty() && imglinks->LoadFromFile(picture)) {
    imglinks->SetStretch(false);
    imglinks->SetVisible(true);
  }
  imglinks->SetAutoSize(false);
  imglinks->SetStretch(true);
  SetColor(ui::ToLayout::Settings().form_colour);

  if (!StartFileManager()) return;
  MenueBeenden->SetCaption(common::LangText("    Beenden", "    Finish"));
  for (platform::qt::TLabel* label : {lUtils, lCall}) {
    label->SetCaption("");
    label->SetWidth(0);
  }
  SetLeft(0);
  SetTop(0);
  btnKopiepx4->SetVisible(false);
  if (!CreateController()) return;
  imgtitels->SetCaption(ctrl_->Definition().EditionName);
  StyleWindow();

  if (ctrl_->Catalogue().UsedRecs() == 0) {
    // A first start leads straight into the setup form of a new log.
    Show();
    Application().ProcessMessages();
    btnNeupx4->Click();
  }
}

bool TContestBrow::StartFileManager() {
  if (Service<storage::ToDBFkt>::Get().InitDatabase()) return true;
  Halt();
  return false;
}

bool TContestBrow::CreateController() {
  try {
    ctrl_ = std::make_unique<TContestBrowCtrl>(Brow, edition_code_, this, this, 2);
  } catch (const ProgramHalt&) {
    Halt();
    return false;
  }
  ctrl_->RebuildSortlist();
  // The grid read its first page while the controller was being made, before the window held
  // it: the page is read again, around the newest log. (The page's rebuild flag is no way to
  // do that: while it is set the grid ignores every mouse press, and a click would leave the
  // current log where it was.)
  Brow->Refresh();
  Brow->NoLayoutLine = true;
  return true;
}

void TContestBrow::Halt() {
  halted_ = true;
  outcome_.exit_code = 1;
}

void TContestBrow::StyleWindow() {
  const logbook::ToSetupLayout layout = ui::ToLayout::Settings();
  const platform::qt::TColor list_colour = layout.list_colours[1];
  for (platform::qt::TControl* control :
       {static_cast<platform::qt::TControl*>(Brow->GridPanel()),
        static_cast<platform::qt::TControl*>(PanelUnten),
        static_cast<platform::qt::TControl*>(Brow->ToolBar()),
        static_cast<platform::qt::TControl*>(panelContest)}) {
    if (control != nullptr) control->SetColor(list_colour);
  }
  ui::ApplyColourScheme(*this, Image2, lhersteller);
  StyleGrid();
  ui::ToLayout::Sortierleiste(*Brow);
  ui::ToWinskal::ScaleForm(*this);

  // The browser scales the font; the row follows the font as the screen shows it.
  Brow->SetGridFont("Arial", 9, {}, 1.0);
  ui::TkvMouseGrid& grid = Brow->GetGrid();
  grid.SetDefaultRowHeight(
      static_cast<int>(std::lround(grid.Canvas().TextHeight("X") * ui::kGridRowHeightFactor)));

  panelbuttonsPx4->SetVisible(true);
  ColourButtonCaptions(*panelbuttonsPx4);
  PanelDXOben->SetVisible(false);
  lhersteller->SetCaption(maker_text_);
  for (platform::qt::TControl* control :
       {static_cast<platform::qt::TControl*>(btnweitere),
        static_cast<platform::qt::TControl*>(lhinweisupdate),
        static_cast<platform::qt::TControl*>(lhinweisupdate2)}) {
    control->SetVisible(true);
  }
}

void TContestBrow::StyleGrid() {
  SetActiveControl(&Brow->GetGrid());
  panelContest->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  PanelUnten->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  Brow->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  Brow->SetGridBorderStyle(platform::qt::TBorderStyle::bsNone);
  if (Brow->ToolBar() != nullptr) {
    Brow->ToolBar()->SetHeight(ui::ScalePixels(*this, 20, false));
    if (Brow->ToolBar()->Parent() != nullptr) {
      Brow->ToolBar()->SetColor(Brow->ToolBar()->Parent()->Color());
    }
  }
  PanelUnten->SetHeight(btnHilfePx4->Height() + ui::ScalePixels(*this, 6, false));
  PanelUntenResize();
  panelbuttonsPx4->SetTop(ui::ScalePixels(*this, 2, false));
  panelbuttonsPx4->SetLeft(0);
}

// --- the other window events ---

void TContestBrow::FormShow() {
  if (caller_form_ != nullptr) caller_form_->Hide();
  FormResize();
}

void TContestBrow::FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift) {
  if (key == platform::qt::VK_RETURN || key == platform::qt::VK_F10) {
    key = 0;
    btnAendernPx4->Click();
  } else if (key == platform::qt::VK_ESCAPE) {
    key = 0;
    if (Service<common::ToMessages>::Get().JaNeinFrage("", "", "Programm beenden?", true)) Close();
  }
  // The list's own keys (page, search, delete) reach it while one of its parts has the focus.
  platform::qt::TWinControl* active = ActiveControl();
  for (platform::qt::TComponent* component : Components()) {
    auto* browser = dynamic_cast<ui::TkvBrow*>(component);
    if (browser == nullptr || active == nullptr || key == 0) continue;
    if (active->Owner() == browser) browser->KeyDown(key, shift);
  }
}

void TContestBrow::FormCloseQuery(bool& can_close) {
  can_close = !busy_;
  if (busy_) cancel_request_ = true;
}

void TContestBrow::FormDestroy() {
  common::SetLanguageByte(common::kLanguageGerman);
  if (ctrl_ != nullptr) {
    // The list pages through the controller's catalogue: it goes first.
    delete Brow;
    Brow = nullptr;
    if (!ctrl_->CloseDatabases()) outcome_.exit_code = 1;
    ctrl_.reset();
  }
  if (caller_form_ != nullptr) caller_form_->Show();
}

// --- the log roads ---

void TContestBrow::StartAndReview(std::int32_t ref) {
  ctrl_->StartLog(ref);
  ctrl_->ReviewLog();
  // The row shows what the log window and the review saved.
  Brow->GotoDatensatz(ref, 1, 1);
}

void TContestBrow::btnNeupx3Click() {
  if (ctrl_ == nullptr) return;
  const std::int32_t number = ctrl_->NewLog();
  Brow->GotoDatensatz(0, 1, 1);
  if (number <= 0 || !ctrl_->Catalogue().FindByNummer(number)) return;
  const std::int32_t ref = ctrl_->Catalogue().CurrentRef();
  Brow->GotoDatensatz(ref, 1, 1);
  StartAndReview(ref);
}

void TContestBrow::btnAendernPx3Click() {
  if (ctrl_ == nullptr || !Brow->IsRowValid()) return;
  const std::int32_t ref = Brow->GetDatensatzRef();
  const bool start = ctrl_->ChangeLog(ref);
  Brow->GotoDatensatz(ref, 1, 1);
  if (start) StartAndReview(ref);
}

void TContestBrow::btnStartClick() {
  if (ctrl_ == nullptr || !Brow->IsRowValid()) return;
  ctrl_->StartLog(Brow->GetDatensatzRef());
}

void TContestBrow::btnLoeschenPx3Click() {
  if (ctrl_ == nullptr || !Brow->IsRowValid()) return;
  ctrl_->DeleteLog(Brow->GetDatensatzRef());
  Brow->GotoDatensatz(0, 1, 1);
}

bool TContestBrow::BrowBefore_Loesch() {
  btnLoeschenPx3Click();
  return false;
}

// --- help, the maker, further programs ---

void TContestBrow::btnHilfePx3Click() {
  Application().HelpCommand(platform::qt::HELP_CONTEXT, 1);
}

bool TContestBrow::AppHelp(int command, std::intptr_t data) {
  if (command != platform::qt::HELP_CONTEXT) return false;
  if (!ShowHelpPage(data)) {
    Service<common::ToMessages>::Get().Fehler(kHelpNotOpened);
  }
  return true;
}

void TContestBrow::btnweitereClick() {
  if (ctrl_ != nullptr) ctrl_->ShowMorePrograms();
}

void TContestBrow::MakerClick() { Service<contest::TContestFkt>::Get().OpenMakerPage(); }

}  // namespace app
