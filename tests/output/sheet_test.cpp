// The sections of the summary sheet on records made here: the score text and its tallies, the
// points table with the total column, the contest-specific lines, the periods, the station
// description and the declaration on file and on paper.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/dates.h"
#include "common/service.h"
#include "logbook/reference/bands.h"
#include "output/summary_sheet.h"
#include "tests/common/rows.h"
#include "tests/common/temp_folder.h"
#include "tests/output/output_fixture.h"

namespace output {
namespace {

using output_test::OutputFixture;

class SheetTest : public ::testing::Test {
 protected:
  SheetTest() {
    log_.Typ = 'W';
    log_.OwnCall = "DL1ABC";
    log_.OwnDOK = "B36";
    facts_.station = {"JO62QM", "Hans Muster", "DE-1234", "Hauptstr. 1", "12345 Berlin",
                      "Germany", "", ""};
    facts_.today = "09.03.2024";
    definition_.Title = "Testcontest";
    definition_.VersionText = "PEL Test 1.0";
  }

  // The lines `write` puts into an E-Log summary file, without their indent.
  std::vector<std::string> Written(const std::function<void(SummarySheet&)>& write) {
    TAlleRout& channel = f_.Channel();
    EXPECT_TRUE(channel.Open(6));
    f_.Chooser().answers.push_back(f_.Path("sheet"));
    EXPECT_TRUE(channel.OpenFileKind(6, contest::TContestKKRec{}, contest::TContestRec{}));
    SummarySheet sheet(channel, definition_, log_, tallies_, facts_);
    write(sheet);
    channel.CloseAndShow();
    std::vector<std::string> lines;
    std::ifstream in(channel.FileName(), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      EXPECT_EQ(line.substr(0, 5), "     ");
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line.substr(5));
    }
    return lines;
  }

  // The texts `write` prints on the first page of the recording printer, in order.
  std::vector<platform::qt::TPrintedText> Printed(
      const std::function<void(SummarySheet&)>& write) {
    TAlleRout& channel = f_.Channel();
    f_.PrintDialog().answers.push_back({});
    EXPECT_TRUE(channel.Open(0));
    SummarySheet sheet(channel, definition_, log_, tallies_, facts_);
    write(sheet);
    channel.Close();
    return f_.Printer().PageTexts(1);
  }

  OutputFixture f_;
  common::ScopedService<logbook::ToBaender> bands_;
  contest::TContestRec definition_;
  contest::TContestKKRec log_{};
  BandSlotTallies tallies_;
  SheetFacts facts_;
};

// --- the final score ---

struct ScoreRow {
  const char* name;
  char code;
  bool kinds;
  std::uint8_t flag34, flag36, score_flag;
  std::int32_t multipliers, points;
  const char* text;
  std::int32_t multipliers_after;
};
void PrintTo(const ScoreRow& row, std::ostream* os) { *os << row.name; }

class FinalScoreTest : public SheetTest, public ::testing::WithParamInterface<ScoreRow> {};

TEST_P(FinalScoreTest, WritesTheScoreTextOfItsRule) {
  const ScoreRow& r = GetParam();
  log_.Typ = r.code;
  if (r.kinds) definition_.MultiplierKinds.set(4);
  definition_.Flag34 = r.flag34;
  definition_.Flag36 = r.flag36;
  definition_.ScoreFlag = r.score_flag;
  // Per band: 50 points without multipliers, 50 points with 3.
  tallies_.points[0] = 50;
  tallies_.points[1] = 50;
  tallies_.multipliers[1] = 3;
  f_.Channel().MultiTotal = r.multipliers;
  f_.Channel().PointsTotal = r.points;
  const std::vector<std::string> lines = Written([](SummarySheet& s) { s.WriteFinalScore(); });
  EXPECT_EQ(lines, (std::vector<std::string>{" ", "          Endergebnis:  " + std::string(r.text)}));
  EXPECT_EQ(f_.Channel().MultiTotal, r.multipliers_after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FinalScoreTest,
    ::testing::Values(
        ScoreRow{"PointsWithoutMultipliers", 'W', true, 0, 0, 0, 0, 120,
                 "120 Punkte x 1 Multi = 120 Punkte", 1},
        ScoreRow{"NoPointsNoMultipliers", 'W', true, 0, 0, 0, 0, 0, "0 Punkte x 0 Multi = 0 Punkte",
                 0},
        ScoreRow{"General", 'W', true, 0, 0, 0, 3, 50, "50 Punkte x 3 Multi = 150 Punkte", 3},
        ScoreRow{"InTenths", 'R', true, 0, 0, 0, 3, 45, "4,5 Punkte x 3 Multi = 13,5 Punkte", 3},
        ScoreRow{"NoMultiplierKinds", 'W', false, 0, 0, 0, 0, 120, "120 Punkte", 0},
        ScoreRow{"PostcodeAreas", '5', true, 1, 0, 0, 2, 3, "3 Punkte /  2 PLZ-Bereiche", 2},
        ScoreRow{"Prefixes", 'P', true, 1, 0, 0, 4, 7, "7 Punkte   4 Präfixe", 4},
        ScoreRow{"PointsOnly", 'W', true, 1, 0, 0, 4, 7, "7 Punkte (4 Multi) = 7 Punkte", 4},
        ScoreRow{"MultipliersOnly", 'W', true, 0, 0, 1, 4, 7, "4 Punkte", 4},
        ScoreRow{"TotalColumn", 'W', true, 0, 1, 0, 3, 100, "   200", 3}),
    common::testing::RowName);

TEST_F(SheetTest, TheScoreLabelFollowsTheChannelAndItsWordsTheProgramLanguage) {
  definition_.MultiplierKinds.set(4);
  f_.Channel().MultiTotal = 2;
  f_.Channel().PointsTotal = 10;
  const std::vector<std::string> lines = Written([&](SummarySheet& s) {
    f_.Channel().English = true;
    s.WriteFinalScore();
  });
  EXPECT_EQ(lines.back(), "          Final Score:  10 Punkte x 2 Multi = 20 Punkte");
  log_.Typ = 0;  // the older VHF layout has no final score
  EXPECT_EQ(Written([](SummarySheet& s) { s.WriteFinalScore(); }), std::vector<std::string>{});
}

// --- the points table ---

TEST_F(SheetTest, TheTotalColumnShowsWhatEachBandAddsAndNoSumRow) {
  definition_.MultiplierKinds.set(4);
  definition_.MultiplierNames[0] = "DOK";
  definition_.Flag36 = 1;
  definition_.Bands[0] = 'b';
  definition_.Bands[2] = 'e';  // slot 2 unused
  tallies_.qsos = {5, 0, 7};
  tallies_.points = {50, 0, 50};
  tallies_.multipliers = {0, 0, 3};
  tallies_.slot_tallies[0] = {0, 0, 3};
  const std::vector<std::string> lines = Written([](SummarySheet& s) { s.WritePointsTable(); });
  const std::string ten(10, ' ');
  EXPECT_EQ(lines, (std::vector<std::string>{
                       ten + "Band        QSO   Punkte       DOK    Gesamt",
                       ten + "80 m            5       50         0      50",
                       ten + "20 m            7       50         3     150",
                       ten + std::string(55, '_')}));
}

// --- the head of the sheet ---

TEST_F(SheetTest, StationLineByLanguageListenerAndContest) {
  log_.OperatorNumber = 42;
  const auto station_line = [&](char code, bool english, bool listener) {
    log_.Typ = code;
    definition_.SWL = listener ? 1 : 0;
    return Written([&](SummarySheet& s) {
      f_.Channel().English = english;
      s.WriteStationLines();
    }).at(0);
  };
  const std::string loc = "Loc: JO62QM   ";
  EXPECT_EQ(station_line('W', false, false), "Call: DL1ABC       DOK: B36          " + loc);
  EXPECT_EQ(station_line('W', false, true),
            "SWL:  DE-1234             DOK: B36          " + loc);
  EXPECT_EQ(station_line('W', true, false), "Callsign: DL1ABC              " + loc);
  EXPECT_EQ(station_line('W', true, true), "SWL:      DE-1234             " + loc);
  log_.OwnLDK = "NRW";
  EXPECT_EQ(station_line('A', false, false), "Call: DL1ABC       LDK: NRW          " + loc);
  EXPECT_EQ(station_line('7', false, false).substr(51), "DIG: 0042");
  EXPECT_EQ(station_line('m', false, false).substr(51), "Teiln.-Nr: 0042");
  log_.OperatorNumber = 0;
  EXPECT_EQ(station_line('4', false, false).substr(51), "RTC: ");
  facts_.station.locator = "";
  EXPECT_EQ(station_line('W', false, false), "Call: DL1ABC       DOK: B36          ");
}

TEST_F(SheetTest, ParticipantDetailsOfTheContests) {
  const auto details = [&](char code, std::int32_t number, std::uint8_t flag = 0) {
    log_.Typ = code;
    log_.OperatorNumber = static_cast<std::uint32_t>(number);
    log_.MultiplierFlag = flag;
    return Written([](SummarySheet& s) { s.WriteParticipantDetails(); });
  };
  using Lines = std::vector<std::string>;
  EXPECT_EQ(details('P', -1), (Lines{"Lebensalter: XX", " "}));
  EXPECT_EQ(details('P', 67), (Lines{"Lebensalter: 67", " "}));
  EXPECT_EQ(details('Z', 0, 255), (Lines{" ", "IPARC-Mitglied: Ja", " "}));
  EXPECT_EQ(details('Z', 0, 0), (Lines{" ", "IPARC-Mitglied: Nein", " "}));
  EXPECT_EQ(details('Y', 1), (Lines{" ", "Wertungsgruppe: M: Multi = Multi OP/Single TX", " "}));
  EXPECT_EQ(details('Y', 2), (Lines{" ", "Wertungsgruppe: SWL", " "}));
  EXPECT_EQ(details('W', 5), (Lines{" "}));
}

TEST_F(SheetTest, PeriodLinesShowTheirGivenParts) {
  PeriodSet periods;
  periods.start_times[0] = 10 * 3600;
  periods.end_times[0] = 10 * 3600 + 59 * 60 + 59;
  periods.start_dates[0] = common::DMYToDate(9, 3, 2024);
  periods.end_dates[0] = common::DMYToDate(10, 3, 2024);
  periods.start_times[2] = 14 * 3600;
  periods.end_times[2] = 15 * 3600;
  EXPECT_EQ(Written([&](SummarySheet& s) { s.WriteContestPeriod(periods); }),
            (std::vector<std::string>{
                "Wertungszeitraum: 09.03.2024 10:00:00 - 10.03.2024 10:59:59",
                std::string(18, ' ') + "14:00:00 - 15:00:00"}));
}

// --- the station description ---

TEST_F(SheetTest, StationDescriptionOfTheContests) {
  using Lines = std::vector<std::string>;
  const auto description = [&](char code, std::int32_t number = 0) {
    log_.Typ = code;
    log_.OperatorNumber = static_cast<std::uint32_t>(number);
    return Written([](SummarySheet& s) { s.WriteStationDescription(); });
  };
  facts_.lists = {12, 7, "OK1ABC;JO70AA;45"};
  const std::string ten(10, ' ');
  EXPECT_EQ(description('8'), (Lines{ten + "Anzahl gearbeiteter DXCC: 12",
                                     ten + "Anzahl gearbeiteter Loc : 7",
                                     ten + "ODX                     : OK1ABC;JO70AA;45", " "}));
  facts_.joined_multipliers = "Z11 Z22 ";
  EXPECT_EQ(description('o'), (Lines{"Z-DOK: Z11 Z22 ", " "}));
  facts_.station_file = f_.Path("OQRP     7.STN");
  EXPECT_EQ(description('b', 3), (Lines{"Im OQRPC habe ich auf dem 80/40/20m-Band",
                                        "mit einem individuellen Unikat teilgenommen.", " "}));
  EXPECT_FALSE(std::filesystem::exists(facts_.station_file));  // the read makes no file
  std::ofstream(facts_.station_file, std::ios::binary) << "TRX: FT-817\r\nANT: Dipol\r\n";
  EXPECT_EQ(description('b', 2),
            (Lines{"Im OQRPC habe ich auf dem 80/40/20m-Band",
                   "mit einem von mir selbstgebauten Bausatz teilgenommen.", " ", " ",
                   "Angaben zur Station:", "TRX: FT-817", "ANT: Dipol", " "}));
  EXPECT_EQ(description('j'), (Lines{" ", "Angaben zur Station:", "TRX: FT-817", "ANT: Dipol", " "}));
  EXPECT_EQ(description('W'), Lines{});
}

// --- the declaration ---

TEST_F(SheetTest, ALongCityMovesTheDateToALineOfItsOwn) {
  facts_.station.city = "12345 " + std::string(55, 'X');
  const std::vector<std::string> lines = Written([](SummarySheet& s) { s.WriteDeclaration(); });
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(lines[5], "Ort: " + facts_.station.city);
  EXPECT_EQ(lines[6], " ");
  EXPECT_EQ(lines[7], "Datum: 09.03.2024   Call: DL1ABC" + std::string(11, ' '));
}

TEST_F(SheetTest, AListenerDeclaresTheSwlNumberWhateverItsClass) {
  definition_.SWL = 1;
  log_.ClassIndex = 9;
  facts_.station.city = "Berlin";
  const std::vector<std::string> lines = Written([](SummarySheet& s) { s.WriteDeclaration(); });
  EXPECT_EQ(lines.at(5), "Ort: Berlin     Datum: 09.03.2024     SWL :DE-1234");
  definition_.SWL = 0;
  log_.ClassIndex = 4;
  EXPECT_EQ(Written([](SummarySheet& s) { s.WriteDeclaration(); }).at(5),
            "Ort: Berlin     Datum: 09.03.2024   Call: DL1ABC");
}

TEST_F(SheetTest, TheSignatureIsOnlyOnPaperAndTheFileKeepsItsBlanks) {
  facts_.station.city = "";
  log_.OwnCall = "DL1AB";
  const std::string line = "Ort:      Datum: 09.03.2024   Call: DL1AB";  // 41 characters
  EXPECT_EQ(Written([](SummarySheet& s) { s.WriteDeclaration(); }).at(5), line + "  ");
  const auto printed = Printed([](SummarySheet& s) { s.WriteDeclaration(); });
  ASSERT_GE(printed.size(), 6u);
  EXPECT_EQ(printed[5].text, line + "  Unterschrift _______________");
  log_.OwnCall = "DL1ABC";  // 42 characters and the signature reach 70
  const auto wrapped = Printed([](SummarySheet& s) { s.WriteDeclaration(); });
  ASSERT_GE(wrapped.size(), 8u);
  EXPECT_EQ(wrapped[5].text, line + "C");
  EXPECT_EQ(wrapped[6].text, " ");
  EXPECT_EQ(wrapped[7].text, "Unterschrift _______________");
}

TEST_F(SheetTest, TheEnglishDeclarationSignsInBoldOnPaper) {
  definition_.SWL = 1;
  const std::vector<std::string> lines = Written([&](SummarySheet& s) {
    f_.Channel().English = true;
    s.WriteDeclaration();
  });
  const std::string signed_line = " City:12345 Berlin Date 09.03.2024 SWL  DE-1234";
  EXPECT_EQ(lines, (std::vector<std::string>{"I affirm that I have observed all rules of ",
                                             "Testcontest.", signed_line + "   ", " ", " ",
                                             "Printed with Pelorin"}));
  const auto printed = Printed([&](SummarySheet& s) {
    f_.Channel().English = true;
    s.WriteDeclaration();
  });
  ASSERT_EQ(printed.size(), 6u);
  EXPECT_EQ(printed[2].text, signed_line + "   Sign _______________");
  EXPECT_TRUE(printed[2].Bold());
  EXPECT_FALSE(printed[3].Bold());
}

TEST_F(SheetTest, TheFooterNamesTheMakersPageWhenOneIsSet) {
  facts_.maker_page = "www.example.org";
  const std::vector<std::string> lines = Written([](SummarySheet& s) { s.WriteDeclaration(); });
  EXPECT_EQ(lines.at(7), "Dieses ContestLog wurde mit PEL Test 1.0 erstellt. (www.example.org)");
}

}  // namespace
}  // namespace output
