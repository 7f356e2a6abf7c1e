// TControl: a visible element of a form, with or without a window of its own.
//
// Coordinates: Left and Top are relative to the parent's client area; Width and Height are the
// control's outer size. A control without a parent is not shown (forms are the exception).
//
// Parent flags: with ParentColor, ParentFont or ParentShowHint set a control takes its parent's
// colour, font or hint switch, and follows when the parent's changes; setting the property
// itself clears the flag.
//
// Events are std::function slots; an empty slot is "not assigned". Handlers receive the control
// as `sender` and may free nothing but other forms. Virtual handlers (Click, MouseDown, Paint,
// Resize, WndProc, ...) are the overridable defaults that call the events.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/canvas.h"
#include "platform/qt/component.h"
#include "platform/qt/font.h"
#include "platform/qt/messages.h"
#include "platform/qt/types.h"

namespace platform::qt {

class TWinControl;
class TForm;
class TPopupMenu;

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
using TMessageEvent = std::function<void(TComponent* sender, TMessage& message)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  // Moves the control into another parent's child list (at its end); null takes it out.
  virtual void SetParent(TWinControl* parent);
  // The form the control is on (itself for a form), or null.
  TForm* ParentForm() const;
  virtual bool IsWindowed() const { return false; }

  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  TRect BoundsRect() const { return bounds_; }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // Negative sizes become 0. The parent realigns its children afterwards.
  virtual void SetBounds(int left, int top, int width, int height);
  // The area children and drawing use: (0, 0, Width, Height) unless a control says otherwise.
  virtual TRect ClientRect() const { return {0, 0, Width(), Height()}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
  void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  // ClientToParent: the point in the coordinates of `ancestor` (the direct parent when null).
  TPoint ClientToParent(TPoint p, const TWinControl* ancestor = nullptr) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors) { anchors_ = anchors; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible together with every parent, up to a form that is shown.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  TColor Color() const { return color_; }
  void SetColor(TColor colour);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool on);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool on);

  virtual std::string Text() const { return text_; }
  virtual void SetText(const std::string& text);
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& caption) { SetText(caption); }

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool on);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool on);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  int HelpContext() const { return help_context_; }
  void SetHelpContext(int context) { help_context_ = context; }
  // The menu a right click (or the menu key) opens; not owned. A control without one passes the
  // click to its parent's. A menu freed before the control is forgotten.
  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* menu);

  // Repaints soon (Invalidate) or now (Repaint; Update paints what is pending).
  virtual void Invalidate();
  void Repaint();
  virtual void Update();
  void BringToFront();
  void SendToBack();

  // Draws on the canvas of this control; valid while the control paints.
  TCanvas& Canvas() { return canvas_; }

  // Scales position, size and (unless ParentFont) font size by m / d, rounded as MulDiv. The
  // left and top edges and the right and bottom edges are scaled, so neighbours stay adjacent.
  virtual void ChangeScale(int m, int d);

  // Sends a message to the control now; answers its Result.
  std::int32_t Perform(std::uint32_t msg, std::uint32_t wparam, std::int32_t lparam,
                       std::string text = {});

  virtual void Click();
  virtual void DblClick();
  // Whether the layer calls Click when the left button comes up over the control (graphic and
  // self-drawn controls); controls that decide their clicks themselves turn it off.
  bool ClickEvents() const { return click_events_; }
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Draws the control; the default does nothing. The canvas starts with the control's font and
  // colour as brush, origin at the control's top-left, clipped to it.
  virtual void Paint() {}
  virtual void WndProc(TMessage& message);
  // The accelerator character `key` (upper case) was typed with Alt, or alone while the focused
  // control takes no characters: a control whose caption marks that character with "&" acts
  // (focuses, clicks, toggles) and answers true. Windowed controls ask their children in order.
  virtual bool DialogChar(char key);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMessageEvent OnMessage;

 protected:
  // After the size changed; calls OnResize.
  virtual void Resize();
  // Hooks for the windowed controls and the concrete controls.
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  virtual void CursorChanged() {}
  virtual void HintChanged() {}
  // A change of what this control hands its children (colour, font, hint switch).
  void PassToChildren();
  // For forms, which start hidden.
  void SetVisibleFlag(bool visible) { visible_ = visible; }
  void SetClickEvents(bool on) { click_events_ = on; }

 private:
  friend class TWinControl;
  void TakeParentLook();

  TWinControl* parent_ = nullptr;
  TRect bounds_{};
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_ = akLeft | akTop;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = 0x8000000F;  // clBtnFace
  bool parent_color_ = true;
  TFont font_;
  bool parent_font_ = true;
  bool taking_parent_look_ = false;
  std::string text_;
  std::string hint_;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  TCursor cursor_ = crDefault;
  int help_context_ = 0;
  bool click_events_ = true;
  TPopupMenu* popup_menu_ = nullptr;
  std::weak_ptr<const bool> popup_menu_alive_;
  TCanvas canvas_;
};

// The hint's part before the first "|" (the short hint a tooltip shows).
std::string GetShortHint(const std::string& hint);
// True when the caption marks `key` (compared in upper case) as its accelerator with "&".
bool IsAccel(char key, const std::string& caption);

// A control without a window: it paints on its parent's surface, below the parent's windowed
// children, and receives the mouse through its parent.
class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
};

}  // namespace platform::qt
