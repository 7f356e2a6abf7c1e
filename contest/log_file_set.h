// The replacement of a log's QSO files ("PXLK" + log number) by a renumbered set ("PXLN" + log
// number, built through contest table 6) without a moment in which a stop of the process, a
// failed write or another station could lose a QSO or find half of each set.
//
// The set is built beside the log's files while this process has exclusive use of the log
// (storage::TakeExclusiveUse: no other process has it open or can open it). Once the set is
// complete it is flushed and a marker file "PXLN" + number + ".OK" is written: from then on the
// set is the log. Its index and data file then take the place of the log's, one after the
// other, and the marker goes. The log's dialog file stays where it is: it carries the exclusive
// use, and the renumbered files fit it as the old ones did.
//
// Whoever opens the log first afterwards settles what a stop left behind: with the marker, the
// set's files still beside the log are moved into place (a complete set, so the log is the
// renumbered one); without it, a set's files are deleted (the log is the old one, untouched).
//
// Files are reached through the platform's file layer (Windows semantics); nothing here shows a
// message. Requires the DriverSystem, ToSetups and ToDatContest services (the paths).
#pragma once

#include <cstdint>
#include <string>

namespace contest {

// Paths without extension, as the drivers find the files (a relative folder in the start folder).
struct LogFileSet {
  std::string log;      // the log's QSO files
  std::string renewed;  // the renumbered set
  std::string Marker() const { return renewed + ".OK"; }
};

LogFileSet LogFileSetOf(std::int32_t log_number);

enum class ReplaceResult : std::uint8_t {
  kReplaced,  // the set is the log's files now
  kPending,   // the set is complete and marked, but not yet in place: the next opening does it
  kFailed,    // the set could not be made safe; it is deleted, the log's files are untouched
};

// Makes the complete set the log's files: flushes its files, writes the marker, moves them into
// place. The caller holds exclusive use of the log and has neither set open.
ReplaceResult ReplaceLogFiles(const LogFileSet& files);

// Deletes the set's files and marker (a set that is unfinished or not wanted).
void DiscardRenewedSet(const LogFileSet& files);

// Whether anything of a set lies beside the log's files.
bool RenewedSetPresent(const LogFileSet& files);

// Before the log's files are opened: completes a marked set, deletes an unmarked one. Runs with
// exclusive use of the log, waiting a little for it; when another process has the log, what it
// sees is that process's to settle and nothing is done. False only when a marked set is there and
// cannot be moved into place now (the log must not be opened then).
bool SettlePendingReplacement(const LogFileSet& files);

}  // namespace contest
