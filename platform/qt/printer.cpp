#include "platform/qt/printer.h"

#include <QCoreApplication>

#include "platform/qt/qt_printer.h"

namespace platform::qt {

void TPrinterCanvas::TextOut(int x, int y, std::string_view text) {
  if (printer_.Printing()) printer_.Draw(x, y, Font, text);
}

int TPrinterCanvas::TextWidth(std::string_view text) const {
  return printer_.Measure(Font, text).X;
}

int TPrinterCanvas::TextHeight(std::string_view text) const {
  return printer_.Measure(Font, text).Y;
}

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

void TPrinter::SetPrinterIndex(int index) {
  if (Printing() || index < 0 || index >= static_cast<int>(Printers().size())) return;
  if (index == index_) return;
  index_ = index;
  Chosen();
}

std::string TPrinter::PrinterName() const {
  const std::vector<std::string> names = Printers();
  return index_ >= 0 && index_ < static_cast<int>(names.size()) ? names[index_] : std::string();
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
  if (Printing() || orientation == orientation_) return;
  orientation_ = orientation;
  Chosen();
}

void TPrinter::TakeChoice(int index, TPrinterOrientation orientation) {
  index_ = index;
  orientation_ = orientation;
}

bool TPrinter::BeginDoc() {
  if (Printing() || !Start()) return false;
  page_ = 1;
  return true;
}

void TPrinter::NewPage() {
  if (!Printing()) return;
  StartPage();
  ++page_;
}

bool TPrinter::EndDoc() {
  if (!Printing()) return false;
  const bool sent = Finish();
  page_ = 0;
  return sent;
}

void TPrinter::Abort() {
  if (!Printing()) return;
  Drop();
  page_ = 0;
}

int TPrinter::GetDeviceCaps(int index) const {
  const Geometry g = PageGeometry();
  switch (index) {
    case HORZRES:
      return g.printable.Width();
    case VERTRES:
      return g.printable.Height();
    case LOGPIXELSX:
      return g.dpi_x;
    case LOGPIXELSY:
      return g.dpi_y;
    case PHYSICALWIDTH:
      return g.paper_width;
    case PHYSICALHEIGHT:
      return g.paper_height;
    case PHYSICALOFFSETX:
      return g.printable.Left;
    case PHYSICALOFFSETY:
      return g.printable.Top;
    default:
      return 0;
  }
}

namespace {

std::unique_ptr<TPrinter>& SystemPrinter() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}

// A printer of the window system must go before the application object does.
void ReleaseSystemPrinter() { SystemPrinter().reset(); }

}  // namespace

TPrinter& Printer() {
  std::unique_ptr<TPrinter>& printer = SystemPrinter();
  if (!printer) {
    printer = std::make_unique<TQtPrinter>();
    static const bool released_with_application = (qAddPostRoutine(ReleaseSystemPrinter), true);
    (void)released_with_application;
  }
  return *printer;
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer) {
  std::unique_ptr<TPrinter> previous = std::move(SystemPrinter());
  SystemPrinter() = std::move(printer);
  return previous;
}

}  // namespace platform::qt
