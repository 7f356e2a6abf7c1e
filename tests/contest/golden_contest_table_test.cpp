#include "tests/contest/golden_contest_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "logbook/reference/bands.h"
#include "tests/common/rows.h"

namespace contest::testing {
namespace {

using Kind = GoldenAtom::Kind;

// The 61 contest codes in the order of the identity table.
constexpr std::string_view kCodeOrder =
    "VBDqHEFJR5PGNSTLUIlZCKAfYo!OQ123cy678swm9a4bdeghijknprWuXtzv.";

// Fields every contest block gives, empty or not.
constexpr std::string_view kBlockFields[] = {"EditionName",
                                             "VersionText",
                                             "VersionNotice",
                                             "HelpContext",
                                             "Title",
                                             "CabrilloContest",
                                             "DateFrom",
                                             "DateTo",
                                             "TimeFrom",
                                             "TimeTo",
                                             "DupeKind",
                                             "MultiplierNames",
                                             "ExchangeKindsRcvd",
                                             "ExchangeKindsSent",
                                             "ExchangeLabels",
                                             "Bands",
                                             "Modes",
                                             "OutputMenu",
                                             "OutputMenu2",
                                             "MultiplierKinds",
                                             "SWL",
                                             "Flag30",
                                             "Flag31",
                                             "Flag34",
                                             "Flag35",
                                             "Flag36",
                                             "LabelFlag",
                                             "FilterText",
                                             "FilterText2",
                                             "SentText2",
                                             "ValidDoks",
                                             "ValidDistricts",
                                             "AreaDoks",
                                             "AreaDistricts",
                                             "@PeriodCount",
                                             "@ClassCount",
                                             "@BonusCount",
                                             "@ValidDoksCount",
                                             "@AreaDoksCount",
                                             "@CatalogueSwitch"};

const GoldenTable& Table() {
  static const GoldenTable table = LoadGoldenTable(GoldenTablePath());
  return table;
}

std::string Slot(std::string_view name, int i) {
  return std::string(name) + "[" + std::to_string(i) + "]";
}

// Every alternative of a one-item value that is one fixed text, as a set of its characters (or of
// its list items): how Bands and Modes compare.
std::vector<std::set<std::string>> AlternativeSets(const GoldenValue& value, bool letters) {
  std::vector<std::set<std::string>> sets;
  if (letters) {
    for (const auto& parts : value.items.at(0).alternatives) {
      if (parts.size() != 1 || parts[0].kind != Kind::kText) return {};
      std::set<std::string> s;
      for (char c : parts[0].text) {
        if (c != '_') s.insert(std::string(1, c));
      }
      sets.push_back(s);
    }
  } else {
    std::set<std::string> s;
    for (const GoldenItem& item : value.items) {
      if (!item.IsFixed() || item.Fixed().kind != Kind::kText) return {};
      s.insert(item.Fixed().text);
    }
    sets.push_back(s);
  }
  return sets;
}

long long Entries(const GoldenValue& list) {
  long long n = 0;
  for (const GoldenItem& item : list.items) {
    n += !(item.IsFixed() && item.Fixed().kind == Kind::kText && item.Fixed().text.empty());
  }
  return n;
}

TEST(GoldenContestTableFile, HoldsTheSixtyOneCodesInTableOrder) {
  std::string codes;
  for (const GoldenContest& contest : Table().contests) codes += contest.code;
  EXPECT_EQ(kCodeOrder.size(), 61u);
  EXPECT_EQ(codes, kCodeOrder);
}

class GoldenContestBlock : public ::testing::TestWithParam<char> {};

TEST_P(GoldenContestBlock, IsCompleteAndAgreesWithItself) {
  const GoldenContest* c = Table().Find(GetParam());
  ASSERT_NE(c, nullptr);
  for (std::string_view field : kBlockFields) EXPECT_NE(c->Field(field), nullptr) << field;

  const long long periods = c->Number("@PeriodCount", -1);
  for (int i = 1; i <= 10; ++i)
    EXPECT_EQ(c->Field(Slot("Periods", i)) != nullptr, i <= periods) << i;

  int slots = 0, in_use = 0;
  while (const GoldenValue* entry = c->Field(Slot("Classes", slots + 1))) {
    ++slots;
    in_use += !entry->items[1].Fixed().text.empty();
  }
  EXPECT_EQ(in_use, c->Number("@ClassCount", -1));
  EXPECT_EQ(c->Field(Slot("Classes", slots + 2)), nullptr) << "gap after class " << slots;
  for (const auto& [index, fields] : c->classes) EXPECT_LE(index, slots) << "class block " << index;

  EXPECT_EQ(Entries(*c->Field("ValidDoks")), c->Number("@ValidDoksCount", -1));
  EXPECT_EQ(Entries(*c->Field("AreaDoks")), c->Number("@AreaDoksCount", -1));
}

// A class's bands and modes lie within the contest's; where every class gives them, their union
// is the contest's.
TEST_P(GoldenContestBlock, ClassBandsAndModesMakeTheContestUnion) {
  const GoldenContest* c = Table().Find(GetParam());
  ASSERT_NE(c, nullptr);
  const int classes = static_cast<int>(c->Number("@ClassCount"));
  for (std::string_view field : {"Bands", "Modes"}) {
    const bool letters = field == "Bands";
    const auto contest_sets = AlternativeSets(*c->Field(field), letters);
    if (contest_sets.size() != 1) continue;  // "by class"
    std::set<std::string> union_of_classes;
    bool every_class_fixed = true;
    for (int index = 1; index <= classes; ++index) {
      const GoldenValue* own = c->ClassField(index, field);
      const auto sets = own == nullptr ? decltype(contest_sets){} : AlternativeSets(*own, letters);
      every_class_fixed = every_class_fixed && sets.size() == 1;
      for (const auto& s : sets) {
        for (const std::string& e : s) {
          EXPECT_TRUE(contest_sets[0].count(e)) << field << " of class " << index << ": " << e;
          union_of_classes.insert(e);
        }
      }
    }
    if (every_class_fixed) {
      EXPECT_EQ(union_of_classes, contest_sets[0]) << field;
    }
  }
}

// A single-band class names its band's Cabrillo text; a class with SWL 1 is a listener class by
// its name or text, and every listener class has SWL 1.
TEST_P(GoldenContestBlock, ClassValuesFollowTheClassEntries) {
  const GoldenContest* c = Table().Find(GetParam());
  ASSERT_NE(c, nullptr);
  const logbook::ToBaender bands;
  for (int index = 1; const GoldenValue* entry = c->Field(Slot("Classes", index)); ++index) {
    const GoldenValue* own_bands = c->ClassField(index, "Bands");
    if (own_bands != nullptr && own_bands->items[0].IsFixed() &&
        own_bands->items[0].Fixed().text.size() == 1) {
      const GoldenValue* cabrillo = c->ForClass(index, "CabrilloBand");
      ASSERT_NE(cabrillo, nullptr) << "class " << index;
      EXPECT_EQ(cabrillo->items[0].Fixed().text,
                bands.Band2Text(own_bands->items[0].Fixed().text[0], false))
          << "class " << index;
    }
    const std::string name_and_text = entry->items[0].Fixed().text + entry->items[1].Fixed().text;
    const bool names_swl = name_and_text.find("SWL") != std::string::npos &&
                           !(c->code == 'J' && index == 1);  // "alle (außer SWL)"
    const GoldenItem& swl = c->ForClass(index, "SWL")->items[0];
    if (swl.IsFixed()) {
      EXPECT_EQ(swl.Fixed().number == 1, names_swl) << "class " << index;
    }
  }
}

std::string CodeName(const ::testing::TestParamInfo<char>& info) {
  if (info.param == '!') return "Bang";
  if (info.param == '.') return "Dot";
  return std::string(1, info.param);
}

INSTANTIATE_TEST_SUITE_P(EveryCode, GoldenContestBlock,
                         ::testing::ValuesIn(std::vector<char>(kCodeOrder.begin(),
                                                               kCodeOrder.end())),
                         CodeName);

TEST(GoldenContestTableReader, ReadsValuesAndClassBlocks) {
  const GoldenTable table = ParseGoldenTable(
      "# head\n"
      "[x]\n"
      "Title: \"G\xC3\xA4ste \\\"A\\\" \" + year  # comment\n"  // UTF-8, as the file
      "DupeKind: 0 or 9\n"
      "MultiplierKinds: {2, 14}\n"
      "Bands: \"bk\"\n"
      "SWL: 0\n"
      "ValidDoks: \"A\", \"\",\n"
      "  \"B\"\n"
      "@IndexZero: first\n"
      "Classes[1]: \"K\", \"text, with # and comma\", 3\n"
      "\n"
      "[x/1-2,4]\n"
      "Bands: \"_c\"\n"
      "[x/2]\n"
      "SWL: 1\n");
  ASSERT_EQ(table.contests.size(), 1u);
  const GoldenContest& c = table.contests[0];

  const auto& title = c.Field("Title")->items.at(0).alternatives.at(0);
  ASSERT_EQ(title.size(), 2u);
  EXPECT_EQ(title[0].text, "G\xE4ste \"A\" ");
  EXPECT_EQ(title[1].kind, Kind::kWord);
  EXPECT_EQ(title[1].text, "year");
  EXPECT_EQ(c.Field("DupeKind")->items.at(0).alternatives.size(), 2u);
  EXPECT_EQ(c.Field("MultiplierKinds")->items.at(0).Fixed().members, (std::vector<int>{2, 14}));
  EXPECT_EQ(c.Field("ValidDoks")->items.size(), 3u);
  EXPECT_EQ(c.Field("Classes[1]")->items.at(1).Fixed().text, "text, with # and comma");
  EXPECT_EQ(c.Field("Classes[1]")->items.at(2).Fixed().number, 3);

  EXPECT_EQ(c.ForClass(4, "Bands")->items[0].Fixed().text, "_c");
  EXPECT_EQ(c.ForClass(3, "Bands"), nullptr) << "the contest's bands are a union";
  EXPECT_EQ(c.ForClass(2, "SWL")->items[0].Fixed().number, 1);
  EXPECT_EQ(c.ForClass(3, "SWL")->items[0].Fixed().number, 0);
  EXPECT_EQ(c.ForClass(0, "Bands")->items[0].Fixed().text, "_c") << "index 0 reads class 1";
  EXPECT_EQ(c.ClassField(0, "Bands"), nullptr);
}

using BadRow = common::testing::Row<const char*, int>;  // table text, line of the error

class GoldenContestTableRejects : public ::testing::TestWithParam<BadRow> {};

TEST_P(GoldenContestTableRejects, NamingTheLine) {
  try {
    ParseGoldenTable(GetParam().in);
    ADD_FAILURE() << "accepted";
  } catch (const GoldenFormatError& e) {
    EXPECT_EQ(e.line(), GetParam().out) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GoldenContestTableRejects,
    ::testing::Values(BadRow{"UnknownField", "[x]\nDupKind: 1\n", 2},
                      BadRow{"SubFieldAsKey", "[x]\nClassText: \"a\"\n", 2},
                      BadRow{"CodeTwice", "[x]\n[y]\n[x]\n", 3},
                      BadRow{"FieldTwice", "[x]\nSWL: 1\nSWL: 0\n", 3},
                      BadRow{"FieldTwiceForOneClass", "[x]\n[x/1-3]\nSWL: 1\n[x/3]\nSWL: 0\n", 5},
                      BadRow{"ClassBlockOfAnotherCode", "[x]\n[y/1]\n", 2},
                      BadRow{"ClassIndexTooHigh", "[x]\n[x/21]\n", 2},
                      BadRow{"CountInClassBlock", "[x]\n[x/1]\n@ClassCount: 1\n", 3},
                      BadRow{"TwoItemsForThreeSlots", "[x]\nExchangeKindsRcvd: 4, 0\n", 2},
                      BadRow{"TextForNumber", "[x]\nDupeKind: \"1\"\n", 2},
                      BadRow{"SetForText", "[x]\nTitle: {1}\n", 2},
                      BadRow{"UnknownWord", "[x]\nTitle: someday\n", 2},
                      BadRow{"DescendingSet", "[x]\nOutputMenu: {2, 1}\n", 2},
                      BadRow{"DigitInLetters", "[x]\nBands: \"b1\"\n", 2},
                      BadRow{"OpenText", "[x]\nTitle: \"abc\n", 2},
                      BadRow{"NotWindows1252", "[x]\nTitle: \"\xC4\x81\"\n", 2},
                      BadRow{"PeriodWithoutSlot", "[x]\nPeriods: \"a\", \"b\", \"c\", \"d\"\n", 2},
                      BadRow{"ClassSlotTooHigh", "[x]\nClasses[21]: \"a\", \"b\", 0\n", 2},
                      BadRow{"ContinuationAfterBlank", "[x]\n\n  \"a\"\n", 3},
                      BadRow{"FieldBeforeBlock", "SWL: 1\n", 1},
                      BadRow{"MissingComma", "[x]\nModes: \"CW\" \"SSB\"\n", 2}),
    common::testing::RowName);

}  // namespace
}  // namespace contest::testing
