// The page header and the lines of the QSO list.
#include <algorithm>

#include "common/date_mask.h"
#include "common/service.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "logbook/reference/bands.h"
#include "output/own_station.h"
#include "output/qso_list.h"
#include "output/sheet_text.h"
#include "platform/qt/printer.h"

namespace output {
namespace {

// One line of the list: fields joined by the channel's separator, each followed by it; on the
// CSV channel a field that holds the separator or a quote is quoted.
class ListRow {
 public:
  explicit ListRow(const TAlleRout& channel)
      : csv_(channel.GetChannel() == Channel::kCsv), separator_(csv_ ? ";" : " ") {}

  void Add(std::string_view field) {
    Append(field);
    text_ += separator_;
  }
  // A field without the separator after it (the points, the name and QTH).
  void Append(std::string_view field) { text_ += csv_ ? CsvField(field) : std::string(field); }
  void AppendSeparator() { text_ += separator_; }
  bool Csv() const { return csv_; }
  const std::string& Text() const { return text_; }

 private:
  bool csv_;
  std::string separator_;
  std::string text_;
};

std::string BandName(char band) {
  return common::Service<logbook::ToBaender>::Get().Band2Name(band, false);
}

// The report in 3 places, a blank, and the rest of the exchange text in `width` - 4.
std::string ExchangeBlock(std::string_view exchange, int width) {
  return Fit(common::Copy(exchange, 1, 3), 3) + " " + Fit(common::CopyFrom(exchange, 4), width - 4);
}

// Name and QTH are stored as "name;QTH".
std::string NameAndQth(std::string_view stored) {
  const std::string name = common::StrBefore(stored, ";");
  const std::string qth = common::StrAfter(stored, ";");
  return !name.empty() && !qth.empty() ? name + "/" + qth : name;
}

bool ListsNameAndQth(char code) { return code == 'I' || code == 'l'; }

}  // namespace

std::string BandColumn(const TAlleRout& channel, char band) {
  const std::string name = BandName(band);
  std::string column = channel.PadField(common::LeftStr(name, static_cast<int>(name.size()) - 1), 4);
  const std::size_t c = column.find('c');
  if (c != std::string::npos) {
    column.erase(c, 1);
    column += ' ';
    column = channel.PadField(column, 4);
  }
  return column;
}

void WriteListHeader(TAlleRout& channel, const contest::TContestRec& definition,
                     const contest::TContestKKRec& log, char band) {
  const std::array<std::int32_t, 7>& w = channel.ColumnWidths;
  const bool listener = definition.SWL != 0;
  ListRow row(channel);
  if (!row.Csv()) {
    std::string title = definition.Title.str() +
                        (band != 0 ? "  -  Band-Log " + BandName(band) : "  -  QSO-Liste");
    title += listener ? "     SWL : " + OwnStationFromSettings().swl_number
                      : "     CALL: " + log.OwnCall.str();
    title = Fit(title, 77);
    if (channel.GetChannel() == Channel::kPrinter) {
      title += "Page : " + Number(platform::qt::Printer().PageNumber());
    }
    channel.BoldOn();
    channel.WriteLine(title, true, true);
    channel.BoldOff();
    channel.WriteLine(" ", true, true);
    row.Add("Nr   ");
  }
  row.Add("DATE  ");
  row.Add("UTC ");
  row.Add(channel.PadField("CALL ", w[kCallColumn]));
  row.Add("BAND");
  row.Add("MODE  ");
  row.Add(channel.PadField("SENT  ", w[kSentColumn]));
  if (listener) {
    row.Add("CALL2    ");
    row.Add(channel.PadField("SENT2 ", w[kRcvdColumn]));
  } else {
    row.Add(channel.PadField("RCVD  ", w[kRcvdColumn]));
  }
  for (int n = 0; n < 3; ++n) {
    const auto& name = definition.MultiplierNames[n];
    if (!name.empty()) row.Add(channel.PadField(name.view(), w[kMultiColumn1 + n]));
  }
  const int points = w[kPointsColumn];
  row.Append(common::PadLeftBlank(points >= 3 ? "Pkt" : "P", points));
  if (ListsNameAndQth(log.Typ)) {
    row.AppendSeparator();
    row.Append(channel.PadField("Name/QTH", 8));
  }
  channel.WriteLine(row.Text(), true, true);
}

std::string WriteListQSO(const TAlleRout& channel, std::int32_t ordinal,
                         const contest::TContestRec& definition,
                         const contest::TdbContestBase& catalogue,
                         const contest::TContestLKRec& qso) {
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  const std::array<std::int32_t, 7>& w = channel.ColumnWidths;
  ListRow row(channel);
  std::string date(6, ' ');
  if (qso.Datum > 0) {
    date = common::DateToDateString(qso.Datum, row.Csv() ? "dd.mm.yyyy" : "ddmmyy", {});
  }
  if (row.Csv()) {
    row.Add(channel.PadField(date, 6));
  } else {
    row.Add(common::PadLeftBlank(Number(ordinal), 5) + " " + channel.PadField(date, 6));
  }
  row.Add(common::TimeToTimeString(qso.Zeit, row.Csv() ? "hh:mm" : "hhmm", {}));
  row.Add(channel.PadField(qso.Call.view(), w[kCallColumn]));
  row.Add(BandColumn(channel, qso.Bandcode));
  row.Add(channel.PadField(qso.Mode.view(), 6));
  const std::string sent = ExchangeBlock(contest::TContestFkt::SentExchangeText(qso), w[kSentColumn]);
  std::string received_text = contest::TContestFkt::RcvdExchangeText(qso);
  if (log.Typ == 'z') std::erase(received_text, '/');
  const std::string received = ExchangeBlock(received_text, w[kRcvdColumn]);
  if (definition.SWL != 0) {
    row.Add(received);
    row.Add(Fit(qso.Call2.view(), 9));
    row.Add(sent);
  } else {
    row.Add(sent);
    row.Add(received);
  }
  for (int n = 0; n < 3; ++n) {
    if (definition.MultiplierNames[n].empty()) continue;
    std::string value = n == 0 ? qso.CMulti.str() : n == 1 ? qso.Info.str() : qso.Call2.str();
    if (n == 2 && log.Typ == 'k') {
      const contest::TContLogAlle rules;
      value = rules.IsBonusStation(qso.Call.view(), definition, catalogue) ? qso.Call.str() : "";
    }
    row.Add(channel.PadField(value, w[kMultiColumn1 + n]));
  }
  row.Append(common::PadLeftBlank(PointsNumber(qso.Points, log.Typ), w[kPointsColumn]));
  // A CSV reader takes the name's column from the header: every line has it.
  const std::string name_and_qth = NameAndQth(common::Trim(qso.NameQth.view()));
  if (ListsNameAndQth(log.Typ) && (row.Csv() || !name_and_qth.empty())) {
    row.AppendSeparator();
    row.Append(name_and_qth);
  }
  return row.Text();
}

}  // namespace output
