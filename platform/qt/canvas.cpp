// Shapes, lines and pixels. Lines of one pixel are stepped here rather than by Qt, so that the
// end pixel is left out exactly as the framework leaves it out.
#include "platform/qt/canvas.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/qt/colors.h"
#include "platform/qt/impl/canvas_target.h"
#include "platform/qt/impl/convert.h"

namespace platform::qt {
namespace {

QPainter::CompositionMode ModeOf(TPenMode mode) {
  switch (mode) {
    case TPenMode::pmNot:
      return QPainter::RasterOp_NotDestination;
    case TPenMode::pmXor:
      return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::pmNotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

// On and off runs of the dashed one-pixel pens.
std::vector<int> DashPattern(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash:
      return {18, 6};
    case TPenStyle::psDot:
      return {3, 3};
    case TPenStyle::psDashDot:
      return {9, 6, 3, 6};
    case TPenStyle::psDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

// The pixels of a line from a up to, not including, b.
void StepLine(TPoint a, TPoint b, QPolygon& out) {
  const int dx = std::abs(b.X - a.X);
  const int dy = -std::abs(b.Y - a.Y);
  const int sx = a.X < b.X ? 1 : -1;
  const int sy = a.Y < b.Y ? 1 : -1;
  int err = dx + dy;
  int x = a.X;
  int y = a.Y;
  while (x != b.X || y != b.Y) {
    out << QPoint(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

}  // namespace

TCanvas::TCanvas() : target_(std::make_unique<impl::CanvasTarget>()) {}
TCanvas::~TCanvas() = default;

bool TCanvas::IsDrawing() const { return target_->Drawing(); }

TRect TCanvas::ClipRect() const {
  if (!target_->Drawing()) return {};
  return impl::FromQRect(target_->clip.translated(-target_->origin));
}

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Style == TBrushStyle::bsClear || r.Width() <= 0 || r.Height() <= 0) return;
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.fillRect(impl::ToQRect(r), impl::ToQColor(Brush.Color));
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const QColor c = impl::ToQColor(Brush.Color);
  p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
  p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
  p.fillRect(QRect(r.Left, r.Top + 1, 1, r.Height() - 2), c);
  p.fillRect(QRect(r.Right - 1, r.Top + 1, 1, r.Height() - 2), c);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  FillRect({x1, y1, x2, y2});
  if (Pen.Style == TPenStyle::psClear || x2 <= x1 || y2 <= y1) return;
  QPainter& p = target_->Painter();
  p.setCompositionMode(ModeOf(Pen.Mode));
  const QColor c = impl::ToQColor(Pen.Color);
  const int w = std::max(1, std::min({Pen.Width, (x2 - x1 + 1) / 2, (y2 - y1 + 1) / 2}));
  // Top and bottom rows over the full width, the sides between them: no pixel twice.
  p.fillRect(QRect(x1, y1, x2 - x1, w), c);
  if (y2 - w > y1 + w - 1) {
    p.fillRect(QRect(x1, y2 - w, x2 - x1, w), c);
    p.fillRect(QRect(x1, y1 + w, w, y2 - y1 - 2 * w), c);
    if (x2 - w >= x1 + w) p.fillRect(QRect(x2 - w, y1 + w, w, y2 - y1 - 2 * w), c);
  }
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  QPainter& p = target_->Painter();
  p.setCompositionMode(ModeOf(Pen.Mode));
  p.setBrush(Brush.Style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush)
                                                 : QBrush(impl::ToQColor(Brush.Color)));
  if (Pen.Style == TPenStyle::psClear) {
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRect(x1, y1, x2 - x1, y2 - y1), w / 2.0, h / 2.0);
  } else {
    p.setPen(QPen(impl::ToQColor(Pen.Color), std::max(1, Pen.Width)));
    p.drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), w / 2.0, h / 2.0);
  }
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  QPainter& p = target_->Painter();
  p.setCompositionMode(ModeOf(Pen.Mode));
  p.setBrush(Brush.Style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush)
                                                 : QBrush(impl::ToQColor(Brush.Color)));
  if (Pen.Style == TPenStyle::psClear) {
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(x1, y1, x2 - x1, y2 - y1));
  } else {
    p.setPen(QPen(impl::ToQColor(Pen.Color), std::max(1, Pen.Width)));
    p.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  }
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  QPolygon polygon;
  for (const TPoint& pt : points) polygon << QPoint(pt.X, pt.Y);
  if (Brush.Style != TBrushStyle::bsClear) {
    QPainter& p = target_->Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    p.setBrush(impl::ToQColor(Brush.Color));
    p.drawPolygon(polygon, Qt::OddEvenFill);
  }
  std::vector<TPoint> closed(points.begin(), points.end());
  closed.push_back(points.front());
  // The closing segment ends where the outline began, so every corner is drawn once.
  Polyline(closed);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.empty()) return;
  PenPos = points.front();
  for (std::size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = PenPos;
  PenPos = {x, y};
  if (Pen.Style == TPenStyle::psClear) return;
  QPainter& p = target_->Painter();
  p.setCompositionMode(ModeOf(Pen.Mode));
  const QColor c = impl::ToQColor(Pen.Color);
  if (Pen.Width > 1) {
    p.setPen(QPen(c, Pen.Width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from.X, from.Y, x, y);
    return;
  }
  QPolygon pixels;
  StepLine(from, {x, y}, pixels);
  const std::vector<int> pattern = DashPattern(Pen.Style);
  if (!pattern.empty()) {
    QPolygon dashed;
    std::size_t run = 0;
    int left = pattern[0];
    for (const QPoint& px : pixels) {
      if (run % 2 == 0) dashed << px;
      if (--left == 0) {
        run = (run + 1) % pattern.size();
        left = pattern[run];
      }
    }
    pixels.swap(dashed);
  }
  p.setPen(QPen(c, 0));
  p.drawPoints(pixels);
}

TColor TCanvas::Pixel(int x, int y) const {
  if (!target_->Drawing()) return clNone;
  const QPoint at = QPoint(x, y) + target_->origin;
  if (!target_->clip.contains(at)) return clNone;
  return impl::FromQColor(QColor(target_->image->pixel(at)));
}

void TCanvas::SetPixel(int x, int y, TColor colour) {
  QPainter& p = target_->Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.fillRect(QRect(x, y, 1, 1), impl::ToQColor(colour));
}

}  // namespace platform::qt
