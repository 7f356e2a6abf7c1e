#include "platform/desktop.h"

#include <unistd.h>

#include "platform/process.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

SystemShell system_shell;
SystemMailer system_mailer;
Shell* current_shell = &system_shell;
Mailer* current_mailer = &system_mailer;

}  // namespace

WinError SystemShell::Open(const std::string& target) {
  return StartProgram("xdg-open", {Cp1252ToUtf8(target)});
}

WinError SystemShell::Start(const std::string& program,
                            const std::vector<std::string>& arguments) {
  std::vector<std::string> converted;
  for (const std::string& argument : arguments) converted.push_back(Cp1252ToUtf8(argument));
  return StartProgram(Cp1252ToUtf8(program), converted);
}

int SystemMailer::Send(const MailRequest& mail) {
  // xdg-email runs the mail program in the foreground and waits for it; the window thread must
  // not. What xdg-email would find wrong with the mail itself is found here beforehand.
  for (const std::string& path : mail.attachments) {
    if (::access(Cp1252ToUtf8(path).c_str(), R_OK) != 0) return kMailFileMissing;
  }
  const WinError started = StartProgram("xdg-email", XdgEmailArguments(mail));
  if (started == kErrorSuccess) return kMailHandedOver;
  return started == kErrorFileNotFound ? kMailToolMissing : kMailNotStarted;
}

std::vector<std::string> XdgEmailArguments(const MailRequest& mail) {
  std::vector<std::string> arguments{"--utf8"};
  if (!mail.subject.empty()) arguments.insert(arguments.end(), {"--subject", Cp1252ToUtf8(mail.subject)});
  if (!mail.body.empty()) arguments.insert(arguments.end(), {"--body", Cp1252ToUtf8(mail.body)});
  for (const std::string& path : mail.attachments) {
    arguments.insert(arguments.end(), {"--attach", Cp1252ToUtf8(path)});
  }
  if (!mail.recipient.empty()) arguments.push_back(Cp1252ToUtf8(mail.recipient));
  return arguments;
}

Shell& CurrentShell() { return *current_shell; }
Mailer& CurrentMailer() { return *current_mailer; }

ScopedDesktop::ScopedDesktop(Shell* shell, Mailer* mailer)
    : previous_shell_(current_shell), previous_mailer_(current_mailer) {
  if (shell != nullptr) current_shell = shell;
  if (mailer != nullptr) current_mailer = mailer;
}

ScopedDesktop::~ScopedDesktop() {
  current_shell = previous_shell_;
  current_mailer = previous_mailer_;
}

}  // namespace platform
