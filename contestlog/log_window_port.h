// The contest log window as the catalogue service runs it (TContestFkt::RunLog): the port's
// RunContestLog opens the window (RunContestLog of contest_log_std.h); every other operation
// goes to the port it was installed over.
#pragma once

#include <cstdint>

#include "contest/contest_port.h"

namespace contestlog {

class LogWindowPort final : public contest::ForwardingPort {
 public:
  using ForwardingPort::ForwardingPort;

  void RunContestLog(platform::qt::TForm* owner, std::int32_t log_number,
                     const contest::TContestRec& definition, contest::TdbContest& catalogue,
                     contest::TdbContest& contest_data) override;
};

// Installs LogWindowPort into the catalogue service (Service<contest::TContestFkt>) over the
// port installed so far.
void InstallLogWindow();

}  // namespace contestlog
