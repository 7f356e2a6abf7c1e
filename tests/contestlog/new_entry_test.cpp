// The entry record of the next QSO: numbers, carried date, time and frequency, QSL presets, the
// default reports and the sent exchange with its serial defaults.
#include "contestlog/new_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "contest/contest_fkt.h"
#include "contestlog/entry_record.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contest::TContestFkt;
using contest::TContestLKRec;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

class NewEntryTest : public contestlog_test::CoreTest {
 protected:
  // A log of `code` with three CW QSOs on 'c' (the last numbered 3, band number 3) and one SSB
  // QSO on 'd', a core on it.
  ContestLogCore& OpenWithQsos(char code, char band, const char* mode) {
    LogBuilder b(code, 1);
    b.Create();
    for (std::uint32_t n = 1; n <= 4; ++n) {
      TContestLKRec qso = Qso("DL" + std::to_string(n) + "XX", n == 4 ? 'd' : 'c', kContestDay,
                              static_cast<std::int32_t>(3600 * n), n == 4 ? "SSB" : "CW");
      qso.wagNummer = n;
      qso.wagBandNr = n == 4 ? 1 : n;
      qso.wagBandNrIntern = qso.wagBandNr;
      qso.ModeNr = static_cast<std::uint16_t>(n == 4 ? 1 : n);
      b.Add(qso);
    }
    return Open(b, band, mode);
  }
};

TEST_F(NewEntryTest, TheNextNumbersDateTimeAndQslPresets) {
  LogBuilder b('W', 1);
  b.Catalogue().QslSentChar = 'Y';
  b.Catalogue().QslRcvdChar = 'N';
  b.Create();
  TContestLKRec first = Qso("DL1XX", 'c', kContestDay, 3600);
  first.wagNummer = 1;
  b.Add(first);
  ContestLogCore& core = Open(b, 'd', "SSB");
  core.LastQsoDate = kContestDay;
  core.LastQsoTime = 0;
  core.DupeCheck = {"DL1XX", 'c', "SSB", true, true};
  core.LastPrefix = "DL";
  core.NameText = "Hans";
  core.PrefixLookup.last_call = "DL1X";
  TContestLKRec stale = Qso("OLD1", 'c', 1, 1);
  stale.DOK1 = "B36";
  SetEntryRecord(core, stale);

  PrepareNewEntry(core, {});
  const TContestLKRec qso = EntryRecord(core);
  EXPECT_EQ(qso.Call.str(), "");
  EXPECT_EQ(qso.DOK1.str(), "");
  EXPECT_EQ(qso.Datum, kContestDay);
  EXPECT_EQ(qso.Zeit, 0);
  EXPECT_EQ(qso.Mode.str(), "SSB");
  EXPECT_EQ(qso.Bandcode, 'd');
  EXPECT_EQ(core.CurrentBandName.str(), "30 m");
  EXPECT_EQ(qso.QslSent, 'Y');
  EXPECT_EQ(core.QslSent, 'Y');
  EXPECT_EQ(qso.QslRcvd, 'N');
  // The first QSO on 30 m, the second of the log.
  EXPECT_EQ(core.SerialNumber, 2);
  EXPECT_EQ(qso.wagNummer, 2u);
  EXPECT_EQ(qso.wagBandNr, 1u);
  EXPECT_EQ(core.NextOverallNo, 2);
  EXPECT_EQ(core.NextBandNo, 1);
  EXPECT_EQ(core.NextModeNo, 1);
  EXPECT_TRUE(core.DupeCheck.call.empty());
  EXPECT_FALSE(core.DupeCheck.ran || core.DupeCheck.kept_without_points);
  EXPECT_EQ(core.LastPrefix.str(), "");
  EXPECT_EQ(core.NameText.str(), "");
  EXPECT_EQ(core.PrefixLookup.last_call, "");
}

TEST_F(NewEntryTest, NoDateIsMinusOneAndTheLastFrequencyIsKept) {
  LogBuilder b('W', 1);
  ContestLogCore& core = Open(b, 'c', "CW");
  core.LastQsoDate = 0;
  core.LastQsoTime = -1;
  PrepareNewEntry(core, {});
  EXPECT_EQ(EntryRecord(core).Datum, -1);
  EXPECT_EQ(EntryRecord(core).Zeit, -1);
  EXPECT_EQ(EntryRecord(core).Frequency, 0.0f);
  core.Frequency = 3.512f;
  PrepareNewEntry(core, {});
  EXPECT_FLOAT_EQ(EntryRecord(core).Frequency, 3.512f);
}

struct ExchangeRow {
  const char* name;
  char code;
  const char* mode;
  bool mode_typed;
  bool listener;
  std::array<std::int32_t, 3> sent_kinds;
  std::array<const char*, 3> defaults;
  bool field2_shown;
  bool field3_shown;
  char band;
  const char* sent;
  const char* received;
};

class NewExchangeRows : public NewEntryTest, public ::testing::WithParamInterface<ExchangeRow> {};

TEST_P(NewExchangeRows, ReportsAndSentDefaults) {
  const ExchangeRow& row = GetParam();
  ContestLogCore& core = OpenWithQsos(row.code, row.band, row.mode);
  core.Definition.SWL = row.listener ? 1 : 0;
  core.Definition.ExchangeKindsSent = row.sent_kinds;
  for (std::size_t i = 0; i < 3; ++i) core.Definition.SentDefaults[i] = row.defaults[i];
  NewEntryFields fields;
  fields.mode_typed = row.mode_typed;
  fields.sent_field2_shown = row.field2_shown;
  fields.sent_field3_shown = row.field3_shown;
  PrepareNewEntry(core, fields);
  const TContestLKRec qso = EntryRecord(core);
  EXPECT_EQ(TContestFkt::SentExchangeText(qso), row.sent);
  EXPECT_EQ(TContestFkt::RcvdExchangeText(qso), row.received);
}

// On band 'c' in CW the next numbers are 5 overall, 4 on the band, 4 in the mode; on 'd' in SSB
// 5, 2 and 2.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Defaults, NewExchangeRows, ::testing::Values(
    ExchangeRow{"HiddenSerialIsTheOverallNumber", 'W', "CW", false, false, {7, 0, 0},
                {"", "", ""}, false, false, 'c', "599005", "599"},
    ExchangeRow{"ShownSerialKeepsItsDefault", 'W', "CW", false, false, {7, 0, 0},
                {"", "", ""}, true, false, 'c', "599005", "599"},
    ExchangeRow{"ShownFieldKeepsAGivenDefault", 'W', "CW", false, false, {7, 0, 0},
                {"X", "", ""}, true, false, 'c', "599X", "599"},
    ExchangeRow{"BandSerial", 'W', "SSB", false, false, {13, 0, 0}, {"", "", ""}, false, false,
                'd', "59 002", "59 "},
    ExchangeRow{"ModeSerialInTheSecondField", 'W', "CW", false, false, {4, 11, 0},
                {"B36", "", ""}, false, false, 'c', "599B36/004", "599"},
    ExchangeRow{"TypedModeReportsTheTone", 'W', "SSB", true, false, {4, 0, 0}, {"B36", "", ""},
                false, false, 'd', "599B36", "599"},
    ExchangeRow{"ThirdDefaultKeepsItsSlot", 'W', "CW", false, false, {20, 4, 6},
                {"Karl", "", "JO62QM"}, true, true, 'c', "599Karl//JO62QM", "599"},
    ExchangeRow{"NothingSentIsTheSerial", 'W', "CW", false, false, {0, 0, 0}, {"", "", ""},
                false, false, 'c', "599005", "599"},
    ExchangeRow{"NoSerialUnderSeven", '7', "CW", false, false, {0, 0, 0}, {"", "", ""}, false,
                false, 'c', "599", "599"},
    ExchangeRow{"NoSerialUnderP", 'p', "CW", false, false, {0, 0, 0}, {"", "", ""}, false,
                false, 'c', "599", "599"},
    ExchangeRow{"ListenerSendsNothing", 'W', "CW", false, true, {7, 0, 0}, {"X", "", ""}, false,
                false, 'c', "599", "599"},
    ExchangeRow{"NoReportUnderSmallJ", 'j', "CW", false, false, {4, 0, 0}, {"B36", "", ""},
                true, false, 'c', "   B36", "   "},
    ExchangeRow{"NineReceivesZeros", '9', "CW", false, false, {4, 0, 0}, {"B36", "", ""}, true,
                false, 'c', "599B36", "599000"},
    ExchangeRow{"HamburgSendsNoLocatorOnShortWave", 'J', "CW", false, false, {4, 6, 0},
                {"B36", "JO62QM", ""}, true, true, 'c', "599B36", "599"},
    ExchangeRow{"HamburgLocatorOnTwoMetres", 'J', "CW", false, false, {4, 6, 0},
                {"B36", "JO62QM", ""}, true, true, 'k', "599B36/JO62QM", "599"}),
    [](const ::testing::TestParamInfo<ExchangeRow>& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace contestlog
