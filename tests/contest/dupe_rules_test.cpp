// The duplicate checks of the rule object on a small log: which earlier QSO makes the new one a
// dupe under each kind and contest code, what the rule answers, and when the user is warned.
#include <algorithm>
#include <functional>

#include "common/dates.h"
#include "common/lang_text.h"
#include "contest/cont_log_alle.h"
#include "tests/common/rows.h"
#include "tests/contest/service_fixture.h"

namespace contest_test {
namespace {

using common::MessageKind;
using common::testing::RowName;
using contest::TContestRec;
using contest::TContLogAlle;

constexpr std::int32_t kLog = 3;
const std::int32_t kDay = common::DMYToDate(21, 3, 2020);

std::int32_t At(int hours, int minutes) { return hours * 3600 + minutes * 60; }

// One rule asked about the new QSO: its answer as a number (a Boolean rule: 1 true, 0 false).
using RuleCall = std::function<int(const TContLogAlle&, const TdbContest& log,
                                   const TContestRec& definition, const TContestLKRec& qso)>;

const RuleCall kBandMode = [](const TContLogAlle& rules, const TdbContest& log,
                              const TContestRec& d, const TContestLKRec& q) {
  return rules.DupeBandMode(q.Call.view(), q.Bandcode, log, d, q.Mode.view());
};
RuleCall Band(char code) {
  return [code](const TContLogAlle& rules, const TdbContest& log, const TContestRec& d,
                const TContestLKRec& q) {
    return rules.DupeBand(q.Call.view(), q.Bandcode, code, log, d);
  };
}
RuleCall SameDay(char code) {
  return [code](const TContLogAlle& rules, const TdbContest& log, const TContestRec& d,
                const TContestLKRec& q) {
    return rules.DupeSameDay(q.Call.view(), q.Datum, code, log, d);
  };
}
const RuleCall kMode = [](const TContLogAlle& rules, const TdbContest& log, const TContestRec& d,
                          const TContestLKRec& q) {
  return static_cast<int>(rules.DupeMode(q.Call.view(), q.Mode.view(), log, d));
};
RuleCall BandPeriod(char code) {
  return [code](const TContLogAlle& rules, const TdbContest& log, const TContestRec& d,
                const TContestLKRec& q) {
    return static_cast<int>(rules.DupeBandPeriod(q.Call.view(), q.Bandcode, code, log, d, q.Zeit));
  };
}
RuleCall BandDay(char code) {
  return [code](const TContLogAlle& rules, const TdbContest& log, const TContestRec& d,
                const TContestLKRec& q) {
    return static_cast<int>(rules.DupeBandDay(q.Call.view(), q.Bandcode, code, log, d, q.Datum));
  };
}
const RuleCall kAnywhere = [](const TContLogAlle& rules, const TdbContest& log,
                              const TContestRec& d, const TContestLKRec& q) {
  return rules.DupeAnywhere(q.Call.view(), d, log);
};

TContestLKRec Marked(TContestLKRec q) {
  q.NoPoints = 255;
  return q;
}

struct DupeRow {
  const char* name;
  std::uint8_t kind;
  std::vector<TContestLKRec> earlier;  // the log before the new QSO
  TContestLKRec qso;                   // the new QSO
  RuleCall rule;
  int result;
  bool warned;  // one beep and one warning; a dupe without warning still beeps
};
void PrintTo(const DupeRow& row, std::ostream* os) { *os << row.name; }

class DupeTest : public ServiceTest {
 protected:
  // Fills the log, puts the new QSO into the log window's object and asks the rule.
  int Ask(std::uint8_t kind, const std::vector<TContestLKRec>& earlier, const TContestLKRec& qso,
          const RuleCall& rule) {
    for (const TContestLKRec& q : earlier) Add(kLog, q);
    definition_->DupeKind = kind;
    TdbContest log(contest::kTableLK, kLog);
    log.ClearRec();
    log.SetLKRec(qso);
    const int result = rule(rules_, log, *definition_, qso);
    // The caller's object still holds the new QSO.
    EXPECT_EQ(log.GetCall(), qso.Call.str());
    return result;
  }
  std::size_t Beeps() const { return std::count(port_->calls.begin(), port_->calls.end(), "Beep"); }

  std::unique_ptr<TContestRec> definition_ = std::make_unique<TContestRec>();
  TContLogAlle rules_;
};

class DupeRules : public DupeTest, public ::testing::WithParamInterface<DupeRow> {};

TEST_P(DupeRules, AnswerAndWarning) {
  const DupeRow& row = GetParam();
  EXPECT_EQ(Ask(row.kind, row.earlier, row.qso, row.rule), row.result);
  ASSERT_EQ(presenter_->calls.size(), row.warned ? 1u : 0u);
  if (row.warned) {
    EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kAchtung);
  }
  // Every dupe rings the bell: the warned ones and those kept without points.
  const bool dupe = row.warned || row.result == 2 || row.result == 3;
  EXPECT_EQ(Beeps(), dupe ? 1u : 0u);
}

const TContestLKRec kCw80 = Qso("DL1ABC", 'b', kDay, At(13, 5), "CW");

INSTANTIATE_TEST_SUITE_P(
    Kinds, DupeRules,
    ::testing::Values(
        DupeRow{"Kind1SameBandModeRefused",
                1,
                {kCw80},
                Qso("DL1ABC", 'b', kDay, At(14, 0)),
                kBandMode,
                1,
                true},
        DupeRow{"Kind1PortableIsTheSameStation",
                1,
                {kCw80},
                Qso("DL1ABC/P", 'b', kDay, At(14, 0)),
                kBandMode,
                1,
                true},
        DupeRow{"Kind1OtherModeNoDupe",
                1,
                {kCw80},
                Qso("DL1ABC", 'b', kDay, At(14, 0), "SSB"),
                kBandMode,
                0,
                false},
        DupeRow{"Kind1OtherBandNoDupe",
                1,
                {kCw80},
                Qso("DL1ABC", 'c', kDay, At(14, 0)),
                kBandMode,
                0,
                false},
        DupeRow{"Kind7SilentWithoutPoints",
                7,
                {kCw80},
                Qso("DL1ABC", 'b', kDay, At(14, 0)),
                kBandMode,
                2,
                false},
        DupeRow{"Kind8WarnsUnmarked",
                8,
                {kCw80},
                Qso("DL1ABC", 'b', kDay, At(14, 0)),
                kBandMode,
                3,
                true},
        DupeRow{"Kind8MarkedSilent",
                8,
                {kCw80},
                Marked(Qso("DL1ABC", 'b', kDay, At(14, 0))),
                kBandMode,
                3,
                false},
        DupeRow{"Kind2SameBandOtherMode",
                2,
                {kCw80},
                Qso("DL1ABC", 'b', kDay, At(14, 0), "SSB"),
                Band('R'),
                1,
                true},
        DupeRow{"Kind2OtherBandNoDupe",
                2,
                {kCw80},
                Qso("DL1ABC", 'c', kDay, At(14, 0)),
                Band('R'),
                0,
                false},
        DupeRow{"Kind2SameCallOnTheNextBandNoDupe",
                2,
                {Qso("DL1ABC", 'c', kDay, At(13, 0))},
                Qso("DL1ABC", 'b', kDay, At(14, 0)),
                Band('R'),
                0,
                false},
        DupeRow{"Kind2NextCallNoDupe",
                2,
                {Qso("DL1ABCD", 'b', kDay, At(13, 0))},
                Qso("DL1ABC", 'b', kDay, At(14, 0)),
                Band('R'),
                0,
                false},
        DupeRow{"Kind9MarkedSilent",
                9,
                {kCw80},
                Marked(Qso("DL1ABC", 'b', kDay, At(14, 0))),
                Band('R'),
                3,
                false},
        DupeRow{"Kind10MarkedSilent",
                10,
                {kCw80},
                Marked(Qso("DL1ABC", 'e', kDay + 1, 0, "FM")),
                kAnywhere,
                3,
                false},
        DupeRow{
            "Kind5Anywhere", 5, {kCw80}, Qso("DL1ABC", 'e', kDay + 1, 0, "FM"), kAnywhere, 1, true},
        DupeRow{"Kind13MarkedSilent",
                13,
                {kCw80},
                Marked(Qso("DL1ABC", 'e', kDay, At(20, 0))),
                SameDay('R'),
                3,
                false},
        DupeRow{"Kind12Silent",
                12,
                {kCw80},
                Qso("DL1ABC", 'e', kDay, At(20, 0)),
                SameDay('R'),
                2,
                false},
        DupeRow{"Kind11NextDayNoDupe",
                11,
                {kCw80},
                Qso("DL1ABC", 'b', kDay + 1, 0),
                SameDay('R'),
                0,
                false},
        // Mode groups.
        DupeRow{"Kind3UsbAfterFm",
                3,
                {Qso("DL1ABC", 'b', kDay, At(9, 0), "FM")},
                Qso("DL1ABC", 'c', kDay, At(14, 0), "USB"),
                kMode,
                0,
                true},
        DupeRow{"Kind3LsbAfterSsb",
                3,
                {Qso("DL1ABC", 'b', kDay, At(9, 0), "SSB")},
                Qso("DL1ABC", 'b', kDay, At(14, 0), "LSB"),
                kMode,
                0,
                true},
        DupeRow{"Kind3DigitalAfterFmNoDupe",
                3,
                {Qso("DL1ABC", 'b', kDay, At(9, 0), "FM")},
                Qso("DL1ABC", 'b', kDay, At(14, 0), "DIGITAL"),
                kMode,
                1,
                false},
        DupeRow{"Kind3DigitalAfterPr",
                3,
                {Qso("DL1ABC", 'b', kDay, At(9, 0), "PR")},
                Qso("DL1ABC", 'b', kDay, At(14, 0), "DIGITAL"),
                kMode,
                0,
                true},
        DupeRow{
            "Kind3DigitalAfterCwAndSsb",
            3,
            {Qso("DL1ABC", 'b', kDay, At(9, 0), "CW"), Qso("DL1ABC", 'b', kDay, At(10, 0), "SSB")},
            Qso("DL1ABC", 'b', kDay, At(14, 0), "DIGITAL"),
            kMode,
            1,
            false},
        DupeRow{"Kind3CwAfterCw",
                3,
                {Qso("DL1ABC", 'b', kDay - 3, At(9, 0), "CW")},
                Qso("DL1ABC", 'i', kDay, At(14, 0), "CW"),
                kMode,
                0,
                true},
        DupeRow{"Kind3CwAfterSsb",
                3,
                {Qso("DL1ABC", 'b', kDay, At(9, 0), "SSB")},
                Qso("DL1ABC", 'b', kDay, At(14, 0), "CW"),
                kMode,
                1,
                false},
        DupeRow{"Kind3OtherCallNoDupe",
                3,
                {Qso("DL1ABD", 'b', kDay, At(9, 0), "CW")},
                Qso("DL1ABC", 'b', kDay, At(14, 0), "CW"),
                kMode,
                1,
                false},
        // Code '6': halves of the day.
        DupeRow{"Code6Before1500AndAt1500",
                4,
                {Qso("DL1ABC", 'b', kDay, At(14, 59))},
                Qso("DL1ABC", 'b', kDay, At(15, 0)),
                BandPeriod('6'),
                1,
                false},
        DupeRow{"Code6At1500And1630",
                4,
                {Qso("DL1ABC", 'b', kDay, At(15, 0))},
                Qso("DL1ABC", 'b', kDay, At(16, 30)),
                BandPeriod('6'),
                0,
                true},
        DupeRow{"Code6LaterRecordOfTheWalk",
                4,
                {Qso("DL1ABC", 'b', kDay, At(9, 0)), Qso("DL1ABC", 'b', kDay, At(15, 30))},
                Qso("DL1ABC", 'b', kDay + 1, At(16, 30)),
                BandPeriod('6'),
                0,
                true},
        DupeRow{"PeriodRuleOnlyForCode6",
                4,
                {Qso("DL1ABC", 'b', kDay, At(15, 0))},
                Qso("DL1ABC", 'b', kDay, At(16, 30)),
                BandPeriod('o'),
                1,
                false},
        // Code 'o': days.
        DupeRow{"CodeOSameBandSameDay",
                4,
                {Qso("DL1ABC", 'b', kDay, At(9, 0))},
                Qso("DL1ABC", 'b', kDay, At(23, 0)),
                BandDay('o'),
                0,
                true},
        DupeRow{"CodeONextDay",
                4,
                {Qso("DL1ABC", 'b', kDay, At(9, 0))},
                Qso("DL1ABC", 'b', kDay + 1, At(1, 0)),
                BandDay('o'),
                1,
                false},
        DupeRow{"CodeOOtherBand",
                4,
                {Qso("DL1ABC", 'b', kDay, At(9, 0))},
                Qso("DL1ABC", 'c', kDay, At(10, 0)),
                BandDay('o'),
                1,
                false},
        DupeRow{"DayRuleOnlyForCodeO",
                4,
                {Qso("DL1ABC", 'b', kDay, At(9, 0))},
                Qso("DL1ABC", 'b', kDay, At(23, 0)),
                BandDay('6'),
                1,
                false},
        // Same day, and code 'h' per band.
        DupeRow{"Kind11CodeHOtherBandNoDupe",
                11,
                {Qso("DL1ABC", 'b', kDay, At(9, 0))},
                Qso("DL1ABC", 'c', kDay, At(10, 0)),
                SameDay('h'),
                0,
                false},
        DupeRow{"Kind11OtherCodeOtherBandDupe",
                11,
                {Qso("DL1ABC", 'b', kDay, At(9, 0))},
                Qso("DL1ABC", 'c', kDay, At(10, 0)),
                SameDay('R'),
                1,
                true},
        DupeRow{"Kind13CodeHBandWorkedAfterAnotherBand",
                13,
                {Qso("DL1ABC", 'b', kDay, At(9, 0)), Qso("DL1ABC", 'c', kDay, At(10, 0))},
                Qso("DL1ABC", 'c', kDay, At(11, 0)),
                SameDay('h'),
                3,
                true},
        DupeRow{"Kind13CodeHAfterPortable",
                13,
                {Qso("DL1ABC/P", 'c', kDay, At(10, 0))},
                Qso("DL1ABC", 'c', kDay, At(11, 0)),
                SameDay('h'),
                3,
                true},
        // Code '9': the part that carries the prefix must match too.
        DupeRow{"Code9OtherPrefixPartNoDupe",
                2,
                {Qso("OE/DL1ABC", 'b', kDay, At(9, 0))},
                Qso("DL1ABC", 'b', kDay, At(10, 0)),
                Band('9'),
                0,
                false},
        DupeRow{"Code9LaterRecordEqualInBoth",
                9,
                {Qso("OE/DL1ABC", 'b', kDay, At(9, 0)), Qso("DL1ABC", 'b', kDay, At(9, 30))},
                Qso("DL1ABC", 'b', kDay, At(10, 0)),
                Band('9'),
                3,
                true},
        DupeRow{"OtherCodesIgnoreThePrefixPart",
                2,
                {Qso("OE/DL1ABC", 'b', kDay, At(9, 0))},
                Qso("DL1ABC", 'b', kDay, At(10, 0)),
                Band('R'),
                1,
                true}),
    RowName);

TEST_F(DupeTest, TheWarningNamesTheCallAndTheEarlierQso) {
  EXPECT_EQ(Ask(1, {kCw80}, Qso("dl1abc/p", 'b', kDay, At(14, 0)), kBandMode), 1);
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kAchtung);
  EXPECT_EQ(presenter_->calls[0].title, "");
  EXPECT_EQ(presenter_->calls[0].text,
            "Call DL1ABC bereits auf Band/Mode vorhanden\r\nDL1ABC 21.03.2020 13:05 80 m CW");
  EXPECT_EQ(Beeps(), 1u);

  common::SetLanguageByte(2);
  EXPECT_EQ(Ask(1, {}, Qso("DL1ABC", 'b', kDay, At(14, 0)), kBandMode), 1);
  common::SetLanguageByte(common::kLanguageGerman);
  ASSERT_EQ(presenter_->calls.size(), 2u);
  EXPECT_EQ(presenter_->calls[1].text,
            "Call already exists on band/mode\r\nDL1ABC 21.03.2020 13:05 80 m CW");
}

TEST_F(DupeTest, ASilentDupeStillRingsTheBell) {
  EXPECT_EQ(Ask(7, {kCw80}, Qso("DL1ABC", 'b', kDay, At(14, 0)), kBandMode), 2);
  EXPECT_EQ(Beeps(), 1u);
  EXPECT_TRUE(presenter_->calls.empty());
}

class NoRule : public DupeTest, public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(NoRule, NoRuleReacts) {
  const std::vector<TContestLKRec> log = {kCw80, Qso("DL1ABC", 'b', kDay, At(15, 30), "SSB")};
  const TContestLKRec qso = Qso("DL1ABC", 'b', kDay, At(16, 0));
  EXPECT_EQ(Ask(GetParam(), log, qso, kBandMode), 0);
  EXPECT_EQ(Ask(GetParam(), {}, qso, Band('R')), 0);
  EXPECT_EQ(Ask(GetParam(), {}, qso, SameDay('R')), 0);
  EXPECT_EQ(Ask(GetParam(), {}, qso, kMode), 1);
  EXPECT_EQ(Ask(GetParam(), {}, qso, kAnywhere), 0);
  EXPECT_TRUE(port_->calls.empty());
  EXPECT_TRUE(presenter_->calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, NoRule, ::testing::Values(0, 6));

}  // namespace
}  // namespace contest_test
