// The ports through which the lower layers reach the program's windows, installed for one run:
// the message dialogs, the file chooser and the form messages (ui::WindowPorts), and the contest
// service's links and bell, text window, contest log window and setup form
// (app/contest_ports.h), and the prefix database's DXCC selection window. The further-programs
// box does not exist yet: its port operation does nothing.
//
// Made once the application object and the services exist, before the main window; destroyed
// after it, which puts the console and the do-nothing contest port back.
#pragma once

#include "ui/program_wiring.h"

namespace app {

class ProgramPorts {
 public:
  ProgramPorts();
  ~ProgramPorts();
  ProgramPorts(const ProgramPorts&) = delete;
  ProgramPorts& operator=(const ProgramPorts&) = delete;

 private:
  ui::WindowPorts window_ports_;
};

}  // namespace app
