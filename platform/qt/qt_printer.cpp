#include "platform/qt/qt_printer.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPrinterInfo>

#include "common/current_folder.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/printer_font.h"
#include "platform/qt/impl/qt_printer_data.h"
#include "platform/text_codec.h"

namespace platform::qt {
namespace {

TPrinterOrientation FromQt(QPageLayout::Orientation orientation) {
  return orientation == QPageLayout::Landscape ? TPrinterOrientation::poLandscape
                                               : TPrinterOrientation::poPortrait;
}

}  // namespace

TQtPrinter::TQtPrinter() : data_(std::make_unique<impl::QtPrinterData>()) {
  data_->system_printers = QPrinterInfo::availablePrinterNames();
  data_->device.setFullPage(false);
  const QString standard = QPrinterInfo::defaultPrinterName();
  if (!standard.isEmpty() && data_->system_printers.contains(standard)) {
    data_->device.setPrinterName(standard);
  } else {
    data_->device.setOutputFormat(QPrinter::PdfFormat);
  }
  TakeFromDevice();
}

TQtPrinter::~TQtPrinter() {
  if (data_->painter) data_->painter->end();
}

std::vector<std::string> TQtPrinter::Printers() const {
  std::vector<std::string> names;
  for (const QString& name : data_->system_printers) names.push_back(impl::FromQString(name));
  names.emplace_back(kPdfPrinterName);
  return names;
}

std::string TQtPrinter::OutputFileName() const {
  return Utf8ToCp1252(data_->device.outputFileName().toStdString());
}

void TQtPrinter::SetOutputFileName(const std::string& name) {
  if (Printing()) return;
  data_->device.setOutputFormat(QPrinter::PdfFormat);
  data_->device.setOutputFileName(QString::fromStdString(common::OsPath(name)));
  TakeFromDevice();
}

void TQtPrinter::TakeFromDevice() {
  const QPrinter& device = data_->device;
  int index = static_cast<int>(data_->system_printers.size());  // the PDF entry
  if (device.outputFormat() == QPrinter::NativeFormat) {
    const qsizetype found = data_->system_printers.indexOf(device.printerName());
    if (found >= 0) index = static_cast<int>(found);
  }
  TakeChoice(index, FromQt(device.pageLayout().orientation()));
}

void TQtPrinter::Chosen() {
  QPrinter& device = data_->device;
  const int index = PrinterIndex();
  if (index < static_cast<int>(data_->system_printers.size())) {
    device.setOutputFormat(QPrinter::NativeFormat);
    device.setPrinterName(data_->system_printers[index]);
  } else {
    device.setOutputFormat(QPrinter::PdfFormat);
  }
  device.setPageOrientation(Orientation() == TPrinterOrientation::poLandscape
                                ? QPageLayout::Landscape
                                : QPageLayout::Portrait);
}

bool TQtPrinter::Start() {
  QPrinter& device = data_->device;
  if (device.outputFormat() == QPrinter::PdfFormat && device.outputFileName().isEmpty()) {
    return false;
  }
  device.setDocName(impl::ToQString(Title));
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(&device)) return false;
  painter->setRenderHint(QPainter::TextAntialiasing, false);
  data_->painter = std::move(painter);
  return true;
}

void TQtPrinter::StartPage() { data_->device.newPage(); }

void TQtPrinter::Finish() {
  data_->painter->end();
  data_->painter.reset();
}

void TQtPrinter::Drop() {
  data_->device.abort();
  data_->painter->end();
  data_->painter.reset();
}

void TQtPrinter::Draw(int x, int y, const TFont& font, std::string_view text) {
  QPainter& painter = *data_->painter;
  const QFont qfont = impl::PrinterFont(font, data_->device.resolution());
  painter.setFont(qfont);
  painter.setPen(impl::ToQColor(font.Color()));
  const QFontMetrics metrics(qfont, &data_->device);
  painter.drawText(x, y + metrics.ascent(), impl::ToQString(text));
}

TPoint TQtPrinter::Measure(const TFont& font, std::string_view text) const {
  const QFontMetrics metrics(impl::PrinterFont(font, data_->device.resolution()), &data_->device);
  return {metrics.horizontalAdvance(impl::ToQString(text)), metrics.height()};
}

TPrinter::Geometry TQtPrinter::PageGeometry() const {
  const QPrinter& device = data_->device;
  const int dpi = device.resolution();
  const QPageLayout layout = device.pageLayout();
  const QRect paper = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  Geometry g;
  g.dpi_x = dpi;
  g.dpi_y = dpi;
  g.paper_width = paper.width();
  g.paper_height = paper.height();
  g.printable = impl::FromQRect(paint);
  return g;
}

}  // namespace platform::qt
