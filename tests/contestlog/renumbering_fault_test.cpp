// The renumbering of a 2,000-QSO log under a failed write, flush or rename at each point of its
// work (every flush and rename, writes spread over the whole run; every write with
// DOMIVOX_FULL_SWEEP=1, split over runs with DOMIVOX_SWEEP_SHARD): reopened, the log is the old
// or the renumbered one, each QSO once, its files sound, no file of the renumbered set left.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/file_faults.h"
#include "tests/contestlog/core_fixture.h"
#include "tests/contestlog/renumbering_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::LogBuilder;
using contestlog_test::LogFilesAside;
using contestlog_test::QsoIdentities;
using contestlog_test::SameRecords;
using platform::FaultRule;
using platform::FileFaultPlan;
using Renumbering = ContestLogCore::Renumbering;

constexpr int kQsos = 2000;
constexpr std::uint64_t kSampledWrites = 24;

// Every call up to `calls`, or with `sampled` that many spread over them, first and last
// included.
std::set<std::uint64_t> FaultPoints(std::uint64_t calls, std::uint64_t sampled) {
  std::set<std::uint64_t> points;
  if (calls == 0) return points;
  if (sampled == 0 || calls <= sampled) {
    for (std::uint64_t n = 1; n <= calls; ++n) points.insert(n);
    return points;
  }
  for (std::uint64_t i = 0; i < sampled; ++i) points.insert(1 + i * (calls - 1) / (sampled - 1));
  return points;
}

class RenumberingFaultTest : public contestlog_test::LogTest {};

TEST_F(RenumberingFaultTest, AFailureAnywhereLeavesTheOldOrTheRenumberedLog) {
  LogBuilder b('W');
  b.Create();
  contestlog_test::FillShuffledLog(b.Number(), kQsos, 11);
  const std::vector<TContestLKRec> old_log = Records(b.Number());
  const LogFilesAside aside(folder_.path(), b.Number());

  FileFaultPlan counted;
  {
    CoreOnLog on(b);
    const platform::ScopedFileFaults faults(&counted);
    ASSERT_EQ(on.core.RebuildDatabase(false), Renumbering::kRenumbered);
  }
  const std::vector<TContestLKRec> renumbered = Records(b.Number());
  ASSERT_FALSE(SameRecords(renumbered, old_log));
  ASSERT_EQ(QsoIdentities(renumbered), QsoIdentities(old_log));
  ASSERT_GT(counted.rename.calls, 0u);
  RecordProperty("writes", static_cast<int>(counted.write.calls));
  RecordProperty("flushes", static_cast<int>(counted.flush.calls));
  RecordProperty("renames", static_cast<int>(counted.rename.calls));

  const bool full = std::getenv("DOMIVOX_FULL_SWEEP") != nullptr;
  // DOMIVOX_SWEEP_SHARD=k/n: only every n-th point from the k-th on, for runs side by side.
  std::uint64_t shard = 0, shards = 1;
  if (const char* text = std::getenv("DOMIVOX_SWEEP_SHARD")) {
    std::sscanf(text, "%" SCNu64 "/%" SCNu64, &shard, &shards);
  }
  const std::pair<FaultRule FileFaultPlan::*, std::set<std::uint64_t>> sweeps[] = {
      {&FileFaultPlan::flush, FaultPoints(counted.flush.calls, 0)},
      {&FileFaultPlan::rename, FaultPoints(counted.rename.calls, 0)},
      {&FileFaultPlan::write, FaultPoints(counted.write.calls, full ? 0 : kSampledWrites)}};
  int old_kept = 0, renewed = 0;
  for (const auto& [rule, points] : sweeps) {
    for (const std::uint64_t n : points) {
      if (shards > 1 && n % shards != shard) continue;
      aside.Restore();
      FileFaultPlan plan;
      (plan.*rule).fail_at = n;
      {
        CoreOnLog on(b);
        const platform::ScopedFileFaults faults(&plan);
        on.core.RebuildDatabase(false);
      }
      const std::string at = "fault at call " + std::to_string(n);
      const std::vector<TContestLKRec> reopened = Records(b.Number());
      const bool is_old = SameRecords(reopened, old_log);
      EXPECT_TRUE(is_old || SameRecords(reopened, renumbered)) << at;
      old_kept += is_old;
      renewed += !is_old;
      EXPECT_EQ(QsoIdentities(reopened), QsoIdentities(old_log)) << at;
      EXPECT_FALSE(aside.RenewedLeft()) << at;
      EXPECT_EQ(contestlog_test::CheckLogFiles(folder_.path(), b.Number()), "") << at;
      if (HasFailure()) return;
    }
  }
  // Failures before the set was complete kept the old log, later ones gave the new one.
  EXPECT_GT(old_kept, 0);
  if (shards == 1) {
    EXPECT_GT(renewed, 0);
  }
}

}  // namespace
}  // namespace contestlog
