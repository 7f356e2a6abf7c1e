#include "contest/contest_tables.h"

#include <span>

#include "common/number_mask.h"
#include "common/service.h"
#include "contest/catalogue_record.h"
#include "contest/contest_data_record.h"
#include "contest/log_file_set.h"
#include "contest/log_record.h"
#include "logbook/settings/setups.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/table_keys.h"

namespace contest {
namespace {

struct TableFile {
  const char* name;
  bool numbered;     // the log number follows the name
  bool shared;       // opened for shared use
  int folder_entry;  // 1-based entry of the settings' folder list
  int record_length;
  std::span<const ContestKeyDef> keys;
  int auto_key;  // 0: none
  void (*key_builder)(const std::uint8_t*, std::uint16_t, std::string&);
};

// By table number.
const TableFile kFiles[kContestTableCount] = {
    {"PXKK", false, true, 7, sizeof(TContestKKRec), kKKKeys, kKKAutoKey, KKKeyBuilder},
    {"PXKZ", false, true, 7, sizeof(TContestKZRec), kKZKeys, 0, KZKeyBuilder},
    {"PXLK", true, true, 7, sizeof(TContestLKRec), kLKKeys, kLKAutoKey, LKKeyBuilder},
    {"QVMK", true, true, 14, sizeof(TContestMKRec), std::span(kLKKeys).first(kMKKeyCount),
     kLKAutoKey, MKKeyBuilder},
    {"PXLK", true, true, 7, sizeof(TContestLKRec), kLKKeys, kLKAutoKey, LKKeyBuilder},
    {"PXLKTEMP", false, true, 11, sizeof(TContestLKRec), kLKTempKeys, kLKTempAutoKey,
     LKTempKeyBuilder},
    {"PXLN", true, false, 7, sizeof(TContestLKRec), kLKKeys, kLKAutoKey, LKKeyBuilder},
};

// The order in which the tables of a mask are opened and closed.
constexpr int kOpenOrder[kContestTableCount] = {kTableKK,     kTableKZ, kTableLK,   kTableLK2,
                                                kTableLKTemp, kTableMK, kTableLKNew};

// Bytes 4-7 of every record: Nummer, the auto number.
constexpr int kAutoNumberOffset = 4;

bool IsTable(int table) { return table >= 0 && table < kContestTableCount; }

}  // namespace

int TableRecordLength(int table) { return IsTable(table) ? kFiles[table].record_length : 0; }

int TableKeyCount(int table) {
  return IsTable(table) ? static_cast<int>(kFiles[table].keys.size()) : 0;
}

std::string TableFileName(int table, std::int32_t log_number) {
  if (!IsTable(table)) return {};
  const TableFile& f = kFiles[table];
  if (!f.numbered) return f.name;
  if (log_number < 0) return {};
  // Four digits with leading zeros; a larger number gets all its digits rather than being cut.
  const std::string digits =
      log_number <= 9999 ? common::IntToStrAt(log_number, 4) : std::to_string(log_number);
  return f.name + digits;
}

std::string StartDir() { return common::Service<storage::DriverSystem>::Get().StartFolder(); }

std::string ToDatContest::TablePath(int table, std::int32_t log_number) const {
  if (!IsTable(table)) return {};
  const logbook::ToSetupDirs dirs = common::Service<logbook::ToSetups>::Get().GetDirs();
  const std::size_t entry = static_cast<std::size_t>(kFiles[table].folder_entry - 1);
  return dirs.dirs[entry] + TableFileName(table, log_number);
}

ToDatContest::HandleKey ToDatContest::KeyOf(int table, std::int32_t log_number) {
  return {table, kFiles[table].numbered ? log_number : 0};
}

int ToDatContest::OpenOne(int table, std::int32_t log_number, std::uint8_t flag) {
  const TableFile& f = kFiles[table];
  const std::string name = TableFileName(table, log_number);
  if (flag != 0 || name.empty()) return storage::TdbTreiber::kNotOpened;
  storage::ToKeys keys;
  for (const ContestKeyDef& k : f.keys) keys.Add(k.length, k.duplicates, k.expression);
  storage::TreiberOpenParams p;
  p.max_length = p.min_length = f.record_length;
  p.file_name = name;
  p.path = TablePath(table, log_number);
  p.key_count = keys.Count();
  p.key_builder = f.key_builder;
  p.open_mode = f.shared ? 1 : 0;  // shared: several program instances work on the same logs
  p.keys = &keys;
  const HandleKey key = KeyOf(table, log_number);
  // A replacement of the log's files that a stopped process left is settled before anybody
  // opens them.
  const auto existing = handles_.find(key);
  const bool first_opening = existing == handles_.end() || existing->second == nullptr ||
                             !existing->second->IsOpen(false);
  if (table == kTableLK && first_opening && !SettlePendingReplacement(LogFileSetOf(log_number))) {
    return storage::TdbTreiber::kNotOpened;
  }
  const bool kept = existing != handles_.end() && existing->second != nullptr;
  std::unique_ptr<storage::TdbTreiber>& slot = handles_[key];
  int result = storage::TdbTreiber::kNotOpened;
  bool unusable = false;  // opened, but its files cannot be reached
  try {
    result = OpenTable(slot, p, AutoKeyField{f.auto_key, kAutoNumberOffset});
    // The driver reaches its files only on first use; a table counts as opened when its files
    // are (a missing one created), so that a failure stops OpenTables, not a later lookup.
    unusable = result == storage::TdbTreiber::kOpened && !slot->Driver()->Mark();
  } catch (const storage::EDBError&) {
    DropFailedOpen(key, result == storage::TdbTreiber::kOpened, kept);
    throw;
  }
  if (unusable || result == storage::TdbTreiber::kNotOpened) {
    DropFailedOpen(key, unusable, kept);
    return storage::TdbTreiber::kNotOpened;
  }
  return result;
}

void ToDatContest::DropFailedOpen(const HandleKey& key, bool close, bool kept) {
  std::unique_ptr<storage::TdbTreiber>& slot = handles_[key];
  // A fresh open has no other user: closing it for every user closes only its own use.
  if (close && slot != nullptr) {
    while (slot->IsOpen(false)) slot->Close();
  }
  // A handle kept through a replacement stays for those who hold it, closed.
  if (!kept && (slot == nullptr || !slot->IsOpen(false))) handles_.erase(key);
}

void ToDatContest::CloseKeepingHandle(int table, std::int32_t log_number) {
  if (!IsTable(table)) return;
  const auto it = handles_.find(KeyOf(table, log_number));
  if (it == handles_.end() || it->second == nullptr) return;
  while (it->second->IsOpen(false)) it->second->Close();
}

void ToDatContest::CloseOne(int table, std::int32_t log_number, bool force, std::uint8_t flag) {
  const auto it = handles_.find(KeyOf(table, log_number));
  if (it == handles_.end()) return;
  CloseTable(it->second, flag != 0, force);
  if (it->second == nullptr || !it->second->IsOpen(false)) handles_.erase(it);
}

bool ToDatContest::OpenTables(unsigned mask, std::int32_t log_number, std::uint8_t flag) {
  bool opened = true;
  for (const int table : kOpenOrder) {
    if ((mask & TableMask(table)) == 0) continue;
    opened = OpenOne(table, log_number, flag) != storage::TdbTreiber::kNotOpened;
    if (!opened) break;
  }
  return opened;
}

void ToDatContest::CloseTables(unsigned mask, std::int32_t log_number, bool force,
                               std::uint8_t flag) {
  for (const int table : kOpenOrder) {
    if ((mask & TableMask(table)) != 0) CloseOne(table, log_number, force, flag);
  }
}

storage::TdbTreiber* ToDatContest::GetTreiber(int table, std::int32_t log_number,
                                              std::uint8_t flag) {
  table %= 128;
  if (!IsTable(table)) return nullptr;
  const auto it = handles_.find(KeyOf(table, log_number));
  if (it == handles_.end() || !it->second->IsOpen(flag != 0)) return nullptr;
  return it->second.get();
}

}  // namespace contest
