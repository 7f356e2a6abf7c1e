#include "contestlog/chart_counts.h"

#include <algorithm>

#include "common/dates.h"
#include "contest/contest_fkt.h"

namespace contestlog {
namespace {

constexpr int kKeyDateTime = 1;        // "Datum,Zeit"
constexpr int kFirstContestHour = 15;  // the period starts at 15:00 UTC of the start day
constexpr int kBarBase = 250;          // the baseline's y
constexpr int kBarFull = kBarBase - kBarRange;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Calls `visit` with each record of `log` by date and time, leaving out the skip-marked ones,
// until it answers false.
template <typename Visit>
void WalkByDateTime(contest::TdbContestBase& log, Visit visit) {
  contest::TContestLKRec record{};
  for (bool found = log.First(kKeyDateTime); found; found = log.Next(false, true)) {
    log.GetLKRec(record);
    if (record.SkipMark != 0) continue;
    if (!visit(record)) return;
  }
}

}  // namespace

int HourlyColumn(std::int32_t start_day, std::int32_t date, std::int32_t time) {
  const std::int64_t days = static_cast<std::int64_t>(date) - start_day;
  // Far off days stay far off without overflowing.
  const std::int64_t column = std::clamp<std::int64_t>(days, -2, 2) * 24 +
                              common::TimeToHMS(time).hour - (kFirstContestHour - 1);
  return static_cast<int>(column);
}

HourlyCounts CountHourly(contest::TdbContestBase& log, std::int32_t start_day) {
  HourlyCounts counts;
  WalkByDateTime(log, [&](const contest::TContestLKRec& qso) {
    const int column = HourlyColumn(start_day, qso.Datum, qso.Zeit);
    if (column < 1) {
      ++counts.early;
      return true;
    }
    if (column > kChartHours) {
      counts.late = true;
      return false;
    }
    ++counts.qsos[column];
    if (!qso.CMulti.empty()) ++counts.multis[column];
    return true;
  });
  return counts;
}

std::optional<int> PartnerAge(std::string_view exchange_text) {
  if (exchange_text.size() < 5) return std::nullopt;
  const char tens = exchange_text[3];
  const char ones = exchange_text[4];
  if (!IsDigit(tens) || !IsDigit(ones)) return std::nullopt;
  return (tens - '0') * 10 + (ones - '0');
}

int AgeCounter(int age, int step) {
  if (age >= kOldestAge) return kOldestAge;
  return step > 1 ? age - age % step : age;
}

std::array<int, kOldestAge + 1> CountAges(contest::TdbContestBase& log, int step) {
  std::array<int, kOldestAge + 1> counters{};
  WalkByDateTime(log, [&](const contest::TContestLKRec& qso) {
    if (qso.Points <= 0) return true;
    const std::optional<int> age = PartnerAge(contest::TContestFkt::RcvdExchangeText(qso));
    if (age.has_value()) ++counters[AgeCounter(*age, step)];
    return true;
  });
  return counters;
}

int ChartScale(int largest) {
  if (largest <= 0) return 0;
  const int scale = std::max(largest, 10);
  return (scale + 9) / 10 * 10;
}

int BarTop(int scale, int count) {
  return static_cast<int>(static_cast<std::int64_t>(scale - count) * kBarRange / scale) + kBarFull;
}

}  // namespace contestlog
