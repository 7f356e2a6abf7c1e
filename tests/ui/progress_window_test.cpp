// The progress window: its layout by the flags, the steps' rules for maximum, position and text,
// cancelling, and closes by the window system.
#include <gtest/gtest.h>

#include <memory>

#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/ui/ui_fixture.h"
#include "ui/progress_window.h"

namespace ui {
namespace {

class ProgressWindowTest : public ::testing::Test {
 protected:
  testing::ScreenScope screen{768, 96};
  testing::SizedForm owner{400, 300, false, true};
};

TEST_F(ProgressWindowTest, TheFlagsShapeTheWindow) {
  TFortschrittWinCtrl plain(&owner, "", "Neuberechnung", 500, false, false, false);
  plain.Show();
  TFortschrittWinForm& w = *plain.Window();
  EXPECT_EQ(w.Caption(), "Fortschritt");
  EXPECT_EQ(w.fortschritt->Width(), 369);
  EXPECT_FALSE(w.Button1->Visible() || w.Image1->Visible() || w.Label1->Visible());
  EXPECT_EQ(w.ClientHeight(), 145 - 73);

  TFortschrittWinCtrl full(&owner, "Neunummerierung", "Satz", 10, true, false, true);
  full.Show();
  TFortschrittWinForm& f = *full.Window();
  EXPECT_EQ(f.Caption(), "Neunummerierung");
  EXPECT_EQ(f.fortschritt->Width(), 304 - 8 - 8);
  EXPECT_EQ(f.Image1->Width(), f.fortschritt->Width());
  EXPECT_TRUE(f.Button1->Visible() && f.Image1->Visible());
  EXPECT_EQ(f.ClientHeight(), 145);
  platform::qt::testkit::SaveScreenshot(f, "progress_window_cancellable");
}

TEST_F(ProgressWindowTest, AStepTakesANewMaximumOnlyWithAPositivePosition) {
  TFortschrittWinCtrl ctrl(&owner, "", "Neunummerierung", 500, false, false, false);
  ctrl.Show();
  platform::qt::TProgressBar& bar = *ctrl.Window()->fortschritt;
  bool cancelled = true;
  ctrl.Step("", 300, 0, cancelled);
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(bar.Position(), 300);
  EXPECT_EQ(bar.Max(), 500);
  platform::qt::testkit::SaveScreenshot(*ctrl.Window(), "progress_window");
  ctrl.Step("", 0, 1000, cancelled);  // the second pass announces its maximum
  EXPECT_EQ(bar.Position(), 300);
  EXPECT_EQ(bar.Max(), 500);
  ctrl.Step("", 10, 0, cancelled);
  EXPECT_EQ(bar.Max(), 1000);
  EXPECT_EQ(bar.Position(), 10);
  // The position comes first, held within the maximum the bar has then.
  ctrl.Step("", 1500, 2000, cancelled);
  EXPECT_EQ(bar.Max(), 2000);
  EXPECT_EQ(bar.Position(), 1000);
  EXPECT_EQ(ctrl.Window()->lfortschritt->Caption(), "Neunummerierung");
  ctrl.Step("Zweiter Lauf", 1, 0, cancelled);
  EXPECT_EQ(ctrl.Window()->lfortschritt->Caption(), "Zweiter Lauf");
}

TEST_F(ProgressWindowTest, TheCancelButtonIsReportedByEveryLaterStep) {
  TFortschrittWinCtrl ctrl(&owner, "", "Neuberechnung", 500, true, false, false);
  ctrl.Show();
  bool cancelled = false;
  ctrl.Step("", 1, 0, cancelled);
  EXPECT_FALSE(cancelled);
  platform::qt::testkit::Click(*ctrl.Window()->Button1, 5, 5);
  ctrl.Step("", 2, 0, cancelled);
  EXPECT_TRUE(cancelled);
  ctrl.Step("", 3, 0, cancelled);
  EXPECT_TRUE(cancelled);
}

TEST_F(ProgressWindowTest, ASystemCloseChangesNothingAndTheOwnerMayGoFirst) {
  auto ctrl = std::make_unique<TFortschrittWinCtrl>(&owner, "", "Neuberechnung", 500, false,
                                                    true, false);
  owner.Show();
  ctrl->Show();
  EXPECT_FALSE(owner.Enabled());  // modal: the other windows wait
  ctrl->Window()->WindowCloseRequested();
  platform::qt::Application().ProcessMessages();
  ASSERT_NE(ctrl->Window(), nullptr);
  EXPECT_TRUE(ctrl->Window()->Visible());
  ctrl.reset();
  EXPECT_TRUE(owner.Enabled());

  auto owner2 = std::make_unique<testing::SizedForm>(100, 100, false, true);
  TFortschrittWinCtrl orphan(owner2.get(), "", "", 10, false, false, false);
  orphan.Show();
  owner2.reset();
  EXPECT_EQ(orphan.Window(), nullptr);
  bool cancelled = false;
  orphan.Step("", 5, 0, cancelled);
}

}  // namespace
}  // namespace ui
