// TPngImage: a picture with an alpha channel per pixel (the PNG pictures of buttons). Drawn, it
// is blended over what lies below; pixels with alpha 0 leave it as it is.
//
// A new image is empty (0 x 0); SetSize makes every pixel transparent black.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/qt/canvas.h"

namespace platform::qt {

namespace impl {
struct PngData;
}

class TPngImage {
 public:
  TPngImage();
  ~TPngImage();
  TPngImage(const TPngImage& other);
  TPngImage& operator=(const TPngImage& other);

  int Width() const;
  int Height() const;
  bool Empty() const { return Width() == 0 || Height() == 0; }
  void SetSize(int width, int height);

  // Any picture file Qt reads (PNG, BMP, JPEG); false and the image unchanged when it cannot be
  // read.
  bool LoadFromFile(const std::string& utf8_path);
  bool SaveToPng(const std::string& utf8_path) const;

  // The colour of a pixel without its alpha (clNone outside) and its alpha (0 outside).
  TColor Pixel(int x, int y) const;
  std::uint8_t Alpha(int x, int y) const;
  void SetPixel(int x, int y, TColor colour, std::uint8_t alpha);

  void Draw(TCanvas& canvas, int x, int y) const;
  void StretchDraw(TCanvas& canvas, const TRect& r) const;

 private:
  std::unique_ptr<impl::PngData> data_;
};

}  // namespace platform::qt
