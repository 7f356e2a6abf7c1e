#include "platform/qt/testkit/real_keyboard.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QObject>
#include <QWindow>
#include <map>

#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/window_frame.h"
#include "platform/qt/testkit/x_keyboard.h"

namespace platform::qt::testkit {

// Counts the keys that reached the application, by X key code. Each press and release enters
// the application once for its window (and then again for the control with the focus, where a
// form may hold it back): the window's is the one counted.
struct RealKeyboard::Arrivals : QObject {
  struct Count {
    int presses = 0;  // the first press of a key going down
    int repeats = 0;
    int releases = 0;                // the key going up, its repeats' releases not counted
    std::uint32_t release_time = 0;  // the server's time of the last of them
  };
  std::map<unsigned, Count> counts;

  Arrivals() { QCoreApplication::instance()->installEventFilter(this); }

  bool eventFilter(QObject* receiver, QEvent* event) override {
    const bool press = event->type() == QEvent::KeyPress;
    if (!receiver->isWindowType() || (!press && event->type() != QEvent::KeyRelease)) {
      return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    Count& count = counts[key->nativeScanCode()];
    if (press) {
      ++(key->isAutoRepeat() ? count.repeats : count.presses);
    } else if (!key->isAutoRepeat()) {
      ++count.releases;
      count.release_time = static_cast<std::uint32_t>(key->timestamp());
    }
    return false;
  }
};

RealKeyboard::RealKeyboard() {
  // Only where Qt itself listens to the X server.
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) return;
  keyboard_ = XKeyboard::Open(kRepeatDelayMs, kRepeatIntervalMs);
  if (keyboard_ != nullptr) arrivals_ = std::make_unique<Arrivals>();
}

RealKeyboard::~RealKeyboard() {
  // A key left down would go on repeating into whatever runs next.
  if (held_ != 0) keyboard_->Send(held_, false);
}

bool RealKeyboard::Press(std::uint16_t vk, TShiftState shift) {
  if (!Available()) return false;
  const unsigned code = keyboard_->KeyCode(vk);
  const unsigned shift_code = (shift & ssShift) != 0 ? keyboard_->KeyCode(VK_SHIFT) : 0;
  if (code == 0 || !WaitForTheFocus()) return false;
  const Arrivals::Count before = arrivals_->counts[code];
  const int shift_releases = arrivals_->counts[shift_code].releases;
  // Down and up together, as a quick finger: a wait between could let the server repeat the key.
  if (shift_code != 0) keyboard_->Send(shift_code, true);
  keyboard_->Send(code, true);
  keyboard_->Send(code, false);
  if (shift_code != 0) keyboard_->Send(shift_code, false);
  return WaitUntil([&] {
    const Arrivals::Count& now = arrivals_->counts[code];
    return now.presses > before.presses && now.releases > before.releases &&
           (shift_code == 0 || arrivals_->counts[shift_code].releases > shift_releases);
  });
}

bool RealKeyboard::Type(std::string_view text, const std::function<void()>& before_each_key) {
  for (const char c : text) {
    TShiftState shift = 0;
    const std::uint16_t vk = KeyOfCharacter(c, shift);
    if (vk == 0) return false;
    if (before_each_key) before_each_key();
    if (!Press(vk, shift)) return false;
  }
  return true;
}

bool RealKeyboard::Hold(std::uint16_t vk) {
  if (!Available() || held_ != 0) return false;
  const unsigned code = keyboard_->KeyCode(vk);
  if (code == 0 || !WaitForTheFocus()) return false;
  const int presses = arrivals_->counts[code].presses;
  held_ = code;
  keyboard_->Send(code, true);
  return WaitUntil([&] { return arrivals_->counts[code].presses > presses; });
}

bool RealKeyboard::WaitForRepeats(int count) {
  if (held_ == 0) return false;
  const int repeats = arrivals_->counts[held_].repeats + count;
  return WaitUntil([&] { return arrivals_->counts[held_].repeats >= repeats; });
}

bool RealKeyboard::Release(std::uint16_t vk) {
  if (!Available()) return false;
  const unsigned code = keyboard_->KeyCode(vk);
  if (code == 0 || code != held_) return false;
  held_ = 0;
  // Qt tells a repeat by the press that follows its release at once; when the press is late, the
  // release reads as the key's, and a repeat still on its way would follow. The key's own
  // release is the one the server makes after its repeats.
  const std::uint32_t after_repeats = static_cast<std::uint32_t>(keyboard_->LetGo(code));
  return WaitUntil([&] {
    const Arrivals::Count& now = arrivals_->counts[code];
    return now.releases > 0 && static_cast<std::int32_t>(now.release_time - after_repeats) >= 0;
  });
}

bool RealKeyboard::WaitForTheFocus() {
  return WaitUntil([&] {
    const QWindow* window = QGuiApplication::focusWindow();
    return window != nullptr && keyboard_->FocusWindow() == window->winId();
  });
}

}  // namespace platform::qt::testkit
