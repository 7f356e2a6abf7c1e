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

int UsedEntries(const contest::WorkedMultiTable& table) {
  return static_cast<int>(std::count_if(table.begin(), table.end(),
                                        [](const auto& entry) { return !Free(entry); }));
}

}  // namespace contestlog
