// Recording twins of the desktop seams (desktop.h) for tests: they start nothing, record every
// call and answer what the test set.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace platform {

class RecordingShell final : public Shell {
 public:
  struct Call {
    std::string program;  // empty for Open
    std::vector<std::string> arguments;  // Open: the target alone
    friend bool operator==(const Call&, const Call&) = default;
  };

  WinError Open(const std::string& target) override {
    calls.push_back({"", {target}});
    return answer;
  }
  WinError Start(const std::string& program, const std::vector<std::string>& arguments) override {
    calls.push_back({program, arguments});
    return answer;
  }

  std::vector<Call> calls;
  WinError answer = kErrorSuccess;
};

class RecordingMailer final : public Mailer {
 public:
  int Send(const MailRequest& mail) override {
    mails.push_back(mail);
    return answer;
  }

  std::vector<MailRequest> mails;
  int answer = kMailHandedOver;
};

}  // namespace platform
