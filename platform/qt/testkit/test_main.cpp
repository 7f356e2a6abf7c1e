// main() of the window tests: the offscreen platform unless QT_QPA_PLATFORM names another (so
// the same tests can show on a real display), one application object, timers that tick only when
// a test makes them (ticks.h), then every test.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/qt/application.h"
#include "platform/qt/testkit/ticks.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  platform::qt::TApplication application(argc, argv);
  platform::qt::testkit::HoldRealTicks();
  return RUN_ALL_TESTS();
}
