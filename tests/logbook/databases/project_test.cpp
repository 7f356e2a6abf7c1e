// The project database: content kinds to field slots, column names, the catalogue, selecting a
// project and what the cursor's descriptor table and slot area describe after it moved.
#include <string>

#include "database_fixture.h"
#include "logbook/databases/projecte.h"
#include "logbook/databases/selection_position.h"

namespace logbook::testing {
namespace {

class ProjectTest : public DatabaseTest {
 protected:
  ProjectTest() {
    common::Service<ToDatProject>::Create();
    common::Service<ToProjecte>::Create();
  }
  ~ProjectTest() override {
    common::Service<ToProjecte>::Destroy();
    common::Service<ToDatProject>::Destroy();
  }
  // Adds a project; answers its number.
  std::int32_t AddProject(const std::string& name, int layout, const std::string& tag = "") {
    TdbProject p;
    p.Clear();
    p.Record().name = name;
    p.Record().block.layout_kind = static_cast<std::uint8_t>(layout);
    p.Record().block.version_tag = tag;
    EXPECT_TRUE(p.Insert()) << name;
    return p.GetGroupValue();
  }
  static void Name(TProjectRec& r, int slot, const std::string& name, int width = 8) {
    r.block.fields[slot - 1].name = name;
    r.block.fields[slot - 1].width = static_cast<std::uint8_t>(width);
  }
  static ToProjecte& Projecte() { return common::Service<ToProjecte>::Get(); }
};

TEST_F(ProjectTest, FieldOfKindByLayout) {
  TdbProject p;
  auto& block = p.Record().block;
  block.layout_kind = 9;
  EXPECT_EQ(p.FieldOfKind(44), 44);
  EXPECT_EQ(p.FieldOfKind(120), 120);  // also above 86
  block.layout_kind = 5;
  const std::pair<int, int> map[] = {{2, 1}, {1, 2}, {44, 3}, {28, 3}, {45, 6}, {50, 53}, {17, 0}};
  for (const auto& [kind, slot] : map) EXPECT_EQ(p.FieldOfKind(kind), slot) << kind;

  block.layout_kind = 1;
  auto* bytes = reinterpret_cast<std::uint8_t*>(&block);
  common::WriteLeInt32(bytes + 2357, 4);  // kind 2, a 32-bit cell
  bytes[2783] = 9;                        // kind 19, a byte cell
  common::WriteLeInt32(bytes + 2502, 53);  // kind 1: beyond the field list, no field
  EXPECT_EQ(p.FieldOfKind(2), 4);
  EXPECT_EQ(p.FieldOfKind(19), 9);
  EXPECT_EQ(p.FieldOfKind(1), 0);
  EXPECT_EQ(p.FieldOfKind(87), 0);
  // Kinds without a cell found by name, ignoring case.
  Name(p.Record(), 7, "qsl_sent");
  Name(p.Record(), 12, "OWN_GRIDSQU");
  EXPECT_EQ(p.FieldOfKind(13), 7);
  EXPECT_EQ(p.FieldOfKind(42), 12);  // no "OGRIDSQUARE": the cut export name
  Name(p.Record(), 3, "OGRIDSQUARE");
  EXPECT_EQ(p.FieldOfKind(42), 3);
  bytes[2567] = 2;  // a cell of kind 13 wins over the name
  EXPECT_EQ(p.FieldOfKind(13), 2);
}

TEST_F(ProjectTest, ColumnNames) {
  TdbProject p;
  TProjectRec& r = p.Record();
  r.block.layout_kind = 9;
  EXPECT_EQ(p.ColumnName(17, true, kColumnPadDots | kColumnExportName), "Band");
  EXPECT_EQ(p.ColumnName(28, true, kColumnExportName), "TIME_ON");
  EXPECT_EQ(p.ColumnName(28, true, 0), p.ColumnName(44, true, 0));
  EXPECT_EQ(p.ColumnName(44, true, 0), "UTC");  // the catalogue's short name
  EXPECT_EQ(p.ColumnName(78, true, kColumnShortNames), "L10");
  EXPECT_EQ(p.ColumnName(71, true, 0), "Bestätigt");
  EXPECT_EQ(p.ColumnName(12, true, kColumnExportName | kColumnCapitalise), "Qsl_Rcvd");
  EXPECT_EQ(p.ColumnName(13, true, kColumnPadDots), "QSLs");  // its input length is 1
  EXPECT_EQ(p.ColumnName(51, true, 0), "M1        ");           // extra field, to 10
  EXPECT_EQ(p.ColumnName(56, true, 0), "M6        ");
  EXPECT_EQ(p.ColumnName(79, true, 0), "");  // switch 2 of M7 is off by default
  EXPECT_EQ(p.ColumnName(46, true, 0), "LogCheck");
  EXPECT_EQ(p.ColumnName(49, true, 0), "");  // internal descriptor: no name

  r.block.layout_kind = 5;
  EXPECT_EQ(p.ColumnName(6, false, 0), "");  // not "PELORIN"
  r.block.version_tag = "PELORIN";
  EXPECT_EQ(p.ColumnName(6, false, 0), "RSTs");
  EXPECT_EQ(p.ColumnName(30, true, kColumnExportName), "RST_SENT");
  r.list_block[618] = 1;
  EXPECT_EQ(p.ColumnName(6, false, kColumnPadDots), "WKD.......");
  EXPECT_EQ(p.ColumnName(6, false, kColumnExportName), "WKD");
  EXPECT_EQ(p.ColumnName(40, false, 0), "");
  EXPECT_EQ(p.ColumnName(47, false, kColumnPadDots), "Band");

  r.block.layout_kind = 1;
  Name(r, 2, "QSL_RCVD", 10);
  EXPECT_EQ(p.ColumnName(2, false, kColumnPadDots), "QSL_RCVD..");
  EXPECT_EQ(p.ColumnName(12, true, kColumnCapitalise), "Qsl_Rcvd");  // found by its name
}

TEST_F(ProjectTest, CatalogueModes) {
  FieldCatalogue c = {};
  BuildFieldTable(0, c, 3);
  for (int n : {48, 49, 50}) {
    const TQSOFieldDescriptor& d = c[static_cast<std::size_t>(n - 1)];
    EXPECT_EQ(d.short_name.str() + "/" + d.description.str(), "res/reserviert");
    EXPECT_EQ(d.kind + d.in_use, 0) << n;
  }
  EXPECT_EQ(c[0].short_name.str(), "Call");
  EXPECT_EQ(c[54].kind, 83);
  const FieldCatalogue before = c;
  c[10].kind = 99;
  BuildFieldTable(56, c, 0);  // above 55: nothing
  EXPECT_EQ(c[10].kind, 99);
  BuildFieldTable(11, c, 0);
  EXPECT_EQ(std::memcmp(&c, &before, sizeof c), 0);
}

TEST_F(ProjectTest, SelectingTheCurrentProjectFindsNothingAndTheTableFollowsAChange) {
  const std::int32_t first = AddProject("Log 1", 9, "PELORIN6");
  const std::int32_t second = AddProject("Log 2", 1);
  {
    TdbProject p;
    ASSERT_TRUE(p.FindNumber(second));
    p.Record().descriptors_1_to_50[0].kind = 85;  // slot 1 of project 2 holds kind 85
    ASSERT_TRUE(p.Update());
  }
  ASSERT_TRUE(Projecte().SelectProject(first));
  TdbProject& db = Projecte().ProjectDb();
  EXPECT_EQ(db.GetName(), "Log 1");
  EXPECT_EQ(db.SlotOfKind(85), 0);
  db.SetFileSlot(0, 5);
  // Another cursor moves the shared driver; selecting the current number finds nothing.
  TdbProject other;
  ASSERT_TRUE(other.FindNumber(second));
  db.SetSelValue1(120);
  ASSERT_TRUE(Projecte().SelectProject(first));
  EXPECT_EQ(db.GetName(), "Log 1");
  EXPECT_EQ(db.GetFileSlot(0), 5);
  EXPECT_EQ(Projecte().CurrentProject(), first);
  // Another project: the descriptors and the logbook slots are its own.
  ASSERT_TRUE(Projecte().SelectProject(second));
  EXPECT_EQ(db.SlotOfKind(85), 1);
  EXPECT_EQ(db.GetFileSlot(0), 0);
  EXPECT_FALSE(Projecte().SelectProject(99));
  EXPECT_EQ(Projecte().CurrentProject(), 99);
  // The selection wrote project 1 back when it left it.
  ASSERT_TRUE(other.FindNumber(first));
  EXPECT_EQ(other.GetSelValue1(), 120);
}

TEST_F(ProjectTest, RecordsAreStoredWithTheirExtraLength) {
  AddProject("Short", 9);
  TdbProject p;
  ASSERT_TRUE(p.First(1));
  EXPECT_EQ(ProjectStoredLength(p.ReadCopy()), kProjectBaseLength);
  p.Record().extra_length = 1000;
  p.Record().remark = std::string(255, 'r');
  p.Record().reserved6[999] = 7;  // the last byte of the extra part
  ASSERT_TRUE(p.Update());
  p.Record().extra_length = -4;  // damaged: counts as none
  EXPECT_EQ(ProjectStoredLength(p.Record()), kProjectBaseLength);
  TdbProject q;
  ASSERT_TRUE(q.First(1));
  EXPECT_EQ(q.ReadCopy().reserved6[999], 7);
  EXPECT_EQ(q.ReadCopy().remark.size(), 255u);
  EXPECT_FALSE(q.Next(false, true));
  common::Service<ToProjecte>::Destroy();
  common::Service<ToDatProject>::Get().CloseFiles(ToDatProject::kProjectBit, false, true);
  EXPECT_EQ(Check("PX5PRO", ToDatProject::ProjectKeys, sizeof(TProjectRec), true), "");
  common::Service<ToProjecte>::Create();
}

TEST_F(ProjectTest, AFreshOpenStandsOnProjectOneAndTheSelectionKeepsItsPlace) {
  AddProject("Zwei", 9);
  AddProject("Eins", 9);
  {
    TdbProject p;  // the file is closed again when it is freed
    ASSERT_TRUE(p.FindNumber(1));
    ASSERT_TRUE(p.Delete(false));
  }
  ASSERT_TRUE(common::Service<ToDatProject>::Get().OpenFiles(ToDatProject::kProjectBit, false));
  EXPECT_EQ(common::ReadLeInt32(common::Service<ToDatProject>::Get().Treiber()->RecordBuffer() + 4),
            2);  // no project 1: the first one
  common::Service<ToDatProject>::Get().CloseFiles(ToDatProject::kProjectBit, false);

  ASSERT_TRUE(Projecte().SelectProject(2));
  ProjectWindowPlace place;  // what the DXCC selection holds
  int left = -1, top = -1;
  EXPECT_FALSE(place.Load(left, top));
  place.Store(310, 42);
  TdbProject p;
  ASSERT_TRUE(p.FindNumber(2));
  EXPECT_EQ(p.GetSelValue1(), 310);
  EXPECT_EQ(p.GetSelValue2(), 42);
  ASSERT_TRUE(place.Load(left, top));
  EXPECT_EQ(left * 1000 + top, 310042);
}

}  // namespace
}  // namespace logbook::testing
