#include "contestlog/new_entry.h"

#include "common/number_mask.h"
#include "common/service.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contestlog/entry_record.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_start.h"
#include "logbook/reference/bands.h"

namespace contestlog {
namespace {

constexpr int kSerialPlaces = 3;

enum SerialKind : std::int32_t {
  kOverallSerial = 7,
  kModeSerial = 11,
  kBandSerial = 13,
};

// The sent default of a hidden serial field: the number its kind counts.
void SetSerialDefault(ContestLogCore& core, std::size_t slot, bool shown) {
  const auto number = [&core](std::int32_t kind) -> const std::int32_t* {
    switch (kind) {
      case kOverallSerial:
        return &core.SerialNumber;
      case kBandSerial:
        return &core.NextBandNo;
      case kModeSerial:
        return &core.NextModeNo;
      default:
        return nullptr;
    }
  };
  if (shown) return;
  if (const std::int32_t* value = number(core.Definition.ExchangeKindsSent[slot])) {
    core.Definition.SentDefaults[slot] = common::IntToStrAt(*value, kSerialPlaces);
  }
}

std::string SentText(ContestLogCore& core, const NewEntryFields& fields, char band,
                     const std::string& report) {
  const contest::TContestRec& definition = core.Definition;
  const char code = ContestCode(*core.Catalogue);
  if (definition.SWL != 0) return contest::TContLogAlle::JoinCall(report, "", "", "");
  SetSerialDefault(core, 0, fields.sent_field2_shown);
  SetSerialDefault(core, 1, fields.sent_field3_shown);
  // 'J' sends its second default (the locator) on the VHF and UHF bands only.
  const bool second = !LocatorOffBand(code, band);
  std::string first = definition.SentDefaults[0].str();
  const std::string middle = second ? definition.SentDefaults[1].str() : std::string();
  const std::string last = definition.SentDefaults[2].str();
  if (first.empty() && middle.empty() && last.empty() && code != '7' && code != 'p') {
    first = common::IntToStrAt(core.SerialNumber, kSerialPlaces);
  }
  return contest::TContLogAlle::JoinCall(report, first, middle, last);
}

}  // namespace

void PrepareNewEntry(ContestLogCore& core, const NewEntryFields& fields) {
  const char code = ContestCode(*core.Catalogue);
  const contest::QsoNumbers numbers =
      core.Service->NextQsoNumbers(true, core.CurrentBand, *core.LogTable, core.CurrentMode.str());
  core.SerialNumber = numbers.overall;

  core.LogTable->ClearRec();
  contest::TContestLKRec qso = EntryRecord(core);
  contest::TContestKKRec log{};
  core.Catalogue->GetKKRec(log);
  qso.Datum = core.LastQsoDate;
  qso.Zeit = core.LastQsoTime;
  qso.Mode = core.CurrentMode.str();
  qso.Bandcode = core.CurrentBand;
  core.CurrentBandName = common::Service<logbook::ToBaender>::Get().Band2Name(core.CurrentBand, false);
  qso.QslSent = log.QslSentChar;
  qso.QslRcvd = log.QslRcvdChar;
  qso.wagNummer = static_cast<std::uint32_t>(core.SerialNumber);
  qso.wagBandNr = static_cast<std::uint32_t>(numbers.band);
  qso.wagBandNrIntern = static_cast<std::uint32_t>(numbers.band_intern);
  qso.ModeNr = static_cast<std::uint16_t>(numbers.mode);
  core.QslSent = qso.QslSent;

  core.NextOverallNo = static_cast<std::int32_t>(qso.wagNummer);
  core.NextBandNo = static_cast<std::int32_t>(qso.wagBandNr);
  core.NextModeNo = qso.ModeNr;
  core.NextBandNoIntern = static_cast<std::int32_t>(qso.wagBandNrIntern);
  core.LastDupeCall = "";
  core.LastPrefix = "";
  core.PrefixLookup = PrefixLookupMemo{};

  const std::string report = DefaultReport(code, qso.Mode.str(), fields.mode_typed);
  contest::TContestFkt::SetSentExchange(SentText(core, fields, qso.Bandcode, report), qso);
  contest::TContestFkt::SetRcvdExchange(
      contest::TContLogAlle::JoinCall(report, code == '9' ? "000" : "", "", ""), qso);
  if (qso.Datum == 0) qso.Datum = -1;

  core.NameText = "";
  core.QthText = "";
  if (core.Frequency > 0) qso.Frequency = core.Frequency;
  SetEntryRecord(core, qso);
}

}  // namespace contestlog
