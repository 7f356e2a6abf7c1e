#include "platform/qt/recording_printer.h"

#include <QFontMetrics>
#include <cmath>
#include <utility>

#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/printer_font.h"

namespace platform::qt {

TRecordingPrinter::TRecordingPrinter(TRecordedPaper paper, std::vector<std::string> printers)
    : paper_(paper), printers_(std::move(printers)) {
  TakeChoice(printers_.empty() ? -1 : 0, TPrinterOrientation::poPortrait);
}

std::vector<TPrintedText> TRecordingPrinter::PageTexts(int page) const {
  std::vector<TPrintedText> out;
  for (std::size_t i = job_start_; i < texts_.size(); ++i) {
    if (texts_[i].page == page) out.push_back(texts_[i]);
  }
  return out;
}

bool TRecordingPrinter::Start() {
  if (refuse_jobs || PrinterIndex() < 0) return false;
  jobs_.push_back({Title, 1, false, false});
  job_start_ = texts_.size();
  return true;
}

void TRecordingPrinter::StartPage() { ++jobs_.back().pages; }

bool TRecordingPrinter::Finish() {
  jobs_.back().ended = true;
  return true;
}

void TRecordingPrinter::Drop() { jobs_.back().aborted = true; }

void TRecordingPrinter::Draw(int x, int y, const TFont& font, std::string_view text) {
  texts_.push_back({PageNumber(), x, y, font.Name(), font.Size(), font.Style(), font.Color(),
                    std::string(text)});
}

TPoint TRecordingPrinter::Measure(const TFont& font, std::string_view text) const {
  const QFontMetrics metrics(impl::PrinterFont(font, PageGeometry().dpi_y));
  return {metrics.horizontalAdvance(impl::ToQString(text)), metrics.height()};
}

TPrinter::Geometry TRecordingPrinter::PageGeometry() const {
  Geometry g;
  g.dpi_x = paper_.dpi_x;
  g.dpi_y = paper_.dpi_y;
  g.paper_width = static_cast<int>(std::lround(paper_.width_mm / 25.4 * paper_.dpi_x));
  g.paper_height = static_cast<int>(std::lround(paper_.height_mm / 25.4 * paper_.dpi_y));
  int offset_x = paper_.offset_x;
  int offset_y = paper_.offset_y;
  if (Orientation() == TPrinterOrientation::poLandscape) {
    std::swap(g.dpi_x, g.dpi_y);
    g.paper_width = static_cast<int>(std::lround(paper_.height_mm / 25.4 * g.dpi_x));
    g.paper_height = static_cast<int>(std::lround(paper_.width_mm / 25.4 * g.dpi_y));
    std::swap(offset_x, offset_y);
  }
  g.printable = {offset_x, offset_y, g.paper_width - offset_x, g.paper_height - offset_y};
  return g;
}

}  // namespace platform::qt
