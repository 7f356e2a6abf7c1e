#include "contest/contest_table.h"

#include <algorithm>
#include <cstring>

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/service.h"
#include "storage/driver/db_error.h"

namespace contest {
namespace {

constexpr std::size_t kNummerOffset = 4;
constexpr std::size_t kLinkLength = 4;  // the engine's free-chain link, 0 in a used record

}  // namespace

ToDatContest& TdbContestBase::Dat() { return common::Service<ToDatContest>::Get(); }

TdbContestBase::TdbContestBase(int table, std::int32_t log_number, std::uint8_t flag)
    : TdbBase(flag),
      table_(table),
      log_number_(log_number),
      read_(static_cast<std::size_t>(TableRecordLength(table)), 0),
      working_(read_.size(), 0) {
  if (!read_.empty()) opened_here_ = Dat().OpenTables(TableMask(table_), log_number_, flag);
}

TdbContestBase::~TdbContestBase() {
  if (!opened_here_ || !common::Service<ToDatContest>::Exists()) return;
  try {
    Dat().CloseTables(TableMask(table_), log_number_, false, IsFlagSet());
  } catch (const storage::EDBError&) {
    // Already recorded on the driver's operation stack; a destructor cannot report further.
  }
}

storage::TdbTreiber* TdbContestBase::GetTreiber() {
  return opened_here_ ? Dat().GetTreiber(table_, log_number_, IsFlagSet()) : nullptr;
}

void TdbContestBase::FetchRecord(bool to_working, bool to_read, int /*number*/) {
  storage::TdbTreiber* t = GetTreiber();
  if (t == nullptr || t->RecordBuffer() == nullptr) return;
  const std::size_t n = std::min(read_.size(), static_cast<std::size_t>(t->RecordBufferLength()));
  if (to_read) std::memcpy(read_.data(), t->RecordBuffer(), n);
  if (to_working) std::memcpy(working_.data(), t->RecordBuffer(), n);
}

void TdbContestBase::GetAutoKeyText(std::string& text) {
  text.clear();
  if (read_.size() < kNummerOffset + 4) return;
  const std::int32_t nummer = common::ReadLeInt32(read_.data() + kNummerOffset);
  if (nummer != 0) text = InitKeyText() + common::KeyIntToStr(nummer, IsFlagSet() == 0);
}

int TdbContestBase::AutoKeyNo() {
  switch (table_) {
    case kTableKK:
      return kKKAutoKey;
    case kTableLK:
    case kTableMK:
    case kTableLK2:
    case kTableLKNew:
      return kLKAutoKey;
    default:
      return 1;
  }
}

bool TdbContestBase::IsQsoTable() const {
  return table_ == kTableLK || table_ == kTableLK2 || table_ == kTableLKTemp ||
         table_ == kTableLKNew;
}

template <typename Rec>
bool TdbContestBase::CopyOut(bool own, Rec& record) const {
  if (!own) return false;
  std::memcpy(&record, working_.data(), sizeof record);
  return true;
}

template <typename Rec>
void TdbContestBase::CopyIn(bool own, const Rec& record, bool to_read) {
  if (!own) return;
  std::memcpy(working_.data(), &record, sizeof record);
  if (to_read) read_ = working_;
}

bool TdbContestBase::GetKKRec(TContestKKRec& record) const {
  return CopyOut(table_ == kTableKK, record);
}
bool TdbContestBase::GetKZRec(TContestKZRec& record) const {
  return CopyOut(table_ == kTableKZ, record);
}
bool TdbContestBase::GetLKRec(TContestLKRec& record) const { return CopyOut(IsQsoTable(), record); }
void TdbContestBase::SetKKRec(const TContestKKRec& record) {
  CopyIn(table_ == kTableKK, record, true);
}
void TdbContestBase::SetKZRec(const TContestKZRec& record) {
  CopyIn(table_ == kTableKZ, record, true);
}
void TdbContestBase::SetLKRec(const TContestLKRec& record) { CopyIn(IsQsoTable(), record, true); }
void TdbContestBase::SetLKWorkingCopy(const TContestLKRec& record) {
  CopyIn(IsQsoTable(), record, false);
}

TContestLKRec TdbContestBase::WorkingLK() const {
  TContestLKRec r{};
  GetLKRec(r);
  return r;
}

char TdbContestBase::GetBandcode() const { return WorkingLK().Bandcode; }
std::uint8_t TdbContestBase::GetLogByte165() const { return WorkingLK().SkipMark; }
std::string TdbContestBase::GetMode() const { return WorkingLK().Mode.str(); }
std::string TdbContestBase::GetCall() const { return WorkingLK().Call.str(); }

bool TdbContestBase::UpdateRec() {
  if (GetTreiber() == nullptr) return false;
  // A failed re-find fetches whatever the shared buffer holds, perhaps another QSO; keeping the
  // read image means a retry re-finds this record or nothing.
  const std::vector<std::uint8_t> kept = read_;
  if (!Reposition(false) || RecordBuffer() == nullptr) {
    read_ = kept;
    return false;
  }
  std::memcpy(RecordBuffer(), working_.data(), working_.size());
  std::memset(RecordBuffer(), 0, kLinkLength);
  if (!Update(0)) return false;
  read_ = working_;
  return true;
}

bool TdbContestBase::ReRead() {
  if (GetTreiber() == nullptr) return false;
  const std::vector<std::uint8_t> kept_read = read_;
  const std::vector<std::uint8_t> kept_working = working_;
  if (!Reposition(true)) {
    read_ = kept_read;
    working_ = kept_working;
    return false;
  }
  return true;
}

bool TdbContestBase::InsertRec() {
  ClearDriverBuffer();
  std::uint8_t* buffer = RecordBuffer();
  if (buffer == nullptr) return false;
  std::memcpy(buffer + kLinkLength, working_.data() + kLinkLength, working_.size() - kLinkLength);
  if (!Insert(0)) return false;
  std::memcpy(working_.data() + kNummerOffset, buffer + kNummerOffset, 4);
  read_ = working_;
  return true;
}

void TdbContestBase::ClearRec() {
  ClearDriverBuffer();
  std::fill(read_.begin(), read_.end(), 0);
  std::fill(working_.begin(), working_.end(), 0);
}

}  // namespace contest
