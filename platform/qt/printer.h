// TPrinter: the system printer with its canvas, the stand-in for the platform's printer object.
//
// A printer offers a list of printers and the one chosen, an orientation, a print job with a
// title and pages, the printable page in dots and the device capabilities the system asks for
// (GetDeviceCaps). Its canvas prints text in a font of the system's names (font_table.h), in
// points at the printer's resolution, placed by the top-left corner of its cell; coordinates are
// dots of the printable area, (0, 0) its top-left corner. Texts are Windows-1252.
//
// Backends: TQtPrinter (qt_printer.h) prints on a printer of the system or into a PDF file;
// TRecordingPrinter (recording_printer.h) records what is printed, for tests. Printer() is the
// process's system printer; SetPrinter replaces it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/font.h"
#include "platform/qt/types.h"

namespace platform::qt {

enum class TPrinterOrientation : std::uint8_t { poPortrait, poLandscape };

// Indexes of GetDeviceCaps.
inline constexpr int HORZRES = 8;            // printable width, dots
inline constexpr int VERTRES = 10;           // printable height, dots
inline constexpr int LOGPIXELSX = 88;        // dots per inch across
inline constexpr int LOGPIXELSY = 90;        // dots per inch down
inline constexpr int PHYSICALWIDTH = 110;    // paper width, dots
inline constexpr int PHYSICALHEIGHT = 111;   // paper height, dots
inline constexpr int PHYSICALOFFSETX = 112;  // paper edge to the printable area, dots
inline constexpr int PHYSICALOFFSETY = 113;

class TPrinter;

class TPrinterCanvas {
 public:
  TPrinterCanvas(const TPrinterCanvas&) = delete;
  TPrinterCanvas& operator=(const TPrinterCanvas&) = delete;

  // Name, size (points), style and colour of the text drawn and measured.
  TFont Font;

  // Draws the text on the current page; nothing outside a job.
  void TextOut(int x, int y, std::string_view text);
  // The size of the text's cell in dots, at the printer's resolution (also outside a job).
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text) const;

 private:
  friend class TPrinter;
  explicit TPrinterCanvas(TPrinter& printer) : printer_(printer) {}
  TPrinter& printer_;
};

class TPrinter {
 public:
  virtual ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The printers to choose from.
  virtual std::vector<std::string> Printers() const = 0;
  // The chosen printer's place in Printers(), -1 when there is none. Choosing a place outside
  // the list, or while a job runs, is ignored.
  int PrinterIndex() const { return index_; }
  void SetPrinterIndex(int index);
  // The chosen printer's name; empty when there is none.
  std::string PrinterName() const;
  // The file the chosen printer prints into (a system name); empty for a printer of paper.
  virtual std::string TargetFile() const { return {}; }
  TPrinterOrientation Orientation() const { return orientation_; }
  // Ignored while a job runs.
  void SetOrientation(TPrinterOrientation orientation);

  // The title of the next job (the name the printer's queue shows).
  std::string Title;
  // Begins a job on page 1. False, and no job, while one runs or when the printer refuses.
  bool BeginDoc();
  // The next page of the running job.
  void NewPage();
  // Ends the job and sends it to the printer. False when the printer refused it at its end
  // (nothing of it is printed), or its file could not be written whole (a file of its name
  // keeps what it held), and outside a job.
  bool EndDoc();
  // Drops the running job: nothing of it is printed or written.
  void Abort();
  bool Printing() const { return page_ > 0; }
  // The page being printed, from 1; 0 outside a job.
  int PageNumber() const { return page_; }

  // The printable area in dots.
  int PageWidth() const { return GetDeviceCaps(HORZRES); }
  int PageHeight() const { return GetDeviceCaps(VERTRES); }
  // One of the capabilities above; 0 for an index not listed.
  int GetDeviceCaps(int index) const;

  TPrinterCanvas& Canvas() { return canvas_; }

 protected:
  // The page of the chosen printer and orientation, in dots.
  struct Geometry {
    int dpi_x = 0;
    int dpi_y = 0;
    int paper_width = 0;
    int paper_height = 0;
    TRect printable;  // inside the paper
  };

  TPrinter();
  // Called by the base only in the states its operations name: Start outside a job, the others
  // inside one.
  virtual bool Start() = 0;
  virtual void StartPage() = 0;
  virtual bool Finish() = 0;
  virtual void Drop() = 0;
  virtual void Draw(int x, int y, const TFont& font, std::string_view text) = 0;
  virtual TPoint Measure(const TFont& font, std::string_view text) const = 0;
  virtual Geometry PageGeometry() const = 0;
  // The chosen printer or orientation changed (outside a job).
  virtual void Chosen() {}
  // The backend's own choice (a dialog changed it), taken without calling Chosen.
  void TakeChoice(int index, TPrinterOrientation orientation);

 private:
  friend class TPrinterCanvas;
  int index_ = -1;
  TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
  int page_ = 0;
  TPrinterCanvas canvas_{*this};
};

// The process's system printer: a TQtPrinter made on first use (the application object must
// exist), or the one installed.
TPrinter& Printer();
// Installs a printer (tests: a recording printer); answers the previous one, null when none was
// made yet. Installing null makes the next Printer() call make a TQtPrinter again.
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer);

}  // namespace platform::qt
