// Which QSOs the drivers write, in which sections, and what the multiplier check list and the
// sheet's log lists make of them.
#include "output/output_drivers.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "output/log_lists.h"
#include "output/multi_check_list.h"
#include "tests/output/fixture_logs.h"

namespace output_test {
namespace {

using output::PeriodSet;

// The lines of an E-Log file without their indent.
std::vector<std::string> TextLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line.size() >= 5 ? line.substr(5) : line);
  }
  return lines;
}

// The calls of the list lines (those that begin with their ordinal).
std::vector<std::string> ListedCalls(const std::vector<std::string>& lines) {
  std::vector<std::string> calls;
  for (const std::string& line : lines) {
    if (line.size() > 25 && line[4] >= '1' && line[4] <= '9') {
      calls.push_back(common::Trim(line.substr(18, 8)));
    }
  }
  return calls;
}

class DriverTest : public OutputLogTest {};

TEST_F(DriverTest, APeriodWithoutDatesTakesItsHourOfEveryDay) {
  LogBuilder b('.', 1);
  b.Catalogue().LoaderSwitch = 0;
  b.Create();
  b.Add(QsoOf({"DL1AAA", 'b', At(9, 59, 59), "CW", "599", "599", 1}));
  b.Add(QsoOf({"DL1BBB", 'b', At(10, 0), "CW", "599", "599", 2}));
  b.Add(QsoOf({"DL1CCC", 'b', At(10, 30), "CW", "599", "599", 4}, kContestDay + 1));
  b.Add(QsoOf({"DL1DDD", 'c', At(10, 59, 59), "CW", "599", "599", 8}));
  b.Add(QsoOf({"DL1EEE", 'c', At(11, 0), "CW", "599", "599", 16}));
  PeriodSet hour;
  hour.start_times[0] = At(10, 0);
  hour.end_times[0] = At(10, 59, 59);
  const auto list = [&](const PeriodSet& periods) {
    return TextLines(WriteFile(
        b, 7,
        [](OutputRun& r) {
          EXPECT_FALSE(output::ExportContestLog(r.channel, r.definition, r.periods,
                                                r.tables.catalogue, r.tables.contest_data, {},
                                                false));
        },
        periods));
  };
  const std::vector<std::string> lines = list(hour);
  EXPECT_EQ(ListedCalls(lines), (std::vector<std::string>{"DL1BBB", "DL1DDD", "DL1CCC"}));
  EXPECT_EQ(common::Trim(lines.back()), "14 Punkte");  // the points inside the hour
  EXPECT_EQ(lines[3].substr(0, 6), "    1 ");
  EXPECT_EQ(lines[5].substr(0, 6), "    3 ");
  EXPECT_EQ(ListedCalls(list({})).size(), 5u);
}

TEST_F(DriverTest, ASummarySheetWithPeriodsCountsOnlyTheirPoints) {
  LogBuilder b('.', 1);
  b.Catalogue().LoaderSwitch = 0;
  b.Catalogue().LinePoints[0] = 30;  // the stored tally of the whole log
  b.Create();
  b.Add(QsoOf({"DL1AAA", 'b', At(9, 0), "CW", "599", "599", 10}));
  b.Add(QsoOf({"DL1BBB", 'b', At(10, 0), "CW", "599", "599", 20}));
  PeriodSet hour;
  hour.start_times[0] = At(10, 0);
  hour.end_times[0] = At(10, 59, 59);
  const std::vector<std::string> lines = TextLines(WriteFile(
      b, 6,
      [](OutputRun& r) {
        output::WriteSummarySheet(r.channel, r.definition, r.periods, r.tables.catalogue,
                                  r.tables.contest_data);
      },
      hour));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Wertungszeitraum: 10:00:00 - 10:59:59"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "          Endergebnis:  20 Punkte"), lines.end());
}

TEST_F(DriverTest, TheBandListBreaksBeforeEverySlotAfterTheFirst) {
  LogBuilder b('.', 1);
  b.Catalogue().LoaderSwitch = 0;
  b.Create();
  b.Add(QsoOf({"DL1AAA", 'c', At(10, 0)}));
  b.Add(QsoOf({"DL1BBB", 'g', At(10, 1)}));
  b.Add(QsoOf({"DL1CCC", 'b', At(10, 2)}));  // a band the list does not hold
  contest::TContestRec definition = b.Definition();
  definition.Bands = {};
  definition.Bands[1] = 'c';
  definition.Bands[4] = 'g';
  contestlog_test::MainTables tables(b.Number());
  ASSERT_TRUE(channel_.Open(11));
  chooser_->answers.push_back(folder_ / "bands");
  ASSERT_TRUE(channel_.OpenFileKind(11, tables.catalogue, definition));
  EXPECT_FALSE(output::ExportContestLogByBand(channel_, definition, {}, tables.catalogue,
                                              tables.contest_data));
  channel_.CloseAndShow();
  const std::vector<std::string> lines = TextLines(common::testing::ReadFile(channel_.FileName()));
  ASSERT_EQ(lines.size(), 4u + 4 + 4 + 4);
  for (const int blank : {0, 1, 2, 3, 8, 9, 10, 11}) EXPECT_EQ(lines[blank], " ") << blank;
  EXPECT_EQ(lines[4].substr(0, 49), "Domivox Contest (Tessaly-Treffen)  -  Band-Log 40");
  EXPECT_EQ(ListedCalls({lines[7]}), std::vector<std::string>{"DL1AAA"});
  EXPECT_EQ(lines[12].substr(0, 49), "Domivox Contest (Tessaly-Treffen)  -  Band-Log 15");
  EXPECT_EQ(ListedCalls({lines[15]}), std::vector<std::string>{"DL1BBB"});

  definition.Bands = {};
  EXPECT_TRUE(output::ExportContestLogByBand(channel_, definition, {}, tables.catalogue,
                                             tables.contest_data));
}

// --- the multiplier check list ---

class CheckListTest : public OutputLogTest {
 protected:
  // The value lines of the check list of log `b` under `definition` (after its heading).
  std::vector<std::string> CheckLines(const LogBuilder& b, const contest::TContestRec& definition) {
    contestlog_test::MainTables tables(b.Number());
    EXPECT_TRUE(channel_.Open(14));
    chooser_->answers.push_back(folder_ / "check");
    EXPECT_TRUE(channel_.OpenFileKind(14, tables.catalogue, definition));
    EXPECT_FALSE(output::WriteMultiCheckList(channel_, definition, tables.catalogue,
                                             tables.contest_data));
    channel_.CloseAndShow();
    std::vector<std::string> lines = TextLines(common::testing::ReadFile(channel_.FileName()));
    lines.erase(lines.begin(), lines.begin() + 5);
    for (std::string& line : lines) line = common::Trim(line);
    return lines;
  }
  // Collapses the runs of blanks of a line into one.
  static std::string Words(const std::string& line) {
    std::string words;
    for (const char c : line) {
      if (c != ' ' || (!words.empty() && words.back() != ' ')) words += c;
    }
    return words;
  }
};

TEST_F(CheckListTest, DxccEntitiesByTheContestsElements) {
  LogBuilder b('.', 5);
  b.Create();
  b.Add(QsoOf({"DL1AAA", 'b', At(10, 0), "CW", "", "", 0, "", "", "DL", "EU"}));
  b.Add(QsoOf({"W1AW", 'b', At(10, 1), "CW", "", "", 0, "", "", "K", "NA"}));
  b.Add(QsoOf({"OE1AA", 'c', At(10, 2), "CW", "", "", 0, "", "", "OE", "EU"}));
  b.Add(QsoOf({"OE2BB", 'c', At(10, 3), "CW", "", "", 0, "", "", "OE", "EU"}));  // same band
  b.Add(QsoOf({"OE3CC", 'b', At(10, 4), "CW", "", "", 0, "", "", "OE", "EU"}));
  b.Add(QsoOf({"OE4DD", ' ', At(10, 5), "CW", "", "", 0, "", "", "OE", "EU"}));  // no band
  b.AddQsy('e', kContestDay, At(10, 6), true);
  contest::TContestRec definition = b.Definition();
  definition.MultiplierKinds = {};
  definition.MultiplierKinds.set(2);
  using Lines = std::vector<std::string>;
  const auto words = [&] {
    Lines out;
    for (const std::string& line : CheckLines(b, definition)) out.push_back(Words(line));
    return out;
  };
  EXPECT_EQ(words(), (Lines{"", "K W1AW", "OE OE3CC OE1AA"}));
  definition.MultiplierKinds.set(3);
  EXPECT_EQ(words(), (Lines{"", "DL DL1AAA", "K W1AW", "OE OE3CC OE1AA"}));
  definition.MultiplierKinds.set(9);
  EXPECT_EQ(words(), (Lines{"", "DL DL1AAA", "OE OE3CC OE1AA"}));
}

TEST_F(CheckListTest, ADokOfEightCharactersKeepsOneLine) {
  LogBuilder b('W');
  b.Create();
  contest::TContestLKRec first = QsoOf({"DL1AAA", 'b', At(10, 0)});
  first.DOK1 = "ABCDEF";
  first.DOK2 = "GH";
  contest::TContestLKRec second = first;
  second.Call = "DL1BBB";
  second.Bandcode = 'c';
  contest::TContestLKRec third = first;
  third.Call = "DL1CCC";
  third.DOK2 = "G";
  b.Add(first);
  b.Add(second);
  b.Add(third);
  contest::TContestRec definition = b.Definition();
  definition.MultiplierKinds = {};
  definition.MultiplierKinds.set(4);
  definition.Bands = {};
  definition.Bands[0] = 'b';
  definition.Bands[1] = 'c';
  const std::vector<std::string> lines = CheckLines(b, definition);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "ABCDEFG DL1CCC");
  EXPECT_EQ(lines[2], "ABCDEFGHDL1AAA       DL1BBB");
}

// --- what the sheet gathers ---

TEST_F(DriverTest, TheLogListsCountQsosAndNotTheMarkers) {
  LogBuilder b('8', 1);
  b.Create();
  b.Add(QsoOf({"OK1ABC", 'k', At(8, 0), "CW", "", "", 45, "", "", "OK", "EU", "", "", "JO70AA"}));
  b.Add(QsoOf({"DL2XYZ", 'k', At(8, 5), "CW", "", "", 380, "", "", "DL", "EU", "", "", "JO31AB"}));
  b.Add(QsoOf({"DL3XYZ", 'k', At(8, 6), "CW", "", "", 380, "", "", "DL", "EU", "", "", "JO31CD"}));
  b.Add(QsoOf({"DL4XYZ", 'k', At(8, 7), "CW", "", "", 2, "", "", "", "", "", "", ""}));
  b.AddQsy('l', kContestDay, At(8, 10), true);  // its leftovers: DL, JO62QM
  contest::TdbContest log(contest::kTableLK, b.Number());
  const output::LogLists lists = output::CollectLogLists(log);
  EXPECT_EQ(lists.dxcc_count, 2);
  EXPECT_EQ(lists.square_count, 2);
  EXPECT_EQ(lists.odx, "DL2XYZ;JO31AB;380");
}

TEST_F(DriverTest, PerBandCountsAndJoinedCallMultipliers) {
  LogBuilder b('o', 1);
  b.Create();
  b.Add(QsoOf({"DL1AAA", 'b', At(8, 0), "CW", "", "", 3, "Z22"}));
  b.Add(QsoOf({"DL1BBB", 'b', At(8, 1), "CW", "", "", 2}));
  b.Add(QsoOf({"DL1CCC", 'c', At(8, 2), "CW", "", "", 1, "Z11"}));
  b.AddQsy('c', kContestDay, At(8, 3));
  contest::TdbContest log(contest::kTableLK, b.Number());
  EXPECT_EQ(output::JoinLogField(log), "Z11 Z22 ");
  const output::PerBandCounts counts = output::CountPerBand(log);
  EXPECT_EQ(counts.qsos['b'], 2);
  EXPECT_EQ(counts.call_multiplier_qsos['b'], 1);
  EXPECT_EQ(counts.points['b'], 5);
  EXPECT_EQ(counts.qsos['c'], 1);
  EXPECT_EQ(counts.points['c'], 1);
}

}  // namespace
}  // namespace output_test
