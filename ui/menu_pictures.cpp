#include "ui/menu_pictures.h"

#include <array>
#include <string>

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "ui/glyph_motifs.h"
#include "ui/menu_icons.h"

namespace ui {
namespace {

using platform::qt::clNone;
using namespace motifs;  // the shared motifs and their palette

// --- motifs only the menus show ---

void ExtendedSearch(GlyphPen& g) {
  Magnifier(g);
  g.Line({{12, 1}, {12, 7}}, kGreen, 2);
  g.Line({{9, 4}, {15, 4}}, kGreen, 2);
}
void DxccStatistics(GlyphPen& g) {
  Globe(g);
  g.Box(9, 9, 10, 15, kRed, kInk);
  g.Box(12, 6, 13, 15, kAmber, kInk);
}
void Satellite(GlyphPen& g) {
  g.Box(0, 5, 4, 9, kBlue, kInk);
  g.Box(11, 5, 15, 9, kBlue, kInk);
  g.Line({{4, 7}, {11, 7}}, kInk);
  g.Box(6, 4, 9, 10, kGrey, kInk);
  g.Line({{8, 10}, {8, 14}}, kInk);
}
void Map(GlyphPen& g) {
  g.Figure({{0, 3}, {5, 1}, {10, 3}, {15, 1}, {15, 13}, {10, 15}, {5, 13}, {0, 15}}, kSky, kInk);
  g.Line({{5, 1}, {5, 13}}, kInk);
  g.Line({{10, 3}, {10, 15}}, kInk);
  g.Disc(6, 6, 9, 9, kRed, clNone);
}
void ForAll(GlyphPen& g) {
  Sheets(g);
  Check(g, kGreen);
}
void Antenna(GlyphPen& g) {
  g.Line({{7, 4}, {7, 15}}, kInk, 2);
  g.Line({{3, 15}, {12, 15}}, kInk);
  g.Line({{4, 4}, {11, 4}}, kInk);
  g.Disc(0, 0, 4, 6, clNone, kRed);
  g.Disc(11, 0, 15, 6, clNone, kRed);
}
void Scissors(GlyphPen& g) {
  g.Line({{3, 1}, {10, 11}}, kGrey, 2);
  g.Line({{12, 1}, {5, 11}}, kGrey, 2);
  g.Disc(1, 10, 6, 15, clNone, kRed);
  g.Disc(9, 10, 14, 15, clNone, kRed);
}
void Clipboard(GlyphPen& g) {
  g.Box(2, 2, 13, 15, kWood, kInk);
  g.Box(5, 0, 10, 3, kGrey, kInk);
  Sheet(g, 5, 5);
}
void FieldOff(GlyphPen& g) {
  g.Box(0, 4, 15, 11, kPaper, kInk);
  g.Line({{2, 7}, {8, 7}}, kGrey);
  g.Line({{3, 14}, {12, 1}}, kRed, 2);
}
void Pin(GlyphPen& g) {
  g.Disc(4, 0, 12, 8, kRed, kInk);
  g.Line({{8, 8}, {8, 15}}, kInk, 2);
}
void TabOrder(GlyphPen& g) {
  g.Line({{0, 4}, {12, 4}}, kBlue, 2);
  g.Line({{9, 1}, {12, 4}, {9, 7}}, kBlue);
  g.Line({{14, 1}, {14, 7}}, kInk, 2);
  g.Line({{15, 11}, {3, 11}}, kGreen, 2);
  g.Line({{6, 8}, {3, 11}, {6, 14}}, kGreen);
  g.Line({{1, 8}, {1, 14}}, kInk, 2);
}
void Swap(GlyphPen& g) {
  g.Box(0, 0, 6, 6, kSky, kInk);
  g.Box(9, 9, 15, 15, kPaper, kInk);
  g.Line({{10, 2}, {13, 2}, {13, 7}}, kBlue, 2);
  g.Line({{5, 13}, {2, 13}, {2, 8}}, kBlue, 2);
}
void Undo(GlyphPen& g) {
  g.Line({{5, 5}, {10, 5}, {13, 8}, {13, 11}, {10, 14}, {6, 14}}, kBlue, 2);
  g.Figure({{1, 5}, {6, 1}, {6, 9}}, kBlue, kBlue);
}
void Window(GlyphPen& g) {
  g.Box(0, 1, 15, 14, kPaper, kInk);
  g.Box(0, 1, 15, 4, kBlue, kInk);
}
void QuickCheck(GlyphPen& g) {
  g.Disc(0, 0, 10, 10, kPaper, kInk);
  g.Line({{2, 5}, {4, 8}, {8, 2}}, kGreen, 2);
  g.Line({{9, 9}, {15, 15}}, kWood, 3);
}
void Calendar(GlyphPen& g) {
  g.Box(0, 2, 15, 15, kPaper, kInk);
  g.Box(0, 2, 15, 5, kRed, kInk);
  for (int y = 8; y <= 12; y += 4) {
    for (int x = 3; x <= 11; x += 4) g.Box(x, y, x + 1, y + 1, kInk, clNone);
  }
}
void Football(GlyphPen& g) {
  g.Disc(0, 0, 15, 15, kPaper, kInk);
  g.Figure({{7, 4}, {11, 7}, {9, 11}, {5, 11}, {3, 7}}, kInk, kInk);
}
// A window with a second pane at its right or bottom edge and the pane's number.
void PaneWindow(GlyphPen& g, bool right, const char* number) {
  Window(g);
  if (right) {
    g.Box(9, 4, 15, 14, kSky, kInk);
    g.Label(9, 5, 15, 14, number, kDarkBlue);
  } else {
    g.Box(0, 9, 15, 14, kSky, kInk);
    g.Label(5, 9, 11, 15, number, kDarkBlue);
  }
}
void DnLog(GlyphPen& g) {
  Printer(g);
  g.Box(0, 0, 5, 5, kRed, kRed);
}
void Envelope(GlyphPen& g) {
  g.Box(0, 3, 15, 12, kPaper, kInk);
  g.Line({{0, 3}, {7, 8}, {15, 3}}, kInk);
}

// The motif of each icon index, in index order.
const std::array<Motif, kMenuIconCount>& IconMotifs() {
  static const std::array<Motif, kMenuIconCount> motifs = {
      NewSheet,                                        // 0 Neu
      Pencil,                                          // 1 Ändern
      Bin,                                             // 2 Löschen
      ExtendedSearch,                                  // 3 erweiterte Suche
      Printer,                                         // 4 Drucken
      [](GlyphPen& g) { Check(g, kGreen); },           // 5 Übernehmen
      DxccStatistics,                                  // 6 DXCC-Statistik
      Question,                                        // 7 Hilfe
      StopSign,                                        // 8 Abbrechen
      Table,                                           // 9 Tabelle
      Brackets,                                        // 10 HTML
      Export,                                          // 11 Export
      List,                                            // 12 Liste
      Gear,                                            // 13 Einstellungen
      Play,                                            // 14 Auswertung starten
      [](GlyphPen& g) { Cross(g, kRed); },             // 15 Schließen
      [](GlyphPen& g) { ArrowLeft(g, kBlue); },        // 16 Zurück
      Import,                                          // 17 Import
      Ticked,                                          // 18 Auswahl
      Satellite,                                       // 19 Sat.Karte
      Card,                                            // 20 Label
      Map,                                             // 21 Karte
      ForAll,                                          // 22 Aktion für alle Einträge
      [](GlyphPen& g) { Circular(g, kGreen); },        // 23 Runde
      Antenna,                                         // 24 DXCluster
      Scissors,                                        // 25 Ausschneiden
      Sheets,                                          // 26 Kopieren
      Clipboard,                                       // 27 Einfügen
      FieldOff,                                        // 28 Eingabefeld deaktivieren
      Pin,                                             // 29 Eintrag behalten
      TabOrder,                                        // 30 Tabulatorreihenfolge
      Swap,                                            // 31 Feld tauschen
      Undo,                                            // 32 Rückgängig
      Window,                                          // 33 QSO-Zusatzfenster
      QuickCheck,                                      // 34 QuickCheck
      Calendar,                                        // 35 Kalender
      Globe,                                           // 36 Webbrowser
      Football,                                        // 37 EM2008
      [](GlyphPen& g) { PaneWindow(g, true, "1"); },   // 38 1.Zusatzfenster rechts
      [](GlyphPen& g) { PaneWindow(g, true, "2"); },   // 39 2.Zusatzfenster rechts
      [](GlyphPen& g) { PaneWindow(g, false, "1"); },  // 40 1.Zusatzfenster unten
      [](GlyphPen& g) { PaneWindow(g, false, "2"); },  // 41 2.Zusatzfenster unten
      [](GlyphPen& g) { PaneWindow(g, false, "3"); },  // 42 3.Zusatzfenster unten
      DnLog,                                           // 43 DN-Log drucken
      Envelope,                                        // 44 Email senden
      Magnifier,                                       // 45 Suche
  };
  return motifs;
}

void Register(platform::qt::TPictureRegistry& registry, const std::string& name, int index) {
  const platform::qt::TPictureSpec spec{kMenuIconSize, kMenuIconSize, 1, kMenuPictureBackground};
  registry.Register(
      name, spec,
      [index](platform::qt::TCanvas& canvas, const platform::qt::TRect& cell, int state) {
        GlyphPen pen(canvas, cell, state);
        IconMotifs()[static_cast<std::size_t>(index)](pen);
      });
}

}  // namespace

std::string MenuPictureName(int index) { return "imgbtn15x15x" + std::to_string(index); }

void RegisterMenuPictures(platform::qt::TPictureRegistry& registry) {
  for (int i = 0; i < kMenuIconCount; ++i) Register(registry, MenuPictureName(i), i);
  Register(registry, "imgbtnClose15", 15);
}

const platform::qt::TBitmap& MenuPicture(int index) {
  platform::qt::TPictureRegistry& registry = platform::qt::Application().Pictures();
  if (!registry.Contains("imgbtnClose15")) RegisterMenuPictures(registry);
  return registry.Get(MenuPictureName(index));
}

}  // namespace ui
