#include "logbook/databases/project_database.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "common/key_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/field_catalogue.h"
#include "logbook/databases/setup_folder.h"
#include "logbook/settings/setups.h"

namespace logbook {

static_assert(offsetof(TProjectRec, block) == 29);
static_assert(offsetof(TProjectRec, extra_length) == 3102);
static_assert(offsetof(TProjectRec, sel_left) == 3171);
static_assert(offsetof(TProjectRec, list_block) == 3237);
static_assert(offsetof(TProjectRec, descriptors_1_to_50) == 4881);
static_assert(offsetof(TProjectRec, remark) == 11231);
static_assert(offsetof(TProjectRec, descriptors_51_to_60) == 12926);
static_assert(offsetof(TProjectBlock, fields) == 268);
static_assert(offsetof(TProjectBlock, layout_kind) == 1984);
static_assert(offsetof(TProjectBlock, key_count_qso) == 2089);
static_assert(offsetof(TProjectBlock, separator) == 2097);
static_assert(offsetof(TProjectBlock, version_tag) == 2104);
static_assert(offsetof(TProjectBlock, qso_counter1) == 2125);
static_assert(offsetof(TProjectBlock, slot_area) == kSlotAreaOffset);
static_assert(offsetof(TQSOFieldDescriptor, kind) == 62);
static_assert(offsetof(TFieldListEntry, width) == 17);

using storage::TdbTreiber;

int ProjectStoredLength(const TProjectRec& record) {
  const std::int32_t extra = record.extra_length;
  return kProjectBaseLength + (extra >= 0 && extra <= kProjectExtraMax ? extra : 0);
}

// --- ToDatProject ---

std::string ToDatProject::FilePath() { return SetupFolder(1) + "PX5PRO"; }

void ToDatProject::ProjectKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  // Only the head and the remark are read; the record may be as short as 14699 bytes.
  const auto text_at = [&](std::size_t offset, int width) {
    common::ShortString<255> s;
    std::memcpy(&s, record + offset, sizeof s);
    return common::SetLen(s.view(), width, true);
  };
  if (key == 1) text = common::LongIntToKey(common::ReadLeInt32(record + 4));
  if (key == 2) text = text_at(offsetof(TProjectRec, name), 20);
  if (key == 3) text = text_at(offsetof(TProjectRec, block), 8);
  if (key == 4) text = text_at(offsetof(TProjectRec, remark), 20);
}

storage::ToKeys ToDatProject::KeyList() {
  storage::ToKeys k;
  k.Add(5, false, "autore AUTOKEY");
  k.Add(20, true, "Name");
  k.Add(8, true, "LL_Importdatei");
  k.Add(20, true, "Bemerkung");
  return k;
}

int ToDatProject::OpenFile(bool skip) {
  const storage::ToKeys keys = KeyList();
  storage::TreiberOpenParams p;
  p.skip = skip;
  p.max_length = sizeof(TProjectRec);
  p.min_length = kProjectBaseLength;
  p.file_name = "PX5PRO";
  p.path = FilePath();
  p.key_count = keys.Count();
  p.key_builder = ProjectKeys;
  p.open_mode = 1;  // shared
  p.keys = &keys;
  const int result = OpenTable(slot_, p, AutoKeyField{1, 4});
  if (result == TdbTreiber::kOpened && !slot_->Find(1, common::LongIntToKey(1)) &&
      !slot_->First(1)) {
    slot_->ClearRecord();
  }
  return result;
}

bool ToDatProject::OpenFiles(unsigned mask, bool skip) {
  return (mask & kProjectBit) == 0 || OpenFile(skip) != TdbTreiber::kNotOpened;
}

void ToDatProject::CloseFiles(unsigned mask, bool skip, bool force) {
  if ((mask & kProjectBit) != 0) CloseTable(slot_, skip, force);
}

TdbTreiber* ToDatProject::Treiber() const {
  return slot_ != nullptr && slot_->IsOpen(false) ? slot_.get() : nullptr;
}

// --- TdbProjectBase ---

TdbProjectBase::TdbProjectBase(std::uint8_t table, std::uint8_t flag)
    : TdbBase(flag),
      table_(table),
      working_(std::make_unique<TProjectRec>()),
      read_(std::make_unique<TProjectRec>()),
      descriptors_(std::make_unique<std::array<TQSOFieldDescriptor, kDescriptorTableSize>>()) {
  if (GetTreiber() == nullptr) {
    opened_here_ =
        common::Service<ToDatProject>::Get().OpenFile(IsFlagSet() != 0) == TdbTreiber::kOpened;
  }
}

TdbProjectBase::~TdbProjectBase() {
  if (opened_here_) {
    common::Service<ToDatProject>::Get().CloseFiles(ToDatProject::kProjectBit, IsFlagSet() != 0);
  }
}

TdbTreiber* TdbProjectBase::GetTreiber() {
  if (IsFlagSet() == 2) return owned_treiber_.get();
  return common::Service<ToDatProject>::Get().Treiber();
}

void TdbProjectBase::FetchRecord(bool to_working, bool to_read, int /*number*/) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr || t->RecordBuffer() == nullptr) return;
  auto* target = to_read ? read_.get() : working_.get();
  if (!to_read && !to_working) return;
  std::memcpy(target, t->RecordBuffer(), sizeof(TProjectRec));
  // Bytes beyond the stored length are a longer record's tail left in the buffer.
  const int length = ProjectStoredLength(*target);
  std::memset(reinterpret_cast<std::uint8_t*>(target) + length, 0, sizeof(TProjectRec) - length);
  if (to_read && to_working) *working_ = *read_;
  if (to_working) descriptors_built_ = false;
}

void TdbProjectBase::GetAutoKeyText(std::string& text) {
  text = InitKeyText() + common::KeyIntToStr(read_->number, IsFlagSet() == 0);
}

bool TdbProjectBase::Update() {
  if (!Reposition(false) || RecordBuffer() == nullptr) return false;
  working_->link = 0;
  std::memcpy(RecordBuffer(), working_.get(), sizeof(TProjectRec));
  if (!TdbBase::Update(ProjectStoredLength(*working_))) return false;
  *read_ = *working_;
  return true;
}

bool TdbProjectBase::Insert() {
  ClearDriverBuffer();
  if (RecordBuffer() == nullptr) return false;
  working_->link = 0;
  working_->number = 0;  // the driver numbers it
  std::memcpy(RecordBuffer(), working_.get(), sizeof(TProjectRec));
  if (!TdbBase::Insert(ProjectStoredLength(*working_))) return false;
  working_->number = common::ReadLeInt32(RecordBuffer() + 4);
  *read_ = *working_;
  return true;
}

void TdbProjectBase::Clear() {
  ClearDriverBuffer();
  *working_ = TProjectRec{};
  *read_ = TProjectRec{};
  descriptors_built_ = false;
}

void TdbProjectBase::StoreListBlock(const std::array<std::uint8_t, kListBlockSize>& block) {
  std::memcpy(working_->list_block, block.data(), block.size());
}

std::array<std::uint8_t, kListBlockSize> TdbProjectBase::GetListBlock() const {
  std::array<std::uint8_t, kListBlockSize> block;
  std::memcpy(block.data(), working_->list_block, block.size());
  return block;
}

TQSOFieldDescriptor TdbProjectBase::GetSlotDescriptor(int slot) const {
  if (slot < kFirstSlot || slot > kLastSlot) return {};
  const TQSOFieldDescriptor& own = slot <= 50 ? working_->descriptors_1_to_50[slot - 1]
                                              : working_->descriptors_51_to_60[slot - 51];
  return own.kind != 0 ? own : CatalogueDescriptor(slot);
}

int TdbProjectBase::SlotOfKindCode(int kind) const {
  for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    if (GetSlotDescriptor(slot).kind == kind) return slot;
  }
  return -1;
}

const std::array<TQSOFieldDescriptor, TdbProjectBase::kDescriptorTableSize>&
TdbProjectBase::Descriptors() {
  if (!descriptors_built_) {
    auto& table = *descriptors_;
    table.fill(TQSOFieldDescriptor{});
    std::copy(std::begin(working_->descriptors_1_to_50), std::end(working_->descriptors_1_to_50),
              table.begin());
    const bool own_51 = working_->descriptors_51_to_60[0].kind != 0;
    for (int i = 0; i < 10; ++i) {
      table[static_cast<std::size_t>(50 + i)] =
          own_51 ? working_->descriptors_51_to_60[i] : CatalogueDescriptor(51 + i);
    }
    descriptors_built_ = true;
  }
  return *descriptors_;
}

// --- TdbProject ---

TdbProject::TdbProject(std::uint8_t table, std::uint8_t flag, std::uint8_t write_mode)
    : TdbProjectBase(table, flag), write_mode_(write_mode) {}

template <typename Op>
bool TdbProject::WithWriteMode(Op op) {
  if (GetTreiber() == nullptr) return false;
  const bool was_buffered = IsBuffered(nullptr);
  SetWriteMode(nullptr, write_mode_);
  const bool done = op();
  SetWriteMode(nullptr, was_buffered ? 1 : 0);
  return done;
}

bool TdbProject::Delete(bool keep_position) {
  return WithWriteMode([&] { return TdbProjectBase::Delete(keep_position); });
}

bool TdbProject::Update() {
  return WithWriteMode([&] { return TdbProjectBase::Update(); });
}

bool TdbProject::Insert() {
  return WithWriteMode([&] { return TdbProjectBase::Insert(); });
}

bool TdbProject::Next(bool reposition, bool fetch) {
  const bool moved = TdbProjectBase::Next(reposition, fetch);
  if (moved) slot_area_.fill(0);
  return moved;
}

void TdbProject::Clear() {
  TdbProjectBase::Clear();
  slot_area_.fill(0);
  area_project_ = 0;
}

void TdbProject::FetchRecord(bool to_working, bool to_read, int number) {
  TdbProjectBase::FetchRecord(to_working, to_read, number);
  // The slots belong to the project the cursor stood on; another project starts without any.
  if (to_working && GetGroupValue() != area_project_) {
    slot_area_.fill(0);
    area_project_ = GetGroupValue();
  }
}

std::uint8_t TdbProject::PutListBlock(const std::array<std::uint8_t, kListBlockSize>& block) {
  StoreListBlock(block);
  return Table();
}

bool TdbProject::FindNumber(std::int32_t n) {
  return Find(InitKeyText() + common::KeyIntToStr(n, IsFlagSet() == 0), 1, true);
}

namespace {
// The area value of a logbook table's slot: tables 0, 1 and 3 keep theirs in values 1, 7 and 8.
int AreaIndex(int logbook_table) {
  switch (logbook_table) {
    case 0:
      return 0;
    case 1:
      return 6;
    case 3:
      return 7;
    default:
      return -1;
  }
}
}  // namespace

std::int32_t TdbProject::GetFileSlot(int logbook_table) const {
  const int i = AreaIndex(logbook_table);
  return i < 0 ? 0 : slot_area_[static_cast<std::size_t>(i)];
}

void TdbProject::SetFileSlot(int logbook_table, std::int32_t slot) {
  const int i = AreaIndex(logbook_table);
  if (i >= 0) slot_area_[static_cast<std::size_t>(i)] = slot;
}

int TdbProject::SlotOfKind(int kind) {
  const auto& table = Descriptors();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].kind == kind) return static_cast<int>(i) + 1;
  }
  return 0;
}

int TdbProject::ColumnOfKind(int kind) {
  if (GetLayoutKind() != 9) return 4;
  int column = 4;
  for (const TQSOFieldDescriptor& d : Descriptors()) {
    if (d.kind == kind) return column;
    if (d.in_use != 0) ++column;
  }
  return -1;
}

}  // namespace logbook
