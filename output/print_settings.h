// The printer metrics and the print settings of the printing tools (the text window, list
// printing, the print dialog tool). The output channel (alle_rout.h) does not use them.
//
// TPrinterSS holds nothing: every operation asks the system printer (platform/qt/printer.h) and
// its print dialog port. TPrintSS holds the user's print settings (margins in millimetres, font,
// alignment, paper size) and turns millimetre positions into printer dots; one object lives for
// the run of the program (Service<TPrintSS>).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/tssobject.h"
#include "platform/qt/font.h"

namespace output {

using platform::qt::TFontStyles;

class TPrinterSS {
 public:
  // Size of the text in the printer canvas's font, in dots.
  int TextHeight(const std::string& text) const;
  int TextWidth(const std::string& text) const;
  // The chosen printer's name.
  std::string PrinterName() const;
  bool IsPortrait() const;
  // LOGPIXELSX, LOGPIXELSY, PHYSICALOFFSETX, PHYSICALOFFSETY.
  int DotsPerInchX() const;
  int DotsPerInchY() const;
  int OffsetX() const;
  int OffsetY() const;
  // The printable page in dots.
  int PageWidth() const;
  int PageHeight() const;
  // The printer canvas's font: the name only when not empty, the size only when above 0; style
  // and colour always.
  void SetFont(const std::string& name, int size, std::uint32_t colour, TFontStyles style);
  // Runs the print dialog; true on OK.
  bool PrintDialogExecute();
};

// Alignment of a printed page on its paper: the low nibble horizontally, the high one
// vertically.
inline constexpr std::uint8_t kAlignCentre = 1;
inline constexpr std::uint8_t kAlignRight = 2;
inline constexpr std::uint8_t kAlignMiddle = 16;
inline constexpr std::uint8_t kAlignBottom = 32;

class TPrintSS : public common::Tssobject {
 public:
  // Resets without measuring, so that making the object needs no printer.
  TPrintSS();

  // Printer text height of "X" in the printer font, dots.
  double LineHeight = 0;
  std::uint8_t Alignment = 0;
  // The paper in centimetres; 0 means A4 (PaperWidth, PaperHeight).
  double PaperWidthCm = 0;
  double PaperHeightCm = 0;
  // Margins in millimetres.
  double LeftMargin = 20;
  double RightMargin = 20;
  double TopMargin = 25;
  double BottomMargin = 20;
  std::string FontName = "Arial";  // at most 255 characters
  std::int32_t FontSize = 10;      // points
  std::uint32_t FontColor = 0;
  TFontStyles FontStyle = 0;
  bool Landscape = false;
  // Printer text width of "X", set by SetFont.
  std::int32_t CharWidth = 0;
  std::int32_t Further1 = 0;
  std::int32_t Further2 = 0;

  // Margins 20, 20, 25 and 20 mm, "Arial" 10 pt, colour 0, no style, portrait, the further
  // values 0; the line height is measured unless `skip_measuring`.
  void Reset(bool skip_measuring);
  // Drops the printer object; the next call that needs one makes it again.
  void FreePrinter();

  std::string PrinterName();
  bool IsPortrait();
  int DotsPerInchX();
  int DotsPerInchY();
  int OffsetX();
  int OffsetY();
  int PageWidth();
  int PageHeight();
  int TextWidth(const std::string& text);
  bool PrintDialogExecute();

  // The paper in centimetres: the stored value, or 21.0 and 29.7 when it is exactly 0.
  double PaperWidth() const;
  double PaperHeight() const;
  // Sets the printer font (an empty name takes FontName, size 0 takes FontSize); CharWidth
  // becomes the printer width of "X" and is returned.
  std::int32_t SetFont(const std::string& name, int size, std::uint32_t colour, TFontStyles style);
  // A position in millimetres as printer dots on one axis: absolute positions count from the
  // axis's margin, shifted by the alignment of the paper on the printer's page; relative ones
  // are plain lengths.
  int MmToDots(bool horizontal, bool relative, double mm);

 private:
  TPrinterSS& Printer();
  // The alignment shift of one axis in whole millimetres.
  double AlignmentShift(bool horizontal);

  std::unique_ptr<TPrinterSS> printer_;
};

}  // namespace output
