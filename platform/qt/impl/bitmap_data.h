// The pixels of a TBitmap (layer-internal).
#pragma once

#include <QImage>

#include "platform/qt/bitmap.h"
#include "platform/qt/canvas.h"

namespace platform::qt::impl {

struct BitmapData {
  QImage image;
  TCanvas canvas;  // bound to image while it has pixels
  void Rebind();
};

// The bitmap's pixels ready to draw: its transparent colour made see-through when Transparent.
QImage DrawableImage(const TBitmap& bitmap);

}  // namespace platform::qt::impl
