#include <gtest/gtest.h>

#include <cstring>

#include "common/le_int.h"
#include "common/short_string.h"

namespace common {
namespace {

TEST(ShortString, AssignmentCutsAtCapacity) {
  ShortString<3> s;
  s = "ABCDE";
  EXPECT_EQ(s.len, 3);
  EXPECT_EQ(s.str(), "ABC");
}

TEST(ShortString, StoredLengthAboveCapacityReadsAsCapacity) {
  ShortString<4> s;
  std::memcpy(s.chars, "WXYZ", 4);
  s.len = 200;  // as a damaged record may hold it
  EXPECT_EQ(s.size(), 4u);
  EXPECT_EQ(s.str(), "WXYZ");
}

TEST(ShortString, EqualTextsGiveEqualBytesAfterReassignment) {
  ShortString<6> a("LONGER");
  a = "AB";
  const ShortString<6> b("AB");
  EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
}

TEST(ShortString, EmptyViewWithoutDataClearsTheText) {
  ShortString<4> s("ABCD");
  s = std::string_view{};
  EXPECT_TRUE(s.empty());
  EXPECT_EQ(s.chars[0], '\0');
}

TEST(LeField, BytesAreLittleEndianAndSigned) {
  struct Rec {
    std::uint8_t flag;
    LeInt32 number;
    LeInt16 small;
  };
  static_assert(sizeof(Rec) == 7);
  Rec r{};
  r.number = -2;
  r.small = 0x1234;
  const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_EQ(bytes[4], 0xFF);
  EXPECT_EQ(bytes[5], 0x34);
  EXPECT_EQ(bytes[6], 0x12);
  EXPECT_EQ(r.number.get(), -2);
  EXPECT_EQ(ReadLeInt32(bytes + 1), -2);
}

TEST(LeDouble, RoundTripsThroughBytes) {
  LeDouble d(52.5208);
  EXPECT_DOUBLE_EQ(d.get(), 52.5208);
}

}  // namespace
}  // namespace common
