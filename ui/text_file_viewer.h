// TKvTextFileViewer: a one-column grid that shows the lines of a text file (CP1252, as read):
// 100 rows at first, one column 10,000 pixels wide, no fixed rows or columns, rows 18 high and
// no grid lines.
//
// Setting `filename` to another name that is not empty loads the file; setting IsOpen true loads
// the file named, false empties the column. A file that is missing or cannot be read leaves the
// column empty and IsOpen false. A loaded file has one row per line (at least one row).
#pragma once

#include <string>

#include "platform/qt/string_grid.h"

namespace ui {

class TKvTextFileViewer : public platform::qt::TStringGrid {
 public:
  explicit TKvTextFileViewer(platform::qt::TComponent* owner);

  const std::string& filename() const { return filename_; }
  void Setfilename(const std::string& name);
  bool IsOpen() const { return is_open_; }
  void SetIsOpen(bool open);

 private:
  void Load();
  void ClearColumn();

  std::string filename_;
  bool is_open_ = false;
};

}  // namespace ui
