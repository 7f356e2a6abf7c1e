// The log window arranged for its contest, offscreen at its design size: one row per layout
// case, checked on what shows, the captions, the places (in cells of the entry panel's grid,
// spread or not) and the tab order; every case without overlapping controls.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "contest/contest_table.h"
#include "tests/contestlog/layout_checks.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog {
namespace {

using contestlog_test::LogBuilder;
using contestlog_test::Overlaps;
using platform::qt::TControl;
using platform::qt::TLabel;

// Places on the entry panel in cells, whatever the window spread its controls by: the board is
// 56 cells wide in the design.
struct Grid {
  explicit Grid(const TContestLogStd& w)
      : cell(w.panelmulties->Width() / 56.0), w(w) {}
  double Column(const TControl& c) const { return c.Left() / cell; }
  double Cells(const TControl& c) const { return c.Width() / cell; }
  double cell;
  const TContestLogStd& w;
};

std::vector<TLabel*> BoardLabels(const TContestLogStd& w) {
  std::vector<TLabel*> labels;
  for (TControl* c : w.panelmulties->Controls()) {
    if (auto* label = dynamic_cast<TLabel*>(c)) labels.push_back(label);
  }
  return labels;
}

struct LayoutCase {
  const char* name;
  char code;
  int class_index;
  std::function<void(contest::TContestKKRec&)> catalogue;
  std::function<void(contest::TContestKZRec&)> contest_data;
  std::function<void(TContestLogStd&)> check;
  const char* screenshot;  // nullptr: none
  // A change of the main window's definition; none when empty.
  std::function<void(contest::TContestRec&)> definition = nullptr;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

void Nothing(contest::TContestKKRec&) {}
void NoData(contest::TContestKZRec&) {}

class LayoutRows : public contestlog_test::LogWindowTest,
                   public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutRows, TheWindowShowsWhatTheContestAsksFor) {
  const LayoutCase& c = GetParam();
  LogBuilder b(c.code, c.class_index);
  c.catalogue(b.Catalogue());
  const std::int32_t log = b.Create();
  {
    contest::TdbContest data(contest::kTableKZ, 0);
    ASSERT_TRUE(data.FindByNummer(log));
    contest::TContestKZRec record{};
    data.GetKZRec(record);
    c.contest_data(record);
    data.SetKZRec(record);
    ASSERT_TRUE(data.UpdateRec());
  }
  contest::TContestRec definition = b.Definition();
  if (c.definition) c.definition(definition);
  RunLog(log, definition, [&](TContestLogStd& window) {
    c.check(window);
    EXPECT_EQ(Overlaps(window, window.Image2), std::vector<std::string>{});
    if (c.screenshot != nullptr) Shot(window, c.screenshot);
  });
}

void NormalTabOrder(const TContestLogStd& w) {
  const std::vector<const ui::TkvEdit*> order = {w.eCall,  w.eRSTs1, w.eRSTs2, w.eRSTs3,
                                                 w.eRSTs4, w.eRSTr1, w.eRSTr2, w.eRSTr3,
                                                 w.eRSTr4};
  for (std::size_t i = 1; i < order.size(); ++i) {
    EXPECT_LT(order[i - 1]->TabOrder(), order[i]->TabOrder()) << order[i]->Name();
  }
}

// The caption stands 2 pixels above the field it names, from its left (or, when the caption
// before it runs that far, right after that one).
void CaptionOver(const TLabel& caption, const TControl& field, const std::string& text) {
  EXPECT_TRUE(caption.Visible()) << text;
  EXPECT_EQ(caption.Caption(), text);
  EXPECT_GE(caption.Left(), field.Left() - 1) << text;
  EXPECT_LT(caption.Left(), field.Left() + field.Width() / 2) << text;
  EXPECT_EQ(caption.Top() + caption.Height() + 2, field.Top()) << text;
}

void Board(const TContestLogStd& w, int columns, int column_step, int label_cells, bool bold) {
  const std::vector<TLabel*> labels = BoardLabels(w);
  ASSERT_EQ(labels.size(), static_cast<std::size_t>(8 * columns));
  const Grid g(w);
  EXPECT_EQ(labels.front()->Name(), "TE11");
  EXPECT_EQ(labels.back()->Name(), "TE8" + std::to_string(columns));
  EXPECT_EQ(labels.front()->Tag(), 1000);
  EXPECT_EQ(labels.back()->Tag(), 1000 + 8 * columns - 1);
  EXPECT_NEAR((labels[1]->Left() - labels[0]->Left()) / g.cell, column_step, 0.1);
  EXPECT_EQ(labels[0]->Width(), label_cells * 8 + 4);
  EXPECT_EQ(labels[columns]->Top() - labels[0]->Top(), 16);  // the next row
  for (const TLabel* l : labels) {
    EXPECT_EQ(l->Caption(), ".");
    EXPECT_EQ(l->Font().Size(), 8);
    EXPECT_EQ(l->Font().Color(), 0x808080u);
    EXPECT_EQ((l->Font().Style() & platform::qt::fsBold) != 0, bold) << l->Name();
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Contests, LayoutRows, ::testing::Values(
    LayoutCase{"DotClass5", '.', 5, Nothing, NoData, [](TContestLogStd& w) {
      const Grid g(w);
      // Reports fixed: texts in place of the fields; the sent exchange is not typed here.
      EXPECT_FALSE(w.eRSTs1->Visible());
      EXPECT_TRUE(w.lRSTs1->Visible());
      EXPECT_FALSE(w.eRSTs2->Visible());
      EXPECT_TRUE(w.lRSTs2->Visible());
      EXPECT_FALSE(w.eRSTr1->Visible());
      EXPECT_TRUE(w.lRSTr1->Visible());
      // One received exchange field, widened to 9 cells at column 54, captioned by the contest.
      EXPECT_TRUE(w.eRSTr2->Visible());
      EXPECT_FALSE(w.eRSTr3->Visible());
      EXPECT_NEAR(g.Column(*w.eRSTr2), 54, 0.2);
      EXPECT_NEAR(g.Cells(*w.eRSTr2), 9, 0.2);
      CaptionOver(*w.lRST2Name, *w.eRSTr2, "&1 : Alter");
      EXPECT_EQ(w.lRST3Name->Caption(), "");
      EXPECT_EQ(w.lRST2Name->FocusControl(), w.eRSTr2);
      EXPECT_TRUE(w.btnNameqtha->Visible());
      EXPECT_FALSE(w.eCall2->Visible());
      EXPECT_FALSE(w.eFreq->Visible());
      EXPECT_TRUE(w.leNummer->Visible());
      EXPECT_TRUE(w.lenter->Visible());
      EXPECT_EQ(w.lenter->Caption(), "<ET> = speichern");
      Board(w, 14, 4, 3, true);
      EXPECT_TRUE(w.panelmulties->Visible());
      EXPECT_FALSE(w.Panel2->Visible());
      EXPECT_FALSE(w.btnauswertunga->Visible());
      EXPECT_TRUE(w.btnBanda->Visible());
      EXPECT_FALSE(w.btnModea->Visible());  // CW only
      NormalTabOrder(w);
    }, "contest_log_dot"},
    LayoutCase{"DotClass1WithoutMultipliers", '.', 1, Nothing, NoData, [](TContestLogStd& w) {
      EXPECT_TRUE(w.Panel2->Visible());
      EXPECT_FALSE(w.panelmulties->Visible());
      // Time, mode, band and date in one line of Panel2.
      for (TControl* c : std::vector<TControl*>{w.lezeit, w.ezeit, w.leMode, w.lMode, w.leBand,
                                                w.lband, w.leDatum, w.eDatum}) {
        EXPECT_EQ(c->Parent(), w.Panel2) << c->Name();
      }
      EXPECT_EQ(w.ezeit->Top(), w.eDatum->Top());
      EXPECT_EQ(w.leMode->Top(), w.leBand->Top());
      EXPECT_LT(w.ezeit->Left(), w.leMode->Left());
      EXPECT_LT(w.leBand->Left(), w.leDatum->Left());
      for (TControl* c : std::vector<TControl*>{w.leqso, w.lqso, w.lemulti, w.lmulti,
                                                w.lePunkte, w.lPunkte}) {
        EXPECT_FALSE(c->Visible()) << c->Name();
      }
      // The QSL box on the line below the entry, Panel2 below it, the entry panel shrunk.
      EXPECT_GT(w.lQSLs->Top(), w.eCall->Top() + w.eCall->Height());
      EXPECT_LT(w.lQSLs->Top(), w.Panel2->Top());
      EXPECT_LT(w.panelEingabe->Height(), 15 * 17);
      EXPECT_EQ(w.panelButtonsa->Top(), w.panelEingabe->Top() + w.panelEingabe->Height());
      EXPECT_TRUE(w.lqsopartner->Visible());
      EXPECT_FALSE(w.lcallname->Visible());
      // No multiplier column; the totals' heading and QSO count centred.
      EXPECT_FALSE(w.Label11->Visible());
      EXPECT_FALSE(w.Label24->Visible());
      for (int n = 0; n < kBandRows; ++n) EXPECT_FALSE(w.lMultiBand[n]->Visible());
      for (const TLabel* l : {w.Label22, w.Label28}) {
        EXPECT_EQ(l->Alignment(), platform::qt::TAlignment::taCenter) << l->Name();
        EXPECT_EQ(l->Width(), w.panelauswertung->Width() - 10) << l->Name();
      }
    }, "contest_log_without_multipliers"},
    LayoutCase{"ExchangeKinds7And5And4", 'e', 1, Nothing, NoData, [](TContestLogStd& w) {
      CaptionOver(*w.lRST2Name, *w.eRSTr2, "&1 : lfd.Nr.");
      CaptionOver(*w.lRST3Name, *w.eRSTr3, "&2 : LOC");
      CaptionOver(*w.lRST4Name, *w.eRSTr4, "&3 : DOK");
      // A fourth field: the number a line lower and larger, the hint gone, the beam below it.
      EXPECT_TRUE(w.eRSTr4->Visible());
      EXPECT_FALSE(w.lenter->Visible());
      EXPECT_EQ(w.leNummer->Top(), w.leFreq->Top());
      EXPECT_EQ(w.lNummer->Top() + w.lNummer->Height(), w.leNummer->Top() + w.leNummer->Height());
      EXPECT_EQ(w.lNummer->Font().Size(), 11);
      EXPECT_EQ(w.lbeam->Font().Size(), 11);
      EXPECT_EQ(w.lbeam->Top(), w.lNummer->Top() + std::lround(0.9 * w.lNummer->Height()));
      EXPECT_EQ(w.lebeam->Top(), w.lbeam->Top());
      NormalTabOrder(w);
    }, "contest_log_e"},
    LayoutCase{"CaptionsFollowTheKindOfTheirOwnField", 'e', 1, Nothing, NoData,
               [](TContestLogStd& w) {
      for (const TLabel* l : {w.lRST2Name, w.lRST4Name}) {
        EXPECT_EQ(l->Caption().find("LOC"), std::string::npos) << l->Name();
      }
    }, nullptr},
    LayoutCase{"QcwaBoardAndOneBandOneMode", 'k', 1, Nothing, NoData, [](TContestLogStd& w) {
      Board(w, 14, 4, 4, false);
      EXPECT_EQ(w.lRST2Name->Caption(), "&1 : QCWA");
      for (TControl* c : std::vector<TControl*>{w.btnBanda, w.btnBandb, w.btnModea,
                                                w.btnModeb}) {
        EXPECT_FALSE(c->Visible()) << c->Name();
      }
    }, nullptr},
    LayoutCase{"AreaBoardAndTheDigitalModeField", 'H', 1,
               [](contest::TContestKKRec& k) { k.ModePR = 255; }, NoData, [](TContestLogStd& w) {
      Board(w, 14, 4, 4, false);
      EXPECT_EQ(w.lRST2Name->Caption(), "&1 : Area");
      EXPECT_TRUE(w.emode->Visible());
      EXPECT_EQ(w.emode->Left(), w.lMode->Left());
      EXPECT_EQ(w.emode->Top(), w.lMode->Top() - 4);
      EXPECT_EQ(w.CurrentMode.str(), "DIGI");
    }, nullptr},
    LayoutCase{"PaddleBoardOfElevenColumns", 'p', 1, Nothing, NoData, [](TContestLogStd& w) {
      Board(w, 11, 5, 4, false);
      EXPECT_EQ(w.lRST2Name->Caption(), "&1 : DSW/Paddel");
      EXPECT_EQ(w.lRST3Name->Caption(), "&2 :  Loc");
    }, "contest_log_p"},
    LayoutCase{"FrequencyNameAndQth", 'I', 1, Nothing, NoData, [](TContestLogStd& w) {
      const Grid g(w);
      for (TControl* c : std::vector<TControl*>{w.leFreq, w.eFreq, w.leName, w.eName, w.leQTH,
                                                w.eQTH}) {
        EXPECT_TRUE(c->Visible()) << c->Name();
      }
      EXPECT_EQ(w.eFreq->Left(), w.eCall->Left());
      EXPECT_NEAR(g.Column(*w.eName), 24, 0.2);
      EXPECT_EQ(w.eQTH->Left(), w.eRSTr1->Left());
      EXPECT_NEAR(g.Cells(*w.eQTH), 16, 0.2);
      EXPECT_GT(w.eFreq->Top(), w.eCall->Top());
    }, nullptr},
    LayoutCase{"ListenerClass", 'V', 9, Nothing, NoData, [](TContestLogStd& w) {
      const Grid g(w);
      EXPECT_EQ(w.lersts->Caption(), "RSTs");
      EXPECT_EQ(w.lerstr->Caption(), "RSTs2");
      EXPECT_TRUE(w.eCall2->Visible());
      EXPECT_TRUE(w.leCall2->Visible());
      EXPECT_FALSE(w.btnNameqtha->Visible());
      EXPECT_FALSE(w.btnNameqthb->Visible());
      // The sent group on the call's line, the received one on the second call's.
      const std::vector<ui::TkvEdit*> sent = {w.eRSTs1, w.eRSTs2, w.eRSTs3, w.eRSTs4};
      const std::vector<ui::TkvEdit*> rcvd = {w.eRSTr1, w.eRSTr2, w.eRSTr3, w.eRSTr4};
      const double columns[] = {27, 31, 40, 48};
      for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_NEAR(g.Column(*sent[i]), columns[i], 0.2) << sent[i]->Name();
        EXPECT_EQ(sent[i]->Top(), w.eCall->Top()) << sent[i]->Name();
        EXPECT_EQ(rcvd[i]->Left(), sent[i]->Left()) << rcvd[i]->Name();
        EXPECT_EQ(rcvd[i]->Top(), w.eCall2->Top()) << rcvd[i]->Name();
      }
      EXPECT_EQ(w.eRSTr1->Width(), w.eRSTs1->Width());
      // Tab order 1 to 9, tags 2 to 10.
      const std::vector<ui::TkvEdit*> order = {w.eRSTs1, w.eRSTs2, w.eRSTs3, w.eRSTs4, w.eCall2,
                                               w.eRSTr1, w.eRSTr2, w.eRSTr3, w.eRSTr4};
      for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i]->TabOrder(), static_cast<int>(i) + 1) << order[i]->Name();
        EXPECT_EQ(order[i]->Tag(), static_cast<int>(i) + 2) << order[i]->Name();
      }
      // The captions stand over the sent fields.
      CaptionOver(*w.lRST2Name, *w.eRSTs2, "&1 : DOK");
    }, "contest_log_listener"},
    LayoutCase{"ReportsTypedDateAndTimeFromTheClock", '.', 5,
               [](contest::TContestKKRec& k) {
                 k.RstSentFree = 255;
                 k.RstRcvdFree = 255;
                 k.DatumAuto = 255;
                 k.ZeitAuto = 255;
               }, NoData, [](TContestLogStd& w) {
      EXPECT_TRUE(w.eRSTs1->Visible());
      EXPECT_FALSE(w.lRSTs1->Visible());
      EXPECT_TRUE(w.eRSTr1->Visible());
      EXPECT_FALSE(w.lRSTr1->Visible());
      EXPECT_FALSE(w.eDatum->Visible());
      EXPECT_TRUE(w.lDatum->Visible());
      EXPECT_FALSE(w.ezeit->Visible());
      EXPECT_TRUE(w.lZeit->Visible());
      EXPECT_TRUE(w.AutoTime);
    }, nullptr},
    LayoutCase{"SentExchangeOpen", '.', 5, Nothing,
               [](contest::TContestKZRec& d) { d.RstsNichtSperren = 255; },
               [](TContestLogStd& w) {
      EXPECT_TRUE(w.eRSTs2->Visible());
      EXPECT_FALSE(w.lRSTs2->Visible());
      EXPECT_EQ(w.eRSTs2->Width(), w.eRSTr2->Width());
    }, nullptr},
    // The per-band table and the counters of the current band.
    LayoutCase{"BandSlotOneMovesThePointsIntoTheMultipliersPlace", '.', 5, Nothing, NoData,
               [](TContestLogStd& w) {
      EXPECT_FALSE(w.Label11->Visible());
      EXPECT_FALSE(w.Label24->Visible());
      for (int n = 0; n < kBandRows; ++n) EXPECT_FALSE(w.lMultiBand[n]->Visible());
      EXPECT_EQ(w.Label27->Top(), w.Label11->Top());
      EXPECT_EQ(w.lPunkteBand[0]->Top(), w.lMultiBand[0]->Top());
      EXPECT_EQ(w.Label22->Top(), w.Label27->Top() + TContestLogDesign::kBandBlockHeight);
      EXPECT_EQ(w.leqso->Caption(), "QSO 80 m");
      EXPECT_EQ(w.lemulti->Caption(), "Multi ");
      EXPECT_EQ(w.lePunkte->Caption(), "Punkte 80 m");
    }, nullptr},
    LayoutCase{"PerBandCountersWithTheirCaptions", 'V', 1, Nothing, NoData,
               [](TContestLogStd& w) {
      EXPECT_EQ(w.leqso->Caption(), "QSO 160 m");
      EXPECT_EQ(w.lemulti->Caption(), "Multi 160 m");
      EXPECT_EQ(w.lePunkte->Caption(), "Punkte 160 m");
      EXPECT_EQ(w.lQSOBand[0]->Caption(), "160 m");
      EXPECT_EQ(w.lQSOBand[1]->Caption(), "80 m");
      EXPECT_FALSE(w.lQSOBand[2]->Visible());
      EXPECT_FALSE(w.leQSOBand[2]->Visible());
      EXPECT_EQ(w.lPunkteBand[1]->Caption(), "80 m");
      EXPECT_FALSE(w.lePunkteBand[2]->Visible());
    }, nullptr},
    LayoutCase{"MultipliersPerBandShowTheirRows", 'V', 1, Nothing, NoData,
               [](TContestLogStd& w) {
      EXPECT_TRUE(w.Label11->Visible());
      EXPECT_TRUE(w.lMultiBand[1]->Visible());
      EXPECT_EQ(w.lMultiBand[1]->Caption(), "80 m");
      EXPECT_TRUE(w.leMultiBand[1]->Visible());
      EXPECT_FALSE(w.lMultiBand[2]->Visible());
      EXPECT_GT(w.Label27->Top(), w.lMultiBand[kBandRows - 1]->Top());
    }, nullptr, [](contest::TContestRec& d) { d.LabelFlag = 0; }},
    LayoutCase{"NoBandMultiplierFlagHidesTheBandsMultipliers", 'V', 1, Nothing, NoData,
               [](TContestLogStd& w) {
      for (int n = 0; n < kBandRows; ++n) {
        EXPECT_FALSE(w.lMultiBand[n]->Visible()) << n;
        EXPECT_FALSE(w.leMultiBand[n]->Visible()) << n;
      }
      EXPECT_TRUE(w.Label11->Visible());  // counted per band: the heading stays
      EXPECT_TRUE(w.Label27->Visible());
      EXPECT_TRUE(w.lPunkteBand[0]->Visible());
    }, nullptr},
    LayoutCase{"NoBandMultiplierFlagOverAllBandsHidesThePoints", '4', 1, Nothing, NoData,
               [](TContestLogStd& w) {
      for (TControl* c : std::vector<TControl*>{w.Label27, w.Label30_, w.Label11, w.Label24}) {
        EXPECT_FALSE(c->Visible()) << c->Name();
      }
      for (int n = 0; n < kBandRows; ++n) {
        EXPECT_FALSE(w.lPunkteBand[n]->Visible()) << n;
        EXPECT_FALSE(w.lePunkteBand[n]->Visible()) << n;
      }
      EXPECT_TRUE(w.lQSOBand[0]->Visible());
    }, nullptr},
    LayoutCase{"MoreThanSevenBandsShowTheFirstSeven", '.', 5, Nothing, NoData,
               [](TContestLogStd& w) {
      const char* names[] = {"160 m", "80 m", "40 m", "30 m", "20 m", "17 m", "15 m"};
      for (int n = 0; n < kBandRows; ++n) {
        EXPECT_TRUE(w.lQSOBand[n]->Visible()) << n;
        EXPECT_EQ(w.lQSOBand[n]->Caption(), names[n]);
      }
      EXPECT_EQ(w.listband->Items().Count(), 9);
    }, nullptr, [](contest::TContestRec& d) {
      const char bands[] = "abcdefghi";
      for (int i = 0; i < 9; ++i) d.Bands[static_cast<std::size_t>(i)] = bands[i];
    }},
    LayoutCase{"PrefixContestCountsOverAllBands", '5', 1, Nothing, NoData,
               [](TContestLogStd& w) {
      EXPECT_EQ(w.lemulti->Caption(), "Präfixe ");
    }, nullptr},
    LayoutCase{"EvaluationButtonsOnlyWhereTheContestHasCharts", 'W', 1, Nothing, NoData,
               [](TContestLogStd& w) {
      EXPECT_TRUE(w.btnauswertunga->Visible());
      EXPECT_TRUE(w.btnauswertungb->Visible());
    }, nullptr}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });
// clang-format on


class LayoutTest : public contestlog_test::LogWindowTest {};

TEST_F(LayoutTest, TheBoardBelongsToItsWindowAndDoesNotCarryOverToTheNextLog) {
  LogBuilder paddle('p', 1);
  const std::int32_t one = paddle.Create();
  LogBuilder dot('.', 5);
  const std::int32_t two = dot.Create();
  std::vector<std::size_t> counts;
  RunLog(one, paddle.Definition(),
         [&](TContestLogStd& w) { counts.push_back(BoardLabels(w).size()); });
  RunLog(two, dot.Definition(), [&](TContestLogStd& w) { counts.push_back(BoardLabels(w).size()); });
  EXPECT_EQ(counts, (std::vector<std::size_t>{8 * 11, 8 * 14}));
}

// A period over the whole test day on the bands given.
contest::TContestRec WithPeriod(contest::TContestRec d, const char* bands) {
  d.Periods[0].PeriodDate = "09.03.2024";
  d.Periods[0].PeriodTimeFrom = "00:00:00";
  d.Periods[0].PeriodTimeTo = "23:59:59";
  for (int i = 0; bands[i] != 0; ++i) d.Periods[0].PeriodBands[static_cast<std::size_t>(i)] = bands[i];
  return d;
}

TEST_F(LayoutTest, WithBandPeriodsOnThePeriodInForceGivesTheStartBand) {
  struct Case {
    bool periods_on;
    const char* bands;
    char band;
  };
  // The contest's first band is 'b' (80 m).
  for (const Case& c : {Case{true, "ec", 'e'}, Case{true, "cb", 'b'}, Case{false, "ec", 'b'}}) {
    LogBuilder b('.', 5);
    b.Catalogue().BandAuto = c.periods_on ? 255 : 0;
    const std::int32_t log = b.Create();
    RunLog(log, WithPeriod(b.Definition(), c.bands), [&](TContestLogStd& w) {
      EXPECT_EQ(w.CurrentBand, c.band) << c.bands << " " << c.periods_on;
      EXPECT_EQ(w.leqso->Caption(), "QSO " + w.CurrentBandName.str());
    });
  }
}

TEST_F(LayoutTest, TheCataloguesModeChoiceGivesTheStartMode) {
  struct Case {
    void (*choose)(contest::TContestKKRec&);
    const char* mode;
  };
  const Case cases[] = {{[](contest::TContestKKRec&) {}, "CW"},
                        {[](contest::TContestKKRec& k) { k.ModeSSB = 255; }, "SSB"},
                        {[](contest::TContestKKRec& k) { k.ModeFM = 255; }, "FM"},
                        {[](contest::TContestKKRec& k) { k.ModePR = 255; }, "DIGI"}};
  for (const Case& c : cases) {
    LogBuilder b('5', 1);  // CW, DIGITAL, FM, SSB
    c.choose(b.Catalogue());
    const std::int32_t log = b.Create();
    RunLog(log, b.Definition(), [&](TContestLogStd& w) {
      EXPECT_EQ(w.CurrentMode.str(), c.mode);
      EXPECT_EQ(w.listmode->Items().Count(), 4);
      EXPECT_TRUE(w.btnModea->Visible());
    });
  }
}


TEST_F(LayoutTest, ALogOpensOnTheBandOfItsLastRecord) {
  using contestlog_test::kContestDay;
  using contestlog_test::Qso;
  struct Case {
    const char* name;
    bool qsy_last;  // the last record is a QSY marker to 40 m
    char band;
    const char* caption;
  };
  // The contest's first band is 80 m; the QSOs are on 80 m, then on 20 m, with their
  // multiplier texts, so that the opening need not renumber the log (which drops markers).
  const auto evaluated = [](const char* call, char band, std::int32_t time) {
    contest::TContestLKRec q = Qso(call, band, kContestDay, time);
    q.CMulti = call;
    q.Info = "DL";
    return q;
  };
  for (const Case& c : {Case{"LastQsoOn20m", false, 'e', "QSO 20 m"},
                        Case{"QsyMarkerTo40mLast", true, 'c', "QSO 40 m"}}) {
    LogBuilder b('.', 5);
    const std::int32_t log = b.Create();
    b.Add(evaluated("DL2XYZ", 'b', 3600));
    b.Add(evaluated("F5ABC", 'e', 3700));
    if (c.qsy_last) b.AddQsy('c', kContestDay, 3800);
    RunLog(log, b.Definition(), [&](TContestLogStd& w) {
      EXPECT_EQ(w.CurrentBand, c.band) << c.name;
      EXPECT_EQ(w.CurrentBandName.str(), std::string(c.caption).substr(4)) << c.name;
      EXPECT_EQ(w.leqso->Caption(), c.caption) << c.name;
      if (!c.qsy_last) Shot(w, "contest_log_dot_with_qsos");
    });
  }
  // A log whose last QSO is on the first band stays there.
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(Qso("F5ABC", 'e', kContestDay, 3600));
  b.Add(Qso("DL2XYZ", 'b', kContestDay, 3700));
  RunLog(log, b.Definition(), [&](TContestLogStd& w) { EXPECT_EQ(w.CurrentBand, 'b'); });
}

}  // namespace
}  // namespace contestlog
