// Text on a canvas: TextOut, TextRect, measuring and DrawText's line layout.
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "platform/qt/canvas.h"
#include "platform/qt/impl/canvas_target.h"
#include "platform/qt/impl/convert.h"

namespace platform::qt {
namespace {

struct TextLine {
  QString text;
  int underline = -1;  // index of the accelerator character, -1 none
  int width = 0;
};

// The text without its "&" prefixes and the index of the first marked character.
QString StripPrefixes(const QString& text, int& underline) {
  QString out;
  underline = -1;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == QChar('&') && i + 1 < text.size()) {
      ++i;
      if (text[i] != QChar('&') && underline < 0) underline = static_cast<int>(out.size());
    }
    out += text[i];
  }
  return out;
}

QStringList SplitParagraphs(const QString& text) {
  QString unified = text;
  unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  unified.replace(QChar('\r'), QChar('\n'));
  return unified.split(QChar('\n'));
}

// Greedy word wrap at blanks; a word wider than the room stays whole on its own line.
void WrapParagraph(const QString& paragraph, int underline, int room, const QFontMetrics& fm,
                   std::vector<TextLine>& lines) {
  const QStringList words = paragraph.split(QChar(' '));
  QString current;
  int start = 0;     // index in paragraph where `current` starts
  int position = 0;  // index in paragraph of the word being placed
  auto add_line = [&](const QString& line, int from) {
    TextLine l{line, -1, fm.horizontalAdvance(line)};
    if (underline >= from && underline < from + line.size()) l.underline = underline - from;
    lines.push_back(l);
  };
  for (int i = 0; i < words.size(); ++i) {
    if (i == 0) {
      current = words[i];
    } else if (const QString candidate = current + ' ' + words[i];
               fm.horizontalAdvance(candidate) > room) {
      add_line(current, start);
      current = words[i];
      start = position;
    } else {
      current = candidate;
    }
    position += static_cast<int>(words[i].size()) + 1;
  }
  add_line(current, start);
}

}  // namespace

void TCanvas::TextOut(int x, int y, std::string_view text) {
  QPainter& p = target_->Painter();
  const QFont font = impl::ToQFont(Font);
  const QFontMetrics fm(font);
  const QString s = impl::ToQString(text);
  const int w = fm.horizontalAdvance(s);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (Brush.Style != TBrushStyle::bsClear) {
    p.fillRect(QRect(x, y, w, fm.height()), impl::ToQColor(Brush.Color));
  }
  p.setFont(font);
  p.setPen(impl::ToQColor(Font.Color()));
  p.drawText(x, y + fm.ascent(), s);
  PenPos = {x + w, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) {
  QPainter& p = target_->Painter();
  p.save();
  p.setClipRect(impl::ToQRect(r), Qt::IntersectClip);
  FillRect(r);
  const TBrushStyle style = Brush.Style;
  Brush.Style = TBrushStyle::bsClear;
  TextOut(x, y, text);
  Brush.Style = style;
  p.restore();
}

int TCanvas::TextWidth(std::string_view text) {
  return QFontMetrics(impl::ToQFont(Font)).horizontalAdvance(impl::ToQString(text));
}

int TCanvas::TextHeight(std::string_view text) {
  (void)text;
  return QFontMetrics(impl::ToQFont(Font)).height();
}

int TCanvas::DrawText(std::string_view text, TRect& r, unsigned flags) {
  const QFont font = impl::ToQFont(Font);
  const QFontMetrics fm(font);
  const int line_height = fm.height();
  std::vector<TextLine> lines;
  for (const QString& raw : SplitParagraphs(impl::ToQString(text))) {
    int underline = -1;
    const QString paragraph = (flags & DT_NOPREFIX) != 0 ? raw : StripPrefixes(raw, underline);
    if ((flags & DT_WORDBREAK) != 0 && (flags & DT_SINGLELINE) == 0) {
      WrapParagraph(paragraph, underline, r.Width(), fm, lines);
    } else if ((flags & DT_SINGLELINE) != 0 && !lines.empty()) {
      lines.back().text += paragraph;
      lines.back().width = fm.horizontalAdvance(lines.back().text);
    } else {
      lines.push_back({paragraph, underline, fm.horizontalAdvance(paragraph)});
    }
  }
  if ((flags & DT_END_ELLIPSIS) != 0) {
    for (TextLine& l : lines) {
      if (l.width <= r.Width()) continue;
      l.text = fm.elidedText(l.text, Qt::ElideRight, r.Width());
      l.width = fm.horizontalAdvance(l.text);
      l.underline = -1;
    }
  }
  const int height = line_height * static_cast<int>(lines.size());
  if ((flags & DT_CALCRECT) != 0) {
    int widest = 0;
    for (const TextLine& l : lines) widest = std::max(widest, l.width);
    r.Right = r.Left + widest;
    r.Bottom = r.Top + height;
    return height;
  }
  int y = r.Top;
  if ((flags & DT_SINGLELINE) != 0 && (flags & DT_VCENTER) != 0) {
    y = r.Top + (r.Height() - height) / 2;
  } else if ((flags & DT_SINGLELINE) != 0 && (flags & DT_BOTTOM) != 0) {
    y = r.Bottom - height;
  }
  QPainter& p = target_->Painter();
  p.save();
  if ((flags & DT_NOCLIP) == 0) p.setClipRect(impl::ToQRect(r), Qt::IntersectClip);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const QColor ink = impl::ToQColor(Font.Color());
  for (const TextLine& l : lines) {
    int x = r.Left;
    if ((flags & DT_CENTER) != 0) x = r.Left + (r.Width() - l.width) / 2;
    if ((flags & DT_RIGHT) != 0) x = r.Right - l.width;
    if (Brush.Style != TBrushStyle::bsClear) {
      p.fillRect(QRect(x, y, l.width, line_height), impl::ToQColor(Brush.Color));
    }
    p.setPen(ink);
    p.setFont(font);
    p.drawText(x, y + fm.ascent(), l.text);
    if (l.underline >= 0) {
      // The accelerator's underline under its character cell.
      const int from = x + fm.horizontalAdvance(l.text.left(l.underline));
      const int w = fm.horizontalAdvance(l.text.mid(l.underline, 1));
      p.fillRect(QRect(from, y + fm.ascent() + 1, w, 1), ink);
    }
    y += line_height;
  }
  p.restore();
  return height;
}

}  // namespace platform::qt
