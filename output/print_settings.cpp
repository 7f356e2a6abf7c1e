#include "output/print_settings.h"

#include <cmath>

#include "platform/qt/print_dialogs.h"
#include "platform/qt/printer.h"

namespace output {
namespace {

using platform::qt::TPrinterOrientation;

platform::qt::TPrinter& System() { return platform::qt::Printer(); }

double Nearest(double value) { return std::round(value); }

}  // namespace

int TPrinterSS::TextHeight(const std::string& text) const {
  return System().Canvas().TextHeight(text);
}

int TPrinterSS::TextWidth(const std::string& text) const {
  return System().Canvas().TextWidth(text);
}

std::string TPrinterSS::PrinterName() const { return System().PrinterName(); }

bool TPrinterSS::IsPortrait() const {
  return System().Orientation() == TPrinterOrientation::poPortrait;
}

int TPrinterSS::DotsPerInchX() const { return System().GetDeviceCaps(platform::qt::LOGPIXELSX); }
int TPrinterSS::DotsPerInchY() const { return System().GetDeviceCaps(platform::qt::LOGPIXELSY); }
int TPrinterSS::OffsetX() const { return System().GetDeviceCaps(platform::qt::PHYSICALOFFSETX); }
int TPrinterSS::OffsetY() const { return System().GetDeviceCaps(platform::qt::PHYSICALOFFSETY); }
int TPrinterSS::PageWidth() const { return System().PageWidth(); }
int TPrinterSS::PageHeight() const { return System().PageHeight(); }

void TPrinterSS::SetFont(const std::string& name, int size, std::uint32_t colour,
                         TFontStyles style) {
  platform::qt::TFont& font = System().Canvas().Font;
  if (!name.empty()) font.SetName(name);
  if (size > 0) font.SetSize(size);
  font.SetStyle(style);
  font.SetColor(colour);
}

bool TPrinterSS::PrintDialogExecute() { return platform::qt::PrintDialog().Execute(System()); }

TPrintSS::TPrintSS() : printer_(std::make_unique<TPrinterSS>()) { Reset(true); }

void TPrintSS::Reset(bool skip_measuring) {
  LeftMargin = 20;
  RightMargin = 20;
  TopMargin = 25;
  BottomMargin = 20;
  FontName = "Arial";
  FontSize = 10;
  FontColor = 0;
  FontStyle = 0;
  Landscape = false;
  if (!skip_measuring) LineHeight = Printer().TextHeight("X");
  Further1 = 0;
  Further2 = 0;
}

void TPrintSS::FreePrinter() { printer_.reset(); }

TPrinterSS& TPrintSS::Printer() {
  if (!printer_) printer_ = std::make_unique<TPrinterSS>();
  return *printer_;
}

std::string TPrintSS::PrinterName() { return Printer().PrinterName(); }
bool TPrintSS::IsPortrait() { return Printer().IsPortrait(); }
int TPrintSS::DotsPerInchX() { return Printer().DotsPerInchX(); }
int TPrintSS::DotsPerInchY() { return Printer().DotsPerInchY(); }
int TPrintSS::OffsetX() { return Printer().OffsetX(); }
int TPrintSS::OffsetY() { return Printer().OffsetY(); }
int TPrintSS::PageWidth() { return Printer().PageWidth(); }
int TPrintSS::PageHeight() { return Printer().PageHeight(); }
int TPrintSS::TextWidth(const std::string& text) { return Printer().TextWidth(text); }
bool TPrintSS::PrintDialogExecute() { return Printer().PrintDialogExecute(); }

double TPrintSS::PaperWidth() const { return PaperWidthCm == 0 ? 21.0 : PaperWidthCm; }
double TPrintSS::PaperHeight() const { return PaperHeightCm == 0 ? 29.7 : PaperHeightCm; }

std::int32_t TPrintSS::SetFont(const std::string& name, int size, std::uint32_t colour,
                               TFontStyles style) {
  Printer().SetFont(name.empty() ? FontName : name, size == 0 ? FontSize : size, colour, style);
  CharWidth = Printer().TextWidth("X");
  return CharWidth;
}

double TPrintSS::AlignmentShift(bool horizontal) {
  const double offset = horizontal ? OffsetX() : OffsetY();
  const double dpi = horizontal ? DotsPerInchX() : DotsPerInchY();
  // The printer's page and the chosen paper on the axis the alignment acts on, in millimetres.
  // The paper is measured in millimetres like the page (the paper size is kept in centimetres).
  const auto page_mm = [&](int dots, bool with_edges) {
    return (dots + (with_edges ? 2 * offset : 0)) / dpi * 25.4;
  };
  const auto shift = [&](bool widthwise, bool centred) {
    const double page = page_mm(widthwise ? PageWidth() : PageHeight(), centred);
    const double paper = (widthwise ? PaperWidth() : PaperHeight()) * 10.0;
    return Nearest(centred ? (page - paper) / 2 : page - paper);
  };
  // In portrait the horizontal alignment acts on the horizontal axis; in landscape the paper
  // lies turned and it acts on the vertical one (and the vertical alignment the other way).
  const bool across = Landscape ? !horizontal : horizontal;
  const std::uint8_t along = across ? (Alignment & 0x0F) : (Alignment & 0xF0);
  const bool widthwise = horizontal;
  if (along == kAlignCentre || along == kAlignMiddle) return shift(widthwise, true);
  if (along == kAlignRight || along == kAlignBottom) return shift(widthwise, false);
  return 0;
}

int TPrintSS::MmToDots(bool horizontal, bool relative, double mm) {
  const double dpi = horizontal ? DotsPerInchX() : DotsPerInchY();
  double margin = 0;
  double shift = 0;
  if (!relative) {
    margin = horizontal ? LeftMargin : TopMargin;
    shift = AlignmentShift(horizontal);
  }
  return static_cast<int>(Nearest((mm + margin + shift) * dpi / 25.4));
}

}  // namespace output
