// Variable-length records: section layout, rewrite and delete bookkeeping, damaged chains.

#include "storage/var_record.h"

#include "platform/file.h"
#include "platform/file_faults.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kL = 23;  // head holds 17 bytes, a continuation 16

std::vector<std::uint8_t> Bytes(int n, int seed = 1) {
  std::vector<std::uint8_t> v(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(i < 4 ? 0 : (i * 7 + seed) | 1);
  return v;
}

class VarRecTest : public EngineTest {
 protected:
  void SetUp() override { h_ = CreateOpen("V", kL, {}); }

  RecRef Add(const std::vector<std::uint8_t>& data) {
    RecRef ref = 0;
    EXPECT_ISAM(VarRecAdd(h_, ref, data.data(), static_cast<std::int32_t>(data.size())), 0);
    return ref;
  }
  std::vector<std::uint8_t> Get(RecRef ref, int capacity = 9000) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(capacity));
    std::int32_t length = capacity;
    VarRecGet(h_, ref, out.data(), length);
    out.resize(static_cast<std::size_t>(length));
    return out;
  }
  std::vector<std::uint8_t> Slot(RecRef ref) {
    std::vector<std::uint8_t> s(kL);
    FileblockGetRecord(h_, ref, s.data());
    return s;
  }
  std::string CheckVar() {
    CheckOptions o;
    o.section_records = true;
    return Check(h_, "V", o);
  }
  // Overwrites 4 bytes of slot `ref` at `offset` in the file.
  void Patch(RecRef ref, int offset, std::int32_t value) {
    FileblockFlush(h_);
    PatchFile(Name("V") + ".DAT", static_cast<std::int64_t>(ref) * kL + offset, value);
  }
  std::string FileBytes() {
    FileblockFlush(h_);
    return ReadFile(Name("V") + ".DAT");
  }

  FileblockHandle h_ = nullptr;
};

struct LayoutCase {
  const char* name;
  int length;
  int sections;
  int last_section_bytes;
};

class VarRecLayoutTest : public VarRecTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(VarRecLayoutTest, SectionsHoldTheRecordAsLaidOut) {
  const LayoutCase& c = GetParam();
  const auto data = Bytes(c.length);
  const RecRef ref = Add(data);
  EXPECT_EQ(FileblockUsedRecs(h_), c.sections);
  EXPECT_EQ(Get(ref), data);
  // Follow the chain by hand: the head's count and link, then every continuation.
  auto slot = Slot(ref);
  EXPECT_EQ(common::ReadLeUInt16(slot.data() + kL - 6), std::min(c.length, kL - 6));
  RecRef next = common::ReadLeInt32(slot.data() + kL - 4);
  int seen = 1;
  int last = std::min(c.length, kL - 6);
  while (next != 0) {
    slot = Slot(next);
    EXPECT_EQ(slot[0], 1);
    last = common::ReadLeUInt16(slot.data() + kL - 6);
    next = common::ReadLeInt32(slot.data() + kL - 4);
    ++seen;
  }
  EXPECT_EQ(seen, c.sections);
  EXPECT_EQ(last, c.last_section_bytes);
  EXPECT_EQ(CheckVar(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, VarRecLayoutTest,
    ::testing::Values(LayoutCase{"Empty", 0, 1, 0}, LayoutCase{"ShortHead", 5, 1, 5},
                      LayoutCase{"ExactlyOneSection", kL - 6, 1, kL - 6},
                      LayoutCase{"OneByteMore", kL - 5, 2, 1},
                      LayoutCase{"TwoFullContinuations", kL - 6 + 2 * (kL - 7), 3, kL - 7},
                      LayoutCase{"LongRecord", 8023, 1 + (8023 - 17 + 15) / 16, (8023 - 17) % 16}),
    [](const auto& info) { return info.param.name; });

TEST_F(VarRecTest, ShortTargetGetsExactlyItsCapacity) {
  const auto data = Bytes(100);
  const RecRef ref = Add(data);
  for (int capacity : {0, 1, kL - 6, kL - 5, 99, 100, 150}) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(capacity) + 8, 0xEE);
    std::int32_t length = capacity;
    ASSERT_ISAM(VarRecGet(h_, ref, out.data(), length), 0);
    const int expected = std::min(capacity, 100);
    ASSERT_EQ(length, expected);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + expected, data.begin())) << capacity;
    EXPECT_EQ(out[static_cast<std::size_t>(capacity)], 0xEE) << capacity;  // nothing beyond
  }
}

TEST_F(VarRecTest, RewriteAndDeleteFreeEveryOldSectionForTheNextAdd) {
  const RecRef keep = Add(Bytes(40));
  const RecRef ref = Add(Bytes(500));
  const std::int32_t before = FileblockUsedRecs(h_);
  const auto shorter = Bytes(10, 5);
  ASSERT_ISAM(VarRecPut(h_, ref, shorter.data(), 10), 0);
  EXPECT_EQ(Get(ref), shorter);
  EXPECT_EQ(FileblockUsedRecs(h_), before - VarRecSectionCount(kL, 500) + 1);
  const std::int32_t slots = FileblockRecordSlots(h_);
  // 31 slots, as many as the rewrite freed: the file does not grow.
  const auto again = Bytes(kL - 6 + 30 * (kL - 7), 3);
  const RecRef added = Add(again);
  EXPECT_EQ(Get(added), again);
  EXPECT_EQ(FileblockRecordSlots(h_), slots);
  EXPECT_EQ(FileblockUsedRecs(h_), before);
  ASSERT_ISAM(VarRecDelete(h_, added), 0);  // the head and the whole chain
  EXPECT_EQ(FileblockUsedRecs(h_), before - 31);
  EXPECT_NE(common::ReadLeInt32(Get(added).data()), 0);  // the freed head is a free-chain link
  EXPECT_EQ(Get(keep), Bytes(40));
  EXPECT_EQ(CheckVar(), "");
}

TEST_F(VarRecTest, CheckerReportsSectionsWithoutAHeadAndBrokenChains) {
  const RecRef ref = Add(Bytes(40));  // head and two sections
  const RecRef first = common::ReadLeInt32(Slot(ref).data() + kL - 4);
  Patch(ref, kL - 4, 0);
  EXPECT_NE(CheckVar().find("section " + std::to_string(first) + ": no record head refers to it"),
            std::string::npos);
  Patch(ref, kL - 4, ref);  // the head's chain leads back to itself
  EXPECT_NE(CheckVar().find("names a record head"), std::string::npos);
}

TEST_F(VarRecTest, TooLongRecordIsRefused) {
  const std::int32_t max = VarRecMaxLength(kL);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(max) + 1);
  RecRef ref = 7;
  EXPECT_ISAM(VarRecAdd(h_, ref, data.data(), max + 1), kIsamSectionChainBad);
  EXPECT_EQ(ref, 0);
  EXPECT_EQ(FileblockUsedRecs(h_), 0);
}

TEST_F(VarRecTest, FailedChainWriteFreesTheSectionsWritten) {
  const RecRef keep = Add(Bytes(20));
  platform::FileFaultPlan plan;
  plan.write.fail_at = 3;  // the third section of the chain
  RecRef ref = 0;
  {
    platform::ScopedFileFaults faults(&plan);
    const auto data = Bytes(200);
    VarRecAdd(h_, ref, data.data(), 200);
  }
  EXPECT_EQ(Err(), kIsamOsFailure);
  EXPECT_EQ(ref, 0);
  EXPECT_EQ(FileblockUsedRecs(h_), VarRecSectionCount(kL, 20));
  EXPECT_EQ(Get(keep), Bytes(20));
  EXPECT_EQ(CheckVar(), "");
}

TEST_F(VarRecTest, LockedHeadIsDeliveredWith10205) {
  const auto data = Bytes(60);
  const RecRef ref = Add(data);
  FileblockClose(h_);
  OpenOptions shared;
  shared.shared = true;
  h_ = FileblockOpen(Name("V"), shared);
  ASSERT_NE(h_, nullptr);
  platform::File other;
  ASSERT_EQ(other.Open(Name("V") + ".DAT", platform::FileAccess::kReadWrite,
                       platform::FileShare::kReadWrite, platform::FileCreate::kOpenExisting),
            0u);
  ASSERT_EQ(other.LockRegion(static_cast<std::int64_t>(ref) * kL, 4), 0u);
  std::vector<std::uint8_t> out(100, 0xEE);
  std::int32_t length = 100;
  EXPECT_ISAM(VarRecGetLocked(h_, ref, out.data(), length), kIsamRecordLockedRead);
  ASSERT_EQ(length, 60);
  out.resize(60);
  EXPECT_EQ(out, data);
}

// A damaged chain: get, put and delete end with 10175, never loop, and put and delete leave the
// file as it was.
struct DamageCase {
  const char* name;
  int slot;  // 0 the head, 1 its first continuation
  int offset;
  std::int32_t value;
};

class VarRecDamageTest : public VarRecTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(VarRecDamageTest, ChainWalksEndWithAnError) {
  const DamageCase& c = GetParam();
  const RecRef ref = Add(Bytes(100));
  const auto head = Slot(ref);
  const RecRef first = common::ReadLeInt32(head.data() + kL - 4);
  const RecRef target = c.slot == 0 ? ref : first;
  const std::int32_t value = c.value == -100 ? target : (c.value == -200 ? ref : c.value);
  Patch(target, c.offset, value);

  EXPECT_LE(Get(ref).size(), 100u);
  EXPECT_EQ(Err(), kIsamSectionChainBad);
  const std::string before = FileBytes();
  const auto other = Bytes(50);
  EXPECT_ISAM(VarRecPut(h_, ref, other.data(), 50), kIsamSectionChainBad);
  EXPECT_ISAM(VarRecDelete(h_, ref), kIsamSectionChainBad);
  EXPECT_EQ(FileBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Damages, VarRecDamageTest,
                         ::testing::Values(DamageCase{"LinkToItself", 1, kL - 4, -100},
                                           DamageCase{"LinkBackToHead", 1, kL - 4, -200},
                                           DamageCase{"LinkPastTheFile", 1, kL - 4, 9999},
                                           DamageCase{"NegativeLink", 0, kL - 4, -5},
                                           DamageCase{"MarkerMissing", 1, 0, 0x01010102},
                                           DamageCase{"HeadCountTooLarge", 0, kL - 6, 0x0000FFFF}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace storage::testing
