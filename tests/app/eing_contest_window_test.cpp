// The contest setup form on its widgets, offscreen: run as the main window runs it, typed into
// and ended with its buttons and keys; and screenshots of its look for several contests.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/eing_contest_extras.h"
#include "app/eing_contest_run.h"
#include "app/eing_contest_std.h"
#include "logbook/settings/own_station_texts.h"
#include "platform/qt/keys.h"
#include "platform/qt/month_calendar.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/app/eing_contest_fixture.h"
#include "tests/ui/ui_fixture.h"

namespace app_test {
namespace {

using app::TEingContestStd;
using platform::qt::testkit::PressKey;
using platform::qt::testkit::TypeText;

class EingContestWindowTest : public EingContestTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(driver_.Unanswered(), 0) << "a modal window nobody expected";
    EingContestTest::TearDown();
  }

  // Runs the form as the main window does; `while_open` acts inside its modal loop.
  std::int32_t Run(int edit, int review, char code,
                   const std::function<void(TEingContestStd&)>& while_open) {
    driver_.Then([&](platform::qt::TForm& form) {
      while_open(dynamic_cast<TEingContestStd&>(form));
      // A form the steps left open would keep its modal loop running.
      if (form.ModalResult() == platform::qt::mrNone) {
        ADD_FAILURE() << "the form is still open: " << ::testing::PrintToString(MessageTexts());
        form.SetModalResult(platform::qt::mrCancel);
      }
    });
    return app::RunEingContestStd(edit, review, code, *catalogue_, *contest_data_, definition_);
  }

  // Types the station data a save asks for into the form's fields.
  static void TypeStation(TEingContestStd& form) {
    const std::pair<ui::TkvEdit*, const char*> texts[] = {
        {form.eName, "Pfingsten"}, {form.ecname, "Karl Muster"}, {form.eStrasse, "Hauptstr. 1"},
        {form.ePLZ, "12345"},      {form.eOrt, "Berlin"},        {form.eEMail, "dl1abc@example.org"}};
    for (const auto& [edit, text] : texts) {
      edit->SetText("");
      TypeText(*edit, text);
    }
  }

  static void Shot(platform::qt::TWinControl& window, const std::string& name) {
    EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(window, name).empty()) << name;
  }

  ui::testing::ScreenScope screen_{1000, 96};
  platform::qt::testkit::ModalDriver driver_;
};

TEST_F(EingContestWindowTest, NewLogTypedInAndStartedGivesItsNumber) {
  const std::int32_t number = Run(0, 0, '.', [&](TEingContestStd& form) {
    TypeStation(form);
    platform::qt::testkit::Click(*form.eteilnahmeart->Button(4), 5, 5);
    EXPECT_EQ(form.eteilnahmeart->ItemIndex(), 4);
    platform::qt::testkit::Click(*form.rZeitUTC, 5, 5);
    form.btnstart->Click();
  });
  ASSERT_GT(number, 0) << ::testing::PrintToString(MessageTexts());
  const TContestKKRec log = StoredLog(number);
  EXPECT_EQ(log.Name.str(), "Pfingsten");
  EXPECT_EQ(log.ClassIndex, 5);
  EXPECT_EQ(log.OwnPostalCode.str(), "12345");
}

TEST_F(EingContestWindowTest, FailedCheckColoursTheFieldUntilItChanges) {
  const std::int32_t log = AddLog('.', 5);
  ASSERT_TRUE(catalogue_->FindByNummer(log));
  const std::int32_t number = Run(1, 0, '.', [&](TEingContestStd& form) {
    TypeStation(form);
    form.eName->SetText("");
    form.btnOK->Click();
    EXPECT_EQ(form.eName->Color(), app::kMarkColour);
    EXPECT_EQ(form.ActiveControl(), form.eName);
    EXPECT_EQ(form.ModalResult(), platform::qt::mrNone);
    TypeText(*form.eName, "N");
    EXPECT_NE(form.eName->Color(), app::kMarkColour);
    form.btnOK->Click();
  });
  EXPECT_EQ(number, 0);
  EXPECT_EQ(StoredLog(log).Name.str(), "N");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Eingabe eines Contest-Namens notwendig."});
}

TEST_F(EingContestWindowTest, EscapeAnsweredNoClosesWithoutStarting) {
  const std::int32_t log = AddLog('.', 5);
  ASSERT_TRUE(catalogue_->FindByNummer(log));
  Messages().answers = {false};
  const std::int32_t number = Run(1, 0, '.', [&](TEingContestStd& form) {
    TypeText(*form.eName, "x");
    PressKey(*form.eName, platform::qt::VK_ESCAPE);
  });
  EXPECT_EQ(number, 0);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Änderungen übernehmen?"});
  EXPECT_EQ(StoredLog(log).Name.str(), "Log .");
}

// Whether the control shows whole: its rectangle lies in the client area of each of its parents
// up to the form, none of which clips it.
bool ShowsWhole(const platform::qt::TControl& control) {
  const platform::qt::TPoint at = control.ClientToScreen({0, 0});
  for (const platform::qt::TControl* p = control.Parent(); p != nullptr; p = p->Parent()) {
    const platform::qt::TPoint origin = p->ClientToScreen({0, 0});
    const int left = at.X - origin.X;
    const int top = at.Y - origin.Y;
    if (left < 0 || top < 0 || left + control.Width() > p->ClientWidth() ||
        top + control.Height() > p->ClientHeight()) {
      return false;
    }
  }
  return true;
}

// Both date calendars drop down whole over their group box, the Sunday column too; Esc, after a
// click on a day or without one, closes the calendar and goes no further; then Esc is the
// form's again.
TEST_F(EingContestWindowTest, TheDateCalendarsShowWholeAndEscClosesThemAfterAClickOnADay) {
  const std::int32_t log = AddLog('.', 5);
  ASSERT_TRUE(catalogue_->FindByNummer(log));
  Messages().answers = {false};
  Run(1, 0, '.', [&](TEingContestStd& form) {
    for (const bool click_a_day : {true, false}) {
      for (ui::TkvDatum* field : {form.eDatumvon, form.eDatumbis}) {
        SCOPED_TRACE(field->Name() + (click_a_day ? " after a click on a day" : ""));
        field->SetText("10.03.2024");  // a Sunday
        platform::qt::testkit::Click(*field->DateButton(), 5, 5);
        platform::qt::TMonthCalendar& calendar = *field->Calendar();
        ASSERT_TRUE(calendar.Visible());
        EXPECT_TRUE(ShowsWhole(calendar));
        if (click_a_day) {
          Shot(form, "setup_form_calendar_" + field->Name());
          platform::qt::testkit::Click(calendar, calendar.Width() / 2, calendar.Height() * 2 / 3);
          EXPECT_TRUE(calendar.Focused());
        }
        platform::qt::testkit::PressKeyOnFocus(platform::qt::VK_ESCAPE);
        EXPECT_FALSE(field->CalendarShown());
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
      }
    }
    platform::qt::testkit::PressKeyOnFocus(platform::qt::VK_ESCAPE);
  });
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Änderungen übernehmen?"});
}

// The log's contest day and its stored tallies: a few QSOs on the first `bands` bands of the
// contest, in both layouts.
void StoreDayAndTallies(std::int32_t log, std::size_t bands) {
  contest::TdbContest catalogue(contest::kTableKK, 0);
  contest::TdbContest data(contest::kTableKZ, 0);
  ASSERT_TRUE(catalogue.FindByNummer(log) && data.FindByNummer(log));
  TContestKKRec k{};
  TContestKZRec z{};
  catalogue.GetKKRec(k);
  data.GetKZRec(z);
  k.DatumVon = contestlog_test::kContestDay;
  k.DatumBis = contestlog_test::kContestDay;
  const std::uint32_t qsos[] = {41, 87, 23, 9, 2};
  for (std::size_t b = 0; b < std::min<std::size_t>(bands, 5); ++b) {
    k.LineQsos[b] = static_cast<std::uint16_t>(qsos[b]);
    k.LinePoints[b] = 3 * qsos[b];
    k.LineMults[b] = static_cast<std::uint16_t>(qsos[b] / 4);
    z.SlotQsos[b] = qsos[b];
    z.SlotPoints[b] = 3 * qsos[b];
    z.SlotMults[b] = qsos[b] / 4;
  }
  catalogue.SetKKRec(k);
  data.SetKZRec(z);
  ASSERT_TRUE(catalogue.UpdateRec() && data.UpdateRec());
}

TEST_F(EingContestWindowTest, Screenshots) {
  logbook::ToSetups& settings = common::Service<logbook::ToSetups>::Get();
  logbook::ToSetupOwnStation own = settings.GetOwnStation();
  logbook::SetOwnStationTexts({.name = "Karl Muster",
                               .street = "Hauptstr. 1",
                               .city = "14469 Potsdam",
                               .country = "Deutschland",
                               .email = "dl1abc@example.org"},
                              own);
  settings.SetOwnStation(own);
  struct Case {
    const char* name;
    char code;
    int class_index;
    bool review;
    TContestKKRec changes;
  };
  TContestKKRec licence{};
  licence.OperatorNumber = static_cast<std::uint32_t>(common::DMYToDate(1, 4, 1990));
  TContestKKRec district{};
  district.OwnDOK = "U05";
  const Case cases[] = {{"setup_form_event", '.', 5, false, {}},
                        {"setup_form_wag", 'W', 9, false, licence},
                        {"setup_form_oqrp", 'b', 1, false, {}},
                        {"setup_form_district_u", 'U', 1, false, district},
                        {"setup_form_event_review", '.', 5, true, {}}};
  for (const Case& shot : cases) {
    const std::int32_t log = AddLog(shot.code, shot.class_index, shot.changes);
    ASSERT_TRUE(catalogue_->FindByNummer(log));
    Fkt().LoadContestDefinition(definition_, *catalogue_, shot.code, true);
    StoreDayAndTallies(log, static_cast<std::size_t>(
                          std::count_if(definition_.Bands.begin(), definition_.Bands.end(),
                                        [](char band) { return band != 0; })));
    if (shot.code == 'b') {
      ASSERT_TRUE(app::SaveStationMemo('b', log, "Eigenbau-Transceiver 5 W\r\nDipol 2 x 20 m"));
    }
    ASSERT_TRUE(catalogue_->FindByNummer(log));
    Fkt().LoadContestDefinition(definition_, *catalogue_, shot.code, true);
    Messages().calls.clear();
    TEingContestStd form(nullptr, shot.code, 1, shot.review ? 1 : 0, *catalogue_,
                         *contest_data_, definition_);
    EXPECT_TRUE(form.groupAuswertung->Visible());
    Shot(form, shot.name);
  }
}

}  // namespace
}  // namespace app_test
