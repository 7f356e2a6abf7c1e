#include "platform/qt/bitmap.h"

#include <QImageReader>

#include "platform/qt/colors.h"
#include "platform/qt/impl/bitmap_data.h"
#include "platform/qt/impl/canvas_target.h"
#include "platform/qt/impl/convert.h"

namespace platform::qt {

namespace impl {

void BitmapData::Rebind() {
  if (image.isNull()) {
    canvas.Target().Unbind();
  } else {
    canvas.Target().Bind(&image, QPoint(0, 0), image.rect());
  }
}

}  // namespace impl

TBitmap::TBitmap() : data_(std::make_unique<impl::BitmapData>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(const TBitmap& other)
    : Transparent(other.Transparent),
      TransparentColor(other.TransparentColor),
      data_(std::make_unique<impl::BitmapData>()) {
  other.data_->canvas.Target().Flush();
  data_->image = other.data_->image.copy();
  data_->Rebind();
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  other.data_->canvas.Target().Flush();
  data_->canvas.Target().Unbind();
  data_->image = other.data_->image.copy();
  data_->Rebind();
  Transparent = other.Transparent;
  TransparentColor = other.TransparentColor;
  return *this;
}

int TBitmap::Width() const { return data_->image.width(); }
int TBitmap::Height() const { return data_->image.height(); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == Width() && height == Height()) return;
  data_->canvas.Target().Unbind();
  QImage next;
  if (width > 0 && height > 0) {
    next = QImage(width, height, QImage::Format_RGB32);
    next.fill(Qt::white);
    if (!data_->image.isNull()) {
      QPainter p(&next);
      p.drawImage(0, 0, data_->image);
    }
  }
  data_->image = next;
  data_->Rebind();
}

TCanvas& TBitmap::Canvas() { return data_->canvas; }

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return clNone;
  data_->canvas.Target().Flush();
  return impl::FromQColor(QColor(data_->image.pixel(x, y)));
}

TColor TBitmap::EffectiveTransparentColor() const {
  if (TransparentColor != clNone) return ColorToRGB(TransparentColor);
  return Empty() ? clNone : Pixel(0, Height() - 1);
}

bool TBitmap::LoadFromFile(const std::string& utf8_path) {
  QImageReader reader(QString::fromStdString(utf8_path));
  reader.setDecideFormatFromContent(true);
  const QImage loaded = reader.read();
  if (loaded.isNull()) return false;
  data_->canvas.Target().Unbind();
  // Pictures with an alpha channel are laid on white, as the framework shows them.
  QImage flat(loaded.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  {
    QPainter p(&flat);
    p.drawImage(0, 0, loaded);
  }
  data_->image = flat;
  data_->Rebind();
  return true;
}

bool TBitmap::SaveToPng(const std::string& utf8_path) const {
  if (Empty()) return false;
  data_->canvas.Target().Flush();
  return data_->image.save(QString::fromStdString(utf8_path), "PNG");
}

}  // namespace platform::qt
