#include "platform/qt/testkit/modal_driver.h"

#include "platform/qt/application.h"

namespace platform::qt::testkit {

ModalDriver::ModalDriver() : previous_(Application().OnModalStarted) {
  Application().OnModalStarted = [this](TForm& form) {
    seen_.push_back(form.Name().empty() ? form.Caption() : form.Name());
    if (answers_.empty()) {
      ++unanswered_;
      form.SetModalResult(mrCancel);
      return;
    }
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    answer(form);
  };
}

ModalDriver::~ModalDriver() { Application().OnModalStarted = previous_; }

void ModalDriver::Then(std::function<void(TForm&)> answer) {
  answers_.push_back(std::move(answer));
}

void ModalDriver::ThenReturn(TModalResult result) {
  Then([result](TForm& form) { form.SetModalResult(result); });
}

}  // namespace platform::qt::testkit
