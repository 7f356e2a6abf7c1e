// Owner and parent trees, Align layout inside a bordered panel, anchors and ChangeScale.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/qt/align.h"
#include "platform/qt/colors.h"
#include "platform/qt/form.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"

namespace platform::qt {
namespace {

struct Probe : TComponent {
  Probe(TComponent* owner, std::vector<std::string>& log, std::string name)
      : TComponent(owner), log_(log) {
    SetName(std::move(name));
  }
  ~Probe() override { log_.push_back("free " + Name()); }
  void Loaded() override { log_.push_back("loaded " + Name() + (IsLoading() ? " (still)" : "")); }
  std::vector<std::string>& log_;
};

TEST(ComponentTest, OwnerListsInCreationOrderFreesLastFirstAndLoadingScopeEnds) {
  std::vector<std::string> log;
  {
    TComponent root(nullptr);
    auto* a = new Probe(&root, log, "a");
    {
      LoadingScope loading(root);
      new Probe(&root, log, "b");
      EXPECT_TRUE(a->IsLoading());
    }
    EXPECT_FALSE(a->IsLoading());
    EXPECT_EQ(root.FindComponent("B")->ComponentIndex(), 1);
    auto* c = new Probe(&root, log, "c");
    delete c;  // leaves the owner's list
    ASSERT_EQ(root.ComponentCount(), 2);
    EXPECT_EQ(root.Components()[0], a);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"loaded a", "loaded b", "free c", "free b", "free a"}));
}

TEST(AlignTest, KindsInOrderEachInChildOrderHiddenSkipped) {
  std::vector<AlignItem> items = {
      {TAlign::alClient, true, Bounds(0, 0, 5, 5)},  {TAlign::alLeft, true, Bounds(0, 0, 10, 1)},
      {TAlign::alTop, true, Bounds(0, 0, 1, 20)},    {TAlign::alTop, false, Bounds(0, 0, 1, 7)},
      {TAlign::alBottom, true, Bounds(0, 0, 1, 30)}, {TAlign::alTop, true, Bounds(0, 0, 1, 5)},
      {TAlign::alRight, true, Bounds(0, 0, 15, 1)},  {TAlign::alNone, true, Bounds(3, 4, 5, 6)},
  };
  AlignRects({0, 0, 100, 100}, items);
  EXPECT_EQ(items[2].bounds, Bounds(0, 0, 100, 20));
  EXPECT_EQ(items[5].bounds, Bounds(0, 20, 100, 5));
  EXPECT_EQ(items[3].bounds, Bounds(0, 0, 1, 7));  // hidden: untouched
  EXPECT_EQ(items[4].bounds, Bounds(0, 70, 100, 30));
  EXPECT_EQ(items[1].bounds, Bounds(0, 25, 10, 45));
  EXPECT_EQ(items[6].bounds, Bounds(85, 25, 15, 45));
  EXPECT_EQ(items[0].bounds, Bounds(10, 25, 75, 45));
  EXPECT_EQ(items[7].bounds, Bounds(3, 4, 5, 6));
  std::vector<AlignItem> crowded = {{TAlign::alLeft, true, Bounds(0, 0, 80, 1)},
                                    {TAlign::alClient, true, Bounds(0, 0, 1, 1)},
                                    {TAlign::alRight, true, Bounds(0, 0, 80, 1)}};
  AlignRects({0, 0, 100, 10}, crowded);
  EXPECT_EQ(crowded[1].bounds.Width(), 0);  // never negative
}

class PanelLayoutTest : public ::testing::Test {
 protected:
  PanelLayoutTest() {
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    panel->SetBorderStyle(TBorderStyle::bsSingle);  // inset 1 + 2 + 3 + 2 = 8
    for (auto [child, align, size] :
         {std::tuple{top, TAlign::alTop, 10}, std::tuple{left, TAlign::alLeft, 20},
          std::tuple{client, TAlign::alClient, 1}, std::tuple{bottom, TAlign::alBottom, 15}}) {
      child->SetParent(panel);
      child->SetBounds(0, 0, size, size);
      child->SetAlign(align);
    }
  }
  TForm form{nullptr};
  TPanel* panel = new TPanel(&form);
  TPanel* top = new TPanel(&form);
  TPanel* left = new TPanel(&form);
  TPanel* client = new TPanel(&form);
  TPanel* bottom = new TPanel(&form);
};

TEST_F(PanelLayoutTest, ChildrenGetExactRectanglesInsideBevelsAndBorder) {
  EXPECT_EQ(top->BoundsRect(), Bounds(8, 8, 184, 10));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(8, 77, 184, 15));
  EXPECT_EQ(left->BoundsRect(), Bounds(8, 18, 20, 59));
  EXPECT_EQ(client->BoundsRect(), Bounds(28, 18, 164, 59));
}

TEST_F(PanelLayoutTest, ResizingOrHidingAChildLaysThemOutAgain) {
  panel->SetBounds(0, 0, 300, 150);
  EXPECT_EQ(bottom->BoundsRect(), Bounds(8, 127, 284, 15));
  EXPECT_EQ(client->BoundsRect(), Bounds(28, 18, 264, 109));
  top->Hide();
  EXPECT_EQ(left->BoundsRect(), Bounds(8, 8, 20, 119));
  EXPECT_EQ(client->BoundsRect(), Bounds(28, 8, 264, 119));
  top->Show();
  left->SetWidth(50);
  EXPECT_EQ(client->BoundsRect(), Bounds(58, 18, 234, 109));
  panel->SetBorderWidth(0);
  EXPECT_EQ(top->BoundsRect(), Bounds(5, 5, 290, 10));
}

TEST(ChangeScaleTest, ScalesBoundsAndFontsOfChildrenAndTheClientSize) {
  TForm form(nullptr);
  form.SetClientSize(400, 300);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetAutoSize(false);
  label->SetBounds(8, 16, 100, 20);
  auto* own_font = new TLabel(&form);
  own_font->SetParent(&form);
  own_font->Font().SetSize(8);
  form.SetLeft(30);
  form.ChangeScale(125, 100);
  EXPECT_EQ(label->BoundsRect(), Bounds(10, 20, 125, 25));
  EXPECT_EQ(form.Font().Size(), 11);    // 9 * 1.25 = 11.25
  EXPECT_EQ(label->Font().Size(), 11);  // follows the form's font
  EXPECT_EQ(own_font->Font().Size(), 10);
  EXPECT_EQ(form.ClientWidth(), 500);
  EXPECT_EQ(form.ClientHeight(), 375);
  EXPECT_EQ(form.Left(), 30);
}

TEST(AnchorTest, RightAndBottomAnchorsKeepTheirDistance) {
  TForm form(nullptr);
  form.SetClientSize(300, 200);
  auto* moved = new TPanel(&form);
  moved->SetParent(&form);
  moved->SetBounds(200, 150, 80, 30);
  moved->SetAnchors(akRight | akBottom);
  auto* stretched = new TPanel(&form);
  stretched->SetParent(&form);
  stretched->SetBounds(10, 10, 100, 30);
  stretched->SetAnchors(akLeft | akTop | akRight);
  form.SetClientSize(400, 250);
  EXPECT_EQ(moved->BoundsRect(), Bounds(300, 200, 80, 30));
  EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 10, 200, 30));
}

TEST(ParentLookTest, ChildrenFollowColourAndFontUntilTheyGetTheirOwn) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* label = new TLabel(&form);
  label->SetParent(panel);
  auto* own = new TLabel(&form);
  own->SetParent(panel);
  own->SetColor(clRed);
  panel->SetColor(clYellow);
  form.Font().SetName("Courier New");
  EXPECT_EQ(label->Color(), clYellow);
  EXPECT_TRUE(label->ParentColor());
  EXPECT_EQ(own->Color(), clRed);
  EXPECT_EQ(label->Font().Name(), "Courier New");
  label->Font().SetSize(14);
  EXPECT_FALSE(label->ParentFont());
  form.Font().SetName("Arial");
  EXPECT_EQ(label->Font().Name(), "Courier New");
  EXPECT_EQ(own->Font().Name(), "Arial");
}

}  // namespace
}  // namespace platform::qt
