#include "platform/qt/form.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/handler_scope.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/keys.h"
#include "platform/qt/timer.h"

namespace platform::qt {
namespace {

QMargins FrameOf(const QWidget* widget) {
  if (widget == nullptr || widget->windowHandle() == nullptr) return {};
  return widget->windowHandle()->frameMargins();
}

// The frame the window system gave the last framed window of each border style: what a form not
// framed yet counts with.
TRect& FrameSeen(TFormBorderStyle style) {
  static std::array<TRect, static_cast<std::size_t>(TFormBorderStyle::bsSizeToolWin) + 1> frames{};
  return frames[static_cast<std::size_t>(style)];
}

// A form's Left and Top are the place of its frame. The window is moved by its frame, never by
// its client area: before its first showing the frame is not known yet, and a client area put
// at the place would leave the title bar above it, at (0,0) off the screen.
void PlaceWindow(QWidget& w, int left, int top, int client_width, int client_height) {
  if (w.size() != QSize(client_width, client_height)) w.resize(client_width, client_height);
  if (w.pos() != QPoint(left, top) || !w.testAttribute(Qt::WA_Moved)) w.move(left, top);
}

bool Sizeable(TFormBorderStyle style) {
  return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

// The default or cancel button of the form that can take the click, or null.
TButton* FindButton(const TWinControl& parent, bool cancel) {
  for (TControl* c : parent.Controls()) {
    if (auto* b = dynamic_cast<TButton*>(c);
        b != nullptr && (cancel ? b->Cancel() : b->Default()) && b->Showing() && b->Enabled()) {
      return b;
    }
    if (c->IsWindowed()) {
      if (TButton* b = FindButton(*static_cast<TWinControl*>(c), cancel)) return b;
    }
  }
  return nullptr;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisibleFlag(false);
  SetColor(0x8000000F);  // clBtnFace
  SetParentFont(false);
  SetParentShowHint(false);
  SetBounds(0, 0, 320, 240);
  AttachWindow(impl::MakeHost<QWidget>(*this, impl::PaintMode::kCanvas));
  Window().widget->setAttribute(Qt::WA_DeleteOnClose, false);
  PlaceFrame(Left(), Top(), FrameSeen(border_style_));
  Application().AddForm(this);
}

TForm::~TForm() {
  BeginDestroy();
  if (OnDestroy) OnDestroy(this);
  if (ApplicationExists()) Application().RemoveForm(this);
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (released_ && visible) return;
  if (visible) {
    ShowWindow();
  } else {
    HideWindow();
  }
}

void TForm::ShowWindow() {
  DoShow();
  if (released_) return;
  SetVisibleFlag(true);
  PlaceByPosition();
  ApplyWindowFlags();
  QWidget* w = Window().widget;
  PlaceWindow(*w, Left(), Top(), ClientWidth(), ClientHeight());
  typed_ahead_.Shown();  // visible once the window system exposes the window
  showing_window_ = true;
  switch (window_state_) {
    case TWindowState::wsMaximized:
      w->showMaximized();
      break;
    case TWindowState::wsMinimized:
      w->showMinimized();
      break;
    default:
      w->show();
      break;
  }
  showing_window_ = false;
  // Where the window system frames a window as it shows it, the frame counts from now on.
  FollowFrame(Left(), Top());
  w->activateWindow();
  w->raise();
  FocusFirstControl();
}

void TForm::HideWindow() {
  DoHide();
  SetVisibleFlag(false);
  if (Window().widget) Window().widget->hide();
}

void TForm::FocusFirstControl() {
  TWinControl* target = active_control_;
  if (target == nullptr || !target->CanFocus()) target = FindNextControl(nullptr, true, true);
  if (target != nullptr && target->CanFocus()) {
    active_control_ = nullptr;  // entering it fires OnEnter
    target->SetFocus();
  }
}

void TForm::ApplyWindowFlags() {
  QWidget* w = Window().widget;
  Qt::WindowFlags flags = Qt::Window;
  switch (border_style_) {
    case TFormBorderStyle::bsNone:
      flags |= Qt::FramelessWindowHint;
      break;
    case TFormBorderStyle::bsDialog:
      flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
      flags = Qt::Tool;
      break;
    default:
      break;
  }
  if (form_style_ == TFormStyle::fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (w->windowFlags() != flags) w->setWindowFlags(flags);
  if (Sizeable(border_style_)) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    w->setFixedSize(ClientWidth(), ClientHeight());
  }
  w->setWindowModality(IsModal() ? Qt::ApplicationModal : Qt::NonModal);
  w->setWindowTitle(impl::ToQString(Text()));
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  border_style_ = style;
  if (Visible()) {
    ApplyWindowFlags();
    Window().widget->show();
  } else {
    PlaceFrame(Left(), Top(), FrameSeen(style));
  }
}

void TForm::SetFormStyle(TFormStyle style) {
  form_style_ = style;
  if (Visible()) {
    ApplyWindowFlags();
    Window().widget->show();
  }
}

void TForm::SetMinClientSize(int width, int height) {
  min_client_width_ = std::max(width, 0);
  min_client_height_ = std::max(height, 0);
  Window().widget->setMinimumSize(min_client_width_, min_client_height_);
  SetBounds(Left(), Top(), Width(), Height());
}

void TForm::SetBounds(int left, int top, int width, int height) {
  if (min_client_width_ > 0) {
    width = std::max(width, min_client_width_ + frame_.Left + frame_.Right);
  }
  if (min_client_height_ > 0) {
    height = std::max(height, min_client_height_ + frame_.Top + frame_.Bottom);
  }
  TWinControl::SetBounds(left, top, width, height);
}

void TForm::SetWindowState(TWindowState state) {
  window_state_ = state;
  if (!Visible()) return;
  QWidget* w = Window().widget;
  switch (state) {
    case TWindowState::wsMaximized:
      w->showMaximized();
      break;
    case TWindowState::wsMinimized:
      w->showMinimized();
      break;
    default:
      w->showNormal();
      break;
  }
}

void TForm::PlaceByPosition() {
  TForm* centre_on = nullptr;
  switch (position_) {
    case TPosition::poMainFormCenter:
      centre_on = Application().MainForm();
      break;
    case TPosition::poOwnerFormCenter:
      centre_on = dynamic_cast<TForm*>(Owner());
      break;
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
      break;
    default:
      return;
  }
  TRect area{0, 0, Application().Screen().ScreenWidth(), Application().Screen().ScreenHeight()};
  if (centre_on != nullptr && centre_on != this && centre_on->Visible()) {
    area = centre_on->BoundsRect();
  }
  SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
            Width(), Height());
}

TRect TForm::ClientRect() const {
  return {0, 0, Width() - frame_.Left - frame_.Right, Height() - frame_.Top - frame_.Bottom};
}

void TForm::PlaceFrame(int left, int top, const TRect& frame) {
  const int client_width = ClientWidth();
  const int client_height = ClientHeight();
  frame_ = frame;
  // The client area keeps its size: no resize for the form's handlers.
  placing_frame_ = true;
  SetBounds(left, top, client_width + frame.Left + frame.Right,
            client_height + frame.Top + frame.Bottom);
  placing_frame_ = false;
}

void TForm::Resize() {
  if (!placing_frame_) TWinControl::Resize();
}

void TForm::FollowFrame(int left, int top) {
  const QMargins shown = FrameOf(Window().widget);
  // No frame is no answer yet: a window manager frames a window some time after it showed.
  if (shown.isNull()) {
    PlaceFrame(left, top, frame_);
    return;
  }
  FrameSeen(border_style_) = {shown.left(), shown.top(), shown.right(), shown.bottom()};
  PlaceFrame(left, top, FrameSeen(border_style_));
}

void TForm::BoundsChanged() {
  if (QWidget* w = HasWindow() ? Window().widget.data() : nullptr;
      w != nullptr && !showing_window_) {
    if (!Sizeable(border_style_)) w->setFixedSize(ClientWidth(), ClientHeight());
    PlaceWindow(*w, Left(), Top(), ClientWidth(), ClientHeight());
  }
  LayoutAfterResize();
}

void TForm::WindowResized(int client_width, int client_height) {
  if (client_width == ClientWidth() && client_height == ClientHeight()) return;
  SetClientSize(client_width, client_height);
}

// The operator moved the window (or the window manager placed and framed it): Left and Top
// follow its frame, so that a place the program remembers is where the window was last seen; the
// window keeps its client size.
void TForm::WindowMoved(int frame_left, int frame_top) {
  if (showing_window_ || !Visible()) return;
  FollowFrame(frame_left, frame_top);
}

void TForm::ChangeScale(int m, int d) {
  const int width = MulDiv(ClientWidth(), m, d);
  const int height = MulDiv(ClientHeight(), m, d);
  DisableAlign();
  // The base scales the font, the bounds and the children; the form keeps its place and takes
  // the scaled client size.
  const int left = Left();
  const int top = Top();
  TWinControl::ChangeScale(m, d);
  SetBounds(left, top, Width(), Height());
  SetClientSize(width, height);
  EnableAlign();
}

void TForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TForm::TextChangedHook() {
  if (HasWindow() && Window().widget) Window().widget->setWindowTitle(impl::ToQString(Text()));
}

bool TForm::Active() const { return Window().widget && Window().widget->isActiveWindow(); }

void TForm::SetActiveControl(TWinControl* control) {
  if (control != nullptr && Visible() && control->CanFocus()) {
    control->SetFocus();
  } else {
    active_control_ = control;
  }
}

void TForm::ControlRemoved(TControl* control) {
  if (active_control_ != nullptr &&
      (active_control_ == control ||
       (control->IsWindowed() &&
        static_cast<TWinControl*>(control)->ContainsControl(active_control_)))) {
    active_control_ = nullptr;
  }
}

void TForm::FocusMoved(TWinControl* to) {
  if (to == active_control_ || to == this) return;
  if (exiting_) {
    // A handler of the exit moved the focus on; the enter below goes there.
    active_control_ = to;
    return;
  }
  TWinControl* from = active_control_;
  active_control_ = to;
  const auto alive = AliveToken();
  if (from != nullptr) {
    exiting_ = true;
    for (TWinControl* c = from; c != nullptr && c != this && !c->ContainsControl(to);
         c = c->Parent()) {
      const auto c_alive = c->AliveToken();
      c->DoExit();
      if (alive.expired()) return;
      if (c_alive.expired()) break;
    }
    exiting_ = false;
  }
  TWinControl* target = active_control_;
  if (target == nullptr || target == from) return;
  std::vector<TWinControl*> chain;
  for (TWinControl* c = target; c != nullptr && c != this; c = c->Parent()) {
    if (from != nullptr && c->ContainsControl(from)) break;
    chain.push_back(c);
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const auto t_alive = target->AliveToken();
    (*it)->DoEnter();
    if (alive.expired() || t_alive.expired() || active_control_ != target) return;
  }
}

void TForm::WindowActivated(bool active) {
  // A window manager may frame a window without moving its client area: by the time it makes
  // the window active, the frame is there.
  if (active && Visible() && !showing_window_) {
    FollowFrame(Window().widget->x(), Window().widget->y());
  }
  if (active && OnActivate) OnActivate(this);
  if (!active && OnDeactivate) OnDeactivate(this);
}

void TForm::WindowCloseRequested() { Close(); }

bool TForm::DialogKey(std::uint16_t key, TShiftState shift) {
  switch (key) {
    case VK_RETURN: {
      if (shift != 0) return false;
      auto* focused = dynamic_cast<TButton*>(active_control_);
      TButton* button = focused != nullptr ? focused : FindButton(*this, false);
      if (button == nullptr) return false;
      button->Click();
      return true;
    }
    case VK_ESCAPE: {
      if (shift != 0) return false;
      TButton* button = FindButton(*this, true);
      if (button == nullptr) return false;
      button->Click();
      return true;
    }
    case VK_TAB:
      if ((shift & (ssAlt | ssCtrl)) != 0) return false;
      SelectNext(active_control_, (shift & ssShift) == 0, true);
      return true;
    default:
      return false;
  }
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

bool TForm::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void TForm::SetModalResult(TModalResult result) {
  modal_result_ = result;
  if (result != mrNone && IsModal()) {
    if (auto* dispatcher = QCoreApplication::eventDispatcher()) dispatcher->wakeUp();
  }
}

void TForm::Close() {
  if (IsModal()) {
    SetModalResult(mrCancel);
    return;
  }
  const auto alive = AliveToken();
  if (!CloseQuery() || alive.expired()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (alive.expired()) return;
  switch (action) {
    case TCloseAction::caNone:
      return;
    case TCloseAction::caHide:
      Hide();
      break;
    case TCloseAction::caFree:
      Release();
      break;
    case TCloseAction::caMinimize:
      SetWindowState(TWindowState::wsMinimized);
      return;
  }
  if (Application().MainForm() == this) Application().Terminate();
}

void TForm::Release() {
  if (released_) return;
  released_ = true;
  if (Visible()) HideWindow();
  Application().RemoveForm(this);
  Application().Queue([alive = AliveToken(), this] {
    if (!alive.expired()) delete this;
  });
}

TModalResult TForm::ShowModal() {
  if (IsModal() || Visible() || released_) {
    throw std::logic_error("ShowModal: the form is already shown");
  }
  const auto alive = AliveToken();
  modal_result_ = mrNone;
  ++modal_level_;
  {
    // Its OnShow and, below, its close query and OnClose are handlers of the form; its loop is
    // not, so that its own timers tick while it shows.
    const HandlerScope showing(this);
    Show();
  }
  if (alive.expired()) return mrCancel;
  Application().Queue([alive, this] {
    if (!alive.expired() && IsModal() && Application().OnModalStarted) {
      Application().OnModalStarted(*this);
    }
  });
  TCloseAction action = TCloseAction::caHide;
  for (;;) {
    while (modal_result_ == mrNone) {
      if (Application().Terminated()) {
        modal_result_ = mrCancel;
        break;
      }
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
      if (alive.expired()) return mrCancel;
    }
    const HandlerScope closing(this);
    const bool may_close = CloseQuery();
    if (alive.expired()) return mrCancel;
    if (!may_close) {
      modal_result_ = mrNone;
      continue;
    }
    action = TCloseAction::caHide;
    DoClose(action);
    if (alive.expired()) return mrCancel;
    if (action == TCloseAction::caNone) {
      modal_result_ = mrNone;
      continue;
    }
    break;
  }
  const TModalResult result = modal_result_;
  owed_ticks_.clear();  // a form that closes makes up no tick
  --modal_level_;
  if (Visible()) HideWindow();
  Window().widget->setWindowModality(Qt::NonModal);
  if (action == TCloseAction::caFree) Release();
  return result;
}

void TForm::OweTick(TTimer* timer) {
  for (const auto& [owed, alive] : owed_ticks_) {
    if (owed == timer && !alive.expired()) return;
  }
  owed_ticks_.emplace_back(timer, timer->AliveToken());
}

void TForm::MakeUpOwedTicks() {
  // A modal form on its way out (its close query and OnClose run) makes up nothing.
  if (making_up_ticks_ || (IsModal() && modal_result_ != mrNone)) return;
  // One pass at a time, also when a tick throws or frees the form.
  struct Pass {
    explicit Pass(TForm& f) : form(f), alive(f.AliveToken()) { form.making_up_ticks_ = true; }
    ~Pass() {
      if (!alive.expired()) form.making_up_ticks_ = false;
    }
    TForm& form;
    std::weak_ptr<const bool> alive;
  } pass(*this);
  while (!owed_ticks_.empty() && handlers_running_ == 0 && !IsDestroying()) {
    const auto [timer, timer_alive] = owed_ticks_.front();
    owed_ticks_.erase(owed_ticks_.begin());
    if (!timer_alive.expired() && timer->Enabled()) timer->Elapsed();
    if (pass.alive.expired()) return;
  }
}

}  // namespace platform::qt
