// The proportional spreading of the log window's entry area: when the window's width changes,
// the log window computes one factor and the controls keep their proportions.
#pragma once

#include "platform/qt/win_control.h"

namespace contest::window {

// For each child of `container` in child order, by class (a subclass counts as its class):
// TkvEdit, TGroupBox, TPanel and TScrollBox get Left and Width times `factor`; TkvBitBtn, TImage
// and TLabel only Left. Group boxes, panels and scroll boxes are then arranged the same way
// inside, with the same factor, so every control is scaled once, relative to its own
// container. Values are rounded halves to even; Top and Height never change, other classes
// (and the fields' own buttons) are left alone.
void ArrangeControls(platform::qt::TWinControl& container, double factor);

}  // namespace contest::window
