// TSAPBtn: a flat speed button drawn as a rounded rectangle in its fill colour with a black
// outline and the caption centred (silver outline and caption while disabled); no glyph. Flat
// buttons show a 3-D edge while the mouse is over them or they are down; a button that is not
// flat paints as the framework's speed button.
#pragma once

#include "platform/qt/speed_button.h"

namespace ui {

class TSAPBtn : public platform::qt::TSpeedButton {
 public:
  explicit TSAPBtn(platform::qt::TComponent* owner);

  platform::qt::TColor FillColor() const { return fill_color_; }
  void SetFillColor(platform::qt::TColor colour);

  void Paint() override;

 private:
  platform::qt::TColor fill_color_ = 0xAADFFF;
};

}  // namespace ui
