#include "common/record_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/adif_field.h"
#include "common/char_convert.h"
#include "common/char_set.h"

namespace common {
namespace {

TEST(LenArray, HoldsTextWithLengthAndZeroTailAndStaysInsideTheBlock) {
  TKeyStr block = ShortToLenArray("DL1ABC");
  const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), 10),
            std::string("\6\0\0\0DL1ABC", 10));
  for (std::size_t i = 10; i < sizeof block; ++i) ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(LenArrayToShort(block), "DL1ABC");
  EXPECT_EQ(ShortToLenArray(std::string(255, 'x')).len.get(), 200);
  block.len = 100000;  // damaged lengths
  EXPECT_EQ(LenArrayToShort(block).size(), 200u);
  block.len = -5;
  EXPECT_EQ(LenArrayToShort(block), "");
  EXPECT_EQ(ShortToLenArray(std::string_view()).len.get(), 0);  // no bytes behind a null view
  EXPECT_EQ(CompareLenArrays(ShortToLenArray("AB"), ShortToLenArray("ABC")), -1);
  EXPECT_EQ(CompareLenArrays(ShortToLenArray("\xC4"), ShortToLenArray("Z")), 1);
}

TEST(CharArrays, PaddedCutAndNulReadAsBlank) {
  char field[5];
  StrToCharArray("AB", field);
  EXPECT_EQ(std::string(field, 5), "AB   ");
  StrToCharArray("ABCDEFG", field);
  EXPECT_EQ(std::string(field, 5), "ABCDE");
  char raw[4] = {'A', '\0', 'B', '\0'};
  EXPECT_EQ(BufToStr(raw), "A B ");
  ZeroToBlank(raw);
  EXPECT_EQ(std::string(raw, 4), "A B ");
  EXPECT_EQ(BufToStr(std::string(300, 'x')).size(), 255u);
  EXPECT_EQ(CopyToShort("DL1ABCDEF", 6), "DL1ABC");
  EXPECT_EQ(CopyToShort(std::string(300, 'x'), 1000).size(), 255u);
}

TEST(CharConvert, GermanOemLettersAndTheSlashedZero) {
  EXPECT_EQ(OemToAnsi("\x84\x8E\x94\x99\x9A\xE1\xFB"), "äÄöÖÜßY");
  EXPECT_EQ(OemToAnsi("\x81"), "\x81");  // ü of the DOS page stays
  EXPECT_EQ(ZeroToSlashedZero("DL0ABC0", true), "DLØABCØ");
  EXPECT_EQ(ZeroToSlashedZero("DL0ABC", false), "DL0ABC");
  EXPECT_EQ(SlashedZeroToZero("DLØABC"), "DL0ABC");
  const CharSet set = MakeCharSet("5\xFF\xC4");
  EXPECT_TRUE(InCharSet('\xFF', set) && InCharSet('5', set));
  EXPECT_FALSE(InCharSet('\0', set));
}

TEST(AdifField, TrimmedValueWithItsLength) {
  EXPECT_EQ(AdifField("CALL", " ABC123 "), "<CALL:6>ABC123 ");
  EXPECT_EQ(AdifField("FREQ", "14.074", "N"), "<FREQ:6:N>14.074 ");
}

}  // namespace
}  // namespace common
