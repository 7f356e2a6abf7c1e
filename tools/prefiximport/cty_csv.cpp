#include "tools/prefiximport/cty_csv.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "common/string_helpers.h"
#include "logbook/reference/dxcc_table.h"
#include "platform/text_codec.h"

namespace prefiximport {
namespace {

constexpr std::size_t kFieldCount = 10;
constexpr std::size_t kMaxPrefix = 6;
constexpr std::size_t kMaxCall = 14;

// Thrown inside the reader with the reason of a bad line; never leaves it.
struct BadLine {
  std::string reason;
};

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == separator) {
      parts.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

template <typename T>
T Number(std::string_view text, T low, T high, const char* what) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
    throw BadLine{std::string(what) + " \"" + std::string(text) + "\" is not valid"};
  }
  return value;
}

std::string Continent(std::string_view text) {
  static const std::set<std::string_view> known = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
  if (!known.contains(text)) throw BadLine{"continent \"" + std::string(text) + "\" unknown"};
  return std::string(text);
}

std::string Zone(int zone) {
  char text[4];
  std::snprintf(text, sizeof text, "%02d", zone);
  return text;
}

// What an entity line gives each of its aliases, and what an alias may override.
struct Place {
  int cq = 0;
  int itu = 0;
  std::string continent;
  double lat_north = 0;
  double lon_east = 0;
};

struct Alias {
  std::string text;
  bool exact = false;
  Place place;
};

// The part of an override after its opening character up to the closing one.
std::string_view Enclosed(std::string_view token, std::size_t& i, char close) {
  const std::size_t end = token.find(close, i + 1);
  if (end == std::string_view::npos) throw BadLine{"alias \"" + std::string(token) + "\" unclosed"};
  const std::string_view inner = token.substr(i + 1, end - i - 1);
  i = end + 1;
  return inner;
}

Alias ParseAlias(std::string_view token, const Place& entity) {
  Alias alias{{}, false, entity};
  std::size_t i = 0;
  if (token[0] == '=') {
    alias.exact = true;
    i = 1;
  }
  const std::size_t end = token.find_first_of("([{<~", i);
  alias.text =
      std::string(token.substr(i, end == std::string_view::npos ? token.size() - i : end - i));
  if (alias.text.empty() ||
      alias.text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/") != std::string::npos) {
    throw BadLine{"alias \"" + std::string(token) + "\" is not a prefix or call"};
  }
  const std::size_t limit = alias.exact ? kMaxCall : kMaxPrefix;
  if (alias.text.size() > limit) {
    throw BadLine{(alias.exact ? "call \"" : "prefix \"") + alias.text + "\" longer than " +
                  std::to_string(limit) + " characters"};
  }
  i = end == std::string_view::npos ? token.size() : end;
  while (i < token.size()) {
    switch (token[i]) {
      case '(':
        alias.place.cq = Number(Enclosed(token, i, ')'), 1, 40, "CQ zone");
        break;
      case '[':
        alias.place.itu = Number(Enclosed(token, i, ']'), 1, 90, "ITU zone");
        break;
      case '{':
        alias.place.continent = Continent(Enclosed(token, i, '}'));
        break;
      case '<': {
        const std::vector<std::string> lat_lon = Split(Enclosed(token, i, '>'), '/');
        if (lat_lon.size() != 2) throw BadLine{"position in \"" + std::string(token) + "\""};
        alias.place.lat_north = Number(std::string_view(lat_lon[0]), -90.0, 90.0, "latitude");
        alias.place.lon_east = -Number(std::string_view(lat_lon[1]), -180.0, 180.0, "longitude");
        break;
      }
      case '~':
        Enclosed(token, i, '~');  // a UTC offset: not kept
        break;
      default:
        throw BadLine{"alias \"" + std::string(token) + "\" not understood"};
    }
  }
  return alias;
}

logbook::TPrefixRec RecordOf(const Alias& alias, const std::string& dxcc, int adif,
                             const std::string& country, const std::string& wae) {
  logbook::TPrefixRec r;
  r.prefix = alias.text.substr(0, kMaxPrefix);
  if (alias.text.size() > kMaxPrefix) r.qsl_bureau = alias.text.substr(kMaxPrefix);
  r.dxcc = dxcc;
  r.adif_nr = static_cast<std::uint16_t>(adif);
  r.waz = Zone(alias.place.cq);
  r.itu = Zone(alias.place.itu);
  r.continent = alias.place.continent;
  r.country = country;
  r.locator = LocatorOf(alias.place.lat_north, alias.place.lon_east);
  r.wae = wae;
  return r;
}

// An exact call of the entity, unless an earlier entity holds it: a "*" entity (a WAE part of a
// DXCC entity) takes it over from its DXCC entity, anything else is a conflict.
void AddExactCall(std::map<std::string, std::pair<logbook::TPrefixRec, bool>>& calls,
                  const std::string& call, const logbook::TPrefixRec& record, bool wae_entity) {
  const auto [it, added] = calls.try_emplace(call, record, wae_entity);
  if (added) return;
  const bool same_entity = it->second.first.adif_nr == record.adif_nr;
  if (!same_entity || it->second.second == wae_entity) {
    throw BadLine{"call \"" + call + "\" given twice"};
  }
  if (wae_entity) it->second = {record, true};
}

}  // namespace

std::string LocatorOf(double lat_north, double lon_east) {
  const double lon = std::clamp(lon_east + 180.0, 0.0, 359.999999);
  const double lat = std::clamp(lat_north + 90.0, 0.0, 179.999999);
  std::string locator(6, ' ');
  locator[0] = static_cast<char>('A' + static_cast<int>(lon / 20));
  locator[1] = static_cast<char>('A' + static_cast<int>(lat / 10));
  locator[2] = static_cast<char>('0' + static_cast<int>(std::fmod(lon, 20) / 2));
  locator[3] = static_cast<char>('0' + static_cast<int>(std::fmod(lat, 10)));
  locator[4] = static_cast<char>('A' + static_cast<int>(std::fmod(lon, 2) * 12));
  locator[5] = static_cast<char>('A' + static_cast<int>(std::fmod(lat, 1) * 24));
  return locator;
}

bool ReadCtyCsv(const std::string& path, CtyTables& tables, CtyError& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = {0, "cannot be read"};
    return false;
  }
  tables = CtyTables{};
  std::set<std::string> prefixes;
  std::map<std::string, std::pair<logbook::TPrefixRec, bool>> calls;  // record, from "*" entity
  int line_no = 0;
  try {
    for (std::string line; std::getline(in, line);) {
      ++line_no;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      const std::vector<std::string> f = Split(line, ',');
      if (f.size() != kFieldCount) {
        throw BadLine{"expected " + std::to_string(kFieldCount) + " fields, found " +
                      std::to_string(f.size())};
      }
      const bool wae_entity = !f[0].empty() && f[0][0] == '*';
      const std::string wae = wae_entity ? common::UpperCase(f[0].substr(1)) : "";
      const int adif = Number(std::string_view(f[2]), 1, logbook::kDxccTableSize, "ADIF number");
      const std::string dxcc = common::Trim(logbook::BuiltinDxccPrefix(adif));
      if (dxcc.empty()) throw BadLine{"ADIF number " + f[2] + " names no DXCC entity"};
      const Place entity{Number(std::string_view(f[4]), 1, 40, "CQ zone"),
                         Number(std::string_view(f[5]), 1, 90, "ITU zone"), Continent(f[3]),
                         Number(std::string_view(f[6]), -90.0, 90.0, "latitude"),
                         -Number(std::string_view(f[7]), -180.0, 180.0, "longitude")};
      if (f[9].empty() || f[9].back() != ';') throw BadLine{"the aliases do not end in \";\""};
      const std::string country = platform::Utf8ToCp1252(f[1]);
      for (const std::string& token : Split(f[9].substr(0, f[9].size() - 1), ' ')) {
        if (token.empty()) continue;
        const Alias alias = ParseAlias(token, entity);
        const logbook::TPrefixRec record = RecordOf(alias, dxcc, adif, country, wae);
        if (alias.exact) {
          AddExactCall(calls, alias.text, record, wae_entity);
        } else if (!prefixes.insert(alias.text).second) {
          throw BadLine{"prefix \"" + alias.text + "\" given twice"};
        } else {
          tables.prefixes.push_back(record);
        }
      }
    }
  } catch (const BadLine& bad) {
    error = {line_no, bad.reason};
    return false;
  }
  for (const auto& [call, entry] : calls) tables.exact_calls.push_back(entry.first);
  return true;
}

}  // namespace prefiximport
