#include "app/program_ports.h"

#include "app/contest_ports.h"
#include "app/dxcc_selection_window.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "logbook/reference/prefix_files.h"

namespace app {

ProgramPorts::ProgramPorts() {
  InstallContestPorts();
  InstallDxccSelectionWindow();
}

ProgramPorts::~ProgramPorts() {
  if (common::Service<logbook::ToDatPrefix>::Exists()) {
    common::Service<logbook::ToDatPrefix>::Get().SetSelectionPort(nullptr);
  }
  if (common::Service<contest::TContestFkt>::Exists()) {
    common::Service<contest::TContestFkt>::Get().SetPort(nullptr);
  }
}

}  // namespace app
