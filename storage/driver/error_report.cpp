#include "storage/driver/error_report.h"

#include <array>

#include "common/lang_text.h"
#include "common/messages.h"
#include "common/service.h"

namespace storage {
namespace {

constexpr int kAccessDenied = 10140;
constexpr int kAccessDeniedShared = 10141;

struct Line {
  const char* german;
  const char* english;
};

// Lines 3 to 6 of the best-known numbers.
struct Remedy {
  int number;
  std::array<Line, 4> lines;
};

constexpr const char* kIndexRestartGerman =
    " Beim Neustart des Programms bauen diese sich wieder auf. Es gehen keine Daten verloren."
    "\r"
    "Tritt der Fehler dann immer noch auf, nehmen Sie bitte mit der Hotline Kontakt auf.";

constexpr Line kAccessCause = {
    "Mögliche Ursachen: Programmpfad zu lang (>250) oder Vista-Zugriffsschutz oder "
    "Schreibschutz auf Datei oder anderes PEL-Programm aktiv.",
    "Possible cause: another PEL program is still active."};
constexpr Line kAccessRemedy = {
    "Mögliche Behebung: Programm in Ordner \"Programme\" installieren oder bei Vista Programm "
    "als Administrator starten (siehe Schalter unten) oder Schreibschutz auf Dateien des "
    "Programms entfernen oder anderes PEL-Programm beenden!",
    ""};

constexpr std::array<Remedy, 6> kRemedies = {{
    {91,
     {{{"Mögliche Fehlerursache: zu wenig Filehandle",
        "Possible error cause: not enough filehandle"},
       {"Mögliche Fehlerbehebung: Erhöhen Sie den Wert",
        "Possible error correction:Increase FILES in "},
       {"in der Datei CONFIG.SYS auf 100.", "the file CONFIG.SYS to 100."},
       {"", ""}}}},
    {kAccessDenied, {{kAccessCause, {" ", ""}, kAccessRemedy, {"", ""}}}},
    {kAccessDeniedShared, {{kAccessCause, {" ", ""}, kAccessRemedy, {"", ""}}}},
    {10075,
     {{{"Mögliche Fehlerursache: Zu wenig Plattenspeicher.",
        "Possible error cause: Not enough disk space."},
       {"Mögliche Fehlerbehebung: Erhöhen Sie den freien",
        "Possible error correction: Increase free space"},
       {"Festplattenspeicher.", "on hard disk."},
       {"", ""}}}},
    {10070,
     {{{"Mögliche Fehlerursache: Indexdatei defekt.",
        "Possible error cause: incorrect index file."},
       {"Mögliche Fehlerbehebung: Tritt dieser Fehler nach",
        "Possible error correction: Restart the program."},
       {"Neustart wieder auf: Löschen Sie alle Dateien mit der Endung .IX im Programmordner.",
        "If error continues: Inform the hotline."},
       {kIndexRestartGerman, kIndexRestartGerman}}}},
    {10465,
     {{{"Mögliche Fehlerursache: Reorg. fehlgeschlagen.",
        "Possible error cause: Reorganisation failure."},
       {"Mögliche Fehlerbehebung: Tritt gleicher Fehler",
        "Possible error correction: Restart the program."},
       {"nach Neustart wieder auf: Benennen Sie .SAV-", "If error continues: Rename .SAV-files"},
       {"Dateien in .DAT-Dateien um.", "to .DAT-files."}}}},
}};

}  // namespace

std::string CauseAndRemedyReport(int number) {
  std::string report =
      number == kAccessDenied
          ? common::LangText("Datenbankzugriff verweigert!", "No data access!")
          : common::LangText("Fehlercode: ", "errorcode: ") + std::to_string(number);
  report += '\r';
  report += common::LangText("Das Programm wird abgebrochen. ", "The program will be cancled. ");
  const Remedy* remedy = nullptr;
  for (const Remedy& r : kRemedies) {
    if (r.number == number) remedy = &r;
  }
  for (int i = 0; i < 4; ++i) {
    report += '\r';
    if (remedy != nullptr) {
      report += common::LangText(remedy->lines[i].german, remedy->lines[i].english);
    }
  }
  return report;
}

void ShowCauseAndRemedyReport(int number, const std::string& help_link) {
  if (!common::Service<common::ToMessages>::Exists()) return;
  common::ToMessages& messages = common::Service<common::ToMessages>::Get();
  const std::string report = CauseAndRemedyReport(number);
  if (number == kAccessDenied || number == kAccessDeniedShared) {
    messages.FehlerInfo(report, kInstallHelpButton, help_link);
  } else {
    messages.Fehler(report);
  }
}

}  // namespace storage
