// The renumbering of a log: time order (entry order in a serial-number contest), running
// numbers per band and mode class, QSY markers dropped, CMulti kept or rewritten; a log that
// would not change is not written; what is written replaces the log's files as a whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/key_text.h"
#include "contest/log_file_set.h"
#include "tests/contestlog/core_fixture.h"
#include "tests/contestlog/renumbering_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;
using Renumbering = ContestLogCore::Renumbering;

class RenumberingTest : public contestlog_test::LogTest {
 protected:
  static TContestLKRec At(const char* call, char band, int minute, const char* mode,
                          const char* dxcc) {
    TContestLKRec q = Qso(call, band, kContestDay, 60 * minute, mode);
    q.DXCC = dxcc;
    q.Continent = "EU";
    return q;
  }
  // The files of the log's folder that belong to its renumbered set.
  std::vector<std::string> RenewedFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("PXLN")) names.push_back(name);
    }
    return names;
  }
};

TEST_F(RenumberingTest, NumbersTheQsosInTimeOrderPerBandAndModeClassAndDropsQsyMarkers) {
  LogBuilder b('W');
  b.Create();
  b.Add(At("OE1AAA", 'c', 30, "CW", "OE"));
  b.Add(At("F5BBB", 'e', 10, "SSB", "F"));
  b.AddQsy('c', kContestDay, 60 * 15);
  b.Add(At("DL2CCC", 'c', 20, "SSB", "DL"));
  TContestLKRec kept = At("OK1DDD", 'c', 5, "CW", "OK");
  kept.CMulti = "OLD";  // what an earlier evaluation stored
  kept.wagNummer = 77;
  b.Add(kept);
  CoreOnLog on(b);
  on.core.CurrentBand = 'c';
  EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kRenumbered);
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 4u);
  struct Expected {
    const char* call;
    std::uint32_t band_number;
    std::uint16_t mode_number;
    const char* cmulti;
  };
  // OK1DDD 00:05 c CW, F5BBB 00:10 e SSB, DL2CCC 00:20 c SSB, OE1AAA 00:30 c CW.
  const Expected expected[] = {
      {"OK1DDD", 1, 1, "OLD"}, {"F5BBB", 1, 1, ""}, {"DL2CCC", 2, 2, ""}, {"OE1AAA", 3, 2, ""}};
  for (std::size_t i = 0; i < records.size(); ++i) {
    const TContestLKRec& r = records[i];
    EXPECT_EQ(r.Call.str(), expected[i].call) << i;
    EXPECT_EQ(r.Nummer, static_cast<std::int32_t>(i + 1)) << i;
    EXPECT_EQ(r.wagNummer, i + 1) << i;
    EXPECT_EQ(r.wagBandNr, expected[i].band_number) << i;
    EXPECT_EQ(r.wagBandNrIntern, expected[i].band_number) << i;
    EXPECT_EQ(r.ModeNr, expected[i].mode_number) << i;
    EXPECT_EQ(r.CMulti.str(), expected[i].cmulti) << i;
    EXPECT_EQ(r.SkipMark, 0) << i;
  }
  EXPECT_TRUE(RenewedFiles().empty());
  // The log's table goes on working on the new files.
  EXPECT_TRUE(on.core.LogTable->First(4));
  EXPECT_EQ(on.core.LogTable->GetCall(), "OK1DDD");
  // Renumbered once, the log stays as it is.
  EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kUnchanged);
  EXPECT_EQ(Records(b.Number()).size(), 4u);
  // Rewritten, CMulti holds what the evaluation gives: the first OK is new on its band.
  EXPECT_EQ(on.core.RebuildDatabase(true), Renumbering::kRenumbered);
  EXPECT_EQ(Records(b.Number())[0].CMulti.str(), "OK    ");
}

TEST_F(RenumberingTest, ASerialNumberContestKeepsItsEntryOrderAndNumbers) {
  LogBuilder b('e');  // the sent exchange is the serial number
  b.Create();
  const auto vhf = [](const char* call, int minute) {
    TContestLKRec q = Qso(call, 'k', kContestDay, 60 * minute);
    q.Loc = "JO62AB";
    return q;
  };
  b.Add(vhf("DL1AAA", 30));
  const std::int32_t gone = b.Add(vhf("DL2BBB", 10));
  b.Add(vhf("DL3CCC", 20));
  b.Add(vhf("DL4DDD", 5));
  {
    contest::TdbContest log(contest::kTableLK, b.Number());
    ASSERT_TRUE(log.FindAutoKey(common::LongIntToKey(gone)));
    ASSERT_TRUE(log.Delete(false));
  }
  CoreOnLog on(b);
  on.core.CurrentBand = 'k';
  EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kRenumbered);
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 3u);
  const char* calls[] = {"DL1AAA", "DL3CCC", "DL4DDD"};
  const std::int32_t numbers[] = {1, 3, 4};
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].Call.str(), calls[i]) << i;
    EXPECT_EQ(records[i].Nummer, numbers[i]) << i;
    EXPECT_EQ(records[i].wagNummer, static_cast<std::uint32_t>(numbers[i])) << i;
    EXPECT_EQ(records[i].wagBandNr, i + 1) << i;
  }
  // The next QSO continues after the highest number.
  b.Add(vhf("DL5EEE", 40));
  EXPECT_EQ(Records(b.Number()).back().Nummer, 5);
}

TEST_F(RenumberingTest, AnEmptyLogOrOneInOrderIsNotWritten) {
  LogBuilder b('W');
  b.Create();
  CoreOnLog on(b);
  EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kUnchanged);
  b.Add(At("OE1AAA", 'c', 30, "CW", "OE"));
  on.core.LogTable->ClearRec();
  EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kRenumbered);
  const auto mtime = std::filesystem::last_write_time(folder_ / "PXLK0001.DAT");
  const std::vector<TContestLKRec> before = Records(b.Number());
  EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kUnchanged);
  EXPECT_EQ(std::filesystem::last_write_time(folder_ / "PXLK0001.DAT"), mtime);
  EXPECT_TRUE(RenewedFiles().empty());
  // Forced, the same records are written again.
  EXPECT_EQ(on.core.RebuildDatabase(false, true), Renumbering::kRenumbered);
  const std::vector<TContestLKRec> after = Records(b.Number());
  EXPECT_TRUE(contestlog_test::SameRecords(after, before));
}

TEST_F(RenumberingTest, TheEntryInHandStaysButNoOldRecordIsFoundAgain) {
  LogBuilder b('W');
  b.Create();
  b.Add(At("OE1AAA", 'c', 30, "CW", "OE"));
  b.Add(At("F5BBB", 'c', 10, "CW", "F"));
  CoreOnLog on(b);
  ASSERT_TRUE(on.core.LogTable->Last(4));  // the log table stands on OE1AAA, Nummer 1
  TContestLKRec entry = At("G4CCC", 'c', 40, "CW", "G");
  on.core.LogTable->SetLKWorkingCopy(entry);
  EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kRenumbered);
  EXPECT_EQ(on.core.LogTable->GetCall(), "G4CCC");
  // An update would have re-found Nummer 1, which is F5BBB now.
  EXPECT_FALSE(on.core.LogTable->UpdateRec());
  EXPECT_EQ(Records(b.Number())[0].Call.str(), "F5BBB");
}

}  // namespace
}  // namespace contestlog
