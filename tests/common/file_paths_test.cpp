#include "common/file_paths.h"

#include <gtest/gtest.h>

#include <string>

#include "common/current_folder.h"

namespace common {
namespace {

struct NameCase {
  std::string name;
  std::string input;
  std::string file_name;
  std::string file_dir;
  std::string base_name;
};

class FileNamePartsTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNamePartsTest, SplitsAtTheLastSeparator) {
  const NameCase& c = GetParam();
  EXPECT_EQ(ExtractFileName(c.input), c.file_name);
  EXPECT_EQ(ExtractFileDir(c.input), c.file_dir);
  EXPECT_EQ(FileBaseName(c.input), c.base_name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileNamePartsTest,
    ::testing::Values(NameCase{"PlainName", "PXKK.DAT", "PXKK.DAT", "", "PXKK"},
                      NameCase{"SlashPath", "/data/logs/DL1ABC.CBR", "DL1ABC.CBR", "/data/logs",
                               "DL1ABC"},
                      NameCase{"BackslashPath", "C:\\PEL\\QSO.DAT", "QSO.DAT", "C:\\PEL", "QSO"},
                      NameCase{"FileInRootKeepsRoot", "/QSO.DAT", "QSO.DAT", "/", "QSO"},
                      NameCase{"DriveRootKeepsRoot", "C:\\QSO.DAT", "QSO.DAT", "C:\\", "QSO"},
                      NameCase{"DriveOnly", "C:QSO.DAT", "QSO.DAT", "C:", "QSO"},
                      NameCase{"TwoDotsCutsTheLast", "a/b.tar.gz", "b.tar.gz", "a", "b.tar"},
                      NameCase{"TrailingSeparator", "a/b/", "", "a/b", ""}),
    [](const auto& info) { return info.param.name; });

TEST(AddBackslash, AddsOneSeparatorOnlyWhenMissing) {
  EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
  EXPECT_EQ(AddBackslash("/tmp/"), "/tmp/");
  EXPECT_EQ(AddBackslash("/tmp"), "/tmp/");
  // An empty folder setting means the current folder, not the root.
  EXPECT_EQ(AddBackslash(""), "");
}

TEST(HasDriveOrFolder, SeesDriveAndBothSeparators) {
  EXPECT_TRUE(HasDriveOrFolder("C:x"));
  EXPECT_TRUE(HasDriveOrFolder("a\\b"));
  EXPECT_TRUE(HasDriveOrFolder("a/b"));
  EXPECT_FALSE(HasDriveOrFolder("PXKK.DAT"));
}

TEST(ResolvePath, PlacesRelativeNamesInTheCurrentFolder) {
  ScopedCurrentFolder current("/srv/domivox");
  EXPECT_EQ(CurrentFolder(), "/srv/domivox");
  EXPECT_EQ(ResolvePath("PXKK.DAT"), "/srv/domivox/PXKK.DAT");
  EXPECT_EQ(ResolvePath("logs\\A.CBR"), "/srv/domivox/logs/A.CBR");
  EXPECT_EQ(ResolvePath("../x//./y"), "/srv/x/y");
  EXPECT_EQ(ResolvePath("/etc/../../z"), "/z");
  EXPECT_EQ(ResolvePath(""), "/srv/domivox");
  {
    ScopedCurrentFolder inner("sub\\");
    EXPECT_EQ(CurrentFolder(), "/srv/domivox/sub");
  }
  EXPECT_EQ(CurrentFolder(), "/srv/domivox");
}

}  // namespace
}  // namespace common
