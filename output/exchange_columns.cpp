#include "output/exchange_columns.h"

#include "common/number_text.h"
#include "common/string_helpers.h"
#include "output/sheet_text.h"

namespace output {

ReportAndExchange SplitExchange(std::string_view text, const ExchangeRule& rule) {
  ReportAndExchange split{
      common::Copy(text, 1, 3),
      rule.read_to_end ? common::CopyFrom(text, 4) : common::Copy(text, 4, 17)};
  if (rule.clear_plain_number && common::IsNumberText(common::Trim(split.exchange), true)) {
    split.exchange.clear();
  }
  if (common::Trim(split.report).empty()) split.report = " - ";
  if (common::Trim(split.exchange).empty()) split.exchange = " -" + Blanks(15);
  return split;
}

bool StartsWithD(std::string_view call) { return common::FirstChar(common::Trim(call)) == 'D'; }

}  // namespace output
