// A randomized run: variable-length records of 5 to 8,023 bytes written, rewritten and deleted,
// every record read back byte-exact, the checker as the oracle after close and reopen. L = 23
// makes some 250 sections a record, so fewer records there keep the run short.

#include <map>
#include <random>

#include "storage/var_record.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

struct RandomCase {
  int record_length;
  int records;
};

constexpr int kMinLength = 5;
constexpr int kMaxLength = 8023;

struct Content {
  std::int32_t length = 0;
  std::uint32_t seed = 0;
};

// The bytes of a record: the first four zero (a used record's link), the rest from its seed.
std::vector<std::uint8_t> Make(const Content& c) {
  std::vector<std::uint8_t> v(static_cast<std::size_t>(c.length), 0);
  std::uint32_t x = c.seed * 2654435761u + 1;
  for (std::size_t i = 4; i < v.size(); ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    v[i] = static_cast<std::uint8_t>(x);
  }
  return v;
}

class VarRecRandomTest : public EngineTest, public ::testing::WithParamInterface<RandomCase> {
 protected:
  void Put(RecRef ref, const Content& c) {
    const auto bytes = Make(c);
    ASSERT_ISAM(VarRecPut(h_, ref, bytes.data(), c.length), 0);
    live_[ref] = c;
  }
  void Add(const Content& c) {
    const auto bytes = Make(c);
    RecRef ref = 0;
    ASSERT_ISAM(VarRecAdd(h_, ref, bytes.data(), c.length), 0);
    ASSERT_EQ(live_.count(ref), 0u);
    live_[ref] = c;
  }
  Content Random() {
    return {std::uniform_int_distribution<int>(kMinLength, kMaxLength)(rng_),
            static_cast<std::uint32_t>(rng_())};
  }
  std::int32_t ExpectedSlots() const {
    std::int32_t n = 0;
    for (const auto& [ref, c] : live_) n += VarRecSectionCount(GetParam().record_length, c.length);
    return n;
  }
  void ReadAllBack() {
    std::vector<std::uint8_t> out(kMaxLength);
    for (const auto& [ref, c] : live_) {
      std::int32_t length = kMaxLength;
      VarRecGet(h_, ref, out.data(), length);
      ASSERT_EQ(Err(), 0) << "record " << ref;
      ASSERT_EQ(length, c.length) << "record " << ref;
      ASSERT_TRUE(std::equal(out.begin(), out.begin() + length, Make(c).begin()))
          << "record " << ref;
    }
  }
  RecRef AnyLive() {
    auto it = live_.begin();
    std::advance(it, std::uniform_int_distribution<std::size_t>(0, live_.size() - 1)(rng_));
    return it->first;
  }

  std::mt19937 rng_{20240611};
  FileblockHandle h_ = nullptr;
  std::map<RecRef, Content> live_;
};

TEST_P(VarRecRandomTest, EveryRecordReadsBackAfterRewritesAndDeletes) {
  const int records = GetParam().records;
  h_ = CreateOpen("R", GetParam().record_length, {});
  ASSERT_NO_FATAL_FAILURE(Add({kMinLength, 1}));
  ASSERT_NO_FATAL_FAILURE(Add({kMaxLength, 2}));
  for (int i = 2; i < records; ++i) ASSERT_NO_FATAL_FAILURE(Add(Random()));
  const std::int32_t baseline = FileblockUsedRecs(h_);
  EXPECT_EQ(baseline, ExpectedSlots());

  // Rewrites to other lengths and back: no section may leak or be lost.
  const std::map<RecRef, Content> original = live_;
  for (int i = 0; i < records / 5; ++i) {
    const RecRef ref = AnyLive();
    ASSERT_NO_FATAL_FAILURE(Put(ref, Random()));
  }
  EXPECT_EQ(FileblockUsedRecs(h_), ExpectedSlots());
  for (const auto& [ref, c] : original) {
    if (live_[ref].seed != c.seed) {
      ASSERT_NO_FATAL_FAILURE(Put(ref, c));
    }
  }
  EXPECT_EQ(FileblockUsedRecs(h_), baseline);

  // Deletes and adds that reuse the freed slots.
  for (int i = 0; i < records * 3 / 20; ++i) {
    const RecRef ref = AnyLive();
    ASSERT_ISAM(VarRecDelete(h_, ref), 0);
    live_.erase(ref);
    if (i % 2 == 0) {
      ASSERT_NO_FATAL_FAILURE(Add(Random()));
    }
  }
  EXPECT_EQ(FileblockUsedRecs(h_), ExpectedSlots());

  FileblockClose(h_);
  h_ = FileblockOpen(Name("R"));
  ASSERT_NE(h_, nullptr);
  ASSERT_NO_FATAL_FAILURE(ReadAllBack());
  CheckOptions o;
  o.section_records = true;
  const CheckReport report = IsamCheck(Name("R"), o);
  EXPECT_TRUE(report.ok()) << report.Text();
  EXPECT_EQ(report.record_heads, static_cast<std::int32_t>(live_.size()));
}

INSTANTIATE_TEST_SUITE_P(RecordLengths, VarRecRandomTest,
                         ::testing::Values(RandomCase{23, 1000}, RandomCase{14699, 10000}),
                         [](const auto& info) {
                           return "L" + std::to_string(info.param.record_length);
                         });

}  // namespace
}  // namespace storage::testing
