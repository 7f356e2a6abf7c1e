// The messages about output files and print jobs that the channel and the file viewer share.
#pragma once

#include <string>
#include <string_view>

#include "common/text_file_writer.h"
#include "output/log_walk.h"
#include "platform/qt/printer.h"

namespace output {

// "Die Datei <name> konnte nicht gelesen werden."
std::string NotReadText(std::string_view file_name);
// "Die Datei <name> konnte nicht geschrieben werden."
using common::NotWrittenText;
// "Der Drucker <name> konnte den Druckauftrag nicht beginnen."
std::string JobRefusedText(std::string_view printer_name);
// What a job the printer could not begin or end tells: NotWrittenText for a printer into a
// file (the PDF), JobRefusedText for the others.
std::string JobFailedText(const platform::qt::TPrinter& printer);
// Why an output was not written or printed, a log read not to its end (`cause` not kWhole):
// "Ohne Reparatur des Logs wird keine Datei geschrieben." and the like.
std::string UnreadLogText(LogRead cause, bool printed);
// The same for other work on the log: `not_done` says what is left undone ("keine ... gezeigt.").
std::string UnreadLogWorkText(LogRead cause, const std::string& not_done);

}  // namespace output
