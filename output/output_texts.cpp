#include "output/output_texts.h"

namespace output {

std::string NotReadText(std::string_view file_name) {
  return "Die Datei " + std::string(file_name) + " konnte nicht gelesen werden.";
}

std::string JobRefusedText(std::string_view printer_name) {
  return "Der Drucker " + std::string(printer_name) + " konnte den Druckauftrag nicht beginnen.";
}

std::string JobFailedText(const platform::qt::TPrinter& printer) {
  const std::string file = printer.TargetFile();
  return file.empty() ? JobRefusedText(printer.PrinterName()) : NotWrittenText(file);
}

std::string UnreadLogText(LogRead cause, bool printed) {
  return UnreadLogWorkText(cause, printed ? "nichts gedruckt." : "keine Datei geschrieben.");
}

std::string UnreadLogWorkText(LogRead cause, const std::string& not_done) {
  switch (cause) {
    case LogRead::kWhole:
      return {};
    case LogRead::kRepairDeclined:
      return "Ohne Reparatur des Logs wird " + not_done;
    case LogRead::kLocked:
      return "Das Log ist von einer anderen Station gesperrt; es wird " + not_done;
    case LogRead::kFailed:
      break;
  }
  return "Das Log konnte nicht bis zu seinem Ende gelesen werden; es wird " + not_done;
}

}  // namespace output
