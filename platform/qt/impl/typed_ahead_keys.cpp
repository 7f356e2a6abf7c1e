#include "platform/qt/impl/typed_ahead_keys.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

#include "platform/environment.h"
#include "platform/qt/form.h"
#include "platform/qt/impl/real_ticks.h"

namespace platform::qt::impl {

namespace {

TypedAheadKeys* instance = nullptr;

KeyKind KindOf(const QKeyEvent& event) {
  const int key = event.key();
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
      return KeyKind::kModifier;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Space:
      return KeyKind::kConfirming;
    default:
      // Qt names the keys of Latin-1's printable characters by their code (letters upper-case).
      return key > Qt::Key_Space && key <= Qt::Key_ydiaeresis ? KeyKind::kCharacter
                                                              : KeyKind::kOther;
  }
}

std::uint64_t Now() { return CurrentClock().MonotonicMs(); }

bool Swallow(QEvent* event) {
  event->accept();
  return true;
}

}  // namespace

TypedAheadKeys::TypedAheadKeys() {
  instance = this;
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { OnTimer(); });
}

TypedAheadKeys::~TypedAheadKeys() {
  if (instance == this) instance = nullptr;
}

bool TypedAheadKeys::Enter(TForm* form, QObject* receiver, QEvent* event,
                           const std::function<bool()>& deliver) {
  if (event == replay_) return deliver();
  auto* key_event = static_cast<QKeyEvent*>(event);
  const KeyKind kind = KindOf(*key_event);
  if (kind == KeyKind::kModifier) return deliver();
  if (event->type() == QEvent::ShortcutOverride) {
    // A question takes no shortcut: its keys come as presses, which it judges.
    return form != nullptr && form->TypedAhead().Active() ? Swallow(event) : deliver();
  }
  if (event != press_.event) {
    // A waiting character goes before the key that comes after its wait; its answer may close
    // the window this key is for.
    const QPointer<QObject> alive(receiver);
    DeliverDue();
    if (alive.isNull()) return true;
  }
  if (event->type() == QEvent::KeyRelease) {
    last_release_ = {key_event->key(), key_event->timestamp()};
  }
  if (event->type() != QEvent::KeyPress || event == press_.event) {
    return form != nullptr ? Decide(*form, receiver, key_event, deliver) : deliver();
  }
  // A press enters for the window first, then for the widget with the focus (and perhaps for
  // widgets it is handed on to): it is one press of the keyboard's run of typing.
  const std::uint64_t now = Now();
  const KeyPress judged = typing_.Judge(key_event->key(), kind, Repeats(*key_event), now);
  typing_.Press(key_event->key(), now);
  if (waiting_) Followed();
  const Press outer = std::exchange(press_, Press{event, judged});
  const bool handled = form != nullptr ? Decide(*form, receiver, key_event, deliver) : deliver();
  press_ = outer;
  return handled;
}

bool TypedAheadKeys::Repeats(const QKeyEvent& press) const {
  return press.isAutoRepeat() || (press.timestamp() != 0 && last_release_.key == press.key() &&
                                  last_release_.timestamp == press.timestamp());
}

bool TypedAheadKeys::Decide(TForm& form, QObject* receiver, QKeyEvent* event,
                            const std::function<bool()>& deliver) {
  TypedAheadGuard& guard = form.TypedAhead();
  if (!guard.Active()) return deliver();
  if (event->type() == QEvent::KeyRelease) {
    if (waiting_ && waiting_->form == &form && waiting_->press->key() == event->key() &&
        !waiting_->release) {
      waiting_->release.reset(event->clone());
      return Swallow(event);
    }
    return guard.TakesRelease(event->key(), event->isAutoRepeat(), Now()) ? deliver()
                                                                          : Swallow(event);
  }
  const KeyPress& judged = press_.judged;
  switch (guard.Press(judged)) {
    case PressVerdict::kTake:
      return deliver();
    case PressVerdict::kHoldBack:
      return Swallow(event);
    case PressVerdict::kWait:
      break;
  }
  Waiting& waiting = waiting_.emplace();
  waiting.form = &form;
  waiting.form_alive = form.AliveToken();
  waiting.showing = guard.Showing();
  waiting.receiver = receiver;
  waiting.press.reset(event->clone());
  waiting.due_ms = judged.now_ms + kTypingGapMs;
  timer_.start(static_cast<int>(kTypingGapMs));
  return Swallow(event);
}

void TypedAheadKeys::Followed() {
  const Waiting waiting = std::move(*waiting_);
  waiting_.reset();
  timer_.stop();
  if (waiting.form_alive.expired()) return;
  waiting.form->TypedAhead().Followed(waiting.press->key(), waiting.release != nullptr);
}

void TypedAheadKeys::DeliverDue() {
  if (!waiting_ || Now() < waiting_->due_ms) return;
  Waiting waiting = std::move(*waiting_);
  waiting_.reset();
  timer_.stop();
  // Nothing typed at a question reaches the window behind it, nor the question's next showing,
  // nor overrides an answer given meanwhile (by the mouse).
  if (waiting.form_alive.expired() || !waiting.form->Visible() ||
      waiting.form->TypedAhead().Showing() != waiting.showing ||
      waiting.form->ModalResult() != mrNone) {
    return;
  }
  Replay(waiting.receiver, *waiting.press);
  if (waiting.release) Replay(waiting.receiver, *waiting.release);
}

void TypedAheadKeys::Replay(QObject* receiver, QKeyEvent& event) {
  if (receiver == nullptr) return;
  const QEvent* outer = std::exchange(replay_, &event);
  event.setAccepted(true);
  QCoreApplication::sendEvent(receiver, &event);
  replay_ = outer;
}

void TypedAheadKeys::OnTimer() {
  if (RealTicksHeld()) return;
  DeliverDue();
  if (waiting_) {
    timer_.start(static_cast<int>(std::max<std::uint64_t>(1, waiting_->due_ms - Now())));
  }
}

void TickTypedAheadKeys() {
  if (instance != nullptr) instance->DeliverDue();
}

}  // namespace platform::qt::impl
