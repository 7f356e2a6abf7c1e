#include "app/resource_files.h"

#include <gtest/gtest.h>

#include <string>

#include "common/le_int.h"
#include "tests/common/temp_folder.h"

namespace app {
namespace {

using common::testing::ReadFile;
using common::testing::WriteFile;

// A data file of `records` used records (slots minus free slots in its header) and a tag.
std::string DataFile(int records, const std::string& tag) {
  std::string bytes(21, '\0');
  common::WriteLeInt32(bytes.data() + 4, 1);
  common::WriteLeInt32(bytes.data() + 8, records + 1);
  return bytes + tag;
}

TEST(ResourceFiles, PrefixTablesReplaceMissingOrEmptyOnesOnly) {
  common::testing::TempFolder resources;
  common::testing::TempFolder data;
  for (const char* table : {"PXPREFIX", "PXPREFES", "PXPREFEE"}) {
    WriteFile(resources / (std::string(table) + ".DAT"), DataFile(7, "new"));
    WriteFile(resources / (std::string(table) + ".IX"), "new index");
  }
  WriteFile(data / "PXPREFIX.DAT", DataFile(0, "old"));  // created empty by an earlier start
  WriteFile(data / "PXPREFIX.IX", "old index");
  WriteFile(data / "PXPREFEE.DAT", DataFile(0, "learnt"));
  InstallResourceFiles(resources.path(), data.path());
  EXPECT_EQ(ReadFile(data / "PXPREFIX.DAT"), DataFile(7, "new"));
  EXPECT_EQ(ReadFile(data / "PXPREFIX.IX"), "new index");
  EXPECT_EQ(ReadFile(data / "PXPREFES.DAT"), DataFile(7, "new"));
  EXPECT_EQ(ReadFile(data / "PXPREFEE.DAT"), DataFile(0, "learnt"));

  // A table that holds records stays, even when the resources hold others.
  WriteFile(data / "PXPREFIX.DAT", DataFile(1, "mine"));
  InstallResourceFiles(resources.path(), data.path());
  EXPECT_EQ(ReadFile(data / "PXPREFIX.DAT"), DataFile(1, "mine"));
}

}  // namespace
}  // namespace app
