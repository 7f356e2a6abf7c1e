// Writing a QSO field (QSOSetFieldText, qso_field_text.h).
#include <algorithm>
#include <cstring>
#include <memory>

#include "common/date_mask.h"
#include "common/dates.h"
#include "common/number_text.h"
#include "common/record_text.h"
#include "common/string_helpers.h"
#include "logbook/databases/call_record.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_call_fields.h"
#include "logbook/databases/qso_field_text.h"
#include "logbook/databases/qso_masks.h"
#include "logbook/databases/qso_table_base.h"

namespace logbook {
namespace {

constexpr int kMostChainedValue = 255;

void SetUsed(TQSORec& r, int used) { r.used = static_cast<std::uint32_t>(used); }

// Layout 1: the slice of the slot, the used length grown to cover it.
bool WriteFixed(TQSORec& r, const TProjectBlock& block, int slot, std::string_view value) {
  const auto span = LocateQsoField(r, block, slot);
  if (!span || slot < 1 || slot > kFieldListEntries) return false;
  const std::string stored = StoredFieldText(value, block.fields[slot - 1]);
  auto* at = reinterpret_cast<char*>(&r) + span->offset;
  common::StrToCharArray(stored, {at, static_cast<std::size_t>(span->length)});
  const int end = span->offset + span->length - kQsoHeadSize;
  SetUsed(r, std::max(QsoUsedLength(r), end));
  return true;
}

// Replaces `old_length` bytes at data position p (1-based) by `bytes`, moving what follows up to
// the used length; false when the data would pass 8000 bytes.
bool Splice(TQSORec& r, int p, int old_length, std::string_view bytes) {
  const int used = QsoUsedLength(r);
  const int now = used - old_length + static_cast<int>(bytes.size());
  if (now > kQsoDataSize) return false;
  std::uint8_t* at = r.data + (p - 1);
  const int tail = used - (p - 1) - old_length;
  if (tail > 0) std::memmove(at + bytes.size(), at + old_length, static_cast<std::size_t>(tail));
  if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
  if (now < used) std::memset(r.data + now, 0, static_cast<std::size_t>(used - now));
  SetUsed(r, now);
  return true;
}

// Layout 6: chained short strings; a shorter chain is lengthened with empty fields.
bool WriteChained(TQSORec& r, const TProjectBlock& block, int slot, std::string_view value) {
  if (slot < 1 || slot > kFieldListEntries) return false;
  const std::string stored = StoredFieldText(value, block.fields[slot - 1]);
  if (stored.size() > kMostChainedValue) return false;
  const int used = QsoUsedLength(r);
  int p = 1;
  int field = 1;
  for (; field < slot && p <= used; ++field) {
    const int length = r.data[p - 1];
    if (p + length > used) return false;  // a broken chain is not written into
    p += 1 + length;
  }
  std::string entry(static_cast<std::size_t>(slot - field), '\0');  // the empty fields added
  entry.push_back(static_cast<char>(stored.size()));
  entry += stored;
  int old_length = 0;
  if (p <= used) {
    old_length = 1 + r.data[p - 1];
    if (p + old_length - 1 > used) return false;
  }
  return Splice(r, p, old_length, entry);
}

// Layout 9: where the entry of a kind lies, or where the chain ends.
struct TaggedPlace {
  bool broken = false;
  bool found = false;
  int position = 1;  // the entry's length byte, or the chain's end
  int length = 0;    // the entry's length
};

TaggedPlace FindEntry(const TQSORec& r, int kind) {
  const int used = QsoUsedLength(r);
  TaggedPlace place;
  int& p = place.position;
  while (p <= used) {
    const int length = r.data[p - 1];
    if (length == 0) break;
    if (length < 2 || p + length - 1 > used) return {true};
    if (r.data[p] == kind) {
      place.found = true;
      place.length = length;
      return place;
    }
    p += length;
  }
  return place;
}

bool WriteTagged(TQSORec& r, int kind, std::string_view value) {
  const TaggedPlace place = FindEntry(r, kind);
  if (place.broken) return false;
  const std::string text = common::LeftStr(value, kCallValueMax);
  std::string entry;
  if (!text.empty()) {
    entry.push_back(static_cast<char>(text.size() + 2));
    entry.push_back(static_cast<char>(kind));
    entry += text;
  }
  if (place.found) return Splice(r, place.position, place.length, entry);
  if (entry.empty()) return true;
  // Appended where the chain ends; whatever stood behind a closing zero byte is dropped.
  const int end = place.position - 1;
  if (end + static_cast<int>(entry.size()) > kQsoDataSize) return false;
  SetUsed(r, end);
  return Splice(r, place.position, 0, entry);
}

bool WriteCallDatabase(const TdbProject& project, const TQSORec& r, int kind,
                       std::string_view value, TdbCall* calls) {
  const auto field = CallFieldOfKind(kind);
  if (!field) return false;
  const TaggedPlace call = FindEntry(r, 2);
  if (call.broken || !call.found) return false;
  const auto span = LocateQsoField(r, project.Record().block, 2);
  std::string text = span ? QsoSpanText(r, *span) : std::string();
  std::replace(text.begin(), text.end(), '\0', ' ');
  return SetCallDatabaseValue(text, *field, value, calls);
}

// Layout 5: the field of the table's working 293-byte record.
bool Write293(TdbQSOBase& table, int field, std::string_view value) {
  TQSO293Rec& r = table.Working293();
  if (const auto call_field = CallFieldOf293(field)) {
    return SetCallDatabaseValue(r.call.view(), *call_field, value, nullptr);
  }
  if (field == 44 || field == 45 || (field >= 47 && field <= 49)) return false;
  const Qso293Field* f = Qso293FieldOf(field);
  if (f == nullptr) return true;
  const std::string text = common::Trim(value);
  switch (f->type) {
    case Qso293Type::kDay:
      SetQso293Number(r, *f, common::DateStringToDate(text, "dd.mm.yyyy"));
      break;
    case Qso293Type::kTime:
      SetQso293Number(r, *f, common::TimeStringToTime(text, "hh:mm"));
      break;
    case Qso293Type::kReal:
      return SetQso293Real(r, *f, common::StrToReal(text));
    default:
      SetQso293Text(r, *f, value);
      break;
  }
  return true;
}

}  // namespace

bool QSOSetFieldText(TdbProject& project, TdbQSOBase* table, int field, std::string_view value_in,
                     const TQSORec* record, TdbCall* calls) {
  const std::string value = common::ReplaceChar(value_in, ';', ',');
  const TProjectBlock& block = project.Record().block;
  const int layout = block.layout_kind;
  if (layout == 5) {
    // Only the working copy changes: the stored one keeps the key that re-finds the record.
    return project.GetVersionTag() == "PELORIN" && table != nullptr &&
           Write293(*table, field, value);
  }
  auto work = std::make_unique<TQSORec>();
  if (record != nullptr) {
    *work = *record;
  } else if (table != nullptr) {
    table->GetRecord(*work);
  }
  bool placed = false;
  bool changed_record = false;
  switch (layout) {
    case 1:
      placed = changed_record = WriteFixed(*work, block, field, value);
      break;
    case 6:
      placed = changed_record = WriteChained(*work, block, field, value);
      break;
    case 9:
      if (project.SlotOfKind(field) != 0) {
        placed = changed_record = WriteTagged(*work, field, value);
      } else {
        placed = WriteCallDatabase(project, *work, field, value, calls);
      }
      break;
    default:
      break;
  }
  if (changed_record && table != nullptr && record == nullptr) table->SetRecord(*work);
  return placed;
}

}  // namespace logbook
