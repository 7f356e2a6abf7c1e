// Opening and closing a log's tables for its window, on logs written through the contest tables.
#include <gtest/gtest.h>

#include <cstring>

#include "contest/qso_points.h"
#include "contestlog/log_core.h"
#include "contestlog/log_tables.h"
#include "tests/contestlog/log_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::MainTables;
using contestlog_test::Qso;

class LogTablesTest : public contestlog_test::LogTest {};

bool SameBytes(const TContestLKRec& a, const TContestLKRec& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A QSO with everything an evaluation fills.
TContestLKRec Evaluated(const char* call, const char* cmulti, std::int32_t time) {
  TContestLKRec q = Qso(call, 'c', kContestDay, time);
  q.DXCC = "DL";
  q.Continent = "EU";
  q.Prefix = "DL2";
  q.DOK1 = "B";
  q.DOK2 = "36";
  q.Loc = "JO31AA";
  q.Call2 = "X";
  q.WAZ_USStaat = "14";
  q.CMulti = cmulti;
  return q;
}

TEST_F(LogTablesTest, OpeningEmptiesTheQsoFieldsOfQsyMarkersOnlyAndFindsTheLastCMulti) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(Evaluated("DL2XYZ", "F", 3600));
  b.AddQsy('d', kContestDay, 3700, true);
  b.AddExcluded(Evaluated("DL3ABC", "OE", 3800));
  TContestLKRec blank_mark = Evaluated("DL4XX", "DL", 3900);  // a blank is no marker
  blank_mark.SkipMark = ' ';
  b.Add(blank_mark);
  b.AddQsy('e', kContestDay, 4000);  // nothing to empty
  const std::vector<TContestLKRec> before = Records(log);

  std::unique_ptr<contest::TdbContest> table;
  EXPECT_TRUE(OpenLogTable(table, log));
  TContestLKRec current{};
  table->GetLKRec(current);
  EXPECT_EQ(current.CMulti.str(), "OE");
  EXPECT_TRUE(CallListOpen());

  const std::vector<TContestLKRec> after = Records(log);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (before[i].SkipMark == 0 || before[i].SkipMark == ' ') {
      EXPECT_TRUE(SameBytes(after[i], before[i])) << i;
      continue;
    }
    for (const std::string& field :
         {after[i].DXCC.str(), after[i].Continent.str(), after[i].Prefix.str(), after[i].DOK1.str(),
          after[i].DOK2.str(), after[i].Loc.str(), after[i].Call2.str(),
          after[i].WAZ_USStaat.str()}) {
      EXPECT_EQ(field, "") << i;
    }
    // What makes it a marker stays.
    EXPECT_EQ(after[i].SkipMark, before[i].SkipMark);
    EXPECT_EQ(after[i].Bandcode, before[i].Bandcode);
    EXPECT_EQ(after[i].Zeit, before[i].Zeit);
    EXPECT_EQ(after[i].Nummer, before[i].Nummer);
  }

  MainTables main(log);
  CloseLogFiles(table, main.catalogue, main.contest_data, true);
  EXPECT_EQ(table, nullptr);
  EXPECT_FALSE(CallListOpen());
  EXPECT_FALSE(Open(contest::kTableLK, log));
}

TEST_F(LogTablesTest, AnEmptyLogHasNoLastRecordAndClosingWritesBothRecordsBack) {
  LogBuilder b('W');
  const std::int32_t log = b.Create();
  const std::int32_t other = LogBuilder('W').Create();
  {
    MainTables main(log);
    std::unique_ptr<contest::TdbContest> table;
    EXPECT_FALSE(OpenLogTable(table, log));
    contest::TContestKKRec entry{};
    main.catalogue.GetKKRec(entry);
    entry.GridColumnWidths[3] = 77;
    main.catalogue.SetKKRec(entry);
    contest::TContestKZRec data{};
    main.contest_data.GetKZRec(data);
    data.RstsNichtSperren = 255;
    main.contest_data.SetKZRec(data);
    // The main window's objects stay open; the other log's records are not touched.
    CloseLogFiles(table, main.catalogue, main.contest_data, true);
    EXPECT_TRUE(Open(contest::kTableKK, 0));
  }
  const contest::TContestKKRec stored = CatalogueRecord(log);
  EXPECT_EQ(stored.GridColumnWidths[3], 77);
  EXPECT_EQ(CatalogueRecord(other).GridColumnWidths[3], 0);
  MainTables again(log);
  contest::TContestKZRec data{};
  again.contest_data.GetKZRec(data);
  EXPECT_EQ(data.RstsNichtSperren, 255);

  // A close that counted nothing writes nothing: the copies take what another station stored.
  std::unique_ptr<contest::TdbContest> table;
  OpenLogTable(table, log);
  data.RstsNichtSperren = 7;
  again.contest_data.SetKZRec(data);
  {
    MainTables other_station(log);
    contest::TContestKZRec stored_data{};
    other_station.contest_data.GetKZRec(stored_data);
    stored_data.RstsNichtSperren = 9;
    other_station.contest_data.SetKZRec(stored_data);
    ASSERT_TRUE(other_station.contest_data.UpdateRec());
  }
  CloseLogFiles(table, again.catalogue, again.contest_data, false);
  again.contest_data.GetKZRec(data);
  EXPECT_EQ(data.RstsNichtSperren, 9);
  MainTables(log).contest_data.GetKZRec(data);
  EXPECT_EQ(data.RstsNichtSperren, 9);
}

TEST_F(LogTablesTest, ACoreFreedWithItsLogOpenClosesItWithoutWriting) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(Qso("DL2XYZ", 'c', kContestDay, 3600));
  MainTables main(log);
  {
    ContestLogCore core(log, main.catalogue, main.contest_data, b.Definition());
    EXPECT_TRUE(core.OpenLog());
    EXPECT_TRUE(Open(contest::kTableLK, log));
    contest::TContestKKRec entry{};
    main.catalogue.GetKKRec(entry);
    entry.Name = "changed";
    main.catalogue.SetKKRec(entry);
  }
  EXPECT_FALSE(Open(contest::kTableLK, log));
  EXPECT_FALSE(CallListOpen());
  EXPECT_EQ(CatalogueRecord(log).Name.str(), "Log .");
}

TEST_F(LogTablesTest, ThePointsRoutineScoresByTheRuleOfTheLogsContest) {
  for (const char code : {'.', 'W'}) {
    LogBuilder b(code, 1);
    const std::int32_t log = b.Create();
    MainTables main(log);
    ContestLogCore core(log, main.catalogue, main.contest_data, b.Definition());
    core.OpenLog();
    TContestLKRec qso = Qso("OE3XYZ", 'c', kContestDay, 3600);
    qso.DXCC = "OE";
    core.LogTable->SetLKWorkingCopy(qso);
    const std::uint32_t points = core.PointsRoutine()(*core.LogTable);
    EXPECT_EQ(points, contest::QsoPoints(code, core.Definition, main.catalogue, *core.LogTable,
                                         *core.Service))
        << code;
    EXPECT_GT(points, 0u) << code;
    qso.NoPoints = 255;
    core.LogTable->SetLKWorkingCopy(qso);
    EXPECT_EQ(core.PointsRoutine()(*core.LogTable), 0u) << code;
    core.CloseLog();
  }
}

}  // namespace
}  // namespace contestlog
