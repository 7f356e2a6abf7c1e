// TwagdateiCtrl: what the file viewer (wagdatei.h) does, without its widgets: reads the file,
// writes the edited lines back, prints them, and decides whether the viewer may close.
//
// It remembers the lines as last read or written, so it knows when the text shown was edited
// since. Messages go through ToMessages, printing to the system printer (platform/qt/printer.h)
// and, when that cannot print, through the print dialog (platform/qt/print_dialogs.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/qt/font.h"

namespace output {

class TwagdateiCtrl {
 public:
  explicit TwagdateiCtrl(std::string file_name) : file_name_(std::move(file_name)) {}

  const std::string& FileName() const { return file_name_; }

  // The file's lines (CR LF, LF or CR end a line); nothing, after the error
  // "Die Datei <name> konnte nicht gelesen werden.", when it cannot be read.
  std::optional<std::vector<std::string>> Load();
  // Writes the lines, each with CR LF, as a new version of the file; false after the error
  // "Die Datei <name> konnte nicht geschrieben werden.", the file as it was.
  bool Save(const std::vector<std::string>& lines);
  // Prints the lines as one job titled with the file name, in `font`. When the printer cannot
  // begin the job (none on the machine, or the PDF entry without a file) or its PDF file could
  // not be written (told first), the print dialog offers a printer or a PDF file; false when it
  // was cancelled, or after an error when the printer chosen failed the job too.
  bool Print(const std::vector<std::string>& lines, const platform::qt::TFont& font) const;
  // The lines as the viewer shows them right after Load: the text the user has not edited, even
  // where the editor shows a file's text a little differently.
  void Shown(std::vector<std::string> lines) { saved_ = std::move(lines); }
  // Whether the text shown differs from the file as shown after reading or as last written.
  bool Edited(const std::vector<std::string>& lines) const { return lines != saved_; }
  // The close box: true when the viewer may close. An edited text is not dropped without a
  // word: the user is asked whether to save it (yes saves, and a failed save keeps the viewer
  // open; no drops the edits).
  bool MayClose(const std::vector<std::string>& lines);

 private:
  std::string file_name_;
  std::vector<std::string> saved_;
};

}  // namespace output
