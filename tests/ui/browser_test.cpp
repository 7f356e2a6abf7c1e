// The grid browser bound to a table: Init and its step texts, the events' defaults, the layout
// protocol lines, the views on screen and the scaling of its columns.
#include "ui/browser.h"

#include <gtest/gtest.h>

#include <string>

#include "common/protocol.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/label.h"
#include "platform/qt/scroll_bar.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/qt/tool_bar.h"
#include "tests/ui/browser_fixture.h"
#include "ui/bit_btn.h"
#include "ui/kv_edit.h"
#include "ui/winskal.h"

namespace ui::testing {
namespace {

using platform::qt::testkit::SaveScreenshot;

class BrowserScreenTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    Fill(20);
    Assign();
    Brow().OnInitAnsicht = [this] { Brow().InitAnsicht(1 | 2 | 8); };
    Bind();
  }
};

TEST_F(BrowserScreenTest, DetailsListeAndMiniaturansicht) {
  Brow().SetNewLayoutFlag(1);
  Brow().SetGridOption(false);
  EXPECT_EQ(Shown().front(), "DLAA");
  std::printf("grid %d x %d client %d rowh %d rows %d visible %d fixedh %d\n", Grid().Width(), Grid().Height(), Grid().ClientHeight(), Grid().DefaultRowHeight(), Grid().RowCount(), Ctrl().VisibleRecords(), Grid().RowHeights(0));
  Brow().Selection().SetSelected(Brow().Page()->Row(6).ref, 1);
  platform::qt::testkit::MouseMove(Grid(), 40, Grid().CellRect(0, 4).Top + 3);
  Ctrl().Redisplay(true);
  EXPECT_EQ(Ctrl().Hot().Y, 4);
  SaveScreenshot(*form_, "browser_details_new_look");

  Brow().SetView(1);
  EXPECT_EQ(Grid().Cells(0, 1), "DLAA[8]Name DLAA[12]");
  SaveScreenshot(*form_, "browser_liste");
  Brow().SetView(3);
  SaveScreenshot(*form_, "browser_miniaturansicht");
}

}  // namespace
}  // namespace ui::testing
