#include "ui/dialog_icons.h"

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "ui/glyph_drawing.h"

namespace ui {
namespace {

using platform::qt::clBlack;
using platform::qt::clWhite;

constexpr TColor kBlue = 0xC06020;
constexpr TColor kRed = 0x2020D0;
constexpr TColor kYellow = 0x20D0F8;

void SignOnDisc(platform::qt::TCanvas& c, const platform::qt::TRect& cell, TColor disc,
                const char* sign) {
  GlyphPen pen(c, cell, 0);
  pen.Disc(0, 0, 15, 15, disc, clBlack);
  pen.Label(0, 1, 15, 14, sign, clWhite);
}

void Cross(GlyphPen& pen) {
  pen.Line({{4, 4}, {11, 11}}, clWhite, 2);
  pen.Line({{11, 4}, {4, 11}}, clWhite, 2);
}

void Register(platform::qt::TPictureRegistry& registry) {
  const platform::qt::TPictureSpec spec{kDialogIconSize, kDialogIconSize, 1,
                                        platform::qt::clFuchsia};
  registry.Register(kIconAbfrage, spec, [](auto& c, const auto& cell, int) {
    SignOnDisc(c, cell, kBlue, "?");
  });
  registry.Register(kIconHinweis, spec, [](auto& c, const auto& cell, int) {
    SignOnDisc(c, cell, kBlue, "i");
  });
  registry.Register(kIconAchtung, spec, [](auto& c, const auto& cell, int) {
    GlyphPen pen(c, cell, 0);
    pen.Figure({{8, 0}, {15, 15}, {0, 15}}, kYellow, clBlack);
    pen.Label(5, 5, 10, 14, "!", clBlack);
  });
  registry.Register(kIconFehler, spec, [](auto& c, const auto& cell, int) {
    GlyphPen pen(c, cell, 0);
    pen.Disc(0, 0, 15, 15, kRed, clBlack);
    Cross(pen);
  });
  // The error whose second button opens a page: a small blue help sign beside the cross.
  registry.Register(kIconFehlerInfo, spec, [](auto& c, const auto& cell, int) {
    GlyphPen pen(c, cell, 0);
    pen.Disc(0, 0, 13, 13, kRed, clBlack);
    pen.Line({{3, 3}, {10, 10}}, clWhite, 2);
    pen.Line({{10, 3}, {3, 10}}, clWhite, 2);
    pen.Disc(9, 9, 15, 15, kBlue, clWhite);
    pen.Label(9, 10, 15, 15, "?", clWhite);
  });
}

}  // namespace

const platform::qt::TBitmap& DialogIcon(const std::string& name) {
  platform::qt::TPictureRegistry& registry = platform::qt::Application().Pictures();
  if (!registry.Contains(kIconAbfrage)) Register(registry);
  return registry.Get(name);
}

}  // namespace ui
