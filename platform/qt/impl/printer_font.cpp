#include "platform/qt/impl/printer_font.h"

#include <algorithm>

#include "platform/qt/font_table.h"
#include "platform/qt/impl/convert.h"

namespace platform::qt::impl {

QFont PrinterFont(const TFont& font, int dots_per_inch_y) {
  QFont f(ToQString(HostFontFamily(font.Name())));
  f.setPixelSize(std::max(1, MulDiv(font.Size(), dots_per_inch_y, 72)));
  f.setBold((font.Style() & fsBold) != 0);
  f.setItalic((font.Style() & fsItalic) != 0);
  f.setUnderline((font.Style() & fsUnderline) != 0);
  f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

}  // namespace platform::qt::impl
