// The program's start-up: what main() runs, and what the end-to-end tests run.
//
// In this order: the data folder (created when missing) with the program's resource files, the
// service objects (app/program_services.h), the window layer's application ("PEL Domivox", help
// file "Rondexa.hlp"), the windows' ports (message dialogs, file chooser, form messages; the
// contest service's links, bell, text window and log window), the main window TContestBrow,
// and the message loop until the main window closes. Then the main window, the ports and the
// services go in reverse order.
#pragma once

#include <functional>
#include <string>

namespace app {

class TContestBrow;

// What a test changes in a run; the program passes none.
struct StartHooks {
  // The data folder with its trailing "/" (empty: the platform's, app/resources beside the
  // program).
  std::string data_folder;
  std::string resource_folder;
  // After the ports are wired and before the main window is made: a test installs its scripted
  // messages and ports here.
  std::function<void()> wired;
  // Runs from the message loop once it has started; a test drives the window here and closes it.
  std::function<void(TContestBrow&)> running;
};

// Runs the program; answers its exit code (0, or 1 when the start stopped or the settings could
// not be written back). Uses the application object when one exists (tests), else makes it from
// argc and argv.
int RunProgram(int argc, char** argv, const StartHooks& hooks = {});

}  // namespace app
