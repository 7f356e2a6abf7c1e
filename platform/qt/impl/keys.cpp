#include "platform/qt/impl/keys.h"

#include <array>
#include <utility>

#include "platform/qt/form.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/keys.h"
#include "platform/qt/win_control.h"

namespace platform::qt::impl {
namespace {

// Qt keys without a character code of their own.
constexpr std::array<std::pair<int, std::uint16_t>, 33> kKeys = {{
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
}};

bool IsDialogKey(std::uint16_t vk) { return vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_TAB; }

// A letter or digit typed with Alt, or alone on a control that takes no characters, is offered
// to the form's accelerators ("&" in captions).
bool IsAcceleratorKey(const TWinControl& control, std::uint16_t vk, TShiftState shift) {
  const bool letter = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
  if (!letter) return false;
  const TShiftState mods = shift & (ssAlt | ssCtrl);
  return mods == ssAlt || (mods == 0 && !control.WantsChars());
}

// The form that sees keys before the control, or null.
TForm* PreviewForm(TWinControl& control) {
  TForm* form = control.ParentForm();
  return form != nullptr && form != &control && form->KeyPreview() ? form : nullptr;
}

}  // namespace

std::uint16_t VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  if ((event.modifiers() & Qt::KeypadModifier) != 0 && key >= Qt::Key_0 && key <= Qt::Key_9) {
    return static_cast<std::uint16_t>(VK_NUMPAD0 + (key - Qt::Key_0));
  }
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
    return static_cast<std::uint16_t>(key);
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
    return static_cast<std::uint16_t>(VK_F1 + (key - Qt::Key_F1));
  }
  for (const auto& [qt, vk] : kKeys) {
    if (qt == key) return vk;
  }
  return 0;
}

int QtKeyOf(std::uint16_t vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return Qt::Key_0 + (vk - VK_NUMPAD0);
  if (vk >= VK_F1 && vk <= VK_F1 + 23) return Qt::Key_F1 + (vk - VK_F1);
  for (const auto& [qt, code] : kKeys) {
    if (code == vk) return qt;
  }
  return 0;
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
  TShiftState s = 0;
  if ((modifiers & Qt::ShiftModifier) != 0) s |= ssShift;
  if ((modifiers & Qt::AltModifier) != 0) s |= ssAlt;
  if ((modifiers & Qt::ControlModifier) != 0) s |= ssCtrl;
  return s;
}

Qt::KeyboardModifiers ModifiersOf(TShiftState shift) {
  Qt::KeyboardModifiers m;
  if ((shift & ssShift) != 0) m |= Qt::ShiftModifier;
  if ((shift & ssAlt) != 0) m |= Qt::AltModifier;
  if ((shift & ssCtrl) != 0) m |= Qt::ControlModifier;
  return m;
}

bool DispatchKeyPress(TWinControl& control, QKeyEvent* event,
                      const std::function<bool(QEvent*)>& native) {
  const std::uint16_t vk = VirtualKeyOf(*event);
  const TShiftState shift = ShiftOf(event->modifiers());
  const auto alive = control.AliveToken();
  for (TWinControl* c = &control; vk != 0 && c != nullptr; c = c->Parent()) {
    if (c->KeyFirst(vk, shift)) return true;
  }
  if (TForm* form = control.ParentForm(); form != nullptr && IsDialogKey(vk) &&
                                          !control.WantsKey(vk, shift) &&
                                          form->DialogKey(vk, shift)) {
    return true;
  }
  std::uint16_t key = vk;
  if (vk != 0) {
    if (TForm* form = PreviewForm(control)) {
      form->KeyDown(key, shift);
      if (alive.expired()) return true;
    }
    if (key != 0) control.KeyDown(key, shift);
    if (alive.expired() || key == 0) return true;
  }
  if (TForm* form = control.ParentForm(); form != nullptr && key == vk &&
                                          IsAcceleratorKey(control, vk, shift) &&
                                          form->DialogChar(static_cast<char>(vk))) {
    return true;
  }
  const QString text = event->text();
  const char typed = text.size() == 1 ? FromQChar(text.at(0)) : 0;
  char c = typed;
  if (typed != 0) {
    if (TForm* form = PreviewForm(control)) {
      form->KeyPress(c);
      if (alive.expired()) return true;
    }
    if (c != 0) control.KeyPress(c);
    if (alive.expired() || c == 0) return true;
  }
  if (key == vk && c == typed) return native(event);
  // A handler changed the key or the character: Qt handles what it was changed to.
  const QString replaced = typed != 0 ? QString(ToQChar(c)) : text;
  QKeyEvent changed(QEvent::KeyPress, key == vk ? event->key() : QtKeyOf(key), event->modifiers(),
                    replaced, event->isAutoRepeat());
  return native(&changed);
}

bool DispatchKeyRelease(TWinControl& control, QKeyEvent* event,
                        const std::function<bool(QEvent*)>& native) {
  std::uint16_t key = VirtualKeyOf(*event);
  const TShiftState shift = ShiftOf(event->modifiers());
  const auto alive = control.AliveToken();
  if (key != 0) {
    if (TForm* form = PreviewForm(control)) {
      form->KeyUp(key, shift);
      if (alive.expired()) return true;
    }
    if (key != 0) control.KeyUp(key, shift);
    if (alive.expired() || key == 0) return true;
  }
  return native(event);
}

}  // namespace platform::qt::impl
