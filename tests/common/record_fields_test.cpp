#include <gtest/gtest.h>

#include <cstring>

#include "common/le_int.h"
#include "common/short_string.h"

namespace common {
namespace {

TEST(ShortString, CapacityBoundsAssignedAndStoredLengths) {
  ShortString<3> s;
  s = "ABCDE";
  EXPECT_EQ(s.len, 3);
  EXPECT_EQ(s.str(), "ABC");
  ShortString<4> damaged;
  std::memcpy(damaged.chars, "WXYZ", 4);
  damaged.len = 200;  // as a damaged record may hold it
  EXPECT_EQ(damaged.size(), 4u);
  EXPECT_EQ(damaged.str(), "WXYZ");
}

// Records are compared and written byte-wise, so a shorter text must leave no stale bytes.
TEST(ShortString, ReassignmentLeavesNoStaleBytes) {
  ShortString<6> a("LONGER");
  a = "AB";
  const ShortString<6> b("AB");
  EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
  a = std::string_view{};
  EXPECT_TRUE(a.empty());
  EXPECT_EQ(a.chars[0], '\0');
}

TEST(LeField, BytesAreLittleEndianAndSigned) {
  struct Rec {
    std::uint8_t flag;
    LeInt32 number;
    LeInt16 small;
    LeDouble real;
  };
  static_assert(sizeof(Rec) == 15);
  Rec r{};
  r.number = -2;
  r.small = 0x1234;
  r.real = 52.5208;
  const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
  EXPECT_EQ(std::memcmp(bytes + 1, "\xFE\xFF\xFF\xFF\x34\x12", 6), 0);
  EXPECT_EQ(r.number.get(), -2);
  EXPECT_EQ(ReadLeInt32(bytes + 1), -2);
  EXPECT_EQ(r.real.get(), 52.5208);
}

}  // namespace
}  // namespace common
