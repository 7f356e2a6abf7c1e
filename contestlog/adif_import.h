// The ADIF import's road into the log, without widgets: for every record of the file the entry
// fields are filled as an operator would type them, then the window's own save check and save
// run, so an imported QSO scores and checks like a typed one. The window lends its entry
// through AdifImportEntry; tests lend a recording one.
//
// Where the import is stricter than a literal reading of the road would be:
// - a record without a usable FREQ but with a BAND naming a band gets that band's nominal
//   frequency, never the entry's current one (it would land on the wrong band); only a record
//   with neither FREQ nor BAND takes the entry's frequency; a FREQ or BAND that is no band is a
//   bad band; a frequency that lies in no band is a bad band also with the checks off;
// - the contest's empty mode entries accept nothing, and with the checks on a record without
//   MODE is a bad mode; no record is saved without a mode;
// - a record without QSO_DATE or TIME_ON leaves the field empty (the save check refuses it)
//   rather than taking the entry's date or time;
// - the mapping's log field names compare whole and ignoring case ("STX" never answers the
//   line of "STX_STRING", a caption "Nr" answers "NR");
// - the received exchange splits into its three parts in both of its forms (the whole exchange
//   in RST_RCVD, the parts after the report in SRX_STRING or SRX), as the sent one does; a
//   caption fills only a part the exchange leaves empty, so our own export comes back whole;
// - TIME_ON of 6 digits keeps its seconds: a busy minute holds more QSOs than the save's moves
//   by a second could place; a time without seconds names its whole minute, and its save moves
//   a taken moment on through the rest of that minute (kMinuteMoves) rather than ten seconds;
// - refusals of the save check count by their step, and a QSO the save could not store is
//   counted apart, never as imported (the save tells it only through the closing notice).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/adif_reader.h"
#include "contest/contest_definition.h"
#include "contestlog/save_check.h"

namespace contestlog {

// The mapping: the dialog's "Felder im Log" lines, a bare log field name ("CALL") or one with
// the ADIF field that feeds it ("RST_RCVD (RST_R)").
using AdifMapping = std::vector<std::string>;

// The value of log field `name` for `record`: the ADIF field the mapping assigns to it (the
// name itself when the mapping has no line for it, nothing when its line has no field), trimmed
// and upper-cased; `fallback` upper-cased when that gives nothing. QSO_DATE of 8 (YYYYMMDD) or 6
// (YYMMDD) characters becomes DD.MM.YY, TIME_ON of 6 characters HH:MM:SS and of 4 HH:MM.
std::string ParseAdifField(const common::AdifRecord& record, const AdifMapping& mapping,
                           std::string_view name, std::string_view fallback = {});

// Whether the contest takes `mode`: always with `check` off; else an equal entry of its mode
// list, or an entry "DIGITAL" for a mode other than CW, SSB and FM. Empty entries and an empty
// mode match nothing.
bool AdifModeAccepted(const contest::TContestRec& definition, bool check, std::string_view mode);
// Whether the contest has the band of `frequency` (MHz) or of `band` (a band's alias or one of
// its two names): always with `check` off.
bool AdifBandAccepted(const contest::TContestRec& definition, bool check,
                      std::string_view frequency, std::string_view band);
// The number of a frequency text with "," or "." as its decimal separator, whatever the locale;
// nothing for a text that is no number.
std::optional<double> AdifFreqToFloat(std::string_view text);

// The entry fields the import writes.
enum class AdifEntryField {
  kCall, kDate, kTime, kMode, kFreq, kName, kQth,
  kSent1, kSent2, kSent3, kSent4,  // eRSTs1 .. eRSTs4
  kRcvd1, kRcvd2, kRcvd3, kRcvd4,  // eRSTr1 .. eRSTr4
};

// The log window's entry as the import uses it.
class AdifImportEntry {
 public:
  virtual ~AdifImportEntry() = default;
  virtual std::string Text(AdifEntryField field) const = 0;
  // Writes the field as typing would: its change handler runs.
  virtual void SetText(AdifEntryField field, const std::string& text) = 0;
  // Empties the entry record.
  virtual void ClearRecord() = 0;
  // The entry record's mode (6 characters at most).
  virtual void SetRecordMode(const std::string& mode) = 0;
  // The current band and the entry record's band.
  virtual void SetBand(char band) = 0;
  // The fields into the record and the save check; when it passes, the save, which moves a
  // taken moment on by a second up to `moves` times. Answers the step that refused, kNone when
  // the check passed; `stored` tells whether the save stored the QSO.
  virtual SaveRefusal SaveEntry(int moves, bool& stored) = 0;
};

struct AdifImportCounts {
  int imported = 0;
  int dupes = 0;
  int without_date_or_time = 0;
  int bad_call = 0;
  int outside_districts = 0;
  int not_stored = 0;  // passed the check, but the log did not take it
  int bad_band = 0;
  int bad_mode = 0;
  int unended = 0;  // records of the file that lost their end and were not read
};

// Every record, in file order, through the entry. `check` is the mode and band check.
AdifImportCounts ImportAdifRecords(const std::vector<common::AdifRecord>& records,
                                   const AdifMapping& mapping, bool check,
                                   const contest::TContestRec& definition, AdifImportEntry& entry);

// "12 Datensätze importiert", then a line (CR LF) for each other count above 0.
std::string AdifImportNotice(const AdifImportCounts& counts);

}  // namespace contestlog
