// TProgressBar: the window system's progress bar, without a percentage text.
#pragma once

#include "platform/qt/win_control.h"

namespace platform::qt {

enum class TProgressBarOrientation : std::uint8_t { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* owner);

  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  // Held within Min and Max.
  int Position() const { return position_; }
  void SetPosition(int value);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation orientation);

 private:
  void Apply();

  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
};

}  // namespace platform::qt
