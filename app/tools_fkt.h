// TToolsFkt: the one entry to the tool dialogs: line input (tools_zeile_eing.h), text window
// (tools_memo_ctrl.h) and print dialog (tools_druck_dialog.h).
//
// Each operation builds the tool's controller with the application as owner, runs it, copies
// the result back to the caller and frees the controller. An exception raised inside a tool is
// caught here: the operation then answers false and the caller's variables stay as they were.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/tools_druck_dialog.h"
#include "contest/contest_port.h"

namespace app {

class TToolsFkt {
 public:
  TToolsFkt() = delete;

  // Asks for one line under `caption` and `label`; on OK `line` takes the entered text, cut to
  // `capacity`. `link_text` not empty shows the link button; `hint` shows the operating-signs
  // hint; `max_length` above 0 limits the line.
  static bool InputLine(const std::string& caption, const std::string& label, std::string& line,
                        std::size_t capacity, const std::string& link_text, bool hint,
                        std::uint8_t option, std::int32_t max_length);

  // Shows the lines (may be null: none), or the file `rich_text_file` when that is not empty,
  // in the text window under `caption`, with the print, save and e-mail buttons as flagged. A
  // `short_text` that is not empty replaces the lines. On OK the lines (when given) take the
  // edited lines and `short_text` the edited text cut to `capacity`. `rect` (may be null)
  // places the window and receives its last place, also after cancel (see TToolsMemoCtrl).
  static bool ShowText(const std::string& caption, std::vector<std::string>* lines,
                       std::string& short_text, std::size_t capacity,
                       const std::string& rich_text_file, bool save, bool print, bool mail,
                       const std::string& default_address, contest::WindowRect* rect);

  // Resets the print settings (measuring the line height), runs the print dialog with the
  // values, and on OK sets the printer font from the settings. True when printing is to go on.
  static bool PrintDialog(const TPrintDialogValues& values);
};

}  // namespace app
