#include "platform/qt/label.h"

#include "platform/qt/colors.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  AdjustSize();
}

void TCustomLabel::SetAutoSize(bool on) {
  auto_size_ = on;
  AdjustSize();
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool on) {
  transparent_ = on;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool on) {
  word_wrap_ = on;
  AdjustSize();
}

void TCustomLabel::SetShowAccelChar(bool on) {
  show_accel_char_ = on;
  AdjustSize();
}

TWinControl* TCustomLabel::FocusControl() const {
  return focus_control_alive_.expired() ? nullptr : focus_control_;
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  focus_control_ = control;
  focus_control_alive_ = control != nullptr ? control->AliveToken() : std::weak_ptr<const bool>();
}

bool TCustomLabel::DialogChar(char key) {
  TWinControl* target = FocusControl();
  if (target == nullptr || !show_accel_char_ || !IsAccel(key, Text()) || !target->CanFocus()) {
    return false;
  }
  target->SetFocus();
  return true;
}

unsigned TCustomLabel::TextFlags() const {
  unsigned flags = word_wrap_ ? DT_WORDBREAK : 0;
  if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
  if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
  if (!show_accel_char_) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::AdjustSize() {
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

void TCustomLabel::Paint() {
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
