// The rebuild: reorganisation through "SAV", index rebuild, the "MSG" dump and every failure
// stage with its clean-up.

#include "platform/file.h"
#include "platform/file_faults.h"
#include "tests/storage/rebuild_fixture.h"

namespace storage::testing {
namespace {

TEST_P(RebuildTest, FreeRecordsVanishAndReferencesChange) {
  auto refs = Populate(40);
  for (int id : {1, 2, 17, 30}) Delete(id, refs[id]);
  Close();
  ASSERT_ISAM(Rebuild(), 0);
  EXPECT_FALSE(Exists("SAV"));
  EXPECT_FALSE(Exists("MSG"));
  ExpectRecords();
  Open();
  RecRef ref = 0;
  FileblockFindKey(h_, 1, KeyStr(NameOf(3)), ref);
  EXPECT_NE(ref, refs[3]);  // moved into the first slot
  EXPECT_EQ(ref, 1);
  std::int32_t slots = 0;
  for (const auto& [id, name] : ids_) slots += SlotsOf(id);
  EXPECT_EQ(FileblockUsedRecs(h_), slots);
  EXPECT_EQ(FileblockRecordSlots(h_), slots + 1);  // no free record left
  Close();
}

TEST_P(RebuildTest, LeftoverSaveIsTakenAsTheSource) {
  Populate(12);
  Close();
  ASSERT_EQ(platform::RenameFile(Name() + ".DAT", Name() + ".SAV"), 0u);
  ASSERT_ISAM(Rebuild(), 0);
  EXPECT_FALSE(Exists("SAV"));
  ExpectRecords();
}

TEST_P(RebuildTest, SaveAndDataBothPresentStopAtOnce) {
  Populate(5);
  Close();
  ASSERT_EQ(platform::CopyFile(Name() + ".DAT", Name() + ".SAV", true), 0u);
  const std::string data = FileBytes("DAT");
  const std::string index = FileBytes("IX");
  EXPECT_ISAM(Rebuild(), kIsamRebuildFilesLeft);
  EXPECT_EQ(FileBytes("DAT"), data);
  EXPECT_EQ(FileBytes("IX"), index);
  EXPECT_EQ(FileBytes("SAV"), data);
}

TEST_P(RebuildTest, UniqueKeyCollisionIsDumpedAndDeletedAndTheDumpIsKept) {
  Populate(3);
  Add(4, NameOf(2), true);  // same unique key as record 2, entered under key 2 only
  Close();
  ASSERT_ISAM(Rebuild(), 0);
  ids_.erase(4);
  ids_[2] = NameOf(2);
  ExpectRecords();
  // References after the reorganisation: the records in order, each taking its sections.
  const RecRef ref4 = 1 + SlotsOf(1) + SlotsOf(2) + SlotsOf(3);
  const auto bytes = RecordOf(4, variable(), NameOf(2));
  const std::string expected = "Key:<" + NameOf(2) + "> KeyNr: 1 Ref: " + std::to_string(ref4) +
                               " not added\r\nData record deleted - Dump follows\r\n" +
                               std::string(bytes.begin(), bytes.end()) + "\r\n\r\n";
  EXPECT_EQ(FileBytes("MSG"), expected);

  // The next rebuild appends: the first record removed stays recoverable.
  Open();
  Add(5, NameOf(1), true);
  Close();
  ASSERT_ISAM(Rebuild(), 0);
  const std::string msg = FileBytes("MSG");
  EXPECT_EQ(msg.substr(0, expected.size()), expected);
  EXPECT_NE(msg.find("Key:<" + NameOf(1) + "> KeyNr: 1 Ref: ", expected.size()), std::string::npos);
}

TEST_P(RebuildTest, StopInTheProgressProcedureGives10460AndLeavesAFileToRebuild) {
  Populate(10);
  Close();
  const std::string data = FileBytes("DAT");
  EXPECT_ISAM(Rebuild([](std::int32_t read, std::int32_t) { return read < 5; }),
              kIsamRebuildStopped);
  EXPECT_EQ(FileBytes("DAT"), data);  // stopped in the reorganisation: restored
  EXPECT_FALSE(Exists("SAV"));
  int calls = 0;
  EXPECT_ISAM(Rebuild([&calls](std::int32_t, std::int32_t) { return ++calls < 14; }),
              kIsamRebuildStopped);  // 10 records reorganised, 4 indexed
  EXPECT_EQ(RefusedOpen(Name()), kIsamIndexUnusable);
  ASSERT_ISAM(Rebuild(), 0);
  ExpectRecords();
}

TEST_P(RebuildTest, FaultAtEveryStageOfTheReorganisationLeavesTheDataFileAsItWas) {
  auto refs = Populate(20);
  Delete(5, refs[5]);
  Close();
  const std::string data = FileBytes("DAT");
  for (int kind = 0; kind < 2; ++kind) {
    for (std::uint64_t n = 1;; ++n) {
      platform::FileFaultPlan plan;
      (kind == 0 ? plan.write : plan.flush).fail_at = n;
      {
        platform::ScopedFileFaults faults(&plan);
        Reorganise(Name(), length(), length(), kRebuildKeys, variable(), PassThroughRecord);
      }
      if (Err() == 0) break;
      ASSERT_EQ(FileBytes("DAT"), data) << (kind == 0 ? "write " : "flush ") << n;
      ASSERT_FALSE(Exists("SAV"));
      ASSERT_LT(n, 500u);
    }
    if (kind == 0) {
      WriteFile(Name() + ".DAT", data);  // undo the successful run for the flush round
    }
  }
  RebuildIndex(Name(), length(), length(), kRebuildKeys, variable(), RebuildKeysOf, true);
  ASSERT_EQ(Err(), 0);
  ExpectRecords();
}

TEST_P(RebuildTest, FaultInTheIndexRebuildLeavesTheFileToBeRebuiltAgain) {
  Populate(20);
  Close();
  for (std::uint64_t n : {1, 2, 3, 4, 6}) {
    platform::FileFaultPlan plan;
    plan.write.fail_at = n;
    {
      platform::ScopedFileFaults faults(&plan);
      RebuildIndex(Name(), length(), length(), kRebuildKeys, variable(), RebuildKeysOf, true);
    }
    EXPECT_NE(Err(), 0) << n;
    EXPECT_EQ(RefusedOpen(Name()), kIsamIndexUnusable) << n;
  }
  ASSERT_ISAM(Rebuild(), 0);
  ExpectRecords();
}

TEST_P(RebuildTest, FailingCallbacksEndTheRebuild) {
  Populate(6);
  Close();
  const std::string data = FileBytes("DAT");
  Reorganise(Name(), length(), length(), kRebuildKeys, variable(),
             [](const std::uint8_t*, std::int32_t, std::uint8_t*) {
               IsamSetError(1);
               return true;
             });
  EXPECT_EQ(Err(), kIsamRebuildRecordRefused);
  EXPECT_EQ(FileBytes("DAT"), data);
  RebuildIndex(
      Name(), length(), length(), kRebuildKeys, variable(),
      [](const std::uint8_t*, std::uint16_t, std::string&) { IsamSetError(1); }, true);
  EXPECT_EQ(Err(), kIsamRebuildKeyBuilder);
  EXPECT_EQ(FileblockOpen(Name()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Records, RebuildTest, ::testing::Bool(), RowName);

class VarRebuildTest : public RebuildTest {};

TEST_P(VarRebuildTest, ChainPastTheEndIsLeftOutAndTheRecordsBehindAreCopied) {
  auto refs = Populate(4);
  Close();
  // Record 1's head points past the end of the file.
  PatchFile(Name() + ".DAT", (refs[1] + 1) * kVarLength - 4, 1000000);
  ASSERT_ISAM(Rebuild(), 0);
  ids_.erase(1);
  ExpectRecords();
}

TEST_P(VarRebuildTest, KeyBuilderMayReadTheWholeRecordRoom) {
  Populate(3);
  Close();
  std::vector<int> seen;
  RebuildVariable(Name(), kVarLength, kRebuildKeys,
                  [&seen](const std::uint8_t* record, std::uint16_t key, std::string& text) {
                    seen.push_back(record[65535]);  // zero behind every record
                    RebuildKeysOf(record, key, text);
                  });
  ASSERT_EQ(Err(), 0);
  EXPECT_EQ(seen, std::vector<int>(6, 0));
}

INSTANTIATE_TEST_SUITE_P(Records, VarRebuildTest, ::testing::Values(true), RowName);

using RebuildChecks = EngineTest;

TEST_F(RebuildChecks, RecordLengthsOutOfRangeAreRefused) {
  const struct {
    const char* name;
    bool variable;
    std::int32_t min;
    std::int32_t max;
  } lengths[] = {{"BelowMinimum", false, 20, 20},
                 {"VariableAbove65520", true, 65521, 65521},
                 {"MaximumBelowMinimum", false, 30, 25}};
  for (const auto& c : lengths) {
    SCOPED_TRACE(c.name);
    EXPECT_ISAM(Reorganise(Name(), c.min, c.max, kRebuildKeys, c.variable, PassThroughRecord),
                kIsamRebuildRecordLength);
    EXPECT_ISAM(RebuildIndex(Name(), c.min, c.max, kRebuildKeys, c.variable, RebuildKeysOf, true),
                kIsamRebuildRecordLength);
  }
}

// The index rebuild trusts no data header that does not describe its file.
TEST_F(RebuildChecks, IndexRebuildRefusesAnInconsistentDataHeader) {
  const struct {
    const char* name;
    std::int64_t offset;  // -1: a stray byte appended
    std::int32_t value;
  } damages[] = {{"StrayByte", -1, 0},
                 {"SlotCount", 8, 4},
                 {"FreeCount", 4, 0},
                 {"FreeChainPastSlots", 0, 9},
                 {"RecordLength", 12, 25}};
  for (const auto& c : damages) {
    SCOPED_TRACE(c.name);
    FileblockHandle h = CreateOpen("T", kFixedLength, kRebuildKeys);
    for (int id = 1; id <= 3; ++id) FileblockAddRecord(h, RecordOf(id, false, NameOf(id)).data());
    FileblockDeleteRecord(h, 2);
    FileblockClose(h);
    if (c.offset < 0) std::ofstream(Name() + ".DAT", std::ios::binary | std::ios::app).put('x');
    if (c.offset >= 0) PatchFile(Name() + ".DAT", c.offset, c.value);
    EXPECT_ISAM(
        RebuildIndex(Name(), kFixedLength, kFixedLength, kRebuildKeys, false, RebuildKeysOf, true),
        kIsamDataHeaderBad);
  }
}

}  // namespace
}  // namespace storage::testing
