#include "platform/qt/menu_layout.h"

#include <algorithm>

namespace platform::qt {

MenuGeometry LayOutMenu(const std::vector<MenuCell>& cells) {
  MenuGeometry g;
  g.items.resize(cells.size());
  g.columns.resize(cells.size());
  int column = 0;
  std::size_t first = 0;  // first cell of the current column
  int x = kMenuFrame;
  int bottom = kMenuFrame;
  // Places cells [first, end) as one column at x; answers its width.
  auto place = [&](std::size_t end) {
    int width = 0;
    for (std::size_t i = first; i < end; ++i) width = std::max(width, cells[i].width);
    int y = kMenuFrame;
    for (std::size_t i = first; i < end; ++i) {
      g.items[i] = Bounds(x, y, width, cells[i].height);
      g.columns[i] = column;
      y += cells[i].height;
    }
    bottom = std::max(bottom, y);
    return width;
  };
  for (std::size_t i = 1; i <= cells.size(); ++i) {
    if (i < cells.size() && !cells[i].new_column) continue;
    x += place(i);
    first = i;
    if (i == cells.size()) break;
    if (cells[i].bar) g.bar_lines.push_back(x + kMenuColumnGap / 2 - 1);
    x += kMenuColumnGap;
    ++column;
  }
  g.width = x + kMenuFrame;
  g.height = bottom + kMenuFrame;
  return g;
}

}  // namespace platform::qt
