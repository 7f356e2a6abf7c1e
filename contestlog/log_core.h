// ContestLogCore: what one contest log window holds and does without a widget: its own copy of
// the contest definition, its objects on the log's tables, the rule object, the entry in hand,
// the worked-multiplier tables and the score counters. The window TContestLogStd
// (contest_log_std.h) is a ContestLogCore with its form; the work on the log that needs no
// widget (opening and closing the log, prefix data, points, later the multiplier tables and
// recounts) is done here, so that it is tested without a display.
//
// Lifetime: `Catalogue` and `ContestData` are borrowed from the caller and must outlive the
// core; the core writes their working copies back at close but never frees them. `LogTable`
// and `Service` exist between OpenLog and CloseLog. `Definition` is a private copy: a change of
// the caller's definition does not reach the window.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/short_string.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"
#include "contest/multipliers.h"
#include "contest/progress_window.h"
#include "contestlog/band_tallies.h"
#include "contestlog/station_data.h"

namespace contestlog {

// Multiplier kinds have the numbers 1 to kMultiplierKindSlots; index 0 of the tables is unused.
inline constexpr int kMultiplierKindSlots = 100;
// Band slots are band code letters (or 1, the all-bands slot); index 0 is unused.
inline constexpr int kBandSlots = 256;

class ContestLogCore {
 public:
  ContestLogCore(std::int32_t log_number, contest::TdbContest& catalogue,
                 contest::TdbContest& contest_data, const contest::TContestRec& definition);
  virtual ~ContestLogCore();
  ContestLogCore(const ContestLogCore&) = delete;
  ContestLogCore& operator=(const ContestLogCore&) = delete;

  // Makes the rule object unless there is one and opens the log (OpenLogTable); answers whether
  // the log holds records (LogTable then stands on the last one by CMulti). A core freed with its
  // log still open closes the call list and its object on the log without writing anything.
  bool OpenLog();
  // Writes the catalogue and contest data back (`counted`: the close counted the log's tallies
  // into them; otherwise they are read anew and what is stored stays), closes the log's files
  // (CloseLogFiles) and frees the rule object. Nothing when the log is not open.
  void CloseLog(bool counted = true);
  bool LogOpen() const { return LogTable != nullptr; }

  // The points of the log object's current QSO by the rule of the catalogue's contest code, as
  // the points dispatcher gives them.
  static std::uint32_t QsoPoints(const ContestLogCore& window,
                                 const contest::TContestRec& definition,
                                 const contest::TdbContestBase& catalogue,
                                 const contest::TdbContestBase& log);
  // QsoPoints of this window with its own definition and catalogue, as the routine handed to
  // the rules and dialogs that score a QSO.
  contest::PointsFunction PointsRoutine() const;
  // The log's running numbers of a new QSO on `band` in CurrentMode
  // (contest::TContLogAlle::NextQsoNumbers); none while the log cannot be read (a repair of its
  // files declined): the entry keeps the numbers it has then.
  std::optional<contest::QsoNumbers> LogNextNumbers(bool with_overall, char band);
  // The numbers the entry in hand has (NextOverallNo, NextBandNo, NextBandNoIntern, NextModeNo).
  contest::QsoNumbers EntryNumbers() const;

  // --- the entry in hand ---
  // The dupe check of the entry (the dupe rules, the earlier QSOs' name and QTH): the call, band
  // and mode it was asked for, whether the rules ran on them (not while the log could not be
  // read: a repair of its files declined) and whether they kept the QSO without points. The
  // entry is checked only when this names its call, band and mode as checked; the save checks
  // an entry that is not.
  struct CallCheck {
    std::string call;  // empty: none asked for
    char band = 0;
    std::string mode;
    bool ran = false;
    bool kept_without_points = false;
    bool AskedFor(const contest::TContestLKRec& entry) const {
      return !call.empty() && call == entry.Call.view() && band == entry.Bandcode &&
             mode == entry.Mode.view();
    }
    bool Checked(const contest::TContestLKRec& entry) const { return ran && AskedFor(entry); }
    bool LeftUnchecked(const contest::TContestLKRec& entry) const {
      return !ran && AskedFor(entry);
    }
  };
  CallCheck DupeCheck;
  common::ShortString<6> LastPrefix;
  std::int32_t LastQsoDate = -1;
  std::int32_t LastQsoTime = -1;
  common::ShortString<6> CurrentMode;
  common::ShortString<255> EnterHint;
  common::ShortString<20> NameText;
  common::ShortString<20> QthText;
  std::int32_t SerialNumber = 0;
  char LastQsoBand = 0;  // 0: none
  std::int32_t LogNumber;
  bool EnterPressed = false;
  bool Filling = false;
  bool ShowingRecord = false;
  bool PlaceholderCall = false;
  float Frequency = 0;
  contest::TContestRec Definition;
  std::int32_t NextOverallNo = 0;
  std::int32_t NextModeNo = 0;
  std::int32_t NextBandNo = 0;
  std::int32_t NextBandNoIntern = 0;
  char QslSent = 0;
  bool DupeFlag = false;
  bool AutoTime = false;
  bool WindowScaled = false;

  // --- the log's tables and the rules ---
  contest::TdbContest* Catalogue;
  contest::TdbContest* ContestData;
  std::unique_ptr<contest::TdbContest> LogTable;
  std::unique_ptr<contest::TContLogAlle> Service;
  // The last call looked up for prefix data and what the DXCC selection answered for it.
  PrefixLookupMemo PrefixLookup;

  // --- multipliers and score ---
  bool NameChanging = false;
  std::vector<std::string> CurrentMultiValue =
      std::vector<std::string>(kMultiplierKindSlots + 1);  // by multiplier kind
  std::vector<contest::WorkedMultiTable> WorkedMultis =
      std::vector<contest::WorkedMultiTable>(kMultiplierKindSlots + 1);  // by kind
  char CurrentBand = 0;
  common::ShortString<255> CurrentBandName;
  std::int32_t TotalPoints = 0;
  std::int32_t TotalMultis = 0;
  std::int32_t NextQsoNumber = 0;
  std::int32_t CurrentBandQsos = 0;
  std::array<std::int32_t, kBandSlots> BandPoints{};
  std::array<std::int32_t, kBandSlots> BandQsos{};
  std::array<std::int32_t, kBandSlots> BandMultis{};
  std::array<std::int32_t, 4> ChartValues{};  // left, top, width, height; width 0: none yet
  bool KeyerOn = false;

  // --- the worked-multiplier tables (qso_multipliers.cpp) ---
  // Evaluates one QSO record against the tables and counters: empties its multiplier fields
  // (CMulti, Info and, unless the contest keeps it, Call2), takes each counted kind's value, marks
  // a value worked before (on the QSO's band, or on any band of a contest that counts over all
  // bands) and adds any other: its multiplier fields, its table entry, the kind's current value
  // and weight + 1 on TotalMultis and the current band's BandMultis slot. Whether a value was
  // worked before is asked of the log behind LogTable, or of `walked_log`.
  void UpdateQsoMultipliers(contest::TContestLKRec& record);
  void UpdateQsoMultipliers(contest::TContestLKRec& record,
                            const contest::TdbContestBase& walked_log);
  // Clears the marks and takes the values of the QSO in hand out of the tables and counters:
  // each counter loses exactly what the value added (never below 0); a table entry goes only
  // when the value was stored by the QSO in hand.
  void RefreshEntryMultipliers();
  // The live evaluation of the entry in LogTable's buffers: RefreshEntryMultipliers, the entry
  // evaluated, LogTable's buffers set to the evaluated record.
  void EvaluateEntryMultipliers();
  // After a save: the values of the saved QSO stay in the tables and counters for good; the
  // current values are forgotten and the marks cleared.
  void ForgetEntryMultipliers();

  // --- recount and recalculation (log_recount.cpp) ---
  // Refills the tables of the kinds from the log (for CurrentBand when the contest counts per
  // band) and TotalMultis; with `full` also re-scores every QSO (points written back where they
  // changed) and sets BandPoints, BandQsos, BandMultis, NextQsoNumber and LastQsoBand (the band
  // of the last record in number order; a QSY marker's: its band). Then TotalPoints and
  // CurrentBandQsos are the current band's, and ScoreSummaryText runs. A shared log is held
  // locked for the pass.
  void RecountLog(bool full);
  // Whether the log can be read for work the operator asked for. A repair of its files the
  // operator declined is asked about again (by a read that finds them unfinished); declined once
  // more, "Ohne Reparatur des Logs " + `not_done` is told and the answer is false. Work that
  // reads the log afterwards looks at LogTable->RepairDeclined(): a later stop may be declined
  // in the middle of it. Repaired after a decline, the window follows the log (LogRepaired).
  bool LogReadable(const std::string& not_done);
  // The next numbers of a switch to `band` (CurrentMode set to the new mode for a mode switch):
  // LogReadable(not_done), then LogNextNumbers; none, told as LogReadable tells, when the log
  // cannot be read.
  std::optional<contest::QsoNumbers> NumbersForSwitch(char band, const std::string& not_done);
  // Tells "Ohne Reparatur des Logs " + `not_done`.
  static void TellWithoutRepair(const std::string& not_done);
  // Whether another station changed the log since the last full recount (or the log's files
  // were opened anew since, by this station's own repair too): the window's counters then no
  // longer are the log's. A read of the log.
  bool LogChangedElsewhere();
  // A full recount when another station changed the log (LogChangedElsewhere); true when one
  // ran, so that the caller shows the log's totals and takes its next numbers.
  bool CatchUpWithLog();
  // RecountLog(true), the entry in LogTable's working copy kept through it.
  void RecountKeepingEntry();
  // Adds a band's multipliers of every kind to BandMultis (slot 1 when the contest counts over
  // all bands).
  void SumBandMultipliers(char band);
  // Counts the per-band tallies of the log from its records (QSOs, multipliers, the points the
  // records hold, slot tallies; log_tallies.h) into the wide or the narrow layout
  // (band_tallies.h) and writes the catalogue and contest-data records back through Catalogue
  // and ContestData. False when a write failed, or when the log could not be read (a repair of
  // its files declined): nothing is stored then.
  bool Recalculate();

  // --- renumbering (log_renumbering.cpp) ---
  enum class Renumbering : std::uint8_t {
    kUnchanged,   // no record would change and no QSY marker is there: nothing written
    kRenumbered,  // the log's files are the renumbered set
    kPending,     // the set is complete but not in place; the next opening of the log does it
    kBusy,        // another station has the log open: nothing written (a later close does it)
    kFailed,      // the set could not be built; the log is as it was
  };
  // Renumbers the log: the QSOs in time order (in a serial-number contest in the order of their
  // numbers, which they keep) get wagNummer 1, 2, ... (in a serial-number contest their Nummer),
  // running band numbers (wagBandNr and wagBandNrIntern alike) and mode-class numbers from 1,
  // and their multiplier fields anew as UpdateQsoMultipliers gives them against the QSOs before
  // them; CMulti keeps its old text unless `rewrite_multipliers` (or it was empty under 'p');
  // QSY markers are dropped. The result is built as a set of files of its own and replaces the
  // log's files only when it differs and is complete (contest/log_file_set.h); the tables are
  // cleared. The entry in hand stays in LogTable's working copy; a failure is shown.
  // `even_unchanged` writes the set also when nothing would change.
  Renumbering RebuildDatabase(bool rewrite_multipliers, bool even_unchanged = false);

  // --- what the window adds ---
  // Refreshes the score panel; nothing without a window.
  virtual void ScoreSummaryText() {}
  // Shows a progress window for a pass; null without a window.
  virtual std::unique_ptr<contest::ProgressWindow> ShowProgress(const std::string& title,
                                                                int maximum);
  // The log's files were replaced by its renumbered set: views of the old files refresh.
  virtual void LogFilesReplaced() {}
  // A repair the operator had declined ran now: when the log changed meanwhile, the totals follow
  // it (CatchUpWithLog), the entry's multipliers taken out of the tables for the count and
  // evaluated anew after it; the window shows them. The entry in hand stays as typed.
  virtual void LogRepaired();

 private:
  struct Evaluation;
  // What the QSO in hand added for a kind, taken back by RefreshEntryMultipliers.
  struct AddedMulti {
    std::int32_t amount = 0;  // weight + 1
    int slot = 0;             // the BandMultis slot
    bool stored = false;      // the value was put into the table (not only marked)
  };

  void AddQsoMultipliers(Evaluation& evaluation, int kind, int width);
  bool WorkedBefore(const Evaluation& evaluation, int kind, const std::string& value);
  void StoreMultiFields(Evaluation& evaluation, int kind, const std::string& padded);
  void RemoveQsoMultipliers(int kind);
  void DecrementMultiCounts(int kind);
  // The renumbering with exclusive use of the log: built, compared, put in place.
  Renumbering RenumberAlone(bool rewrite_multipliers, bool even_unchanged);
  // Writes the renumbered records into the log's set under construction; `changed` tells
  // whether any differs from the log's. False when a record could not be written.
  bool BuildRenumberedSet(bool rewrite_multipliers, bool& changed);

  std::vector<AddedMulti> added_ = std::vector<AddedMulti>(kMultiplierKindSlots + 1);
  // The log's stamp of other stations' changes when the last full recount counted it.
  std::uint64_t counted_stamp_ = 0;
};

}  // namespace contestlog
