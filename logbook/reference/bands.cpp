#include "logbook/reference/bands.h"

#include <algorithm>

#include "common/number_text.h"
#include "common/real_compare.h"
#include "common/string_helpers.h"

namespace logbook {
namespace {

constexpr double kUnused = -1;

// In search order. The 2190 m band's second wavelength is 2189 (its typed spellings say so):
// 21289 would take a frequency of 21289 kHz, in the 15 m band, for the 2190 m band.
// clang-format off
constexpr std::array<BandRecord, 23> kBands = {{
    {'t', "0.6cm", "6mm", {0.006, kUnused, kUnused}, "47GHz", 47088, 47087.9999, 47200, "47G",
     "47G", {"0,6", "0.6", "0.6 CM", "0,6 CM", "0.6CM", "0,6CM", "0.6 C", "0,6 C", "0.6C", "0,6C",
             "6MM", "6 MM"}},
    {'s', "1.2cm", "1.25cm", {0.012, 1.2, kUnused}, "24GHz", 24000, 23999.9999, 24250, "24G",
     "24G", {"1,2", "1.2", "1.2 CM", "1,2 CM", "1.2CM", "1,2CM", "1.2 C", "1,2 C", "1.2C", "1,2C",
             "1,25", "1.25", "1.25 CM", "1,25 CM", "1.25CM", "1,25CM", "1.25 C", "1,25 C",
             "1.25C", "1,25C"}},
    {'q', "3 cm", "3cm", {0.03, 3, kUnused}, "10GHz", 10000, 9999.9999, 10500, "10G", "10G",
     {"3", "3 CM", "3CM", "3 C", "3C"}},
    {'p', "6 cm", "6cm", {0.06, kUnused, kUnused}, "5,7GHz", 5650, 5649.9999, 5850, "5.7G", "5.7G",
     {"6 CM", "6CM", "6 C", "6C"}},
    {'o', "9 cm", "9cm", {0.09, 9, kUnused}, "3,4GHz", 3400, 3399.9999, 3475, "3.4G", "3.4G",
     {"9", "9 CM", "9CM", "9 C", "9C"}},
    {'n', "13 cm", "13cm", {0.13, 0.12, 13}, "2,3GHz", 2400, 2319.9999, 2450, "2.3G", "2.3G",
     {"13", "13 CM", "13CM", "13 C", "13C"}},
    {'m', "23 cm", "23cm", {0.23, 23, kUnused}, "1,2GHz", 1240, 1239.9999, 1300, "1.2G", "1.2G",
     {"23", "23 CM", "23CM", "23 C", "23C"}},
    {'l', "70 cm", "70cm", {0.7, kUnused, kUnused}, "432MHz", 430, 429.9999, 440, "432", "432",
     {"70 CM", "70CM", "70 C", "70C", "435MHZ", "435M"}},
    {'k', "2 m", "2m", {2, kUnused, kUnused}, "144MHz", 144, 143.9999, 146, "2M", "144",
     {"2", "2 M", "2M", "145MHZ", "145M", "144M"}},
    {'u', "4 m", "4m", {4, kUnused, kUnused}, "70MHz", 70.01, 69.7999, 71, "4M", "70",
     {"4", "4 M", "4M", "70M"}},
    {'j', "6 m", "6m", {6, kUnused, kUnused}, "50MHz", 50, 49.9999, 54, "6M", "50",
     {"6", "6 M", "6M", "50M"}},
    {'i', "10 m", "10m", {10, kUnused, kUnused}, "28MHz", 28, 27.9999, 29.7, "10M", "28000",
     {"10", "10 M", "10M", "28M"}},
    {'h', "12 m", "12m", {12, kUnused, kUnused}, "25MHz", 24.89, 24.889, 25, "12M", "25000",
     {"12", "12 M", "12M", "25M"}},
    {'g', "15 m", "15m", {15, kUnused, kUnused}, "21MHz", 21, 20.9999, 21.45, "15M", "21000",
     {"15", "15 M", "15M", "21M"}},
    {'f', "17 m", "17m", {17, kUnused, kUnused}, "18MHz", 18.1, 18.0679, 18.1681, "17M", "18000",
     {"17", "17 M", "17M", "18M"}},
    {'e', "20 m", "20m", {20, kUnused, kUnused}, "14MHz", 14, 13.9999, 14.35, "20M", "14000",
     {"20", "20 M", "20M", "14M"}},
    {'d', "30 m", "30m", {30, kUnused, kUnused}, "10MHz", 10.1, 10.099, 10.2, "30M", "10000",
     {"30", "30 M", "30M"}},
    {'c', "40 m", "40m", {40, kUnused, kUnused}, "7MHz", 7, 6.9999, 7.2, "40M", "7000",
     {"40", "40 M", "40M", "7M"}},
    {'v', "60 m", "60m", {60, kUnused, kUnused}, "", 5.352, 5.35149, 5.3665, "60M", "5000",
     {"60", "60 M", "60M"}},
    {'b', "80 m", "80m", {80, kUnused, kUnused}, "3,5MHz", 3.5, 3.4999, 3.9, "80M", "3500",
     {"80", "80 M", "80M"}},
    {'a', "160 m", "160m", {160, kUnused, kUnused}, "", 1.815, 1.809, 2, "160M", "1800",
     {"160", "160 M", "160M"}},
    {'w', "630 m", "630m", {630, kUnused, kUnused}, "", 0.472, 0.472, 0.479, "630M", "630M",
     {"630", "630 M", "630M"}},
    {'r', "2190m", "2190m", {2190, 2189, kUnused}, "", 0.137, 0.1356999, 0.1378, "2190M", "2190M",
     {"2189", "2189 M", "2189M", "2190", "2190 M", "2190M"}},
}};
// clang-format on

// Typed numbers are matched as 5 integer and 5 decimal digits.
bool Same(double a, double b) { return common::RealCompare(a, b, 5, 5, '='); }

// Left-aligned text right-justified in n places (texts of n or more characters unchanged).
std::string PadLeft(std::string_view text, std::size_t n) {
  if (text.size() >= n) return std::string(text);
  return std::string(n - text.size(), ' ') + std::string(text);
}

}  // namespace

ToBaender::ToBaender() : records_(kBands) {}

const BandRecord& ToBaender::Record(int index) const {
  return records_[static_cast<std::size_t>(std::clamp(index, FirstIndex(), LastIndex()))];
}

const BandRecord* ToBaender::Find(BandCode code) const {
  for (const BandRecord& r : records_) {
    if (r.code == code) return &r;
  }
  return nullptr;
}

const BandRecord* ToBaender::FindAlias(std::string_view text) const {
  const std::string typed = common::UpperCase(common::Trim(text));
  if (typed.empty()) return nullptr;
  for (const BandRecord& r : records_) {
    for (std::string_view alias : r.aliases) {
      if (!alias.empty() && alias == typed) return &r;
    }
  }
  return nullptr;
}

BandCode ToBaender::Freq2Band(double frequency) const {
  for (const BandRecord& r : records_) {
    if (r.lower_edge < frequency && frequency <= r.upper_edge) return r.code;
  }
  return kNoBand;
}

std::string ToBaender::Band2Name(BandCode code, bool second_name) const {
  if (code == kAllBands) return "all";
  const BandRecord* r = Find(code);
  if (r == nullptr) return "???";
  return std::string(second_name ? r->second_name : r->name);
}

std::string ToBaender::Band2Text(BandCode code, bool fourth_text) const {
  if (code == kAllBands) return "ALL";
  const BandRecord* r = Find(code);
  if (r == nullptr) return "-";
  return std::string(fourth_text ? r->fourth_text : r->third_text);
}

std::string ToBaender::Key2Name(std::string_view key) const {
  if (key.empty()) return {};
  for (const BandRecord& r : records_) {
    if (r.key_text == key) return std::string(r.second_name);
  }
  return {};
}

BandCode ToBaender::Text2Band(std::string_view text) const {
  const BandRecord* r = FindAlias(text);
  return r == nullptr ? kNoBand : r->code;
}

double ToBaender::Text2Freq(std::string_view text) const {
  const BandRecord* r = FindAlias(text);
  return r == nullptr ? 0 : r->nominal;
}

std::string ToBaender::Text2FreqText(std::string_view text) const {
  const BandRecord* r = FindAlias(text);
  if (r == nullptr) return {};
  std::string out = common::FloatToStr(r->nominal);
  std::replace(out.begin(), out.end(), '.', ',');
  return out;
}

std::string ToBaender::Freq2Text(double frequency, int kind) const {
  const BandCode code = Freq2Band(frequency);
  const BandRecord* r = code == kNoBand ? nullptr : Find(code);
  if (r == nullptr) {
    switch (kind) {
      case 1:
        return std::string(5, ' ');
      case 2:
        return std::string(4, ' ');
      case 4:
        return "???";
      default:
        return {};
    }
  }
  if (kind == 0) return std::string(r->second_name);
  std::string name = common::Trim(r->name);
  switch (kind) {
    case 1:
      return PadLeft(std::string_view(name).substr(0, 5), 5);
    case 2: {
      const auto blank = name.find(' ');
      if (blank != std::string::npos) name.erase(blank, 1);
      return PadLeft(std::string_view(name).substr(0, 4), 4);
    }
    case 3:
      name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
      return name;
    default:
      return name;
  }
}

std::string ToBaender::Freq2Name(std::string_view frequency_text, int kind) const {
  return Freq2Text(common::StrToReal(frequency_text), kind);
}

double ToBaender::BandMode2Freq(BandCode code, char mode_class) const {
  if (code == 'b' && mode_class == 'a') return 3.52;
  if (code == 'b' && mode_class == 'b') return 3.61;
  if (code == 'e' && mode_class == 'b') return 14.126;
  const BandRecord* r = Find(code);
  return r == nullptr ? 0 : r->nominal;
}

double ToBaender::Wavelength2Freq(double number) const {
  if (number == 0) return 0;
  for (const BandRecord& r : records_) {
    const auto& w = r.wavelengths;
    if (Same(w[0], number) || (w[1] > 0 && Same(w[1], number)) ||
        (w[2] > 0 && Same(w[2], number))) {
      return r.nominal;
    }
  }
  return 0;
}

double ToBaender::CheckFreq(double x, bool ten_is_30m) const {
  if (x == 0) return 0;
  if (ten_is_30m && x == 10) return 10.1;
  if (const double f = Wavelength2Freq(x); f != 0) return f;
  // Shorthands of bands whose frequency is not a wavelength. (10 never gets here: the 10 m
  // wavelength answers first. The order stays, so a typed number keeps its meaning.)
  if (Same(x, 18)) return 18.1;
  if (Same(x, 1.8)) return 1.815;
  if (Same(x, 10)) return 10.1;
  if (Same(x, 24.8) || Same(x, 24)) return 24.89;
  // Frequencies typed in kHz; lower bound exclusive, upper inclusive.
  struct Range {
    double low, high;
  };
  static constexpr Range kKhz[] = {{1808.9, 1999}, {3499.9, 3900},  {5351, 5366},   {6999.9, 7300},
                                   {10099, 10200}, {10500, 23999},  {24250, 47000}, {49999, 54000},
                                   {69799, 69999}, {143999, 146000}};
  for (const Range& r : kKhz) {
    if (r.low < x && x <= r.high) return x / 1000;
  }
  if (x > 320000) return x / 1000;
  return x;
}

}  // namespace logbook
