#include "app/write_output.h"

#include <memory>
#include <string_view>

#include "app/zeitraum_eutag.h"
#include "common/lang_text.h"
#include "common/messages.h"
#include "common/service.h"
#include "contestlog/log_tallies.h"
#include "output/alle_rout.h"
#include "output/log_walk.h"
#include "output/multi_check_list.h"
#include "output/output_drivers.h"
#include "output/output_texts.h"
#include "output/qso_list.h"
#include "platform/qt/printer.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"

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

// What a question of the database driver answered "Nein" leaves unread.
output::LogRead CauseOfDeclined(int reason) {
  switch (reason) {
    case storage::kReasonLocked:
    case storage::kReasonRecordLock:
    case storage::kReasonFileLock:
      return output::LogRead::kLocked;
    case storage::kReasonRebuild:
    case storage::kReasonRepair:
    case storage::kReasonRepairDeclined:
      return output::LogRead::kRepairDeclined;
    default:
      return output::LogRead::kFailed;
  }
}

// The log's QSO table opened for the whole output, or null when the opening failed; then
// `cause` tells why: the question the user answered "Nein" to while it opened.
std::unique_ptr<contest::TdbContest> OpenLog(std::int32_t number, output::LogRead& cause) {
  storage::DriverSystem& system = common::Service<storage::DriverSystem>::Get();
  // The opening asks through the driver system's question routine, which the log's driver
  // keeps for its life: the answer is noted where the routine reaches it as long as it lives.
  struct Restore {
    ~Restore() { system.SetDefaultRetryProc(ask); }
    storage::DriverSystem& system;
    const storage::RetryProc ask;
  } restore{system, system.DefaultRetryProc()};
  const auto declined = std::make_shared<int>(0);
  system.SetDefaultRetryProc([ask = restore.ask, declined](std::string_view file, int reason) {
    const bool yes = ask(file, reason);
    if (!yes) *declined = reason;
    return yes;
  });
  auto log = std::make_unique<contest::TdbContest>(contest::kTableLK, number);
  if (log->OpenedHere()) return log;
  cause = CauseOfDeclined(*declined);
  return nullptr;
}

// Runs the drivers of output `code` on the open channel. True when a file was written that is
// announced once it stands under its name.
bool RunDrivers(output::TAlleRout& channel, int code, const contest::TContestRec& definition,
                const output::PeriodSet& periods, char log_code, contest::TdbContest& catalogue,
                contest::TdbContest& contest_data) {
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
  switch (code) {
    case 0:
    case 6:
      sheet();
      return false;
    case 2:
      check_list();
      return false;
    case 14:
      return !check_list();
    case 3:
      band_list();
      return false;
    case 11:
      return !band_list();
    case 4:
      list();
      return false;
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
      return false;
    case 7:
    case 8:
    case 9:
    case 10:
    case 13:
    case 15:
      return !list();
    case 12:
      sheet();
      return !(log_code == 'i' ? band_list() : list());
    default:
      return false;
  }
}

}  // namespace

void WriteOutput(platform::qt::TComponent* owner, int code, const contest::TContestRec& definition,
                 contest::TdbContest& catalogue, contest::TdbContest& contest_data) {
  const output::OutputKind* kind = output::FindOutputKind(code);
  const bool printed = kind == nullptr || !kind->WritesFile();
  const auto tell_unread = [printed](output::LogRead cause) {
    common::Service<common::ToMessages>::Get().Fehler(output::UnreadLogText(cause, printed));
  };
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  output::TAlleRout& channel = common::Service<output::TAlleRout>::Get();
  bool announce = false;
  try {
    // Held open for the whole output: the count and the drivers share its files, so that none
    // of them can fail to open the log halfway.
    output::LogRead cause = output::LogRead::kWhole;
    const std::unique_ptr<contest::TdbContest> held = OpenLog(log.Nummer, cause);
    if (!held) return tell_unread(cause);
    // The claim is the log's as it stands: the tallies a window stored when it closed miss what
    // stations typed since, and a log open at another station has stored nothing yet. A log
    // that cannot be read gives no output: it would claim nothing and miss every QSO.
    if (const output::LogRead counted =
            contestlog::CountTalliesInto(definition, catalogue, contest_data);
        counted != output::LogRead::kWhole) {
      return tell_unread(counted);
    }
    const output::PeriodSet periods = AskPeriod(owner, log);
    if (!channel.Open(code) || !channel.OpenFileKind(code, catalogue, definition)) return;
    channel.English = common::LanguageByte() != common::kLanguageGerman;
    // Only a log read to its end is written: a walk that stops (another station stopped, or
    // holds the log, since the claim was counted) ends the output unprinted and unwritten.
    announce = RunDrivers(channel, code, definition, periods, log.Typ, catalogue, contest_data);
  } catch (const output::LogNotRead& unread) {
    channel.Abandon();
    return tell_unread(unread.Cause());
  } catch (const storage::EDBError&) {
    // The driver reported the error itself.
    channel.Abandon();
    return tell_unread(output::LogRead::kFailed);
  }
  channel.Close();
  // A file is announced once it stands under its name (a file that failed to be written the
  // channel reports itself), before the viewer shows it.
  if (channel.CloseFile() && announce) output::ReportFileWritten(channel);
  channel.ShowFile();
}

}  // namespace app
