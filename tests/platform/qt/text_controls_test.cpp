// The text and choice controls: accelerators of labels and buttons, check boxes and radio
// buttons, combo and list boxes (events only from the user), memos and rich edits with their
// lines, group boxes, and hints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/check_box.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/edit.h"
#include "platform/qt/form.h"
#include "platform/qt/group_box.h"
#include "platform/qt/keys.h"
#include "platform/qt/label.h"
#include "platform/qt/list_box.h"
#include "platform/qt/memo.h"
#include "platform/qt/panel.h"
#include "platform/qt/rich_edit.h"
#include "platform/qt/testkit/input.h"
#include "tests/common/temp_folder.h"
#include "tests/platform/qt/form_fixture.h"

namespace platform::qt {
namespace {

using testkit::PressKey;

class TextControlsTest : public testing::FormFixture {
 protected:
  TextControlsTest() : FormFixture(400, 300) {}
  std::vector<std::string> log;
};

TEST_F(TextControlsTest, AcceleratorsFocusTheLabelsControlAndClickButtons) {
  auto* first = Add<TEdit>(100, 10, 100, 21);
  auto* label = Add<TLabel>(10, 40, 0, 0);
  auto* target = Add<TEdit>(100, 40, 100, 21);
  auto* yes = Add<TButton>(10, 80, 75, 25);
  label->SetCaption("&Rufzeichen:");
  label->SetFocusControl(target);
  yes->SetCaption("&Ja");
  yes->OnClick = [&](TComponent*) { log.push_back("Ja"); };
  form.Show();
  first->SetFocus();
  PressKey(*first, 'R');  // a plain letter is typed into the edit
  EXPECT_EQ(first->Text(), "r");
  EXPECT_TRUE(first->Focused());
  PressKey(*first, 'R', ssAlt);
  EXPECT_TRUE(target->Focused());
  PressKey(*target, 'J', ssAlt);
  EXPECT_EQ(log, std::vector<std::string>{"Ja"});
  yes->SetFocus();
  PressKey(*yes, 'J');  // a button takes no characters: the letter is an accelerator
  EXPECT_EQ(log.size(), 2u);
  label->SetShowAccelChar(false);
  first->SetFocus();
  PressKey(*first, 'R', ssAlt);
  EXPECT_TRUE(first->Focused());
  label->SetShowAccelChar(true);
  delete target;  // a freed focus control is forgotten
  EXPECT_EQ(label->FocusControl(), nullptr);
  PressKey(*first, 'R', ssAlt);
  EXPECT_TRUE(first->Focused());
}

TEST_F(TextControlsTest, CheckBoxesReportEveryChangeRadioButtonsAreExclusivePerParent) {
  auto* box = Add<TCheckBox>(10, 10, 120, 17);
  box->SetCaption("&Fehler melden");
  box->OnClick = [&](TComponent*) { log.push_back("box " + std::to_string(box->Checked())); };
  auto* left = Add<TPanel>(10, 40, 150, 80);
  auto* right = Add<TPanel>(200, 40, 150, 80);
  TRadioButton* radios[4];
  for (int i = 0; i < 4; ++i) {
    radios[i] = Add<TRadioButton>(5, 5 + 20 * (i % 2), 120, 17, i < 2 ? left : right);
    radios[i]->SetCaption(std::string("&") + static_cast<char>('A' + i) + " Knopf");
    radios[i]->OnClick = [this, i](TComponent*) { log.push_back("radio " + std::to_string(i)); };
  }
  form.Show();
  box->SetChecked(true);
  box->SetChecked(true);  // unchanged: no click
  radios[0]->SetChecked(true);
  radios[2]->SetChecked(true);
  radios[1]->SetChecked(true);
  EXPECT_FALSE(radios[0]->Checked());  // its sibling took over
  EXPECT_TRUE(radios[2]->Checked());   // another parent
  radios[1]->SetChecked(false);        // the program may leave a group empty
  EXPECT_FALSE(radios[1]->Checked());
  PressKey(*box, 'D', ssAlt);  // radio "&D Knopf"
  EXPECT_TRUE(radios[3]->Checked() && radios[3]->Focused());
  box->SetAllowGrayed(true);
  PressKey(*radios[3], 'F', ssAlt);  // unchecked, grey, checked, unchecked
  EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
  PressKey(*box, 'F', ssAlt);
  EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed);
  EXPECT_EQ(log, (std::vector<std::string>{"box 1", "radio 0", "radio 2", "radio 1", "radio 3",
                                           "box 0", "box 0"}));
}

TEST_F(TextControlsTest, ComboBoxesReportOnlyTheUsersTypingAndChoosing) {
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  combo->OnChange = [&](TComponent*) { log.push_back("change " + combo->Text()); };
  combo->OnClick = [&](TComponent*) { log.push_back("click"); };
  for (const char* s : {"Call", "Datum", "Band"}) combo->Items().Add(s);
  EXPECT_EQ(combo->ItemIndex(), -1);  // filling chooses nothing
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(combo->Items().IndexOf("DATUM"), 1);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "Band");
  combo->SetText("Bandplan");  // typed text that is no entry: nothing chosen
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_TRUE(log.empty());
  form.Show();
  combo->SetFocus();
  combo->SetText("");
  testkit::TypeText(*combo, "Da");
  EXPECT_EQ(log, (std::vector<std::string>{"change D", "change Da"}));
  log.clear();
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  combo->SetText("call");  // a list box chooses the entry of that text
  EXPECT_EQ(combo->ItemIndex(), 0);
  PressKey(*combo, VK_DOWN);  // the user moves to the next entry
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "change Datum"}));
  combo->OnSelect = [&](TComponent*) { log.push_back("select"); };
  PressKey(*combo, VK_DOWN);
  EXPECT_EQ(log.back(), "select");  // OnSelect takes OnChange's place
}

TEST_F(TextControlsTest, ListBoxesReportTheUsersMovesAndKeepSelections) {
  auto* list = Add<TListBox>(10, 10, 150, 100);
  list->OnClick = [&](TComponent*) { log.push_back("click " + std::to_string(list->ItemIndex())); };
  list->Items().Assign(std::vector<std::string>{"20m", "40m", "80m"});
  list->SetItemIndex(1);
  list->Items().Insert(0, "10m");
  EXPECT_EQ(list->Items().Get(2), "40m");
  EXPECT_TRUE(log.empty());
  form.Show();
  list->SetFocus();
  PressKey(*list, VK_DOWN);
  EXPECT_EQ(log, std::vector<std::string>{"click 3"});
  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(3, true);
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_TRUE(list->Selected(0) && !list->Selected(1));
  list->Items().Delete(0);
  EXPECT_EQ(list->Items().Count(), 3);
  EXPECT_EQ(list->ItemAtPos({5, list->ItemHeight() + 2}), 1);
  list->Clear();
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(log.size(), 1u);
}

// A drag from one list box to another: press on an entry, move with the button held, release
// over the target (the mouse belongs to the source until the button comes up, so every event
// goes to it, at points of its client area).
TEST_F(TextControlsTest, ListBoxDragsAnEntryOntoTheListBoxUnderTheMouse) {
  auto* source = Add<TListBox>(10, 10, 150, 100);
  auto* target = Add<TListBox>(200, 10, 150, 100);
  auto* other = Add<TEdit>(10, 150, 100, 21);
  (void)other;
  source->Items().Assign(std::vector<std::string>{"CALL", "MODE", "NAME"});
  target->Items().Assign(std::vector<std::string>{"CALL", "QSO_DATE", "MODE"});
  source->SetDragMode(TDragMode::dmAutomatic);
  bool accept = true;
  target->OnDragOver = [&](TComponent* sender, TComponent* from, int, int, TDragState,
                           bool& ok) {
    EXPECT_EQ(sender, target);
    EXPECT_EQ(from, source);
    ok = accept;
  };
  target->OnDragDrop = [&](TComponent*, TComponent*, int x, int y) {
    log.push_back(source->Items().Get(source->ItemIndex()) + " on " +
                  std::to_string(target->ItemAtPos({x, y})));
  };
  source->OnEndDrag = [&](TComponent*, TComponent* to, int, int) {
    log.push_back(to == target ? "ended on target" : "ended on nothing");
  };
  form.Show();
  const int row = source->ItemHeight();
  // From "MODE" (second entry) of the source to the third entry of the target.
  const TPoint onto = source->ScreenToClient(target->ClientToScreen({20, 2 * row + row / 2}));
  const auto drag = [&](int from_row, TPoint to, int steps) {
    testkit::MouseDown(*source, 20, from_row * row + row / 2);
    for (int i = 1; i <= steps; ++i) {
      testkit::MouseMove(*source, 20 + (to.X - 20) * i / steps,
                         from_row * row + row / 2 + (to.Y - from_row * row - row / 2) * i / steps,
                         ssLeft);
    }
    testkit::MouseUp(*source, to.X, to.Y);
  };
  drag(1, onto, 4);
  EXPECT_EQ(log, (std::vector<std::string>{"MODE on 2", "ended on target"}));
  EXPECT_EQ(source->ItemIndex(), 1);

  log.clear();  // diagonally over the source's other entries: the pressed one is dropped
  drag(0, onto, 8);
  EXPECT_EQ(log, (std::vector<std::string>{"CALL on 2", "ended on target"}));
  EXPECT_EQ(source->ItemIndex(), 0);

  log.clear();
  accept = false;  // the target refuses
  drag(0, onto, 4);
  EXPECT_EQ(log, (std::vector<std::string>{"ended on nothing"}));
  accept = true;

  log.clear();  // a drop beside every list box
  drag(2, source->ScreenToClient(other->ClientToScreen({5, 5})), 4);
  EXPECT_EQ(log, (std::vector<std::string>{"ended on nothing"}));

  log.clear();  // a click without moving is no drag
  testkit::Click(*source, 20, row / 2);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(source->ItemIndex(), 0);

  log.clear();  // a box in manual mode does not drag
  source->SetDragMode(TDragMode::dmManual);
  drag(1, onto, 4);
  EXPECT_TRUE(log.empty());
}

TEST_F(TextControlsTest, MemoLinesTextSelectionAndTheEnterKey) {
  auto* memo = Add<TMemo>(10, 10, 200, 100);
  auto* ok = Add<TButton>(10, 150, 75, 25);
  ok->SetDefault(true);
  ok->OnClick = [&](TComponent*) { log.push_back("ok"); };
  int changes = 0;
  memo->OnChange = [&](TComponent*) { ++changes; };
  EXPECT_EQ(memo->Lines().Count(), 0);
  memo->Lines().Add("DL1ABC");
  memo->Lines().Add("DK2XY");
  memo->Lines().Insert(1, "OE3ZZ");
  EXPECT_EQ(memo->Text(), "DL1ABC\r\nOE3ZZ\r\nDK2XY");
  memo->SetText("eins\r\nzwei\r\n");
  EXPECT_EQ(memo->Lines().Count(), 2);  // the empty last line does not count
  memo->Lines().Add("drei");
  memo->Lines().Put(0, "Eins");
  memo->Lines().Delete(1);
  EXPECT_EQ(memo->Lines().Lines(), (std::vector<std::string>{"Eins", "drei"}));
  memo->Lines().Delete(1);
  EXPECT_EQ(memo->Text(), "Eins");
  EXPECT_GT(changes, 5);
  memo->SetText("ab\r\ncd");
  memo->SetSelStart(4);  // after "ab", CR LF
  memo->SetSelLength(2);
  EXPECT_EQ(memo->SelText(), "cd");
  form.Show();
  memo->SetFocus();
  memo->SetSelStart(2);
  PressKey(*memo, VK_RETURN);
  EXPECT_TRUE(log.empty());  // a memo takes Enter itself
  EXPECT_EQ(memo->Lines().Count(), 3);
  memo->SetWantReturns(false);
  PressKey(*memo, VK_RETURN);
  EXPECT_EQ(log, std::vector<std::string>{"ok"});
}

// Empty lines at the end are lines: a file ending in two line breaks keeps its empty last line.
TEST_F(TextControlsTest, EmptyLastLinesAreKeptByEveryChangeOfTheLines) {
  auto* memo = Add<TMemo>(10, 10, 200, 100);
  auto* rich = Add<TRichEdit>(10, 120, 200, 100);
  for (TCustomMemo* view : {static_cast<TCustomMemo*>(memo), static_cast<TCustomMemo*>(rich)}) {
    const std::vector<std::vector<std::string>> assigned = {
        {"A", ""}, {""}, {"", ""}, {"A", "", ""}, {"", "B"}, {}};
    for (const auto& lines : assigned) {
      view->Lines().Assign(lines);
      EXPECT_EQ(view->Lines().Lines(), lines);
    }
    view->Lines().Assign({"A", "B"});
    view->Lines().Put(1, "");
    EXPECT_EQ(view->Lines().Lines(), (std::vector<std::string>{"A", ""}));
    view->Lines().Add("C");
    EXPECT_EQ(view->Lines().Lines(), (std::vector<std::string>{"A", "", "C"}));
    view->Lines().Delete(2);
    EXPECT_EQ(view->Lines().Lines(), (std::vector<std::string>{"A", ""}));
    EXPECT_EQ(view->Text(), "A\r\n\r\n");
  }
  common::testing::TempFolder folder;
  common::testing::WriteFile(folder / "log.txt", "A\r\n\r\n");
  ASSERT_TRUE(rich->LoadFromFile(folder / "log.txt"));
  EXPECT_EQ(rich->Lines().Lines(), (std::vector<std::string>{"A", ""}));
}

TEST_F(TextControlsTest, LinesSplitAtEveryLineEndAndTravelThroughFilesAsCrLf) {
  common::testing::TempFolder folder;
  TStringList lines;
  lines.SetText("a\r\nb\nc\rd\r\n");
  EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"a", "b", "c", "d"}));
  lines.Put(0, "Übung");
  ASSERT_TRUE(lines.SaveToFile("notiz.txt"));
  auto* rich = Add<TRichEdit>(10, 10, 200, 100);
  ASSERT_TRUE(rich->LoadFromFile("notiz.txt"));
  EXPECT_EQ(rich->Lines().Get(0), "Übung");
  EXPECT_EQ(rich->Text(), "Übung\r\nb\r\nc\r\nd");
  EXPECT_FALSE(rich->LoadFromFile("fehlt.txt"));
  EXPECT_EQ(rich->Lines().Count(), 4);
  lines.Insert(-1, "x");
  lines.Delete(9);
  EXPECT_EQ(lines.Get(9), "");
  EXPECT_EQ(lines.Count(), 4);
}

TEST_F(TextControlsTest, GroupBoxesKeepTheirCaptionLineFreeAndSelectTheirFirstChild) {
  auto* group = Add<TGroupBox>(10, 10, 200, 120);
  group->SetCaption("&Station");
  auto* top = Add<TPanel>(0, 0, 0, 20, group);
  top->SetAlign(TAlign::alTop);
  auto* edit = Add<TEdit>(10, 40, 100, 21, group);
  auto* other = Add<TEdit>(250, 10, 100, 21);
  EXPECT_GE(top->Top(), 12);  // below the caption
  EXPECT_EQ(top->Left(), 2);
  EXPECT_EQ(top->Width(), 196);
  form.Show();
  other->SetFocus();
  PressKey(*other, 'S', ssAlt);
  EXPECT_TRUE(edit->Focused());
}

TEST_F(TextControlsTest, HintsShowTheirShortPartWhenShowHintIsSet) {
  auto* label = Add<TLabel>(10, 10, 60, 20);
  auto* edit = Add<TEdit>(100, 10, 100, 21);
  label->SetHint("Rufzeichen|Das Rufzeichen der Gegenstation");
  edit->SetHint("Eingabe");
  form.Show();
  EXPECT_EQ(testkit::HintAt(*label, 5, 5), "");
  form.SetShowHint(true);  // the children follow their parent
  EXPECT_EQ(testkit::HintAt(*label, 5, 5), "Rufzeichen");
  EXPECT_EQ(testkit::HintAt(*edit, 5, 5), "Eingabe");
  label->SetShowHint(false);
  EXPECT_EQ(testkit::HintAt(*label, 5, 5), "");
}

}  // namespace
}  // namespace platform::qt
