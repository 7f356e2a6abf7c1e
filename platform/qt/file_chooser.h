// The system's file chooser (common::FileChooser) on the window system's own file dialog (the
// same dialog on every desktop, not the desktop's native one).
//
// The request's filter ("|"-separated pairs of description and ";"-separated patterns) becomes
// the dialog's list of filters, matched without regard to letter case; the dialog starts in the
// request's folder (resolved against the current folder; the current folder when empty) with
// its proposed name; a name typed without a "." gets the default extension. The open dialog
// accepts any name (the platform's dialog does without its must-exist flag). With
// kOverwritePrompt, saving over an existing file asks first (a message box, "Nein" returns to
// the dialog), about the file that will be written: with append_ext, the chosen name with the
// default extension (common::NameWithDefaultExt), which is the name returned. Names travel as
// CP1252 system texts; the chosen name is absolute.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/file_chooser.h"

namespace platform::qt {

class FileDialogChooser : public common::FileChooser {
 public:
  std::optional<std::string> Choose(const common::FileChooserRequest& request) override;
};

// The dialog's filters for a request's filter text: "description (patterns)" per pair, the
// patterns separated by blanks. A description without patterns gets "*".
std::vector<std::string> DialogFilters(const std::string& filter);

// The question asked before a file is replaced.
std::string OverwriteQuestion(const std::string& name);

}  // namespace platform::qt
