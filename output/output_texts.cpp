#include "output/output_texts.h"

namespace output {

std::string NotWrittenText(std::string_view file_name) {
  return "Die Datei " + std::string(file_name) + " konnte nicht geschrieben werden.";
}

std::string JobRefusedText(std::string_view printer_name) {
  return "Der Drucker " + std::string(printer_name) + " konnte den Druckauftrag nicht beginnen.";
}

}  // namespace output
