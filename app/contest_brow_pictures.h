// The main window's own pictures, drawn by our code and registered by name in the application's
// picture registry: the side bar before the colour scheme paints it, the background with radio
// waves (its fill is the transparent colour, so the window's colour shows through), and the
// edition's title picture.
#pragma once

#include <string>

namespace app {

inline constexpr const char* kSideBarPicture = "contestbrow_seite";
inline constexpr const char* kBackgroundPicture = "contestbrow_untergrund";

// Registers the side bar and the background once per application object.
void RegisterMainWindowPictures();
// Registers the title picture under the name the edition gives it (once).
void RegisterTitlePicture(const std::string& name);

}  // namespace app
