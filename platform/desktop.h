// The desktop's shell and mail program, in place of the Windows shell's open verb and Simple
// MAPI: two seams, each with a recording twin for tests (recording_desktop.h).
//
// Texts cross these interfaces as the system's Windows-1252 bytes; the real implementations
// convert them to UTF-8 and start the freedesktop tools (xdg-open, xdg-email) with an argument
// list, never through a shell. The current instances are process-wide: the system ones unless
// a ScopedDesktop installed others.
#pragma once

#include <string>
#include <vector>

#include "platform/win_errors.h"

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a link, a mail address ("mailto:...") or a file with the program the desktop has for
  // it, without waiting for that program. kErrorSuccess when the opener started.
  virtual WinError Open(const std::string& target) = 0;
  // Starts a program with the arguments, without waiting. kErrorSuccess when it started.
  virtual WinError Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

struct MailRequest {
  std::string subject;
  std::string body;
  std::string recipient;                 // an address; empty: the user fills it in
  std::vector<std::string> attachments;  // paths of the files to attach

  friend bool operator==(const MailRequest&, const MailRequest&) = default;
};

// The answers of a mail hand-over, in xdg-email's exit codes.
inline constexpr int kMailHandedOver = 0;   // the mail program was started with the mail
inline constexpr int kMailFileMissing = 2;  // an attachment cannot be read
inline constexpr int kMailToolMissing = 3;  // there is no xdg-email
inline constexpr int kMailNotStarted = -1;  // it could not be started for another reason

class Mailer {
 public:
  virtual ~Mailer() = default;
  // Hands the mail to the desktop's mail program, which shows it to the user for sending, and
  // returns as soon as the program started, without waiting for the user.
  virtual int Send(const MailRequest& mail) = 0;
};

// The system's: xdg-open and xdg-email.
class SystemShell final : public Shell {
 public:
  WinError Open(const std::string& target) override;
  WinError Start(const std::string& program, const std::vector<std::string>& arguments) override;
};

class SystemMailer final : public Mailer {
 public:
  int Send(const MailRequest& mail) override;
};

// The arguments SystemMailer passes to xdg-email (UTF-8): subject and body when not empty,
// every attachment, then the recipient.
std::vector<std::string> XdgEmailArguments(const MailRequest& mail);

Shell& CurrentShell();
Mailer& CurrentMailer();

// Installs the given seams (nullptr keeps the current one) for the lifetime of the object; the
// caller keeps ownership.
class ScopedDesktop {
 public:
  ScopedDesktop(Shell* shell, Mailer* mailer);
  ~ScopedDesktop();
  ScopedDesktop(const ScopedDesktop&) = delete;
  ScopedDesktop& operator=(const ScopedDesktop&) = delete;

 private:
  Shell* previous_shell_;
  Mailer* previous_mailer_;
};

}  // namespace platform
