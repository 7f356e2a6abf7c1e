// The live evaluation of the entry against the worked-multiplier tables and counters: worked
// before per band or over all bands, contest rules that make a value always new or count it
// only on some bands, and the entry taken back keystroke by keystroke.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/number_mask.h"
#include "contestlog/multiplier_tables.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contestlog_test::CoreOnLog;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

class QsoMultipliersTest : public contestlog_test::LogTest {};

contest::TContestLKRec WithDxcc(contest::TContestLKRec qso, const char* dxcc) {
  qso.DXCC = dxcc;
  qso.Continent = "EU";
  return qso;
}

// Mark of the table entry holding `value` (padded comparison); -1 when there is none.
int MarkOf(const contest::WorkedMultiTable& table, const std::string& value) {
  for (const auto& e : table) {
    if (!e.text.empty() && TableForm(e.text.view()) == TableForm(value)) return e.mark;
  }
  return -1;
}

struct BandRow {
  const char* name;
  char code;
  int class_index;
  char entry_band;
  int mark;          // of "OE" for the entry
  int added;         // to TotalMultis by the entry
};

class WorkedBeforeRows : public QsoMultipliersTest,
                         public ::testing::WithParamInterface<BandRow> {};

TEST_P(WorkedBeforeRows, DependsOnTheBandWhenTheContestCountsPerBand) {
  const BandRow& row = GetParam();
  LogBuilder b(row.code, row.class_index);
  b.Create();
  b.Add(WithDxcc(Qso("OE1XYZ", 'c', kContestDay, 3600), "OE"));
  CoreOnLog on(b);
  on.core.CurrentBand = row.entry_band;
  on.core.RecountLog(false);
  const std::int32_t total = on.core.TotalMultis;
  on.Enter(WithDxcc(Qso("OE3ABC", row.entry_band, kContestDay, 3700), "OE"));
  EXPECT_EQ(MarkOf(on.core.WorkedMultis[2], "OE"), row.mark);
  EXPECT_EQ(on.core.TotalMultis - total, row.added);
  // The entry's record carries the new value in the slot that names DXCC.
  contest::TContestLKRec entry{};
  on.core.LogTable->GetLKRec(entry);
  const std::string slot_text = row.code == 'W' ? entry.CMulti.str() : entry.Info.str();
  EXPECT_EQ(slot_text, row.added > 0 ? "OE    " : "") << slot_text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Contests, WorkedBeforeRows, ::testing::Values(
    BandRow{"PerBandSameBand", 'W', 1, 'c', 2, 0},
    BandRow{"PerBandOtherBand", 'W', 1, 'e', 1, 1},
    BandRow{"AllBandsOtherBand", '.', 5, 'e', 2, 0}),
    [](const ::testing::TestParamInfo<BandRow>& info) { return info.param.name; });
// clang-format on

TEST_F(QsoMultipliersTest, PerBandCountsGoToTheCurrentBandsSlotAndComeBackOff) {
  LogBuilder b('W');
  b.Create();
  CoreOnLog on(b);
  on.core.CurrentBand = 'e';
  on.core.RecountLog(true);
  on.Enter(WithDxcc(Qso("F5ABC", 'e', kContestDay, 3600), "F"));
  EXPECT_EQ(on.core.TotalMultis, 1);
  EXPECT_EQ(on.core.BandMultis['e'], 1);
  EXPECT_EQ(on.core.CurrentMultiValue[2], "F       ");
  on.core.RefreshEntryMultipliers();
  EXPECT_EQ(on.core.TotalMultis, 0);
  EXPECT_EQ(on.core.BandMultis['e'], 0);
  EXPECT_EQ(UsedEntries(on.core.WorkedMultis[2]), 0);
  EXPECT_TRUE(on.core.CurrentMultiValue[2].empty());
}

TEST_F(QsoMultipliersTest, ASavedQsosValuesStayWhenTheEntryIsForgotten) {
  LogBuilder b('W');
  b.Create();
  CoreOnLog on(b);
  on.core.CurrentBand = 'e';
  on.Enter(WithDxcc(Qso("F5ABC", 'e', kContestDay, 3600), "F"));
  on.core.ForgetEntryMultipliers();
  on.core.RefreshEntryMultipliers();
  EXPECT_EQ(on.core.TotalMultis, 1);
  EXPECT_EQ(MarkOf(on.core.WorkedMultis[2], "F"), 0);
}

TEST_F(QsoMultipliersTest, AFullTableStillCountsTheValueAndTakesItOffAgain) {
  LogBuilder b('W');
  b.Create();
  CoreOnLog on(b);
  on.core.CurrentBand = 'e';
  contest::WorkedMultiTable& table = on.core.WorkedMultis[2];
  for (int i = 1; i <= contest::kWorkedMultiEntries; ++i) {
    ASSERT_TRUE(InsertMultiplier(table, "V" + common::IntToStrAt(i, 3)));
  }
  ClearMarks(table);
  const contest::WorkedMultiTable full = table;
  const auto unchanged = [&] {
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].text.view() != full[i].text.view()) return false;
    }
    return true;
  };
  // Sorting after all 500: counted, not stored; taken back, the counters fall and no entry goes.
  on.Enter(WithDxcc(Qso("ZS1ABC", 'e', kContestDay, 3600), "ZS"));
  EXPECT_EQ(on.core.TotalMultis, 1);
  EXPECT_EQ(on.core.BandMultis['e'], 1);
  EXPECT_TRUE(unchanged());
  on.core.RefreshEntryMultipliers();
  EXPECT_EQ(on.core.TotalMultis, 0);
  EXPECT_EQ(on.core.BandMultis['e'], 0);
  EXPECT_TRUE(unchanged());
  // Sorting before the last: stored in its place, the last entry falls out and stays out.
  on.Enter(WithDxcc(Qso("OE1ABC", 'e', kContestDay, 3600), "OE"));
  EXPECT_EQ(on.core.TotalMultis, 1);
  EXPECT_EQ(MarkOf(table, "OE"), 1);
  EXPECT_EQ(MarkOf(table, "V500"), -1);
  on.core.RefreshEntryMultipliers();
  EXPECT_EQ(on.core.TotalMultis, 0);
  EXPECT_EQ(MarkOf(table, "OE"), -1);
  EXPECT_EQ(UsedEntries(table), contest::kWorkedMultiEntries - 1);
  EXPECT_EQ(table[contest::kWorkedMultiEntries - 2].text.view(), "V499");
}

TEST_F(QsoMultipliersTest, UnderLADokIsAlwaysNew) {
  LogBuilder b('L');
  b.Create();
  contest::TContestLKRec worked = Qso("DL2XYZ", 'c', kContestDay, 3600);
  worked.DOK1 = "L11";
  b.Add(worked);
  CoreOnLog on(b);
  on.core.CurrentBand = 'c';
  on.core.RecountLog(false);
  ASSERT_EQ(MarkOf(on.core.WorkedMultis[4], "L11"), 0) << "the recount holds the DOK";
  const std::int32_t total = on.core.TotalMultis;
  contest::TContestLKRec entry = Qso("DK3AB", 'c', kContestDay, 3700);
  entry.DOK1 = "L11";
  on.Enter(entry);
  EXPECT_EQ(MarkOf(on.core.WorkedMultis[4], "L11"), 1);
  EXPECT_EQ(on.core.TotalMultis, total + 1);
  EXPECT_EQ(UsedEntries(on.core.WorkedMultis[4]), 1);
  // Taken back, the recounted DOK stays on the board.
  on.core.RefreshEntryMultipliers();
  EXPECT_EQ(MarkOf(on.core.WorkedMultis[4], "L11"), 0);
  EXPECT_EQ(on.core.TotalMultis, total);
}

TEST_F(QsoMultipliersTest, UnderJALocatorCountsOnlyOnTheTwoVhfBands) {
  LogBuilder b('J');
  b.Create();
  CoreOnLog on(b);
  for (const char band : {'c', 'k', 'l'}) {
    on.core.CurrentBand = band;
    contest::TContestLKRec entry = Qso("DK3AB", band, kContestDay, 3700);
    entry.Loc = "JO40AB";
    on.Enter(entry);
    const bool counted = band != 'c';
    EXPECT_EQ(MarkOf(on.core.WorkedMultis[5], "JO40"), counted ? 1 : -1) << band;
    EXPECT_EQ(on.core.TotalMultis, counted ? 1 : 0) << band;
    contest::TContestLKRec evaluated{};
    on.core.LogTable->GetLKRec(evaluated);
    EXPECT_EQ(evaluated.Call2.str(), counted ? "JO40" : "") << band;  // slot 3 "Loc"
    on.core.RefreshEntryMultipliers();
  }
}

TEST_F(QsoMultipliersTest, ACallTypedLetterByLetterLeavesNoPartialCall) {
  // Without bonus stations every call is a call multiplier.
  std::ofstream(folder_ / "contests.toml") << "[D]\nBonusCount = 0\n";
  LogBuilder b('D');
  b.Create();
  b.Add(Qso("DK7ZZ", 'c', kContestDay, 3600));
  CoreOnLog on(b);
  on.core.CurrentBand = 'c';
  on.core.RecountLog(true);
  const std::int32_t total = on.core.TotalMultis;
  const std::int32_t band = on.core.BandMultis['c'];
  ASSERT_EQ(UsedEntries(on.core.WorkedMultis[10]), 1);
  const std::string typed = "DL1ABC/P";
  for (std::size_t n = 1; n <= typed.size(); ++n) {
    on.Enter(Qso(typed.substr(0, n), 'c', kContestDay, 3700));
  }
  // The base call of the whole call is on the board, new; nothing of the letters before it.
  std::vector<std::string> board;
  for (const auto& e : on.core.WorkedMultis[10]) {
    if (!e.text.empty()) board.push_back(e.text.str());
  }
  EXPECT_EQ(board, (std::vector<std::string>{"DK7ZZ   ", "DL1ABC  "}));
  EXPECT_EQ(MarkOf(on.core.WorkedMultis[10], "DL1ABC"), 1);
  EXPECT_EQ(on.core.TotalMultis, total + 1);
  on.core.RefreshEntryMultipliers();
  EXPECT_EQ(UsedEntries(on.core.WorkedMultis[10]), 1);
  EXPECT_EQ(on.core.TotalMultis, total);
  EXPECT_EQ(on.core.BandMultis['c'], band);
  // The same call again is worked before by its base call.
  on.Enter(Qso("DK7ZZ/P", 'c', kContestDay, 3800));
  EXPECT_EQ(MarkOf(on.core.WorkedMultis[10], "DK7ZZ"), 2);
  EXPECT_EQ(on.core.TotalMultis, total);
}

}  // namespace
}  // namespace contestlog
