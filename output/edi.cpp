#include "output/edi.h"

#include <set>

#include "common/date_mask.h"
#include "common/local_clock.h"
#include "common/number_text.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contest/qso_points.h"
#include "output/log_walk.h"
#include "output/sheet_text.h"
#include "platform/qt/strings.h"

namespace output {
namespace {

using common::Trim;

// A locator as REG1TEST takes it: empty, a square (4) or a full locator (6), no blanks.
std::string EdiLocator(std::string_view stored) {
  std::string wwl(stored);
  std::erase(wwl, ' ');
  if (wwl.size() >= 6) return wwl.substr(0, 6);
  if (wwl.size() >= 4) return wwl.substr(0, 4);
  return {};
}

int ModeCode(std::string_view mode) {
  if (mode == "SSB") return 1;
  if (mode == "CW") return 2;
  if (mode == "AM") return 5;
  if (mode == "FM") return 6;
  if (mode == "RTTY") return 7;
  return 0;
}

// "report;number" of an exchange text. The number is what follows the report up to a '/', and
// only when it is a serial of digits: a contest without serials has its locator or another text
// there, which a REG1TEST reader would take for the QSO number.
std::string ReportAndNumber(std::string_view exchange) {
  std::string number = common::Copy(exchange, 4, 4);
  number = Trim(number.substr(0, number.find('/')));
  if (!common::IsNumberText(number, true)) number.clear();
  return Trim(common::Copy(exchange, 1, 3)) + ";" + number;
}

// The received exchange: the character after the first '/', nothing without one.
std::string ReceivedExchange(std::string_view exchange) {
  const std::size_t slash = exchange.find('/');
  if (slash == std::string_view::npos) return {};
  return std::string(exchange.substr(slash + 1, 1));
}

std::string DateText(std::int32_t date, std::string_view mask) {
  return date > 0 ? common::DateToDateString(date, mask, {}) : std::string();
}

// What a record claims for its QSO: the QSO's points, a new square's bonus taken out and marked.
struct RecordPoints {
  std::uint32_t points = 0;
  bool new_square = false;
};

RecordPoints RecordPointsOf(char code, const contest::TContestLKRec& qso) {
  const std::uint32_t bonus = contest::NewSquareBonus(code);
  // Points below the bonus never held it (a QSO kept without points, a band that scores none).
  if (bonus > 0 && qso.Points >= bonus && contest::TookNewSquare(qso)) {
    return {qso.Points - bonus, true};
  }
  return {qso.Points, false};
}

// A list's entry without the tab the section list ends its entries with.
std::string WithoutTab(std::string_view text) {
  std::string clean(text);
  while (!clean.empty() && (clean.back() == '\t' || clean.back() == ' ')) clean.pop_back();
  return clean;
}

}  // namespace

EdiStatistics CollectEdiStatistics(contest::TdbContestBase& log, char code,
                                   const PeriodSet& periods, char band) {
  EdiStatistics statistics;
  std::set<std::string> entities;
  std::set<std::string> squares;
  std::uint32_t longest = 0;
  ForEachQsoOfWholeLog(log, kKeyDateTime, [&](const contest::TContestLKRec& qso) {
    if (!InPeriod(periods, qso.Datum, qso.Zeit)) return;
    if (band != 0 && qso.Bandcode != band) return;
    ++statistics.qsos;
    const RecordPoints points = RecordPointsOf(code, qso);
    statistics.points += points.points;
    if (points.new_square) ++statistics.new_squares;
    if (const std::string dxcc = Trim(qso.DXCC.view()); !dxcc.empty()) entities.insert(dxcc);
    if (const std::string square = common::LeftStr(EdiLocator(qso.Loc.view()), 4); !square.empty()) {
      squares.insert(square);
    }
    if (qso.Distance > longest) {
      longest = qso.Distance;
      statistics.odx = common::LeftStr(Trim(qso.Call.view()), 12) + ";" +
                       EdiLocator(qso.Loc.view()) + ";" + std::to_string(longest);
    }
  });
  statistics.entities = static_cast<int>(entities.size());
  statistics.squares = static_cast<int>(squares.size());
  return statistics;
}

void WriteEDIFile(TAlleRout& channel, const contest::TContestRec& definition,
                  const contest::TContestKKRec& log, contest::TdbContestBase& table,
                  const PeriodSet& periods, char band, std::int64_t claimed_score) {
  const EdiStatistics statistics = CollectEdiStatistics(table, log.Typ, periods, band);
  TuhfteilnehmerParams participant = FillParticipantForm(definition, log);
  channel.AskParticipant(participant);
  WriteEDIHead(channel, definition, log, participant, statistics, claimed_score);
  KeepParticipantAnswers(participant);
}

void WriteEDIHead(TAlleRout& channel, const contest::TContestRec& definition,
                  const contest::TContestKKRec& log, const TuhfteilnehmerParams& p,
                  const EdiStatistics& statistics, std::int64_t claimed_score) {
  auto line = [&](std::string_view text) { channel.WriteLine(text, true, true); };
  auto key = [&](std::string_view name, std::string_view value) {
    line(std::string(name) + "=" + std::string(value));
  };
  const std::string version = definition.VersionText.str();
  const std::string own_call = common::LeftStr(log.OwnCall.view(), 12);
  const std::uint32_t bonus = contest::NewSquareBonus(log.Typ);

  line("[" + version + "]");
  line("This data was exported using Tarnex " + version);
  line("Call:" + own_call);
  line("Logs generated on " + common::DateToDateString(common::Today(), "dd.mm.yyyy", {}) + " " +
       common::TimeToTimeString(common::CurrentTime(), "hh:mm:ss", {}));
  line("[REG1TEST;1]");
  key("TName", definition.Title.view());
  key("TDate", log.DatumVon > 0 && log.DatumBis > 0
                   ? DateText(log.DatumVon, "yyyymmdd") + ";" + DateText(log.DatumBis, "yyyymmdd")
                   : std::string("0;0"));
  key("PCall", p.pcall);
  key("PWWLo", p.ploc);
  key("PExch", "");
  key("PAdr1", p.padr1);
  key("PAdr2", p.padr2);
  key("PSect", WithoutTab(p.psect));
  key("Wertungsgruppe", WithoutTab(p.psect));
  key("PBand", p.pband);
  key("PClub", p.pclub2.empty() ? p.pclub1 : p.pclub2);
  key("RName", p.rname);
  key("RCall", own_call);
  key("RAdr1", p.radr1);
  key("RAdr2", p.radr2);
  key("RPoCo", p.rpoco);
  key("RCity", p.rcity);
  key("RCoun", p.rcoun);
  key("RPhon", "");
  key("RHBBS", p.remail);
  key("MOpe1", p.mope1);
  key("MOpe2", p.mope2);
  key("STXEq", common::LeftStr(log.TrxText.view(), 30));
  key("SPowe", p.rpower);
  key("SRXEq", p.rtrx);
  key("SAnte", p.rant);
  key("SAntH", "0;0");
  key("CQSOs", Number(statistics.qsos) + ";1");
  key("CQSOP", Number(statistics.points));
  // With a square bonus the squares claimed are those that brought it: new on their band.
  key("CWWLs",
      Number(bonus > 0 ? statistics.new_squares : statistics.squares) + ";" + Number(bonus) + ";1");
  key("CWWLB", Number(std::int64_t{statistics.new_squares} * bonus));
  key("CExcs", "0;0;1");
  key("CExcB", "");
  key("CDXCs", Number(statistics.entities) + ";0;1");
  key("CDXCB", "0");
  key("CToSc", Number(claimed_score));
  key("CODXC", statistics.odx);
  line("[Remarks]");
  const std::vector<std::string> remarks = platform::qt::SplitLines(p.rremarks);
  if (remarks.empty()) line("");
  for (const std::string& remark : remarks) line(remark.starts_with('[') ? " " + remark : remark);
  line("[QSORecords;" + Number(statistics.qsos) + "]");
}

std::string WriteEDIQSO(const contest::TContestKKRec& log, const contest::TContestLKRec& qso) {
  const std::string received_text = contest::TContestFkt::RcvdExchangeText(qso);
  const bool nord = log.Typ == 'e';
  const std::string received =
      nord ? Fit(qso.DOK1.view(), 6) + Fit(qso.DOK2.view(), 2) : ReceivedExchange(received_text);
  const RecordPoints points = RecordPointsOf(log.Typ, qso);
  return DateText(qso.Datum, "yymmdd") + ";" + common::TimeToTimeString(qso.Zeit, "hhmm", {}) +
         ";" + Trim(qso.Call.view()) + ";" + Number(ModeCode(qso.Mode.view())) + ";" +
         ReportAndNumber(contest::TContestFkt::SentExchangeText(qso)) + ";" +
         ReportAndNumber(received_text) + ";" + received + ";" + EdiLocator(qso.Loc.view()) + ";" +
         Number(points.points) + ";;" + (points.new_square ? "N" : "") + ";;";
}

}  // namespace output
