// The duplicate checks of the rule object on a small log: which earlier QSO makes the new one a
// dupe under each kind and contest code, what the rule answers, and when the user is warned.
#include <algorithm>
#include <sstream>

#include "common/dates.h"
#include "common/lang_text.h"
#include "contest/cont_log_alle.h"
#include "tests/common/rows.h"
#include "tests/contest/service_fixture.h"

namespace contest_test {
namespace {

using common::MessageKind;
using common::testing::RowName;

constexpr std::int32_t kLog = 3;
const std::int32_t kDay = common::DMYToDate(21, 3, 2020);

// "CALL BAND DAY HH:MM MODE [*]": CALL "=" is DL1ABC, DAY counts from 21.03.2020, '*' marks the
// QSO (NoPoints).
TContestLKRec Spec(const std::string& spec) {
  std::istringstream in(spec);
  std::string call, mark;
  char band = 0, colon = 0;
  int day = 0, hours = 0, minutes = 0;
  std::string mode;
  in >> call >> band >> day >> hours >> colon >> minutes >> mode >> mark;
  TContestLKRec q =
      Qso(call == "=" ? "DL1ABC" : call, band, kDay + day, hours * 3600 + minutes * 60, mode);
  q.NoPoints = mark == "*" ? 255 : 0;
  return q;
}

enum RuleName { kBandMode, kBand, kSameDay, kMode, kBandPeriod, kBandDay, kAnywhere };

struct DupeRow {
  const char* name;
  std::uint8_t kind;
  RuleName rule;
  char code;
  std::vector<std::string> earlier;  // the log before the new QSO
  const char* qso;                   // the new QSO
  int result;                        // a Boolean rule: 1 true, 0 false
  bool warned;
};
void PrintTo(const DupeRow& row, std::ostream* os) { *os << row.name; }

class DupeTest : public ServiceTest {
 protected:
  // Fills the log, puts the new QSO into the log window's object and asks the rule.
  int Ask(std::uint8_t kind, RuleName rule, char code, const std::vector<std::string>& earlier,
          const std::string& spec) {
    for (const std::string& e : earlier) Add(kLog, Spec(e));
    definition_->DupeKind = kind;
    const TContestLKRec q = Spec(spec);
    TdbContest log(contest::kTableLK, kLog);
    log.ClearRec();
    log.SetLKRec(q);
    const int result = Answer(rule, code, q, log);
    EXPECT_EQ(log.GetCall(), q.Call.str());  // the caller's object still holds the new QSO
    return result;
  }
  int Answer(RuleName rule, char code, const TContestLKRec& q, const TdbContest& log) const {
    const contest::TContestRec& d = *definition_;
    const std::string_view call = q.Call.view();
    switch (rule) {
      case kBandMode:
        return rules_.DupeBandMode(call, q.Bandcode, log, d, q.Mode.view());
      case kBand:
        return rules_.DupeBand(call, q.Bandcode, code, log, d);
      case kSameDay:
        return rules_.DupeSameDay(call, q.Datum, code, log, d);
      case kMode:
        return rules_.DupeMode(call, q.Mode.view(), log, d);
      case kBandPeriod:
        return rules_.DupeBandPeriod(call, q.Bandcode, code, log, d, q.Zeit);
      case kBandDay:
        return rules_.DupeBandDay(call, q.Bandcode, code, log, d, q.Datum);
      case kAnywhere:
        return rules_.DupeAnywhere(call, d, log);
    }
    return -1;
  }
  std::size_t Beeps() const { return std::count(port_->calls.begin(), port_->calls.end(), "Beep"); }

  std::unique_ptr<contest::TContestRec> definition_ = std::make_unique<contest::TContestRec>();
  contest::TContLogAlle rules_;
};

class DupeRules : public DupeTest, public ::testing::WithParamInterface<DupeRow> {};

TEST_P(DupeRules, AnswerAndWarning) {
  const DupeRow& row = GetParam();
  EXPECT_EQ(Ask(row.kind, row.rule, row.code, row.earlier, row.qso), row.result);
  ASSERT_EQ(presenter_->calls.size(), row.warned ? 1u : 0u);
  if (row.warned) {
    EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kAchtung);
  }
  // Every dupe rings the bell: the warned ones and those kept without points.
  EXPECT_EQ(Beeps(), row.warned || row.result == 2 || row.result == 3 ? 1u : 0u);
}

const char* const kCw = "= b 0 13:05 CW";  // the earlier QSO of most rows

// clang-format off
const DupeRow kDupeRows[] = {
    {"Kind1SameBandMode", 1, kBandMode, 0, {kCw}, "= b 0 14:00 CW", 1, true},
    {"Kind1PortableSameStation", 1, kBandMode, 0, {kCw}, "DL1ABC/P b 0 14:00 CW", 1, true},
    {"Kind1OtherMode", 1, kBandMode, 0, {kCw}, "= b 0 14:00 SSB", 0, false},
    {"Kind1OtherBand", 1, kBandMode, 0, {kCw}, "= c 0 14:00 CW", 0, false},
    {"Kind7Silent", 7, kBandMode, 0, {kCw}, "= b 0 14:00 CW", 2, false},
    {"Kind8WarnsUnmarked", 8, kBandMode, 0, {kCw}, "= b 0 14:00 CW", 3, true},
    {"Kind8Marked", 8, kBandMode, 0, {kCw}, "= b 0 14:00 CW *", 3, false},
    {"Kind2OtherMode", 2, kBand, 'R', {kCw}, "= b 0 14:00 SSB", 1, true},
    {"Kind2OtherBand", 2, kBand, 'R', {kCw}, "= c 0 14:00 CW", 0, false},
    {"Kind2CallOnNextBand", 2, kBand, 'R', {"= c 0 13:00 CW"}, "= b 0 14:00 CW", 0, false},
    {"Kind2NextCall", 2, kBand, 'R', {"DL1ABCD b 0 13:00 CW"}, "= b 0 14:00 CW", 0, false},
    {"Kind9Marked", 9, kBand, 'R', {kCw}, "= b 0 14:00 CW *", 3, false},
    {"Kind5Anywhere", 5, kAnywhere, 0, {kCw}, "= e 1 00:00 FM", 1, true},
    {"Kind10Marked", 10, kAnywhere, 0, {kCw}, "= e 1 00:00 FM *", 3, false},
    {"Kind12Silent", 12, kSameDay, 'R', {kCw}, "= e 0 20:00 CW", 2, false},
    {"Kind13Marked", 13, kSameDay, 'R', {kCw}, "= e 0 20:00 CW *", 3, false},
    {"Kind11NextDay", 11, kSameDay, 'R', {kCw}, "= b 1 00:00 CW", 0, false},
    {"Kind11HOtherBand", 11, kSameDay, 'h', {"= b 0 09:00 CW"}, "= c 0 10:00 CW", 0, false},
    {"Kind11OtherCodeOtherBand", 11, kSameDay, 'R', {"= b 0 09:00 CW"}, "= c 0 10:00 CW", 1, true},
    {"Kind13HBandAfterAnotherBand", 13, kSameDay, 'h', {"= b 0 09:00 CW", "= c 0 10:00 CW"},
     "= c 0 11:00 CW", 3, true},
    {"Kind13HAfterPortable", 13, kSameDay, 'h', {"DL1ABC/P c 0 10:00 CW"},
     "= c 0 11:00 CW", 3, true},
    // Mode groups: CW; SSB, USB, LSB, FM; everything else.
    {"Kind3UsbAfterFm", 3, kMode, 0, {"= b 0 09:00 FM"}, "= c 0 14:00 USB", 0, true},
    {"Kind3LsbAfterSsb", 3, kMode, 0, {"= b 0 09:00 SSB"}, "= b 0 14:00 LSB", 0, true},
    {"Kind3DigitalAfterFm", 3, kMode, 0, {"= b 0 09:00 FM"}, "= b 0 14:00 DIGITAL", 1, false},
    {"Kind3DigitalAfterPr", 3, kMode, 0, {"= b 0 09:00 PR"}, "= b 0 14:00 DIGITAL", 0, true},
    {"Kind3DigitalAfterCwAndSsb", 3, kMode, 0, {"= b 0 09:00 CW", "= b 0 10:00 SSB"},
     "= b 0 14:00 DIGITAL", 1, false},
    {"Kind3CwAfterCw", 3, kMode, 0, {"= b -3 09:00 CW"}, "= i 0 14:00 CW", 0, true},
    {"Kind3CwAfterSsb", 3, kMode, 0, {"= b 0 09:00 SSB"}, "= b 0 14:00 CW", 1, false},
    {"Kind3OtherCall", 3, kMode, 0, {"DL1ABD b 0 09:00 CW"}, "= b 0 14:00 CW", 1, false},
    // Code '6': halves of the day; code 'o': days.
    {"Code6At1459And1500", 4, kBandPeriod, '6', {"= b 0 14:59 CW"}, "= b 0 15:00 CW", 1, false},
    {"Code6At1500And1630", 4, kBandPeriod, '6', {"= b 0 15:00 CW"}, "= b 0 16:30 CW", 0, true},
    {"Code6LaterRecord", 4, kBandPeriod, '6', {"= b 0 09:00 CW", "= b 0 15:30 CW"},
     "= b 1 16:30 CW", 0, true},
    {"PeriodOnlyForCode6", 4, kBandPeriod, 'o', {"= b 0 15:00 CW"}, "= b 0 16:30 CW", 1, false},
    {"CodeOSameDay", 4, kBandDay, 'o', {"= b 0 09:00 CW"}, "= b 0 23:00 CW", 0, true},
    {"CodeONextDay", 4, kBandDay, 'o', {"= b 0 09:00 CW"}, "= b 1 01:00 CW", 1, false},
    {"CodeOOtherBand", 4, kBandDay, 'o', {"= b 0 09:00 CW"}, "= c 0 10:00 CW", 1, false},
    {"DayOnlyForCodeO", 4, kBandDay, '6', {"= b 0 09:00 CW"}, "= b 0 23:00 CW", 1, false},
    // Code '9': the part that carries the prefix must match too.
    {"Code9OtherPrefixPart", 2, kBand, '9', {"OE/DL1ABC b 0 09:00 CW"}, "= b 0 10:00 CW", 0, false},
    {"Code9LaterRecordEqualInBoth", 9, kBand, '9', {"OE/DL1ABC b 0 09:00 CW", "= b 0 09:30 CW"},
     "= b 0 10:00 CW", 3, true},
    {"OtherCodesIgnorePrefixPart", 2, kBand, 'R', {"OE/DL1ABC b 0 09:00 CW"},
     "= b 0 10:00 CW", 1, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Kinds, DupeRules, ::testing::ValuesIn(kDupeRows), RowName);

TEST_F(DupeTest, TheWarningNamesTheCallAndTheEarlierQso) {
  EXPECT_EQ(Ask(1, kBandMode, 0, {"DL1ABC b 0 13:05 CW"}, "dl1abc/p b 0 14:00 CW"), 1);
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].title, "");
  EXPECT_EQ(presenter_->calls[0].text,
            "Call DL1ABC bereits auf Band/Mode vorhanden\r\nDL1ABC 21.03.2020 13:05 80 m CW");

  common::SetLanguageByte(2);
  EXPECT_EQ(Ask(1, kBandMode, 0, {}, "DL1ABC b 0 14:00 CW"), 1);
  common::SetLanguageByte(common::kLanguageGerman);
  ASSERT_EQ(presenter_->calls.size(), 2u);
  EXPECT_EQ(presenter_->calls[1].text,
            "Call already exists on band/mode\r\nDL1ABC 21.03.2020 13:05 80 m CW");
}

class NoRule : public DupeTest, public ::testing::WithParamInterface<int> {};

TEST_P(NoRule, KindsZeroAndSixLetEveryRulePass) {
  const auto kind = static_cast<std::uint8_t>(GetParam());
  const std::vector<std::string> log = {"DL1ABC b 0 13:05 CW", "DL1ABC b 0 15:30 SSB"};
  const std::string qso = "DL1ABC b 0 16:00 CW";
  EXPECT_EQ(Ask(kind, kBandMode, 0, log, qso), 0);
  EXPECT_EQ(Ask(kind, kBand, 'R', {}, qso), 0);
  EXPECT_EQ(Ask(kind, kSameDay, 'R', {}, qso), 0);
  EXPECT_EQ(Ask(kind, kMode, 0, {}, qso), 1);
  EXPECT_EQ(Ask(kind, kAnywhere, 0, {}, qso), 0);
  EXPECT_TRUE(port_->calls.empty());
  EXPECT_TRUE(presenter_->calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, NoRule, ::testing::Values(0, 6));

}  // namespace
}  // namespace contest_test
