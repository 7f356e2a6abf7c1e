// The native window behind a TWinControl (layer-internal).
//
// Every windowed control owns one QWidget made through MakeHost<Base>. The host forwards the
// window system's events to the control (keys through the key dispatch, mouse to the control
// or the graphic child under it, paint through the control's canvas unless Qt draws the
// widget) and finds its control through a registry that forgets it before the control is torn
// down, so no event reaches a control that is being freed.
#pragma once

#include <QEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>

namespace platform::qt {
class TWinControl;
class TControl;
}  // namespace platform::qt

namespace platform::qt::impl {

// How a host's contents are drawn.
enum class PaintMode {
  kCanvas,  // the control paints everything through its canvas
  kNative,  // Qt draws the widget
  kChoose,  // the control's DrawsItself answers per paint
};

struct Window {
  explicit Window(QWidget* w, PaintMode mode) : widget(w), paint_mode(mode) {}
  ~Window();
  QPointer<QWidget> widget;
  PaintMode paint_mode;
  std::function<bool()> draws_itself;  // for kChoose
};

// The control a widget (or its nearest registered ancestor) stands for, or null.
TWinControl* ControlOf(const QWidget* widget);
void Register(QWidget* widget, TWinControl* control);
void Unregister(QWidget* widget);

// The shared event handling of every host; `native` runs Qt's own handling of an event.
// Answers whether the event was consumed.
bool HandleEvent(TWinControl& control, QWidget& widget, QEvent* event,
                 const std::function<bool(QEvent*)>& native);
// Draws the control (background, Paint, graphic children) through its canvas into the widget.
void PaintThroughCanvas(TWinControl& control, QWidget& widget, const QRect& area);
bool DrawsThroughCanvas(const TWinControl& control);
// The control's canvas, bound to an image for the duration of one paint (see canvas_target.h).
void PaintGraphicChildren(TWinControl& control, class QImage& image, const QRect& area);

template <class Base>
class Host : public Base {
 public:
  template <class... Args>
  explicit Host(TWinControl& control, Args&&... args)
      : Base(std::forward<Args>(args)...), control_(&control) {}

 protected:
  bool event(QEvent* e) override {
    TWinControl* control = ControlOf(this);
    if (control == control_ && control != nullptr) {
      return HandleEvent(*control, *this, e, [this](QEvent* ev) { return Base::event(ev); });
    }
    return Base::event(e);
  }
  void paintEvent(QPaintEvent* e) override {
    TWinControl* control = ControlOf(this);
    if (control == control_ && control != nullptr && DrawsThroughCanvas(*control)) {
      PaintThroughCanvas(*control, *this, e->rect());
    } else {
      Base::paintEvent(e);
    }
  }

 private:
  TWinControl* control_;
};

// Makes a host widget of the class given (a Host<Base> or a class derived from one, for hosts
// that handle more of Qt's events themselves) and registers it.
template <class HostClass, class... Args>
std::unique_ptr<Window> MakeHostOf(TWinControl& control, PaintMode mode, Args&&... args) {
  auto* widget = new HostClass(control, std::forward<Args>(args)...);
  Register(widget, &control);
  return std::make_unique<Window>(widget, mode);
}

// Makes the host widget of a control (top-level when parent is null) and registers it.
template <class Base, class... Args>
std::unique_ptr<Window> MakeHost(TWinControl& control, PaintMode mode, Args&&... args) {
  return MakeHostOf<Host<Base>>(control, mode, std::forward<Args>(args)...);
}

}  // namespace platform::qt::impl
