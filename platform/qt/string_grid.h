// TStringGrid: the class library's string grid, drawn by the layer itself: a table of text cells
// (and an integer object per cell) with fixed rows and columns at the top and left, a current
// cell, an in-place editor and the framework's events. It shows no scroll bars of its own; its
// owner scrolls it through LeftCol and TopRow.
//
// Coordinates: everything (CellRect, MouseToCell, the mouse events, the canvas during painting)
// is in the grid's own pixel coordinates; with BorderStyle bsSingle the 2-pixel sunken border
// lies outside ClientRect, whose top-left is (2, 2).
//
// Geometry: the fixed columns come first, then the columns from LeftCol on, each followed by a
// line of GridLineWidth pixels when goFixedVertLine or goVertLine is set (no line otherwise);
// rows likewise with goFixedHorzLine / goHorzLine. The line after a cell belongs to it for
// MouseToCell. A cell is fixed when its row is a fixed row or its column a fixed column.
//
// Painting: the background, then the lines (fixed options for fixed cells), then each visible
// cell: with DefaultDrawing the grid fills it (FixedColor, the highlight for selected cells,
// Color) and writes its text at (left + 2, top + 2); then DrawCell raises OnDrawCell, also for
// the fixed cells, with the cell's rectangle; without DefaultDrawing only OnDrawCell paints the
// cell, on Canvas().
//
// The current cell moves by the mouse, the keys and Row/Col; every move asks SelectCell first
// (OnSelectCell may veto it) and scrolls the cell into view; a change of LeftCol or TopRow
// raises OnTopLeftChanged. With goRowSelect the whole current row is selected. A press whose
// focus move into the grid a handler sent elsewhere (OnEnter asking and answered "no") is
// dropped: no cell moves and OnMouseDown does not come.
//
// Editing (goEditing, not with goRowSelect, on a cell that is not fixed): the editor opens by
// F2, a typed character, or at once with goAlwaysShowEditor. Its text comes from GetEditText
// (the cell, then OnGetEditText); OnGetEditMask is asked too, but no mask is enforced. Enter, a
// move to another cell and closing the editor write the text back (SetEditText: the cell, then
// OnSetEditText) when it changed; Esc puts the text back as it was.
//
// Mouse: the wheel raises OnMouseWheelDown / OnMouseWheelUp; unhandled, it moves the current row.
// With goColSizing the line right of a column can be dragged in the fixed rows. BeginDrag starts
// a drag inside the grid: OnDragOver asks whether a drop is accepted, OnDragDrop takes it,
// OnEndDrag ends every drag (target null when nothing was dropped). The hint (Hint) shows per
// cell: moving to another cell shows it afresh.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/drag.h"
#include "platform/qt/memo.h"
#include "platform/qt/panel.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

class TEdit;

using TGridOptions = std::uint32_t;
inline constexpr TGridOptions goFixedVertLine = 1u << 0;
inline constexpr TGridOptions goFixedHorzLine = 1u << 1;
inline constexpr TGridOptions goVertLine = 1u << 2;
inline constexpr TGridOptions goHorzLine = 1u << 3;
inline constexpr TGridOptions goDrawFocusSelected = 1u << 4;
inline constexpr TGridOptions goColSizing = 1u << 5;
inline constexpr TGridOptions goEditing = 1u << 6;
inline constexpr TGridOptions goTabs = 1u << 7;
inline constexpr TGridOptions goRowSelect = 1u << 8;
inline constexpr TGridOptions goAlwaysShowEditor = 1u << 9;
inline constexpr TGridOptions goThumbTracking = 1u << 10;
inline constexpr TGridOptions kGridLineOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;

using TGridDrawState = std::uint8_t;
inline constexpr TGridDrawState gdSelected = 1;
inline constexpr TGridDrawState gdFocused = 2;
inline constexpr TGridDrawState gdFixed = 4;

using TDrawCellEvent = std::function<void(TComponent* sender, int col, int row, const TRect& rect,
                                          TGridDrawState state)>;
using TSelectCellEvent =
    std::function<void(TComponent* sender, int col, int row, bool& can_select)>;
using TGetEditEvent = std::function<void(TComponent* sender, int col, int row, std::string& value)>;
using TSetEditEvent =
    std::function<void(TComponent* sender, int col, int row, const std::string& value)>;
using TMouseWheelUpDownEvent =
    std::function<void(TComponent* sender, TShiftState shift, TPoint mouse, bool& handled)>;

class TStringGrid : public TWinControl {
 public:
  explicit TStringGrid(TComponent* owner);
  ~TStringGrid() override;

  // --- shape (counts at least 1; fixed counts below the counts) ---
  int ColCount() const { return static_cast<int>(col_widths_.size()); }
  void SetColCount(int count);
  int RowCount() const { return static_cast<int>(row_heights_.size()); }
  void SetRowCount(int count);
  int FixedCols() const { return fixed_cols_; }
  void SetFixedCols(int count);
  int FixedRows() const { return fixed_rows_; }
  void SetFixedRows(int count);
  TColor FixedColor() const { return fixed_color_; }
  void SetFixedColor(TColor colour);
  // Setting a default gives every column (row) that size.
  int DefaultColWidth() const { return default_col_width_; }
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const { return default_row_height_; }
  void SetDefaultRowHeight(int height);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);
  int GridLineWidth() const { return line_width_; }
  void SetGridLineWidth(int width);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);
  bool DefaultDrawing() const { return default_drawing_; }
  void SetDefaultDrawing(bool on);
  TScrollStyle ScrollBars() const { return scroll_bars_; }  // kept; no bars are shown
  void SetScrollBars(TScrollStyle bars) { scroll_bars_ = bars; }
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle style);
  TRect ClientRect() const override;

  // --- contents (out-of-range cells read as "" and 0 and are not written) ---
  std::string Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);
  std::int32_t Objects(int col, int row) const;
  void SetObjects(int col, int row, std::int32_t value);

  // --- the visible part and the current cell ---
  int LeftCol() const { return left_col_; }
  void SetLeftCol(int col);
  int TopRow() const { return top_row_; }
  void SetTopRow(int row);
  int Col() const { return col_; }
  void SetCol(int col) { FocusCell(col, row_); }
  int Row() const { return row_; }
  void SetRow(int row) { FocusCell(col_, row); }
  // Moves the current cell when SelectCell allows it; answers whether it moved there.
  bool FocusCell(int col, int row);
  // Columns (rows) after the fixed ones that are wholly visible.
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // The cell's rectangle, cut at the client area; empty (all 0) for a cell not shown.
  TRect CellRect(int col, int row) const;
  // The cell at a point; -1 for a coordinate past the cells or outside the client area.
  void MouseToCell(int x, int y, int& col, int& row) const;
  void InvalidateCell(int col, int row);
  void InvalidateRow(int row);

  // --- editing ---
  bool EditorMode() const;
  void SetEditorMode(bool on);
  TEdit* InplaceEditor() const;

  // --- dragging inside the grid ---
  // Starts a drag now (immediate) or once the mouse has moved `threshold` pixels (5 when
  // negative) with the button held.
  void BeginDrag(bool immediate, int threshold = -1);
  bool Dragging() const { return dragging_; }
  void EndDrag(bool drop);

  // --- the overridable defaults that raise the events ---
  virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
  virtual bool SelectCell(int col, int row);
  virtual void TopLeftChanged();
  virtual std::string GetEditText(int col, int row);
  virtual void SetEditText(int col, int row, const std::string& value);
  virtual std::string GetEditMask(int col, int row);
  virtual bool DoMouseWheelDown(TShiftState shift, TPoint mouse);
  virtual bool DoMouseWheelUp(TShiftState shift, TPoint mouse);

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;
  bool TakesFocusOnClick() const override { return true; }

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TGetEditEvent OnGetEditMask;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

  // Layer-internal: the window's wheel (delta in eighths of a degree, 120 a notch).
  void WheelTurned(TShiftState shift, int delta, TPoint mouse);

 protected:
  void FontChanged() override;

 private:
  class Editor;
  friend class Editor;

  int Border() const { return border_style_ == TBorderStyle::bsSingle ? 2 : 0; }
  int LineAfterCol() const;  // width of the line after a column
  int LineAfterRow() const;
  // Left edge of a column (top edge of a row) as drawn; -1 when it is not shown.
  int ColLeft(int col) const;
  int RowTop(int row) const;
  bool Fixed(int col, int row) const { return col < fixed_cols_ || row < fixed_rows_; }
  bool Selected(int col, int row) const;
  void ClampPositions();
  void ScrollIntoView(int col, int row);
  void Resized();
  // The column whose right-hand line is at x in the fixed rows, or -1.
  int SizingColumn(int x, int y) const;
  bool CanEditShow() const;
  void ShowEditor(const std::string* first_char = nullptr);
  void HideEditor();
  void PlaceEditor();
  // Writes the editor's text back when it changed; answers whether the grid still lives.
  bool CommitEditor();
  void CancelEditor();
  bool EditorKey(std::uint16_t key, TShiftState shift);
  bool MoveByKey(std::uint16_t key, TShiftState shift);
  void DragTo(int x, int y);

  std::vector<int> col_widths_;
  std::vector<int> row_heights_;
  std::vector<std::string> cells_;     // row-major, ColCount() per row
  std::vector<std::int32_t> objects_;  // likewise
  int fixed_cols_ = 1;
  int fixed_rows_ = 1;
  TColor fixed_color_ = 0x8000000F;  // clBtnFace
  int default_col_width_ = 64;
  int default_row_height_ = 24;
  int line_width_ = 1;
  TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
  bool default_drawing_ = true;
  TScrollStyle scroll_bars_ = TScrollStyle::ssBoth;
  TBorderStyle border_style_ = TBorderStyle::bsSingle;
  int left_col_ = 1;
  int top_row_ = 1;
  int col_ = 1;
  int row_ = 1;

  Editor* editor_ = nullptr;  // owned as a component of the grid
  int edit_col_ = -1;         // the cell the editor shows, -1 when hidden
  int edit_row_ = -1;
  std::string edit_start_;  // the text the editor opened with

  int sizing_col_ = -1;  // column being sized by the mouse
  int sizing_left_ = 0;
  bool sizing_cursor_ = false;
  TCursor saved_cursor_ = crDefault;
  bool drag_pending_ = false;
  bool dragging_ = false;
  bool drag_inside_ = false;
  bool drag_accept_ = false;
  int drag_threshold_ = 5;
  TPoint drag_from_{};
  TPoint last_mouse_{};
};

}  // namespace platform::qt
