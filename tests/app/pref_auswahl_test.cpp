// The DXCC selection window driven as a person would: what it shows for a QSO and for a bare
// prefix, the highlight of a clicked row, the arrow keys, taking a row and cancelling, and the
// window's position going in and out.
#include "app/pref_auswahl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/dxcc_selection_window.h"
#include "common/dates.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/ui/ui_fixture.h"

namespace app {
namespace {

using logbook::DxccCandidate;
using logbook::DxccSelectionAnswer;
using logbook::DxccSelectionRequest;
using platform::qt::testkit::Click;
using platform::qt::testkit::DoubleClick;
using platform::qt::testkit::PressKey;

class PrefAuswahlTest : public ::testing::Test {
 protected:
  static DxccSelectionRequest Request(const std::string& call, int candidates) {
    DxccSelectionRequest r;
    r.prefix = "KG4";
    r.call = call;
    r.name = "Hans";
    r.qth = "Berlin";
    r.date = common::DMYToDate(1, 5, 2024);
    for (int n = 1; n <= candidates; ++n) {
      r.candidates.push_back(DxccCandidate{n, n == 1 ? "KG4" : "K", "Land " + std::to_string(n),
                                           "08", "11", n == 3 ? "Rest  (deleted)" : ""});
    }
    return r;
  }
  // Runs the window as the program does, with `act` inside its modal loop.
  DxccSelectionAnswer Run(const DxccSelectionRequest& request,
                          std::function<void(TPrefAuswahl&)> act) {
    driver_.Then([act](platform::qt::TForm& form) { act(dynamic_cast<TPrefAuswahl&>(form)); });
    return DxccSelectionWindow().Choose(request);
  }
  // The cell (label) of a row in the given column.
  static platform::qt::TControl& Cell(TPrefAuswahl& w, int row, int column) {
    return *w.Row(row)->Controls().at(static_cast<std::size_t>(column));
  }

  ui::testing::ScreenScope screen_{768, 96};
  common::ScopedService<common::ToDates> dates_;
  platform::qt::testkit::ModalDriver driver_;
};

TEST_F(PrefAuswahlTest, AQsoShowsItsCallDateNameAndQthABarePrefixItself) {
  TPrefAuswahl qso(nullptr, Request("DL1ABC", 2));
  EXPECT_EQ(qso.Caption(), "Auswahl DXCC");
  EXPECT_TRUE(qso.ltext1->Visible());
  EXPECT_FALSE(qso.ltext3->Visible());
  EXPECT_TRUE(qso.Label2->Visible());
  EXPECT_EQ(qso.lQSO1->Caption(), "DL1ABC  01.05.2024");
  EXPECT_EQ(qso.lQSO2->Caption(), "Hans  Berlin");
  EXPECT_EQ(qso.lQSO1->Font().Style(), platform::qt::fsBold);
  EXPECT_EQ(qso.lQSO2->Font().Style(), platform::qt::fsBold);
  EXPECT_FALSE(qso.btnEndeho4->Enabled());

  TPrefAuswahl prefix(nullptr, Request("", 2));
  EXPECT_FALSE(prefix.ltext1->Visible());
  EXPECT_TRUE(prefix.ltext3->Visible());
  EXPECT_FALSE(prefix.Label2->Visible());
  EXPECT_EQ(prefix.lQSO1->Caption(), "KG4");

  // The rows: a heading, then each candidate's number, DXCC, zones, country and remark.
  ASSERT_EQ(qso.RowCount(), 3);
  std::vector<std::string> heading;
  for (platform::qt::TControl* cell : qso.Row(0)->Controls()) heading.push_back(cell->Caption());
  EXPECT_EQ(heading, (std::vector<std::string>{"Nr", "DXCC", "CQ", "ITU", "Land", "Bemerkung"}));
  EXPECT_EQ(Cell(qso, 2, 0).Caption(), " 2");
  EXPECT_EQ(Cell(qso, 2, 4).Caption(), "Land 2");
  // Each cell starts at its column, counted in widths of "X".
  const int x_width = Cell(qso, 0, 1).Left() / (TPrefAuswahl::kCellColumns[1] - 1);
  EXPECT_GT(x_width, 0);
  EXPECT_EQ(Cell(qso, 1, 5).Left(), (TPrefAuswahl::kCellColumns[5] - 1) * x_width);
}

TEST_F(PrefAuswahlTest, ADateOfZeroShowsToday) {
  DxccSelectionRequest r = Request("DL1ABC", 2);
  r.date = 0;
  TPrefAuswahl w(nullptr, r);
  EXPECT_EQ(w.lQSO1->Caption(),
            "DL1ABC  " + common::Service<common::ToDates>::Get().TodayUtcString("dd.mm.yyyy"));
}

TEST_F(PrefAuswahlTest, AClickLightsTheRowNavyWithWhiteTextAndOffersTheTakeOver) {
  TPrefAuswahl w(nullptr, Request("DL1ABC", 3));
  w.Show();
  EXPECT_FALSE(w.btnEndeho4->Default());
  Click(Cell(w, 2, 4), 2, 2);
  EXPECT_EQ(w.Highlighted(), 2);
  EXPECT_TRUE(w.btnEndeho4->Enabled());
  EXPECT_TRUE(w.btnEndeho4->Default());
  EXPECT_EQ(Cell(w, 2, 4).Font().Color(), platform::qt::clWhite);

  const platform::qt::TBitmap shot = platform::qt::testkit::Grab(*w.Row(2));
  EXPECT_EQ(shot.Pixel(shot.Width() - 2, 1), TPrefAuswahl::kHighlight);
  int white = 0;  // the country's text is drawn in white on the navy row
  for (int x = 0; x < shot.Width(); ++x) {
    for (int y = 0; y < shot.Height(); ++y) white += shot.Pixel(x, y) == platform::qt::clWhite;
  }
  EXPECT_GT(white, 10);
  platform::qt::testkit::SaveScreenshot(w, "dxcc_selection_three_candidates");

  // Another row takes the light; the first goes back to the table's colour and black text.
  Click(*w.Row(1), w.Row(1)->Width() - 3, 3);
  EXPECT_EQ(w.Highlighted(), 1);
  EXPECT_EQ(w.Row(2)->Color(), w.ptab->Color());
  EXPECT_EQ(Cell(w, 2, 4).Font().Color(), platform::qt::clBlack);
  const platform::qt::TBitmap back = platform::qt::testkit::Grab(*w.Row(2));
  EXPECT_EQ(back.Pixel(back.Width() - 2, 1), w.ptab->Color() & 0xFFFFFF);

  // The heading is no candidate: a click there lights nothing.
  Click(Cell(w, 0, 4), 2, 2);
  EXPECT_EQ(w.Highlighted(), 1);
}

TEST_F(PrefAuswahlTest, TheArrowKeysMoveTheLightRoundTheRows) {
  TPrefAuswahl w(nullptr, Request("DL1ABC", 3));
  w.Show();
  ASSERT_EQ(w.ActiveControl(), w.Edit1);
  struct Step {
    std::uint16_t key;
    int lit;
  };
  // From no row Down lights the first; past the last it wraps to the first, and Up on the first
  // wraps to the last.
  for (const Step step : {Step{platform::qt::VK_DOWN, 1}, Step{platform::qt::VK_DOWN, 2},
                          Step{platform::qt::VK_DOWN, 3}, Step{platform::qt::VK_DOWN, 1},
                          Step{platform::qt::VK_UP, 3}, Step{platform::qt::VK_UP, 2}}) {
    PressKey(*w.Edit1, step.key);
    EXPECT_EQ(w.Highlighted(), step.lit);
  }
  TPrefAuswahl fresh(nullptr, Request("DL1ABC", 3));
  fresh.Show();
  PressKey(*fresh.Edit1, platform::qt::VK_UP);
  EXPECT_EQ(fresh.Highlighted(), 3);
}

TEST_F(PrefAuswahlTest, ADoubleClickOrTheButtonTakesTheRowEscapeCancels) {
  // A double click on the heading does nothing; one on a row takes its candidate.
  DxccSelectionAnswer a = Run(Request("DL1ABC", 3), [](TPrefAuswahl& w) {
    DoubleClick(Cell(w, 0, 1), 2, 2);
    EXPECT_EQ(w.ModalResult(), platform::qt::mrNone);
    DoubleClick(Cell(w, 3, 1), 2, 2);
  });
  EXPECT_EQ(a.chosen, 3);

  // The arrow keys and Enter, which presses the take-over button.
  a = Run(Request("DL1ABC", 3), [](TPrefAuswahl& w) {
    PressKey(*w.Edit1, platform::qt::VK_UP);
    PressKey(*w.Edit1, platform::qt::VK_UP);
    PressKey(*w.Edit1, platform::qt::VK_RETURN);
  });
  EXPECT_EQ(a.chosen, 2);

  a = Run(Request("DL1ABC", 3), [](TPrefAuswahl& w) {
    Click(Cell(w, 1, 2), 2, 2);
    PressKey(*w.Edit1, platform::qt::VK_ESCAPE);
  });
  EXPECT_EQ(a.chosen, 0);

  a = Run(Request("DL1ABC", 3), [](TPrefAuswahl& w) {
    Click(Cell(w, 1, 2), 2, 2);
    Click(*w.btnabbruchho4, 5, 5);
  });
  EXPECT_EQ(a.chosen, 0);
  EXPECT_EQ(driver_.Unanswered(), 0);
}

TEST_F(PrefAuswahlTest, ThirtyCandidatesGetThirtyRowsAndTheWindowGrowsWithThem) {
  TPrefAuswahl few(nullptr, Request("DL1ABC", 2));
  TPrefAuswahl many(nullptr, Request("DL1ABC", 30));
  ASSERT_EQ(many.RowCount(), 31);
  EXPECT_EQ(many.Row(30)->Tag(), 30);
  const int h = many.Row(1)->Height();
  EXPECT_EQ(many.ClientHeight() - few.ClientHeight(), 28 * h);
  EXPECT_EQ(many.ptab->Height() - few.ptab->Height(), 28 * h);
  // The buttons and the hint sit at the bottom, below the table.
  EXPECT_EQ(many.btnEndeho4->Top(), many.ClientHeight() - many.btnEndeho4->Height() - 4);
  EXPECT_EQ(many.Label1->Top(), many.btnEndeho4->Top());
  EXPECT_EQ(many.Label3->Top(), many.Label1->Top() + many.Label1->Height());
  EXPECT_GE(many.btnEndeho4->Top(), many.ptab->Top() + many.ptab->Height());

  // A candidate without a DXCC prefix gets no row.
  DxccSelectionRequest r = Request("DL1ABC", 3);
  r.candidates[1].dxcc.clear();
  TPrefAuswahl gap(nullptr, r);
  ASSERT_EQ(gap.RowCount(), 3);
  EXPECT_EQ(gap.Row(2)->Tag(), 3);
}

TEST_F(PrefAuswahlTest, TheWindowOpensWhereItWasAndTellsWhereItIsLeft) {
  DxccSelectionRequest r = Request("DL1ABC", 3);
  r.placed = true;
  r.left = 140;
  r.top = 90;
  DxccSelectionAnswer a = Run(r, [](TPrefAuswahl& w) {
    EXPECT_EQ(w.Left(), 140);
    EXPECT_EQ(w.Top(), 90);
    w.SetBounds(200, 120, w.Width(), w.Height());
    w.SetModalResult(platform::qt::mrCancel);
  });
  EXPECT_EQ(a.left, 200);
  EXPECT_EQ(a.top, 120);
}

}  // namespace
}  // namespace app
