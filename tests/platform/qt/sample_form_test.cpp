// A sample dialog built in code (caption panel, label, edit, button bar), saved as a screenshot
// and checked by pixel. Under a real display (QT_QPA_PLATFORM=xcb or wayland) it stays shown
// for DOMIVOX_SHOW_SECONDS seconds.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/colors.h"
#include "platform/qt/edit.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "platform/qt/testkit/screenshot.h"

namespace platform::qt {
namespace {

struct SampleForm : TForm {
  TPanel* caption = new TPanel(this);
  TLabel* label = new TLabel(this);
  TEdit* edit = new TEdit(this);
  TPanel* buttons = new TPanel(this);
  TButton* ok = new TButton(this);
  TButton* cancel = new TButton(this);

  SampleForm() : TForm(nullptr) {
    LoadingScope loading(*this);
    SetName("SampleForm");
    SetCaption("PEL Domivox");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientSize(360, 170);
    caption->SetParent(this);
    caption->SetAlign(TAlign::alTop);
    caption->SetHeight(32);
    caption->SetBevelOuter(TBevelCut::bvNone);
    caption->SetColor(clNavy);
    caption->Font().SetColor(clWhite);
    caption->Font().SetStyle(fsBold);
    caption->SetCaption("Rufzeichen prüfen");
    label->SetParent(this);
    label->SetBounds(16, 52, 0, 0);
    label->SetCaption("&Rufzeichen:");
    edit->SetParent(this);
    edit->SetBounds(110, 48, 200, 21);
    edit->SetText(
        "DL\xD8"
        "ABC");
    buttons->SetParent(this);
    buttons->SetAlign(TAlign::alBottom);
    buttons->SetHeight(44);
    buttons->SetBevelOuter(TBevelCut::bvLowered);
    ok->SetParent(buttons);
    ok->SetBounds(180, 10, 75, 25);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetParent(buttons);
    cancel->SetBounds(265, 10, 85, 25);
    cancel->SetCaption("Abbrechen");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
  }
};

TEST(SampleFormTest, ShowsItsPartsInTheirColours) {
  SampleForm form;
  form.SetPosition(TPosition::poScreenCenter);
  form.Show();
  EXPECT_EQ(form.caption->BoundsRect(), Bounds(0, 0, 360, 32));
  EXPECT_EQ(form.buttons->BoundsRect(), Bounds(0, 126, 360, 44));
  EXPECT_GT(form.label->Width(), 40);  // sized to its caption once loading ended
  const std::string platform = std::getenv("QT_QPA_PLATFORM");
  const std::string path = testkit::SaveScreenshot(
      form, platform == "offscreen" ? "sample_form" : "sample_form_" + platform);
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(std::filesystem::exists(path));
  const TBitmap shot = testkit::Grab(form);
  ASSERT_EQ(shot.Width(), 360);
  ASSERT_EQ(shot.Height(), 170);
  EXPECT_EQ(shot.Pixel(3, 3), clNavy);                          // caption bar
  EXPECT_EQ(shot.Pixel(5, 40), ColorToRGB(clBtnFace));          // form
  EXPECT_EQ(shot.Pixel(300, 60), ColorToRGB(clWindow));         // inside the edit
  EXPECT_EQ(shot.Pixel(0, 126), ColorToRGB(clBtnShadow));       // lowered bevel, top
  EXPECT_EQ(shot.Pixel(359, 169), ColorToRGB(clBtnHighlight));  // and bottom right
  int white = 0;                                                // the caption's bold white text
  for (int x = 100; x < 260; ++x) white += shot.Pixel(x, 16) == clWhite ? 1 : 0;
  EXPECT_GT(white, 5);
  if (const char* seconds = std::getenv("DOMIVOX_SHOW_SECONDS")) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(seconds));
    while (std::chrono::steady_clock::now() < until) Application().ProcessMessages();
  }
}

}  // namespace
}  // namespace platform::qt
