// Print and font dialogs for tests: they answer from a script and record what they were shown.
// A dialog whose script is used up counts as cancelled. ScopedPrinting installs a recording
// printer and both scripted dialogs for a test and puts the previous ones back afterwards.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/print_dialogs.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/recording_printer.h"

namespace platform::qt {

struct PrintDialogAnswer {
  bool ok = true;
  int printer_index = -1;                          // chosen on OK; -1 keeps the printer
  std::optional<TPrinterOrientation> orientation;  // chosen on OK
};

class ScriptedPrintDialog final : public PrintDialogPort {
 public:
  std::deque<PrintDialogAnswer> answers;
  std::vector<std::string> shown;  // the printer's name each time the dialog opened
  // When set, an OK on the window system's printer also names this PDF file, as its dialog's
  // "print to file" does.
  std::string pdf_file;

  bool Execute(TPrinter& printer) override {
    shown.push_back(printer.PrinterName());
    if (answers.empty()) return false;
    const PrintDialogAnswer answer = answers.front();
    answers.pop_front();
    if (!answer.ok) return false;
    if (answer.printer_index >= 0) printer.SetPrinterIndex(answer.printer_index);
    if (answer.orientation) printer.SetOrientation(*answer.orientation);
    auto* qt_printer = dynamic_cast<TQtPrinter*>(&printer);
    if (qt_printer != nullptr && !pdf_file.empty()) qt_printer->SetOutputFileName(pdf_file);
    return true;
  }
};

struct FontChoice {
  std::string name;
  int size = 0;
  TFontStyles style = 0;
};

class ScriptedFontDialog final : public FontDialogPort {
 public:
  std::deque<std::optional<FontChoice>> answers;  // nothing: cancelled
  std::vector<FontChoice> shown;                  // the font each time the dialog opened

  bool Execute(TFont& font) override {
    shown.push_back({font.Name(), font.Size(), font.Style()});
    if (answers.empty() || !answers.front()) {
      if (!answers.empty()) answers.pop_front();
      return false;
    }
    const FontChoice answer = *answers.front();
    answers.pop_front();
    font.SetName(answer.name);
    font.SetSize(answer.size);
    font.SetStyle(answer.style);
    return true;
  }
};

class ScopedPrinting {
 public:
  explicit ScopedPrinting(TRecordedPaper paper = {}) {
    auto printer = std::make_unique<TRecordingPrinter>(paper);
    auto print_dialog = std::make_unique<ScriptedPrintDialog>();
    auto font_dialog = std::make_unique<ScriptedFontDialog>();
    printer_ = printer.get();
    print_dialog_ = print_dialog.get();
    font_dialog_ = font_dialog.get();
    previous_printer_ = SetPrinter(std::move(printer));
    previous_print_dialog_ = SetPrintDialog(std::move(print_dialog));
    previous_font_dialog_ = SetFontDialog(std::move(font_dialog));
  }
  ~ScopedPrinting() {
    SetFontDialog(std::move(previous_font_dialog_));
    SetPrintDialog(std::move(previous_print_dialog_));
    SetPrinter(std::move(previous_printer_));
  }
  ScopedPrinting(const ScopedPrinting&) = delete;
  ScopedPrinting& operator=(const ScopedPrinting&) = delete;

  TRecordingPrinter& printer() { return *printer_; }
  ScriptedPrintDialog& print_dialog() { return *print_dialog_; }
  ScriptedFontDialog& font_dialog() { return *font_dialog_; }

 private:
  // Owned by the installed slots while the scope lives.
  TRecordingPrinter* printer_ = nullptr;
  ScriptedPrintDialog* print_dialog_ = nullptr;
  ScriptedFontDialog* font_dialog_ = nullptr;
  std::unique_ptr<TPrinter> previous_printer_;
  std::unique_ptr<PrintDialogPort> previous_print_dialog_;
  std::unique_ptr<FontDialogPort> previous_font_dialog_;
};

}  // namespace platform::qt
