// TGroupBox: a frame with a caption around a group of controls, drawn by the layer (an etched
// frame starting at the middle of the caption line, the caption at the top-left). Aligned
// children share the area below the caption and inside the frame. Its accelerator focuses its
// first child in tab order.
#pragma once

#include "platform/qt/win_control.h"

namespace platform::qt {

class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* owner);

  void AdjustClientRect(TRect& r) const override;
  void Paint() override;
  bool DialogChar(char key) override;

 protected:
  void TextChanged() override { Invalidate(); }
  void FontChanged() override;
};

}  // namespace platform::qt
