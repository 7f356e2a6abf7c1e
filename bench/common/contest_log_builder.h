// Contest logs for the benchmarks, built from Debian's hamradio-files: the stations are the
// CALL,DOK lines of WAG_call_history.txt (German stations with their DOK) alternating with the
// other calls of MASTER.SCP, one station per base call (needs the ToPrefix service); a call's DXCC entity and continent come from cty.csv (longest
// prefix, or the exact call), its prefix is the call up to the digits after its first character,
// its locator is made up from the call (the same call always gets the same one).
//
// A log of n QSOs on the definition's bands and first mode: QSO i works station i mod m, where m
// is the larger of n / (number of bands) and 3,000, on band (i mod m + i / m) mod bands, so that
// no station is worked twice on a band (no dupe under any dupe rule but "anywhere" and "same
// day"); times follow the QSO order, one contest day; the running numbers (wagNummer, wagBandNr,
// wagBandNrIntern, ModeNr) are those the log window gives. NewContestQso(i) is a station the log
// does not hold, on a band of the contest: the QSO a live check sees.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_definition.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/log_record.h"
#include "logbook/reference/prefix.h"

namespace bench {

struct Station {
  std::string call, dok, dxcc, continent, prefix, locator;
};

class HamradioStations {
 public:
  static const HamradioStations& Get() {
    static const HamradioStations stations;
    return stations;
  }
  // WAG stations and other MASTER.SCP calls, alternating while both last.
  const std::vector<Station>& Pool() const { return pool_; }

 private:
  static constexpr const char* kFolder = "/usr/share/hamradio-files/";

  HamradioStations() {
    ReadCountries();
    std::vector<std::pair<std::string, std::string>> wag;
    std::set<std::string> wag_calls;
    std::ifstream wag_file(std::string(kFolder) + "WAG_call_history.txt");
    for (std::string line; std::getline(wag_file, line);) {
      const auto comma = line.find(',');
      if (line.empty() || line[0] == '#' || comma == std::string::npos) continue;
      wag.emplace_back(common::Trim(line.substr(0, comma)), common::Trim(line.substr(comma + 1)));
      wag_calls.insert(wag.back().first);
    }
    std::vector<std::string> others;
    std::ifstream scp(std::string(kFolder) + "MASTER.SCP");
    for (std::string line; std::getline(scp, line);) {
      const std::string call = common::Trim(line);
      if (!call.empty() && call[0] != '#' && wag_calls.count(call) == 0) others.push_back(call);
    }
    if (wag.empty() || others.empty()) {
      std::fprintf(stderr, "%s: the station lists are missing (package hamradio-files)\n", kFolder);
      std::abort();
    }
    std::mt19937 random(29);
    std::shuffle(wag.begin(), wag.end(), random);
    std::shuffle(others.begin(), others.end(), random);
    // One station per base call ("DL1ABC/P" is DL1ABC), as the dupe rules compare calls.
    std::set<std::string> base_calls;
    const auto add = [&](const std::string& call, const std::string& dok) {
      if (base_calls.insert(common::Service<logbook::ToPrefix>::Get().GetPrefix(call)).second) {
        pool_.push_back(StationOf(call, dok));
      }
    };
    for (std::size_t i = 0; i < std::max(wag.size(), others.size()); ++i) {
      if (i < wag.size()) add(wag[i].first, wag[i].second);
      if (i < others.size()) add(others[i], "");
    }
  }

  // cty.csv: prefix, name, entity number, continent, zones, position, UTC offset, then the
  // prefixes ("=" before a whole call; zone and other overrides in brackets) ending with ';'.
  void ReadCountries() {
    std::ifstream cty(std::string(kFolder) + "cty.csv");
    for (std::string line; std::getline(cty, line);) {
      std::vector<std::string> fields;
      std::stringstream in(line);
      for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
      if (fields.size() < 10) continue;
      const std::pair<std::string, std::string> entity(fields[0], fields[3]);
      std::stringstream prefixes(fields[9]);
      for (std::string p; prefixes >> p;) {
        p = p.substr(0, p.find_first_of("([<{~;"));
        if (!p.empty() && p[0] == '=') {
          calls_[p.substr(1)] = entity;
        } else if (!p.empty()) {
          prefixes_[p] = entity;
        }
      }
    }
  }

  Station StationOf(const std::string& call, const std::string& dok) const {
    Station s{call, dok, "", "", "", ""};
    const std::string base = call.substr(0, call.find('/'));
    if (const auto exact = calls_.find(call); exact != calls_.end()) {
      std::tie(s.dxcc, s.continent) = exact->second;
    }
    for (std::size_t n = std::min<std::size_t>(base.size(), 6); s.dxcc.empty() && n > 0; --n) {
      if (const auto it = prefixes_.find(base.substr(0, n)); it != prefixes_.end()) {
        std::tie(s.dxcc, s.continent) = it->second;
      }
    }
    std::size_t end = base.find_first_of("0123456789", 1);
    while (end < base.size() && base[end] >= '0' && base[end] <= '9') ++end;
    s.prefix = base.substr(0, std::min(end, base.size()));
    const std::size_t h = std::hash<std::string>()(call);
    s.locator = {"JJJKKI"[h % 6],          "ONPONO"[h / 6 % 6],       char('0' + h / 36 % 10),
                 char('0' + h / 360 % 10), char('A' + h / 3600 % 24), char('A' + h / 86400 % 24)};
    return s;
  }

  std::map<std::string, std::pair<std::string, std::string>> calls_, prefixes_;
  std::vector<Station> pool_;
};

inline std::string ContestBands(const contest::TContestRec& definition) {
  std::string bands;
  for (char b : definition.Bands) {
    if (b != 0) bands += b;
  }
  return bands.empty() ? std::string("b") : bands;
}

inline int StationsWorked(const contest::TContestRec& definition, int count) {
  const int bands = static_cast<int>(ContestBands(definition).size());
  return std::max((count + bands - 1) / bands, 3000);
}

inline contest::TContestLKRec QsoWith(const contest::TContestRec& definition, const Station& s,
                                      char band, int i) {
  contest::TContestLKRec q{};
  q.Call = s.call;
  q.Bandcode = band;
  q.Mode = definition.Modes[0].empty() ? std::string("CW") : definition.Modes[0].str();
  q.Datum = 154000;
  q.Zeit = i % 86400;
  q.DXCC = s.dxcc;
  q.Continent = s.continent;
  q.Prefix = s.prefix;
  q.DOK1 = common::LeftStr(s.dok, 6);
  q.DOK2 = common::CopyFrom(s.dok, 7);
  q.Loc = s.locator;
  q.Distance = static_cast<std::uint32_t>(std::hash<std::string>()(s.call) % 900);
  contest::TContestFkt::SetRcvdExchange("599" + (s.dok.empty() ? std::string("NM") : s.dok), q);
  return q;
}

inline std::vector<contest::TContestLKRec> ContestLogQsos(const contest::TContestRec& definition,
                                                          int count) {
  const std::string bands = ContestBands(definition);
  const auto& pool = HamradioStations::Get().Pool();
  const int m = StationsWorked(definition, count);
  std::vector<contest::TContestLKRec> log;
  std::map<char, std::uint32_t> per_band;
  for (int i = 0; i < count; ++i) {
    const char band = bands[static_cast<std::size_t>(i % m + i / m) % bands.size()];
    contest::TContestLKRec q = QsoWith(definition, pool[static_cast<std::size_t>(i % m)], band, i);
    q.wagNummer = static_cast<std::uint32_t>(i + 1);
    q.wagBandNr = q.wagBandNrIntern = ++per_band[band];
    q.ModeNr = static_cast<std::uint16_t>(i + 1);  // one mode
    log.push_back(q);
  }
  return log;
}

inline contest::TContestLKRec NewContestQso(const contest::TContestRec& definition, int count,
                                            int i) {
  const std::string bands = ContestBands(definition);
  const auto& pool = HamradioStations::Get().Pool();
  const std::size_t station = static_cast<std::size_t>(StationsWorked(definition, count) + i);
  return QsoWith(definition, pool[station % pool.size()],
                 bands[static_cast<std::size_t>(i) % bands.size()], count + i);
}

// Inserts the QSOs into log `log_number` (buffered writes); aborts when an insert fails.
inline void StoreContestLog(std::int32_t log_number,
                            const std::vector<contest::TContestLKRec>& qsos) {
  contest::TdbContest log(contest::kTableLK, log_number);
  log.SetWriteMode(nullptr, 1);
  for (const contest::TContestLKRec& q : qsos) {
    log.ClearRec();
    log.SetLKRec(q);
    if (!log.InsertRec()) {
      std::fprintf(stderr, "the insert of %s failed\n", q.Call.str().c_str());
      std::abort();
    }
  }
  log.SetWriteMode(nullptr, 0);
}

}  // namespace bench
