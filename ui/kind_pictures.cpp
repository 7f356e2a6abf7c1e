#include "ui/kind_pictures.h"

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "ui/glyph_drawing.h"
#include "ui/glyph_motifs.h"

namespace ui {
namespace {

using platform::qt::clNone;

using namespace motifs;  // the shared motifs and their palette

// The picture names with their cell size (16: plain kinds, 20: the "G" kinds of the larger
// buttons, 12: the "K" kinds of the small buttons in fields) and recipe.
struct KindPicture {
  const char* name;
  int size;
  Motif motif;
};

std::vector<KindPicture> KindPictures() {
  auto arrow_right = [](GlyphPen& g) { ArrowRight(g, kBlue); };
  auto arrow_left = [](GlyphPen& g) { ArrowLeft(g, kBlue); };
  auto check = [](GlyphPen& g) { Check(g, kGreen); };
  auto retry = [](GlyphPen& g) { Circular(g, kGreen); };
  return {
      {"KVBBOK", 16, check},
      {"KVBBCANCEL", 16, [](GlyphPen& g) { Cross(g, kRed); }},
      {"KVBBHELP", 16, Question},
      {"KVBBYES",
       16,
       [](GlyphPen& g) {
         g.Disc(0, 0, 15, 15, clNone, kGreen);
         Check(g, kGreen);
       }},
      {"KVBBNO",
       16,
       [](GlyphPen& g) {
         g.Disc(0, 0, 15, 15, clNone, kRed);
         Cross(g, kRed);
       }},
      {"KVBBCLOSE", 16, Door},
      {"KVBBABORT", 16, StopSign},
      {"KVBBRETRY", 16, retry},
      {"KVBBIGNORE",
       16,
       [](GlyphPen& g) {
         g.Line({{1, 12}, {4, 4}, {11, 4}, {14, 12}}, kGrey, 2);
         g.Line({{11, 9}, {14, 12}, {15, 8}}, kGrey, 1);
       }},
      {"KVBBALL",
       16,
       [](GlyphPen& g) {
         Sheets(g);
         Check(g, kGreen);
       }},
      {"KVBBWEITER", 16, arrow_right},
      {"KVBBZURUECK", 16, arrow_left},
      {"KVBBEDIT",
       16,
       [](GlyphPen& g) {
         Sheet(g, 1, 1);
         Pencil(g);
       }},
      {"KVBBUEBERNAHME",
       16,
       [](GlyphPen& g) {
         g.Box(1, 9, 14, 14, kSky, kInk);
         g.Line({{7, 0}, {7, 9}}, kGreen, 2);
         g.Line({{4, 6}, {7, 9}, {10, 6}}, kGreen, 1);
       }},
      {"KVBBDRUCK", 16, Printer},
      {"KVBBNEU", 16, NewSheet},
      {"KVBBAENDERN", 16, Pencil},
      {"KVBBLOESCHEN", 16, Bin},
      {"KVBBZUSATZ", 16, Plus},
      {"KVBBSUCHE", 16, Magnifier},
      {"KVBBSTAT", 16, Bars},
      {"KVBBGHELP", 20, Question},
      {"KVBBGCLOSE", 20, Door},
      {"KVBBGDRUCK", 20, Printer},
      {"KVBBGNEU", 20, NewSheet},
      {"KVBBGAENDERN", 20, Pencil},
      {"KVBBGLOESCHEN", 20, Bin},
      {"KVBBGSUCHE", 20, Magnifier},
      {"KVBBGEINLESEN", 20, Import},
      {"KVBBOPTION", 16, Gear},
      {"KVBBGOPTION", 20, Gear},
      {"KVBBGHISTORY", 20, Clock},
      {"KVBBGAUSWAHLBLAU", 20, Ticked},
      {"KVBBGZF", 20, [](GlyphPen& g) { Letters(g, "ZF"); }},
      {"KVBBGEXPORT", 20, Export},
      {"KVBBEXPORT", 16, Export},
      {"KVBBGMOVELR", 20, [](GlyphPen& g) { Move(g, false); }},
      {"KVBBGCOPYLR", 20, [](GlyphPen& g) { Move(g, true); }},
      {"KVBBGKOPIE", 20, Sheets},
      {"KVBBGAMPELGELB", 20, [](GlyphPen& g) { TrafficLight(g, 1); }},
      {"KVBBGAMPELROT", 20, [](GlyphPen& g) { TrafficLight(g, 0); }},
      {"KVBBGAMPELGRUEN", 20, [](GlyphPen& g) { TrafficLight(g, 2); }},
      {"KVBBGLISTE", 20, List},
      {"KVBBGTABELLE", 20, Table},
      {"KVBBGSTATISTIK", 20, Bars},
      {"KVBBGMATRIX", 20, Matrix},
      {"KVBBGSTART", 20, Play},
      {"KVBBGDIAGRAMM", 20, Chart},
      {"KVBBGHTML", 20, Brackets},
      {"KVBBHTML", 16, Brackets},
      {"KVBBGKARTE", 20, Globe},
      {"KVBBGLABEL", 20, Card},
      {"KVBBKSCHLIESSEN", 12, [](GlyphPen& g) { Cross(g, kInk); }},
      {"KVBBKZURUECK", 12, arrow_left},
      {"KVBBKVORWAERTS", 12, arrow_right},
      {"KVBBKABBRUCH", 12, StopSign},
      {"KVBBKRESET", 12, retry},
      {"KVBBKFAV", 12, Star},
      {"KVBBKOPTION", 12, Gear},
      {"KVBBKEDITDOWN", 12, [](GlyphPen& g) { Triangle(g, true); }},
      {"KVBBKEDITUP", 12, [](GlyphPen& g) { Triangle(g, false); }},
  };
}

}  // namespace

void RegisterKindPictures(platform::qt::TPictureRegistry& pictures) {
  for (KindPicture& picture : KindPictures()) {
    const platform::qt::TPictureSpec spec{picture.size, picture.size, 2, platform::qt::clFuchsia};
    pictures.Register(picture.name, spec,
                      [motif = std::move(picture.motif)](platform::qt::TCanvas& canvas,
                                                         const platform::qt::TRect& cell,
                                                         int state) {
                        GlyphPen pen(canvas, cell, state);
                        motif(pen);
                      });
  }
}

}  // namespace ui

namespace ui {
namespace {

using KindBitmapCache =
    std::array<std::shared_ptr<const platform::qt::TBitmap>, kBitBtnKindCount>;

KindBitmapCache& Cache() {
  static KindBitmapCache cache;
  return cache;
}

}  // namespace

std::shared_ptr<const platform::qt::TBitmap> KindBitmap(TkvBitBtnKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  if (index >= Cache().size()) return std::make_shared<const platform::qt::TBitmap>();
  std::shared_ptr<const platform::qt::TBitmap>& entry = Cache()[index];
  if (!entry) {
    const std::string name = KindBitmapName(kind);
    platform::qt::TPictureRegistry& pictures = platform::qt::Application().Pictures();
    if (!name.empty() && !pictures.Contains(name)) RegisterKindPictures(pictures);
    entry = std::make_shared<const platform::qt::TBitmap>(
        name.empty() ? platform::qt::TBitmap() : pictures.Get(name));
  }
  return entry;
}

void ClearKindBitmaps() {
  for (auto& entry : Cache()) entry.reset();
}

}  // namespace ui
