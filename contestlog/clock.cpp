// The log window's clock (the band periods and the entry's date and time on UTC) and the two
// switches that make a band or a mode current.
#include <optional>
#include <string>

#include "common/lang_text.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/window/entry_helpers.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_record.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_start.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"

namespace contestlog {
namespace {

constexpr std::int32_t kModeSerialKind = 11;
constexpr int kSerialPlaces = 3;
constexpr int kModeLength = 6;

}  // namespace

void TContestLogStd::timerzeitTimer() {
  if (!LogOpen()) return;
  contest::TContestKKRec log{};
  Catalogue->GetKKRec(log);
  if (log.BandAuto != 0) {
    // No period in force keeps the band the entry is on.
    const common::ToDates& dates = common::Service<common::ToDates>::Get();
    const char band = PeriodStartBand(Definition, CurrentBand, dates.TodayUtc(), dates.NowUtc());
    if (band != CurrentBand) {
      FieldsToRecord();
      // A QSO being typed stays on its band; the switch waits for an empty entry. A switch
      // refused for a log that cannot be read is not asked about at every tick: it waits until
      // the repair is no longer declined.
      const bool refused = band == period_band_refused_ && LogTable->RepairDeclined();
      if (EntryRecord(*this).Call.empty() && !refused) {
        period_band_refused_ = SwitchBand(band) ? 0 : band;
      }
      RecordToFields();
    }
  }
  contest::window::ShowPeriodInfo(*Catalogue, *LogTable, AutoTime, *lZeit, *lDatum, *ezeit,
                                  *eDatum);
  // Another station stored a QSO: an empty entry shows the log's totals and next numbers.
  if (EntryRecord(*this).Call.empty() && CatchUpWithLog()) {
    RenewEntryNumbers(*this, EntryFieldsShown());
    RecordToFields();
  }
}

bool TContestLogStd::SwitchBand(char band) {
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  const std::optional<contest::QsoNumbers> taken =
      NumbersForSwitch(band, "können die Nummern des Bandes " + bands.Band2Name(band, false) +
                              " nicht übernommen werden; es bleibt beim Band " +
                              bands.Band2Name(CurrentBand, false) + ".");
  if (!taken) return false;
  const contest::QsoNumbers& numbers = *taken;
  RefreshEntryMultipliers();
  CurrentBand = band;
  CurrentBandName = bands.Band2Name(band, false);

  contest::TContestLKRec entry = EntryRecord(*this);
  // The list on the log's newest QSO; the entry is put back afterwards.
  if (LogTable->Last(Brow->GetKeyNr())) Brow->GotoDatensatz(0, 0, 0);
  RecountLog(false);
  entry.Bandcode = band;
  entry.wagBandNr = static_cast<std::uint32_t>(numbers.band);
  entry.wagBandNrIntern = static_cast<std::uint32_t>(numbers.band_intern);
  // The save numbers the QSO with these: they are the new band's.
  NextBandNo = numbers.band;
  NextBandNoIntern = numbers.band_intern;
  Frequency = 0;
  LogTable->ClearRec();
  SetEntryRecord(*this, entry);
  EvaluateEntryMultipliers();

  ShowScore();
  Repaint();
  return true;
}

bool TContestLogStd::SwitchMode(const std::string& mode) {
  const std::string before = CurrentMode.str();
  // The numbers are the new mode's.
  CurrentMode = common::LeftStr(mode, kModeLength);
  const std::optional<contest::QsoNumbers> taken = NumbersForSwitch(
      CurrentBand, "können die Nummern des Modes " + common::Trim(mode) +
                       " nicht übernommen werden; es bleibt beim Mode " +
                       WholeModeName(Definition, before) + ".");
  if (!taken) {
    CurrentMode = before;
    return false;
  }
  const contest::QsoNumbers& numbers = *taken;
  RefreshEntryMultipliers();

  contest::TContestLKRec entry = EntryRecord(*this);
  NextModeNo = numbers.mode;
  RecountLog(false);
  entry.Mode = CurrentMode.str();
  entry.ModeNr = static_cast<std::uint16_t>(numbers.mode);
  Frequency = 0;
  LogTable->ClearRec();
  SetEntryRecord(*this, entry);
  EvaluateEntryMultipliers();
  entry = EntryRecord(*this);

  // A contest that sends the serial within the mode sends the new mode's number.
  const char code = ContestCode(*Catalogue);
  if (Definition.ExchangeKindsSent[0] == kModeSerialKind && Definition.SWL == 0) {
    const std::string report = DefaultReport(code, entry.Mode.view(), emode->Visible());
    const std::string serial = common::IntToStrAt(NextModeNo, kSerialPlaces);
    Definition.SentDefaults[0] = serial;
    if (Definition.ExchangeKindsSent[1] == kModeSerialKind) Definition.SentDefaults[1] = serial;
    contest::TContestFkt::SetSentExchange(
        contest::TContLogAlle::JoinCall(report, serial, Definition.SentDefaults[1].str(),
                                        Definition.SentDefaults[2].str()),
        entry);
    if (code != 'j') {
      contest::TContestFkt::SetRcvdExchange(contest::TContLogAlle::JoinCall(report, "", "", ""),
                                            entry);
    }
  }
  const char mode_class =
      common::Service<logbook::ToModi>::Get().ModeClass(common::Trim(CurrentMode.str()));
  entry.Frequency = static_cast<float>(
      common::Service<logbook::ToBaender>::Get().BandMode2Freq(CurrentBand, mode_class));
  SetEntryRecord(*this, entry);
  RecordToFields();
  return true;
}

}  // namespace contestlog
