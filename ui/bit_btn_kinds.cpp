#include "ui/bit_btn_kinds.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace ui {
namespace {

// Kinds 0 to 61, in order.
constexpr std::array<TkvBitBtnKindInfo, 62> kCaptionedKinds = {{
    {0, 0, ""},  // bkCustom
    {65270, 1, "KVBBOK"},  // 1 bkOK
    {65271, 2, "KVBBCANCEL"},  // 2 bkCancel
    {65274, 0, "KVBBHELP"},  // 3 bkHelp
    {65272, 6, "KVBBYES"},  // 4 bkYes
    {65273, 7, "KVBBNO"},  // 5 bkNo
    {65275, 0, "KVBBCLOSE"},  // 6 bkClose
    {65278, 3, "KVBBABORT"},  // 7 bkAbort
    {65277, 4, "KVBBRETRY"},  // 8 bkRetry
    {65276, 5, "KVBBIGNORE"},  // 9 bkIgnore
    {65279, 8, "KVBBALL"},  // 10 bkAll
    {65248, 11, "KVBBWEITER"},  // 11 bkWeiter
    {65249, 12, "KVBBZURUECK"},  // 12 bkZurueck
    {65250, 13, "KVBBEDIT"},  // 13 bkEdit
    {65251, 1, "KVBBUEBERNAHME"},  // 14 bkUebernahme
    {65252, 0, "KVBBDRUCK"},  // 15 bkDruck
    {65253, 0, "KVBBNEU"},  // 16 bkNeu
    {65254, 0, "KVBBAENDERN"},  // 17 bkAendern
    {65255, 0, "KVBBLOESCHEN"},  // 18 bkLoeschen
    {65256, 0, "KVBBZUSATZ"},  // 19 bkZusatz
    {65257, 0, "KVBBSUCHE"},  // 20 bkSuche
    {65258, 0, "KVBBSTAT"},  // 21 bkStat
    {65259, 0, "KVBBGHELP"},  // 22 bkGHelp
    {65260, 0, "KVBBGCLOSE"},  // 23 bkGClose
    {65261, 0, "KVBBGDRUCK"},  // 24 bkGDruck
    {65262, 0, "KVBBGNEU"},  // 25 bkGNeu
    {65263, 0, "KVBBGAENDERN"},  // 26 bkGAendern
    {65232, 0, "KVBBGLOESCHEN"},  // 27 bkGLoeschen
    {65233, 0, "KVBBGSUCHE"},  // 28 bkGSuche
    {65234, 0, "KVBBGEINLESEN"},  // 29 bkGEinlesen
    {65235, 0, "KVBBOPTION"},  // 30 bkOption
    {65236, 0, "KVBBGOPTION"},  // 31 bkGOption
    {65237, 0, "KVBBGHISTORY"},  // 32 bkGHistory
    {65238, 0, "KVBBGAUSWAHLBLAU"},  // 33 bkGAuswahlblau
    {65239, 0, "KVBBGZF"},  // 34 bkGZF
    {65240, 0, "KVBBGEXPORT"},  // 35 bkGExport
    {65241, 0, "KVBBEXPORT"},  // 36 bkExport
    {65242, 0, "KVBBGMOVELR"},  // 37 bkGMoveLR
    {65243, 0, "KVBBGCOPYLR"},  // 38 bkGCopyLR
    {65244, 0, "KVBBGKOPIE"},  // 39 bkGKopie
    {65245, 0, "KVBBGAMPELGELB"},  // 40 bkGAmpelgelb
    {65246, 0, "KVBBGAMPELROT"},  // 41 bkGAmpelrot
    {65247, 0, "KVBBGAMPELGRUEN"},  // 42 bkGAmpelgruen
    {65216, 0, "KVBBGLISTE"},  // 43 bkGListe
    {65217, 0, "KVBBGTABELLE"},  // 44 bkGTabelle
    {65218, 0, "KVBBGSTATISTIK"},  // 45 bkGStatistik
    {65219, 0, "KVBBGMATRIX"},  // 46 bkGMatrix
    {65220, 0, "KVBBGSTART"},  // 47 bkGStart
    {65221, 0, "KVBBGDIAGRAMM"},  // 48 bkGDiagramm
    {65222, 0, "KVBBGHTML"},  // 49 bkGHTML
    {65223, 0, "KVBBHTML"},  // 50 bkHTML
    {65224, 0, "KVBBGKARTE"},  // 51 bkGKarte
    {65225, 0, "KVBBGLABEL"},  // 52 bkGLabel
    {65226, 0, "KVBBKSCHLIESSEN"},  // 53 bkKSchliessen
    {65227, 0, "KVBBKZURUECK"},  // 54 bkKZurueck
    {65228, 0, "KVBBKVORWAERTS"},  // 55 bkKVorwaerts
    {65229, 0, "KVBBKABBRUCH"},  // 56 bkKAbbruch
    {65230, 0, "KVBBKRESET"},  // 57 bkKReset
    {65231, 0, "KVBBKFAV"},  // 58 bkKFAV
    {65200, 0, "KVBBKOPTION"},  // 59 bkKOption
    {65201, 0, "KVBBKEDITDOWN"},  // 60 bkKEditDown
    {65202, 0, "KVBBKEDITUP"},  // 61 bkKEditUp
}};

// The kinds above 61 that name a picture.
constexpr std::array<std::pair<TkvBitBtnKind, const char*>, 4> kPictureOnlyKinds = {{
    {TkvBitBtnKind::bkSpeichernAlsDatei, "KVBBEXPORT"},
    {TkvBitBtnKind::bkExportEMail, "KVBBEXPORT"},
    {TkvBitBtnKind::bkExportWeb, "KVBBEXPORT"},
    {TkvBitBtnKind::bkGSpalten, "KVBBGOPTION"},
}};

struct ButtonStringEntry {
  int id;
  const char* text;
};

// Sorted by id.
constexpr ButtonStringEntry kButtonStrings[] = {
    {65200, ""},
    {65201, ""},
    {65202, ""},
    {65216, "&Liste"},
    {65217, "&Tabelle"},
    {65218, "&Statistik"},
    {65219, "&Matrix"},
    {65220, "&Start"},
    {65221, "&Diagramm"},
    {65222, "&HTML"},
    {65223, "&HTML"},
    {65224, "&Karte"},
    {65225, "&QSL-Label"},
    {65226, ""},
    {65227, ""},
    {65228, ""},
    {65229, ""},
    {65230, ""},
    {65231, ""},
    {65232, "&Löschen"},
    {65233, "&erweiterte Suche"},
    {65234, "&Einlesen"},
    {65235, "&Optionen"},
    {65236, "&Optionen"},
    {65237, "&History"},
    {65238, "&Auswahl"},
    {65239, "&ZF"},
    {65240, "&Export"},
    {65241, "&Export"},
    {65242, "&Verschieben"},
    {65243, "&Kopieren"},
    {65244, "&Kopie"},
    {65245, "Warte"},
    {65246, "Stop"},
    {65247, "&QSO auflisten"},
    {65248, "&Weiter"},
    {65249, "&Zurück"},
    {65250, "&Eigenschaften"},
    {65251, "&Übernehmen"},
    {65252, "&Drucken"},
    {65253, "&Neu"},
    {65254, "&Ändern"},
    {65255, "&Löschen"},
    {65256, "&Zusatz-|funktionen"},
    {65257, "&erweiterte|Suche"},
    {65258, "&Statistik"},
    {65259, "&Hilfe"},
    {65260, "&Schließen"},
    {65261, "&Drucken"},
    {65262, "&Neu"},
    {65263, "&Ändern"},
    {65270, "OK"},
    {65271, "Abbrechen"},
    {65272, "&Ja"},
    {65273, "&Nein"},
    {65274, "&Hilfe"},
    {65275, "&Schließen"},
    {65276, "&Ignorieren"},
    {65277, "&Wiederholen"},
    {65278, "Abbruch"},
    {65279, "&Alles"},
};

}  // namespace

TkvBitBtnKindInfo KindInfo(TkvBitBtnKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  if (index < kCaptionedKinds.size()) return kCaptionedKinds[index];
  for (const auto& [picture_kind, bitmap] : kPictureOnlyKinds) {
    if (picture_kind == kind) return {0, 0, bitmap};
  }
  return {0, 0, ""};
}

std::string KindCaption(TkvBitBtnKind kind) {
  const int id = KindInfo(kind).caption_id;
  return id == 0 ? std::string() : ButtonString(id);
}

std::string KindBitmapName(TkvBitBtnKind kind) { return KindInfo(kind).bitmap; }

std::string ButtonString(int id) {
  const auto* end = std::end(kButtonStrings);
  const auto* found = std::lower_bound(std::begin(kButtonStrings), end, id,
                                       [](const ButtonStringEntry& e, int v) { return e.id < v; });
  return found != end && found->id == id ? found->text : "";
}

}  // namespace ui
