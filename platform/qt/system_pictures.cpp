#include "platform/qt/system_pictures.h"

namespace platform::qt {
namespace {

constexpr TColor kErrorRed = 0x2020D0;
constexpr TColor kWarningYellow = 0x20D0F8;
constexpr TColor kInfoBlue = 0xC06020;

// A bold sign (one character) centred in the cell.
void Sign(TCanvas& c, const TRect& cell, const char* sign, TColor colour, int size, int dy) {
  c.Font.SetName("Arial");
  c.Font.SetSize(size);
  c.Font.SetStyle(fsBold);
  c.Font.SetColor(colour);
  c.Brush.Style = TBrushStyle::bsClear;
  TRect r{cell.Left, cell.Top + dy, cell.Right, cell.Bottom + dy};
  c.DrawText(sign, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void Disc(TCanvas& c, const TRect& cell, TColor fill) {
  c.Pen = {clBlack, 1};
  c.Brush = {fill, TBrushStyle::bsSolid};
  c.Ellipse(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1);
}

void ErrorIcon(TCanvas& c, const TRect& cell, int) {
  Disc(c, cell, kErrorRed);
  // A white cross of two thick diagonals.
  c.Pen = {clWhite, 1};
  const int l = cell.Left + 10;
  const int t = cell.Top + 10;
  for (int d = -1; d <= 1; ++d) {
    c.MoveTo(l + d, t);
    c.LineTo(l + 12 + d, t + 12);
    c.MoveTo(l + 11 + d, t);
    c.LineTo(l - 1 + d, t + 12);
  }
}

void WarningIcon(TCanvas& c, const TRect& cell, int) {
  c.Pen = {clBlack, 1};
  c.Brush = {kWarningYellow, TBrushStyle::bsSolid};
  const TPoint triangle[] = {{cell.Left + 15, cell.Top + 1},
                             {cell.Left + 30, cell.Top + 29},
                             {cell.Left + 1, cell.Top + 29}};
  c.Polygon(triangle);
  Sign(c, cell, "!", clBlack, 15, 3);
}

void InformationIcon(TCanvas& c, const TRect& cell, int) {
  Disc(c, cell, kInfoBlue);
  Sign(c, cell, "i", clWhite, 16, 0);
}

void QuestionIcon(TCanvas& c, const TRect& cell, int) {
  Disc(c, cell, kInfoBlue);
  Sign(c, cell, "?", clWhite, 16, 0);
}

}  // namespace

void RegisterSystemPictures(TPictureRegistry& registry) {
  const TPictureSpec icon{32, 32, 1, clFuchsia};
  registry.Register(kIconError, icon, ErrorIcon);
  registry.Register(kIconWarning, icon, WarningIcon);
  registry.Register(kIconInformation, icon, InformationIcon);
  registry.Register(kIconQuestion, icon, QuestionIcon);
}

}  // namespace platform::qt
