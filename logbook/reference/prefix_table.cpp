#include "logbook/reference/prefix_table.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "common/cp1252.h"
#include "common/key_text.h"
#include "common/service.h"
#include "logbook/reference/prefix_files.h"

namespace logbook {
namespace {

ToDatPrefix& Files() { return common::Service<ToDatPrefix>::Get(); }

constexpr std::size_t kPrefix1Width = 6;

}  // namespace

TdbPrefixBase::TdbPrefixBase(int kind, std::uint8_t key_form_flag)
    : TdbBase(key_form_flag), kind_(kind) {
  if (ToDatPrefix::BitOf(kind) != 0 && !Files().IsOpen(kind)) {
    opened_here_ = Files().OpenFiles(ToDatPrefix::BitOf(kind), IsFlagSet() != 0);
  }
}

TdbPrefixBase::~TdbPrefixBase() {
  if (opened_here_) Files().CloseFiles(ToDatPrefix::BitOf(kind_), false, IsFlagSet() != 0);
}

storage::TdbTreiber* TdbPrefixBase::GetTreiber() { return Files().Treiber(kind_); }

void TdbPrefixBase::FetchRecord(bool to_working, bool to_read, int /*number*/) {
  storage::TdbTreiber* t = GetTreiber();
  if (t == nullptr || t->RecordBuffer() == nullptr) return;
  if (to_working) std::memcpy(&working_, t->RecordBuffer(), sizeof working_);
  if (to_read) std::memcpy(&read_, t->RecordBuffer(), sizeof read_);
  if (to_working) WorkingRecordReplaced();
}

bool TdbPrefixBase::First(int key) { return TdbBase::First(key == 0 ? AutoKeyNo() : key); }

void TdbPrefixBase::GetAutoKeyText(std::string& text) {
  // A record that has none yet would find whichever record comes first.
  text = read_.autore == 0 ? std::string() : InitKeyText() + common::LongIntToKey(read_.autore);
}

int TdbPrefixBase::AutoKeyNo() { return kind_ == kPrefixMain ? kKeyMainAutore : kKeyCallAutore; }

std::string TdbPrefixBase::RecordNumberKey() const { return common::LongIntToKey(working_.autore); }

std::string TdbPrefixBase::GetPrefix() const {
  if (!HoldsWholeCall()) return working_.prefix.str();
  return working_.prefix.str() + working_.qsl_bureau.str();
}

std::string TdbPrefixBase::GetQSLBureau() const {
  return HoldsWholeCall() ? std::string() : working_.qsl_bureau.str();
}

char TdbPrefixBase::GetRangeFrom() const { return common::cp1252::ToUpper(working_.range_from); }

char TdbPrefixBase::GetMark() const { return common::cp1252::ToUpper(working_.mark); }

void TdbPrefixBase::SetPrefix(std::string_view prefix) {
  if (!HoldsWholeCall()) {
    working_.prefix = prefix;
    return;
  }
  working_.prefix = prefix.substr(0, std::min(prefix.size(), kPrefix1Width));
  working_.qsl_bureau = prefix.size() > kPrefix1Width ? prefix.substr(kPrefix1Width) : "";
}

void TdbPrefixBase::ClearBuffer() {
  working_ = TPrefixRec{};
  WorkingRecordReplaced();
}

void TdbPrefixBase::SetRecord(const TPrefixRec& record) {
  working_ = read_ = record;
  WorkingRecordReplaced();
}

void TdbPrefixBase::AssignFrom(const TdbPrefixBase& source) {
  working_ = source.working_;
  WorkingRecordReplaced();
}

bool TdbPrefixBase::Update() {
  storage::TdbTreiber* t = GetTreiber();
  if (t == nullptr || t->RecordBuffer() == nullptr) return false;
  // The file's current record is this cursor's unless another cursor of the table moved the
  // shared driver since; only then is the record re-found, so that a change by another user in
  // between is still noticed by the driver.
  if (std::memcmp(t->RecordBuffer(), &read_, sizeof read_) != 0 && !Reposition(false)) {
    return false;
  }
  std::memcpy(t->RecordBuffer(), &working_, sizeof working_);
  if (!TdbBase::Update(0)) return false;
  read_ = working_;
  return true;
}

bool TdbPrefixBase::Insert() {
  storage::TdbTreiber* t = GetTreiber();
  if (t == nullptr || t->RecordBuffer() == nullptr) return false;
  working_.link = 0;
  working_.autore = 0;
  std::memcpy(t->RecordBuffer(), &working_, sizeof working_);
  if (!TdbBase::Insert(0)) return false;
  std::memcpy(&working_.autore, t->RecordBuffer() + offsetof(TPrefixRec, autore),
              sizeof working_.autore);
  read_ = working_;
  return true;
}

}  // namespace logbook
