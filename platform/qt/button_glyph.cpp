#include "platform/qt/button_glyph.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "platform/qt/colors.h"
#include "platform/qt/impl/bitmap_data.h"
#include "platform/qt/impl/canvas_target.h"
#include "platform/qt/impl/convert.h"

namespace platform::qt {

int GlyphStateCount(const TBitmap& bitmap) {
  if (bitmap.Empty() || bitmap.Width() % bitmap.Height() != 0) return 1;
  const int states = bitmap.Width() / bitmap.Height();
  return states >= 1 && states < 5 ? states : 1;
}

void DrawGlyph(TCanvas& canvas, const TBitmap& glyph, int states, TButtonState state, int x,
               int y) {
  if (glyph.Empty()) return;
  states = std::max(1, std::min(states, 4));
  const int width = glyph.Width() / states;
  if (state == TButtonState::bsDown && states < 3) state = TButtonState::bsUp;
  int index = static_cast<int>(state);
  const TColor transparent = glyph.EffectiveTransparentColor();
  if (index >= states) {
    if (state == TButtonState::bsDisabled) {
      DrawEmbossed(canvas, glyph, Bounds(0, 0, width, glyph.Height()), transparent, x, y);
      return;
    }
    index = 0;
  }
  const TBrush kept = canvas.Brush;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.BrushCopy(Bounds(x, y, width, glyph.Height()), glyph,
                   Bounds(index * width, 0, width, glyph.Height()), transparent);
  canvas.Brush = kept;
}

void DrawEmbossed(TCanvas& canvas, const TBitmap& source, const TRect& part, TColor transparent,
                  int x, int y) {
  if (source.Empty()) return;
  source.Data().canvas.Target().Flush();
  const QImage pixels = source.Data().image.copy(impl::ToQRect(part));
  const QRgb key = impl::ToQColor(transparent).rgb() & 0xFFFFFF;
  const QRgb white = 0xFFFFFF;
  auto shape = [&](const QColor& colour) {
    QImage mask(pixels.size(), QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    for (int py = 0; py < pixels.height(); ++py) {
      for (int px = 0; px < pixels.width(); ++px) {
        const QRgb p = pixels.pixel(px, py) & 0xFFFFFF;
        if (p != key && p != white) mask.setPixel(px, py, colour.rgba());
      }
    }
    return mask;
  };
  QPainter& p = canvas.Target().Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(QPoint(x + 1, y + 1), shape(impl::ToQColor(clBtnHighlight)));
  p.drawImage(QPoint(x, y), shape(impl::ToQColor(clBtnShadow)));
}

ButtonPlacement PlaceGlyphAndText(const TRect& client, TPoint glyph_size, TPoint text_size,
                                  TButtonLayout layout, int margin, int spacing) {
  const bool across = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  const TPoint room{client.Width(), client.Height()};
  ButtonPlacement out;
  TPoint glyph{};
  TPoint text{};
  if (across) {
    glyph.Y = (room.Y - glyph_size.Y + 1) / 2;
    text.Y = (room.Y - text_size.Y + 1) / 2;
  } else {
    glyph.X = (room.X - glyph_size.X + 1) / 2;
    text.X = (room.X - text_size.X + 1) / 2;
  }
  const int room_along = across ? room.X : room.Y;
  const int glyph_along = across ? glyph_size.X : glyph_size.Y;
  const int text_along = across ? text_size.X : text_size.Y;
  if (glyph_along == 0 || text_along == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room_along - glyph_along - text_along) / 3;
      spacing = margin;
    } else {
      margin = (room_along - glyph_along - spacing - text_along + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room_along - margin - glyph_along - text_along) / 2;
  }
  switch (layout) {
    case TButtonLayout::blGlyphLeft:
      glyph.X = margin;
      text.X = glyph.X + glyph_size.X + spacing;
      break;
    case TButtonLayout::blGlyphRight:
      glyph.X = room.X - margin - glyph_size.X;
      text.X = glyph.X - spacing - text_size.X;
      break;
    case TButtonLayout::blGlyphTop:
      glyph.Y = margin;
      text.Y = glyph.Y + glyph_size.Y + spacing;
      break;
    case TButtonLayout::blGlyphBottom:
      glyph.Y = room.Y - margin - glyph_size.Y;
      text.Y = glyph.Y - spacing - text_size.Y;
      break;
  }
  out.glyph = {client.Left + glyph.X, client.Top + glyph.Y};
  out.text = Bounds(client.Left + text.X, client.Top + text.Y, text_size.X, text_size.Y);
  return out;
}

}  // namespace platform::qt
