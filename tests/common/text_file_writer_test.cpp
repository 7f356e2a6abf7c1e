#include "common/text_file_writer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "platform/file_faults.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"

namespace common {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(TextFileWriter, ReplacesAnOldFileWithLinesAsTheyStand) {
  TempFolder dir;
  WriteFile(dir / "out.txt", "old content that must go\r\n");
  TextFileWriter writer;
  ASSERT_TRUE(writer.Replace("out.txt"));  // relative: the current folder
  EXPECT_TRUE(writer.WriteLine("M\xDCLLER \xE4"));
  EXPECT_TRUE(writer.WriteLine(""));
  EXPECT_TRUE(writer.Write("tail"));
  EXPECT_EQ(ReadFile(dir / "out.txt"), "old content that must go\r\n");
  EXPECT_TRUE(writer.Commit());
  EXPECT_EQ(ReadFile(dir / "out.txt"), "M\xDCLLER \xE4\r\n\r\ntail");
  EXPECT_FALSE(writer.WriteLine("after the commit"));
}

TEST(TextFileWriter, AFolderThatIsMissingFailsTheReplace) {
  TempFolder dir;
  TextFileWriter writer;
  EXPECT_FALSE(writer.Replace("missing/out.txt"));
  EXPECT_EQ(writer.Error(), platform::kErrorPathNotFound);
  EXPECT_FALSE(writer.WriteLine("x"));
}

struct FaultRow {
  const char* name;
  bool short_write;
};
void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }

class TextFileWriterFault : public ::testing::TestWithParam<FaultRow> {};

TEST_P(TextFileWriterFault, TheFirstFailureStandsAndKeepsTheOlderFile) {
  TempFolder dir;
  WriteFile(dir / "full.txt", "alt\r\n");
  platform::FileFaultPlan plan;
  plan.write.fail_at = 3;
  plan.write.short_write = GetParam().short_write;
  platform::ScopedFileFaults faults(&plan);
  TextFileWriter writer;
  ASSERT_TRUE(writer.Replace(dir / "full.txt"));
  EXPECT_TRUE(writer.WriteLine("eins"));
  EXPECT_TRUE(writer.WriteLine("zwei"));
  EXPECT_FALSE(writer.WriteLine("drei"));
  EXPECT_FALSE(writer.WriteLine("vier"));  // the disk has room again, but the file stays cut
  EXPECT_TRUE(writer.Failed());
  EXPECT_EQ(writer.Error(), platform::kErrorDiskFull);
  EXPECT_FALSE(writer.Commit());
  EXPECT_EQ(ReadFile(dir / "full.txt"), "alt\r\n");
  EXPECT_TRUE(writer.Replace(dir / "next.txt"));  // a new file starts without the old failure
  EXPECT_FALSE(writer.Failed());
  writer.Discard();
}

INSTANTIATE_TEST_SUITE_P(Faults, TextFileWriterFault,
                         ::testing::Values(FaultRow{"Refused", false},
                                           FaultRow{"ShortWrite", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A writer that ends without Commit or Discard, at its end or at the next Replace, keeps the
// file and says so; one ended by an exception leaves the telling to whoever catches it.
TEST(TextFileWriter, AVersionEndedUndecidedKeepsTheFileAndIsTold) {
  TempFolder dir;
  WriteFile(dir / "out.txt", "alt");
  testing::ScriptedMessages messages;
  enum class End { kWriterEnd, kNextReplace, kException };
  for (const End end : {End::kWriterEnd, End::kNextReplace, End::kException}) {
    SCOPED_TRACE(static_cast<int>(end));
    messages->calls.clear();
    try {
      TextFileWriter writer;
      ASSERT_TRUE(writer.Replace("out.txt"));
      writer.WriteLine("neu");
      if (end == End::kNextReplace) {
        ASSERT_TRUE(writer.Replace("next.txt"));
        EXPECT_EQ(messages->calls.size(), 1u);  // told at once
        writer.Discard();
      }
      if (end == End::kException) throw std::runtime_error("walk stopped");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadFile(dir / "out.txt"), "alt");
    ASSERT_EQ(messages->calls.size(), end == End::kException ? 0u : 1u);
    if (end != End::kException) {
      EXPECT_EQ(messages->calls[0].text, "Die Datei out.txt konnte nicht geschrieben werden.");
    }
  }
}

}  // namespace
}  // namespace common
