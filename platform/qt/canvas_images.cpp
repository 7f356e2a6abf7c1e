// Pictures and edges on a canvas: bitmaps drawn, stretched and copied, the three-dimensional
// edges, Frame3D and the focus frame.
#include <QPainter>
#include <QPolygon>

#include "platform/qt/bitmap.h"
#include "platform/qt/canvas.h"
#include "platform/qt/colors.h"
#include "platform/qt/impl/bitmap_data.h"
#include "platform/qt/impl/canvas_target.h"
#include "platform/qt/impl/convert.h"

namespace platform::qt {
namespace {

// One ring of an edge: the top row and left column in `top`, the right column and bottom row
// in `bottom`, which also takes the top-right and bottom-left corners.
void Ring(QPainter& p, const TRect& r, unsigned sides, const QColor& top, const QColor& bottom) {
  const int w = r.Width();
  const int h = r.Height();
  if (w <= 0 || h <= 0) return;
  if ((sides & BF_TOP) != 0) p.fillRect(QRect(r.Left, r.Top, w - 1, 1), top);
  if ((sides & BF_LEFT) != 0) p.fillRect(QRect(r.Left, r.Top, 1, h - 1), top);
  if ((sides & BF_RIGHT) != 0) p.fillRect(QRect(r.Right - 1, r.Top, 1, h), bottom);
  if ((sides & BF_BOTTOM) != 0) p.fillRect(QRect(r.Left, r.Bottom - 1, w, 1), bottom);
}

TRect Shrunk(TRect r, unsigned sides) {
  if ((sides & BF_LEFT) != 0) ++r.Left;
  if ((sides & BF_TOP) != 0) ++r.Top;
  if ((sides & BF_RIGHT) != 0) --r.Right;
  if ((sides & BF_BOTTOM) != 0) --r.Bottom;
  return r;
}

}  // namespace

namespace impl {

QImage DrawableImage(const TBitmap& bitmap) {
  bitmap.Data().canvas.Target().Flush();
  const QImage& source = bitmap.Data().image;
  if (!bitmap.Transparent || source.isNull()) return source;
  QImage out = source.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(bitmap.EffectiveTransparentColor()).rgb() & 0xFFFFFF;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
  }
  return out;
}

}  // namespace impl

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const QImage image = impl::DrawableImage(bitmap);
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(QPoint(x, y), image);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const QImage image = impl::DrawableImage(bitmap);
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(impl::ToQRect(r), image);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& source_rect) {
  impl::CanvasTarget& from = source.Target();
  if (!from.Drawing()) return;
  from.Flush();
  // A copy, so that copying within one canvas reads the pixels as they were.
  const QImage pixels =
      from.image->copy(impl::ToQRect(source_rect).translated(from.origin).intersected(from.clip));
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(impl::ToQRect(dest), pixels);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& source,
                        TColor colour) {
  if (bitmap.Empty()) return;
  bitmap.Data().canvas.Target().Flush();
  QImage part =
      bitmap.Data().image.copy(impl::ToQRect(source)).convertToFormat(QImage::Format_ARGB32);
  const QRgb key = impl::ToQColor(colour).rgb() & 0xFFFFFF;
  const QRgb fill = Brush.Style == TBrushStyle::bsClear ? 0 : impl::ToQColor(Brush.Color).rgb();
  for (int y = 0; y < part.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
    for (int x = 0; x < part.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == key) line[x] = fill;
    }
  }
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(impl::ToQRect(dest), part);
}

bool TCanvas::DrawEdge(TRect& r, unsigned edge, unsigned flags) {
  if (r.Width() <= 0 || r.Height() <= 0) return false;
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const unsigned sides = flags & BF_RECT;
  TRect inner = r;
  if ((flags & BF_FLAT) != 0) {
    const QColor shadow = impl::ToQColor(clBtnShadow);
    Ring(p, inner, sides, shadow, shadow);
    inner = Shrunk(inner, sides);
  } else {
    struct Ring3D {
      unsigned bit;
      TColor top, bottom;
    };
    // The outer ring (raised: light over dark shadow, sunken: shadow over highlight), then the
    // inner one (raised: highlight over shadow, sunken: dark shadow over light).
    static constexpr Ring3D kOuter[] = {{BDR_RAISEDOUTER, cl3DLight, cl3DDkShadow},
                                        {BDR_SUNKENOUTER, clBtnShadow, clBtnHighlight}};
    static constexpr Ring3D kInner[] = {{BDR_RAISEDINNER, clBtnHighlight, clBtnShadow},
                                        {BDR_SUNKENINNER, cl3DDkShadow, cl3DLight}};
    for (const auto& rings : {kOuter, kInner}) {
      for (int i = 0; i < 2; ++i) {
        if ((edge & rings[i].bit) == 0) continue;
        Ring(p, inner, sides, impl::ToQColor(rings[i].top), impl::ToQColor(rings[i].bottom));
        inner = Shrunk(inner, sides);
        break;
      }
    }
  }
  if ((flags & BF_MIDDLE) != 0) p.fillRect(impl::ToQRect(inner), impl::ToQColor(clBtnFace));
  if ((flags & BF_ADJUST) != 0) r = inner;
  return true;
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  QPolygon dots;
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) dots << QPoint(x, y);
  };
  for (int x = r.Left; x < r.Right; ++x) {
    dot(x, r.Top);
    if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
  }
  for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
    dot(r.Left, y);
    if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
  }
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::RasterOp_NotDestination);
  p.setPen(QPen(Qt::black, 0));
  p.drawPoints(dots);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Frame3D(TCanvas& canvas, TRect& r, TColor top, TColor bottom, int width) {
  QPainter& p = canvas.Target().Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  for (int i = 0; i < width; ++i) {
    Ring(p, r, BF_RECT, impl::ToQColor(top), impl::ToQColor(bottom));
    r = Inflated(r, -1, -1);
  }
}

}  // namespace platform::qt
