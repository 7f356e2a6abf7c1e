#include "output/log_walk.h"

#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_system.h"

namespace output {
namespace {

// Why the step that answered no record did so: only "no record" is the log's end. Taken at
// once, before another driver call sets the class anew.
LogRead EndOfWalk(contest::TdbContestBase& log) {
  const int error_class = storage::DriverErrorClass();
  if (log.RepairDeclined()) return LogRead::kRepairDeclined;
  if (error_class == storage::kClassNotFound && log.GetTreiber() != nullptr) return LogRead::kWhole;
  return error_class == storage::kClassLock ? LogRead::kLocked : LogRead::kFailed;
}

}  // namespace

LogRead ForEachLogQso(contest::TdbContestBase& log, int key,
                      const std::function<void(const contest::TContestLKRec&)>& visit) {
  contest::TContestLKRec record{};
  // Nothing else moves the log's shared record while an output reads it, so the walk need not
  // re-find its place before each step.
  for (bool found = log.First(key); found; found = log.Next(false, true)) {
    log.GetLKRec(record);
    if (!IsQsyMarker(record)) visit(record);
  }
  return EndOfWalk(log);
}

void ForEachQsoOfWholeLog(contest::TdbContestBase& log, int key,
                          const std::function<void(const contest::TContestLKRec&)>& visit) {
  const LogRead read = ForEachLogQso(log, key, visit);
  if (read != LogRead::kWhole) throw LogNotRead(read);
}

}  // namespace output
