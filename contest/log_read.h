// How a read of a whole contest log ended: the counts and the outputs take only a log read to
// its end, and tell the operator the cause otherwise.
#pragma once

namespace contest {

enum class LogRead {
  kWhole,           // read to the log's end
  kRepairDeclined,  // the repair of files another station left unfinished was declined
  kLocked,          // another station holds the log, and the wait for it was given up
  kFailed,          // any other read that failed
};

}  // namespace contest
