// The pictures of the further-programs boxes, drawn by our own code: a presentation of this
// program (title, what it does, a small hourly chart and a log list as it shows them).
#include <string>
#include <vector>

#include "app/programs_box.h"
#include "platform/qt/application.h"
#include "platform/qt/colors.h"

namespace app {
namespace {

using platform::qt::TCanvas;
using platform::qt::TColor;
using platform::qt::TRect;

constexpr TColor kNavy = 0x00603010;
constexpr TColor kSky = 0x00F4E6D8;
constexpr TColor kBlue = platform::qt::clBlue;
constexpr TColor kRed = platform::qt::clRed;

// Top to bottom from `top` to `bottom` colour, in bands of 4 pixels.
void VerticalBlend(TCanvas& canvas, const TRect& area, TColor top, TColor bottom) {
  const int height = area.Height();
  for (int y = 0; y < height; y += 4) {
    const auto mix = [&](int shift) {
      const int a = static_cast<int>((top >> shift) & 0xFF);
      const int b = static_cast<int>((bottom >> shift) & 0xFF);
      return static_cast<TColor>(a + (b - a) * y / height) << shift;
    };
    canvas.Brush.Color = mix(0) | mix(8) | mix(16);
    canvas.FillRect({area.Left, area.Top + y, area.Right, std::min(area.Bottom, area.Top + y + 4)});
  }
}

void Text(TCanvas& canvas, int x, int y, const std::string& text, int size, bool bold,
          TColor colour) {
  canvas.Brush.Style = platform::qt::TBrushStyle::bsClear;
  canvas.Font.SetName("Arial");
  canvas.Font.SetSize(size);
  canvas.Font.SetStyle(bold ? platform::qt::fsBold : 0);
  canvas.Font.SetColor(colour);
  canvas.TextOut(x, y, text);
  canvas.Brush.Style = platform::qt::TBrushStyle::bsSolid;
}

// A small hourly chart: blue QSO bars, red multiplier bars on axes.
void MiniChart(TCanvas& canvas, const TRect& area) {
  canvas.Brush.Color = platform::qt::clWhite;
  canvas.Pen.Color = kNavy;
  canvas.Pen.Width = 1;
  canvas.Rectangle(area);
  const int base = area.Bottom - 20;
  canvas.Brush.Color = platform::qt::clBlack;
  canvas.FillRect({area.Left + 20, area.Top + 15, area.Left + 22, base + 2});
  canvas.FillRect({area.Left + 20, base, area.Right - 15, base + 2});
  const int qsos[] = {12, 18, 25, 31, 22, 17, 9, 6, 4, 3, 8, 15, 27, 35, 38, 29};
  const int multis[] = {6, 7, 8, 6, 4, 3, 2, 1, 1, 0, 2, 3, 4, 3, 2, 2};
  const int span = base - area.Top - 25;
  int x = area.Left + 28;
  for (int i = 0; i < 16; ++i, x += 16) {
    canvas.Brush.Color = kBlue;
    canvas.FillRect({x, base - qsos[i] * span / 40, x + 6, base});
    canvas.Brush.Color = kRed;
    canvas.FillRect({x + 6, base - multis[i] * span / 40, x + 12, base});
  }
}

// A few rows of a QSO list under a heading.
void MiniLog(TCanvas& canvas, const TRect& area) {
  canvas.Brush.Color = platform::qt::clWhite;
  canvas.Pen.Color = kNavy;
  canvas.Rectangle(area);
  canvas.Brush.Color = kNavy;
  canvas.FillRect({area.Left + 1, area.Top + 1, area.Right - 1, area.Top + 22});
  Text(canvas, area.Left + 8, area.Top + 4, "Nr   UTC    Call        RST  Nr  DOK", 9, true,
       platform::qt::clWhite);
  const char* rows[] = {"001  15:02  DL2XYZ      599  001 B36", "002  15:04  OE3ABC      599  002",
                        "003  15:07  DK5QQ       599  003 F12", "004  15:09  G4XYZ       599  004",
                        "005  15:12  DF1LOG      599  005 R01"};
  int y = area.Top + 28;
  for (const char* row : rows) {
    Text(canvas, area.Left + 8, y, row, 9, false, platform::qt::clBlack);
    y += 18;
  }
}

void Presentation(TCanvas& canvas, const TRect& cell, bool wide) {
  VerticalBlend(canvas, cell, kNavy, kSky);
  Text(canvas, cell.Left + 40, cell.Top + 30, "PEL Domivox", 36, true, platform::qt::clWhite);
  Text(canvas, cell.Left + 44, cell.Top + 95, "Das Contest-Logbuch für Funkamateure", 16, false,
       platform::qt::clWhite);
  const std::vector<std::string> points = {
      "QSO-Eingabe in Echtzeit mit Doppel-Prüfung", "Multiplikatoren und Punkte sofort gezählt",
      "Auswertung: QSO und Multis pro Stunde", "Ausgabe als Cabrillo, ADIF, STF, EDI und Papierlog",
      "Netzwerkfähig: mehrere Stationen, ein Log"};
  int y = cell.Top + 160;
  for (const std::string& point : points) {
    canvas.Brush.Color = kRed;
    canvas.FillRect({cell.Left + 48, y + 6, cell.Left + 56, y + 14});
    Text(canvas, cell.Left + 66, y, point, 12, false, kNavy);
    y += 30;
  }
  const int right = cell.Right - 40;
  if (wide) {
    MiniChart(canvas, {right - 330, cell.Top + 40, right, cell.Top + 250});
    MiniLog(canvas, {right - 330, cell.Top + 280, right, cell.Top + 420});
  } else {
    MiniChart(canvas, {cell.Left + 40, y + 20, cell.Left + 360, cell.Bottom - 40});
    MiniLog(canvas, {cell.Left + 400, y + 20, right, cell.Bottom - 40});
  }
}

}  // namespace

void RegisterProgramsBoxPictures() {
  platform::qt::TPictureRegistry& pictures = platform::qt::Application().Pictures();
  if (!pictures.Contains(kProgramsPicture)) {
    pictures.Register(
        kProgramsPicture, {800, 600, 1, platform::qt::clFuchsia},
        [](TCanvas& canvas, const TRect& cell, int) { Presentation(canvas, cell, false); });
  }
  if (!pictures.Contains(kProgramsPicture2)) {
    pictures.Register(
        kProgramsPicture2, {978, 543, 1, platform::qt::clFuchsia},
        [](TCanvas& canvas, const TRect& cell, int) { Presentation(canvas, cell, true); });
  }
}

}  // namespace app
