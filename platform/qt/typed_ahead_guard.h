// How a question or notice tells the operator's answer from keys typed ahead.
//
// A form that asks (TForm::SetIgnoresKeysTypedAhead) must not take keys meant for the window
// behind it: the next call typed on while the question opens, or a QSO typed, eyes on the radio,
// into a question that has stood for a while. It holds back a key pressed
// - within kShowPauseMs after its window became visible (exposed): nobody answers a window that
//   fast, so the key was on its way before the question showed;
// - within kTypingGapMs after the key pressed before it, wherever that one went, or marked by the
//   window system as a repeat of a held key: a run of typing goes on and answers nothing.
// A character (a letter, a digit: an answer's accelerator) waits: it is taken once kTypingGapMs
// passed with no other key, and held back with the run when one follows, for then it was the
// first key of a run. Once a character was pressed at the form without answering it (someone
// typing at it, unseen: held back, or taken as it waited but no accelerator), every key that
// could answer it (a character, Enter, Esc, Tab, the space bar) is held back until
// kQuietBeforeConfirmMs passed since the last character pressed there, so that a QSO typed at it,
// at any pace, answers nothing by its letters, its Tab or its Enter. A character held back so
// starts that time anew; Enter and its kin do not, so that Enter pressed again and again answers
// once it is over. One exception: the same character pressed again, no faster than the typing
// gap, is the operator insisting, and waits as a lone one does. Any other key answers at once,
// as a key pressed on purpose.
// A key's release is held back with its press, a repeat's always, and any release before the
// pause after the showing is over.
//
// The figures: fluent typing comes 100 to 200 ms a key, a contest operator's call faster; the
// quickest reaction to something seen takes some 200 ms, and an operator who presses again
// because nothing happened does so 300 ms or more after the key before. Both pauses lie between.
// A typist who looks up from the radio to the screen, reads a question and decides takes a
// second and more; the pause before the Enter of a typed QSO, a glance at the exchange, is
// shorter.
//
// Times are the clock service's monotonic milliseconds. Qt-free: the application's one event
// entry feeds it (impl/typed_ahead_keys.h).
#pragma once

#include <cstdint>
#include <optional>
#include <set>

namespace platform::qt {

inline constexpr std::uint64_t kShowPauseMs = 220;
inline constexpr std::uint64_t kTypingGapMs = 220;
inline constexpr std::uint64_t kQuietBeforeConfirmMs = 1000;

// What a key may do to a question.
enum class KeyKind {
  kModifier,    // Shift, Ctrl, Alt and their kin: type nothing, answer nothing, make no run
  kCharacter,   // a letter, digit or sign: an answer's accelerator
  kConfirming,  // Enter, Esc, Tab, the space bar: press or choose a button
  kOther,       // arrows, function keys, Backspace and the like
};

// A key press as the keyboard's run of typing sees it.
struct KeyPress {
  int key = 0;
  KeyKind kind = KeyKind::kOther;
  std::uint64_t now_ms = 0;
  bool in_run = false;  // it continues a run of typing (TypingRun)
  bool again = false;   // the same key as the press before it
};

// The keyboard's presses, wherever they go: whether a press continues a run of typing.
class TypingRun {
 public:
  // The press of `key` at `now_ms` (`repeat`: the window system repeats a held key), judged
  // against the presses before it; Press records it.
  KeyPress Judge(int key, KeyKind kind, bool repeat, std::uint64_t now_ms) const;
  void Press(int key, std::uint64_t now_ms) {
    last_key_ = key;
    last_press_ms_ = now_ms;
  }

 private:
  int last_key_ = 0;
  std::optional<std::uint64_t> last_press_ms_;
};

// What a form does with a key press.
enum class PressVerdict {
  kTake,      // at once
  kHoldBack,  // never
  kWait,      // once kTypingGapMs passed with no other key (Followed otherwise)
};

// The guard of one form: off until switched on; each showing starts it anew.
class TypedAheadGuard {
 public:
  bool On() const { return on_; }
  void SetOn(bool on) { on_ = on; }
  // Whether it judges keys now: on, and not ended for this showing.
  bool Active() const { return on_ && !ended_; }
  // The form shows: it is visible only once its window is exposed.
  void Shown();
  // Counts the showings: a key that waited belongs to the showing it was pressed in.
  std::uint64_t Showing() const { return showing_; }
  // Its window is exposed (or no longer) at `now_ms`.
  void Exposed(bool exposed, std::uint64_t now_ms);
  // The operator has read the form (the test kit's modal driver): every key is taken until the
  // form shows again.
  void End() { ended_ = true; }

  // What the form does with `press`; a press it holds back holds back its release.
  PressVerdict Press(const KeyPress& press);
  // The character that waited was followed by another key within kTypingGapMs: it was the
  // first of a run and is held back (its release too, unless `released` already).
  void Followed(int key, bool released);
  // Whether the form takes the release of `key` at `now_ms` (`repeat`: of a held key).
  bool TakesRelease(int key, bool repeat, std::uint64_t now_ms);

 private:
  // Whether `now_ms` lies before the pause after the showing is over (or before the showing).
  bool Early(std::uint64_t now_ms) const;
  // Whether a character was pressed at it in this showing less than kQuietBeforeConfirmMs
  // before `now_ms`.
  bool TypedAtLately(std::uint64_t now_ms) const;
  PressVerdict Judge(const KeyPress& press) const;

  bool on_ = false;
  bool ended_ = false;
  std::uint64_t showing_ = 0;
  std::optional<std::uint64_t> exposed_ms_;
  std::optional<std::uint64_t> last_typed_ms_;  // the last character pressed at it
  std::set<int> held_back_;  // keys whose press was held back, until their release
};

}  // namespace platform::qt
