// The field slot of a content kind and the export column names of a project.
#include <array>
#include <cstring>
#include <utility>

#include "common/cp1252.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/project_database.h"
#include "logbook/settings/setups.h"

namespace logbook {
namespace {

template <std::size_t N>
const char* Lookup(const std::array<std::pair<int, const char*>, N>& table, int kind) {
  for (const auto& [k, text] : table) {
    if (k == kind) return text;
  }
  return nullptr;
}

template <std::size_t N>
int LookupNumber(const std::array<std::pair<int, int>, N>& table, int kind) {
  for (const auto& [k, value] : table) {
    if (k == kind) return value;
  }
  return 0;
}

// Layout kind 5: the fixed map of content kinds to the fields of the 293-byte QSO record.
constexpr auto kLayout5Map = std::to_array<std::pair<int, int>>({
    {1, 2},   {2, 1},   {3, 24},  {4, 29},  {5, 31},  {6, 15},  {7, 18},  {8, 26},
    {9, 25},  {10, 27}, {11, 32}, {12, 22}, {13, 23}, {16, 5},  {18, 4},  {19, 8},
    {20, 21}, {21, 30}, {22, 52}, {28, 3},  {29, 10}, {30, 6},  {31, 7},  {32, 14},
    {33, 16}, {34, 17}, {35, 13}, {36, 9},  {37, 11}, {38, 19}, {40, 12}, {41, 12},
    {42, 20}, {44, 3},  {45, 6},  {46, 46}, {47, 51}, {48, 28}, {49, 50}, {50, 53},
});

// The slot cells of the project block: 32-bit cells, then byte cells (block offsets).
constexpr auto kWordCells = std::to_array<std::pair<int, int>>({
    {1, 2502}, {2, 2357}, {3, 2486}, {6, 2498}, {7, 2490}, {10, 2494}, {12, 2482}, {14, 2361},
    {16, 2361}, {15, 2369}, {17, 2369}, {18, 2365}, {28, 2506}, {44, 2506},
});
constexpr auto kByteCells = std::to_array<std::pair<int, int>>({
    {4, 2562},  {5, 2563},  {8, 2564},  {9, 2565},  {11, 2566}, {13, 2567}, {19, 2783},
    {20, 2784}, {21, 2782}, {23, 2973}, {24, 2971}, {25, 2970}, {26, 2972}, {27, 2974},
    {29, 2949}, {30, 2941}, {31, 2942}, {32, 2955}, {33, 2954}, {34, 2953}, {35, 2943},
    {36, 2944}, {37, 2945}, {38, 2956}, {40, 2947}, {41, 2946}, {42, 2952}, {45, 2951},
    {48, 2950}, {51, 2964}, {52, 2965}, {53, 2966}, {54, 2967}, {55, 2968}, {56, 2969},
    {57, 2996}, {59, 2948}, {60, 2957}, {61, 2958}, {62, 2959}, {63, 2960}, {64, 2961},
    {65, 2962}, {66, 2995}, {69, 2963}, {73, 2997}, {74, 2998}, {75, 2999}, {76, 3000},
    {77, 3001}, {78, 3002}, {79, 3003}, {80, 3004}, {81, 3005}, {82, 3006}, {86, 3007},
});

// Kinds whose field is looked up by name in the field list when the project has no cell for it.
constexpr auto kFieldNames = std::to_array<std::pair<int, const char*>>({
    {12, "QSL_RCVD"}, {13, "QSL_SENT"}, {23, "EXCALL"},  {24, "DIG"},       {25, "AGCW"},
    {26, "MF"},       {27, "CALLCOMMENT"}, {28, "TIME_ON"}, {44, "TIME_ON"}, {29, "COMMENT"},
    {30, "RST_SENT"}, {31, "RST_RCVD"}, {32, "TX_PWR"},  {33, "OWN_ANT"},   {34, "OWN_TRX"},
    {35, "SAT_NAME"}, {36, "QSL_VIA"}, {37, "TIME_OFF"}, {38, "SPECIAL"},   {40, "BAND_RX"},
    {41, "FREQ_RX"},  {42, "OGRIDSQUARE"},
});

int FieldListSlot(const TProjectBlock& block, std::string_view name) {
  for (int k = 1; k <= kFieldListEntries; ++k) {
    if (common::SameTextShort(block.fields[k - 1].name.view(), name)) return k;
  }
  return 0;
}

// The fixed column list of layout kind 5: export name, German caption, width, by slot 1..49.
struct FixedColumn {
  const char* export_name;
  const char* caption;
  int width;
};
constexpr auto kFixedColumns = std::to_array<FixedColumn>({
    {"CALL", "Call", 14},           {"QSO_DATE", "Datum", 8},      {"TIME_ON", "UTC", 8},
    {"FREQ", "Freq1", 12},          {"MODE", "Mode", 6},           {"RST_SENT", "RSTs", 10},
    {"RST_RCVD", "RSTr", 10},       {"NAME", "Name", 20},          {"QSL_VIA", "QSL_VIA", 10},
    {"COMMENT", "Remarks", 25},     {"TIME_OFF", "ZEnde", 8},      {"FREQ_RX", "Freq2", 12},
    {"SAT_NAME", "SAT", 6},         {"TX_PWR", "Pow", 10},         {"GRIDSQUARE", "Loc", 6},
    {"OWN_ANT", "Ant", 10},         {"OWN_TRX", "TRX", 10},        {"DOK", "DOK", 8},
    {"SPECIAL", "Special", 10},     {"OWN_GRIDSQUARE", "EigLoc", 6}, {"QTH", "QTH", 20},
    {"QSL_RCVD", "Qr", 3},          {"QSL_SENT", "Qs", 3},         {"DXCC_PFX", "DXCC", 6},
    {"CNTY", "USCounty", 25},       {"STATE", "USState", 5},       {"IOTA", "IOTA", 6},
    {"RSTWKD", "RSTWKD", 7},        {"CQZ", "CQ", 3},              {"ITUZ", "ITU", 4},
    {"CONT", "Kont", 4},            {"WAE", "WAE", 6},             {"AGCW", "AGCW", 6},
    {"DIG", "DIG", 6},              {"EXCALL", "ExCall", 10},      {"MF", "MF", 4},
    {"CALL_COMMENT", "Call-Bem", 120}, {nullptr, nullptr, 0},      {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},          {nullptr, nullptr, 0},         {nullptr, nullptr, 0},
    {nullptr, nullptr, 0},          {"LOGNOTE", "LOGNOTE", 50},    {"CALLNOTE", "CALLNOTE", 50},
    {"LogCheck", "LogCheck", 6},    {"Band", "Band", 4},           {"Lognote_exists", "Lognotiz vorh.", 14},
    {"Callnote_exists", "Callnotiz vorh.", 15},
});

constexpr auto kExportNames = std::to_array<std::pair<int, const char*>>({
    {1, "QSO_DATE"},  {2, "CALL"},      {3, "DXCC_PFX"},    {4, "CQZ"},        {5, "CONT"},
    {6, "GRIDSQUARE"}, {8, "STATE"},    {9, "CNTY"},        {50, "CNTY"},      {10, "IOTA"},
    {11, "WAE"},      {12, "QSL_RCVD"}, {13, "QSL_SENT"},   {14, "MC"},        {15, "BC"},
    {16, "MODE"},     {18, "FREQ"},     {19, "NAME"},       {20, "QTH"},       {21, "ITUZ"},
    {23, "EXCALL"},   {24, "DIG"},      {25, "AGCW"},       {26, "MF"},        {27, "CALLCOMMENT"},
    {28, "TIME_ON"},  {44, "TIME_ON"},  {29, "COMMENT"},    {30, "RST_SENT"},  {31, "RST_RCVD"},
    {32, "TX_PWR"},   {33, "OWN_ANT"},  {34, "OWN_TRX"},    {35, "SAT_NAME"},  {36, "QSL_VIA"},
    {37, "TIME_OFF"}, {38, "SPECIAL"},  {41, "FREQ_RX"},    {42, "OWN_GRIDSQUARE"}, {45, "WKD"},
    {48, "RSTWKD"},   {57, "CALLNOTIZ"}, {66, "LOGNOTIZ"},  {70, "ENDORSED"},  {71, "CONFIRMED"},
    {72, "NOTCONFIRMED"},
});

constexpr auto kShortNames = std::to_array<std::pair<int, const char*>>({
    {7, "DOK"},   {47, "SEL"},  {60, "L1"}, {61, "L2"}, {62, "L3"}, {63, "L4"}, {64, "L5"},
    {65, "L6"},   {69, "LDK"},  {75, "L7"}, {76, "L8"}, {77, "L9"}, {78, "L10"}, {83, "DatumESC"},
});

constexpr auto kCaptions = std::to_array<std::pair<int, const char*>>({
    {7, "DOK"},       {23, "EXCALL"},     {24, "DIG"},       {25, "AGCW"},       {26, "MF"},
    {27, "Call-Bem"}, {46, "LogCheck"},   {57, "CALLNOTE"},  {58, "CN"},         {67, "LN"},
    {69, "LDK"},      {70, "Eingereicht"}, {71, "Bestätigt"}, {72, "Gesperrt"},
});

// The extra field of a kind: M1..M10 (51..56, 79..82) and L1..L10 (60..65, 75..78); null for
// other kinds.
const ToSetupZusatzfelderRec* ExtraField(int kind) {
  const ToSetupZusatzfelder& z = common::Service<ToSetups>::Get().ZusatzfelderPtr();
  if (kind >= 51 && kind <= 56) return &z.m[kind - 51];
  if (kind >= 79 && kind <= 82) return &z.m[kind - 79 + 6];
  if (kind >= 60 && kind <= 65) return &z.l[kind - 60];
  if (kind >= 75 && kind <= 78) return &z.l[kind - 75 + 6];
  return nullptr;
}

bool IsLetter(char c) { return common::UpperCase(std::string(1, c)) != common::LowerCase(std::string(1, c)); }

bool IsSeparator(char c) { return !IsLetter(c) && !(c >= '0' && c <= '9'); }

}  // namespace

std::string DressColumnName(std::string_view name, int width, unsigned options) {
  if ((options & kColumnPadDots) != 0) return common::PadRightChar(name, width, '.');
  if ((options & kColumnCapitalise) == 0) return std::string(name);
  std::string text = common::LowerCase(name);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == 0 || IsSeparator(text[i - 1])) text[i] = common::UpperCase(text.substr(i, 1))[0];
  }
  return text;
}

std::string FixedColumnName(int slot, unsigned options, bool wkd) {
  if (slot < 1 || slot > 49 || kFixedColumns[static_cast<std::size_t>(slot - 1)].caption == nullptr) {
    return {};
  }
  if (slot == 6 && wkd) return DressColumnName("WKD", 10, options);
  const FixedColumn& c = kFixedColumns[static_cast<std::size_t>(slot - 1)];
  return DressColumnName((options & kColumnExportName) != 0 ? c.export_name : c.caption, c.width,
                         options);
}

std::string KindExportName(int kind, unsigned options) {
  std::string name;
  if (kind == 7 || kind == 69) {
    const ToSetupWeitere& w = common::Service<ToSetups>::Get().WeiterePtr();
    name = (kind == 7 ? w.first_region_short : w.second_region_short).str();
  } else if (const char* n = Lookup(kExportNames, kind)) {
    name = n;
  }
  if ((options & kColumnShortNames) != 0) {
    if (const char* n = Lookup(kShortNames, kind)) name = n;
  }
  return DressColumnName(name, static_cast<int>(name.size()), options);
}

int TdbProject::FieldOfKind(int kind) const {
  const std::uint8_t layout = GetLayoutKind();
  if (layout == 9) return kind;
  if (layout == 5) return LookupNumber(kLayout5Map, kind);
  if (kind < 0 || kind > 86) return 0;
  const TProjectBlock& block = Record().block;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&block);
  int slot = 0;
  if (const int cell = LookupNumber(kWordCells, kind); cell != 0) {
    slot = common::ReadLeInt32(bytes + cell);
  } else if (const int byte_cell = LookupNumber(kByteCells, kind); byte_cell != 0) {
    slot = bytes[byte_cell];
  }
  if (slot < 0 || slot > kFieldListEntries) slot = 0;  // a damaged cell names no field
  if (slot == 0) {
    if (const char* name = Lookup(kFieldNames, kind)) {
      slot = FieldListSlot(block, name);
      if (slot == 0 && kind == 42) slot = FieldListSlot(block, "OWN_GRIDSQU");
    }
  }
  return slot;
}

bool SetSlotCell(TProjectBlock& block, int kind, int slot) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(&block);
  if (slot < 0 || slot > kFieldListEntries) return false;
  if (const int cell = LookupNumber(kWordCells, kind); cell != 0) {
    common::WriteLeInt32(bytes + cell, slot);
    return true;
  }
  if (const int cell = LookupNumber(kByteCells, kind); cell != 0) {
    bytes[cell] = static_cast<std::uint8_t>(slot);
    return true;
  }
  return false;
}

std::string TdbProject::Layout9ColumnName(int kind, unsigned options) {
  if (kind == 17) return "Band";
  if (kind == 28) kind = 44;
  const int slot = SlotOfKindCode(kind);
  const TQSOFieldDescriptor d = GetSlotDescriptor(slot);
  const int width = std::min<int>(d.input_length, 50);
  std::string text;
  if ((options & (kColumnExportName | kColumnShortNames)) != 0) text = KindExportName(kind, options);
  if (text.empty()) {
    if (const char* caption = Lookup(kCaptions, kind)) {
      text = DressColumnName(caption, std::max<int>(width, common::Length(caption)), options);
    } else if (const ToSetupZusatzfelderRec* extra = ExtraField(kind)) {
      text = extra->switches[1] == 0 ? "."
                                     : DressColumnName(common::SetLen(extra->name, 10, true), 10,
                                                       options);
    }
  }
  if (text == ".") return {};
  if (text.empty() && slot > 0 && d.internal == 0) {
    text = DressColumnName(d.short_name.view(), width, options);
  }
  return text;
}

std::string TdbProject::ColumnName(int kind_or_slot, bool is_kind, unsigned options) {
  const std::uint8_t layout = GetLayoutKind();
  if (layout == 9) return Layout9ColumnName(kind_or_slot, options);  // slots are kinds there
  if (layout == 5) {
    if (GetVersionTag() != "PELORIN") return {};
    const int slot = is_kind ? FieldOfKind(kind_or_slot) : kind_or_slot;
    return FixedColumnName(slot, options, Record().list_block[618] != 0);
  }
  const int slot = is_kind ? FieldOfKind(kind_or_slot) : kind_or_slot;
  if (slot < 1 || slot > kFieldListEntries) return {};
  const TFieldListEntry& entry = Record().block.fields[slot - 1];
  return DressColumnName(entry.name.view(), entry.width, options);
}

}  // namespace logbook
