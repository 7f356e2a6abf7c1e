// TkvMouseGrid: the string grid of the grid browser, which also reports the mouse entering and
// leaving it: OnMouseEnter and OnMouseLeave are raised only while the grid is enabled.
#pragma once

#include "platform/qt/string_grid.h"

namespace ui {

class TkvMouseGrid : public platform::qt::TStringGrid {
 public:
  using TStringGrid::TStringGrid;

  void MouseEnter() override {
    if (Enabled()) TStringGrid::MouseEnter();
  }
  void MouseLeave() override {
    if (Enabled()) TStringGrid::MouseLeave();
  }
};

}  // namespace ui
