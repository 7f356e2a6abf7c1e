// The recalculation of a log's per-band tallies into the contest-data record (wide layout) or the
// catalogue record (narrow layout), checked byte by byte against hand-counted logs.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <set>
#include <string>

#include "common/le_int.h"
#include "common/number_mask.h"
#include "contestlog/log_tallies.h"
#include "tests/contestlog/another_station.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contest::TContestKKRec;
using contest::TContestKZRec;
using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

class RecalculationTest : public contestlog_test::LogTest {
 protected:
  // QSO n of a log of 2 m DOK and locator QSOs: DOK "E01", "E02", ... (all in the contest's
  // districts), every one in JO62, one point each around JO62QM.
  static TContestLKRec DokQso(int n, char band) {
    TContestLKRec q = Qso("DL" + std::to_string(n) + "AB", band, kContestDay, 60 * n);
    q.DOK1 = std::string(1, "EHIMV"[n / 99 % 5]) + common::IntToStrAt(n % 99 + 1, 2);
    q.Loc = "JO62AA";
    return q;
  }

  static TContestLKRec Dx(const char* call, char band, int minute, const char* dxcc) {
    TContestLKRec q = Qso(call, band, kContestDay, 60 * minute);
    q.DXCC = dxcc;
    return q;
  }

  static std::uint32_t U16(const void* record, int offset) {
    return common::ReadLeUInt16(static_cast<const std::uint8_t*>(record) + offset);
  }
  static std::uint32_t U32(const void* record, int offset) {
    return static_cast<std::uint32_t>(common::ReadLeInt32(static_cast<const std::uint8_t*>(record) + offset));
  }
};

TEST_F(RecalculationTest, TheNarrowLayoutHoldsSevenBandsInTheirPlaces) {
  LogBuilder b('e');  // no switch of its own: the narrow layout
  b.Catalogue().LoaderSwitch = 0;
  b.Create();
  const std::string bands = "bcegiklm";  // eight bands: the eighth has no place
  int n = 0;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    for (std::size_t q = 0; q <= i; ++q) b.Add(DokQso(++n, bands[i]));
  }
  CoreOnLog on(b);
  std::memcpy(on.core.Definition.Bands.data(), bands.data(), bands.size());
  on.core.CurrentBand = 'b';
  on.core.RecountLog(true);
  TContestKKRec before{};
  on.main.catalogue.GetKKRec(before);
  ASSERT_EQ(before.LoaderSwitch, 0);
  auto* raw = reinterpret_cast<std::uint8_t*>(&before);
  std::memset(raw + 196, 0x5A, 369 - 196);  // leftovers the recalculation must replace
  on.main.catalogue.SetKKRec(before);
  ASSERT_TRUE(on.core.Recalculate());

  ASSERT_TRUE(on.main.catalogue.FindByNummer(b.Number()));
  TContestKKRec after{};
  on.main.catalogue.GetKKRec(after);
  std::set<int> tally_bytes;
  const auto expect = [&](int offset, int width, std::uint32_t value, const std::string& what) {
    EXPECT_EQ(width == 2 ? U16(&after, offset) : U32(&after, offset), value) << what;
    for (int i = 0; i < width; ++i) tally_bytes.insert(offset + i);
  };
  for (int band = 1; band <= 7; ++band) {
    // Band i holds i QSOs of i new DOKs and one square: slot 1 "Loc", slot 2 "DOK".
    const std::uint32_t qsos = band, multis = band + 1, square = 1;
    const std::string at = " band " + std::to_string(band);
    if (band <= 5) {
      expect(196 + 2 * (band - 1), 2, qsos, "QSOs" + at);
      expect(206 + 2 * (band - 1), 2, multis, "multipliers" + at);
      expect(226 + 4 * (band - 1), 4, qsos, "points" + at);
      expect(261 + 2 * (band - 1), 2, square, "slot 1" + at);
      expect(281 + 2 * (band - 1), 2, qsos, "slot 2" + at);
    } else {
      const int line = band == 6 ? 341 : 355;
      expect(line, 2, qsos, "QSOs" + at);
      expect(line + 2, 2, multis, "multipliers" + at);
      expect(line + 4, 4, qsos, "points" + at);
      expect(line + 8, 2, square, "slot 1" + at);
      expect(line + 12, 2, square, "slot 1 again" + at);
    }
  }
  const auto* old_bytes = reinterpret_cast<const std::uint8_t*>(&before);
  const auto* new_bytes = reinterpret_cast<const std::uint8_t*>(&after);
  for (int i = 0; i < static_cast<int>(sizeof after); ++i) {
    if (i >= 216 && i < 226) {
      EXPECT_EQ(new_bytes[i], 0) << i;
    } else if (tally_bytes.count(i) == 0) {
      EXPECT_EQ(new_bytes[i], old_bytes[i]) << "byte " << i << " is no tally";
    }
  }
}

TEST_F(RecalculationTest, TheWideLayoutHoldsEveryBandInTheContestData) {
  LogBuilder b('W');  // its loader sets the switch: the wide layout
  b.Create();
  b.Add(Dx("DL1AAA", 'c', 1, "DL"));
  b.Add(Dx("OE1BBB", 'c', 2, "OE"));
  b.Add(Dx("OE2BBB", 'c', 3, "OE"));
  b.Add(Dx("F5EEE", 'g', 4, "F"));
  CoreOnLog on(b);
  on.core.CurrentBand = 'c';
  on.core.RecountLog(true);
  TContestKZRec before{};
  on.main.contest_data.GetKZRec(before);
  before.RstsNichtSperren = 1;
  for (auto& v : before.SlotMults) v = 99;  // leftovers
  on.main.contest_data.SetKZRec(before);
  TContestKKRec log_before{};
  on.main.catalogue.GetKKRec(log_before);
  ASSERT_NE(log_before.LoaderSwitch, 0);
  ASSERT_TRUE(on.core.Recalculate());

  ASSERT_TRUE(on.main.contest_data.FindByNummer(b.Number()));
  TContestKZRec after{};
  on.main.contest_data.GetKZRec(after);
  // Bands b c e g i: DL 1 point, other countries 5; slot 1 names the DXCC.
  const std::uint32_t qsos[] = {0, 3, 0, 1, 0}, multis[] = {0, 2, 0, 1, 0},
                      points[] = {0, 11, 0, 5, 0};
  for (int s = 0; s < 100; ++s) {
    const std::uint32_t q = s < 5 ? qsos[s] : 0, m = s < 5 ? multis[s] : 0;
    EXPECT_EQ(U32(&after, 8 + 4 * s), q) << s;
    EXPECT_EQ(U32(&after, 408 + 4 * s), m) << s;
    EXPECT_EQ(U32(&after, 808 + 4 * s), s < 5 ? points[s] : 0) << s;
    EXPECT_EQ(U16(&after, 1208 + 2 * s), m) << s;
    EXPECT_EQ(U16(&after, 1408 + 2 * s), 0u) << s;
    EXPECT_EQ(U16(&after, 1608 + 2 * s), 0u) << s;
  }
  EXPECT_EQ(after.RstsNichtSperren, 1);
  EXPECT_EQ(after.Nummer, b.Number());
  EXPECT_EQ(std::memcmp(after.unused1810, before.unused1810, sizeof after.unused1810), 0);
  // The catalogue's narrow places stay as they were.
  ASSERT_TRUE(on.main.catalogue.FindByNummer(b.Number()));
  TContestKKRec log_after{};
  on.main.catalogue.GetKKRec(log_after);
  EXPECT_EQ(std::memcmp(&log_after, &log_before, sizeof log_after), 0);
}

TEST_F(RecalculationTest, ThreeHundredDoksAreThreeHundredMultipliers) {
  LogBuilder b('e');
  b.Catalogue().LoaderSwitch = 0;
  b.Create();
  for (int n = 0; n < 300; ++n) b.Add(DokQso(n, 'k'));
  CoreOnLog on(b);
  on.core.CurrentBand = 'k';
  on.core.RecountLog(true);
  EXPECT_EQ(on.core.BandMultis['k'], 301);  // 300 DOKs and one square
  ASSERT_TRUE(on.core.Recalculate());
  TContestKKRec log{};
  ASSERT_TRUE(on.main.catalogue.FindByNummer(b.Number()));
  on.main.catalogue.GetKKRec(log);
  EXPECT_EQ(log.LineMults[0], 301);
  EXPECT_EQ(log.LineMultTable2[0], 300);
  EXPECT_EQ(log.LineQsos[0], 300);
}

TEST_F(RecalculationTest, OverAllBandsTheMultipliersStandInBandOneAndTheQsosPerBand) {
  LogBuilder b('.', 5);
  b.Catalogue().LoaderSwitch = 0;
  b.Create();
  b.Add(Dx("DL1AAA", 'c', 1, "DL"));
  b.Add(Dx("DF0VOXA", 'e', 2, "DL"));
  b.Add(Dx("OE1BBB", 'e', 3, "OE"));
  b.Add(Dx("F5CCC", 'i', 4, "F"));
  CoreOnLog on(b);
  on.core.CurrentBand = 'c';
  on.core.RecountLog(true);
  const contest::TContestRec definition = on.core.Definition;
  ASSERT_TRUE(on.core.Recalculate());
  EXPECT_EQ(on.core.Definition, definition);
  TContestKKRec log{};
  ASSERT_TRUE(on.main.catalogue.FindByNummer(b.Number()));
  on.main.catalogue.GetKKRec(log);
  // Bands b c e g i; three DXCC and one event call over all bands.
  const std::uint16_t qsos[] = {0, 1, 2, 0, 1}, multis[] = {4, 0, 0, 0, 0};
  for (int s = 0; s < 5; ++s) {
    EXPECT_EQ(log.LineQsos[s], qsos[s]) << s;
    EXPECT_EQ(log.LineMults[s], multis[s]) << s;
    EXPECT_EQ(log.LinePoints[s], qsos[s]) << s;
  }
  EXPECT_EQ(log.LineMultTable2[0], 3);  // slot 2 names the DXCC, slot 3 the call
}

// A lock another station holds, the wait for it given up: the log is not counted as one without
// QSOs, and the working copies keep the tallies stored before.
TEST_F(RecalculationTest, ALockGivenUpCountsNothing) {
  LogBuilder b('e');
  b.Catalogue().LoaderSwitch = 0;
  b.Catalogue().LineQsos[0] = 7;
  b.Create();
  b.Add(DokQso(1, 'b'));
  const contest::TdbContest held(contest::kTableLK, b.Number());  // open before the lock
  const storage::FileblockHandle other = contestlog_test::OpenAsAnotherStation(LogPath(b.Number()));
  ASSERT_NE(other, nullptr);
  storage::FileblockLockFile(other);
  presenter_->answers = std::deque<bool>(100, false);
  contestlog_test::MainTables main(b.Number());
  EXPECT_EQ(CountTalliesInto(b.Definition(), main.catalogue, main.contest_data),
            contest::LogRead::kLocked);
  storage::FileblockClose(other);
  TContestKKRec log{};
  main.catalogue.GetKKRec(log);
  EXPECT_EQ(log.LineQsos[0], 7);
}

}  // namespace
}  // namespace contestlog
