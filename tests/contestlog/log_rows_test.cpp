// The QSO list's texts without a window: the heading of normal and listener logs, the row of
// one record of a fixture log in the cases that change it, and the sort orders' keys.
#include "contestlog/log_rows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/key_text.h"
#include "common/string_helpers.h"
#include "contestlog/log_core.h"
#include "tests/contestlog/log_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contest::TContestRec;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::MainTables;
using contestlog_test::Qso;

class LogRowsTest : public contestlog_test::LogTest {};

void SetNames(TContestRec& d, const char* one, const char* two, const char* three) {
  d.MultiplierNames[0] = one;
  d.MultiplierNames[1] = two;
  d.MultiplierNames[2] = three;
}

std::vector<std::string> Titles(const std::string& heading) {
  std::vector<std::string> titles;
  std::size_t from = 0;
  for (std::size_t at = heading.find(';'); at != std::string::npos; at = heading.find(';', from)) {
    titles.push_back(heading.substr(from, at - from));
    from = at + 1;
  }
  titles.push_back(heading.substr(from));
  return titles;
}

TEST_F(LogRowsTest, HeadingOfANormalLogAndOfAListenerLog) {
  TContestRec definition;
  SetNames(definition, "DOK", "", "Callmulti");
  const std::vector<std::string> normal = Titles(HeaderText(definition));
  EXPECT_EQ(normal, (std::vector<std::string>{
                        "Nr ", " Datum    ", " UTC ", " Call    ", "Band ", "Mod",
                        " RSTsent      ", " RSTrcvd      ", "DOK   ", "Callmulti", "Pkt", "sQr",
                        "Name      ", "QTH       ", "Freq.", std::string(200, ' ')}));

  definition.SWL = 1;
  SetNames(definition, "", "", "");
  const std::vector<std::string> listener = Titles(HeaderText(definition));
  EXPECT_EQ(listener, (std::vector<std::string>{"Nr ", " Datum    ", " UTC ", " Call    ",
                                                "Band ", "Mod", " RSTsent      ", "Call2  ",
                                                "RSTsent2 ", "Pkt", "sQr", std::string(200, ' ')}));
}

TEST(PadColumnTest, PadsShortTextsOnlyAndKeepsLongOnes) {
  EXPECT_EQ(PadColumn("DOK", 6), "DOK   ");
  EXPECT_EQ(PadColumn("Callmulti", 6), "Callmulti");
  EXPECT_EQ(PadColumn("", 2), "  ");
}

// One case of the row: a contest code, what the case changes in the window's definition and in
// the fixture QSO, and the row it must give.
struct RowCase {
  const char* name;
  char code;
  std::function<void(TContestRec&)> definition;
  std::function<void(TContestLKRec&)> qso;
  std::string row;
};

// The fixture QSO: No. 7 at 01:05 on 80 m, CW, reports 599 and 579 with exchanges, DL as the
// second multiplier's text, name and QTH, QSL sent, 3.525 MHz, 2 points.
TContestLKRec FixtureQso() {
  TContestLKRec q = Qso("DL2XYZ", 'b', kContestDay, 3900);
  q.wagNummer = 7;
  q.SentExch1_9 = "599001";
  q.RcvdExch1_9 = "57942";
  q.Info = "DL";
  q.NameQth = "Hans;Berlin";
  q.QslSent = 'Y';
  q.Frequency = 3.525F;
  q.Points = 2;
  q.Call2 = "DL9XX";
  return q;
}

void NoMultiplierNames(TContestRec& d) { SetNames(d, "", "", ""); }
void NoChange(TContestLKRec&) {}

class RowRows : public LogRowsTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RowRows, BuildLogRowGivesTheRowOfTheRecord) {
  const RowCase& c = GetParam();
  LogBuilder b(c.code, 5);
  const std::int32_t log = b.Create();
  TContestLKRec qso = FixtureQso();
  c.qso(qso);
  const std::int32_t ref = b.Add(qso);
  MainTables main(log);
  ContestLogCore window(log, main.catalogue, main.contest_data, b.Definition());
  SetNames(window.Definition, "", "DXCC", "Callmulti");
  c.definition(window.Definition);
  EXPECT_EQ(BuildLogRow(ref, window), c.row);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, RowRows, ::testing::Values(
    RowCase{"QsoWithTwoMultiplierSlots", '.', [](TContestRec&) {}, NoChange,
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42; DL; DL9XX; 2; Y  ; "
            "HANS; BERLIN; 3,525"},
    RowCase{"EmptySlotValuesKeepTheirCells", '.', [](TContestRec&) {},
            [](TContestLKRec& q) { q.Info = ""; q.Call2 = ""; q.QslRcvd = 'N'; },
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42;  ;  ; 2; Y N; "
            "HANS; BERLIN; 3,525"},
    RowCase{"WithoutMultiplierNamesFromTheReportToThePoints", '.', NoMultiplierNames, NoChange,
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42; 2; Y  ; HANS; BERLIN; "
            "3,525"},
    RowCase{"ListenerLogInMixedCaseWithoutNameQthAndFrequency", '.',
            [](TContestRec& d) { d.SWL = 1; },
            [](TContestLKRec& q) { q.Call = "dl2xyz"; },
            "     7; 09.03.24; 01:05; dl2xyz; 80 m; CW; 57942; DL9XX; 599001; DL; DL9XX; 2; Y  "},
    RowCase{"QsyMarker", '.', [](TContestRec&) {},
            [](TContestLKRec& q) { q.SkipMark = 'b'; q.Call = ""; },
            "; 09.03.24; 01:05; *** QSY 80 m ***; ; ; ; ; ; ; "},
    RowCase{"NameQthWithoutSemicolonIsTheQth", '.', NoMultiplierNames,
            [](TContestLKRec& q) { q.NameQth = "Berlin"; },
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42; 2; Y  ; ; BERLIN; "
            "3,525"},
    RowCase{"SelectedRecordStartsWithCharacterOne", '.', NoMultiplierNames,
            [](TContestLKRec& q) { q.sel = 1; },
            "\x01     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42; 2; Y  ; HANS; "
            "BERLIN; 3,525"},
    RowCase{"PointsInTenthsForR", 'R', NoMultiplierNames,
            [](TContestLKRec& q) { q.Points = 123; },
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42; 12,3; Y  ; HANS; "
            "BERLIN; 3,525"},
    RowCase{"ReceivedTextWithoutSlashesForZ", 'z', NoMultiplierNames,
            [](TContestLKRec& q) { q.RcvdExch1_9 = "57942/B36"; },
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42B36; 2; Y  ; HANS; "
            "BERLIN; 3,525"},
    RowCase{"ReceivedTextKeepsItsSlashesElsewhere", '.', NoMultiplierNames,
            [](TContestLKRec& q) { q.RcvdExch1_9 = "57942/B36"; },
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42/B36; 2; Y  ; HANS; "
            "BERLIN; 3,525"},
    RowCase{"FrequencyWithThreeDecimalsAndAComma", '.', NoMultiplierNames,
            [](TContestLKRec& q) { q.Frequency = 14.0255F; q.NameQth = ""; },
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42; 2; Y  ; ; ; 14,026"},
    RowCase{"QthWithAnUmlautUpperCased", '.', NoMultiplierNames,
            [](TContestLKRec& q) { q.NameQth = "Jörg;München"; },
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42; 2; Y  ; JÖRG; "
            "MÜNCHEN; 3,525"},
    RowCase{"QsoAtMidnightShowsItsTime", '.', NoMultiplierNames,
            [](TContestLKRec& q) { q.Zeit = 0; },
            "     7; 09.03.24; 00:00; DL2XYZ; 80 M; CW; 599  001; 579  42; 2; Y  ; HANS; BERLIN; "
            "3,525"},
    RowCase{"QsoWithoutDateOrTimeShowsBlanksOfTheirWidth", '.', NoMultiplierNames,
            [](TContestLKRec& q) { q.Datum = -1; q.Zeit = -1; },
            "     7;         ;      ; DL2XYZ; 80 M; CW; 599  001; 579  42; 2; Y  ; HANS; BERLIN; "
            "3,525"},
    RowCase{"BonusStationOfKInTheThirdSlot", 'k',
            [](TContestRec& d) {
              SetNames(d, "", "", "Callmulti");
              d.BonusCalls[0] = "DL2XYZ";
            },
            NoChange,
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42; DL2XYZ; 2; Y  ; HANS; "
            "BERLIN; 3,525"},
    RowCase{"OtherCallOfKLeavesTheThirdSlotBlank", 'k',
            [](TContestRec& d) {
              SetNames(d, "", "", "Callmulti");
              d.BonusCalls[0] = "DL7BON";
            },
            NoChange,
            "     7; 09.03.24; 01:05; DL2XYZ; 80 M; CW; 599  001; 579  42;  ; 2; Y  ; HANS; "
            "BERLIN; 3,525"}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return info.param.name; });
// clang-format on

TEST_F(LogRowsTest, CellsByFieldName) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(FixtureQso());
  MainTables main(log);
  ContestLogCore window(log, main.catalogue, main.contest_data, b.Definition());
  SetNames(window.Definition, "DOK", "", "");
  contest::TdbContest table(contest::kTableLK, log);
  ASSERT_TRUE(table.First(4));
  EXPECT_EQ(BuildRowText("RSTs", table, window), "599 001");
  EXPECT_EQ(BuildRowText("Nr", table, window), "     7");
  EXPECT_EQ(BuildRowText("Call2", table, window), "DL9XX");
  EXPECT_EQ(BuildRowText("Multi1", table, window), " ");  // named, no value
  EXPECT_EQ(BuildRowText("Multi2", table, window), "");   // not named
  EXPECT_EQ(BuildRowText("Name", table, window), "Hans");
  EXPECT_EQ(BuildRowText("Unbekannt", table, window), "");
}

TEST_F(LogRowsTest, AnEmptyRowOfTheListGivesNoText) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  const std::int32_t ref = b.Add(FixtureQso());
  MainTables main(log);
  ContestLogCore window(log, main.catalogue, main.contest_data, b.Definition());
  EXPECT_EQ(BuildLogRow(0, window), "");
  EXPECT_EQ(BuildLogRow(-1, window), "");
  EXPECT_FALSE(BuildLogRow(ref, window).empty());
}

struct SortCase {
  const char* name;
  int order;
  bool key_form;
  int key;
  std::string low;
  std::string high;
};

class SortRows : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortRows, EachOrderItsIndexAndBounds) {
  const SortCase& c = GetParam();
  common::TKeyStr low = common::ShortToLenArray("unchanged low");
  common::TKeyStr high = common::ShortToLenArray("unchanged high");
  EXPECT_EQ(LogListSortKey(c.order, 'c', c.key_form, low, high), c.key);
  EXPECT_EQ(common::LenArrayToShort(low), c.low);
  EXPECT_EQ(common::LenArrayToShort(high), c.high);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Orders, SortRows, ::testing::Values(
    SortCase{"BandByInternalNumber", 0, true, 8, "c", "c"},
    SortCase{"BandCallMode", 1, true, 9, "c1             ", "c" + std::string(14, 'Z')},
    SortCase{"BandDxcc", 2, true, 10, "c1     ", "cZZZZZZ"},
    SortCase{"NumberAsKeyTexts", 3, true, 4, common::LongIntToKey(1),
             common::LongIntToKey(999999999)},
    SortCase{"NumberAsDecimalTexts", 3, false, 4, "1", "999999999"},
    SortCase{"CallDateTime", 4, true, 2, "", ""},
    SortCase{"Dxcc", 5, true, 5, "0     ", "ZZZZZZ"},
    SortCase{"Dok", 6, true, 18, "0     ", "ZZZZZZ"},
    SortCase{"AnyOtherDateTimeWithTheBoundsAsTheyWere", 7, true, 1, "unchanged low",
             "unchanged high"},
    SortCase{"NegativeOrder", -1, true, 1, "unchanged low", "unchanged high"}),
    [](const ::testing::TestParamInfo<SortCase>& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace contestlog
