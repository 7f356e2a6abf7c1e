#include "platform/qt/print_text.h"

#include <algorithm>
#include <string_view>

namespace platform::qt {
namespace {

// The length of the longest start of `text` that fits `room` dots, broken at a blank when one
// lies inside it; at least one character.
std::size_t FittingLength(TPrinterCanvas& canvas, std::string_view text, int room) {
  if (canvas.TextWidth(text) <= room) return text.size();
  std::size_t fit = 1;
  while (fit < text.size() && canvas.TextWidth(text.substr(0, fit + 1)) <= room) ++fit;
  const std::size_t blank = text.substr(0, fit + 1).rfind(' ');
  return blank != std::string_view::npos && blank > 0 ? blank + 1 : fit;
}

}  // namespace

bool PrintLines(TPrinter& printer, const std::vector<std::string>& lines, const std::string& title,
                const TFont& font, TRect area) {
  if (area.Width() <= 0 || area.Height() <= 0)
    area = {0, 0, printer.PageWidth(), printer.PageHeight()};
  TPrinterCanvas& canvas = printer.Canvas();
  canvas.Font = font;
  printer.Title = title;
  if (!printer.BeginDoc()) return false;
  const int line_height = std::max(1, canvas.TextHeight("Xg"));
  int y = area.Top;
  const auto put = [&](std::string_view piece) {
    if (y > area.Top && y + line_height > area.Bottom) {
      printer.NewPage();
      y = area.Top;
    }
    canvas.TextOut(area.Left, y, piece);
    y += line_height;
  };
  for (const std::string& line : lines) {
    std::string_view rest = line;
    do {
      const std::size_t length = FittingLength(canvas, rest, area.Width());
      put(rest.substr(0, length));
      rest.remove_prefix(length);
    } while (!rest.empty());
  }
  return printer.EndDoc();
}

}  // namespace platform::qt
