#include "platform/qt/testkit/x_keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "platform/qt/keys.h"

namespace platform::qt::testkit {
namespace {

KeySym KeySymOf(std::uint16_t vk) {
  if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return XK_0 + (vk - '0');
  switch (vk) {
    case VK_BACK:
      return XK_BackSpace;
    case VK_TAB:
      return XK_Tab;
    case VK_RETURN:
      return XK_Return;
    case VK_SHIFT:
      return XK_Shift_L;
    case VK_CONTROL:
      return XK_Control_L;
    case VK_MENU:
      return XK_Alt_L;
    case VK_ESCAPE:
      return XK_Escape;
    case VK_SPACE:
      return XK_space;
    default:
      return NoSymbol;
  }
}

}  // namespace

std::unique_ptr<XKeyboard> XKeyboard::Open(int repeat_delay_ms, int repeat_interval_ms) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
    XCloseDisplay(display);
    return nullptr;
  }
  // A bare X server may start with its auto-repeat off or at other figures; the tests count on
  // these (the keyboard's repeat is the server's, not Qt's).
  XAutoRepeatOn(display);
  XkbChangeEnabledControls(display, XkbUseCoreKbd, XkbRepeatKeysMask, XkbRepeatKeysMask);
  XkbSetAutoRepeatRate(display, XkbUseCoreKbd, static_cast<unsigned>(repeat_delay_ms),
                       static_cast<unsigned>(repeat_interval_ms));
  XSync(display, False);
  return std::unique_ptr<XKeyboard>(new XKeyboard(display));
}

XKeyboard::~XKeyboard() { XCloseDisplay(display_); }

unsigned XKeyboard::KeyCode(std::uint16_t vk) const {
  const KeySym sym = KeySymOf(vk);
  return sym == NoSymbol ? 0 : XKeysymToKeycode(display_, sym);
}

void XKeyboard::Send(unsigned key_code, bool down) {
  XTestFakeKeyEvent(display_, key_code, down ? True : False, CurrentTime);
  XSync(display_, False);
}

}  // namespace platform::qt::testkit
