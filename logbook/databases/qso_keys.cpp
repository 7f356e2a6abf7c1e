#include "logbook/databases/qso_keys.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "common/date_mask.h"
#include "common/key_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "logbook/databases/field_catalogue.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_field_text.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"

namespace logbook {
namespace {

using storage::ToKeys;

constexpr int kMaxFieldKeyWidth = 36;
constexpr int kLayout6KeyWidth = 20;

std::string To(std::string_view text, int n) { return common::SetLen(text, n, true); }
std::string Mark(char c) { return std::string(1, c); }
std::string DateKey(std::int32_t date) { return common::DateToKey(date, true); }
std::string TimeKey(std::int32_t time) { return common::TimeToKey(time, true); }
std::string BaseCall(std::string_view call) {
  return common::Service<ToPrefix>::Get().GetPrefix(call);
}
char ModeDigit(std::string_view mode) {
  return ToModi::ModeKindDigit(common::Service<ToModi>::Get().ModeKind(mode, true));
}
std::string Cut(std::string text) {
  if (text.size() > common::kMaxKeyLength) text.resize(common::kMaxKeyLength);
  return text;
}

std::string NumberKey(const TQSORec& r) {
  return common::LongIntToKey(static_cast<std::int32_t>(std::uint32_t{r.number}));
}

// A project as it stood when a file's keys were made: a cursor of its own (flag 2) with no file.
std::shared_ptr<TdbProject> CopyOfProject(const TdbProject& project) {
  auto copy = std::make_shared<TdbProject>(project.Table(), 2);
  copy->Record() = project.Record();
  return copy;
}

// The name of the field of a content kind, as key expressions name it.
std::string FieldName(const TdbProject& project, int kind) {
  if (project.GetLayoutKind() == 9) {
    for (const TQSOFieldDescriptor& d : StandardCatalogue()) {
      if (d.kind == kind) return d.short_name.str();
    }
    return {};
  }
  const int slot = project.FieldOfKind(kind);
  return slot >= 1 && slot <= kFieldListEntries ? project.Record().block.fields[slot - 1].name.str()
                                                : std::string();
}

// The QSO record a builder works on, as the builders see it: the head and the data in use, zero
// behind them, with the key parts that read fields by content kind. The driver builds every key
// of one record in a row, so the parts are kept until another record comes.
class RecordParts {
 public:
  explicit RecordParts(std::shared_ptr<TdbProject> project) : project_(std::move(project)) {}

  // Takes the record in a driver buffer; answers it.
  const TQSORec& Load(const std::uint8_t* buffer) {
    TQSORec& r = *record_;
    const std::uint32_t used =
        std::min<std::uint32_t>(common::ReadLeInt32(buffer + 8), kQsoDataSize);
    const auto* bytes = reinterpret_cast<std::uint8_t*>(&r);
    if (loaded_ && used == r.used &&
        std::memcmp(bytes, buffer, kQsoHeadSize + static_cast<std::size_t>(used)) == 0) {
      return r;
    }
    const int before = QsoUsedLength(r);
    std::memcpy(reinterpret_cast<std::uint8_t*>(&r), buffer, kQsoHeadSize);
    const int now = QsoUsedLength(r);
    std::memcpy(r.data, buffer + kQsoHeadSize, static_cast<std::size_t>(now));
    if (before > now) std::memset(r.data + now, 0, static_cast<std::size_t>(before - now));
    loaded_ = true;
    d_.reset(), t_.reset(), m_.reset(), b_.reset(), dxcc_.reset();
    q_.clear();
    return r;
  }

  TdbProject& Project() const { return *project_; }
  std::string Text(int kind) const {
    return QSOFieldText(*project_, nullptr, kind, false, record_.get());
  }
  const std::string& D() {
    return Kept(d_, [&] { return DateKey(common::DateStringToDate(Text(1), "dd.mm.yyyy")); });
  }
  const std::string& T() {
    return Kept(t_, [&] {
      const std::string mask = common::Service<common::ToDates>::Exists()
                                   ? common::Service<common::ToDates>::Get().DefaultTimeMask()
                                   : "hh:mm:ss";
      return TimeKey(common::TimeStringToTime(Text(44), mask));
    });
  }
  const std::string& M() { return Kept(m_, [&] { return Mark(ModeDigit(Text(16))); }); }
  const std::string& B() { return Kept(b_, [&] { return Mark(common::FirstChar(Text(15))); }); }
  const std::string& Dxcc() { return Kept(dxcc_, [&] { return To(Text(3), 6); }); }
  // The QSL mark of the kind-12 field, asked with `mark`.
  const std::string& Q(char mark) {
    auto& kept = q_[mark];
    return Kept(kept, [&] { return Mark(QSLMarkOf(*project_, nullptr, 12, record_.get(), mark)); });
  }

 private:
  template <typename Make>
  static const std::string& Kept(std::optional<std::string>& slot, Make make) {
    if (!slot) slot = make();
    return *slot;
  }

  std::shared_ptr<TdbProject> project_;
  std::unique_ptr<TQSORec> record_ = std::make_unique<TQSORec>();
  bool loaded_ = false;
  std::optional<std::string> d_, t_, m_, b_, dxcc_;
  std::map<char, std::optional<std::string>> q_;
};

// --- project logbooks ---

// What key n of a project logbook reads: layout 9 a catalogue field (kind 0: none), other
// layouts a field slot of the key field list.
struct FieldKey {
  int field = 0;
  int length = 1;
};

class ProjectLogbookBuilder {
 public:
  ProjectLogbookBuilder(std::shared_ptr<TdbProject> project, bool list_b,
                        std::vector<FieldKey> keys)
      : parts_(std::make_shared<RecordParts>(std::move(project))),
        list_b_(list_b),
        keys_(std::move(keys)) {}

  void operator()(const std::uint8_t* buffer, std::uint16_t key, std::string& text) const {
    if (key < 1 || key > keys_.size()) return;
    const TQSORec& r = parts_->Load(buffer);
    if (key == 1) {
      text = NumberKey(r);
    } else if (parts_->Project().GetLayoutKind() == 9) {
      text = Cut(Layout9(key));
    } else {
      text = FieldText(r, keys_[key - 1]);
    }
  }

 private:
  std::string Layout9(int key) const {
    RecordParts& p = *parts_;
    const auto q = [&] {
      const char mark = common::Service<ToSetups>::Get().GetQSL().letter_groups[0][0];
      return p.Q(list_b_ ? mark : 0);
    };
    switch (key) {
      case 2:
        return p.Dxcc() + q() + p.B() + p.M() + p.D();
      case 3:
        return p.Dxcc() + q() + p.M() + p.B() + p.D();
      case 4:
        return To(p.Text(7), 8) + q() + p.B() + p.M() + p.D();
      default:
        break;
    }
    const FieldKey& k = keys_[key - 1];
    if (k.field == 0) return " ";
    const int stored = k.length - 8;
    if (k.field == 1 || k.field == 83) return p.D() + p.T();
    const std::string text = k.field == 2 ? BaseCall(p.Text(2)) : p.Text(k.field);
    return To(text, stored) + p.D() + p.T();
  }

  std::string FieldText(const TQSORec& r, const FieldKey& k) const {
    const TProjectBlock& block = parts_->Project().Record().block;
    const int w = k.length;
    switch (block.layout_kind) {
      case 1:
      case 3: {
        const auto span = LocateQsoField(r, block, k.field);
        if (!span) return To("", w);
        // Layout 1 runs to the end of the record, layout 3 to the end of its short string.
        const int end = block.layout_kind == 1 ? int{sizeof(TQSORec)} : 24 + r.data[0];
        std::string text = QsoSpanText(r, {span->offset, std::clamp(end - span->offset, 0, w)});
        std::replace(text.begin(), text.end(), '\0', ' ');
        return To(text, w);
      }
      case 2:
      case 7:
        return To(SeparatedPiece(SeparatedQsoText(r, block.layout_kind), block.separator,
                                 k.field),
                  w);
      default:
        return To("", w);
    }
  }

  // Piece f of a separated text; a text without separator is whole for every field.
  static std::string SeparatedPiece(std::string_view text, char separator, int f) {
    if (text.find(separator) == std::string_view::npos) return std::string(text);
    return logbook::SeparatedPiece(text, separator, f);
  }

  std::shared_ptr<RecordParts> parts_;
  bool list_b_;
  std::vector<FieldKey> keys_;
};

// Keys 5.. of layout kind 9: the catalogue fields that the project stores (its descriptor, or
// the catalogue's, has a fixed length), in catalogue order.
std::vector<FieldKey> Layout9FieldKeys(const TdbProject& project, bool skip) {
  std::vector<FieldKey> keys;
  for (int n = 1; n <= kCatalogueSize; ++n) {
    if (skip && n >= 48 && n <= 50) continue;
    const TQSOFieldDescriptor d = project.GetSlotDescriptor(n);
    if (d.fixed_length == 0 || d.kind == 0) continue;
    const int length = d.kind == 1 || d.kind == 83 ? 8 : d.fixed_length + 8;
    keys.push_back({d.kind, std::min<int>(length, common::kMaxKeyLength)});
  }
  return keys;
}

}  // namespace

int Layout9KeyOfKind(const TdbProject& project, int kind) {
  const std::vector<FieldKey> fields = Layout9FieldKeys(project, false);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int key = 5 + static_cast<int>(i);
    if (fields[i].field == kind) return key <= kLayout9KeyCount ? key : 0;
  }
  return 0;
}

namespace {

void Layout9List(TdbProject& project, int table, bool skip, ToKeys& list,
                 std::vector<FieldKey>& keys) {
  const auto f = [&](int kind) { return FieldName(project, kind); };
  list.Add(5, false, table == 1 ? "autore" : "autore AUTOKEY");
  list.Add(13, true, f(3) + "," + f(12) + "," + f(15) + "," + f(16) + "," + f(1));
  list.Add(13, true, f(7) + "," + f(12) + "," + f(16) + "," + f(15) + "," + f(1));
  list.Add(15, true, f(7) + "," + f(12) + "," + f(15) + "," + f(16) + "," + f(1));
  keys.assign(4, FieldKey{});
  std::vector<FieldKey> fields = Layout9FieldKeys(project, skip);
  fields.resize(std::max<std::size_t>(fields.size(), kLayout9KeyCount - 4));
  for (std::size_t i = 0; keys.size() < kLayout9KeyCount; ++i) {
    const FieldKey& k = fields[i];
    const std::string name = k.field == 0 ? std::string() : f(k.field);
    const bool dated = k.field == 1 || k.field == 83;
    list.Add(k.length, true, k.field == 0 ? "" : dated ? name + "," + f(44)
                                                        : name + "," + f(1) + "," + f(44));
    keys.push_back(k);
  }
}

void FieldKeyList(const TdbProject& project, int table, ToKeys& list,
                  std::vector<FieldKey>& keys) {
  const TProjectBlock& block = project.Record().block;
  const std::uint8_t* fields = table == 1 ? block.key_fields_qso : block.key_fields_lb5;
  const int count = LogbookKeyCount(block, table);
  list.Add(5, false, "autore AUTOKEY");
  keys.assign(1, FieldKey{});
  for (int n = 2; n <= count; ++n) {
    const int f = fields[n - 2];
    const bool listed = f >= 1 && f <= kFieldListEntries;
    int width = std::clamp<int>(listed ? block.fields[f - 1].width : 0, 1, kMaxFieldKeyWidth);
    std::string name = listed ? block.fields[f - 1].name.str() : std::string();
    if (block.layout_kind == 6) width = kLayout6KeyWidth, name.clear();
    list.Add(width, true, name);
    keys.push_back({f, width});
  }
}

// --- award logbooks ---

class AwardBuilder {
 public:
  explicit AwardBuilder(std::shared_ptr<TdbProject> project)
      : parts_(std::make_shared<RecordParts>(std::move(project))) {}

  void operator()(const std::uint8_t* buffer, std::uint16_t key, std::string& text) const {
    if (key < 1 || key > 3) return;
    RecordParts& p = *parts_;
    const TQSORec& r = p.Load(buffer);
    if (key == 1) text = NumberKey(r);
    if (key == 2) text = p.Dxcc() + p.Q(0) + p.B() + p.M() + p.D();
    if (key == 3) text = p.Dxcc() + p.Q(0) + p.M() + p.B() + p.D();
  }

 private:
  std::shared_ptr<RecordParts> parts_;
};

// --- fixed records ---

template <typename Record>
Record Copy(const std::uint8_t* buffer) {
  Record r;
  std::memcpy(&r, buffer, sizeof r);
  return r;
}

void Qso293KeyTexts(const std::uint8_t* buffer, std::uint16_t key, std::string& text) {
  if (key < 1 || key > kQso293KeyCount) return;
  const auto r = Copy<TQSO293Rec>(buffer);
  const std::string d = DateKey(r.date), t = TimeKey(r.time_on);
  const std::string mode = r.mode.str();
  const std::string k = Mark(common::Service<ToModi>::Get().ModeClass(mode));
  Real48 frequency = r.freq;
  const std::string f = Mark(common::Service<ToBaender>::Get().Freq2Band(frequency.get()));
  const std::string m = Mark(ModeDigit(mode));
  const std::string q = Mark(r.qsl_rcvd == 'Y' ? 'J' : r.qsl_rcvd);
  const std::string dok = To(r.dok.view(), 8), dxcc = To(r.dxcc.view(), 6);
  switch (key) {
    case 1: text = d + t; break;
    case 2: text = To(BaseCall(r.call.view()), 14) + d + t; break;
    case 3: text = dok + k + f + d + t; break;
    case 4: text = dxcc + k + f + d + t; break;
    case 5: text = Mark(r.selected); break;
    case 6: text = To(r.wae.view(), 6) + k + f + d + t; break;
    case 7: text = To(r.state.view(), 2) + k + f; break;
    case 8: text = To(r.locator.view(), 6) + k + f; break;
    case 9: text = To(r.county.view(), 6) + k + f; break;
    case 10: text = To(r.cqz.view(), 2) + k + f; break;
    case 11: text = To(r.cont.view(), 2) + k + f; break;
    case 12: text = dxcc + q + f + m + d; break;
    case 13: text = dxcc + q + m + f + d; break;
    case 14: text = To(r.call.view(), 14) + d; break;
    case 15: text = dok + q + f + m + d; break;
    default: text = To(r.iota.view(), 6) + k + f; break;
  }
}

void QslViaKeyTexts(const std::uint8_t* buffer, std::uint16_t key, std::string& text) {
  const auto r = Copy<TQSLViaRec>(buffer);
  if (key == 1) text = To(r.call.view(), 14) + DateKey(r.date) + TimeKey(r.time);
}

void LogNoteKeyTexts(const std::uint8_t* buffer, std::uint16_t key, std::string& text) {
  const auto r = Copy<TLogNoteRec>(buffer);
  const std::string call_date_time = To(r.call.view(), 14) + DateKey(r.date) + TimeKey(r.time);
  if (key == 1) text = common::LongIntToKey(r.number) + call_date_time;
  if (key == 2) text = call_date_time;
}

}  // namespace

int LogbookKeyCount(const TProjectBlock& block, int table) {
  if (block.layout_kind == 9) return kLayout9KeyCount;
  int count = table == 1 ? block.key_count_qso : block.key_count_lb5;
  if (count <= 0 || (table == 1 && count > kMostQsoFileKeys)) count = 1;
  return std::min(count, kMostListedKeys);
}

LogbookKeys ProjectLogbookKeys(const TdbProject& project, int table, bool skip) {
  std::shared_ptr<TdbProject> copy = CopyOfProject(project);
  LogbookKeys keys;
  std::vector<FieldKey> fields;
  if (copy->GetLayoutKind() == 9) {
    Layout9List(*copy, table, skip, keys.list, fields);
  } else {
    FieldKeyList(*copy, table, keys.list, fields);
  }
  keys.builder = ProjectLogbookBuilder(std::move(copy), table != 1, std::move(fields));
  return keys;
}

LogbookKeys AwardLogbookKeys(const TdbProject& current_project) {
  std::shared_ptr<TdbProject> copy = CopyOfProject(current_project);
  const auto f = [&](int kind) { return FieldName(*copy, kind); };
  LogbookKeys keys;
  keys.list.Add(5, false, "autore");
  keys.list.Add(13, true, f(3) + ",QSLc," + f(15) + ",MODEc," + f(1));
  keys.list.Add(13, true, f(3) + ",QSLc,MODEc," + f(15) + "," + f(1));
  keys.builder = AwardBuilder(std::move(copy));
  return keys;
}

LogbookKeys Qso293Keys() {
  LogbookKeys keys;
  keys.list.Add(8, true, "amDatum,amUTCf");
  constexpr int kLengths[] = {22, 18, 16, 1, 16, 4, 8, 8, 4, 4, 13, 13, 18, 15, 8};
  for (int length : kLengths) keys.list.Add(length, length != 22, "");
  keys.builder = Qso293KeyTexts;
  return keys;
}

LogbookKeys QslViaKeys() {
  LogbookKeys keys;
  keys.list.Add(22, false, "qvCall,qvDatum,qvZeit");
  keys.builder = QslViaKeyTexts;
  return keys;
}

LogbookKeys LogNoteKeys() {
  LogbookKeys keys;
  keys.list.Add(27, false, "lnLogB,lnDatum,lnZeit");
  keys.list.Add(22, false, "lnCall,lnDatum,lnZeit");
  keys.builder = LogNoteKeyTexts;
  return keys;
}

}  // namespace logbook
