#include "common/key_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "common/cp1252.h"

namespace common {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

bool Before(const std::string& a, const std::string& b) { return cp1252::CompareBytes(a, b) < 0; }

TEST(LongIntToKey, ZeroAndTheExtremes) {
  EXPECT_EQ(LongIntToKey(0), "\x81\x80\x80\x80\x80");
  EXPECT_EQ(LongIntToKey(kMin), "\x01\x80\x80\x80\x80");  // the first of all forms
  EXPECT_EQ(LongIntToKey(kMax), "\xF1\xFF\xFF\xFF\xFF");  // the last
}

// Neighbours across the byte and 7-bit boundaries, where a lost carry would break the order.
class KeyOrder : public ::testing::TestWithParam<std::pair<const char*, std::int32_t>> {};

TEST_P(KeyOrder, SortsBetweenNeighboursAndRoundTrips) {
  const std::int32_t v = GetParam().second;
  const std::string key = LongIntToKey(v);
  EXPECT_EQ(KeyToLongInt(key), v);
  if (v != kMin) {
    EXPECT_TRUE(Before(LongIntToKey(v - 1), key));
  }
  if (v != kMax) {
    EXPECT_TRUE(Before(key, LongIntToKey(v + 1)));
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Boundaries, KeyOrder, ::testing::Values(
    std::pair{"min", kMin}, std::pair{"minus_one", -1}, std::pair{"zero", 0},
    std::pair{"seven_bit_carry", 127}, std::pair{"byte_carry", 255},
    std::pair{"b2_carry", 0xFFFFFF}, std::pair{"nibble_carry", 0x0FFFFFFF},
    std::pair{"minus_nibble", -0x10000000}, std::pair{"max", kMax}),
    [](const auto& info) { return std::string(info.param.first); });
// clang-format on

TEST(LongIntToKey, LargeRandomSampleSortsAsNumbersAndRoundTrips) {
  std::mt19937 rng(20240601);
  std::uniform_int_distribution<std::int32_t> any(kMin, kMax);
  std::vector<std::pair<std::string, std::int32_t>> keys;
  for (int i = 0; i < 100000; ++i) {
    const std::int32_t v = any(rng);
    keys.emplace_back(LongIntToKey(v), v);
    ASSERT_EQ(KeyToLongInt(keys.back().first), v);
  }
  std::sort(keys.begin(), keys.end(),
            [](const auto& a, const auto& b) { return Before(a.first, b.first); });
  for (std::size_t i = 1; i < keys.size(); ++i) ASSERT_LE(keys[i - 1].second, keys[i].second);
}

TEST(KeyToLongInt, ShortTextsReadAsZeroFilled) {
  EXPECT_EQ(KeyToLongInt(""), KeyToLongInt(std::string(5, '\0')));
  EXPECT_EQ(KeyToLongInt(LongIntToKey(77) + "tail"), 77);
}

TEST(DateTimeKeys, BigEndianSortsByValueAndNoDateSortsLast) {
  EXPECT_EQ(TimeToKey(86399, true), std::string("\x00\x01\x51\x7F", 4));
  EXPECT_TRUE(Before(DateToKey(255, true), DateToKey(256, true)));
  EXPECT_TRUE(Before(DateToKey(876581, true), DateToKey(-1, true)));
  EXPECT_TRUE(Before(TimeToKey(86399, true), TimeToKey(-1, true)));
  EXPECT_EQ(DateToKey(146096, false), "146096");
}

struct NextRow {
  const char* name;
  std::string text;
  int n;
  std::string next;
};

class NextKey : public ::testing::TestWithParam<NextRow> {};

TEST_P(NextKey, IsTheSuccessor) {
  EXPECT_EQ(NextKeyText(GetParam().text, GetParam().n), GetParam().next);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, NextKey, ::testing::Values(
    NextRow{"digit_to_letter", "A9", 2, "AA"}, NextRow{"carry_into_first", "Az", 2, "B0"},
    NextRow{"all_at_top", "zz", 2, "\xFF\xFF"}, NextRow{"carry_through_fourth", "Abzz", 4, "Ac00"},
    NextRow{"carry_through_sixth", "ABCzzz", 6, "ABD000"}, NextRow{"upper_to_lower", "AZ", 2, "Aa"},
    NextRow{"padded_blank_becomes_zero", "A", 3, "A 0"}, NextRow{"cut_to_n", "ABCD", 2, "AC"},
    NextRow{"above_z_carries", "A\xE4", 2, "B0"},
    NextRow{"nul_becomes_zero", std::string("A\0", 2), 2, "A0"},
    NextRow{"negative_n", "AB", -3, ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(NextKeyText, SortsAfterEveryKeyStartingWithTheText) {
  const std::string next = NextKeyText("DL1z", 4);
  for (const char* tail : {"", "0", "zzz", "\xFF\xFF"})
    EXPECT_TRUE(Before(std::string("DL1z") + tail, next)) << tail;
  EXPECT_EQ(NextKeyText("A", 1000).size(), 255u);
}

}  // namespace
}  // namespace common
