// The recount of the window's tables and counters from the log, and the recalculation of the
// per-band tallies the reports read (contestlog/log_core.h).
#include <algorithm>

#include "contest/progress_window.h"
#include "contestlog/band_tallies.h"
#include "contestlog/log_core.h"
#include "contestlog/multiplier_tables.h"

namespace contestlog {
namespace {

// The kinds in the order the recount refills their tables.
constexpr int kTableOrder[] = {2, 4, 18, 5, 10, 1, 22, 12, 15, 16, 19};
// The kinds in the order a band's multipliers are summed.
constexpr int kBandOrder[] = {2, 4, 18, 5, 10, 12, 1, 22, 15, 16, 19};

constexpr int kRecalculationSteps = 500;

bool CountsPerBand(const contest::TContestRec& definition) {
  return definition.Flag31 == 0 || definition.Flag31 == 2;
}

bool IsBandLetter(char band) { return band >= 'a' && band <= 'z'; }

std::size_t Slot(char band) { return static_cast<unsigned char>(band); }

// Holds the write lock of a shared log for a whole pass, so that its many reads need no lock
// of their own; a lock the object holds already is left to its holder.
class PassLock {
 public:
  explicit PassLock(contest::TdbContestBase& log) : log_(log) {
    if (log_.FileLocked()) return;
    log_.LockFile();
    taken_ = log_.FileLocked();
  }
  ~PassLock() {
    if (taken_) log_.UnlockFile();
  }
  PassLock(const PassLock&) = delete;
  PassLock& operator=(const PassLock&) = delete;

 private:
  contest::TdbContestBase& log_;
  bool taken_ = false;
};

}  // namespace

void ContestLogCore::RecountLog(bool full) {
  PassLock lock(*LogTable);
  for (contest::WorkedMultiTable& table : WorkedMultis) ClearTable(table);
  TotalMultis = 0;
  for (const int kind : kTableOrder) {
    contest::RecountRequest request(kind, CurrentBand);
    request.table = &WorkedMultis[static_cast<std::size_t>(kind)];
    TotalMultis += Service->RecountMultipliers(request, *LogTable, *Catalogue, Definition);
  }
  if (full) {
    const contest::QsoWalkTotals totals =
        Service->ForEachQso(Definition, PointsRoutine(), *LogTable, false);
    for (std::size_t s = 0; s < BandPoints.size(); ++s) {
      BandPoints[s] = static_cast<std::int32_t>(totals.slot_points[s]);
      BandQsos[s] = totals.slot_qsos[s];
    }
    NextQsoNumber = totals.qso_count;
    CurrentBandQsos = 0;
    LastQsoBand = totals.last_band;
    BandMultis.fill(0);
    if (CountsPerBand(Definition)) {
      for (const char band : Definition.Bands) {
        if (IsBandLetter(band)) SumBandMultipliers(band);
      }
    } else {
      SumBandMultipliers(Definition.Bands[0]);
    }
  }
  TotalPoints = BandPoints[Slot(CurrentBand)];
  CurrentBandQsos = BandQsos[Slot(CurrentBand)];
  ScoreSummaryText();
}

void ContestLogCore::SumBandMultipliers(char band) {
  std::int32_t sum = 0;
  for (const int kind : kBandOrder) {
    sum += Service->RecountMultipliers({kind, band}, *LogTable, *Catalogue, Definition);
  }
  BandMultis[CountsPerBand(Definition) ? Slot(band) : 1] += sum;
}

std::int32_t ContestLogCore::CountBandMultipliers(char band, BandTally& tally,
                                                  contest::ProgressWindow* progress) {
  contest::SlotTallies tallies;
  std::int32_t count = 0;
  for (const int kind : kBandOrder) {
    contest::RecountRequest request(kind, band);
    request.tallies = &tallies;
    request.progress = progress;
    count += Service->RecountMultipliers(request, *LogTable, *Catalogue, Definition);
  }
  tally.qsos = tallies.kind2_qsos;
  for (std::size_t s = 0; s < tally.slots.size(); ++s) tally.slots[s] = tallies.slots[s];
  return count;
}

bool ContestLogCore::Recalculate() {
  contest::TContestKKRec log{};
  contest::TContestKZRec data{};
  Catalogue->GetKKRec(log);
  ContestData->GetKZRec(data);
  BandTallies tallies{};
  for (std::size_t b = 0; b < tallies.size(); ++b) {
    const char band = Definition.Bands[b];
    tallies[b].points = band != 0 ? BandPoints[Slot(band)] : 0;
  }
  {
    const std::unique_ptr<contest::ProgressWindow> progress =
        ShowProgress("Neuberechnung", kRecalculationSteps);
    PassLock lock(*LogTable);
    if (CountsPerBand(Definition)) {
      for (std::size_t b = 0; b < tallies.size(); ++b) {
        const char band = Definition.Bands[b];
        if (!IsBandLetter(band)) continue;
        tallies[b].multipliers = CountBandMultipliers(band, tallies[b], progress.get());
      }
    } else {
      tallies[0].multipliers = CountBandMultipliers(Definition.Bands[0], tallies[0], progress.get());
      // The QSOs per band, counted as a per-band contest counts them.
      contest::TContestRec per_band = Definition;
      per_band.Flag31 = 0;
      for (std::size_t b = 0; b < tallies.size(); ++b) {
        if (!IsBandLetter(Definition.Bands[b])) {
          tallies[b].qsos = 0;
          continue;
        }
        contest::SlotTallies qsos;
        contest::RecountRequest request(2, Definition.Bands[b]);
        request.tallies = &qsos;
        Service->RecountMultipliers(request, *LogTable, *Catalogue, per_band);
        tallies[b].qsos = qsos.kind2_qsos;
      }
    }
  }
  if (log.LoaderSwitch != 0) {
    StoreWideTallies(tallies, data);
  } else {
    StoreNarrowTallies(tallies, log);
  }
  Catalogue->SetKKRec(log);
  ContestData->SetKZRec(data);
  const bool catalogue_written = Catalogue->UpdateRec();
  const bool data_written = ContestData->UpdateRec();
  return catalogue_written && data_written;
}

}  // namespace contestlog
