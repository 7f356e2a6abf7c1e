// TSRGradient: a graphic control that fills its area with a colour gradient in one of ten
// patterns (ui/gradient_painter.h); the caption bars of list windows are made of two.
//
// The colour table is computed when a colour or the direction changes, not per paint. Buffered
// (the default), the gradient is drawn into an off-screen bitmap only when the control's size or
// a property changed, and every paint copies that bitmap; for gsEllipse the copy leaves the
// silver corners out, so the parent shows there. Unbuffered, the gradient is drawn straight on
// the parent (the ellipse's corners are left unpainted).
#pragma once

#include <memory>

#include "platform/qt/bitmap.h"
#include "platform/qt/control.h"
#include "ui/gradient_painter.h"

namespace ui {

class TSRGradient : public platform::qt::TGraphicControl {
 public:
  explicit TSRGradient(platform::qt::TComponent* owner);

  bool Buffered() const { return buffer_ != nullptr; }
  void SetBuffered(bool on);
  TGradDirection Direction() const { return direction_; }
  void SetDirection(TGradDirection direction);
  TColor EndColor() const { return end_color_; }
  void SetEndColor(TColor colour);
  TColor StartColor() const { return start_color_; }
  void SetStartColor(TColor colour);
  // 1 to 10; other values are ignored.
  TStepWidth StepWidth() const { return step_width_; }
  void SetStepWidth(TStepWidth width);
  TGradStyle Style() const { return style_; }
  void SetStyle(TGradStyle style);

  const TGradientColours& Colours() const { return colours_; }
  // How often the buffer was drawn anew (a paint without a change only copies it).
  int BufferRedraws() const { return buffer_redraws_; }

  void Paint() override;

 private:
  void RecalcColors();
  // A property changed: the buffer is drawn anew on the next paint.
  void Changed();

  std::unique_ptr<platform::qt::TBitmap> buffer_;
  TGradientColours colours_{};
  int painted_width_ = 0;
  int painted_height_ = 0;
  int buffer_redraws_ = 0;
  TColor start_color_ = 0xFF0000;  // blue
  TColor end_color_ = 0x000000;    // black
  TGradDirection direction_ = TGradDirection::gdDownRight;
  TStepWidth step_width_ = 1;
  TGradStyle style_ = TGradStyle::gsVertical;
};

}  // namespace ui
