// Where the window system shows a form, frame and title bar included: for tests of window
// placement on a real display under a window manager (tests/platform/qt/with_window_manager.sh).
#pragma once

#include <functional>
#include <string>

#include "platform/qt/form.h"
#include "platform/qt/types.h"

namespace platform::qt::testkit {

// Whether the test runs under a window manager: the wrapper script says so
// (DOMIVOX_WINDOW_MANAGER=1).
bool UnderWindowManager();

// The outer rectangle of the shown form on the screen, its frame included. Under a window
// manager the frame is known only once the manager took the window: this waits for it (at most
// a few seconds) and for the window to stand still. Without one (a bare display, offscreen) it
// is the client area.
TRect ShownFrame(TForm& form);

// The client area of the shown form as the window system shows it, in screen coordinates.
TRect ShownClientArea(TForm& form);

// Runs the window system's events until `done` holds (at most a few seconds); answers `done`.
bool WaitUntil(const std::function<bool()>& done);

// Whether the shown form is the active window, waiting for it (at most a few seconds): under a
// window manager a window becomes active when the manager makes it so, some time after it was
// asked to.
bool WaitUntilActive(TForm& form);

// Whether the window system shows the form's window (it is exposed), waiting for it (at most a
// few seconds).
bool WaitUntilExposed(TForm& form);

// Moves the shown form's frame to (left, top) through the window system, as the operator
// dragging its title bar does, and waits until the window stands there.
void MoveAsTheOperator(TForm& form, int left, int top);

// The whole screen as it shows now, the window manager's frames included, saved as
// <screenshots>/<name>.png; answers the path, empty when it failed.
std::string SaveScreenScreenshot(const std::string& name);

}  // namespace platform::qt::testkit
