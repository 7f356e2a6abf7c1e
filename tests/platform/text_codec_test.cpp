#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(TextCodec, RoundTripsEveryByteAndKeepsWhatItCannotMap) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\xC4"), "\xE2\x82\xAC\xC3\x84");  // the euro sign lies at 0x80
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");                 // a CJK character has no 1252 code
  EXPECT_EQ(Utf8ToCp1252("A\xC3"), "A\xC3");  // a truncated sequence is kept as bytes
}

}  // namespace
}  // namespace platform
