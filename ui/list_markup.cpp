#include "ui/list_markup.h"

#include <algorithm>
#include <cstdint>

#include "common/number_text.h"

namespace ui {

std::vector<ListMarkupField> ListMarkupFields(std::string text, int digit_width, int left,
                                              int right) {
  std::vector<ListMarkupField> fields;
  const std::int64_t cell = std::max(right - left, 0);
  while (!text.empty() && left < right) {
    const std::size_t close = text.find(']');
    if (close == std::string::npos) {
      fields.push_back({std::move(text), left, right});
      break;
    }
    const std::string part = text.substr(0, close);
    text.erase(0, close + 1);
    const std::size_t open = part.find('[');
    const int n = open == std::string::npos ? 0 : common::StrToIntNoComma(part.substr(open + 1));
    // Counted wide, so that any number in the text stays a width: at most the cell's.
    const auto width = static_cast<int>(
        std::min(std::int64_t{std::max(n, 0)} * std::max(digit_width, 0), cell));
    if (width > 0) fields.push_back({part.substr(0, open), left, std::min(left + width, right)});
    left += width + 1;
  }
  return fields;
}

}  // namespace ui
