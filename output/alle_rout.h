// TAlleRout: the one output channel through which every written form of a finished contest log
// goes: the printed summary sheet and lists, and the E-Log text, STF, ADIF, Cabrillo, CSV and
// EDI files. One object for the run of the program (Service<TAlleRout>), reused for every output.
//
// It hides whether a line goes to the printer canvas or into a file, keeps the print position
// and the page, adapts a line to its channel (upper case on STF and Cabrillo, five blanks before
// every E-Log text line, CR LF after every file line), fits fields to their columns, builds the
// default file name and runs the save dialog. The kinds, channels and files are listed in
// output/output_kinds.h.
//
// Calling order of every output: Open; OpenFileKind (only when Open answered true; the output is
// abandoned when it answers false); the caller sets English; the drivers write; then Close and
// CloseAndShow, always both, in this order (or CloseFile and ShowFile in place of CloseAndShow,
// with the notice about the written file between them). An output whose log could not be read
// to its end ends with Abandon instead.
//
// A file is written as a new version of the chosen name (common::TextFileWriter::Replace): beside
// it under a name of its own, it takes the name only when complete, at its close, flushed to the
// disk; whoever looks finds the whole file under that name or the file that stood there before,
// never a part of the new one. A file of that name keeps its mode, owner and group, a link stays
// a link to its written target, and a file with other names, or in a folder closed to the user,
// is written in place at the close. A file the user may not write is refused at the creation.
//
// The printer is the system printer (platform/qt/printer.h) and its dialog the installed print
// dialog port; messages go through ToMessages, the save dialog through TFileBaseSS, the settings'
// own call through ToSetups; all of these must exist while an output runs. The first failure to
// write a file stops the channel: nothing more is written, the file does not take its name (a
// file of that name keeps what it held), and the close reports it instead of showing the file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/text_file_writer.h"
#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "output/output_kinds.h"

namespace contest {
class TdbContestBase;
}

namespace output {

struct TuhfteilnehmerParams;

class TAlleRout {
 public:
  // Shows a written file; answers what the viewer answers (unused by the channel).
  using FileShower = std::function<bool(const std::string& file_name)>;
  // Shows the participant data of an EDI file and gives back what the user left in it.
  using ParticipantAsker = std::function<void(TuhfteilnehmerParams& participant)>;

  TAlleRout();
  // A file still undecided is dropped as at the next Open.
  ~TAlleRout();

  // --- tallies of the summary sheet and column widths, set by the drivers of each output ---
  std::array<std::int32_t, 3> KindTotals{};  // multiplier kinds 1, 2 and 3
  std::int32_t MultiTotal = 0;
  // Replaced by the sum of points inside the chosen periods when periods are given.
  std::int32_t PointsTotal = 0;
  std::int32_t QsoTotal = 0;
  // The widest trimmed value of seven log columns, measured before a log is written.
  std::array<std::int32_t, 7> ColumnWidths{};
  // Report texts in English instead of German; kept from one output to the next.
  bool English = false;

  // Prepares the channel for one output kind: position, line height, resolution and margin anew;
  // for the printer kinds the print dialog runs and, on OK, the job begins in "Courier New" of 9
  // points (8 for kinds 3 and 4, 10 for kind 2). False when the print dialog is cancelled, when
  // the printer refuses the job (an error is shown), and for kinds 1 and 16, which write nowhere,
  // and kinds outside 0..16.
  bool Open(int kind);
  // For the file kinds 6 to 15 asks for the file (AskFileName with the kind's description and
  // extension); true without a dialog for the printer kinds. `catalogue` is positioned on the
  // log being written.
  bool OpenFileKind(int kind, const contest::TdbContestBase& catalogue,
                    const contest::TContestRec& definition);
  bool OpenFileKind(int kind, const contest::TContestKKRec& log,
                    const contest::TContestRec& definition);
  // The notice (unless English), the save dialog proposing the log's default name, and the
  // beginning of the file's new version. False when the dialog is cancelled, or when the file
  // cannot be created or the user may not write it (the error "Die Datei <name> konnte nicht
  // erstellt werden." is shown).
  bool AskFileName(std::string_view description, std::string_view extension,
                   const contest::TContestKKRec& log, const contest::TContestRec& definition);

  // Writes one line: x back to the left margin first when `reset_x`; upper-cased on STF and
  // Cabrillo; drawn at (x, y) on the printer, five blanks + text + CR LF in text files, text +
  // CR LF in the other files; then y one line down when `advance`. A control byte of the text (a
  // tab, a line end, a NUL) is written as a blank, so that the line stays one line.
  void WriteLine(std::string_view text, bool reset_x, bool advance);
  // The field fitted to its column: trimmed only on ADIF and CSV, else padded with blanks or cut
  // to exactly `width` characters (at most 255).
  std::string PadField(std::string_view text, int width) const;
  // y to the top of the page, x to the left margin.
  void ResetPosition();
  // Printer only (false elsewhere): x to the left margin; when fewer than two lines remain below
  // y a new page begins and the answer is true (the caller then writes its page header, which
  // resets y).
  bool NewPageIfFull();
  // Printer font bold or normal; no effect on the file channels.
  void BoldOn();
  void BoldOff();

  // The station part of file names: the settings' own call in its file-name form.
  std::string StationFileName() const;
  // The class part of file names: empty for an empty name, else "-" + name with ":" removed,
  // "." made "-" and "/", "\" and "," made "_".
  static std::string ContestFileNamePart(std::string_view name);

  // Printer only: bold off and the job sent to the printer; a job the printer refuses now, or
  // whose PDF file could not be written, is told (JobFailedText).
  void Close();
  // CloseFile, then ShowFile.
  void CloseAndShow();
  // Closes the file of the file channels and gives it the chosen name, in place of a file of
  // that name. True when it stands under its name; false for the printer, without a file, and
  // when it failed to be written or to take its name (the new version is dropped and the error
  // "Die Datei <name> konnte nicht geschrieben werden." shown).
  bool CloseFile();
  // Opens a file of kinds 6, 7, 8, 10 and 15 in the file viewer once it took its name, when it
  // is a plain file (a FIFO or a terminal keeps nothing to show).
  void ShowFile();
  // Ends the output unwritten: the print job is dropped, the file's new version before it takes
  // its name. Nothing more is written, and the close neither sends, names, reports nor shows.
  void Abandon();
  // Whether a write to the output file failed since it was created.
  bool WriteFailed() const { return file_ && file_->Failed(); }

  // --- state ---
  int Kind() const { return kind_; }
  Channel GetChannel() const { return channel_; }
  const std::string& FileName() const { return file_name_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int LineHeight() const { return line_height_; }
  int LeftMargin() const { return left_margin_; }
  double DotsPerInch() const { return dots_per_inch_; }
  // The top of the page in dots (1 cm below the printable area's top edge).
  int TopPosition() const;

  // Replaces what shows a written file (the file viewer Twagdatei::ShowFile; tests record).
  void SetFileShower(FileShower shower) { show_file_ = std::move(shower); }
  // Asks the participant data of an EDI file before its head is written (the form
  // Tuhfteilnehmer::Ask; tests answer in its place).
  void AskParticipant(TuhfteilnehmerParams& participant) const {
    if (ask_participant_) ask_participant_(participant);
  }
  void SetParticipantAsker(ParticipantAsker asker) { ask_participant_ = std::move(asker); }

 private:
  bool OpenPrinter();
  // Drops a file an earlier output left undecided: an exception passed out of that output and
  // was told where it was caught, so the file neither takes its name nor is told again.
  void DropFile();
  std::string DefaultFileName(std::string_view extension, const contest::TContestKKRec& log,
                              const contest::TContestRec& definition) const;

  int x_ = 0;
  int y_ = 0;
  int line_height_ = 1;
  std::optional<common::TextFileWriter> file_;  // from the file's creation to the next Open
  bool placed_ = false;                         // the file took its name
  double dots_per_inch_ = 1.0;
  int left_margin_ = 1;
  int kind_ = 0;
  std::string file_name_;
  Channel channel_ = Channel::kPrinter;
  FileShower show_file_;
  ParticipantAsker ask_participant_;
};

}  // namespace output
