#include "output/cabrillo.h"

#include <algorithm>

#include "common/date_mask.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/settings/setups.h"
#include "output/exchange_columns.h"
#include "output/own_station.h"
#include "output/qso_list.h"
#include "output/sheet_text.h"

namespace output {
namespace {

using common::Trim;

std::string OrDefault(const std::string& text, std::string_view fallback) {
  return text.empty() ? std::string(fallback) : text;
}

std::string StationCategory(const contest::TContestKKRec& log) {
  const std::string call = log.OwnCall.str();
  if (call.find("/P") != std::string::npos) return "PORTABLE";
  if (call.find("/M") != std::string::npos) return "MOBILE";
  return "FIXED";
}

// What a listener log names as its station in CALLSIGN and OPERATORS.
std::string Identification(const contest::TContestRec& definition,
                           const contest::TContestKKRec& log, const OwnStationTexts& station) {
  return definition.SWL != 0 ? station.swl_number : common::LeftStr(log.OwnCall.view(), 12);
}

std::string Soapbox(const contest::TContestKKRec& log) {
  const auto licence_date = static_cast<std::int32_t>(log.OperatorNumber.get());
  if (log.Typ != 'W' || licence_date <= 0) return "";
  return "LIC.DATE: " + common::DateToDateString(licence_date, "dd.mm.yyyy", {});
}

// The report in 3 places, a blank and the exchange in `rule.width`; the parts of a two-part
// exchange two blanks apart.
std::string ExchangeBlock(std::string_view text, const ExchangeRule& rule) {
  auto [report, exchange] = SplitExchange(text, rule);
  if (rule.two_part) {
    if (exchange.front() == '/') {
      exchange = "-    " + exchange.substr(1);
    } else if (exchange.find('/') != std::string::npos) {
      std::string split;
      for (const char c : exchange) split += c == '/' ? std::string("  ") : std::string(1, c);
      exchange = split;
    } else if (Trim(exchange) == "-") {
      exchange = "-    -";
    } else {
      exchange += "  -";
    }
  }
  if (exchange.front() == '/') exchange.erase(0, 1);
  return Fit(report, 3) + " " + Fit(exchange, rule.width);
}

bool TwoPartContest(char code) { return code == 'J' || code == 'B' || code == '1' || code == '4'; }

}  // namespace

std::string CabrilloClaimedScore(std::int64_t score, char contest_code) {
  return contest_code == 'R' ? PointsPlaces(score, contest_code, 7) : Number(score);
}

std::string CabrilloMode(std::string_view mode) {
  if (Trim(mode).empty()) return "- ";
  const logbook::ToModi& modes = common::Service<logbook::ToModi>::Get();
  const std::string name = modes.ClassName(modes.ModeClass(mode));
  // A robot refuses a QSO line without a Cabrillo mode; every mode without a name of its own is
  // a digital one (or unknown), and Cabrillo writes those DG.
  return name.empty() ? "DG" : name;
}

void WriteCabrilloHeader(TAlleRout& channel, const contest::TContestRec& definition,
                         const contest::TContestKKRec& log, const BandSlotTallies& tallies) {
  const OwnStationTexts station = OwnStationFromSettings();
  const bool listener = definition.SWL != 0;
  const std::string identification = Identification(definition, log, station);
  const std::string dok = log.OwnDOK.str();
  auto line = [&](std::string_view text) { channel.WriteLine(text, true, true); };

  line("START-OF-LOG: 3.0");
  line("CONTEST: " +
       OrDefault(definition.CabrilloContest, common::UpperCase(Trim(log.Name.view()))));
  line("CALLSIGN: " + identification);
  line("CATEGORY-OPERATOR: " + OrDefault(definition.CabrilloOperator, "SINGLE-OP"));
  line("CATEGORY-BAND: " + OrDefault(definition.CabrilloBand, "ALL"));
  line("CATEGORY-MODE: " + OrDefault(definition.CabrilloMode, "CW"));
  line("CATEGORY-POWER: " + OrDefault(definition.CabrilloPower, "HIGH"));
  line("CATEGORY-STATION: " + StationCategory(log));
  line(std::string("CATEGORY-TRANSMITTER: ") + (listener ? "SWL" : "ONE"));
  line("CATEGORY-ASSISTED: " + OrDefault(definition.CabrilloAssisted, "NON-ASSISTED"));
  line("LOCATION: DX");
  line("CLAIMED-SCORE: " +
       CabrilloClaimedScore(ClaimedScoreOf(channel, definition, tallies), log.Typ));
  line("CREATED-BY: " + definition.VersionText.str());
  line("NAME: " + Trim(station.name));
  if (!Trim(dok).empty()) line("CLUB: DARC");
  line("SPECIFIC: " + common::LeftStr(dok, 6));
  line("ADDRESS: " + Trim(station.street));
  line("ADDRESS: " + Trim(station.city));
  line("ADDRESS: " + OrDefault(Trim(station.country), "Germany"));
  line("EMAIL: " + Trim(station.email));
  line("OPERATORS: " + identification);
  line("SOAPBOX: " + Soapbox(log));
  line("SOAPBOX: ");
}

std::string WriteCabrilloQSO(const TAlleRout& channel, const contest::TContestRec& definition,
                             const contest::TContestKKRec& log, const contest::TContestLKRec& qso) {
  const char code = log.Typ;
  const bool narrow = code == '1' || code == 'a';
  const bool by_template = code == 'a';
  const bool clears_numbers = code == 'X' || code == 't';

  const std::string date = qso.Datum > 0 ? common::DateToDateString(qso.Datum, "yyyy-mm-dd", {})
                                         : std::string("    -  -  ");
  const std::string time = common::TimeToTimeString(qso.Zeit, "hhmm", {});
  const std::string call = Trim(qso.Call.view()).empty() ? std::string("-") : qso.Call.str();
  const std::string worked = Fit(call, narrow ? 13 : channel.ColumnWidths[kCallColumn]);

  const int exchange_width = by_template ? 6 : 17;
  const std::string own_call_of_settings =
      common::Service<logbook::ToSetups>::Get().GetOwnCall(false);
  std::string sent =
      ExchangeBlock(contest::TContestFkt::SentExchangeText(qso),
                    {.clear_plain_number = clears_numbers && StartsWithD(own_call_of_settings),
                     .two_part = TwoPartContest(code) || definition.ExchangeKindsSent[1] != 0,
                     .width = exchange_width});
  if (code == '1') sent = Fit(sent, 15);
  // The received exchange holds 24 characters; it is read to its end.
  const std::string received =
      ExchangeBlock(contest::TContestFkt::RcvdExchangeText(qso),
                    {.read_to_end = true,
                     .clear_plain_number = clears_numbers && StartsWithD(qso.Call.view()),
                     .two_part = TwoPartContest(code) || definition.ExchangeKindsRcvd[1] != 0,
                     .width = by_template ? exchange_width : 22});

  const std::string mode = Fit(CabrilloMode(qso.Mode.view()), narrow ? 2 : 3);
  const std::string band =
      Fit(common::Service<logbook::ToBaender>::Get().Band2Text(qso.Bandcode, true),
          by_template ? 4 : 5);
  const std::string own_call = narrow ? Fit(log.OwnCall.view(), 13) : log.OwnCall.str();

  std::string line = band + " " + mode + " " + date + " " + time + " ";
  if (definition.SWL != 0) {
    line += worked + " " + received + " " + Fit(qso.Call2.view(), 9) + " " + sent;
  } else {
    line += own_call + " " + sent + " " + worked + " " + received;
  }
  if (by_template) {
    return "QSO:  " + line + (Trim(qso.CMulti.view()).empty() ? " 0" : " 1");
  }
  return "QSO: " + line;
}

void WriteCabrilloTrailer(TAlleRout& channel) { channel.WriteLine("END-OF-LOG:", true, true); }

}  // namespace output
