// The save check of the QSO in hand, one row per step in its order, and the dupe rules in the
// order the entry runs them.
#include "contestlog/save_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contestlog/entry_record.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

constexpr std::int32_t kNoon = 12 * 3600;

struct SaveRow {
  const char* name;
  std::int32_t date;
  std::int32_t time;
  const char* call;
  bool listener;
  const char* call2;
  std::uint8_t dupe_kind;
  bool worked_before;  // the call is in the log on the same band and mode, at 10:00
  const char* dok1;
  const char* dok2;
  const char* dok_list;  // the contest's DOK list: one entry or none
  const char* letters;  // its district letters
  SaveRefusal refusal;      // the step that refuses, kNone when none does
  const char* notice;       // the DOK-Check notice's text, "" for none
  bool warned;              // a dupe rule warned
  std::uint8_t no_points;   // the record's NoPoints afterwards
};

class SaveCheckRows : public contestlog_test::CoreTest,
                      public ::testing::WithParamInterface<SaveRow> {};

TEST_P(SaveCheckRows, AnswersStepByStep) {
  const SaveRow& row = GetParam();
  LogBuilder b('W', 1);
  b.Create();
  if (row.worked_before) b.Add(Qso(row.call, 'c', kContestDay, 10 * 3600, "CW"));
  ContestLogCore& core = Open(b, 'c', "CW");
  core.Definition.SWL = row.listener ? 1 : 0;
  core.Definition.DupeKind = row.dupe_kind;
  core.Definition.ExtraDoks[0] = row.dok_list;
  for (std::size_t i = 0; row.letters[i] != 0; ++i) core.Definition.ExtraDistricts[i] = row.letters[i];

  TContestLKRec qso = Qso(row.call, 'c', row.date, row.time, "CW");
  qso.Call2 = row.call2;
  qso.DOK1 = row.dok1;
  qso.DOK2 = row.dok2;
  SetEntryRecord(core, qso);
  EXPECT_EQ(CheckSaveQso(core), row.refusal);

  std::vector<std::string> notices;
  bool warned = false;
  for (const common::MessageCall& call : presenter_->calls) {
    if (call.title == "DOK-Check") {
      EXPECT_EQ(call.caption, "Contest");
      notices.push_back(call.text);
    } else {
      warned = true;
    }
  }
  const std::vector<std::string> expected =
      std::string(row.notice).empty() ? std::vector<std::string>{}
                                      : std::vector<std::string>{row.notice};
  EXPECT_EQ(notices, expected);
  EXPECT_EQ(warned, row.warned);
  EXPECT_EQ(EntryRecord(core).NoPoints, row.no_points);
}

const char* const kNoticeAB = "Station muß aus Distrikt A/B sein. Bitte Kontestregeln beachten.";

// clang-format off
using R = SaveRefusal;
INSTANTIATE_TEST_SUITE_P(Steps, SaveCheckRows, ::testing::Values(
    SaveRow{"Passes", kContestDay, kNoon, "DL1ABC", false, "", 0, false, "", "", "", "",
            R::kNone, "", false, 0},
    SaveRow{"AtMidnight", kContestDay, 0, "DL1ABC", false, "", 0, false, "", "", "", "",
            R::kNone, "", false, 0},
    SaveRow{"NoTime", kContestDay, -1, "DL1ABC", false, "", 0, false, "", "", "", "",
            R::kNoDateOrTime, "", false, 0},
    SaveRow{"NoDate", 0, kNoon, "DL1ABC", false, "", 0, false, "", "", "", "",
            R::kNoDateOrTime, "", false, 0},
    SaveRow{"MissingDateBeforeTheDistrictNotice", -1, kNoon, "DL1ABC", false, "", 0, false,
            "C", "01", "", "AB", R::kNoDateOrTime, "", false, 0},
    SaveRow{"CallTooShort", kContestDay, kNoon, "DL", false, "", 0, false, "", "", "", "",
            R::kBadCall, "", false, 0},
    SaveRow{"CallIsAnExchange", kContestDay, kNoon, "ABC", false, "", 0, false, "", "", "", "",
            R::kBadCall, "", false, 0},
    SaveRow{"ListenerWithoutSecondCall", kContestDay, kNoon, "DL1ABC", true, " ", 0, false,
            "", "", "", "", R::kBadCall, "", false, 0},
    SaveRow{"ListenerWithSecondCall", kContestDay, kNoon, "DL1ABC", true, "DL9XX", 0, false,
            "", "", "", "", R::kNone, "", false, 0},
    SaveRow{"DupeRefused", kContestDay, kNoon, "DL1ABC", false, "", 1, true, "C", "01", "",
            "AB", R::kDupe, "", true, 0},
    SaveRow{"DupeKeptSilentlyWithoutPoints", kContestDay, kNoon, "DL1ABC", false, "", 7, true,
            "", "", "", "", R::kNone, "", false, 255},
    SaveRow{"SameDayRuleIsNoPartOfIt", kContestDay, kNoon, "DL1ABC", false, "", 11, true,
            "", "", "", "", R::kNone, "", false, 0},
    SaveRow{"ListedDok", kContestDay, kNoon, "DL1ABC", false, "", 0, false, "Z7", "1", "Z71",
            "", R::kNone, "", false, 0},
    SaveRow{"UnlistedDokWithoutLetters", kContestDay, kNoon, "DL1ABC", false, "", 0, false,
            "Z7", "2", "Z71", "", R::kOutsideDistricts,
            "Station muß aus Distrikt  sein. Bitte Kontestregeln beachten.", false, 0},
    SaveRow{"UnlistedDokOfAListedDistrict", kContestDay, kNoon, "DL1ABC", false, "", 0, false,
            "B", "36", "Z71", "AB", R::kNone, "", false, 0},
    SaveRow{"DistrictLetterAlone", kContestDay, kNoon, "DL1ABC", false, "", 0, false, "A", "01",
            "", "AB", R::kNone, "", false, 0},
    SaveRow{"OtherDistrictNamesEveryLetter", kContestDay, kNoon, "DL1ABC", false, "", 0, false,
            "C", "01", "", "AB", R::kOutsideDistricts, kNoticeAB, false, 0},
    SaveRow{"EmptyDokRefusedQuietly", kContestDay, kNoon, "DL1ABC", false, "", 0, false, "", "",
            "Z71", "AB", R::kOutsideDistricts, "", false, 0}),
    [](const ::testing::TestParamInfo<SaveRow>& info) { return info.param.name; });
// clang-format on

TEST(DistrictLettersTest, EveryLetterInListOrderSkippingGaps) {
  contest::TContestRec definition;
  EXPECT_EQ(DistrictLetters(definition), "");
  definition.ExtraDistricts[0] = 'A';
  EXPECT_EQ(DistrictLetters(definition), "A");
  definition.ExtraDistricts[2] = 'P';
  definition.ExtraDistricts[25] = 'Z';
  EXPECT_EQ(DistrictLetters(definition), "A/P/Z");
}

class DupeRuleOrderTest : public contestlog_test::CoreTest {};

TEST_F(DupeRuleOrderTest, TheSameDayRuleRunsOnlyWhenAskedForAndARefusalStopsTheRest) {
  LogBuilder b('W', 1);
  b.Create();
  b.Add(Qso("DL1ABC", 'd', kContestDay, 10 * 3600, "SSB"));
  ContestLogCore& core = Open(b, 'c', "CW");
  SetEntryRecord(core, Qso("DL1ABC", 'c', kContestDay, kNoon, "CW"));
  // Kind 11: the same day refuses, but only when the rule runs.
  core.Definition.DupeKind = 11;
  EXPECT_EQ(RunDupeRules(core, false), DupeVerdict::kNew);
  EXPECT_EQ(RunDupeRules(core, true), DupeVerdict::kRefused);
  EXPECT_EQ(presenter_->calls.size(), 1u);
  // Kind 13 keeps it without points; kind 5 refuses it anywhere in the log.
  core.Definition.DupeKind = 13;
  EXPECT_EQ(RunDupeRules(core, true), DupeVerdict::kWithoutPoints);
  core.Definition.DupeKind = 5;
  EXPECT_EQ(RunDupeRules(core, false), DupeVerdict::kRefused);
  // Another call is new under every kind.
  SetEntryRecord(core, Qso("DL2XYZ", 'c', kContestDay, kNoon, "CW"));
  for (std::uint8_t kind = 0; kind <= 13; ++kind) {
    core.Definition.DupeKind = kind;
    EXPECT_EQ(RunDupeRules(core, true), DupeVerdict::kNew) << int(kind);
  }
}

}  // namespace
}  // namespace contestlog
