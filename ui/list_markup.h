// The cell texts of the grid browser's "Liste" and "Miniaturansicht" views: a sequence of fields
// marked up as label "[" width "]", each `width` digit-widths wide and one pixel apart, and a
// rest without "]" shown as it stands. Row texts come from record fields, so any text may arrive
// here, brackets and all.
#pragma once

#include <string>
#include <vector>

namespace ui {

// One field to be written: its text at `left` + 2, clipped to [left, right).
struct ListMarkupField {
  std::string text;
  int left;
  int right;

  friend bool operator==(const ListMarkupField&, const ListMarkupField&) = default;
};

// The fields of `text` that are shown in the cell [left, right), for a digit ("8") of
// `digit_width` pixels. A width that is empty, holds a comma or is no integer counts 0, as does a
// negative one: its field is not shown, and the next starts one pixel further on. A width wider
// than the cell is the cell's. Fields that would start at or beyond `right` are not shown.
std::vector<ListMarkupField> ListMarkupFields(std::string text, int digit_width, int left,
                                              int right);

}  // namespace ui
