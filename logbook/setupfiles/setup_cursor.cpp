#include "logbook/setupfiles/setup_cursor.h"

#include <algorithm>
#include <cstring>

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/service.h"

namespace logbook {
namespace {

ToDatSetup& Files() { return common::Service<ToDatSetup>::Get(); }

constexpr std::size_t kHeadBytes = kSetupAutoreOffset + 4;  // link and record number

}  // namespace

TdbSetupBase::TdbSetupBase(int kind, std::uint8_t key_form_flag)
    : TdbBase(key_form_flag), kind_(kind) {
  for (int k = 0; k < kSetupKinds; ++k) {
    saved_[k].assign(static_cast<std::size_t>(kSetupRecordLength[k]), 0);
    current_[k].assign(static_cast<std::size_t>(kSetupRecordLength[k]), 0);
  }
  if (!Files().IsOpen(kind)) {
    opened_here_ = Files().OpenFiles(ToDatSetup::BitOf(kind), IsFlagSet() != 0);
  }
}

TdbSetupBase::~TdbSetupBase() {
  if (opened_here_) Files().CloseFiles(ToDatSetup::BitOf(kind_), IsFlagSet() != 0);
}

storage::TdbTreiber* TdbSetupBase::GetTreiber() { return Files().Treiber(kind_); }

void TdbSetupBase::FetchRecord(bool to_working, bool to_read, int /*number*/) {
  storage::TdbTreiber* t = GetTreiber();
  if (t == nullptr || t->RecordBuffer() == nullptr ||
      t->RecordBufferLength() < kSetupRecordLength[kind_]) {
    return;
  }
  const std::uint8_t* buffer = t->RecordBuffer();
  if (to_read) std::copy_n(buffer, Saved().size(), Saved().begin());
  if (to_working) std::copy_n(buffer, Current().size(), Current().begin());
}

void TdbSetupBase::GetAutoKeyText(std::string& text) {
  const std::int32_t number = common::ReadLeInt32(Saved().data() + kSetupAutoreOffset);
  text =
      number == 0 ? std::string() : InitKeyText() + common::KeyIntToStr(number, IsFlagSet() == 0);
}

bool TdbSetupBase::Update() {
  if (!Reposition(false) || RecordBuffer() == nullptr) return false;
  std::uint8_t* buffer = RecordBuffer();
  // The head belongs to the table layer: the record found keeps its link and number.
  std::copy(Current().begin() + kHeadBytes, Current().end(), buffer + kHeadBytes);
  if (!TdbBase::Update(0)) return false;
  std::copy_n(buffer, kHeadBytes, Current().begin());
  Saved() = Current();
  return true;
}

bool TdbSetupBase::Insert() {
  ClearDriverBuffer();
  std::uint8_t* buffer = RecordBuffer();
  if (buffer == nullptr) return false;
  std::copy(Current().begin() + kHeadBytes, Current().end(), buffer + kHeadBytes);
  if (!TdbBase::Insert(0)) return false;
  std::copy_n(buffer, kHeadBytes, Current().begin());
  Saved() = Current();
  return true;
}

void TdbSetupBase::Clear() {
  ClearDriverBuffer();
  std::fill(Saved().begin(), Saved().end(), 0);
  std::fill(Current().begin(), Current().end(), 0);
}

void TdbSetupBase::GetRecord0(PxSetupRecord& record) const {
  std::copy(current_[kSetupMain].begin(), current_[kSetupMain].end(), record.begin());
}

void TdbSetupBase::GetRecord1(PxSetup2Record& record) const {
  std::copy(current_[kSetupMore].begin(), current_[kSetupMore].end(), record.begin());
}

void TdbSetupBase::PutRecord0(const PxSetupRecord& record) {
  if (kind_ != kSetupMain) return;
  current_[kSetupMain].assign(record.begin(), record.end());
  saved_[kSetupMain] = current_[kSetupMain];
}

void TdbSetupBase::PutRecord1(const PxSetup2Record& record) {
  if (kind_ != kSetupMore) return;
  current_[kSetupMore].assign(record.begin(), record.end());
  saved_[kSetupMore] = current_[kSetupMore];
}

}  // namespace logbook
