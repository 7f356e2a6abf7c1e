// A screenshot of a window with one of its pop-up menus open: the menu lives in a window of its
// own, so the two pictures are put together where they stand on the screen.
#pragma once

#include <algorithm>
#include <string>

#include "platform/qt/bitmap.h"
#include "platform/qt/menus.h"
#include "platform/qt/popup_window.h"
#include "platform/qt/testkit/screenshot.h"

namespace ui::testing {

// Saves <screenshots>/<name>.png; answers the path, empty when the menu is not open or the file
// could not be written.
inline std::string SaveWithMenu(platform::qt::TWinControl& window, platform::qt::TPopupMenu& menu,
                                const std::string& name) {
  platform::qt::TPopupWindow* open = menu.Window();
  if (open == nullptr) return "";
  const platform::qt::TBitmap back = platform::qt::testkit::Grab(window);
  const platform::qt::TBitmap front = platform::qt::testkit::Grab(*open);
  const platform::qt::TPoint origin = window.ClientToScreen({0, 0});
  const platform::qt::TPoint at = open->ClientToScreen({0, 0});
  const int x = at.X - origin.X;
  const int y = at.Y - origin.Y;
  platform::qt::TBitmap shot(std::max(back.Width(), x + front.Width()),
                             std::max(back.Height(), y + front.Height()));
  shot.Canvas().Brush.Color = 0x00FFFFFF;
  shot.Canvas().FillRect({0, 0, shot.Width(), shot.Height()});
  shot.Canvas().Draw(0, 0, back);
  shot.Canvas().Draw(x, y, front);
  const std::string path = platform::qt::testkit::ScreenshotFolder() + "/" + name + ".png";
  return shot.SaveToPng(path) ? path : "";
}

}  // namespace ui::testing
