// TEingContestCtrl: the controller of the contest setup form TEingContestStd, without widget
// code. It works on the form's transfer record (app/eing_contest_view.h) and on the log's two
// records: the catalogue record (TContestKKRec, "PXKK") and the contest-data record
// (TContestKZRec, "PXKZ").
//
// The form calls it for its creation, for each event of its controls and for its buttons. A
// save with a sender (the pressed button) checks the input in a fixed order; the first check
// that fails marks its field, warns (ToMessages) and focuses the field, and nothing is written.
// A save without sender (a category change) checks nothing and writes whatever the form holds.
// A new log is inserted by its first good save; from then on saves update it. When the table
// refuses the insert the form stays a new log, so that a later save cannot land on the record
// another log left current.
//
// The catalogue and contest-data objects and the live contest definition are the main window's
// and outlive the controller. The definition is reloaded from the catalogue record after each
// save and category change (contest::TContestFkt::LoadContestDefinition).
//
// Needs the services ToSetups, ToDates, ToMessages, ToBaender, TContestFkt and the contest
// tables; the own-call look-up of contests '7', 'f' and 'w' also the call database and ToPrefix.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/eing_contest_view.h"
#include "contest/catalogue_record.h"
#include "contest/contest_data_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"

namespace app {

// The texts the save shows.
inline constexpr const char* kWriteFailed =
    "Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden.";
inline constexpr const char* kClockNotChosen =
    "Es wurde nicht bestimmt, ob der Computer mit Ortszeit läuft.";

// Where the save writes the log's records. The program writes through the table objects; tests
// put a writer in its place that refuses a write.
class EingContestWriter {
 public:
  virtual ~EingContestWriter() = default;
  virtual bool Insert(contest::TdbContest& table) { return table.InsertRec(); }
  virtual bool Update(contest::TdbContest& table) { return table.UpdateRec(); }
};

// The button a save runs for; kNone: the silent save of a category change.
enum class SaveSender : std::uint8_t { kNone, kOK, kStart, kDruck };

// The date and time fields, in the order of their bits in catalogue byte 374.
enum class TimeField : std::uint8_t { kDatumvon, kDatumbis, kZeitvon, kZeitbis };

class TEingContestCtrl {
 public:
  // `edit_flag` 0 for a new log, else the catalogue object's current record is the log;
  // `review_flag` not 0 after the log window closed (the form then only closes or writes out).
  TEingContestCtrl(char code, int edit_flag, int review_flag, contest::TdbContest& catalogue,
                   contest::TdbContest& contest_data, contest::TContestRec& definition);
  ~TEingContestCtrl();
  TEingContestCtrl(const TEingContestCtrl&) = delete;
  TEingContestCtrl& operator=(const TEingContestCtrl&) = delete;

  // Replaces the writer (null: the table objects again).
  void SetWriter(std::unique_ptr<EingContestWriter> writer);

  // --- events of the form ---
  // Fills the view for the log: a new log's records are made, an existing one's read.
  void FormCreate(EingContestView& view);
  // A class was chosen: saves silently (unless the form is being filled), reloads the
  // definition, offers the class's modes and puts its period into the date and time fields
  // that were not changed by hand.
  void CategoryClick(EingContestView& view);
  // Entering a date or time field keeps its text; leaving it completes the text and remembers
  // a change in catalogue byte 374.
  void TimeFieldEnter(TimeField field, const EingContestView& view);
  void TimeFieldExit(TimeField field, EingContestView& view);
  // The text of a checked field changed: its mark goes; for 'U' the DOK also answers the
  // district question at once.
  void FieldChange(EingFocus field, EingContestView& view);
  // A clock button was clicked.
  void ClockClick(EingContestView& view);
  // Leaving the own call: contests '7', 'f' and 'w' take the club number from the call
  // database while the number field shows "0".
  void CallExit(EingContestView& view);
  // The save of the buttons (see the class comment); closes the form after a good write with
  // 1 for "Contest starten" and 2 for "Beenden".
  void Save(SaveSender sender, EingContestView& view);
  // Escape: "Änderungen übernehmen?" yes saves as "Beenden", no closes with 2.
  void Escape(EingContestView& view);
  // "Abbrechen": closes with 2, nothing saved.
  void Cancel(EingContestView& view);
  // Reloads the definition (writing the catalogue record back) and redraws the score panel.
  void RefreshBandwertung(EingContestView& view);

  // The Nummer of the log's catalogue record (0 while a new log is not saved).
  std::int32_t GetSatzNummer() const { return log_.Nummer; }
  std::uint8_t EditFlag() const { return edit_flag_; }
  const contest::TContestKKRec& Record() const { return log_; }

 private:
  // Creation, in its order.
  void MakeOrReadRecords();
  void DefaultDatesAndTimes();
  void ShowRecord(EingContestView& view) const;
  void ShowCategories(EingContestView& view);
  void ShowStartMode(EingContestView& view) const;
  void ShowStation(EingContestView& view) const;
  void ShowCaption(EingContestView& view) const;

  // Category change.
  void EnableModes(EingContestView& view) const;
  void PutClassPeriod(EingContestView& view) const;

  // Save steps (eing_contest_save.cpp), in their order.
  void SaveSteps(SaveSender sender, EingContestView& view);
  bool CheckRequiredFields(SaveSender sender, EingContestView& view);
  bool AskForMissingDistrict(SaveSender sender, EingContestView& view);
  void StoreStation(SaveSender sender, const EingContestView& view);
  bool StoreDatesAndTimes(SaveSender sender, EingContestView& view);
  bool StoreOptions(SaveSender sender, EingContestView& view);
  bool StoreExtraData(SaveSender sender, EingContestView& view);
  bool WriteRecords();
  void SaveMemo(EingContestView& view) const;
  // Marks `field`, warns with `text` and focuses the field: the save ends.
  static bool Refuse(EingFocus field, const char* text, EingContestView& view);

  // The catalogue object's working copy from the log record, and the definition reloaded.
  void PutBack();
  void ReloadDefinition(bool update_file);
  // The DOK field holds the LDK for 'A' and for contests that count LDKs.
  bool DokFieldIsLdk() const;

  char code_;
  std::uint8_t edit_flag_;
  std::uint8_t review_flag_;
  bool filling_ = false;
  std::array<std::string, 4> kept_;  // the date and time fields' texts when entered
  contest::TdbContest& catalogue_;
  contest::TdbContest& contest_data_;
  contest::TContestRec& definition_;
  contest::TContestKKRec log_{};
  contest::TContestKZRec data_{};
  // The class slot (0-based) of each item of the category choice.
  std::vector<int> class_slots_;
  std::unique_ptr<EingContestWriter> writer_;
};

}  // namespace app
