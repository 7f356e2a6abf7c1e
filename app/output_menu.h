// The output menu of the contest setup form ("Drucken / E-Log"): 14 items, each one output code
// of the dispatcher (app/write_output.h), enabled by the contest definition's output-menu set.
//
// The set holds two bytes: element n is bit n of the first byte for n below 8, else bit n - 8
// of the second. "E-Log Gesamtdatei" and the CSV file are always offered; the whole paper log
// (code 5) is offered by no item. An STF or EDI item that is not offered loses its
// "(empfohlen)".
#pragma once

#include <array>
#include <functional>
#include <string>

#include "contest/contest_definition.h"
#include "platform/qt/menus.h"

namespace app {

struct OutputMenuEntry {
  const char* name;
  const char* caption;
  int element;  // of the output-menu set; -1: always offered
  int code;
  const char* plain_caption = nullptr;  // the caption while not offered, when it differs
  bool separator_after = false;
};

inline constexpr std::array<OutputMenuEntry, 14> kOutputMenu = {{
    {"DruckCabrillo", "Cabrillo-Datei (empfohlen)", 9, 10},
    {"DruckSTF", "STF-Datei (empfohlen)", 3, 8, "STF-Datei"},
    {"DruckEDI", "EDI-Datei (empfohlen)", 13, 15, "EDI-Datei", true},
    {"ELogGesamtdatei1", "E-Log Gesamtdatei", -1, 12},
    {"DruckELogDeckblatt", "E-Log Deckblatt", 1, 6},
    {"DruckELogListe", "E-Log QSO-Liste", 2, 7},
    {"DruckEBandliste", "E-Log Band-Liste", 10, 11},
    {"DruckEMultiliste", "E-Log Multi-Checkliste", 12, 14, nullptr, true},
    {"DruckADIF", "ADIF- Exportdatei der QSO-Liste", 4, 9},
    {"DruckCSV", "CSV- Exportdatei der QSO-Liste", -1, 13, nullptr, true},
    {"DruckPapierDeckblatt", "Papierlog - Deckblatt", 5, 0},
    {"DruckPapierListe", "Papierlog - QSO-Liste", 6, 4},
    {"DruckPapierBandliste", "Papierlog - Band-Liste", 7, 3},
    {"DruckPapierMultiListe", "Papierlog - Multi-Checkliste", 8, 2},
}};

// Whether the contest offers the entry.
bool Offered(const OutputMenuEntry& entry, const contest::TContestRec& definition);

// The pop-up menu `druckwagpopup` on its form. A chosen item hands its code to the output
// function; the ADIF item first shows the notice about the sponsors' wishes.
//
// "Drucken / E-Log" opens it after the form's save, also when a check of that save failed; but
// only for a log that is stored: a new log whose first save failed has nothing to write.
class TOutputMenu {
 public:
  using OutputFunction = std::function<void(int code)>;

  // The menu belongs to `form` and lives as long as it.
  TOutputMenu(platform::qt::TComponent& form, OutputFunction write_output);

  // Enables and names the items for the contest.
  void Update(const contest::TContestRec& definition);
  // Shows the menu at the screen point.
  void Popup(int x, int y) { druckwagpopup->Popup(x, y); }
  // What the button does after the save: for a stored log, the items of the contest, the menu
  // at the button's top-left corner; true when it opened.
  bool Open(const contest::TContestRec& definition, bool log_stored,
            const platform::qt::TControl& button);
  // The item of the entry's name; null for another name.
  platform::qt::TMenuItem* Item(const std::string& name) const;

  platform::qt::TPopupMenu* druckwagpopup;

 private:
  std::array<platform::qt::TMenuItem*, kOutputMenu.size()> items_{};
  OutputFunction write_output_;
};

}  // namespace app
