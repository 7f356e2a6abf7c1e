#include "platform/qt/testkit/input.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include "platform/environment.h"
#include "platform/qt/application.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/keys.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/keys.h"

namespace platform::qt::testkit {
namespace {

char CharacterOf(std::uint16_t vk, TShiftState shift) {
  if ((shift & (ssCtrl | ssAlt)) != 0) {
    if ((shift & ssCtrl) != 0 && vk >= 'A' && vk <= 'Z') return static_cast<char>(vk - 'A' + 1);
    return 0;
  }
  if (vk >= 'A' && vk <= 'Z') return static_cast<char>((shift & ssShift) != 0 ? vk : vk + 32);
  if (vk >= '0' && vk <= '9' && (shift & ssShift) == 0) return static_cast<char>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char>('0' + vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SPACE:
      return ' ';
    case VK_RETURN:
      return '\r';
    case VK_ESCAPE:
      return 27;
    case VK_TAB:
      return '\t';
    case VK_BACK:
      return 8;
    default:
      return 0;
  }
}

// Presses, releases or both, as `strokes` names them.
enum Strokes { kDown = 1, kUp = 2, kDownAndUp = 3 };

void SendKey(QWidget* widget, std::uint16_t vk, TShiftState shift, char ch,
             Strokes strokes = kDownAndUp, bool repeat = false) {
  if (widget == nullptr) return;
  if (ch == 0) ch = CharacterOf(vk, shift);
  const QString text = ch != 0 ? QString(impl::ToQChar(ch)) : QString();
  Qt::KeyboardModifiers modifiers = impl::ModifiersOf(shift);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) modifiers |= Qt::KeypadModifier;
  const int key = impl::QtKeyOf(vk);
  QPointer<QWidget> guard(widget);
  // Stamped with the clock service's time, as the window system stamps its key events.
  const std::uint64_t now = CurrentClock().MonotonicMs();
  if ((strokes & kDown) != 0) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text, repeat);
    down.setTimestamp(now);
    QApplication::sendEvent(widget, &down);
  }
  if (guard && (strokes & kUp) != 0) {
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text, repeat);
    up.setTimestamp(now);
    QApplication::sendEvent(widget, &up);
  }
  Application().ProcessMessages();
}

// A character typed as its key (KeyOfCharacter).
void TypeCharacter(QWidget* widget, char c) {
  TShiftState shift = 0;
  SendKey(widget, KeyOfCharacter(c, shift), shift, c);
}

// Where the keyboard sends a key: while a modal window is open, to the control of the topmost
// one that has (or last had) its focus, else to the window itself, whether or not the window
// system has made it active yet; without one, to the application's focused control.
QWidget* KeyboardTarget() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return QApplication::focusWidget();
  QWidget* focused = modal->focusWidget();
  return focused != nullptr ? focused : modal;
}

// The widget and the point in it where a control's client point lies.
QWidget* MouseTarget(TControl& control, int& x, int& y) {
  if (control.IsWindowed()) return static_cast<TWinControl&>(control).Window().widget;
  if (control.Parent() == nullptr) return nullptr;
  x += control.Left();
  y += control.Top();
  return control.Parent()->Window().widget;
}

// The window system's mouse goes to the innermost widget under it: inside a control's native
// widget to the part there (a calendar's table of days), never into another control's window.
QWidget* InnermostPart(QWidget* widget, QPointF& local) {
  QWidget* inner = widget->childAt(local.toPoint());
  if (inner == nullptr || impl::ControlOf(inner) != impl::ControlOf(widget)) return widget;
  local = inner->mapFrom(widget, local);
  return inner;
}

// A list's buttons and moves reach its viewport, as the window system delivers them (the view
// selects by them there); the point moves into the viewport's coordinates.
QWidget* ButtonTarget(QWidget* widget, QPointF& local) {
  auto* view = qobject_cast<QAbstractItemView*>(widget);
  if (view == nullptr) return widget;
  local = view->viewport()->mapFrom(view, local);
  return view->viewport();
}

// A press gives the focus as the window system's press does, before the press reaches the
// widget: to the first widget from the one under the mouse up to its window that takes the focus
// on a click, unless one on the way has it already. In a window that is not active this only
// changes the window's focus child, as there. (A press into another window would first make it
// active, which only the window system does.)
void FocusOnPress(QWidget* widget, QPoint local) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QWidget* focus = w->focusProxy() != nullptr ? w->focusProxy() : w;
    if (w->isEnabled() && w->rect().contains(local) &&
        (focus->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
      w->setFocus(Qt::MouseFocusReason);
      return;
    }
    if (w->isWindow() || focus->hasFocus()) return;
    local += w->pos();
  }
}

void SendMouse(TControl& control, QEvent::Type type, int x, int y, TMouseButton button,
               TShiftState shift) {
  QWidget* widget = MouseTarget(control, x, y);
  if (widget == nullptr) return;
  QPointF local(x, y);
  widget = ButtonTarget(InnermostPart(widget, local), local);
  Qt::MouseButton b = Qt::LeftButton;
  if (button == TMouseButton::mbRight) b = Qt::RightButton;
  if (button == TMouseButton::mbMiddle) b = Qt::MiddleButton;
  const Qt::MouseButton pressed = type == QEvent::MouseMove ? Qt::NoButton : b;
  // A move holds the buttons its shift state names; a press holds its button.
  Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
  if (type == QEvent::MouseMove) {
    held = Qt::NoButton;
    if ((shift & ssLeft) != 0) held |= Qt::LeftButton;
    if ((shift & ssRight) != 0) held |= Qt::RightButton;
    if ((shift & ssMiddle) != 0) held |= Qt::MiddleButton;
  }
  QPointer<QWidget> guard(widget);
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
    FocusOnPress(widget, local.toPoint());
    if (!guard) return;
  }
  QMouseEvent event(type, local, widget->mapToGlobal(local), pressed, held,
                    impl::ModifiersOf(shift));
  QApplication::sendEvent(widget, &event);
  Application().ProcessMessages();
}

}  // namespace

std::uint16_t KeyOfCharacter(char c, TShiftState& shift) {
  if (c >= 'a' && c <= 'z') return static_cast<std::uint16_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') {
    shift |= ssShift;
    return static_cast<std::uint16_t>(c);
  }
  if (c >= '0' && c <= '9') return static_cast<std::uint16_t>(c);
  switch (c) {
    case ' ':
      return VK_SPACE;
    case '\r':
      return VK_RETURN;
    case '\t':
      return VK_TAB;
    case 27:
      return VK_ESCAPE;
    default:
      return 0;
  }
}

void PressKey(TWinControl& target, std::uint16_t vk, TShiftState shift, char ch) {
  SendKey(target.Window().widget, vk, shift, ch);
}

void KeyDown(TWinControl& target, std::uint16_t vk, TShiftState shift, bool repeat) {
  SendKey(target.Window().widget, vk, shift, 0, kDown, repeat);
}

void KeyUp(TWinControl& target, std::uint16_t vk, TShiftState shift, bool repeat) {
  SendKey(target.Window().widget, vk, shift, 0, kUp, repeat);
}

void TypeText(TWinControl& target, std::string_view text) {
  const auto alive = target.AliveToken();
  for (char c : text) {
    if (alive.expired()) return;
    TypeCharacter(target.Window().widget, c);
  }
}

void PressKeyOnFocus(std::uint16_t vk, TShiftState shift, char ch) {
  SendKey(QApplication::focusWidget(), vk, shift, ch);
}

void TypeOnKeyboard(std::string_view text) {
  for (char c : text) TypeCharacter(KeyboardTarget(), c);
}

void MouseDown(TControl& control, int x, int y, TMouseButton button, TShiftState shift) {
  SendMouse(control, QEvent::MouseButtonPress, x, y, button, shift);
}

void MouseUp(TControl& control, int x, int y, TMouseButton button, TShiftState shift) {
  SendMouse(control, QEvent::MouseButtonRelease, x, y, button, shift);
}

void MouseMove(TControl& control, int x, int y, TShiftState shift) {
  SendMouse(control, QEvent::MouseMove, x, y, TMouseButton::mbLeft, shift);
}

void MouseWheel(TControl& control, int x, int y, int delta, TShiftState shift) {
  QWidget* widget = MouseTarget(control, x, y);
  if (widget == nullptr) return;
  const QPointF local(x, y);
  QWheelEvent event(local, widget->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                    impl::ModifiersOf(shift), Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
  Application().ProcessMessages();
}

void Click(TControl& control, int x, int y) {
  const auto alive = control.AliveToken();
  MouseDown(control, x, y);
  if (!alive.expired()) MouseUp(control, x, y);
}

void DoubleClick(TControl& control, int x, int y) {
  const auto alive = control.AliveToken();
  Click(control, x, y);
  if (!alive.expired())
    SendMouse(control, QEvent::MouseButtonDblClick, x, y, TMouseButton::mbLeft, 0);
  if (!alive.expired()) MouseUp(control, x, y);
}

std::string HintAt(TControl& control, int x, int y) {
  QToolTip::hideText();
  QWidget* widget = MouseTarget(control, x, y);
  if (widget == nullptr) return {};
  const QPoint local(x, y);
  QHelpEvent event(QEvent::ToolTip, local, widget->mapToGlobal(local));
  QApplication::sendEvent(widget, &event);
  // A widget without a tooltip ignores the event (the last tooltip may still be fading out).
  const bool shown = event.isAccepted() && QToolTip::isVisible();
  const std::string hint = shown ? impl::FromQString(QToolTip::text()) : "";
  QToolTip::hideText();
  return hint;
}

}  // namespace platform::qt::testkit
