// The column widths of the QSO list and the quoting of CSV fields.
#include <algorithm>

#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "output/log_walk.h"
#include "output/qso_list.h"
#include "output/sheet_text.h"

namespace output {
namespace {

int TrimmedLength(std::string_view text) { return static_cast<int>(common::Trim(text).size()); }

}  // namespace

void MeasureColumns(TAlleRout& channel, const contest::TContestRec& definition, char code,
                    contest::TdbContestBase& log) {
  std::array<std::int32_t, 7> widths{};
  for (int n = 0; n < 3; ++n) {
    widths[kMultiColumn1 + n] = static_cast<std::int32_t>(definition.MultiplierNames[n].size());
  }
  const bool third_slot = !definition.MultiplierNames[2].empty();
  ForEachQsoOfWholeLog(log, kKeyDateTime, [&](const contest::TContestLKRec& qso) {
    auto widen = [&](int column, int length) {
      widths[column] = std::max(widths[column], length);
    };
    widen(kSentColumn, TrimmedLength(contest::TContestFkt::SentExchangeText(qso)));
    widen(kRcvdColumn, TrimmedLength(contest::TContestFkt::RcvdExchangeText(qso)));
    widen(kCallColumn, TrimmedLength(qso.Call.view()));
    widen(kPointsColumn, static_cast<int>(PointsNumber(qso.Points, code).size()));
    widen(kMultiColumn1, TrimmedLength(qso.CMulti.view()));
    widen(kMultiColumn1 + 1, TrimmedLength(qso.Info.view()));
    if (third_slot) widen(kMultiColumn1 + 2, TrimmedLength(qso.Call2.view()));
  });
  widths[kSentColumn] = std::max(widths[kSentColumn] + 2, 9);
  widths[kRcvdColumn] = std::max(widths[kRcvdColumn] + 2, 9);
  widths[kCallColumn] = std::max(widths[kCallColumn] + 2, 8);
  widths[kPointsColumn] = std::max(widths[kPointsColumn], 1);
  for (int n = 0; n < 3; ++n) widths[kMultiColumn1 + n] += 2;
  channel.ColumnWidths = widths;
}

std::string CsvField(std::string_view field) {
  if (field.find_first_of(";\"") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace output
