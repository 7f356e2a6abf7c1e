#include "output/alle_rout.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "common/current_folder.h"
#include "common/file_base_ss.h"
#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_table.h"
#include "logbook/settings/setups.h"
#include "output/output_texts.h"
#include "output/uhfteilnehmer.h"
#include "output/wagdatei.h"
#include "platform/qt/application.h"
#include "platform/qt/print_dialogs.h"
#include "platform/qt/printer.h"

namespace output {
namespace {

using platform::qt::Printer;

constexpr std::string_view kPrinterFont = "Courier New";
constexpr std::string_view kTextIndent = "     ";

// A text read from a record may hold control bytes (a pasted row, an imported line end); written
// as they stand they would break the line a reader takes as one QSO. Each goes out as a blank,
// which keeps every column and every counted ADIF length.
std::string WithoutControlBytes(std::string line) {
  std::replace_if(
      line.begin(), line.end(),
      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }, ' ');
  return line;
}

int PrinterFontSize(int kind) {
  switch (kind) {
    case 2:
      return 10;
    case 3:
    case 4:
      return 8;
    default:
      return 9;
  }
}

int CentimetresToDots(double centimetres, double dots_per_inch) {
  return static_cast<int>(std::lround(centimetres * dots_per_inch / 2.54));
}

common::ToMessages& Messages() { return common::Service<common::ToMessages>::Get(); }

}  // namespace

TAlleRout::TAlleRout()
    : show_file_(&Twagdatei::ShowFile), ask_participant_(&Tuhfteilnehmer::Ask) {}

TAlleRout::~TAlleRout() { DropFile(); }

void TAlleRout::DropFile() {
  if (file_) file_->Discard();
  file_.reset();
}

bool TAlleRout::Open(int kind) {
  const OutputKind* entry = FindOutputKind(kind);
  // Kinds 1 and 16 name no output: a run on them would print an empty job or write into no
  // file.
  if (entry == nullptr || kind == 1 || kind == kLastOutputKind) return false;
  dots_per_inch_ = 1.0;
  left_margin_ = 1;
  line_height_ = 1;
  kind_ = kind;
  channel_ = entry->channel;
  DropFile();
  file_name_.clear();
  placed_ = false;
  if (channel_ == Channel::kPrinter && !OpenPrinter()) return false;
  ResetPosition();
  return true;
}

bool TAlleRout::OpenPrinter() {
  platform::qt::TPrinter& printer = Printer();
  if (!platform::qt::PrintDialog().Execute(printer)) return false;
  platform::qt::TPrinterCanvas& canvas = printer.Canvas();
  canvas.Font.SetName(std::string(kPrinterFont));
  canvas.Font.SetSize(PrinterFontSize(kind_));
  // The canvas is shared with the printing tools, which may have left a style or a colour.
  canvas.Font.SetStyle(0);
  canvas.Font.SetColor(0);
  printer.Title = platform::qt::Application().Title;
  if (!printer.BeginDoc()) {
    Messages().Fehler(JobFailedText(printer));
    return false;
  }
  dots_per_inch_ = printer.GetDeviceCaps(platform::qt::LOGPIXELSX);
  left_margin_ = CentimetresToDots(1.4, dots_per_inch_);
  line_height_ = static_cast<int>(std::lround(canvas.TextHeight("XygW") * 1.1));
  return true;
}

bool TAlleRout::OpenFileKind(int kind, const contest::TdbContestBase& catalogue,
                             const contest::TContestRec& definition) {
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  return OpenFileKind(kind, log, definition);
}

bool TAlleRout::OpenFileKind(int kind, const contest::TContestKKRec& log,
                             const contest::TContestRec& definition) {
  const OutputKind* entry = FindOutputKind(kind);
  if (entry == nullptr) return false;
  if (!entry->WritesFile()) return true;
  return AskFileName(entry->description, entry->extension, log, definition);
}

bool TAlleRout::AskFileName(std::string_view description, std::string_view extension,
                            const contest::TContestKKRec& log,
                            const contest::TContestRec& definition) {
  const std::string station = StationFileName();
  const std::string desc(description);
  const std::string ext(extension);
  if (!English) {
    Messages().Hinweis("", "Dateiausgabe:",
                       "Geben Sie im folgenden Dialog an, wohin die " + desc + " " + station + "." +
                           ext + " gespeichert werden soll.",
                       false);
  }
  std::string name = DefaultFileName(extension, log, definition);
  // The pattern is the station's own file name, so the dialog lists only earlier outputs of it.
  const std::string filter = desc + "(*." + ext + ")|" + station + "." + ext;
  if (!common::Service<common::TFileBaseSS>::Get().FileDialog(true, "", filter, ext, true, name)) {
    return false;
  }
  file_name_ = name;
  file_.emplace();
  if (!file_->Replace(file_name_)) {
    file_.reset();
    Messages().Fehler("Die Datei " + file_name_ + " konnte nicht erstellt werden.");
    return false;
  }
  return true;
}

std::string TAlleRout::DefaultFileName(std::string_view extension,
                                       const contest::TContestKKRec& log,
                                       const contest::TContestRec& definition) const {
  std::string name = StationFileName();
  const std::size_t class_index = log.ClassIndex;
  if (class_index > 0 && class_index <= definition.Classes.size()) {
    name += ContestFileNamePart(definition.Classes[class_index - 1].ClassName.view());
  }
  return name + "." + std::string(extension);
}

void TAlleRout::WriteLine(std::string_view text, bool reset_x, bool advance) {
  if (reset_x) x_ = left_margin_;
  const std::string line = WithoutControlBytes(
      IsUpperCaseChannel(channel_) ? common::UpperCase(text) : std::string(text));
  if (channel_ == Channel::kPrinter) {
    Printer().Canvas().TextOut(x_, y_, line);
  } else if (file_) {
    file_->WriteLine(channel_ == Channel::kText ? std::string(kTextIndent) + line : line);
  }
  if (advance) y_ += line_height_;
}

std::string TAlleRout::PadField(std::string_view text, int width) const {
  if (IsTrimmingChannel(channel_)) return common::Trim(text);
  return common::SetLen(text, width, true);
}

int TAlleRout::TopPosition() const { return CentimetresToDots(1.0, dots_per_inch_); }

void TAlleRout::ResetPosition() {
  y_ = TopPosition();
  x_ = left_margin_;
}

bool TAlleRout::NewPageIfFull() {
  if (channel_ != Channel::kPrinter) return false;
  x_ = left_margin_;
  platform::qt::TPrinter& printer = Printer();
  if (printer.PageHeight() >= y_ + 2 * line_height_) return false;
  printer.NewPage();
  return true;
}

void TAlleRout::BoldOn() {
  if (channel_ != Channel::kPrinter) return;
  platform::qt::TFont& font = Printer().Canvas().Font;
  font.SetStyle(font.Style() | platform::qt::fsBold);
}

void TAlleRout::BoldOff() {
  if (channel_ != Channel::kPrinter) return;
  platform::qt::TFont& font = Printer().Canvas().Font;
  font.SetStyle(font.Style() & ~platform::qt::fsBold);
}

std::string TAlleRout::StationFileName() const {
  std::string call = common::Service<logbook::ToSetups>::Get().GetOwnCall(true);
  std::replace(call.begin(), call.end(), '/', '_');
  return call;
}

std::string TAlleRout::ContestFileNamePart(std::string_view name) {
  if (name.empty()) return {};
  std::string part = "-";
  for (const char c : name) {
    switch (c) {
      case ':':
        break;
      case '.':
        part += '-';
        break;
      case '/':
      case '\\':
      case ',':
        part += '_';
        break;
      default:
        part += c;
    }
  }
  return part;
}

void TAlleRout::Close() {
  if (channel_ != Channel::kPrinter) return;
  BoldOff();
  platform::qt::TPrinter& printer = Printer();
  // A printer that refuses the job at its end prints none of it.
  if (printer.Printing() && !printer.EndDoc()) {
    Messages().Fehler(JobFailedText(printer));
  }
}

void TAlleRout::CloseAndShow() {
  CloseFile();
  ShowFile();
}

bool TAlleRout::CloseFile() {
  if (channel_ == Channel::kPrinter || !file_ || !file_->IsOpen()) return false;
  // The new version takes the name whole, or the file of that name stays as it was.
  if (file_->Commit()) {
    placed_ = true;
    return true;
  }
  Messages().Fehler(NotWrittenText(file_name_));
  return false;
}

void TAlleRout::ShowFile() {
  if (!placed_) return;
  const OutputKind* entry = FindOutputKind(kind_);
  if (entry == nullptr || !entry->shown_in_viewer || !show_file_) return;
  // A file that cannot seek (a FIFO, a terminal) handed the text to its reader: nothing stays
  // to show, and the viewer's read would wait for another writer.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(common::OsPath(file_name_), ec)) return;
  show_file_(file_name_);
}

void TAlleRout::Abandon() {
  if (channel_ == Channel::kPrinter) {
    Printer().Abort();
  } else if (file_) {
    file_->Discard();
  }
}

}  // namespace output
