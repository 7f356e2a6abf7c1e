// ModalDriver: answers the modal forms a test opens, so that ShowModal returns without a person.
//
// Each modal form that starts its loop while the driver lives takes the next answer, which runs
// inside that form's modal loop (it may type, click or set ModalResult), as an operator who has
// read the form: a question's guard against keys typed ahead is off. A modal form that finds no
// answer is counted and closed with mrCancel, so a test never hangs on an unexpected dialog.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/form.h"

namespace platform::qt::testkit {

class ModalDriver {
 public:
  ModalDriver();
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // The next modal form runs `answer`.
  void Then(std::function<void(TForm&)> answer);
  // The next modal form runs `answer` as soon as the window system shows it, its guard against
  // keys typed ahead still on.
  void ThenTypedAhead(std::function<void(TForm&)> answer);
  // The next modal form ends with `result`.
  void ThenReturn(TModalResult result);

  // Names (else captions) of the modal forms seen, in order.
  const std::vector<std::string>& Seen() const { return seen_; }
  // Modal forms that found no answer.
  int Unanswered() const { return unanswered_; }
  std::size_t Pending() const { return answers_.size(); }

 private:
  struct Answer {
    std::function<void(TForm&)> run;
    bool typed_ahead = false;
  };
  std::deque<Answer> answers_;
  std::vector<std::string> seen_;
  int unanswered_ = 0;
  std::function<void(TForm&)> previous_;
};

}  // namespace platform::qt::testkit
