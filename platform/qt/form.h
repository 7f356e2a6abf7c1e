// TForm: a top-level window of the system.
//
// Sizes: Width and Height include the window frame where the window system draws one (none on
// the offscreen platform); layout code should use ClientWidth and ClientHeight. Before the
// window system framed the form, the frame counted is the one it gave the last framed window of
// the same border style (none before any), so that a form placed where another stands, with its
// bounds, fits it; once the frame is known (or changes), it is counted and the client size kept.
// Left and Top are values the form keeps, the place of the frame: under a window manager the
// title bar lies there, also when the window first shows and its frame is not known yet; when
// the operator (or the window manager) moves the window, they follow it and the size stays.
// Window systems that place windows themselves (Wayland) may show the window elsewhere. The default
// font is Arial 9 pt; Scaled and PixelsPerInch are plain values for the scaling code (the layer
// never scales a form by itself).
//
// Modal use: ShowModal shows the form, disables the other windows and runs messages until
// ModalResult is not 0. Then the close query runs (OnCloseQuery may refuse: ModalResult goes
// back to 0 and the form stays), then OnClose with the action caHide (caNone keeps the form
// open; caFree frees it once ShowModal returned). Close on a modal form sets ModalResult 2.
// A button's ModalResult sets its form's; Enter clicks the Default button and Esc the Cancel
// button unless the focused control takes the key (a focused button takes Enter itself).
//
// Modeless: Show / Close. Close asks OnCloseQuery, then OnClose decides: caHide (default) hides,
// caFree frees the form after the current message (Release), caNone does nothing; closing the
// application's main form ends the application. A freed form leaves Screen's list at once and
// gets no message, timer or event after that.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/qt/typed_ahead_guard.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

enum class TFormBorderStyle : std::uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin
};
enum class TFormStyle : std::uint8_t { fsNormal, fsStayOnTop };
enum class TPosition : std::uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum class TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& can_close)>;

class TTimer;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  void SetVisible(bool visible) override;
  TModalResult ShowModal();
  bool IsModal() const { return modal_level_ > 0; }
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result);
  void Close();
  // Asks OnCloseQuery; true when the form may close.
  virtual bool CloseQuery();
  // Frees the form once the message being handled is done; the form is gone from Screen at once.
  void Release();
  bool Released() const { return released_; }
  // How many of its handlers run now (handler_scope.h).
  int HandlersRunning() const { return handlers_running_; }
  // A tick `timer` skipped because a handler of the form ran: it is made up, once, as soon as the
  // last of them ends, unless the timer was disabled or freed meanwhile.
  void OweTick(TTimer* timer);

  // A question or notice takes no key typed ahead (typed_ahead_guard.h): neither a key on its way
  // as it shows nor one of a run of typing meant for the window behind it. The mouse answers at
  // once. Off by default.
  bool IgnoresKeysTypedAhead() const { return typed_ahead_.On(); }
  void SetIgnoresKeysTypedAhead(bool on) { typed_ahead_.SetOn(on); }
  // Takes every key until the form shows again (the test kit's modal driver, which stands for an
  // operator who has read the question).
  void EndTypedAheadGuard() { typed_ahead_.End(); }
  // Layer-internal: the guard, fed by the application's event entry.
  TypedAheadGuard& TypedAhead() { return typed_ahead_; }

  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* control);
  bool Active() const;
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool on) { key_preview_ = on; }

  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle style);
  TFormStyle FormStyle() const { return form_style_; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const { return window_state_; }
  void SetWindowState(TWindowState state);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool on) { scaled_ = on; }
  int PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int ppi) { pixels_per_inch_ = ppi; }
  // The smallest client size the window takes (0: no limit), whoever resizes it: the user's
  // dragging stops there, and a smaller size set by code is raised to it.
  int MinClientWidth() const { return min_client_width_; }
  int MinClientHeight() const { return min_client_height_; }
  void SetMinClientSize(int width, int height);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on) { auto_size_ = on; }

  TRect ClientRect() const override;
  // Keeps the client size at least MinClientWidth x MinClientHeight.
  void SetBounds(int left, int top, int width, int height) override;
  // Scales the client size, the font and every child; the position stays.
  void ChangeScale(int m, int d) override;
  void Paint() override;
  // Enter, Esc, Tab and the arrows when the focused control does not take them: answers true
  // when the key was used (default or cancel button clicked, focus moved).
  virtual bool DialogKey(std::uint16_t key, TShiftState shift);
  // Centres the form on the screen (or on its owner form) as Position asks; called by Show.
  void PlaceByPosition();

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Layer-internal: the window system's notices.
  void WindowActivated(bool active);
  void WindowResized(int client_width, int client_height);
  void WindowMoved(int frame_left, int frame_top);
  void WindowCloseRequested();
  void FocusMoved(TWinControl* to);
  void ControlRemoved(TControl* control);

 protected:
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  void BoundsChanged() override;
  void Resize() override;
  void TextChanged() override { TextChangedHook(); }

 private:
  friend class HandlerScope;
  // Runs the ticks owed, once the last handler ended (one pass at a time: a tick made up that
  // owes again is made up by the same pass).
  void MakeUpOwedTicks();
  void TextChangedHook();
  void ApplyWindowFlags();
  void ShowWindow();
  void HideWindow();
  void FocusFirstControl();
  // Counts the frame the window system shows around the window now, with the frame at (left,
  // top): the client size stays.
  void FollowFrame(int left, int top);
  // Puts the frame at (left, top) and counts `frame` (the widths of its sides) in Width and
  // Height from now on; the client size stays.
  void PlaceFrame(int left, int top, const TRect& frame);

  TWinControl* active_control_ = nullptr;
  TModalResult modal_result_ = mrNone;
  int modal_level_ = 0;
  int handlers_running_ = 0;
  std::vector<std::pair<TTimer*, std::weak_ptr<const bool>>> owed_ticks_;
  bool making_up_ticks_ = false;
  TypedAheadGuard typed_ahead_;
  bool key_preview_ = false;
  bool released_ = false;
  bool showing_window_ = false;
  bool exiting_ = false;
  bool placing_frame_ = false;
  bool scaled_ = true;
  int pixels_per_inch_ = 96;
  bool auto_size_ = false;
  int min_client_width_ = 0;
  int min_client_height_ = 0;
  TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
  TFormStyle form_style_ = TFormStyle::fsNormal;
  TPosition position_ = TPosition::poDesigned;
  TWindowState window_state_ = TWindowState::wsNormal;
  // The frame counted in Width and Height: the widths of its left, top, right and bottom sides.
  TRect frame_{};
};

}  // namespace platform::qt
