// Reading a QSO field by content kind (qso_field_text.h).
#include "logbook/databases/qso_field_text.h"

#include <algorithm>

#include "common/char_convert.h"
#include "common/date_mask.h"
#include "common/dates.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_call_fields.h"
#include "logbook/databases/qso_masks.h"
#include "logbook/databases/qso_table_base.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"

namespace logbook {
namespace {

constexpr int kBandNameText = 4;  // ToBaender: the band's name, "???" outside every band
constexpr int kNoteChars = 283;

ToBaender& Bands() { return common::Service<ToBaender>::Get(); }

std::string BlankNul(std::string text) {
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

// The kind whose field a layout-9 kind reads.
int StoredKind(int kind) {
  if (kind == 14) return 16;
  if (kind == 28) return 44;
  return kind;
}

struct Context {
  TdbProject& project;
  TdbQSOBase* table;
  const TQSORec* record;  // null in layout 5
  const QsoRead& read;
  std::uint8_t Flag() const { return table == nullptr ? 0 : table->IsFlagSet(); }
  const TProjectBlock& Block() const { return project.Record().block; }
};

// --- layout 9 ---

// The text of the entry of a kind, whether or not the project names the kind.
std::string EntryText(const Context& c, int kind) {
  const auto span = LocateQsoField(*c.record, c.Block(), kind);
  return span ? BlankNul(QsoSpanText(*c.record, *span)) : std::string();
}

std::string TaggedText(const Context& c, int kind) {
  return c.project.SlotOfKind(kind) == 0 ? std::string() : EntryText(c, kind);
}

std::string BandNameOf(const std::string& frequency) {
  return Bands().Freq2Name(common::Trim(frequency), kBandNameText);
}

// A kind the project's descriptors do not name: a value of the call database, else nothing.
std::string CallDatabaseText(const Context& c, int kind) {
  const std::string call = EntryText(c, 2);
  if (const auto field = CallFieldOfKind(kind)) {
    return GetQSOStr(CallDatabaseValue(call, *field, c.read.calls, c.Flag()), c.read.format);
  }
  if (kind == 57 || kind == 58) {
    const std::string note = CallNoteOf(call, c.Flag(), kNoteChars);
    return kind == 57 ? note : note.empty() ? "" : "C";
  }
  return {};
}

std::string FormattedLayout9(std::string text, int kind, std::string_view format) {
  if (format.empty()) return text;
  if (kind == 1) {
    const std::int32_t date = common::DateStringToDate(common::Trim(text), "dd.mm.yyyy");
    return date == common::BadDate ? std::string() : DateText(date, format);
  }
  if (kind == 44) {
    const std::int32_t time = common::TimeStringToTime(common::Trim(text), ProgramTimeMask());
    return time < 0 ? std::string() : TimeText(time, format);
  }
  return GetQSOStr(text, format);
}

std::string Layout9Text(const Context& c, int kind) {
  const int stored = StoredKind(kind);
  std::string text;
  if (c.project.SlotOfKind(stored) == 0) {
    text = CallDatabaseText(c, stored);
  } else {
    text = TaggedText(c, stored);
    if (stored == 44 && text.size() == 4 && text.find(':') == std::string::npos) {
      text.insert(2, 1, ':');
    }
    if (kind != 28) text = FormattedLayout9(text, stored, c.read.format);
  }
  if (text.empty() && (kind == 15 || kind == 17)) text = BandNameOf(TaggedText(c, 18));
  if (text.empty() && kind == 40) text = BandNameOf(TaggedText(c, 41));
  if (text.empty() && kind == 50) text = TaggedText(c, 9);
  if (kind == 28) {
    if (text.size() > 1 && text[1] == ':') text.insert(0, 1, '0');
    text = common::LeftStr(text, 5);
  }
  const std::string trimmed = common::Trim(text);
  if ((kind == 28 || kind == 37 || kind == 44) && trimmed == "00:00") return {};
  if ((kind == 37 || kind == 44) && trimmed == ":") return {};
  return text;
}

// --- layouts with a field list: 1, 2, 3, 6, 7 ---

std::string SlotText(const Context& c, int slot) {
  if (slot < 1 || slot > kFieldListEntries) return {};
  const TProjectBlock& block = c.Block();
  if (block.layout_kind == 2 || block.layout_kind == 7) {
    return SeparatedPiece(SeparatedQsoText(*c.record, block.layout_kind), block.separator, slot);
  }
  const auto span = LocateQsoField(*c.record, block, slot);
  return span ? BlankNul(QsoSpanText(*c.record, *span)) : std::string();
}

int SlotNamed(const TProjectBlock& block, std::string_view name) {
  for (int k = 1; k <= kFieldListEntries; ++k) {
    if (common::SameTextShort(block.fields[k - 1].name.view(), name)) return k;
  }
  return 0;
}

std::string NamedText(const Context& c, std::string_view name) {
  return common::Trim(SlotText(c, SlotNamed(c.Block(), name)));
}

// "TIME_ON_H" and "TIME_ON_M" (or the end's) joined as "hh:mm".
std::string TimeFromParts(const Context& c, std::string_view head) {
  std::string hour = NamedText(c, std::string(head) + "_H");
  std::string minute = NamedText(c, std::string(head) + "_M");
  if (hour.empty() && minute.empty()) return {};
  const auto two = [](std::string part) { return common::PadLeftChar(part, 2, '0'); };
  return two(hour) + ":" + two(minute);
}

std::string FieldListText(const Context& c, int kind) {
  const TProjectBlock& block = c.Block();
  const int slot = c.project.FieldOfKind(kind);
  std::string text;
  if (slot >= 1 && slot <= kFieldListEntries) {
    const std::string stored = SlotText(c, slot);
    const TFieldListEntry& entry = block.fields[slot - 1];
    text = StoredFieldDisplay(stored, entry, c.read.format);
    if (block.layout_kind != 7) text = common::OemToAnsi(text);
  }
  if (common::Trim(text).empty()) {
    if (kind == 15 || kind == 17) text = BandNameOf(SlotText(c, c.project.FieldOfKind(18)));
    if (kind == 18) {
      text = Bands().Text2FreqText(common::Trim(SlotText(c, c.project.FieldOfKind(17))));
    }
    if (kind == 28 || kind == 44) text = TimeFromParts(c, "TIME_ON");
    if (kind == 44 && !text.empty()) text += ":00";
    if (kind == 37) text = TimeFromParts(c, "TIME_OFF");
    if (kind == 50) text = SlotText(c, c.project.FieldOfKind(9));
  }
  if (kind == 2) {
    const std::string prefix = NamedText(c, "CALLPREFIX");
    std::string suffix;
    for (const char* name : {"SUFFIX", "CALLSUFFIX", "BESONDERES"}) {
      if (suffix.empty()) suffix = NamedText(c, name);
    }
    if (!prefix.empty()) text = prefix + "/" + common::Trim(text);
    if (!suffix.empty()) text = common::Trim(text) + "/" + suffix;
  }
  if (kind == 3) {
    const std::string prefix = common::Trim(ToPrefix::DXCCPrefixOfNumber(common::Trim(text)));
    if (!prefix.empty()) text = prefix;
  }
  return text;
}

// --- layout 5: the 293-byte record ---

std::string Layout5Text(const Context& c, int kind, ColumnDate& date) {
  if (c.table == nullptr || c.project.GetVersionTag() != "PELORIN") return {};
  const TQSO293Rec& r = c.table->Working293();
  // The band kinds are derived from the frequencies; kind 40 shares field 12 with kind 41.
  if (kind == 15 || kind == 17 || kind == 40) {
    const Qso293Field* f = Qso293FieldOf(kind == 40 ? 12 : 4);
    return Bands().Freq2Text(Qso293Real(r, *f), kBandNameText);
  }
  if (kind == 44 && c.read.format.empty()) return TimeText(r.time_on, ProgramTimeMask());
  return Qso293ColumnText(r, c.project.FieldOfKind(kind), c.read.format, date,
                          c.project.GetVersionTag(), c.Flag());
}

}  // namespace

std::string QSOFieldValue(TdbProject& project, TdbQSOBase* table, int kind, const QsoRead& read,
                          ColumnDate* date) {
  ColumnDate local;
  ColumnDate& out = date != nullptr ? *date : local;
  out.flag = false;
  if (read.format == "__QSLManager__") return {};
  const TQSORec* record = read.record;
  if (record == nullptr && table != nullptr) record = table->RecordPtr();
  const Context c{project, table, record, read};
  std::string text;
  switch (project.GetLayoutKind()) {
    case 5:
      text = Layout5Text(c, kind, out);
      break;
    case 9:
      if (record != nullptr) text = Layout9Text(c, kind);
      break;
    case 1:
    case 2:
    case 3:
    case 6:
    case 7:
      if (record != nullptr) text = FieldListText(c, kind);
      break;
    default:
      break;
  }
  return read.raw || kind == 22 ? text : common::Trim(text);
}

std::string QSOFieldText(TdbProject& project, TdbQSOBase* table, int kind, bool raw,
                         const TQSORec* record, TdbCall* calls) {
  QsoRead read;
  read.raw = raw;
  read.record = record;
  read.calls = calls;
  return QSOFieldValue(project, table, kind, read);
}

char QSLMarkOf(TdbProject& project, TdbQSOBase* table, int kind, const TQSORec* record,
               char mark) {
  const std::string text = QSOFieldText(project, table, kind, false, record);
  const auto holds = [&](char c) { return c != 0 && text.find(c) != std::string::npos; };
  if (mark != 0) return holds(mark) ? mark : 0;
  const ToSetupQSL qsl = common::Service<ToSetups>::Get().GetQSL();
  if (kind == 12) {
    for (char c : qsl.status_letters.view()) {
      if (holds(c)) return 'J';
    }
  } else if (kind == 13) {
    for (int group : {1, 2}) {
      for (char c : qsl.letter_groups[static_cast<std::size_t>(group)]) {
        if (holds(c)) return 'J';
      }
    }
  }
  return 0;
}

}  // namespace logbook
