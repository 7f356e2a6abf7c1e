#include "contestlog/column_places.h"

#include <array>
#include <utility>

namespace contestlog {
namespace {

constexpr int kBytesPerKey = 20;
constexpr int kAreaCorrection = 1235;
constexpr int kAreaCluster = 1895;
constexpr int kAreaOther = 2095;

int AreaStart(std::uint8_t layout_number) {
  if (layout_number == kLayoutCorrection) return kAreaCorrection;
  if (layout_number == kLayoutCluster) return kAreaCluster;
  return kAreaOther;
}

// The byte at `offset` of the layout record's column tables 3 to 10; null outside them.
template <typename Layout>
auto LayoutByte(Layout& layout, int offset) -> decltype(layout.column_table3.data()) {
  using Bytes = decltype(layout.column_table3.data());
  const std::array<std::pair<Bytes, int>, 8> tables = {{
      {layout.column_table3.data(), static_cast<int>(layout.column_table3.size())},
      {layout.column_table4.data(), static_cast<int>(layout.column_table4.size())},
      {layout.column_table5.data(), static_cast<int>(layout.column_table5.size())},
      {layout.column_table6.data(), static_cast<int>(layout.column_table6.size())},
      {layout.column_table7.data(), static_cast<int>(layout.column_table7.size())},
      {layout.column_table8.data(), static_cast<int>(layout.column_table8.size())},
      {layout.column_table9.data(), static_cast<int>(layout.column_table9.size())},
      {layout.column_table10.data(), static_cast<int>(layout.column_table10.size())},
  }};
  int start = kAreaCorrection;
  for (const auto& [bytes, size] : tables) {
    if (offset >= start && offset < start + size) return bytes + (offset - start);
    start += size;
  }
  return nullptr;
}

int LayoutOffset(std::uint8_t layout_number, int key_nr, int column) {
  return AreaStart(layout_number) + kBytesPerKey * key_nr + 2 * column;
}

}  // namespace

std::uint16_t KeptColumnWidth(const contest::TContestKKRec& log,
                              const logbook::ToSetupLayout& layout, std::uint8_t layout_number,
                              int key_nr, int column) {
  if (column < 0 || key_nr < 0) return 0;
  if (layout_number == kLayoutCatalogue) {
    return column < contest::kGridColumnWidths ? std::uint16_t{log.GridColumnWidths[column]} : 0;
  }
  const int offset = LayoutOffset(layout_number, key_nr, column);
  const std::uint8_t* low = LayoutByte(layout, offset);
  const std::uint8_t* high = LayoutByte(layout, offset + 1);
  if (low == nullptr || high == nullptr) return 0;
  return static_cast<std::uint16_t>(*low | (*high << 8));
}

bool KeepColumnWidth(contest::TContestKKRec& log, logbook::ToSetupLayout& layout,
                     std::uint8_t layout_number, int key_nr, int column, std::uint16_t width) {
  if (column < 0 || key_nr < 0) return false;
  if (layout_number == kLayoutCatalogue) {
    if (column >= contest::kGridColumnWidths) return false;
    log.GridColumnWidths[column] = width;
    return true;
  }
  const int offset = LayoutOffset(layout_number, key_nr, column);
  std::uint8_t* low = LayoutByte(layout, offset);
  std::uint8_t* high = LayoutByte(layout, offset + 1);
  if (low == nullptr || high == nullptr) return false;
  *low = static_cast<std::uint8_t>(width & 0xFF);
  *high = static_cast<std::uint8_t>(width >> 8);
  return true;
}

}  // namespace contestlog
