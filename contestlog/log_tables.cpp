#include "contestlog/log_tables.h"

#include <cstring>

#include "common/service.h"
#include "logbook/databases/call_database.h"
#include "storage/driver/driver.h"
#include "ui/browser_page.h"

namespace contestlog {
namespace {

constexpr int kKeyDatumZeit = 1;
constexpr int kKeyCMulti = 19;

bool IsQsyMarker(const contest::TContestLKRec& record) {
  return record.SkipMark != 0 && record.SkipMark != ' ';
}

// A marker carries only its band: what a QSO's evaluation left in it goes.
bool ClearQsoFields(contest::TContestLKRec& record) {
  const contest::TContestLKRec before = record;
  record.DXCC = "";
  record.Continent = "";
  record.Prefix = "";
  record.DOK1 = "";
  record.DOK2 = "";
  record.Loc = "";
  record.Call2 = "";
  record.WAZ_USStaat = "";
  return std::memcmp(&before, &record, sizeof record) != 0;
}

// The first read of the log at its opening, which asks again about a repair the operator
// declined before. Declined now, the opening tells what that leaves instead of the driver.
bool FirstOfOpening(contest::TdbContest& log) {
  log.AskAboutRepairAgain();
  storage::IFDriver* driver = log.Driver();
  if (driver == nullptr) return log.First(kKeyDatumZeit);
  std::uint16_t count = 0;
  storage::RetryProc proc;
  driver->GetRetry(count, proc);
  driver->SetRetry(count, [proc](std::string_view name, int reason) {
    return reason != storage::kReasonRepairDeclined && proc && proc(name, reason);
  });
  struct Restore {
    ~Restore() { driver->SetRetry(count, proc); }
    storage::IFDriver* driver;
    std::uint16_t count;
    const storage::RetryProc& proc;
  } restore{driver, count, proc};
  const bool found = log.First(kKeyDatumZeit);
  if (log.RepairDeclined()) {
    throw ui::EConstructorInvalid(
        "Eine andere Station wurde während einer Änderung beendet. Ohne Reparatur wird das Log "
        "nicht geöffnet.");
  }
  return found;
}

}  // namespace

bool OpenLogTable(std::unique_ptr<contest::TdbContest>& log, std::int32_t log_number) {
  log = std::make_unique<contest::TdbContest>(contest::kTableLK, log_number);
  common::Service<logbook::ToDatCall>::Get().OpenFiles(logbook::ToDatCall::kCallListBit, false);
  for (bool found = FirstOfOpening(*log); found; found = log->Next(true, true)) {
    contest::TContestLKRec record{};
    log->GetLKRec(record);
    if (!IsQsyMarker(record) || !ClearQsoFields(record)) continue;
    log->SetLKRec(record);
    log->UpdateRec();
  }
  return log->Last(kKeyCMulti);
}

void CloseLogFiles(std::unique_ptr<contest::TdbContest>& log, contest::TdbContestBase& catalogue,
                   contest::TdbContestBase& contest_data, bool counted) {
  if (counted) {
    catalogue.UpdateRec();
    contest_data.UpdateRec();
  } else {
    // The copies hold the claim of the window's last count (or of its opening): what is stored
    // now stays, and the caller shows it.
    catalogue.ReRead();
    contest_data.ReRead();
  }
  common::Service<logbook::ToDatCall>::Get().CloseFiles(logbook::ToDatCall::kCallListBit, false);
  log.reset();
}

}  // namespace contestlog
