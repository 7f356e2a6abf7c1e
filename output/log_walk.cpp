#include "output/log_walk.h"

namespace output {

void ForEachLogQso(contest::TdbContestBase& log, int key,
                   const std::function<void(const contest::TContestLKRec&)>& visit) {
  contest::TContestLKRec record{};
  // Nothing else moves the log's shared record while an output reads it, so the walk need not
  // re-find its place before each step.
  for (bool found = log.First(key); found; found = log.Next(false, true)) {
    log.GetLKRec(record);
    if (!IsQsyMarker(record)) visit(record);
  }
}

}  // namespace output
