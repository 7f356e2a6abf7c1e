#include "tools/prefiximport/cty_csv.h"

#include <algorithm>
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
constexpr char kMainEntry = 'H';  // selection character of an entity's main entry

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

// The entity's code in the WAE list, which holds the European entities and the parts that count
// for WAE only: a "*" entity's prefix, a European entity's DXCC prefix; empty for the others.
std::string WaeCode(const std::string& primary, const std::string& continent,
                    const std::string& dxcc) {
  if (!primary.empty() && primary[0] == '*') return common::UpperCase(primary.substr(1));
  return continent == "EU" ? dxcc : std::string();
}

logbook::TPrefixRec RecordOf(const Alias& alias, const CtyEntity& entity) {
  logbook::TPrefixRec r;
  r.prefix = alias.text.substr(0, kMaxPrefix);
  if (alias.text.size() > kMaxPrefix) r.qsl_bureau = alias.text.substr(kMaxPrefix);
  r.dxcc = entity.dxcc;
  r.adif_nr = static_cast<std::uint16_t>(entity.adif);
  r.waz = Zone(alias.place.cq);
  r.itu = Zone(alias.place.itu);
  r.continent = alias.place.continent;
  r.country = entity.country;
  r.locator = LocatorOf(alias.place.lat_north, alias.place.lon_east);
  r.wae = entity.wae;
  return r;
}

// The whole call of an exact-call record (its text runs on into the QSL-bureau field).
std::string CallOf(const logbook::TPrefixRec& record) {
  return record.prefix.str() + record.qsl_bureau.str();
}

// Exact calls by call, with whether a "*" entity gave them.
using CallMap = std::map<std::string, std::pair<logbook::TPrefixRec, bool>>;

// An exact call of the entity, unless an earlier entity holds it: a "*" entity (a WAE part of a
// DXCC entity) takes it over from its DXCC entity, anything else is a conflict.
void AddExactCall(CallMap& calls, const std::string& call, const logbook::TPrefixRec& record,
                  bool wae_entity) {
  const auto [it, added] = calls.try_emplace(call, record, wae_entity);
  if (added) return;
  const bool same_entity = it->second.first.adif_nr == record.adif_nr;
  if (!same_entity || it->second.second == wae_entity) {
    throw BadLine{"call \"" + call + "\" given twice"};
  }
  if (wae_entity) it->second = {record, true};
}

// The entity's main entry, the one the prefix list shows by DXCC prefix: the entry of the DXCC
// prefix itself, else the entity's first prefix.
void MarkMainEntry(std::vector<logbook::TPrefixRec>& records, std::size_t first,
                   const std::string& dxcc) {
  if (first >= records.size()) return;
  std::size_t main = first;
  for (std::size_t i = first; i < records.size(); ++i) {
    if (records[i].prefix.str() == dxcc) {
      main = i;
      break;
    }
  }
  records[main].sel = kMainEntry;
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
  CallMap calls;
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
      const int adif = Number(std::string_view(f[2]), 1, logbook::kDxccTableSize, "ADIF number");
      const std::string dxcc = common::Trim(logbook::BuiltinDxccPrefix(adif));
      if (dxcc.empty()) throw BadLine{"ADIF number " + f[2] + " names no DXCC entity"};
      const std::string continent = Continent(f[3]);
      const std::string wae = WaeCode(f[0], continent, dxcc);
      const CtyEntity entity{{Number(std::string_view(f[4]), 1, 40, "CQ zone"),
                              Number(std::string_view(f[5]), 1, 90, "ITU zone"), continent,
                              Number(std::string_view(f[6]), -90.0, 90.0, "latitude"),
                              -Number(std::string_view(f[7]), -180.0, 180.0, "longitude")},
                             dxcc, adif, platform::Utf8ToCp1252(f[1]), wae};
      if (f[9].empty() || f[9].back() != ';') throw BadLine{"the aliases do not end in \";\""};
      tables.entities[f[0]] = entity;
      const std::size_t first_of_line = tables.prefixes.size();
      for (const std::string& token : Split(f[9].substr(0, f[9].size() - 1), ' ')) {
        if (token.empty()) continue;
        const Alias alias = ParseAlias(token, entity.place);
        const logbook::TPrefixRec record = RecordOf(alias, entity);
        if (alias.exact) {
          AddExactCall(calls, alias.text, record, wae_entity);
        } else if (!prefixes.insert(alias.text).second) {
          throw BadLine{"prefix \"" + alias.text + "\" given twice"};
        } else {
          tables.prefixes.push_back(record);
        }
      }
      if (!wae_entity) MarkMainEntry(tables.prefixes, first_of_line, dxcc);
    }
  } catch (const BadLine& bad) {
    error = {line_no, bad.reason};
    return false;
  }
  // Tables without a prefix would resolve no call at all.
  if (tables.prefixes.empty()) {
    error = {line_no, "the file holds no prefix"};
    return false;
  }
  for (const auto& [call, entry] : calls) tables.exact_calls.push_back(entry.first);
  return true;
}

bool AddCtyDatCalls(const std::string& path, CtyTables& tables, CtyError& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = {0, "cannot be read"};
    return false;
  }
  std::set<std::string> known;
  for (const logbook::TPrefixRec& r : tables.exact_calls) known.insert(CallOf(r));
  CallMap added;
  const CtyEntity* entity = nullptr;  // the entity whose aliases follow
  bool wae_entity = false;
  int line_no = 0;
  try {
    for (std::string line; std::getline(in, line);) {
      ++line_no;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (common::Trim(line).empty()) continue;
      if (line[0] != ' ' && line[0] != '\t') {
        const std::vector<std::string> f = Split(line, ':');
        if (f.size() != 9) throw BadLine{"expected an entity line of 8 fields"};
        const std::string primary = common::Trim(f[7]);
        const auto found = tables.entities.find(primary);
        if (found == tables.entities.end()) {
          throw BadLine{"entity \"" + primary + "\" is not in the csv file"};
        }
        entity = &found->second;
        wae_entity = primary[0] == '*';
        continue;
      }
      if (entity == nullptr) throw BadLine{"aliases before the first entity line"};
      std::string aliases = common::Trim(line);
      const bool last = aliases.back() == ';';
      if (last) aliases.pop_back();
      for (const std::string& token : Split(aliases, ',')) {
        if (token.empty() || token[0] != '=') continue;
        const Alias alias = ParseAlias(token, entity->place);
        if (known.contains(alias.text)) continue;
        AddExactCall(added, alias.text, RecordOf(alias, *entity), wae_entity);
      }
      if (last) entity = nullptr;
    }
  } catch (const BadLine& bad) {
    error = {line_no, bad.reason};
    return false;
  }
  for (const auto& [call, entry] : added) tables.exact_calls.push_back(entry.first);
  std::sort(tables.exact_calls.begin(), tables.exact_calls.end(),
            [](const auto& a, const auto& b) { return CallOf(a) < CallOf(b); });
  return true;
}

}  // namespace prefiximport
