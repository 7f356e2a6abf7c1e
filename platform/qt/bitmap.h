// TBitmap: an off-screen picture of RGB pixels with a canvas that draws at any time.
//
// A new bitmap is empty (0 x 0). SetSize keeps what fits and fills new pixels with white.
// Transparent bitmaps leave their transparent colour out when drawn: TransparentColor, when set,
// else the colour of the bottom-left pixel (the framework's automatic choice).
#pragma once

#include <memory>
#include <string>

#include "platform/qt/canvas.h"

namespace platform::qt {

namespace impl {
struct BitmapData;
}

class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);

  int Width() const;
  int Height() const;
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  void SetSize(int width, int height);
  bool Empty() const { return Width() == 0 || Height() == 0; }

  TCanvas& Canvas();
  TColor Pixel(int x, int y) const;  // clNone outside

  bool Transparent = false;
  TColor TransparentColor = 0x1FFFFFFF;  // clNone: the bottom-left pixel decides
  TColor EffectiveTransparentColor() const;

  // BMP, PNG or JPEG by content; false (and the bitmap unchanged) when the file cannot be read.
  bool LoadFromFile(const std::string& utf8_path);
  // PNG; false when the file cannot be written.
  bool SaveToPng(const std::string& utf8_path) const;

  impl::BitmapData& Data() const { return *data_; }

 private:
  std::unique_ptr<impl::BitmapData> data_;
};

}  // namespace platform::qt
