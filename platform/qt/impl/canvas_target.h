// What a TCanvas draws on (layer-internal): an image, the place of the canvas's origin on it and
// the clip rectangle, with a QPainter begun on first use. Without an image the canvas measures
// text on a scratch image and its drawing goes nowhere.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <memory>

namespace platform::qt::impl {

struct CanvasTarget {
  ~CanvasTarget() { Unbind(); }

  // Draws on `image` from now on; canvas (0, 0) lies at `origin`, nothing outside `clip`
  // (image coordinates) is touched.
  void Bind(QImage* target, QPoint at, QRect clip_rect) {
    Unbind();
    image = target;
    origin = at;
    clip = clip_rect.intersected(target->rect());
  }
  void Unbind() {
    painter.reset();
    image = nullptr;
  }
  // Ends the painter so the image may be copied or resized; the next drawing begins it again.
  void Flush() { painter.reset(); }
  bool Drawing() const { return image != nullptr; }
  QPainter& Painter() {
    if (!painter) {
      painter = std::make_unique<QPainter>(image != nullptr ? image : &scratch);
      painter->setRenderHint(QPainter::Antialiasing, false);
      painter->setRenderHint(QPainter::TextAntialiasing, false);
      painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
      if (image != nullptr) {
        painter->setClipRect(clip);
        painter->translate(origin);
      } else {
        painter->setClipRect(QRect(0, 0, 0, 0));
      }
    }
    return *painter;
  }

  QImage* image = nullptr;
  QPoint origin;
  QRect clip;
  QImage scratch{1, 1, QImage::Format_RGB32};
  std::unique_ptr<QPainter> painter;
};

}  // namespace platform::qt::impl
