#include "contest/definition_loader.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "common/current_folder.h"

#include "common/number_mask.h"
#include "logbook/reference/bands.h"

namespace contest {
namespace {

using Source = SentSource::Kind;

// What the class case and the conditional values decide besides record fields.
struct Pending {
  SourceTriple sources;  // all by-kind
  std::optional<std::int32_t> shared_room;
};

template <std::size_t N>
void PutTexts(std::array<ContestText, N>& slots, const auto& texts) {
  slots = {};
  for (std::size_t i = 0; i < std::min(N, texts.size()); ++i) slots[i] = texts[i];
}

template <std::size_t N>
void PutLetters(std::array<char, N>& slots, std::string_view letters) {
  slots = {};
  std::copy_n(letters.begin(), std::min(N, letters.size()), slots.begin());
}

void ApplyCase(const CaseValues& v, TContestRec& d, Pending& pending) {
  if (v.DupeKind) d.DupeKind = *v.DupeKind;
  if (v.MultiplierNames) PutTexts(d.MultiplierNames, *v.MultiplierNames);
  if (v.ExchangeKindsRcvd) d.ExchangeKindsRcvd = *v.ExchangeKindsRcvd;
  if (v.ExchangeKindsSent) d.ExchangeKindsSent = *v.ExchangeKindsSent;
  if (v.ExchangeLabels) PutTexts(d.ExchangeLabels, *v.ExchangeLabels);
  if (v.SentDefaults) pending.sources = *v.SentDefaults;
  if (v.Bands) PutLetters(d.Bands, *v.Bands);
  if (v.Modes) PutTexts(d.Modes, *v.Modes);
  if (v.MultiplierKinds) d.MultiplierKinds = *v.MultiplierKinds;
  if (v.SWL) d.SWL = *v.SWL;
  if (v.LabelFlag) d.LabelFlag = *v.LabelFlag;
  if (v.Flag31) d.Flag31 = *v.Flag31;
  if (v.CabrilloOperator) d.CabrilloOperator = *v.CabrilloOperator;
  if (v.CabrilloPower) d.CabrilloPower = *v.CabrilloPower;
  if (v.CabrilloAssisted) d.CabrilloAssisted = *v.CabrilloAssisted;
  if (v.CabrilloMode) d.CabrilloMode = *v.CabrilloMode;
  if (v.CabrilloBand) d.CabrilloBand = *v.CabrilloBand;
  if (v.SharedRoom) pending.shared_room = *v.SharedRoom;
}

// The class row of a class index; nullptr when the index selects none. `of_class` tells whether
// it is the row of a class (not index 0's own).
const CaseValues* SelectRow(const ContestData& c, int index, bool& of_class) {
  of_class = c.index_zero != IndexZero::kOwnRow || index != 0;
  if (index == 0) {
    if (c.index_zero == IndexZero::kNone) return nullptr;
    if (c.index_zero == IndexZero::kOwnRow) return &c.zero_row;
    index = 1;
  }
  if (index > static_cast<int>(c.Classes.size())) return nullptr;
  return &c.Classes[static_cast<std::size_t>(index - 1)].values;
}

// A single band's text, "ALL" for several bands.
std::string CabrilloBandOf(const TContestRec& d, const logbook::ToBaender& bands) {
  const auto count = std::count_if(d.Bands.begin(), d.Bands.end(), [](char c) { return c != 0; });
  if (count == 0) return {};
  if (count > 1) return "ALL";
  return bands.Band2Text(*std::find_if(d.Bands.begin(), d.Bands.end(), [](char c) { return c; }),
                         false);
}

// --- the conditional values of some contest codes ---

enum class When : std::uint8_t {
  kNumberIsMinusOne,
  kNumberIsTwo,
  kNumberAboveZero,
  kOwnDokEmpty,
  kMemberTextSet,
  kFlagSet,  // the catalogue flag at offset 300
};

// A change of one exchange slot, and of SWL.
struct Change {
  int slot = 0;               // 1 to 3; 0 = no slot changes
  int kind = -1;              // the new sent kind; -1 = kept
  bool sets_default = false;  // sets the sent default's source:
  Source source = Source::kEmpty;
  const char* text = "";        // of a kText source
  const char* label = nullptr;  // the new label; nullptr = kept
  int swl = -1;                 // the new SWL; -1 = kept
};

struct Conditional {
  char code;
  When when;
  Change then;
  Change otherwise;
};

// The number field in decimal in `slot` when it is above 0, else `otherwise`.
constexpr Conditional NumberOr(char code, int slot, Change otherwise) {
  return {code, When::kNumberAboveZero,
          Change{.slot = slot, .sets_default = true, .source = Source::kNumber}, otherwise};
}
constexpr Change kEmptyDefault1{.slot = 1, .sets_default = true};
constexpr Change kNoMember1{.slot = 1, .sets_default = true, .source = Source::kText, .text = "NM"};

constexpr Conditional kConditionals[] = {
    {'P',
     When::kNumberIsMinusOne,
     {.slot = 1, .sets_default = true, .source = Source::kText, .text = "XX"},
     {.slot = 1, .sets_default = true, .source = Source::kNumber2}},
    NumberOr('f', 2, {.slot = 2, .sets_default = true}),
    NumberOr('6', 1, kNoMember1),
    NumberOr('7', 1, kEmptyDefault1),
    NumberOr('4', 1, kEmptyDefault1),
    NumberOr('n', 1, kEmptyDefault1),
    NumberOr('w', 3, {.slot = 3, .sets_default = true, .source = Source::kText, .text = "NM"}),
    NumberOr('k', 2, {.slot = 2, .sets_default = true}),
    {'m',
     When::kNumberAboveZero,
     {.slot = 1, .sets_default = true, .source = Source::kNumber5},
     {}},
    {'z', When::kNumberAboveZero, {.slot = 1, .kind = 7, .sets_default = true}, {}},
    {'Y', When::kNumberIsTwo, {.swl = 1}, {.swl = 0}},
    {'C',
     When::kOwnDokEmpty,
     {.slot = 1, .kind = 7, .sets_default = true, .source = Source::kEmpty, .label = "Nr"},
     {}},
    {'Q', When::kOwnDokEmpty, {.slot = 1, .kind = 7, .sets_default = true}, {}},
    {'1', When::kOwnDokEmpty, {.slot = 2, .kind = 0, .sets_default = true}, {}},
    {'W', When::kOwnDokEmpty, kNoMember1, {}},
    {'u', When::kOwnDokEmpty, kNoMember1, {}},
    {'X', When::kOwnDokEmpty, kNoMember1, {}},
    {'t', When::kOwnDokEmpty, kNoMember1, {}},
    {'p', When::kMemberTextSet, {.slot = 1, .kind = 19}, {}},
    {'Z',
     When::kFlagSet,
     {.slot = 2, .sets_default = true, .source = Source::kText, .text = "IPA"},
     {}},
};

std::int32_t NumberField(const TContestKKRec& k) {
  return static_cast<std::int32_t>(k.OperatorNumber.get());
}

bool Holds(When when, const TContestKKRec& k) {
  switch (when) {
    case When::kNumberIsMinusOne:
      return NumberField(k) == -1;
    case When::kNumberIsTwo:
      return NumberField(k) == 2;
    case When::kNumberAboveZero:
      return NumberField(k) > 0;
    case When::kOwnDokEmpty:
      return k.OwnDOK.empty();
    case When::kMemberTextSet:
      return !k.MemberText.empty();
    case When::kFlagSet:
      return k.MultiplierFlag != 0;
  }
  return false;
}

void ApplyChange(const Change& change, TContestRec& d, Pending& pending) {
  if (change.swl >= 0) d.SWL = static_cast<std::uint8_t>(change.swl);
  if (change.slot < 1) return;
  const auto i = static_cast<std::size_t>(change.slot - 1);
  if (change.kind >= 0) d.ExchangeKindsSent[i] = change.kind;
  if (change.label != nullptr) d.ExchangeLabels[i] = change.label;
  if (change.sets_default) pending.sources[i] = SentSource{change.source, change.text};
}

void ApplyConditionals(char code, const TContestKKRec& k, TContestRec& d, Pending& pending) {
  for (const Conditional& c : kConditionals) {
    if (c.code == code) ApplyChange(Holds(c.when, k) ? c.then : c.otherwise, d, pending);
  }
}

// --- sent defaults ---

Source ByKind(std::int32_t kind) {
  switch (kind) {
    case 4:
      return Source::kOwnDok;
    case 5:
      return Source::kOwnLocator4;
    case 6:
      return Source::kOwnLocator;
    case 15:
      return Source::kExchangeText;
    case 19:
      return Source::kMemberText;
    case 20:
      return Source::kOwnName;
    default:
      return Source::kEmpty;
  }
}

std::string FirstWord(const std::string& name) { return name.substr(0, name.find(' ')); }

std::string Resolve(const SentSource& source, std::int32_t kind, const LoadContext& context,
                    const ContestData& c, const TContestKKRec& k) {
  const std::int32_t number = NumberField(k);
  switch (source.kind == Source::kByKind ? ByKind(kind) : source.kind) {
    case Source::kByKind:
    case Source::kEmpty:
      return {};
    case Source::kText:
      return source.text;
    case Source::kOwnDok:
      return k.OwnDOK.str();
    case Source::kExchangeText:
      return k.OwnPostalCode.str();
    case Source::kOwnLocator:
      return context.own_locator;
    case Source::kOwnLocator4:
      return context.own_locator.substr(0, 4);
    case Source::kOwnName:
      return FirstWord(context.own_name);
    case Source::kOwnNameAge:
      return FirstWord(context.own_name) + (number > 0 ? "/" + std::to_string(number) : "");
    case Source::kNumber:
      return std::to_string(number);
    case Source::kNumber2:
      return common::IntToStrAt(number, 2);
    case Source::kNumber5:
      return common::IntToStrAt(number, 5);
    case Source::kMemberText:
      return k.MemberText.str();
    case Source::kStationFile:
      return StationFileLine(context.station_folder + c.StationFile +
                             common::IntToStrMask(k.Nummer, 6) + ".STN");
  }
  return {};
}

void FillLists(const ContestData& c, TContestRec& d) {
  for (std::size_t i = 0; i < std::min<std::size_t>(kClassSlots, c.Classes.size()); ++i) {
    d.Classes[i].ClassName = c.Classes[i].ClassName;
    d.Classes[i].ClassText = c.Classes[i].ClassText;
    d.Classes[i].ClassSection = c.Classes[i].ClassSection;
  }
  for (std::size_t i = 0; i < std::min<std::size_t>(kPeriodSlots, c.Periods.size()); ++i) {
    const PeriodRow& p = c.Periods[i];
    d.Periods[i].PeriodDate = p.date;
    d.Periods[i].PeriodTimeFrom = p.from;
    d.Periods[i].PeriodTimeTo = p.to;
    PutLetters(d.Periods[i].PeriodBands, p.bands);
  }
  PutTexts(d.BonusCalls, c.BonusCalls);
  PutTexts(d.ValidDoks, c.ValidDoks);
  PutLetters(d.ValidDistricts, c.ValidDistricts);
  PutTexts(d.AreaDoks, c.AreaDoks);
  PutLetters(d.AreaDistricts, c.AreaDistricts);
}

std::string DateText(const std::string& date, const LoadContext& context) {
  return date == "today" ? context.today : date;
}

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsGermanStation(const TContestKKRec& catalogue, GermanTest test) {
  const std::string_view call = catalogue.OwnCall.view();
  if (call.size() >= 2 && call[0] == 'D' &&
      ((call[1] >= 'A' && call[1] <= 'H') || (call[1] >= 'J' && call[1] <= 'R'))) {
    return true;
  }
  const std::string_view dok = catalogue.OwnDOK.view();
  return test == GermanTest::kCallOrDok && dok.size() == 3 && IsLetter(dok[0]) && IsDigit(dok[1]) &&
         IsDigit(dok[2]);
}

std::string StationFileLine(const std::string& path) {
  std::ifstream in(common::OsPath(path), std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line.substr(0, 12);
}

void FillContestDefinition(const LoadContext& context, char code, TContestKKRec& catalogue,
                           TContestRec& d) {
  d = TContestRec{};
  d.UtcOffsetHours = context.utc_offset_hours;
  for (int item = 1; item <= 7; ++item) d.OutputMenu.set(static_cast<std::size_t>(item));
  const ContestData* c = context.set == nullptr ? nullptr : context.set->Find(code);
  if (c == nullptr) return;

  d.EditionName = c->EditionName;
  d.HelpContext = c->HelpContext;
  d.VersionText = c->VersionText;
  d.VersionNotice = c->VersionText + context.set->Program().Notice;
  d.CabrilloContest = c->CabrilloContest;
  d.DateFrom = DateText(c->DateFrom, context);
  d.DateTo = DateText(c->DateTo, context);
  d.TimeFrom = c->TimeFrom;
  d.TimeTo = c->TimeTo;
  d.Title = c->TitleYear ? c->Title + context.log_year : c->Title;

  FillLists(*c, d);
  if (c->OutputMenu) d.OutputMenu = *c->OutputMenu;
  d.OutputMenu2 = c->OutputMenu2;
  d.Flag30 = c->Flag30;
  d.Flag34 = c->Flag34;
  d.Flag35 = c->Flag35;
  d.Flag36 = c->Flag36;
  d.FilterText = c->FilterText;
  d.FilterText2 = c->FilterText2;
  d.SentText2 = Resolve(c->SentText2, 0, context, *c, catalogue);
  if (c->CatalogueSwitch) catalogue.LoaderSwitch = 255;

  Pending pending;
  ApplyCase(c->values, d, pending);
  const bool foreign =
      c->Foreign && catalogue.OwnCall.size() > 1 && !IsGermanStation(catalogue, c->Foreign->test);
  if (foreign) {
    CaseValues values = c->Foreign->values;
    values.SentDefaults.reset();
    ApplyCase(values, d, pending);
  }
  bool of_class = false;
  if (const CaseValues* row = SelectRow(*c, catalogue.ClassIndex, of_class)) {
    ApplyCase(*row, d, pending);
    if (of_class && d.CabrilloBand.empty() && context.bands != nullptr) {
      d.CabrilloBand = CabrilloBandOf(d, *context.bands);
    }
  }
  ApplyConditionals(code, catalogue, d, pending);
  if (foreign && c->Foreign->values.SentDefaults)
    pending.sources = *c->Foreign->values.SentDefaults;

  for (std::size_t i = 0; i < d.SentDefaults.size(); ++i) {
    d.SentDefaults[i] = Resolve(pending.sources[i], d.ExchangeKindsSent[i], context, *c, catalogue);
  }
  if (pending.shared_room) {
    const auto room = std::max<std::int32_t>(
        0, *pending.shared_room - static_cast<std::int32_t>(d.SentDefaults[1].size()));
    d.SentDefaults[0] = d.SentDefaults[0].view().substr(0, static_cast<std::size_t>(room));
  }
}

}  // namespace contest
