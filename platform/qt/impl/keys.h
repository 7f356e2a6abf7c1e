// Keys between Qt and the layer (layer-internal): virtual-key codes, the shift byte, and the
// dispatch of a key event through dialog keys, KeyPreview, the control's handlers and Qt.
#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <functional>

#include "platform/qt/types.h"

namespace platform::qt {
class TWinControl;
}

namespace platform::qt::impl {

std::uint16_t VirtualKeyOf(const QKeyEvent& event);
// Qt's key for a virtual-key code (0 when there is none).
int QtKeyOf(std::uint16_t vk);
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers ModifiersOf(TShiftState shift);

// Order: KeyFirst of the control and its parents; a dialog key the control does not take goes
// to its form (default or cancel button, Tab); else OnKeyDown of the form (KeyPreview) and of
// the control, which may change or swallow it; then the character through OnKeyPress of both in
// the same order; then Qt.
bool DispatchKeyPress(TWinControl& control, QKeyEvent* event,
                      const std::function<bool(QEvent*)>& native);
bool DispatchKeyRelease(TWinControl& control, QKeyEvent* event,
                        const std::function<bool(QEvent*)>& native);

}  // namespace platform::qt::impl
