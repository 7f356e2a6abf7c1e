#include "ui/menu_icons.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "ui/menu_pictures.h"

namespace ui {
namespace {

struct IconCaptions {
  int index;
  std::vector<std::string_view> captions;
};

// In table order. "Suche" stands twice: with the extended search (3) and as the search (45);
// being later, 45 wins.
const std::array<IconCaptions, kMenuIconCount> kIconTable = {{
    {0, {"Neu", "Neu erstellen"}},
    {1, {"Ändern", "Ändern / Bearbeiten", "Keplerdaten"}},
    {2, {"Löschen", "Abmelden"}},
    {3, {"erweiterte Suche", "Suche"}},
    {4, {"Drucken"}},
    {5, {"Übernehmen"}},
    {6, {"DXCC-Statistik", "DXCC-Award"}},
    {7, {"Hilfe"}},
    {8, {"Abbrechen"}},
    {9, {"Tabelle", "Statistik"}},
    {10, {"HTML"}},
    {11, {"Export", "Bild exportieren"}},
    {12,
     {"Liste", "Zoom", "Eklipsen", "Überflüge", "Bahninfos", "nur Logbuch",
      "Eintrag aus Liste holen"}},
    {13, {"Einstellungen", "Fenster \"Optionen\" öffnen", "Spalten"}},
    {14, {"Auswertung starten"}},
    {15, {"Schließen"}},
    {16, {"Zurück", "zurück"}},
    {17, {"Import", "Import Keplerdaten"}},
    {18, {"Auswahl", "Eingang"}},
    {19, {"Sat.Karte", "SAT"}},
    {20, {"Label"}},
    {21, {"Karte"}},
    {22, {"Aktion für alle Einträge"}},
    {23, {"Runde"}},
    {24, {"DXCluster"}},
    {25, {"Ausschneiden"}},
    {26, {"Kopieren"}},
    {27, {"Einfügen"}},
    {28, {"Eingabefeld deaktivieren"}},
    {29, {"Eintrag für nächste QSO behalten"}},
    {30, {"Tabulatorreihenfolge"}},
    {31, {"Feld tauschen"}},
    {32, {"Rückgängig"}},
    {33, {"QSO-Zusatzfenster"}},
    {34, {"QuickCheck"}},
    {35, {"Kalender"}},
    {36, {"Webbrowser", "Webbrowser 1", "Webbrowser 2"}},
    {37, {"EM2008", "WM-Webbrowser"}},
    {38, {"1.Zusatzfenster rechts"}},
    {39, {"2.Zusatzfenster rechts"}},
    {40, {"1.Zusatzfenster unten"}},
    {41, {"2.Zusatzfenster unten"}},
    {42, {"3.Zusatzfenster unten"}},
    {43, {"DN-Log drucken"}},
    {44, {"Kopieren für Email", "Email senden"}},
    {45, {"Suche"}},
}};

constexpr std::array<int, 22> kFromImageList = {3,  6,  14, 16, 22, 24, 25, 27, 28, 29, 30,
                                                31, 32, 33, 34, 36, 37, 38, 39, 40, 41, 42};

}  // namespace

int MenuIconIndex(std::string_view caption) {
  int index = -1;
  for (const IconCaptions& row : kIconTable) {
    for (std::string_view c : row.captions) {
      if (c == caption) index = row.index;
    }
  }
  return index;
}

bool MenuIconFromImageList(int index) {
  return std::find(kFromImageList.begin(), kFromImageList.end(), index) != kFromImageList.end();
}

std::string MenuIconImageName(int index) {
  return index == kCloseIcon ? "imgbtnClose15" : MenuPictureName(index);
}

}  // namespace ui
