#include "contestlog/log_tables.h"

#include <cstring>

#include "common/service.h"
#include "logbook/databases/call_database.h"

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

}  // namespace

bool OpenLogTable(std::unique_ptr<contest::TdbContest>& log, std::int32_t log_number) {
  log = std::make_unique<contest::TdbContest>(contest::kTableLK, log_number);
  common::Service<logbook::ToDatCall>::Get().OpenFiles(logbook::ToDatCall::kCallListBit, false);
  for (bool found = log->First(kKeyDatumZeit); found; found = log->Next(true, true)) {
    contest::TContestLKRec record{};
    log->GetLKRec(record);
    if (!IsQsyMarker(record) || !ClearQsoFields(record)) continue;
    log->SetLKRec(record);
    log->UpdateRec();
  }
  return log->Last(kKeyCMulti);
}

void CloseLogFiles(std::unique_ptr<contest::TdbContest>& log, contest::TdbContestBase& catalogue,
                   contest::TdbContestBase& contest_data) {
  catalogue.UpdateRec();
  contest_data.UpdateRec();
  common::Service<logbook::ToDatCall>::Get().CloseFiles(logbook::ToDatCall::kCallListBit, false);
  log.reset();
}

}  // namespace contestlog
