#include "contestlog/log_start.h"

#include <algorithm>
#include <initializer_list>

#include "common/date_mask.h"
#include "common/string_helpers.h"

namespace contestlog {
namespace {

constexpr int kModeLength = 6;
constexpr const char* kPeriodDateMask = "dd.mm.yyyy";
constexpr const char* kPeriodTimeMask = "hh:mm:ss";

bool InForce(const contest::TContestPeriod& period, std::int32_t today, std::int32_t now) {
  if (!period.PeriodSpare.empty() && period.PeriodSpare != period.PeriodDate) return true;
  const std::int32_t day = common::DateStringToDate(period.PeriodDate.view(), kPeriodDateMask);
  const std::int32_t from = common::TimeStringToTime(period.PeriodTimeFrom.view(), kPeriodTimeMask);
  const std::int32_t to = common::TimeStringToTime(period.PeriodTimeTo.view(), kPeriodTimeMask);
  return day == today && to > now && from <= now;
}

// The caption of an exchange kind in the order the captions are tried; the last match stands.
struct KindCaption {
  std::initializer_list<int> kinds;
  const char* caption;
};

// The member number of kind 16 by contest code.
const char* MemberCaption16(char code) {
  switch (code) {
    case 'f':
    case 'w':
      return "AGCW";
    case 'k':
      return "QCWA";
    case 'n':
      return "IBFD";
    case 'p':
      return "DSW/Paddel";
    default:
      return "DIG";
  }
}

// The member number of kind 19 by contest code; most contests give it no caption.
const char* MemberCaption19(char code) {
  switch (code) {
    case 'i':
      return "Naval";
    case 'k':
      return "QCWA";
    case 'p':
      return "DSW/Paddel";
    default:
      return "";
  }
}

}  // namespace

char ContestCode(const contest::TdbContestBase& catalogue) {
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  return log.Typ;
}

std::string WholeModeName(const contest::TContestRec& definition, std::string_view mode) {
  const std::string wanted = common::Trim(std::string(mode));
  for (const contest::ContestText& m : definition.Modes) {
    const std::string name = common::Trim(m.str());
    if (!wanted.empty() && name.starts_with(wanted)) return name;
  }
  return wanted;
}

bool HasMode(const contest::TContestRec& definition, std::string_view mode) {
  return std::any_of(definition.Modes.begin(), definition.Modes.end(),
                     [&](const contest::ContestText& m) { return m.view() == mode; });
}

char PeriodStartBand(const contest::TContestRec& definition, char band, std::int32_t today,
                     std::int32_t now) {
  for (const contest::TContestPeriod& period : definition.Periods) {
    if (!InForce(period, today, now)) continue;
    const auto& bands = period.PeriodBands;
    if (std::find(bands.begin(), bands.end(), band) != bands.end()) return band;
    // A period without bands cannot say where to go: the band stays.
    return bands[0] != 0 ? bands[0] : band;
  }
  return band;
}

std::string StartMode(const contest::TContestRec& definition, const contest::TContestKKRec& log) {
  std::string mode(definition.Modes[0].view().substr(0, kModeLength));
  if (log.ModeSSB != 0 && HasMode(definition, "SSB")) mode = "SSB";
  if (log.ModeFM != 0 && HasMode(definition, "FM")) mode = "FM";
  if (log.ModePR != 0) {
    if (HasMode(definition, "PR")) mode = "PR";
    if (HasMode(definition, "FSK441")) mode = "FSK441";
    if (HasMode(definition, "DIGITAL")) mode = "DIGI";
    if (HasMode(definition, "RTTY")) mode = "RTTY";
  }
  if (log.ModeSSB == 0 && log.ModeFM == 0 && log.ModePR == 0 && HasMode(definition, "CW")) {
    mode = "CW";
  }
  return mode;
}

std::string ExchangeCaption(const contest::TContestRec& definition, char code, int slot) {
  const int index = slot - 2;
  if (index < 0 || index >= contest::kExchangeSlots) return "";
  const KindCaption captions[] = {{{7, 11, 13}, "lfd.Nr."}, {{4}, "DOK"},      {{8}, "Area"},
                                  {{1, 22}, "Prefix"},      {{17}, "LDK"},     {{5, 6}, "LOC"},
                                  {{12}, "US-State"},       {{15}, "PLZ"},     {{20}, "Name"},
                                  {{16}, MemberCaption16(code)}, {{19}, MemberCaption19(code)}};
  const int kind = definition.ExchangeKindsRcvd[index];
  std::string caption;
  for (const KindCaption& c : captions) {
    if (std::find(c.kinds.begin(), c.kinds.end(), kind) != c.kinds.end()) caption = c.caption;
  }
  const contest::ContestText& own = definition.ExchangeLabels[index];
  return own.empty() ? caption : own.str();
}

}  // namespace contestlog
