// The catalogue service and the dupe checks with another program instance on the same log, in
// its own process: a log still open there is not deleted, and its QSOs count as dupes here.
#include <fstream>

#include "contest/cont_log_alle.h"
#include "tests/common/temp_folder.h"
#include "tests/contest/service_fixture.h"

namespace contest_test {
namespace {

using common::testing::WaitPeer;

class SharedCatalogueTest : public ServiceTest {
 protected:
  SharedCatalogueTest() : ServiceTest(false) {}
  void SetUp() override {
    ServiceTest::SetUp();
    storage::SetDefaultRetryProc([this](std::string_view, int) { return --patience_ > 0; });
  }
  // Waits until the peer has printed `line` (at most ten seconds).
  bool PeerSaid(const std::string& line) const {
    for (int i = 0; i < 1000; ++i) {
      if (common::testing::ReadFile(folder_ / "peer.out").find(line) != std::string::npos) {
        return true;
      }
      usleep(10000);
    }
    return false;
  }
  int patience_ = 1000;
};

TEST_F(SharedCatalogueTest, ALogOpenInAnotherInstanceIsNotDeleted) {
  const std::int32_t ref = AddLog("Fieldday", 'V');
  Add(1, Qso("DL2XYZ", 'b', 154321, 60));
  const pid_t peer = StartPeer({"hold", "1", "20"});
  ASSERT_TRUE(PeerSaid("open"));
  {
    TdbContest catalogue(contest::kTableKK, 0);
    TdbContest contest_data(contest::kTableKZ, 0);
    presenter_->answers = {true, true};
    Fkt().DeleteLog(catalogue, contest_data, ref);
  }
  std::ofstream(folder_ / "release");
  ASSERT_EQ(WaitPeer(peer), 0);

  ASSERT_EQ(presenter_->calls.size(), 3u);  // the two questions, then the one error
  EXPECT_EQ(presenter_->calls[2].kind, common::MessageKind::kFehler);
  EXPECT_EQ(presenter_->calls[2].text,
            "Das Logbuch Fieldday ist noch geöffnet und wurde nicht gelöscht.");
  EXPECT_EQ(CatalogueRecord(1).Name.str(), "Fieldday");
  TdbContest contest_data(contest::kTableKZ, 0);
  EXPECT_TRUE(contest_data.FindByNummer(1));
  // Both QSOs are still there: ours and the one the peer saved after the attempt.
  TdbContest log(contest::kTableLK, 1);
  EXPECT_TRUE(log.FindCall("DL2XYZ"));
  EXPECT_TRUE(log.FindCall("DL9HOLD"));
}

TEST_F(SharedCatalogueTest, AQsoSavedByAnotherInstanceIsADupe) {
  TdbContest log(contest::kTableLK, 4);  // the log window's object, open before the peer saves
  ASSERT_TRUE(log.OpenedHere());
  auto definition = std::make_unique<contest::TContestRec>();
  definition->DupeKind = 1;
  contest::TContLogAlle rules;
  log.ClearRec();
  EXPECT_EQ(rules.DupeBandMode("DL7PEER", 'e', log, *definition, "SSB"), 0);

  ASSERT_EQ(WaitPeer(StartPeer({"qso", "4", "DL7PEER", "e", "SSB"})), 0);
  EXPECT_EQ(rules.DupeBandMode("DL7PEER", 'e', log, *definition, "SSB"), 1);
  EXPECT_EQ(rules.DupeBandMode("DL7PEER", 'e', log, *definition, "CW"), 0);
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_TRUE(presenter_->calls[0].text.starts_with("Call DL7PEER bereits auf Band/Mode"));
}

}  // namespace
}  // namespace contest_test
