// The program from its start to a scored log, as an operator meets it on a fresh data folder
// during the contest: the first start's new log, three QSOs typed with Enter (the third a dupe
// the contest refuses), the log closed and reviewed, listed in the main window, opened again
// with its QSOs and score, and the program ended.
//
// Until the contest setup form exists, a stand-in of it creates the new log as the form's
// creation and save do and answers "Contest starten".
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/contest_brow.h"
#include "app/contest_brow_ctrl.h"
#include "app/program_start.h"
#include "common/dates.h"
#include "common/messages.h"
#include "common/scripted_presenter.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contestlog/contest_log_std.h"
#include "logbook/settings/setups.h"
#include "logbook/setupfiles/settings_store.h"
#include "platform/fake_environment.h"
#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/common/temp_folder.h"
#include "ui/mouse_grid.h"

namespace app_test {
namespace {

constexpr const char* kOwnCall = "DL1ABC";
constexpr const char* kOwnLocator = "JO62QM";
constexpr std::int32_t kOperatorAge = 42;
constexpr int kClass = 5;

std::int32_t DayOf(const std::string& text) {
  return common::DMYToDate(std::stoi(text.substr(0, 2)), std::stoi(text.substr(3, 2)),
                           std::stoi(text.substr(6, 4)));
}

std::int32_t SecondsOf(const std::string& text) {
  return std::stoi(text.substr(0, 2)) * 3600 + std::stoi(text.substr(3, 2)) * 60 +
         (text.size() >= 8 ? std::stoi(text.substr(6, 2)) : 0);
}

// The contest setup form as far as the first run needs it: a new log created as the form's
// creation and save make it, "Contest starten" answered; a review only noted.
class SetupFormStandIn final : public contest::ForwardingPort {
 public:
  // `calls` receives "change/mode/code" of each call; it outlives the port.
  SetupFormStandIn(std::unique_ptr<contest::ContestPort> next, std::vector<std::string>& calls)
      : ForwardingPort(std::move(next)), calls(calls) {}

  std::int32_t RunEntryForm(int change, int mode, char code, contest::TdbContest& catalogue,
                            contest::TdbContest& contest_data) override {
    calls.push_back(std::to_string(change) + "/" + std::to_string(mode) + "/" + code);
    if (mode == 1) return 0;  // the review ends with "Schließen"
    if (change == 0) created = CreateLog(code, catalogue, contest_data);
    return created;
  }

  std::vector<std::string>& calls;
  std::int32_t created = 0;

 private:
  static std::int32_t CreateLog(char code, contest::TdbContest& catalogue,
                                contest::TdbContest& contest_data) {
    // The form's save puts the own station into the settings.
    logbook::ToSetups& settings = common::Service<logbook::ToSetups>::Get();
    settings.SetOwnCall(kOwnCall);
    logbook::ToSetupOwnStation station = settings.GetOwnStation();
    station.own_locator = kOwnLocator;
    settings.SetOwnStation(station);
    EXPECT_TRUE(logbook::SaveSettings());

    contest::TContestKKRec log{};
    log.OwnLocator = kOwnLocator;
    log.OwnCall = kOwnCall;
    log.Switch71 = 255;
    log.Switch72 = 1;
    log.Typ = code;
    log.DatumAuto = 255;
    log.ZeitAuto = 255;
    log.Char194 = 'D';
    log.Switch195 = 255;
    log.ClassIndex = kClass;
    log.OperatorNumber = kOperatorAge;
    log.Name = "Domivox-Contest";
    contest::TContestRec definition;
    contest::TContestFkt& fkt = common::Service<contest::TContestFkt>::Get();
    fkt.LoadContestDefinition(definition, log, code);
    log.DatumVon = DayOf(definition.DateFrom.str());
    log.DatumBis = DayOf(definition.DateTo.str());
    log.ZeitVon = SecondsOf(definition.TimeFrom.str());
    log.ZeitBis = SecondsOf(definition.TimeTo.str());
    catalogue.ClearRec();
    catalogue.SetKKRec(log);
    EXPECT_TRUE(catalogue.InsertRec());
    catalogue.GetKKRec(log);
    EXPECT_TRUE(fkt.EnsureContestData(catalogue.CurrentRef(), catalogue, contest_data));
    // The form's save loads the log's definition into the main window's live one.
    if (app::ContestBrow != nullptr && app::ContestBrow->Ctrl() != nullptr) {
      fkt.LoadContestDefinition(app::ContestBrow->Ctrl()->Definition(), catalogue, code, true);
    }
    return log.Nummer;
  }
};

void Shot(platform::qt::TWinControl& window, const std::string& name) {
  EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(window, name).empty()) << name;
}

// Lets the window's clock tick: the entry gets its date and time.
void AwaitTick(contestlog::TContestLogStd& w) {
  w.ezeit->SetStr("");
  for (int wait = 0; wait < 300 && w.ezeit->GetStr().empty(); ++wait) {
    platform::qt::Application().ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(w.ezeit->GetStr().empty());
}

// Types a QSO as the operator does once the clock has ticked: the call, Enter, the age, Enter.
void TypeQso(contestlog::TContestLogStd& w, const std::string& call, const std::string& age) {
  using platform::qt::testkit::PressKey;
  using platform::qt::testkit::TypeText;
  AwaitTick(w);
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

TEST(EndToEndTest, FromAFreshDataFolderToAScoredLogAndBack) {
  common::testing::TempFolder data;
  // During the contest: the first day, noon UTC.
  platform::FakeClock clock;
  clock.utc_bias_minutes = 0;
  clock.now = {2020, 6, 6, 12, 0, 0, 0};
  platform::ScopedEnvironment environment(&clock, nullptr, nullptr);
  platform::qt::testkit::ModalDriver driver;

  common::ScriptedPresenter* messages = nullptr;
  std::vector<std::string> setup_calls;
  std::vector<std::string> warnings;
  Score first_score;
  Score reopened_score;
  std::int32_t reopened_qsos = 0;
  std::vector<std::string> listed;

  // The first start's new log opens the log window: three QSOs, the third a dupe.
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
  // Opened again from the main window's list.
  driver.Then([&](platform::qt::TForm& form) {
    auto& w = dynamic_cast<contestlog::TContestLogStd&>(form);
    reopened_score = ScoreOf(w);
    reopened_qsos = w.NextQsoNumber - 1;
    Shot(w, "end_to_end_5_reopened");
    w.btnbeenden2->OnClick(w.btnbeenden2);
  });

  app::StartHooks hooks;
  hooks.data_folder = data.path() + "/";
  hooks.resource_folder = PREFIX_TABLES_DIR;
  hooks.wired = [&] {
    auto presenter = std::make_unique<common::ScriptedPresenter>();
    messages = presenter.get();
    common::Service<common::ToMessages>::Get().SetPresenter(std::move(presenter));
    contest::TContestFkt& fkt = common::Service<contest::TContestFkt>::Get();
    fkt.SetPort(std::make_unique<SetupFormStandIn>(fkt.SetPort(nullptr), setup_calls));
  };
  hooks.running = [&](app::TContestBrow& window) {
    ui::TkvMouseGrid& grid = window.Brow->GetGrid();
    for (int r = grid.FixedRows(); r < grid.RowCount(); ++r) {
      const std::string name = common::Trim(grid.Cells(0, r));
      if (!name.empty()) listed.push_back(name);
    }
    Shot(window, "end_to_end_4_main_window");
    // Enter opens the log's setup, whose "Contest starten" starts it again.
    platform::qt::testkit::PressKey(window, platform::qt::VK_RETURN);
    messages->answers = {true};  // "Programm beenden?"
    platform::qt::testkit::PressKey(window, platform::qt::VK_ESCAPE);
  };
  char name[] = "domivox";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(app::RunProgram(1, argv, hooks), 0);

  EXPECT_EQ(driver.Seen(), (std::vector<std::string>{"ContestLogStd", "ContestLogStd"}));
  EXPECT_EQ(driver.Unanswered(), 0);
  EXPECT_EQ(setup_calls, (std::vector<std::string>{"0/0/.", "1/1/.", "1/0/.", "1/1/."}));
  ASSERT_EQ(warnings.size(), 1u) << (warnings.empty() ? "" : warnings.back());
  EXPECT_TRUE(warnings[0].starts_with("Call DL2XYZ")) << warnings[0];
  EXPECT_EQ(listed, std::vector<std::string>{"Domivox-Contest"});
  EXPECT_EQ(first_score.qsos, "2");
  EXPECT_EQ(reopened_qsos, 2);
  EXPECT_EQ(reopened_score, first_score);
}

}  // namespace
}  // namespace app_test
