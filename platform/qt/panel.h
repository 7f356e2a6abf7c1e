// TPanel: a container drawn by the layer: outer bevel, a border of BorderWidth pixels in the
// panel's colour, inner bevel, and the caption centred (by Alignment) in what is left.
// Aligned children share the area inside bevels, border and a single border line (bsSingle,
// drawn one pixel wide in the window-frame colour inside the panel).
#pragma once

#include "platform/qt/win_control.h"

namespace platform::qt {

enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle : std::uint8_t { bsNone, bsSingle };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut cut);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut cut);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int width);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle style);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  void AdjustClientRect(TRect& r) const override;
  void Paint() override;

 protected:
  void PaintBackground(TCanvas& canvas) override { (void)canvas; }

 private:
  void LookChanged();

  TBevelCut bevel_outer_ = TBevelCut::bvRaised;
  TBevelCut bevel_inner_ = TBevelCut::bvNone;
  int bevel_width_ = 1;
  int border_width_ = 0;
  TBorderStyle border_style_ = TBorderStyle::bsNone;
  TAlignment alignment_ = TAlignment::taCenter;
};

}  // namespace platform::qt
