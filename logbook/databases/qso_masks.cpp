#include "logbook/databases/qso_masks.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <utility>

#include "common/date_mask.h"
#include "common/dates.h"
#include "common/number_mask.h"
#include "common/number_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/locator.h"

namespace logbook {
namespace {

enum class MaskRules { kOutput, kColumn };

constexpr std::string_view kDisplayDate = "dd.mm.yyyy";
constexpr std::string_view kDisplayTime = "hh:mm";

bool IsNumberMask(std::string_view mask) {
  return !mask.empty() &&
         mask.find_first_not_of("9,.") == std::string_view::npos;
}

std::string NumberPicture(std::string_view mask) {
  std::string picture(mask);
  for (char& c : picture) c = c == '9' ? '#' : ',';
  return picture;
}

// A count n of a mask, 1..255; 0 when the text is no such number.
int MaskNumber(std::string_view text) {
  const std::int32_t n = common::StrToIntNoComma(text);
  return n >= 1 && n <= 255 ? n : 0;
}

std::string QrbText(std::string_view value, std::string_view locator, std::string_view tag) {
  double bearing = 0, distance = 0;
  if (!ToLocator::QRB(locator, value, tag, bearing, distance)) return {};
  if (common::Trim(locator).size() != 6 || common::Trim(value).size() != 6) return {};
  return common::FloatToStrMask(distance, 5, 0, ',');
}

// Rule 7: the text laid into the non-blank places of the mask.
std::string LayInto(std::string_view text, std::string_view mask) {
  std::string out;
  std::size_t next = 0;
  for (char m : mask) {
    if (m == ' ') {
      out.push_back(' ');
    } else if (next < text.size()) {
      out.push_back(text[next++]);
    } else {
      break;
    }
  }
  return out;
}

std::string RemoveColons(std::string text, int count) {
  for (int i = 0; i < count; ++i) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) break;
    text.erase(colon, 1);
  }
  return text;
}

// Rules 5 and 6; nothing when they do not apply or give no number 1..255.
std::optional<std::string> DashRule(const std::string& text, std::string_view mask,
                                    MaskRules rules) {
  const std::size_t dash = mask.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const std::string_view after = mask.substr(dash + 1);
  const std::size_t second = after.find('-');
  if (second != std::string_view::npos) {
    const int n = MaskNumber(after.substr(0, second));
    if (n > 0) return common::Copy(text, n, 1);
    return std::nullopt;
  }
  if (dash == 0) {
    const int n = MaskNumber(after);
    if (n > 0) return common::CopyFrom(text, n);
    return std::nullopt;
  }
  const int n = MaskNumber(rules == MaskRules::kOutput ? mask.substr(0, dash) : after);
  if (n > 0) return common::LeftStr(text, n);
  return std::nullopt;
}

std::string ApplyMask(std::string_view value, std::string_view mask, MaskRules rules) {
  std::string text = value.size() > 1 ? common::Trim(value) : std::string(value);
  if (mask.empty()) return text;
  if (mask == "BAND") return common::Service<ToBaender>::Get().Freq2Name(text, 4);
  if (IsNumberMask(mask)) {
    // The formatted text has the mask's length at most; rule 8 leaves it as it is.
    return common::Trim(common::FormatRealMask(NumberPicture(mask), common::StrToReal(text)));
  }
  const std::size_t qrb = mask.find("QRB");
  if (qrb != std::string_view::npos) {
    return QrbText(text, mask.substr(qrb + 3),
                   rules == MaskRules::kOutput ? "GetQSOStr" : "getqsoa2000");
  }
  if (auto dashed = DashRule(text, mask, rules)) return *dashed;
  if (mask.find(' ') != std::string_view::npos) return LayInto(text, mask);
  if (mask == "hhmm") text = RemoveColons(text, 1);
  if (mask == "hhmmss" && rules == MaskRules::kOutput) text = RemoveColons(text, 2);
  return common::LeftStr(text, static_cast<int>(mask.size()));
}

common::DateTextStyle Style() {
  return common::Service<common::ToDates>::Exists()
             ? common::Service<common::ToDates>::Get().Style()
             : common::DateTextStyle{};
}

// The 17 example dates and the pictures they stand for (true: one-digit parts get a blank).
// "1/2/99" stands for "dd/mm/yy": its blanks make two-character parts, which a one-letter
// picture could not hold.
struct Example {
  std::string_view example;
  std::string_view picture;
  bool blanks_put_in;
};
constexpr std::array<Example, 17> kExamples = {{
    {"1.2.99", "dd.mm.yy", true},         {"01.02.99", "DD.MM.yy", false},
    {"01.02.19", "DD.MM.yyyy", false},    {"1/2/99", "dd/mm/yy", true},
    {"1/2/1999", "dd/mm/yyyy", true},     {"01/02/99", "DD/MM/yy", false},
    {"01/02/19", "DD/MM/yyyy", false},    {"99/2/1", "yy/mm/dd", true},
    {"1999/2/1", "yyyy/mm/dd", true},     {"99/02/01", "yy/MM/DD", false},
    {"1999/02/", "yyyy/MM/DD", false},    {"010299", "MMDDyy", false},
    {"310199", "DDMMyy", false},          {"01021999", "MMDDyyyy", false},
    {"31011999", "DDMMyyyy", false},      {"19990201", "yyyyMMDD", false},
    {"990201", "yyMMDD", false},
}};

// A blank before every one-digit run.
std::string PutBlanksIn(std::string_view text) {
  std::string out;
  const auto digit = [&](std::size_t i) {
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (digit(i) && (i == 0 || !digit(i - 1)) && !digit(i + 1)) out.push_back(' ');
    out.push_back(text[i]);
  }
  return out;
}

bool HasHour(std::string_view picture) {
  return picture.find_first_of("hH") != std::string_view::npos;
}

std::int32_t ReadTypedTime(std::string_view value) {
  const std::string text = common::Trim(value);
  return common::TimeStringToTime(text, text.size() == 8 ? "hh:mm:ss" : kDisplayTime);
}

}  // namespace

std::string GetQSOStr(std::string_view value, std::string_view mask) {
  return ApplyMask(value, mask, MaskRules::kOutput);
}

std::string ColumnFormatText(std::string_view value, std::string_view format) {
  return ApplyMask(value, format, MaskRules::kColumn);
}

std::string ProgramTimeMask() {
  return common::Service<common::ToDates>::Exists()
             ? common::Service<common::ToDates>::Get().DefaultTimeMask()
             : "hh:mm:ss";
}

std::string DateText(std::int32_t date, std::string_view mask) {
  return common::DateToDateString(date, mask, Style());
}

std::string TimeText(std::int32_t time, std::string_view mask) {
  return common::TimeToTimeString(time, mask, Style());
}

DatePicture DatePictureOf(std::string_view stored_picture) {
  for (const Example& e : kExamples) {
    if (e.example == stored_picture) return {std::string(e.picture), e.blanks_put_in};
  }
  return {std::string(stored_picture), false};
}

std::string StoredDateText(std::string_view stored, const TFieldListEntry& field,
                           std::string_view format) {
  const std::string text = common::Trim(stored);
  std::string picture;
  if (field.type == 'D') {
    if (field.width == 6 || text.size() == 6) {
      picture = "yymmdd";
    } else if (text.size() == 8) {
      picture = "yyyymmdd";
    } else {
      return {};
    }
  } else {
    picture = DatePictureOf(field.mask.view()).picture;
    if (picture.empty()) picture = kDisplayDate;  // no picture: stored as typed
  }
  const DatePicture of = DatePictureOf(field.mask.view());
  const std::string read = field.type == 'd' && of.blanks_put_in ? PutBlanksIn(text) : text;
  const std::int32_t date = common::DateStringToDate(read, picture);
  if (date == common::BadDate) return {};
  return DateText(date, format.empty() ? kDisplayDate : format);
}

std::string StoredTimeText(std::string_view stored, const TFieldListEntry& field,
                           std::string_view format) {
  if (format.empty()) format = kDisplayTime;
  std::string text = common::Trim(stored);
  const std::string picture = field.mask.str();
  std::string mask;
  if (text.size() == 5 && text[2] == ':') {
    mask = kDisplayTime;
  } else if (!HasHour(picture)) {
    if (picture == "01:23") {
      mask = kDisplayTime;
    } else if (picture == "1:23") {
      mask = text.size() == 4 ? "H:mm" : "HH:mm";
    } else if (picture == "0123" || (picture.empty() && text.size() == 4)) {
      mask = "hhmm";
    } else if (picture.empty()) {
      // No picture: the text's shape says how it was stored.
      mask = text.size() == 6 ? "hhmmss" : "hh:mm:ss";
    } else {
      // Any other example is a date picture.
      TFieldListEntry as_date = field;
      as_date.type = 'd';
      return StoredDateText(stored, as_date, format == kDisplayTime ? kDisplayDate : format);
    }
  } else {
    mask = picture;
    if (text.find(':') == std::string::npos && picture.find(':') != std::string::npos) {
      if (text.size() == 3) text.insert(0, 1, '0');
      if (text.size() >= 2) text.insert(2, 1, ':');
    }
    if (text.size() == 4 && picture == "hhmmss") mask = "hhmm";
    if (text.size() == 5 && picture == "hh:mm:ss") mask = kDisplayTime;
    if (text.size() == 6 && picture == "hhmm") mask = "hhmmss";
    if (text.size() == 8 && picture == "hh:mm") mask = "hh:mm:ss";
  }
  const std::int32_t time = common::TimeStringToTime(text, mask);
  return time < 0 ? std::string() : TimeText(time, format);
}

std::string StoredFieldDisplay(std::string_view stored, const TFieldListEntry& field,
                               std::string_view format) {
  switch (field.type) {
    case 'D':
    case 'd':
      return StoredDateText(stored, field, format);
    case 'T':
    case 't':
      return StoredTimeText(stored, field, format);
    default:
      return format.empty() ? std::string(stored) : GetQSOStr(stored, format);
  }
}

std::string StoredFieldText(std::string_view value, const TFieldListEntry& field) {
  const std::string picture = field.mask.str();
  switch (field.type) {
    case 'D':
    case 'd': {
      if (field.type == 'd' && picture.empty()) return std::string(value);
      const std::int32_t date = common::DateStringToDate(common::Trim(value), kDisplayDate);
      if (date == common::BadDate) return std::string(value);
      const std::string to = field.type == 'D'
                                 ? (field.width == 6 ? "yymmdd" : "yyyymmdd")
                                 : common::LowerCase(DatePictureOf(picture).picture);
      return DateText(date, to);
    }
    case 'T':
    case 't': {
      if (!HasHour(picture)) return std::string(value);
      const std::int32_t time = ReadTypedTime(value);
      return time < 0 ? std::string(value) : TimeText(time, picture);
    }
    default:
      return std::string(value);
  }
}

}  // namespace logbook
