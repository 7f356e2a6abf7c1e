// The logbook files: names and folders, the slot tables of the project logbooks, the key counts
// the files open with, the once-per-run DXCC pass, and keys that stay the opener's project's.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/file_base_ss.h"
#include "logbook/databases/qso_keys.h"
#include "qso_fixture.h"

namespace logbook::testing {
namespace {

class QsoFilesTest : public QsoTest {
 protected:
  // A cursor standing on project `number`.
  static std::unique_ptr<TdbProject> CursorOn(std::int32_t number) {
    auto p = std::make_unique<TdbProject>();
    EXPECT_TRUE(p->FindNumber(number)) << number;
    return p;
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(folder_ / name); }
};

TEST_F(QsoFilesTest, NamesFoldersAndVariants) {
  ToSetupDirs dirs;
  dirs.dirs[2] = "lb\\";
  dirs.dirs[10] = "qso/";
  dirs.dirs[13] = "ext/";
  common::Service<ToSetups>::Get().SetDirs(dirs);
  const std::int32_t first = AddProject(ProjectOf(9));
  TdbProject p;
  p.Record() = ProjectOf(9);
  p.Record().number = 12;
  p.Record().block.logbook_file = "C:\\LOG\\LB600000.DAT";
  TdbProject of_table3(3);
  of_table3.Record() = p.Record();
  const struct {
    const char* name;
    int table;
    const TdbProject* project;
    std::string path;
  } rows[] = {
      {"logbook", kLogbookLB5, &p, "lb/LB500012"},
      {"qso_file", kLogbookQSO, &p, "qso/QSO00012"},
      {"base_name_of_the_projects_file", kLogbook293, &p, "ext/LB600000"},
      {"second_slots", kLogbookLB5Second, &p, "lb/LB500012"},
      {"project_table_3_names_the_current_project", kLogbookLB5Second, &of_table3,
       "lb/LB5" + common::IntToStrAt(first, 5)},
      {"award", kLogbookAward, nullptr, "qso/LBDXCCAW"},
      {"undo", kLogbookUndo, nullptr, "qso/LBUNDO"},
      {"history_bare_name", kLogbookHistory, nullptr, "HQSO20000001"},
      {"qsl_via", kLogbookQslVia, nullptr, "ext/PXQSLVIA"},
      {"log_notes", kLogbookNote, nullptr, "lb/PXLNOTE"},
      {"no_table", 9, &p, ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ToDatQSO::FilePath(row.table, row.project), row.path) << row.name;
  }
  EXPECT_EQ(ToDatQSO::ProjectNameText(p), "LB600000  Projekt             ");

  // By request kind 0, 14, 15 and another: for "PELORIN" and for any other tag.
  const int requests[] = {0, 14, 15, 3}, variants[2][4] = {{2, 4, 5, 6}, {0, 4, 5, 1}};
  for (int tag = 0; tag < 2; ++tag) {
    p.Record().block.version_tag = tag == 0 ? "PELORIN" : "PELORIN6";
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(ToDatQSO::FileVariant(p, requests[i]), variants[tag][i]) << tag << i;
    }
  }
}

TEST_F(QsoFilesTest, EveryTableOpensAndCloses) {
  common::ScopedService<common::TFileBaseSS> files;
  ToSetupDirs dirs;
  dirs.dirs[10] = "qso/";  // missing: made by the open of the QSO file
  common::Service<ToSetups>::Get().SetDirs(dirs);
  auto p = CursorOn(AddProject(ProjectOf(9)));
  ASSERT_TRUE(Files().OpenFiles(LogbookBit(kLogbookQSO), p.get(), false));
  const unsigned all = (1u << kLogbookTables) - 1;
  ASSERT_TRUE(Files().OpenFiles(all, p.get(), false));
  for (int t = 0; t < kLogbookTables; ++t) {
    ASSERT_NE(Files().GetOpenTreiber(t, p.get()), nullptr) << t;
  }
  EXPECT_TRUE(Exists("LB500001.DAT"));
  EXPECT_TRUE(Exists("qso/QSO00001.DAT"));
  // Tables 0 and 3 of one project share the file, each in its own slot.
  EXPECT_EQ(Files().GetOpenTreiber(kLogbookLB5, p.get())->UseCount(), 1);
  Files().CloseFiles(all | LogbookBit(kLogbookQSO), p.get(), false);
  Files().CloseFiles(LogbookBit(kLogbookQSO), p.get(), false);
  for (int t = 0; t < kLogbookTables; ++t) {
    EXPECT_EQ(Files().GetOpenTreiber(t, p.get()), nullptr) << t;
  }
  EXPECT_EQ(Files().FindSlot(*p, kLogbookLB5), -1);
  // With the skip flag nothing opens and no slot is taken.
  EXPECT_FALSE(Files().OpenFiles(LogbookBit(kLogbookLB5), p.get(), true));
  EXPECT_EQ(Files().FindSlot(*p, kLogbookLB5), -1);
}

TEST_F(QsoFilesTest, AHundredProjectsTakeEverySlotAndTheNextIsRefused) {
  std::vector<std::unique_ptr<TdbProject>> projects;
  for (int i = 0; i < kLogbookSlots + 1; ++i) {
    projects.push_back(CursorOn(AddProject(ProjectOf(0))));
  }
  for (int i = 0; i < kLogbookSlots; ++i) {
    ASSERT_TRUE(Files().OpenFiles(LogbookBit(kLogbookLB5), projects[i].get(), false)) << i;
    EXPECT_EQ(projects[i]->GetFileSlot(kLogbookLB5), i + 1);
  }
  TdbProject& last = *projects.back();
  const auto stored = CursorOn(last.GetGroupValue());
  const TProjectRec before = stored->Record();
  EXPECT_FALSE(Files().OpenFiles(LogbookBit(kLogbookLB5), &last, false));
  EXPECT_EQ(last.GetFileSlot(kLogbookLB5), 0);
  ASSERT_TRUE(stored->FindNumber(last.GetGroupValue()));
  EXPECT_EQ(std::memcmp(&stored->Record(), &before, sizeof before), 0);
  EXPECT_FALSE(Exists("LB5" + common::IntToStrAt(last.GetGroupValue(), 5) + ".DAT"));

  // Closing the last user of slot 40 frees it for the refused project.
  TdbProject& closed = *projects[39];
  Files().CloseFiles(LogbookBit(kLogbookLB5), &closed, false);
  ASSERT_TRUE(Files().OpenFiles(LogbookBit(kLogbookLB5), &last, false));
  EXPECT_EQ(last.GetFileSlot(kLogbookLB5), 40);
  // The closed project's cursor still remembers slot 40: it names another project's file now.
  EXPECT_EQ(closed.GetFileSlot(kLogbookLB5), 40);
  EXPECT_EQ(Files().GetTreiber(kLogbookLB5, &closed), nullptr);
  for (auto& p : projects) Files().CloseFiles(LogbookBit(kLogbookLB5), p.get(), false);
}

TEST_F(QsoFilesTest, LogbooksOpenWithTheirKeyCounts) {
  struct Row {
    const char* name;
    int layout;
    int table;
    int count;
    int keys;
  };
  const Row rows[] = {
      {"layout9", 9, kLogbookLB5, 0, 36},
      {"layout9_qso_file", 9, kLogbookQSO, 0, 36},
      {"count_0", 1, kLogbookLB5, 0, 1},
      {"qso_file_over_100", 1, kLogbookQSO, 101, 1},
      {"six", 1, kLogbookLB5, 6, 6},
  };
  for (const Row& row : rows) {
    TProjectRec r = ProjectOf(row.layout);
    for (int f = 1; f <= kFieldListEntries; ++f) {
      r.block.fields[f - 1].width = 8;
      r.block.key_fields_lb5[f - 1] = r.block.key_fields_qso[f - 1] = static_cast<std::uint8_t>(f);
    }
    r.block.key_count_lb5 = r.block.key_count_qso = row.count;
    auto p = CursorOn(AddProject(r));
    ASSERT_TRUE(Files().OpenFiles(LogbookBit(row.table), p.get(), false)) << row.name;
    const storage::TdbTreiber* t = Files().GetOpenTreiber(row.table, p.get());
    ASSERT_NE(t, nullptr) << row.name;
    EXPECT_EQ(t->Driver()->KeyCount(), row.keys) << row.name;
    EXPECT_EQ(ProjectLogbookKeys(*p, row.table, false).list.Count(), row.keys) << row.name;
    Files().CloseFiles(LogbookBit(row.table), p.get(), false);
  }
}

TEST_F(QsoFilesTest, TheDxccPassRunsOnceARunOnTheFirstLayout9Logbook) {
  auto layout1 = CursorOn(AddProject(ProjectOf(1)));
  auto a = CursorOn(AddProject(ProjectOf(9)));
  auto b = CursorOn(AddProject(ProjectOf(9)));
  std::vector<std::int32_t> runs;
  Files().SetDxccPass([&](TdbProject& project) {
    runs.push_back(project.GetGroupValue());
    // The pass works on the logbook through a cursor of its own; what it opens runs no pass.
    TdbQSOBase on_it(&project, false, 0, "", kLogbookLB5);
    EXPECT_FALSE(on_it.OpenedHere());
    TdbQSOBase other(b.get(), false, 0, "", kLogbookLB5);
    EXPECT_TRUE(other.OpenedHere());
  });
  const auto open_close = [&](TdbProject& p, int table) {
    ASSERT_TRUE(Files().OpenFiles(LogbookBit(table), &p, false));
    Files().CloseFiles(LogbookBit(table), &p, false);
  };
  open_close(*layout1, kLogbookLB5);
  open_close(*a, kLogbookQSO);
  EXPECT_TRUE(runs.empty());
  open_close(*a, kLogbookLB5);
  open_close(*b, kLogbookLB5);
  open_close(*a, kLogbookLB5);
  EXPECT_EQ(runs, std::vector<std::int32_t>{a->GetGroupValue()});
  EXPECT_FALSE(Files().DxccPassArmed());
}

TEST_F(QsoFilesTest, KeysStayThoseOfTheProjectThatOpenedTheFile) {
  const std::int32_t a = AddProject(ProjectOf(9));
  const std::int32_t b = AddProject(ProjectOf(1));
  auto project = CursorOn(a);
  ToProjecte& projecte = common::Service<ToProjecte>::Get();
  ASSERT_TRUE(projecte.SelectProject(a));
  const LogbookKeys oracle = ProjectLogbookKeys(*project, kLogbookLB5, false);
  {
    TdbQSOBase log(project.get(), false, 0, "", kLogbookLB5);
    for (int i = 0; i < 20; ++i) {
      if (i == 10) {
        // Another project becomes current, and the opener's project is being edited.
        ASSERT_TRUE(projecte.SelectProject(b));
        project->Record().block.layout_kind = 1;
      }
      log.SetRecord(TaggedQso({{2, "DL" + std::to_string(i) + "AB"}, {1, "01.05.2024"},
                               {44, "10:0" + std::to_string(i % 10)}, {3, "DL"}}));
      ASSERT_TRUE(log.Insert()) << i;
      if (i % 3 == 0) {
        ASSERT_TRUE(log.Delete(false)) << i;
      }
    }
  }
  EXPECT_EQ(Check("LB5" + common::IntToStrAt(a, 5), oracle.builder, sizeof(TQSORec), true), "");
}

}  // namespace
}  // namespace logbook::testing
