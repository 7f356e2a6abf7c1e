#include "app/contest_ports.h"

#include <string>

#include "app/contest_brow.h"
#include "app/contest_brow_ctrl.h"
#include "app/eing_contest_run.h"
#include "app/prefix_list.h"
#include "app/programs_box.h"
#include "app/text_window_port.h"
#include "contest/window/window_ports.h"
#include "contestlog/dxcc_chooser.h"
#include "contestlog/log_window_port.h"

namespace app {

void InstallContestPorts() {
  contest::window::InstallWindowServices();
  InstallTextWindow();
  InstallProgramsBox();
  contestlog::InstallLogWindow();
  // The setup form works on the main window's live definition and opens over it.
  InstallEntryForm([] {
    if (ContestBrow == nullptr || ContestBrow->Ctrl() == nullptr) return EntryFormHost{};
    return EntryFormHost{&ContestBrow->Ctrl()->Definition(), ContestBrow};
  });
  // The QSO edit dialog's DXCC button: the DXCC prefix list in select mode.
  contestlog::SetDxccChooser([](const std::string& start_text) {
    std::string dxcc;
    std::string prefix;
    TDatenPrefixFkt::ChooseDXCC(dxcc, start_text, prefix);
    return dxcc;
  });
}

}  // namespace app
