#include "platform/qt/typed_ahead_guard.h"

namespace platform::qt {

bool TypingRun::Continues(std::uint64_t now_ms) const {
  return last_press_ms_ && now_ms < *last_press_ms_ + kTypingGapMs;
}

bool TypingRun::Press(std::uint64_t now_ms) {
  const bool continues = Continues(now_ms);
  last_press_ms_ = now_ms;
  return continues;
}

void TypedAheadGuard::Shown() {
  ended_ = false;
  exposed_ms_.reset();
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

bool TypedAheadGuard::TakesPress(int key, bool in_run, std::uint64_t now_ms) {
  if (!on_ || ended_) return true;
  if (!in_run && !Early(now_ms)) return true;
  held_back_.insert(key);
  return false;
}

bool TypedAheadGuard::TakesRelease(int key, std::uint64_t now_ms) {
  if (!on_ || ended_) return true;
  const bool press_held_back = held_back_.erase(key) > 0;
  return !press_held_back && !Early(now_ms);
}

}  // namespace platform::qt
