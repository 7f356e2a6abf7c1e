// The save of the QSO in hand from the entry fields (the steps without widgets are in
// qso_save.h), and the window's Save, Clear and close controls.
#include <string>

#include "common/messages.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_record.h"
#include "contestlog/entry_focus.h"
#include "contestlog/log_start.h"
#include "contestlog/qso_save.h"
#include "platform/qt/application.h"

namespace contestlog {
namespace {

using platform::qt::TComponent;

constexpr const char* kNotStored = "Das QSO konnte nicht gespeichert werden.";
constexpr const char* kNotStoredUnrepaired = "kann das QSO nicht gespeichert werden.";
// The keyer's memory "a QSO was stored".
constexpr int kAfterSave = -1;

// The QSO keeps the number it was sent with, also when another station gave that number
// meanwhile: the operator learns of it.
std::string NumberTakenText(std::int32_t number) {
  return "Die Nummer " + common::IntToStrAt(number, 3) +
         " hat inzwischen eine andere Station vergeben. Das QSO wurde mit der gesendeten Nummer "
         "gespeichert.";
}

// Puts `text` into the field when it differs (a change runs the field's change handler).
void Replace(ui::TkvEdit& field, const std::string& text) {
  if (field.GetStr() != text) field.SetStr(text);
}

}  // namespace

void TContestLogStd::BindButtonEvents() {
  timerzeit->SetWaitsForHandlers(true);
  timerzeit->SetOnTimer([this](TComponent*) { timerzeitTimer(); });
  // The rig's interface does nothing: its watch only stops its polling.
  TimerCATUeberwachung->SetOnTimer([this](TComponent*) { TimerCAT->SetEnabled(false); });
  for (TSpeedButton* save : {btnSpeicherna, btnSpeichernb}) {
    save->OnClick = [this](TComponent* sender) { btnSpeichernaClick(sender); };
  }
  const auto close = [this](TComponent* sender) { btnbeendenaClick(sender); };
  btnbeendena->OnClick = close;
  btnbeendenb->OnClick = close;
  btnbeenden2->OnClick = close;
  MenueBeenden->OnClick = close;
}

void TContestLogStd::btnbeendenaClick(TComponent* /*sender*/) { Close(); }

void TContestLogStd::btnSpeichernaClick(TComponent* sender) {
  const bool imported = sender != nullptr && sender == btnadifimport;
  // The import refuses a record without a mode itself.
  if (!imported && (WarnedModeMissing(*emode) || WarnedCallMissing(*eCall))) return;
  // A save asks again about a repair the operator declined; the import asks once, at its start.
  if (!imported && !LogReadable(kNotStoredUnrepaired)) return;
  // 1. The contest's fixes of what was typed.
  const char code = ContestCode(*Catalogue);
  if (code == 'q') Replace(*eRSTr4, SeparatedNumber(eRSTr4->GetStr()));
  if (code == 'z') Replace(*eRSTr3, ZeroFilledToThree(eRSTr3->GetStr()));
  if (code == '!' && !Service->CheckExchange(eRSTr3->GetStr(), *Catalogue)) Replace(*eRSTr3, "");

  // 2. A QSO that passes the save check gives the next entry its date and time. The save goes
  // on when it does not. A bad value in the field in hand is told now: it was not left.
  const platform::qt::TWinControl* in_hand = ActiveControl();
  FieldsToRecord(in_hand != nullptr && in_hand->Focused() ? in_hand : nullptr);
  // A call not checked on the entry's band and mode (saved from the call field, checked on
  // another band, left while the log could not be read) is checked now, as leaving the call
  // field checks it: a dupe the rules refuse is not stored, one they keep has no points.
  if (!imported && !DupeCheck.Checked(EntryRecord(*this))) {
    CheckDupe();
    if (EntryRecord(*this).Call.empty()) return;
    if (!DupeCheck.Checked(EntryRecord(*this))) {
      TellWithoutRepair(kNotStoredUnrepaired);
      return;
    }
    RefreshMultiplierState();
  }
  const bool checked = CanSaveQso();
  const contest::TContestLKRec entry = EntryRecord(*this);

  // 3. Stored under its numbers, or the operator is told and the entry stays as typed. The
  // import tells the QSOs it could not store once, in its closing notice.
  contest::TContestLKRec qso{};
  const StoredQso store = StoreNewQso(*this, qso, imported ? ImportedMomentMoves : kMomentMoves);
  if (!store.stored) {
    if (imported) return;
    if (LogTable->RepairDeclined()) {
      TellWithoutRepair(kNotStoredUnrepaired);
    } else {
      common::Service<common::ToMessages>::Get().Fehler(kNotStored);
    }
    return;
  }
  if (KeyerOn) SendCwMemory(kAfterSave);
  if (checked) {
    LastQsoDate = entry.Datum;
    LastQsoTime = entry.Zeit;
  }
  Frequency = entry.Frequency;

  // 4 - 6. Scored and counted, the serials with their zeros; the entry's multipliers stay.
  CountSavedQso(*this, qso);
  FillSerialsWithZeros(Definition, qso);
  LogTable->SetLKRec(qso);
  ForgetEntryMultipliers();

  // 7. The clock, except for an imported QSO: the import's band is its own.
  if (!imported) timerzeitTimer();

  // 8. The QSO as stored: the clock may have moved the table, the record finds its own again.
  LogTable->SetLKRec(qso);
  LogTable->UpdateRec();

  // 9. What the QSO taught about the partner.
  LearnFromQso(*this, qso, LearnedFieldTexts());

  // 10.
  ScoreSummaryText();
  Brow->GotoDatensatz(0, 0, 0);
  platform::qt::Application().ProcessMessages();
  ClearEntry();
  if (store.taken != 0 && !imported) {
    common::Service<common::ToMessages>::Get().Achtung("Nummer", NumberTakenText(store.taken));
  }
}

LearnedTexts TContestLogStd::LearnedFieldTexts() {
  LearnedTexts texts;
  texts.exchange2 = eRSTr2->GetStr();
  texts.exchange3 = eRSTr3->GetStr();
  texts.exchange4 = eRSTr4->GetStr();
  if (eName->CanFocus()) texts.name = eName->GetStr();
  if (eQTH->CanFocus()) texts.qth = eQTH->GetStr();
  return texts;
}

}  // namespace contestlog
