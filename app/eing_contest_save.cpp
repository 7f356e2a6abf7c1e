// The save of the contest setup form: the checks in their order, the records and settings
// filled from the form, the write of the two records and the station memo.
#include <string>

#include "app/eing_contest_ctrl.h"
#include "app/eing_contest_extras.h"
#include "common/date_completion.h"
#include "common/date_mask.h"
#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/text_file_writer.h"
#include "common/to_dates.h"
#include "logbook/settings/own_station_texts.h"
#include "logbook/settings/setups.h"
#include "output/station_file.h"

namespace app {
namespace {

using common::Service;

constexpr std::uint8_t kYes = 255;

std::string Text(const FieldView& field) { return common::Trim(field.text); }

std::uint8_t Flag(bool on) { return on ? kYes : 0; }

common::ToMessages& Messages() { return Service<common::ToMessages>::Get(); }

// Gives the field of a failed check the mark colour.
void Mark(EingFocus field, EingContestView& view) {
  switch (field) {
    case EingFocus::eName:
      view.eName.marked = true;
      break;
    case EingFocus::eDatumvon:
      view.eDatumvon.marked = true;
      break;
    case EingFocus::eDatumbis:
      view.eDatumbis.marked = true;
      break;
    case EingFocus::eCall_:
      view.eCall_.marked = true;
      break;
    case EingFocus::eDOK:
      view.eDOK.marked = true;
      break;
    case EingFocus::eLoc:
      view.eLoc.marked = true;
      break;
    case EingFocus::ePLZ:
      view.ePLZ.marked = true;
      break;
    case EingFocus::eEMail:
      view.eEMail.marked = true;
      break;
    case EingFocus::eJahre:
      view.eJahre.marked = true;
      break;
    case EingFocus::memoStation:
      view.memoStation.marked = true;
      break;
    case EingFocus::groupZeit:
      view.groupZeit.marked = true;
      break;
    case EingFocus::eteilnahmeart:
      view.eteilnahmeart.marked = true;
      break;
    default:
      break;
  }
}

// A yes/no question about a missing value; no marks the field and ends the save.
bool GoOnWithout(EingFocus field, const char* question, EingContestView& view) {
  if (Messages().JaNeinFrage("Contest", "", question, true)) return true;
  Mark(field, view);
  view.focus = field;
  return false;
}

}  // namespace

bool TEingContestCtrl::Refuse(EingFocus field, const char* text, EingContestView& view) {
  Mark(field, view);
  Messages().Achtung("", text);
  view.focus = field;
  return false;
}

void TEingContestCtrl::Save(SaveSender sender, EingContestView& view) {
  SaveSteps(sender, view);
  // What the steps put into the settings (own call, station, clock) is written at once, also
  // when a later check stopped the save: a crash must not take it.
  Service<logbook::ToSetups>::Get().Keep();
}

void TEingContestCtrl::SaveSteps(SaveSender sender, EingContestView& view) {
  if (!CheckRequiredFields(sender, view)) return;
  const std::string dok = common::UpperCase(WithoutBlanks(view.eDOK.text));
  const std::string call = common::UpperCase(Text(view.eCall_));
  log_.OwnCall = common::LeftStr(call, 12);
  Service<logbook::ToSetups>::Get().SetOwnCall(call);
  if (DokFieldIsLdk()) {
    log_.OwnLDK = common::LeftStr(dok, 3);
  } else {
    log_.OwnDOK = common::LeftStr(dok, 6);
  }
  if (!AskForMissingDistrict(sender, view)) return;
  StoreStation(sender, view);
  if (!StoreDatesAndTimes(sender, view)) return;
  if (sender != SaveSender::kNone && view.rZeitOrt.enabled && view.rZeitUTC.enabled &&
      !view.rZeitOrt.checked && !view.rZeitUTC.checked) {
    Refuse(EingFocus::groupZeit, kClockNotChosen, view);
    return;
  }
  if (!StoreOptions(sender, view)) return;
  Service<common::ToDates>::Get().SetUtcHourOffset(
      view.rZeitUTC.checked ? 0 : definition_.UtcOffsetHours);
  log_.ModeSSB = Flag(view.rssb.checked);
  log_.ModeFM = Flag(view.rFM.checked);
  log_.ModePR = Flag(view.rPR.checked);
  PutBack();
  if (!StoreExtraData(sender, view)) return;
  if (sender == SaveSender::kStart && code_ == 'p' && log_.ClassIndex != 0 &&
      log_.ClassIndex != 4 && Text(view.eJahre).empty()) {
    if (!Messages().JaNeinFrage("Contest", "",
                                "Sie haben keine DSW- bzw. Paddel-Nummer eingegeben. Trotzdem "
                                "fortsetzen?",
                                true)) {
      view.focus = EingFocus::eJahre;
      return;
    }
  }
  if (WriteRecords()) {
    if (sender == SaveSender::kStart) view.modal_result = 1;
    if (sender == SaveSender::kOK) view.modal_result = 2;
  } else {
    Messages().Fehler(kWriteFailed);
  }
  SaveMemo(view);
  RefreshBandwertung(view);
}

bool TEingContestCtrl::CheckRequiredFields(SaveSender sender, EingContestView& view) {
  if (sender == SaveSender::kNone) return true;
  if (Text(view.eName).empty()) {
    return Refuse(EingFocus::eName, "Eingabe eines Contest-Namens notwendig.", view);
  }
  if (Text(view.ePLZ).empty()) {
    return Refuse(EingFocus::ePLZ, "Angabe der Postleitzahl und des Ortes notwendig.", view);
  }
  // Output menu item 9: the contest asks for a Cabrillo file, which states the e-mail address.
  if (Text(view.eEMail).empty() && definition_.OutputMenu.test(9)) {
    return Refuse(EingFocus::eEMail, "Angabe der EMail-Adresse notwendig.", view);
  }
  const auto locator_kind = [](std::int32_t kind) { return kind == 5 || kind == 6; };
  if (Text(view.eLoc).empty() && (locator_kind(definition_.ExchangeKindsSent[0]) ||
                                  locator_kind(definition_.ExchangeKindsSent[1]))) {
    return Refuse(EingFocus::eLoc, "Angabe des Standortlocators notwendig.", view);
  }
  return true;
}

bool TEingContestCtrl::AskForMissingDistrict(SaveSender sender, EingContestView& view) {
  if (sender == SaveSender::kNone) return true;
  const bool dok_empty = WithoutBlanks(view.eDOK.text).empty();
  const contest::ContestSet& kinds = definition_.MultiplierKinds;
  if (dok_empty && review_flag_ == 0 && kinds.test(4) && !kinds.test(8) && !kinds.test(17) &&
      code_ != 'z' && !GoOnWithout(EingFocus::eDOK, "Kein DOK angegeben. Trotzdem weiter?", view)) {
    return false;
  }
  if (code_ == 'z' && view.rZusatz2[0].checked && dok_empty && review_flag_ == 0 &&
      !GoOnWithout(EingFocus::eDOK, "Kein Kanton angegeben. Trotzdem weiter?", view)) {
    return false;
  }
  if (DokFieldIsLdk() && dok_empty &&
      !GoOnWithout(EingFocus::eDOK, "Kein LDK angegeben. Trotzdem weiter?", view)) {
    return false;
  }
  if (Text(view.eCall_).empty() && Text(view.eSWL).empty()) {
    return Refuse(EingFocus::eCall_, "Eingabe des Rufzeichens notwendig.", view);
  }
  return true;
}

void TEingContestCtrl::StoreStation(SaveSender sender, const EingContestView& view) {
  logbook::ToSetups& settings = Service<logbook::ToSetups>::Get();
  logbook::ToSetupOwnStation own = settings.GetOwnStation();
  logbook::OwnStationTexts texts = logbook::OwnStationTextsOf(own);
  const std::string locator = common::UpperCase(Text(view.eLoc));
  own.own_locator = locator;
  texts.swl_number = Text(view.eSWL);
  texts.name = Text(view.ecname);
  texts.street = Text(view.eStrasse);
  texts.city = common::LeftStr(Text(view.ePLZ) + " " + Text(view.eOrt), 50);
  texts.country = Text(view.eLand);
  texts.email = Text(view.eEMail);
  const std::string dok = common::UpperCase(WithoutBlanks(view.eDOK.text));
  if (code_ == '4' || DokFieldIsLdk()) {
    texts.ldk = common::LeftStr(dok, 3);
  } else {
    texts.dok = common::LeftStr(dok, 10);
  }
  logbook::SetOwnStationTexts(texts, own);
  settings.SetOwnStation(own);

  const std::string postcode = Text(view.ePLZ);
  log_.OwnPostalCode = common::LeftStr(postcode.substr(0, postcode.find(' ')), 5);
  // The log's outputs state the locator of its record: the one the form shows is the one kept.
  log_.OwnLocator = common::LeftStr(locator, 6);

  if (sender == SaveSender::kDruck &&
      (texts.name.empty() || texts.street.empty() || Text(view.eOrt).empty())) {
    Messages().Achtung("", "Die Adress-Angaben sind nicht vollständig.");
  }
}

bool TEingContestCtrl::StoreDatesAndTimes(SaveSender sender, EingContestView& view) {
  constexpr const char* kNoDate = "Eingabe eines Contest-Datums notwendig.";
  view.eDatumvon.text = common::CompleteDateText(view.eDatumvon.text);
  view.eDatumbis.text = common::CompleteDateText(view.eDatumbis.text);
  view.eZeitvon.text = common::CompleteTimeText(view.eZeitvon.text);
  view.eZeitbis.text = common::CompleteTimeText(view.eZeitbis.text);
  const std::int32_t from = common::DateStringToDate(view.eDatumvon.text, "dd.mm.yyyy");
  const std::int32_t to = common::DateStringToDate(view.eDatumbis.text, "dd.mm.yyyy");
  if (sender != SaveSender::kNone && from < 1) return Refuse(EingFocus::eDatumvon, kNoDate, view);
  if (sender != SaveSender::kNone && to < 1) return Refuse(EingFocus::eDatumbis, kNoDate, view);
  const std::int32_t time_from = common::TimeStringToTime(view.eZeitvon.text, "hh:mm");
  const std::int32_t time_to = common::TimeStringToTime(view.eZeitbis.text, "hh:mm");
  // A field without a valid value stores none (0), as a new log has.
  log_.DatumVon = from > 0 ? from : 0;
  log_.DatumBis = to > 0 ? to : 0;
  log_.ZeitVon = time_from > 0 ? time_from : 0;
  log_.ZeitBis = time_to > 0 ? time_to : 0;
  return true;
}

bool TEingContestCtrl::StoreOptions(SaveSender sender, EingContestView& view) {
  std::string name = common::LeftStr(Text(view.eName), 25);
  if (!name.empty()) name = common::UpperCase(name.substr(0, 1)) + name.substr(1);
  log_.Name = name;
  log_.DatumAuto = Flag(view.edatumauto.checked);
  log_.ZeitAuto = Flag(view.ezeitauto.checked);
  log_.BandAuto = Flag(view.eBandauto.checked);
  // The record keeps "not fixed".
  log_.RstSentFree = Flag(!view.eaktrsts.checked);
  log_.RstRcvdFree = Flag(!view.eaktrstr.checked);
  log_.QslSentChar = common::FirstChar(common::UpperCase(Text(view.eQSLw)));
  log_.QslRcvdChar = common::FirstChar(common::UpperCase(Text(view.eqslr)));
  log_.PrefixMenu = Flag(view.cPrefixmenue.checked);
  data_.RstsNichtSperren = Flag(view.crstsnichtsperren.checked);
  data_.DoppelQsoEintragen = Flag(view.cdoppelqso.checked);
  const ChoiceView& choice = view.eteilnahmeart;
  if (sender != SaveSender::kNone && choice.enabled && choice.index < 0) {
    return Refuse(EingFocus::eteilnahmeart, "Sie haben keine Teilnahmeart angegeben.", view);
  }
  const bool chosen = choice.index >= 0 && choice.index < static_cast<int>(class_slots_.size());
  log_.ClassIndex =
      static_cast<std::uint8_t>(chosen ? class_slots_[static_cast<std::size_t>(choice.index)] + 1
                                       : 0);
  return true;
}

bool TEingContestCtrl::StoreExtraData(SaveSender sender, EingContestView& view) {
  const ExtraCheck check = StoreExtras(code_, view, log_.ClassIndex, log_);
  PutBack();
  if (sender == SaveSender::kNone || check.warning.empty()) return true;
  if (check.ends_save) return Refuse(check.focus, check.warning.c_str(), view);
  Messages().Achtung("", check.warning);
  return true;
}

bool TEingContestCtrl::WriteRecords() {
  PutBack();
  if (edit_flag_ != 0) {
    if (!writer_->Update(catalogue_)) return false;
  } else {
    // Only a log the table took is one the next save may update.
    if (!writer_->Insert(catalogue_)) return false;
    catalogue_.GetKKRec(log_);
    edit_flag_ = 1;
  }
  const std::uint8_t rsts = data_.RstsNichtSperren;
  const std::uint8_t doppel = data_.DoppelQsoEintragen;
  if (contest_data_.FindByNummer(log_.Nummer)) {
    // The record as stored, with the tallies the log window wrote.
    contest_data_.GetKZRec(data_);
    data_.RstsNichtSperren = rsts;
    data_.DoppelQsoEintragen = doppel;
    contest_data_.SetKZRec(data_);
    return writer_->Update(contest_data_);
  }
  data_ = {};
  data_.Nummer = log_.Nummer;
  data_.RstsNichtSperren = rsts;
  data_.DoppelQsoEintragen = doppel;
  contest_data_.ClearRec();
  contest_data_.SetKZRec(data_);
  return writer_->Insert(contest_data_);
}

void TEingContestCtrl::SaveMemo(EingContestView& view) const {
  if (log_.Nummer <= 0 || output::StationFilePrefix(code_).empty()) return;
  if (SaveStationMemo(code_, log_.Nummer, view.memoStation.text)) return;
  // The form stays open, so that the text is not lost.
  view.modal_result = 0;
  Messages().Fehler(common::NotWrittenText(
      output::StationFileName(code_, static_cast<std::uint32_t>(log_.Nummer))));
}

}  // namespace app
