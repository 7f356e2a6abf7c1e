// Rich text read as plain lines: the words and breaks stay, formatting and hidden groups go, and
// broken input shows what it can.
#include "app/rich_text_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/common/rows.h"

namespace app {
namespace {

struct RtfRow {
  const char* name;
  std::string rtf;
  std::vector<std::string> lines;
};
void PrintTo(const RtfRow& row, std::ostream* os) { *os << row.name; }

std::string Repeated(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

class RichTextLinesTest : public ::testing::TestWithParam<RtfRow> {};

TEST_P(RichTextLinesTest, ShowsTheWordsAndBreaks) {
  EXPECT_TRUE(IsRichText(GetParam().rtf));
  EXPECT_EQ(RichTextLines(GetParam().rtf), GetParam().lines);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, RichTextLinesTest, ::testing::Values(
    RtfRow{"TablesAndFormattingDropped",
           "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}\\f0\\fs20 "
           "Hallo Welt\\par Zweite \\b fett\\b0  Zeile\\par}",
           {"Hallo Welt", "Zweite fett Zeile"}},
    RtfRow{"HexAndUnicodeBecome1252", "{\\rtf1 M\\'e4rz\\line Gr\\u252?n \\u8364?}",
           {"M\xE4rz", "Gr\xFCn \x80"}},
    RtfRow{"UnicodeWithoutCodeAndTwoFallbacks", "{\\rtf1\\uc2\\u1046 XXa}", {"?a"}},
    RtfRow{"UnicodeZeroIsNoCharacter", "{\\rtf1 a\\u0?b}", {"ab"}},
    RtfRow{"UnicodeSignWithoutDigitsIsNoCharacter", "{\\rtf1 a\\u-?b}", {"ab"}},
    RtfRow{"NegativeUnicodeIsItsSixteenBitCode", "{\\rtf1 \\u-4064?}", {"?"}},
    RtfRow{"StarGroupsHidden", "{\\rtf1{\\*\\generator Riched20;}Text{\\*\\x {a}b}}", {"Text"}},
    RtfRow{"EscapedCharactersAndTab", "{\\rtf1 a\\\\b\\{c\\}\\tab d\\~e}", {"a\\b{c}\td\xA0" "e"}},
    RtfRow{"BinaryDataSkipped", "{\\rtf1 a\\bin3 }{}b}", {"ab"}},
    RtfRow{"UnclosedGroupsShowTheirText", "{\\rtf1 offen\\par {noch offen", {"offen", "noch offen"}},
    RtfRow{"BracesTooManyCloseNothing", "{\\rtf1 a}} b}\\'4", {"a b"}},
    RtfRow{"DeepNestingShowsTheText",
           "{\\rtf1 " + Repeated("{", 10000) + "tief" + Repeated("}", 10000) + " ok}",
           {"tief ok"}},
    RtfRow{"HiddenBeyondTheDepthLimitEndsWithItsGroup",
           "{\\rtf1 {\\*" + Repeated("{", 200) + "x" + Repeated("}", 200) + "}sichtbar}",
           {"sichtbar"}}),
    common::testing::RowName);
// clang-format on

TEST(RichText, OnlyATextStartingWithTheRtfGroupIsRich) {
  EXPECT_FALSE(IsRichText("Hallo {\\rtf1}"));
  EXPECT_FALSE(IsRichText("{\\rt"));
}

}  // namespace
}  // namespace app
