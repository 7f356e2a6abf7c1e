#include "platform/qt/impl/convert.h"

#include "platform/qt/colors.h"
#include "platform/qt/font_table.h"
#include "platform/text_codec.h"

namespace platform::qt::impl {

QString ToQString(std::string_view cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

std::string FromQString(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QChar ToQChar(char c) {
  const QString s = ToQString(std::string_view(&c, 1));
  return s.isEmpty() ? QChar() : s.at(0);
}

char FromQChar(QChar c) {
  if (c.isNull()) return 0;
  const std::string s = FromQString(QString(c));
  if (s.size() != 1 || (s[0] == '?' && c != QChar('?'))) return 0;
  return s[0];
}

QColor ToQColor(TColor colour) {
  const TColor rgb = ColorToRGB(colour);
  return QColor(common::GetRValue(rgb), common::GetGValue(rgb), common::GetBValue(rgb));
}

TColor FromQColor(const QColor& colour) {
  return common::RGB(static_cast<std::uint8_t>(colour.red()),
                     static_cast<std::uint8_t>(colour.green()),
                     static_cast<std::uint8_t>(colour.blue()));
}

QFont ToQFont(const TFont& font) {
  QFont f(ToQString(HostFontFamily(font.Name())));
  f.setPixelSize(font.PixelSize());
  f.setBold((font.Style() & fsBold) != 0);
  f.setItalic((font.Style() & fsItalic) != 0);
  f.setUnderline((font.Style() & fsUnderline) != 0);
  f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

int ToQtCursorShape(TCursor cursor) {
  switch (cursor) {
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    case crNo:
      return Qt::ForbiddenCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace platform::qt::impl
