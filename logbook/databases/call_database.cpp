#include "logbook/databases/call_database.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/call_keys.h"
#include "logbook/databases/setup_folder.h"
#include "logbook/settings/setups.h"

namespace logbook {
namespace {

using storage::TdbTreiber;

struct CallFile {
  CallTable table;
  unsigned bit;
  const char* name;
  int folder_entry;
  int min_length;
  int max_length;
};

// In the order OpenFiles and CloseFiles walk them.
constexpr std::array<CallFile, 4> kFiles = {{
    {kCallData, ToDatCall::kCallDataBit, "PX5CALL", 0, kCallHeadSize, sizeof(TCallRec)},
    {kCallBook, ToDatCall::kCallBookBit, "PX5CBUCH", 2, kCallHeadSize, sizeof(TCallRec)},
    {kCallList, ToDatCall::kCallListBit, "PXCCL", 6, sizeof(TCallListRec), sizeof(TCallListRec)},
    {kCallNote, ToDatCall::kCallNoteBit, "PXCNOTE", 2, sizeof(TCallNoteRec), sizeof(TCallNoteRec)},
}};

const CallFile& FileOf(CallTable table) {
  for (const CallFile& f : kFiles) {
    if (f.table == table) return f;
  }
  return kFiles[0];
}

// Tags in the call-data and the call-book numbering, by CallField.
struct FieldTags {
  std::uint8_t data;
  std::uint8_t book;
};
constexpr std::array<FieldTags, 21> kFieldTags = {{
    {1, 1},   {2, 2},   {3, 3},   {5, 4},   {6, 5},   {7, 6},   {10, 7},  // DIG .. Locator
    {15, 8},  {16, 9},  {17, 10}, {18, 11}, {19, 12}, {20, 13},           // M1 .. M6
    {22, 32}, {23, 33}, {24, 34}, {25, 35},                               // M7 .. M10
    {21, 14}, {26, 15}, {0, 16},  {0, 17},                                // LDK .. call comment
}};

}  // namespace

std::uint8_t CallFieldTag(CallTable table, CallField field) {
  const FieldTags& tags = kFieldTags[static_cast<std::size_t>(field)];
  if (table == kCallData) return tags.data;
  return table == kCallBook ? tags.book : 0;
}

// --- ToDatCall ---

std::string ToDatCall::FileName(CallTable table) { return FileOf(table).name; }

std::string ToDatCall::FilePath(CallTable table) {
  return SetupFolder(FileOf(table).folder_entry) + FileOf(table).name;
}

int ToDatCall::OpenFile(CallTable table, bool skip) {
  const CallFile& f = FileOf(table);
  storage::ToKeys keys;
  storage::DriverKeyBuilder builder;
  switch (table) {
    case kCallData:
      keys = CallDataKeyList(), builder = CallDataKeys;
      break;
    case kCallBook:
      keys = CallBookKeyList(), builder = CallBookKeys;
      break;
    case kCallNote:
      keys = CallNoteKeyList(), builder = CallNoteKeys;
      break;
    default:
      keys = CallListKeyList(), builder = CallListKeys;
      break;
  }
  storage::TreiberOpenParams p;
  p.skip = skip;
  p.max_length = f.max_length;
  p.min_length = f.min_length;
  p.file_name = f.name;
  p.path = FilePath(table);
  p.key_count = keys.Count();
  p.key_builder = builder;
  p.open_mode = 1;  // shared
  p.keys = &keys;
  const int result = OpenTable(slots_[table], p, AutoKeyField{});
  if (result == TdbTreiber::kOpened && table == kCallData && !fixing_) {
    fixing_ = true;
    {
      TdbCall fix(kCallData, 1, skip ? 1 : 0);
      fix.ClearBlacklistNames(blacklist_);
    }
    fixing_ = false;
  }
  return result;
}

bool ToDatCall::OpenFiles(unsigned mask, bool skip) {
  for (const CallFile& f : kFiles) {
    if ((mask & f.bit) != 0 && OpenFile(f.table, skip) == TdbTreiber::kNotOpened) return false;
  }
  return true;
}

void ToDatCall::CloseFiles(unsigned mask, bool skip, bool force) {
  for (const CallFile& f : kFiles) {
    if ((mask & f.bit) != 0) CloseTable(slots_[f.table], skip, force);
  }
}

TdbTreiber* ToDatCall::Treiber(CallTable table) const {
  TdbTreiber* t = slots_[table & 7].get();
  return t != nullptr && t->IsOpen(false) ? t : nullptr;
}

// --- TdbCallBase ---

TdbCallBase::TdbCallBase(CallTable table, std::uint8_t flag) : TdbBase(flag), table_(table) {
  if (GetTreiber() == nullptr) {
    opened_here_ = common::Service<ToDatCall>::Get().OpenFile(table_, IsFlagSet() != 0) ==
                   TdbTreiber::kOpened;
  }
}

TdbCallBase::~TdbCallBase() {
  if (opened_here_) {
    common::Service<ToDatCall>::Get().CloseFiles(FileOf(table_).bit, IsFlagSet() != 0);
  }
}

TdbTreiber* TdbCallBase::GetTreiber() {
  if (IsFlagSet() == 2) return owned_treiber_.get();
  return common::Service<ToDatCall>::Get().Treiber(static_cast<CallTable>(table_ & 0x7F));
}

int TdbCallBase::RecordSize() const { return FileOf(table_).max_length; }

void TdbCallBase::CopyFromBuffer(const std::uint8_t* buffer, bool to_working, bool to_read) {
  if (Variable()) {
    TCallRec r;
    std::memcpy(&r, buffer, sizeof r);
    // A buffer keeps the tail of a longer record read before; the copies hold zero there.
    const int used = std::max(CallUsedLength(r), 0);
    std::memset(r.area + used, 0, static_cast<std::size_t>(kCallAreaSize - used));
    if (to_working) working_ = r;
    if (to_read) read_ = r;
  } else if (table_ == kCallNote) {
    if (to_working) std::memcpy(&note_working_, buffer, sizeof note_working_);
    if (to_read) std::memcpy(&note_read_, buffer, sizeof note_read_);
  } else {
    if (to_working) std::memcpy(&list_working_, buffer, sizeof list_working_);
    if (to_read) std::memcpy(&list_read_, buffer, sizeof list_read_);
  }
}

void TdbCallBase::FetchRecord(bool to_working, bool to_read, int /*number*/) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr || t->RecordBuffer() == nullptr || t->RecordBufferLength() < RecordSize()) {
    return;
  }
  CopyFromBuffer(t->RecordBuffer(), to_working, to_read);
  if (to_read) read_ref_ = t->CurrentRef();
}

void TdbCallBase::CopyWorkingToBuffer() {
  std::uint8_t* buffer = RecordBuffer();
  if (Variable()) {
    working_.link = 0;
    std::memcpy(buffer, &working_, sizeof working_);
  } else if (table_ == kCallNote) {
    note_working_.link = 0;
    std::memcpy(buffer, &note_working_, sizeof note_working_);
  } else {
    list_working_.link = 0;
    std::memcpy(buffer, &list_working_, sizeof list_working_);
  }
}

void TdbCallBase::WorkingToRead() {
  read_ = working_;
  note_read_ = note_working_;
  list_read_ = list_working_;
  read_ref_ = CurrentRef();
}

void TdbCallBase::GetAutoKeyText(std::string& text) {
  std::string call = table_ == kCallNote   ? note_read_.call.str()
                     : table_ == kCallList ? list_read_.call.str()
                                           : read_.call.str();
  text = IsFlagSet() != 0 ? call : common::SetLen(call, 10, true);
}

bool TdbCallBase::Refind(bool fetch_working) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr) return false;
  if (!t->IsOpen(false)) return true;
  std::string text;
  GetAutoKeyText(text);
  if (text.empty() || read_ref_ <= 0) return false;
  const int saved_key = CurrentKey();
  const std::int32_t own_ref = read_ref_;
  const bool found = MoveAndFetch(fetch_working, [&](TdbTreiber& tr) {
    std::int32_t ref = own_ref;
    std::string key_text = text;
    return tr.FindKeyAndRef(AutoKeyNo(), ref, key_text, 0) && tr.GotoRef(ref);
  });
  SetCurrentKey(saved_key);
  return found;
}

bool TdbCallBase::Delete(bool keep_position) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr || !Refind(true)) return false;
  const bool deleted = t->Delete(keep_position);
  FetchKeepingError(true, true);
  return deleted;
}

bool TdbCallBase::Next(bool reposition, bool fetch) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr) return false;
  if (reposition && !Refind(true)) return false;
  const bool moved = t->Next(CurrentKey());
  FetchKeepingError(fetch, fetch);
  return moved;
}

bool TdbCallBase::Update() {
  if (!Refind(false) || RecordBuffer() == nullptr) return false;
  CopyWorkingToBuffer();
  if (!TdbBase::Update(Variable() ? CallStoredLength(working_) : 0)) return false;
  WorkingToRead();
  return true;
}

bool TdbCallBase::Insert() {
  ClearDriverBuffer();
  if (RecordBuffer() == nullptr) return false;
  CopyWorkingToBuffer();
  if (!TdbBase::Insert(Variable() ? CallStoredLength(working_) : 0)) return false;
  WorkingToRead();
  return true;
}

void TdbCallBase::ClearRecord() {
  ClearDriverBuffer();
  working_ = read_ = TCallRec{};
  note_working_ = note_read_ = TCallNoteRec{};
  list_working_ = list_read_ = TCallListRec{};
  read_ref_ = -1;
}

std::string TdbCallBase::GetField(CallField field) const {
  const std::uint8_t tag = CallFieldTag(table_, field);
  return tag == 0 ? std::string() : CallFieldGet(working_, tag);
}

void TdbCallBase::SetField(CallField field, std::string_view value) {
  if (field == CallField::kLocator || field == CallField::kQSLVia) return;  // read only
  const std::uint8_t tag = CallFieldTag(table_, field);
  if (tag != 0) CallFieldPut(working_, tag, value);
}

std::string TdbCallBase::GetM(int n) const {
  if (n < 1 || n > 10) return {};
  return GetField(static_cast<CallField>(static_cast<int>(CallField::kM1) + n - 1));
}

void TdbCallBase::SetM(int n, std::string_view v) {
  if (n >= 1 && n <= 10) {
    SetField(static_cast<CallField>(static_cast<int>(CallField::kM1) + n - 1), v);
  }
}

std::string TdbCallBase::GetCall() const {
  if (table_ == kCallNote) return note_working_.call.str();
  return table_ == kCallList ? list_working_.call.str() : working_.call.str();
}

void TdbCallBase::SetCall(std::string_view call) {
  const std::string upper = common::UpperCase(call);
  if (table_ == kCallNote) {
    note_working_.call = upper;
  } else if (table_ == kCallList) {
    list_working_.call = upper;
  } else {
    working_.call = upper;
  }
}

std::string TdbCallBase::TrimWorkingCall() {
  const std::string call = common::Trim(GetCall());
  if (table_ == kCallNote) {
    note_working_.call = call;
  } else if (table_ == kCallList) {
    list_working_.call = call;
  } else {
    working_.call = call;
  }
  return call;
}

std::string TdbCallBase::GetNote(int most) const {
  if (table_ != kCallNote || most <= 0) return {};
  const std::string_view note(note_working_.note, kCallNoteChars);
  const std::size_t end = std::min(note.find_first_of(std::string_view("\0\x1A", 2)),
                                   static_cast<std::size_t>(most));
  return std::string(note.substr(0, end));
}

// --- TdbCall ---

TdbCall::TdbCall(CallTable table, std::uint8_t write_mode, std::uint8_t flag)
    : TdbCallBase(table, flag), write_mode_(write_mode) {}

template <typename Op>
bool TdbCall::Store(Op op) {
  if (TrimWorkingCall().empty()) return false;
  const bool was_buffered = IsBuffered(nullptr);
  SetWriteMode(nullptr, write_mode_);
  const bool stored = op();
  SetWriteMode(nullptr, was_buffered ? 1 : 0);
  return stored;
}

bool TdbCall::Update() {
  return Store([this] { return TdbCallBase::Update(); });
}

bool TdbCall::Insert() {
  return Store([this] { return TdbCallBase::Insert(); });
}

bool TdbCall::FindCall(std::string_view call) {
  const std::string text = IsFlagSet() != 0 ? std::string(call) : common::SetLen(call, 10, true);
  return Find(text, 1, true);
}

void TdbCall::ClearBlacklistNames(const std::vector<std::string>& calls) {
  if (Table() != kCallData) return;
  for (const std::string& call : calls) {
    if (FindCall(call) && GetName() == "BLACKLIST") {
      SetName("");
      Update();
    }
  }
}

}  // namespace logbook
