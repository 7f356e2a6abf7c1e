// Every contest of the built-in definition set, loaded for each of its class indexes, against the
// hand-written table of expected definitions (golden/contest_definitions.txt), field by field.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "contest/definition_dump.h"
#include "tests/contest/definition_fixture.h"
#include "tests/contest/golden_contest_table.h"

namespace contest_test {
namespace {

using contest::TContestRec;
using contest::testing::GoldenAtom;
using contest::testing::GoldenContest;
using contest::testing::GoldenItem;
using contest::testing::GoldenValue;
using Kind = GoldenAtom::Kind;

// The contests of the built-in set, in the loader's order.
constexpr std::string_view kCodes = "VBDqHEFJR5PGNSTLUIlZCKAfYo!OQ123cy678swm9a4bdeghijknprWuXtzv.";
// Line 1 of the station file of the fixture's log, and its first 12 characters.
constexpr std::string_view kStationLine = "IC-7300 mit 100 W an Dipol";

const contest::testing::GoldenTable& Table() {
  static const auto table = contest::testing::LoadGoldenTable(contest::testing::GoldenTablePath());
  return table;
}

std::string SetText(const std::vector<int>& members) {
  contest::ContestSet set;
  for (int n : members) set.set(static_cast<std::size_t>(n));
  return contest::ContestSetText(set);
}

template <std::size_t N>
std::string LettersText(const std::array<char, N>& slots) {
  std::string text(slots.begin(), slots.end());
  for (char& c : text) c = c == 0 ? '_' : c;
  return text.substr(0, text.find_last_not_of('_') + 1);
}

template <typename Slots>
std::vector<std::string> SlotTexts(const Slots& slots) {
  std::vector<std::string> texts;
  for (const auto& t : slots) texts.push_back(std::string(t));
  while (!texts.empty() && texts.back().empty()) texts.pop_back();
  return texts;
}

template <typename Numbers>
std::vector<std::string> NumberTexts(const Numbers& numbers) {
  std::vector<std::string> texts;
  for (auto n : numbers) texts.push_back(std::to_string(n));
  return texts;
}

// A loaded field as the texts of its items; nothing for a name the table does not compare.
std::optional<std::vector<std::string>> Loaded(const TContestRec& d, const std::string& name) {
  using V = std::vector<std::string>;
  int slot = 0;
  if (std::sscanf(name.c_str(), "Periods[%d]", &slot) == 1) {
    const contest::TContestPeriod& p = d.Periods.at(slot - 1);
    return V{p.PeriodDate, p.PeriodTimeFrom, p.PeriodTimeTo, LettersText(p.PeriodBands)};
  }
  if (std::sscanf(name.c_str(), "Classes[%d]", &slot) == 1) {
    const contest::TContestClass& c = d.Classes.at(slot - 1);
    return V{c.ClassName, c.ClassText, std::to_string(c.ClassSection)};
  }
  const std::vector<std::pair<std::string_view, V>> fields = {
      {"SWL", {std::to_string(d.SWL)}},
      {"Modes", SlotTexts(d.Modes)},
      {"Bands", {LettersText(d.Bands)}},
      {"MultiplierKinds", {contest::ContestSetText(d.MultiplierKinds)}},
      {"HelpContext", {std::to_string(d.HelpContext)}},
      {"MultiplierNames", SlotTexts(d.MultiplierNames)},
      {"VersionNotice", {d.VersionNotice}},
      {"ExchangeKindsRcvd", NumberTexts(d.ExchangeKindsRcvd)},
      {"ExchangeKindsSent", NumberTexts(d.ExchangeKindsSent)},
      {"SentDefaults", V(d.SentDefaults.begin(), d.SentDefaults.end())},
      {"DupeKind", {std::to_string(d.DupeKind)}},
      {"BonusCalls", SlotTexts(d.BonusCalls)},
      {"ValidDoks", SlotTexts(d.ValidDoks)},
      {"ValidDistricts", {LettersText(d.ValidDistricts)}},
      {"AreaDoks", SlotTexts(d.AreaDoks)},
      {"AreaDistricts", {LettersText(d.AreaDistricts)}},
      {"Title", {d.Title}},
      {"VersionText", {d.VersionText}},
      {"EditionName", {d.EditionName}},
      {"DateFrom", {d.DateFrom}},
      {"DateTo", {d.DateTo}},
      {"TimeFrom", {d.TimeFrom}},
      {"TimeTo", {d.TimeTo}},
      {"SentText2", {d.SentText2}},
      {"Flag30", {std::to_string(d.Flag30)}},
      {"Flag31", {std::to_string(d.Flag31)}},
      {"OutputMenu", {contest::ContestSetText(d.OutputMenu)}},
      {"OutputMenu2", {contest::ContestSetText(d.OutputMenu2)}},
      {"Flag34", {std::to_string(d.Flag34)}},
      {"Flag35", {std::to_string(d.Flag35)}},
      {"Flag36", {std::to_string(d.Flag36)}},
      {"FilterText", {d.FilterText}},
      {"FilterText2", {d.FilterText2}},
      {"LabelFlag", {std::to_string(d.LabelFlag)}},
      {"ExchangeLabels", V(d.ExchangeLabels.begin(), d.ExchangeLabels.end())},
      {"CabrilloBand", {d.CabrilloBand}},
      {"CabrilloMode", {d.CabrilloMode}},
      {"CabrilloContest", {d.CabrilloContest}},
      {"CabrilloPower", {d.CabrilloPower}},
      {"CabrilloAssisted", {d.CabrilloAssisted}},
      {"CabrilloOperator", {d.CabrilloOperator}},
  };
  for (const auto& [field, texts] : fields) {
    if (field == name) return texts;
  }
  return std::nullopt;
}

// Texts the table's words stand for, for the German log of DefinitionFixture.
class Words {
 public:
  explicit Words(std::string notice) : notice_(std::move(notice)) {}

  // The texts an item may take; nothing when one of its alternatives is open.
  std::optional<std::set<std::string>> Alternatives(const GoldenItem& item) const {
    std::set<std::string> texts;
    for (const auto& parts : item.alternatives) {
      std::string joined;
      for (const GoldenAtom& atom : parts) {
        if (atom.kind == Kind::kWord && (atom.text == "open" || atom.text == "by-class")) {
          return std::nullopt;
        }
        joined += Text(atom);
      }
      texts.insert(joined);
    }
    return texts;
  }

 private:
  std::string Text(const GoldenAtom& atom) const {
    switch (atom.kind) {
      case Kind::kText:
        return atom.text;
      case Kind::kNumber:
        return std::to_string(atom.number);
      case Kind::kSet:
        return SetText(atom.members);
      case Kind::kWord:
        break;
    }
    static const std::map<std::string, std::string> words = {
        {"year", "2021"},
        {"today", "09.03.2024"},
        {"own-dok", "B36"},
        {"exchange-text", "12345"},
        {"own-locator", "JO62MM12"},
        {"own-name", "Karl-Theodor"},
        {"number", "42"},
        {"number-2", "42"},
        {"station-file", std::string(kStationLine.substr(0, 12))}};
    if (atom.text == "notice") return notice_;
    const auto it = words.find(atom.text);
    return it == words.end() ? "<" + atom.text + ">" : it->second;
  }

  std::string notice_;
};

std::set<std::string> AsSet(const std::vector<std::string>& items, bool letters) {
  std::set<std::string> set;
  for (const std::string& item : items) {
    if (!letters) set.insert(item);
    for (char c : letters ? item : "") {
      if (c != '_') set.insert(std::string(1, c));
    }
  }
  return set;
}

// Checks one field of a loaded definition against the table's value.
void ExpectField(const std::string& name, const GoldenValue& expected, const TContestRec& d,
                 const Words& words) {
  SCOPED_TRACE(name + " (table line " + std::to_string(expected.line) + ")");
  const std::optional<std::vector<std::string>> loaded = Loaded(d, name);
  ASSERT_TRUE(loaded.has_value());
  if (name == "Bands" || name == "Modes") {  // compared as sets
    const bool letters = name == "Bands";
    std::vector<std::set<std::string>> sets;
    if (letters) {
      const auto texts = words.Alternatives(expected.items.at(0));
      if (!texts) return;
      for (const std::string& t : *texts) sets.push_back(AsSet({t}, true));
    } else {
      std::vector<std::string> items;
      for (const GoldenItem& item : expected.items) {
        const auto texts = words.Alternatives(item);
        if (!texts || texts->size() != 1) return;
        items.push_back(*texts->begin());
      }
      sets.push_back(AsSet(items, false));
    }
    EXPECT_NE(std::find(sets.begin(), sets.end(), AsSet(*loaded, letters)), sets.end());
    return;
  }
  std::vector<std::string> got = *loaded;
  if (got.size() < expected.items.size()) got.resize(expected.items.size());
  ASSERT_EQ(got.size(), expected.items.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    const auto texts = words.Alternatives(expected.items[i]);
    if (!texts) continue;
    EXPECT_TRUE(texts->contains(got[i])) << "slot " << i + 1 << ": \"" << got[i] << "\"";
  }
}

// Non-empty slots of a list, plus the table's open slots that are empty here.
long long ListEntries(const std::vector<std::string>& loaded, const GoldenValue& expected) {
  long long n = 0;
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    const bool open = i < expected.items.size() && expected.items[i].IsWord("open");
    n += !loaded[i].empty() || open;
  }
  return n;
}

class GoldenDefinitionTest : public ::testing::TestWithParam<char> {
 protected:
  GoldenDefinitionTest() {
    common::testing::WriteFile(f_.Folder() + "/mrr     7.STN",
                               std::string(kStationLine) + "\r\nzweite Zeile\r\n");
  }
  DefinitionFixture f_;
};

TEST_P(GoldenDefinitionTest, EveryClassLoadsAsTheTableSays) {
  const GoldenContest* golden = Table().Find(GetParam());
  ASSERT_NE(golden, nullptr);
  const contest::ContestData* data = f_.Fkt().Definitions().Find(GetParam());
  ASSERT_NE(data, nullptr);
  const Words words(f_.Fkt().Definitions().Program().Notice);
  const int classes = static_cast<int>(golden->Number("@ClassCount"));

  for (int index = 0; index <= classes; ++index) {
    SCOPED_TRACE("class index " + std::to_string(index));
    contest::TContestKKRec log = DefinitionFixture::GermanLog(index);
    const TContestRec d = f_.Load(GetParam(), log);

    std::vector<std::string> names(contest::testing::DefinitionFieldNames().begin(),
                                   contest::testing::DefinitionFieldNames().end());
    for (int i = 1; i <= contest::kPeriodSlots; ++i)
      names.push_back("Periods[" + std::to_string(i) + "]");
    for (int i = 1; i <= contest::kClassSlots; ++i)
      names.push_back("Classes[" + std::to_string(i) + "]");
    for (const std::string& name : names) {
      if (const GoldenValue* expected = golden->ForClass(index, name)) {
        ExpectField(name, *expected, d, words);
      }
    }

    const auto in_use = [](const auto& slots, auto used) {
      return std::count_if(slots.begin(), slots.end(), used);
    };
    EXPECT_EQ(in_use(d.Periods, [](const auto& p) { return !p.PeriodDate.empty(); }),
              golden->Number("@PeriodCount"));
    EXPECT_EQ(in_use(d.Classes, [](const auto& c) { return !c.ClassText.empty(); }), classes);
    EXPECT_EQ(data->BonusCount, golden->Number("@BonusCount"));
    EXPECT_EQ(SlotTexts(d.BonusCalls).size(), data->BonusCalls.size());
    EXPECT_EQ(ListEntries(SlotTexts(d.ValidDoks), *golden->Field("ValidDoks")),
              golden->Number("@ValidDoksCount"));
    EXPECT_EQ(ListEntries(SlotTexts(d.AreaDoks), *golden->Field("AreaDoks")),
              golden->Number("@AreaDoksCount"));
    const bool switches = golden->Field("@CatalogueSwitch")->items[0].IsFixed() &&
                          golden->Field("@CatalogueSwitch")->items[0].Fixed().number == 255;
    EXPECT_EQ(log.LoaderSwitch, switches ? 255 : 7);

    // What the loader never sets.
    EXPECT_EQ(SlotTexts(d.ExtraDoks).size(), 0u);
    EXPECT_EQ(LettersText(d.ExtraDistricts), "");
    EXPECT_EQ(d.CabrilloSpare, "");
    EXPECT_EQ(d.ScoreFlag, 0);
    EXPECT_TRUE(std::all_of(d.Periods.begin(), d.Periods.end(),
                            [](const auto& p) { return p.PeriodSpare.empty(); }));
    EXPECT_EQ(d.UtcOffsetHours, -1);
  }
  const GoldenValue* zero = golden->Field("@IndexZero");
  if (zero != nullptr && zero->items[0].IsWord("first")) {
    EXPECT_TRUE(f_.Load(GetParam(), 0) == f_.Load(GetParam(), 1)) << "index 0 is not class 1";
  }
}

// The classes together offer the contest's bands and modes, and a class on one band names it in
// its Cabrillo band.
TEST_P(GoldenDefinitionTest, ClassesMakeUpTheContestsBandsAndModes) {
  const GoldenContest* golden = Table().Find(GetParam());
  ASSERT_NE(golden, nullptr);
  const Words words(f_.Fkt().Definitions().Program().Notice);
  std::set<std::string> bands, modes;
  for (int index = 1; index <= golden->Number("@ClassCount"); ++index) {
    SCOPED_TRACE("class index " + std::to_string(index));
    const TContestRec d = f_.Load(GetParam(), index);
    const std::set<std::string> own = AsSet({LettersText(d.Bands)}, true);
    bands.insert(own.begin(), own.end());
    for (const std::string& mode : SlotTexts(d.Modes)) modes.insert(mode);
    if (own.size() == 1) {
      EXPECT_EQ(d.CabrilloBand, logbook::ToBaender().Band2Text(own.begin()->at(0), false));
    }
  }
  const GoldenValue& contest_bands = *golden->Field("Bands");
  if (const auto texts = words.Alternatives(contest_bands.items.at(0))) {
    EXPECT_EQ(bands, AsSet({*texts->begin()}, true));
  }
  std::vector<std::string> contest_modes;
  for (const GoldenItem& item : golden->Field("Modes")->items) {
    contest_modes.push_back(*words.Alternatives(item)->begin());
  }
  EXPECT_EQ(modes, AsSet(contest_modes, false));
}

std::string CodeName(const ::testing::TestParamInfo<char>& info) {
  if (info.param == '!') return "Bang";
  if (info.param == '.') return "Dot";
  return std::string(std::islower(static_cast<unsigned char>(info.param)) ? "Lower_" : "") +
         info.param;
}

INSTANTIATE_TEST_SUITE_P(EveryCode, GoldenDefinitionTest,
                         ::testing::ValuesIn(std::vector<char>(kCodes.begin(), kCodes.end())),
                         CodeName);

TEST(GoldenDefinitionSet, HoldsExactlyTheTestedCodes) {
  DefinitionFixture f;
  std::string codes(kCodes);
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(f.Fkt().Definitions().Codes(), codes);
}

}  // namespace
}  // namespace contest_test
