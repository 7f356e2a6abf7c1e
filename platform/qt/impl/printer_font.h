// The Qt font of a printer canvas (layer-internal): the family from the font table, the size in
// points turned into dots of the printer's vertical resolution (as the platform's printer
// does), no hinting and no antialiasing (a printer has neither).
#pragma once

#include <QFont>

#include "platform/qt/font.h"

namespace platform::qt::impl {

QFont PrinterFont(const TFont& font, int dots_per_inch_y);

}  // namespace platform::qt::impl
