#include "app/contest_brow_pictures.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/colors.h"

namespace app {
namespace {

using platform::qt::TCanvas;
using platform::qt::TColor;
using platform::qt::TPoint;
using platform::qt::TRect;

constexpr TColor kWaveColour = 0x00E6CDB9;  // a light tint of the window's default blue
constexpr TColor kSideColour = 0x00A66C50;
constexpr TColor kTitleColour = 0x00603010;

// A quarter circle around (cx, cy) from the right to the bottom.
void QuarterArc(TCanvas& canvas, int cx, int cy, int radius) {
  std::vector<TPoint> points;
  for (int step = 0; step <= 24; ++step) {
    const double angle = std::numbers::pi * step / 48.0;
    points.push_back({cx + static_cast<int>(std::lround(radius * std::cos(angle))),
                      cy + static_cast<int>(std::lround(radius * std::sin(angle)))});
  }
  canvas.Polyline(points);
}

// Radio waves spreading from the top left corner, beside the side bar and behind the titles;
// the rest stays transparent.
void DrawBackground(TCanvas& canvas, const TRect& cell, int /*state*/) {
  canvas.Pen.Color = kWaveColour;
  for (int radius = 50, width = 6; radius <= 470; radius += 70, width = width > 2 ? width - 1 : 2) {
    canvas.Pen.Width = width;
    QuarterArc(canvas, cell.Left, cell.Top, radius);
  }
}

void DrawSideBarPicture(TCanvas& canvas, const TRect& cell, int /*state*/) {
  canvas.Brush.Color = kSideColour;
  canvas.FillRect(cell);
  canvas.Pen.Width = 1;
  canvas.Pen.Color = platform::qt::clWhite;
  canvas.MoveTo(cell.Left + 16, cell.Top);
  canvas.LineTo(cell.Left + 16, cell.Bottom);
}

void DrawTitle(TCanvas& canvas, const TRect& cell, int /*state*/) {
  canvas.Brush.Color = kTitleColour;
  canvas.Pen.Color = kWaveColour;
  canvas.Pen.Width = 1;
  canvas.RoundRect(cell.Left, cell.Top, cell.Right, cell.Bottom, 12, 12);
  canvas.Font.SetName("Arial");
  canvas.Font.SetSize(16);
  canvas.Font.SetStyle(platform::qt::fsBold);
  canvas.Font.SetColor(platform::qt::clWhite);
  canvas.Brush.Style = platform::qt::TBrushStyle::bsClear;
  const std::string text = "PEL Domivox";
  canvas.TextOut(cell.Left + (cell.Width() - canvas.TextWidth(text)) / 2,
                 cell.Top + (cell.Height() - canvas.TextHeight(text)) / 2, text);
}

}  // namespace

void RegisterMainWindowPictures() {
  platform::qt::TPictureRegistry& pictures = platform::qt::Application().Pictures();
  if (!pictures.Contains(kBackgroundPicture)) {
    pictures.Register(kBackgroundPicture, {480, 320, 1, platform::qt::clFuchsia}, DrawBackground);
  }
  if (!pictures.Contains(kSideBarPicture)) {
    pictures.Register(kSideBarPicture, {170, 14, 1, kSideColour}, DrawSideBarPicture);
  }
}

void RegisterTitlePicture(const std::string& name) {
  platform::qt::TPictureRegistry& pictures = platform::qt::Application().Pictures();
  if (!name.empty() && !pictures.Contains(name)) {
    pictures.Register(name, {420, 40, 1, platform::qt::clFuchsia}, DrawTitle);
  }
}

}  // namespace app
