// The program's wiring of the contest catalogue service's windows: after InstallContestPorts the
// service reaches the log window, the text window, the setup form, the desktop and the bell,
// each once, and hands what none of them does to the port it had before; the QSO edit dialog
// reaches the DXCC prefix list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/contest_ports.h"
#include "app/daten_liste_form.h"
#include "app/tools_memo_form.h"
#include "contestlog/dxcc_chooser.h"
#include "platform/qt/application.h"
#include "platform/recording_desktop.h"
#include "tests/contestlog/window_fixture.h"

namespace app {
namespace {

class ContestPortsTest : public contestlog_test::LogWindowTest {};

TEST_F(ContestPortsTest, TheServiceReachesEveryWindowOnceAndPassesTheRestOn) {
  platform::RecordingShell shell;
  platform::RecordingMailer mailer;
  platform::ScopedDesktop desktop(&shell, &mailer);
  int bells = 0;
  platform::qt::Application().OnBeep = [&] { ++bells; };
  InstallContestPorts();

  contestlog_test::LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  contestlog_test::MainTables main(log);
  driver_.Then([](platform::qt::TForm& form) { form.Close(); });
  Fkt().RunLog(nullptr, b.Definition(), main.catalogue, main.contest_data);

  common::testing::WriteFile(folder_ / "regeln.txt", "Ausschreibung\r\n");
  driver_.Then([](platform::qt::TForm& form) {
    EXPECT_EQ(dynamic_cast<TToolsMemoForm&>(form).Caption(), "Regeln");
    form.SetModalResult(platform::qt::mrOk);
  });
  std::string short_text;
  EXPECT_TRUE(Fkt().Port().ShowText("Regeln", nullptr, folder_ / "regeln.txt", short_text));

  // The setup form of a new log, closed without saving.
  driver_.Then([](platform::qt::TForm& form) { form.Close(); });
  EXPECT_EQ(Fkt().OpenEntryForm('.', 0, 0, main.catalogue, main.contest_data), 0);

  // The QSO edit dialog's DXCC button reaches the DXCC prefix list; nothing chosen there.
  driver_.Then([](platform::qt::TForm& form) {
    EXPECT_NE(dynamic_cast<TDatenListeForm*>(&form), nullptr);
    form.SetModalResult(platform::qt::mrCancel);
  });
  EXPECT_EQ(contestlog::ChooseDxccPrefix("DL"), "");

  Fkt().Port().OpenLink("https://www.domivox.example/");
  Fkt().Port().Beep();
  driver_.ThenReturn(platform::qt::mrCancel);
  Fkt().Port().ShowMorePrograms();
  platform::qt::Application().OnBeep = nullptr;

  EXPECT_EQ(driver_.Seen(),
            (std::vector<std::string>{"ContestLogStd", "ToolsMemoForm", "EingContestStd",
                                      "DatenListeForm", "wagprogramme"}));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].arguments, std::vector<std::string>{"https://www.domivox.example/"});
  EXPECT_EQ(bells, 1);
  EXPECT_TRUE(port_->calls.empty()) << "nothing left for the port installed before";
}

}  // namespace
}  // namespace app
