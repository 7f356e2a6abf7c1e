// The pictures of the button kinds, "KVBB" + the kind's name ("KVBBYES"), drawn by recipes of
// our own: each holds two glyph states side by side, normal and disabled (cells of 16 pixels for
// the plain kinds, 20 for the "G" kinds of the larger buttons, 12 for the "K" kinds of the small
// buttons inside fields), on fuchsia as the transparent colour.
#pragma once

#include <memory>

#include "platform/qt/bitmap.h"
#include "platform/qt/pictures.h"
#include "ui/bit_btn_kinds.h"

namespace ui {

// Registers the 61 kind pictures by name in the registry.
void RegisterKindPictures(platform::qt::TPictureRegistry& pictures);

// The picture of a kind, from a process-wide cache of one entry per kind that every button of
// the kind shares: taken from the application's picture registry on first use (the kind pictures
// are registered there first when it lacks them). Empty for a kind without a picture.
std::shared_ptr<const platform::qt::TBitmap> KindBitmap(TkvBitBtnKind kind);
// Empties the cache (module start and end, tests).
void ClearKindBitmaps();

}  // namespace ui
