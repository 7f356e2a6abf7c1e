// The browser's key table, by modifier and by the control that has the focus.
#include <gtest/gtest.h>

#include <string>

#include "platform/qt/combo_box.h"
#include "platform/qt/edit.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "tests/ui/browser_fixture.h"
#include "ui/kv_edit.h"

namespace ui::testing {
namespace {

using namespace platform::qt;

enum class Where { kGrid, kSearch, kSortCombo, kElsewhere };

struct KeyCase {
  const char* name;
  Where where;
  TShiftState shift;
  std::uint16_t key;
  bool slot_answer;  // what OnProcessPostCommand answers
  bool handled;
  int post_calls;
  bool search_kept;
  const char* current;  // the current record afterwards
};

class BrowserKeysTest : public BrowserTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(BrowserKeysTest, Dispatch) {
  const KeyCase& c = GetParam();
  Fill(40);
  Assign();
  int posts = 0;
  int search_enters = 0;
  Brow().OnProcessPostCommand = [&] {
    ++posts;
    return c.slot_answer;
  };
  Brow().OnBrowSuchfeldEnter = [&] { ++search_enters; };
  Bind();
  auto* elsewhere = new TEdit(form_.get());
  elsewhere->SetParent(form_.get());
  Brow().SearchField()->SetText("DLA");  // the quick search finds DLAA
  ASSERT_EQ(Current(), "DLAA");
  switch (c.where) {
    case Where::kGrid:
      Grid().SetFocus();
      break;
    case Where::kSearch:
      Brow().SearchField()->SetFocus();
      break;
    case Where::kSortCombo:
      Brow().SortCombo()->SetFocus();
      break;
    case Where::kElsewhere:
      elsewhere->SetFocus();
      break;
  }
  EXPECT_EQ(Brow().DoKeyCommand(c.key, c.shift), c.handled);
  EXPECT_EQ(posts, c.post_calls);
  EXPECT_EQ(Brow().SearchField()->Text(), c.search_kept ? "DLA" : "");
  EXPECT_EQ(Current(), c.current);
  EXPECT_EQ(search_enters, c.key == VK_RETURN ? 1 : 0);
  EXPECT_EQ(Brow().CloseQuestion(), c.key == VK_ESCAPE);
}

const KeyCase kKeyCases[] = {
    {"AltA", Where::kGrid, ssAlt, 'A', true, true, 1, false, "DLAA"},
    {"CtrlShiftDown", Where::kGrid, ssCtrl | ssShift, VK_DOWN, false, false, 1, true, "DLAA"},
    {"ShiftLeftNeverHandled", Where::kGrid, ssShift, VK_LEFT, true, false, 1, true, "DLAA"},
    {"PageDownKeptBySortSelector", Where::kSortCombo, 0, VK_NEXT, true, false, 0, true, "DLAA"},
    {"EnterInSearchKeepsText", Where::kSearch, 0, VK_RETURN, true, true, 0, true, "DLAA"},
    {"DownInSearchEmptiesIt", Where::kSearch, 0, VK_DOWN, true, true, 0, false, "DLAB"},
    {"DeleteElsewhereToPostCommand", Where::kElsewhere, 0, VK_DELETE, true, true, 1, true, "DLAA"},
    {"EscOnGridAsksBeforeClosing", Where::kGrid, 0, VK_ESCAPE, false, true, 1, false, "DLAA"},
    {"CtrlEndLastRecord", Where::kGrid, ssCtrl, VK_END, false, true, 0, false, "DLBN"},
    {"ShiftPageDownExtends", Where::kGrid, ssShift, VK_NEXT, false, true, 0, false, "DLAQ"},
};

INSTANTIATE_TEST_SUITE_P(Keys, BrowserKeysTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The real road: typed letters stay in the search field and search; Down goes to the browser.
TEST_F(BrowserTest, TheSearchFieldKeepsWhatItTypesAndHandsOnTheRest) {
  Fill(40);
  Assign();
  Bind();
  TkvEdit& field = *Brow().SearchField();
  field.SetFocus();
  platform::qt::testkit::TypeText(field, "dlb");
  EXPECT_EQ(field.Text(), "dlb");
  EXPECT_EQ(Current(), "DLBA");
  platform::qt::testkit::PressKey(field, VK_DOWN);
  EXPECT_EQ(Current(), "DLBB");
  EXPECT_EQ(field.Text(), "");
}

}  // namespace
}  // namespace ui::testing
