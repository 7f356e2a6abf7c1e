#include "ui/text_file_viewer.h"

#include <algorithm>

#include "platform/qt/strings.h"

namespace ui {

TKvTextFileViewer::TKvTextFileViewer(platform::qt::TComponent* owner) : TStringGrid(owner) {
  SetFixedRows(0);
  SetFixedCols(0);
  SetColCount(1);
  SetRowCount(100);
  SetColWidths(0, 10000);
  SetDefaultRowHeight(18);
  SetOptions(Options() & ~platform::qt::kGridLineOptions);
}

void TKvTextFileViewer::Setfilename(const std::string& name) {
  if (name.empty() || name == filename_) return;
  filename_ = name;
  Load();
}

void TKvTextFileViewer::SetIsOpen(bool open) {
  if (open) {
    Load();
  } else {
    ClearColumn();
  }
}

void TKvTextFileViewer::ClearColumn() {
  for (int row = 0; row < RowCount(); ++row) SetCells(0, row, "");
  is_open_ = false;
}

void TKvTextFileViewer::Load() {
  platform::qt::TStringList lines;
  if (filename_.empty() || !lines.LoadFromFile(filename_)) {
    ClearColumn();
    return;
  }
  SetRowCount(std::max(lines.Count(), 1));
  for (int row = 0; row < RowCount(); ++row) SetCells(0, row, lines.Get(row));
  SetTopRow(0);
  SetRow(0);
  is_open_ = true;
}

}  // namespace ui
