// The summary sheet down to the periods: address, title, station line, category and the
// contest-specific participant details, with the block of the older VHF logs (contest code 0).
#include "common/date_mask.h"
#include "common/lang_text.h"
#include "output/sheet_text.h"
#include "output/summary_sheet.h"

namespace output {
namespace {

using common::LangText;
using common::Trim;

constexpr int kVhfRuleWidth = 75;

std::string DateText(std::int32_t date) { return common::DateToDateString(date, "dd.mm.yyyy", {}); }
std::string TimeText(std::int32_t time) { return common::TimeToTimeString(time, "hh:mm:ss", {}); }

// The scoring groups of 'Y' by the log's number field.
std::string ScoringGroup(std::int32_t group) {
  switch (group) {
    case 0:
      return "S: Single = Single OP/Single TX";
    case 1:
      return "M: Multi = Multi OP/Single TX";
    case 2:
      return "SWL";
    default:
      return {};
  }
}

}  // namespace

SummarySheet::SummarySheet(TAlleRout& channel, const contest::TContestRec& definition,
                           const contest::TContestKKRec& log, const BandSlotTallies& tallies,
                           const SheetFacts& facts)
    : channel_(channel), definition_(definition), log_(log), tallies_(tallies), facts_(facts) {}

void SummarySheet::Line(std::string_view text) { channel_.WriteLine(text, true, true); }

std::string SummarySheet::Pair(std::string_view german, std::string_view english) const {
  return std::string(channel_.English ? english : german);
}

void SummarySheet::WriteAddress() {
  const OwnStationTexts& s = facts_.station;
  for (int i = 0; i < 3; ++i) Line(" ");
  channel_.BoldOn();
  Line(Fit("Name:", 12) + s.name);
  Line(Fit(Pair("Anschrift:", "Address:"), 12) + Trim(s.street));
  Line(Fit(Pair("Ort:", ""), 12) + Trim(s.city));
  Line(" ");
  channel_.BoldOff();
  Line(channel_.English ? Fit("Country:", 12) + Trim(s.country) : std::string(" "));
  Line(" ");
}

void SummarySheet::WriteTitle() {
  channel_.BoldOn();
  Line(common::CenterBlank(definition_.Title.view(), 60));
  channel_.BoldOff();
  Line(" ");
}

void SummarySheet::WriteStationLines() {
  const OwnStationTexts& s = facts_.station;
  std::string line;
  if (channel_.English) {
    line = Listener() ? Fit("SWL:", 10) + Fit(s.swl_number, 20)
                      : Fit("Callsign:", 10) + Fit(OwnCall(), 20);
  } else {
    line = Listener() ? Fit("SWL:", 6) + Fit(s.swl_number, 20) : Fit("Call:", 6) + Fit(OwnCall(), 13);
    line += Code() == 'A' ? Fit("LDK:", 5) + Fit(log_.OwnLDK.view(), 13)
                          : Fit("DOK:", 5) + Fit(log_.OwnDOK.view(), 13);
  }
  if (!Trim(s.locator).empty()) line += Fit("Loc:", 5) + Fit(s.locator, 9);
  const auto number = static_cast<std::int32_t>(log_.OperatorNumber.get());
  const std::string number_text = number > 0 ? common::IntToStrAt(number, 4) : std::string();
  switch (Code()) {
    case '7':
      line += "DIG: " + number_text;
      break;
    case 'm':
      line += "Teiln.-Nr: " + number_text;
      break;
    case '4':
      line += "RTC: " + number_text;
      break;
    case 0:
      line += "Band: " + log_.BandText.str();
      break;
    default:
      break;
  }
  channel_.BoldOn();
  Line(line);
  Line("");
}

void SummarySheet::WriteCategory() {
  const std::size_t index = log_.ClassIndex;
  std::string line;
  if (index > 0) {
    const std::string label = channel_.English ? Fit("Category:", 10) : Fit("Teilnahmeart:", 14);
    const std::string text =
        index <= definition_.Classes.size() ? definition_.Classes[index - 1].ClassText.str() : "";
    line = label + text;
  }
  Line(line);
  Line("");
}

void SummarySheet::WriteParticipantDetails() {
  const auto number = static_cast<std::int32_t>(log_.OperatorNumber.get());
  if (Code() == 'P') Line("Lebensalter: " + (number == -1 ? std::string("XX") : Number(number)));
  channel_.BoldOff();
  Line(" ");
  if (Code() == 'Z') {
    Line(std::string("IPARC-Mitglied: ") + (log_.MultiplierFlag != 0 ? "Ja" : "Nein"));
    Line(" ");
  }
  if (Code() == 'Y') {
    Line("Wertungsgruppe: " + ScoringGroup(number));
    Line(" ");
  }
  if (Code() == 0) WriteOlderVhfBlock();
}

void SummarySheet::WriteOlderVhfBlock() {
  const std::string rule(kVhfRuleWidth, '-');
  Line(LangText("Einmann/Mehrmann   : ", "one/several op.s   : ") + (log_.Switch71 != 0 ? "E" : "M"));
  Line(LangText("Punkte pro km      : ", "points per km      : ") + Number(log_.Switch72));
  Line(rule);
  Line(LangText("Angaben zur Station:", "station : "));
  Line(rule);
  Line("TRX                : " + log_.TrxText.str());
  Line("PWR                : " + log_.PowerText.str());
  Line("ANT                : " + log_.AntennaText.str());
  Line(LangText("Höhe über Grund    : ", "Height             : ") +
       Number(log_.HeightAboveGround) + " mtr");
  Line(LangText("Höhe über NN       : ", "NN                 : ") + Number(log_.HeightAboveSea) +
       " mtr");
  Line(rule);
  Line(LangText("Gearb.Größtfelder  : ", "worked squares     : ") + Number(log_.WorkedSquares));
  Line(LangText("Gearb.Länder       : ", "worked countries   : ") + Number(log_.WorkedCountries));
  Line(LangText("Punkte pro QSO     : ", "points per QSO     : ") + Number(log_.PointsPerQso));
  Line(LangText("Gültige Verbind.   : ", "valid QSO          : ") + Number(log_.ValidQsos));
  Line("ODX                : " + facts_.lists.odx);
  const std::int64_t total = std::int64_t{log_.Switch72} * log_.PointsBase.get();
  Line(LangText("Gesamtpunktzahl    : ", "points             : ") + Number(total));
}

void SummarySheet::WriteContestPeriod(const PeriodSet& periods) {
  for (int i = 0; i < 4; ++i) {
    std::string parts;
    if (periods.start_dates[i] > 0) parts += DateText(periods.start_dates[i]) + " ";
    if (periods.start_times[i] > 0) parts += TimeText(periods.start_times[i]) + " - ";
    if (periods.end_dates[i] > 0) parts += DateText(periods.end_dates[i]) + " ";
    if (periods.end_times[i] > 0) parts += TimeText(periods.end_times[i]);
    if (parts.empty()) continue;
    Line(Fit(i == 0 ? "Wertungszeitraum:" : " ", 18) + parts);
  }
}

}  // namespace output
