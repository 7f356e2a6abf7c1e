// The X server's keyboard as its test extension (XTest) drives it: key codes pressed and
// released as though on the keyboard itself, and the server's own auto-repeat. Kept apart from
// the Qt side of the test kit (real_keyboard.cpp): the X headers' macros clash with Qt's names.
#pragma once

#include <cstdint>
#include <memory>

struct _XDisplay;

namespace platform::qt::testkit {

class XKeyboard {
 public:
  // A connection of its own to the display Qt uses ($DISPLAY), with the server's auto-repeat on
  // at these figures (a held key repeats after `repeat_delay_ms`, then every
  // `repeat_interval_ms`); null when there is no X display or it lacks the test extension.
  static std::unique_ptr<XKeyboard> Open(int repeat_delay_ms, int repeat_interval_ms);
  ~XKeyboard();
  XKeyboard(const XKeyboard&) = delete;
  XKeyboard& operator=(const XKeyboard&) = delete;

  // The X key code of a virtual key (VK_* code, 'A'..'Z', '0'..'9'); 0 for one it has no key for.
  unsigned KeyCode(std::uint16_t vk) const;
  // The key goes down (or up) now; the server has it when the call returns.
  void Send(unsigned key_code, bool down);
  // A held key goes up once the server has stopped repeating it. Answers a time of the server's
  // (the time X events carry) after the key's last repeat and not after its release.
  unsigned long LetGo(unsigned key_code);
  // The window that has the server's keyboard focus (where a key goes), 0 for none.
  unsigned long FocusWindow() const;

 private:
  XKeyboard(_XDisplay* display, unsigned long clock_window, unsigned long clock_atom)
      : display_(display), clock_window_(clock_window), clock_atom_(clock_atom) {}
  void SetRepeat(bool on);
  unsigned long ServerTime();

  _XDisplay* display_;
  unsigned long clock_window_;  // an unseen window whose property changes tell the server's time
  unsigned long clock_atom_;
};

}  // namespace platform::qt::testkit
