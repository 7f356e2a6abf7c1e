// TkvBrowSelect: the records the user selected in one browser, kept as a set of record
// references independent of the page shown, and the rubber-band frame with which rows or cells
// are selected by dragging. Each browser owns one.
//
// The references live in slots; a free slot holds 0. A reference is held at most once; removing
// one frees its slot, and an array whose slots are all free is emptied at the next search.
// Every query answers false while the browser is passive; SetSelected then only fires
// OnInternselect.
#pragma once

#include <cstdint>
#include <vector>

#include "common/record_text.h"
#include "platform/qt/canvas.h"
#include "platform/qt/colors.h"
#include "platform/qt/types.h"

namespace ui {

class TkvBrow;
using platform::qt::TColor;
using platform::qt::TShiftState;

class TkvBrowSelect {
 public:
  static constexpr TColor kFrameFill = 0x00ECCAA8;
  static constexpr TColor kFrameLine = 0x00FF9933;

  explicit TkvBrowSelect(TkvBrow& browser);

  // Mode 1 selects, 0 deselects, 2 toggles; fires OnInternselect (also when nothing changed),
  // except when a reference that is not held is deselected.
  void SetSelected(std::int32_t ref, std::uint8_t mode);
  bool IsSelected(std::int32_t ref) const;
  bool IsSelectedAt(int col, int row) const;
  bool IsCurrentSelected() const;
  // Two or more references, or one that is not the table object's current record.
  bool Count() const;
  bool First();
  bool Next();
  // Reads the record at the iterator into the table object.
  bool ReadDatensatz();
  void Clear();
  // The selecting command behind DoAddSelectRow: 0 moves the anchor only, 1 toggles, 2 selects
  // the range from the anchor to the current row, 3 selects, 4 deselects.
  void ToggleRow(int mode);
  // A mouse button pressed on a grid cell.
  void ClickSelect(int col, int row, TShiftState shift, platform::qt::TMouseButton button);

  // --- the rubber band (grid coordinates) ---
  void BeginFrame(int x, int y, TShiftState shift);
  void MoveFrame(int x, int y);
  // Selects the rows (cells) under the frame and deselects the others of the range it covered.
  void EndFrame(const platform::qt::TRect& rect);
  void EndFrame() { EndFrame(frame_); }
  void RemoveFrame();
  bool HasFrame() const { return has_frame_; }
  const platform::qt::TRect& Frame() const { return frame_; }
  // Paints the part of the frame inside `clip`, the frame being moved by `offset`.
  void DrawFrame(platform::qt::TCanvas& canvas, const platform::qt::TRect& clip,
                 platform::qt::TPoint offset) const;
  void SetCellSelected(int mode, int col, int row);

  // For tests and the data controllers: the slots as they stand (0 = free).
  const std::vector<std::int32_t>& Slots() const { return refs_; }
  const common::TKeyStr& Anchor() const { return anchor_; }

 private:
  void Fire() const;
  bool Passive() const;
  void SelectRange(const common::TKeyStr& previous, const std::string& current_key,
                   std::int32_t current_ref);

  TkvBrow& browser_;
  std::vector<std::int32_t> refs_;
  common::TKeyStr anchor_{};
  int iterator_ = -1;
  platform::qt::TPoint frame_start_{};
  platform::qt::TRect frame_{};
  bool has_frame_ = false;
  platform::qt::TRect frame_cells_{0, 0, -1, -1};  // cell range of the last EndFrame
};

}  // namespace ui
