// Screen scaling: value routines, modes, whole-form scaling, fitting to the screen, protocol.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "common/protocol.h"
#include "logbook/settings/setups.h"
#include "platform/fake_environment.h"
#include "platform/qt/panel.h"
#include "platform/qt/rich_edit.h"
#include "tests/common/temp_folder.h"
#include "tests/ui/ui_fixture.h"
#include "ui/separator_line.h"

namespace ui {
namespace {

using testing::ScreenScope;
using testing::SizedForm;

struct ValueRow {
  const char* name;
  std::uint8_t mode;
  int dpi;
  std::function<int()> call;
  int expected;
};

class ValueRoutines : public ::testing::TestWithParam<ValueRow> {};

TEST_P(ValueRoutines, ConvertOnlyInTheirModeAndRoundHalvesToEven) {
  ScreenScope screen(768, GetParam().dpi, GetParam().mode);
  EXPECT_EQ(GetParam().call(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Winskal, ValueRoutines,
    ::testing::Values(
        ValueRow{"Mode0Scale100", 0, 120, [] { return ToWinskal::ScaleValue(true, 100); }, 125},
        ValueRow{"Mode0Scale2HalfToEven", 0, 120, [] { return ToWinskal::ScaleValue(true, 2); },
                 2},
        ValueRow{"Mode0Scale6HalfToEven", 0, 120, [] { return ToWinskal::ScaleValue(true, 6); },
                 8},
        ValueRow{"Mode0NoFlag", 0, 120, [] { return ToWinskal::ScaleValue(false, 100); }, 100},
        ValueRow{"Mode0Unscale", 0, 120, [] { return ToWinskal::UnscaleValue(true, 125); }, 100},
        ValueRow{"Mode0SysUnchanged", 0, 120, [] { return ToWinskal::ScaleValueSys(true, 100); },
                 100},
        ValueRow{"Mode1ScaleUnchanged", 1, 120, [] { return ToWinskal::ScaleValue(true, 100); },
                 100},
        ValueRow{"Mode1Sys", 1, 120, [] { return ToWinskal::ScaleValueSys(true, 100); }, 125},
        ValueRow{"Mode2Sys144", 2, 144, [] { return ToWinskal::ScaleValueSys(true, 7); }, 10},
        ValueRow{"Mode1UnscaleSys", 1, 120, [] { return ToWinskal::UnscaleValueSys(true, 10); },
                 8},
        ValueRow{"At96Unchanged", 0, 96, [] { return ToWinskal::ScaleValue(true, 100); }, 100},
        ValueRow{"NoResolutionUnchanged", 0, 0,
                 [] { return ToWinskal::UnscaleValue(true, 100); }, 100}),
    [](const auto& info) { return std::string(info.param.name); });

struct ModeRow {
  const char* name;
  int awareness;  // -1: no service
  bool fixed;     // the level cannot be changed by a request
  std::uint8_t mode;
};

class DetectMode : public ::testing::TestWithParam<ModeRow> {};

TEST_P(DetectMode, FollowsWhatTheProcessEndsUpWith) {
  const ModeRow& row = GetParam();
  std::unique_ptr<platform::qt::ScreenSource> source;
  if (row.fixed) {
    source = std::make_unique<testing::FixedAwarenessScreen>(768, 96, row.awareness);
  } else {
    source = std::make_unique<platform::qt::FixedScreenSource>(1024, 768, 96, row.awareness);
  }
  ScreenScope screen(std::move(source));
  screen.Winskal().FormScaledSetting = 0;
  ToWinskal::Initialise();
  EXPECT_EQ(ToWinskal::Mode(), row.mode);
  EXPECT_EQ(screen.Winskal().FormScaledSetting, 1);
}

INSTANTIATE_TEST_SUITE_P(Winskal, DetectMode,
                         ::testing::Values(ModeRow{"NoAwarenessService", -1, false, 0},
                                           ModeRow{"PerMonitorGranted", 0, false, 2},
                                           ModeRow{"SystemAwareAlready", 1, true, 1},
                                           ModeRow{"NotAwareAndFixed", 0, true, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Winskal, TheResolutionIsReadOnceExceptPerMonitor) {
  for (std::uint8_t mode : {0, 2}) {
    ScreenScope screen(768, 120, mode);
    EXPECT_EQ(ToWinskal::Dpi(), 120);
    platform::qt::Application().SetScreenSource(
        std::make_unique<platform::qt::FixedScreenSource>(1024, 768, 144));
    EXPECT_EQ(ToWinskal::Dpi(), mode == 2 ? 144 : 120) << int{mode};
  }
}

struct FitRow {
  const char* name;
  int height;
  bool sizeable;
  bool auto_size;
  bool new_look;
  int expected_height;
  int percent;
};

class FitToScreen : public ::testing::TestWithParam<FitRow> {};

TEST_P(FitToScreen, EnlargesSmallAndShrinksTallFixedForms) {
  const FitRow& row = GetParam();
  ScreenScope screen(768, 96);
  common::ScopedService<logbook::ToSetups> setups;
  logbook::ToSetupLayout layout = setups->GetLayout();
  layout.layout_variant_switch = row.new_look ? 1 : 0;
  setups->SetLayout(layout);
  SizedForm form(400, row.height, row.sizeable, false);
  form.SetAutoSize(row.auto_size);
  // The form needs this service's scaling, but at 96 dpi it is only fitted.
  EXPECT_FALSE(ToWinskal::ScaleForm(form));
  EXPECT_EQ(form.Height(), row.expected_height);
  EXPECT_EQ(form.FitPercent, row.percent);
  ToWinskal::FitToScreen(form);  // shrunk at most once
  if (row.percent < 100) {
    EXPECT_EQ(form.Height(), row.expected_height);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Winskal, FitToScreen,
    ::testing::Values(FitRow{"Enlarged115", 600, false, false, true, 690, 115},
                      FitRow{"EnlargedToTheLimit112", 640, false, false, true, 717, 112},
                      FitRow{"GainOf18Kept", 700, false, false, true, 700, 0},
                      FitRow{"OldLookNotEnlarged", 600, false, false, false, 600, 0},
                      FitRow{"TallShrunkOnce89", 800, false, false, true, 712, 89},
                      FitRow{"SizeableNeverShrunk", 800, true, false, true, 800, 0},
                      FitRow{"SizeableNeverEnlarged", 600, true, false, true, 600, 0},
                      FitRow{"AutoSizeKept", 800, false, true, true, 800, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Winskal, PerMonitorModeScalesTheWholeFormByResolution) {
  for (int dpi : {120, 144}) {
    ScreenScope screen(2000, dpi, 2);
    SizedForm form(400, 300, false, true);
    auto* label = new platform::qt::TPanel(&form);
    label->SetParent(&form);
    label->SetBounds(8, 16, 100, 20);
    auto* line = new TSAPLinie(&form);
    line->SetParent(&form);
    form.SetScaled(ToWinskal::FormScaled(form));
    EXPECT_FALSE(form.Scaled());
    EXPECT_TRUE(form.DesignScaled);
    EXPECT_TRUE(ToWinskal::ScaleForm(form));
    EXPECT_TRUE(form.WinskalDone);
    EXPECT_FALSE(form.CreateScaled);
    const int p = dpi * 100 / 96;
    EXPECT_EQ(form.ClientWidth(), 400 * p / 100) << dpi;
    EXPECT_EQ(label->BoundsRect(), (platform::qt::TRect{8 * p / 100, 16 * p / 100,
                                                        108 * p / 100, 36 * p / 100}))
        << dpi;
    EXPECT_EQ(line->Height(), 2);
    // Values of a handled form follow the screen.
    EXPECT_EQ(ScalePixels(form, 100, false), p);
  }
}

TEST(Winskal, ASizeableFormGetsItsChildrenScaledAndItsBoundsMultiplied) {
  ScreenScope screen(2000, 120, 2);
  SizedForm form(400, 300, true, false);
  form.SetBounds(40, 20, 400, 300);
  auto* label = new platform::qt::TPanel(&form);
  label->SetParent(&form);
  label->SetBounds(8, 16, 100, 20);
  EXPECT_TRUE(ToWinskal::ScaleForm(form));
  EXPECT_EQ(form.BoundsRect(), platform::qt::Bounds(50, 25, 500, 375));
  EXPECT_EQ(label->BoundsRect(), (platform::qt::TRect{10, 20, 135, 45}));
  EXPECT_EQ(form.FitPercent, 0);
}

TEST(Winskal, AFormStillScaledInPerMonitorModeOnlyGetsItsRichEditFontsDividedBack) {
  ScreenScope screen(2000, 120, 2);
  SizedForm form(400, 300, false, true);
  auto* panel = new platform::qt::TPanel(&form);
  panel->SetParent(&form);
  auto* rich = new platform::qt::TRichEdit(&form);
  rich->SetParent(panel);
  rich->Font().SetSize(12);
  EXPECT_TRUE(ToWinskal::ScaleForm(form));
  EXPECT_EQ(form.ClientHeight(), 300);
  EXPECT_EQ(rich->Font().Size(), 10);  // 12 x 96 / 120 = 9.6
}

TEST(Winskal, ScalePixelsFollowsTheScaleOwnerAndLeavesFontsToTheFramework) {
  struct Owned : SizedForm {
    Owned(TkvForm* ruler) : SizedForm(100, 100, false, false), ruler_(ruler) {}
    TkvForm* ScaleOwner() override { return ruler_; }
    TkvForm* ruler_;
  };
  ScreenScope screen(768, 120);
  SizedForm scaled(100, 100, false, true);
  SizedForm plain(100, 100, false, false);
  Owned follows_scaled(&scaled);
  Owned follows_plain(&plain);
  EXPECT_EQ(ScalePixels(follows_scaled, 100, false), 125);
  EXPECT_EQ(UnscalePixels(follows_scaled, 125, false), 100);
  EXPECT_EQ(ScalePixels(follows_scaled, 9, true), 9);  // a font size the framework scales
  EXPECT_EQ(ScalePixels(follows_plain, 100, false), 100);
  EXPECT_EQ(ScalePixels(scaled, 100, false), 125);
}

TEST(Winskal, AChangedMonitorResolutionFitsTheFormAgain) {
  ScreenScope screen(768, 96);
  SizedForm form(400, 800, false, false);
  form.DoFormAfterMonitorDpiChanged(&form, 96, 120);
  EXPECT_EQ(form.Height(), 712);
}

TEST(Winskal, FormsOfNoHeightAreLeftAlone) {
  ScreenScope screen(30, 120);  // the limit lies below 0
  SizedForm fixed(400, 0, false, false);
  EXPECT_TRUE(ToWinskal::ScaleForm(fixed));
  ToWinskal::FitToScreen(fixed);
  EXPECT_EQ(fixed.Height(), 0);
  EXPECT_EQ(fixed.FitPercent, 0);
}

TEST(Winskal, ProtocolLinesOnlyWhenTheProtocolFileExists) {
  common::testing::TempFolder dir;
  platform::FakeClock clock;
  clock.now = {2025, 3, 4, 5, 6, 7, 0};
  platform::ScopedEnvironment environment(&clock, nullptr, nullptr);
  common::ScopedService<logbook::ToSetups> setups;
  logbook::ToSetupLayout old_look = setups->GetLayout();
  old_look.layout_variant_switch = 0;
  setups->SetLayout(old_look);
  ScreenScope screen(1000, 96);
  SizedForm form(400, 300, false, true);
  form.SetName("Dialog");

  common::Protocol::ResetRun();
  ToWinskal::ScaleForm(form);
  EXPECT_FALSE(std::filesystem::exists(dir / "protokoll.dat"));

  common::testing::WriteFile(dir / "protokoll.dat", "");
  common::Protocol::ResetRun();
  ToWinskal::ScaleForm(form);
  form.SetScaled(false);
  form.CreateScaled = false;
  screen.Winskal().Mode = 1;
  ToWinskal::ScaleForm(form);
  EXPECT_EQ(common::testing::ReadFile(dir / "protokoll.dat"),
            " 04.03 05:06:07 ScaleF: Dialog None  s  w \r\n"
            " 04.03 05:06:07 wsrf1:400 300\r\n"
            " 04.03 05:06:07 wsrf2:400 300\r\n"
            " 04.03 05:06:07 ScaleF out:400 300\r\n"
            " 04.03 05:06:07 ScaleF: Dialog 7 \r\n"
            " 04.03 05:06:07 wsrf1:400 300\r\n"
            " 04.03 05:06:07 wsrf2:400 300\r\n"
            " 04.03 05:06:07 ScaleF out:400 300\r\n");
  common::Protocol::ResetRun();
}

}  // namespace
}  // namespace ui
