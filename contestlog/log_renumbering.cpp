// The renumbering of a log ("Neunummerierung"): its QSOs in time order (in entry order in a
// serial-number contest) with fresh running numbers and multiplier fields, QSY markers dropped,
// built as a set of files of its own and put in the log's place only when complete
// (contest/log_file_set.h). A log that would not change is left alone (contestlog/log_core.h).
#include <algorithm>
#include <array>
#include <cstring>

#include "common/messages.h"
#include "common/protocol.h"
#include "common/service.h"
#include "contest/contest_lookups.h"
#include "contest/log_file_set.h"
#include "contest/progress_window.h"
#include "contest/rule_helpers.h"
#include "contestlog/log_core.h"
#include "contestlog/multiplier_tables.h"
#include "logbook/reference/modes.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver.h"

namespace contestlog {
namespace {

constexpr int kKeyDatumZeit = 1;
constexpr int kKeyNummer = 4;
constexpr int kSerialNumberKind = 7;
constexpr int kProgressEvery = 10;

constexpr const char* kBuildFailed = "Fehler beim Aufbau der temporären Datenbank";
constexpr const char* kReplaceFailed = "Fehler beim Neuaufbau der Datenbank";

contest::ToDatContest& Dat() { return common::Service<contest::ToDatContest>::Get(); }
common::ToMessages& Messages() { return common::Service<common::ToMessages>::Get(); }

bool IsSerialContest(const contest::TContestRec& definition) {
  return std::find(definition.ExchangeKindsSent.begin(), definition.ExchangeKindsSent.end(),
                   kSerialNumberKind) != definition.ExchangeKindsSent.end();
}

void Step(contest::ProgressWindow* progress, int position) {
  if (progress == nullptr) return;
  bool cancelled = false;
  progress->Step("", position, 0, cancelled);
}

}  // namespace

ContestLogCore::Renumbering ContestLogCore::RebuildDatabase(bool rewrite_multipliers,
                                                            bool even_unchanged) {
  for (contest::WorkedMultiTable& table : WorkedMultis) ClearTable(table);
  storage::TdbTreiber* treiber = LogTable->GetTreiber();
  if (treiber == nullptr) return Renumbering::kFailed;
  // Another object of this program on the log would lose its file with the old set.
  if (treiber->UseCount() > 0 || LogTable->UsedRecs() <= 0) return Renumbering::kUnchanged;
  contest::TContestLKRec entry{};
  LogTable->GetLKRec(entry);
  Renumbering outcome = Renumbering::kFailed;
  try {
    outcome = RenumberAlone(rewrite_multipliers, even_unchanged);
  } catch (const storage::EDBError&) {
    // Reported by the driver; whatever was half done is settled at the next opening.
  }
  try {
    if (Dat().GetTreiber(contest::kTableLK, LogNumber) == nullptr) Dat().OpenLK(LogNumber);
  } catch (const storage::EDBError&) {
  }
  // The entry in hand stays; no record of the old set is re-found by the log table any more.
  LogTable->ClearRec();
  LogTable->SetLKWorkingCopy(entry);
  if (outcome == Renumbering::kRenumbered) LogFilesReplaced();
  return outcome;
}

ContestLogCore::Renumbering ContestLogCore::RenumberAlone(bool rewrite_multipliers,
                                                          bool even_unchanged) {
  const contest::LogFileSet files = contest::LogFileSetOf(LogNumber);
  Dat().CloseKeepingHandle(contest::kTableLK, LogNumber);
  if (!storage::TakeExclusiveUse(files.log, false)) {
    Dat().OpenLK(LogNumber);
    common::Protocol::AppendLine("Neunummerierung " +
                                 contest::TableFileName(contest::kTableLK, LogNumber) +
                                 " ausgelassen: das Log ist bei einem anderen Benutzer geöffnet");
    return Renumbering::kBusy;
  }
  struct Release {
    const std::string& log;
    ~Release() { storage::ReleaseExclusiveUse(log); }
  } release{files.log};
  contest::DiscardRenewedSet(files);  // whatever an earlier attempt left
  if (!Dat().OpenLK(LogNumber)) return Renumbering::kFailed;
  bool changed = false;
  if (!BuildRenumberedSet(rewrite_multipliers, changed)) {
    contest::DiscardRenewedSet(files);
    Messages().Fehler(kBuildFailed);
    return Renumbering::kFailed;
  }
  if (!changed && !even_unchanged) {
    contest::DiscardRenewedSet(files);
    return Renumbering::kUnchanged;
  }
  Dat().CloseKeepingHandle(contest::kTableLK, LogNumber);
  const contest::ReplaceResult replaced = contest::ReplaceLogFiles(files);
  if (replaced == contest::ReplaceResult::kFailed) {
    Messages().Fehler(kBuildFailed);
    return Renumbering::kFailed;
  }
  // Opening the log again puts a set that is not yet in place there, when it can.
  if (!Dat().OpenLK(LogNumber)) {
    Messages().Fehler(kReplaceFailed);
    return Renumbering::kPending;
  }
  return Renumbering::kRenumbered;
}

bool ContestLogCore::BuildRenumberedSet(bool rewrite_multipliers, bool& changed) {
  const bool serial = IsSerialContest(Definition);
  const char code = contest::ContestCodeOf(*Catalogue);
  const logbook::ToModi& modes = common::Service<logbook::ToModi>::Get();
  try {
    contest::TdbContest source(contest::kTableLK, LogNumber);
    const std::int32_t records = source.UsedRecs();
    contest::TdbContest target(contest::kTableLKNew, LogNumber);
    if (!target.OpenedHere()) return false;
    target.SetWriteMode(nullptr, 1);  // flushed once, when complete
    const std::unique_ptr<contest::ProgressWindow> progress =
        ShowProgress("Neunummerierung", records);
    std::array<std::int32_t, 256> band_numbers{};
    std::array<std::int32_t, 256> mode_numbers{};
    std::int32_t copied = 0;
    int walked = 0;
    for (bool found = source.First(serial ? kKeyNummer : kKeyDatumZeit); found;
         found = source.Next(false, true)) {
      if (++walked % kProgressEvery == 0) Step(progress.get(), walked);
      contest::TContestLKRec old{};
      source.GetLKRec(old);
      if (old.SkipMark != 0) {  // a QSY marker: dropped
        changed = true;
        continue;
      }
      contest::TContestLKRec record = old;
      UpdateQsoMultipliers(record, target);
      if (!rewrite_multipliers && !(old.CMulti.empty() && code == 'p')) record.CMulti = old.CMulti;
      ForgetEntryMultipliers();
      ++copied;
      record.wagNummer = static_cast<std::uint32_t>(serial ? std::int32_t{old.Nummer} : copied);
      const std::int32_t band_number = ++band_numbers[static_cast<unsigned char>(record.Bandcode)];
      record.wagBandNr = band_number;
      record.wagBandNrIntern = band_number;
      const char mode_class = modes.ModeClass(record.Mode.view());
      record.ModeNr =
          static_cast<std::uint16_t>(++mode_numbers[static_cast<unsigned char>(mode_class)]);
      target.ClearRec();
      target.SetLKRec(record);
      if (!target.InsertRec()) return false;
      target.GetLKRec(record);
      if (serial && record.Nummer != old.Nummer) {
        record.Nummer = old.Nummer;
        target.SetLKWorkingCopy(record);
        if (!target.UpdateRec()) return false;
      }
      changed = changed || std::memcmp(&record, &old, sizeof record) != 0;
    }
    Step(progress.get(), records);
    return true;
  } catch (const storage::EDBError&) {
    return false;
  }
}

}  // namespace contestlog
