#include "platform/qt/testkit/modal_driver.h"

#include "platform/qt/application.h"
#include "platform/qt/testkit/window_frame.h"

namespace platform::qt::testkit {

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
      WaitUntilExposed(form);  // nobody presses a key into a window before it is visible
    } else {
      form.EndTypedAheadGuard();
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
