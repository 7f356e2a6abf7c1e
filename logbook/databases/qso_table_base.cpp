#include "logbook/databases/qso_table_base.h"

#include <cstring>

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/qso_files.h"
#include "logbook/reference/prefix.h"

namespace logbook {
namespace {

using storage::TdbTreiber;

ToDatQSO& Files() { return common::Service<ToDatQSO>::Get(); }

template <typename Record>
void CopyOut(const std::uint8_t* buffer, bool to_working, bool to_stored, Record& working,
             Record& stored) {
  if (to_working) std::memcpy(&working, buffer, sizeof working);
  if (to_stored) std::memcpy(&stored, buffer, sizeof stored);
}

}  // namespace

TdbQSOBase::TdbQSOBase(TdbProject* project, bool exclusive, std::uint8_t flag,
                       std::string_view name_text, std::uint8_t table_kind)
    : TdbBase(flag),
      table_kind_(table_kind),
      shared_(!exclusive),
      project_(project),
      name_text_(common::LeftStr(name_text, common::kMaxShortLength)) {
  if (table_kind_ < kLogbookTables && GetTreiber() == nullptr) {
    opened_here_ =
        Files().OpenFiles(LogbookBit(table_kind_), project_, IsFlagSet() != 0, shared_);
  }
}

TdbQSOBase::~TdbQSOBase() {
  if (opened_here_) Files().CloseFiles(LogbookBit(table_kind_), project_, IsFlagSet() != 0);
}

bool TdbQSOBase::QsoKind() const {
  return table_kind_ == 0 || table_kind_ == 1 || table_kind_ == 3 || table_kind_ == 4 ||
         table_kind_ == 5 || table_kind_ == kRecordOnly;
}

int TdbQSOBase::RecordSize() const {
  if (QsoKind()) return sizeof(TQSORec);
  switch (table_kind_) {
    case kLogbook293:
    case kLogbookHistory:
      return sizeof(TQSO293Rec);
    case kLogbookQslVia:
      return sizeof(TQSLViaRec);
    case kLogbookNote:
      return sizeof(TLogNoteRec);
    default:
      return 0;
  }
}

int TdbQSOBase::StoreLength() const {
  return QsoKind() ? kQsoHeadSize + QsoUsedLength(working_) : 0;
}

TdbTreiber* TdbQSOBase::GetTreiber() {
  if (table_kind_ == kLogbookLB5 && attached_driver_ != nullptr) return attached_driver_;
  if (table_kind_ >= kLogbookTables) return nullptr;
  return Files().GetOpenTreiber(table_kind_, project_);
}

void TdbQSOBase::FetchRecord(bool to_working, bool to_stored, int /*number*/) {
  if ((!to_working && !to_stored) || table_kind_ >= kNoTable) return;
  TdbTreiber* t = GetTreiber();
  if (t == nullptr || t->RecordBuffer() == nullptr || t->RecordBufferLength() < RecordSize()) {
    return;
  }
  const std::uint8_t* buffer = t->RecordBuffer();
  if (QsoKind()) {
    TQSORec r;
    std::memcpy(&r, buffer, sizeof r);
    // A buffer keeps the tail of a longer record read before; the copies hold zero there.
    const int used = QsoUsedLength(r);
    std::memset(r.data + used, 0, static_cast<std::size_t>(kQsoDataSize - used));
    if (to_working) working_ = r;
    if (to_stored) stored_ = r;
  } else if (table_kind_ == kLogbook293 || table_kind_ == kLogbookHistory) {
    CopyOut(buffer, to_working, to_stored, working293_, stored293_);
  } else if (table_kind_ == kLogbookQslVia) {
    CopyOut(buffer, to_working, to_stored, working63_, stored63_);
  } else {
    CopyOut(buffer, to_working, to_stored, working314_, stored314_);
  }
}

void TdbQSOBase::GetAutoKeyText(std::string& text) {
  const bool key_form = IsFlagSet() == 0;
  const std::string separator = InitKeyText();
  const auto call_part = [&](std::string call) {
    return key_form ? common::SetLen(call, 14, true) : call;
  };
  const auto date_time = [&](std::int32_t date, std::int32_t time) {
    return separator + common::DateToKey(date, key_form) + separator +
           common::TimeToKey(time, key_form);
  };
  if (QsoKind()) {
    text = common::KeyIntToShort(static_cast<std::int32_t>(std::uint32_t{stored_.number}),
                                 key_form);
    return;
  }
  switch (table_kind_) {
    case kLogbook293:
    case kLogbookHistory: {
      const std::string base = common::Service<ToPrefix>::Get().GetPrefix(stored293_.call.view());
      text = call_part(base) + date_time(stored293_.date, stored293_.time_on);
      break;
    }
    case kLogbookQslVia:
      text = call_part(stored63_.call.str()) + date_time(stored63_.date, stored63_.time);
      break;
    case kLogbookNote:
      text = common::LeftStr(common::KeyIntToShort(stored314_.number, key_form) + separator +
                                 call_part(stored314_.call.str()) +
                                 date_time(stored314_.date, stored314_.time),
                             common::kMaxShortLength);
      break;
    default:
      text.clear();
      break;
  }
}

int TdbQSOBase::AutoKeyNo() {
  return table_kind_ == kLogbook293 || table_kind_ == kLogbookHistory ? 2 : 1;
}

void TdbQSOBase::CopyWorkingToBuffer(std::uint8_t* buffer) {
  if (QsoKind()) {
    working_.head_word = 0;
    std::memcpy(buffer, &working_, sizeof working_);
  } else if (table_kind_ == kLogbook293 || table_kind_ == kLogbookHistory) {
    working293_.link = 0;
    std::memcpy(buffer, &working293_, sizeof working293_);
  } else if (table_kind_ == kLogbookQslVia) {
    working63_.link = 0;
    std::memcpy(buffer, &working63_, sizeof working63_);
  } else {
    working314_.link = 0;
    std::memcpy(buffer, &working314_, sizeof working314_);
  }
}

void TdbQSOBase::WorkingToStored() {
  stored_ = working_;
  stored293_ = working293_;
  stored63_ = working63_;
  stored314_ = working314_;
}

bool TdbQSOBase::StoreAttached(bool insert) {
  std::uint8_t* buffer = attached_driver_->RecordBuffer();
  if (buffer == nullptr || attached_driver_->RecordBufferLength() < int{sizeof(TQSORec)}) {
    return false;
  }
  TQSORec* record = RecordPtr();
  record->head_word = 0;
  if (reinterpret_cast<std::uint8_t*>(record) != buffer) {
    std::memcpy(buffer, record, sizeof(TQSORec));
  }
  const int length = kQsoHeadSize + QsoUsedLength(*record);
  return insert ? attached_driver_->Insert(length) : attached_driver_->Update(length);
}

bool TdbQSOBase::Update() {
  if (table_kind_ == kLogbookLB5 && attached_driver_ != nullptr) return StoreAttached(false);
  if (table_kind_ >= kNoTable) return false;
  // The re-find fetches into the stored copy even when it fails; a failed update leaves it.
  const StoredCopies before = SaveStored();
  if (!Reposition(false) || RecordBuffer() == nullptr) return RestoreStored(before);
  CopyWorkingToBuffer(RecordBuffer());
  if (!TdbBase::Update(StoreLength())) return RestoreStored(before);
  WorkingToStored();
  return true;
}

TdbQSOBase::StoredCopies TdbQSOBase::SaveStored() const {
  StoredCopies copies;
  if (QsoKind()) {
    copies.qso = std::make_unique<TQSORec>(stored_);
  } else {
    copies.q293 = stored293_;
    copies.q63 = stored63_;
    copies.q314 = stored314_;
  }
  return copies;
}

bool TdbQSOBase::RestoreStored(const StoredCopies& copies) {
  if (copies.qso != nullptr) {
    stored_ = *copies.qso;
  } else {
    stored293_ = copies.q293;
    stored63_ = copies.q63;
    stored314_ = copies.q314;
  }
  return false;
}

bool TdbQSOBase::ReopenFiles() {
  if (!opened_here_) return false;
  Files().CloseFiles(LogbookBit(table_kind_), project_, IsFlagSet() != 0);
  opened_here_ = Files().OpenFiles(LogbookBit(table_kind_), project_, IsFlagSet() != 0, shared_);
  return opened_here_;
}

bool TdbQSOBase::StoreCurrent() {
  if (table_kind_ >= kNoTable || RecordBuffer() == nullptr) return false;
  CopyWorkingToBuffer(RecordBuffer());
  if (!TdbBase::Update(StoreLength())) return false;
  WorkingToStored();
  return true;
}

bool TdbQSOBase::Insert() {
  if (table_kind_ == kLogbookLB5 && attached_driver_ != nullptr) return StoreAttached(true);
  if (table_kind_ >= kNoTable) return false;
  ClearDriverBuffer();
  std::uint8_t* buffer = RecordBuffer();
  if (buffer == nullptr) return false;
  CopyWorkingToBuffer(buffer);
  if (!TdbBase::Insert(StoreLength())) return false;
  if (QsoKind()) working_.number = static_cast<std::uint32_t>(common::ReadLeInt32(buffer + 4));
  WorkingToStored();
  return true;
}

void TdbQSOBase::Clear() {
  if (table_kind_ == kLogbookLB5 && attached_driver_ != nullptr) {
    attached_driver_->ClearRecord();
    return;
  }
  ClearDriverBuffer();
  if (QsoKind()) {
    working_ = stored_ = TQSORec{};
  } else if (table_kind_ == kLogbook293 || table_kind_ == kLogbookHistory) {
    working293_ = stored293_ = TQSO293Rec{};
  } else if (table_kind_ == kLogbookQslVia) {
    working63_ = stored63_ = TQSLViaRec{};
  } else if (table_kind_ == kLogbookNote) {
    working314_ = stored314_ = TLogNoteRec{};
  }
}

void TdbQSOBase::Attach(TdbTreiber* driver, TQSORec* record) {
  attached_driver_ = driver;
  attached_record_ = record;
}

TQSORec* TdbQSOBase::AttachedRecord() {
  return IsFlagSet() == 2 ? &working_ : attached_record_;
}

TQSORec* TdbQSOBase::RecordPtr() {
  TQSORec* attached = AttachedRecord();
  return attached != nullptr ? attached : &working_;
}

TQSORec* TdbQSOBase::GetRecord(TQSORec& out) {
  out = *RecordPtr();
  return RecordPtr();
}

TQSORec* TdbQSOBase::SetRecord(const TQSORec& in) {
  TQSORec* record = RecordPtr();
  *record = in;
  working_ = in;
  stored_ = in;
  return record;
}

std::uint32_t TdbQSOBase::RecordNumber() { return RecordPtr()->number; }

void TdbQSOBase::SetRecord293(const TQSO293Rec& in) {
  working293_ = in;
  stored293_ = in;
}

}  // namespace logbook
