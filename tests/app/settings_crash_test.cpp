// The station's address, stored by the setup form, outlives the program killed right after:
// the settings are written when they are stored, not only when the program ends.
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <thread>

#include "tests/app/first_log_setup.h"
#include "tests/common/peer_process.h"
#include "tests/common/temp_folder.h"

namespace app_test {
namespace {

TEST(SettingsCrashTest, TheAddressTheSetupFormStoredOutlivesTheProgramKilledAfterIt) {
  common::testing::TempFolder data;
  const std::string out = data / "program.out";
  const pid_t program = common::testing::SpawnPeer(SETTINGS_CRASH_PEER_PATH,
                                                   {data.path(), "store"}, out);
  bool stored = false;
  for (int wait = 0; wait < 6000 && !stored; ++wait) {
    stored = common::testing::ReadFile(out).find("stored") != std::string::npos;
    if (!stored) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(stored) << common::testing::ReadFile(out);
  kill(program, SIGKILL);
  EXPECT_EQ(common::testing::WaitPeer(program), 128 + SIGKILL);

  const std::string read = data / "read.out";
  const pid_t reader =
      common::testing::SpawnPeer(SETTINGS_CRASH_PEER_PATH, {data.path(), "read"}, read);
  EXPECT_EQ(common::testing::WaitPeer(reader), 0);
  EXPECT_EQ(common::testing::ReadFile(read), std::string(kFirstName) + "\n" + kFirstStreet +
                                                 "\n" + kFirstPostcode + " " + kFirstPlace +
                                                 "\n" + kFirstEmail + "\n");
}

}  // namespace
}  // namespace app_test
