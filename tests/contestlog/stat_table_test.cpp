// The statistics panel: the log window holds it hidden with its 22 tabs; on its own it finds the
// cell under the mouse among the visible rows and columns and passes its buttons and the mouse
// on to the owner's events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contestlog/stat_table.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog_test {
namespace {

using contestlog::TkvStatTabelle;

const std::vector<std::string> kTabCaptions = {
    "Call",    "DXCC",   "DOK/Gebiet1", "WAE",  "WAZ",  "IOTA", "State", "Locator",
    "Special", "County", "LDK/Gebiet2", "ITU",  "Log1", "Log2", "Log3",  "Log4",
    "Log5",    "Log6",   "Log7",        "Log8", "Log9", "Log10"};

std::vector<std::string> Captions(const TkvStatTabelle& table) {
  std::vector<std::string> captions;
  for (platform::qt::TTabSheet* tab : table.pcStat->Pages()) captions.push_back(tab->Caption());
  return captions;
}

class StatTableTest : public LogWindowTest {};

TEST_F(StatTableTest, TheLogWindowHoldsThePanelHiddenWithItsTabsInOrder) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  RunLog(log, b.Definition(), [&](TContestLogStd& window) {
    TkvStatTabelle& table = *window.kvStatTabelle_;
    EXPECT_EQ(Captions(table), kTabCaptions);
    EXPECT_EQ(table.Tabs.front()->Name(), "ptabCall");
    EXPECT_EQ(table.Tabs.back()->Name(), "ptabLog10");
    EXPECT_EQ(table.Parent(), window.panelStatistik);
    EXPECT_EQ(window.panelStatistikKopf->Caption(), "Hauptlog-Statistik:");
    EXPECT_FALSE(window.panelStatistik->Visible());
    EXPECT_FALSE(window.CheckBox1->Visible());
    for (const auto& column : table.Cells) {
      for (const std::string& cell : column) EXPECT_TRUE(cell.empty());
    }
    Shot(window, "log_window_with_hidden_statistics");
  });
}

// The panel on a form of its own, shown.
class StatTableOnItsOwnTest : public LogWindowTest {
 protected:
  StatTableOnItsOwnTest() : form_(nullptr) {
    form_.SetBounds(0, 0, 900, 420);
    table_ = new TkvStatTabelle(&form_);
    table_->SetParent(&form_);
    table_->SetAlign(platform::qt::TAlign::alClient);
    form_.Show();
  }

  ui::TkvForm form_;
  TkvStatTabelle* table_;
};

TEST_F(StatTableOnItsOwnTest, CellsCountOnlyVisibleRowsAndColumns) {
  TkvStatTabelle& t = *table_;
  t.OriginX = 10;
  t.OriginY = 5;
  t.CellWidth = 40;
  t.CellHeight = 18;
  t.ScaleFactor = 1.0;
  EXPECT_EQ(t.CellRect(0, 0), (platform::qt::TRect{10, 5, 50, 23})) << "the headings";
  EXPECT_EQ(t.CellRect(1, 1), (platform::qt::TRect{59, 23, 99, 41}));
  EXPECT_EQ(t.CellRect(3, 2).Left, 10 + 3 * 40 + 9);
  t.ColumnVisible[2] = false;
  t.RowVisible[1] = false;
  EXPECT_EQ(t.CellRect(3, 2), t.CellRect(2, 1)) << "hidden ones take no room";
  t.ScaleFactor = 1.5;
  EXPECT_EQ(t.CellRect(1, 3), (platform::qt::TRect{10 + 73, 5 + 36, 10 + 73 + 60, 5 + 54}));
}

TEST_F(StatTableOnItsOwnTest, TheHoverMarkerFindsTheCellUnderTheMouse) {
  TkvStatTabelle& t = *table_;
  t.OriginX = 0;
  t.OriginY = 0;
  t.CellWidth = 30;
  t.CellHeight = 20;
  t.ScaleFactor = 1.0;
  t.ColumnVisible[1] = false;
  const platform::qt::TRect cell = t.CellRect(4, 7);
  t.CellUnderMouse(cell.Left + 3, cell.Top + 3);
  EXPECT_EQ(t.Hover->Tag(), 407);
  EXPECT_EQ(t.Hover->Left(), cell.Left);
  EXPECT_EQ(t.Hover->Top(), cell.Top);
  t.CellUnderMouse(cell.Right, cell.Bottom - 1);  // the next column
  EXPECT_EQ(t.Hover->Tag(), 507);
  t.CellUnderMouse(5, 5);  // the headings: no cell
  EXPECT_EQ(t.Hover->Tag(), 507);

  std::vector<std::string> events;
  t.OnTableMouseEnter = [&](platform::qt::TComponent*) { events.push_back("enter"); };
  t.OnTableMouseLeave = [&](platform::qt::TComponent*) { events.push_back("leave"); };
  t.MouseEnter();
  EXPECT_TRUE(t.Hover->Visible());
  t.MouseLeave();
  EXPECT_FALSE(t.Hover->Visible());
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));

  int image_events = 0;
  t.Hover->CMMouseEnter();  // nothing assigned: nothing happens
  t.Hover->OnImageMouseEnter = [&](platform::qt::TComponent* sender) {
    EXPECT_EQ(sender, t.Hover);
    ++image_events;
  };
  t.Hover->CMMouseEnter();
  t.Hover->CMMouseLeave();
  EXPECT_EQ(image_events, 1);
}

TEST_F(StatTableOnItsOwnTest, ButtonsReachTheOwnersEventsAndTheListButtonsDoNothing) {
  TkvStatTabelle& t = *table_;
  std::vector<std::string> events;
  for (platform::qt::TControl* button : std::initializer_list<platform::qt::TControl*>{
           t.btnSchliessen, t.btnEinstellungen, t.btnStandard, t.btnLogListePx3}) {
    button->Click();  // none assigned yet
  }
  t.OnEventA = [&](platform::qt::TComponent*) { events.push_back("A"); };
  t.OnEventB = [&](platform::qt::TComponent*) { events.push_back("B"); };
  t.OnEventC = [&](platform::qt::TComponent*) { events.push_back("C"); };
  t.OnCellEvent = [&](int i, int j, int buttons) {
    events.push_back(std::to_string(i) + "/" + std::to_string(j) + "/" + std::to_string(buttons));
  };
  for (auto* button : {t.btnEinstellungen, t.btnStandard, t.btnSchliessen}) {
    platform::qt::testkit::Click(*button, 5, 5);
  }
  for (auto* button : {t.btnLogListePx3, t.btnstatlistePx3, t.btnOptionen}) button->Click();
  t.FireCellEvent(3, 4, 1);
  EXPECT_EQ(events, (std::vector<std::string>{"B", "C", "A", "3/4/1"}));
  EXPECT_FALSE(t.btnAktBandMode->Visible());
  EXPECT_TRUE(t.btnStandard->Default());

  t.ChangeFlag = 5;
  const platform::qt::TRect dxcc = t.pcStat->TabRect(1);
  platform::qt::testkit::Click(*t.pcStat, dxcc.Left + 3, dxcc.Top + 3);
  EXPECT_EQ(t.pcStat->ActivePageIndex(), 1);
  EXPECT_EQ(t.ChangeFlag, 0);
  EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(form_, "statistics_panel").empty());
}

}  // namespace
}  // namespace contestlog_test
