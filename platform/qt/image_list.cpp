#include "platform/qt/image_list.h"

#include "platform/qt/button_glyph.h"

namespace platform::qt {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int width, int height) {
  width = width < 1 ? 1 : width;
  height = height < 1 ? 1 : height;
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  images_.clear();
}

int TImageList::AddMasked(const TBitmap& bitmap, TColor mask_colour) {
  if (bitmap.Empty()) return -1;
  TBitmap opaque = bitmap;
  opaque.Transparent = false;
  const int first = Count();
  const int pictures = bitmap.Width() < width_ ? 1 : bitmap.Width() / width_;
  for (int i = 0; i < pictures; ++i) {
    TBitmap picture(width_, height_);
    picture.Canvas().Brush = {mask_colour, TBrushStyle::bsSolid};
    picture.Canvas().FillRect({0, 0, width_, height_});
    picture.Canvas().Draw(-i * width_, 0, opaque);
    picture.Transparent = true;
    picture.TransparentColor = mask_colour;
    images_.push_back(std::move(picture));
  }
  return first;
}

void TImageList::Delete(int index) {
  if (index >= 0 && index < Count()) images_.erase(images_.begin() + index);
}

TBitmap TImageList::Picture(int index) const {
  if (index < 0 || index >= Count()) return {};
  return images_[static_cast<std::size_t>(index)];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  const TBitmap& picture = images_[static_cast<std::size_t>(index)];
  if (enabled) {
    canvas.Draw(x, y, picture);
  } else {
    DrawEmbossed(canvas, picture, {0, 0, width_, height_}, picture.TransparentColor, x, y);
  }
}

}  // namespace platform::qt
