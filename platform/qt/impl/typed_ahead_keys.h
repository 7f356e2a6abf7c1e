// The keyboard's way into the forms (layer-internal). Every key event of the window system enters
// here before anything sees it: the run of typing counts each press once, however often the
// dispatch hands it on (first to the window, then to the focused widget), and a form that
// ignores keys typed ahead (typed_ahead_guard.h) judges its keys here. A character it lets wait
// is held with its release and delivered to the same widget once the typing gap passed with no
// other key, by a timer of the window system, or before the next key event if that comes first;
// it is dropped when its form no longer shows the showing it was pressed in, or was answered
// meanwhile.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/qt/typed_ahead_guard.h"

namespace platform::qt {
class TForm;
}

namespace platform::qt::impl {

class TypedAheadKeys {
 public:
  TypedAheadKeys();
  ~TypedAheadKeys();
  TypedAheadKeys(const TypedAheadKeys&) = delete;
  TypedAheadKeys& operator=(const TypedAheadKeys&) = delete;

  // A key event (press, release, shortcut override) for `receiver`, a part of `form` (null for
  // none, or for the window the event enters first): runs `deliver` unless the form holds the
  // key back or lets it wait; answers what the event's dispatch answers.
  bool Enter(TForm* form, QObject* receiver, QEvent* event, const std::function<bool()>& deliver);
  // The character that waited is delivered if its wait is over on the clock service.
  void DeliverDue();

 private:
  struct Press {
    const QEvent* event = nullptr;
    KeyPress judged;
  };
  struct Waiting {
    TForm* form = nullptr;
    std::weak_ptr<const bool> form_alive;
    std::uint64_t showing = 0;
    QPointer<QObject> receiver;
    std::unique_ptr<QKeyEvent> press;
    std::unique_ptr<QKeyEvent> release;  // once it came
    std::uint64_t due_ms = 0;
  };

  // What `form`'s guard does with the press or release `event` for `receiver`.
  bool Decide(TForm& form, QObject* receiver, QKeyEvent* event,
              const std::function<bool()>& deliver);
  // The character that waited was followed by another key: it was the first of a run.
  void Followed();
  void Replay(QObject* receiver, QKeyEvent& event);
  void OnTimer();

  // Whether the press repeats a held key: so marked, or, as the window system's own rule has it,
  // stamped with the time of the same key's release just before it (a reader that has not yet
  // seen the press when it passes the release leaves both unmarked).
  bool Repeats(const QKeyEvent& press) const;

  TypingRun typing_;
  Press press_;  // the press on its way through the dispatch
  struct {
    int key = 0;
    std::uint64_t timestamp = 0;
  } last_release_;
  std::optional<Waiting> waiting_;
  const QEvent* replay_ = nullptr;  // a waited character on its way
  QTimer timer_;
};

// What the window system's timer does for the keyboard when its interval is over (the test kit
// ticks it, testkit/ticks.h).
void TickTypedAheadKeys();

}  // namespace platform::qt::impl
