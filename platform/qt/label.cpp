#include "platform/qt/label.h"

#include "platform/qt/colors.h"

namespace platform::qt {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  AdjustSize();
}

void TLabel::SetAutoSize(bool on) {
  auto_size_ = on;
  AdjustSize();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TLabel::SetTransparent(bool on) {
  transparent_ = on;
  Invalidate();
}

void TLabel::SetWordWrap(bool on) {
  word_wrap_ = on;
  AdjustSize();
}

void TLabel::SetShowAccelChar(bool on) {
  show_accel_char_ = on;
  AdjustSize();
}

unsigned TLabel::TextFlags() const {
  unsigned flags = word_wrap_ ? DT_WORDBREAK : 0;
  if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
  if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
  if (!show_accel_char_) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::AdjustSize() {
  if (!auto_size_ || IsLoading()) {
    Invalidate();
    return;
  }
  TCanvas& c = Canvas();
  c.Font = Font();
  TRect r{0, 0, word_wrap_ ? Width() : 0, 0};
  c.DrawText(Text(), r, TextFlags() | DT_CALCRECT);
  SetBounds(Left(), Top(), word_wrap_ ? Width() : r.Width(), r.Height());
  Invalidate();
}

void TLabel::Paint() {
  TCanvas& c = Canvas();
  const TRect area = ClientRect();
  if (!transparent_) {
    c.Brush.Color = Color();
    c.Brush.Style = TBrushStyle::bsSolid;
    c.FillRect(area);
  }
  c.Brush.Style = TBrushStyle::bsClear;
  TRect r = area;
  if (layout_ != TTextLayout::tlTop) {
    TRect need = area;
    c.DrawText(Text(), need, TextFlags() | DT_CALCRECT);
    const int room = area.Height() - need.Height();
    r.Top += layout_ == TTextLayout::tlCenter ? room / 2 : room;
  }
  if (Enabled()) {
    c.DrawText(Text(), r, TextFlags());
    return;
  }
  // Disabled: the text embossed, highlight below and to the right, shadow on top.
  TRect lower{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  c.Font.SetColor(clBtnHighlight);
  c.DrawText(Text(), lower, TextFlags());
  c.Font.SetColor(clBtnShadow);
  c.DrawText(Text(), r, TextFlags());
}

}  // namespace platform::qt
