// The QSO entry cycle of the log window: the call looked up on every keystroke, Enter moving on,
// the work on leaving a field (dupe rules, name, prefill, beam heading, frequency) and the save
// that Enter in the last field asks for. The record work is in entry_record.h, save_check.h and
// station_data.h; here the fields are read and shown.
#include <initializer_list>
#include <string>

#include "common/date_completion.h"
#include "common/lang_text.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_focus.h"
#include "contestlog/entry_record.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_start.h"
#include "contestlog/save_check.h"
#include "contestlog/station_data.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/modes.h"
#include "logbook/settings/setups.h"

namespace contestlog {
namespace {

using platform::qt::TComponent;
using platform::qt::TControl;

constexpr std::uint16_t kEnterKey = 13;
constexpr int kNameTextLength = 20;
constexpr int kNameQthLength = 25;
constexpr int kNameAndDokRoom = 16;
constexpr std::size_t kShortestBearingLocator = 4;
constexpr const char* kAlreadyWorked = "SCHON GEARBEITET";
// The call could not be checked against the log: a repair of its files was declined.
constexpr const char* kNotChecked = "DUPE UNGEPRÜFT";
constexpr const char* kPlaceholderCall = "DL0";

bool AllHidden(std::initializer_list<const TControl*> controls) {
  for (const TControl* control : controls) {
    if (control->Visible()) return false;
  }
  return true;
}

// The QTH part of a record's "name;QTH" text.
std::string QthPart(const std::string& name_qth) {
  const std::size_t semicolon = name_qth.find(';');
  return semicolon == std::string::npos ? std::string() : name_qth.substr(semicolon + 1);
}

}  // namespace

void TContestLogStd::BindEntryEvents() {
  for (TkvEdit* field : EntryFields()) {
    field->OnKeyDown = [this](TComponent* sender, std::uint16_t& key,
                              platform::qt::TShiftState shift) {
      eCallKeyDown(sender, key, shift);
    };
    field->OnExit = [this](TComponent* sender) { eCallExit(sender); };
  }
  eCall->OnChange = [this](TComponent* sender) { eCallChange(sender); };
  for (TkvEdit* field : {eRSTr2, eRSTr3, eRSTr4, eRSTs2, eRSTs3, eRSTs4}) {
    field->OnChange = [this](TComponent* sender) { eRSTr2Change(sender); };
  }
  for (TSpeedButton* clear : {btnCleara, btnClearb}) {
    clear->OnClick = [this](TComponent* sender) { btnClearaClick(sender); };
  }
  btnadifimport->OnClick = [this](TComponent* sender) { btnadifimportClick(sender); };
}

std::array<TkvEdit*, 16> TContestLogStd::EntryFields() const {
  return {eCall,  eCall2, eDatum, ezeit,  eFreq,  emode,  eName,  eQTH,
          eRSTs1, eRSTs2, eRSTs3, eRSTs4, eRSTr1, eRSTr2, eRSTr3, eRSTr4};
}

// --- typing the call ---

void TContestLogStd::eCallChange(TComponent* /*sender*/) {
  if (Filling) return;
  const bool started = EntryRecord(*this).Call.empty();
  FieldsToRecord();
  const std::string call = EntryRecord(*this).Call.str();
  // The QSO starts: its numbers and the totals beside it are the log's now, whichever station
  // stored the last.
  if (started && !call.empty()) {
    CatchUpWithLog();
    RenewEntryNumbers(*this, EntryFieldsShown());
  }
  if (call.size() < 2 ||
      !PrefixData(*LogTable, *Catalogue, PointsRoutine(), PrefixLookup, Definition)) {
    // Nothing of the call counts yet; the next call that does is evaluated afresh.
    LastPrefix = "";
    RefreshEntryMultipliers();
    if (ReceivedField2Used()) eRSTr2->SetVisible(true);
    RecordToFields();
    return;
  }
  contest::TContestLKRec qso = EntryRecord(*this);
  qso.NoPoints = 0;
  SetEntryRecord(*this, qso);
  if (qso.DXCC.view() != LastPrefix.view()) {
    LastPrefix = qso.DXCC.str();
    ShowForeignDistrictFields(call);
  }
  // Every keystroke: a call multiplier or a bonus call changes with the call, not its prefix.
  RefreshMultiplierState();
  RecordToFields();
}

void TContestLogStd::ShowForeignDistrictFields(const std::string& call) {
  const bool shown =
      contest::TContLogAlle::IsGermanCall(call, *Catalogue) || ContestCode(*Catalogue) == 'A';
  const std::array<TkvEdit*, 3> received = {eRSTr2, eRSTr3, eRSTr4};
  const std::array<TkvEdit*, 3> sent = {eRSTs2, eRSTs3, eRSTs4};
  for (std::size_t i = 0; i < received.size(); ++i) {
    if (Definition.ExchangeKindsRcvd[i] != kKindForeignDistrict) continue;
    received[i]->SetVisible(shown);
    if (Definition.SWL != 0) sent[i]->SetVisible(shown);
  }
}

void TContestLogStd::eCallKeyDown(TComponent* sender, std::uint16_t& key,
                                  platform::qt::TShiftState /*shift*/) {
  EnterPressed = false;
  if (key != kEnterKey) return;
  EnterPressed = true;
  key = 0;
  auto* current = dynamic_cast<platform::qt::TWinControl*>(sender);
  if (current == nullptr) return;
  if (!EnterJump(*current, *eDatum, *ezeit, *eQTH, Definition.SWL != 0, *eRSTr1, *eRSTr2, *eRSTr3,
                 *eRSTr4)) {
    NextField(*current, *this, *emode, *Panel2, *panelEingabe);
  }
}

// --- leaving a field ---

void TContestLogStd::eCallExit(TComponent* sender) {
  if (sender == eCall && !CheckBandPlan()) {
    common::Service<common::ToMessages>::Get().Hinweis(
        "Contest", "Frequenzbereich verlassen",
        "Bitte beachten Sie die Bandplanempfehlungen in der Contest-Ausschreibung.", false);
  }
  FieldExit(sender);
}

void TContestLogStd::FieldExit(TComponent* sender) {
  const bool warned = FieldsToRecord(dynamic_cast<const TControl*>(sender));
  // The save check runs before Enter is looked at: its notices come also without Enter.
  const auto saves_when = [this](bool rest_hidden) {
    const bool can_save = CanSaveQso();
    return can_save && EnterPressed && rest_hidden;
  };
  bool save = false;
  if (sender == eCall) {
    CheckDupe();
    RefreshMultiplierState();
    AfterCallEntered();
    save =
        saves_when(AllHidden({eQTH, eRSTr1, eRSTr2, eRSTr3, eRSTr4, ezeit}) && Definition.SWL == 0);
  } else if (sender == eRSTr2) {
    RefreshMultiplierState();
    save = saves_when(AllHidden({eQTH, eRSTr3, eRSTr4, ezeit}));
  } else if (sender == eRSTr3) {
    RefreshMultiplierState();
    save = saves_when(AllHidden({eQTH, eRSTr4, ezeit}));
  } else if (sender == eRSTr4) {
    RefreshMultiplierState();
    save = saves_when(AllHidden({eQTH, ezeit}));
  } else if (sender == ezeit || sender == eDatum || sender == eQTH) {
    save = saves_when(true);
  } else if (sender == eFreq) {
    FrequencyToBand();
  }
  if (save) btnSpeichernaClick(nullptr);
  RecordToFields();
  EnterPressed = false;
  // What was warned about is corrected where it stands, unless the QSO went into the log.
  if (auto* field = dynamic_cast<TkvEdit*>(sender);
      warned && !save && field != nullptr && field->CanFocus()) {
    field->SetFocus();
    field->SelectAll();
  }
}

void TContestLogStd::FrequencyToBand() {
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  contest::TContestLKRec qso = EntryRecord(*this);
  const double frequency = bands.CheckFreq(qso.Frequency, false);
  const logbook::BandCode band = bands.Freq2Band(frequency);
  const auto band_frequency = [&] {
    const char mode_class =
        common::Service<logbook::ToModi>::Get().ModeClass(common::Trim(CurrentMode.str()));
    qso = EntryRecord(*this);
    qso.Frequency = static_cast<float>(bands.BandMode2Freq(CurrentBand, mode_class));
    SetEntryRecord(*this, qso);
  };
  if (band == logbook::kNoBand) {
    band_frequency();
    return;
  }
  qso.Frequency = static_cast<float>(frequency);
  SetEntryRecord(*this, qso);
  // A band the window cannot switch to leaves no frequency of it on the entry.
  if (band != CurrentBand && !SwitchBand(band)) band_frequency();
}

void TContestLogStd::CheckDupe() {
  contest::TContestLKRec qso = EntryRecord(*this);
  const std::string call = qso.Call.str();
  if (call.empty()) {
    DupeCheck = {};
  } else if (!DupeCheck.Checked(qso)) {
    // A verdict on another call, band or mode says nothing about this one.
    if (lqsopartner->Caption() == kNotChecked || lqsopartner->Caption() == kAlreadyWorked) {
      lqsopartner->SetCaption("QSO-Partner");
    }
    qso.NoPoints = 0;
    SetEntryRecord(*this, qso);
    // A log whose repair was declined is not asked about while the operator types: the call
    // stays unchecked, which the window shows, and the save asks.
    DupeCheck = {call, qso.Bandcode, qso.Mode.str(), !LogTable->RepairDeclined(), false};
    if (DupeCheck.ran) CheckNewCall(call);
    // Declined while the rules read the log: they found nothing, which says nothing. (A call
    // the rules refused is gone with its entry.)
    if (DupeCheck.call == call && LogTable->RepairDeclined()) DupeCheck.ran = false;
    if (DupeCheck.LeftUnchecked(EntryRecord(*this))) ShowCallNotChecked();
  } else if (DupeCheck.kept_without_points) {
    // Typed away and back: the rules do not run again, but their verdict still holds.
    qso.NoPoints = kKeptWithoutPoints;
    SetEntryRecord(*this, qso);
  }
  // The prefix is looked up on every exit; an unknown one is told each time.
  qso = EntryRecord(*this);
  if (qso.PrefixLock == 0 &&
      !PrefixData(*LogTable, *Catalogue, PointsRoutine(), PrefixLookup, Definition)) {
    common::Service<common::ToMessages>::Get().Achtung(
        "", common::LangText("Präfix unbekannt", "prefix not found"));
  }
}

void TContestLogStd::CheckNewCall(const std::string& call) {
  DupeFlag = true;
  contest::TContestLKRec qso = EntryRecord(*this);
  {
    // An earlier QSO with the station lends its name and QTH to an entry without them.
    contest::TdbContest earlier(contest::kTableLK, LogNumber);
    if (earlier.FindCall(call) &&
        common::Trim(common::ReplaceChar(qso.NameQth.str(), ';', ' ')).empty()) {
      contest::TContestLKRec found{};
      earlier.GetLKRec(found);
      qso.NameQth = found.NameQth.str();
      SetEntryRecord(*this, qso);
    }
  }
  lqsopartner->Font().SetColor(leCall->Font().Color());
  const DupeVerdict verdict = RunDupeRules(*this, true);
  if (verdict == DupeVerdict::kRefused) {
    DupeFlag = false;
    qso = EntryRecord(*this);
    qso.Call = "";
    contest::TContestFkt::SetRcvdExchange(
        common::LeftStr(contest::TContestFkt::RcvdExchangeText(qso), 3), qso);
    SetEntryRecord(*this, qso);
    RefreshMultiplierState();
    NameText = "";
    QthText = "";
    btnCleara->Click();
    return;
  }
  if (verdict == DupeVerdict::kWithoutPoints) {
    lqsopartner->SetCaption(kAlreadyWorked);
    lqsopartner->Font().SetColor(platform::qt::clRed);
    DupeCheck.kept_without_points = true;
    qso = EntryRecord(*this);
    qso.NoPoints = kKeptWithoutPoints;
    SetEntryRecord(*this, qso);
  }
  std::string name;
  std::string qth;
  LookupNameQth(call, name, kNameTextLength, qth, kNameTextLength);
  NameText = name;
  QthText = qth;
  if (name.empty()) return;
  const bool worked = lqsopartner->Caption() == kAlreadyWorked;
  lcallname->SetVisible(!worked);
  lqsopartner->SetVisible(worked);
}

void TContestLogStd::ShowCallNotChecked() {
  lqsopartner->SetCaption(kNotChecked);
  lqsopartner->Font().SetColor(platform::qt::clRed);
  lqsopartner->SetVisible(true);
  lcallname->SetVisible(false);
}

void TContestLogStd::RefreshMultiplierState() { EvaluateEntryMultipliers(); }

void TContestLogStd::AfterCallEntered() {
  FieldsToRecord();
  const char code = ContestCode(*Catalogue);
  const bool locator_off_band = LocatorOffBand(code, CurrentBand);
  std::string locator;
  // Off the VHF and UHF bands 'J' takes no locator from the call database.
  const std::int32_t second_kind = Definition.ExchangeKindsRcvd[1];
  if (locator_off_band) Definition.ExchangeKindsRcvd[1] = 0;
  Service->PrefillExchange(Definition, *Catalogue, locator, *LogTable);
  Definition.ExchangeKindsRcvd[1] = second_kind;
  RefreshMultiplierState();
  RecordToFields();
  bool locator_contest = false;
  for (std::int32_t kind : Definition.ExchangeKindsRcvd) locator_contest |= IsLocatorKind(kind);
  if (locator_contest && !locator_off_band) ShowBearing(locator, "ContStd2");
}

void TContestLogStd::ShowBearing(const std::string& locator, const char* caller) {
  lbeam->SetCaption("");
  double bearing = 0;
  if (locator.size() >= kShortestBearingLocator) {
    const std::string own = common::Service<logbook::ToSetups>::Get().GetOwnStation().own_locator;
    double distance = 0;
    if (!logbook::ToLocator::QRB(own, locator, caller, bearing, distance)) bearing = 0;
  }
  if (bearing > 0) lbeam->SetCaption(BearingText(bearing));
  ShowControls({lebeam, lbeam}, bearing > 0);
}

// --- typing an exchange ---

void TContestLogStd::eRSTr2Change(TComponent* sender) {
  if (ShowingRecord) return;
  FieldsToRecord();
  contest::TContestLKRec qso = EntryRecord(*this);
  if (qso.Call.empty()) {
    PlaceholderCall = true;
    qso.Call = kPlaceholderCall;
    SetEntryRecord(*this, qso);
    RefreshMultiplierState();
    qso = EntryRecord(*this);
    qso.Call = "";
    SetEntryRecord(*this, qso);
    PlaceholderCall = false;
  }

  const bool listener = Definition.SWL != 0;
  const std::array<TkvEdit*, 3> received = listener
                                               ? std::array<TkvEdit*, 3>{eRSTs2, eRSTs3, eRSTs4}
                                               : std::array<TkvEdit*, 3>{eRSTr2, eRSTr3, eRSTr4};
  lbeam->SetCaption("");
  for (std::size_t i = 0; i < received.size(); ++i) {
    if (sender == received[i] && Definition.ExchangeKindsRcvd[i] == kKindSquare &&
        received[i]->GetStr().size() >= kShortestBearingLocator) {
      ShowBearing(received[i]->GetStr(), "ContStd4");
    }
  }
  TypedNameToRecord({received[0]->GetStr(), received[1]->GetStr(), received[2]->GetStr()});
  RecordToFields();
}

void TContestLogStd::TypedNameToRecord(const std::array<std::string, 3>& texts) {
  if (NameChanging) return;
  const auto& kinds = Definition.ExchangeKindsRcvd;
  std::string name;
  if (kinds[0] == kKindName) {
    name = texts[0];
    if (kinds[1] == kKindDok)
      name = common::LeftStr(name, NameRoom(Definition, texts[1], texts[2]));
  } else if (kinds[1] == kKindName) {
    name = texts[1];
    if (kinds[0] == kKindSquare) {
      name = common::LeftStr(name, kNameAndDokRoom - static_cast<int>(texts[0].size()));
    }
  } else {
    return;
  }
  NameText = name;
  contest::TContestLKRec qso = EntryRecord(*this);
  qso.NameQth = common::LeftStr(NameText.str() + ";" + QthPart(qso.NameQth.str()), kNameQthLength);
  SetEntryRecord(*this, qso);
}

// --- the record ---

bool TContestLogStd::FieldsToRecord(const TControl* told) {
  return contestlog::FieldsToRecord(*this, ReadEntryFields(told));
}

EntryFieldTexts TContestLogStd::ReadEntryFields(const TControl* told) {
  // The date and time fields are completed where they stand, as the operator sees them.
  const std::string date = common::CompleteDateText(eDatum->Text());
  if (date != eDatum->Text()) eDatum->SetStr(date);
  const std::string time = common::CompleteTimeText(ezeit->Text());
  if (time != ezeit->Text()) ezeit->SetStr(time);

  EntryFieldTexts fields;
  fields.call = eCall->GetStr();
  fields.call2 = eCall2->GetStr();
  fields.date = eDatum->GetStr();
  fields.time = ezeit->GetStr();
  fields.frequency = eFreq->GetStr();
  fields.mode_typed = emode->Visible();
  fields.typed_mode = emode->GetStr();
  fields.name = eName->GetStr();
  fields.qth = eQTH->GetStr();
  fields.name_usable = eName->CanFocus();
  fields.qth_usable = eQTH->CanFocus();
  const std::array<TkvEdit*, 4> received = {eRSTr1, eRSTr2, eRSTr3, eRSTr4};
  const std::array<TkvEdit*, 4> sent = {eRSTs1, eRSTs2, eRSTs3, eRSTs4};
  const bool listener = Definition.SWL != 0;
  for (std::size_t i = 0; i < received.size(); ++i) {
    fields.received_row[i] = received[i]->GetStr();
    fields.sent_row[i] = sent[i]->GetStr();
    if (i == 0) continue;
    // A listener log stores the eRSTs row as the received one; either field of a slot counts.
    if (told != nullptr && (told == received[i] || (listener && told == sent[i]))) {
      fields.told_field = static_cast<int>(i) + 1;
    }
  }
  return fields;
}

bool TContestLogStd::CanSaveQso() { return contestlog::CanSaveQso(*this); }

bool TContestLogStd::CheckBandPlan() {
  return contestlog::CheckBandPlan(ContestCode(*Catalogue), CurrentMode.str(), CurrentBand,
                                   common::StrToReal(eFreq->GetStr()));
}

bool TContestLogStd::ReceivedField2Used() const {
  return Definition.ExchangeKindsRcvd[0] != 0 || !Definition.SentDefaults[0].empty();
}

}  // namespace contestlog
