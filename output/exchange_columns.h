// The report and exchange of one direction of a QSO as the fixed-width formats (Cabrillo, STF)
// write them: the report in 3 places and the exchange after it, each with a placeholder when it
// is empty, so that a reader splitting the line at blanks finds every column. How a two-part
// exchange is split is the format's own.
#pragma once

#include <string>
#include <string_view>

namespace output {

// How one direction's exchange goes into the line.
struct ExchangeRule {
  bool read_to_end = false;         // the received exchange: all its 24 characters
  bool clear_plain_number = false;  // 'X'/'t' with a German station: a bare number is dropped
  bool two_part = false;            // both parts get a column, "-" for a missing one
  int width = 17;                   // of the exchange after the report
};

struct ReportAndExchange {
  std::string report;    // the first 3 characters, " - " when blank
  std::string exchange;  // characters 4 to 20 (to the end by the rule), " -" and 15 blanks when
                         // blank or cleared
};

ReportAndExchange SplitExchange(std::string_view text, const ExchangeRule& rule);

// Whether a call begins with 'D' (a German station for the 'X' and 't' rules).
bool StartsWithD(std::string_view call);

}  // namespace output
