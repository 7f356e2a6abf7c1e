#include "common/date_mask.h"

#include <algorithm>

#include "common/cp1252.h"
#include "common/dates.h"

namespace common {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

std::string_view CutMask(std::string_view mask) {
  return mask.substr(0, std::min(mask.size(), kMaxMaskLength));
}

struct Run {
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the last position; begin == end when the letter is absent
  bool found() const { return end > begin; }
};

// The first run of `letter` (either case) in the mask.
Run FindRun(std::string_view mask, char letter) {
  Run run;
  std::size_t i = 0;
  while (i < mask.size() && Lower(mask[i]) != letter) ++i;
  run.begin = run.end = i;
  while (run.end < mask.size() && Lower(mask[run.end]) == letter) ++run.end;
  return run;
}

// The number right-aligned and copied from the right into the run: wider numbers lose their
// leftmost digits; a lower-case letter shows empty leading places as '0'.
void FillNumber(std::string& out, char letter, int value) {
  const Run run = FindRun(out, letter);
  std::string digits = std::to_string(value);
  std::size_t k = digits.size();
  for (std::size_t i = run.end; i-- > run.begin;) {
    const char c = k > 0 ? digits[--k] : ' ';
    out[i] = c == ' ' && !IsUpper(out[i]) ? '0' : c;
  }
}

// The name cut or filled with blanks to the run, in capitals under an upper-case letter.
void FillName(std::string& out, char letter, std::string_view name) {
  const Run run = FindRun(out, letter);
  for (std::size_t i = run.begin, k = 0; i < run.end; ++i, ++k) {
    const char c = k < name.size() ? name[k] : ' ';
    out[i] = IsUpper(out[i]) ? cp1252::ToUpper(c) : c;
  }
}

void Blank(std::string& out, std::string_view letters) {
  for (char& c : out)
    if (letters.find(Lower(c)) != std::string_view::npos) c = ' ';
}

void ReplaceSeparator(std::string& out, char from, char to) {
  std::replace(out.begin(), out.end(), from, to);
}

// The characters of the text at the positions of the letter's first run, blanks left out.
// `present` tells whether the mask has such a run at all.
std::string FieldText(std::string_view text, std::string_view mask, char letter, bool* present) {
  const Run run = FindRun(mask, letter);
  *present = run.found();
  std::string field;
  for (std::size_t i = run.begin; i < run.end; ++i)
    if (text[i] != ' ') field += text[i];
  return field;
}

// A field as a number: -1 when blank or not a number.
int FieldNumber(const std::string& field) {
  if (field.empty() || field.size() > 9) return -1;
  int value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A number field: `absent` when the mask lacks it.
int ReadNumber(std::string_view text, std::string_view mask, char letter, int absent) {
  bool present = false;
  const std::string field = FieldText(text, mask, letter, &present);
  return present ? FieldNumber(field) : absent;
}

// The month of a typed name: the first month whose upper-cased name starts with the typed text.
int MonthOfName(const std::string& typed) {
  if (typed.empty()) return -1;
  const std::string t = cp1252::UpperCase(typed);
  for (int m = 1; m <= 12; ++m) {
    const std::string name = cp1252::UpperCase(MonthName(m));
    if (t.size() <= name.size() && name.compare(0, t.size(), t) == 0) return m;
  }
  return -1;
}

}  // namespace

std::string DateToDateString(std::int32_t date, std::string_view mask, const DateTextStyle& style) {
  std::string out(CutMask(mask));
  if (date < 0 || date > kMaxDate) {
    Blank(out, "mndyw");
  } else {
    const DayMonthYear dmy = DateToDMY(date);
    FillNumber(out, 'm', dmy.month);
    FillNumber(out, 'd', dmy.day);
    FillNumber(out, 'y', dmy.year);
    FillName(out, 'n', MonthName(dmy.month));
    FillName(out, 'w', WeekdayName(DayOfWeek(date)));
  }
  ReplaceSeparator(out, '/', style.date_separator);
  return out;
}

std::string TimeToTimeString(std::int32_t time, std::string_view mask, const DateTextStyle& style) {
  std::string out(CutMask(mask));
  if (time < 0 || time >= kSecondsPerDay) {
    Blank(out, "hms");  // only the fields: an am/pm place or a letter of the text stays
  } else {
    const HourMinSec hms = TimeToHMS(time);
    const Run am_pm = FindRun(out, 't');
    int hour = hms.hour;
    if (am_pm.found()) {
      if (hour == 0) hour = 12;
      if (hour > 12) hour -= 12;
    }
    FillNumber(out, 'h', hour);
    FillNumber(out, 'm', hms.minute);
    FillNumber(out, 's', hms.second);
    if (am_pm.found()) {
      const char letter = hms.hour < 12 ? 'a' : 'p';
      out[am_pm.begin] = style.am_pm_capitals ? cp1252::ToUpper(letter) : letter;
      const Run e = FindRun(out, 'e');
      if (e.found()) out[e.begin] = style.am_pm_capitals ? 'M' : 'm';
    }
  }
  ReplaceSeparator(out, ':', style.time_separator);
  return out;
}

std::int32_t DateStringToDate(std::string_view text, std::string_view mask) {
  mask = CutMask(mask);
  // Fields are read only from a text laid out like the mask; otherwise all take defaults.
  const std::string_view fields = text.size() == mask.size() ? mask : std::string_view();
  int month = 0;
  bool present = false;
  const std::string name = FieldText(text, fields, 'n', &present);
  if (present) month = MonthOfName(name);
  if (month == 0) month = ReadNumber(text, fields, 'm', 0);
  const int day = ReadNumber(text, fields, 'd', 1);
  const int year = ReadNumber(text, fields, 'y', 0);
  return ValidDate(day, month, year) ? DMYToDate(day, month, year) : BadDate;
}

std::int32_t TimeStringToTime(std::string_view text, std::string_view mask) {
  mask = CutMask(mask);
  std::string typed(text);
  if (mask == "hh:mm:ss" && typed.size() == 5) typed += ":00";
  if (typed.size() != mask.size()) return kNoTime;
  int hours = ReadNumber(typed, mask, 'h', 0);
  const int minutes = ReadNumber(typed, mask, 'm', 0);
  const int seconds = ReadNumber(typed, mask, 's', 0);
  const Run am_pm = FindRun(mask, 't');
  if (am_pm.found()) {
    const char letter = Lower(typed[am_pm.begin]);
    if ((letter != 'a' && letter != 'p') || hours < 1 || hours > 12) return kNoTime;
    hours = hours % 12 + (letter == 'p' ? 12 : 0);
  }
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 60 || seconds < 0 || seconds > 60)
    return kNoTime;
  return HMSToTime(hours, minutes, seconds);
}

}  // namespace common
