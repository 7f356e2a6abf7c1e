#include "contestlog/contest_log_std.h"

#include <memory>

#include "common/messages.h"
#include "common/service.h"
#include "contest/window/arrange_controls.h"
#include "contest/window/window_ports.h"
#include "contestlog/column_places.h"
#include "contestlog/log_grids.h"
#include "platform/qt/application.h"
#include "platform/qt/handler_scope.h"
#include "ui/browser_page.h"
#include "ui/kv_form.h"
#include "ui/mouse_grid.h"
#include "ui/rounding.h"
#include "ui/winskal.h"

namespace contestlog {
namespace {

TContestLogStd* open_window = nullptr;

// A pass's progress window, and the hourglass while it runs; both go with the pass.
class PassProgress final : public contest::ProgressWindow {
 public:
  explicit PassProgress(std::unique_ptr<ui::TFortschrittWinCtrl> controller)
      : controller_(std::move(controller)),
        window_(*controller_),
        cursor_(platform::qt::Application().Cursor()) {
    platform::qt::Application().SetCursor(platform::qt::crHourGlass);
  }
  ~PassProgress() override { platform::qt::Application().SetCursor(cursor_); }
  PassProgress(const PassProgress&) = delete;
  PassProgress& operator=(const PassProgress&) = delete;

  void Step(const std::string& text, int position, int maximum, bool& cancelled) override {
    window_.Step(text, position, maximum, cancelled);
  }

 private:
  std::unique_ptr<ui::TFortschrittWinCtrl> controller_;
  contest::window::FortschrittProgress window_;
  platform::qt::TCursor cursor_;
};

constexpr int kSpreadAboveWidth = 800;
constexpr int kSpreadMargin = 20;
constexpr double kRowHeightFactor = 1.2;

}  // namespace

TContestLogStd::TContestLogStd(std::int32_t log_number, contest::TdbContest& catalogue,
                               contest::TdbContest& contest_data,
                               const contest::TContestRec& definition)
    : TContestLogDesign(nullptr), ContestLogCore(log_number, catalogue, contest_data, definition) {
  panelButtonsC->SetTop(0);
  OnShow = [this](platform::qt::TComponent*) { FormShow(); };
  OnCloseQuery = [this](platform::qt::TComponent*, bool& can_close) { FormCloseQuery(can_close); };
  OnResize = [this](platform::qt::TComponent*) { FormResize(); };
  BindChartEvents();
  FormCreate();
}

TContestLogStd::~TContestLogStd() {
  // Only when RunContestLog could not close it (an exception on the way): nothing may leave a
  // destructor, and the core closes what is still open without writing.
  try {
    FormDestroy();
  } catch (...) {
  }
}

void TContestLogStd::FormCreate() {
  SetScaled(ui::ToWinskal::FormScaled(*this));
  Service = std::make_unique<contest::TContLogAlle>();
  SetupForContest();
  BindEntryEvents();
  BindButtonEvents();
  BindControlEvents();
  radiounten->SetVisible(false);
  Brow->NoLayoutLine = true;
  BrowCluster->NoLayoutLine = true;
  AdjustLogRowHeight();
  WindowScaled = ui::ToWinskal::ScaleForm(*this);
  panelButtonsb->SetTop(panelButtonsa->Top());
  panelButtonsb->SetVisible(false);
  panelButtonsC->SetTop(panelButtonsa->Top() + panelButtonsa->Height());
  panelButtonsC->SetVisible(false);
}

void TContestLogStd::FormShow() {
  FormResize();
  platform::qt::Application().ProcessMessages();
  // The caller's place counts with the window frame, which is known only once the window shows:
  // placed again then.
  if (place_.has_value()) ui::PlaceForm(*this, *place_);
  if (Width() > ui::ScalePixels(*this, kSpreadAboveWidth, false)) {
    const int reach =
        ui::ScalePixels(*this, kSpreadMargin, false) + panelmulties->Left() + panelmulties->Width();
    contest::window::ArrangeControls(*panelEingabe,
                                     static_cast<double>(panelEingabe->Width()) / reach);
  }
  if (CallerForm != nullptr) CallerForm->SetVisible(false);
  for (int column = 0; column < Brow->GetGridColCount(); ++column) {
    const int width = ApplyGridColumns(column, *Brow, WindowScaled, *Catalogue, kLayoutCatalogue);
    if (width > 0) Brow->SetColWidth(column, width);
  }
  AdjustLogRowHeight();
  ShowScore();
}

void TContestLogStd::FormCloseQuery(bool& can_close) {
  StoreGridColumns(*Brow, kLayoutCatalogue, WindowScaled, *Catalogue);
  can_close = true;
}

void TContestLogStd::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  // Runs after the window's loop ended, outside its events: its pending messages and questions
  // hold the clock.
  const platform::qt::HandlerScope running(this);
  if (CallerForm != nullptr) CallerForm->SetVisible(true);
  platform::qt::Application().ProcessMessages();
  // Nothing is counted or renumbered from a log that cannot be read: the claim stored before
  // stays.
  bool counted = false;
  if (LogOpen() &&
      LogReadable("wird die Auswertung nicht neu berechnet; es bleibt die zuletzt gespeicherte.")) {
    counted = Recalculate();
    if (!LogTable->RepairDeclined()) RebuildDatabase(false);
  }
  CloseLog(counted);
}

void TContestLogStd::PlaceLikeCaller() {
  if (CallerForm == nullptr) return;
  if (CallerForm->WindowState() == platform::qt::TWindowState::wsMaximized) {
    SetLeft(0);
    SetTop(0);
    SetWindowState(platform::qt::TWindowState::wsMaximized);
  } else {
    SetWindowState(CallerForm->WindowState());
    SetBoundsRect(CallerForm->BoundsRect());
    place_ = CallerForm->BoundsRect();
  }
}

std::unique_ptr<contest::ProgressWindow> TContestLogStd::ShowProgress(const std::string& title,
                                                                      int maximum) {
  auto controller =
      std::make_unique<ui::TFortschrittWinCtrl>(this, title, "", maximum, false, true, false);
  controller->Show();
  return std::make_unique<PassProgress>(std::move(controller));
}

void TContestLogStd::LogFilesReplaced() { Brow->Refresh(); }

void TContestLogStd::AdjustLogRowHeight() {
  ui::TkvMouseGrid& grid = Brow->GetGrid();
  platform::qt::TCanvas& canvas = grid.Canvas();
  canvas.Font.SetName(grid.Font().Name());
  canvas.Font.SetSize(grid.Font().Size());
  canvas.Font.SetStyle(grid.Font().Style());
  grid.SetDefaultRowHeight(ui::RoundEven(canvas.TextHeight("X") * kRowHeightFactor));
}

void RunContestLog(platform::qt::TForm* caller, std::int32_t log_number,
                   const contest::TContestRec& definition, contest::TdbContest& catalogue,
                   contest::TdbContest& contest_data) {
  std::unique_ptr<TContestLogStd> window;
  try {
    window = std::make_unique<TContestLogStd>(log_number, catalogue, contest_data, definition);
  } catch (const ui::EConstructorInvalid& e) {
    // The operator refused a question while the log opened (a file locked by another station,
    // a repair not wanted now): the QSO list could not be made. Told, and back to the caller.
    common::Service<common::ToMessages>::Get().Fehler(e.what());
    return;
  }
  open_window = window.get();
  struct Forget {
    ~Forget() { open_window = nullptr; }
  } forget;
  window->CallerForm = caller;
  window->PlaceLikeCaller();
  window->ClearEntry();
  window->ShowModal();
  window->FormDestroy();
}

TContestLogStd* ContestLogStd() { return open_window; }

}  // namespace contestlog
