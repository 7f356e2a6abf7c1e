#include "contestlog/entry_record.h"

#include "common/date_mask.h"
#include "common/lang_text.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_start.h"
#include "contestlog/station_data.h"
#include "logbook/reference/locator.h"
#include "logbook/settings/setups.h"

namespace contestlog {
namespace {

constexpr int kNameQthLength = 25;
constexpr int kDokFirstPart = 6;
constexpr int kDokSecondPart = 2;
constexpr int kStateLength = 2;
constexpr int kClubNumberLength = 4;
constexpr int kMemberNumberLength = 6;
constexpr int kShortestLocator = 4;

void Warn(std::string_view text) {
  common::Service<common::ToMessages>::Get().Achtung("", std::string(text));
}

void SetDok(contest::TContestLKRec& qso, const std::string& text) {
  qso.DOK1 = common::LeftStr(text, kDokFirstPart);
  qso.DOK2 = common::Copy(text, kDokFirstPart + 1, kDokSecondPart);
}

// A DOK beginning "J" and a digit, three characters long, is no district code.
bool IsRefusedJDok(const std::string& text) {
  return text.size() == 3 && text[0] == 'J' && text[1] >= '0' && text[1] <= '9';
}

// The exchange text of one row: the report by the mode, the name cut beside DOK and locator.
std::string RowText(const ContestLogCore& core, const std::array<std::string, 4>& row,
                    std::string_view mode) {
  std::string field2 = row[1];
  if (const int room = NameRoom(core.Definition, row[2], row[3]); room >= 0) {
    field2 = common::LeftStr(field2, room);
  }
  return contest::TContLogAlle::JoinCall(ReportForMode(row[0], mode), field2, row[2], row[3]);
}

// A received exchange field read by its kind into the QSO's own fields; answers whether a
// warning was told.
bool ReadByKind(const ContestLogCore& core, std::int32_t kind, const std::string& typed, bool told,
                contest::TContestLKRec& qso) {
  const char code = ContestCode(*core.Catalogue);
  const std::string text = ExchangeFieldValue(kind, typed);
  switch (kind) {
    case kKindDok:
      if (!contest::TContLogAlle::IsGermanCall(qso.Call.str(), code)) return false;
      if (!core.Service->CheckExchange(text, *core.Catalogue)) {
        qso.DOK1 = "";
        qso.DOK2 = "";
      } else if (IsRefusedJDok(text)) {
        if (told) Warn("Fehler bei DOK-Angabe");
        return told;
      } else {
        SetDok(qso, text);
      }
      return false;
    case kKindLocator:
    case kKindSquare: {
      const bool valid = logbook::ToLocator::IsValidLocator(text);
      if (!valid && told) Warn("Fehler bei Locator-Angabe");
      if (valid && text.size() >= kShortestLocator && !LocatorOffBand(code, qso.Bandcode)) {
        qso.Loc = text;
        qso.Distance = static_cast<std::uint32_t>(LocatorCalc(text));
      } else {
        // What the field no longer holds (or never validly held) is not the QSO's locator.
        qso.Loc = "";
        qso.Distance = 0;
      }
      return !valid && told;
    }
    case kKindDistrictCode:
    case kKindForeignDistrict:
      SetDok(qso, text);
      return false;
    case kKindUsState:
      qso.WAZ_USStaat = IsUsState(text);
      return false;
    case kKindPostalCode:
      if (!common::Trim(text).empty()) qso.WAZ_USStaat = common::LeftStr(text, kStateLength);
      return false;
    case kKindClubNumber:
      if (!common::Trim(text).empty()) qso.Call2 = common::LeftStr(text, kClubNumberLength);
      return false;
    case kKindMemberNumber:
      if (!common::Trim(text).empty()) qso.Call2 = common::LeftStr(text, kMemberNumberLength);
      return false;
    default:
      return false;
  }
}

// The text of a name or QTH field, or the text kept for it when it cannot be typed into.
template <typename Kept>
std::string NameOrQth(const std::string& typed, bool usable, Kept& kept) {
  if (!usable) return kept.str();
  const std::string text = common::Service<logbook::ToSetups>::Get().AdjustNameText(typed);
  if (!text.empty()) kept = text;
  return text;
}

}  // namespace

contest::TContestLKRec EntryRecord(const ContestLogCore& core) {
  contest::TContestLKRec qso{};
  core.LogTable->GetLKRec(qso);
  return qso;
}

void SetEntryRecord(ContestLogCore& core, const contest::TContestLKRec& record) {
  core.LogTable->SetLKRec(record);
}

bool FieldsToRecord(ContestLogCore& core, const EntryFieldTexts& fields) {
  contest::TContestLKRec qso = EntryRecord(core);
  qso.Call = NormaliseCall(fields.call);
  qso.Call2 = fields.call2;
  qso.Datum = common::DateStringToDate(fields.date, "dd.mm.yyyy");
  qso.Zeit = common::TimeStringToTime(fields.time, "hh:mm:ss");

  const std::string name = NameOrQth(fields.name, fields.name_usable, core.NameText);
  const std::string qth = NameOrQth(fields.qth, fields.qth_usable, core.QthText);
  qso.NameQth = common::LeftStr(name + ";" + qth, kNameQthLength);
  qso.Frequency = static_cast<float>(common::StrToReal(fields.frequency));

  qso.Mode = fields.mode_typed ? fields.typed_mode : core.CurrentMode.str();
  const bool listener = core.Definition.SWL != 0;
  const std::array<std::string, 4> received =
      ExchangeRowValues(core.Definition, listener ? fields.sent_row : fields.received_row);
  const std::array<std::string, 4>& sent = listener ? fields.received_row : fields.sent_row;
  const std::string mode = qso.Mode.str();
  contest::TContestFkt::SetRcvdExchange(RowText(core, received, mode), qso);
  contest::TContestFkt::SetSentExchange(RowText(core, sent, mode), qso);

  bool warned = false;
  for (int field = 2; field <= 4; ++field) {
    warned |=
        ReadByKind(core, core.Definition.ExchangeKindsRcvd[static_cast<std::size_t>(field - 2)],
                   received[static_cast<std::size_t>(field - 1)], fields.told_field == field, qso);
  }
  SetEntryRecord(core, qso);
  return warned;
}

}  // namespace contestlog
