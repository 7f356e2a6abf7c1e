#include "logbook/databases/qso_columns.h"

#include <cmath>

#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/qso_call_fields.h"
#include "logbook/databases/qso_masks.h"
#include "logbook/reference/bands.h"
#include "logbook/settings/setups.h"

namespace logbook {
namespace {

constexpr int kDefaultDecimals = 4;
constexpr int kMostDecimals = 30;

// The options bytes 2 (decimals) and 9 (end-time switch) of the further options.
struct ColumnOptions {
  int decimals = kDefaultDecimals;
  bool end_time_midnight = false;
};

ColumnOptions Options() {
  ColumnOptions o;
  if (common::Service<ToSetups>::Exists()) {
    const auto& bytes = common::Service<ToSetups>::Get().GetWeitere().option_bytes_1_to_11;
    o.decimals = std::min<int>(bytes[1], kMostDecimals);
    o.end_time_midnight = bytes[8] != 0;
  }
  return o;
}

std::string Places(int n) { return common::SetLen("#########", n, true); }

bool OwnLayoutTag(std::string_view tag) {
  return tag == "PELORIN" || tag == "PELORIN3" || tag == "PELORIN4" || tag == "PELORIN5" ||
         tag == "PELORIN6";
}

std::string Text(const TQSO293Rec& r, int column) {
  const Qso293Field* f = Qso293FieldOf(column);
  return f == nullptr ? std::string() : Qso293Text(r, *f);
}

std::int32_t Number(const TQSO293Rec& r, int column) {
  const Qso293Field* f = Qso293FieldOf(column);
  return f == nullptr ? 0 : Qso293Number(r, *f);
}

double Real(const TQSO293Rec& r, int column) {
  const Qso293Field* f = Qso293FieldOf(column);
  return f == nullptr ? 0.0 : Qso293Real(r, *f);
}

}  // namespace

std::string FrequencyText(double frequency, std::string_view format,
                          std::string_view column4_tag) {
  const int n = Options().decimals;
  if (!(frequency > 0)) return std::string(static_cast<std::size_t>(6 + n), ' ');
  if (format.empty()) return common::FormatRealMask("#####," + Places(n), frequency);
  if (format == "BAND") {
    return common::Trim(common::Service<ToBaender>::Get().Freq2Text(frequency, 5));
  }
  std::string picture = common::ReplaceChar(format, '9', '#');
  if (picture == "#######.####" && OwnLayoutTag(column4_tag) && n != kDefaultDecimals) {
    picture = "#####." + Places(n);
  }
  if (picture.find_first_of(",.") != std::string::npos) {
    return common::Trim(common::FormatRealMask(picture, frequency));
  }
  return common::Trim(common::FormatIntMask(picture, std::llround(frequency)));
}

std::string Qso293ColumnText(const TQSO293Rec& r, int column, std::string_view format,
                             ColumnDate& date, std::string_view version_tag, std::uint8_t flag) {
  date.flag = false;
  const std::string picture = common::LeftStr(format, 40);
  const std::string call = r.call.str();
  switch (column) {
    case 2:
      date.flag = true;
      date.day = r.date;
      return DateText(r.date, picture.empty() ? "dd.mm.yyyy" : picture);
    case 3:
    case 11: {
      const std::string text = TimeText(Number(r, column), picture.empty() ? "hh:mm" : picture);
      return column == 11 && text == "00:00" && !Options().end_time_midnight ? "" : text;
    }
    case 4:
      return FrequencyText(Real(r, 4), format, version_tag);
    case 12:
      return FrequencyText(Real(r, 12), format, "");
    case 9:
      return ColumnFormatText(QSLRouteOf(call, r.date, r.time_on, true), format);
    case 22:  // the marks
    case 23:
    case 51:
    case 52:
    case 24:  // texts as stored
    case 50:
    case 53:
      return Text(r, column);
    case 45:
      return CallNoteOf(call, flag, common::kMaxShortLength);
    case 47:
      return common::Trim(common::Service<ToBaender>::Get().Freq2Text(Real(r, 4), 5));
    case 49:
      return CallNoteOf(call, flag, common::kMaxShortLength).empty() ? "" : "C";
    default:
      break;
  }
  if (const auto field = CallFieldOf293(column)) {
    return ColumnFormatText(CallDatabaseValue(call, *field, nullptr, 0), format);
  }
  const Qso293Field* f = Qso293FieldOf(column);
  if (f == nullptr || f->type != Qso293Type::kText) return {};
  return ColumnFormatText(Qso293Text(r, *f), format);
}

}  // namespace logbook
