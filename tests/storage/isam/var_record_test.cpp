// Variable-length records: layout, rewrite and delete bookkeeping, damaged chains, random runs.

#include "storage/isam/var_record.h"

#include <map>
#include <random>

#include "platform/file.h"
#include "platform/file_faults.h"
#include "tests/storage/isam/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kL = 23;  // head holds 17 bytes, a continuation 16

// A record of `n` bytes: the first four zero (a used record's link), the rest from `seed`.
Bytes Data(int n, std::uint32_t seed = 1) {
  Bytes v = Record(n);
  for (std::uint32_t i = 4, x = seed * 2654435761u + 1; i < v.size(); ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    v[i] = static_cast<std::uint8_t>(x);
  }
  return v;
}

class VarRecTest : public EngineTest {
 protected:
  void SetUp() override { h_ = CreateOpen("V", kL, {}); }

  RecRef Add(const Bytes& data) {
    RecRef ref = 0;
    EXPECT_ISAM(VarRecAdd(h_, ref, data.data(), static_cast<std::int32_t>(data.size())), 0);
    return ref;
  }
  Bytes Get(RecRef ref, int capacity = 9000) {
    Bytes out(static_cast<std::size_t>(capacity));
    VarRecGet(h_, ref, out.data(), capacity);
    out.resize(static_cast<std::size_t>(capacity));
    return out;
  }
  // The sections of `ref`'s chain (reference, byte count), read by hand, markers checked.
  std::vector<std::pair<RecRef, int>> Chain(RecRef ref) {
    std::vector<std::pair<RecRef, int>> chain;
    for (Bytes s(kL); ref != 0 && chain.size() < 1000; ref = common::ReadLeInt32(&s[kL - 4])) {
      FileblockGetRecord(h_, ref, s.data());
      EXPECT_EQ(s[0], chain.empty() ? 0 : 1);
      chain.emplace_back(ref, common::ReadLeUInt16(&s[kL - 6]));
    }
    return chain;
  }
  std::string CheckVar() {
    return Check(h_, "V", CheckOptions{.key_builder = {}, .section_records = true});
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
  int length, sections, last_section_bytes;
};

class VarRecLayout : public VarRecTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(VarRecLayout, SectionsHoldTheRecordAsLaidOut) {
  const LayoutCase& c = GetParam();
  const Bytes data = Data(c.length);
  const RecRef ref = Add(data);
  EXPECT_EQ(FileblockUsedRecs(h_), c.sections);
  EXPECT_EQ(Get(ref), data);
  const auto chain = Chain(ref);
  ASSERT_EQ(chain.size(), static_cast<std::size_t>(c.sections));
  EXPECT_EQ(chain.front().second, std::min(c.length, kL - 6));
  EXPECT_EQ(chain.back().second, c.last_section_bytes);
  EXPECT_EQ(CheckVar(), "");
}

const LayoutCase kLayouts[] = {{"Empty", 0, 1, 0},
                               {"ShortHead", 5, 1, 5},
                               {"ExactlyOneSection", kL - 6, 1, kL - 6},
                               {"OneByteMore", kL - 5, 2, 1},
                               {"TwoFullContinuations", kL - 6 + 2 * (kL - 7), 3, kL - 7},
                               {"LongRecord", 8023, 1 + (8023 - 17 + 15) / 16, (8023 - 17) % 16}};
INSTANTIATE_TEST_SUITE_P(Lengths, VarRecLayout, ::testing::ValuesIn(kLayouts), RowName);

TEST_F(VarRecTest, ShortTargetGetsExactlyItsCapacity) {
  const Bytes data = Data(100);
  const RecRef ref = Add(data);
  for (int capacity : {0, 1, kL - 6, kL - 5, 99, 100, 150}) {
    Bytes out(static_cast<std::size_t>(capacity) + 8, 0xEE);
    std::int32_t length = capacity;
    ASSERT_ISAM(VarRecGet(h_, ref, out.data(), length), 0);
    const int expected = std::min(capacity, 100);
    ASSERT_EQ(length, expected);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + expected, data.begin())) << capacity;
    EXPECT_EQ(out[static_cast<std::size_t>(capacity)], 0xEE) << capacity;  // nothing beyond
  }
}

TEST_F(VarRecTest, RewriteAndDeleteFreeEveryOldSectionForTheNextAdd) {
  const RecRef keep = Add(Data(40));
  const RecRef ref = Add(Data(500));
  const std::int32_t before = FileblockUsedRecs(h_);
  ASSERT_ISAM(VarRecPut(h_, ref, Data(10, 5).data(), 10), 0);
  EXPECT_EQ(Get(ref), Data(10, 5));
  EXPECT_EQ(FileblockUsedRecs(h_), before - VarRecSectionCount(kL, 500) + 1);
  const std::int32_t slots = FileblockRecordSlots(h_);
  // 31 slots, as many as the rewrite freed: the file does not grow.
  const Bytes again = Data(kL - 6 + 30 * (kL - 7), 3);
  const RecRef added = Add(again);
  EXPECT_EQ(Get(added), again);
  EXPECT_EQ(FileblockRecordSlots(h_), slots);
  EXPECT_EQ(FileblockUsedRecs(h_), before);
  ASSERT_ISAM(VarRecDelete(h_, added), 0);  // the head and the whole chain
  EXPECT_EQ(FileblockUsedRecs(h_), before - 31);
  EXPECT_NE(common::ReadLeInt32(Get(added).data()), 0);  // the freed head is a free-chain link
  EXPECT_EQ(Get(keep), Data(40));
  EXPECT_EQ(CheckVar(), "");
}

TEST_F(VarRecTest, CheckerReportsSectionsWithoutAHeadAndBrokenChains) {
  const RecRef ref = Add(Data(40));  // head and two sections
  const RecRef first = Chain(ref)[1].first;
  Patch(ref, kL - 4, 0);
  EXPECT_NE(CheckVar().find("section " + std::to_string(first) + ": no record head refers to it"),
            std::string::npos);
  Patch(ref, kL - 4, ref);  // the head's chain leads back to itself
  EXPECT_NE(CheckVar().find("names a record head"), std::string::npos);
}

TEST_F(VarRecTest, TooLongRecordAndFailedChainWriteLeaveNothingBehind) {
  const RecRef keep = Add(Data(20));
  const std::int32_t max = VarRecMaxLength(kL);
  const Bytes data(static_cast<std::size_t>(max) + 1);
  RecRef ref = 7;
  EXPECT_ISAM(VarRecAdd(h_, ref, data.data(), max + 1), kIsamSectionChainBad);
  EXPECT_EQ(ref, 0);
  platform::FileFaultPlan plan{
      .write = {.fail_at = 3}, .flush = {}, .lock = {}, .read = {}};  // section 3
  WithFaults(plan, [&] { EXPECT_ISAM(VarRecAdd(h_, ref, data.data(), 200), kIsamShortWrite); });
  EXPECT_EQ(ref, 0);
  EXPECT_EQ(FileblockUsedRecs(h_), VarRecSectionCount(kL, 20));
  EXPECT_EQ(Get(keep), Data(20));
  EXPECT_EQ(CheckVar(), "");
}

TEST_F(VarRecTest, LockedHeadIsDeliveredWith10205) {
  const Bytes data = Data(60);
  const RecRef ref = Add(data);
  h_ = Reopen(h_, "V", OpenOptions{.shared = true});
  platform::File other;
  ASSERT_EQ(other.Open(Name("V") + ".DAT", platform::FileAccess::kReadWrite,
                       platform::FileShare::kReadWrite, platform::FileCreate::kOpenExisting),
            0u);
  ASSERT_EQ(other.LockRegion(static_cast<std::int64_t>(ref) * kL, 4), 0u);
  Bytes out(100, 0xEE);
  std::int32_t length = 100;
  EXPECT_ISAM(VarRecGetLocked(h_, ref, out.data(), length), kIsamRecordLockedRead);
  out.resize(static_cast<std::size_t>(length));
  EXPECT_EQ(out, data);
}

// A damaged chain: get, put and delete end with 10175, and put and delete change nothing.
struct DamageCase {
  const char* name;
  bool head;  // the head is damaged, else its first continuation
  int offset;
  std::int32_t value;  // -1: the damaged slot's own reference, -2: the head's
};

class VarRecDamage : public VarRecTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(VarRecDamage, ChainWalksEndWithAnError) {
  const DamageCase& c = GetParam();
  const RecRef ref = Add(Data(100));
  const RecRef target = c.head ? ref : Chain(ref)[1].first;
  Patch(target, c.offset, c.value == -1 ? target : c.value == -2 ? ref : c.value);
  EXPECT_LE(Get(ref).size(), 100u);
  EXPECT_EQ(Err(), kIsamSectionChainBad);
  const std::string before = FileBytes();
  EXPECT_ISAM(VarRecPut(h_, ref, Data(50).data(), 50), kIsamSectionChainBad);
  EXPECT_ISAM(VarRecDelete(h_, ref), kIsamSectionChainBad);
  EXPECT_EQ(FileBytes(), before);
}

const DamageCase kDamages[] = {
    {"LinkToItself", false, kL - 4, -1},      {"LinkBackToHead", false, kL - 4, -2},
    {"LinkPastTheFile", false, kL - 4, 9999}, {"NegativeLink", true, kL - 4, -5},
    {"MarkerMissing", false, 0, 0x01010102},  {"HeadCountTooLarge", true, kL - 6, 0x0000FFFF}};
INSTANTIATE_TEST_SUITE_P(Damages, VarRecDamage, ::testing::ValuesIn(kDamages), RowName);

constexpr int kMinLength = 5;
constexpr int kMaxLength = 8023;

struct RandomCase {
  const char* name;
  int record_length, records;
};

struct Content {
  std::int32_t length;
  std::uint32_t seed;
};

class VarRecRandomTest : public EngineTest, public ::testing::WithParamInterface<RandomCase> {
 protected:
  // Writes `c` as a new record (ref 0) or over record `ref`.
  void Write(const Content& c, RecRef ref = 0) {
    const bool add = ref == 0;
    const Bytes b = Data(c.length, c.seed);
    ASSERT_ISAM(
        add ? VarRecAdd(h_, ref, b.data(), c.length) : VarRecPut(h_, ref, b.data(), c.length), 0);
    ASSERT_TRUE(!add || live_.count(ref) == 0) << ref;
    live_[ref] = c;
  }
  Content Random() {
    return {std::uniform_int_distribution<int>(kMinLength, kMaxLength)(rng_),
            static_cast<std::uint32_t>(rng_())};
  }
  RecRef AnyLive() {
    return std::next(live_.begin(), std::uniform_int_distribution<long>(0, live_.size() - 1)(rng_))
        ->first;
  }
  // The used slots the live records must take.
  std::int32_t ExpectedSlots() const {
    std::int32_t n = 0;
    for (const auto& [ref, c] : live_) n += VarRecSectionCount(GetParam().record_length, c.length);
    return n;
  }

  std::mt19937 rng_{20240611};
  FileblockHandle h_ = nullptr;
  std::map<RecRef, Content> live_;
};

TEST_P(VarRecRandomTest, EveryRecordReadsBackAfterRewritesAndDeletes) {
  const int records = GetParam().records;
  h_ = CreateOpen("R", GetParam().record_length, {});
  Write({kMinLength, 1});
  Write({kMaxLength, 2});
  for (int i = 2; i < records && !HasFatalFailure(); ++i) Write(Random());
  ASSERT_FALSE(HasFatalFailure());
  const std::int32_t baseline = FileblockUsedRecs(h_);
  EXPECT_EQ(baseline, ExpectedSlots());

  // Rewrites to other lengths and back: no section may leak or be lost.
  const std::map<RecRef, Content> original = live_;
  for (int i = 0; i < records / 5 && !HasFatalFailure(); ++i) Write(Random(), AnyLive());
  EXPECT_EQ(FileblockUsedRecs(h_), ExpectedSlots());
  for (const auto& [ref, c] : original) {
    if (live_[ref].seed != c.seed) Write(c, ref);
  }
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(FileblockUsedRecs(h_), baseline);

  // Deletes and adds that reuse the freed slots.
  for (int i = 0; i < records * 3 / 20 && !HasFatalFailure(); ++i) {
    const RecRef ref = AnyLive();
    ASSERT_ISAM(VarRecDelete(h_, ref), 0);
    live_.erase(ref);
    if (i % 2 == 0) Write(Random());
  }
  EXPECT_EQ(FileblockUsedRecs(h_), ExpectedSlots());

  h_ = Reopen(h_, "R");
  Bytes out(kMaxLength);
  for (const auto& [ref, c] : live_) {
    std::int32_t length = kMaxLength;
    ASSERT_ISAM(VarRecGet(h_, ref, out.data(), length), 0) << ref;
    ASSERT_EQ(Bytes(out.begin(), out.begin() + length), Data(c.length, c.seed)) << ref;
  }
  const CheckReport report =
      IsamCheck(Name("R"), CheckOptions{.key_builder = {}, .section_records = true});
  EXPECT_TRUE(report.ok()) << report.Text();
  EXPECT_EQ(report.record_heads, static_cast<std::int32_t>(live_.size()));
}

const RandomCase kRandomCases[] = {{"L23", 23, 10000}, {"L14699", 14699, 10000}};
INSTANTIATE_TEST_SUITE_P(RecordLengths, VarRecRandomTest, ::testing::ValuesIn(kRandomCases),
                         RowName);

}  // namespace
}  // namespace storage::testing
