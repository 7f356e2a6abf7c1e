// The pictures of the buttons inside the typed edit fields, drawn by our own recipes into the
// application's picture registry on fuchsia (the transparent colour): "KVBAUSWAHL", the arrow
// of the history list's drop button (one state, 12 x 12), and "KVBDATUM", the calendar sheet of
// the date field's button (two states, normal and disabled, 14 x 14 each).
#pragma once

#include <string>

#include "platform/qt/bitmap.h"

namespace ui {

inline constexpr const char* kPictureAuswahl = "KVBAUSWAHL";
inline constexpr const char* kPictureDatum = "KVBDATUM";

// The picture of that name, registered on first use; the application object must exist.
const platform::qt::TBitmap& FieldPicture(const std::string& name);

}  // namespace ui
