#include "app/contest_ports.h"

#include "app/text_window_port.h"
#include "contest/window/window_ports.h"
#include "contestlog/log_window_port.h"

namespace app {

void InstallContestPorts() {
  contest::window::InstallWindowServices();
  InstallTextWindow();
  contestlog::InstallLogWindow();
}

}  // namespace app
