// The switch to the new prefix tables: a rename that fails at any step leaves the old set whole.
#include "tools/prefiximport/table_switch.h"

#include <gtest/gtest.h>

#include "tests/common/temp_folder.h"

namespace prefiximport {
namespace {

namespace fs = std::filesystem;
using common::testing::ReadFile;
using common::testing::WriteFile;

const std::vector<std::string> kNames = {"PXPREFIX.DAT", "PXPREFIX.IX", "PXPREFES.DAT",
                                         "PXPREFES.IX"};

class TableSwitch : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(work_);
    for (const std::string& name : kNames) WriteFile(work_ / name, "new " + name);
  }
  void PutOld() {
    for (const std::string& name : kNames) WriteFile(folder_ / name, "old " + name);
  }
  // What the folder holds of the tables: "old", "new", "none" or "mixed".
  std::string Set() const {
    std::string set;
    for (const std::string& name : kNames) {
      const std::string text = fs::exists(folder_ / name) ? ReadFile(folder_ / name) : "none";
      const std::string kind = text.substr(0, text.find(' '));
      if (set.empty()) set = kind;
      if (kind != set || (kind != "none" && text != kind + " " + name)) return "mixed";
    }
    return set;
  }
  // A rename that fails at its `failing`-th call.
  RenameFile FailingAt(int failing) {
    return [this, failing](const fs::path& from, const fs::path& to) {
      if (++calls_ == failing) return std::make_error_code(std::errc::io_error);
      return SystemRename(from, to);
    };
  }

  common::testing::TempFolder folder_;
  fs::path work_ = fs::path(folder_.path()) / "prefiximport.tmp";
  int calls_ = 0;
};

TEST_F(TableSwitch, ReplacesTheOldSetAndTidiesUp) {
  PutOld();
  std::string error;
  ASSERT_TRUE(SwitchTables(work_, folder_.path(), kNames, error)) << error;
  EXPECT_EQ(Set(), "new");
  EXPECT_FALSE(fs::exists(folder_ / "prefiximport.old"));
}

TEST_F(TableSwitch, AFailureAtAnyRenameLeavesTheOldSetWhole) {
  // Four moves aside, four moves in.
  for (int failing = 1; failing <= 8; ++failing) {
    SetUp();
    PutOld();
    calls_ = 0;
    std::string error;
    EXPECT_FALSE(SwitchTables(work_, folder_.path(), kNames, error, FailingAt(failing)));
    EXPECT_EQ(Set(), "old") << "failing at " << failing;
    EXPECT_NE(error.find("PXPREF"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(folder_ / "prefiximport.old")) << "failing at " << failing;
  }
}

TEST_F(TableSwitch, AFirstImportThatFailsLeavesNoPartOfASet) {
  for (int failing = 1; failing <= 4; ++failing) {
    SetUp();
    calls_ = 0;
    std::string error;
    EXPECT_FALSE(SwitchTables(work_, folder_.path(), kNames, error, FailingAt(failing)));
    EXPECT_EQ(Set(), "none") << "failing at " << failing;
  }
}

TEST_F(TableSwitch, WhenMovingBackFailsTooTheOldTablesAreKeptAside) {
  PutOld();
  // The third move in fails (call 7), and so does every move after it.
  const RenameFile rename = [this](const fs::path& from, const fs::path& to) {
    if (++calls_ >= 7) return std::make_error_code(std::errc::io_error);
    return SystemRename(from, to);
  };
  std::string error;
  EXPECT_FALSE(SwitchTables(work_, folder_.path(), kNames, error, rename));
  EXPECT_NE(error.find("the old tables are kept in"), std::string::npos) << error;
  for (const std::string& name : kNames) {
    EXPECT_EQ(ReadFile(fs::path(folder_ / "prefiximport.old") / name), "old " + name);
  }
}

}  // namespace
}  // namespace prefiximport
