// RealKeyboard: keys pressed on the X server's own keyboard (its test extension), as a person's
// keyboard presses them. Where input.h hands a key event to a control, these take the window
// system's whole way: the server sends them to the active X window, the application gets each
// press first for the window and then for the control with the focus, and a key held down
// repeats by the server's auto-repeat, the repeats marked as such.
//
// Needs the window system on a real X display with the test extension (QT_QPA_PLATFORM=xcb, as
// in the window manager's suite); elsewhere Available() is false. A key reaches only the active
// window, so a test makes the window it types into active first (window_frame.h); a key goes
// down once the server's keyboard focus is there too. Each call waits until what it pressed
// reached the application (at most a few seconds) and answers whether it did; the times a form
// judges keys by are still the clock service's, so a test with a fake clock sets it before each
// key.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/qt/types.h"

namespace platform::qt::testkit {

class XKeyboard;

class RealKeyboard {
 public:
  // The server's auto-repeat while a RealKeyboard lives: a key held down repeats after
  // kRepeatDelayMs, then every kRepeatIntervalMs (a desktop's usual figures).
  static constexpr int kRepeatDelayMs = 500;
  static constexpr int kRepeatIntervalMs = 30;

  RealKeyboard();
  // Lets go of every key still held down.
  ~RealKeyboard();
  RealKeyboard(const RealKeyboard&) = delete;
  RealKeyboard& operator=(const RealKeyboard&) = delete;

  bool Available() const { return keyboard_ != nullptr; }

  // A key (VK_* code, 'A'..'Z', '0'..'9') pressed and let go at once, with Shift held around it
  // for ssShift.
  bool Press(std::uint16_t vk, TShiftState shift = 0);
  // Each character as its key: letters (capitals with Shift), digits, blank, Tab ('\t'), Enter
  // ('\r') and Esc (27); `before_each_key` runs before each (a test sets its clock there).
  bool Type(std::string_view text, const std::function<void()>& before_each_key = nullptr);

  // The key goes down and stays down until Release: the server repeats it meanwhile.
  bool Hold(std::uint16_t vk);
  // While a key is held: until `count` more of its repeats reached the application.
  bool WaitForRepeats(int count);
  bool Release(std::uint16_t vk);

 private:
  struct Arrivals;
  // Until the server's keyboard focus is on the application's active window, which the window
  // manager makes so some time after Qt already counts the window as active.
  bool WaitForTheFocus();

  std::unique_ptr<XKeyboard> keyboard_;
  std::unique_ptr<Arrivals> arrivals_;
  unsigned held_ = 0;  // the key code held down, 0 for none
};

}  // namespace platform::qt::testkit
