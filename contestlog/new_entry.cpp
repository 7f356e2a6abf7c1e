#include "contestlog/new_entry.h"

#include <array>
#include <optional>
#include <string>

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

// The definition's sent defaults on `band`: 'J' sends its second default (the locator) on the
// VHF and UHF bands only.
std::array<std::string, 3> BandDefaults(const ContestLogCore& core, char band) {
  const contest::TContestRec& definition = core.Definition;
  const bool second = !LocatorOffBand(ContestCode(*core.Catalogue), band);
  return {definition.SentDefaults[0].str(),
          second ? definition.SentDefaults[1].str() : std::string(),
          definition.SentDefaults[2].str()};
}

// The sent defaults of the entry: the hidden serial fields with their numbers first.
std::array<std::string, 3> SentDefaults(ContestLogCore& core, const NewEntryFields& fields,
                                        char band) {
  SetSerialDefault(core, 0, fields.sent_field2_shown);
  SetSerialDefault(core, 1, fields.sent_field3_shown);
  return BandDefaults(core, band);
}

// A contest that sends nothing else sends the overall serial (not '7' and 'p').
bool SendsSerialAlone(const ContestLogCore& core, const std::array<std::string, 3>& defaults) {
  const char code = ContestCode(*core.Catalogue);
  return core.Definition.SWL == 0 && defaults[0].empty() && defaults[1].empty() &&
         defaults[2].empty() && code != '7' && code != 'p';
}

std::string SentText(ContestLogCore& core, const NewEntryFields& fields, char band,
                     const std::string& report) {
  if (core.Definition.SWL != 0) return contest::TContLogAlle::JoinCall(report, "", "", "");
  std::array<std::string, 3> defaults = SentDefaults(core, fields, band);
  if (SendsSerialAlone(core, defaults)) {
    defaults[0] = common::IntToStrAt(core.SerialNumber, kSerialPlaces);
  }
  return contest::TContLogAlle::JoinCall(report, defaults[0], defaults[1], defaults[2]);
}

bool SendsKind(const contest::TContestRec& definition, std::int32_t kind) {
  return definition.SWL == 0 &&
         (definition.ExchangeKindsSent[0] == kind || definition.ExchangeKindsSent[1] == kind);
}

// The log's numbers become the entry's: the window's and the record's.
void TakeNumbers(ContestLogCore& core, const contest::QsoNumbers& numbers,
                 contest::TContestLKRec& qso) {
  core.SerialNumber = numbers.overall;
  core.NextOverallNo = numbers.overall;
  core.NextBandNo = numbers.band;
  core.NextBandNoIntern = numbers.band_intern;
  core.NextModeNo = numbers.mode & 0xFFFF;
  qso.wagNummer = static_cast<std::uint32_t>(numbers.overall);
  qso.wagBandNr = static_cast<std::uint32_t>(numbers.band);
  qso.wagBandNrIntern = static_cast<std::uint32_t>(numbers.band_intern);
  qso.ModeNr = static_cast<std::uint16_t>(numbers.mode);
}

}  // namespace

void PrepareNewEntry(ContestLogCore& core, const NewEntryFields& fields) {
  const char code = ContestCode(*core.Catalogue);
  const contest::QsoNumbers numbers =
      core.LogNextNumbers(true, core.CurrentBand).value_or(core.EntryNumbers());

  core.LogTable->ClearRec();
  contest::TContestLKRec qso = EntryRecord(core);
  contest::TContestKKRec log{};
  core.Catalogue->GetKKRec(log);
  qso.Datum = core.LastQsoDate;
  qso.Zeit = core.LastQsoTime;
  qso.Mode = core.CurrentMode.str();
  qso.Bandcode = core.CurrentBand;
  core.CurrentBandName =
      common::Service<logbook::ToBaender>::Get().Band2Name(core.CurrentBand, false);
  qso.QslSent = log.QslSentChar;
  qso.QslRcvd = log.QslRcvdChar;
  TakeNumbers(core, numbers, qso);
  core.QslSent = qso.QslSent;
  core.DupeCheck = {};
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

bool RenewEntryNumbers(ContestLogCore& core, const NewEntryFields& fields) {
  const std::optional<contest::QsoNumbers> read = core.LogNextNumbers(true, core.CurrentBand);
  if (!read) return false;
  const contest::QsoNumbers& numbers = *read;
  if (numbers.overall == core.SerialNumber && numbers.band == core.NextBandNo &&
      numbers.band_intern == core.NextBandNoIntern && (numbers.mode & 0xFFFF) == core.NextModeNo) {
    return false;
  }
  contest::TContestLKRec qso = EntryRecord(core);
  std::string report, value2, value3, value4;
  const std::string sent = contest::TContestFkt::SentExchangeText(qso);
  contest::TContLogAlle::SplitCall(sent, report, value2, value3, value4);
  const std::string prepared = SentText(core, fields, qso.Bandcode, report);
  TakeNumbers(core, numbers, qso);
  // A sent exchange the operator changed stays as typed.
  if (sent == prepared) {
    contest::TContestFkt::SetSentExchange(SentText(core, fields, qso.Bandcode, report), qso);
  }
  SetEntryRecord(core, qso);
  return true;
}

std::int32_t TakeNumbersForSave(ContestLogCore& core) {
  // An unreadable log stores nothing either: the entry keeps its numbers.
  const std::optional<contest::QsoNumbers> read = core.LogNextNumbers(true, core.CurrentBand);
  if (!read) return 0;
  const contest::QsoNumbers& now = *read;
  const contest::TContestRec& definition = core.Definition;
  std::int32_t taken = 0;
  // A sent number stays; another station's QSO under it is told.
  const auto keep_or_renew = [&taken](bool sent, std::int32_t& number, std::int32_t next) {
    if (!sent) {
      number = next;
    } else if (next > number && taken == 0) {
      taken = number;
    }
  };
  const bool overall_sent = SendsKind(definition, kOverallSerial) ||
                            SendsSerialAlone(core, BandDefaults(core, EntryRecord(core).Bandcode));
  keep_or_renew(overall_sent, core.NextOverallNo, now.overall);
  if (!overall_sent) core.SerialNumber = core.NextOverallNo;
  keep_or_renew(SendsKind(definition, kBandSerial), core.NextBandNo, now.band);
  keep_or_renew(SendsKind(definition, kBandSerial), core.NextBandNoIntern, now.band_intern);
  keep_or_renew(SendsKind(definition, kModeSerial), core.NextModeNo, now.mode & 0xFFFF);
  return taken;
}

}  // namespace contestlog
