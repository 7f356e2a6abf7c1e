// The field markup of the browser's "Liste" view: the fields a cell text gives, and random texts
// (row texts come from record fields) that must never leave the cell or overflow a width.
#include "ui/list_markup.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/common/rows.h"

namespace ui {
namespace {

constexpr int kDigit = 7;
constexpr int kLeft = 100;
constexpr int kRight = 400;  // a cell 300 pixels wide

struct MarkupRow {
  const char* name;
  const char* text;
  std::vector<ListMarkupField> fields;
};
void PrintTo(const MarkupRow& row, std::ostream* os) { *os << row.name; }

class ListMarkup : public ::testing::TestWithParam<MarkupRow> {};

TEST_P(ListMarkup, Fields) {
  EXPECT_EQ(ListMarkupFields(GetParam().text, kDigit, kLeft, kRight), GetParam().fields);
}

// clang-format off
const MarkupRow kRows[] = {
    {"TwoFields", "AB[10]CD[20]", {{"AB", 100, 170}, {"CD", 171, 311}}},
    {"AHiddenFieldStillTakesItsPixel", "AB[0]CD[5]", {{"CD", 101, 136}}},
    {"NoNumberCountsNothing", "AB[x]CD[1,5]EF[2]", {{"EF", 102, 116}}},
    {"ARestWithoutBracket", "AB[2]Rest", {{"AB", 100, 114}, {"Rest", 115, 400}}},
    {"ALabelWithoutBracketHidesIt", "AB]CD[2]", {{"CD", 101, 115}}},
    {"WiderThanTheCellIsTheCell", "AB[100]CD[2]", {{"AB", 100, 400}}},
    {"TheLargestNumber", "AB[2147483647]CD[2]", {{"AB", 100, 400}}},
    {"ANegativeWidthIsNone", "AB[-2147483648]CD[2]", {{"CD", 101, 115}}},
    {"BeyondTheNumbersIsNoNumber", "AB[99999999999999]CD[2]", {{"CD", 101, 115}}},
    {"Empty", "", {}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Texts, ListMarkup, ::testing::ValuesIn(kRows),
                         common::testing::RowName);

// Random texts of brackets, digits, signs, commas and letters, under the sanitizers.
TEST(ListMarkupFuzz, FieldsStayInsideTheCell) {
  std::mt19937 random(54);
  const std::string alphabet = "[[]]0123456789999-+, AZ";
  for (int round = 0; round < 20000; ++round) {
    std::string text(random() % 40, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const int digit = static_cast<int>(random() % 30);
    const int left = static_cast<int>(random() % 1000) - 500;
    const int right = left + static_cast<int>(random() % 2000);
    const std::vector<ListMarkupField> fields = ListMarkupFields(text, digit, left, right);
    ASSERT_LE(fields.size(), text.size()) << text;
    int previous = left - 1;
    for (const ListMarkupField& f : fields) {
      ASSERT_GT(f.left, previous) << text;
      ASSERT_LT(f.left, right) << text;
      ASSERT_LE(f.left, f.right) << text;
      ASSERT_LE(f.right, right) << text;
      previous = f.left;
    }
  }
}

}  // namespace
}  // namespace ui
