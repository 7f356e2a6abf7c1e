#include "common/protocol.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fake_environment.h"
#include "tests/common/temp_folder.h"

namespace common {
namespace {

using testing::ReadFile;
using testing::WriteFile;

// A run of the program: the settings object exists and the clock is a fake.
class ProtocolTest : public ::testing::Test {
 protected:
  ProtocolTest() {
    clock_.now = {2024, 3, 9, 7, 5, 4, 0};
    Protocol::ResetRun();
    Protocol::NoteSettingsObject(true);
  }
  ~ProtocolTest() override {
    Protocol::NoteSettingsObject(false);
    Protocol::ResetRun();
  }
  std::string File() const { return dir_ / "protokoll.dat"; }

  testing::TempFolder dir_;
  platform::FakeClock clock_;
  platform::ScopedEnvironment environment_{&clock_, nullptr, nullptr};
};

TEST_F(ProtocolTest, WithoutTheFileAtTheFirstLineNothingIsWrittenAllRun) {
  Protocol::AppendLine("erste");
  EXPECT_EQ(Protocol::GetState(), Protocol::kOff);
  WriteFile(File(), "");  // created later in the run: no effect
  Protocol::AppendLine("zweite");
  EXPECT_EQ(ReadFile(File()), "");
}

TEST_F(ProtocolTest, AnExistingFileStartsFreshAndGetsStampedLinesOrLosesThem) {
  WriteFile(File(), "alter Inhalt\r\n");
  Protocol::AppendLine("AusReg Liste");
  clock_.now = {2024, 12, 31, 23, 59, 58, 999};
  Protocol::AppendLine("ScaleF out:800 600");
  EXPECT_EQ(Protocol::GetState(), Protocol::kOn);
  EXPECT_EQ(ReadFile(File()),
            " 09.03 07:05:04 AusReg Liste\r\n 31.12 23:59:58 ScaleF out:800 600\r\n");
  std::filesystem::remove(File());
  Protocol::AppendLine("neu angelegt");  // a file deleted during the run is created again
  EXPECT_EQ(ReadFile(File()), " 31.12 23:59:58 neu angelegt\r\n");
  std::filesystem::remove(File());
  std::filesystem::create_directory(File());  // cannot be opened as a file
  Protocol::AppendLine("verloren");           // dropped, without a message or an exception
  EXPECT_TRUE(std::filesystem::is_directory(File()));
  EXPECT_EQ(Protocol::GetState(), Protocol::kOn);
}

TEST_F(ProtocolTest, NothingHappensWithoutTheSettingsObject) {
  WriteFile(File(), "alt");
  Protocol::NoteSettingsObject(false);
  Protocol::AppendLine("vor den Einstellungen");
  EXPECT_EQ(Protocol::GetState(), Protocol::kUndecided);
  EXPECT_EQ(ReadFile(File()), "alt");
}

}  // namespace
}  // namespace common
