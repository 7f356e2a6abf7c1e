#include "ui/sap_button.h"

#include "platform/qt/colors.h"

namespace ui {

using platform::qt::TButtonState;
using platform::qt::TRect;

TSAPBtn::TSAPBtn(platform::qt::TComponent* owner) : TSpeedButton(owner) {
  SetFlat(true);
  SetTransparent(true);
}

void TSAPBtn::SetFillColor(platform::qt::TColor colour) {
  fill_color_ = colour;
  Invalidate();
}

void TSAPBtn::Paint() {
  if (!Flat()) {
    TSpeedButton::Paint();
    return;
  }
  platform::qt::TCanvas& c = Canvas();
  const TButtonState state = State();
  const bool down = state == TButtonState::bsDown || state == TButtonState::bsExclusive;
  TRect area = ClientRect();
  if (down || MouseInControl()) {
    TRect edge = area;
    c.DrawEdge(edge, down ? platform::qt::BDR_SUNKENOUTER : platform::qt::BDR_RAISEDINNER,
               platform::qt::BF_RECT);
  } else if (!Transparent()) {
    c.Brush = {Color(), platform::qt::TBrushStyle::bsSolid};
    c.FillRect(area);
  }
  area = platform::qt::Inflated(area, -1, -1);
  if (state == TButtonState::bsExclusive && !MouseInControl()) FillDownPattern(area);
  const bool disabled = state == TButtonState::bsDisabled;
  c.Brush = {fill_color_, platform::qt::TBrushStyle::bsSolid};
  c.Pen.Color = disabled ? platform::qt::clSilver : platform::qt::clBlack;
  c.Pen.Width = 1;
  c.Pen.Style = platform::qt::TPenStyle::psSolid;
  c.RoundRect(1, 1, Width() - 1, Height() - 1, 10, 10);
  if (Text().empty()) return;
  c.Font = Font();
  if (disabled) c.Font.SetColor(platform::qt::clSilver);
  c.Brush.Style = platform::qt::TBrushStyle::bsClear;
  const int x = (Width() - c.TextWidth(Text())) / 2;
  const int y = (Height() - c.TextHeight(Text())) / 2;
  c.TextOut(x, y, Text());
}

}  // namespace ui
