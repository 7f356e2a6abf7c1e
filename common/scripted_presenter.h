// A presenter for tests: answers from a queue and records every call.
//
// Only questions and notices take an answer from the queue; warnings and errors have none. When the
// queue is empty the dialog's default answer is taken (yes/no by the default button, the check box
// unticked), so a test only scripts the answers it cares about and checks `calls`. `while_shown`
// runs while a dialog stands open, before it is answered: what the event loop delivers meanwhile.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "common/message_presenter.h"

namespace common {

class ScriptedPresenter final : public MessagePresenter {
 public:
  std::deque<bool> answers;
  std::vector<MessageCall> calls;
  std::function<void(const MessageCall&)> while_shown;

  bool Present(const MessageCall& call) override {
    calls.push_back(call);
    if (while_shown) while_shown(call);
    const bool answers_something = call.kind == MessageKind::kJaNeinFrage ||
                                   call.kind == MessageKind::kHinweis ||
                                   call.kind == MessageKind::kHinweisMitCheck;
    if (!answers_something) return false;
    if (answers.empty()) return call.kind == MessageKind::kJaNeinFrage && call.default_yes;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace common
