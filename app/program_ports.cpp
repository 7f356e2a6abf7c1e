#include "app/program_ports.h"

#include "app/contest_ports.h"
#include "common/service.h"
#include "contest/contest_fkt.h"

namespace app {

ProgramPorts::ProgramPorts() { InstallContestPorts(); }

ProgramPorts::~ProgramPorts() {
  if (common::Service<contest::TContestFkt>::Exists()) {
    common::Service<contest::TContestFkt>::Get().SetPort(nullptr);
  }
}

}  // namespace app
