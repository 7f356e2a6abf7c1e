#include "ui/gradient.h"

#include "platform/qt/colors.h"

namespace ui {

using platform::qt::TBrushStyle;

TSRGradient::TSRGradient(platform::qt::TComponent* owner)
    : TGraphicControl(owner), buffer_(std::make_unique<platform::qt::TBitmap>()) {
  SetBounds(0, 0, 100, 80);
  RecalcColors();
}

void TSRGradient::SetBuffered(bool on) {
  if (on == Buffered()) return;
  buffer_ = on ? std::make_unique<platform::qt::TBitmap>() : nullptr;
  Changed();
}

void TSRGradient::SetDirection(TGradDirection direction) {
  if (direction == direction_) return;
  direction_ = direction;
  RecalcColors();
  Changed();
}

void TSRGradient::SetEndColor(TColor colour) {
  if (colour == end_color_) return;
  end_color_ = colour;
  RecalcColors();
  Changed();
}

void TSRGradient::SetStartColor(TColor colour) {
  if (colour == start_color_) return;
  start_color_ = colour;
  RecalcColors();
  Changed();
}

void TSRGradient::SetStepWidth(TStepWidth width) {
  if (width == step_width_ || width < 1 || width > 10) return;
  step_width_ = width;
  Changed();
}

void TSRGradient::SetStyle(TGradStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TSRGradient::RecalcColors() { colours_ = GradientColours(start_color_, end_color_, direction_); }

void TSRGradient::Changed() {
  painted_width_ = 0;
  Invalidate();
}

void TSRGradient::Paint() {
  const int width = Width();
  const int height = Height();
  platform::qt::TCanvas& canvas = Canvas();
  if (!buffer_) {
    PaintGradient(canvas, {0, 0}, width, height, colours_, style_, step_width_, false);
    return;
  }
  if (width != painted_width_ || height != painted_height_) {
    painted_width_ = width;
    painted_height_ = height;
    buffer_->SetSize(width, height);
    PaintGradient(buffer_->Canvas(), {0, 0}, width, height, colours_, style_, step_width_, true);
    ++buffer_redraws_;
  }
  if (buffer_->Empty()) return;
  const platform::qt::TRect area{0, 0, width, height};
  if (style_ == TGradStyle::gsEllipse) {
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.BrushCopy(area, *buffer_, area, platform::qt::clSilver);
  } else {
    canvas.Draw(0, 0, *buffer_);
  }
}

}  // namespace ui
