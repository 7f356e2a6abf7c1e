// The grid browser's pictures, drawn by our own recipes into the application's picture registry:
// the four tool pictures "SUCH", "SORT", "LOESCH", "AKTUALISIEREN" (32 x 16 on purple), the six
// navigation arrows "BTNENDH", "BTNSEITEH", "BTNEINSH", "BTNEINSR", "BTNSEITER", "BTNENDR"
// (10 x 10 on white; "H" points up, towards the start, "R" down), the close buttons' "BTNCLOSE"
// (10 x 10) and "BTNCLOSE2" (56 x 11), the direct-edit pencil "BTNEDIT" (16 x 16, four glyph
// states) and the quick-search magnifier "SCHNELLSUCHE" (16 x 16); for the layout engine's sort
// and view bar the sort picture "SORTIERUNGPX4" (20 x 20) and the larger magnifier
// "SCHNELLSUCHEPX42" (24 x 24). All but the first ten are on fuchsia; the background is each
// picture's transparent colour.
#pragma once

#include <string>

#include "platform/qt/bitmap.h"
#include "platform/qt/colors.h"

namespace ui {

inline constexpr platform::qt::TColor kToolPictureBackground = 0x00800080;  // purple
inline constexpr const char* kToolPictures[] = {"SUCH", "SORT", "LOESCH", "AKTUALISIEREN"};
inline constexpr const char* kArrowPictures[] = {"BTNENDH",  "BTNSEITEH", "BTNEINSH",
                                                 "BTNEINSR", "BTNSEITER", "BTNENDR"};

// The picture of that name, registered (all of them) on first use; the application object must
// exist.
const platform::qt::TBitmap& BrowserPicture(const std::string& name);

}  // namespace ui
