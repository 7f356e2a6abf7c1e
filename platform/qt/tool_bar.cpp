#include "platform/qt/tool_bar.h"

#include "platform/qt/colors.h"
#include "platform/qt/image_list.h"

namespace platform::qt {

namespace {
constexpr int kSeparatorWidth = 8;
}  // namespace

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 150, 29); }

TImageList* TToolBar::Images() const { return images_alive_.expired() ? nullptr : images_; }

void TToolBar::SetImages(TImageList* images) {
  images_ = images;
  images_alive_ = images != nullptr ? images->AliveToken() : std::weak_ptr<const bool>();
  Invalidate();
}

void TToolBar::SetButtonWidth(int width) {
  button_width_ = width;
  ArrangeButtons();
}

void TToolBar::SetButtonHeight(int height) {
  button_height_ = height;
  ArrangeButtons();
}

void TToolBar::SetShowCaptions(bool on) {
  show_captions_ = on;
  Invalidate();
}

void TToolBar::SetFlat(bool on) {
  flat_ = on;
  Invalidate();
}

void TToolBar::SetIndent(int indent) {
  indent_ = indent;
  ArrangeButtons();
}

void TToolBar::ArrangeButtons() {
  if (IsDestroying()) return;
  int x = indent_;
  const std::vector<TControl*> children = Controls();
  for (TControl* c : children) {
    auto* button = dynamic_cast<TToolButton*>(c);
    if (button == nullptr || !button->Visible()) continue;
    const int width =
        button->Style() == TToolButtonStyle::tbsSeparator ? button->Width() : button_width_;
    button->SetBounds(x, 0, width, button_height_);
    x += width;
  }
  Invalidate();
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetImageIndex(int index) {
  image_index_ = index;
  Invalidate();
}

void TToolButton::SetStyle(TToolButtonStyle style) {
  style_ = style;
  SetClickEvents(style == TToolButtonStyle::tbsButton);
  if (style == TToolButtonStyle::tbsSeparator) SetWidth(kSeparatorWidth);
  if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::VisibleChanged() {
  if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::Paint() {
  TCanvas& c = Canvas();
  TToolBar* bar = ToolBar();
  TRect area = ClientRect();
  if (style_ == TToolButtonStyle::tbsSeparator) {
    const int x = Width() / 2 - 1;
    c.Brush = {clBtnShadow, TBrushStyle::bsSolid};
    c.FillRect({x, 1, x + 1, Height() - 1});
    c.Brush.Color = clBtnHighlight;
    c.FillRect({x + 1, 1, x + 2, Height() - 1});
    return;
  }
  const bool down = pressed_ && hot_;
  const bool flat = bar == nullptr || bar->Flat();
  if (down) {
    c.DrawEdge(area, BDR_SUNKENOUTER, BF_RECT);
  } else if ((hot_ && Enabled()) || !flat) {
    c.DrawEdge(area, BDR_RAISEDINNER, BF_RECT);
  }
  const int shift = down ? 1 : 0;
  TImageList* images = bar != nullptr ? bar->Images() : nullptr;
  const bool captions = bar != nullptr && bar->ShowCaptions() && !Text().empty();
  c.Font = Font();
  const int text_height = captions ? c.TextHeight("X") : 0;
  if (images != nullptr) {
    const int x = (Width() - images->Width()) / 2 + shift;
    const int y = (Height() - images->Height() - text_height) / 2 + shift;
    images->Draw(c, x, y, image_index_, Enabled());
  }
  if (!captions) return;
  TRect text{shift, Height() - text_height - 2 + shift, Width() + shift, Height() - 2 + shift};
  c.Brush.Style = TBrushStyle::bsClear;
  if (!Enabled()) c.Font.SetColor(clGrayText);
  c.DrawText(Text(), text, DT_SINGLELINE | DT_CENTER);
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft && Enabled() && style_ == TToolButtonStyle::tbsButton) {
    pressed_ = true;
    hot_ = true;
    Invalidate();
  }
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  pressed_ = false;
  Invalidate();
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TToolButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  hot_ = true;
  Invalidate();
}

void TToolButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  hot_ = false;
  Invalidate();
}

}  // namespace platform::qt
