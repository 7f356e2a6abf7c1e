// The string grid's painting: background, lines, and every visible cell (the plain look of
// DefaultDrawing, then DrawCell and its event).
#include <algorithm>
#include <vector>

#include "platform/qt/colors.h"
#include "platform/qt/string_grid.h"

namespace platform::qt {
namespace {

constexpr TColor kLineColour = clSilver;          // lines between ordinary cells
constexpr TColor kFixedLineColour = clBtnShadow;  // lines of the fixed cells

// The cells shown along one axis: the fixed ones, then those from `first` on while they start
// before `end` (ask `start` for each).
template <typename Start>
std::vector<int> Shown(int fixed, int first, int count, Start start) {
  std::vector<int> shown;
  for (int i = 0; i < fixed; ++i) {
    if (start(i) >= 0) shown.push_back(i);
  }
  for (int i = std::max(first, fixed); i < count && start(i) >= 0; ++i) shown.push_back(i);
  return shown;
}

}  // namespace

void TStringGrid::Paint() {
  TCanvas& c = Canvas();
  const TRect client = ClientRect();
  c.Brush = {Color(), TBrushStyle::bsSolid};
  c.FillRect(client);
  if (border_style_ == TBorderStyle::bsSingle) {
    TRect frame{0, 0, Width(), Height()};
    c.DrawEdge(frame, EDGE_SUNKEN, BF_RECT);
  }
  const std::vector<int> cols =
      Shown(fixed_cols_, left_col_, ColCount(), [this](int col) { return ColLeft(col); });
  const std::vector<int> rows =
      Shown(fixed_rows_, top_row_, RowCount(), [this](int row) { return RowTop(row); });

  // Lines first: a cell's painter may draw over the line next to it.
  const int vline = LineAfterCol();
  const int hline = LineAfterRow();
  for (const int row : rows) {
    for (const int col : cols) {
      const TRect r = CellRect(col, row);
      const bool fixed = Fixed(col, row);
      const bool vertical = (options_ & (fixed ? goFixedVertLine : goVertLine)) != 0;
      const bool horizontal = (options_ & (fixed ? goFixedHorzLine : goHorzLine)) != 0;
      c.Brush = {fixed ? kFixedLineColour : kLineColour, TBrushStyle::bsSolid};
      if (vertical && vline > 0) {
        c.FillRect({r.Right, r.Top, std::min(r.Right + vline, client.Right),
                    std::min(r.Bottom + hline, client.Bottom)});
      }
      if (horizontal && hline > 0) {
        c.FillRect({r.Left, r.Bottom, r.Right, std::min(r.Bottom + hline, client.Bottom)});
      }
    }
  }

  const bool focused = Focused();
  for (const int row : rows) {
    for (const int col : cols) {
      const TRect r = CellRect(col, row);
      TGridDrawState state = 0;
      if (Fixed(col, row)) state |= gdFixed;
      if (Selected(col, row)) state |= gdSelected;
      if (focused && col == col_ && row == row_) state |= gdFocused;
      c.Font = Font();
      c.Pen = TPen{};
      if (default_drawing_) {
        const bool highlight = (state & gdSelected) != 0 &&
                               ((state & gdFocused) == 0 || (options_ & goDrawFocusSelected) != 0 ||
                                (options_ & goRowSelect) != 0);
        c.Brush = {(state & gdFixed) != 0 ? fixed_color_
                   : highlight            ? clHighlight
                                          : Color(),
                   TBrushStyle::bsSolid};
        if (highlight) c.Font.SetColor(clHighlightText);
        c.FillRect(r);
        c.TextRect(r, r.Left + 2, r.Top + 2, Cells(col, row));
      } else {
        c.Brush = {Color(), TBrushStyle::bsSolid};
      }
      DrawCell(col, row, r, state);
      if (default_drawing_ && (state & gdFocused) != 0 && (options_ & goRowSelect) == 0) {
        c.DrawFocusRect(r);
      }
    }
  }
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

}  // namespace platform::qt
