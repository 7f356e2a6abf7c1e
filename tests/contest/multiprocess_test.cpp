// Two users of one contest log in two processes, with real waits for each other's locks: the
// peer saves 1,000 QSOs one by one while this process looks them up.
#include <memory>
#include <random>

#include "contest/log_record.h"
#include "storage/isam/isam_check.h"
#include "tests/contest/contest_fixture.h"

namespace contest_test {
namespace {

constexpr int kQsos = 1000;

class SharedLogTest : public ContestTest {
 protected:
  SharedLogTest() : ContestTest(false) {}
  // This user, too, waits out the other's locks instead of being asked.
  void SetUp() override {
    ContestTest::SetUp();
    storage::SetDefaultRetryProc([this](std::string_view, int) { return --patience_ > 0; });
  }
  int patience_ = 1000;
};

TEST_F(SharedLogTest, QsosSavedByAnotherUserAreFoundWhileAndAfterTheyAreSaved) {
  auto log = std::make_unique<TdbContest>(contest::kTableLK, 7);  // the file exists before
  ASSERT_TRUE(log->OpenedHere());
  const pid_t peer = StartPeer({"insert", "7", std::to_string(kQsos)});
  std::mt19937 rng(20);
  int status = 0;
  int lookups = 0;
  pid_t ended = 0;
  while ((ended = waitpid(peer, &status, WNOHANG)) == 0) {
    const std::string call = PeerCall(static_cast<int>(rng() % kQsos));
    // A QSO found is the one asked for; one not found is not saved yet.
    if (log->FindCall(call)) {
      ASSERT_EQ(log->GetCall(), call);
    }
    ++lookups;
  }
  ASSERT_EQ(ended, peer);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_GT(lookups, 0);
  for (int i = 0; i < kQsos; ++i) ASSERT_TRUE(log->FindCall(PeerCall(i))) << PeerCall(i);
  std::int32_t expected = 0;
  for (bool ok = log->First(contest::kLKAutoKey); ok; ok = log->Next(false, true)) {
    ASSERT_EQ(Nummer(*log), ++expected);
  }
  EXPECT_EQ(expected, kQsos);
  log.reset();  // closes the file for the checker
  storage::CheckOptions check;
  check.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
    std::string text;
    contest::LKKeyBuilder(record, static_cast<std::uint16_t>(key), text);
    return text;
  };
  EXPECT_EQ(storage::IsamCheck(folder_ / "PXLK0007", check).Text(), "");
}

}  // namespace
}  // namespace contest_test
