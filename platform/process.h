// Starting other programs: by name (searched on PATH) with an argument list, never through a
// shell, so no text of the system is ever read as shell syntax.
//
// Arguments are passed as given (UTF-8 for the outside world; the callers convert). The child
// inherits the environment and the standard streams.
#pragma once

#include <string>
#include <vector>

#include "platform/win_errors.h"

namespace platform {

// The exit code RunProgram answers when the program could not be started at all.
inline constexpr int kProgramNotStarted = -1;

// Starts the program and returns at once; the program is reaped in the background when it
// ends. kErrorSuccess when it started, else the Windows code of why not (2: no such program).
WinError StartProgram(const std::string& program, const std::vector<std::string>& arguments);

// Runs the program and waits for it: its exit code, 128 + the signal number when a signal ended
// it, kProgramNotStarted when it could not be started.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
