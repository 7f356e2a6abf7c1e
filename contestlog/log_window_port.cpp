#include "contestlog/log_window_port.h"

#include <memory>
#include <utility>

#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contestlog/contest_log_std.h"

namespace contestlog {

void LogWindowPort::RunContestLog(platform::qt::TForm* owner, std::int32_t log_number,
                                  const contest::TContestRec& definition,
                                  contest::TdbContest& catalogue,
                                  contest::TdbContest& contest_data) {
  contestlog::RunContestLog(owner, log_number, definition, catalogue, contest_data);
}

void InstallLogWindow() {
  contest::TContestFkt& service = common::Service<contest::TContestFkt>::Get();
  std::unique_ptr<contest::ContestPort> previous = service.SetPort(nullptr);
  service.SetPort(std::make_unique<LogWindowPort>(std::move(previous)));
}

}  // namespace contestlog
