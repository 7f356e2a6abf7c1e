// The log window at three sizes: the side bar's foot, the log area beside it, the entry panel's
// width and the places at the top, by the window's width and height; nothing overlapping, the
// entry in hand untouched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/contestlog/layout_checks.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog {
namespace {

using contestlog_test::CallerForm;
using contestlog_test::LogBuilder;
using contestlog_test::Overlaps;

struct SizeCase {
  const char* name;
  int width;
  int height;
  const char* screenshot;  // nullptr: none
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class SizeRows : public contestlog_test::LogWindowTest,
                 public ::testing::WithParamInterface<SizeCase> {};

TEST_P(SizeRows, FormResizePlacesTheBarsAndPanelsForTheWindowsSize) {
  const SizeCase& c = GetParam();
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  CallerForm caller;
  caller.SetBounds(0, 0, c.width, c.height);
  caller.Show();
  RunLog(
      log, b.Definition(),
      [&](TContestLogStd& w) {
        const int width = w.ClientWidth();
        const int height = w.ClientHeight();
        // The side bar's foot: the further-programs button, the version under the maker's
        // line, the ADIF import.
        EXPECT_EQ(w.btnweitere->Top() + w.btnweitere->Height(), height - 5);
        EXPECT_EQ(w.lversion->Top() + w.lversion->Height(), w.btnweitere->Top() - 10);
        EXPECT_EQ(w.lhersteller->Top() + w.lhersteller->Height(), w.lversion->Top());
        EXPECT_EQ(w.btnadifimport->Top() + w.btnadifimport->Height(), w.lhersteller->Top() - 10);
        // Beside it the log area, as wide as the window lets it be.
        if (w.Width() > 800) {
          EXPECT_EQ(w.panelContLog->Left(), w.btnweitere->Left() + w.btnweitere->Width() + 5);
          EXPECT_EQ(w.panelContLog->Left() + w.panelContLog->Width(), width - 10);
        } else {
          EXPECT_EQ(w.panelContLog->Width(), 630);
        }
        for (const TPanel* p : {w.panelEingabe, w.panelObenUntergrund, w.panelButtonsa}) {
          EXPECT_EQ(p->Width(), w.panelContLog->ClientWidth()) << p->Name();
        }
        EXPECT_EQ(w.panelObenUntergrund->Height(), w.panelOben->Height() + 5);
        // At the top: close to the edge in a low window, further down in a high one.
        const bool high = w.Height() > 800;
        EXPECT_EQ(w.MenueBeenden->Top(), high ? 24 : 5);
        EXPECT_EQ(w.panelauswertung->Top(),
                  w.MenueBeenden->Top() + w.MenueBeenden->Height() + (high ? 20 : 5));
        EXPECT_EQ(w.panelContLog->Top(), high ? 20 : 5);
        EXPECT_EQ(w.panelContLog->Height(), height - (high ? 40 : 10));
        // The list takes what is left of the log area; the side bar's table stays clear of
        // its foot.
        EXPECT_EQ(w.PanelUnten->Top() + w.PanelUnten->Height(), w.panelContLog->ClientHeight());
        EXPECT_LE(w.panelauswertung->Top() + w.panelauswertung->Height(), w.btnadifimport->Top());
        // Spread or not, the board ends 20 pixels before the entry panel's right edge.
        EXPECT_NEAR(w.panelmulties->Left() + w.panelmulties->Width() + 20,
                    w.panelEingabe->Width(), 2);
        EXPECT_EQ(Overlaps(w, w.Image2), std::vector<std::string>{});
        if (c.screenshot != nullptr) Shot(w, c.screenshot);
      },
      &caller);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sizes, SizeRows, ::testing::Values(
    SizeCase{"Narrow800x600", 800, 600, "contest_log_dot_800x600"},
    SizeCase{"Design1006x646", 1006, 646, nullptr},
    SizeCase{"Large1600x1000", 1600, 1000, "contest_log_dot_1600x1000"}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return info.param.name; });
// clang-format on

class ResizeTest : public contestlog_test::LogWindowTest {};

TEST_F(ResizeTest, AResizeLeavesTheEntryInHandAndKeepsTheLayoutWhereItWas) {
  LogBuilder b('e', 1);
  const std::int32_t log = b.Create();
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    contest::TContestLKRec entry{};
    w.LogTable->GetLKRec(entry);
    entry.Call = "DL9ZZ";
    w.LogTable->SetLKWorkingCopy(entry);
    const int caption_left = w.lRST3Name->Left();
    const int field_left = w.eRSTr3->Left();
    w.FormResize();
    w.FormResize();
    EXPECT_EQ(w.LogTable->GetCall(), "DL9ZZ");
    // Spreading again at the same width moves nothing (but for a pixel of rounding).
    EXPECT_NEAR(w.eRSTr3->Left(), field_left, 1);
    EXPECT_NEAR(w.lRST3Name->Left(), caption_left, 1);
    // Narrower and wide again: the fields come back close to their places (spreading by the
    // width over the board's reach comes closer with every step; one step leaves under 2 %).
    w.SetBounds(w.Left(), w.Top(), 780, w.Height());
    EXPECT_EQ(w.panelEingabe->Width(), 630);
    w.SetBounds(w.Left(), w.Top(), 1006, w.Height());
    EXPECT_NEAR(w.eRSTr3->Left(), field_left, field_left / 50);
    EXPECT_EQ(Overlaps(w, w.Image2), std::vector<std::string>{});
  });
}

}  // namespace
}  // namespace contestlog
