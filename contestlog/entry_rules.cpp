#include "contestlog/entry_rules.h"

#include <algorithm>
#include <initializer_list>

#include "common/number_mask.h"
#include "common/string_helpers.h"

namespace contestlog {
namespace {

constexpr int kCallLength = 12;
constexpr int kReportLength = 3;
constexpr int kNameAndDokRoom = 16;

struct Segment {
  double low;
  double high;
};

bool InAny(double f, std::initializer_list<Segment> segments) {
  return std::any_of(segments.begin(), segments.end(),
                     [f](const Segment& s) { return f >= s.low && f <= s.high; });
}

}  // namespace

std::array<std::string, 4> ExchangeRowValues(const contest::TContestRec& definition,
                                             std::array<std::string, 4> row) {
  for (std::size_t slot = 0; slot < definition.ExchangeKindsRcvd.size(); ++slot) {
    row[slot + 1] = ExchangeFieldValue(definition.ExchangeKindsRcvd[slot], row[slot + 1]);
  }
  return row;
}

std::string NormaliseCall(std::string_view typed) {
  std::string call =
      common::ReplaceChar(common::LeftStr(common::Trim(common::UpperCase(typed)), kCallLength),
                          '-', '/');
  std::string out;
  out.reserve(call.size() + 1);
  bool slashed = call.find('/') != std::string::npos;
  for (char c : call) {
    if (c != ' ') {
      out += c;
    } else if (!slashed) {
      out += '/';
      slashed = true;
    }
  }
  if (!out.empty() && out.back() == '#') {
    out.pop_back();
    out += "/p";
  }
  return out;
}

std::string ReportForMode(std::string_view report, std::string_view mode) {
  std::string rst = common::PadRightChar(common::LeftStr(report, kReportLength), kReportLength, ' ');
  const std::string m = common::Trim(mode);
  if (m == "CW") {
    if (rst[2] == ' ' && rst[1] != ' ') rst[2] = '9';
  } else if (m == "SSB" || m == "PR" || m == "FM") {
    rst[2] = ' ';
  }
  return rst;
}

int NameRoom(const contest::TContestRec& definition, std::string_view field3,
             std::string_view field4) {
  const auto& kinds = definition.ExchangeKindsRcvd;
  if (kinds[0] != kKindName || kinds[1] != kKindDok) return -1;
  int room = kNameAndDokRoom - static_cast<int>(field3.size());
  if (IsLocatorKind(kinds[2])) room -= static_cast<int>(field4.size()) + 1;
  return std::max(room, 0);
}

std::string DefaultReport(char code, std::string_view mode, bool mode_typed) {
  if (code == 'j') return "";
  return common::Trim(mode) == "CW" || mode_typed ? "599" : "59 ";
}

bool CheckBandPlan(char code, std::string_view mode, char band, double frequency) {
  const std::string m = common::Trim(mode);
  const double f = frequency;
  if (code == 'W') {
    if (m == "CW") return !InAny(f, {{3.56, 3.8}, {7.04, 7.2}, {14.06, 14.35}});
    if (m == "SSB") {
      return !InAny(f, {{3.65, 3.7},
                        {7.04, 7.14},
                        {14.1, 14.125},
                        {14.28, 14.35},
                        {21.35, 21.45},
                        {28.225, 28.4}});
    }
    return true;
  }
  if (code == 'z' || code == 'H') return true;
  if (m == "CW") {
    switch (band) {
      case 'a':
        return InAny(f, {{1.8099, 1.849}});
      case 'b':
        return InAny(f, {{3.5099, 3.56}});
      case 'e':
        return InAny(f, {{13.999, 14.06}});
      default:
        return true;
    }
  }
  if (m == "SSB") {
    switch (band) {
      case 'b':
        return InAny(f, {{3.599, 3.65}, {3.699, 3.8}});
      case 'e':
        return InAny(f, {{14.1249, 14.3}});
      default:
        return true;
    }
  }
  return true;
}

std::string BearingText(double bearing) { return " " + common::FloatToStrMask(bearing, 0, 1); }

}  // namespace contestlog
