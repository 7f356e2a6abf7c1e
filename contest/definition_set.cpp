#include "contest/definition_set.h"

#include <toml++/toml.h>

#include <set>
#include <utility>

#include "contest/definition_reader.h"

namespace contest {
namespace {

using definition::Reader;

template <typename T>
bool Assign(T& field, std::optional<T> value) {
  if (!value) return false;
  field = std::move(*value);
  return true;
}

template <typename T>
bool Assign(std::optional<T>& field, std::optional<T> value) {
  if (!value) return false;
  field = std::move(*value);
  return true;
}

std::optional<std::uint8_t> Byte(Reader& r, const toml::node& n, int high) {
  const std::optional<std::int64_t> v = r.Integer(n, 0, high);
  if (!v) return std::nullopt;
  return static_cast<std::uint8_t>(*v);
}

// --- the fields of the class case, read into CaseValues ---

using CaseRead = bool (*)(Reader&, const toml::node&, CaseValues&);
struct CaseKey {
  std::string_view key;
  CaseRead read;
};

const std::vector<std::string_view> kOperatorWords = {"SINGLE-OP", "MULTI-OP"};
const std::vector<std::string_view> kAssistedWords = {"NON-ASSISTED", "ASSISTED"};

constexpr CaseKey kCaseKeys[] = {
    {"DupeKind", [](Reader& r, const toml::node& n,
                    CaseValues& v) { return Assign(v.DupeKind, Byte(r, n, 13)); }},
    {"MultiplierNames",
     [](Reader& r, const toml::node& n, CaseValues& v) {
       return Assign(v.MultiplierNames, r.TextTriple(n, &definition::MultiplierNameList()));
     }},
    {"ExchangeKindsRcvd", [](Reader& r, const toml::node& n,
                             CaseValues& v) { return Assign(v.ExchangeKindsRcvd, r.Kinds(n)); }},
    {"ExchangeKindsSent", [](Reader& r, const toml::node& n,
                             CaseValues& v) { return Assign(v.ExchangeKindsSent, r.Kinds(n)); }},
    {"ExchangeLabels",
     [](Reader& r, const toml::node& n, CaseValues& v) {
       return Assign(v.ExchangeLabels, r.TextTriple(n, nullptr));
     }},
    {"SentDefaults", [](Reader& r, const toml::node& n,
                        CaseValues& v) { return Assign(v.SentDefaults, r.Sources(n)); }},
    {"Bands", [](Reader& r, const toml::node& n,
                 CaseValues& v) { return Assign(v.Bands, r.Bands(n, kBandCodeSlots, true)); }},
    {"Modes",
     [](Reader& r, const toml::node& n, CaseValues& v) { return Assign(v.Modes, r.Modes(n)); }},
    {"MultiplierKinds", [](Reader& r, const toml::node& n,
                           CaseValues& v) { return Assign(v.MultiplierKinds, r.Set(n, 1, 22)); }},
    {"SWL",
     [](Reader& r, const toml::node& n, CaseValues& v) { return Assign(v.SWL, Byte(r, n, 1)); }},
    {"LabelFlag", [](Reader& r, const toml::node& n,
                     CaseValues& v) { return Assign(v.LabelFlag, Byte(r, n, 1)); }},
    {"Flag31",
     [](Reader& r, const toml::node& n, CaseValues& v) { return Assign(v.Flag31, Byte(r, n, 3)); }},
    {"CabrilloOperator",
     [](Reader& r, const toml::node& n, CaseValues& v) {
       return Assign(v.CabrilloOperator, r.Word(n, kOperatorWords));
     }},
    {"CabrilloPower", [](Reader& r, const toml::node& n,
                         CaseValues& v) { return Assign(v.CabrilloPower, r.Text(n)); }},
    {"CabrilloAssisted",
     [](Reader& r, const toml::node& n, CaseValues& v) {
       return Assign(v.CabrilloAssisted, r.Word(n, kAssistedWords));
     }},
    {"CabrilloMode", [](Reader& r, const toml::node& n,
                        CaseValues& v) { return Assign(v.CabrilloMode, r.Text(n)); }},
    {"CabrilloBand", [](Reader& r, const toml::node& n,
                        CaseValues& v) { return Assign(v.CabrilloBand, r.Text(n)); }},
    {"SharedRoom",
     [](Reader& r, const toml::node& n, CaseValues& v) {
       const std::optional<std::int64_t> room = r.Integer(n, 0, 255);
       if (room) v.SharedRoom = static_cast<std::int32_t>(*room);
       return room.has_value();
     }},
};

const CaseKey* FindCaseKey(std::string_view key) {
  for (const CaseKey& k : kCaseKeys) {
    if (k.key == key) return &k;
  }
  return nullptr;
}

// Reads a table of case values; `extra` handles the keys of its own (answers false for a key it
// does not know). A bad value is reported and skipped. False when the table had a problem.
template <typename Extra>
bool ReadCaseTable(Reader& r, const toml::table& table, CaseValues& values, Extra extra) {
  bool ok = true;
  for (auto&& [key, node] : table) {
    bool known = true;
    if (const CaseKey* k = FindCaseKey(key.str())) {
      ok = k->read(r, node, values) && ok;
    } else if (!extra(key.str(), node, ok)) {
      known = false;
    }
    if (!known) {
      r.Problem(node, "unbekanntes Feld \"" + std::string(key.str()) + "\"");
      ok = false;
    }
  }
  return ok;
}

std::optional<ClassRow> ReadClassRow(Reader& r, const toml::node& node) {
  const toml::table* table = r.Table(node);
  if (table == nullptr) return std::nullopt;
  ClassRow row;
  const bool ok = ReadCaseTable(r, *table, row.values,
                                [&](std::string_view key, const toml::node& n, bool& good) {
                                  if (key == "ClassName") {
                                    good = Assign(row.ClassName, r.Text(n)) && good;
                                  } else if (key == "ClassText") {
                                    good = Assign(row.ClassText, r.Text(n)) && good;
                                  } else if (key == "ClassSection") {
                                    good = Assign(row.ClassSection, Byte(r, n, 255)) && good;
                                  } else {
                                    return false;
                                  }
                                  return true;
                                });
  if (!ok) return std::nullopt;
  return row;
}

template <typename T, typename ReadOne>
std::optional<std::vector<T>> ReadRows(Reader& r, const toml::node& node, std::size_t limit,
                                       ReadOne read_one) {
  const toml::array* array = r.Array(node);
  if (array == nullptr) return std::nullopt;
  if (array->size() > limit) {
    r.Problem(node, "mehr als " + std::to_string(limit) + " Einträge");
    return std::nullopt;
  }
  std::vector<T> rows;
  for (const toml::node& element : *array) {
    std::optional<T> row = read_one(element);
    if (!row) return std::nullopt;
    rows.push_back(std::move(*row));
  }
  return rows;
}

bool ReadIndexZero(Reader& r, const toml::node& node, ContestData& c) {
  if (const toml::table* table = node.as_table()) {
    CaseValues row;
    if (!ReadCaseTable(r, *table, row,
                       [](std::string_view, const toml::node&, bool&) { return false; })) {
      return false;
    }
    c.index_zero = IndexZero::kOwnRow;
    c.zero_row = std::move(row);
    return true;
  }
  const std::optional<std::string> word = r.Word(node, {"first", "none"});
  if (!word) return false;
  c.index_zero = *word == "first" ? IndexZero::kFirst : IndexZero::kNone;
  c.zero_row = {};
  return true;
}

bool ReadForeign(Reader& r, const toml::node& node, ContestData& c) {
  const toml::table* table = r.Table(node);
  if (table == nullptr) return false;
  ForeignStation foreign;
  bool has_test = false;
  const bool ok = ReadCaseTable(
      r, *table, foreign.values, [&](std::string_view key, const toml::node& n, bool& good) {
        if (key != "Test") return false;
        const auto word = r.Word(n, {"call", "call-or-dok"});
        if (word) {
          foreign.test = *word == "call" ? GermanTest::kCall : GermanTest::kCallOrDok;
        }
        has_test = word.has_value();
        good = has_test && good;
        return true;
      });
  if (ok && !has_test) r.Problem(node, "Test = \"call\" oder \"call-or-dok\" fehlt");
  if (!ok || !has_test) return false;
  c.Foreign = std::move(foreign);
  return true;
}

// --- the fields of a contest ---

using ContestRead = bool (*)(Reader&, const toml::node&, ContestData&);
struct ContestKey {
  std::string_view key;
  ContestRead read;
};

constexpr ContestKey kContestKeys[] = {
    {"EditionName", [](Reader& r, const toml::node& n,
                       ContestData& c) { return Assign(c.EditionName, r.Text(n)); }},
    {"VersionText", [](Reader& r, const toml::node& n,
                       ContestData& c) { return Assign(c.VersionText, r.Text(n)); }},
    {"HelpContext",
     [](Reader& r, const toml::node& n, ContestData& c) {
       const auto v = r.Integer(n, 0, 0xFFFFFFFF);
       if (v) c.HelpContext = static_cast<std::uint32_t>(*v);
       return v.has_value();
     }},
    {"Title",
     [](Reader& r, const toml::node& n, ContestData& c) { return Assign(c.Title, r.Text(n)); }},
    {"TitleYear", [](Reader& r, const toml::node& n,
                     ContestData& c) { return Assign(c.TitleYear, r.Boolean(n)); }},
    {"CabrilloContest", [](Reader& r, const toml::node& n,
                           ContestData& c) { return Assign(c.CabrilloContest, r.Text(n)); }},
    {"DateFrom", [](Reader& r, const toml::node& n,
                    ContestData& c) { return Assign(c.DateFrom, r.Date(n, "today")); }},
    {"DateTo", [](Reader& r, const toml::node& n,
                  ContestData& c) { return Assign(c.DateTo, r.Date(n, "today")); }},
    {"TimeFrom",
     [](Reader& r, const toml::node& n, ContestData& c) { return Assign(c.TimeFrom, r.Time(n)); }},
    {"TimeTo",
     [](Reader& r, const toml::node& n, ContestData& c) { return Assign(c.TimeTo, r.Time(n)); }},
    {"OutputMenu", [](Reader& r, const toml::node& n,
                      ContestData& c) { return Assign(c.OutputMenu, r.Set(n, 1, 13)); }},
    {"OutputMenu2", [](Reader& r, const toml::node& n,
                       ContestData& c) { return Assign(c.OutputMenu2, r.Set(n, 1, 13)); }},
    {"Flag30", [](Reader& r, const toml::node& n,
                  ContestData& c) { return Assign(c.Flag30, Byte(r, n, 1)); }},
    {"Flag34", [](Reader& r, const toml::node& n,
                  ContestData& c) { return Assign(c.Flag34, Byte(r, n, 1)); }},
    {"Flag35", [](Reader& r, const toml::node& n,
                  ContestData& c) { return Assign(c.Flag35, Byte(r, n, 1)); }},
    {"Flag36", [](Reader& r, const toml::node& n,
                  ContestData& c) { return Assign(c.Flag36, Byte(r, n, 1)); }},
    {"FilterText", [](Reader& r, const toml::node& n,
                      ContestData& c) { return Assign(c.FilterText, r.Text(n)); }},
    {"FilterText2", [](Reader& r, const toml::node& n,
                       ContestData& c) { return Assign(c.FilterText2, r.Text(n)); }},
    {"SentText2", [](Reader& r, const toml::node& n,
                     ContestData& c) { return Assign(c.SentText2, r.Source(n)); }},
    {"CatalogueSwitch", [](Reader& r, const toml::node& n,
                           ContestData& c) { return Assign(c.CatalogueSwitch, r.Boolean(n)); }},
    {"Classes",
     [](Reader& r, const toml::node& n, ContestData& c) {
       return Assign(c.Classes, ReadRows<ClassRow>(r, n, kClassSlots, [&](const toml::node& e) {
                       return ReadClassRow(r, e);
                     }));
     }},
    {"IndexZero", ReadIndexZero},
    {"Foreign", ReadForeign},
    {"Periods",
     [](Reader& r, const toml::node& n, ContestData& c) {
       return Assign(c.Periods, ReadRows<PeriodRow>(r, n, kPeriodSlots, [&](const toml::node& e) {
                       return r.Period(e);
                     }));
     }},
    {"ValidDoks",
     [](Reader& r, const toml::node& n, ContestData& c) {
       return Assign(c.ValidDoks, r.TextList(n, kListSlots, true));
     }},
    {"ValidDistricts", [](Reader& r, const toml::node& n,
                          ContestData& c) { return Assign(c.ValidDistricts, r.Districts(n)); }},
    {"AreaDoks",
     [](Reader& r, const toml::node& n, ContestData& c) {
       return Assign(c.AreaDoks, r.TextList(n, kListSlots, true));
     }},
    {"AreaDistricts", [](Reader& r, const toml::node& n,
                         ContestData& c) { return Assign(c.AreaDistricts, r.Districts(n)); }},
    {"BonusCount",
     [](Reader& r, const toml::node& n, ContestData& c) {
       const auto v = r.Integer(n, 0, kListSlots);
       if (v) c.BonusCount = static_cast<std::int32_t>(*v);
       return v.has_value();
     }},
    {"BonusCalls",
     [](Reader& r, const toml::node& n, ContestData& c) {
       return Assign(c.BonusCalls, r.TextList(n, kListSlots, false));
     }},
    {"ListedCalls",
     [](Reader& r, const toml::node& n, ContestData& c) {
       return Assign(c.Listed, ReadRows<ListedCalls>(
                                   r, n, 10, [&](const toml::node& e) { return r.Listed(e); }));
     }},
    {"RulesPage",
     [](Reader& r, const toml::node& n, ContestData& c) { return Assign(c.RulesPage, r.Text(n)); }},
    {"StationFile",
     [](Reader& r, const toml::node& n, ContestData& c) {
       std::optional<std::string> name = r.Text(n, 20);
       if (name && name->find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                           "0123456789_-") != std::string::npos) {
         r.Problem(n, "Buchstaben, Ziffern, _ und - erwartet");
         return false;
       }
       return Assign(c.StationFile, std::move(name));
     }},
};

// Reads the keys of a contest's table into `contest`; answers the keys that were read well.
std::set<std::string, std::less<>> ReadContestTable(Reader& r, const toml::table& table,
                                                    ContestData& contest) {
  std::set<std::string, std::less<>> read;
  for (auto&& [key, node] : table) {
    bool ok = false;
    bool known = false;
    for (const ContestKey& k : kContestKeys) {
      if (k.key == key.str()) {
        known = true;
        ok = k.read(r, node, contest);
      }
    }
    if (const CaseKey* k = FindCaseKey(key.str())) {
      known = true;
      ok = k->read(r, node, contest.values);
    }
    if (!known) r.Problem(node, "unbekanntes Feld \"" + std::string(key.str()) + "\"");
    if (ok) read.insert(std::string(key.str()));
  }
  return read;
}

// The fields of the built-in file that every contest must give, and what each class row must
// end with.
void CheckComplete(Reader& r, const toml::table& table, const ContestData& c,
                   const std::set<std::string, std::less<>>& read) {
  static constexpr std::string_view kRequired[] = {"EditionName",
                                                   "VersionText",
                                                   "Title",
                                                   "DupeKind",
                                                   "MultiplierNames",
                                                   "ExchangeKindsRcvd",
                                                   "ExchangeKindsSent",
                                                   "ExchangeLabels",
                                                   "MultiplierKinds",
                                                   "Classes"};
  for (std::string_view key : kRequired) {
    if (!read.contains(key)) {
      r.Problem(table,
                "Contest \"" + std::string(1, c.code) + "\": Feld " + std::string(key) + " fehlt");
    }
  }
  for (std::size_t i = 0; i < c.Classes.size(); ++i) {
    const CaseValues& row = c.Classes[i].values;
    if (!(row.Bands || c.values.Bands) || !(row.Modes || c.values.Modes)) {
      r.Problem(table, "Contest \"" + std::string(1, c.code) + "\": Klasse " +
                           std::to_string(i + 1) + " ohne Bänder oder Betriebsarten");
    }
  }
}

bool IsContestCode(std::string_view key) {
  if (key.size() != 1) return false;
  const char c = key[0];
  return c == '!' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
         (c >= 'a' && c <= 'z');
}

void ReadProgram(Reader& r, const toml::node& node, ProgramData& program) {
  const toml::table* table = r.Table(node);
  if (table == nullptr) return;
  for (auto&& [key, value] : *table) {
    const std::string_view k = key.str();
    if (k == "Maker") {
      Assign(program.Maker, r.Text(value));
    } else if (k == "MakerPage") {
      Assign(program.MakerPage, r.Text(value));
    } else if (k == "Notice") {
      Assign(program.Notice, r.Text(value));
    } else if (k == "SpecialStationCall") {
      Assign(program.SpecialStationCall, r.Text(value));
    } else if (k == "EventCalls") {
      std::optional<std::vector<std::string>> calls = r.TextList(value, 2, true);
      if (calls && calls->size() != 2) {
        r.Problem(value, "genau 2 Einträge erwartet");
      } else if (calls) {
        program.EventCalls = {(*calls)[0], (*calls)[1]};
      }
    } else {
      r.Problem(value, "unbekanntes Feld \"" + std::string(k) + "\"");
    }
  }
}

// Parses the text; a syntax error is reported and gives nothing.
std::optional<toml::table> ParseToml(std::string_view utf8, std::string_view file_name, Reader& r) {
  try {
    return toml::parse(utf8, file_name);
  } catch (const toml::parse_error& e) {
    r.Problem(static_cast<int>(e.source().begin.line),
              "Syntaxfehler: " + std::string(e.description()));
    return std::nullopt;
  }
}

// Runs `contest` for every contest table and `program` for the program's table of the file.
template <typename ForContest>
void WalkFile(Reader& r, const toml::table& file, ProgramData& program, ForContest contest) {
  for (auto&& [key, node] : file) {
    if (key.str() == "Program") {
      ReadProgram(r, node, program);
    } else if (!IsContestCode(key.str())) {
      r.Problem(node, "unbekannter Eintrag \"" + std::string(key.str()) + "\"");
    } else if (const toml::table* table = r.Table(node)) {
      contest(key.str()[0], *table);
    }
  }
}

}  // namespace

std::string DefinitionProblem::Text() const {
  return line > 0 ? file + ":" + std::to_string(line) + ": " + reason : file + ": " + reason;
}

const ContestData* DefinitionSet::Find(char code) const {
  const auto it = contests_.find(code);
  return it == contests_.end() ? nullptr : &it->second;
}

ContestData* DefinitionSet::Find(char code) {
  const auto it = contests_.find(code);
  return it == contests_.end() ? nullptr : &it->second;
}

void DefinitionSet::Put(ContestData contest) {
  const char code = contest.code;
  contests_[code] = std::move(contest);
}

std::string DefinitionSet::Codes() const {
  std::string codes;
  for (const auto& [code, contest] : contests_) codes.push_back(code);
  return codes;
}

DefinitionSet ParseDefinitionSet(std::string_view utf8, std::string_view file_name,
                                 DefinitionProblems& problems) {
  Reader r(file_name, problems);
  DefinitionSet set;
  const std::optional<toml::table> file = ParseToml(utf8, file_name, r);
  if (!file) return set;
  WalkFile(r, *file, set.Program(), [&](char code, const toml::table& table) {
    ContestData contest;
    contest.code = code;
    CheckComplete(r, table, contest, ReadContestTable(r, table, contest));
    set.Put(std::move(contest));
  });
  return set;
}

void ApplyDefinitionOverride(DefinitionSet& set, std::string_view utf8, std::string_view file_name,
                             DefinitionProblems& problems) {
  Reader r(file_name, problems);
  const std::optional<toml::table> file = ParseToml(utf8, file_name, r);
  if (!file) return;
  ProgramData program = set.Program();
  WalkFile(r, *file, program, [&](char code, const toml::table& table) {
    const ContestData* built_in = set.Find(code);
    if (built_in == nullptr) {
      r.Problem(table, "unbekannter Contest \"" + std::string(1, code) + "\"");
      return;
    }
    ContestData contest = *built_in;
    ReadContestTable(r, table, contest);
    set.Put(std::move(contest));
  });
  set.Program() = std::move(program);
}

}  // namespace contest
