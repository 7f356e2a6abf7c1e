// The QSO list's columns and lines on logs of the contests with their own columns, and the
// score lines under a list.
#include "output/qso_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/common/rows.h"
#include "tests/output/fixture_logs.h"
#include "tests/output/golden_file.h"

namespace output_test {
namespace {

using output::TAlleRout;

class QsoListTest : public OutputLogTest {
 protected:
  // Opens the channel for a kind of the list (7 the E-Log list, 13 CSV) into a file.
  void OpenList(int kind) {
    ASSERT_TRUE(channel_.Open(kind));
    chooser_->answers.push_back(folder_ / "list");
    ASSERT_TRUE(channel_.OpenFileKind(kind, contest::TContestKKRec{}, contest::TContestRec{}));
  }
  // The line of `qso` in log `b` after measuring the log.
  std::string LineOf(const LogBuilder& b, const contest::TContestRec& definition,
                     const contest::TContestLKRec& qso) {
    contestlog_test::MainTables tables(b.Number());
    contest::TContestKKRec catalogue{};
    tables.catalogue.GetKKRec(catalogue);
    contest::TdbContest log(contest::kTableLK, b.Number());
    output::MeasureColumns(channel_, definition, catalogue.Typ, log);
    return output::WriteListQSO(channel_, 1, definition, tables.catalogue, qso);
  }
};

TEST_F(QsoListTest, ColumnsTakeTheWidestValueOfEveryQso) {
  LogBuilder b('k');
  b.Create();
  const contest::TContestLKRec long_one = QsoOf({"DL1XX/P", 'b', At(15, 0), "SSB", "599",
                                                 "599ABCDEFGHIJKLMNOPQRSTU", 1234, "DL", "12345",
                                                 "DL", "EU", "DL1XX/PORTAB"});
  b.Add(long_one);
  b.Add(QsoOf({"K1A", 'b', At(15, 5), "SSB", "59", "59", 2}));
  OpenList(7);
  contest::TdbContest log(contest::kTableLK, b.Number());
  output::MeasureColumns(channel_, b.Definition(), b.Catalogue().Typ, log);
  // Sent, received, call, points; multiplier slots "DXCC", "QCWA", "Callmulti".
  EXPECT_EQ(channel_.ColumnWidths, (std::array<std::int32_t, 7>{9, 26, 9, 4, 6, 7, 14}));

  // The received exchange of 24 characters is written whole.
  const std::string line = LineOf(b, b.Definition(), long_one);
  EXPECT_NE(line.find(" 599 ABCDEFGHIJKLMNOPQRSTU  DL "), std::string::npos) << line;

  LogBuilder empty('.', 1);
  empty.Create();
  contest::TdbContest none(contest::kTableLK, empty.Number());
  output::MeasureColumns(channel_, empty.Definition(), empty.Catalogue().Typ, none);
  EXPECT_EQ(channel_.ColumnWidths, (std::array<std::int32_t, 7>{9, 9, 8, 1, 2, 2, 2}));
}

TEST_F(QsoListTest, TheCallColumnOfShortCallsStaysEightWide) {
  LogBuilder b('.', 1);
  b.Create();
  b.Add(QsoOf({"K1A", 'b', At(10, 0)}));
  OpenList(7);
  contest::TdbContest log(contest::kTableLK, b.Number());
  output::MeasureColumns(channel_, b.Definition(), b.Catalogue().Typ, log);
  EXPECT_EQ(channel_.ColumnWidths[output::kCallColumn], 8);
}

TEST_F(QsoListTest, TheBonusColumnOfTheQcwaPartyShowsTheBonusStationsCalls) {
  LogBuilder b('k');
  b.Create();
  const contest::TContestLKRec bonus = QsoOf({"DL1XX/P", 'b', At(15, 0), "SSB", "59", "59"});
  const contest::TContestLKRec other = QsoOf({"DK2YY", 'b', At(15, 1), "SSB", "59", "59"});
  b.Add(bonus);
  b.AddQsy('b', kContestDay, At(15, 2), true);
  b.Add(other);
  OpenList(7);
  contest::TContestRec definition = b.Definition();
  // The last column but the points: "Callmulti" and two blanks.
  const auto bonus_column = [&](const contest::TContestLKRec& qso) {
    const std::string line = LineOf(b, definition, qso);
    return line.substr(line.size() - 13);
  };
  // No call counts while the bonus stations are not supplied.
  EXPECT_EQ(bonus_column(other), std::string(12, ' ') + "0");
  EXPECT_EQ(bonus_column(bonus), std::string(12, ' ') + "0");
  definition.BonusCalls[0] = "DL1XX";
  EXPECT_EQ(bonus_column(bonus), "DL1XX/P" + std::string(5, ' ') + "0");
  EXPECT_EQ(bonus_column(other), std::string(12, ' ') + "0");
}

TEST_F(QsoListTest, TheHelvetiaContestListsItsExchangeWithoutSlashes) {
  LogBuilder b('z');
  b.Create();
  const contest::TContestLKRec qso = QsoOf({"HB9AA", 'e', At(13, 0), "CW", "599B36", "599ZH/001"});
  b.Add(qso);
  b.AddQsy('e', kContestDay, At(13, 1), true);
  OpenList(7);
  const std::string line = LineOf(b, b.Definition(), qso);
  EXPECT_NE(line.find("599 ZH001"), std::string::npos) << line;
  EXPECT_EQ(line.find('/'), std::string::npos) << line;
}

struct BandRow {
  const char* name;
  char band;
  const char* fixed;
  const char* csv;
};
void PrintTo(const BandRow& row, std::ostream* os) { *os << row.name; }

class BandColumnTest : public QsoListTest, public ::testing::WithParamInterface<BandRow> {};

// The band column is the band's name without its last character and without the 'c' of "cm".
TEST_P(BandColumnTest, NamesTheBandInFourPlaces) {
  const BandRow& r = GetParam();
  LogBuilder b('.', 1);
  b.Create();
  const contest::TContestLKRec qso = QsoOf({"DL2XYZ", r.band, At(10, 0)});
  OpenList(7);
  EXPECT_EQ(LineOf(b, b.Definition(), qso).substr(27, 5), std::string(r.fixed) + " ");
  OpenList(13);
  const std::string line = LineOf(b, b.Definition(), qso);
  EXPECT_EQ(line.substr(24, line.find(";CW;") - 24), r.csv) << line;
}

INSTANTIATE_TEST_SUITE_P(Bands, BandColumnTest,
                         ::testing::Values(BandRow{"Metres80", 'b', "80  ", "80"},
                                           BandRow{"Metres2", 'k', "2   ", "2"},
                                           BandRow{"Centimetres70", 'l', "70  ", "70"},
                                           BandRow{"Centimetres6", 'p', "6   ", "6"},
                                           BandRow{"Metres6", 'j', "6   ", "6"},
                                           BandRow{"Millimetres6", 't', "0.6 ", "0.6"}),
                         common::testing::RowName);

TEST_F(QsoListTest, ACsvFieldHoldingTheSeparatorOrAQuoteIsQuoted) {
  LogBuilder b('I', 1);
  b.Create();
  contest::TContestLKRec qso = QsoOf({"DL2XYZ", 'b', At(8, 0), "CW", "599I01", "599I02"});
  b.Add(qso);
  OpenList(13);
  const auto name_field = [&](const char* name_and_qth) {
    qso.NameQth = name_and_qth;
    const std::string line = LineOf(b, b.Definition(), qso);
    return line.substr(line.find(";0;") + 3);
  };
  EXPECT_EQ(name_field("Hans;Bremen"), "Hans/Bremen");
  EXPECT_EQ(name_field("Hans;Bre;men"), "\"Hans/Bre;men\"");
  EXPECT_EQ(name_field("Jo \"Ace\";Kiel"), "\"Jo \"\"Ace\"\"/Kiel\"");
  EXPECT_EQ(name_field("Hans;"), "Hans");
  // Without a name the column is there, empty.
  qso.NameQth = ";";
  const std::string line = LineOf(b, b.Definition(), qso);
  EXPECT_EQ(line.substr(line.size() - 3), ";0;");
  EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 8);
}

// On the CSV channel the name and QTH of 'I' and 'l' are a column with a title of its own, in
// every row; the printed and text lists append them to the line as before.
TEST_F(QsoListTest, TheNameOfTheCsvIsAColumnInEveryRow) {
  for (const char code : {'I', 'l'}) {
    SCOPED_TRACE(code);
    LogBuilder b(code, 1);
    b.Create();
    contest::TContestLKRec named = QsoOf({"DL2XYZ", 'b', At(8, 0), "CW", "599I01", "599I02", 1});
    named.NameQth = "Hans;Bonn";
    b.Add(named);
    b.Add(QsoOf({"DL3XYZ", 'b', At(8, 1), "CW", "599I01", "599I03", 1}));
    const std::vector<std::string> csv = FileLines(WriteFile(b, 13, ExportOnePass));
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0].substr(csv[0].size() - 11), ";P;Name/QTH") << csv[0];
    EXPECT_EQ(csv[1].substr(csv[1].size() - 12), ";1;Hans/Bonn") << csv[1];
    EXPECT_EQ(csv[2].substr(csv[2].size() - 3), ";1;") << csv[2];
    for (const std::string& line : csv) {
      EXPECT_EQ(std::count(line.begin(), line.end(), ';'),
                std::count(csv[0].begin(), csv[0].end(), ';'))
          << line;
    }
    const std::vector<std::string> text = FileLines(WriteFile(b, 7, ExportOnePass));
    const auto row_of = [&](const char* call) {
      return *std::find_if(text.begin(), text.end(),
                           [&](const std::string& l) { return l.find(call) != std::string::npos; });
    };
    EXPECT_EQ(row_of("DATE").substr(row_of("DATE").size() - 11), " P Name/QTH");
    EXPECT_EQ(row_of("DL2XYZ").substr(row_of("DL2XYZ").size() - 12), " 1 Hans/Bonn");
    EXPECT_EQ(row_of("DL3XYZ").back(), '1') << "[" << row_of("DL3XYZ") << "]";
  }
}

// 'R' counts in tenths: a QSO's points read as the totals under the list do, in the list and in
// the CSV file.
TEST_F(QsoListTest, TheTenthsOfAQsoAreWrittenAsTheTotals) {
  const LogBuilder b = RheinlandLog();
  const std::vector<std::string> csv = FileLines(WriteFile(b, 13, ExportOnePass));
  const std::vector<std::string> text = FileLines(WriteFile(b, 7, ExportOnePass));
  std::vector<std::string> points;
  for (const std::string& line : csv) points.push_back(line.substr(line.rfind(';') + 1));
  EXPECT_EQ(points, (std::vector<std::string>{"Pkt", "1,5", "2,0", "1,0"}));
  for (const char* call : {"DL2XYZ", "DK3AB", "DL7ZZ"}) {
    const auto line = std::find_if(text.begin(), text.end(), [&](const std::string& l) {
      return l.find(call) != std::string::npos;
    });
    ASSERT_NE(line, text.end()) << call;
    EXPECT_EQ(line->substr(line->size() - 4, 1), " ") << *line;
    EXPECT_EQ(line->substr(line->size() - 2, 1), ",") << *line;
  }
}

TEST_F(QsoListTest, AQsoWithoutDateLeavesItsPlaceBlank) {
  LogBuilder b('.', 1);
  b.Create();
  const contest::TContestLKRec qso = QsoOf({"DL2XYZ", 'b', At(10, 0)}, 0);
  OpenList(7);
  EXPECT_EQ(LineOf(b, b.Definition(), qso).substr(0, 18), "    1        1000 ");
  OpenList(13);
  EXPECT_EQ(LineOf(b, b.Definition(), qso).substr(0, 7), ";10:00;");
}

// --- the score lines ---

class ScoreLineTest : public QsoListTest {
 protected:
  std::vector<std::string> ScoreLines(const contest::TContestRec& definition, char code,
                                      const output::BandSlotTallies& tallies = {}) {
    OpenList(7);
    contest::TContestKKRec log{};
    log.Typ = code;
    output::WriteScoreLine(channel_, 20, definition, tallies, log);
    channel_.CloseAndShow();
    std::vector<std::string> lines;
    std::istringstream in(common::testing::ReadFile(channel_.FileName()));
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(5, line.size() - 6));
    return lines;
  }
};

TEST_F(ScoreLineTest, ATotalOfZeroIsLeftOutOfTheSum) {
  contest::TContestRec definition;
  definition.MultiplierKinds.set(2);
  channel_.KindTotals = {5, 0, 2};
  channel_.MultiTotal = 7;
  channel_.PointsTotal = 30;
  EXPECT_EQ(ScoreLines(definition, 'W'),
            (std::vector<std::string>{std::string(20, ' '), " (    5 +     2) x      30",
                                      std::string(20, ' '), std::string(10, ' ') + "210 Punkte"}));
  // 'R' counts in tenths.
  EXPECT_EQ(ScoreLines(definition, 'R'),
            (std::vector<std::string>{std::string(20, ' '), " (    5 +     2) x     3,0",
                                      std::string(20, ' '), std::string(9, ' ') + "21,0 Punkte"}));
}

TEST_F(ScoreLineTest, OtherRulesWriteTheClaimedScoreAlone) {
  contest::TContestRec definition;
  definition.MultiplierKinds.set(15);
  definition.Flag36 = 1;
  output::BandSlotTallies tallies;
  tallies.points = {50, 50};
  tallies.multipliers = {0, 3};
  channel_.MultiTotal = 3;
  channel_.PointsTotal = 100;
  const std::string six(6, ' ');
  EXPECT_EQ(ScoreLines(definition, 'W', tallies).at(1), six + "    200 Punkte");
  definition.Flag36 = 0;
  definition.ScoreFlag = 1;
  EXPECT_EQ(ScoreLines(definition, 'W').at(1), six + "      3 Punkte");
  definition.ScoreFlag = 0;
  definition.Flag34 = 1;
  EXPECT_EQ(ScoreLines(definition, '5'),
            (std::vector<std::string>{std::string(20, ' '), six + "    100 Punkte",
                                      "      3 PLZ-Bereiche"}));
}

}  // namespace
}  // namespace output_test
