#include "common/file_paths.h"

#include <gtest/gtest.h>

#include "common/current_folder.h"

namespace common {
namespace {

struct NameRow {
  const char* name;
  const char *input, *file_name, *file_dir, *base_name;
};

class FileNameParts : public ::testing::TestWithParam<NameRow> {};
TEST_P(FileNameParts, SplitAtTheLastSeparator) {
  const NameRow& r = GetParam();
  EXPECT_EQ(ExtractFileName(r.input), r.file_name);
  EXPECT_EQ(ExtractFileDir(r.input), r.file_dir);
  EXPECT_EQ(FileBaseName(r.input), r.base_name);
}
const NameRow kNameRows[] = {
    {"plain_name", "PXKK.DAT", "PXKK.DAT", "", "PXKK"},
    {"slash_path", "/data/logs/DL1ABC.CBR", "DL1ABC.CBR", "/data/logs", "DL1ABC"},
    {"backslash_path", "C:\\PEL\\QSO.DAT", "QSO.DAT", "C:\\PEL", "QSO"},
    {"file_in_root_keeps_root", "/QSO.DAT", "QSO.DAT", "/", "QSO"},
    {"drive_root_keeps_root", "C:\\QSO.DAT", "QSO.DAT", "C:\\", "QSO"},
    {"drive_only", "C:QSO.DAT", "QSO.DAT", "C:", "QSO"},
    {"two_dots_cut_the_last", "a/b.tar.gz", "b.tar.gz", "a", "b.tar"},
    {"trailing_separator", "a/b/", "", "a/b", ""},
};
INSTANTIATE_TEST_SUITE_P(Rows, FileNameParts, ::testing::ValuesIn(kNameRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilePaths, SeparatorsAndDrives) {
  EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
  EXPECT_EQ(AddBackslash("/tmp/"), "/tmp/");
  EXPECT_EQ(AddBackslash("/tmp"), "/tmp/");
  EXPECT_EQ(AddBackslash(""), "");  // an empty folder setting means the current folder
  EXPECT_TRUE(HasDriveOrFolder("C:x") && HasDriveOrFolder("a\\b") && HasDriveOrFolder("a/b"));
  EXPECT_FALSE(HasDriveOrFolder("PXKK.DAT"));
}

TEST(ResolvePath, PlacesRelativeNamesInTheCurrentFolder) {
  ScopedCurrentFolder current("/srv/domivox");
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
