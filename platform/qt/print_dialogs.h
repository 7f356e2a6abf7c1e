// The print dialog and the font dialog of the system, behind ports so that tests script them
// (scripted_print_dialogs.h).
//
// PrintDialog() and FontDialog() reach the installed ports: the window system's own dialogs
// unless a test installed others. Both dialogs are modal.
#pragma once

#include <memory>

#include "platform/qt/font.h"
#include "platform/qt/printer.h"

namespace platform::qt {

class PrintDialogPort {
 public:
  virtual ~PrintDialogPort() = default;
  // Lets the user choose the printer (and its orientation) of `printer`; true on OK. A cancelled
  // dialog leaves the printer as it was.
  virtual bool Execute(TPrinter& printer) = 0;
};

class FontDialogPort {
 public:
  virtual ~FontDialogPort() = default;
  // Lets the user choose name, size and style, starting from `font`; true on OK, `font` then
  // changed (its colour stays). A cancelled dialog leaves it as it was.
  virtual bool Execute(TFont& font) = 0;
};

// The window system's print dialog: the system's printers and the PDF file, with orientation.
class QtPrintDialog final : public PrintDialogPort {
 public:
  bool Execute(TPrinter& printer) override;
};

// The window system's font dialog; families come back under the system's names
// (font_table.h).
class QtFontDialog final : public FontDialogPort {
 public:
  bool Execute(TFont& font) override;
};

PrintDialogPort& PrintDialog();
// Installs a port; answers the one it replaces. Null puts the
// window system's dialog back.
std::unique_ptr<PrintDialogPort> SetPrintDialog(std::unique_ptr<PrintDialogPort> port);
FontDialogPort& FontDialog();
std::unique_ptr<FontDialogPort> SetFontDialog(std::unique_ptr<FontDialogPort> port);

}  // namespace platform::qt
