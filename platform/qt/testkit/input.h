// Key and mouse input for window tests, delivered through the window system's event path as a
// person's would be (dialog keys, KeyPreview, handlers, then the native control).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/qt/control.h"
#include "platform/qt/win_control.h"

namespace platform::qt::testkit {

// Key down (with the character it types, if any), then key up, sent to `target`. The character
// of letters, digits, blank, Enter, Esc, Tab and Backspace is derived from the key and Shift;
// pass `ch` for any other.
void PressKey(TWinControl& target, std::uint16_t vk, TShiftState shift = 0, char ch = 0);
// Half a key stroke: the key goes down (its press) or comes up (its release). `repeat`: a held
// key's repeat as the window system sends it, a release and a press both marked as repeats.
void KeyDown(TWinControl& target, std::uint16_t vk, TShiftState shift = 0, bool repeat = false);
void KeyUp(TWinControl& target, std::uint16_t vk, TShiftState shift = 0, bool repeat = false);
// The key that types `c` as TypeText types it: letters as their upper-case key (with Shift for
// capitals, added to `shift`), digits, blank, Enter ('\r'), Tab ('\t') and Esc (27); 0 for any
// other.
std::uint16_t KeyOfCharacter(char c, TShiftState& shift);
// Each CP1252 character typed as its key (letters as their upper-case key, with Shift for
// capitals).
void TypeText(TWinControl& target, std::string_view text);
// The key goes to the control that has the focus in the application, else nowhere.
void PressKeyOnFocus(std::uint16_t vk, TShiftState shift = 0, char ch = 0);
// Each character typed as TypeText types it, Enter as '\r' and Tab as '\t', each key where the
// keyboard sends it at that moment: into the modal window on top (a message box that a key
// opened takes the keys that follow), else to the focused control.
void TypeOnKeyboard(std::string_view text);

// Mouse input at a point of the control's client area (graphic controls through their parent).
// A move holds the buttons named in `shift` (ssLeft: dragging). A press (or double click) into
// the active window first gives the focus as the window system does: to the control under the
// mouse, or its nearest windowed parent, that takes the focus on a click.
void MouseDown(TControl& control, int x, int y, TMouseButton button = TMouseButton::mbLeft,
               TShiftState shift = 0);
void MouseUp(TControl& control, int x, int y, TMouseButton button = TMouseButton::mbLeft,
             TShiftState shift = 0);
void MouseMove(TControl& control, int x, int y, TShiftState shift = 0);
// The wheel turned by `delta` (120 a notch; negative: towards the user) at a client point.
void MouseWheel(TControl& control, int x, int y, int delta, TShiftState shift = 0);
void Click(TControl& control, int x, int y);
void DoubleClick(TControl& control, int x, int y);
// The hint shown when the mouse rests at the point ("" when none shows).
std::string HintAt(TControl& control, int x, int y);

}  // namespace platform::qt::testkit
