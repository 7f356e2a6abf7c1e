// The log window's clock (the band of the period in force, date and time on UTC) and the band
// and mode switches.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/entry_record.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "tests/contestlog/another_station.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog {
namespace {

using contest::TContestFkt;
using contest::TContestLKRec;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

class ClockTest : public contestlog_test::LogWindowTest {
 protected:
  static const common::ToDates& Dates() { return common::Service<common::ToDates>::Get(); }
  static std::string BandName(char band) {
    return common::Service<logbook::ToBaender>::Get().Band2Name(band, false);
  }
  // The frequency field's text of the band's own frequency for the mode.
  static double DefaultFrequency(char band, const std::string& mode) {
    return common::Service<logbook::ToBaender>::Get().BandMode2Freq(
        band, common::Service<logbook::ToModi>::Get().ModeClass(mode));
  }
};

TEST_F(ClockTest, ThePeriodInForceMovesAnEmptyEntryToItsBandAndNeverATypedOne) {
  LogBuilder b('.', 5);
  b.Catalogue().BandAuto = 255;
  b.Create();
  contest::TContestRec definition = b.Definition();
  const std::string today = Dates().DateToDateString(Dates().TodayUtc(), "dd.mm.yyyy");
  const std::string yesterday = Dates().DateToDateString(Dates().TodayUtc() - 1, "dd.mm.yyyy");
  // The first period was yesterday; the second is in force all day, on 'e' and 'g'.
  definition.Periods[0].PeriodDate = yesterday;
  definition.Periods[0].PeriodTimeFrom = "00:00:00";
  definition.Periods[0].PeriodTimeTo = "23:59:59";
  definition.Periods[0].PeriodBands = {'i'};
  definition.Periods[1].PeriodDate = today;
  definition.Periods[1].PeriodTimeFrom = "00:00:00";
  definition.Periods[1].PeriodTimeTo = "23:59:59";
  definition.Periods[1].PeriodBands = {'e', 'g'};
  RunLog(b.Number(), definition, [&](TContestLogStd& w) {
    EXPECT_EQ(w.CurrentBand, 'e');  // the opening's band
    w.SwitchBand('b');
    w.timerzeitTimer();
    EXPECT_EQ(w.CurrentBand, 'e');
    EXPECT_EQ(w.lband->Caption(), BandName('e'));

    // On a band the period lists the entry stays.
    w.SwitchBand('g');
    w.timerzeitTimer();
    EXPECT_EQ(w.CurrentBand, 'g');

    // A QSO being typed keeps its band until the entry is empty.
    w.SwitchBand('b');
    w.eCall->SetStr("DL1XYZ");
    w.timerzeitTimer();
    EXPECT_EQ(w.CurrentBand, 'b');
    EXPECT_EQ(contestlog::EntryRecord(w).Bandcode, 'b');
    w.btnCleara->Click();
    w.timerzeitTimer();
    EXPECT_EQ(w.CurrentBand, 'e');
    Shot(w, "clock_period_band");
  });

  // No period in force: the band stays where it is (never "no band").
  definition.Periods[1].PeriodDate = yesterday;
  RunLog(b.Number(), definition, [&](TContestLogStd& w) {
    w.SwitchBand('c');
    w.timerzeitTimer();
    EXPECT_EQ(w.CurrentBand, 'c');
    EXPECT_EQ(contestlog::EntryRecord(w).Bandcode, 'c');
  });
}

TEST_F(ClockTest, TheLogsSwitchesKeepDateAndTimeOnUtc) {
  const struct {
    const char* name;
    std::uint8_t date_auto;
    std::uint8_t time_auto;
  } rows[] = {{"both", 255, 255}, {"date only", 255, 0}, {"time only", 0, 255}, {"none", 0, 0}};
  SetUtcNow(kContestDay, 14 * 3600 + 30 * 60 + 7);
  const std::string today = Dates().DateToDateString(Dates().TodayUtc(), "dd.mm.yyyy");
  const std::string now = Dates().TimeToTimeString(Dates().NowUtc(), "hh:mm:ss");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    LogBuilder b('.', 5);
    b.Catalogue().DatumAuto = row.date_auto;
    b.Catalogue().ZeitAuto = row.time_auto;
    b.Create();
    RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
      w.eDatum->SetStr("01.01.2020");
      w.ezeit->SetStr("01:02:03");
      w.FieldsToRecord();
      w.timerzeitTimer();
      EXPECT_EQ(w.eDatum->GetStr(), row.date_auto != 0 ? today : "01.01.2020");
      EXPECT_EQ(w.ezeit->GetStr(), row.time_auto != 0 ? now : "01:02:03");
      if (row.date_auto != 0) {
        EXPECT_EQ(w.lDatum->Caption(), today);
      }
      if (row.time_auto != 0) {
        EXPECT_EQ(w.lZeit->Caption(), now);
      }
      const TContestLKRec entry = contestlog::EntryRecord(w);
      if (row.date_auto != 0) {
        EXPECT_EQ(entry.Datum, Dates().TodayUtc());
      }
      if (row.time_auto != 0) {
        EXPECT_EQ(entry.Zeit, Dates().NowUtc());
      }
    });
  }
}

TEST_F(ClockTest, ABandSwitchGivesTheBandsNumbersCaptionsAndFrequency) {
  LogBuilder b('.', 5);
  b.Create();
  for (std::uint32_t n = 1; n <= 2; ++n) {
    TContestLKRec qso =
        Qso("DL" + std::to_string(n) + "XX", 'c', kContestDay, static_cast<std::int32_t>(3600 * n));
    qso.wagNummer = n;
    qso.wagBandNr = n;
    qso.wagBandNrIntern = n;
    b.Add(qso);
  }
  b.Add(Qso("DL3XX", 'e', kContestDay, 3 * 3600));
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    w.SwitchBand('c');
    const TContestLKRec entry = contestlog::EntryRecord(w);
    EXPECT_EQ(entry.Bandcode, 'c');
    EXPECT_EQ(entry.wagBandNr, 3u);
    EXPECT_EQ(entry.wagBandNrIntern, 3u);
    EXPECT_EQ(w.NextBandNo, 3);
    EXPECT_EQ(w.NextBandNoIntern, 3);
    EXPECT_EQ(w.CurrentBandQsos, 2);
    EXPECT_EQ(w.lePunkte->Caption(), "Punkte " + BandName('c'));
    EXPECT_EQ(w.leqso->Caption(), "QSO " + BandName('c'));
    w.RecordToFields();
    EXPECT_DOUBLE_EQ(common::StrToReal(w.eFreq->GetStr()), DefaultFrequency('c', "CW"));
    Shot(w, "clock_band_switch");
    // A QSO saved now is the band's third.
    w.eCall->SetStr("OE1XYZ");
    w.btnSpeicherna->Click();
    const auto records = Records(b.Number());
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records.back().Call.str(), "OE1XYZ");
    EXPECT_EQ(records.back().Bandcode, 'c');
    EXPECT_EQ(records.back().wagBandNr, 3u);
    EXPECT_EQ(records.back().wagBandNrIntern, 3u);
  });
}

TEST_F(ClockTest, AModeSwitchSendsTheModesSerialOnlyWhereTheContestCountsIt) {
  // 'Z' sends the serial within the mode.
  LogBuilder serial('Z', 1);
  serial.Create();
  for (std::uint16_t n = 1; n <= 2; ++n) {
    TContestLKRec qso = Qso("DL" + std::to_string(n) + "XX", 'b', kContestDay, 3600 * n, "SSB");
    qso.wagNummer = n;
    qso.wagBandNr = n;
    qso.wagBandNrIntern = n;
    qso.ModeNr = n;
    serial.Add(qso);
  }
  RunLog(serial.Number(), serial.Definition(), [&](TContestLogStd& w) {
    w.SwitchMode("CW");
    EXPECT_EQ(w.CurrentMode.str(), "CW");
    EXPECT_EQ(w.NextModeNo, 1);
    EXPECT_TRUE(TContestFkt::SentExchangeText(contestlog::EntryRecord(w)).starts_with("599001"));
    w.SwitchMode("SSB");
    const TContestLKRec entry = contestlog::EntryRecord(w);
    EXPECT_EQ(w.NextModeNo, 3);
    EXPECT_EQ(entry.ModeNr, 3);
    EXPECT_EQ(entry.Mode.str(), "SSB");
    EXPECT_TRUE(TContestFkt::SentExchangeText(entry).starts_with("59 003"))
        << TContestFkt::SentExchangeText(entry);
    EXPECT_EQ(TContestFkt::RcvdExchangeText(entry), "59 ");
    EXPECT_DOUBLE_EQ(entry.Frequency, static_cast<float>(DefaultFrequency('b', "SSB")));
    EXPECT_DOUBLE_EQ(common::StrToReal(w.eFreq->GetStr()), DefaultFrequency('b', "SSB"));
  });

  // '.' sends the operator's age: the mode changes the frequency only.
  LogBuilder age('.', 8);
  age.Create();
  RunLog(age.Number(), age.Definition(), [&](TContestLogStd& w) {
    const std::string sent = TContestFkt::SentExchangeText(contestlog::EntryRecord(w));
    w.SwitchMode("SSB");
    const TContestLKRec entry = contestlog::EntryRecord(w);
    EXPECT_EQ(TContestFkt::SentExchangeText(entry), sent);
    EXPECT_EQ(entry.Mode.str(), "SSB");
    EXPECT_DOUBLE_EQ(entry.Frequency, static_cast<float>(DefaultFrequency(w.CurrentBand, "SSB")));
  });
}

// After "Nein" to the repair of the log a switch asks again; declined, it says that the new
// band's or mode's numbers could not be taken and keeps the old band or mode with its own.
TEST_F(ClockTest, ASwitchThatCannotReadTheLogAsksAgainAndKeepsWhatItHad) {
  using common::MessageKind;
  const auto told = [&] {
    std::vector<MessageKind> kinds;
    for (const common::MessageCall& call : presenter_->calls) kinds.push_back(call.kind);
    presenter_->calls.clear();
    return kinds;
  };
  const std::vector<MessageKind> asked_and_told{MessageKind::kJaNeinFrage, MessageKind::kFehler};
  LogBuilder serial('Z', 1);
  serial.Create();
  for (std::uint16_t n = 1; n <= 4; ++n) {
    TContestLKRec qso = Qso("DL" + std::to_string(n) + "XX", 'b', kContestDay, 3600 * n,
                            n <= 3 ? "CW" : "SSB");
    qso.ModeNr = n <= 3 ? n : 1;
    serial.Add(qso);
  }
  const std::string path = LogPath(serial.Number());
  const storage::FileblockHandle other = contestlog_test::OpenAsAnotherStation(path);
  RunLog(serial.Number(), serial.Definition(), [&](TContestLogStd& w) {
    ASSERT_TRUE(w.SwitchMode("CW"));
    contestlog_test::LeaveUnfinished(other, path);
    presenter_->answers = std::deque<bool>(20, false);
    w.timerzeitTimer();
    told();
    EXPECT_FALSE(w.SwitchMode("DIGITAL"));
    EXPECT_EQ(presenter_->calls.back().text,
              "Ohne Reparatur des Logs können die Nummern des Modes DIGITAL nicht übernommen "
              "werden; es bleibt beim Mode CW.");
    EXPECT_EQ(told(), asked_and_told);
    EXPECT_FALSE(w.SwitchMode("SSB"));
    EXPECT_EQ(told(), asked_and_told);
    EXPECT_EQ(w.CurrentMode.str(), "CW");
    EXPECT_EQ(w.NextModeNo, 4);
    EXPECT_FALSE(w.SwitchBand('c'));
    EXPECT_EQ(told(), asked_and_told);
    EXPECT_EQ(w.CurrentBand, 'b');
    // A typed frequency of another band stays no frequency of the entry.
    w.eFreq->SetStr("7.010");
    w.eCallExit(w.eFreq);
    EXPECT_EQ(told(), asked_and_told);
    EXPECT_EQ(w.CurrentBand, 'b');
    EXPECT_DOUBLE_EQ(contestlog::EntryRecord(w).Frequency,
                     static_cast<float>(DefaultFrequency('b', "CW")));
    // "Ja": the switch takes the new mode's numbers.
    presenter_->answers = std::deque<bool>(20, true);
    EXPECT_TRUE(w.SwitchMode("SSB"));
    EXPECT_EQ(w.NextModeNo, 2);
  });
  storage::FileblockClose(other);

  // The band period's switch asks once, not at every tick.
  LogBuilder b('.', 5);
  b.Catalogue().BandAuto = 255;
  b.Create();
  b.Add(Qso("DL2XYZ", 'e', kContestDay, 3600));
  contest::TContestRec definition = b.Definition();
  definition.Periods[0].PeriodDate = Dates().DateToDateString(Dates().TodayUtc(), "dd.mm.yyyy");
  definition.Periods[0].PeriodTimeFrom = "00:00:00";
  definition.Periods[0].PeriodTimeTo = "23:59:59";
  definition.Periods[0].PeriodBands = {'e'};
  const std::string periods_path = LogPath(b.Number());
  const storage::FileblockHandle another = contestlog_test::OpenAsAnotherStation(periods_path);
  RunLog(b.Number(), definition, [&](TContestLogStd& w) {
    ASSERT_TRUE(w.SwitchBand('b'));
    told();
    contestlog_test::LeaveUnfinished(another, periods_path);
    presenter_->answers = std::deque<bool>(20, false);
    for (int tick = 0; tick < 3; ++tick) w.timerzeitTimer();
    EXPECT_EQ(told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kHinweis,
                                   MessageKind::kFehler}));
    EXPECT_EQ(w.CurrentBand, 'b');
  });
  storage::FileblockClose(another);
}

}  // namespace
}  // namespace contestlog
