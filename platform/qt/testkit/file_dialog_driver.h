// FileDialogDriver: answers the file dialogs a test opens, so that a chooser returns without a
// person. Each dialog that opens while the driver lives takes the next answer: a name typed
// into it and confirmed (the dialog then adds its default extension as for a person), or
// Cancel. A dialog that finds no answer is cancelled and counted.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform::qt::testkit {

struct FileDialogSeen {
  std::string title;                 // CP1252
  std::string folder;                // CP1252, absolute
  std::vector<std::string> filters;  // as the dialog lists them
  bool save = false;
};

class FileDialogDriver {
 public:
  FileDialogDriver();
  ~FileDialogDriver();
  FileDialogDriver(const FileDialogDriver&) = delete;
  FileDialogDriver& operator=(const FileDialogDriver&) = delete;

  // The next dialog gets `name` (CP1252; a bare name lies in the dialog's folder) typed in.
  void Type(std::string name);
  void Cancel();

  const std::vector<FileDialogSeen>& Seen() const { return seen_; }
  int Unanswered() const { return unanswered_; }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<FileDialogSeen> seen_;
  int unanswered_ = 0;
};

}  // namespace platform::qt::testkit
