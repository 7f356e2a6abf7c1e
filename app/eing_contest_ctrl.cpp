// The contest setup form's controller: creation and the events of its controls. The save is in
// eing_contest_save.cpp.
#include "app/eing_contest_ctrl.h"

#include <algorithm>
#include <utility>

#include "app/eing_contest_extras.h"
#include "app/score_panel.h"
#include "common/date_completion.h"
#include "common/date_mask.h"
#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/own_station_texts.h"
#include "logbook/settings/setups.h"

namespace app {
namespace {

using common::Service;

constexpr const char* kDateMask = "dd.mm.yyyy";
constexpr const char* kTimeMask = "hh:mm";
constexpr int kTwoColumnsAbove = 7;

std::string DateText(std::int32_t date) {
  return date > 0 ? common::DateToDateString(date, kDateMask, {}) : std::string();
}

std::string TimeText(std::int32_t time) {
  return time >= 0 && time < 86400 ? common::TimeToTimeString(time, kTimeMask, {})
                                   : std::string();
}

// A definition's date ("dd.mm.yyyy") or time ("hh:mm:ss" or "hh:mm") text as a value; 0 when it
// gives none, as a record that has none.
std::int32_t DefaultDate(const contest::ContestText& text) {
  const std::int32_t date = common::DateStringToDate(text.str(), kDateMask);
  return date > 0 ? date : 0;
}

std::int32_t DefaultTime(const contest::ContestText& text) {
  std::int32_t time = common::TimeStringToTime(text.str(), "hh:mm:ss");
  if (time < 0) time = common::TimeStringToTime(text.str(), kTimeMask);
  return time > 0 ? time : 0;
}

// A period's time "hh:mm:ss" as the time fields show it.
std::string PeriodTimeText(const contest::ContestText& text) {
  const std::int32_t time = common::TimeStringToTime(text.str(), "hh:mm:ss");
  return time >= 0 ? TimeText(time) : text.str();
}

// Band automation follows the contest's band periods: the box is offered when the contest has
// periods, and shown when a period names its bands.
bool HasPeriods(const contest::TContestRec& d) {
  return std::any_of(d.Periods.begin(), d.Periods.end(),
                     [](const contest::TContestPeriod& p) { return !p.PeriodDate.empty(); });
}

bool PeriodsNameBands(const contest::TContestRec& d) {
  return std::any_of(d.Periods.begin(), d.Periods.end(), [](const contest::TContestPeriod& p) {
    return !p.PeriodDate.empty() && p.PeriodBands[0] != 0;
  });
}

std::uint8_t TimeBit(TimeField field) {
  return static_cast<std::uint8_t>(1u << static_cast<int>(field));
}

// The field of each bit of catalogue byte 374.
constexpr FieldView EingContestView::*kTimeFields[] = {
    &EingContestView::eDatumvon, &EingContestView::eDatumbis, &EingContestView::eZeitvon,
    &EingContestView::eZeitbis};

FieldView& TimeFieldView(TimeField field, EingContestView& view) {
  return view.*kTimeFields[static_cast<std::size_t>(field)];
}

const FieldView& TimeFieldView(TimeField field, const EingContestView& view) {
  return view.*kTimeFields[static_cast<std::size_t>(field)];
}

}  // namespace

TEingContestCtrl::TEingContestCtrl(char code, int edit_flag, int review_flag,
                                   contest::TdbContest& catalogue,
                                   contest::TdbContest& contest_data,
                                   contest::TContestRec& definition)
    : code_(code),
      edit_flag_(static_cast<std::uint8_t>(edit_flag)),
      review_flag_(static_cast<std::uint8_t>(review_flag)),
      catalogue_(catalogue),
      contest_data_(contest_data),
      definition_(definition),
      writer_(std::make_unique<EingContestWriter>()) {}

TEingContestCtrl::~TEingContestCtrl() = default;

void TEingContestCtrl::SetWriter(std::unique_ptr<EingContestWriter> writer) {
  writer_ = writer != nullptr ? std::move(writer) : std::make_unique<EingContestWriter>();
}

void TEingContestCtrl::FormCreate(EingContestView& view) {
  MakeOrReadRecords();
  DefaultDatesAndTimes();
  if (code_ == 'A') view.leDOK.caption = "LDK";
  ShowRecord(view);
  if (edit_flag_ != 0) {
    const bool local = Service<common::ToDates>::Get().UtcHourOffset() != 0;
    view.rZeitOrt.checked = local;
    view.rZeitUTC.checked = !local;
  }
  ShowCategories(view);
  ShowStartMode(view);
  if (log_.AutoSwitchesOff != 0) {
    view.edatumauto.enabled = false;
    view.ezeitauto.enabled = false;
    view.eBandauto.enabled = false;
    view.eaktrsts.enabled = true;
    view.eaktrstr.enabled = true;
  }
  view.score = BuildScorePanel(code_, definition_, log_, data_);
  view.crstsnichtsperren.checked = data_.RstsNichtSperren != 0;
  view.cdoppelqso.checked = data_.DoppelQsoEintragen != 0;
  view.cwebabfrage.visible = false;
  ShowStation(view);
  ShowExtras(code_, log_, view);
  PutBack();
  ShowCaption(view);
}

void TEingContestCtrl::MakeOrReadRecords() {
  if (edit_flag_ == 0) {
    catalogue_.ClearRec();
    contest_data_.ClearRec();
    const logbook::ToSetups& settings = Service<logbook::ToSetups>::Get();
    log_ = {};
    log_.OwnLocator = common::LeftStr(settings.GetOwnStation().own_locator.str(), 6);
    log_.OwnCall = common::LeftStr(settings.GetOwnCall(false), 12);
    log_.Switch71 = 255;
    log_.Switch72 = 1;
    log_.Typ = code_;
    log_.DatumAuto = 255;
    log_.ZeitAuto = 255;
    log_.Char194 = 'D';
    log_.Switch195 = 255;
    data_ = {};
    // The definition the form was opened with came from the record the main window had
    // current; the new log's own one replaces it (its file is not written).
    PutBack();
    ReloadDefinition(false);
    return;
  }
  catalogue_.GetKKRec(log_);
  data_ = {};
  if (log_.Nummer > 0 && contest_data_.FindByNummer(log_.Nummer)) {
    contest_data_.GetKZRec(data_);
  } else {
    data_.Nummer = log_.Nummer;
  }
}

void TEingContestCtrl::DefaultDatesAndTimes() {
  if (log_.DatumVon == 0) log_.DatumVon = DefaultDate(definition_.DateFrom);
  if (log_.DatumBis == 0) log_.DatumBis = DefaultDate(definition_.DateTo);
  if (log_.ZeitVon == 0) log_.ZeitVon = DefaultTime(definition_.TimeFrom);
  if (log_.ZeitBis == 0) log_.ZeitBis = DefaultTime(definition_.TimeTo);
  PutBack();
}

void TEingContestCtrl::ShowRecord(EingContestView& view) const {
  view.eName.text = log_.Name.str();
  view.eCall_.text = log_.OwnCall.str();
  view.eCall_.enabled = true;
  view.eDOK.text = DokFieldIsLdk() ? log_.OwnLDK.str() : WithoutBlanks(log_.OwnDOK.str());
  if (definition_.MultiplierKinds.test(8)) view.leDOK.caption = "Area";
  if (definition_.MultiplierKinds.test(17)) view.leDOK.caption = "LDK";
  view.eDatumvon.text = DateText(log_.DatumVon);
  view.eDatumbis.text = DateText(log_.DatumBis);
  view.eZeitvon.text = TimeText(log_.ZeitVon);
  view.eZeitbis.text = TimeText(log_.ZeitBis);
  // The record keeps "not fixed": a ticked box is a 0 there.
  view.eaktrsts.checked = log_.RstSentFree == 0;
  view.eaktrstr.checked = log_.RstRcvdFree == 0;
  view.eaktrsts.enabled = false;
  view.eaktrstr.enabled = false;
  view.edatumauto.checked = log_.DatumAuto != 0;
  view.ezeitauto.checked = log_.ZeitAuto != 0;
  const bool band_auto = HasPeriods(definition_);
  view.eBandauto.checked = band_auto && log_.BandAuto != 0;
  view.eBandauto.visible = band_auto && PeriodsNameBands(definition_);
  view.eQSLw.text = common::CharToStr(log_.QslSentChar);
  view.eqslr.text = common::CharToStr(log_.QslRcvdChar);
  view.cPrefixmenue.checked = log_.PrefixMenu != 0;
}

void TEingContestCtrl::ShowCategories(EingContestView& view) {
  ChoiceView& choice = view.eteilnahmeart;
  choice.items.clear();
  class_slots_.clear();
  for (int slot = 0; slot < contest::kClassSlots; ++slot) {
    const contest::ContestText& text = definition_.Classes[static_cast<std::size_t>(slot)].ClassText;
    if (text.empty()) continue;
    choice.items.push_back(text.str());
    class_slots_.push_back(slot);
  }
  choice.columns = choice.items.size() > kTwoColumnsAbove ? 2 : 1;
  choice.enabled = log_.ClassIndex == 0;
  const auto stored = std::find(class_slots_.begin(), class_slots_.end(), log_.ClassIndex - 1);
  if (log_.ClassIndex > 0 && stored != class_slots_.end()) {
    choice.index = static_cast<int>(stored - class_slots_.begin());
  } else {
    choice.index = choice.items.size() == 1 ? 0 : -1;
  }
  if (choice.index < 0) return;
  // Choosing the class shows what it brings, without saving.
  filling_ = true;
  CategoryClick(view);
  filling_ = false;
}

void TEingContestCtrl::ShowStartMode(EingContestView& view) const {
  view.rssb.checked = log_.ModeSSB != 0;
  view.rFM.checked = !view.rssb.checked && log_.ModeFM != 0;
  view.rPR.checked = !view.rssb.checked && !view.rFM.checked && log_.ModePR != 0;
  view.rcw.checked = !view.rssb.checked && !view.rFM.checked && !view.rPR.checked;
}

void TEingContestCtrl::ShowStation(EingContestView& view) const {
  const logbook::ToSetupOwnStation own = Service<logbook::ToSetups>::Get().GetOwnStation();
  const logbook::OwnStationTexts texts = logbook::OwnStationTextsOf(own);
  view.ecname.text = texts.name;
  view.eStrasse.text = texts.street;
  const std::size_t blank = texts.city.find(' ');
  view.ePLZ.text = texts.city.substr(0, blank);
  view.eOrt.text = blank == std::string::npos ? std::string() : texts.city.substr(blank + 1);
  view.eLand.text = texts.country;
  view.eEMail.text = texts.email;
  view.eSWL.text = texts.swl_number;
  view.eLoc.text = log_.OwnLocator.empty() ? own.own_locator.str() : log_.OwnLocator.str();
}

void TEingContestCtrl::ShowCaption(EingContestView& view) const {
  std::string title;
  std::string picture;
  Service<contest::TContestFkt>::Get().ContestTitleAndPicture(code_, title, picture);
  if (review_flag_ != 0) {
    view.ok_is_default = true;
    view.focus = EingFocus::btnOK;
    view.btnstart_visible = false;
    view.btnAbbruch_visible = false;
    view.caption = title;
    return;
  }
  view.caption = title + "  Contest-Konfiguration";
}

void TEingContestCtrl::CategoryClick(EingContestView& view) {
  if (!filling_) Save(SaveSender::kNone, view);
  view.eteilnahmeart.marked = false;
  RefreshBandwertung(view);
  if (code_ == 'W' && definition_.SWL != 0) {
    Service<common::ToMessages>::Get().Hinweis(
        "WAG-Contest", "SWL-Mode",
        "Bei diesem Contest können SWL-QSOs geloggt werden. Die Multiplikator-Berechnung erfolgt "
        "jedoch nicht mit dem Programm, sondern durch die Auswertesoftware des Veranstalters.",
        false);
  }
  EnableModes(view);
  PutClassPeriod(view);
}

void TEingContestCtrl::EnableModes(EingContestView& view) const {
  for (BoxView* box : {&view.rcw, &view.rssb, &view.rFM, &view.rPR}) box->enabled = false;
  for (const contest::ContestText& slot : definition_.Modes) {
    const std::string mode = common::UpperCase(common::Trim(slot.str()));
    if (mode == "CW") view.rcw.enabled = true;
    if (mode == "SSB") view.rssb.enabled = true;
    if (mode == "FM") view.rFM.enabled = true;
    if (mode == "PR" || mode == "DIGITAL" || mode == "FSK441" || mode == "RTTY") {
      view.rPR.enabled = true;
      view.rPR.caption = mode == "DIGITAL" ? std::string("DIGI") : mode;
    }
  }
  for (BoxView* box : {&view.rcw, &view.rssb, &view.rFM, &view.rPR}) {
    if (!box->enabled) box->checked = false;
  }
}

void TEingContestCtrl::PutClassPeriod(EingContestView& view) const {
  const int index = view.eteilnahmeart.index;
  if (index < 0 || index >= static_cast<int>(class_slots_.size())) return;
  const int section =
      definition_.Classes[static_cast<std::size_t>(class_slots_[static_cast<std::size_t>(index)])]
          .ClassSection;
  if (section < 1 || section > contest::kPeriodSlots) return;
  const contest::TContestPeriod& period = definition_.Periods[static_cast<std::size_t>(section - 1)];
  if (period.PeriodDate.empty()) return;
  const std::string from = period.PeriodDate.str();
  const std::string to = period.PeriodSpare.empty() ? from : period.PeriodSpare.str();
  const std::pair<TimeField, std::string> texts[] = {
      {TimeField::kDatumvon, from},
      {TimeField::kDatumbis, to},
      {TimeField::kZeitvon, PeriodTimeText(period.PeriodTimeFrom)},
      {TimeField::kZeitbis, PeriodTimeText(period.PeriodTimeTo)}};
  for (const auto& [field, text] : texts) {
    if ((log_.HandEdited & TimeBit(field)) == 0) TimeFieldView(field, view).text = text;
  }
}

void TEingContestCtrl::TimeFieldEnter(TimeField field, const EingContestView& view) {
  kept_[static_cast<std::size_t>(field)] = TimeFieldView(field, view).text;
}

void TEingContestCtrl::TimeFieldExit(TimeField field, EingContestView& view) {
  FieldView& f = TimeFieldView(field, view);
  const bool date = field == TimeField::kDatumvon || field == TimeField::kDatumbis;
  f.text = date ? common::CompleteDateText(f.text) : common::CompleteTimeText(f.text);
  if (f.text != kept_[static_cast<std::size_t>(field)]) {
    log_.HandEdited = static_cast<std::uint8_t>(log_.HandEdited | TimeBit(field));
    PutBack();
  }
}

void TEingContestCtrl::FieldChange(EingFocus field, EingContestView& view) {
  switch (field) {
    case EingFocus::eName:
      view.eName.marked = false;
      break;
    case EingFocus::eDatumvon:
      view.eDatumvon.marked = false;
      break;
    case EingFocus::eDatumbis:
      view.eDatumbis.marked = false;
      break;
    case EingFocus::eCall_:
      view.eCall_.marked = false;
      break;
    case EingFocus::eLoc:
      view.eLoc.marked = false;
      break;
    case EingFocus::ePLZ:
      view.ePLZ.marked = false;
      break;
    case EingFocus::eEMail:
      view.eEMail.marked = false;
      break;
    case EingFocus::eJahre:
      view.eJahre.marked = false;
      break;
    case EingFocus::memoStation:
      view.memoStation.marked = false;
      break;
    case EingFocus::eDOK:
      view.eDOK.marked = false;
      if (code_ == 'U') {
        log_.OwnDOK = common::LeftStr(WithoutBlanks(view.eDOK.text), 6);
        AnswerDistrictQuestion(log_.OwnDOK.str(), log_, view);
        PutBack();
      }
      break;
    default:
      break;
  }
}

void TEingContestCtrl::ClockClick(EingContestView& view) { view.groupZeit.marked = false; }

void TEingContestCtrl::CallExit(EingContestView& view) {
  if ((code_ != '7' && code_ != 'f' && code_ != 'w') || log_.OperatorNumber != 0) return;
  const std::string call = common::UpperCase(common::Trim(view.eCall_.text));
  const std::string base = Service<logbook::ToPrefix>::Get().GetPrefix(call);
  if (base.empty()) return;
  logbook::TdbCall calls(logbook::kCallData);
  if (!calls.FindCall(base)) return;
  std::string number = common::Trim(code_ == '7' ? calls.GetDIG() : calls.GetAGCW());
  if (number.empty() || common::UpperCase(number) == "NM") number = "0";
  if (common::Trim(view.eJahre.text) == "0") view.eJahre.text = number;
}

void TEingContestCtrl::Escape(EingContestView& view) {
  if (Service<common::ToMessages>::Get().JaNeinFrage("Contest", "", "Änderungen übernehmen?",
                                                      true)) {
    Save(SaveSender::kOK, view);
    return;
  }
  view.modal_result = 2;
}

void TEingContestCtrl::Cancel(EingContestView& view) { view.modal_result = 2; }

void TEingContestCtrl::RefreshBandwertung(EingContestView& view) {
  PutBack();
  ReloadDefinition(true);
  view.score = BuildScorePanel(code_, definition_, log_, data_);
}

void TEingContestCtrl::PutBack() { catalogue_.SetKKRec(log_); }

void TEingContestCtrl::ReloadDefinition(bool update_file) {
  Service<contest::TContestFkt>::Get().LoadContestDefinition(definition_, catalogue_, code_,
                                                             update_file);
  // The loader writes its own switches into the record.
  catalogue_.GetKKRec(log_);
}

bool TEingContestCtrl::DokFieldIsLdk() const {
  return code_ == 'A' || definition_.MultiplierKinds.test(17);
}

}  // namespace app
