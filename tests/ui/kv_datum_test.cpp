// The date field: stepper, calendar and its place, Escape, completion of typed dates and times.
#include "ui/kv_datum.h"

#include <gtest/gtest.h>

#include <string>

#include "common/dates.h"
#include "platform/fake_environment.h"
#include "platform/qt/button.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/platform/qt/form_fixture.h"
#include "ui/bit_btn.h"

namespace ui {
namespace {

using platform::qt::TRect;
using platform::qt::TUDBtnType;
using platform::qt::testkit::PressKey;

struct PlaceRow {
  const char* name;
  TRect field;
  int client_height;
  int top;
  int client_width = 400;
  int left = 10;
};

class CalendarPlaceTest : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(CalendarPlaceTest, LeftAlignedBelowAboveOrAtTheBottomInsideTheRightEdge) {
  const PlaceRow& row = GetParam();
  EXPECT_EQ(CalendarPlace(row.field, 225, 160, row.client_width, row.client_height),
            (platform::qt::TPoint{row.left, row.top}));
}

INSTANTIATE_TEST_SUITE_P(
    Places, CalendarPlaceTest,
    ::testing::Values(PlaceRow{"Below", {10, 20, 119, 43}, 300, 43},
                      PlaceRow{"BelowJustFits", {10, 117, 119, 140}, 300, 140},
                      PlaceRow{"AboveNearTheBottom", {10, 200, 119, 223}, 300, 40},
                      PlaceRow{"BottomAlignedWhenNeitherFits", {10, 100, 119, 123}, 200, 40},
                      PlaceRow{"RightJustFits", {175, 20, 284, 43}, 300, 43, 400, 175},
                      PlaceRow{"MovedLeftAtTheRightEdge", {300, 20, 409, 43}, 300, 43, 400, 175},
                      PlaceRow{"AtTheLeftEdgeWhenWider", {10, 20, 119, 43}, 300, 43, 200, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class KvDatumTest : public platform::qt::testing::FormFixture {
 protected:
  KvDatumTest() : FormFixture(320, 260) {
    clock.now = {2024, 6, 20, 12, 0, 0};
    field = new TkvDatum(&form);
    field->SetParent(&form);
    field->SetBounds(20, 20, field->Width(), field->Height());
    other = Add<TkvEdit>(160, 20, 100, 21);
  }
  std::string Step(const char* text, TUDBtnType direction) {
    field->SetText(text);
    field->Stepper()->Step(direction);
    return field->Text();
  }

  platform::FakeClock clock;
  platform::ScopedEnvironment environment{&clock, nullptr, nullptr};
  TkvDatum* field;
  TkvEdit* other;
};

TEST_F(KvDatumTest, TheStepperMovesTheDateADayFromTodayWhenThereIsNone) {
  EXPECT_EQ(Step("31.12.2023", TUDBtnType::btNext), "01.01.2024");
  EXPECT_EQ(Step("01.03.2024", TUDBtnType::btPrev), "29.02.2024");
  EXPECT_EQ(Step("", TUDBtnType::btNext), "21.06.2024");
  EXPECT_EQ(Step("32.13.2024", TUDBtnType::btPrev), "19.06.2024");
  EXPECT_EQ(Step("31.12.3999", TUDBtnType::btNext), "31.12.3999");
}

TEST_F(KvDatumTest, ScaledFieldKeepsItsPartsInsideAtItsRightEdge) {
  const int button_gap = field->Width() - field->DateButton()->Left() - field->DateButton()->Width();
  const int button_width = field->DateButton()->Width();
  form.ChangeScale(3, 2);
  const platform::qt::TControl& button = *field->DateButton();
  EXPECT_EQ(button.Width(), button_width * 3 / 2);
  EXPECT_EQ(field->Width() - button.Left() - button.Width(), button_gap);
  EXPECT_EQ(field->Stepper()->Left() + field->Stepper()->Width(), button.Left());
}

TEST_F(KvDatumTest, TheButtonOpensTheCalendarOnTheFieldsDateBelowTheField) {
  form.Show();
  field->SetText("15.03.2024");
  platform::qt::testkit::Click(*field->DateButton(), 5, 5);
  platform::qt::TMonthCalendar& calendar = *field->Calendar();
  ASSERT_TRUE(calendar.Visible());
  EXPECT_EQ(calendar.Parent(), &form);
  EXPECT_EQ(calendar.Date(), common::DMYToDate(15, 3, 2024));
  EXPECT_EQ((platform::qt::TPoint{calendar.Left(), calendar.Top()}),
            (platform::qt::TPoint{20, 43}));
  platform::qt::testkit::SaveScreenshot(form, "date_field_calendar");
  field->ToggleCalendar();
  EXPECT_FALSE(calendar.Visible());
  field->SetText("");
  field->ToggleCalendar();
  EXPECT_EQ(calendar.Date(), common::DMYToDate(20, 6, 2024));
  // A double click writes the calendar's date and closes it.
  calendar.SetDate(common::DMYToDate(24, 12, 2024));
  calendar.DblClick();
  EXPECT_EQ(field->Text(), "24.12.2024");
  EXPECT_FALSE(calendar.Visible());
}

TEST_F(KvDatumTest, EscapeClosesTheCalendarAndGoesNoFurther) {
  auto* cancel = Add<platform::qt::TButton>(20, 220, 80, 25);
  cancel->SetCancel(true);
  int cancels = 0, field_keys = 0;
  cancel->OnClick = [&](auto*) { ++cancels; };
  field->OnKeyDown = [&](auto*, std::uint16_t&, auto) { ++field_keys; };
  form.Show();
  field->SetFocus();
  field->ToggleCalendar();
  PressKey(*field, platform::qt::VK_ESCAPE);
  EXPECT_FALSE(field->CalendarShown());
  field->ToggleCalendar();
  PressKey(*field->Calendar(), platform::qt::VK_ESCAPE);
  EXPECT_FALSE(field->CalendarShown());
  EXPECT_EQ(cancels + field_keys, 0);
  PressKey(*field, platform::qt::VK_ESCAPE);  // closed: Escape is the window's again
  EXPECT_EQ(cancels, 1);
}

TEST_F(KvDatumTest, LeavingCompletesATypedDate) {
  form.Show();
  field->SetFocus();
  platform::qt::testkit::TypeText(*field, "150");
  other->SetFocus();
  EXPECT_EQ(field->Text(), "15.01.2024");
}

}  // namespace
}  // namespace ui
