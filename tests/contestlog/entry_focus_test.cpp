// Focus moves and label looks in the entry panel, on the log window's form as designed.
#include <gtest/gtest.h>

#include <memory>

#include "contestlog/entry_focus.h"
#include "contestlog/log_window_design.h"
#include "tests/ui/ui_fixture.h"

namespace contestlog {
namespace {

class EntryFocusTest : public ::testing::Test {
 protected:
  // The design shows the fields of a plain contest: call, both reports, exchange field 2
  // received, date and time.
  EntryFocusTest() { form_->Show(); }
  TContestLogDesign& f() { return *form_; }
  platform::qt::TWinControl* Focused() { return f().ActiveControl(); }
  void Next(platform::qt::TWinControl& from) {
    from.SetFocus();
    NextField(from, f(), *f().emode, *f().Panel2, *f().panelEingabe);
  }
  bool Jump(platform::qt::TWinControl& from, bool listener = false) {
    from.SetFocus();
    return EnterJump(from, *f().eDatum, *f().ezeit, *f().eQTH, listener, *f().eRSTr1, *f().eRSTr2,
                     *f().eRSTr3, *f().eRSTr4);
  }

  ui::testing::ScreenScope screen_{768, 96};
  std::unique_ptr<TContestLogDesign> form_ = std::make_unique<TContestLogDesign>(nullptr);
};

TEST_F(EntryFocusTest, NextFieldFollowsTheTabOrderOfTheShownFieldsAndWraps) {
  // The shown fields in tab order: eCall, eRSTs1, eRSTr1, eRSTr2, eDatum, ezeit.
  const std::vector<TkvEdit*> cycle = {f().eCall,  f().eRSTs1, f().eRSTr1,
                                       f().eRSTr2, f().eDatum, f().ezeit};
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    Next(*cycle[i]);
    EXPECT_EQ(Focused(), cycle[(i + 1) % cycle.size()]) << cycle[i]->Name();
  }
  // A disabled field is passed over; one that is no tab stop too.
  f().eRSTr1->SetEnabled(false);
  f().eRSTr2->SetTabStop(false);
  Next(*f().eRSTs1);
  EXPECT_EQ(Focused(), f().eDatum);
}

// Tab orders count within a parent, and the fields are compared by the number alone.
TEST_F(EntryFocusTest, NextFieldFromPanel2GoesToTheFirstFieldFromElsewhereNowhere) {
  f().Panel2->SetVisible(true);
  TkvEdit* compact = nullptr;
  for (int i = 0; i < 3; ++i) {  // the third has tab order 2, which no shown field has
    compact = new TkvEdit(form_.get());
    compact->SetParent(f().Panel2);
  }
  Next(*compact);
  EXPECT_EQ(Focused(), f().eCall);
  // Not an edit on Panel2, and its tab order is no field's: the focus stays.
  f().listband->SetVisible(true);
  Next(*f().listband);
  EXPECT_EQ(Focused(), f().listband);
}

TEST_F(EntryFocusTest, TheModeFieldElsewhereTakesItsTurnByItsTabOrder) {
  // Alone on Panel2 it has tab order 0, as eCall has on the entry panel: it wins the turn.
  f().emode->SetParent(f().Panel2);
  f().Panel2->SetVisible(true);
  f().emode->SetVisible(true);
  Next(*f().ezeit);
  EXPECT_EQ(Focused(), f().emode);
  Next(*f().emode);
  EXPECT_EQ(Focused(), f().eRSTs1);
}

TEST_F(EntryFocusTest, EnterJumpsToTheTimeFromTheLastExchangeFieldAndOnToTheDate) {
  struct Row {
    const char* name;
    TkvEdit* from;
    bool qth_shown;
    bool listener;
    TkvEdit* to;  // null: no jump
  };
  const Row rows[] = {
      {"LastShownExchangeField", f().eRSTr2, false, false, f().ezeit},
      {"NotTheLastOne", f().eRSTr1, false, false, nullptr},
      {"FromTheQthField", f().eQTH, true, false, f().ezeit},
      {"NotFromExchangeWithQth", f().eRSTr2, true, false, nullptr},
      {"ListenerFromTheFirstReport", f().eRSTr1, false, true, f().ezeit},
      {"ListenerNotFromTheLastField", f().eRSTr2, false, true, nullptr},
      {"TimeToDate", f().ezeit, false, false, f().eDatum},
      {"NotFromTheCall", f().eCall, false, false, nullptr},
  };
  for (const Row& row : rows) {
    f().eQTH->SetVisible(row.qth_shown);
    f().eCall->SetFocus();
    EXPECT_EQ(Jump(*row.from, row.listener), row.to != nullptr) << row.name;
    EXPECT_EQ(Focused(), row.to != nullptr ? row.to : row.from) << row.name;
  }
  f().eQTH->SetVisible(false);
  f().eRSTr3->SetVisible(true);
  EXPECT_FALSE(Jump(*f().eRSTr2));  // field 3 follows
  EXPECT_TRUE(Jump(*f().eRSTr3));
  f().eRSTr4->SetVisible(true);
  EXPECT_FALSE(Jump(*f().eRSTr3));
  EXPECT_TRUE(Jump(*f().eRSTr4));
  // A time field that cannot take the focus ends the jump where it started.
  f().ezeit->SetVisible(false);
  EXPECT_FALSE(Jump(*f().eRSTr4));
  EXPECT_EQ(Focused(), f().eRSTr4);
}

TEST_F(EntryFocusTest, APointedLabelTurnsOpaqueAndTheGroupedOnesTransparent) {
  TLabel* pointed = f().leCall;
  pointed->SetTransparent(true);
  f().leDatum->SetTag(200);  // grouped
  f().lezeit->SetTag(100);
  f().leMode->SetTag(99);   // keeps its look
  f().leBand->SetTag(150);  // not a multiple of 100
  for (TLabel* l : {f().leDatum, f().lezeit, f().leMode, f().leBand}) l->SetTransparent(false);
  LabelsTransparent(*pointed, *f().panelEingabe);
  EXPECT_FALSE(pointed->Transparent());
  EXPECT_TRUE(f().leDatum->Transparent());
  EXPECT_TRUE(f().lezeit->Transparent());
  EXPECT_FALSE(f().leMode->Transparent());
  EXPECT_FALSE(f().leBand->Transparent());
  // Tag 98 stays as it is when pointed at.
  f().leNummer->SetTag(98);
  f().leNummer->SetTransparent(true);
  LabelsTransparent(*f().leNummer, *f().panelEingabe);
  EXPECT_TRUE(f().leNummer->Transparent());
}

}  // namespace
}  // namespace contestlog
