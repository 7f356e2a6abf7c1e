#include "output/stf.h"

#include <algorithm>

#include "common/date_mask.h"
#include "common/file_ss.h"
#include "common/local_clock.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "logbook/reference/bands.h"
#include "logbook/settings/setups.h"
#include "output/cabrillo.h"
#include "output/exchange_columns.h"
#include "output/own_station.h"
#include "output/qso_list.h"
#include "output/sheet_text.h"
#include "output/station_file.h"

namespace output {
namespace {

using common::Trim;

constexpr int kKeyWidth = 13;

bool TwoPartContest(char code) { return code == 'J' || code == 'G' || code == 'B' || code == '1'; }
bool ChristmasOrEaster(char code) { return code == 'X' || code == 't'; }
// WAG's listener class writes its own column order.
constexpr int kWagListenerClass = 9;

std::string ClassName(const contest::TContestRec& definition, int index) {
  if (index < 1 || index > contest::kClassSlots) return {};
  return definition.Classes[static_cast<std::size_t>(index - 1)].ClassName.str();
}

std::string ContestName(const contest::TContestKKRec& log) {
  if (log.Typ == 'X') return "DARC-XMAS";
  if (log.Typ == 't') return "Ostercontest";
  return Trim(log.Name.view());
}

// The sentence of the OQRP contest for its equipment kinds 2 and 3.
std::string OqrpSentence(const contest::TContestKKRec& log) {
  switch (static_cast<std::int32_t>(log.OperatorNumber.get())) {
    case 3:
      return "Im OQRPC habe ich auf dem 80/40/20m-Band mit einem individuellen Unikat "
             "teilgenommen.";
    case 2:
      return "Im OQRPC habe ich auf dem 80/40/20m-Band mit einem von mir selbstgebauten Bausatz "
             "teilgenommen.";
    default:
      return {};
  }
}

// The equipment line of 'b' and 'j' from the log's station description file; empty without it.
std::string EquipmentLine(const contest::TContestKKRec& log) {
  const std::vector<std::string> lines =
      common::ReadTextLines(StationFileName(log.Typ, log.Nummer));
  if (lines.empty()) return {};
  std::string line = Fit("Equipment", kKeyWidth) + (log.Typ == 'b' ? OqrpSentence(log) : "") + " ";
  for (const std::string& text : lines) line += " " + text;
  return line;
}

std::string Soapbox(const contest::TContestKKRec& log) {
  const auto licence_date = static_cast<std::int32_t>(log.OperatorNumber.get());
  if (log.Typ != 'W' || licence_date <= 0) return "Soapbox";
  return "Soapbox      Lic.Date: " + common::DateToDateString(licence_date, "dd.mm.yyyy", {});
}

std::string QsoOrder(const contest::TContestKKRec& log) {
  const char code = log.Typ;
  if (TwoPartContest(code)) {
    return "QsoOrder     Date Time Band Mode Call SRst Sent Sent2 RRst Rcvd Rcvd2";
  }
  if (ChristmasOrEaster(code)) {
    return "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd Mult Mult2 Pts";
  }
  if (code == 'W' && log.ClassIndex == kWagListenerClass) {
    return "QsoOrder     Date Time Call RRst Rcvd Band Mode Call2 RRst2 Rcvd2 Pts Mult";
  }
  if (code == 'W') return "QsoOrder     Date Time Call SRst Sent RRst Rcvd Band Mode Pts Mult";
  return "QsoOrder     Date Time Band Mode Call SRst Sent RRst Rcvd";
}

// The band's name in 4 places as the QSO list has it, but 6 cm (5.7 GHz) is written as 5.
std::string StfBand(const TAlleRout& channel, char band) {
  const std::string name = common::Service<logbook::ToBaender>::Get().Band2Name(band, false);
  if (channel.PadField(common::LeftStr(name, static_cast<int>(name.size()) - 1), 4) == "6 c ") {
    return "5   ";
  }
  return BandColumn(channel, band);
}

// The report in 3 places, a blank and the exchange in `rule.width`; the parts of a two-part
// exchange one blank apart.
std::string ExchangeBlock(std::string_view text, const ExchangeRule& rule) {
  auto [report, exchange] = SplitExchange(text, rule);
  if (rule.two_part) {
    const std::size_t slash = exchange.find('/');
    if (slash == 0) {
      exchange = "-   " + exchange.substr(1);
    } else if (slash != std::string::npos) {
      exchange[slash] = ' ';
    } else if (Trim(exchange) == "-") {
      exchange = "-   -";
    } else {
      exchange += " -";
    }
  }
  return Fit(report, 3) + " " + Fit(exchange, rule.width);
}

std::string OrDash(std::string_view text) {
  return Trim(text).empty() ? std::string("-") : std::string(text);
}

}  // namespace

void WriteSTFHeader(TAlleRout& channel, const contest::TContestRec& definition,
                    const contest::TContestKKRec& log, const BandSlotTallies& tallies,
                    std::string_view category) {
  const OwnStationTexts station = OwnStationFromSettings();
  const std::string& maker_page =
      common::Service<contest::TContestFkt>::Get().Definitions().Program().MakerPage;
  auto line = [&](std::string_view text) { channel.WriteLine(text, true, true); };
  auto key = [&](std::string_view name, std::string_view value) {
    line(Fit(name, kKeyWidth) + std::string(value));
  };

  line("STF1");
  line("#Data written \"" + common::DateToDateString(common::Today(), "dd.mm.yyyy", {}) + "  " +
       common::TimeToTimeString(common::CurrentTime(), "hh:mm", {}) + "\"");
  line("#STF-Export generated with Tarnex " + definition.VersionText.str() +
       (maker_page.empty() ? "" : " " + maker_page));
  line("Header");
  key("Contest", ContestName(log));
  key("MyCall", definition.SWL != 0 ? station.swl_number : common::LeftStr(log.OwnCall.view(), 12));
  key("Operators", Trim(log.OwnCall.view()));
  key("Category", category.empty() ? ClassName(definition, log.ClassIndex) : category);
  const std::string city = Trim(station.city);
  key("MailAddress", Trim(station.name));
  key("MailAddress", Trim(station.street));
  key("MailAddress", Trim(common::StrAfter(city, " ")));
  key("MailAddress", Trim(common::StrBefore(city, " ")));
  key("MailAddress", Trim(station.country).empty() ? std::string("Germany") : Trim(station.country));
  key("EMail", Trim(station.email));
  key("ClaimedQSO", Number(channel.QsoTotal));
  key("ClaimedPts", CabrilloClaimedScore(channel.PointsTotal, log.Typ));
  if (definition.MultiplierKinds.any()) {
    key("ClaimedMult", Number(channel.KindTotals[0]));
    if (channel.KindTotals[1] > 0) key("ClaimedMult2", Number(channel.KindTotals[1]));
    if (channel.KindTotals[2] > 0) key("ClaimedMult3", Number(channel.KindTotals[2]));
  }
  if (log.Typ != 'P') {
    key("ClaimedScore", CabrilloClaimedScore(ClaimedScoreOf(channel, definition, tallies), log.Typ));
  }
  line("Club");
  key("Specific", common::LeftStr(log.OwnDOK.view(), 6));
  if (log.Typ == 'b' || log.Typ == 'j') line(EquipmentLine(log));
  line("Power");
  line(Soapbox(log));
  line("Soapbox");
  line(QsoOrder(log));
  line("EndHeader");
  line("");
  line("QsoList");
}

std::string WriteSTFQSO(const TAlleRout& channel, const contest::TContestRec& definition,
                        const contest::TContestKKRec& log, const contest::TContestLKRec& qso) {
  const char code = log.Typ;
  const bool clears_numbers = ChristmasOrEaster(code);
  const std::string date = qso.Datum > 0 ? common::DateToDateString(qso.Datum, "yyyymmdd", {})
                                         : std::string("    -   ");
  const std::string time = common::TimeToTimeString(qso.Zeit, "hhmm", {});
  const std::string band = StfBand(channel, qso.Bandcode);
  const std::string mode = channel.PadField(Trim(qso.Mode.view()).empty() ? " - " : qso.Mode.str(), 6);
  const std::string call = channel.PadField(OrDash(qso.Call.view()), channel.ColumnWidths[kCallColumn]);
  const std::string own_call = common::Service<logbook::ToSetups>::Get().GetOwnCall(false);
  const std::string sent = ExchangeBlock(
      contest::TContestFkt::SentExchangeText(qso),
      {.clear_plain_number = clears_numbers && StartsWithD(own_call), .two_part = TwoPartContest(code)});
  // The received exchange holds 24 characters; it is read to its end.
  const std::string received = ExchangeBlock(
      contest::TContestFkt::RcvdExchangeText(qso),
      {.read_to_end = true,
       .clear_plain_number = clears_numbers && StartsWithD(qso.Call.view()),
       .two_part = TwoPartContest(code),
       .width = 22});
  const std::string points = " " + common::IntToStrMask(qso.Points, 3) + "  ";
  const std::string call2 = Fit(qso.Call2.view(), 9);

  std::string line = date + " " + time + " ";
  if (ChristmasOrEaster(code)) {
    line += band + " " + mode + " " + call + " " + sent + " " + received + " " +
            Fit(OrDash(qso.CMulti.view()), 9) + " " + Fit(OrDash(qso.Info.view()), 5) + " " + points;
  } else if (code == 'W') {
    const std::string multiplier = Fit(OrDash(qso.CMulti.view()), 6);
    if (log.ClassIndex == kWagListenerClass) {
      line += call + " " + sent + " " + band + " " + mode + " " + call2 + " " + received + " " +
              points + " " + multiplier;
    } else {
      line += call + " " + sent + " " + received + " " + band + " " + mode + " " + points + " " +
              multiplier;
    }
  } else if (definition.SWL != 0) {
    line += band + " " + mode + " " + call + " " + received + " " + call2 + " " + sent;
  } else {
    line += band + " " + mode + " " + call + " " + sent + " " + received;
  }
  return line;
}

void WriteSTFTrailer(TAlleRout& channel) { channel.WriteLine("EndQSOList", true, true); }

}  // namespace output
