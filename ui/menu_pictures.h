// The 46 pictures of the menu icons, drawn by our own recipes: 15 x 15 pixels on fuchsia (their
// transparent colour), one motif per icon index (ui/menu_icons.h). They are registered in the
// application's picture registry as "imgbtn15x15x0" to "imgbtn15x15x45", and the close icon
// once more as "imgbtnClose15"; the picture form holds them as single images and as its image
// list ImageListMenuek.
#pragma once

#include <string>

#include "platform/qt/bitmap.h"
#include "platform/qt/colors.h"
#include "platform/qt/pictures.h"

namespace ui {

inline constexpr platform::qt::TColor kMenuPictureBackground = platform::qt::clFuchsia;

// "imgbtn15x15x" + index.
std::string MenuPictureName(int index);
void RegisterMenuPictures(platform::qt::TPictureRegistry& registry);
// The picture of an icon index, registered (all of them) on first use; the application object
// must exist. Empty outside 0 to 45.
const platform::qt::TBitmap& MenuPicture(int index);

}  // namespace ui
