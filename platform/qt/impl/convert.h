// Conversions between the layer's values and Qt's (layer-internal).
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "platform/qt/font.h"
#include "platform/qt/types.h"

namespace platform::qt::impl {

QString ToQString(std::string_view cp1252);
std::string FromQString(const QString& text);
// One CP1252 byte as a Qt character and back (0 when the character has no CP1252 code).
QChar ToQChar(char c);
char FromQChar(QChar c);
QColor ToQColor(TColor colour);
TColor FromQColor(const QColor& colour);
// The font at the layer's fixed 96 pixels per inch, without antialiasing.
QFont ToQFont(const TFont& font);
inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect FromQRect(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }
// Qt's cursor shape for a cursor number.
int ToQtCursorShape(TCursor cursor);

}  // namespace platform::qt::impl
