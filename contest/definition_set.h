// The contest definition set: what the loader knows of each contest code, read from TOML.
//
// The set is data, not code: resources/contests.toml (its schema is documented at its head) is
// built into the program and parsed at the first load; a "contests.toml" in the data folder
// replaces built-in values per code and field. Every text is held as Windows-1252 bytes.
//
// Parsing never throws and never stops at a bad value: each problem (syntax, unknown key, wrong
// shape, value out of range, character outside Windows-1252) is reported with file, line and
// reason, and the value concerned keeps what it had (nothing, for the built-in file). A syntax
// error makes the whole file unusable, since nothing after it can be read.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_definition.h"

namespace contest {

// Where a sent default comes from.
struct SentSource {
  enum class Kind : std::uint8_t {
    kByKind,        // follows the sent exchange kind of its slot (see the schema)
    kEmpty,         // no default
    kText,          // the fixed text
    kOwnDok,        // the log's own DOK
    kExchangeText,  // the log's exchange text (catalogue offset 294)
    kOwnLocator,    // the own locator of the settings
    kOwnLocator4,   // its first 4 characters
    kOwnName,       // the own name of the settings up to its first blank
    kOwnNameAge,    // the same + "/" + the number field when that is above 0
    kNumber,        // the number field (catalogue offset 158) in decimal
    kNumber2,       // through two '@' places
    kNumber5,       // through five '@' places
    kMemberText,    // the member-number text (catalogue offset 183)
    kStationFile,   // line 1 of the contest's station file, 12 characters
  };
  Kind kind = Kind::kByKind;
  std::string text;  // kText only

  friend bool operator==(const SentSource&, const SentSource&) = default;
};

using Triple = std::array<std::string, kExchangeSlots>;
using KindTriple = std::array<std::int32_t, kExchangeSlots>;
using SourceTriple = std::array<SentSource, kExchangeSlots>;

// The record fields a contest sets for all its classes and a class row sets for itself; a class
// row's value replaces the contest's. Unset fields leave the record as it was.
struct CaseValues {
  std::optional<std::uint8_t> DupeKind;
  std::optional<Triple> MultiplierNames;
  std::optional<KindTriple> ExchangeKindsRcvd;
  std::optional<KindTriple> ExchangeKindsSent;
  std::optional<Triple> ExchangeLabels;
  std::optional<SourceTriple> SentDefaults;
  std::optional<std::string> Bands;  // one band code a slot, '\0' for an empty slot
  std::optional<std::vector<std::string>> Modes;
  std::optional<ContestSet> MultiplierKinds;
  std::optional<std::uint8_t> SWL;
  std::optional<std::uint8_t> LabelFlag;
  std::optional<std::uint8_t> Flag31;
  std::optional<std::string> CabrilloOperator;
  std::optional<std::string> CabrilloPower;
  std::optional<std::string> CabrilloAssisted;
  std::optional<std::string> CabrilloMode;
  std::optional<std::string> CabrilloBand;
  // Characters that sent defaults 1 and 2 share: default 1 is cut to this minus the length of
  // default 2.
  std::optional<std::int32_t> SharedRoom;

  friend bool operator==(const CaseValues&, const CaseValues&) = default;
};

struct ClassRow {
  std::string ClassName;
  std::string ClassText;
  std::uint8_t ClassSection = 0;
  CaseValues values;

  friend bool operator==(const ClassRow&, const ClassRow&) = default;
};

struct PeriodRow {
  std::string date;  // "dd.mm.yyyy"
  std::string from;  // "hh:mm:ss"
  std::string to;
  std::string bands;

  friend bool operator==(const PeriodRow&, const PeriodRow&) = default;
};

// Club or special-event station calls a rule of the contest names; `count` is the number its
// rules name, `calls` those supplied so far.
struct ListedCalls {
  std::int32_t count = 0;
  std::vector<std::string> calls;

  friend bool operator==(const ListedCalls&, const ListedCalls&) = default;
};

// What class index 0 (no class chosen) loads: class 1's row, no row, or a row of its own.
enum class IndexZero : std::uint8_t { kFirst, kNone, kOwnRow };

// Which stations count as German for a contest that switches its exchange for the others.
enum class GermanTest : std::uint8_t {
  kCall,       // the own call begins with 'D' and a letter 'A'-'H' or 'J'-'R'
  kCallOrDok,  // that, or the own DOK is a letter and two digits
};

// Values that replace the contest's own ones for a station that is not German (tested only when
// the own call is longer than one character); the class case comes after them. Their sent
// defaults win over the conditional ones.
struct ForeignStation {
  GermanTest test = GermanTest::kCall;
  CaseValues values;

  friend bool operator==(const ForeignStation&, const ForeignStation&) = default;
};

inline constexpr std::uint32_t kDefaultHelpContext = 500010401;

struct ContestData {
  char code = 0;
  std::string EditionName;
  std::string VersionText;
  std::uint32_t HelpContext = kDefaultHelpContext;
  std::string Title;
  bool TitleYear = false;  // the title is followed by the year of the log
  std::string CabrilloContest;
  std::string DateFrom;  // "dd.mm.yyyy", "today" or empty
  std::string DateTo;
  std::string TimeFrom;
  std::string TimeTo;
  std::optional<ContestSet> OutputMenu;  // unset: the loader's default {1, ..., 7}
  ContestSet OutputMenu2;
  std::uint8_t Flag30 = 0;
  std::uint8_t Flag34 = 0;
  std::uint8_t Flag35 = 0;
  std::uint8_t Flag36 = 0;
  std::string FilterText;
  std::string FilterText2;
  SentSource SentText2{SentSource::Kind::kEmpty, {}};
  bool CatalogueSwitch = false;  // the loader sets the catalogue switch at offset 369 to 255
  CaseValues values;             // the contest's own values of the class case's fields
  std::vector<ClassRow> Classes;
  IndexZero index_zero = IndexZero::kFirst;
  CaseValues zero_row;  // kOwnRow only
  std::optional<ForeignStation> Foreign;
  std::vector<PeriodRow> Periods;
  std::vector<std::string> ValidDoks;  // "" = an empty slot
  std::string ValidDistricts;
  std::vector<std::string> AreaDoks;
  std::string AreaDistricts;
  std::int32_t BonusCount = 0;  // bonus stations the contest's rules name
  std::vector<std::string> BonusCalls;
  std::vector<ListedCalls> Listed;  // the lists of the contest's points and multiplier rules
  std::string RulesPage;            // web address of the rules; empty until supplied
  // The station file of kStationFile: the start folder, this name part, the catalogue record
  // number through six '#' places and ".STN" ("mrr     7.STN").
  std::string StationFile;

  friend bool operator==(const ContestData&, const ContestData&) = default;
};

// Program-wide entries.
struct ProgramData {
  std::string Maker;
  std::string MakerPage;
  std::string Notice;              // appended to VersionText in VersionNotice
  std::string SpecialStationCall;  // the listed call of the club and special-event station test
  std::array<std::string, 2> EventCalls;  // the two listed calls of the own event contest

  friend bool operator==(const ProgramData&, const ProgramData&) = default;
};

struct DefinitionProblem {
  std::string file;
  int line = 0;  // 0 when no line applies
  std::string reason;

  // "file:line: reason" (no line part for line 0).
  std::string Text() const;
};
using DefinitionProblems = std::vector<DefinitionProblem>;

class DefinitionSet {
 public:
  const ProgramData& Program() const { return program_; }
  ProgramData& Program() { return program_; }
  // The contest of a code; nullptr for a code the set does not hold.
  const ContestData* Find(char code) const;
  ContestData* Find(char code);
  // Adds or replaces a contest.
  void Put(ContestData contest);
  // The codes the set holds, in ascending byte order.
  std::string Codes() const;

 private:
  ProgramData program_;
  std::map<char, ContestData> contests_;
};

// Parses a whole definition set (the built-in file). Every contest must give the fields the
// loader needs; a contest with a problem is still kept with what could be read.
DefinitionSet ParseDefinitionSet(std::string_view utf8, std::string_view file_name,
                                 DefinitionProblems& problems);

// Applies an override file to `set`: each valid value of a known code (or of the program-wide
// entries) replaces the set's value of that field. Unknown codes and bad values are problems.
void ApplyDefinitionOverride(DefinitionSet& set, std::string_view utf8, std::string_view file_name,
                             DefinitionProblems& problems);

// The built-in file resources/contests.toml, UTF-8.
std::string_view BuiltInDefinitionText();
inline constexpr std::string_view kBuiltInDefinitionName = "contests.toml (eingebaut)";
// The name of the override file in the data folder.
inline constexpr std::string_view kOverrideFileName = "contests.toml";

}  // namespace contest
