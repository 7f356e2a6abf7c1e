#include "common/text_file_writer.h"

#include <gtest/gtest.h>

#include <ostream>

#include "platform/file_faults.h"
#include "tests/common/temp_folder.h"

namespace common {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(TextFileWriter, EmptiesAnOldFileAndWritesLinesAsTheyStand) {
  TempFolder dir;
  WriteFile(dir / "out.txt", "old content that must go\r\n");
  TextFileWriter writer;
  ASSERT_TRUE(writer.Create("out.txt"));  // relative: the current folder
  EXPECT_TRUE(writer.WriteLine("M\xDCLLER \xE4"));
  EXPECT_TRUE(writer.WriteLine(""));
  EXPECT_TRUE(writer.Write("tail"));
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(ReadFile(dir / "out.txt"), "M\xDCLLER \xE4\r\n\r\ntail");
  EXPECT_FALSE(writer.WriteLine("after close"));
}

TEST(TextFileWriter, AFolderThatIsMissingFailsTheCreate) {
  TempFolder dir;
  TextFileWriter writer;
  EXPECT_FALSE(writer.Create("missing/out.txt"));
  EXPECT_EQ(writer.Error(), platform::kErrorPathNotFound);
  EXPECT_FALSE(writer.WriteLine("x"));
}

struct FaultRow {
  const char* name;
  bool short_write;
  std::string kept;  // what the file holds afterwards
};
void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }

class TextFileWriterFault : public ::testing::TestWithParam<FaultRow> {};

TEST_P(TextFileWriterFault, TheFirstFailureStandsAndStopsTheFile) {
  TempFolder dir;
  platform::FileFaultPlan plan;
  plan.write.fail_at = 3;
  plan.write.short_write = GetParam().short_write;
  platform::ScopedFileFaults faults(&plan);
  TextFileWriter writer;
  ASSERT_TRUE(writer.Create(dir / "full.txt"));
  EXPECT_TRUE(writer.WriteLine("eins"));
  EXPECT_TRUE(writer.WriteLine("zwei"));
  EXPECT_FALSE(writer.WriteLine("drei"));
  EXPECT_FALSE(writer.WriteLine("vier"));  // the disk has room again, but the file stays cut
  EXPECT_TRUE(writer.Failed());
  EXPECT_EQ(writer.Error(), platform::kErrorDiskFull);
  EXPECT_FALSE(writer.Close());
  EXPECT_EQ(ReadFile(dir / "full.txt"), GetParam().kept);
  EXPECT_TRUE(writer.Create(dir / "next.txt"));  // a new file starts without the old failure
  EXPECT_FALSE(writer.Failed());
}

INSTANTIATE_TEST_SUITE_P(Faults, TextFileWriterFault,
                         ::testing::Values(FaultRow{"Refused", false, "eins\r\nzwei\r\n"},
                                           FaultRow{"ShortWrite", true, "eins\r\nzwei\r\ndre"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace common
