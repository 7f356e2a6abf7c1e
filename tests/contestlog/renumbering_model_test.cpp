// The renumbering's check against the renumbering itself, on random logs of four contests (a
// per-band one, one over all bands with call multipliers, one whose CMulti is written when it
// was empty, and a serial-number contest), with QSY markers, some logs renumbered before and
// then changed in one field: the check finds the log unchanged exactly when a forced
// renumbering of the same log leaves every record as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "common/key_text.h"
#include "tests/contestlog/core_fixture.h"
#include "tests/contestlog/renumbering_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;
using contestlog_test::SameRecords;
using contestlog_test::kContestDay;
using Renumbering = ContestLogCore::Renumbering;

constexpr int kTrials = 32;

struct Contest {
  char code;
  int class_index;
  const char* bands;
};
constexpr Contest kContests[] = {{'W', 1, "bceg"}, {'.', 5, "bce"}, {'p', 1, "b"}, {'e', 1, "k"}};

class RenumberingModelTest : public contestlog_test::LogTest {
 protected:
  void SetUp() override {
    LogTest::SetUp();
    std::ofstream(folder_ / "dsw.csv") << "DL1DSW;Paddler;1234\r\nDK2DSW;Kanute;5678\r\n";
  }

  // A random log of up to 18 records, QSY markers among them.
  static std::vector<TContestLKRec> RandomLog(std::mt19937& random, const Contest& contest) {
    static constexpr const char* kCalls[] = {"DL1AB", "OE2CD", "DF0VOXA", "F5GH/P", "DL1AB/P"};
    static constexpr const char* kDxcc[] = {"DL", "OE", "F"};
    static constexpr const char* kCall2[] = {"", "1234", "5678", "NM"};
    static constexpr const char* kLoc[] = {"", "JO62AB", "JO40CD"};
    static constexpr const char* kDok[] = {"", "E01", "H05"};
    static constexpr const char* kCMulti[] = {"", "OE    ", "X"};
    const auto pick = [&random](const auto& list) {
      return list[random() % (sizeof(list) / sizeof(list[0]))];
    };
    std::vector<TContestLKRec> log;
    const int count = static_cast<int>(random() % 19);
    const std::string bands = contest.bands;
    for (int i = 0; i < count; ++i) {
      const char band = bands[random() % bands.size()];
      TContestLKRec q = Qso(pick(kCalls), band, kContestDay, 60 * static_cast<int>(random() % 12),
                            random() % 2 != 0 ? "CW" : "SSB");
      if (random() % 8 == 0) {
        q = Qso("", band, q.Datum, q.Zeit);
        q.SkipMark = static_cast<std::uint8_t>(band);
      } else {
        q.DXCC = pick(kDxcc);
        q.Continent = "EU";
        q.Call2 = pick(kCall2);
        q.Loc = pick(kLoc);
        q.DOK1 = pick(kDok);
        q.CMulti = pick(kCMulti);
        q.wagNummer = static_cast<std::uint32_t>(random() % 4);
      }
      log.push_back(q);
    }
    return log;
  }

  static void Fill(const LogBuilder& b, const std::vector<TContestLKRec>& qsos) {
    for (const TContestLKRec& q : qsos) b.Add(q);
  }

  // Changes one field of the `index`-th record (key 4 order) as `change` says.
  static void Change(std::int32_t log, std::size_t index, unsigned change) {
    contest::TdbContest table(contest::kTableLK, log);
    bool found = table.First(4);
    for (std::size_t i = 0; found && i < index; ++i) found = table.Next(true, true);
    ASSERT_TRUE(found);
    TContestLKRec r{};
    table.GetLKRec(r);
    switch (change % 5) {
      case 0: r.Zeit = r.Zeit + 3600; break;
      case 1: r.wagNummer = r.wagNummer + 1; break;
      case 2: r.CMulti = "ZZ"; break;
      case 3: r.wagBandNr = r.wagBandNr + 5; break;
      default: r.ModeNr = 0; break;
    }
    table.SetLKWorkingCopy(r);
    ASSERT_TRUE(table.UpdateRec());
  }
};

TEST_F(RenumberingModelTest, TheCheckFindsALogUnchangedExactlyWhenRenumberingWouldChangeNothing) {
  std::mt19937 random(2024);
  int unchanged = 0, changed = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    const Contest& contest = kContests[trial % 4];
    const std::vector<TContestLKRec> qsos = RandomLog(random, contest);
    LogBuilder checked(contest.code, contest.class_index);
    LogBuilder forced(contest.code, contest.class_index);
    checked.Create();
    forced.Create();
    Fill(checked, qsos);
    Fill(forced, qsos);
    const bool renumber_first = random() % 3 != 0;
    const bool change_after = !qsos.empty() && random() % 2 == 0;
    const std::size_t index = qsos.empty() ? 0 : random() % qsos.size();
    const unsigned change = static_cast<unsigned>(random());
    CoreOnLog on_checked(checked);
    CoreOnLog on_forced(forced);
    const std::string at = "trial " + std::to_string(trial) + " contest " + contest.code;
    if (renumber_first) {
      on_checked.core.RebuildDatabase(false, true);
      on_forced.core.RebuildDatabase(false, true);
    }
    if (change_after) {
      const std::size_t records = Records(checked.Number()).size();
      if (records > 0) {
        Change(checked.Number(), index % records, change);
        Change(forced.Number(), index % records, change);
      }
    }
    const std::vector<TContestLKRec> before = Records(checked.Number());
    ASSERT_TRUE(SameRecords(before, Records(forced.Number()))) << at;
    const Renumbering check = on_checked.core.RebuildDatabase(false);
    on_forced.core.RebuildDatabase(false, true);
    const bool identical = SameRecords(Records(forced.Number()), before);
    EXPECT_EQ(check == Renumbering::kUnchanged, identical) << at;
    if (check == Renumbering::kUnchanged) {
      EXPECT_TRUE(SameRecords(Records(checked.Number()), before)) << at;
    }
    unchanged += identical;
    changed += !identical;
  }
  // Both answers were put to the test.
  EXPECT_GT(unchanged, kTrials / 8);
  EXPECT_GT(changed, kTrials / 8);
}

}  // namespace
}  // namespace contestlog
