#include "platform/qt/testkit/modal_driver.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>

#include "platform/qt/application.h"
#include "platform/qt/impl/window.h"

namespace platform::qt::testkit {
namespace {

// Runs the window system's events until it shows the form (at most a few seconds): nobody
// presses a key into a window before it is visible.
void WaitUntilExposed(TForm& form) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  const QWidget* widget = form.Window().widget;
  while (widget != nullptr && std::chrono::steady_clock::now() < deadline &&
         (widget->windowHandle() == nullptr || !widget->windowHandle()->isExposed())) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
}

}  // namespace

ModalDriver::ModalDriver() : previous_(Application().OnModalStarted) {
  Application().OnModalStarted = [this](TForm& form) {
    seen_.push_back(form.Name().empty() ? form.Caption() : form.Name());
    if (answers_.empty()) {
      ++unanswered_;
      form.SetModalResult(mrCancel);
      return;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer.typed_ahead) {
      WaitUntilExposed(form);
    } else {
      form.EndTypedAheadPause();
    }
    answer.run(form);
  };
}

ModalDriver::~ModalDriver() { Application().OnModalStarted = previous_; }

void ModalDriver::Then(std::function<void(TForm&)> answer) {
  answers_.push_back({std::move(answer), false});
}

void ModalDriver::ThenTypedAhead(std::function<void(TForm&)> answer) {
  answers_.push_back({std::move(answer), true});
}

void ModalDriver::ThenReturn(TModalResult result) {
  Then([result](TForm& form) { form.SetModalResult(result); });
}

}  // namespace platform::qt::testkit
