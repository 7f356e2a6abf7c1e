// The setup tables and their cursor: names, folders, the open order, the two copies per kind.
#include <algorithm>
#include <filesystem>

#include "common/key_text.h"
#include "common/le_int.h"
#include "storage/driver/driver.h"
#include "tests/logbook/setupfiles/settings_fixture.h"

namespace logbook::testing {
namespace {

using SetupFilesTest = SettingsTest;

PxSetupRecord Filled(std::uint8_t byte) {
  PxSetupRecord r;
  r.fill(byte);
  return r;
}

TEST_F(SetupFilesTest, TablesLieInTheirFolderEntryOrTheDataFolder) {
  EXPECT_EQ(ToDatSetup::FilePath(kSetupMain), "PXSETUP");
  Settings().SetDirs(ToSetupDirs{{"one\\", "two/"}});
  std::string paths;
  for (int kind = 0; kind < kSetupKinds; ++kind) paths += ToDatSetup::FilePath(kind) + " ";
  EXPECT_EQ(paths, "two/PXSETUP two/PXSETUP2 one/PELPSETP one/HCSETUP ");
}

// PXSETUP opens first and PXSETUP2 last, after HCSETUP and PELPSETP: a table that cannot be
// opened keeps every later one shut.
TEST_F(SetupFilesTest, OpeningStopsAtTheFirstTableThatIsNotOpened) {
  // A driver of that name that the table layer did not open cannot be shared: HCSETUP fails.
  storage::IFDriver foreign;
  storage::DriverOpenParams p;
  p.name = p.path = "HCSETUP";
  p.record_length = p.buffer_length = kSetupRecordLength[kSetupHc];
  ASSERT_TRUE(foreign.Open(p));
  EXPECT_FALSE(
      Setups().OpenFiles(ToDatSetup::kBitMain | ToDatSetup::kBitMore | ToDatSetup::kBitHc, false));
  EXPECT_TRUE(Setups().IsOpen(kSetupMain));
  EXPECT_FALSE(Setups().IsOpen(kSetupHc));
  EXPECT_FALSE(Setups().IsOpen(kSetupMore));
  foreign.Destroy();
  EXPECT_TRUE(Setups().OpenFiles(ToDatSetup::kBitMore, false));
  EXPECT_TRUE(Setups().IsOpen(kSetupMore));
  Setups().CloseFiles(ToDatSetup::kBitMore);
  EXPECT_FALSE(Setups().OpenFiles(ToDatSetup::kBitMore, true));  // the skip flag opens nothing
}

TEST_F(SetupFilesTest, ACursorOpensItsTableWhenNoneIsOpenAndClosesItAgain) {
  {
    TdbSetup c(kSetupMore);
    EXPECT_TRUE(c.OpenedHere());
    EXPECT_FALSE(c.First(kSetupAutoreKey));  // a new table, made on first use
    EXPECT_TRUE(std::filesystem::exists(folder_ / "PXSETUP2.DAT"));
    EXPECT_TRUE(Setups().IsOpen(kSetupMore));
    EXPECT_FALSE(Setups().IsOpen(kSetupMain));
  }
  EXPECT_FALSE(Setups().IsOpen(kSetupMore));
  ASSERT_TRUE(Setups().OpenFiles(ToDatSetup::kBitMain, false));
  {
    TdbSetup c(kSetupMain);
    EXPECT_FALSE(c.OpenedHere());
  }
  EXPECT_TRUE(Setups().IsOpen(kSetupMain));
  // Mode 2 checks the caller's driver instead of the kind's own.
  storage::TdbTreiber* own = Setups().Treiber(kSetupMain);
  EXPECT_EQ(Setups().Treiber(kSetupMore, 2, own), own);
  EXPECT_EQ(Setups().Treiber(kSetupMore, 0, own), nullptr);
  storage::TdbTreiber closed;
  EXPECT_EQ(Setups().Treiber(kSetupMain, 2, &closed), nullptr);
}

TEST_F(SetupFilesTest, PutRecordTakesOnlyTheRecordOfTheCursorsKind) {
  TdbSetup more(kSetupMore);
  more.PutRecord0(Filled(0x11));
  PxSetupRecord out = Filled(0x77);
  more.GetRecord0(out);
  EXPECT_EQ(out, Filled(0));

  TdbSetup main(kSetupMain);
  main.PutRecord0(Filled(0x11));
  main.GetRecord0(out);
  EXPECT_EQ(out, Filled(0x11));
}

TEST_F(SetupFilesTest, InsertNumbersTheRecordAndUpdateKeepsTheNumber) {
  TdbSetup c(kSetupMain);
  c.Clear();
  PxSetupRecord r = Filled(0);
  r[100] = 1;
  c.PutRecord0(r);
  ASSERT_TRUE(c.Insert());
  c.GetRecord0(r);
  const std::int32_t number = common::ReadLeInt32(&r[kSetupAutoreOffset]);
  EXPECT_GT(number, 0);
  std::string key;
  c.GetAutoKeyText(key);
  EXPECT_EQ(key, common::LongIntToKey(number));

  // A record put in with another link is written over the record found, with its link.
  r.fill(0x5A);
  common::WriteLeInt32(&r[kSetupAutoreOffset], number);
  c.PutRecord0(r);
  ASSERT_TRUE(c.Update());
  const PxSetupRecord stored = StoredMain();
  EXPECT_EQ(common::ReadLeInt32(&stored[0]), 0);
  EXPECT_EQ(common::ReadLeInt32(&stored[kSetupAutoreOffset]), number);
  EXPECT_TRUE(std::all_of(stored.begin() + 8, stored.end(), [](auto b) { return b == 0x5A; }));
  EXPECT_EQ(c.RecordCount(), 1);
  EXPECT_EQ(CheckSetup(kSetupMain), "");
}

}  // namespace
}  // namespace logbook::testing
