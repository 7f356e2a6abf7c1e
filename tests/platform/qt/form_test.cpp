// Forms: modal results, close query and close actions, default and cancel buttons, keys through
// KeyPreview and the handlers, and OnEnter/OnExit.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/edit.h"
#include "platform/qt/form.h"
#include "platform/qt/keys.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/window_frame.h"

namespace platform::qt {
namespace {

using testkit::ModalDriver;
using testkit::PressKey;

// A dialog with an edit, an OK button (default, result 1) and a cancel button (result 2).
struct Dialog {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TEdit* edit = new TEdit(form.get());
  TButton* ok = new TButton(form.get());
  TButton* cancel = new TButton(form.get());
  int ok_clicks = 0;
  Dialog() {
    form->SetName("Dialog");
    edit->SetParent(form.get());
    ok->SetParent(form.get());
    ok->SetBounds(10, 40, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    ok->OnClick = [this](TComponent*) { ++ok_clicks; };
    cancel->SetParent(form.get());
    cancel->SetBounds(100, 40, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
  }
};

TEST(ModalTest, ResultsFromButtonsKeysAndClose) {
  struct Row {
    const char* name;
    std::function<void(Dialog&)> answer;
    TModalResult expected;
    int ok_clicks;
  };
  const Row rows[] = {
      {"ModalResultSix", [](Dialog& d) { d.form->SetModalResult(6); }, 6, 0},
      {"EnterClicksTheDefault", [](Dialog& d) { PressKey(*d.edit, VK_RETURN); }, mrOk, 1},
      {"EscClicksTheCancel", [](Dialog& d) { PressKey(*d.edit, VK_ESCAPE); }, mrCancel, 0},
      {"CloseGivesTwo", [](Dialog& d) { d.form->Close(); }, mrCancel, 0},
      {"EnterOnAFocusedButtonClicksThatOne",
       [](Dialog& d) {
         d.cancel->SetFocus();
         PressKey(*d.cancel, VK_RETURN);
       },
       mrCancel, 0},
      {"ButtonClickSetsItsResult", [](Dialog& d) { testkit::Click(*d.ok, 5, 5); }, mrOk, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Dialog d;
    ModalDriver driver;
    driver.Then([&](TForm&) { row.answer(d); });
    EXPECT_EQ(d.form->ShowModal(), row.expected);
    EXPECT_EQ(d.ok_clicks, row.ok_clicks);
    EXPECT_FALSE(d.form->Visible());
    EXPECT_EQ(driver.Seen(), std::vector<std::string>{"Dialog"});
  }
}

TEST(ModalTest, CloseQueryFalseKeepsTheFormAndCloseActionNoneToo) {
  Dialog d;
  int queries = 0;
  d.form->OnCloseQuery = [&](TComponent*, bool& can_close) { can_close = ++queries > 1; };
  int closes = 0;
  d.form->OnClose = [&](TComponent*, TCloseAction& action) {
    if (++closes == 1) action = TCloseAction::caNone;
  };
  ModalDriver driver;
  driver.Then([&](TForm& f) {
    f.SetModalResult(mrOk);  // refused by the query
    Application().Queue([&] {
      EXPECT_TRUE(f.Visible());
      EXPECT_EQ(f.ModalResult(), mrNone);
      f.SetModalResult(mrYes);  // refused by the close action
      Application().Queue([&] { f.SetModalResult(mrNo); });
    });
  });
  EXPECT_EQ(d.form->ShowModal(), mrNo);
  EXPECT_EQ(queries, 3);
  EXPECT_EQ(closes, 2);
}

TEST(ModalTest, CloseActionFreeFreesTheFormAfterwardsAndNothingReachesItAgain) {
  auto* form = new TForm(nullptr);
  const auto alive = form->AliveToken();
  form->OnClose = [](TComponent*, TCloseAction& action) { action = TCloseAction::caFree; };
  ModalDriver driver;
  driver.ThenReturn(mrOk);
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_TRUE(std::find(Application().Forms().begin(), Application().Forms().end(), form) ==
              Application().Forms().end());
  Application().SendToAllForms({WM_USER, 0, 0});  // must not reach it
  Application().ProcessMessages();
  EXPECT_TRUE(alive.expired());
}

TEST(ModalTest, UnansweredModalFormEndsAsCancelled) {
  TForm form(nullptr);
  ModalDriver driver;
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(driver.Unanswered(), 1);
}

TEST(ModelessTest, CloseHidesFreesOrStays) {
  for (auto action : {TCloseAction::caHide, TCloseAction::caFree, TCloseAction::caNone}) {
    auto* form = new TForm(nullptr);
    const auto alive = form->AliveToken();
    form->OnClose = [action](TComponent*, TCloseAction& a) { a = action; };
    form->Show();
    form->Close();
    Application().ProcessMessages();
    EXPECT_EQ(alive.expired(), action == TCloseAction::caFree);
    if (!alive.expired()) {
      EXPECT_EQ(form->Visible(), action == TCloseAction::caNone);
      delete form;
    }
  }
  EXPECT_FALSE(Application().Terminated());
}

TEST(ModelessTest, AMinimumClientSizeHoldsAgainstCodeAndTheWindowSystem) {
  TForm form(nullptr);
  form.SetClientSize(800, 600);
  form.SetMinClientSize(640, 480);
  EXPECT_EQ(form.ClientWidth(), 800);  // a larger window keeps its size
  form.SetClientSize(300, 500);
  EXPECT_EQ(form.ClientWidth(), 640);
  EXPECT_EQ(form.ClientHeight(), 500);
  form.Show();
  form.SetBounds(form.Left(), form.Top(), 100, 100);
  EXPECT_EQ(form.ClientWidth(), 640);
  EXPECT_EQ(form.ClientHeight(), 480);
  form.WindowResized(320, 240);  // the user drags it smaller
  EXPECT_EQ(form.ClientWidth(), 640);
  EXPECT_EQ(form.ClientHeight(), 480);
  form.SetMinClientSize(700, 0);  // a larger minimum enlarges it
  EXPECT_EQ(form.ClientWidth(), 700);
  EXPECT_EQ(form.ClientHeight(), 480);
  form.SetClientSize(650, 300);
  EXPECT_EQ(form.ClientWidth(), 700);
  EXPECT_EQ(form.ClientHeight(), 300);
}

// Left and Top are the place of the frame: under a window manager the title bar lies there, on
// the screen, also for a window shown for the first time at (0,0), whose frame is not known
// before it shows; and for a window moved while it shows, by the program or by the operator.
// The client area keeps its size all the while, in the program's count as on the screen.
TEST(ModelessTest, AFormIsPlacedByItsFrame) {
  const auto frame_place = [](TForm& form) {
    const TRect frame = testkit::ShownFrame(form);
    return std::pair{frame.Left, frame.Top};
  };
  const auto client_size = [](TForm& form) {
    const TRect shown = testkit::ShownClientArea(form);
    EXPECT_EQ(std::pair(form.ClientWidth(), form.ClientHeight()),
              std::pair(shown.Width(), shown.Height()));
    return std::pair(shown.Width(), shown.Height());
  };
  for (const auto& [left, top] : {std::pair{0, 0}, std::pair{40, 30}}) {
    SCOPED_TRACE(left);
    TForm form(nullptr);
    form.SetBounds(left, top, 320, 240);
    form.SetClientSize(320, 240);
    form.Show();
    EXPECT_EQ(frame_place(form), std::pair(left, top));
    EXPECT_EQ(client_size(form), std::pair(320, 240));
    if (testkit::UnderWindowManager()) {
      EXPECT_GT(form.Height(), form.ClientHeight()) << "a frame";
    }
    form.SetBounds(left + 50, top + 20, form.Width(), form.Height());
    EXPECT_EQ(frame_place(form), std::pair(left + 50, top + 20));
    EXPECT_EQ(client_size(form), std::pair(320, 240));
    testkit::MoveAsTheOperator(form, left + 120, top + 60);
    EXPECT_EQ(std::pair(form.Left(), form.Top()), std::pair(left + 120, top + 60))
        << "the place the program would remember";
    EXPECT_EQ(frame_place(form), std::pair(left + 120, top + 60));
    EXPECT_EQ(client_size(form), std::pair(320, 240));
  }
}

TEST(KeyTest, KeyPressMayTurnZeroIntoTheSlashedZero) {
  Dialog d;
  d.edit->OnKeyPress = [](TComponent*, char& key) {
    if (key == '0') key = static_cast<char>(216);
  };
  d.form->Show();
  testkit::TypeText(*d.edit, "DL0AB");
  EXPECT_EQ(d.edit->Text(),
            "DL\xD8"
            "AB");
}

TEST(KeyTest, KeyPreviewSeesKeysFirstAndHandlersMaySwallowOrChangeThem) {
  Dialog d;
  std::vector<std::string> seen;
  d.form->SetKeyPreview(true);
  d.form->OnKeyDown = [&](TComponent*, std::uint16_t& key, TShiftState shift) {
    seen.push_back("form down " + std::to_string(key) + "/" + std::to_string(shift));
    if (key == VK_F5) key = 0;
  };
  d.form->OnKeyPress = [&](TComponent*, char& key) {
    seen.push_back(std::string("form press ") + key);
    if (key == 'x') key = 0;
  };
  d.edit->OnKeyDown = [&](TComponent*, std::uint16_t& key, TShiftState) {
    seen.push_back("edit down " + std::to_string(key));
  };
  d.edit->OnKeyPress = [&](TComponent*, char& key) {
    seen.push_back(std::string("edit press ") + key);
    if (key == 'b') key = 'c';
  };
  d.form->Show();
  PressKey(*d.edit, VK_F5);
  PressKey(*d.edit, VK_F2);  // left unused by the edit: it does not go on to the form
  PressKey(*d.edit, 'A', ssShift);
  testkit::TypeText(*d.edit, "xb");
  EXPECT_EQ(d.edit->Text(), "Ac");
  EXPECT_EQ(seen,
            (std::vector<std::string>{
                "form down 116/0", "form down 113/0", "edit down 113", "form down 65/1",
                "edit down 65", "form press A", "edit press A", "form down 88/0", "edit down 88",
                "form press x", "form down 66/0", "edit down 66", "form press b", "edit press b"}));
}

TEST(KeyTest, EnterWithoutDefaultButtonReachesTheHandlersAndTabMovesInTabOrder) {
  TForm form(nullptr);
  auto* first = new TEdit(&form);
  first->SetParent(&form);
  auto* second = new TEdit(&form);
  second->SetParent(&form);
  second->SetTop(30);
  second->SetTabOrder(0);
  char pressed = 0;
  first->OnKeyPress = [&](TComponent*, char& key) { pressed = key; };
  form.Show();
  EXPECT_EQ(form.ActiveControl(), second);
  PressKey(*second, VK_TAB);
  EXPECT_EQ(form.ActiveControl(), first);
  PressKey(*first, VK_RETURN);
  EXPECT_EQ(pressed, '\r');
  PressKey(*first, VK_TAB);
  EXPECT_EQ(form.ActiveControl(), second);
}

TEST(FocusTest, EnterAndExitOnlyForMovesInsideTheWindow) {
  Dialog d;
  auto* other = new TEdit(d.form.get());
  other->SetParent(d.form.get());
  other->SetTop(80);
  std::vector<std::string> log;
  TForm popup(nullptr);
  bool ask = true;
  d.edit->OnExit = [&](TComponent*) {
    log.push_back("exit edit");
    if (!ask) return;
    ask = false;
    ModalDriver driver;
    driver.ThenReturn(mrOk);
    popup.ShowModal();  // a modal form opened while the focus moves on
  };
  d.edit->OnEnter = [&](TComponent*) { log.push_back("enter edit"); };
  other->OnEnter = [&](TComponent*) { log.push_back("enter other"); };
  other->OnExit = [&](TComponent*) { log.push_back("exit other"); };
  d.form->Show();
  EXPECT_EQ(log, std::vector<std::string>{"enter edit"});
  other->SetFocus();
  Application().ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"enter edit", "exit edit", "enter other"}));
  EXPECT_EQ(d.form->ActiveControl(), other);
}

TEST(FocusTest, AFocusMoveMadeByAnEnterHandlerStands) {
  Dialog d;
  auto* other = new TEdit(d.form.get());
  other->SetParent(d.form.get());
  other->SetTop(80);
  std::vector<std::string> log;
  d.edit->OnEnter = [&](TComponent*) { log.push_back("enter edit"); };
  other->OnEnter = [&](TComponent*) {
    log.push_back("enter other");
    d.edit->SetFocus();  // refused: back where it came from
  };
  ModalDriver driver;  // an active window: Qt tells the focus at once
  driver.Then([&](TForm& form) {
    form.SetFocus();
    const bool active = testkit::WaitUntilActive(form);
    EXPECT_TRUE(active);
    log.clear();
    if (active) {
      other->SetFocus();
      Application().ProcessMessages();
      EXPECT_EQ(log, (std::vector<std::string>{"enter other", "enter edit"}));
      EXPECT_EQ(form.ActiveControl(), d.edit);
    }
    form.SetModalResult(mrOk);  // also when it failed: the loop must end
  });
  d.form->ShowModal();
}

// A field reached from the keyboard or by the program's own focus move selects its whole text, so
// that what is typed replaces a prefilled value; a click places the caret where it falls. A
// caret an OnEnter handler puts stands, and so does the caret a field gets back with the focus.
TEST(FocusTest, AFieldEnteredOtherThanByAClickSelectsItsText) {
  struct Row {
    const char* name;
    std::function<void(TEdit& before, TEdit& field, TEdit& after)> reach;
    const char* typed;
    const char* reads;
  };
  const Row rows[] = {
      {"Tab", [](TEdit& before, TEdit&, TEdit&) { PressKey(before, VK_TAB); }, "H01", "H01"},
      {"ShiftTab", [](TEdit&, TEdit&, TEdit& after) { PressKey(after, VK_TAB, ssShift); }, "H01",
       "H01"},
      {"EnterJump", [](TEdit& before, TEdit&, TEdit&) { PressKey(before, VK_RETURN); }, "H01",
       "H01"},
      {"ProgramsMove", [](TEdit&, TEdit& field, TEdit&) { field.SetFocus(); }, "H01", "H01"},
      {"ClickAtTheEnd",
       [](TEdit&, TEdit& field, TEdit&) { testkit::Click(field, field.Width() - 4, 5); }, "7",
       "H017"},
      {"CaretPutOnEnter",
       [](TEdit& before, TEdit& field, TEdit&) {
         field.OnEnter = [&field](TComponent*) { field.SetSelStart(1); };
         PressKey(before, VK_TAB);
       },
       "7", "H701"},
      {"FocusReturned",
       [](TEdit&, TEdit& field, TEdit& after) {
         field.SetFocus();
         field.SetSelStart(1);
         after.SetFocus();
         field.ReturnFocus();  // the caret where it was left
       },
       "7", "H701"},
      {"ClicksBeside",  // on the form, a panel and a label on it
       [](TEdit&, TEdit& field, TEdit&) {
         field.SetFocus();
         field.SetSelStart(1);
         auto* panel = new TPanel(field.Owner());
         panel->SetParent(field.Parent());
         panel->SetLeft(150);
         auto* label = new TLabel(field.Owner());
         label->SetParent(panel);
         label->SetCaption("Mode");
         testkit::Click(*field.Parent(), 140, 100);
         testkit::Click(*panel, 100, 30);
         testkit::Click(*label, 2, 2);
       },
       "7", "H701"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TForm form(nullptr);
    form.SetClientSize(300, 120);
    TEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
      edits[i] = new TEdit(&form);
      edits[i]->SetParent(&form);
      edits[i]->SetBounds(10, 10 + 30 * i, 120, 21);
    }
    TEdit& before = *edits[0];
    TEdit& field = *edits[1];
    TEdit& after = *edits[2];
    field.SetText("H01");
    // Enter moves on as the program's fields do.
    before.OnKeyDown = [&field](TComponent*, std::uint16_t& key, TShiftState) {
      if (key == VK_RETURN) field.SetFocus();
    };
    ModalDriver driver;  // an active window, as the operator's
    driver.Then([&](TForm& shown) {
      shown.SetFocus();
      EXPECT_TRUE(testkit::WaitUntilActive(shown));
      (row.name == std::string("ShiftTab") ? after : before).SetFocus();
      row.reach(before, field, after);
      EXPECT_EQ(shown.ActiveControl(), &field);
      testkit::TypeText(field, row.typed);
      EXPECT_EQ(field.Text(), row.reads);
      shown.SetModalResult(mrOk);
    });
    form.ShowModal();
  }
}

}  // namespace
}  // namespace platform::qt
