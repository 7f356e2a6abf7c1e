// Record slots and the free chain of the data file, reference checks, and failed writes.

#include "platform/file_faults.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kLength = 32;

class RecordTest : public EngineTest {
 protected:
  void SetUp() override { h_ = CreateOpen("R", kLength, {}); }

  RecRef Add(std::uint8_t fill) {
    const RecRef ref = FileblockAddRecord(h_, Record(kLength, fill).data());
    EXPECT_EQ(Err(), 0);
    return ref;
  }
  std::int32_t Head(RecRef ref) {
    std::uint8_t head[4];
    FileblockRecordHead(h_, ref, head);
    return common::ReadLeInt32(head);
  }
  void PatchData(std::int64_t offset, std::int32_t value) {
    FileblockClose(h_);
    PatchFile(Name("R") + ".DAT", offset, value);
    h_ = Reopen(nullptr, "R");
  }

  FileblockHandle h_ = nullptr;
};

TEST_F(RecordTest, DeletedRecordsAreReusedLastDeletedFirstAndPutRewritesInPlace) {
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(Add(static_cast<std::uint8_t>(i)), i);
  FileblockDeleteRecord(h_, 3);
  FileblockDeleteRecord(h_, 5);
  EXPECT_EQ(FileblockUsedRecs(h_), 4);
  EXPECT_EQ(FileblockRecordSlots(h_), 7);
  EXPECT_EQ(Head(5), 3);  // the free chain runs 5 -> 3 -> end
  EXPECT_EQ(Head(3), -1);
  EXPECT_EQ(Add(50), 5);
  EXPECT_EQ(Add(30), 3);
  EXPECT_EQ(Add(70), 7);
  EXPECT_ISAM(FileblockPutRecord(h_, 2, Record(kLength, 9).data()), 0);
  Bytes got(kLength);
  for (const auto& [ref, fill] : {std::pair{1, 1}, {2, 9}, {3, 30}, {4, 4}, {5, 50}}) {
    FileblockGetRecord(h_, ref, got.data());
    EXPECT_EQ(got, Record(kLength, static_cast<std::uint8_t>(fill))) << ref;
  }
  EXPECT_EQ(Check(h_, "R"), "");
}

TEST_F(RecordTest, ReferenceChecksAreTheSameForGetPutHeadAndDelete) {
  Add(1);
  Add(2);
  Bytes buf(kLength, 0);
  for (const auto& [ref, error] : {std::pair{0, kIsamRefZero},
                                   {-1, kIsamRefRange},
                                   {3, kIsamRefRange},
                                   {0x7FFFFFFF, kIsamRefRange}}) {
    EXPECT_ISAM(FileblockGetRecord(h_, ref, buf.data()), error);
    EXPECT_ISAM(FileblockPutRecord(h_, ref, buf.data()), error);
    EXPECT_ISAM(Head(ref), error);
    EXPECT_ISAM(FileblockDeleteRecord(h_, ref), error == kIsamRefZero ? kIsamRefRange : error);
  }
  FileblockFlush(h_);
  EXPECT_EQ(std::filesystem::file_size(Name("R") + ".DAT"), 3u * kLength);  // nothing beyond
}

struct ChainCase {
  const char* name;
  std::int64_t offset;  // where the damaged link is written
  std::int32_t link;
};

class DamagedFreeChain : public RecordTest, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(DamagedFreeChain, StopsTheAddWith10170) {
  for (int i = 0; i < 4; ++i) Add(1);
  FileblockDeleteRecord(h_, 2);
  PatchData(GetParam().offset, GetParam().link);
  EXPECT_ISAM(FileblockAddRecord(h_, Record(kLength, 5).data()), kIsamFreeChainBad);
  EXPECT_EQ(FileblockUsedRecs(h_), 3);
}

// The data header's first free record is at offset 0; record 2's link at 2 x 32.
INSTANTIATE_TEST_SUITE_P(Links, DamagedFreeChain,
                         ::testing::Values(ChainCase{"HeadZero", 0, 0},
                                           ChainCase{"HeadBeyondSlots", 0, 9},
                                           ChainCase{"LinkZero", 2 * kLength, 0},
                                           ChainCase{"LinkBeyondSlots", 2 * kLength, 5},
                                           ChainCase{"LinkToItself", 2 * kLength, 2}),
                         RowName());

TEST_F(RecordTest, FailedWriteGivesTheSlotBackAndASecondDeleteIsRefused) {
  Add(1);
  FileblockDeleteRecord(h_, 1);
  EXPECT_ISAM(FileblockDeleteRecord(h_, 1), kIsamFreeChainBad);  // would make a cycle
  EXPECT_EQ(Add(1), 1);
  platform::FileFaultPlan plan{.write = {.fail_at = 1}, .flush = {}, .lock = {}};
  {
    platform::ScopedFileFaults faults(&plan);
    EXPECT_EQ(FileblockAddRecord(h_, Record(kLength, 2).data()), 0);
    EXPECT_EQ(Err(), kIsamOsFailure);
    EXPECT_EQ(Isam().FirstPrimitive, 0x4000);
    EXPECT_EQ(Isam().FirstOsError, 112u);
  }
  EXPECT_EQ(FileblockUsedRecs(h_), 1);
  EXPECT_EQ(Add(2), 2);
  FileblockDeleteRecord(h_, 1);
  plan = {.write = {.fail_at = 1, .short_write = true}, .flush = {}, .lock = {}};
  {
    platform::ScopedFileFaults faults(&plan);
    EXPECT_EQ(FileblockAddRecord(h_, Record(kLength, 3).data()), 0);
    EXPECT_EQ(Err(), kIsamShortWrite);
  }
  EXPECT_EQ(Add(3), 1);  // the free record is still at the head of the chain
  EXPECT_EQ(Check(h_, "R"), "");
}

TEST_F(RecordTest, SlotCountAtTheLimitGivesAnErrorInsteadOfWrapping) {
  PatchData(8, 0x7FFFFFFF);  // slots
  EXPECT_EQ(FileblockAddRecord(h_, Record(kLength, 1).data()), 0);
  EXPECT_EQ(Err(), kIsamShortWrite);
  // The highest reference lies at 2^31 x 32 bytes: a 64-bit offset, read as a short read.
  Bytes buf(kLength);
  EXPECT_ISAM(FileblockGetRecord(h_, 0x7FFFFFFF, buf.data()), kIsamShortRead);
}

}  // namespace
}  // namespace storage::testing
