#include "platform/qt/png_image.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>

#include "platform/qt/colors.h"
#include "platform/qt/impl/canvas_target.h"
#include "platform/qt/impl/convert.h"

namespace platform::qt {

namespace impl {
struct PngData {
  QImage image;  // ARGB32, not premultiplied, or null
};
}  // namespace impl

TPngImage::TPngImage() : data_(std::make_unique<impl::PngData>()) {}
TPngImage::~TPngImage() = default;
TPngImage::TPngImage(const TPngImage& other)
    : data_(std::make_unique<impl::PngData>(*other.data_)) {}

TPngImage& TPngImage::operator=(const TPngImage& other) {
  if (this != &other) *data_ = *other.data_;
  return *this;
}

int TPngImage::Width() const { return data_->image.width(); }
int TPngImage::Height() const { return data_->image.height(); }

void TPngImage::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    data_->image = QImage();
    return;
  }
  data_->image = QImage(width, height, QImage::Format_ARGB32);
  data_->image.fill(Qt::transparent);
}

bool TPngImage::LoadFromFile(const std::string& utf8_path) {
  QImageReader reader(QString::fromStdString(utf8_path));
  reader.setDecideFormatFromContent(true);
  const QImage loaded = reader.read();
  if (loaded.isNull()) return false;
  data_->image = loaded.convertToFormat(QImage::Format_ARGB32);
  return true;
}

bool TPngImage::SaveToPng(const std::string& utf8_path) const {
  return !Empty() && data_->image.save(QString::fromStdString(utf8_path), "PNG");
}

TColor TPngImage::Pixel(int x, int y) const {
  if (!data_->image.valid(x, y)) return clNone;
  const QRgb p = data_->image.pixel(x, y);
  return common::RGB(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                     static_cast<std::uint8_t>(qBlue(p)));
}

std::uint8_t TPngImage::Alpha(int x, int y) const {
  return data_->image.valid(x, y) ? static_cast<std::uint8_t>(qAlpha(data_->image.pixel(x, y)))
                                  : 0;
}

void TPngImage::SetPixel(int x, int y, TColor colour, std::uint8_t alpha) {
  if (!data_->image.valid(x, y)) return;
  const TColor rgb = ColorToRGB(colour);
  data_->image.setPixel(
      x, y, qRgba(common::GetRValue(rgb), common::GetGValue(rgb), common::GetBValue(rgb), alpha));
}

void TPngImage::Draw(TCanvas& canvas, int x, int y) const {
  if (Empty()) return;
  QPainter& p = canvas.Target().Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(QPoint(x, y), data_->image);
}

void TPngImage::StretchDraw(TCanvas& canvas, const TRect& r) const {
  if (Empty()) return;
  QPainter& p = canvas.Target().Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(impl::ToQRect(r), data_->image);
}

}  // namespace platform::qt
