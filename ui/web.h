// TWebSS: web links and e-mail through the desktop (platform/desktop.h). OpenLink opens a link,
// a mail address or a file; SendMail hands a mail with up to two attachments to the desktop's
// mail program and reports the outcome in the message dialogs (ToMessages, which must exist).
// No state: the seams are the process's current ones.
#pragma once

#include <string>

namespace ui {

// One mail; paths are system paths (resolved against the current folder), empty for none.
struct TMailMessage {
  std::string subject{};
  std::string body{};
  bool show_dialog = true;  // the desktop's mail program always shows the mail
  std::string attachment2_name{};
  std::string attachment2_path{};
  std::string attachment_name{};
  std::string attachment_path{};
  std::string recipient_address{};  // a leading "SMTP:" is dropped
  std::string recipient_name{};
  std::string sender_address{};  // the mail program sends from its own account
  std::string sender_name{};
};

// The Simple MAPI codes the report table speaks in.
inline constexpr int kMapiSuccess = 0;
inline constexpr int kMapiUserAbort = 1;
inline constexpr int kMapiFailure = 2;
inline constexpr int kMapiAttachmentNotFound = 11;

class TWebSS {
 public:
  TWebSS() = delete;

  // Slashed zeros (216) become "0"; a text with "@" and neither "http://", "https://" nor (in any
  // letter case) "MAILTO" gets "mailto:" in front; then the desktop opens it. Failures are not
  // reported to the user; the answer says whether the desktop started an opener.
  static bool OpenLink(const std::string& link);

  // A missing first attachment shows the notice "Datei nicht gefunden" with the path in quotes
  // and sends nothing. Otherwise the mail goes to the mail program, which is started without
  // waiting for it (the user may keep it open as long as they like). A hand-over that failed is
  // reported as a notice (the cancel text, "Fehler Nr." + code) or an error; a successful one
  // says nothing. True when the mail was handed over.
  static bool SendMail(const TMailMessage& mail);

  // The MAPI code for an exit code of the mail seam: 0 → 0, 2 → 11, 3 or not started → 1,
  // anything else → 2.
  static int MapiCode(int exit_code);
  // Shows the report of a MAPI code.
  static void ReportMailResult(int code);
};

}  // namespace ui
