// The application: messages to every form and posted to one, help, beep, clipboard, timers and
// the screen source.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/edit.h"
#include "platform/qt/form.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/timer.h"

namespace platform::qt {
namespace {

struct ListeningForm : TForm {
  ListeningForm() : TForm(nullptr) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_USER + 1) received.push_back(m);
    TForm::WndProc(m);
  }
  std::vector<TMessage> received;
};

TEST(MessageTest, SentToEveryOpenFormAndPostedAfterTheSenderReturns) {
  ListeningForm a, b, c;
  c.Show();
  Application().SendToAllForms({WM_USER + 1, 7, -3, 0, "Text"});
  for (ListeningForm* f : {&a, &b, &c}) {
    ASSERT_EQ(f->received.size(), 1u);
    EXPECT_EQ(f->received[0].WParam, 7u);
    EXPECT_EQ(f->received[0].LParam, -3);
    EXPECT_EQ(f->received[0].Text, "Text");
  }
  Application().PostMessage(&b, {WM_USER + 1, 8, 0});
  EXPECT_EQ(b.received.size(), 1u);  // not yet
  auto* gone = new ListeningForm;
  Application().PostMessage(gone, {WM_USER + 1, 9, 0});
  delete gone;  // its message is dropped
  Application().ProcessMessages();
  ASSERT_EQ(b.received.size(), 2u);
  EXPECT_EQ(b.received[1].WParam, 8u);
  EXPECT_EQ(a.received.size(), 1u);
}

TEST(MessageTest, AFormFreedByAnEarlierHandlerIsSkipped) {
  auto* first = new ListeningForm;
  auto* second = new ListeningForm;
  const auto second_alive = second->AliveToken();
  first->OnMessage = [&](TComponent*, TMessage&) { delete second; };
  Application().SendToAllForms({WM_USER + 1, 0, 0});
  EXPECT_TRUE(second_alive.expired());
  EXPECT_EQ(first->received.size(), 1u);
  delete first;
}

TEST(ApplicationTest, HelpBeepAndClipboardGoThroughTheirHooks) {
  EXPECT_FALSE(Application().HelpContext(5));
  std::vector<std::pair<int, std::intptr_t>> help;
  Application().OnHelp = [&](int command, std::intptr_t data) {
    help.emplace_back(command, data);
    return true;
  };
  EXPECT_TRUE(Application().HelpCommand(HELP_CONTEXT, 0));
  EXPECT_TRUE(Application().HelpContext(77));
  EXPECT_EQ(help, (std::vector<std::pair<int, std::intptr_t>>{{1, 0}, {1, 77}}));
  Application().OnHelp = nullptr;
  int beeps = 0;
  Application().OnBeep = [&] { ++beeps; };
  Application().Beep();
  EXPECT_EQ(beeps, 1);
  Application().OnBeep = nullptr;
  Application().SetClipboardText("Grüße \x80");
  EXPECT_EQ(Application().ClipboardText(), "Grüße \x80");
}

TEST(TimerTest, FiresWhileEnabledAndAssignedAndNeverAfterItIsFreed) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* timer = new TTimer(owner.get());
  timer->SetInterval(5);
  int ticks = 0;
  timer->SetOnTimer([&](TComponent* sender) {
    EXPECT_EQ(sender, timer);
    if (++ticks == 3) timer->SetEnabled(false);
  });
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (ticks < 3 && std::chrono::steady_clock::now() < until) Application().ProcessMessages();
  EXPECT_EQ(ticks, 3);
  timer->SetEnabled(true);
  owner.reset();  // frees the timer
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  Application().ProcessMessages();
  EXPECT_EQ(ticks, 3);
}

// A timer that waits for handlers skips a tick while any handler of its form runs, however it
// was entered: a key of the window system, a click, its own tick; a freed form is left alone.
TEST(TimerTest, AWaitingTimerSkipsTicksWhileAHandlerOfItsFormRuns) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  auto* timer = new TTimer(&form);
  timer->SetEnabled(false);
  timer->SetWaitsForHandlers(true);
  int ticks = 0;
  bool tick_inside = false;
  timer->SetOnTimer([&](TComponent*) {
    ++ticks;
    if (std::exchange(tick_inside, false)) timer->Elapsed();
  });
  form.Show();
  timer->Elapsed();
  EXPECT_EQ(ticks, 1);
  edit->OnKeyDown = [&](TComponent*, std::uint16_t&, TShiftState) { timer->Elapsed(); };
  edit->SetFocus();
  testkit::PressKey(*edit, 'A');
  EXPECT_EQ(ticks, 1);
  button->OnClick = [&](TComponent*) { timer->Elapsed(); };
  button->Click();
  EXPECT_EQ(ticks, 1);
  tick_inside = true;
  timer->Elapsed();
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(form.HandlersRunning(), 0);
  timer->SetWaitsForHandlers(false);
  button->Click();
  EXPECT_EQ(ticks, 3);

  auto* freed = new TForm(nullptr);
  auto* closer = new TButton(freed);
  closer->SetParent(freed);
  closer->OnClick = [&](TComponent*) { delete freed; };
  closer->Click();
}

TEST(ScreenSourceTest, ProgramAnswersLogicalSizeAt96DpiWithoutAwarenessAndTestsInject) {
  ScreenSource& system = Application().Screen();
  EXPECT_GT(system.ScreenWidth(), 0);
  EXPECT_EQ(system.PixelsPerInch(), 96);
  EXPECT_EQ(system.AwarenessLevel(2), -1);
  Application().SetScreenSource(std::make_unique<FixedScreenSource>(1280, 768, 120, 0));
  EXPECT_EQ(Application().Screen().ScreenHeight(), 768);
  EXPECT_EQ(Application().Screen().PixelsPerInch(), 120);
  EXPECT_EQ(Application().Screen().AwarenessLevel(2), 2);
  TForm form(nullptr);
  form.SetBounds(0, 0, 280, 168);
  form.SetPosition(TPosition::poScreenCenter);
  form.Show();
  EXPECT_EQ(form.Left(), 500);
  EXPECT_EQ(form.Top(), 300);
  Application().SetScreenSource(MakeSystemScreenSource());
}

}  // namespace
}  // namespace platform::qt
