// The text window's function object: sending a file by e-mail, with the desktop's mail program
// (the file attached) or through a mailto link (the user attaches the file), and printing a text
// after the print dialog.
#pragma once

#include <string>
#include <vector>

#include "platform/qt/font.h"

namespace app {

class TToolsMemoFkt {
 public:
  TToolsMemoFkt() = delete;

  // Asks for the recipient (line input, the default address proposed), then hands the mail to
  // the mail program with the file attached (ui::TWebSS::SendMail, which reports the outcome).
  // A bare file name is taken from the current folder. Cancel sends nothing.
  static void SendFileByMAPI(const std::string& file_name, const std::string& default_address);
  // Asks for the recipient, then opens MailtoText through the desktop; when no program takes the
  // link, the user is told to send the file himself.
  static void SendFileByMailto(const std::string& file_name, const std::string& default_address);
  // The print dialog (left 15 mm, top 20 mm offered), then the lines in `font` as one job titled
  // `title`, inside the margins just confirmed. A refused job is reported.
  static void PrintText(const std::vector<std::string>& lines, const platform::qt::TFont& font,
                        const std::string& title);

  // The mailto link for the recipient and the file's path: subject "Datei von " + own call, a
  // body that asks to attach the file. Every part is percent-encoded (UTF-8), nothing is cut.
  static std::string MailtoText(const std::string& address, const std::string& path);
};

}  // namespace app
