// The program from its start to a scored log and its Cabrillo file, as an operator meets it on
// a fresh data folder during the contest: the first start's new log set up in the setup form,
// three QSOs typed with Enter (the third a dupe the contest refuses), the log closed and
// reviewed, its Cabrillo file written from the review's output menu and looked at in the file
// viewer, the log listed in the main window, opened again with its QSOs and score, and the
// program ended.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/contest_brow.h"
#include "app/contest_brow_ctrl.h"
#include "app/eing_contest_std.h"
#include "app/program_start.h"
#include "common/messages.h"
#include "common/scripted_presenter.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contestlog/contest_log_std.h"
#include "output/wagdatei.h"
#include "platform/fake_environment.h"
#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/file_dialog_driver.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/app/first_log_setup.h"
#include "tests/app/output_menu_clicks.h"
#include "tests/common/temp_folder.h"
#include "tests/output/cabrillo_lint.h"
#include "tests/output/golden_file.h"
#include "ui/mouse_grid.h"

namespace app_test {
namespace {

void Shot(platform::qt::TWinControl& window, const std::string& name) {
  EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(window, name).empty()) << name;
}

// The window's clock ticks: the entry gets its date and time.
void Tick(contestlog::TContestLogStd& w) {
  w.ezeit->SetStr("");
  w.timerzeit->Elapsed();
  EXPECT_FALSE(w.ezeit->GetStr().empty());
}

// Types a QSO as the operator does once the clock has ticked: the call, Enter, the age, Enter.
void TypeQso(contestlog::TContestLogStd& w, const std::string& call, const std::string& age) {
  using platform::qt::testkit::PressKey;
  using platform::qt::testkit::TypeText;
  Tick(w);
  w.eCall->SetFocus();
  TypeText(*w.eCall, call);
  PressKey(*w.eCall, platform::qt::VK_RETURN);
  if (w.eCall->GetStr().empty()) return;  // refused
  for (int step = 0; step < 6 && !w.eCall->GetStr().empty(); ++step) {
    auto* field = dynamic_cast<platform::qt::TWinControl*>(w.ActiveControl());
    ASSERT_NE(field, nullptr);
    if (field == w.eRSTr2) TypeText(*w.eRSTr2, age);
    PressKey(*field, platform::qt::VK_RETURN);
  }
}

struct Score {
  std::string qsos;
  std::string multis;
  std::string points;
  friend bool operator==(const Score&, const Score&) = default;
};

Score ScoreOf(const contestlog::TContestLogStd& w) {
  return {w.lqso->Caption(), w.lmulti->Caption(), w.lPunkte->Caption()};
}

// The setup form of a new log: the station as a first user types it, the class, "Contest
// starten".
void SetUpNewLog(app::TEingContestStd& form) {
  TypeFirstLogSetup(form);
  Shot(form, "end_to_end_0_setup_form");
  form.btnstart->Click();
}

// Ends a form the steps left open, which would keep its modal loop running.
void EnsureClosed(platform::qt::TForm& form, const common::ScriptedPresenter* messages) {
  if (form.ModalResult() != platform::qt::mrNone) return;
  std::string said;
  for (const auto& call : messages->calls) said += call.text + "; ";
  ADD_FAILURE() << form.Name() << " is still open: " << said;
  form.SetModalResult(platform::qt::mrCancel);
}

TEST(EndToEndTest, FromAFreshDataFolderToAScoredLogItsCabrilloFileAndBack) {
  common::testing::TempFolder data;
  // During the contest: the first day, noon UTC.
  platform::FakeClock clock;
  clock.utc_bias_minutes = 0;
  clock.now = {2020, 6, 6, 12, 0, 0, 0};
  platform::ScopedEnvironment environment(&clock, nullptr, nullptr);
  platform::qt::testkit::ModalDriver driver;
  platform::qt::testkit::FileDialogDriver file_dialogs;
  const std::string cabrillo = data / "first_contest.CBR";
  file_dialogs.Type(data / "first_contest");

  common::ScriptedPresenter* messages = nullptr;
  std::vector<std::string> reviews;
  std::vector<std::string> output_messages;
  std::string viewed;
  std::vector<std::string> warnings;
  Score first_score;
  Score reopened_score;
  std::int32_t reopened_qsos = 0;
  std::vector<std::string> listed;

  // The first start's new log: its setup form, then the log window with three QSOs, the third
  // a dupe; after it the review in the setup form.
  driver.Then([&](platform::qt::TForm& form) {
    SetUpNewLog(dynamic_cast<app::TEingContestStd&>(form));
    EnsureClosed(form, messages);
  });
  driver.Then([&](platform::qt::TForm& form) {
    auto& w = dynamic_cast<contestlog::TContestLogStd&>(form);
    Shot(w, "end_to_end_1_new_log");
    messages->calls.clear();
    TypeQso(w, "dl2xyz", "37");
    TypeQso(w, "oe3abc", "55");
    Shot(w, "end_to_end_2_two_qsos");
    TypeQso(w, "dl2xyz", "37");
    for (const common::MessageCall& call : messages->calls) warnings.push_back(call.text);
    Shot(w, "end_to_end_3_dupe_refused");
    first_score = ScoreOf(w);
    w.MenueBeenden->OnClick(w.MenueBeenden);  // "Contest beenden"
  });
  const auto review = [&](platform::qt::TForm& form) {
    reviews.push_back(dynamic_cast<app::TEingContestStd&>(form).eName->Text());
    form.SetModalResult(platform::qt::mrCancel);
  };
  // The review writes the Cabrillo file from its output menu, which the viewer then shows.
  driver.Then([&](platform::qt::TForm& form) {
    auto& setup = dynamic_cast<app::TEingContestStd&>(form);
    Shot(setup, "end_to_end_4_review");
    messages->calls.clear();
    setup.btnDruck->Click();
    ASSERT_TRUE(setup.OutputMenu().druckwagpopup->IsShowing())
        << (messages->calls.empty() ? "" : messages->calls.back().text);
    Shot(*setup.OutputMenu().druckwagpopup->Window(), "end_to_end_5_output_menu");
    ChooseOutput(setup.OutputMenu(), "DruckCabrillo");
    for (const common::MessageCall& call : messages->calls) output_messages.push_back(call.text);
    review(form);
  });
  driver.Then([&](platform::qt::TForm& form) {
    viewed = form.Caption();
    Shot(dynamic_cast<output::Twagdatei&>(form), "end_to_end_6_viewer");
    form.Close();
  });
  // Opened again from the main window's list: its setup form started as it stands.
  driver.Then([&](platform::qt::TForm& form) {
    dynamic_cast<app::TEingContestStd&>(form).btnstart->Click();
    EnsureClosed(form, messages);
  });
  driver.Then([&](platform::qt::TForm& form) {
    auto& w = dynamic_cast<contestlog::TContestLogStd&>(form);
    reopened_score = ScoreOf(w);
    reopened_qsos = w.NextQsoNumber - 1;
    Shot(w, "end_to_end_8_reopened");
    w.btnbeenden2->OnClick(w.btnbeenden2);
  });
  driver.Then(review);

  app::StartHooks hooks;
  hooks.data_folder = data.path() + "/";
  hooks.resource_folder = PREFIX_TABLES_DIR;
  hooks.wired = [&] {
    auto presenter = std::make_unique<common::ScriptedPresenter>();
    messages = presenter.get();
    common::Service<common::ToMessages>::Get().SetPresenter(std::move(presenter));
  };
  hooks.running = [&](app::TContestBrow& window) {
    ui::TkvMouseGrid& grid = window.Brow->GetGrid();
    for (int r = grid.FixedRows(); r < grid.RowCount(); ++r) {
      const std::string name = common::Trim(grid.Cells(0, r));
      if (!name.empty()) listed.push_back(name);
    }
    Shot(window, "end_to_end_7_main_window");
    // Enter opens the log's setup, whose "Contest starten" starts it again.
    platform::qt::testkit::PressKey(window, platform::qt::VK_RETURN);
    messages->answers = {true};  // "Programm beenden?"
    platform::qt::testkit::PressKey(window, platform::qt::VK_ESCAPE);
  };
  char name[] = "domivox";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(app::RunProgram(1, argv, hooks), 0);

  const std::string setup = "EingContestStd";
  EXPECT_EQ(driver.Seen(), (std::vector<std::string>{setup, "ContestLogStd", setup, "wagdatei",
                                                     setup, "ContestLogStd", setup}));
  EXPECT_EQ(driver.Unanswered(), 0);
  EXPECT_EQ(reviews, (std::vector<std::string>{"Domivox-Contest", "Domivox-Contest"}));
  ASSERT_EQ(warnings.size(), 1u) << (warnings.empty() ? "" : warnings.back());
  EXPECT_TRUE(warnings[0].starts_with("Call DL2XYZ")) << warnings[0];
  EXPECT_EQ(listed, std::vector<std::string>{"Domivox-Contest"});
  EXPECT_EQ(first_score.qsos, "2");

  ASSERT_EQ(file_dialogs.Seen().size(), 1u);
  EXPECT_TRUE(file_dialogs.Seen()[0].save);
  EXPECT_EQ(file_dialogs.Unanswered(), 0);
  EXPECT_EQ(output_messages,
            (std::vector<std::string>{"Geben Sie im folgenden Dialog an, wohin die Cabrillo - "
                                      "Datei DL1ABC.CBR gespeichert werden soll.",
                                      "Datei " + cabrillo + " wurde erstellt."}));
  EXPECT_NE(viewed.find("first_contest.CBR"), std::string::npos) << viewed;
  const std::string file = common::testing::ReadFile(cabrillo);
  output_test::ExpectGoldenFile(file, std::string(APP_GOLDEN_DIR) + "/first_contest.CBR");
  EXPECT_EQ(output_test::LintCabrillo(file, output_test::kStandardQso), std::vector<std::string>{});
  EXPECT_EQ(reopened_qsos, 2);
  EXPECT_EQ(reopened_score, first_score);
}

}  // namespace
}  // namespace app_test
