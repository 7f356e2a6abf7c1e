// Typed edit fields: numbers read and written by data type, the slashed zero, the history list.
#include "ui/kv_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/platform/qt/form_fixture.h"
#include "ui/bit_btn.h"

namespace ui {
namespace {

using DT = TkvEditDataType;

const auto kRowName = [](const auto& info) { return std::string(info.param.name); };

// Whole numbers read as GetWertReal gives them too.
struct ReadRow {
  const char* name;
  DT type;
  const char* text;
  double value;
};

class ReadTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ReadTest, ReadsAsTypedWithinTheTypesRange) {
  TkvEdit field(nullptr);
  field.SetDataType(GetParam().type);
  field.SetText(GetParam().text);
  EXPECT_DOUBLE_EQ(field.GetWertReal(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadTest,
                         ::testing::Values(ReadRow{"Comma", DT::dtDouble, "12,5", 12.5},
                                           ReadRow{"CommaLast", DT::dtDouble, "12,", 12},
                                           ReadRow{"CommaFirst", DT::dtDouble, ",5", 0.5},
                                           ReadRow{"Point", DT::dtExtended, "1.25", 1.25},
                                           ReadRow{"Letters", DT::dtDouble, "abc", 0},
                                           ReadRow{"NegativeComma", DT::dtReal, "-1,5", -1.5},
                                           ReadRow{"FractionZeros", DT::dtDouble, " 12,05 ", 12.05},
                                           ReadRow{"TwoCommas", DT::dtDouble, "1,2,3", 0},
                                           ReadRow{"ByteBeyond", DT::dtByte, "300", 0},
                                           ReadRow{"ByteTop", DT::dtByte, "255", 255},
                                           ReadRow{"WordBeyond", DT::dtWord, "70000", 0},
                                           ReadRow{"WordNegative", DT::dtWord, "-1", 0},
                                           ReadRow{"Integer", DT::dtInteger, " 12 ", 12},
                                           ReadRow{"IntegerComma", DT::dtInteger, "12,5", 0},
                                           ReadRow{"Longint", DT::dtLongint, "-70000", -70000},
                                           ReadRow{"Char", DT::dtChar, "xyz", 'x'}),
                         kRowName);

struct FormatRow {
  const char* name;
  DT type;
  const char* mask;
  TkvEditWert value;
  const char* text;
};

class FormatTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatTest, WritesThroughTheMask) {
  TkvEdit field(nullptr);
  field.SetDataType(GetParam().type);
  field.SetPictureMask(GetParam().mask);
  field.FormatWert(GetParam().value);
  EXPECT_EQ(field.Text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatTest,
    ::testing::Values(FormatRow{"Byte", DT::dtByte, "", 7, "7"},
                      FormatRow{"IntegerHalfToEven", DT::dtInteger, "", 2.5, "2"},
                      FormatRow{"NinesAsMask", DT::dtReal, "99.9", 3.14159, "3.1"},
                      FormatRow{"DoubleDefault", DT::dtDouble, "", 1234.5, "1234.50"},
                      FormatRow{"SingleFromText", DT::dtSingle, "", std::string("2,5"), "2.50"},
                      FormatRow{"CharWritesNothing", DT::dtChar, "", 5, ""}),
    kRowName);

TEST(KvEditTest, SlashedZerosShowAndReadBackAsZeros) {
  TkvEdit field(nullptr);
  field.SetSlashedZero(true);
  field.SetStr("DL0AB0");
  EXPECT_EQ(field.Text(), "DL\330AB\330");  // octal 330: the slashed zero
  EXPECT_EQ(field.GetStr(), "DL0AB0");
  EXPECT_EQ(field.GetStr(3), "DL0");
  EXPECT_EQ(std::get<std::string>(field.ParseWert()), "DL0AB0");
  field.SetStr(" dl1 ");
  EXPECT_EQ(field.GetStr(), " dl1 ");  // cut only: no trimming, no capitals
  field.SetPictureMask("99.9");
  EXPECT_EQ(field.PictureMask(), "##.#");
}

TEST(KvEditTest, TheSameDoubleWrittenAgainLeavesTheText) {
  TkvEdit field(nullptr);
  field.SetDataType(DT::dtDouble);
  field.SetText("12,5");
  EXPECT_DOUBLE_EQ(field.GetWertReal(), 12.5);
  field.SetWertReal(12.5);
  EXPECT_EQ(field.Text(), "12,5");
  field.SetWertReal(13);
  EXPECT_EQ(field.Text(), "13.00");
  // A text changed since no longer stands for the value: the value is written again.
  field.SetText("7");
  field.SetWertReal(13);
  EXPECT_EQ(field.Text(), "13.00");
}

class KvEditFormTest : public platform::qt::testing::FormFixture {
 protected:
  KvEditFormTest() : FormFixture(360, 130) {
    field = Add<TkvEdit>(20, 20, 150, 21);
    other = Add<TkvEdit>(20, 60, 150, 21);
  }
  std::vector<std::string> Items() const { return field->HistoryList()->Items().Lines(); }

  TkvEdit* field;
  TkvEdit* other;
};

TEST_F(KvEditFormTest, TheHistoryHoldsTwentyValuesAndGoesWithAnEmptyText) {
  field->CreateAuswahl("A");
  EXPECT_EQ(field->DropButton(), nullptr);  // one value: nothing to choose
  field->SetStr("B");
  field->SetStr("A");
  ASSERT_EQ(Items(), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(field->HistoryList()->ItemIndex(), 1);
  ASSERT_TRUE(field->DropButton() != nullptr && field->DropButton()->Visible());
  EXPECT_EQ(field->DropButton()->BoundsRect(), (platform::qt::TRect{129, 1, 147, 19}));
  form.Show();
  platform::qt::testkit::SaveScreenshot(form, "edit_fields");
  for (int i = 1; i <= 19; ++i) field->SetStr("V" + std::to_string(i));
  EXPECT_EQ(Items().size(), 20u);
  EXPECT_EQ(Items().back(), "B");  // "A" came first and went first
  field->SetStr("");
  EXPECT_EQ(field->HistoryList(), nullptr);
  EXPECT_EQ(field->DropButton(), nullptr);
  platform::qt::Application().ProcessMessages();
  EXPECT_EQ(field->ComponentCount(), 0);
}

TEST_F(KvEditFormTest, TheDropButtonOpensTheListWhoseChoiceFillsTheField) {
  form.Show();
  field->SetFocus();
  field->CreateAuswahl("DL1ABC");
  field->CreateAuswahl("DK2XY");
  std::vector<std::uint16_t> keys;
  field->OnKeyDown = [&](auto* sender, std::uint16_t& key, auto) {
    if (sender == field) keys.push_back(key);
  };
  platform::qt::testkit::Click(*field->DropButton(), 5, 5);
  platform::qt::TComboBox& list = *field->HistoryList();
  EXPECT_TRUE(list.Visible());
  EXPECT_TRUE(list.DroppedDown());
  EXPECT_FALSE(field->DropButton()->Visible());
  platform::qt::testkit::SaveScreenshot(form, "edit_history_open");
  list.SetDroppedDown(false);
  list.SetItemIndex(1);
  list.Change();  // as the list reports a person's choice
  EXPECT_EQ(field->Text(), "DL1ABC");
  platform::qt::testkit::PressKey(list, platform::qt::VK_F2);
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{platform::qt::VK_F2}));
  other->SetFocus();
  EXPECT_FALSE(list.Visible());
  EXPECT_TRUE(field->DropButton()->Visible());
}

}  // namespace
}  // namespace ui
