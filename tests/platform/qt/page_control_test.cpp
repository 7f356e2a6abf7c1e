// The page control: its pages in child order, one shown at a time below the tab row, chosen by
// code or by a click on its tab.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/bitmap.h"
#include "platform/qt/colors.h"
#include "platform/qt/page_control.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/platform/qt/form_fixture.h"

namespace platform::qt {
namespace {

class PageControlTest : public testing::FormFixture {
 protected:
  PageControlTest() : FormFixture(300, 120) {
    control = Add<TPageControl>(0, 0, 300, 120);
    for (const char* caption : {"Call", "DXCC", "WAE"}) {
      auto* page = new TTabSheet(&form);
      page->SetPageControl(control);
      page->SetCaption(caption);
      pages.push_back(page);
    }
    control->OnChange = [this](TComponent*) { changes.push_back(control->ActivePageIndex()); };
  }

  std::vector<bool> Shown() const {
    std::vector<bool> shown;
    for (TTabSheet* page : pages) shown.push_back(page->Visible());
    return shown;
  }

  TPageControl* control = nullptr;
  std::vector<TTabSheet*> pages;
  std::vector<int> changes;
};

TEST_F(PageControlTest, TheFirstPageShowsBelowTheTabsUntilCodeChoosesAnother) {
  EXPECT_EQ(control->PageCount(), 3);
  EXPECT_EQ(control->Pages(), pages);
  EXPECT_EQ(pages[2]->PageIndex(), 2);
  EXPECT_EQ(control->ActivePage(), pages[0]);
  EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
  EXPECT_GE(pages[0]->Top(), control->TabRect(0).Bottom);
  EXPECT_EQ(pages[0]->Top() + pages[0]->Height(), control->Height() - 2);

  control->SetActivePageIndex(2);
  EXPECT_EQ(control->ActivePage(), pages[2]);
  EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
  control->SetActivePageIndex(7);  // no such page: nothing changes
  EXPECT_EQ(control->ActivePageIndex(), 2);
  EXPECT_TRUE(changes.empty());

  control->SetStyle(TTabStyle::tsFlatButtons);
  control->SetTabHeight(20);
  EXPECT_EQ(control->TabRect(0).Height(), 20);
  EXPECT_EQ(pages[2]->Top(), 23);
  EXPECT_EQ(control->TabRect(1).Left, control->TabRect(0).Right + 3);
}

TEST_F(PageControlTest, AClickOnATabShowsItsPageAndReportsTheChange) {
  form.Show();
  const TRect wae = control->TabRect(2);
  testkit::Click(*control, wae.Left + 2, wae.Top + 2);
  EXPECT_EQ(control->ActivePage(), pages[2]);
  testkit::Click(*control, wae.Left + 2, wae.Top + 2);  // the active tab: no change
  testkit::Click(*control, 250, 5);                     // beside the tabs
  testkit::Click(*control, 30, 80);                     // on the page
  const TRect call = control->TabRect(0);
  testkit::Click(*control, call.Right - 2, call.Bottom - 2);
  EXPECT_EQ(changes, (std::vector<int>{2, 0}));
  EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
}

TEST_F(PageControlTest, FreeingTheActivePageLeavesNoneAndTheNextArrivalShows) {
  delete pages[0];
  pages.erase(pages.begin());
  EXPECT_EQ(control->ActivePage(), nullptr);
  EXPECT_EQ(control->PageCount(), 2);
  EXPECT_EQ(Shown(), (std::vector<bool>{false, false}));
  auto* late = new TTabSheet(&form);
  late->SetPageControl(control);
  EXPECT_EQ(control->ActivePage(), late);
  EXPECT_EQ(late->PageIndex(), 2);
}

TEST_F(PageControlTest, ButtonTabsDrawTheActiveOnePressedAndTabsThatDoNotFitNotAtAll) {
  control->SetStyle(TTabStyle::tsButtons);
  control->SetColor(clWhite);
  const TRect third = control->TabRect(2);
  control->SetWidth(third.Right - 5);
  const TBitmap shot = testkit::Grab(*control);
  testkit::SaveScreenshot(*control, "page_control_buttons");
  const TRect active = control->TabRect(0);
  const TRect other = control->TabRect(1);
  EXPECT_EQ(shot.Pixel(active.Left, active.Top), ColorToRGB(clBtnShadow));
  // A raised tab is lit at its top left corner, not shaded.
  EXPECT_NE(shot.Pixel(other.Left, other.Top), ColorToRGB(clBtnShadow));
  EXPECT_NE(shot.Pixel(other.Left, other.Top), ColorToRGB(clWhite));
  int ink = 0;
  for (int x = third.Left; x < control->Width(); ++x) {
    for (int y = 0; y < third.Bottom; ++y) ink += shot.Pixel(x, y) != clWhite ? 1 : 0;
  }
  EXPECT_EQ(ink, 0);
  EXPECT_EQ(control->IndexOfTabAt(other.Left + 1, 3), 1);
  EXPECT_EQ(control->IndexOfTabAt(third.Left + 1, 3), -1);
}

}  // namespace
}  // namespace platform::qt
