// "Drucken / E-Log" on the contest setup form: the form's save with the button as sender, then
// the output menu for a stored log, also after a failed check; an item chosen from it writes
// the log as stored.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/eing_contest_run.h"
#include "app/eing_contest_std.h"
#include "contest/contest_tables.h"
#include "platform/qt/testkit/input.h"
#include "tests/app/output_menu_clicks.h"
#include "tests/app/setup_output_fixture.h"
#include "tests/output/fixture_logs.h"
#include "tests/output/golden_file.h"

namespace app_test {
namespace {

using app::TEingContestStd;
using platform::qt::testkit::TypeText;

class SetupFormOutputTest : public SetupOutputTest {
 protected:
  // Runs the setup form as the main window does, of a new log (`log` 0) or of log `log`;
  // `while_open` acts inside its modal loop, which "Abbrechen" then ends if still open.
  void Run(std::int32_t log, const std::function<void(TEingContestStd&)>& while_open) {
    contest::TdbContest catalogue(contest::kTableKK, 0);
    contest::TdbContest contest_data(contest::kTableKZ, 0);
    if (log != 0) {
      ASSERT_TRUE(catalogue.FindByNummer(log));
      ASSERT_TRUE(contest_data.FindByNummer(log));
    }
    driver_.Then([&](platform::qt::TForm& form) {
      auto& setup = dynamic_cast<TEingContestStd&>(form);
      while_open(setup);
      if (setup.ModalResult() == platform::qt::mrNone) setup.btnAbbruch->Click();
    });
    app::RunEingContestStd(log != 0 ? 1 : 0, 0, '.', catalogue, contest_data, definition_);
  }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const common::MessageCall& call : presenter_->calls) texts.push_back(call.text);
    return texts;
  }

  static bool MenuOpen(TEingContestStd& form) {
    return form.OutputMenu().druckwagpopup->IsShowing();
  }

  static int CatalogueCount() {
    contest::TdbContest catalogue(contest::kTableKK, 0);
    int count = 0;
    for (bool found = catalogue.First(3); found; found = catalogue.Next(true, true)) ++count;
    return count;
  }

  contest::TContestRec definition_;
};

TEST_F(SetupFormOutputTest, ANewLogWhoseSaveFailedOpensNoMenu) {
  Run(0, [&](TEingContestStd& form) {
    form.eName->SetText("");
    form.btnDruck->Click();
    EXPECT_FALSE(MenuOpen(form));
  });
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Eingabe eines Contest-Namens notwendig."});
  EXPECT_EQ(CatalogueCount(), 0);
  EXPECT_TRUE(CreatedNotices().empty());
}

TEST_F(SetupFormOutputTest, ANewLogSavedByTheButtonOffersItsOutputsAndStaysOpen) {
  const std::string path = AnswerSaveDialog("neu") + ".CSV";
  Run(0, [&](TEingContestStd& form) {
    TypeText(*form.eName, "Pfingsten");
    TypeText(*form.eJahre, "42");
    platform::qt::testkit::Click(*form.eteilnahmeart->Button(4), 5, 5);
    platform::qt::testkit::Click(*form.rZeitUTC, 5, 5);
    form.btnDruck->Click();
    ASSERT_TRUE(MenuOpen(form)) << ::testing::PrintToString(MessageTexts());
    EXPECT_EQ(form.ModalResult(), platform::qt::mrNone);
    EXPECT_TRUE(form.OutputMenu().Item("DruckCabrillo")->Enabled());
    EXPECT_FALSE(form.OutputMenu().Item("DruckSTF")->Enabled());
    Shot(*form.OutputMenu().druckwagpopup->Window(), "setup_form_output_menu");
    ChooseOutput(form.OutputMenu(), "DruckCSV");
    EXPECT_FALSE(MenuOpen(form));
  });
  EXPECT_EQ(CatalogueCount(), 1);
  EXPECT_EQ(CreatedNotices(), std::vector<std::string>{"Datei " + path + " wurde erstellt."});
  EXPECT_FALSE(common::testing::ReadFile(path).empty());
}

TEST_F(SetupFormOutputTest, AStoredLogWithoutANameWarnsThenWritesTheStoredLog) {
  const contestlog_test::LogBuilder log = output_test::DotClass5Log();
  const std::string path = AnswerSaveDialog("punkte") + ".CBR";
  Run(log.Number(), [&](TEingContestStd& form) {
    form.eName->SetText("");
    form.btnDruck->Click();
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Eingabe eines Contest-Namens notwendig."});
    ASSERT_TRUE(MenuOpen(form));
    ChooseOutput(form.OutputMenu(), "DruckCabrillo");
  });
  EXPECT_EQ(CreatedNotices(), std::vector<std::string>{"Datei " + path + " wurde erstellt."});
  EXPECT_EQ(shown_, std::vector<std::string>{path});
  // The file the drivers write of the log without the form.
  output_test::ExpectGoldenFile(common::testing::ReadFile(path),
                                std::string(OUTPUT_GOLDEN_DIR) + "/dot_class5.CBR");
}

}  // namespace
}  // namespace app_test
