// Counting a log's per-band tallies from its records (contestlog/log_tallies.h).
#include "contestlog/log_tallies.h"

#include <cstddef>
#include <optional>

#include "contest/contest_lookups.h"
#include "contest/rule_helpers.h"
#include "contestlog/log_lock.h"

namespace contestlog {
namespace {

// A band's multiplier count (weights included; the multiplier recount's) into the result and
// its slot tallies into `tally`.
std::int32_t CountBandMultipliers(contest::TContLogAlle& rules,
                                  const contest::TContestRec& definition,
                                  const contest::TdbContestBase& catalogue,
                                  const contest::TdbContestBase& log, char band, BandTally& tally,
                                  contest::ProgressWindow* progress) {
  contest::SlotTallies tallies;
  std::int32_t count = 0;
  for (const int kind : kBandOrder) {
    contest::RecountRequest request(kind, band);
    request.tallies = &tallies;
    request.progress = progress;
    count += rules.RecountMultipliers(request, log, catalogue, definition);
  }
  for (std::size_t s = 0; s < tally.slots.size(); ++s) tally.slots[s] = tallies.slots[s];
  return count;
}

}  // namespace

std::optional<BandTallies> CountBandTallies(contest::TContLogAlle& rules,
                                            const contest::TContestRec& definition,
                                            const contest::TdbContestBase& catalogue,
                                            contest::TdbContestBase& log,
                                            contest::ProgressWindow* progress) {
  const LogLock lock(log);
  // A log that cannot be read (a repair of its files declined) is not walked at all, nor one
  // another station holds: every read would fail and count as a log without QSOs.
  if (log.RepairDeclined() || !log.FileLocked()) return std::nullopt;
  BandTallies tallies{};
  // The QSOs and the points as the records hold them, per band, whatever the contest counts its
  // multipliers over: this walk scores nothing and writes nothing.
  const contest::QsoWalkTotals walked = rules.ForEachQso(
      definition, [](const contest::TdbContestBase& qso) { return contest::QsoOf(qso).Points; },
      log, false);
  for (std::size_t b = 0; b < tallies.size(); ++b) {
    const char band = definition.Bands[b];
    const auto slot = static_cast<unsigned char>(band);
    if (band != 0) tallies[b].points = static_cast<std::int32_t>(walked.slot_points[slot]);
    if (IsBandLetter(band)) tallies[b].qsos = walked.slot_qsos[slot];
  }
  if (!contest::CountsPerBand(definition)) {
    tallies[0].multipliers = CountBandMultipliers(rules, definition, catalogue, log,
                                                  definition.Bands[0], tallies[0], progress);
  } else {
    for (std::size_t b = 0; b < tallies.size(); ++b) {
      const char band = definition.Bands[b];
      if (!IsBandLetter(band)) continue;
      tallies[b].multipliers =
          CountBandMultipliers(rules, definition, catalogue, log, band, tallies[b], progress);
    }
  }
  // Declined during the walks: they fell short.
  if (log.RepairDeclined()) return std::nullopt;
  return tallies;
}

contest::LogRead CountTalliesInto(const contest::TContestRec& definition,
                                  contest::TdbContest& catalogue,
                                  contest::TdbContest& contest_data) {
  contest::TContestKKRec log{};
  contest::TContestKZRec data{};
  catalogue.GetKKRec(log);
  contest_data.GetKZRec(data);
  contest::TdbContest qsos(contest::kTableLK, log.Nummer);
  contest::TContLogAlle rules;
  const std::optional<BandTallies> tallies =
      CountBandTallies(rules, definition, catalogue, qsos, nullptr);
  if (!tallies) {
    return qsos.RepairDeclined() ? contest::LogRead::kRepairDeclined : contest::LogRead::kLocked;
  }
  // The wide layout is the log's contest-data record; without one there is nowhere to lay it.
  if (log.LoaderSwitch != 0 && data.Nummer != log.Nummer) {
    if (!contest_data.FindByNummer(log.Nummer)) return contest::LogRead::kWhole;
    contest_data.GetKZRec(data);
  }
  StoreTallies(*tallies, log, data);
  catalogue.SetKKRec(log);
  contest_data.SetKZRec(data);
  return contest::LogRead::kWhole;
}

}  // namespace contestlog
