// A strict reader of ADI files, as an exacting logbook program reads them: the header is text
// that does not begin with '<', closed by <EOH> once; every field <TAG:n> (or <TAG:n:T>) is
// followed by exactly n bytes (a length counts bytes, not characters) and nothing but blanks
// and line ends until the next field; each tag is an ADIF field or one of the six names logbook
// programs have long read beyond the standard; each record ends with <EOR>, nothing follows the
// last. Values of the typed fields are checked against their types.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace output_test {

struct AdiRecord {
  std::vector<std::pair<std::string, std::string>> fields;

  bool Has(const std::string& tag) const {
    return std::any_of(fields.begin(), fields.end(), [&](const auto& f) { return f.first == tag; });
  }
  std::string Get(const std::string& tag) const {
    for (const auto& [name, value] : fields) {
      if (name == tag) return value;
    }
    return "(missing)";
  }
};

struct AdiFile {
  std::string header;
  std::vector<AdiRecord> records;
  std::vector<std::string> problems;  // empty for a file a strict reader takes
};

namespace adi_detail {

inline const std::set<std::string>& KnownTags() {
  static const std::set<std::string> tags = {
      // ADIF fields
      "QSO_DATE", "TIME_ON", "CALL", "RST_SENT", "RST_RCVD", "STX", "STX_STRING", "SRX",
      "SRX_STRING", "BAND", "MODE", "DARC_DOK", "GRIDSQUARE", "DXCC", "FREQ", "NAME", "QTH",
      "QSL_SENT", "QSL_RCVD",
      // read by logbook programs beyond the standard
      "PTS", "LDK", "AREA", "DXCC_PFX", "CALL_WKD", "RST_WKD"};
  return tags;
}

inline bool Digits(const std::string& text, std::size_t min, std::size_t max) {
  return text.size() >= min && text.size() <= max &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

inline bool DecimalNumber(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return Digits(text, 1, 20);
  return Digits(text.substr(0, point), 1, 20) && Digits(text.substr(point + 1), 1, 20);
}

inline bool ValidDate(const std::string& text) {
  if (!Digits(text, 8, 8)) return false;
  const int month = std::stoi(text.substr(4, 2));
  const int day = std::stoi(text.substr(6, 2));
  return text.substr(0, 4) >= "1930" && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

inline bool AdifBand(const std::string& text) {
  static const std::set<std::string> bands = {
      "2190m", "630m", "560m", "160m", "80m",    "60m",  "40m",  "30m",   "20m",
      "17m",   "15m",  "12m",  "10m",  "8m",     "6m",   "5m",   "4m",    "2m",
      "1.25m", "70cm", "33cm", "23cm", "13cm",   "9cm",  "6cm",  "3cm",   "1.25cm",
      "6mm",   "4mm",  "2.5mm", "2mm", "1mm",    "submm"};
  return bands.count(text) != 0;
}

// The problem with a field's value, empty when its type takes it.
inline std::string CheckValue(const std::string& tag, const std::string& value) {
  const bool ok = tag == "QSO_DATE"               ? ValidDate(value)
                  : tag == "TIME_ON"              ? Digits(value, 4, 4) || Digits(value, 6, 6)
                  : tag == "STX" || tag == "SRX"  ? Digits(value, 1, 20)
                  : tag == "DXCC"                 ? Digits(value, 1, 20)
                  : tag == "FREQ" || tag == "PTS" ? DecimalNumber(value)
                  : tag == "BAND"                 ? AdifBand(value)
                  : tag == "QSL_SENT" || tag == "QSL_RCVD"
                      ? value.size() == 1 && std::string("YNRQI").find(value) != std::string::npos
                  : tag == "CALL" || tag == "MODE" ? !value.empty()
                                                   : true;
  return ok ? std::string() : tag + " does not take \"" + value + "\"";
}

}  // namespace adi_detail

inline AdiFile ReadAdi(const std::string& bytes) {
  AdiFile file;
  auto problem = [&](const std::string& text) { file.problems.push_back(text); };
  std::size_t at = bytes.find('<');
  if (at == 0 || at == std::string::npos) {
    problem("no header text before the first field");
    return file;
  }
  file.header = bytes.substr(0, at);
  bool header_done = false;
  AdiRecord record;
  while (at < bytes.size()) {
    const std::size_t close = bytes.find('>', at);
    if (close == std::string::npos) {
      problem("a field is not closed");
      return file;
    }
    const std::string inside = bytes.substr(at + 1, close - at - 1);
    std::size_t next = close + 1;
    std::string tag = inside;
    std::string upper;
    for (const char c : inside) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "EOH") {
      if (header_done) problem("<EOH> twice");
      header_done = true;
    } else if (upper == "EOR") {
      if (!header_done) problem("<EOR> before <EOH>");
      file.records.push_back(record);
      record = {};
    } else {
      const std::size_t colon = inside.find(':');
      if (colon == std::string::npos) {
        problem("<" + inside + "> has no length");
        return file;
      }
      tag = inside.substr(0, colon);
      std::string length = inside.substr(colon + 1);
      length = length.substr(0, length.find(':'));
      if (!adi_detail::Digits(length, 1, 9)) {
        problem("<" + inside + "> has no length");
        return file;
      }
      const std::size_t n = std::stoul(length);
      if (close + 1 + n > bytes.size()) {
        problem("<" + inside + "> runs past the end");
        return file;
      }
      const std::string value = bytes.substr(close + 1, n);
      next = close + 1 + n;
      if (adi_detail::KnownTags().count(tag) == 0) problem("unknown field " + tag);
      if (!value.empty() && (value.front() == ' ' || value.back() == ' ')) {
        problem(tag + " value \"" + value + "\" has blanks at its ends (length off?)");
      }
      if (const std::string bad = adi_detail::CheckValue(tag, value); !bad.empty()) problem(bad);
      if (!header_done) problem(tag + " in the header");
      record.fields.emplace_back(tag, value);
    }
    // Between fields only blanks and line ends.
    at = bytes.find('<', next);
    const std::string between = bytes.substr(next, (at == std::string::npos ? bytes.size() : at) - next);
    if (between.find_first_not_of(" \r\n") != std::string::npos) {
      problem("\"" + between + "\" after <" + inside + "> (length off?)");
    }
    if (at == std::string::npos) break;
  }
  if (!header_done) problem("no <EOH>");
  if (!record.fields.empty()) problem("fields after the last <EOR>");
  return file;
}

}  // namespace output_test
