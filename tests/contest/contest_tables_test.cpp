// The contest files and table objects on the real engine: where the files lie, how opens share
// and stop, record transfer and writing, and logs open side by side.
#include <cstring>
#include <filesystem>
#include <memory>

#include "common/key_text.h"
#include "storage/driver/driver.h"
#include "tests/contest/contest_fixture.h"

namespace contest_test {
namespace {

using contest::kTableKK;
using contest::kTableKZ;
using contest::kTableLK;
using contest::kTableLKTemp;
using contest::TableMask;

constexpr std::int32_t kDay = 154321;

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

TEST_F(ContestTest, FilesAreNamedAfterTableAndLogAndLieInTheirSettingsFolders) {
  for (const auto& [table, log, name] : {std::tuple<int, int, const char*>{kTableLK, 7, "PXLK0007"},
                                         {contest::kTableMK, 7, "QVMK0007"},
                                         {contest::kTableLK2, 12345, "PXLK12345"},
                                         {kTableKK, 7, "PXKK"},
                                         {kTableLKTemp, 7, "PXLKTEMP"},
                                         {contest::kTableLKNew, 7, "PXLN0007"},
                                         {kTableLK, -1, ""},
                                         {7, 0, ""}}) {
    EXPECT_EQ(contest::TableFileName(table, log), name) << table << " " << log;
  }
  logbook::ToSetupDirs dirs;
  dirs.dirs[10] = "scratch/";  // entry 11: the scratch log
  dirs.dirs[13] = "old\\";     // entry 14: QVMK
  common::Service<logbook::ToSetups>::Get().SetDirs(dirs);
  std::filesystem::create_directory(folder_ / "scratch");
  ASSERT_TRUE(Dat().OpenTables(
      TableMask(kTableKK) | TableMask(kTableKZ) | TableMask(kTableLK) | TableMask(kTableLKTemp),
      7));
  ASSERT_TRUE(Dat().OpenLK(12345));
  EXPECT_EQ(Dat().TablePath(contest::kTableMK, 7), "old\\QVMK0007");
  for (const char* file : {"PXKK.DAT", "PXKZ.IX", "PXLK0007.DAT", "PXLK0007.IX", "PXLK12345.DAT",
                           "scratch/PXLKTEMP.DAT"}) {
    EXPECT_TRUE(Exists(folder_ / file)) << file;
  }
  Dat().CloseTables(0x3F, 7);
  Dat().CloseLK(12345);
  EXPECT_EQ(storage::FindOpenDriver("PXLK0007"), nullptr);
  EXPECT_EQ(Dat().GetTreiber(kTableLK, 12345), nullptr);
}

TEST_F(ContestTest, OpeningStopsAtTheFirstTableThatFails) {
  EXPECT_TRUE(Dat().OpenTables(0, 7));  // nothing to open
  // A file of the catalogue's name that the table layer did not open cannot be shared.
  storage::IFDriver foreign;
  storage::DriverOpenParams p;
  p.name = "PXKK";
  p.path = "FOREIGN";
  p.record_length = p.buffer_length = 40;
  ASSERT_TRUE(foreign.Open(p));
  EXPECT_FALSE(Dat().OpenTables(TableMask(kTableKK) | TableMask(kTableKZ), 0));
  EXPECT_EQ(Dat().GetTreiber(kTableKZ, 0), nullptr);
  EXPECT_FALSE(Exists(folder_ / "PXKZ.DAT"));
  TdbContest catalogue(kTableKK, 0);  // an object without a file answers false
  EXPECT_EQ(catalogue.GetTreiber(), nullptr);
  EXPECT_FALSE(catalogue.First(1));
  EXPECT_FALSE(catalogue.InsertRec());
}

TEST_F(ContestTest, ASecondOpeningSharesTheFileWithoutRegisteringAgain) {
  TdbContest first(kTableLK, 7);
  ASSERT_TRUE(first.OpenedHere());
  // Registering the AUTOKEY field again would give the shared buffer its last image back.
  const TContestLKRec pending = Qso("DL1ABC", 'e', kDay, 0);
  std::memcpy(first.RecordBuffer(), &pending, sizeof pending);
  TdbContest second(kTableLK, 7);
  EXPECT_TRUE(second.OpenedHere());
  EXPECT_EQ(second.GetTreiber(), first.GetTreiber());
  EXPECT_EQ(first.GetTreiber()->UseCount(), 1);
  EXPECT_EQ(std::memcmp(second.RecordBuffer(), &pending, sizeof pending), 0);
  EXPECT_EQ(Add(7, Qso("DL1ABC", 'e', kDay, 0)), 1);  // the first opening's auto number
  EXPECT_EQ(Add(7, Qso("DK2XY", 'e', kDay, 60)), 2);
}

TEST_F(ContestTest, AQsoRoundTripsByteForByteAndUpdatesInPlace) {
  TContestLKRec qso{};
  auto* bytes = reinterpret_cast<std::uint8_t*>(&qso);
  for (std::size_t i = 8; i < sizeof qso; ++i) bytes[i] = static_cast<std::uint8_t>(i % 5 + 1);
  qso.Call = "OE3XYZ/P";
  qso.Frequency = 14.025f;
  qso.Nummer = 77;  // the engine's number wins
  const std::int32_t nummer = Add(7, qso);
  EXPECT_EQ(nummer, 1);
  qso.Nummer = nummer;
  TdbContest t(kTableLK, 7);
  ASSERT_TRUE(t.FindCall("OE3XYZ"));
  TContestLKRec read;
  ASSERT_TRUE(t.GetLKRec(read));
  EXPECT_EQ(std::memcmp(&read, &qso, sizeof qso), 0);
  EXPECT_EQ(std::memcmp(reinterpret_cast<char*>(&read) + 203, "\x66\x66\x60\x41", 4), 0);
  read.Mode = "SSB";
  t.SetLKRec(read);
  ASSERT_TRUE(t.UpdateRec());
  TdbContest other(kTableLK, 7);
  EXPECT_TRUE(other.SeekBandCallMode(qso.Bandcode, "OE3XYZ", "SSB"));
  EXPECT_EQ(other.RecordCount(), 1);
}

TEST_F(ContestTest, AnUpdateOfARecordAnotherUserDeletedWritesNothingAlsoWhenRetried) {
  for (const char* call : {"DL1AAA", "DL2BBB", "DL3CCC"}) Add(7, Qso(call, 'e', kDay, 0));
  TdbContest t(kTableLK, 7);
  ASSERT_TRUE(t.FindCall("DL2BBB"));
  TContestLKRec changed;
  t.GetLKRec(changed);
  changed.Mode = "FM";
  t.SetLKRec(changed);
  ASSERT_EQ(common::testing::WaitPeer(StartPeer({"delete", "7", "2"})), 0);
  TdbContest reader(kTableLK, 7);  // puts another QSO into the shared record buffer
  ASSERT_TRUE(reader.FindCall("DL3CCC"));
  EXPECT_FALSE(t.UpdateRec());
  EXPECT_FALSE(t.UpdateRec());  // the log window retries a failed save
  TdbContest check(kTableLK, 7);
  EXPECT_EQ(check.RecordCount(), 2);
  ASSERT_TRUE(check.FindCall("DL3CCC"));
  EXPECT_EQ(check.GetMode(), "CW");
  EXPECT_EQ(Nummer(check), 3);
}

TEST_F(ContestTest, TwoLogsOpenAtOnceEachObjectWorksOnItsOwnLog) {
  auto first7 = std::make_unique<TdbContest>(kTableLK, 7);
  TdbContest log8(kTableLK, 8);  // opened while log 7 is open
  TdbContest second7(kTableLK, 7);
  Add(7, Qso("DL7AAA", 'e', kDay, 0));
  Add(8, Qso("DL8BBB", 'e', kDay, 0));
  EXPECT_TRUE(first7->FindCall("DL7AAA"));
  EXPECT_FALSE(first7->FindCall("DL8BBB"));
  EXPECT_TRUE(log8.FindCall("DL8BBB"));
  EXPECT_FALSE(log8.FindCall("DL7AAA"));
  first7.reset();  // the first opener goes: its use goes with it
  ASSERT_TRUE(second7.FindCall("DL7AAA"));
  EXPECT_EQ(Add(7, Qso("DL7CCC", 'e', kDay, 60)), 2);
  EXPECT_EQ(second7.RecordCount(), 2);
  EXPECT_EQ(log8.RecordCount(), 1);
  { TdbContest last(kTableLK, 9); }  // the last object of a log closes its file
  EXPECT_EQ(Dat().GetTreiber(kTableLK, 9), nullptr);
  EXPECT_EQ(storage::FindOpenDriver("PXLK0009"), nullptr);
}

TEST_F(ContestTest, CopyLogRecordFromSkipsMarkedQsosUnlessForced) {
  TContestLKRec marked = Qso("DL1ABC", 'e', kDay, 0);
  marked.SkipMark = 1;
  Add(7, marked);
  Add(7, Qso("DK2XY", 'e', kDay, 60));
  TdbContest log(kTableLK, 7);
  TdbContest scratch(kTableLKTemp, 7);
  TdbContest catalogue(kTableKK, 0);
  ASSERT_TRUE(log.FindCall("DL1ABC"));
  EXPECT_TRUE(scratch.CopyLogRecordFrom(log, 0, false));
  EXPECT_EQ(scratch.RecordCount(), 0);
  EXPECT_TRUE(scratch.CopyLogRecordFrom(log, 0, true));
  EXPECT_EQ(scratch.RecordCount(), 1);
  ASSERT_TRUE(log.FindCall("DK2XY"));
  EXPECT_TRUE(scratch.CopyLogRecordFrom(log, 1, false));  // a mode that writes nothing
  EXPECT_EQ(scratch.GetCall(), "DK2XY");
  EXPECT_EQ(scratch.RecordCount(), 1);
  EXPECT_TRUE(scratch.CopyLogRecordFrom(log, 0, false));
  EXPECT_EQ(scratch.RecordCount(), 2);
  EXPECT_FALSE(catalogue.CopyLogRecordFrom(log, 0, true));
  EXPECT_FALSE(scratch.CopyLogRecordFrom(catalogue, 0, true));
}

TEST_F(ContestTest, RecordTransferKeepsToTheObjectsOwnTable) {
  TdbContest catalogue(kTableKK, 0);
  catalogue.SetLKRec(Qso("DL1ABC", 'e', kDay, 0));
  TContestLKRec untouched = Qso("SAME", 'a', 1, 2);
  EXPECT_FALSE(catalogue.GetLKRec(untouched));
  EXPECT_EQ(untouched.Call.str(), "SAME");
  contest::TContestKKRec kk;
  ASSERT_TRUE(catalogue.GetKKRec(kk));
  EXPECT_EQ(kk.Name.str(), "");
  EXPECT_EQ(catalogue.GetCall(), "");
}

}  // namespace
}  // namespace contest_test
