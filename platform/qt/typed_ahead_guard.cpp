#include "platform/qt/typed_ahead_guard.h"

namespace platform::qt {

KeyPress TypingRun::Judge(int key, KeyKind kind, bool repeat, std::uint64_t now_ms) const {
  KeyPress press;
  press.key = key;
  press.kind = kind;
  press.now_ms = now_ms;
  // A monotonic clock never goes back; one that did was replaced, and its times say nothing.
  if (last_press_ms_ && now_ms >= *last_press_ms_) {
    press.in_run = now_ms - *last_press_ms_ < kTypingGapMs;
    press.again = key == last_key_;
  }
  // A held key repeats after the keyboard's repeat delay, which may be longer than the gap.
  press.in_run = press.in_run || repeat;
  return press;
}

void TypedAheadGuard::Shown() {
  ended_ = false;
  ++showing_;
  exposed_ms_.reset();
  last_typed_ms_.reset();
  held_back_.clear();
}

void TypedAheadGuard::Exposed(bool exposed, std::uint64_t now_ms) {
  if (!exposed) {
    exposed_ms_.reset();
  } else if (!exposed_ms_) {
    exposed_ms_ = now_ms;
  }
}

bool TypedAheadGuard::Early(std::uint64_t now_ms) const {
  return !exposed_ms_ || now_ms < *exposed_ms_ + kShowPauseMs;
}

bool TypedAheadGuard::TypedAtLately(std::uint64_t now_ms) const {
  // A clock that went back was replaced; its times say nothing.
  return last_typed_ms_ && now_ms >= *last_typed_ms_ &&
         now_ms - *last_typed_ms_ < kQuietBeforeConfirmMs;
}

PressVerdict TypedAheadGuard::Judge(const KeyPress& press) const {
  if (!Active() || press.kind == KeyKind::kModifier) return PressVerdict::kTake;
  if (press.in_run || Early(press.now_ms)) return PressVerdict::kHoldBack;
  switch (press.kind) {
    case KeyKind::kCharacter:
      return TypedAtLately(press.now_ms) && !press.again ? PressVerdict::kHoldBack
                                                         : PressVerdict::kWait;
    case KeyKind::kConfirming:
      return TypedAtLately(press.now_ms) ? PressVerdict::kHoldBack : PressVerdict::kTake;
    default:
      return PressVerdict::kTake;
  }
}

PressVerdict TypedAheadGuard::Press(const KeyPress& press) {
  const PressVerdict verdict = Judge(press);
  if (verdict == PressVerdict::kHoldBack) held_back_.insert(press.key);
  // A character it held back or lets wait: somebody types at it (unless the character answers).
  if (Active() && press.kind == KeyKind::kCharacter) last_typed_ms_ = press.now_ms;
  return verdict;
}

void TypedAheadGuard::Followed(int key, bool released) {
  if (!released) held_back_.insert(key);
}

bool TypedAheadGuard::TakesRelease(int key, bool repeat, std::uint64_t now_ms) {
  if (!Active()) return true;
  const bool press_held_back = held_back_.erase(key) > 0;
  return !repeat && !press_held_back && !Early(now_ms);
}

}  // namespace platform::qt
