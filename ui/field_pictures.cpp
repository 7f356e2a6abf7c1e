#include "ui/field_pictures.h"

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "ui/glyph_drawing.h"

namespace ui {
namespace {

using platform::qt::clNone;

constexpr TColor kInk = 0x404040;
constexpr TColor kPaper = 0xFFFFFF;
constexpr TColor kRed = 0x2020D0;
constexpr TColor kGrey = 0x909090;

void Register(platform::qt::TPictureRegistry& registry) {
  registry.Register(kPictureAuswahl, {12, 12, 1, platform::qt::clFuchsia},
                    [](auto& canvas, const auto& cell, int state) {
                      GlyphPen pen(canvas, cell, state);
                      pen.Figure({{2, 5}, {13, 5}, {8, 11}, {7, 11}}, kInk, kInk);
                    });
  registry.Register(kPictureDatum, {14, 14, 2, platform::qt::clFuchsia},
                    [](auto& canvas, const auto& cell, int state) {
                      GlyphPen pen(canvas, cell, state);
                      pen.Box(1, 2, 14, 15, kPaper, kInk);
                      pen.Box(1, 2, 14, 5, kRed, kInk);
                      pen.Line({{4, 0}, {4, 3}}, kInk);
                      pen.Line({{11, 0}, {11, 3}}, kInk);
                      for (int y = 7; y <= 13; y += 3) {
                        for (int x = 3; x <= 12; x += 3) pen.Box(x, y, x + 1, y + 1, kGrey, clNone);
                      }
                    });
}

}  // namespace

const platform::qt::TBitmap& FieldPicture(const std::string& name) {
  platform::qt::TPictureRegistry& registry = platform::qt::Application().Pictures();
  if (!registry.Contains(kPictureAuswahl)) Register(registry);
  return registry.Get(name);
}

}  // namespace ui
