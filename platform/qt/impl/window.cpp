// The hosts' event handling: registry, painting through the canvas, mouse routing to graphic
// children, and the form's window notices.
#include "platform/qt/impl/window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>
#include <unordered_map>

#include "platform/qt/form.h"
#include "platform/qt/impl/canvas_target.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/keys.h"
#include "platform/qt/menus.h"
#include "platform/qt/win_control.h"

namespace platform::qt::impl {
namespace {

std::unordered_map<const QWidget*, TWinControl*>& Registry() {
  static std::unordered_map<const QWidget*, TWinControl*> registry;
  return registry;
}

// A control remembered across events, forgotten when it is freed.
struct Remembered {
  TControl* control = nullptr;
  std::weak_ptr<const bool> alive;
  TControl* Get() const { return alive.expired() ? nullptr : control; }
  void Set(TControl* c) {
    control = c;
    alive = c != nullptr ? c->AliveToken() : std::weak_ptr<const bool>();
  }
};

Remembered& Captured() {
  static Remembered captured;  // the control (windowed or graphic) that got the mouse press
  return captured;
}

Remembered& Hovered() {
  static Remembered hovered;  // the graphic control under the mouse
  return hovered;
}

TMouseButton ButtonOf(Qt::MouseButton b) {
  if (b == Qt::RightButton) return TMouseButton::mbRight;
  if (b == Qt::MiddleButton) return TMouseButton::mbMiddle;
  return TMouseButton::mbLeft;
}

TShiftState MouseShift(const QMouseEvent& e) {
  TShiftState s = ShiftOf(e.modifiers());
  if ((e.buttons() & Qt::LeftButton) != 0) s |= ssLeft;
  if ((e.buttons() & Qt::RightButton) != 0) s |= ssRight;
  if ((e.buttons() & Qt::MiddleButton) != 0) s |= ssMiddle;
  return s;
}

void PrepareCanvas(TControl& control, TCanvas& canvas) {
  canvas.Font = control.Font();
  canvas.Brush = TBrush{control.Color(), TBrushStyle::bsSolid};
  canvas.Pen = TPen{};
  canvas.PenPos = {0, 0};
}

void SetHovered(TControl* now) {
  TControl* before = Hovered().Get();
  if (before == now) return;
  Hovered().Set(now);
  if (before != nullptr) before->MouseLeave();
  if (now != nullptr && Hovered().Get() == now) now->MouseEnter();
}

// The pop-up menu of the control or of its nearest parent that has one with AutoPopup.
TPopupMenu* PopupMenuFor(TControl* control) {
  for (TControl* c = control; c != nullptr; c = c->Parent()) {
    if (TPopupMenu* menu = c->PopupMenu(); menu != nullptr) {
      return menu->AutoPopup() ? menu : nullptr;
    }
  }
  return nullptr;
}

// A graphic child's hint as a tooltip; false when the child shows none (the host's own tooltip
// then applies).
bool ShowGraphicHint(TWinControl& control, QWidget& widget, const QHelpEvent& help) {
  TControl* child = control.ControlAtPos({help.pos().x(), help.pos().y()}, true);
  if (child == nullptr || child->IsWindowed() || !child->ShowHint()) return false;
  const std::string hint = GetShortHint(child->Hint());
  if (hint.empty()) return false;
  QToolTip::showText(help.globalPos(), ToQString(hint), &widget, ToQRect(child->BoundsRect()));
  return true;
}

bool HandleMouse(TWinControl& control, QWidget& widget, QMouseEvent* e,
                 const std::function<bool(QEvent*)>& native) {
  const QPoint pos = e->position().toPoint();
  const bool press =
      e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
  // Until the button comes up the mouse belongs to what it was pressed on: this control, or a
  // graphic child of it.
  TControl* target = nullptr;
  if (TControl* captured = Captured().Get(); !press && captured != nullptr) {
    if (captured == &control || (!captured->IsWindowed() && captured->Parent() == &control)) {
      target = captured;
    }
  }
  if (target == nullptr) {
    target = &control;
    TControl* child = control.ControlAtPos({pos.x(), pos.y()}, false);
    if (child != nullptr && !child->IsWindowed()) target = child;
  }
  const int x = pos.x() - (target == &control ? 0 : target->Left());
  const int y = pos.y() - (target == &control ? 0 : target->Top());
  const bool graphic = target != &control;
  const bool canvas_host = control.Window().paint_mode == PaintMode::kCanvas;
  const auto alive = target->AliveToken();
  TShiftState shift = MouseShift(*e);
  switch (e->type()) {
    case QEvent::MouseButtonPress:
      Captured().Set(target);
      target->MouseDown(ButtonOf(e->button()), shift, x, y);
      break;
    case QEvent::MouseButtonDblClick:
      Captured().Set(target);
      if (graphic || canvas_host) target->DblClick();
      if (!alive.expired()) target->MouseDown(ButtonOf(e->button()), shift | ssDouble, x, y);
      break;
    case QEvent::MouseButtonRelease: {
      // A release a child window left unused comes on to its parent: it clicks nothing there.
      const bool pressed_here = Captured().Get() == target;
      Captured().Set(nullptr);
      target->MouseUp(ButtonOf(e->button()), shift, x, y);
      const bool inside = x >= 0 && y >= 0 && x < target->Width() && y < target->Height();
      if (!alive.expired() && pressed_here && inside && e->button() == Qt::LeftButton &&
          (graphic || canvas_host) && target->ClickEvents()) {
        target->Click();
      }
      // The framework opens a control's pop-up menu when the right button comes up.
      if (!alive.expired() && inside && e->button() == Qt::RightButton) {
        if (TPopupMenu* menu = PopupMenuFor(target)) {
          const QPoint at = widget.mapToGlobal(pos);
          menu->Popup(at.x(), at.y());
          return true;
        }
      }
      break;
    }
    case QEvent::MouseMove: {
      SetHovered(graphic ? target : nullptr);
      if (alive.expired()) return true;
      const TCursor cursor = target->Cursor() != crDefault ? target->Cursor() : control.Cursor();
      widget.setCursor(QCursor(static_cast<Qt::CursorShape>(ToQtCursorShape(cursor))));
      target->MouseMove(shift, x, y);
      break;
    }
    default:
      break;
  }
  if (alive.expired() || graphic) return true;
  const bool handled = native(e);
  // The press is this control's: Qt passes one a widget leaves unused on to its parent, whose
  // control would take the mouse (and the click) from it.
  if (press && canvas_host) e->accept();
  return handled;
}

}  // namespace

Window::~Window() {
  if (widget) {
    Unregister(widget);
    delete widget.data();
  }
}

TWinControl* ControlOf(const QWidget* widget) {
  const auto& registry = Registry();
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (auto it = registry.find(w); it != registry.end()) return it->second;
  }
  return nullptr;
}

void Register(QWidget* widget, TWinControl* control) { Registry()[widget] = control; }

void Unregister(QWidget* widget) { Registry().erase(widget); }

bool DrawsThroughCanvas(const TWinControl& control) {
  const Window& w = control.Window();
  if (w.paint_mode == PaintMode::kChoose) return w.draws_itself && w.draws_itself();
  return w.paint_mode == PaintMode::kCanvas;
}

void PaintGraphicChildren(TWinControl& control, QImage& image, const QRect& area) {
  for (TControl* child : control.Controls()) {
    if (child->IsWindowed() || !child->Visible()) continue;
    const QRect bounds = ToQRect(child->BoundsRect());
    const QRect clip = bounds.intersected(area);
    if (clip.isEmpty()) continue;
    TCanvas& canvas = child->Canvas();
    canvas.Target().Bind(&image, bounds.topLeft(), clip);
    PrepareCanvas(*child, canvas);
    child->Paint();
    canvas.Target().Unbind();
  }
}

void PaintThroughCanvas(TWinControl& control, QWidget& widget, const QRect& area) {
  QImage image(widget.size(), QImage::Format_RGB32);
  if (image.isNull()) return;
  TCanvas& canvas = control.Canvas();
  canvas.Target().Bind(&image, QPoint(0, 0), area);
  PrepareCanvas(control, canvas);
  control.PaintWindow(canvas);
  canvas.Target().Unbind();
  PaintGraphicChildren(control, image, area);
  QPainter painter(&widget);
  painter.drawImage(area.topLeft(), image, area);
}

bool HandleEvent(TWinControl& control, QWidget& widget, QEvent* event,
                 const std::function<bool(QEvent*)>& native) {
  switch (event->type()) {
    // A key belongs to the control it was typed into: one the native control leaves unused
    // must not travel on to the parents' windows, whose handlers (and the form's KeyPreview)
    // would see it a second time.
    case QEvent::KeyPress:
      DispatchKeyPress(control, static_cast<QKeyEvent*>(event), native);
      event->accept();
      return true;
    case QEvent::KeyRelease:
      DispatchKeyRelease(control, static_cast<QKeyEvent*>(event), native);
      event->accept();
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return HandleMouse(control, widget, static_cast<QMouseEvent*>(event), native);
    case QEvent::Enter: {
      const auto alive = control.AliveToken();
      control.MouseEnter();
      return alive.expired() || native(event);
    }
    case QEvent::Leave: {
      const auto alive = control.AliveToken();
      if (TControl* h = Hovered().Get(); h != nullptr && h->Parent() == &control)
        SetHovered(nullptr);
      if (!alive.expired()) control.MouseLeave();
      return alive.expired() || native(event);
    }
    case QEvent::ContextMenu: {
      // The mouse's menu opens on the button's release (above); the menu key's at the control.
      auto* e = static_cast<QContextMenuEvent*>(event);
      TPopupMenu* menu = PopupMenuFor(&control);
      if (menu == nullptr) break;
      if (e->reason() != QContextMenuEvent::Mouse) {
        const QPoint at = widget.mapToGlobal(QPoint(0, widget.height()));
        menu->Popup(at.x(), at.y());
      }
      return true;
    }
    case QEvent::ToolTip:
      if (ShowGraphicHint(control, widget, *static_cast<QHelpEvent*>(event))) return true;
      break;
    default:
      break;
  }
  if (auto* form = dynamic_cast<TForm*>(&control); form != nullptr && widget.isWindow()) {
    switch (event->type()) {
      case QEvent::Close:
        event->ignore();
        form->WindowCloseRequested();
        return true;
      case QEvent::Resize: {
        const bool handled = native(event);
        form->WindowResized(widget.width(), widget.height());
        return handled;
      }
      case QEvent::Move: {
        const bool handled = native(event);
        form->WindowMoved(widget.x(), widget.y());
        return handled;
      }
      case QEvent::WindowActivate:
      case QEvent::WindowDeactivate: {
        const bool handled = native(event);
        form->WindowActivated(event->type() == QEvent::WindowActivate);
        return handled;
      }
      default:
        break;
    }
  }
  return native(event);
}

}  // namespace platform::qt::impl
