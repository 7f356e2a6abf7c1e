#include "app/contest_ports.h"

#include "app/contest_brow.h"
#include "app/contest_brow_ctrl.h"
#include "app/eing_contest_run.h"
#include "app/text_window_port.h"
#include "contest/window/window_ports.h"
#include "contestlog/log_window_port.h"

namespace app {

void InstallContestPorts() {
  contest::window::InstallWindowServices();
  InstallTextWindow();
  contestlog::InstallLogWindow();
  // The setup form works on the main window's live definition and opens over it.
  InstallEntryForm([] {
    if (ContestBrow == nullptr || ContestBrow->Ctrl() == nullptr) return EntryFormHost{};
    return EntryFormHost{&ContestBrow->Ctrl()->Definition(), ContestBrow};
  });
}

}  // namespace app
