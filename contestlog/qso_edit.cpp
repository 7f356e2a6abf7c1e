// Loading and saving the QSO of the edit dialog (contestlog/qso_edit.h).
#include "contestlog/qso_edit.h"

#include <algorithm>
#include <cctype>

#include "common/date_mask.h"
#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/rule_helpers.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_lock.h"
#include "contestlog/station_data.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/locator.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contest::TContLogAlle;

constexpr const char* kDateMask = "dd.mm.yyyy";
constexpr const char* kTimeMask = "hh:mm";
// Reads "hh:mm" as hh:mm:00, and a time typed with its seconds.
constexpr const char* kTimeReadMask = "hh:mm:ss";
constexpr int kCallLength = 12;
constexpr int kMultiLength = 6;
constexpr int kNameQthLength = 25;
constexpr std::uint32_t kMaxPoints = 65535;

bool OneOf(char code, std::string_view codes) { return codes.find(code) != std::string_view::npos; }

// Received exchange field 2 shows (and gives back) Call2 under these codes.
constexpr std::string_view kCall2InField2 = "7pikv";
constexpr std::string_view kCall2FromField2 = "7npikv";
// These contests recount after every change.
constexpr std::string_view kAlwaysRecount = "7npfk";

common::ToMessages& Messages() { return common::Service<common::ToMessages>::Get(); }

std::array<std::string, 4> Split(const std::string& text) {
  std::array<std::string, 4> parts;
  TContLogAlle::SplitCall(text, parts[0], parts[1], parts[2], parts[3]);
  return parts;
}

std::string Join(const std::array<std::string, 4>& parts) {
  return TContLogAlle::JoinCall(parts[0], parts[1], parts[2], parts[3]);
}

// The first `n` characters of `text` hold something besides blanks.
bool FilledAtStart(std::string_view text, int n) {
  return !common::Trim(common::LeftStr(text, n)).empty();
}

bool Has(const contest::TContestRec& definition, std::initializer_list<int> kinds) {
  return std::any_of(kinds.begin(), kinds.end(),
                     [&](int kind) { return definition.MultiplierKinds.test(kind); });
}

}  // namespace

TContestEingabeStd2Ctrl::TContestEingabeStd2Ctrl(platform::qt::TComponent* owner,
                                                 ContestLogCore& window,
                                                 std::array<bool, 3> rcvd_enabled)
    : owner_(owner), window_(window), rcvd_enabled_(rcvd_enabled) {}

bool TContestEingabeStd2Ctrl::CountsPrefixes() const { return Has(window_.Definition, {1, 22}); }

char TContestEingabeStd2Ctrl::Code() const { return contest::ContestCodeOf(*window_.Catalogue); }

void TContestEingabeStd2Ctrl::LoadQso(QsoEditFields& fields) {
  window_.LogTable->GetLKRec(old_);
  const TContestLKRec& qso = old_;
  const contest::TContestRec& definition = window_.Definition;
  fields = QsoEditFields{};
  // A contest with digital modes has the mode typed.
  fields.use_free_mode = std::any_of(definition.Modes.begin(), definition.Modes.end(),
                                     [](const contest::ContestText& m) { return m == "DIGITAL"; });
  if (fields.use_free_mode) fields.free_mode = qso.Mode.str();
  fields.rcvd_enabled = rcvd_enabled_;
  fields.number_caption = "Nummer:   " + std::to_string(qso.wagNummer.get());
  fields.call = qso.Call.str();
  fields.call2 = qso.Call2.str();
  fields.call2_visible = Listener();
  // The sent exchange in the sent row; a listener log shows the second station's report
  // (stored as the sent exchange) in the lower row.
  const std::array<std::string, 4> sent = Split(contest::TContestFkt::SentExchangeText(qso));
  const std::array<std::string, 4> rcvd = Split(contest::TContestFkt::RcvdExchangeText(qso));
  fields.sent = Listener() ? rcvd : sent;
  fields.rcvd = Listener() ? sent : rcvd;
  fields.rcvd_caption = Listener() ? "RST2" : "RSTr";
  if (!Listener()) {
    const char code = Code();
    // Under 'n' Call2 holds "IBFD" for a club station; shown there so that it stays.
    if (OneOf(code, kCall2InField2) || (code == 'n' && qso.Call2 == "IBFD")) {
      fields.rcvd[1] = qso.Call2.str();
    }
    if (code == 'f') fields.rcvd[2] = qso.Call2.str();
    if (code == 'w') fields.rcvd[3] = qso.Call2.str();
  }
  fields.frequency = qso.Frequency.get();
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  for (const contest::ContestText& mode : definition.Modes) {
    if (mode.empty()) continue;
    if (mode.str() == qso.Mode.str()) fields.mode_index = static_cast<int>(fields.modes.size());
    fields.modes.push_back(mode.str());
  }
  for (const char band : definition.Bands) {
    if (band == 0) continue;
    if (band == qso.Bandcode) fields.band_index = static_cast<int>(fields.bands.size());
    fields.bands.push_back(bands.Band2Name(band, false));
  }
  if (fields.mode_index >= 0) fields.mode_text = fields.modes[fields.mode_index];
  if (fields.band_index >= 0) fields.band_text = fields.bands[fields.band_index];
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  if (qso.Datum.get() >= 1) fields.date = dates.DateToDateString(qso.Datum.get(), kDateMask);
  if (qso.Zeit.get() >= 0) fields.time = dates.TimeToTimeString(qso.Zeit.get(), kTimeMask);
  fields.qsl_sent = qso.QslSent;
  fields.qsl_rcvd = qso.QslRcvd;
  fields.multi = CountsPrefixes() ? qso.Prefix.str() : qso.DXCC.str();
  fields.multi_caption = CountsPrefixes() ? "Präfix" : "DXCC";
  const std::string name_qth = qso.NameQth.str();
  const std::size_t semicolon = name_qth.find(';');
  fields.name = name_qth.substr(0, semicolon);
  if (semicolon != std::string::npos) fields.qth = name_qth.substr(semicolon + 1);
  loaded_ = fields;
}

void TContestEingabeStd2Ctrl::MultiCaption(QsoEditFields& fields) {
  TContestLKRec qso{};
  window_.LogTable->GetLKRec(qso);
  qso.Call = common::LeftStr(fields.call, kCallLength);
  window_.LogTable->SetLKWorkingCopy(qso);
  PrefixData(*window_.LogTable, *window_.Catalogue, window_.PointsRoutine(), window_.PrefixLookup,
             window_.Definition);
  window_.LogTable->GetLKRec(qso);
  fields.multi = CountsPrefixes() ? qso.Prefix.str() : qso.DXCC.str();
  fields.multi_caption = CountsPrefixes() ? "Präfix" : "DXCC";
}

bool TContestEingabeStd2Ctrl::SaveQso(const QsoEditFields& fields) {
  contest::TdbContest& log = *window_.LogTable;
  log.AskAboutRepairAgain();  // a change asks again about a repair the operator declined
  TContestLKRec qso{};
  log.GetLKRec(qso);
  qso.Call = common::LeftStr(fields.call, kCallLength);
  qso.Call2 = common::LeftStr(fields.call2, kCallLength);
  // A text whose fields were not changed stays as stored (its blanks included).
  const std::array<std::string, 4>& sent = Listener() ? fields.rcvd : fields.sent;
  const std::array<std::string, 4>& rcvd = Listener() ? fields.sent : fields.rcvd;
  const std::array<std::string, 4>& sent_loaded = Listener() ? loaded_.rcvd : loaded_.sent;
  const std::array<std::string, 4>& rcvd_loaded = Listener() ? loaded_.sent : loaded_.rcvd;
  if (sent != sent_loaded) contest::TContestFkt::SetSentExchange(Join(sent), qso);
  if (rcvd != rcvd_loaded) {
    contest::TContestFkt::SetRcvdExchange(Join(ExchangeRowValues(window_.Definition, rcvd)), qso);
  }
  // Call2 from the field that shows it, once that was changed: a field showing an exchange
  // part other than Call2 would otherwise overwrite it on opening and closing.
  if (!Listener()) {
    const char code = Code();
    const std::size_t field = OneOf(code, kCall2FromField2) ? 1 : code == 'f' ? 2 : 0;
    if (field != 0 && fields.rcvd[field] != loaded_.rcvd[field]) {
      qso.Call2 = common::LeftStr(fields.rcvd[field], kCallLength);
    }
  }
  log.SetLKWorkingCopy(qso);
  PrefixData(log, *window_.Catalogue, window_.PointsRoutine(), window_.PrefixLookup,
             window_.Definition);
  log.GetLKRec(qso);
  StoreExchangeFields(qso, rcvd, rcvd_loaded);
  TakeModeAndBand(qso, fields);
  TakeDateAndTime(qso, fields);
  qso.QslSent = fields.qsl_sent;
  qso.QslRcvd = fields.qsl_rcvd;
  if (CountsPrefixes()) {
    qso.Prefix = common::LeftStr(fields.multi, kMultiLength);
  } else {
    qso.DXCC = common::LeftStr(fields.multi, kMultiLength);
  }
  // A new call on a QSO kept without points as a dupe: it scores again.
  recount_needed_ = false;
  if (qso.Call != old_.Call && qso.NoPoints != 0) {
    qso.NoPoints = 0;
    recount_needed_ = true;
  }
  log.SetLKWorkingCopy(qso);
  qso.Points = static_cast<std::uint16_t>(std::min(window_.PointsRoutine()(log), kMaxPoints));
  if (MultipliersChanged(qso)) recount_needed_ = true;
  if (OneOf(Code(), kAlwaysRecount)) recount_needed_ = true;
  qso.NameQth = common::LeftStr(fields.name + ";" + fields.qth, kNameQthLength);
  if (fields.name == loaded_.name && fields.qth == loaded_.qth) qso.NameQth = old_.NameQth;
  qso.Frequency = fields.frequency;
  log.SetLKWorkingCopy(qso);
  // The look and the write under one lock: no other station deletes in between.
  const LogLock lock(log);
  const bool still_in_log = StillInLog();
  if (log.RepairDeclined()) {
    recount_needed_ = false;
    Messages().Achtung("QSO ändern",
                       "Die Änderung wurde nicht gespeichert: Die Reparatur des Logs wurde "
                       "abgelehnt.");
    return false;
  }
  if (!still_in_log) {
    Messages().Achtung("QSO ändern", "Satz bereits gelöscht: Das QSO " + old_.Call.str() +
                                         " hat eine andere Station inzwischen gelöscht oder "
                                         "geändert. Die Änderung wurde nicht gespeichert.");
  } else {
    log.UpdateRec();
  }
  return true;
}

bool TContestEingabeStd2Ctrl::StillInLog() const {
  // The update finds the QSO by its number, which the log gives anew once the QSO with the
  // highest one was deleted: the record under it must still be the QSO the dialog loaded.
  std::string number;
  window_.LogTable->GetAutoKeyText(number);
  contest::TdbContest stored(contest::kTableLK, window_.LogTable->FileSetNo());
  if (!stored.FindAutoKey(number)) return false;
  TContestLKRec now{};
  stored.GetLKRec(now);
  return now.Datum == old_.Datum && now.Zeit == old_.Zeit && now.Call == old_.Call;
}

void TContestEingabeStd2Ctrl::StoreExchangeFields(TContestLKRec& qso,
                                                  const std::array<std::string, 4>& rcvd,
                                                  const std::array<std::string, 4>& loaded) {
  const contest::TContestRec& definition = window_.Definition;
  const char code = Code();
  for (std::size_t slot = 0; slot < contest::kExchangeSlots; ++slot) {
    const std::int32_t kind = definition.ExchangeKindsRcvd[slot];
    const std::string text = ExchangeFieldValue(kind, rcvd[slot + 1]);
    switch (kind) {
      case kKindDok:
        if (!TContLogAlle::IsGermanCall(qso.Call.str(), *window_.Catalogue)) break;
        if (!window_.Service->CheckExchange(text, *window_.Catalogue)) {
          qso.DOK1 = "";
          qso.DOK2 = "";
        } else if (text.size() == 3 && text[0] == 'J' &&
                   std::isdigit(static_cast<unsigned char>(text[1])) != 0) {
          Messages().Achtung("", "Fehler bei DOK-Angabe");
        } else {
          qso.DOK1 = common::LeftStr(text, 6);
          qso.DOK2 = common::Copy(text, 7, 2);
        }
        break;
      case kKindLocator:
      case kKindSquare:
        if (text.size() <= 3) break;
        if (logbook::ToLocator::IsValidLocator(text)) {
          qso.Loc = common::LeftStr(text, 6);
          qso.Distance = static_cast<std::uint32_t>(LocatorCalc(qso.Loc.str()));
          if (LocatorOffBand(code, qso.Bandcode)) {
            qso.Loc = "";
            qso.Distance = 0;
          }
        } else {
          Messages().Achtung("", "Fehler bei Locator-Angabe");
          qso.Distance = 0;
        }
        break;
      case kKindDistrictCode:
      case kKindForeignDistrict:
        qso.DOK1 = common::LeftStr(text, 6);
        qso.DOK2 = common::Copy(text, 7, 2);
        break;
      case kKindUsState:
        qso.WAZ_USStaat = IsUsState(text);
        break;
      case kKindPostalCode:
        if (FilledAtStart(text, 2)) qso.WAZ_USStaat = common::LeftStr(text, 2);
        break;
      // A member number goes into Call2 once its field was changed (as above).
      case kKindClubNumber:
        if (text != loaded[slot + 1] && FilledAtStart(text, 4)) {
          qso.Call2 = common::LeftStr(text, 4);
        }
        break;
      case kKindMemberNumber:
        if (text != loaded[slot + 1] && FilledAtStart(text, 6)) {
          qso.Call2 = common::LeftStr(text, 6);
        }
        break;
      default:
        break;
    }
  }
}

void TContestEingabeStd2Ctrl::TakeModeAndBand(TContestLKRec& qso,
                                              const QsoEditFields& fields) const {
  // A mode or band the lists lack was shown as none chosen; it stays as stored.
  const std::string free_mode = common::Trim(fields.free_mode);
  if (!free_mode.empty()) {
    qso.Mode = common::LeftStr(free_mode, 6);
  } else if (!fields.mode_text.empty()) {
    qso.Mode = common::LeftStr(fields.mode_text, 6);
  }
  if (!fields.band_text.empty()) {
    const char band =
        static_cast<char>(common::Service<logbook::ToBaender>::Get().Text2Band(fields.band_text));
    if (band != 0 && band != ' ') qso.Bandcode = band;
  }
}

void TContestEingabeStd2Ctrl::TakeDateAndTime(TContestLKRec& qso,
                                              const QsoEditFields& fields) const {
  // What was not changed, or cannot be read, stays: the time "hh:mm" shown would lose the
  // seconds and move the QSO in the log's order.
  if (fields.date != loaded_.date) {
    const std::int32_t date = common::DateStringToDate(common::Trim(fields.date), kDateMask);
    if (date >= 1) qso.Datum = date;
  }
  if (fields.time != loaded_.time) {
    const std::int32_t time = common::TimeStringToTime(common::Trim(fields.time), kTimeReadMask);
    if (time >= 0) qso.Zeit = time;
  }
}

bool TContestEingabeStd2Ctrl::MultipliersChanged(const TContestLKRec& qso) const {
  const contest::TContestRec& d = window_.Definition;
  if (qso.Call != old_.Call && Has(d, {10, 1})) return true;
  if (qso.DXCC != old_.DXCC && Has(d, {2, 14})) return true;
  if (qso.WAZ_USStaat != old_.WAZ_USStaat && Has(d, {12, 15})) return true;
  if (qso.Call2 != old_.Call2 && Has(d, {16, 19})) return true;
  if (qso.Loc != old_.Loc && Has(d, {5, 6})) return true;
  if (Has(d, {4, 8, 17}) && (qso.DOK1 != old_.DOK1 || qso.DOK2 != old_.DOK2)) return true;
  if (CountsPrefixes() && qso.Prefix != old_.Prefix) return true;
  return contest::TContestFkt::RcvdExchangeText(qso) !=
             contest::TContestFkt::RcvdExchangeText(old_) ||
         qso.Bandcode != old_.Bandcode || qso.Mode != old_.Mode;
}

}  // namespace contestlog
