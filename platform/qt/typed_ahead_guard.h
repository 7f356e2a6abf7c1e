// How a question or notice tells the operator's answer from keys typed ahead.
//
// A form that asks (TForm::SetIgnoresKeysTypedAhead) must not take keys meant for the window
// behind it: the next call typed on while the question opens, or a QSO typed, eyes on the radio,
// into a question that has stood for a while. It holds back a key pressed
// - within kShowPauseMs after its window became visible (exposed): nobody answers a window that
//   fast, so the key was on its way before the question showed; or
// - within kTypingGapMs after the key pressed before it, wherever that one went: a run of typing
//   (a held-down key's repeats included) goes on and answers nothing.
// Any other key answers at once, as a key pressed on purpose. A key held back is a press of the
// run like any other: it holds back nothing beyond its own kTypingGapMs. A key's release is held
// back with its press, and any release before the pause after the showing is over.
//
// The figures: fluent typing comes 100 to 200 ms a key, a contest operator's call faster; the
// quickest reaction to something seen takes some 200 ms, and an operator who presses again
// because nothing happened does so 300 ms or more after the key before. Both pauses lie between.
//
// Times are the clock service's monotonic milliseconds. Qt-free: the application's one event
// entry feeds it (application.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <set>

namespace platform::qt {

inline constexpr std::uint64_t kShowPauseMs = 220;
inline constexpr std::uint64_t kTypingGapMs = 220;

// The keyboard's presses, wherever they go: whether a press continues a run of typing.
class TypingRun {
 public:
  // Whether a press at `now_ms` comes within kTypingGapMs of the press before it.
  bool Continues(std::uint64_t now_ms) const;
  // A press at `now_ms`: answers Continues, and it is the press before the next from now on.
  bool Press(std::uint64_t now_ms);

 private:
  std::optional<std::uint64_t> last_press_ms_;
};

// The guard of one form: off until switched on; each showing starts it anew.
class TypedAheadGuard {
 public:
  bool On() const { return on_; }
  void SetOn(bool on) { on_ = on; }
  // The form shows: it is visible only once its window is exposed.
  void Shown();
  // Its window is exposed (or no longer) at `now_ms`.
  void Exposed(bool exposed, std::uint64_t now_ms);
  // The operator has read the form (the test kit's modal driver): every key is taken until the
  // form shows again.
  void End() { ended_ = true; }

  // Whether the form takes the press of `key` at `now_ms`; `in_run`: the press continues a run
  // of typing (TypingRun).
  bool TakesPress(int key, bool in_run, std::uint64_t now_ms);
  // Whether the form takes the release of `key` at `now_ms`.
  bool TakesRelease(int key, std::uint64_t now_ms);

 private:
  // Whether `now_ms` lies before the pause after the showing is over (or before the showing).
  bool Early(std::uint64_t now_ms) const;

  bool on_ = false;
  bool ended_ = false;
  std::optional<std::uint64_t> exposed_ms_;
  std::set<int> held_back_;  // keys whose press was held back, until their release
};

}  // namespace platform::qt
