#include "logbook/databases/qso_table.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/date_mask.h"
#include "common/key_text.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_field_text.h"
#include "logbook/databases/qso_files.h"
#include "logbook/databases/qso_keys.h"
#include "logbook/databases/qso_masks.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/prefix.h"

namespace logbook {
namespace {

// Logical keys of projects tagged "PELORIN": the keys of the 293-byte files.
constexpr std::array<int, 14> kPelorinKeys = {1, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 16, 12, 13};
// Logical keys of the logbook's own layouts: the content kind of the key's field (0: none).
constexpr std::array<int, 28> kKindOfKey = {0,  1,  2,  7,  3,  11, 8,  6,  9,  4,
                                            5,  10, 0,  0,  38, 69, 21, 60, 61, 62,
                                            63, 64, 65, 75, 76, 77, 78, 83};
// Logical keys 1..11 of foreign layouts: the field's export name.
constexpr std::array<std::string_view, 11> kForeignKeyFields = {
    "QSO_DATE", "CALL", "DOK", "DXCC", "WAE", "STATE", "GRIDSQUARE", "CNTY", "CQZ", "CONT", "IOTA"};

bool OwnLayoutTag(std::string_view tag) {
  return tag == "PELORIN3" || tag == "PELORIN4" || tag == "PELORIN5" || tag == "PELORIN6";
}

bool IsProjectLogbook(int table) {
  return table == kLogbookLB5 || table == kLogbookQSO || table == kLogbookLB5Second;
}

std::string BaseCall(std::string_view call) {
  return common::Service<ToPrefix>::Get().GetPrefix(call);
}

}  // namespace

int TdbQSO::ChosenTable(const TdbProject& project, int request_kind) {
  const bool pelorin = project.GetVersionTag() == "PELORIN";
  switch (request_kind) {
    case 0:
    case 2:
    case 4:
    case 5:
    case 6:
      return pelorin ? kLogbook293 : kLogbookLB5;
    case 14:
      return kLogbookAward;
    case 15:
      return kLogbookUndo;
    default:
      return pelorin ? kLogbookHistory : kLogbookQSO;
  }
}

TdbQSO::TdbQSO(TdbProject* project, std::uint8_t flag, int table, int request_kind,
               std::uint8_t write_mode, std::string_view name_text, bool exclusive)
    : TdbQSOBase(project, exclusive, flag, name_text, static_cast<std::uint8_t>(table)),
      request_kind_(request_kind),
      write_mode_(write_mode) {}

TdbQSO::TdbQSO(TdbProject* project, std::uint8_t flag, int request_kind, std::uint8_t write_mode,
               std::string_view name_text, bool exclusive)
    : TdbQSO(project, flag, project == nullptr ? kLogbookQSO : ChosenTable(*project, request_kind),
             request_kind, write_mode, name_text, exclusive) {}

TdbQSO::TdbQSO(TdbProject* project, std::uint8_t flag, FileTable table, std::uint8_t write_mode,
               std::string_view name_text, bool exclusive)
    : TdbQSO(project, flag, table.table, 0, write_mode, name_text, exclusive) {}

template <typename Op>
bool TdbQSO::WithWriteMode(Op op) {
  if (GetTreiber() == nullptr) return op();
  const bool was_buffered = IsBuffered(nullptr);
  SetWriteMode(nullptr, write_mode_);
  const bool done = op();
  SetWriteMode(nullptr, was_buffered ? 1 : 0);
  return done;
}

// --- keys and searches ---

int TdbQSO::ValidKey(int key) {
  const storage::TdbTreiber* t = GetTreiber();
  if (key < 1 || t == nullptr || t->Driver() == nullptr) return 0;
  return key <= t->Driver()->KeyCount() ? key : 0;
}

int TdbQSO::KeyNumber(int logical_key) {
  TdbProject* project = Project();
  if (project == nullptr || logical_key < 0) return 0;
  const std::string tag = project->GetVersionTag();
  if (tag == "PELORIN") {
    return logical_key < int{kPelorinKeys.size()} ? ValidKey(kPelorinKeys[logical_key]) : 0;
  }
  if (OwnLayoutTag(tag)) {
    if (logical_key >= int{kKindOfKey.size()}) return 0;
    if (logical_key == 0) return ValidKey(1);
    if (logical_key == 12 || logical_key == 13) return ValidKey(logical_key - 10);
    if (project->GetLayoutKind() != 9) return ValidKey(4);
    return ValidKey(Layout9KeyOfKind(*project, kKindOfKey[logical_key]));
  }
  return ValidKey(ForeignKeyNumber(logical_key));
}

int TdbQSO::ForeignKeyNumber(int logical_key) {
  if (logical_key == 0) return 1;
  if (logical_key > int{kForeignKeyFields.size()}) return 0;
  TdbProject& project = *Project();
  TProjectBlock& block = project.Record().block;
  int slot = 0;
  for (int k = 1; k <= kFieldListEntries && slot == 0; ++k) {
    if (block.fields[k - 1].name.view() == kForeignKeyFields[logical_key - 1]) slot = k;
  }
  if (slot == 0) return 0;
  const int table = TableKind();
  // The key field list the file's keys come from: list A for the QSO file, B for the others.
  const bool list_a = table == kLogbookQSO;
  std::uint8_t* list = list_a ? block.key_fields_qso : block.key_fields_lb5;
  const int count = LogbookKeyCount(block, list_a ? kLogbookQSO : kLogbookLB5);
  for (int k = 2; k <= count; ++k) {
    if (list[k - 2] == slot) return k;
  }
  // A new key is built only by the file's one user: a reopen while another cursor shares the
  // file would keep the old driver without the key.
  const storage::TdbTreiber* t = GetTreiber();
  if (!IsProjectLogbook(table) || count >= kMostListedKeys || !OpenedHere() || t == nullptr ||
      t->UseCount() != 0) {
    return 0;
  }
  const TProjectBlock before = block;
  list[count - 1] = static_cast<std::uint8_t>(slot);
  (list_a ? block.key_count_qso : block.key_count_lb5) = count + 1;
  if (!project.Update()) {
    block = before;
    return 0;
  }
  return ReopenFiles() ? count + 1 : 0;
}

bool TdbQSO::SearchKey(int logical_key, std::string_view lower, std::string_view upper, int mode,
                       bool exact) {
  const int key = KeyNumber(logical_key);
  if (key == 0) return false;
  if (!upper.empty() && mode == 1 && exact) return Find(lower, key, true);
  return Search(lower, key);
}

bool TdbQSO::FindCall(std::string_view call) {
  const bool plain = IsFlagSet() != 0;
  if (TableKind() == kRecordOnly) {
    return Search(plain ? std::string(call) : common::SetLen(call, 20, true), 2);
  }
  if (Project() == nullptr) return false;
  std::string text = BaseCall(call);
  if (!plain) {
    const int layout = Project()->GetLayoutKind();
    const int width =
        layout == 9 ? 14 : layout == 6 ? 20 : std::clamp(static_cast<int>(call.size()), 1, 36);
    text = common::SetLen(text, width, true);
  }
  if (!SearchKey(2, text)) return false;
  // The search stops at the first key not below the text, which may be another call's.
  return plain || BuildKey(CurrentKey()).compare(0, text.size(), text) == 0;
}

bool TdbQSO::FindQSO(std::string_view call, std::string_view date, std::string_view time) {
  const int table = TableKind();
  if (!IsProjectLogbook(table) && table != kLogbookAward && table != kLogbookUndo) return false;
  const std::string base = BaseCall(call);
  if (IsFlagSet() == 0) {
    const std::int32_t day = common::DateStringToDate(date, "dd.mm.yyyy");
    std::int32_t seconds =
        common::TimeStringToTime(time, time.size() == 5 ? "hh:mm" : ProgramTimeMask());
    // The layout-9 keys read a start time of midnight as no time.
    if (seconds == 0 && Project() != nullptr && Project()->GetLayoutKind() == 9) seconds = -1;
    return Find(common::SetLen(base, 14, true) + common::DateToKey(day, true) +
                    common::TimeToKey(seconds, true),
                5, true);
  }
  const std::string separator = InitKeyText();
  const std::string head = base + separator + common::Copy(date, 7, 4) + common::Copy(date, 4, 2) +
                           common::Copy(date, 1, 2) + separator;
  const std::string hhmm = common::LeftStr(common::ReplaceText(time, ":", ""), 4);
  if (Find(head + hhmm, 5, true)) return true;
  return hhmm == "0000" && Find(head, 5, true);
}

bool TdbQSO::FindQSO(std::string_view call, std::int32_t day, std::int32_t seconds) {
  return FindQSO(call, DateText(day, "dd.mm.yyyy"), TimeText(seconds, "hh:mm"));
}

bool TdbQSO::SeekDxcc(std::string_view prefix) {
  if (Project() == nullptr) return false;
  std::string text(prefix);
  if (IsFlagSet() == 0) {
    const int layout = Project()->GetLayoutKind();
    text = common::SetLen(text, layout == 9 ? 6 : layout == 6 ? 20 : 4, true);
  }
  return SearchKey(4, text);
}

// --- fields ---

std::string TdbQSO::GetFieldText(int kind) {
  return Project() == nullptr ? std::string() : QSOFieldText(*Project(), this, kind);
}

bool TdbQSO::SetFieldText(int kind, std::string_view text_in) {
  TdbProject* project = Project();
  if (project == nullptr) return false;
  std::string text(text_in);
  const int layout = project->GetLayoutKind();
  const bool pelorin = project->GetVersionTag() == "PELORIN";
  if (kind == 44 && text.size() == 5) {
    kind = 28;
  } else if (kind == 28 && text.size() == 8) {
    kind = 44;
  }
  if (layout == 9 && kind == 28) {
    kind = 44;
    if (text.size() == 5) text += ":00";
  }
  int field = project->FieldOfKind(kind);
  // A band is kept as its nominal frequency; in layout 5 the second band shares the second
  // frequency's field, which must not take the band's text.
  const bool band = (kind == 17 && (layout == 9 || (field == 0 && pelorin))) ||
                    (kind == 40 && pelorin && (field == 0 || layout == 5));
  if (band) {
    kind = kind == 17 ? 18 : 41;
    text = common::Service<ToBaender>::Get().Text2FreqText(text);
    field = project->FieldOfKind(kind);
  }
  if (layout == 9 && kind == 18) text = common::ReplaceChar(text, '.', ',');
  if (field == 0) return false;
  if (!(layout == 5 && kind == 36) && GetFieldText(kind) == text) return true;
  const bool placed = QSOSetFieldText(*project, this, field, text);
  if (layout == 9) KeepDistance(kind, text);
  if (layout == 5 && kind == 44 && pelorin) {
    const std::int32_t seconds = common::TimeStringToTime(common::Trim(text), ProgramTimeMask());
    if (seconds >= 0) Working293().time_on = seconds;
  }
  return placed;
}

void TdbQSO::KeepDistance(int kind, const std::string& text) {
  if (kind != 6 && kind != 49 && kind != 42) return;
  TdbProject& project = *Project();
  const std::string t = common::Trim(text);
  const auto set = [&](const std::string& value) { QSOSetFieldText(project, this, 68, value); };
  const auto distance = [&](const std::string& own, const std::string& partner) {
    double bearing = 0, km = 0;
    set(ToLocator::QRB(own, partner, "lbset", bearing, km)
            ? common::Int64ToStrMask(std::llround(km), 6)
            : std::string());
  };
  const std::string own = GetFieldText(42);
  const bool dl = GetFieldText(3) == "DL";
  if (kind == 6) {
    if (t.empty() || t == "JO51") return set("");
    if (!own.empty()) distance(own, t);
  } else if (kind == 49) {
    if (!GetFieldText(6).empty()) return;
    if (t.empty() || t == "JO51") return set("");
    if (!dl && !own.empty()) distance(own, t);
  } else {
    if (t.empty()) return set("");
    std::string partner = GetFieldText(6);
    if (partner.empty()) partner = GetFieldText(49);
    if (!partner.empty() && !dl) distance(t, partner);
  }
}

std::string TdbQSO::ColumnText(int column, std::string_view format, ColumnDate& date) {
  const std::string tag = Project() == nullptr ? std::string() : Project()->GetVersionTag();
  return Qso293ColumnText(Working293(), column, format, date, tag, 0);
}

// --- counters and the overridden operations ---

bool TdbQSO::KeepsCounter() const {
  const int t = TableKind();
  return IsProjectLogbook(t) || t == kLogbookAward || t == kLogbookUndo || t == kRecordOnly;
}

TdbQSO::Counter TdbQSO::CounterOf() const {
  switch (request_kind_) {
    case 0:
    case 2:
    case 4:
    case 5:
    case 6:
      return Counter::kSecond;
    case 14:
    case 15:
      return Counter::kNone;
    default:
      return Counter::kFirst;
  }
}

void TdbQSO::StoreCounter(std::int32_t value, bool set) {
  TdbProject* project = Project();
  if (project == nullptr) return;
  if (set && CounterOf() == Counter::kFirst) project->SetQSOCounter1(value);
  if (set && CounterOf() == Counter::kSecond) project->SetQSOCounter2(value);
  const std::uint8_t mode = project->GetCursorWriteMode();
  project->SetCursorWriteMode(write_mode_);
  project->Update();
  project->SetCursorWriteMode(mode);
}

bool TdbQSO::Delete(bool keep_position) {
  const bool done = WithWriteMode([&] { return TdbQSOBase::Delete(keep_position); });
  if (done && KeepsCounter() && Project() != nullptr) {
    const std::int32_t now = CounterOf() == Counter::kFirst ? Project()->GetQSOCounter1()
                                                            : Project()->GetQSOCounter2();
    StoreCounter(std::max(now - 1, 0), true);
  }
  return done;
}

std::int32_t TdbQSO::RecordCount() {
  if (GetTreiber() == nullptr) return 0;
  const std::int32_t count = TdbQSOBase::RecordCount();
  if (KeepsCounter()) StoreCounter(count, true);
  return count;
}

void TdbQSO::EraseFiles() {
  if (GetTreiber() == nullptr) return;
  TdbQSOBase::EraseFiles();
  Clear();
  if (KeepsCounter()) StoreCounter(0, true);
}

bool TdbQSO::StoreAsFound() {
  return WithWriteMode([&] { return StoreCurrent(); });
}

bool TdbQSO::Update() {
  return WithWriteMode([&] { return TdbQSOBase::Update(); });
}

}  // namespace logbook
