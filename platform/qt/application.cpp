#include "platform/qt/application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/environment.h"

#include "platform/qt/handler_scope.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/typed_ahead_keys.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/popup_window.h"
#include "platform/qt/system_pictures.h"

namespace platform::qt {

namespace impl {

namespace {

bool IsKeyEvent(const QEvent& event) {
  return event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease ||
         event.type() == QEvent::ShortcutOverride;
}

// The form of the control a widget belongs to, whichever of its parts the widget is; null for
// none or one being torn down.
TForm* FormOfWidget(QObject* receiver) {
  if (!receiver->isWidgetType()) return nullptr;
  const TWinControl* control = ControlOf(static_cast<QWidget*>(receiver));
  if (control == nullptr || control->IsDestroying()) return nullptr;
  TForm* form = control->ParentForm();
  return form != nullptr && !form->IsDestroying() ? form : nullptr;
}

// The form the window system shows in `window`; null for none, and for a window of a form's part
// (a combo box's pop-up list).
TForm* FormOfWindow(const QWindow* window) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowHandle() != window) continue;
    TForm* form = FormOfWidget(widget);
    return form != nullptr && form->Window().widget == widget ? form : nullptr;
  }
  return nullptr;
}

// Every event of the window system enters here: it runs as a handler of the receiving control's
// form, and a key typed ahead into a question is dropped before anything sees it.
class DispatchingApplication final : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    if (event->type() == QEvent::Expose && receiver->isWindowType()) {
      const bool handled = QApplication::notify(receiver, event);
      auto* window = static_cast<QWindow*>(receiver);
      if (TForm* form = FormOfWindow(window)) {
        form->TypedAhead().Exposed(window->isExposed(), CurrentClock().MonotonicMs());
      }
      return handled;
    }
    TForm* form = FormOfWidget(receiver);
    const auto deliver = [&] {
      const HandlerScope running(form);
      return QApplication::notify(receiver, event);
    };
    return IsKeyEvent(*event) ? keys_.Enter(form, receiver, event, deliver) : deliver();
  }

 private:
  TypedAheadKeys keys_;
};

}  // namespace

struct ApplicationData {
  std::unique_ptr<QApplication> app;
  std::unique_ptr<QTranslator> translator;  // Qt's own dialogs in the desktop's language
  std::unique_ptr<QObject> context;  // queued calls run through it
};

}  // namespace impl

namespace {

TApplication*& Instance() {
  static TApplication* instance = nullptr;
  return instance;
}

}  // namespace

TApplication::TApplication(int& argc, char** argv)
    : data_(std::make_unique<impl::ApplicationData>()) {
  if (Instance() != nullptr) {
    std::fprintf(stderr, "a second application object was made\n");
    std::abort();
  }
  Instance() = this;
  data_->app = std::make_unique<impl::DispatchingApplication>(argc, argv);
  // One look on every platform: the window system's own style would change sizes and colours.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  data_->context = std::make_unique<QObject>();
  QApplication::setFont(impl::ToQFont(TFont{}));
  QApplication::setQuitOnLastWindowClosed(false);
  data_->translator = std::make_unique<QTranslator>();
  if (data_->translator->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(data_->translator.get());
  }
  QObject::connect(data_->app.get(), &QApplication::focusChanged, data_->context.get(),
                   [](QWidget*, QWidget* now) {
                     TWinControl* control = impl::ControlOf(now);
                     if (control == nullptr) return;
                     if (TForm* form = control->ParentForm();
                         form != nullptr && !form->Released()) {
                       const HandlerScope moving(form);
                       form->FocusMoved(control);
                     }
                   });
  screen_ = MakeSystemScreenSource();
  message_box_ = std::make_unique<FormMessageBox>();
  pictures_ = std::make_unique<TPictureRegistry>();
  RegisterSystemPictures(*pictures_);
}

TApplication::~TApplication() {
  // Forms released but not yet freed go now, then every form still open, while Qt exists.
  ProcessMessages();
  TPopupWindow::CloseOpenMenu();
  while (!forms_.empty()) delete forms_.back();
  pictures_.reset();
  data_->context.reset();
  data_->translator.reset();
  data_->app.reset();
  Instance() = nullptr;
}

bool ApplicationExists() { return Instance() != nullptr; }

TApplication& Application() {
  if (Instance() == nullptr) {
    std::fprintf(stderr, "the application object was used before it was made\n");
    std::abort();
  }
  return *Instance();
}

void TApplication::Run() {
  while (!terminated_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  // What closes after the loop (a notice at shutdown) still shows modally, and a later Run runs.
  terminated_ = false;
}

void TApplication::Terminate() {
  terminated_ = true;
  if (auto* dispatcher = QCoreApplication::eventDispatcher()) dispatcher->wakeUp();
}

void TApplication::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents();
}

void TApplication::AddForm(TForm* form) { forms_.push_back(form); }

void TApplication::RemoveForm(TForm* form) {
  std::erase(forms_, form);
  if (main_form_ == form) main_form_ = nullptr;
}

TForm* TApplication::ActiveForm() const {
  TWinControl* c = impl::ControlOf(QApplication::activeWindow());
  return c != nullptr ? c->ParentForm() : nullptr;
}

TWinControl* TApplication::FocusedControl() const {
  return impl::ControlOf(QApplication::focusWidget());
}

void TApplication::SendToAllForms(const TMessage& message) {
  const std::vector<TForm*> forms = forms_;
  for (TForm* form : forms) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) continue;
    TMessage m = message;
    form->WndProc(m);
  }
}

void TApplication::PostMessage(TForm* form, const TMessage& message) {
  if (form == nullptr) return;
  Queue([alive = form->AliveToken(), form, message] {
    if (alive.expired() || form->Released()) return;
    const HandlerScope running(form);
    TMessage m = message;
    form->WndProc(m);
  });
}

void TApplication::Queue(std::function<void()> call) {
  // The call runs as a handler of the form whose handler queued it.
  TForm* form = HandlerScope::InnermostForm();
  std::weak_ptr<const bool> alive = form != nullptr ? form->AliveToken() : std::weak_ptr<const bool>();
  QMetaObject::invokeMethod(
      data_->context.get(),
      [form, alive = std::move(alive), call = std::move(call)] {
        const HandlerScope running(alive.expired() ? nullptr : form);
        call();
      },
      Qt::QueuedConnection);
}

bool TApplication::HelpCommand(int command, std::intptr_t data) {
  return OnHelp ? OnHelp(command, data) : false;
}

void TApplication::Beep() {
  if (OnBeep) {
    OnBeep();
  } else {
    QApplication::beep();
  }
}

std::string TApplication::ClipboardText() const {
  return impl::FromQString(QGuiApplication::clipboard()->text());
}

void TApplication::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(impl::ToQString(text));
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return message_box_->Show({text, caption, flags});
}

std::unique_ptr<MessageBoxPort> TApplication::SetMessageBoxPort(
    std::unique_ptr<MessageBoxPort> port) {
  if (!port) port = std::make_unique<FormMessageBox>();
  std::swap(port, message_box_);
  return port;
}

void TApplication::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  if (cursor_ != crDefault) QGuiApplication::restoreOverrideCursor();
  cursor_ = cursor;
  if (cursor_ != crDefault) {
    QGuiApplication::setOverrideCursor(
        QCursor(static_cast<Qt::CursorShape>(impl::ToQtCursorShape(cursor_))));
  }
}

}  // namespace platform::qt
