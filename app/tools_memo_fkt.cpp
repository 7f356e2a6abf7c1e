#include "app/tools_memo_fkt.h"

#include "app/tools_fkt.h"
#include "common/current_folder.h"
#include "common/file_paths.h"
#include "common/messages.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "output/output_texts.h"
#include "output/print_settings.h"
#include "platform/qt/print_text.h"
#include "platform/qt/printer.h"
#include "ui/url_label.h"
#include "ui/web.h"

namespace app {
namespace {

std::string OwnCall(bool file_name_form) {
  return common::Service<logbook::ToSetups>::Get().GetOwnCall(file_name_form);
}

// The file with the current folder in front when its name holds no folder of its own.
std::string MailPath(const std::string& file_name) {
  const std::string folder = common::CurrentFolder();
  if (common::HasDriveOrFolder(file_name) || file_name.find(folder) != std::string::npos) {
    return file_name;
  }
  return common::AddBackslash(folder) + file_name;
}

// Asks for the recipient's address, the default proposed; false when cancelled.
bool AskAddress(const std::string& default_address, std::string& address) {
  address = default_address;
  return TToolsFkt::InputLine("Datei mit EMail versenden",
                              "An welche EMail-Adresse soll die Datei verschickt werden?", address,
                              255, "", false, 0, 0);
}

}  // namespace

std::string TToolsMemoFkt::MailtoText(const std::string& address, const std::string& path) {
  return "mailto:" + ui::PercentEncoded(address, "@") +
         "?subject=" + ui::PercentEncoded("Datei von " + OwnCall(false)) + "&body=" +
         ui::PercentEncoded("Fuegen Sie jetzt als EMail-Anlage die folgende Datei ein: " + path);
}

void TToolsMemoFkt::SendFileByMAPI(const std::string& file_name,
                                   const std::string& default_address) {
  const std::string path = MailPath(file_name);
  std::string address;
  if (!AskAddress(default_address, address)) return;
  ui::TMailMessage mail;
  mail.subject = "Datei " + OwnCall(true);
  mail.body = "In der Anlage dieser EMail befindet sich die Datei von " + OwnCall(false) + ".";
  mail.recipient_name = address;
  mail.recipient_address = "SMTP:" + address;
  mail.attachment_name = path;
  mail.attachment_path = path;
  ui::TWebSS::SendMail(mail);
}

void TToolsMemoFkt::SendFileByMailto(const std::string& file_name,
                                     const std::string& default_address) {
  const std::string path = MailPath(file_name);
  std::string address;
  if (!AskAddress(default_address, address)) return;
  if (ui::TWebSS::OpenLink(MailtoText(address, path))) return;
  common::Service<common::ToMessages>::Get().Hinweis(
      "Hinweis", "EMail-Versand",
      "Das EMail-Programm konnte nicht gestartet werden. Bitte senden Sie die Datei " + path +
          " selbst.",
      false);
}

void TToolsMemoFkt::PrintText(const std::vector<std::string>& lines,
                              const platform::qt::TFont& font, const std::string& title) {
  TPrintDialogValues values;
  values.further = 22;
  values.left = 15;
  values.right = -1;
  values.top = 20;
  values.bottom = -1;
  if (!TToolsFkt::PrintDialog(values)) return;
  // The margins just confirmed in the dialog, measured from the printable page.
  output::TPrintSS& ss = common::Service<output::TPrintSS>::Get();
  const platform::qt::TRect area{ss.MmToDots(true, true, ss.LeftMargin),
                                 ss.MmToDots(false, true, ss.TopMargin),
                                 ss.PageWidth() - ss.MmToDots(true, true, ss.RightMargin),
                                 ss.PageHeight() - ss.MmToDots(false, true, ss.BottomMargin)};
  platform::qt::TPrinter& printer = platform::qt::Printer();
  if (!platform::qt::PrintLines(printer, lines, title, font, area)) {
    common::Service<common::ToMessages>::Get().Fehler(output::JobFailedText(printer));
  }
}

}  // namespace app
