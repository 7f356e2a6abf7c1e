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

TEST(LongIntToKey, ZeroIsHighBitMarkerThenZeroPayload) {
  EXPECT_EQ(LongIntToKey(0), std::string("\x81\x80\x80\x80\x80"));
}

TEST(LongIntToKey, ExtremesAreFirstAndLastOfAllForms) {
  EXPECT_EQ(LongIntToKey(kMin), std::string("\x01\x80\x80\x80\x80"));
  EXPECT_EQ(LongIntToKey(kMax), std::string("\xF1\xFF\xFF\xFF\xFF"));
}

// Neighbours across every byte boundary of the number, where a carry could break the order.
class KeyOrder : public ::testing::TestWithParam<std::pair<const char*, std::int32_t>> {};

TEST_P(KeyOrder, SortsBetweenNeighboursAndRoundTrips) {
  const std::int32_t v = GetParam().second;
  const std::string key = LongIntToKey(v);
  ASSERT_EQ(key.size(), 5u);
  EXPECT_EQ(KeyToLongInt(key), v);
  if (v != kMin) {
    EXPECT_LT(cp1252::CompareBytes(LongIntToKey(v - 1), key), 0);
  }
  if (v != kMax) {
    EXPECT_LT(cp1252::CompareBytes(key, LongIntToKey(v + 1)), 0);
  }
  // Every character but the first of a negative number has its top bit set.
  for (std::size_t i = 1; i < 5; ++i) EXPECT_GE(static_cast<unsigned char>(key[i]), 0x80);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, KeyOrder,
    ::testing::Values(std::pair{"min", kMin}, std::pair{"min_plus_1", kMin + 1},
                      std::pair{"minus_two", -2}, std::pair{"minus_one", -1},
                      std::pair{"zero", 0}, std::pair{"one", 1}, std::pair{"b0_top", 127},
                      std::pair{"b0_carry", 128}, std::pair{"byte_carry", 255},
                      std::pair{"word_carry", 65535}, std::pair{"b2_carry", 0xFFFFFF},
                      std::pair{"nibble_carry", 0x0FFFFFFF}, std::pair{"minus_nibble", -0x10000000},
                      std::pair{"max_minus_1", kMax - 1}, std::pair{"max", kMax}),
    [](const auto& info) { return std::string(info.param.first); });

TEST(LongIntToKey, LargeRandomSampleSortsAsNumbersAndRoundTrips) {
  std::mt19937 rng(20240601);
  std::uniform_int_distribution<std::int32_t> any(kMin, kMax);
  std::vector<std::int32_t> values(100000);
  for (auto& v : values) v = any(rng);
  std::vector<std::pair<std::string, std::int32_t>> keys;
  keys.reserve(values.size());
  for (auto v : values) {
    keys.emplace_back(LongIntToKey(v), v);
    ASSERT_EQ(KeyToLongInt(keys.back().first), v);
  }
  std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
    return cp1252::CompareBytes(a.first, b.first) < 0;
  });
  for (std::size_t i = 1; i < keys.size(); ++i) ASSERT_LE(keys[i - 1].second, keys[i].second);
}

TEST(KeyToLongInt, ShortOrForeignTextsNeverReadBeyondTheText) {
  EXPECT_EQ(KeyToLongInt(""), KeyToLongInt(std::string(5, '\0')));
  EXPECT_EQ(KeyToLongInt(LongIntToKey(77) + "tail"), 77);
}

TEST(KeyIntToStr, KeyFormOrDecimal) {
  EXPECT_EQ(KeyIntToStr(-42, true), LongIntToKey(-42));
  EXPECT_EQ(KeyIntToStr(-42, false), "-42");
  EXPECT_EQ(KeyIntToShort(7, false), "7");
}

TEST(DateTimeKeys, BigEndianSortsByValueAndNoDateSortsLast) {
  EXPECT_EQ(DateToKey(0x01020304, true), std::string("\x01\x02\x03\x04"));
  EXPECT_EQ(TimeToKey(86399, true), std::string("\x00\x01\x51\x7F", 4));
  EXPECT_LT(cp1252::CompareBytes(DateToKey(255, true), DateToKey(256, true)), 0);
  EXPECT_LT(cp1252::CompareBytes(DateToKey(876581, true), DateToKey(-1, true)), 0);
  EXPECT_LT(cp1252::CompareBytes(TimeToKey(86399, true), TimeToKey(-1, true)), 0);
  EXPECT_EQ(DateToKey(146096, false), "146096");
  EXPECT_EQ(TimeToKey(-1, false), "-1");
}

struct NextRow {
  const char* name;
  std::string text;
  int n;
  std::string next;
};

class NextKey : public ::testing::TestWithParam<NextRow> {};

TEST_P(NextKey, IsTheSuccessor) {
  const NextRow& row = GetParam();
  EXPECT_EQ(NextKeyText(row.text, row.n), row.next);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NextKey,
    ::testing::Values(NextRow{"digit_to_letter", "A9", 2, "AA"},
                      NextRow{"carry_into_first", "Az", 2, "B0"},
                      NextRow{"all_at_top", "zz", 2, "\xFF\xFF"},
                      NextRow{"carry_through_fourth", "Abzz", 4, "Ac00"},
                      NextRow{"carry_through_sixth", "ABCzzz", 6, "ABD000"},
                      NextRow{"upper_to_lower", "AZ", 2, "Aa"},
                      NextRow{"plain_step", "AB", 2, "AC"},
                      NextRow{"padded_blank_becomes_zero", "A", 3, "A 0"},
                      NextRow{"cut_to_n", "ABCD", 2, "AC"},
                      NextRow{"above_z_carries", "A\xE4", 2, "B0"},
                      NextRow{"nul_becomes_zero", std::string("A\0", 2), 2, "A0"},
                      NextRow{"empty_n_zero", "", 0, ""},
                      NextRow{"negative_n", "AB", -3, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NextKeyText, SortsAfterEveryKeyStartingWithTheText) {
  const std::string prefix = "DL1z";
  const std::string next = NextKeyText(prefix, 4);
  for (const char* tail : {"", "0", "zzz", "\xFF\xFF"})
    EXPECT_LT(cp1252::CompareBytes(prefix + tail, next), 0) << tail;
}

TEST(NextKeyText, LengthIsLimitedToAShortString) {
  EXPECT_EQ(NextKeyText("A", 1000).size(), 255u);
}

}  // namespace
}  // namespace common
