// TQtPrinter: the system printer on the window system's printing: a printer of the system, or a
// PDF file. Printers() lists the system's printers and, last, the PDF file ("PDF"), which is the
// only entry on a machine without printers; the system's default printer is chosen at start.
// Jobs on the PDF entry need an output file (SetOutputFileName, or the print dialog's choice)
// the user may write; without one BeginDoc fails.
//
// A job's pages are held until EndDoc and only then drawn on the printer or into the file: an
// aborted job prints no page and leaves a file of the PDF's name as it was. A printer that
// refuses the job at its end makes EndDoc answer false. The PDF is made whole in memory, by a
// PDF engine of its own for each job, and then put in the file's place as every output file is
// (platform/file_replacement.h): a write that fails (a full disk) makes EndDoc answer false and
// leaves the older file byte for byte, and the next job writes as if none had failed.
//
// Made after the application object, used on its thread.
#pragma once

#include <memory>
#include <string>

#include "platform/qt/printer.h"

namespace platform::qt {

namespace impl {
struct QtPrinterData;
}

inline constexpr const char* kPdfPrinterName = "PDF";

class TQtPrinter final : public TPrinter {
 public:
  TQtPrinter();
  ~TQtPrinter() override;

  std::vector<std::string> Printers() const override;

  // The PDF file the PDF entry prints into (a system name); setting one chooses the PDF entry.
  std::string OutputFileName() const;
  void SetOutputFileName(const std::string& name);
  // The PDF file while the PDF entry is chosen.
  std::string TargetFile() const override;

  // The window system's printer behind it, for the print dialog.
  impl::QtPrinterData& Data() { return *data_; }
  // Takes the printer and orientation the window system's printer now has (after its dialog).
  void TakeFromDevice();

 protected:
  bool Start() override;
  void StartPage() override;
  bool Finish() override;
  void Drop() override;
  void Draw(int x, int y, const TFont& font, std::string_view text) override;
  TPoint Measure(const TFont& font, std::string_view text) const override;
  Geometry PageGeometry() const override;
  void Chosen() override;

 private:
  std::unique_ptr<impl::QtPrinterData> data_;
};

}  // namespace platform::qt
