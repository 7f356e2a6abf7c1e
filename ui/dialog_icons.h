// The icons of the five message dialogs, 48 x 48 pixels on a fuchsia background (the
// transparent colour), drawn by our own recipes into the application's picture registry.
#pragma once

#include <string>

#include "platform/qt/bitmap.h"

namespace ui {

inline constexpr const char* kIconAbfrage = "DLGABFRAGE";        // question: "?" on blue
inline constexpr const char* kIconHinweis = "DLGHINWEIS";        // notice: "i" on blue
inline constexpr const char* kIconAchtung = "DLGACHTUNG";        // warning: "!" on yellow
inline constexpr const char* kIconFehler = "DLGFEHLER";          // error: cross on red
inline constexpr const char* kIconFehlerInfo = "DLGFEHLERINFO";  // error with a help link
inline constexpr int kDialogIconSize = 48;

// The icon of that name, registered on first use; the application object must exist.
const platform::qt::TBitmap& DialogIcon(const std::string& name);

}  // namespace ui
