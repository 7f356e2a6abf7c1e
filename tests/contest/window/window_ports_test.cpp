// The window side of the contest layer's ports and the QSO grid after an edit: links reach the
// desktop, the bell the window layer, a recount's steps a real progress window, and the grid
// comes back on the newest QSO of a band.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "common/grid_colours.h"
#include "common/key_text.h"
#include "contest/cont_log_alle.h"
#include "contest/window/log_refresh.h"
#include "contest/window/window_ports.h"
#include "platform/qt/application.h"
#include "platform/qt/progress_bar.h"
#include "platform/recording_desktop.h"
#include "tests/contest/service_fixture.h"
#include "tests/ui/ui_fixture.h"
#include "ui/browser.h"

namespace contest::window {
namespace {

using contest_test::Qso;

class WindowPortsTest : public contest_test::ServiceTest {
 protected:
  // A log of `code` in the catalogue object; answers its number.
  std::int32_t NewLog(TdbContest& catalogue, char code) {
    EXPECT_TRUE(catalogue.GotoRef(AddLog("Test", code)));
    TContestKKRec record{};
    catalogue.GetKKRec(record);
    return record.Nummer;
  }

  ui::testing::ScreenScope screen_{768, 96};
  common::ScopedService<common::GridColours> colours_;
};

TEST_F(WindowPortsTest, LinksGoToTheDesktopTheBellToTheWindowLayerTheRestOnward) {
  platform::RecordingShell shell;
  platform::RecordingMailer mailer;
  platform::ScopedDesktop desktop(&shell, &mailer);
  int bells = 0;
  platform::qt::Application().OnBeep = [&] { ++bells; };
  InstallWindowServices();
  Fkt().Port().OpenLink("info@domivox.example");
  Fkt().Port().Beep();
  Fkt().Port().ShowMorePrograms();
  platform::qt::Application().OnBeep = nullptr;
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].arguments, std::vector<std::string>{"mailto:info@domivox.example"});
  EXPECT_EQ(bells, 1);
  // Neither reached the port below; what the window services do not do still does.
  EXPECT_EQ(port_->calls, std::vector<std::string>{"ShowMorePrograms"});
}

TEST_F(WindowPortsTest, ARecountStepsARealProgressWindowEveryTenthQso) {
  TdbContest catalogue(kTableKK, 0);
  const std::int32_t log = NewLog(catalogue, '.');
  for (int i = 0; i < 25; ++i) {
    TContestLKRec qso = Qso("DL" + std::to_string(i) + "ABC", 'c', 1, i);
    qso.DXCC = i % 2 == 0 ? "DL" : "OE";
    Add(log, qso);
  }
  TContestRec definition;
  definition.MultiplierKinds.set(2);
  TdbContest table(kTableLK, log);
  ui::TFortschrittWinCtrl controller(nullptr, "Neuberechnung", "", 500, false, false, false);
  ASSERT_TRUE(controller.Show());
  FortschrittProgress progress(controller);
  SlotTallies tallies;
  RecountRequest request(2, 'c');
  request.tallies = &tallies;
  request.progress = &progress;
  TContLogAlle rules;
  rules.RecountMultipliers(request, table, catalogue, definition);
  ASSERT_NE(controller.Window(), nullptr);
  // Steps after QSO 10 and 20 of the 25.
  EXPECT_EQ(controller.Window()->fortschritt->Position(), 20);
  EXPECT_EQ(tallies.kind2_qsos, 25);
}

TEST_F(WindowPortsTest, AfterAnEditTheGridStandsOnTheBandsNewestQsoAndTheEntryIsEmpty) {
  TdbContest catalogue(kTableKK, 0);
  const std::int32_t log = NewLog(catalogue, '.');
  std::map<std::string, std::int32_t> numbers;
  for (const auto& [call, band, intern] :
       {std::tuple{"DL1AAA", 'c', 1}, {"DL2BBB", 'c', 3}, {"DL3CCC", 'c', 2}, {"DL4DDD", 'd', 7}}) {
    TContestLKRec qso = Qso(call, band, 1, intern);
    qso.wagBandNrIntern = intern;
    const std::int32_t nummer = Add(log, qso);
    TdbContest stored(kTableLK, log);
    EXPECT_TRUE(stored.Search(common::KeyIntToStr(nummer, true), 4));
    numbers[call] = stored.CurrentRef();  // the grid names records by reference
  }
  platform::qt::TForm form(nullptr);
  form.SetBounds(0, 0, 600, 300);
  auto* grid = new ui::TkvBrow(&form);
  grid->SetParent(&form);
  grid->SetAlign(platform::qt::TAlign::alClient);
  form.Show();
  TdbContest table(kTableLK, log);
  grid->Init(0, &table, 4, 0, 0, common::ShortToLenArray(common::KeyIntToStr(1, true)),
             common::ShortToLenArray(common::KeyIntToStr(999999999, true)), nullptr, 0, 0);
  struct Row {
    char band;
    std::int32_t on;  // the grid's record afterwards; 0: wherever the search left the log
  };
  for (const Row& row : {Row{'c', numbers["DL2BBB"]}, Row{'d', numbers["DL4DDD"]}, Row{'b', 0}}) {
    table.ClearRec();
    TContestLKRec typed = Qso("DL9XX", 'c', 5, 5);
    table.SetLKRec(typed);
    RefreshAfterEdit(row.band, *grid, table);
    if (row.on != 0) {
      EXPECT_EQ(grid->GetDatensatzRef(), row.on) << row.band;
    }
    TContestLKRec entry{};
    table.GetLKRec(entry);
    EXPECT_EQ(entry.Datum, -1);
    EXPECT_EQ(entry.Zeit, -1);
    EXPECT_EQ(entry.Call.str(), "");
    EXPECT_EQ(entry.Bandcode, 0);
  }
}

}  // namespace
}  // namespace contest::window
