// TSAPLinie: the separator line that underlines a pair of controls, a label (OwnerLeft) and its
// field (OwnerRight): the label is centred on the field vertically and the line runs on the
// field's bottom row from the label's left edge to the field's right edge.
//
// With only OwnerLeft the line lies under it, 10 pixels longer; with only OwnerRight it starts
// 10 pixels left of it. The line is drawn in $02EFEFEF, on a white panel or group box in
// $C0C0C0. The owners are not owned; one freed before the line is forgotten.
#pragma once

#include <memory>

#include "platform/qt/shape.h"

namespace ui {

class TSAPLinie : public platform::qt::TShape {
 public:
  explicit TSAPLinie(platform::qt::TComponent* owner);

  platform::qt::TControl* OwnerLeft() const;
  void SetOwnerLeft(platform::qt::TControl* control);
  platform::qt::TControl* OwnerRight() const;
  void SetOwnerRight(platform::qt::TControl* control);

  // Lays the line (and the label) out again, then repaints.
  void Update() override;

 private:
  struct WeakControl {
    platform::qt::TControl* control = nullptr;
    std::weak_ptr<const bool> alive;
    platform::qt::TControl* Get() const { return alive.expired() ? nullptr : control; }
  };
  void Follow();

  WeakControl left_;
  WeakControl right_;
};

}  // namespace ui
