// TToolsForm: the base of the tool dialogs (line input, text window, print dialog).
//
// A tool's controller runs its form with RunModal. A button handler of the form runs Guarded: an
// exception it raises ends the dialog (modal result cancel) instead of crossing the window
// system's event loop, and RunModal raises it again once the form is closed, so that the tools
// facade (tools_fkt.h) turns it into a false answer.
#pragma once

#include <exception>
#include <functional>

#include "platform/qt/form.h"
#include "ui/kv_form.h"

namespace app {

class TToolsForm : public ui::TkvForm {
 public:
  using ui::TkvForm::TkvForm;

  // Shows the form modally; raises what a guarded handler raised.
  platform::qt::TModalResult RunModal();

 protected:
  // The creation handler of every tool dialog: Scaled as the screen scaling says, then the
  // dialog layout for the user's font.
  void FormCreate();
  // Runs a handler; an exception ends the dialog and is kept for RunModal.
  void Guarded(const std::function<void()>& handler);

 private:
  std::exception_ptr failure_;
};

}  // namespace app
