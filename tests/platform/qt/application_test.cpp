// The application: messages to every form and posted to one, help, beep, clipboard, timers and
// the screen source.
#include <gtest/gtest.h>

#include <chrono>
#include <exception>
#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/edit.h"
#include "platform/qt/form.h"
#include "platform/qt/handler_scope.h"
#include "platform/qt/list_box.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/ticks.h"
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
  const testkit::RealTicks real_ticks;
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

// Whatever part of a control the window system hands an event to, and however else a handler of
// a form is entered, a tick that comes while it runs waits for its end and is made up once then.
TEST(TimerTest, ATickInsideAnyEntryOfAFormIsMadeUpOnceWhenTheLastHandlerEnds) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* list = new TListBox(&form);
  list->SetParent(&form);
  list->SetBounds(0, 0, 120, 100);
  list->Items().Add("80 m");
  list->Items().Add("40 m");
  auto* combo = new TComboBox(&form);
  combo->SetParent(&form);
  combo->SetBounds(150, 0, 120, 21);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetBounds(150, 50, 75, 25);
  TForm dialog(nullptr);
  int ticks = 0;
  int inside = 0;  // ticks that ran inside a handler of the test
  bool in_handler = false;
  std::vector<TTimer*> timers;
  for (TForm* owner : {&form, &dialog}) {
    auto* timer = new TTimer(owner);
    timer->SetInterval(3600 * 1000);  // ticks only when told
    timer->SetWaitsForHandlers(true);
    timer->SetOnTimer([&](TComponent*) {
      ++ticks;
      if (in_handler) ++inside;
    });
    timers.push_back(timer);
  }
  const auto ticking = [&](TTimer* timer) {
    return [&, timer](TComponent*) {
      in_handler = true;
      timer->Elapsed();
      timer->Elapsed();
      in_handler = false;
    };
  };
  form.Show();
  testkit::ModalDriver driver;
  struct Row {
    const char* name;
    std::function<void()> enter;
    int made_up = 1;
  };
  const Row rows[] = {
      {"list double click",
       [&] {
         list->OnDblClick = ticking(timers[0]);
         testkit::DoubleClick(*list, 10, 25);
       }},
      {"list press",
       [&] {
         list->OnMouseDown = [&](TComponent* c, TMouseButton, TShiftState, int, int) {
           ticking(timers[0])(c);
         };
         testkit::MouseDown(*list, 10, 5);
         testkit::MouseUp(*list, 10, 5);
         list->OnMouseDown = nullptr;
       }},
      {"typing into the combo box's field",
       [&] {
         combo->OnChange = ticking(timers[0]);
         combo->SetFocus();
         testkit::PressKeyOnFocus('X');
       }},
      {"a call queued by a handler",
       [&] {
         button->OnClick = [&](TComponent*) {
           Application().Queue([&] { ticking(timers[0])(nullptr); });
         };
         button->Click();
         Application().ProcessMessages();
       }},
      {"a modal form's OnShow",
       [&] {
         dialog.OnShow = ticking(timers[1]);
         driver.ThenReturn(mrOk);
         dialog.ShowModal();
         dialog.OnShow = nullptr;
       }},
      {"a modal form's close query",
       [&] {
         dialog.OnCloseQuery = [&](TComponent* c, bool&) { ticking(timers[1])(c); };
         driver.ThenReturn(mrOk);
         dialog.ShowModal();
       },
       0},  // a form on its way out makes up nothing
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const int before = ticks;
    row.enter();
    EXPECT_EQ(inside, 0);
    EXPECT_EQ(ticks, before + row.made_up);
    EXPECT_EQ(form.HandlersRunning() + dialog.HandlersRunning(), 0);
  }
  // Outside any handler a tick runs at once; one owed by a timer disabled meanwhile is dropped.
  timers[0]->Elapsed();
  EXPECT_EQ(ticks, 6);
  {
    const HandlerScope handler(&form);
    timers[0]->Elapsed();
    timers[0]->SetEnabled(false);
  }
  EXPECT_EQ(ticks, 6);
  // A tick made up that throws leaves the handler's end as the handler's own exception would,
  // and the next tick owed is made up again.
  timers[0]->SetEnabled(true);
  timers[0]->SetOnTimer([&](TComponent*) {
    if (++ticks == 7) throw std::runtime_error("tick");
  });
  const auto owe_one = [&] {
    const HandlerScope handler(&form);
    timers[0]->Elapsed();
  };
  EXPECT_THROW(owe_one(), std::runtime_error);
  EXPECT_EQ(ticks, 7);
  owe_one();
  EXPECT_EQ(ticks, 8);
  // A tick owed by a handler that throws waits until the exception has passed: the next
  // handler's end makes it up.
  int unwinding = 0;
  timers[0]->SetOnTimer([&](TComponent*) {
    ++ticks;
    unwinding += std::uncaught_exceptions();
  });
  try {
    const HandlerScope handler(&form);
    timers[0]->Elapsed();
    throw std::runtime_error("handler");
  } catch (const std::runtime_error&) {
    EXPECT_EQ(ticks, 8);
  }
  { const HandlerScope next(&form); }
  EXPECT_EQ(ticks, 9);
  EXPECT_EQ(unwinding, 0);
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
