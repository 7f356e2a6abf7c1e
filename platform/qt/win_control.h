// TWinControl: a control with a window of its own. It holds child controls, takes the keyboard
// focus, and lays out its aligned children.
//
// Focus by the mouse: a press gives the focus only to a control that takes input
// (TakesFocusOnClick). A press on any other (a panel, a group box, a bar, a label on one of them,
// a form's empty space) leaves the focus where it was; its mouse events and OnClick still come.
//
// Children: `Controls` lists them in child order (the order they were parented; BringToFront
// moves one to the end). Freeing a windowed control frees its children first.
//
// Align: after any change of a child's bounds, visibility or Align, or of this control's size or
// client rectangle, the children with an Align are laid out in the client rectangle (after
// AdjustClientRect): first alTop, then alBottom, alLeft, alRight, alClient, each in child order;
// hidden children are skipped. A top child takes the full width at the top and keeps its height,
// and so on; alClient takes what is left. Children with right or bottom anchors keep their
// distance to that edge when the parent is resized.
//
// Keys: OnKeyDown and OnKeyPress may change the key or swallow it (set it to 0). The form sees
// keys first when its KeyPreview is set, unless the control takes them first (KeyFirst). OnEnter
// and OnExit fire only for focus moves inside one form, not when the window is activated or left.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/qt/control.h"

namespace platform::qt {

namespace impl {
struct Window;
}

using TKeyEvent = std::function<void(TComponent* sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TComponent* sender, char& key)>;

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  const std::vector<TControl*>& Controls() const { return controls_; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  bool ContainsControl(const TControl* control) const;  // itself or a descendant
  // The topmost visible child at a client point (enabled only unless allow_disabled), or null.
  TControl* ControlAtPos(TPoint p, bool allow_disabled) const;

  // Position among the parent's windowed children in the tab cycle.
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool on);
  bool Focused() const;
  // True for controls that take input (edits, memos, buttons, check boxes, lists, grids, tabs).
  // Asked again when the control is placed in a parent and when its TabStop changes.
  virtual bool TakesFocusOnClick() const { return false; }
  // Visible and enabled up to a shown form.
  virtual bool CanFocus() const;
  // Focuses the control; on a form that is not shown yet it becomes the form's ActiveControl.
  void SetFocus();
  // The next control in the form's tab cycle after `current`, or null.
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool check_tab_stop) const;
  void SelectNext(TWinControl* current, bool forward, bool check_tab_stop);

  // Lays the aligned children out again now (nothing while align is disabled).
  void Realign();
  void DisableAlign() { ++align_disabled_; }
  void EnableAlign();
  // The rectangle aligned children share; the client rectangle unless a control narrows it.
  virtual void AdjustClientRect(TRect& r) const { (void)r; }

  void ChangeScale(int m, int d) override;
  void Invalidate() override;
  void Update() override;

  // Key handling: the defaults call the events.
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // True when the control takes this key itself, so the form does not use it as a dialog key
  // (Enter for the default button, Esc for the cancel button, Tab and the arrows to move).
  virtual bool WantsKey(std::uint16_t key, TShiftState shift) const;
  // A key typed into the control or a child of it that the control takes before anything else
  // sees it (the form's dialog keys and KeyPreview, the handlers of the control typed into), as
  // a drop-down shown over the form takes the keys typed into it; true when it took the key.
  // Asked from the control typed into up to the form. The default takes none.
  virtual bool KeyFirst(std::uint16_t key, TShiftState shift) {
    (void)key;
    (void)shift;
    return false;
  }
  // False for controls that take no typed characters (buttons, check boxes, scroll bars): while
  // one has the focus, a plain letter works as an accelerator (see DialogChar).
  virtual bool WantsChars() const { return true; }
  // Asks the visible and enabled children in child order.
  bool DialogChar(char key) override;
  virtual void DoEnter();
  virtual void DoExit();

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Layer-internal: the native window, and the paint of its contents (background, then Paint)
  // once the canvas is bound.
  impl::Window& Window() const { return *window_; }
  bool HasWindow() const { return window_ != nullptr; }
  void PaintWindow(TCanvas& canvas);

 protected:
  // Windowed controls make their window in their constructor through this (layer-internal).
  void AttachWindow(std::unique_ptr<impl::Window> window);
  // Paints the background in the control's colour; controls that cover their area override.
  virtual void PaintBackground(TCanvas& canvas);
  // After a child was added to or taken out of Controls(), or a child's bounds changed.
  virtual void ChildListChanged() {}
  virtual void ChildBoundsChanged() {}

  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void CursorChanged() override;
  void HintChanged() override;

 private:
  friend class TControl;
  friend struct impl::Window;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void AlignControls();
  void MoveAnchoredChildren(int old_width, int old_height);
  void ApplyFocusPolicy();

 protected:
  // After the client size changed: anchored children follow, aligned children are laid out.
  void LayoutAfterResize();

 private:
  std::vector<TControl*> controls_;
  std::unique_ptr<impl::Window> window_;
  bool tab_stop_ = false;
  int tab_order_ = -1;  // place in the parent's tab cycle
  int align_disabled_ = 0;
  bool aligning_ = false;
  int scaling_ = 0;
  bool align_pending_ = false;
  int last_width_ = 0;
  int last_height_ = 0;
};

// A windowed control that draws itself in Paint (with Canvas).
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
};

}  // namespace platform::qt
