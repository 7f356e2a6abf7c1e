// The messages about output files and print jobs that the channel and the file viewer share.
#pragma once

#include <string>
#include <string_view>

namespace output {

// "Die Datei <name> konnte nicht geschrieben werden."
std::string NotWrittenText(std::string_view file_name);
// "Der Drucker <name> konnte den Druckauftrag nicht beginnen."
std::string JobRefusedText(std::string_view printer_name);

}  // namespace output
