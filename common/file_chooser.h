// The port through which the system asks the user for a file name (the open and save dialogs).
//
// The window layer installs its dialogs; tests install a ScriptedFileChooser. Without a chooser no
// name can be chosen and every dialog counts as cancelled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace common {

struct FileChooserRequest {
  // Flags of the dialog as the platform's own call takes them.
  static constexpr std::uint32_t kOverwritePrompt = 0x2;  // ask before replacing a file
  static constexpr std::uint32_t kHideReadOnly = 0x4;     // no read-only check box
  static constexpr std::uint32_t kNoChangeDir = 0x8;      // the dialog keeps the current folder

  bool save = false;           // the save dialog, else the open dialog
  std::string initial_folder;  // where the dialog starts
  std::string file_name;       // the name proposed
  std::string filter;          // "|"-separated pairs of description and pattern
  std::string default_ext;     // without the dot
  std::uint32_t flags = 0;
  // The chosen name gets the default extension (NameWithDefaultExt); a question before
  // replacing a file asks about the name so completed.
  bool append_ext = false;

  friend bool operator==(const FileChooserRequest&, const FileChooserRequest&) = default;
};

// `name` with "." and `ext` appended, unless it holds them already (compared in capitals) or
// `ext` is empty.
std::string NameWithDefaultExt(std::string_view name, std::string_view ext);

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // Shows the dialog; the chosen name when the user confirmed it, nothing when cancelled.
  virtual std::optional<std::string> Choose(const FileChooserRequest& request) = 0;
};

}  // namespace common
