// The colour scheme of the settings (logbook::ApplyColourScheme) on real windows: the scheme's
// window port implemented on a form, its controls (labels, panels, grid browsers), its pop-up
// menus and an image control.
#pragma once

#include "logbook/settings/colour_scheme.h"
#include "platform/qt/form.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"

namespace ui {

// Colours `form` and its controls: labels by their tag, panels and the grid browsers and tag-99
// panels on them, the pop-up menus the form owns (standard drawing when the layout record asks
// for it), and draws the side bar into `side_bar` and the maker line into `maker_label` (either
// may be null). The settings object and the grid colours must exist.
void ApplyColourScheme(platform::qt::TForm& form, platform::qt::TImage* side_bar,
                       platform::qt::TLabel* maker_label);

}  // namespace ui
