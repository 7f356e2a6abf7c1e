// Deleting a QSO from the log window's QSO list and from the correction list, and the
// correction list's three modes, offscreen on fixture logs.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/message_presenter.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contestlog/column_places.h"
#include "contestlog/correction_list.h"
#include "contestlog/entry_record.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "tests/contestlog/core_fixture.h"
#include "tests/contestlog/window_fixture.h"
#include "ui/mouse_grid.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::MainTables;
using contestlog_test::Qso;

constexpr const char* kWarning =
    "Achtung: Durch das Löschen eines Eintrages werden die Nummern aller nachfolgenden Einträge "
    "um 1 verringert.";

// A QSO of the DOK contest '3' (which counts the DOKs of district N): the DOK received and in
// the record, as the entry stores it.
TContestLKRec WithDok(const char* call, int minute, const char* dok) {
  TContestLKRec q = Qso(call, 'b', kContestDay, 3600 + 60 * minute);
  contest::TContestFkt::SetSentExchange("59 B36", q);
  contest::TContestFkt::SetRcvdExchange(std::string("59 ") + dok, q);
  q.DOK1 = dok;
  q.DXCC = "DL";
  q.Continent = "EU";
  return q;
}

struct LogCase {
  char code;
  std::vector<TContestLKRec> qsos;
};

std::vector<LogCase> DeleteCases() {
  std::vector<TContestLKRec> plain;
  for (int i = 0; i < 5; ++i) {
    plain.push_back(Qso("DL" + std::to_string(i + 2) + "AAA", 'b', kContestDay, 3600 + 60 * i));
  }
  return {{'.', plain},
          {'3',
           {WithDok("DL2AAA", 0, "N01"), WithDok("DL2BBB", 1, "N13"), WithDok("DL2CCC", 2, "N22"),
            WithDok("DL2DDD", 3, "N01"), WithDok("DL2EEE", 4, "N05")}}};
}

class CorrectionsTest : public contestlog_test::LogWindowTest {
 protected:
  explicit CorrectionsTest(int dpi = 96) : LogWindowTest(dpi) {}
  // The record reference of the `n`th QSO (from 1) in number order.
  static std::int32_t RefOf(TContestLogStd& w, int n) {
    contest::TdbContest log(contest::kTableLK, w.LogNumber);
    bool found = log.First(4);
    for (int i = 1; found && i < n; ++i) found = log.Next(true, true);
    EXPECT_TRUE(found) << n;
    return log.CurrentRef();
  }
  std::vector<common::MessageKind> Kinds() const {
    std::vector<common::MessageKind> kinds;
    for (const common::MessageCall& call : presenter_->calls) kinds.push_back(call.kind);
    return kinds;
  }
  // The trimmed texts of the column titled `title` in the grid's rows, up to the first empty row.
  static std::vector<std::string> Column(ui::TkvBrow& brow, const std::string& title) {
    ui::TkvMouseGrid& grid = brow.GetGrid();
    int col = -1;
    for (int c = 0; c < grid.ColCount(); ++c) {
      if (common::Trim(grid.Cells(c, 0)) == title) col = c;
    }
    std::vector<std::string> texts;
    if (col < 0) return texts;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
      const std::string text = common::Trim(grid.Cells(col, row));
      if (text.empty()) break;
      texts.push_back(text);
    }
    return texts;
  }
  static std::vector<std::string> BoardTexts(TContestLogStd& w) {
    std::vector<std::string> texts;
    for (platform::qt::TComponent* c : w.panelmulties->Components()) {
      auto* label = dynamic_cast<platform::qt::TLabel*>(c);
      if (label != nullptr && label->Visible() && label->Caption() != ".") {
        texts.push_back(common::Trim(label->Caption()));
      }
    }
    return texts;
  }
};

TEST_F(CorrectionsTest, DeletingTheThirdOfFiveGivesTheLogAsIfItHadNeverBeenEntered) {
  for (const LogCase& c : DeleteCases()) {
    SCOPED_TRACE(c.code);
    presenter_->calls.clear();
    // The log typed without the third QSO, renumbered, recalculated and recounted alike.
    LogBuilder without(c.code);
    without.Create();
    for (std::size_t i = 0; i < c.qsos.size(); ++i) {
      if (i != 2) without.Add(c.qsos[i]);
    }
    LogBuilder b(c.code);
    const std::int32_t log = b.Create();
    for (const TContestLKRec& q : c.qsos) b.Add(q);
    struct Score {
      std::int32_t points, multis, next;
      std::vector<std::int32_t> band_points, band_qsos, band_multis;
      bool operator==(const Score&) const = default;
    };
    auto score = [](const ContestLogCore& core) {
      return Score{core.TotalPoints,
                   core.TotalMultis,
                   core.NextQsoNumber,
                   {core.BandPoints.begin(), core.BandPoints.end()},
                   {core.BandQsos.begin(), core.BandQsos.end()},
                   {core.BandMultis.begin(), core.BandMultis.end()}};
    };
    Score deleted;
    char band = 0;
    contest::TContestKKRec kk_mine{};
    contest::TContestKZRec kz_mine{};
    RunLog(log, b.Definition(), [&](TContestLogStd& w) {
      // "No" after the warning: nothing changes.
      ASSERT_TRUE(w.Brow->GotoDatensatz(RefOf(w, 3), 0, 0));
      presenter_->answers = {false};
      w.btnLoeschenClick();
      EXPECT_EQ(Kinds(), (std::vector<common::MessageKind>{common::MessageKind::kAchtung,
                                                           common::MessageKind::kJaNeinFrage}));
      EXPECT_EQ(presenter_->calls[0].text, kWarning);
      EXPECT_EQ(presenter_->calls[1].title, "Sicherheitsabfrage");
      EXPECT_EQ(presenter_->calls[1].text, "Eintrag " + c.qsos[2].Call.str() + " löschen?");
      EXPECT_TRUE(presenter_->calls[1].default_yes);
      EXPECT_EQ(Records(log).size(), 5u);
      // "Yes".
      presenter_->calls.clear();
      ASSERT_TRUE(w.Brow->GotoDatensatz(RefOf(w, 3), 0, 0));
      presenter_->answers = {true};
      w.btnLoeschenClick();
      EXPECT_EQ(Kinds().size(), 2u);
      deleted = score(w);
      band = w.CurrentBand;
      EXPECT_EQ(Column(*w.Brow, "Nr").size(), 4u);
      // The stored tallies are right at once, not only once the window closes.
      MainTables stored(log);
      stored.catalogue.GetKKRec(kk_mine);
      stored.contest_data.GetKZRec(kz_mine);
    });
    CoreOnLog on(without);
    on.core.CurrentBand = band;
    on.core.RebuildDatabase(true);
    on.core.RecountLog(true);
    on.core.Recalculate();
    EXPECT_EQ(deleted, score(on.core));
    const std::vector<TContestLKRec> got = Records(log);
    const std::vector<TContestLKRec> want = Records(without.Number());
    ASSERT_EQ(got.size(), 4u);
    ASSERT_EQ(want.size(), 4u);
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].wagNummer, i + 1) << i;
      EXPECT_EQ(std::memcmp(&got[i], &want[i], sizeof got[i]), 0) << i << " " << got[i].Call.str();
    }
    EXPECT_EQ(got[2].Call.str(), c.qsos[3].Call.str());
    // The stored tallies of both layouts.
    contest::TContestKKRec kk_theirs{};
    contest::TContestKZRec kz_theirs{};
    on.core.Catalogue->GetKKRec(kk_theirs);
    on.core.ContestData->GetKZRec(kz_theirs);
    const auto* a = reinterpret_cast<const std::uint8_t*>(&kk_mine);
    const auto* z = reinterpret_cast<const std::uint8_t*>(&kk_theirs);
    EXPECT_EQ(std::memcmp(a + 196, z + 196, 291 - 196), 0);
    EXPECT_EQ(std::memcmp(a + 341, z + 341, 367 - 341), 0);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const std::uint8_t*>(&kz_mine) + 8,
                          reinterpret_cast<const std::uint8_t*>(&kz_theirs) + 8, 1808 - 8),
              0);
    // Band 'b' is the first of both contests' bands: its points in either layout.
    const std::uint32_t points = kk_mine.LoaderSwitch != 0 ? kz_mine.SlotPoints[0].get()
                                                           : kk_mine.LinePoints[0].get();
    EXPECT_EQ(points, static_cast<std::uint32_t>(deleted.band_points['b']));
    EXPECT_GT(points, 0u);
  }
}

// QSOs whose multiplier texts are filled, so that opening the log does not renumber it.
TContestLKRec Evaluated(const char* call, std::int32_t time) {
  TContestLKRec q = Qso(call, 'b', kContestDay, time);
  q.CMulti = "X";
  q.Info = "X";
  return q;
}

TEST_F(CorrectionsTest, AQsyMarkerIsNotDeletedAndAnEmptyListOnlyClearsTheEntry) {
  LogBuilder empty('.', 5);
  RunLog(empty.Create(), empty.Definition(), [&](TContestLogStd& w) {
    w.btnLoeschenClick();  // nothing in the list
    EXPECT_TRUE(presenter_->calls.empty());
  });
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(Evaluated("DL2AAA", 3600));
  b.AddQsy('c', kContestDay, 3700);
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    ASSERT_TRUE(w.Brow->GotoDatensatz(RefOf(w, 2), 0, 0));
    w.btnLoeschenClick();
    EXPECT_TRUE(presenter_->calls.empty());
    EXPECT_EQ(Records(log).size(), 2u);
    // The QSO list's own delete request takes the same road.
    ASSERT_TRUE(w.Brow->GotoDatensatz(RefOf(w, 1), 0, 0));
    presenter_->answers = {false};
    EXPECT_TRUE(w.BrowDatensatz_Loeschen());
    EXPECT_EQ(presenter_->calls.size(), 2u);
  });
}

TEST_F(CorrectionsTest, TheCorrectionListShowsTheWholeLogByNumberAndDeletesFromTheBoardToo) {
  LogBuilder b('3');
  const std::int32_t log = b.Create();
  const std::vector<TContestLKRec> qsos = DeleteCases()[1].qsos;
  for (const TContestLKRec& q : qsos) b.Add(q);
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    const std::vector<std::string> board = BoardTexts(w);
    EXPECT_NE(std::find(board.begin(), board.end(), "N22"), board.end());
    driver_.Then([&](platform::qt::TForm& form) {
      auto& list = dynamic_cast<TKorrekturstd&>(form);
      EXPECT_EQ(Korrekturstd(), &list);
      EXPECT_EQ(list.Caption(), "QSO - Liste (Ändern mit Eingabetaste oder Doppelklick)");
      EXPECT_EQ(list.Brow->GetKeyNr(), 13);
      EXPECT_EQ(Column(*list.Brow, "Call"),
                (std::vector<std::string>{"DL2AAA", "DL2BBB", "DL2CCC", "DL2DDD", "DL2EEE"}));
      Shot(list, "correction_list");
      ASSERT_TRUE(list.Brow->GotoDatensatz(RefOf(w, 3), 0, 0));
      presenter_->answers = {true};
      EXPECT_TRUE(list.BrowDatensatz_Loeschen());
      EXPECT_EQ(Column(*list.Brow, "Call").size(), 4u);
      platform::qt::testkit::PressKey(list.Brow->GetGrid(), platform::qt::VK_ESCAPE);
    });
    w.btnKorrekturaClick();
    EXPECT_EQ(Korrekturstd(), nullptr);
    const std::vector<std::string> after = BoardTexts(w);
    EXPECT_EQ(std::find(after.begin(), after.end(), "N22"), after.end());
    EXPECT_EQ(after.size() + 1, board.size());
    EXPECT_EQ(Column(*w.Brow, "Call").size(), 4u);
  });
}

TEST_F(CorrectionsTest, TheBandLogOfAOneBandContestOffersThatBandPreselected) {
  LogBuilder b('I');  // band b only
  const std::int32_t log = b.Create();
  b.Add(WithDok("DL2AAA", 0, "N01"));
  b.Add(WithDok("DL2BBB", 1, "N13"));
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    driver_.Then([&](platform::qt::TForm& form) {
      auto& dialog = dynamic_cast<Tstdband&>(form);
      EXPECT_EQ(dialog.Caption(), "Band");
      EXPECT_EQ(dialog.listband->Items().Count(), 1);
      EXPECT_EQ(dialog.listband->ItemIndex(), 0);
      Shot(dialog, "correction_band_dialog");
      platform::qt::testkit::PressKey(*dialog.listband, platform::qt::VK_RETURN);
    });
    driver_.Then([&](platform::qt::TForm& form) {
      auto& list = dynamic_cast<TKorrekturstd&>(form);
      EXPECT_EQ(list.Caption(), "Band - Log (Ändern mit Eingabetaste oder Doppelklick)");
      EXPECT_EQ(list.Brow->GetKeyNr(), 8);
      EXPECT_EQ(common::LenArrayToShort(list.Brow->Page()->LKey()), "b");
      EXPECT_EQ(common::LenArrayToShort(list.Brow->Page()->HKey()), "b");
      EXPECT_EQ(Column(*list.Brow, "Call").size(), 2u);
      list.SetModalResult(platform::qt::mrCancel);
    });
    w.btnBandlisteClick();
  });
}

TEST_F(CorrectionsTest, TheCallSearchListsTheStationWithAndWithoutItsPortableMark) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(Qso("DL1ABC", 'b', kContestDay, 3600));
  b.Add(Qso("DL2XYZ", 'b', kContestDay, 3660));
  b.Add(Qso("DL1ABC/P", 'c', kContestDay, 3720));
  b.Add(Qso("DL1ABCD", 'c', kContestDay, 3780));
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    for (const auto& [typed, calls] :
         {std::pair<std::string, std::vector<std::string>>{"dl1abc/p", {"DL1ABC", "DL1ABC/P"}},
          {"OK1ZZZ", {}}}) {
      SCOPED_TRACE(typed);
      driver_.Then([&, typed = typed](platform::qt::TForm& form) {
        auto& search = dynamic_cast<TSucheQE_&>(form);
        EXPECT_EQ(search.Caption(), "Suche");
        search.eSuche->SetText(typed);
        if (typed == "dl1abc/p") Shot(search, "correction_search_dialog");
        search.btnendepx4->Click();
      });
      driver_.Then([&, calls = calls](platform::qt::TForm& form) {
        auto& list = dynamic_cast<TKorrekturstd&>(form);
        EXPECT_EQ(list.Brow->GetKeyNr(), 6);
        EXPECT_EQ(Column(*list.Brow, "Call"), calls);
        list.SetModalResult(platform::qt::mrCancel);
      });
      w.btnCallsucheaClick();
    }
  });
}

TEST_F(CorrectionsTest, TheCallSearchKeepsTheEntryInHandAcrossADelete) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(Evaluated("DL1ABC", 3600));
  b.Add(Evaluated("DL2XYZ", 3660));
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    w.eCall->SetText("DL7TYP");  // typed, the search comes in between
    ASSERT_EQ(EntryRecord(w).Call.str(), "DL7TYP");
    driver_.Then([&](platform::qt::TForm& form) {
      auto& search = dynamic_cast<TSucheQE_&>(form);
      search.eSuche->SetText("DL1ABC");
      search.btnendepx4->Click();
    });
    driver_.Then([&](platform::qt::TForm& form) {
      auto& list = dynamic_cast<TKorrekturstd&>(form);
      presenter_->answers = {true};
      EXPECT_TRUE(list.BrowDatensatz_Loeschen());
      EXPECT_TRUE(Column(*list.Brow, "Call").empty());
      list.SetModalResult(platform::qt::mrCancel);
    });
    w.btnCallsucheaClick();
    EXPECT_EQ(Records(log).size(), 1u);
    EXPECT_EQ(EntryRecord(w).Call.str(), "DL7TYP");
    EXPECT_EQ(EntryRecord(w).Nummer, 0);
    EXPECT_EQ(w.eCall->Text(), "DL7TYP");
  });
}

class CorrectionWidths : public CorrectionsTest, public ::testing::WithParamInterface<int> {
 protected:
  CorrectionWidths() : CorrectionsTest(GetParam()) {}
};

TEST_P(CorrectionWidths, ColumnWidthsAndThePlaceAreKeptBetweenOpenings) {
  const int dpi = GetParam();
  // Screen pixels that the screen's scale turns into whole unscaled ones.
  auto on_screen = [&](int col) { return (6 + col) * dpi / 24; };
  auto kept = [](int col) { return (6 + col) * 4; };
  LogBuilder b('3');  // the DOK column besides the rest
  // The tally that follows the widths (band 6's QSOs) must survive them.
  b.Catalogue().Line6.Qsos = 4321;
  const std::int32_t log = b.Create();
  b.Add(WithDok("DL2AAA", 0, "N01"));
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    int columns = 0;
    driver_.Then([&](platform::qt::TForm& form) {
      auto& list = dynamic_cast<TKorrekturstd&>(form);
      columns = list.Brow->GetGridColCount();
      for (int col = 0; col < columns; ++col) list.Brow->SetColWidth(col, on_screen(col));
      list.SetBounds(70, 80, 500, 300);
      list.SetModalResult(platform::qt::mrCancel);
    });
    w.btnKorrekturaClick();
    ASSERT_GT(columns, 10);
    ASSERT_LE(columns, contest::kGridColumnWidths);
    contest::TContestKKRec kk{};
    w.Catalogue->GetKKRec(kk);
    for (int col = 0; col < columns; ++col) {
      EXPECT_EQ(kk.GridColumnWidths[static_cast<std::size_t>(col)].get(), kept(col)) << col;
    }
    EXPECT_EQ(kk.Line6.Qsos.get(), 4321);
    driver_.Then([&](platform::qt::TForm& form) {
      auto& list = dynamic_cast<TKorrekturstd&>(form);
      EXPECT_EQ(list.Left(), 70);
      EXPECT_EQ(list.Top(), 80);
      for (int col = 0; col < columns; ++col) {
        EXPECT_EQ(list.BrowBrowColWidths(col), on_screen(col)) << col;
      }
      // A 21st column is neither kept nor read: the catalogue's next field begins there.
      EXPECT_EQ(list.BrowBrowColWidths(contest::kGridColumnWidths), 0);
      list.SetModalResult(platform::qt::mrCancel);
    });
    w.btnKorrekturaClick();
  });
}

INSTANTIATE_TEST_SUITE_P(Screens, CorrectionWidths, ::testing::Values(96, 120));

TEST_F(CorrectionsTest, EnterInTheCorrectionListEditsTheQsoAndTheLogWindowsListShowsIt) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(Qso("DL1ABC", 'b', kContestDay, 3600));
  b.Add(Qso("DL2XYZ", 'b', kContestDay, 3660));
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    driver_.Then([&](platform::qt::TForm& form) {
      auto& list = dynamic_cast<TKorrekturstd&>(form);
      ASSERT_TRUE(list.Brow->GotoDatensatz(RefOf(w, 2), 0, 0));
      driver_.Then([&](platform::qt::TForm& dialog) {
        EXPECT_EQ(dialog.Caption(), "QSO ändern");
        auto* call = dynamic_cast<ui::TkvEdit*>(dialog.FindComponent("eCall"));
        ASSERT_NE(call, nullptr);
        call->SetText("DL9NEW");
        dialog.Close();
      });
      platform::qt::testkit::PressKey(list.Brow->GetGrid(), platform::qt::VK_RETURN);
      EXPECT_EQ(Column(*list.Brow, "Call"), (std::vector<std::string>{"DL1ABC", "DL9NEW"}));
      list.SetModalResult(platform::qt::mrCancel);
    });
    w.btnKorrekturaClick();
    EXPECT_EQ(Column(*w.Brow, "Call"), (std::vector<std::string>{"DL1ABC", "DL9NEW"}));
  });
}

}  // namespace
}  // namespace contestlog
