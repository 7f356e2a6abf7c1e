// A randomized run: variable-length records of 5 to 8,023 bytes written, rewritten and deleted,
// every record read back byte-exact, the checker as the oracle after close and reopen. L = 23
// makes some 250 sections a record, so fewer records there keep the run short.

#include <map>
#include <random>

#include "storage/var_record.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kMinLength = 5;
constexpr int kMaxLength = 8023;

struct RandomCase {
  const char* name;
  int record_length;
  int records;
};

struct Content {
  std::int32_t length;
  std::uint32_t seed;
};

// The bytes of a record: the first four zero (a used record's link), the rest from its seed.
Bytes Make(const Content& c) {
  Bytes v = Record(c.length);
  for (std::uint32_t i = 4, x = c.seed * 2654435761u + 1; i < v.size(); ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    v[i] = static_cast<std::uint8_t>(x);
  }
  return v;
}

class VarRecRandomTest : public EngineTest, public ::testing::WithParamInterface<RandomCase> {
 protected:
  // Writes `c` as a new record (ref 0) or over record `ref`.
  void Write(const Content& c, RecRef ref = 0) {
    const Bytes bytes = Make(c);
    if (ref == 0) {
      ASSERT_ISAM(VarRecAdd(h_, ref, bytes.data(), c.length), 0);
      ASSERT_EQ(live_.count(ref), 0u);
    } else {
      ASSERT_ISAM(VarRecPut(h_, ref, bytes.data(), c.length), 0);
    }
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
    ASSERT_EQ(Bytes(out.begin(), out.begin() + length), Make(c)) << ref;
  }
  const CheckReport report =
      IsamCheck(Name("R"), CheckOptions{.key_builder = {}, .section_records = true});
  EXPECT_TRUE(report.ok()) << report.Text();
  EXPECT_EQ(report.record_heads, static_cast<std::int32_t>(live_.size()));
}

INSTANTIATE_TEST_SUITE_P(RecordLengths, VarRecRandomTest,
                         ::testing::Values(RandomCase{"L23", 23, 1000},
                                           RandomCase{"L14699", 14699, 10000}),
                         RowName());

}  // namespace
}  // namespace storage::testing
