#include "ui/panels.h"

#include <algorithm>

namespace ui {

using platform::qt::TBevelCut;
using platform::qt::TBorderStyle;
using platform::qt::TRect;

TkvPanel::TkvPanel(platform::qt::TComponent* owner) : TPanel(owner) {}

void TkvPanel::SetBorderColor(TColor colour) {
  if (colour == border_color_) return;
  SetBevelOuter(TBevelCut::bvNone);
  SetBevelInner(TBevelCut::bvNone);
  SetBorderStyle(TBorderStyle::bsSingle);
  border_color_ = colour;
  Invalidate();
}

void TkvPanel::SetLightColor(TColor colour) {
  light_color_ = colour;
  Invalidate();
}

void TkvPanel::SetShadowColor(TColor colour) {
  shadow_color_ = colour;
  Invalidate();
}

void TkvPanel::Paint() {
  if (light_color_ == platform::qt::clBtnHighlight && shadow_color_ == platform::qt::clBtnShadow) {
    TPanel::Paint();
  } else {
    PaintOwnLook();
  }
  if (border_color_ != 0 && BorderStyle() == TBorderStyle::bsSingle) {
    TRect ring = ClientRect();
    platform::qt::Frame3D(Canvas(), ring, border_color_, border_color_, 1);
  }
}

void TkvPanel::PaintOwnLook() {
  platform::qt::TCanvas& c = Canvas();
  TRect r = ClientRect();
  if (BorderStyle() == TBorderStyle::bsSingle) {
    platform::qt::Frame3D(c, r, platform::qt::clWindowFrame, platform::qt::clWindowFrame, 1);
  }
  const int bevel = std::max(1, BevelWidth());
  auto bevel_ring = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    const bool lowered = cut == TBevelCut::bvLowered;
    platform::qt::Frame3D(c, r, lowered ? shadow_color_ : light_color_,
                          lowered ? light_color_ : shadow_color_, bevel);
  };
  bevel_ring(BevelOuter());
  platform::qt::Frame3D(c, r, Color(), Color(), BorderWidth());
  bevel_ring(BevelInner());
  c.Brush = {Color(), platform::qt::TBrushStyle::bsSolid};
  c.FillRect(r);
  if (Text().empty()) return;
  unsigned flags = platform::qt::DT_SINGLELINE | platform::qt::DT_VCENTER;
  if (Alignment() == platform::qt::TAlignment::taCenter) flags |= platform::qt::DT_CENTER;
  if (Alignment() == platform::qt::TAlignment::taRightJustify) flags |= platform::qt::DT_RIGHT;
  c.Brush.Style = platform::qt::TBrushStyle::bsClear;
  c.Font = Font();
  c.DrawText(Text(), r, flags);
}

void TkvMousePanel::MouseEnter() {
  if (Enabled()) TkvPanel::MouseEnter();
}

void TkvMousePanel::MouseLeave() {
  if (Enabled()) TkvPanel::MouseLeave();
}

void TkvPaintPanel::SetMuster(enumPaintPanelMuster muster) {
  muster_ = muster;
  double_buffered_ = true;
  Invalidate();
}

}  // namespace ui
