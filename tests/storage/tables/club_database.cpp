#include "tests/storage/tables/club_database.h"

#include "common/string_helpers.h"
#include "storage/tables/table_keys.h"

namespace storage_test {
namespace {

template <typename Rec>
Rec RecordAt(const std::uint8_t* bytes) {
  Rec r;
  std::memcpy(&r, bytes, sizeof r);
  return r;
}

std::string Padded(std::string_view text, int width) {
  return common::PadRightChar(text.substr(0, static_cast<std::size_t>(width)), width, ' ');
}

// The file of a table; both records carry their auto number at offset 4, after the link.
struct TableFile {
  ToDatClub::Table table;
  int record_length;
  storage::DriverKeyBuilder key_builder;
  storage::ToKeys keys;
};

TableFile StationFile() {
  TableFile f{ToDatClub::kStations, sizeof(StationRec), ToDatClub::StationKeys, {}};
  f.keys.Add(5, false, "number AUTOKEY");
  f.keys.Add(10, false, "call");
  f.keys.Add(30, true, "name,call");
  return f;
}

TableFile ContactFile() {
  TableFile f{ToDatClub::kContacts, sizeof(ContactRec), ToDatClub::ContactKeys, {}};
  f.keys.Add(5, false, "number AUTOKEY");
  f.keys.Add(18, true, "call,date,time");
  f.keys.Add(13, false, "band,date DESC,number");
  return f;
}

}  // namespace

void ToDatClub::StationKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  const auto r = RecordAt<StationRec>(record);
  if (key == 1) text = common::LongIntToKey(r.number);
  if (key == 2) text = Padded(r.call.view(), 10);
  if (key == 3) text = Padded(r.name.view(), 20) + Padded(r.call.view(), 10);
}

void ToDatClub::ContactKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  const auto r = RecordAt<ContactRec>(record);
  if (key == 1) text = common::LongIntToKey(r.number);
  if (key == 2) {
    text = Padded(r.call.view(), 10) + common::DateToKey(r.date, true) +
           common::TimeToKey(r.time, true);
  }
  if (key == 3) {  // newest first within a band
    text = Padded(r.band.view(), 3) + common::LongIntToKey(common::kDescendingKeyBase - r.date) +
           common::LongIntToKey(r.number);
  }
}

int ToDatClub::OpenFiles(unsigned mask, bool skip) {
  int result = storage::TdbTreiber::kOpened;
  for (const TableFile& f : {StationFile(), ContactFile()}) {
    if ((mask & (1u << f.table)) == 0) continue;
    storage::TreiberOpenParams p;
    p.skip = skip;
    p.max_length = p.min_length = f.record_length;
    p.file_name = p.path = FileName(f.table);  // in the data folder
    p.key_count = f.keys.Count();
    p.key_builder = f.key_builder;
    p.open_mode = shared ? 1 : 0;
    p.keys = &f.keys;
    result = OpenTable(slots_[f.table], p, AutoKeyField{1, 4});
    if (result == storage::TdbTreiber::kNotOpened) break;
  }
  return result;
}

void ToDatClub::CloseFiles(unsigned mask, bool skip, bool force) {
  for (const Table t : {kStations, kContacts}) {
    if ((mask & (1u << t)) != 0) CloseTable(slots_[t], skip, force);
  }
}

}  // namespace storage_test
