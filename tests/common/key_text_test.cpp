#include "common/key_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "common/cp1252.h"
#include "tests/common/rows.h"

namespace common {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

bool Before(const std::string& a, const std::string& b) { return cp1252::CompareBytes(a, b) < 0; }

TEST(LongIntToKey, StoredFormOfZeroAndTheExtremes) {
  EXPECT_EQ(LongIntToKey(0), "\x81\x80\x80\x80\x80");
  EXPECT_EQ(LongIntToKey(kMin), "\x01\x80\x80\x80\x80");
  EXPECT_EQ(LongIntToKey(kMax), "\xF1\xFF\xFF\xFF\xFF");
  EXPECT_EQ(KeyToLongInt(""), KeyToLongInt(std::string(5, '\0')));  // short: zero-filled
  EXPECT_EQ(KeyToLongInt(LongIntToKey(77) + "tail"), 77);
}

// A large random sample, with the neighbours of every carry boundary, where a lost carry would
// break the order.
TEST(LongIntToKey, SortsAsNumbersAndRoundTrips) {
  std::vector<std::int32_t> values = {kMin, kMin + 1, kMax - 1, kMax};
  for (std::int32_t b : {0, 127, 255, 0xFFFFFF, 0x0FFFFFFF, -0x10000000})
    values.insert(values.end(), {b - 1, b, b + 1});
  std::mt19937 rng(20240601);
  std::uniform_int_distribution<std::int32_t> any(kMin, kMax);
  for (int i = 0; i < 100000; ++i) values.push_back(any(rng));
  std::vector<std::pair<std::string, std::int32_t>> keys;
  for (const std::int32_t v : values) {
    keys.emplace_back(LongIntToKey(v), v);
    ASSERT_EQ(KeyToLongInt(keys.back().first), v);
  }
  std::sort(keys.begin(), keys.end(),
            [](const auto& a, const auto& b) { return Before(a.first, b.first); });
  for (std::size_t i = 1; i < keys.size(); ++i) ASSERT_LE(keys[i - 1].second, keys[i].second);
}

TEST(DateTimeKeys, BigEndianSortsByValueAndNoDateSortsLast) {
  EXPECT_EQ(TimeToKey(86399, true), std::string("\x00\x01\x51\x7F", 4));
  EXPECT_TRUE(Before(DateToKey(255, true), DateToKey(256, true)));
  EXPECT_TRUE(Before(DateToKey(876581, true), DateToKey(-1, true)));
  EXPECT_TRUE(Before(TimeToKey(86399, true), TimeToKey(-1, true)));
  EXPECT_EQ(DateToKey(146096, false), "146096");
}

using NextRow = testing::Row2<std::string, int, std::string>;  // text, n: successor

class NextKey : public ::testing::TestWithParam<NextRow> {};
TEST_P(NextKey, IsTheSuccessor) {
  EXPECT_EQ(NextKeyText(GetParam().a, GetParam().b), GetParam().out);
}
const NextRow kNextRows[] = {
    {"digit_to_letter", "A9", 2, "AA"},
    {"carry_into_first", "Az", 2, "B0"},
    {"all_at_top", "zz", 2, "\xFF\xFF"},
    {"carry_through_sixth", "ABCzzz", 6, "ABD000"},
    {"upper_to_lower", "AZ", 2, "Aa"},
    {"padded_blank_becomes_zero", "A", 3, "A 0"},
    {"cut_to_n", "ABCD", 2, "AC"},
    {"above_z_carries", "A\xE4", 2, "B0"},
    {"nul_becomes_zero", std::string("A\0", 2), 2, "A0"},
};
INSTANTIATE_TEST_SUITE_P(Rows, NextKey, ::testing::ValuesIn(kNextRows), testing::RowName);

TEST(NextKeyText, SortsAfterEveryKeyStartingWithTheText) {
  const std::string next = NextKeyText("DL1z", 4);
  for (const char* tail : {"", "0", "zzz", "\xFF\xFF"})
    EXPECT_TRUE(Before(std::string("DL1z") + tail, next)) << tail;
}

}  // namespace
}  // namespace common
