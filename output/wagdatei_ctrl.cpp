#include "output/wagdatei_ctrl.h"

#include "common/messages.h"
#include "common/service.h"
#include "common/text_file_writer.h"
#include "output/output_texts.h"
#include "platform/qt/print_dialogs.h"
#include "platform/qt/print_text.h"
#include "platform/qt/printer.h"
#include "platform/qt/strings.h"

namespace output {
namespace {

common::ToMessages& Messages() { return common::Service<common::ToMessages>::Get(); }

}  // namespace

std::optional<std::vector<std::string>> TwagdateiCtrl::Load() {
  platform::qt::TStringList file;
  if (!file.LoadFromFile(file_name_)) {
    Messages().Fehler(NotReadText(file_name_));
    return std::nullopt;
  }
  saved_ = file.Lines();
  return saved_;
}

bool TwagdateiCtrl::Save(const std::vector<std::string>& lines) {
  if (!common::WriteTextFile(file_name_, lines)) {
    Messages().Fehler(NotWrittenText(file_name_));
    return false;
  }
  saved_ = lines;
  return true;
}

bool TwagdateiCtrl::Print(const std::vector<std::string>& lines,
                          const platform::qt::TFont& font) const {
  platform::qt::TPrinter& printer = platform::qt::Printer();
  if (platform::qt::PrintLines(printer, lines, file_name_, font)) return true;
  // A PDF file that could not be written is told. Then, as on a machine without a printer or
  // with the PDF file not named yet, the operator chooses a printer or a PDF file in the print
  // dialog, as for the paper outputs.
  if (!printer.TargetFile().empty()) Messages().Fehler(JobFailedText(printer));
  if (!platform::qt::PrintDialog().Execute(printer)) return false;
  if (platform::qt::PrintLines(printer, lines, file_name_, font)) return true;
  Messages().Fehler(JobFailedText(printer));
  return false;
}

bool TwagdateiCtrl::MayClose(const std::vector<std::string>& lines) {
  if (!Edited(lines)) return true;
  const bool save = Messages().JaNeinFrage(
      "", "Sicherheitsabfrage",
      "Der Text der Datei " + file_name_ + " wurde geändert. Änderungen speichern?", true);
  return !save || Save(lines);
}

}  // namespace output
