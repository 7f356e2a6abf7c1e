// A message box for tests: records every box asked for and answers from a script; with the
// script used up it answers the box's default button.
#pragma once

#include <deque>
#include <vector>

#include "platform/qt/message_box.h"

namespace platform::qt {

class ScriptedMessageBox final : public MessageBoxPort {
 public:
  std::deque<int> answers;
  std::vector<MessageBoxCall> calls;

  int Show(const MessageBoxCall& call) override {
    calls.push_back(call);
    if (answers.empty()) return MessageBoxDefault(call.flags);
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace platform::qt
