#include "platform/qt/testkit/x_keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

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
  XkbSetAutoRepeatRate(display, XkbUseCoreKbd, static_cast<unsigned>(repeat_delay_ms),
                       static_cast<unsigned>(repeat_interval_ms));
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  const Window clock_window =
      XCreateWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, CopyFromParent, InputOnly,
                    CopyFromParent, CWEventMask, &attributes);
  const Atom clock_atom = XInternAtom(display, "DOMIVOX_TEST_KEYBOARD_CLOCK", False);
  auto keyboard = std::unique_ptr<XKeyboard>(new XKeyboard(display, clock_window, clock_atom));
  keyboard->SetRepeat(true);
  return keyboard;
}

XKeyboard::~XKeyboard() {
  XDestroyWindow(display_, clock_window_);
  XCloseDisplay(display_);
}

unsigned XKeyboard::KeyCode(std::uint16_t vk) const {
  const KeySym sym = KeySymOf(vk);
  return sym == NoSymbol ? 0 : XKeysymToKeycode(display_, sym);
}

void XKeyboard::Send(unsigned key_code, bool down) {
  XTestFakeKeyEvent(display_, key_code, down ? True : False, CurrentTime);
  XSync(display_, False);
}

unsigned long XKeyboard::LetGo(unsigned key_code) {
  SetRepeat(false);
  // Events carry the server's time in whole ms: a repeat made in the ms of the time asked for
  // could carry that time too.
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  const unsigned long after_repeats = ServerTime();
  Send(key_code, false);
  SetRepeat(true);
  return after_repeats;
}

unsigned long XKeyboard::FocusWindow() const {
  Window focus = 0;
  int revert_to = 0;
  XGetInputFocus(display_, &focus, &revert_to);
  return focus == PointerRoot ? 0 : focus;
}

void XKeyboard::SetRepeat(bool on) {
  XkbChangeEnabledControls(display_, XkbUseCoreKbd, XkbRepeatKeysMask, on ? XkbRepeatKeysMask : 0);
  XSync(display_, False);
}

// The server stamps a property change with its time.
unsigned long XKeyboard::ServerTime() {
  XChangeProperty(display_, clock_window_, clock_atom_, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
  XEvent event;
  XWindowEvent(display_, clock_window_, PropertyChangeMask, &event);
  return event.xproperty.time;
}

}  // namespace platform::qt::testkit
