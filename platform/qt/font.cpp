#include "platform/qt/font.h"

#include <cstdlib>

namespace platform::qt {

TFont& TFont::operator=(const TFont& other) {
  if (this != &other && !SameLook(other)) {
    name_ = other.name_;
    size_ = other.size_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
  }
  return *this;
}

void TFont::SetName(std::string name) {
  if (name == name_) return;
  name_ = std::move(name);
  Changed();
}

void TFont::SetSize(int points) {
  if (points == size_) return;
  size_ = points;
  Changed();
}

int TFont::Height() const { return -MulDiv(size_, 96, 72); }

void TFont::SetHeight(int height) { SetSize(MulDiv(std::abs(height), 72, 96)); }

int TFont::PixelSize() const {
  const int pixels = std::abs(Height());
  return pixels < 1 ? 1 : pixels;
}

void TFont::SetColor(TColor colour) {
  if (colour == color_) return;
  color_ = colour;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

}  // namespace platform::qt
