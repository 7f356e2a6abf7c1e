// Editing and deleting a QSO of the log window's QSO list or of the correction list, and the
// buttons that open the correction list (contestlog/contest_log_std.h).
#include <memory>

#include "common/messages.h"
#include "common/service.h"
#include "contest/window/entry_helpers.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/correction_list.h"
#include "contestlog/qso_edit.h"

namespace contestlog {
namespace {

constexpr int kKeyCallDateTime = 2;
constexpr const char* kNotDeleted = "kann das QSO nicht gelöscht werden.";
constexpr const char* kNotChanged = "kann das QSO nicht geändert werden.";

common::ToMessages& Messages() { return common::Service<common::ToMessages>::Get(); }

// The entry in hand lives in the log object's working copy, which positioning the object on a
// stored QSO overwrites: put back when the routine ends, unless it clears the entry itself.
class EntryKept {
 public:
  explicit EntryKept(contest::TdbContest& log) : log_(log) { log_.GetLKRec(entry_); }
  ~EntryKept() {
    if (!kept_) return;
    log_.ClearRec();
    log_.SetLKWorkingCopy(entry_);
  }
  EntryKept(const EntryKept&) = delete;
  EntryKept& operator=(const EntryKept&) = delete;
  void Drop() { kept_ = false; }

 private:
  contest::TdbContest& log_;
  contest::TContestLKRec entry_{};
  bool kept_ = true;
};

}  // namespace

void TContestLogStd::BindCorrectionEvents() {
  Brow->OnDatensatz_Loeschen = [this] { return BrowDatensatz_Loeschen(); };
  Brow->OnBrowDoppelKlick = [this] { BrowBrowDoppelKlick(); };
  Brow->OnRowOperation = [this](ui::RowOperation operation) {
    return RowOperationReadable(operation);
  };
  btnLoeschen->OnClick = [this](platform::qt::TComponent*) { btnLoeschenClick(); };
  btnAendern->OnClick = [this](platform::qt::TComponent*) { btnAendernClick(); };
  btnBandliste->OnClick = [this](platform::qt::TComponent*) { btnBandlisteClick(); };
  for (TSpeedButton* button : {btnKorrektura, btnKorrekturb}) {
    button->OnClick = [this](platform::qt::TComponent*) { btnKorrekturaClick(); };
  }
  for (TSpeedButton* button : {btnCallsuchea, btnCallsucheb}) {
    button->OnClick = [this](platform::qt::TComponent*) { btnCallsucheaClick(); };
  }
}

void TContestLogStd::RenumberAndRecount() {
  RebuildDatabase(true);
  // Recounted before the tallies are stored: they take the points of the recount, so that they
  // are right at once and not only after the next recount.
  RecountLog(true);
  Recalculate();
  ShowScore();
}

void TContestLogStd::DeleteSelectedQso(ui::TkvBrow& grid) {
  if (!LogReadable(kNotDeleted)) return;
  const EntryKept entry(*LogTable);
  std::int32_t ref = 0;
  if (!grid.ReadDatensatz(ref) || ref <= 0 || !LogTable->SeekRef(ref)) return;
  // A band change noted in the log is no QSO to delete.
  if (LogTable->GetLogByte165() != 0) return;
  Messages().Achtung("",
                     "Achtung: Durch das Löschen eines Eintrages werden die Nummern aller "
                     "nachfolgenden Einträge um 1 verringert.");
  if (!Messages().JaNeinFrage("", "Sicherheitsabfrage",
                              "Eintrag " + LogTable->GetCall() + " löschen?", true)) {
    return;
  }
  if (!LogTable->Delete(false)) return;
  RenumberAndRecount();
  if (LogTable->Last(grid.GetKeyNr())) {
    grid.GotoDatensatz(LogTable->CurrentRef(), 0, 0);
  } else {
    grid.Refresh();
  }
}

void TContestLogStd::btnLoeschenClick() {
  DeleteSelectedQso(*Brow);
  ClearEntry();
}

bool TContestLogStd::BrowDatensatz_Loeschen() {
  btnLoeschenClick();
  return true;
}

void TContestLogStd::EditSelectedQso(ui::TkvBrow& grid) {
  if (!LogReadable(kNotChanged)) return;
  EntryKept entry(*LogTable);
  std::int32_t ref = 0;
  if (!grid.ReadDatensatz(ref) || ref <= 0 || !LogTable->SeekRef(ref)) return;
  if (LogTable->GetLogByte165() != 0) return;
  entry.Drop();
  const auto dialog = std::make_unique<TContestEingabeStd2Ctrl>(
      this, *this,
      std::array<bool, 3>{eRSTr2->Visible(), eRSTr3->Visible(), eRSTr4->Visible()});
  if (dialog->Execute()) {
    for (std::string& value : CurrentMultiValue) value.clear();
    if (dialog->RecountNeeded()) {
      contest::TContestLKRec changed{};
      LogTable->GetLKRec(changed);
      RenumberAndRecount();
      // The renumbering gave the QSO a new place: found again by its call, date and time.
      if (LogTable->Find(contest::LogKeyText(changed, kKeyCallDateTime), kKeyCallDateTime,
                         true)) {
        grid.GotoDatensatz(LogTable->CurrentRef(), 1, 0);
      } else {
        grid.Refresh();
      }
    } else {
      grid.GotoDatensatz(ref, 1, 0);
    }
  }
  LogTable->ClearRec();
  ClearEntry();
}

void TContestLogStd::btnAendernClick() { EditSelectedQso(*Brow); }

void TContestLogStd::BrowBrowDoppelKlick() { btnAendernClick(); }

bool TContestLogStd::RowOperationReadable(ui::RowOperation operation) {
  return LogReadable(operation == ui::RowOperation::kDelete ? kNotDeleted : kNotChanged);
}

bool TContestLogStd::RunCorrectionList(int mode) {
  if (!LogReadable("kann die Liste nicht gezeigt werden.")) return false;
  TKorrekturstd list(this, *this, mode == 2 ? CurrentBand : 0, static_cast<CorrectionMode>(mode));
  contest::window::SetBounds(CorrectionBounds, list, *LogTable);
  return true;
}

// A list that could not be shown leaves the entry as typed.
void TContestLogStd::btnKorrekturaClick() {
  if (RunCorrectionList(0)) btnClearaClick(nullptr);
}

void TContestLogStd::btnBandlisteClick() {
  if (RunCorrectionList(2)) btnClearaClick(nullptr);
}

void TContestLogStd::btnCallsucheaClick() { RunCorrectionList(1); }

}  // namespace contestlog
