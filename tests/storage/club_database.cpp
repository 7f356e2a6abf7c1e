#include "club_database.h"

#include <cstring>

#include "common/key_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "storage/table_keys.h"

namespace storage_test {
namespace {

template <typename Rec>
Rec RecordAt(const std::uint8_t* bytes) {
  Rec r;
  std::memcpy(&r, bytes, sizeof r);
  return r;
}

// Both records carry their auto number at offset 4, right after the free-chain link.
constexpr int kAutoNumberOffset = 4;

std::string Padded(std::string_view text, int width) {
  return common::PadRightChar(text.substr(0, static_cast<std::size_t>(width)), width, ' ');
}

// The file of a table: its name, record length, keys and AUTOKEY field.
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

// --- the data object ---

std::string ToDatClub::FileName(Table table) { return table == kStations ? "CLSTAT" : "CLQSO"; }

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

int ToDatClub::OpenFiles(unsigned mask, bool skip, bool exclusive) {
  int result = storage::TdbTreiber::kOpened;
  for (const TableFile& f : {StationFile(), ContactFile()}) {
    if ((mask & (1u << f.table)) == 0) continue;
    storage::TreiberOpenParams p;
    p.skip = skip;
    p.max_length = p.min_length = f.record_length;
    p.file_name = p.path = FileName(f.table);  // in the data folder
    p.key_count = f.keys.Count();
    p.key_builder = f.key_builder;
    p.open_mode = exclusive ? 0 : 1;
    p.keys = &f.keys;
    result = OpenTable(slots_[f.table], p, AutoKeyField{1, kAutoNumberOffset});
    if (result == storage::TdbTreiber::kNotOpened) break;
  }
  return result;
}

void ToDatClub::CloseFiles(unsigned mask, bool skip, bool force) {
  for (const Table t : {kStations, kContacts}) {
    if ((mask & (1u << t)) != 0) CloseTable(slots_[t], skip, force);
  }
}

storage::TdbTreiber* ToDatClub::Treiber(Table table) const { return slots_[table].get(); }

// --- the cursors ---

template <typename Rec, ToDatClub::Table kTable>
TdbClubTable<Rec, kTable>::TdbClubTable(std::uint8_t key_form_flag) : TdbBase(key_form_flag) {
  storage::TdbTreiber* t = GetTreiber();
  if (t == nullptr || !t->IsOpen(false)) {
    opened_here_ = common::Service<ToDatClub>::Get().OpenFiles(1u << kTable, IsFlagSet() != 0) ==
                   storage::TdbTreiber::kOpened;
  }
}

template <typename Rec, ToDatClub::Table kTable>
TdbClubTable<Rec, kTable>::~TdbClubTable() {
  if (opened_here_) common::Service<ToDatClub>::Get().CloseFiles(1u << kTable, IsFlagSet() != 0);
}

template <typename Rec, ToDatClub::Table kTable>
storage::TdbTreiber* TdbClubTable<Rec, kTable>::GetTreiber() {
  return common::Service<ToDatClub>::Get().Treiber(kTable);
}

template <typename Rec, ToDatClub::Table kTable>
void TdbClubTable<Rec, kTable>::FetchRecord(bool to_working, bool to_read, int /*number*/) {
  const std::uint8_t* buffer = RecordBuffer();
  if (buffer == nullptr) return;
  if (to_working) std::memcpy(&working_, buffer, sizeof(Rec));
  if (to_read) std::memcpy(&read_, buffer, sizeof(Rec));
}

template <typename Rec, ToDatClub::Table kTable>
void TdbClubTable<Rec, kTable>::GetAutoKeyText(std::string& text) {
  text = read_.number == 0 ? std::string()
                           : InitKeyText() + common::KeyIntToStr(read_.number, IsFlagSet() == 0);
}

template <typename Rec, ToDatClub::Table kTable>
bool TdbClubTable<Rec, kTable>::Update() {
  // Another cursor may have moved the shared driver: find this record first, refreshing only
  // the read copy so that the caller's changes stay in the working copy.
  if (!Reposition(false)) return false;
  std::uint8_t* buffer = RecordBuffer();
  if (buffer == nullptr) return false;
  std::memcpy(buffer, &working_, sizeof(Rec));
  if (!TdbBase::Update(0)) return false;
  read_ = working_;
  return true;
}

template <typename Rec, ToDatClub::Table kTable>
bool TdbClubTable<Rec, kTable>::Insert() {
  ClearDriverBuffer();
  std::uint8_t* buffer = RecordBuffer();
  if (buffer == nullptr) return false;
  working_.link = 0;
  working_.number = 0;
  std::memcpy(buffer, &working_, sizeof(Rec));
  if (!TdbBase::Insert(0)) return false;
  working_.number = RecordAt<Rec>(buffer).number;
  read_ = working_;
  return true;
}

template class TdbClubTable<StationRec, ToDatClub::kStations>;
template class TdbClubTable<ContactRec, ToDatClub::kContacts>;

}  // namespace storage_test
