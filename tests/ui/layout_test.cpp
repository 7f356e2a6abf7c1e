// The layout engine: dialog layout by the font size, list-window styling in both looks, and the
// bitmap buttons switched off and on.
#include <gtest/gtest.h>

#include <string>

#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/qt/colors.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/ui/ui_fixture.h"
#include "ui/bit_btn.h"
#include "ui/gradient.h"
#include "ui/layout.h"

namespace ui {
namespace {

using platform::qt::TAlign;
using platform::qt::TLabel;
using platform::qt::TPanel;
using platform::qt::testkit::Grab;

class LayoutTest : public ::testing::Test {
 protected:
  void SetLayout(int font_size, bool new_look) {
    logbook::ToSetupLayout layout = settings->GetLayout();
    layout.font_size = font_size;
    layout.layout_variant_switch = new_look ? 1 : 0;
    settings->SetLayout(layout);
  }
  template <typename T>
  T* Add(TkvForm& form, platform::qt::TWinControl* parent, const std::string& name,
         platform::qt::TRect bounds) {
    auto* c = new T(&form);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBoundsRect(bounds);
    return c;
  }

  testing::ScreenScope screen{768, 96};
  common::ScopedService<logbook::ToSetups> settings;
};

TEST_F(LayoutTest, FormLayoutScalesBoundsAndOwnFontsByTheFontSize) {
  for (const int size : {9, 12}) {
    SCOPED_TRACE(size);
    SetLayout(size, true);
    testing::SizedForm form(300, 200, true, true);
    auto* own_font = Add<TLabel>(form, &form, "l1", platform::qt::Bounds(3, 7, 75, 20));
    own_font->SetAutoSize(false);
    own_font->Font().SetSize(10);
    auto* margin = Add<TkvBitBtn>(form, &form, "b1", platform::qt::Bounds(90, 150, 75, 25));
    margin->SetMargin(4);
    auto* centred = Add<TkvBitBtn>(form, &form, "b2", platform::qt::Bounds(180, 150, 75, 25));

    EXPECT_TRUE(ToLayout::FormLayout(form));
    const bool big = size == 12;
    EXPECT_EQ(form.ClientWidth(), big ? 400 : 300);
    EXPECT_EQ(form.ClientHeight(), big ? 267 : 200);  // 266.7
    EXPECT_EQ(own_font->BoundsRect(), big ? platform::qt::Bounds(4, 9, 100, 27)   // 9.3, 26.7
                                          : platform::qt::Bounds(3, 7, 75, 20));
    EXPECT_EQ(own_font->Font().Size(), big ? 13 : 10);
    EXPECT_EQ(margin->Margin(), big ? 9 : 4);
    EXPECT_EQ(centred->Margin(), -1);
    EXPECT_EQ(form.Font().Name(), "Arial");
  }
}

TEST_F(LayoutTest, ASizeableFormStaysWithinTheVirtualScreen) {
  testing::SizedForm form(1200, 900, true, true);
  ToLayout::FormLayout(form);
  EXPECT_EQ(form.Width(), 1024 - 50);
  EXPECT_EQ(form.Height(), 768 - 50);
}

// A list window in the shape the program's windows have: caption area with the caption panel,
// the old look's strip, the content panel and both button panels.
class ListWindow : public TkvForm {
 public:
  explicit ListWindow(bool title_label, bool sub_panel) : TkvForm(nullptr) {
    platform::qt::LoadingScope loading(*this);
    SetName("ListWindow");
    SetCaption("Formulartitel");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsSizeable);
    SetClientSize(420, 260);
    captions = Make<TPanel>(this, "panelCaptions", 0, 0, 420, 60);
    caption = Make<TPanel>(captions, "panelCaption", 0, 0, 420, 30);
    if (title_label) Make<TLabel>(caption, "lCaption1", 8, 8, 80, 15)->SetCaption("Liste der Logs");
    if (sub_panel) {
      auto* sub = Make<TPanel>(caption, "panelSub", 100, 0, 200, 30);
      Make<TLabel>(sub, "lSub", 2, 2, 80, 15)->SetCaption("Unterpanel");
    }
    strip = Make<TPanel>(captions, "panelCaption1", 0, 30, 420, 30);
    content = Make<TPanel>(this, "panelAllgemein", 0, 60, 420, 150);
    secondary = Make<TPanel>(content, "panelSecond", 5, 5, 300, 24);
    secondary->SetTag(kSecondaryCaptionTag);
    Make<TLabel>(secondary, "lSecond", 30, 4, 80, 15)->SetCaption("Abschnitt");
    old_buttons = Make<TPanel>(this, "panelButtonsPX3", 0, 210, 420, 25);
    new_buttons = Make<TPanel>(this, "panelbuttonspx4", 0, 235, 420, 25);
    new_buttons->Hide();
  }
  template <typename T>
  T* Make(platform::qt::TWinControl* parent, const std::string& name, int left, int top, int width,
         int height) {
    auto* c = new T(this);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
  }
  TPanel *captions, *caption, *strip, *content, *secondary, *old_buttons, *new_buttons;
};

TSRGradient* Band(TPanel& panel, int index) {
  int seen = 0;
  for (platform::qt::TControl* c : panel.Controls()) {
    if (auto* g = dynamic_cast<TSRGradient*>(c); g != nullptr && seen++ == index) return g;
  }
  return nullptr;
}

TLabel* Title(TPanel& panel) { return dynamic_cast<TLabel*>(panel.Controls().back()); }

TEST_F(LayoutTest, TheNewLookBuildsTheCaptionBar) {
  ListWindow form(true, false);
  ToLayout::StyleListenfenster(form);
  TSRGradient* upper = Band(*form.caption, 0);
  TSRGradient* lower = Band(*form.caption, 1);
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(form.caption->Height(), 40);
  EXPECT_EQ(form.caption->Align(), TAlign::alTop);
  EXPECT_EQ(upper->Height(), 13);
  EXPECT_EQ(upper->StartColor(), common::RGB(255, 242, 221));
  EXPECT_EQ(upper->EndColor(), common::RGB(255, 207, 127));
  EXPECT_FALSE(form.strip->Visible());
  EXPECT_FALSE(dynamic_cast<TLabel*>(form.FindComponent("lCaption1"))->Visible());
  EXPECT_EQ(Title(*form.caption)->Caption(), "Liste der Logs");
  EXPECT_EQ(Title(*form.caption)->Font().Color(), common::RGB(25, 25, 25));
  EXPECT_EQ(form.Caption(), "");
  EXPECT_EQ(form.content->Align(), TAlign::alClient);
  EXPECT_EQ(form.Color(), 0x02F7D2C0u);
  // The secondary caption panel: indented to 15, its label at the left in 13 point, 10 higher.
  EXPECT_EQ(form.secondary->BoundsRect(), platform::qt::Bounds(15, 5, 290, 34));
  EXPECT_TRUE(form.secondary->ParentColor());

  form.Show();
  const platform::qt::TBitmap shot = Grab(form);

  const platform::qt::TPoint band = form.caption->ClientToParent({0, 0}, &form);
  // The upper band darkens row by row to the end colour; the lower one is flat.
  for (int y = 1; y < 13; ++y) {
    EXPECT_LT(shot.Pixel(band.X + 300, band.Y + y), shot.Pixel(band.X + 300, band.Y + y - 1));
  }
  EXPECT_EQ(shot.Pixel(band.X + 300, band.Y + 12), common::RGB(255, 207, 127));
  for (const int y : {13, 25, 39}) {
    EXPECT_EQ(shot.Pixel(band.X + 300, band.Y + y), common::RGB(255, 217, 153)) << y;
  }
  platform::qt::testkit::SaveScreenshot(form, "list_window_new_look");
}

TEST_F(LayoutTest, TheTitleComesFromTheCaptionLabelASubPanelOrTheFormCaption) {
  struct Row {
    bool title_label, sub_panel;
    const char* title;
  };
  for (const Row& row : {Row{true, true, "Liste der Logs"}, Row{false, true, "Unterpanel"},
                         Row{false, false, "Formulartitel"}}) {
    ListWindow form(row.title_label, row.sub_panel);
    ToLayout::StyleListenfenster(form);
    EXPECT_EQ(Title(*form.caption)->Caption(), row.title);
    EXPECT_EQ(form.Caption(), "");
  }
}

TEST_F(LayoutTest, TheOldLookKeepsTheDesignButSwapsTheButtonPanels) {
  SetLayout(9, false);
  ListWindow form(true, false);
  ToLayout::StyleListenfenster(form);
  EXPECT_EQ(Band(*form.caption, 0), nullptr);
  EXPECT_EQ(form.Caption(), "Formulartitel");
  EXPECT_TRUE(form.strip->Visible());
  EXPECT_EQ(form.strip->Color(), 0x0055BFFFu);
  EXPECT_EQ(form.content->Align(), TAlign::alNone);
  EXPECT_EQ(form.secondary->Left(), 5);
  EXPECT_FALSE(form.old_buttons->Visible());
  EXPECT_TRUE(form.new_buttons->Visible());
  EXPECT_EQ(form.new_buttons->Align(), TAlign::alBottom);
  EXPECT_EQ(form.new_buttons->Height(), 25);  // the minimum of 57 is the new look's
  form.Show();
  platform::qt::testkit::SaveScreenshot(form, "list_window_old_look");
}

TEST_F(LayoutTest, ButtonsAreSwitchedOffAndOnOneLevelDeepOrAllOfAForm) {
  testing::SizedForm form(300, 200, false, true);
  auto* bar = Add<TPanel>(form, &form, "bar", platform::qt::Bounds(0, 0, 300, 100));
  auto* sub = Add<TPanel>(form, bar, "sub", platform::qt::Bounds(0, 0, 200, 80));
  auto* deep = Add<TPanel>(form, sub, "deep", platform::qt::Bounds(0, 0, 100, 60));
  auto* direct = Add<TkvBitBtn>(form, bar, "b1", platform::qt::Bounds(210, 5, 75, 25));
  auto* in_sub = Add<TkvBitBtn>(form, sub, "b2", platform::qt::Bounds(110, 5, 75, 25));
  auto* too_deep = Add<TkvBitBtn>(form, deep, "b3", platform::qt::Bounds(5, 5, 75, 25));
  ToLayout::DisableButtons(*bar);
  EXPECT_TRUE(direct->kvDeaktiviert());
  EXPECT_TRUE(in_sub->kvDeaktiviert());
  EXPECT_FALSE(too_deep->kvDeaktiviert());
  ToLayout::DisableButtons(form);
  EXPECT_TRUE(too_deep->kvDeaktiviert());
  form.Show();
  ToLayout::EnableButtons(form, in_sub);
  EXPECT_FALSE(direct->kvDeaktiviert() || in_sub->kvDeaktiviert() || too_deep->kvDeaktiviert());
  EXPECT_EQ(form.ActiveControl(), in_sub);
}

}  // namespace
}  // namespace ui
