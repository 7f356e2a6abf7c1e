#include "ui/bit_btn_glyph.h"

#include <algorithm>
#include <utility>

namespace ui {

using platform::qt::TBitmap;
using platform::qt::TButtonState;

TkvButtonGlyph::~TkvButtonGlyph() {
  OnChange = nullptr;
  Invalidate();
}

const TBitmap& TkvButtonGlyph::Glyph() const {
  static const TBitmap empty;
  return bitmap_ ? *bitmap_ : empty;
}

void TkvButtonGlyph::SetGlyph(std::shared_ptr<const TBitmap> bitmap) {
  Invalidate();
  bitmap_ = std::move(bitmap);
  const TBitmap& b = Glyph();
  if (!b.Empty()) {
    transparent_color_ = b.EffectiveTransparentColor();
    if (b.Width() % b.Height() == 0) {
      const int states = b.Width() / b.Height();
      num_glyphs_ = states < 5 ? states : 1;
    }
  }
  if (OnChange) OnChange();
}

void TkvButtonGlyph::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, 4);
  if (count == num_glyphs_) return;
  Invalidate();
  num_glyphs_ = count;
  if (OnChange) OnChange();
}

platform::qt::TPoint TkvButtonGlyph::Size() const {
  const TBitmap& b = Glyph();
  if (b.Empty()) return {};
  return {b.Width() / num_glyphs_, b.Height()};
}

void TkvButtonGlyph::Invalidate() {
  if (list_ == nullptr) return;
  for (int& slot : slots_) {
    list_->Delete(slot);
    slot = -1;
  }
  TGlyphCache::ReturnList(list_);
  list_ = nullptr;
}

int TkvButtonGlyph::MakeImage(int state) {
  const platform::qt::TPoint size = Size();
  TBitmap image(size.X, size.Y);
  image.Canvas().Brush = {transparent_color_, platform::qt::TBrushStyle::bsSolid};
  image.Canvas().FillRect({0, 0, size.X, size.Y});
  const TBitmap& source = Glyph();
  const int part = state < num_glyphs_ ? state : 0;
  const platform::qt::TRect from = platform::qt::Bounds(part * size.X, 0, size.X, size.Y);
  if (state == static_cast<int>(TButtonState::bsDisabled) && num_glyphs_ < 2) {
    platform::qt::DrawEmbossed(image.Canvas(), source, from, transparent_color_, 0, 0);
  } else {
    image.Canvas().Brush.Style = platform::qt::TBrushStyle::bsClear;
    image.Canvas().BrushCopy({0, 0, size.X, size.Y}, source, from, transparent_color_);
  }
  image.Transparent = true;
  image.TransparentColor = transparent_color_;
  if (list_ == nullptr) list_ = &TGlyphCache::GetList(size.X, size.Y);
  return list_->Add(image);
}

void TkvButtonGlyph::Draw(platform::qt::TCanvas& canvas, platform::qt::TPoint at,
                          TButtonState state) {
  const platform::qt::TPoint size = Size();
  if (size.X <= 0 || size.Y <= 0) return;
  int index = static_cast<int>(state);
  if ((state == TButtonState::bsDown || state == TButtonState::bsExclusive) &&
      index >= num_glyphs_) {
    index = 0;
  }
  int& slot = slots_[static_cast<std::size_t>(index)];
  if (slot < 0) slot = MakeImage(index);
  canvas.Draw(at.X, at.Y, list_->Image(slot));
}

}  // namespace ui
