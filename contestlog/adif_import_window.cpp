// The log window's ADIF import (contestlog/contest_log_std.h): the dialog through the
// controller, then every record through the window's own entry fields, save check and save.
#include <array>
#include <memory>

#include "common/messages.h"
#include "common/service.h"
#include "contestlog/adif_import.h"
#include "contestlog/adif_import_ctrl.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_record.h"
#include "contestlog/save_check.h"

namespace contestlog {
namespace {

using Field = AdifEntryField;

// The window's entry as the import writes it: fields set as typing would (their change
// handlers run), the record's and the window's mode and band, the save check and the save.
class WindowEntry : public AdifImportEntry {
 public:
  explicit WindowEntry(TContestLogStd& window) : w_(window) {}

  std::string Text(Field field) const override { return FieldOf(field).GetStr(); }
  void SetText(Field field, const std::string& text) override { FieldOf(field).SetStr(text); }
  void ClearRecord() override { w_.LogTable->ClearRec(); }
  // The window's mode too: where the mode field is hidden, the entry takes the window's mode,
  // and an SSB record must not be stored as the CW the window stood on.
  void SetRecordMode(const std::string& mode) override {
    w_.CurrentMode = mode.substr(0, 6);
    contest::TContestLKRec record = EntryRecord(w_);
    record.Mode = mode.substr(0, 6);
    SetEntryRecord(w_, record);
  }
  void SetBand(char band) override {
    w_.CurrentBand = band;
    contest::TContestLKRec record = EntryRecord(w_);
    record.Bandcode = band;
    SetEntryRecord(w_, record);
  }
  // A stored QSO counts: the save tells a QSO it could not store only to the operator.
  SaveRefusal SaveEntry(int moves, bool& stored) override {
    w_.RefreshMultiplierState();
    w_.FieldsToRecord();
    const SaveRefusal refusal = CheckSaveQso(w_);
    if (refusal != SaveRefusal::kNone) return refusal;
    const std::int32_t before = w_.NextQsoNumber;
    w_.ImportedMomentMoves = moves;
    w_.btnSpeichernaClick(w_.btnadifimport);
    stored = w_.NextQsoNumber != before;
    return refusal;
  }

 private:
  ui::TkvEdit& FieldOf(Field field) const {
    const std::array<ui::TkvEdit*, 15> fields = {
        w_.eCall,  w_.eDatum, w_.ezeit,  w_.emode,  w_.eFreq,  w_.eName,  w_.eQTH,  w_.eRSTs1,
        w_.eRSTs2, w_.eRSTs3, w_.eRSTs4, w_.eRSTr1, w_.eRSTr2, w_.eRSTr3, w_.eRSTr4};
    return *fields[static_cast<std::size_t>(field)];
  }

  TContestLogStd& w_;
};

// The clock stays off while the import runs and is as it was afterwards, however it ends.
class ClockPause {
 public:
  explicit ClockPause(platform::qt::TTimer& timer) : timer_(timer), was_on_(timer.Enabled()) {
    timer_.SetEnabled(false);
  }
  ~ClockPause() { timer_.SetEnabled(was_on_); }
  ClockPause(const ClockPause&) = delete;
  ClockPause& operator=(const ClockPause&) = delete;

 private:
  platform::qt::TTimer& timer_;
  const bool was_on_;
};

}  // namespace

void TContestLogStd::btnadifimportClick(platform::qt::TComponent* /*sender*/) {
  const ClockPause pause(*timerzeit);
  TContestAdifimportCtrl import(this, Definition);
  if (!import.Execute()) return;
  LogTable->AskAboutRepairAgain();
  AdifImportCounts counts = ImportAdif(*import.Records(), import.Mapping(), import.Check());
  counts.unended = static_cast<int>(import.UnendedRecords());
  common::Service<common::ToMessages>::Get().Hinweis("", "", AdifImportNotice(counts), false);
}

AdifImportCounts TContestLogStd::ImportAdif(const std::vector<common::AdifRecord>& records,
                                            const AdifMapping& mapping, bool check) {
  WindowEntry entry(*this);
  return ImportAdifRecords(records, mapping, check, Definition, entry);
}

}  // namespace contestlog
