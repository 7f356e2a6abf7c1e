// Screenshots for window tests: a control's window as a bitmap (for pixel checks) and as a PNG
// under the build folder's screenshots/ folder (for a person to look at).
#pragma once

#include <string>

#include "platform/qt/bitmap.h"
#include "platform/qt/win_control.h"

namespace platform::qt::testkit {

// The control and its children as they are drawn now (after pending paints), also when its
// form is not shown.
TBitmap Grab(TWinControl& control);
// The build folder's screenshots/ folder, made when missing.
std::string ScreenshotFolder();
// Saves Grab(control) as <folder>/<name>.png; answers the path, empty when it failed.
std::string SaveScreenshot(TWinControl& control, const std::string& name);

}  // namespace platform::qt::testkit
