#include "logbook/setupfiles/settings_codec.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "common/grafik.h"
#include "common/lang_text.h"
#include "common/le_int.h"
#include "common/local_clock.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_files.h"

namespace logbook {
namespace {

using common::ToGrafik;
using Bytes = std::span<std::uint8_t>;
using ConstBytes = std::span<const std::uint8_t>;

constexpr TColor kFormColour = 0x02CF9F7F;
constexpr TColor kOldFormColour = 0x02CD9E87;  // an earlier default, read as today's
constexpr std::string_view kStatusLetters = "JjYyV";
constexpr int kModeSlots = 30;
constexpr int kModeSlotOffset = 6894;
constexpr int kModeSlotSize = 13;

// --- texts and numbers in the record bytes ---

// A stored text read within its field: a length byte above the capacity reads as the capacity.
std::string_view StoredText(ConstBytes field) {
  const std::size_t capacity = field.size() - 1;
  const std::size_t length = std::min<std::size_t>(field[0], capacity);
  return {reinterpret_cast<const char*>(field.data()) + 1, length};
}

// Writes the text cut to the field's capacity, with zero bytes after it.
void StoreText(Bytes field, std::string_view text) {
  const std::size_t length = std::min(text.size(), field.size() - 1);
  field[0] = static_cast<std::uint8_t>(length);
  std::copy_n(text.begin(), length, field.begin() + 1);
  std::fill(field.begin() + 1 + static_cast<std::ptrdiff_t>(length), field.end(), 0);
}

std::uint32_t Read32(ConstBytes field) { return common::ReadLe<std::uint32_t>(field.data()); }
void Write32(Bytes field, std::uint32_t value) { common::WriteLe(field.data(), value); }

// --- settings through their references ---

std::uint8_t& ByteOf(const SettingRef& ref) { return *std::get<std::uint8_t*>(ref); }

std::uint32_t NumberOf(const SettingRef& ref) {
  if (const auto* p = std::get_if<std::int32_t*>(&ref)) return static_cast<std::uint32_t>(**p);
  return *std::get<std::uint32_t*>(ref);
}
void SetNumber(const SettingRef& ref, std::uint32_t value) {
  if (const auto* p = std::get_if<std::int32_t*>(&ref)) {
    **p = static_cast<std::int32_t>(value);
  } else {
    *std::get<std::uint32_t*>(ref) = value;
  }
}

std::string_view TextOf(const SettingRef& ref) {
  if (const auto* p = std::get_if<std::string*>(&ref)) return **p;
  const TextRef& t = std::get<TextRef>(ref);
  return StoredText(ConstBytes(t.bytes, t.capacity + 1));
}
void SetText(const SettingRef& ref, std::string_view text) {
  if (const auto* p = std::get_if<std::string*>(&ref)) {
    (*p)->assign(text);
  } else {
    const TextRef& t = std::get<TextRef>(ref);
    StoreText(Bytes(t.bytes, t.capacity + 1), text);
  }
}

// --- the generic rows ---

struct LoadConditions {
  bool colours = false;
  bool list_colours = false;
  bool qsl = false;
};

bool AnyNonZero(ConstBytes record, std::initializer_list<int> offsets) {
  return std::any_of(offsets.begin(), offsets.end(),
                     [&](int at) { return Read32(record.subspan(at, 4)) != 0; });
}

bool Generic(const Place& p) {
  return p.rule != Rule::kSpecial && p.rule != Rule::kRecordNumber && p.setting != nullptr;
}

bool LoadWanted(const Place& p, ConstBytes field, const LoadConditions& c) {
  switch (p.when) {
    case When::kColours:
      return c.colours;
    case When::kListColours:
      return c.list_colours;
    case When::kQsl:
      return c.qsl;
    case When::kQslNonZero:
      return c.qsl && Read32(field) != 0;
    case When::kFirstByte:
    case When::kNonEmpty:
    case When::kWhenSet:
      return field[0] != 0;
    case When::kPositive:
      return static_cast<std::int32_t>(Read32(field)) > 0;
    default:
      return true;
  }
}

void LoadEntry(const Place& p, ConstBytes field, const SettingRef& ref) {
  const std::uint8_t b = field[0];
  switch (p.rule) {
    case Rule::kText:
      SetText(ref, StoredText(field));
      break;
    case Rule::kTruth:
      ByteOf(ref) = b != 0 ? 1 : 0;
      break;
    case Rule::kInverted:
      ByteOf(ref) = b == 0 ? 1 : 0;
      break;
    case Rule::kInverted255:
      ByteOf(ref) = b == 0 ? 255 : 0;
      break;
    case Rule::kVariant:
      ByteOf(ref) = b == 1 ? 0 : 1;
      break;
    case Rule::kByte:
      ByteOf(ref) = b;
      break;
    case Rule::kByteOr:
      ByteOf(ref) = b == 0 ? p.fallback : b;
      break;
    case Rule::kLetterOr:
      ByteOf(ref) = b == 0 || b == ' ' ? p.fallback : b;
      break;
    case Rule::kByteNumber:
      SetNumber(ref, b);
      break;
    case Rule::kNumber:
      SetNumber(ref, Read32(field));
      break;
    case Rule::kColour:
      SetNumber(ref, ToGrafik::MapFarbe(Read32(field)));
      break;
    case Rule::kUInt16:
      SetNumber(ref, common::ReadLe<std::uint16_t>(field.data()));
      break;
    case Rule::kInt16:
      SetNumber(ref, static_cast<std::uint32_t>(
                         static_cast<std::int32_t>(common::ReadLe<std::int16_t>(field.data()))));
      break;
    case Rule::kBlock: {
      const Bytes block = std::get<Bytes>(ref);
      std::copy_n(field.begin(), std::min(field.size(), block.size()), block.begin());
      break;
    }
    default:
      break;
  }
}

bool SaveWanted(const Place& p, const SettingRef& ref, const SettingsImage& s, bool flag) {
  switch (p.when) {
    case When::kWhenSet:
      return p.rule == Rule::kText ? !TextOf(ref).empty() : NumberOf(ref) != 0;
    case When::kPopupClear:
      return s.layout.popup_menu_switch == 0;
    case When::kFlagClear:
      return !flag;
    default:
      return true;
  }
}

void SaveEntry(const Place& p, Bytes field, const SettingRef& ref) {
  switch (p.rule) {
    case Rule::kText:
      StoreText(field, TextOf(ref));
      break;
    case Rule::kTruth:
      field[0] = ByteOf(ref) != 0 ? 255 : 0;
      break;
    case Rule::kInverted:
    case Rule::kInverted255:
      field[0] = ByteOf(ref) == 0 ? 255 : 0;
      break;
    case Rule::kVariant:
      field[0] = ByteOf(ref) == 0 ? 1 : 0;
      break;
    case Rule::kByte:
    case Rule::kByteOr:
    case Rule::kLetterOr:
      field[0] = ByteOf(ref);
      break;
    case Rule::kByteNumber:
      field[0] = static_cast<std::uint8_t>(NumberOf(ref));
      break;
    case Rule::kNumber:
      Write32(field, NumberOf(ref));
      break;
    case Rule::kColour:
      Write32(field, ToGrafik::MapFarbe2(NumberOf(ref)));
      break;
    case Rule::kUInt16:
    case Rule::kInt16:
      common::WriteLe(field.data(), static_cast<std::uint16_t>(NumberOf(ref)));
      break;
    case Rule::kBlock: {
      const Bytes block = std::get<Bytes>(ref);
      std::copy_n(block.begin(), std::min(field.size(), block.size()), field.begin());
      break;
    }
    default:
      break;
  }
}

void LoadRows(std::span<const Place> places, ConstBytes record, const LoadConditions& c,
              SettingsImage& s) {
  for (const Place& p : places) {
    if (!Generic(p) || p.way == Way::kSaveOnly) continue;
    for (int i = 0; i < p.count; ++i) {
      const ConstBytes field = record.subspan(p.EntryOffset(i), p.size);
      if (LoadWanted(p, field, c)) LoadEntry(p, field, p.setting(s, i));
    }
  }
}

// The rows reach the settings through references into `s`; the save only reads through them.
void SaveRows(std::span<const Place> places, Bytes record, SettingsImage& s, bool flag) {
  for (const Place& p : places) {
    if (p.way == Way::kLoadOnly) continue;
    for (int i = 0; i < p.count; ++i) {
      const Bytes field = record.subspan(p.EntryOffset(i), p.size);
      if (p.rule == Rule::kConstant) {
        std::fill(field.begin(), field.end(), p.fallback);
        continue;
      }
      if (!Generic(p)) continue;
      const SettingRef ref = p.setting(s, i);
      if (SaveWanted(p, ref, s, flag)) SaveEntry(p, field, ref);
    }
  }
}

// --- the rules with steps of their own ---

void ColourRule(ConstBytes pxsetup, bool colours, SettingsImage& s) {
  s.layout.form_colour = ToGrafik::MapFarbe(kFormColour);
  if (colours) {
    if (s.grid.GridAltRowColor == 0) s.grid.GridAltRowColor = ToGrafik::MapFarbe(s.grid.GridColor);
    if (s.layout.side_bar_colour != 0) {
      const int source = s.layout.layout_variant_switch == 0 ? 2741 : 3519;
      TColor form = ToGrafik::MapFarbe(Read32(pxsetup.subspan(source, 4)));
      if (form == 0 || form == ToGrafik::MapFarbe(kOldFormColour)) {
        form = ToGrafik::MapFarbe(kFormColour);
      }
      s.layout.form_colour = form;
      s.layout.side_bar_colour = ToGrafik::MapFarbe(Read32(pxsetup.subspan(2745, 4)));
    }
  }
  s.grid.GridHeaderColor = s.layout.panel_colour;
  s.grid.GridHighlightColor = ToGrafik::FarbeAbstufen(s.layout.panel_colour, 30);
}

// "JjYyV" and every letter of letter group 1 it does not hold yet, in order.
std::string StatusLetters(const std::array<char, 5>& group1) {
  std::string letters(kStatusLetters);
  for (const char c : group1) {
    if (c != 0 && letters.find(c) == std::string::npos) letters += c;
  }
  return letters;
}

ConstBytes ModeSlot(ConstBytes pxsetup2, int slot) {
  return pxsetup2.subspan(kModeSlotOffset + slot * kModeSlotSize, kModeSlotSize);
}

}  // namespace

void UnpackSettings(const PxSetupRecord& pxsetup, const PxSetup2Record& pxsetup2,
                    SettingsImage& s) {
  const ConstBytes r0(pxsetup);
  const ConstBytes r1(pxsetup2);
  LoadConditions c;
  c.colours = AnyNonZero(r0, {703, 707, 711, 715, 719});
  c.list_colours = AnyNonZero(r1, {2666, 2670, 2674});
  c.qsl = r1[34183] != 0;
  LoadRows(PxSetupPlaces(), r0, c, s);
  LoadRows(PxSetup2Places(), r1, c, s);

  if (s.use_system_offset != 0) s.utc_hour_offset = common::UtcBiasMinutes() / 60;
  s.form_scaling = r1[35166] == 0 && r1[34182] == 0 ? 1 : r1[35166];
  ColourRule(r0, c.colours, s);
  s.layout.day_byte = common::ReadLeInt32(&r0[3416]) == common::Today() ? r0[3415] : 255;
  if (s.layout.popup_menu_switch != 0) s.flags[6] = 0;
  if (c.qsl) s.qsl.status_letters = StatusLetters(s.qsl.letter_groups[0]);
  s.mode_list.clear();
  for (int slot = 0; slot < kModeSlots; ++slot) {
    const std::string_view mode = StoredText(ModeSlot(r1, slot));
    if (!mode.empty() &&
        std::find(s.mode_list.begin(), s.mode_list.end(), mode) == s.mode_list.end()) {
      s.mode_list.emplace_back(mode);
    }
  }
  if (s.language >= 2) s.language = common::kLanguageGerman;
}

void PackSettings(const SettingsImage& image, PxSetupRecord& pxsetup, PxSetup2Record& pxsetup2,
                  bool keep_variant_byte) {
  SettingsImage s = image;
  const Bytes r0(pxsetup);
  const Bytes r1(pxsetup2);
  SaveRows(PxSetupPlaces(), r0, s, keep_variant_byte);
  SaveRows(PxSetup2Places(), r1, s, keep_variant_byte);

  Write32(r0.subspan(2745, 4), ToGrafik::MapFarbe2(s.layout.side_bar_colour));
  r0[3415] = s.layout.day_byte;
  common::WriteLeInt32(&r0[3416], common::Today());
  r1[35166] = s.form_scaling;
  const Bytes slots = r1.subspan(kModeSlotOffset, kModeSlots * kModeSlotSize);
  std::fill(slots.begin(), slots.end(), 0);
  const int count = std::min<int>(static_cast<int>(s.mode_list.size()), kModeSlots);
  for (int slot = 0; slot < count; ++slot) {
    StoreText(slots.subspan(slot * kModeSlotSize, kModeSlotSize), s.mode_list[slot]);
  }
}

void SetRegionCaptions(std::string_view own_country, ToSetupWeitere& w) {
  struct Captions {
    std::string_view country, first_short, first_long, second_short, second_long;
  };
  static constexpr Captions kCaptions[] = {
      {"DL", "DOK", "DOK/Gebiet1", "LDK", "LDK/Gebiet2"},
      {"OE", "ADL", "ADL/Gebiet1", "Gebiet2", "Gebiet2"},
      {"HB9", "Kanton", "Kanton/Gebiet1", "Gebiet2", "Gebiet2"},
      // The system's DXCC table (and so the prefix database) names Switzerland "HB".
      {"HB", "Kanton", "Kanton/Gebiet1", "Gebiet2", "Gebiet2"},
  };
  Captions c{"", "Gebiet1", "Gebiet1", "Gebiet2", "Gebiet2"};
  for (const Captions& known : kCaptions) {
    if (known.country == own_country) c = known;
  }
  w.first_region_short = c.first_short;
  w.first_region_long = c.first_long;
  w.second_region_short = c.second_short;
  w.second_region_long = c.second_long;
}

void ResolveOwnCountry(SettingsImage& s) {
  const std::string call = common::Trim(s.own_call.view());
  // An empty call names no country; the lookup would only open the prefix table for nothing.
  if (!call.empty() && common::Service<ToDatPrefix>::Exists()) {
    ToPrefix& analysis = common::Service<ToPrefix>::Get();
    struct Restore {
      ToPrefix& analysis;
      std::uint8_t flag;
      ~Restore() { analysis.SetInteractive(flag); }
    } restore{analysis, analysis.Interactive()};
    analysis.SetInteractive(0);
    TdbPrefix cursor(kPrefixMain);
    if (cursor.ResolveCall(call, 0) == ResolveResult::kResolved) s.own_country = cursor.GetDXCC();
  }
  SetRegionCaptions(s.own_country.view(), s.weitere);
}

void SettingsFromSetup(const PxSetupRecord& pxsetup, const PxSetup2Record& pxsetup2) {
  SettingsImage image = CaptureSettings();
  UnpackSettings(pxsetup, pxsetup2, image);
  ResolveOwnCountry(image);
  ApplySettings(image);
}

void SettingsToSetup(PxSetupRecord& pxsetup, PxSetup2Record& pxsetup2, bool keep_variant_byte) {
  PackSettings(CaptureSettings(), pxsetup, pxsetup2, keep_variant_byte);
}

}  // namespace logbook
