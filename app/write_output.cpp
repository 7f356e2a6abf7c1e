#include "app/write_output.h"

#include "app/zeitraum_eutag.h"
#include "common/lang_text.h"
#include "common/messages.h"
#include "common/service.h"
#include "contestlog/log_tallies.h"
#include "output/alle_rout.h"
#include "output/multi_check_list.h"
#include "output/output_drivers.h"
#include "output/qso_list.h"
#include "platform/qt/printer.h"

namespace app {
namespace {

// The period of a contest that scores an hour of the operator's choice; all 0 (every QSO) for
// the others and when the dialog is left without OK.
output::PeriodSet AskPeriod(platform::qt::TComponent* owner, const contest::TContestKKRec& log) {
  output::PeriodSet periods;
  if (log.Typ != 'E') return periods;
  TzeitraumeutagCtrl period(owner, log.Nummer);
  if (period.Execute()) {
    periods.start_times[0] = PeriodTextToTime(period.Von);
    periods.end_times[0] = PeriodTextToTime(period.Bis);
  }
  return periods;
}

}  // namespace

void WriteOutput(platform::qt::TComponent* owner, int code, const contest::TContestRec& definition,
                 contest::TdbContest& catalogue, contest::TdbContest& contest_data) {
  // The claim is the log's as it stands: the tallies a window stored when it closed miss what
  // stations typed since, and a log open at another station has stored nothing yet. A log that
  // cannot be read gives no file: it would claim nothing and miss every QSO.
  if (!contestlog::CountTalliesInto(definition, catalogue, contest_data)) {
    common::Service<common::ToMessages>::Get().Fehler(
        "Ohne Reparatur des Logs wird keine Datei geschrieben.");
    return;
  }
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  const output::PeriodSet periods = AskPeriod(owner, log);

  output::TAlleRout& channel = common::Service<output::TAlleRout>::Get();
  if (!channel.Open(code) || !channel.OpenFileKind(code, catalogue, definition)) return;
  channel.English = common::LanguageByte() != common::kLanguageGerman;

  const auto sheet = [&] {
    return output::WriteSummarySheet(channel, definition, periods, catalogue, contest_data);
  };
  const auto check_list = [&] {
    return output::WriteMultiCheckList(channel, definition, catalogue, contest_data);
  };
  const auto band_list = [&] {
    return output::ExportContestLogByBand(channel, definition, periods, catalogue, contest_data);
  };
  const auto list = [&] {
    return output::ExportContestLog(channel, definition, periods, catalogue, contest_data, {},
                                    false);
  };
  // A written file is reported unless writing it failed (the channel reports that itself).
  const auto report = [&](bool not_written) {
    if (!not_written && !channel.WriteFailed()) output::ReportFileWritten(channel);
  };

  switch (code) {
    case 0:
    case 6:
      sheet();
      break;
    case 2:
      check_list();
      break;
    case 14:
      report(check_list());
      break;
    case 3:
      band_list();
      break;
    case 11:
      report(band_list());
      break;
    case 4:
      list();
      break;
    case 5:
      // One print job; each driver starts at the top of the page it finds, so every part after
      // the first gets a page of its own.
      sheet();
      platform::qt::Printer().NewPage();
      check_list();
      platform::qt::Printer().NewPage();
      band_list();
      platform::qt::Printer().NewPage();
      list();
      break;
    case 7:
    case 8:
    case 9:
    case 10:
    case 13:
    case 15:
      report(list());
      break;
    case 12:
      sheet();
      report(log.Typ == 'i' ? band_list() : list());
      break;
    default:
      break;
  }
  channel.Close();
  channel.CloseAndShow();
}

}  // namespace app
