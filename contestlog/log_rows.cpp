#include "contestlog/log_rows.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/key_text.h"
#include "common/lang_text.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/log_start.h"
#include "logbook/reference/bands.h"

namespace contestlog {
namespace {

constexpr int kDateColumn = 10;
constexpr int kMultiColumn = 6;
constexpr int kNameColumn = 10;
constexpr int kFillerBlanks = 200;
constexpr int kNumberPlaces = 6;
constexpr int kReportLength = 3;
// Cells of a QSY marker after its band-change text, up to the QSL marks' column.
constexpr int kQsyEmptyCells = 7;
constexpr const char* kTimeMask = "hh:mm";
constexpr const char* kRowSeparator = "; ";
constexpr int kFirstNumber = 1;
constexpr int kLastNumber = 999999999;
constexpr int kCallKeyWidth = 14;
constexpr int kDxccKeyWidth = 6;

bool ListenerLog(const contest::TContestRec& definition) { return definition.SWL != 0; }

// "599B36" as "599 B36": the report, a blank, the exchange.
std::string SplitReport(std::string_view text) {
  return std::string(text.substr(0, kReportLength)) + " " +
         std::string(text.substr(std::min<std::size_t>(kReportLength, text.size())));
}

std::string Join(const std::vector<std::string>& cells, std::string_view separator) {
  std::string row;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) row += separator;
    row += cells[i];
  }
  return row;
}

std::string BandName(char band) {
  return common::Service<logbook::ToBaender>::Get().Band2Name(band, false);
}

// Points in tenths for contest 'R': "12,3".
std::string PointsText(std::uint32_t points, char code) {
  if (code != 'R') return std::to_string(points);
  return std::to_string(points / 10) + "," + std::to_string(points % 10);
}

std::string MultiplierCell(const contest::TContestRec& definition, int slot,
                           std::string_view value) {
  if (definition.MultiplierNames[slot].empty()) return "";
  return value.empty() ? std::string(" ") : std::string(value);
}

std::string ThirdMultiplierCell(const contest::TContestLKRec& qso, const ContestLogCore& window,
                                char code) {
  if (window.Definition.MultiplierNames[2].empty()) return "";
  if (code == 'k') {
    const contest::TContLogAlle no_rules;
    const contest::TContLogAlle& rules = window.Service != nullptr ? *window.Service : no_rules;
    return rules.IsBonusStation(qso.Call.view(), window.Definition, *window.Catalogue)
               ? qso.Call.str()
               : std::string(" ");
  }
  return qso.Call2.empty() ? std::string(" ") : qso.Call2.str();
}

std::string DateCell(std::int32_t date) {
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  const std::string& mask = dates.DefaultDateMask();
  if (date < 1) return std::string(mask.size(), ' ');
  return dates.DateToDateString(date, mask);
}

// A QSO logged at midnight has the time 0; only a negative time is missing.
std::string TimeCell(std::int32_t time) {
  if (time < 0) return std::string(std::string_view(kTimeMask).size(), ' ');
  return common::Service<common::ToDates>::Get().TimeToTimeString(time, kTimeMask);
}

}  // namespace

std::string PadColumn(std::string_view text, int width) {
  return common::PadRightChar(text, width, ' ');
}

std::string HeaderText(const contest::TContestRec& definition) {
  std::vector<std::string> cells = {"Nr ",
                                    PadColumn(common::LangText(" Datum  ", "  Date    "),
                                              kDateColumn),
                                    PadColumn(" UTC", 5),
                                    " Call    ",
                                    "Band ",
                                    "Mod",
                                    " RSTsent      "};
  if (ListenerLog(definition)) {
    cells.push_back("Call2  ");
    cells.push_back("RSTsent2 ");
  } else {
    cells.push_back(" RSTrcvd      ");
  }
  for (const contest::ContestText& name : definition.MultiplierNames) {
    if (!name.empty()) cells.push_back(PadColumn(name.view(), kMultiColumn));
  }
  cells.push_back("Pkt");
  cells.push_back("sQr");
  if (!ListenerLog(definition)) {
    cells.push_back(PadColumn("Name", kNameColumn));
    cells.push_back(PadColumn("QTH", kNameColumn));
    cells.push_back("Freq.");
  }
  return Join(cells, ";") + ";" + std::string(kFillerBlanks, ' ');
}

std::string BuildRowText(std::string_view field, const contest::TdbContestBase& table,
                         const ContestLogCore& window) {
  contest::TContestLKRec qso{};
  table.GetLKRec(qso);
  const contest::TContestRec& definition = window.Definition;
  const char code = ContestCode(*window.Catalogue);
  const bool listener = ListenerLog(definition);
  if (field == "RSTs") {
    const std::string text = contest::TContestFkt::SentExchangeText(qso);
    return listener ? text : SplitReport(text);
  }
  if (field == "RSTr") {
    std::string text = contest::TContestFkt::RcvdExchangeText(qso);
    if (code == 'z') std::erase(text, '/');
    return listener ? text : SplitReport(text);
  }
  if (field == "Band") return BandName(qso.Bandcode);
  if (field == "Pkt") return PointsText(qso.Points, code);
  if (field == "Call2") return qso.Call2.str();
  if (field == "Nr") return common::IntToStrMask(static_cast<std::int32_t>(qso.wagNummer), kNumberPlaces);
  if (field == "sQr") {
    std::string marks(1, qso.QslSent == 0 ? ' ' : qso.QslSent);
    marks += qso.QslRcvd == 0 ? std::string("  ") : std::string(" ") + qso.QslRcvd;
    return marks;
  }
  if (field == "Name" || field == "QTH") {
    const std::string_view text = qso.NameQth.view();
    const std::size_t separator = text.find(';');
    if (field == "Name") {
      return separator == std::string_view::npos ? "" : std::string(text.substr(0, separator));
    }
    return separator == std::string_view::npos ? std::string(text)
                                               : std::string(text.substr(separator + 1));
  }
  if (field == "Freq") {
    return common::FloatToStrMask(static_cast<float>(qso.Frequency), 0, 3, ',');
  }
  if (field == "Multi1") return MultiplierCell(definition, 0, qso.CMulti.view());
  if (field == "Multi2") return MultiplierCell(definition, 1, qso.Info.view());
  if (field == "Multi3") return ThirdMultiplierCell(qso, window, code);
  return "";
}

std::string BuildLogRow(std::int32_t ref, const ContestLogCore& window) {
  contest::TdbContest table(contest::kTableLK, window.LogNumber);
  if (ref <= 0 || !table.GotoRef(ref)) return "";
  contest::TContestLKRec qso{};
  table.GetLKRec(qso);
  const bool listener = ListenerLog(window.Definition);
  std::string row;
  if (qso.SkipMark != 0) {
    std::vector<std::string> cells = {"", DateCell(qso.Datum), TimeCell(qso.Zeit),
                                      "*** QSY " + BandName(static_cast<char>(qso.SkipMark)) +
                                          " ***"};
    cells.resize(cells.size() + kQsyEmptyCells);
    row = Join(cells, kRowSeparator);
  } else {
    std::string sent = BuildRowText("RSTs", table, window);
    std::string received = BuildRowText("RSTr", table, window);
    std::string report_cells;
    if (listener) {
      report_cells = received + kRowSeparator + qso.Call2.str() + kRowSeparator + sent;
    } else {
      report_cells = SplitReport(sent) + kRowSeparator + SplitReport(received);
    }
    std::string multipliers;
    for (const char* slot : {"Multi1", "Multi2", "Multi3"}) {
      const std::string cell = BuildRowText(slot, table, window);
      if (!cell.empty()) multipliers += cell + kRowSeparator;
    }
    row = Join({BuildRowText("Nr", table, window), DateCell(qso.Datum), TimeCell(qso.Zeit),
                qso.Call.str(), BuildRowText("Band", table, window), qso.Mode.str(),
                report_cells},
               kRowSeparator) +
          kRowSeparator + multipliers +
          Join({BuildRowText("Pkt", table, window), BuildRowText("sQr", table, window)},
               kRowSeparator);
    if (!listener) {
      row += kRowSeparator + BuildRowText("Name", table, window) + kRowSeparator +
             BuildRowText("QTH", table, window) + kRowSeparator +
             BuildRowText("Freq", table, window);
      row = common::UpperCase(row);
    }
  }
  if (qso.sel == 1) row.insert(row.begin(), '\x01');
  return row;
}

int LogListSortKey(int order, char band, bool key_form, common::TKeyStr& low,
                   common::TKeyStr& high) {
  const std::string letter(1, band);
  auto bounds = [&](const std::string& from, const std::string& to) {
    low = common::ShortToLenArray(from);
    high = common::ShortToLenArray(to);
  };
  switch (order) {
    case 0:
      bounds(letter, letter);
      return 8;
    case 1:
      bounds(letter + PadColumn("1", kCallKeyWidth), letter + std::string(kCallKeyWidth, 'Z'));
      return 9;
    case 2:
      bounds(letter + PadColumn("1", kDxccKeyWidth), letter + std::string(kDxccKeyWidth, 'Z'));
      return 10;
    case 3:
      bounds(common::KeyIntToStr(kFirstNumber, key_form),
             common::KeyIntToStr(kLastNumber, key_form));
      return 4;
    case 4:
      bounds("", "");
      return 2;
    case 5:
      bounds(PadColumn("0", kDxccKeyWidth), std::string(kDxccKeyWidth, 'Z'));
      return 5;
    case 6:
      bounds(PadColumn("0", kDxccKeyWidth), std::string(kDxccKeyWidth, 'Z'));
      return 18;
    default:
      return 1;
  }
}

}  // namespace contestlog
