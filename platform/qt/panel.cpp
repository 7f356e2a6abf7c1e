#include "platform/qt/panel.h"

#include "platform/qt/colors.h"

namespace platform::qt {
namespace {

int BevelSize(TBevelCut cut, int width) { return cut == TBevelCut::bvNone ? 0 : width; }

void PaintBevel(TCanvas& canvas, TRect& r, TBevelCut cut, int width, TColor face) {
  switch (cut) {
    case TBevelCut::bvRaised:
      Frame3D(canvas, r, clBtnHighlight, clBtnShadow, width);
      break;
    case TBevelCut::bvLowered:
      Frame3D(canvas, r, clBtnShadow, clBtnHighlight, width);
      break;
    case TBevelCut::bvSpace:
      Frame3D(canvas, r, face, face, width);
      break;
    case TBevelCut::bvNone:
      break;
  }
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
  bevel_outer_ = cut;
  LookChanged();
}

void TPanel::SetBevelInner(TBevelCut cut) {
  bevel_inner_ = cut;
  LookChanged();
}

void TPanel::SetBevelWidth(int width) {
  bevel_width_ = width < 1 ? 1 : width;
  LookChanged();
}

void TPanel::SetBorderWidth(int width) {
  border_width_ = width < 0 ? 0 : width;
  LookChanged();
}

void TPanel::SetBorderStyle(TBorderStyle style) {
  border_style_ = style;
  LookChanged();
}

void TPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TPanel::LookChanged() {
  Realign();
  Invalidate();
}

void TPanel::AdjustClientRect(TRect& r) const {
  const int inset = (border_style_ == TBorderStyle::bsSingle ? 1 : 0) +
                    BevelSize(bevel_outer_, bevel_width_) + border_width_ +
                    BevelSize(bevel_inner_, bevel_width_);
  r = Inflated(r, -inset, -inset);
}

void TPanel::Paint() {
  TCanvas& c = Canvas();
  TRect r = ClientRect();
  if (border_style_ == TBorderStyle::bsSingle) {
    Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
  }
  PaintBevel(c, r, bevel_outer_, bevel_width_, Color());
  Frame3D(c, r, Color(), Color(), border_width_);
  PaintBevel(c, r, bevel_inner_, bevel_width_, Color());
  c.Brush.Color = Color();
  c.Brush.Style = TBrushStyle::bsSolid;
  c.FillRect(r);
  if (Text().empty()) return;
  unsigned flags = DT_SINGLELINE | DT_VCENTER;
  if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
  if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = Font();
  c.DrawText(Text(), r, flags);
}

}  // namespace platform::qt
