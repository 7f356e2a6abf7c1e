// The entry shown in the log window: cleared for the next QSO (defaults, QSL caption, focus),
// shown from its record (labels by tag, frequency by band), and entry and list mode.
#include <gtest/gtest.h>

#include <string>

#include "common/number_text.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contestlog/entry_record.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "platform/qt/colors.h"
#include "tests/contestlog/entry_window.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::EntryWindow;
using contestlog_test::LogBuilder;
using platform::qt::TColor;

class EntryShowTest : public contestlog_test::EntryWindowTest {};

struct ClearRow {
  const char* name;
  char code;
  char qsl;                // catalogue's QSL-sent preset
  const char* sent;        // lRSTs1 + "|" + lRSTs2
  const char* received;    // eRSTr1 + "|" + eRSTr2
  const char* qsl_caption;
};

class ClearRows : public EntryShowTest, public ::testing::WithParamInterface<ClearRow> {};

TEST_P(ClearRows, TheNextQsoStartsWithItsDefaults) {
  const ClearRow& row = GetParam();
  LogBuilder b(row.code, 1);
  b.Catalogue().QslSentChar = row.qsl;
  b.Create();
  contest::TContestRec definition = b.Definition();
  definition.ExchangeKindsSent = {7, 0, 0};  // a serial number, in a field the log hides
  definition.SentDefaults = {};
  RunEntry(b, definition, [&](EntryWindow& w) {
    ASSERT_FALSE(w.eRSTs2->Visible());
    Type(*w.eCall, "dl1xyz");
    w.ClearEntry();
    EXPECT_EQ(w.lRSTs1->Caption() + "|" + w.lRSTs2->Caption(), row.sent);
    EXPECT_EQ(w.eRSTr1->Text() + "|" + w.eRSTr2->Text(), row.received);
    EXPECT_EQ(w.lQSLs->Caption(), row.qsl_caption);
    EXPECT_EQ(w.rqsls->Checked(), std::string(row.qsl_caption).ends_with("ja"));
    EXPECT_EQ(w.eCall->Text(), "");
    EXPECT_EQ(w.ActiveControl(), w.eCall);
    EXPECT_EQ(w.leCall->Font().Color(), platform::qt::clRed);
    EXPECT_EQ(w.lqsopartner->Caption(), "QSO-Partner");
  });
}

// The contests' first classes work CW ('W', '9') and SSB ('j').
// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, ClearRows, ::testing::Values(
    ClearRow{"SerialAndToneInCw", 'W', 'Y', "599|001", "599|", "&QSL senden: ja"},
    ClearRow{"NoReportUnderSmallJ", 'j', 'N', "   |001", "   |", "&QSL senden: nein"},
    ClearRow{"ZerosReceivedUnderNine", '9', 0, "599|001", "599|000", "&QSL senden: nein"},
    ClearRow{"LowerCaseNoIsNo", 'W', 'n', "599|001", "599|", "&QSL senden: nein"},
    ClearRow{"BlankIsNo", 'W', ' ', "599|001", "599|", "&QSL senden: nein"},
    ClearRow{"AnyOtherIsYes", 'W', 'J', "599|001", "599|", "&QSL senden: ja"}),
    [](const ::testing::TestParamInfo<ClearRow>& info) { return info.param.name; });
// clang-format on

TEST_F(EntryShowTest, APhoneQsoReportsWithoutTone) {
  LogBuilder b('W', 1);
  b.Create();
  contest::TContestRec definition = b.Definition();
  RunEntry(b, definition, [&](EntryWindow& w) {
    w.CurrentMode = "SSB";
    w.ClearEntry();
    EXPECT_EQ(w.lRSTr1->Caption(), "59 ");
    EXPECT_EQ(w.eRSTr1->Text(), "59 ");
  });
}

TEST_F(EntryShowTest, LabelsTakeTheirColoursByTagAndTheFrequencyFollowsTheBand) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    // Highlighted captions, values in another colour, the number in its own red.
    for (TLabel* label : {w.leCall, w.lezeit, w.lRST2Name}) {
      label->Font().SetColor(platform::qt::clMaroon);
    }
    for (TLabel* label : {w.lCall, w.lMode, w.lband, w.lDatum}) {
      label->Font().SetColor(platform::qt::clBlack);
    }
    TContestLKRec qso = w.Entry();
    qso.Call = "DL1XYZ";
    qso.Datum = contestlog_test::kContestDay;
    qso.Zeit = 0;
    const bool on_80m = w.CurrentBand == 'b';
    qso.Frequency = on_80m ? 14.025f : 3.525f;  // on another band
    SetEntryRecord(w, qso);
    w.RecordToFields();
    for (TLabel* label : {w.leCall, w.lezeit, w.lRST2Name}) {
      EXPECT_EQ(label->Font().Color(), platform::qt::clTeal) << label->Name();
    }
    for (TLabel* label : {w.lCall, w.lMode, w.lband, w.lDatum}) {
      EXPECT_EQ(label->Font().Color(), platform::qt::clNavy) << label->Name();
    }
    EXPECT_EQ(w.lNummer->Font().Color(), platform::qt::clRed);
    EXPECT_EQ(w.lCall->Caption(), "DL1XYZ");
    EXPECT_EQ(w.eCall->Text(), "DL1XYZ");
    EXPECT_EQ(w.ezeit->Text(), "00:00:00");
    EXPECT_EQ(w.lDatum->Caption(), "09.03.2024");
    const double own = common::Service<logbook::ToBaender>::Get().BandMode2Freq(
        w.CurrentBand, common::Service<logbook::ToModi>::Get().ModeClass(w.CurrentMode.str()));
    EXPECT_DOUBLE_EQ(common::StrToReal(w.eFreq->Text()), own);
    // A frequency on the current band is shown as it is.
    qso.Frequency = on_80m ? 3.5125f : static_cast<float>(own + 0.0125);
    SetEntryRecord(w, qso);
    w.RecordToFields();
    EXPECT_NEAR(common::StrToReal(w.eFreq->Text()), qso.Frequency, 1e-6);
    // No date and no time: empty texts.
    qso.Datum = -1;
    qso.Zeit = -1;
    SetEntryRecord(w, qso);
    w.RecordToFields();
    EXPECT_EQ(w.lDatum->Caption(), "");
    EXPECT_EQ(w.ezeit->Text(), "");
  });
}

TEST_F(EntryShowTest, TheCallFieldKeepsWhatWasTypedForTheSameCall) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    Type(*w.eCall, "dl1abc p");
    EXPECT_EQ(w.eCall->Text(), "DL1ABC P");
    EXPECT_EQ(w.Entry().Call.str(), "DL1ABC/P");
    w.eDatum->SetFocus();
    EXPECT_EQ(w.eCall->Text(), "DL1ABC P");
    EXPECT_EQ(w.lCall->Caption(), "DL1ABC/P");
  });
}

TEST_F(EntryShowTest, ButtonModeSwitchesTheBarsAndTheListCaption) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    w.SetButtonMode(false);
    EXPECT_EQ(w.PanelDXOben->Color(), platform::qt::clRed);
    EXPECT_FALSE(w.btnSpeicherna->Enabled());
    EXPECT_EQ(w.lContestCaption->Caption(), "Contest-Logbuch (ESC: zurück zur Eingabe)");
    Shot(w, "contest_log_entry_list_mode");
    w.SetButtonMode(true);
    EXPECT_EQ(w.PanelDXOben->Color(), platform::qt::clNavy);
    EXPECT_TRUE(w.btnSpeicherna->Enabled());
    EXPECT_EQ(w.lContestCaption->Caption(), "Contest-Logbuch");
  });
}

}  // namespace
}  // namespace contestlog
