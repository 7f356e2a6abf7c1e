#include "ui/web.h"

#include <algorithm>
#include <vector>

#include "common/current_folder.h"
#include "common/file_ops.h"
#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "platform/desktop.h"

namespace ui {
namespace {

constexpr char kSlashedZero = static_cast<char>(216);

common::ToMessages& Messages() { return common::Service<common::ToMessages>::Get(); }

bool Holds(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

std::string WithoutSmtp(const std::string& address) {
  return common::UpperCase(address.substr(0, 5)) == "SMTP:" ? address.substr(5) : address;
}

struct ErrorText {
  int code;
  const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {2, "EMail-Versand: Unbekannter Fehler."},
    {3, "EMail-Versand: Benutzerlogin (z.B. bei Outlook) fehlgeschlagen."},
    {5, "EMail-Versand: Nicht genug Speicher."},
    {9, "EMail-Versand: Zu viele Dateien zum Anhängen."},
    {10, "EMail-Versand: Zu viele Empfänger angegeben."},
    {11, "EMail-Versand: Datei zum Anhängen nicht gefunden"},
    {12, "EMail-Versand: Datei zum Anhängen konnte nicht geöffnet werden."},
    {14, "EMail-Versand: Empfänger nicht in Adressbuch gefunden. "
         "(Nur möglich, wenn Emailadresse nicht angegeben.)"},
    {15, "EMail-Versand: Empfängertyp nicht MAPI_TO, MAPI_CC oder MAPI_BCC."},
    {18, "EMail-Versand: Text zu groß."},
    {21, "EMail-Versand: Empfänger nicht eindeutig. (Nur möglich, wenn Emailadresse nicht "
         "angegeben.)"},
    {25, "EMail-Versand: Empfänger nicht eindeutig. (Nur möglich, wenn Emailadresse nicht "
         "angegeben.)"},
};

void MailNotice(const std::string& text) { Messages().Hinweis("Hinweis", "EMail-Versand", text, false); }

}  // namespace

bool TWebSS::OpenLink(const std::string& link) {
  std::string target = common::ReplaceChar(link, kSlashedZero, '0');
  if (Holds(target, "@") && !Holds(target, "http://") && !Holds(target, "https://") &&
      !Holds(common::UpperCase(target), "MAILTO")) {
    target = "mailto:" + target;
  }
  return platform::CurrentShell().Open(target) == platform::kErrorSuccess;
}

bool TWebSS::SendMail(const TMailMessage& mail) {
  if (!mail.attachment_path.empty() && !common::FileExists(mail.attachment_path)) {
    Messages().Hinweis("", "", "Datei nicht gefunden \"" + mail.attachment_path + "\"", false);
    return false;
  }
  platform::MailRequest request{mail.subject, mail.body, WithoutSmtp(mail.recipient_address), {}};
  for (const std::string* path : {&mail.attachment_path, &mail.attachment2_path}) {
    if (!path->empty()) request.attachments.push_back(common::ResolvePath(*path));
  }
  // The mail program runs on its own; only a hand-over that failed is worth a word.
  const int code = MapiCode(platform::CurrentMailer().Send(request));
  if (code == kMapiSuccess) return true;
  ReportMailResult(code);
  return false;
}

int TWebSS::MapiCode(int exit_code) {
  switch (exit_code) {
    case platform::kMailHandedOver:
      return kMapiSuccess;
    case platform::kMailFileMissing:
      return kMapiAttachmentNotFound;
    case platform::kMailToolMissing:
    case platform::kMailNotStarted:
      return kMapiUserAbort;
    default:
      return kMapiFailure;
  }
}

void TWebSS::ReportMailResult(int code) {
  if (code == kMapiSuccess) return MailNotice("Erfolgreich !");
  if (code == kMapiUserAbort) {
    return MailNotice("Benutzer hat Senden abgebrochen oder MAPI nicht installiert.");
  }
  const auto* found = std::find_if(std::begin(kErrorTexts), std::end(kErrorTexts),
                                   [code](const ErrorText& e) { return e.code == code; });
  if (found != std::end(kErrorTexts)) return Messages().Fehler(found->text);
  MailNotice("Fehler Nr." + std::to_string(code));
}

}  // namespace ui
