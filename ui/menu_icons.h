// The icons of the owner-drawn menus: which of the 46 menu pictures a caption stands for, and
// where the new look takes that picture from. The pictures themselves (15 x 15, one motif per
// index) are drawn by menu_pictures.h and held by the picture form.
#pragma once

#include <string>
#include <string_view>

namespace ui {

inline constexpr int kMenuIconCount = 46;
inline constexpr int kMenuIconSize = 15;
inline constexpr int kCloseIcon = 15;  // "Schließen"

// The icon index of a caption, compared exactly and with letter case against every caption of
// the table in order; the last match decides. -1 when none matches.
int MenuIconIndex(std::string_view caption);

// Under the new look most icons are single images of the picture form; these are taken from
// its image list as under the old look.
bool MenuIconFromImageList(int index);

// The picture form's single image of an icon: "imgbtn15x15x" + index, for the close icon 15
// "imgbtnClose15".
std::string MenuIconImageName(int index);

}  // namespace ui
