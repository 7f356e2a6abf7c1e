// The data list framework on a table of its own kind: closing with Escape, taking a row over in
// select mode (and not in browse mode), the grid's own delete refused, the standard functions
// between the buttons off and on, the hint under the buttons, the help key and the close request
// of a busy extra function.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/daten_liste_ctrl.h"
#include "app/daten_liste_form.h"
#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "tests/app/prefix_list_fixture.h"
#include "ui/kv_edit.h"

namespace app {
namespace {

using app_test::Entry;
using platform::qt::testkit::DoubleClick;
using platform::qt::testkit::PressKey;

// Rows "prefix;country" by prefix.
class PlainBrowCtrl : public ui::TDatenBrowCtrl {
 public:
  PlainBrowCtrl(ui::TkvBrow* grid, logbook::TdbPrefix* table, ui::TkvForm* window)
      : TDatenBrowCtrl(grid, 0, table, window, 1), table_(table) {
    grid->Init(0, table, logbook::kKeyPrefix, 0, 0, {}, {}, window, 1, 0);
  }
  void BuildRow(ui::RowRec& row) override {
    logbook::TPrefixRec r;
    std::memcpy(&r, table_->RecordBuffer(), sizeof r);
    row.text = r.prefix.str() + ";" + r.country.str();
  }
  void SetHeaderFooter() override { Browser()->SetHeaderFooter("Prefix;Land", "", {}, {}, ""); }

 private:
  logbook::TdbPrefix* table_;
};

// Data functions that only count what reaches them.
class CountingFkt : public TDatenFkt {
 public:
  int OpenFiles() override { return ++opened; }
  void CloseFiles() override { ++closed; }
  bool DeleteSelection(const platform::qt::TStrings& refs) override {
    deletions += refs.Count();
    return false;
  }
  int opened = 0;
  int closed = 0;
  int deletions = 0;
};

class PlainListCtrl : public TDatenListeCtrl {
 public:
  PlainListCtrl(CountingFkt& fkt, bool select_mode)
      : TDatenListeCtrl(std::make_unique<logbook::TdbPrefix>(logbook::kPrefixMain), fkt, nullptr,
                        select_mode) {
    Caption = "Liste";
    HelpContext = 4711;
  }
  void CreateBrowCtrl() override {
    SetBrowCtrl(std::make_unique<PlainBrowCtrl>(
        Window()->Brow, static_cast<logbook::TdbPrefix*>(&Table()), Window()));
  }
  // The buttons' state while "Neu" runs.
  bool NewRecord() override {
    buttons_off_during_new = Window()->btnSucheho4->kvDeaktiviert() &&
                             Window()->btnabbruchho4->kvDeaktiviert();
    return TDatenListeCtrl::NewRecord();
  }
  // A long extra function that stops when told to; the user may close the window meanwhile.
  int Zusatzfunktion1() override {
    Busy = true;
    bool abort = false;
    Progress(0, 0, 3, abort);
    aborts.push_back(abort);
    bar_shown = Window()->ProgressBar->Visible();
    if (close_midway) Window()->Close();
    Progress(1, 1, 3, abort);
    aborts.push_back(abort);
    bar_position = Window()->ProgressBar->Position();
    Progress(2, 3, 3, abort);
    Busy = false;
    return 1;
  }
  bool close_midway = false;
  bool bar_shown = false;
  int bar_position = 0;
  bool buttons_off_during_new = false;
  std::vector<bool> aborts;
};

class DatenListeTest : public app_test::PrefixListTest {
 protected:
  void SetUp() override {
    PrefixListTest::SetUp();
    refs_ = AddEntries({Entry{{"DL", "DL", "", "Germany"}}, Entry{{"F", "F", "", "France"}},
                        Entry{{"I", "I", "", "Italy"}}});
  }
  // The grid row showing `prefix` (its first column).
  static int RowOf(ui::TkvBrow& brow, const std::string& prefix) {
    ui::TkvMouseGrid& g = brow.GetGrid();
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
      if (common::Trim(g.Cells(0, r)) == prefix) return r;
    }
    return -1;
  }
  static void DoubleClickRow(TDatenListeForm& w, const std::string& prefix) {
    ui::TkvMouseGrid& g = w.Brow->GetGrid();
    const platform::qt::TRect cell = g.CellRect(0, RowOf(*w.Brow, prefix));
    DoubleClick(g, cell.Left + 3, cell.Top + 3);
  }

  std::vector<std::int32_t> refs_;
  CountingFkt fkt_;
};

TEST_F(DatenListeTest, EscapeClosesWithoutARecordAndTheFilesOpenForTheControllersLife) {
  {
    PlainListCtrl list(fkt_, true);
    EXPECT_EQ(fkt_.opened, 1);
    Then<TDatenListeForm>([](TDatenListeForm& w) {
      EXPECT_EQ(w.Caption(), "Liste");  // no title strip in select mode: the caption stays
      EXPECT_FALSE(w.panelCaptions->Visible());
      EXPECT_EQ(app_test::PrefixListTest::Column(*w.Brow, 0),
                (std::vector<std::string>{"DL", "F", "I"}));
      PressKey(*w.Brow->SearchField(), platform::qt::VK_ESCAPE);
    });
    EXPECT_FALSE(list.Execute());
    EXPECT_EQ(list.ChosenRecord, 0);
    EXPECT_EQ(list.Window(), nullptr);
    EXPECT_EQ(list.BrowCtrl(), nullptr);
    EXPECT_EQ(fkt_.closed, 0);
  }
  EXPECT_EQ(fkt_.closed, 1);
}

TEST_F(DatenListeTest, ADoubleClickTakesTheRowOverThroughThePostedMessageInSelectModeOnly) {
  PlainListCtrl select(fkt_, true);
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    // The message alone closes the window as taken over.
    w.Perform(TDatenListeForm::kCloseOkMessage, 0, 0);
    EXPECT_EQ(w.ModalResult(), platform::qt::mrOk);
  });
  EXPECT_TRUE(select.Execute());
  Then<TDatenListeForm>([](TDatenListeForm& w) { DoubleClickRow(w, "F"); });
  EXPECT_TRUE(select.Execute());
  EXPECT_EQ(select.ChosenRecord, refs_[1]);

  PlainListCtrl browse(fkt_, false);
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    EXPECT_FALSE(w.btnEndeho4->Visible());
    EXPECT_FALSE(w.menueitemUebernahme->Visible());
    EXPECT_EQ(w.btnabbruchho4->Caption(), "Schließen");
    DoubleClickRow(w, "F");
    platform::qt::Application().ProcessMessages();
    EXPECT_EQ(w.ModalResult(), platform::qt::mrNone);
    w.btnEndeho3Click();  // the take-over path does nothing in browse mode either
    EXPECT_EQ(w.ModalResult(), platform::qt::mrNone);
    w.Close();
  });
  EXPECT_FALSE(browse.Execute());
  EXPECT_EQ(browse.ChosenRecord, 0);
  EXPECT_EQ(driver_.Unanswered(), 0);
}

TEST_F(DatenListeTest, EnterAndTheButtonTakeTheCurrentRowOver) {
  PlainListCtrl list(fkt_, true);
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    PressKey(w.Brow->GetGrid(), platform::qt::VK_DOWN);
    PressKey(w.Brow->GetGrid(), platform::qt::VK_RETURN);
  });
  EXPECT_TRUE(list.Execute());
  EXPECT_EQ(list.ChosenRecord, refs_[1]);

  Then<TDatenListeForm>([](TDatenListeForm& w) {
    PressKey(w.Brow->GetGrid(), platform::qt::VK_DOWN);
    PressKey(w.Brow->GetGrid(), platform::qt::VK_DOWN);
    platform::qt::testkit::Click(*w.btnEndeho4, 5, 5);
  });
  EXPECT_TRUE(list.Execute());
  EXPECT_EQ(list.ChosenRecord, refs_[2]);
}

TEST_F(DatenListeTest, DeleteInTheGridDeletesNothingOnlyLoeschenReachesTheDataFunctions) {
  PlainListCtrl list(fkt_, false);
  Then<TDatenListeForm>([this](TDatenListeForm& w) {
    PressKey(w.Brow->GetGrid(), platform::qt::VK_DELETE);
    EXPECT_EQ(fkt_.deletions, 0);
    EXPECT_TRUE(presenter_->calls.empty());
    w.MenuItemLoeschen->Click();
    EXPECT_EQ(fkt_.deletions, 1);
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();
  EXPECT_EQ(logbook::TdbPrefix(logbook::kPrefixMain).UsedRecs(), 3);
}

TEST_F(DatenListeTest, NeuWithTheBaseSlotsSwitchesTheButtonsOffAndOnAgain) {
  PlainListCtrl list(fkt_, false);
  Then<TDatenListeForm>([&list](TDatenListeForm& w) {
    w.MenuItemNeu->Click();
    EXPECT_TRUE(list.buttons_off_during_new);
    EXPECT_FALSE(w.btnSucheho4->kvDeaktiviert());
    EXPECT_FALSE(w.btnabbruchho4->kvDeaktiviert());
    EXPECT_EQ(w.ActiveControl(), w.Brow->SearchField());
    EXPECT_EQ(app_test::PrefixListTest::Column(*w.Brow, 0).size(), 3u);
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();
}

TEST_F(DatenListeTest, TheHintIsHiddenPlainOrALinkThatOpens) {
  PlainListCtrl list(fkt_, false);
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    EXPECT_FALSE(w.lHinweisUnterSchaltern->Visible());
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();

  list.Hint = "Nur Hauptpräfixe";
  Then<TDatenListeForm>([this](TDatenListeForm& w) {
    ASSERT_TRUE(w.lHinweisUnterSchaltern->Visible());
    EXPECT_EQ(w.lHinweisUnterSchaltern->Caption(), "Nur Hauptpräfixe");
    EXPECT_EQ(w.lHinweisUnterSchaltern->Font().Color(), platform::qt::clBlack);
    EXPECT_EQ(w.lHinweisUnterSchaltern->Font().Style(), 0);
    platform::qt::testkit::Click(*w.lHinweisUnterSchaltern, 2, 2);
    EXPECT_TRUE(shell_.calls.empty());
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();

  list.HintLink = "https://example.org/prefixe";
  Then<TDatenListeForm>([this](TDatenListeForm& w) {
    EXPECT_EQ(w.lHinweisUnterSchaltern->Font().Color(), platform::qt::clBlue);
    EXPECT_EQ(w.lHinweisUnterSchaltern->Font().Style(), platform::qt::fsUnderline);
    EXPECT_EQ(w.lHinweisUnterSchaltern->Cursor(), platform::qt::crHandPoint);
    platform::qt::testkit::Click(*w.lHinweisUnterSchaltern, 2, 2);
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();
  ASSERT_EQ(shell_.calls.size(), 1u);
  EXPECT_EQ(shell_.calls[0].arguments, std::vector<std::string>{"https://example.org/prefixe"});
}

TEST_F(DatenListeTest, TheSetupShowsWhatTheControllerOffersAndF1AsksForItsHelp) {
  PlainListCtrl list(fkt_, true);
  list.ShowNew = false;
  list.ShowSearch = false;
  list.ShowExtra2 = true;
  list.Extra2Caption = "Neu zählen";
  std::vector<std::intptr_t> helps;
  platform::qt::Application().OnHelp = [&helps](int command, std::intptr_t data) {
    if (command == platform::qt::HELP_CONTEXT) helps.push_back(data);
    return true;
  };
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    EXPECT_FALSE(w.MenuItemNeu->Visible());
    EXPECT_TRUE(w.MenuItemAendern->Visible());
    EXPECT_FALSE(w.btnSucheho4->Visible());
    EXPECT_FALSE(w.MenuItemSuche->Visible());
    EXPECT_FALSE(w.menuitemZusatzfunktion1->Visible());
    EXPECT_TRUE(w.menuitemZusatzfunktion2->Visible());
    EXPECT_EQ(w.menuitemZusatzfunktion2->Caption(), "Neu zählen");
    EXPECT_TRUE(w.menueitemUebernahme->Visible());
    PressKey(*w.Brow->SearchField(), platform::qt::VK_F1);
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();
  platform::qt::Application().OnHelp = nullptr;
  EXPECT_EQ(helps, std::vector<std::intptr_t>{4711});
}

TEST_F(DatenListeTest, AClosedWindowStopsABusyExtraFunctionAtItsNextStep) {
  PlainListCtrl list(fkt_, false);
  list.ShowExtra1 = true;
  list.close_midway = true;
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    EXPECT_FALSE(w.CancelRequest());
    w.menuitemZusatzfunktion1->Click();
    EXPECT_TRUE(w.CancelRequest());
  });
  EXPECT_FALSE(list.Execute());
  EXPECT_EQ(list.aborts, (std::vector<bool>{false, true}));

  // Left alone the function runs to its end, the progress bar showing its steps.
  list.aborts.clear();
  list.close_midway = false;
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    w.menuitemZusatzfunktion1->Click();
    EXPECT_FALSE(w.CancelRequest());
    EXPECT_FALSE(w.ProgressBar->Visible());
    EXPECT_EQ(w.ModalResult(), platform::qt::mrNone);
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();
  EXPECT_EQ(list.aborts, (std::vector<bool>{false, false}));
  EXPECT_TRUE(list.bar_shown);
  EXPECT_EQ(list.bar_position, 1);
}

}  // namespace
}  // namespace app
