// TSpeedButton: a button without a window, painted by the layer, with a glyph of one to four
// states (up, disabled, down, exclusive; see button_glyph.h) and a caption.
//
// A press shows it down; releasing over it clicks it. With a GroupIndex other than 0 it stays
// down after a click (Down), and putting one button of a group down puts the other buttons of
// that group (same parent, same GroupIndex) up; a down button goes up again on a click only
// with AllowAllUp. Flat buttons show their edge only while the mouse is over them or they are
// down; Transparent ones leave their background to the parent. Its accelerator clicks it.
#pragma once

#include "platform/qt/bitmap.h"
#include "platform/qt/button_glyph.h"
#include "platform/qt/control.h"

namespace platform::qt {

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);

  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool on);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int index);
  bool Down() const { return down_; }
  // Without a group index a button cannot stay down.
  void SetDown(bool on);
  bool Flat() const { return flat_; }
  void SetFlat(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  const TBitmap& Glyph() const { return glyph_; }
  // Takes a copy; the number of states follows from the bitmap's shape (GlyphStateCount).
  void SetGlyph(const TBitmap& glyph);
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int count);  // 1 to 4
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  void SetMargin(int margin);  // -1 centres
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);

  TButtonState State() const;
  bool MouseInControl() const { return mouse_in_control_; }

  void Paint() override;
  bool DialogChar(char key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 protected:
  // The glyph and caption in `area`, moved by a pixel while down.
  void PaintContents(const TRect& area);
  // The look of a button held down: button face and highlight alternating pixel by pixel.
  void FillDownPattern(const TRect& area);

 private:
  bool Inside(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y <= Height(); }
  void PutOthersUp();

  bool allow_all_up_ = false;
  int group_index_ = 0;
  bool down_ = false;
  bool flat_ = false;
  bool transparent_ = true;
  TBitmap glyph_;
  int num_glyphs_ = 1;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TButtonState state_ = TButtonState::bsUp;
  bool dragging_ = false;
  bool mouse_in_control_ = false;
};

}  // namespace platform::qt
