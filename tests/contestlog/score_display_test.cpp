// The score display of the log window offscreen: the score line by the contest's rule (plain,
// in tenths, without multipliers, with each of the three score flags), the band columns, and the
// multiplier board merged from the tables, coloured, cut at its last label.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/number_mask.h"
#include "common/string_helpers.h"
#include "platform/qt/colors.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog {
namespace {

using contestlog_test::LogBuilder;
using platform::qt::TLabel;

class ScoreDisplayTest : public contestlog_test::LogWindowTest {};

struct ScoreRow {
  const char* name;
  char code;
  int class_index;
  std::function<void(TContestLogStd&)> set;  // counters (and flags) of the window
  const char* label19;
  const char* label20;
  const char* label21;
  bool label20_visible;
  bool points_visible;
};

class ScoreRows : public ScoreDisplayTest, public ::testing::WithParamInterface<ScoreRow> {};

// Points and multipliers on the first band of the definition.
std::function<void(TContestLogStd&)> OnFirstBand(std::int32_t points, std::int32_t multis) {
  return [=](TContestLogStd& w) {
    const auto band = static_cast<unsigned char>(w.Definition.Bands[0]);
    w.BandPoints[band] = points;
    w.BandMultis[band] = multis;
    w.BandQsos[band] = 7;
  };
}

TEST_P(ScoreRows, WritesTheScoreLineByTheContestsRule) {
  const ScoreRow& row = GetParam();
  LogBuilder b(row.code, row.class_index);
  b.Create();
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    row.set(w);
    w.ShowScore();
    EXPECT_EQ(w.Label19->Caption(), row.label19);
    EXPECT_EQ(w.Label20->Caption(), row.label20);
    EXPECT_EQ(w.Label21->Caption(), row.label21);
    EXPECT_EQ(w.Label20->Visible(), row.label20_visible);
    if (!row.points_visible) {  // otherwise the layout decides
      EXPECT_FALSE(w.lPunkte->Visible());
      EXPECT_FALSE(w.lePunkte->Visible());
      EXPECT_EQ(w.lemulti->Caption(), "Punkte");
    }
  });
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Contests, ScoreRows, ::testing::Values(
    ScoreRow{"NoMultiplierYetCountsAsOne", 'W', 1, OnFirstBand(120, 0),
             "0 Multi x", "120 Punkte =", "120 Pkt.", true, true},
    ScoreRow{"NoPoints", 'W', 1, OnFirstBand(0, 3), "3 Multi x", "0 Punkte =", "0 Pkt.", true,
             true},
    ScoreRow{"Product", 'W', 1, OnFirstBand(40, 3), "3 Multi x", "40 Punkte =", "120 Pkt.",
             true, true},
    ScoreRow{"InTenths", 'R', 1, OnFirstBand(123, 2), "2 Multi x", "   12,3 Punkte =",
             "   24,6 Pkt.", true, true},
    ScoreRow{"InTenthsWiderThanTheMask", 'R', 1, OnFirstBand(7500, 143), "143 Multi x",
             "  750,0 Punkte =", "107250,0 Pkt.", true, true},
    ScoreRow{"WithoutMultiplierKinds", '.', 1, OnFirstBand(55, 0), "", "", "55 Pkt.", true,
             true},
    ScoreRow{"PointsOnlyWithPostcodeAreas", '5', 1, OnFirstBand(55, 4), "4 PLZ", "55 Punkte =",
             "55 Pkt.", true, true},
    ScoreRow{"PerBandProduct", 'Z', 1,
             [](TContestLogStd& w) {
               OnFirstBand(50, 0)(w);
               const auto second = static_cast<unsigned char>(w.Definition.Bands[1]);
               w.BandPoints[second] = 50;
               w.BandMultis[second] = 3;
             },
             "3 Multi", "100 Punkte", "200 Pkt.", false, true},
    ScoreRow{"MultipliersAsScore", 'W', 1,
             [](TContestLogStd& w) {
               w.Definition.ScoreFlag = 1;
               OnFirstBand(40, 3)(w);
             },
             "", "3 Punkte =", "3 Pkt.", true, false}),
    [](const ::testing::TestParamInfo<ScoreRow>& info) { return info.param.name; });
// clang-format on

TEST_F(ScoreDisplayTest, TheBandColumnsShowTheFirstSevenBandsAndMarkTheCurrentOne) {
  LogBuilder b('W');  // bands b c e g i
  b.Create();
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    w.CurrentBand = 'e';
    w.BandQsos['c'] = 12;
    w.BandMultis['c'] = 4;
    w.BandPoints['c'] = 30;
    w.BandPoints['e'] = 7;
    w.TotalPoints = 7;
    w.TotalMultis = 2;
    w.CurrentBandQsos = 1;
    w.NextQsoNumber = 14;
    w.ShowScore();
    EXPECT_EQ(w.leQSOBand[1]->Caption(), "   12");
    EXPECT_EQ(w.leMultiBand[1]->Caption(), "    4");
    EXPECT_EQ(w.lePunkteBand[1]->Caption(), "   30");
    EXPECT_EQ(w.lePunkteBand[2]->Caption(), "    7");
    EXPECT_EQ(w.leQSOBand[6]->Caption(), "    0");  // a column without a band
    for (std::size_t i = 0; i < kBandRows; ++i) {
      const platform::qt::TColor expected = i == 2 ? platform::qt::clYellow : platform::qt::clSilver;
      for (TLabel* label : {w.lQSOBand[i], w.leQSOBand[i], w.lMultiBand[i], w.leMultiBand[i],
                            w.lPunkteBand[i], w.lePunkteBand[i]}) {
        EXPECT_EQ(label->Font().Color(), expected) << label->Name();
      }
    }
    EXPECT_EQ(w.Label28->Caption(), "12 QSO");
    EXPECT_EQ(w.lPunkte->Caption(), "7");
    EXPECT_EQ(w.lmulti->Caption(), "2");
    EXPECT_EQ(w.lqso->Caption(), "1");
    EXPECT_EQ(w.lNummer->Caption(), "14");
    EXPECT_EQ(w.lePunkte->Caption(), "Punkte 20 m");
    EXPECT_EQ(w.lemulti->Caption(), "Multi 20 m");
    EXPECT_EQ(w.leqso->Caption(), "QSO 20 m");
    // No band chosen: no column is the current one, the two without a band neither.
    w.CurrentBand = 0;
    w.ScoreSummaryText();
    for (std::size_t i = 0; i < kBandRows; ++i) {
      EXPECT_EQ(w.leQSOBand[i]->Font().Color(), platform::qt::clSilver) << i;
    }
  });
}

TEST_F(ScoreDisplayTest, OpeningCountsTheRenumberedLogAndGoesToTheBandItEndsOn) {
  LogBuilder b('W');
  b.Create();
  contest::TContestLKRec oe = contestlog_test::Qso("OE1AAA", 'c', contestlog_test::kContestDay, 60);
  oe.DXCC = "OE";
  b.Add(oe);
  contest::TContestLKRec f = contestlog_test::Qso("F5BBB", 'e', contestlog_test::kContestDay, 120);
  f.DXCC = "F";
  b.Add(f);
  b.AddQsy('g', contestlog_test::kContestDay, 180);
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    // The opening renumbered the log (no multiplier texts yet), which dropped the marker: the
    // log ends on 20 m.
    EXPECT_EQ(Records(b.Number()).size(), 2u);
    EXPECT_EQ(w.CurrentBand, 'e');
    EXPECT_EQ(w.NextQsoNumber, 3);
    EXPECT_EQ(w.BandMultis['c'], 1);
    EXPECT_EQ(w.BandPoints['e'], 5);
    EXPECT_EQ(w.TotalMultis, 1);
    EXPECT_EQ(w.Label21->Caption(), "20 Pkt.");  // 10 points x 2 multipliers
    EXPECT_EQ(w.leqso->Caption(), "QSO 20 m");
  });
}

// The board's labels, as the layout gave panelmulties them, in their order.
std::vector<TLabel*> BoardLabels(TContestLogStd& w) {
  std::vector<TLabel*> labels;
  for (platform::qt::TComponent* c : w.panelmulties->Components()) {
    if (auto* label = dynamic_cast<TLabel*>(c)) labels.push_back(label);
  }
  return labels;
}

void Put(contest::WorkedMultiTable& table, std::size_t at, const char* text, int mark) {
  table[at].text = text;
  table[at].mark = static_cast<std::uint8_t>(mark);
}

TEST_F(ScoreDisplayTest, TheBoardMergesTheTablesInOrderColouredByTheirMarks) {
  LogBuilder b('W');
  b.Create();
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    const std::vector<TLabel*> labels = BoardLabels(w);
    ASSERT_GE(labels.size(), 8u);
    Put(w.WorkedMultis[2], 0, "DL    ", 2);
    Put(w.WorkedMultis[2], 1, "OK    ", 0);
    Put(w.WorkedMultis[1], 0, "DK1 ", 1);
    Put(w.WorkedMultis[22], 0, "DK1 ", 0);  // the same prefix, counted a second time
    Put(w.WorkedMultis[4], 0, "B36     ", 1);
    Put(w.WorkedMultis[5], 0, "JO62", 0);
    Put(w.WorkedMultis[19], 0, "ZZ9", 0);
    w.ShowScore();
    const std::vector<std::string> captions = {"B36     ", "DK1 ", "DK1 ", "DL    ",
                                               "JO62",     "OK    ", "ZZ9",  "."};
    for (std::size_t i = 0; i < captions.size(); ++i) {
      EXPECT_EQ(labels[i]->Caption(), captions[i]) << i;
    }
    const auto look = [](TLabel* l) { return std::pair{l->Font().Color(), l->Font().Style()}; };
    using platform::qt::fsBold;
    using platform::qt::fsUnderline;
    const platform::qt::TFontStyles worked = fsBold | fsUnderline;
    EXPECT_EQ(look(labels[0]), std::pair(platform::qt::clRed, fsBold));
    EXPECT_EQ(look(labels[1]), std::pair(platform::qt::clRed, fsBold));  // kind 1 first
    EXPECT_EQ(look(labels[2]), std::pair(platform::qt::clGray, fsBold));
    EXPECT_EQ(look(labels[3]), std::pair(platform::qt::clGreen, worked));
    EXPECT_EQ(look(labels[4]), std::pair(platform::qt::clGray, fsBold));
    Shot(w, "contest_log_window_score");
    // More values than labels: the board ends at its last label.
    for (std::size_t i = 0; i < labels.size() + 3; ++i) {
      Put(w.WorkedMultis[4], i, ("D" + common::IntToStrAt(static_cast<int>(i), 3)).c_str(), 0);
    }
    w.ShowScore();
    EXPECT_EQ(labels.back()->Caption(),
              "D" + common::IntToStrAt(static_cast<int>(labels.size()) - 1, 3));
    // Fewer values than labels: the rest show "." in grey.
    for (auto& table : w.WorkedMultis) table.fill({});
    Put(w.WorkedMultis[2], 0, "F     ", 2);
    w.ShowScore();
    EXPECT_EQ(labels[0]->Caption(), "F     ");
    for (std::size_t i = 1; i < labels.size(); ++i) {
      EXPECT_EQ(look(labels[i]), std::pair(platform::qt::clGray, fsBold)) << i;
      EXPECT_EQ(labels[i]->Caption(), ".") << i;
    }
  });
}

TEST_F(ScoreDisplayTest, UnderKTheBoardIsNotBold) {
  LogBuilder b('k');
  b.Create();
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    const std::vector<TLabel*> labels = BoardLabels(w);
    ASSERT_GE(labels.size(), 3u);
    Put(w.WorkedMultis[2], 0, "DL    ", 2);
    Put(w.WorkedMultis[2], 1, "OE    ", 1);
    w.ShowScore();
    EXPECT_EQ(labels[0]->Font().Style(), platform::qt::fsUnderline);
    EXPECT_EQ(labels[1]->Font().Style(), 0);
    EXPECT_EQ(labels[2]->Font().Style(), 0);
  });
}

}  // namespace
}  // namespace contestlog
