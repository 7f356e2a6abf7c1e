// The geometry of a pop-up menu: items stacked in columns, a new column at every break, each
// column as wide as its widest item, the menu as tall as its tallest column, inside a frame.
// Kept apart from the window so that the arithmetic is plain and testable.
#pragma once

#include <vector>

#include "platform/qt/types.h"

namespace platform::qt {

struct MenuCell {
  int width = 0;
  int height = 0;
  bool new_column = false;  // the item starts a column (ignored for the first item)
  bool bar = false;         // with a line between it and the previous column
};

struct MenuGeometry {
  std::vector<TRect> items;    // one per cell, in the menu window's coordinates
  std::vector<int> columns;    // the column of each cell, from 0
  std::vector<int> bar_lines;  // x of each line between columns
  int width = 0;
  int height = 0;
};

// The frame around the items and the room between two columns (a bar line lies in its middle).
inline constexpr int kMenuFrame = 3;
inline constexpr int kMenuColumnGap = 6;

MenuGeometry LayOutMenu(const std::vector<MenuCell>& cells);

}  // namespace platform::qt
