// The text window's controller: it fills the window's parameter record, runs the window
// (tools_memo_form.h), takes the edited text back on OK, and does the window's work without
// widgets: saving the text as a file, sending it by e-mail and printing it. Reached through
// TToolsFkt::ShowText (tools_fkt.h).
//
// Files are written as Windows-1252 lines with CR LF. Questions and errors go through
// ToMessages, file names through TFileBaseSS's file dialog.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/short_string.h"
#include "contest/contest_port.h"
#include "platform/qt/component.h"
#include "platform/qt/font.h"

namespace app {

// What the controller hands its form and takes back.
struct TToolsMemoParams {
  common::ShortString<255> caption;  // empty: the form keeps "Notizen"
  std::vector<std::string> lines;
  common::ShortString<255> short_text;  // not empty: replaces the lines in the memo
  bool print_button = false;
  bool save_button = false;
  bool mail_button = false;
  common::ShortString<255> rich_text_file;  // not empty: the file is shown instead of the lines
};

// The caption under which the window saves and mails the text as the own call's ".CFD" file.
inline constexpr const char* kCfdCaption = "CFD-Datei";

// A file as the text window shows it: a rich text by its words (rich_text_reader.h), any other
// file as it stands (CR LF, LF or CR end a line).
struct TextWindowFile {
  std::vector<std::string> lines;
  bool rich = false;
};
// Nothing when the file cannot be read.
std::optional<TextWindowFile> ReadTextWindowFile(const std::string& name);
// Writes the lines, each with CR LF; false when the file could not be written whole.
bool WriteTextWindowFile(const std::string& name, const std::vector<std::string>& lines);
// The temporary file through which the window prints its memo: "MEMO.TMP" in the folder of
// entry 10 of the settings' folder list, as a full path.
std::string MemoTempFile();

class TToolsMemoCtrl {
 public:
  // `rect`, when given, is the caller's: it places the window (unless its bottom is below 1)
  // and receives the window's last place, also after cancel. `lines` (may be null) is copied.
  TToolsMemoCtrl(platform::qt::TComponent* owner, contest::WindowRect* rect,
                 std::string default_address, bool mail_flag, bool print_flag, bool save_flag,
                 std::string rich_text_file, std::string short_text,
                 const std::vector<std::string>* lines, std::string caption);

  // Shows the window; true on OK, Lines and ShortText then hold the edited text. A rich-text
  // file that cannot be read is reported ("Die Datei <name> konnte nicht gelesen werden.") and
  // shows no window (false).
  bool Execute();
  void FillParams(TToolsMemoParams& params) const;
  void TakeResult(const TToolsMemoParams& params);
  void FreeParams(TToolsMemoParams& params) const { params.lines.clear(); }

  // Save button: the file dialog (for "CFD-Datei" proposing <own call>.CFD), then the lines
  // are written to the chosen file, which is remembered.
  void SaveToFile(const std::vector<std::string>& lines, const std::string& proposed_name);
  // E-mail button: the lines are written to a file (chosen, or for "CFD-Datei" the own call's
  // ".CFD" in the temporary folder), then, after the two questions, sent by the mail program
  // with the file attached or through a mailto link (tools_memo_fkt.h).
  void SendByMail(const std::vector<std::string>& lines, const std::string& proposed_name);
  // Print button: the lines printed after the print dialog, titled `title`.
  void PrintText(const std::vector<std::string>& lines, const platform::qt::TFont& font,
                 const std::string& title) const;

  platform::qt::TComponent* Owner;
  std::string Caption;
  bool SaveFlag;
  bool PrintFlag;
  bool MailFlag;
  std::string DefaultAddress;
  std::string RichTextFile;  // also the file last written for e-mailing
  contest::WindowRect* Rect;
  std::unique_ptr<std::vector<std::string>> TextCopy;  // for saving and mailing, made on demand
  std::vector<std::string> Lines;
  std::string ShortText;
  std::string LastWritten;  // the name of the file last written

 private:
  // Writes the text copy to the file; false after the error.
  bool WriteTextCopy(const std::string& file_name);
  void AskSendByMail(const std::string& file_name);
  static bool AskSendByMAPI();
  void SendFile(bool by_mapi) const;
};

}  // namespace app
