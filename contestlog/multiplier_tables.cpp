#include "contestlog/multiplier_tables.h"

#include <algorithm>

#include "contest/contest_keys.h"

namespace contestlog {
namespace {

constexpr int kEntryWidth = 8;

bool Free(const contest::WorkedMultiEntry& entry) { return entry.text.empty(); }

}  // namespace

std::string TableForm(std::string_view value) {
  return contest::PaddedKeyPart(value, kEntryWidth);
}

bool InsertMultiplier(contest::WorkedMultiTable& table, std::string_view value) {
  const std::string form = TableForm(value);
  for (contest::WorkedMultiEntry& entry : table) {
    if (!Free(entry) && TableForm(entry.text.view()) == form) {
      entry.mark = 1;
      return false;
    }
  }
  const auto place = std::find_if(table.begin(), table.end(), [value](const auto& entry) {
    return Free(entry) || value < entry.text.view();
  });
  if (place == table.end()) return false;
  // A full table loses its last entry to make room.
  std::move_backward(place, table.end() - 1, table.end());
  place->text = value;
  place->mark = 1;
  return true;
}

bool RemoveMultiValue(contest::WorkedMultiTable& table, std::string_view value) {
  const auto found = std::find_if(table.begin(), table.end(), [value](const auto& entry) {
    return !Free(entry) && entry.text.view() == value;
  });
  if (found == table.end()) return false;
  std::move(found + 1, table.end(), found);
  table.back() = {};
  return true;
}

bool MarkWorkedMulti(contest::WorkedMultiTable& table, std::string_view value) {
  const std::string form = TableForm(value);
  for (contest::WorkedMultiEntry& entry : table) {
    if (!Free(entry) && TableForm(entry.text.view()) == form) {
      entry.mark = 2;
      return true;
    }
  }
  return false;
}

void ClearMarks(contest::WorkedMultiTable& table) {
  for (contest::WorkedMultiEntry& entry : table) entry.mark = 0;
}

void ClearTable(contest::WorkedMultiTable& table) { table.fill({}); }

std::vector<contest::WorkedMultiEntry> MergedBoard(
    const std::vector<contest::WorkedMultiTable>& tables) {
  // The smallest value is looked for in this order; a later table's value takes over only when
  // it sorts strictly lower.
  static constexpr int kSearchOrder[] = {2, 4, 18, 5, 10, 12, 1, 22, 15, 16, 19};
  // Among tables whose next value is the smallest, the first in this order gives it.
  static constexpr int kTakeOrder[] = {2, 5, 10, 1, 22, 12, 15, 16, 19, 18, 4};
  std::vector<std::size_t> next(tables.size(), 0);
  const auto current = [&](int kind) -> const contest::WorkedMultiEntry* {
    const auto k = static_cast<std::size_t>(kind);
    if (k >= tables.size() || next[k] >= tables[k].size()) return nullptr;
    const contest::WorkedMultiEntry& entry = tables[k][next[k]];
    return Free(entry) ? nullptr : &entry;
  };
  std::vector<contest::WorkedMultiEntry> board;
  while (board.size() < static_cast<std::size_t>(contest::kWorkedMultiEntries)) {
    const contest::WorkedMultiEntry* smallest = nullptr;
    for (const int kind : kSearchOrder) {
      const contest::WorkedMultiEntry* entry = current(kind);
      if (entry != nullptr && (smallest == nullptr || entry->text.view() < smallest->text.view())) {
        smallest = entry;
      }
    }
    if (smallest == nullptr) break;
    const std::string value = smallest->text.str();
    for (const int kind : kTakeOrder) {
      const contest::WorkedMultiEntry* entry = current(kind);
      if (entry != nullptr && entry->text.view() == value) {
        board.push_back(*entry);
        ++next[static_cast<std::size_t>(kind)];
        break;
      }
    }
  }
  return board;
}

int UsedEntries(const contest::WorkedMultiTable& table) {
  return static_cast<int>(std::count_if(table.begin(), table.end(),
                                        [](const auto& entry) { return !Free(entry); }));
}

}  // namespace contestlog
