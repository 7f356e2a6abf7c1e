// The grid browser bound to a table: Init and its step texts, the events' defaults, the layout
// protocol lines, the views on screen and the scaling of its columns.
#include "ui/browser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>

#include "common/grid_colours.h"
#include "common/protocol.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/qt/bitmap.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/keys.h"
#include "platform/qt/speed_button.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/qt/tool_bar.h"
#include "tests/ui/browser_fixture.h"
#include "ui/bit_btn.h"
#include "ui/grafik.h"
#include "ui/kv_edit.h"
#include "ui/winskal.h"

namespace ui::testing {
namespace {

using common::MessageKind;
using platform::qt::testkit::SaveScreenshot;

TEST_F(BrowserTest, AFormWithoutEventsBindsToEmptyRows) {
  Fill(5);
  Bind();
  EXPECT_TRUE(Brow().IsReady());
  EXPECT_EQ(Brow().Page()->LastFilledRow(), 5);
  EXPECT_TRUE(Shown().empty());
  EXPECT_FALSE(Brow().SortCombo()->Visible());
  EXPECT_FALSE(Brow().ViewCombo()->Visible());
  EXPECT_EQ(Brow().SortlistItemIndex(), -1);
  EXPECT_EQ(Brow().SortCombo()->Text(), "Sortierung");

  common::TKeyStr low = Key("X");
  common::TKeyStr high = Key("Y");
  EXPECT_EQ(Brow().DoSortList2Key(3, low, high), 0);
  EXPECT_EQ(low.size() + high.size(), 0u);
  std::string word;
  Brow().DoLoesch_Feld(word);
  EXPECT_EQ(word, "Datensatz");
  EXPECT_FALSE(Brow().DoInit_F_Tasten() || Brow().DoSuch_Eingabe() ||
               Brow().DoProcessPostCommand());

  // Without the flag the browser lets the window close unasked; with it, it asks once.
  bool can_close = false;
  Brow().ConfirmClose(nullptr, can_close);
  EXPECT_TRUE(can_close);
  EXPECT_TRUE(presenter_->calls.empty());
  Brow().SetCloseQuestion(true);
  presenter_->answers = {false};
  Brow().ConfirmClose(nullptr, can_close);
  EXPECT_FALSE(can_close);
  EXPECT_FALSE(Brow().CloseQuestion());
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0],
            (common::MessageCall{.kind = MessageKind::kJaNeinFrage,
                                 .text = "Modul \"Stationen\" beenden",
                                 .default_yes = true}));
}

struct InitFailure {
  const char* name;
  std::function<void(TkvBrow&)> arrange;
  const char* text;
  bool without_table;
};

class BrowserInitTest : public BrowserTest, public ::testing::WithParamInterface<InitFailure> {};

TEST_P(BrowserInitTest, EveryFailureNamesItsStep) {
  Fill(3);
  int removed = 0;
  Brow().OnEntf_brDats = [&] { ++removed; };
  GetParam().arrange(Brow());
  try {
    Brow().Init(0, GetParam().without_table ? nullptr : cursor_.get(), kCallKey, 0, 0, Key(""),
                Key("\xFF"), nullptr, 0, 0);
    FAIL() << "no exception";
  } catch (const EConstructorInvalid& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().text);
  }
  // The data objects are given up only when the binding itself failed.
  const std::string text = GetParam().text;
  EXPECT_EQ(removed, text.ends_with("FNr 1)") || text.ends_with("FNr 2)") ? 1 : 0);
  EXPECT_FALSE(Brow().Initialising());
  // A failed sort list leaves no building flag behind: the columns come again.
  Brow().OnInitSortList = nullptr;
  Brow().OnInit_brDats = nullptr;
  Brow().OnSetHeaderFooter = [this] { Brow().SetHeaderFooter("A;B;C", "", {}, {}, ""); };
  if (GetParam().without_table) return;
  Bind();
  EXPECT_EQ(Grid().ColCount(), 3);
}

const InitFailure kInitFailures[] = {
    {"NoDatabases", [](TkvBrow& b) { b.OnInit_brDats = [] { return false; }; },
     "Fehler beim Erstellen der Liste! (FNr 1)", false},
    {"NoTable", [](TkvBrow&) {}, "Fehler beim Erstellen der Liste! (FNr 2)", true},
    {"HeaderThrows",
     [](TkvBrow& b) { b.OnSetHeaderFooter = [] { throw std::runtime_error("x"); }; },
     "Fehler beim Erstellen der Liste! (FNr 11)", false},
    {"SortListThrows",
     [](TkvBrow& b) { b.OnInitSortList = [] { throw std::runtime_error("x"); }; },
     "Fehler beim Erstellen der Liste! (FNr 12)", false},
};

INSTANTIATE_TEST_SUITE_P(Init, BrowserInitTest, ::testing::ValuesIn(kInitFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowserTest, OnFindeSelectRowMarksTheRowsItAnswersZeroFor) {
  const auto refs = Fill(4);
  Assign();
  Brow().OnFindeSelectRow = [&](std::int32_t ref) { return ref == refs[2] ? 0 : 7; };
  Bind();
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(Grid().Objects(1, r), r == 3 ? 1 : 0) << r;
}

TEST_F(BrowserTest, LayoutLinesForNumberedListsOnly) {
  common::ScopedService<logbook::ToSetups> setups;
  common::testing::WriteFile(folder_ / "protokoll.dat", "");
  common::Protocol::ResetRun();
  Fill(3);
  Assign();
  Bind(0);
  Brow().LogLayout();
  Bind(7);
  // Forty columns make a body longer than a short string.
  std::string header = "A";
  for (int c = 1; c < 40; ++c) header += ";Spalte" + std::to_string(c);
  Brow().OnSetHeaderFooter = [&] { Brow().SetHeaderFooter(header, "", {}, {}, ""); };
  Brow().DoSetHeaderFooter();
  std::string widths;
  for (int c = 0; c < Grid().ColCount(); ++c) widths += std::to_string(Grid().ColWidths(c)) + "-";
  std::string body = "2-0-0-:-" + widths + ":-";
  for (int key = 3; key <= 50; ++key) body += ":-";
  Brow().LogLayout();
  EXPECT_EQ(Brow().StoredWidth(kCallKey, 0), Grid().ColWidths(0));
  // A key beyond the width table keeps no widths (and writes none past it).
  Brow().SetKeyNr(70);
  Brow().LogLayout();
  EXPECT_EQ(Brow().StoredWidth(70, 0), 0);
  form_.reset();  // the destructor writes the line once more

  const std::string file = common::testing::ReadFile(folder_ / "protokoll.dat");
  const std::string in_line = "InReg Liste7:FS(1.00)" + body.substr(0, 255) + "\r\n";
  const std::string moved_line = "InReg Liste7:FS(1.00)70-0-0-" + body.substr(6, 248) + "\r\n";
  EXPECT_EQ(file.find("Liste0"), std::string::npos);
  EXPECT_NE(file.find("AusReg Liste7:\r\n"), std::string::npos);
  EXPECT_NE(file.find(in_line), std::string::npos) << file;
  const std::size_t first = file.find(moved_line);
  ASSERT_NE(first, std::string::npos) << file;
  EXPECT_NE(file.find(moved_line, first + 1), std::string::npos);
  common::Protocol::ResetRun();
}

TEST_F(BrowserTest, GoingToRecordsAndRefreshingShowsWhatTheTableHolds) {
  const auto refs = Fill(60);
  Assign();
  Bind();
  Brow().GotoDatensatz(refs[20], 0, 0);
  EXPECT_EQ(std::tuple(Current(), Shown().front()), std::tuple("DLAU", "DLAU"));
  cursor_->GotoRef(refs[40]);
  Brow().Page()->SetCurrentRow(5);
  Brow().GotoDatensatz(0, 1, 0);  // the table's current record, on the cursor's row
  EXPECT_EQ(std::tuple(Current(), Brow().Page()->CurrentRow()), std::tuple("DLBO", 5));
  Brow().GotoDatensatz(-1, 0, 0);
  EXPECT_EQ(Current(), "DLAA");
  cursor_->GotoRef(refs[1]);
  cursor_->Record() = cursor_->ReadCopy();
  cursor_->Record().name = "Neu";
  ASSERT_TRUE(cursor_->Update());
  Brow().Refresh();
  EXPECT_EQ(Grid().Cells(1, 2), "Neu");
}

// A table object whose flag is set makes the browser passive while it shows "Details".
TEST_F(BrowserTest, APassiveBrowserLeavesThePageToTheTable) {
  const auto refs = Fill(10);
  Assign();
  TdbStation passive(1);
  Brow().Init(0, &passive, kCallKey, 0, 0, Key(""), Key("\xFF"), nullptr, 0, 0);
  EXPECT_TRUE(Brow().Passive());
  EXPECT_FALSE(Grid().Visible());
  EXPECT_FALSE(Brow().DoKeyCommand(platform::qt::VK_NEXT, 0));
  EXPECT_EQ(Brow().GetDatensatzRef(), 0);
  std::int32_t ref = 0;
  cursor_->GotoRef(refs[4]);
  EXPECT_TRUE(Brow().ReadDatensatz(ref));
  EXPECT_EQ(ref, refs[4]);
  int fired = 0;
  Brow().OnInternselect = [&] { ++fired; };
  Brow().Selection().SetSelected(refs[4], 1);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(Brow().Selection().IsSelected(refs[4]) || Brow().SelectCount());
  Brow().SetView(1);
  EXPECT_FALSE(Brow().Passive());
}

class BrowserScaledTest : public BrowserTest {
 protected:
  BrowserScaledTest() { dpi_ = 120; }
};

// The browser font at a font factor: its size and the row height that follows from it, at the
// design resolution and scaled.
class BrowserFontTest : public BrowserTest, public ::testing::WithParamInterface<int> {
 protected:
  BrowserFontTest() { dpi_ = GetParam(); }
};

TEST_P(BrowserFontTest, SizeAndRowHeightFollowTheFontFactor) {
  Fill(3);
  Assign();
  Bind();
  for (const double factor : {1.0, 1.5}) {
    SCOPED_TRACE(factor);
    Brow().SetFontFactor(factor);
    Brow().SetBrowFont("Courier", 10, 0);
    EXPECT_EQ(Grid().Font().Name(), "Courier New");
    EXPECT_EQ(Grid().Font().Size(), ScalePixels(*form_, factor == 1.0 ? 10 : 15, true));
    platform::qt::TBitmap measure(1, 1);
    measure.Canvas().Font.SetName(Grid().Font().Name());
    measure.Canvas().Font.SetSize(Grid().Font().Size());
    const int design = static_cast<int>(std::lround(measure.Canvas().TextHeight("X") * factor * 1.2));
    EXPECT_EQ(Grid().DefaultRowHeight(), ScalePixels(*form_, design, false));
  }
}

INSTANTIATE_TEST_SUITE_P(Dpi, BrowserFontTest, ::testing::Values(96, 144),
                         [](const auto& info) { return "dpi" + std::to_string(info.param); });

TEST_F(BrowserScaledTest, ScaleFormWidensEachColumnOnce) {
  Fill(3);
  Assign();
  Bind();
  std::vector<int> before;
  for (int c = 0; c < Grid().ColCount(); ++c) before.push_back(Grid().ColWidths(c));
  form_->SetScaled(false);
  form_->CreateScaled = false;
  ToWinskal::ScaleForm(*form_);
  for (int c = 0; c < Grid().ColCount(); ++c) {
    EXPECT_EQ(Grid().ColWidths(c), before[static_cast<std::size_t>(c)] * 120 / 96) << c;
  }
}

// With the grid colours a colour scheme gives after the settings load.
class BrowserScreenTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    colours_->GridHeaderColor = 0x00E8C8A8;
    colours_->GridHighlightColor = ToGrafik::FarbeAbstufen(0x00E8C8A8, 30);
    Fill(20);
    Assign();
    Brow().OnInitAnsicht = [this] { Brow().InitAnsicht(1 | 2 | 8); };
    Bind();
  }
  common::ScopedService<common::GridColours> colours_;
};

TEST_F(BrowserScreenTest, DetailsListeAndMiniaturansicht) {
  Brow().SetNewLayoutFlag(1);
  Brow().SetGridOption(false);
  Brow().Selection().SetSelected(Brow().Page()->Row(6).ref, 1);
  Brow().Refresh();
  platform::qt::testkit::MouseMove(Grid(), 40, Grid().CellRect(0, 4).Top + 3);
  EXPECT_EQ(Ctrl().Hot().Y, 4);
  SaveScreenshot(*form_, "browser_details_new_look");

  Brow().SetView(1);
  EXPECT_EQ(Grid().Cells(0, 1), "DLAA[8]Name DLAA[12]");
  const std::string second = Call(Ctrl().RecordsDown());  // filled column by column
  EXPECT_EQ(Grid().Cells(1, 1), second + "[8]Name " + second + "[12]");
  SaveScreenshot(*form_, "browser_liste");
  Brow().SetView(3);
  EXPECT_EQ(Grid().Cells(1, 1), "DLAB[8]Name DLAB[12]");  // filled row by row
  SaveScreenshot(*form_, "browser_miniaturansicht");
}

}  // namespace
}  // namespace ui::testing
