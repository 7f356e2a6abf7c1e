#include "platform/qt/qt_printer.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>

#include "common/current_folder.h"
#include "platform/file.h"
#include "platform/file_replacement.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/printer_font.h"
#include "platform/qt/impl/qt_printer_data.h"
#include "platform/text_codec.h"

namespace platform::qt {
namespace {

using Pages = std::vector<std::vector<impl::HeldText>>;

TPrinterOrientation FromQt(QPageLayout::Orientation orientation) {
  return orientation == QPageLayout::Landscape ? TPrinterOrientation::poLandscape
                                               : TPrinterOrientation::poPortrait;
}

// Draws the pages on the device; false when its engine refuses or fails.
bool DrawPages(QPagedPaintDevice& device, const Pages& pages) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  for (std::size_t page = 0; page < pages.size(); ++page) {
    if (page > 0) device.newPage();
    for (const impl::HeldText& held : pages[page]) {
      painter.setFont(held.font);
      painter.setPen(held.color);
      painter.drawText(held.baseline, held.text);
    }
  }
  return painter.end();
}

// The PDF the device would write of the pages, made in memory by an engine of its own; empty
// when the engine failed. (The device's own engine would empty the file as it begins, and
// once a write of it failed, it writes nothing more for the rest of the run.)
QByteArray PdfOf(const QPrinter& device, const Pages& pages) {
  QBuffer buffer;
  if (!buffer.open(QIODevice::WriteOnly)) return {};
  QPdfWriter writer(&buffer);
  writer.setPdfVersion(device.pdfVersion());
  writer.setResolution(device.resolution());
  writer.setPageLayout(device.pageLayout());
  writer.setTitle(device.docName());
  writer.setCreator(device.creator());
  if (!DrawPages(writer, pages)) return {};
  // A PDF ends in its end-of-file mark: one without it was not made whole.
  return buffer.data().endsWith("%%EOF\n") ? buffer.data() : QByteArray();
}

// Puts the PDF in the place of the file (a host path), as every output file takes its name.
bool WritePdf(const QString& file, const QByteArray& pdf) {
  if (pdf.isEmpty()) return false;
  FileReplacement replacement;
  const std::string_view bytes(pdf.constData(), static_cast<std::size_t>(pdf.size()));
  return replacement.BeginHostPath(file.toStdString()) == kErrorSuccess &&
         replacement.Write(bytes) == kErrorSuccess && replacement.Commit() == kErrorSuccess;
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

TQtPrinter::~TQtPrinter() = default;

std::vector<std::string> TQtPrinter::Printers() const {
  std::vector<std::string> names;
  for (const QString& name : data_->system_printers) names.push_back(impl::FromQString(name));
  names.emplace_back(kPdfPrinterName);
  return names;
}

std::string TQtPrinter::OutputFileName() const {
  return Utf8ToCp1252(data_->device.outputFileName().toStdString());
}

std::string TQtPrinter::TargetFile() const {
  return data_->device.outputFormat() == QPrinter::PdfFormat ? OutputFileName() : std::string();
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
  if (device.outputFormat() == QPrinter::PdfFormat) {
    // The PDF file is only opened at the job's end; a file or folder the user may not write
    // refuses the job now, as the opening would.
    if (device.outputFileName().isEmpty()) return false;
    if (platform::HostWriteAccess(device.outputFileName().toStdString())) return false;
  } else if (!device.isValid()) {
    return false;
  }
  data_->pages.assign(1, {});
  return true;
}

void TQtPrinter::StartPage() { data_->pages.emplace_back(); }

// The pages go to the device only now: the window system cannot take back a page once it has
// one (a PDF file is cut when its painting begins, and a printer's abort leaves the job to be
// printed blank), so a dropped job never reaches it.
bool TQtPrinter::Finish() {
  QPrinter& device = data_->device;
  const Pages pages = std::move(data_->pages);
  data_->pages.clear();
  device.setDocName(impl::ToQString(Title));
  if (device.outputFormat() != QPrinter::PdfFormat) return DrawPages(device, pages);
  return WritePdf(device.outputFileName(), PdfOf(device, pages));
}

void TQtPrinter::Drop() { data_->pages.clear(); }

void TQtPrinter::Draw(int x, int y, const TFont& font, std::string_view text) {
  const QFont qfont = impl::PrinterFont(font, data_->device.resolution());
  const QFontMetrics metrics(qfont, &data_->device);
  data_->pages.back().push_back({QPoint(x, y + metrics.ascent()), qfont,
                                 impl::ToQColor(font.Color()), impl::ToQString(text)});
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
