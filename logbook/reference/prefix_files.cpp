#include "logbook/reference/prefix_files.h"

#include <cstddef>
#include <cstring>

#include "common/key_text.h"
#include "common/string_helpers.h"
#include "logbook/reference/prefix_cursor.h"
#include "storage/tables/table_keys.h"

namespace logbook {
namespace {

constexpr int kKinds[] = {kPrefixMain, kPrefixLearnt, kPrefixExact};

int SlotOf(int kind) {
  switch (kind) {
    case kPrefixMain:
      return 0;
    case kPrefixLearnt:
      return 1;
    case kPrefixExact:
      return 2;
    default:
      return -1;
  }
}

TPrefixRec RecordAt(const std::uint8_t* bytes) {
  TPrefixRec r;
  std::memcpy(&r, bytes, sizeof r);
  return r;
}

std::string Padded(std::string_view text, int width) { return common::SetLen(text, width, true); }

// The character that orders key 10: selected entries last, then by the sel character's half.
char SelClass(char sel) {
  if (sel == '*') return 2;
  return static_cast<unsigned char>(sel) < 'J' ? 0 : 1;
}

// Keys 1 to 12, alike in all three tables but for the field of key 8.
void CommonKeys(const TPrefixRec& r, std::uint16_t key, std::string_view key8_field,
                std::string& text) {
  const std::string prefix = Padded(r.prefix.view(), 6);
  switch (key) {
    case kKeyPrefix:
      text = prefix;
      break;
    case kKeyDxccPrefix:
      text = Padded(r.dxcc.view(), 6) + prefix;
      break;
    case kKeyPrefixMenue:
      text = prefix + Padded(r.menue.view(), 3);
      break;
    case kKeyWaz:
      text = Padded(r.waz.view(), 2) + prefix;
      break;
    case kKeyItu:
      text = Padded(r.itu.view(), 2) + prefix;
      break;
    case kKeyContinent:
      text = Padded(r.continent.view(), 2) + prefix;
      break;
    case kKeyCountry:
      text = Padded(r.country.view(), 30) + prefix;
      break;
    case kKeyBureau:
      text = Padded(key8_field, 8) + prefix;
      break;
    case kKeyWae:
      text = Padded(r.wae.view(), 6);
      break;
    case kKeySelClass:
      text = std::string(1, SelClass(r.sel)) + prefix;
      break;
    case kKeyWiePref:
      text = Padded(r.wie_pref.view(), 6);
      break;
    case kKeyDxcc2:
      text = Padded(r.dxcc2.view(), 6);
      break;
    default:
      break;
  }
}

struct TableSpec {
  int kind;
  storage::DriverKeyBuilder key_builder;
  storage::ToKeys keys;
  int autokey;
};

// The key definitions; the expressions name the fields each key builder puts in.
TableSpec SpecOf(int kind) {
  TableSpec spec{kind,
                 kind == kPrefixMain ? ToDatPrefix::MainKeys : ToDatPrefix::CallKeys,
                 {},
                 kind == kPrefixMain ? kKeyMainAutore : kKeyCallAutore};
  storage::ToKeys& k = spec.keys;
  const std::string p = kind == kPrefixMain ? "Prefix" : "Prefix1";
  k.Add(6, true, p);
  k.Add(12, true, "DXCC," + p);
  k.Add(9, true, p + ",Menue");
  k.Add(8, true, "WAZ," + p);
  k.Add(8, true, "ITU," + p);
  k.Add(8, true, "Continent," + p);
  k.Add(36, true, "Country," + p);
  k.Add(14, true, (kind == kPrefixMain ? "QSLBureau," : "PrefixZus,") + p);
  k.Add(13, true, "WAE");
  k.Add(7, true, "u," + p);
  k.Add(6, true, "wiePref");
  k.Add(6, true, "DXCC2");
  if (kind == kPrefixMain) {
    k.Add(5, true, "ADIFNr");
    k.Add(7, true, "sel,DXCC");
    k.Add(5, true, "autore AUTOKEY");
  } else {
    k.Add(14, false, "Prefix1,PrefixZus");
    k.Add(5, kind == kPrefixLearnt, "autore AUTOKEY");
  }
  return spec;
}

}  // namespace

ToDatPrefix::ToDatPrefix() : place_(std::make_unique<SelectionWindowPlace>()) {}

ToDatPrefix::~ToDatPrefix() = default;

std::string ToDatPrefix::FileName(int kind) {
  switch (kind) {
    case kPrefixMain:
      return "PXPREFIX";
    case kPrefixLearnt:
      return "PXPREFEE";
    case kPrefixExact:
      return "PXPREFES";
    default:
      return {};
  }
}

unsigned ToDatPrefix::BitOf(int kind) {
  switch (kind) {
    case kPrefixMain:
      return kBitMain;
    case kPrefixLearnt:
      return kBitLearnt;
    case kPrefixExact:
      return kBitExact;
    default:
      return 0;
  }
}

void ToDatPrefix::MainKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  const TPrefixRec r = RecordAt(record);
  switch (key) {
    case kKeyAdif:
      text = common::LongIntToKey(r.adif_nr);
      break;
    case kKeySelDxcc:
      text = std::string(1, r.sel) + Padded(r.dxcc.view(), 6);
      break;
    case kKeyMainAutore:
      text = common::LongIntToKey(r.autore);
      break;
    default:
      CommonKeys(r, key, r.qsl_bureau.view(), text);
  }
}

void ToDatPrefix::CallKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  const TPrefixRec r = RecordAt(record);
  switch (key) {
    case kKeyWholeCall:
      text = Padded(r.prefix.view(), 6) + Padded(r.qsl_bureau.view(), 8);
      break;
    case kKeyCallAutore:
      text = common::LongIntToKey(r.autore);
      break;
    default:
      CommonKeys(r, key, r.qsl_bureau.view(), text);
  }
}

bool ToDatPrefix::OpenFiles(unsigned bits, bool skip, storage::TdbTreiber* /*unused*/) {
  for (const int kind : kKinds) {
    if ((bits & BitOf(kind)) == 0) continue;
    const TableSpec spec = SpecOf(kind);
    storage::TreiberOpenParams p;
    p.skip = skip;
    p.max_length = p.min_length = sizeof(TPrefixRec);
    p.file_name = p.path = FileName(kind);  // in the data folder
    p.key_count = spec.keys.Count();
    p.key_builder = spec.key_builder;
    p.open_mode = 1;  // shared with the other users of the program
    p.keys = &spec.keys;
    const int result =
        OpenTable(slots_[SlotOf(kind)], p,
                  AutoKeyField{spec.autokey, static_cast<int>(offsetof(TPrefixRec, autore))});
    if (result == storage::TdbTreiber::kNotOpened) return false;
    if (result == storage::TdbTreiber::kOpened) RenameOutdated(kind, skip);
  }
  return true;
}

void ToDatPrefix::CloseFiles(unsigned bits, bool update, bool skip) {
  if (update) {
    RenameOutdated(kPrefixLearnt, skip);
    RenameOutdated(kPrefixExact, skip);
  }
  for (const int kind : kKinds) {
    if ((bits & BitOf(kind)) != 0) CloseTable(slots_[SlotOf(kind)], skip, false);
  }
}

bool ToDatPrefix::IsOpen(int kind) const {
  const int slot = SlotOf(kind);
  return slot >= 0 && slots_[slot] != nullptr && slots_[slot]->IsOpen(false);
}

storage::TdbTreiber* ToDatPrefix::Treiber(int kind) const {
  if (!IsOpen(kind) || !storage::TdbTreiber::DriverSystemReady(false)) return nullptr;
  return slots_[SlotOf(kind)].get();
}

void ToDatPrefix::RenameOutdated(int kind, bool skip) {
  if (skip || renaming_ || kind == kPrefixMain || !IsOpen(kind)) return;
  renaming_ = true;
  struct Release {
    bool& flag;
    ~Release() { flag = false; }
  } release{renaming_};
  TdbPrefix cursor(kind);
  renamed_records_ += cursor.RenameOutdatedPrefixes();
}

std::unique_ptr<DxccSelectionPort> ToDatPrefix::SetSelectionPort(
    std::unique_ptr<DxccSelectionPort> port) {
  std::swap(port, port_);
  return port;
}

void ToDatPrefix::SetWindowPlace(std::unique_ptr<SelectionWindowPlace> place) {
  place_ = place != nullptr ? std::move(place) : std::make_unique<SelectionWindowPlace>();
}

}  // namespace logbook
