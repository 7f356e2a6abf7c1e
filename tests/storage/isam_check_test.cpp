// The checker finds each kind of broken invariant in an otherwise sound fileblock.

#include <fstream>
#include <functional>
#include <sstream>

#include "common/le_int.h"
#include "storage/isam_dump.h"
#include "storage/isam_image.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kLength = 24;
constexpr int kRecords = 100;

std::string KeyOf(int i) { return "K" + std::to_string(1000 + i); }

std::string BuildKey(const std::uint8_t* record, std::size_t, int) {
  return KeyOf(common::ReadLeInt32(record + 4));
}

struct Damage {
  const char* name;
  std::function<void(class CheckerTest&)> apply;
  const char* expected;  // part of a reported problem
};

class CheckerTest : public EngineTest, public ::testing::WithParamInterface<Damage> {
 public:
  void SetUp() override {
    h_ = CreateOpen("C", kLength, {{5, 0}});
    for (int i = 1; i <= kRecords; ++i) {
      std::vector<std::uint8_t> rec(kLength, 0);
      common::WriteLeInt32(rec.data() + 4, i);
      const RecRef ref = FileblockAddRecord(h_, rec.data());
      FileblockAddKey(h_, 1, ref, KeyStr(KeyOf(i)));
    }
    FileblockDeleteRecord(h_, 50);
    FileblockDeleteKey(h_, 1, 50, KeyStr(KeyOf(50)));
    ASSERT_EQ(Err(), 0);
  }

  void CloseFiles() {
    FileblockClose(h_);
    h_ = nullptr;
  }
  void Patch(const std::string& ext, std::int64_t offset, std::int32_t value, int width = 4) {
    std::fstream f(Name("C") + "." + ext, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(offset);
    std::uint8_t b[4];
    common::WriteLeInt32(b, value);
    f.write(reinterpret_cast<const char*>(b), width);
  }
  ImageKeyHeader Key() {
    IsamImage image;
    std::string error;
    EXPECT_TRUE(image.Open(Name("C"), &error));
    return image.keys()[1];
  }
  ImagePage Page(std::int32_t page) {
    IsamImage image;
    std::string error;
    EXPECT_TRUE(image.Open(Name("C"), &error));
    ImagePage p;
    EXPECT_TRUE(image.ReadPage(1, page, &p));
    return p;
  }
  // Byte offset of page `page` of the only key (frame size = its page size).
  static std::int64_t PageAt(std::int32_t page) {
    return static_cast<std::int64_t>(page) * ((5 + 9) * 62 + 6);
  }

  std::string File(const std::string& base) const { return Name(base); }

  FileblockHandle h_ = nullptr;
};

TEST_F(CheckerTest, ASoundFileblockPasses) {
  CheckOptions o;
  o.key_builder = &BuildKey;
  const std::string text = Check(h_, "C", o);
  EXPECT_EQ(text, "");
  const CheckReport report = IsamCheck(Name("C"), o);
  EXPECT_EQ(report.used_records, kRecords - 1);
  EXPECT_EQ(report.entries[1], kRecords - 1);
}

TEST_P(CheckerTest, ReportsTheDamage) {
  GetParam().apply(*this);
  if (h_ != nullptr) CloseFiles();
  CheckOptions o;
  o.key_builder = &BuildKey;
  const CheckReport report = IsamCheck(Name("C"), o);
  EXPECT_FALSE(report.ok());
  EXPECT_NE(report.Text().find(GetParam().expected), std::string::npos) << report.Text();
}

INSTANTIATE_TEST_SUITE_P(
    Invariants, CheckerTest,
    ::testing::Values(
        Damage{"RecordMissingFromKey",
               [](CheckerTest& t) {
                 FileblockDeleteKey(t.h_, 1, 7, KeyStr(KeyOf(7)));
                 t.CloseFiles();
               },
               "record 7 missing"},
        Damage{"EntryForAFreeRecord",
               [](CheckerTest& t) {
                 FileblockDeleteRecord(t.h_, 8);
                 t.CloseFiles();
               },
               "names record 8, which is not in use"},
        Damage{"WrongKeyText",
               [](CheckerTest& t) {
                 FileblockDeleteKey(t.h_, 1, 9, KeyStr(KeyOf(9)));
                 FileblockAddKey(t.h_, 1, 9, KeyStr("Z1009"));
                 t.CloseFiles();
               },
               "record 9 is entered as"},
        Damage{"ModifiedMarker", [](CheckerTest& t) { t.CloseFiles(), t.Patch("DAT", 20, 1, 1); },
               "modified marker set"},
        Damage{"RecordFreeChainCycle",
               [](CheckerTest& t) {
                 t.CloseFiles();
                 t.Patch("DAT", 50 * kLength, 50);
               },
               "reached twice (cycle)"},
        Damage{"FreeCountDiffers", [](CheckerTest& t) { t.CloseFiles(), t.Patch("DAT", 4, 2); },
               "free chain: 1 records, header says 2"},
        Damage{"EntryCountDiffers",
               [](CheckerTest& t) {
                 t.CloseFiles();
                 t.Patch("IX", 22, 7);
               },
               "entries found, header says 7"},
        Damage{"KeysOutOfOrder",
               [](CheckerTest& t) {
                 t.CloseFiles();
                 const ImagePage root = t.Page(t.Key().root);
                 // The first key text of the leftmost leaf becomes "K9", above its neighbours.
                 t.Patch("IX", CheckerTest::PageAt(root.left) + 6 + 8 + 2, '9', 1);
               },
               "not after"},
        Damage{"PageReachableTwice",
               [](CheckerTest& t) {
                 t.CloseFiles();
                 const ImagePage root = t.Page(t.Key().root);
                 t.Patch("IX", CheckerTest::PageAt(t.Key().root) + 6 + 4, root.left);
               },
               "reachable twice"},
        Damage{"UnderfilledPage",
               [](CheckerTest& t) {
                 t.CloseFiles();
                 const ImagePage root = t.Page(t.Key().root);
                 t.Patch("IX", CheckerTest::PageAt(root.left), 30, 2);
               },
               "holds 30 items (at least 31)"},
        Damage{"LostPage",
               [](CheckerTest& t) {
                 t.CloseFiles();
                 const std::int32_t pages = t.Key().allocated + 1;
                 t.Patch("IX", 8, pages);
                 std::filesystem::resize_file(t.File("C") + ".IX", CheckerTest::PageAt(pages + 1));
               },
               "neither in the tree nor free"},
        Damage{"IndexFileTooShort",
               [](CheckerTest& t) {
                 t.CloseFiles();
                 std::filesystem::resize_file(t.File("C") + ".IX", CheckerTest::PageAt(2));
               },
               "for its "},
        Damage{"DataFileTooShort",
               [](CheckerTest& t) {
                 t.CloseFiles();
                 std::filesystem::resize_file(t.File("C") + ".DAT", 60 * kLength);
               },
               "needed for 100 slots"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace storage::testing

namespace storage::testing {
namespace {

class DumpTest : public EngineTest {};

TEST_F(DumpTest, ListsHeadersAndEntriesInKeyOrder) {
  FileblockHandle h = CreateOpen("D", 21, {{3, 1}});
  std::vector<std::uint8_t> rec(21, 0);
  for (const char* text : {"B", "A\x01", "\xC4", "A\x01"}) {
    const RecRef ref = FileblockAddRecord(h, rec.data());
    FileblockAddKey(h, 1, ref, KeyStr(text));
  }
  FileblockDeleteRecord(h, 3);
  FileblockDeleteKey(h, 1, 3, KeyStr("\xC4"));
  FileblockClose(h);
  std::ostringstream out;
  ASSERT_TRUE(IsamDump(Name("D"), out));
  EXPECT_EQ(out.str(),
            "Data file: record length 21, keys 1, slots 4, free records 1 (first free 3), "
            "modified marker 0\n"
            "Key 1: length 3, duplicates yes, entries 3, pages 1 (free 0, first free -1), root 1, "
            "page size 750\n"
            "  \"A\\x01\" 2\n"
            "  \"A\\x01\" 4\n"
            "  \"B\" 1\n");
  std::ostringstream none;
  EXPECT_FALSE(IsamDump(Name("missing"), none));
}

}  // namespace
}  // namespace storage::testing
