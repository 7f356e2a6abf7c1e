#include "contestlog/band_tallies.h"

#include <algorithm>
#include <iterator>

namespace contestlog {
namespace {

constexpr std::size_t kNarrowLines = 5;

void StoreExtraLine(const BandTally& tally, contest::TEvalLineExtra& line) {
  line.Qsos = static_cast<std::uint16_t>(tally.qsos);
  line.Mults = static_cast<std::uint16_t>(tally.multipliers);
  line.Points = static_cast<std::uint32_t>(tally.points);
  line.MultTableA = static_cast<std::uint16_t>(tally.slots[0]);
  line.MultTableB = static_cast<std::uint16_t>(tally.slots[0]);
}

}  // namespace

void StoreWideTallies(const BandTallies& tallies, contest::TContestKZRec& data) {
  for (std::size_t b = 0; b < tallies.size(); ++b) {
    const BandTally& t = tallies[b];
    data.SlotQsos[b] = static_cast<std::uint32_t>(t.qsos);
    data.SlotMults[b] = static_cast<std::uint32_t>(t.multipliers);
    data.SlotPoints[b] = static_cast<std::uint32_t>(t.points);
    data.SlotMultTable1[b] = static_cast<std::uint16_t>(t.slots[0]);
    data.SlotMultTable2[b] = static_cast<std::uint16_t>(t.slots[1]);
    data.SlotMultTable3[b] = static_cast<std::uint16_t>(t.slots[2]);
  }
}

void StoreNarrowTallies(const BandTallies& tallies, contest::TContestKKRec& log) {
  std::fill(std::begin(log.unused216), std::end(log.unused216), 0);  // zeroed with its neighbours
  for (std::size_t b = 0; b < kNarrowLines; ++b) {
    const BandTally& t = tallies[b];
    log.LineQsos[b] = static_cast<std::uint16_t>(t.qsos);
    log.LineMults[b] = static_cast<std::uint16_t>(t.multipliers);
    log.LinePoints[b] = static_cast<std::uint32_t>(t.points);
    log.LineMultTable1[b] = static_cast<std::uint16_t>(t.slots[0]);
    log.LineMultTable2[b] = static_cast<std::uint16_t>(t.slots[1]);
  }
  StoreExtraLine(tallies[kNarrowLines], log.Line6);
  StoreExtraLine(tallies[kNarrowLines + 1], log.Line7);
}

void StoreTallies(const BandTallies& tallies, contest::TContestKKRec& log,
                  contest::TContestKZRec& data) {
  if (log.LoaderSwitch != 0) {
    StoreWideTallies(tallies, data);
  } else {
    StoreNarrowTallies(tallies, log);
  }
}

}  // namespace contestlog
