#include "output/log_lists.h"

#include <set>

#include "common/string_helpers.h"
#include "output/log_walk.h"

namespace output {

LogLists CollectLogLists(contest::TdbContestBase& log) {
  std::set<std::string> entities;
  std::set<std::string> squares;
  LogLists lists;
  int best = -1;
  ForEachQsoOfWholeLog(log, kKeyDateTime, [&](const contest::TContestLKRec& qso) {
    const std::string dxcc = common::Trim(qso.DXCC.view());
    if (!dxcc.empty()) entities.insert(dxcc);
    const std::string square = common::LeftStr(common::Trim(qso.Loc.view()), 4);
    if (!square.empty()) squares.insert(square);
    if (qso.Points > best) {
      best = qso.Points;
      lists.odx = qso.Call.str() + ";" + qso.Loc.str() + ";" + std::to_string(qso.Points);
    }
  });
  lists.dxcc_count = static_cast<int>(entities.size());
  lists.square_count = static_cast<int>(squares.size());
  return lists;
}

PerBandCounts CountPerBand(contest::TdbContestBase& log) {
  PerBandCounts counts;
  ForEachQsoOfWholeLog(log, kKeyDateTime, [&](const contest::TContestLKRec& qso) {
    const auto band = static_cast<unsigned char>(qso.Bandcode);
    ++counts.qsos[band];
    if (!common::Trim(qso.CMulti.view()).empty()) ++counts.call_multiplier_qsos[band];
    counts.points[band] += qso.Points;
  });
  return counts;
}

std::string JoinLogField(contest::TdbContestBase& log) {
  std::string joined;
  ForEachQsoOfWholeLog(log, kKeyCMulti, [&](const contest::TContestLKRec& qso) {
    const std::string value = common::Trim(qso.CMulti.view());
    if (!value.empty()) joined += value + " ";
  });
  return joined;
}

}  // namespace output
