#include "platform/qt/speed_button.h"

#include <algorithm>

#include "platform/qt/colors.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
  SetClickEvents(false);  // MouseUp decides
}

void TSpeedButton::SetAllowAllUp(bool on) {
  allow_all_up_ = on;
  if (Parent() == nullptr || group_index_ == 0) return;
  for (TControl* c : Parent()->Controls()) {
    if (auto* b = dynamic_cast<TSpeedButton*>(c); b != nullptr && b->group_index_ == group_index_) {
      b->allow_all_up_ = on;
    }
  }
}

void TSpeedButton::SetGroupIndex(int index) {
  group_index_ = index;
  if (down_) PutOthersUp();
}

void TSpeedButton::SetDown(bool on) {
  if (group_index_ == 0) on = false;
  if (on == down_) return;
  if (down_ && !allow_all_up_) return;
  down_ = on;
  state_ = on ? TButtonState::bsExclusive : TButtonState::bsUp;
  Invalidate();
  if (on) PutOthersUp();
}

void TSpeedButton::PutOthersUp() {
  if (Parent() == nullptr || group_index_ == 0) return;
  for (TControl* c : Parent()->Controls()) {
    auto* b = dynamic_cast<TSpeedButton*>(c);
    if (b == nullptr || b == this || b->group_index_ != group_index_ || !b->down_) continue;
    b->down_ = false;
    b->state_ = TButtonState::bsUp;
    b->Invalidate();
  }
}

void TSpeedButton::SetFlat(bool on) {
  flat_ = on;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool on) {
  transparent_ = on;
  Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
  glyph_ = glyph;
  num_glyphs_ = GlyphStateCount(glyph_);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
  num_glyphs_ = std::clamp(count, 1, 4);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
  if (margin < -1) return;
  margin_ = margin;
  Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

TButtonState TSpeedButton::State() const {
  if (!Enabled()) return TButtonState::bsDisabled;
  if (state_ == TButtonState::bsDisabled) {
    return down_ && group_index_ != 0 ? TButtonState::bsExclusive : TButtonState::bsUp;
  }
  return state_;
}

void TSpeedButton::Paint() {
  state_ = State();
  TCanvas& c = Canvas();
  const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  TRect area = ClientRect();
  if (!flat_) {
    c.DrawEdge(area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  } else {
    if (pressed || (mouse_in_control_ && state_ != TButtonState::bsDisabled)) {
      TRect edge = area;
      c.DrawEdge(edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                 BF_RECT | (transparent_ ? 0 : BF_MIDDLE));
    } else if (!transparent_) {
      c.Brush = {Color(), TBrushStyle::bsSolid};
      c.FillRect(area);
    }
    area = Inflated(area, -1, -1);
  }
  if (state_ == TButtonState::bsExclusive && (!flat_ || !mouse_in_control_)) {
    FillDownPattern(area);
  }
  PaintContents(area);
}

void TSpeedButton::FillDownPattern(const TRect& area) {
  TCanvas& c = Canvas();
  const TColor face = ColorToRGB(clBtnFace);
  const TColor light = ColorToRGB(clBtnHighlight);
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) c.SetPixel(x, y, ((x + y) & 1) != 0 ? light : face);
  }
}

void TSpeedButton::PaintContents(const TRect& area) {
  TCanvas& c = Canvas();
  const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  const TRect client =
      pressed ? TRect{area.Left + 1, area.Top + 1, area.Right + 1, area.Bottom + 1} : area;
  c.Font = Font();
  TRect need{0, 0, 0, 0};
  if (!Text().empty()) c.DrawText(Text(), need, DT_SINGLELINE | DT_CALCRECT);
  const TPoint glyph_size =
      glyph_.Empty() ? TPoint{} : TPoint{glyph_.Width() / num_glyphs_, glyph_.Height()};
  const ButtonPlacement at = PlaceGlyphAndText(client, glyph_size, {need.Width(), need.Height()},
                                               layout_, margin_, spacing_);
  DrawGlyph(c, glyph_, num_glyphs_, state_, at.glyph.X, at.glyph.Y);
  if (Text().empty()) return;
  TRect text = at.text;
  c.Brush.Style = TBrushStyle::bsClear;
  if (state_ == TButtonState::bsDisabled) {
    TRect lower{text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
    c.Font.SetColor(clBtnHighlight);
    c.DrawText(Text(), lower, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    c.Font.SetColor(clBtnShadow);
  }
  c.DrawText(Text(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

bool TSpeedButton::DialogChar(char key) {
  if (!IsAccel(key, Text()) || Parent() == nullptr || !Parent()->Showing()) return false;
  Click();
  return true;
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  if (!down_) {
    state_ = TButtonState::bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  TButtonState next = down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
  if (Inside(x, y)) next = down_ ? TButtonState::bsExclusive : TButtonState::bsDown;
  if (next != state_) {
    state_ = next;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const auto alive = AliveToken();
  TGraphicControl::MouseUp(button, shift, x, y);
  if (alive.expired() || !dragging_) return;
  dragging_ = false;
  const bool click = Inside(x, y);
  if (group_index_ != 0 && click) SetDown(!down_);
  state_ = down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
  Invalidate();
  if (click) Click();
}

void TSpeedButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  mouse_in_control_ = true;
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  mouse_in_control_ = false;
  if (flat_ && Enabled()) Invalidate();
}

}  // namespace platform::qt
