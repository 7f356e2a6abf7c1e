#include "common/protocol.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fake_environment.h"
#include "tests/common/temp_folder.h"

namespace common {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// A run of the program: the settings object exists (announced as the settings object does) and
// the clock is a fake.
class ProtocolTest : public ::testing::Test {
 protected:
  ProtocolTest() : environment_(&clock_, nullptr, nullptr) {
    clock_.now = {2024, 3, 9, 7, 5, 4, 0};
    Protocol::ResetRun();
    Protocol::NoteSettingsObject(true);
  }
  ~ProtocolTest() override {
    Protocol::NoteSettingsObject(false);
    Protocol::ResetRun();
  }

  TempFolder dir_;
  platform::FakeClock clock_;
  platform::ScopedEnvironment environment_;
};

TEST_F(ProtocolTest, WithoutTheFileAtTheFirstLineNothingIsWrittenAllRun) {
  Protocol::AppendLine("erste");
  EXPECT_EQ(Protocol::GetState(), Protocol::kOff);
  WriteFile(dir_ / "protokoll.dat", "");  // created later in the run: no effect
  Protocol::AppendLine("zweite");
  EXPECT_EQ(ReadFile(dir_ / "protokoll.dat"), "");
}

TEST_F(ProtocolTest, AnExistingFileStartsFreshAndGetsStampedLines) {
  WriteFile(dir_ / "protokoll.dat", "alter Inhalt\r\n");
  Protocol::AppendLine("AusReg Liste");
  clock_.now = {2024, 12, 31, 23, 59, 58, 999};
  Protocol::AppendLine("ScaleF out:800 600");
  EXPECT_EQ(Protocol::GetState(), Protocol::kOn);
  EXPECT_EQ(ReadFile(dir_ / "protokoll.dat"),
            " 09.03 07:05:04 AusReg Liste\r\n"
            " 31.12 23:59:58 ScaleF out:800 600\r\n");
}

TEST_F(ProtocolTest, AFileDeletedDuringTheRunIsCreatedAgain) {
  WriteFile(dir_ / "protokoll.dat", "");
  Protocol::AppendLine("a");
  std::filesystem::remove(dir_ / "protokoll.dat");
  Protocol::AppendLine("b");
  EXPECT_EQ(ReadFile(dir_ / "protokoll.dat"), " 09.03 07:05:04 b\r\n");
}

TEST_F(ProtocolTest, AnUnwritableFileOnlyLosesTheLines) {
  WriteFile(dir_ / "protokoll.dat", "");
  Protocol::AppendLine("a");
  std::filesystem::remove(dir_ / "protokoll.dat");
  std::filesystem::create_directory(dir_ / "protokoll.dat");  // cannot be opened as a file
  Protocol::AppendLine("b");  // dropped, without a message or an exception
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "protokoll.dat"));
  EXPECT_EQ(Protocol::GetState(), Protocol::kOn);
}

TEST_F(ProtocolTest, NothingHappensWithoutTheSettingsObject) {
  WriteFile(dir_ / "protokoll.dat", "alt");
  Protocol::NoteSettingsObject(false);
  Protocol::AppendLine("vor den Einstellungen");
  EXPECT_EQ(Protocol::GetState(), Protocol::kUndecided);
  EXPECT_EQ(ReadFile(dir_ / "protokoll.dat"), "alt");
  Protocol::NoteSettingsObject(true);
}

}  // namespace
}  // namespace common
