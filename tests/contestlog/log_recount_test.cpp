// The recount of a log's tables, score counters and points, on fixture logs of four contests:
// totals and band counters computed by hand from the contests' rules.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "contestlog/multiplier_tables.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

class LogRecountTest : public contestlog_test::LogTest {};

TContestLKRec Dx(const char* call, char band, int minute, const char* dxcc) {
  TContestLKRec q = Qso(call, band, kContestDay, 3600 + 60 * minute);
  q.DXCC = dxcc;
  q.Continent = "EU";
  return q;
}

TContestLKRec Vhf(const char* call, int minute, const char* loc, const char* dok) {
  TContestLKRec q = Qso(call, 'k', kContestDay, 3600 + 60 * minute);
  q.Loc = loc;
  q.DOK1 = dok;
  return q;
}

struct RecountRow {
  const char* name;
  char code;
  int class_index;
  std::function<void(const LogBuilder&)> fill;
  char current_band;
  std::int32_t total_multis;
  std::map<char, std::int32_t> band_multis;  // by slot ('\1' the all-bands slot)
  std::map<char, std::int32_t> band_points;
  std::map<char, std::int32_t> band_qsos;
  std::int32_t next_qso_number;
  char last_qso_band;
  std::vector<std::string> table2;  // the DXCC table after the recount
};

class RecountRows : public LogRecountTest, public ::testing::WithParamInterface<RecountRow> {};

TEST_P(RecountRows, GivesTheHandCountedScore) {
  const RecountRow& row = GetParam();
  LogBuilder b(row.code, row.class_index);
  b.Create();
  row.fill(b);
  CoreOnLog on(b);
  on.core.CurrentBand = row.current_band;
  on.core.RecountLog(true);
  EXPECT_EQ(on.core.TotalMultis, row.total_multis);
  for (int slot = 1; slot < kBandSlots; ++slot) {
    const auto expected = [slot](const std::map<char, std::int32_t>& m) {
      const auto it = m.find(static_cast<char>(slot));
      return it == m.end() ? 0 : it->second;
    };
    EXPECT_EQ(on.core.BandMultis[slot], expected(row.band_multis)) << slot;
    EXPECT_EQ(on.core.BandPoints[slot], expected(row.band_points)) << slot;
    EXPECT_EQ(on.core.BandQsos[slot], expected(row.band_qsos)) << slot;
  }
  EXPECT_EQ(on.core.TotalPoints, on.core.BandPoints[static_cast<std::size_t>(row.current_band)]);
  EXPECT_EQ(on.core.CurrentBandQsos, on.core.BandQsos[static_cast<std::size_t>(row.current_band)]);
  EXPECT_EQ(on.core.NextQsoNumber, row.next_qso_number);
  EXPECT_EQ(on.core.LastQsoBand, row.last_qso_band);
  std::vector<std::string> table2;
  for (const auto& e : on.core.WorkedMultis[2]) {
    if (!e.text.empty()) table2.push_back(common::Trim(e.text.view()));
  }
  EXPECT_EQ(table2, row.table2);
  // The points walk stored each QSO's points.
  std::int64_t stored = 0;
  for (const TContestLKRec& r : Records(b.Number())) stored += r.Points;
  std::int64_t counted = 0;
  for (const std::int32_t p : on.core.BandPoints) counted += p;
  EXPECT_EQ(stored, counted);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Contests, RecountRows, ::testing::Values(
    // DXCC per band (DL counts too), German station: DL 1 point, other countries 5.
    RecountRow{"WagPerBand", 'W', 1, [](const LogBuilder& b) {
        b.Add(Dx("DL1AAA", 'c', 1, "DL"));
        b.Add(Dx("OE1BBB", 'c', 2, "OE"));
        b.Add(Dx("DL2CCC", 'e', 3, "DL"));
        b.Add(Dx("OE3DDD", 'e', 4, "OE"));
        b.Add(Dx("F5EEE", 'e', 5, "F"));
        b.AddQsy('g', kContestDay, 3600 + 6 * 60);
      }, 'c', 2, {{'c', 2}, {'e', 3}}, {{'c', 6}, {'e', 11}}, {{'c', 2}, {'e', 3}}, 6, 'g',
      {"DL", "OE"}},
    // DXCC and call multipliers over all bands, one point each; only event calls count as calls.
    RecountRow{"DomivoxAllBands", '.', 5, [](const LogBuilder& b) {
        b.Add(Dx("DL1AAA", 'c', 1, "DL"));
        b.Add(Dx("DF0VOXA", 'c', 2, "DL"));
        b.Add(Dx("OE1BBB", 'e', 3, "OE"));
        b.Add(Dx("DL2CCC", 'e', 4, "DL"));
      }, 'e', 3, {{'\1', 3}}, {{'c', 2}, {'e', 2}}, {{'c', 2}, {'e', 2}}, 5, 'e', {"DL", "OE"}},
    // DOKs and locator squares on 2 m; points by the square ring around JO62.
    RecountRow{"NordDoksAndSquares", 'e', 1, [](const LogBuilder& b) {
        b.Add(Vhf("DL1AAA", 1, "JO62AB", "E01"));
        b.Add(Vhf("DL2BBB", 2, "JO40XY", "H05"));
        b.Add(Vhf("DL3CCC", 3, "JO62CD", "E01"));
      }, 'k', 4, {{'k', 4}}, {{'k', 5}}, {{'k', 3}}, 4, 'k', {}},
    RecountRow{"WithoutMultipliers", '.', 1, [](const LogBuilder& b) {
        b.Add(Dx("DL1AAA", 'c', 1, "DL"));
        b.AddQsy('e', kContestDay, 3600 + 2 * 60);
        b.Add(Dx("OE1BBB", 'e', 3, "OE"));
        b.Add(Dx("F5CCC", 'e', 4, "F"));
      }, 'c', 0, {}, {{'c', 1}, {'e', 2}}, {{'c', 1}, {'e', 2}}, 4, 'e', {}}),
    [](const ::testing::TestParamInfo<RecountRow>& info) { return info.param.name; });
// clang-format on

TEST_F(LogRecountTest, WithoutTheFullFlagOnlyTheTablesAndTheirTotalAreRecounted) {
  LogBuilder b('W');
  b.Create();
  b.Add(Dx("OE1BBB", 'c', 1, "OE"));
  b.Add(Dx("F5EEE", 'e', 2, "F"));
  CoreOnLog on(b);
  on.core.CurrentBand = 'e';
  on.core.BandPoints['e'] = 77;
  on.core.RecountLog(false);
  EXPECT_EQ(on.core.TotalMultis, 1);
  EXPECT_EQ(on.core.TotalPoints, 77);
  EXPECT_EQ(on.core.NextQsoNumber, 0);
  EXPECT_EQ(UsedEntries(on.core.WorkedMultis[2]), 1);
  EXPECT_EQ(on.core.WorkedMultis[2][0].text.view(), "F     ");
}

}  // namespace
}  // namespace contestlog
