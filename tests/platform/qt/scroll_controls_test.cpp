// Scrolling: the scroll bar's codes for each user action, the up-down's steps within its
// limits, and the scroll box that moves its children.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/edit.h"
#include "platform/qt/form.h"
#include "platform/qt/keys.h"
#include "platform/qt/panel.h"
#include "platform/qt/scroll_bar.h"
#include "platform/qt/scroll_box.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/ticks.h"
#include "platform/qt/up_down.h"
#include "tests/platform/qt/form_fixture.h"

namespace platform::qt {
namespace {

using testkit::PressKey;

class ScrollTest : public testing::FormFixture {
 protected:
  ScrollTest() : FormFixture(400, 300) {}
};

std::string Name(TScrollCode code) {
  static const char* const kNames[] = {"LineUp", "LineDown", "PageUp", "PageDown", "Position",
                                       "Track",  "Top",      "Bottom", "EndScroll"};
  return kNames[static_cast<int>(code)];
}

TEST_F(ScrollTest, EachUserActionOnAScrollBarGivesItsCodeAndPosition) {
  auto* bar = Add<TScrollBar>(10, 10, 240, 17);
  bar->SetParams(0, 0, 100);
  bar->SetLargeChange(10);
  std::vector<std::string> codes;
  bar->OnScroll = [&](TComponent*, TScrollCode code, int& position) {
    codes.push_back(Name(code) + " " + std::to_string(position));
  };
  int changes = 0;
  bar->OnChange = [&](TComponent*) { ++changes; };
  form.Show();
  bar->SetFocus();
  struct Row {
    const char* name;
    std::function<void()> act;
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      {"RightArrow", [&] { testkit::Click(*bar, 235, 8); }, {"LineDown 1", "EndScroll 1"}},
      {"Trough", [&] { testkit::Click(*bar, 200, 8); }, {"PageDown 11", "EndScroll 11"}},
      {"LeftKey", [&] { PressKey(*bar, VK_LEFT); }, {"LineUp 10", "EndScroll 10"}},
      {"PageUpKey", [&] { PressKey(*bar, VK_PRIOR); }, {"PageUp 0", "EndScroll 0"}},
      {"End", [&] { PressKey(*bar, VK_END); }, {"Bottom 100", "EndScroll 100"}},
      {"Home", [&] { PressKey(*bar, VK_HOME); }, {"Top 0", "EndScroll 0"}},
  };
  for (const Row& row : rows) {
    codes.clear();
    row.act();
    EXPECT_EQ(codes, row.expected) << row.name;
  }
  // Dragging the thumb (at the left end): moves track, the release gives the position.
  codes.clear();
  testkit::MouseDown(*bar, 24, 8);
  testkit::MouseMove(*bar, 110, 8, ssLeft);
  testkit::MouseUp(*bar, 110, 8);
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes.front().substr(0, 5), "Track");
  const std::string at = std::to_string(bar->Position());
  EXPECT_GT(bar->Position(), 20);
  EXPECT_EQ(codes[codes.size() - 2], "Position " + at);
  EXPECT_EQ(codes.back(), "EndScroll " + at);
  EXPECT_GE(changes, 6);
  // The handler may change where the bar goes.
  bar->OnScroll = [](TComponent*, TScrollCode code, int& position) {
    if (code == TScrollCode::scLineDown) position = 75;
  };
  testkit::Click(*bar, 235, 8);
  EXPECT_EQ(bar->Position(), 75);
  bar->SetPageSize(20);  // the highest position leaves a page
  PressKey(*bar, VK_END);
  EXPECT_EQ(bar->Position(), 81);
}

TEST_F(ScrollTest, UpDownStepsWithinItsLimitsAndTellsTheArrow) {
  auto* up_down = Add<TUpDown>(10, 10, 17, 30);
  up_down->SetMin(0);
  up_down->SetMax(3);
  up_down->SetPosition(2);
  std::vector<std::string> clicks;
  up_down->OnClick = [&](TComponent*, TUDBtnType b) {
    clicks.push_back((b == TUDBtnType::btNext ? "next " : "prev ") +
                     std::to_string(up_down->Position()));
  };
  form.Show();
  testkit::Click(*up_down, 8, 4);   // the upper arrow
  testkit::Click(*up_down, 8, 4);   // at Max: stays, still tells
  testkit::Click(*up_down, 8, 25);  // the lower arrow
  up_down->SetWrap(true);
  up_down->SetPosition(3);
  testkit::Click(*up_down, 8, 4);  // wraps to Min
  bool allow = false;
  up_down->OnChanging = [&](TComponent*, bool& a) { a = allow; };
  up_down->SetFocus();
  PressKey(*up_down, VK_UP);  // refused: the position stays
  allow = true;
  PressKey(*up_down, VK_DOWN);
  EXPECT_EQ(clicks,
            (std::vector<std::string>{"next 3", "next 3", "prev 2", "next 0", "next 0", "prev 3"}));
  // Held down, the arrow repeats on its own timer.
  const testkit::RealTicks real_ticks;
  clicks.clear();
  up_down->SetMax(100);
  testkit::MouseDown(*up_down, 8, 4);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (clicks.size() < 2 && std::chrono::steady_clock::now() < until) {
    Application().ProcessMessages();
  }
  testkit::MouseUp(*up_down, 8, 4);
  EXPECT_GE(clicks.size(), 2u);
}

TEST_F(ScrollTest, AScrollBoxShowsBarsForChildrenBeyondItAndMovesThem) {
  auto* box = Add<TScrollBox>(10, 10, 200, 100);
  auto* top = Add<TPanel>(0, 0, 0, 20, box);
  top->SetAlign(TAlign::alTop);
  auto* far = Add<TEdit>(10, 300, 100, 21, box);
  form.Show();
  EXPECT_TRUE(box->VertScrollBar().IsScrollBarVisible());
  EXPECT_FALSE(box->HorzScrollBar().IsScrollBarVisible());
  EXPECT_EQ(box->VertScrollBar().Range(), 321);
  EXPECT_LT(box->ClientWidth(), 200);
  EXPECT_EQ(top->Width(), box->ClientWidth() - 4);  // inside the frame, beside the bar
  box->VertScrollBar().SetPosition(200);
  EXPECT_EQ(far->Top(), 100);
  EXPECT_EQ(top->Top(), 2);                // aligned children stay
  box->VertScrollBar().SetPosition(5000);  // held within the range
  EXPECT_EQ(box->VertScrollBar().Position(), 321 - 98);
  far->SetWidth(400);  // now wider too: both bars
  EXPECT_TRUE(box->HorzScrollBar().IsScrollBarVisible());
  delete far;  // nothing beyond: back to the start, no bars
  EXPECT_FALSE(box->VertScrollBar().IsScrollBarVisible());
  EXPECT_EQ(box->VertScrollBar().Position(), 0);
  EXPECT_EQ(box->ClientWidth(), 200);
}

}  // namespace
}  // namespace platform::qt
