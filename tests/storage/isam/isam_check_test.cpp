// The checker finds each kind of broken invariant, and the dump lists headers and entries.

#include <sstream>

#include "storage/isam/isam_dump.h"
#include "storage/isam/isam_image.h"
#include "tests/storage/isam/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kLength = 24;
constexpr std::int64_t kPageSize = (5 + 9) * 62 + 6;  // of the only key, and the frame size

std::string KeyOf(int i) { return "K" + std::to_string(1000 + i); }

class CheckerTest;
struct Damage {
  const char* name;
  const char* expected;  // part of a reported problem
  void (*apply)(CheckerTest&);
};

class CheckerTest : public EngineTest, public ::testing::WithParamInterface<Damage> {
 public:
  // 100 records with their keys, record 50 deleted.
  void SetUp() override {
    h_ = CreateOpen("C", kLength, {{5, 0}});
    for (int i = 1; i <= 100; ++i) {
      Bytes rec = Record(kLength);
      common::WriteLeInt32(rec.data() + 4, i);
      FileblockAddKey(h_, 1, FileblockAddRecord(h_, rec.data()), KeyStr(KeyOf(i)));
    }
    FileblockDeleteRecord(h_, 50);
    ASSERT_ISAM(FileblockDeleteKey(h_, 1, 50, KeyStr(KeyOf(50))), 0);
  }

  // The raw file helpers close the fileblock first.
  std::string Closed(const std::string& ext) {
    if (h_ != nullptr) FileblockClose(h_);
    h_ = nullptr;
    return Name("C") + "." + ext;
  }
  void Patch(const char* ext, std::int64_t offset, std::int32_t value, int width = 4) {
    PatchFile(Closed(ext), offset, value, width);
  }
  void Cut(const char* ext, std::int64_t size) {
    std::filesystem::resize_file(Closed(ext), static_cast<std::uintmax_t>(size));
  }
  // The key's header and its root page.
  ImageKeyHeader Key(ImagePage* root = nullptr) {
    Closed("IX");
    IsamImage image;
    std::string error;
    EXPECT_TRUE(image.Open(Name("C"), &error));
    const ImageKeyHeader key = image.keys()[1];
    EXPECT_TRUE(root == nullptr || image.ReadPage(1, key.root, root));
    return key;
  }
  std::int32_t LeftLeaf() {
    ImagePage root;
    Key(&root);
    return root.left;
  }

  FileblockHandle h_ = nullptr;
};

TEST_P(CheckerTest, ReportsTheDamage) {
  GetParam().apply(*this);
  Closed("DAT");
  const CheckReport report =
      IsamCheck(Name("C"), {.key_builder = [](const std::uint8_t* r, std::size_t, int) {
                  return KeyOf(common::ReadLeInt32(r + 4));
                }});
  EXPECT_FALSE(report.ok());
  EXPECT_NE(report.Text().find(GetParam().expected), std::string::npos) << report.Text();
}

using T = CheckerTest;
// KeysOutOfOrder: the first key text of the leftmost leaf becomes "K9", above its neighbours.
const Damage kDamages[] = {
    {"RecordMissingFromKey", "record 7 missing",
     [](T& t) { FileblockDeleteKey(t.h_, 1, 7, KeyStr(KeyOf(7))); }},
    {"EntryForAFreeRecord", "names record 8, which is not in use",
     [](T& t) { FileblockDeleteRecord(t.h_, 8); }},
    // A record in use whose link bytes are not zero reads as deleted through its entry.
    {"EntryForARecordWithALink", "names record 12, whose first four bytes are not zero",
     [](T& t) { t.Patch("DAT", 12 * kLength, 7); }},
    {"WrongKeyText", "record 9 is entered as",
     [](T& t) {
       FileblockDeleteKey(t.h_, 1, 9, KeyStr(KeyOf(9)));
       FileblockAddKey(t.h_, 1, 9, KeyStr("Z1009"));
     }},
    {"ModifiedMarker", "modified marker set", [](T& t) { t.Patch("DAT", 20, 1, 1); }},
    {"RecordFreeChainCycle", "reached twice (cycle)",
     [](T& t) { t.Patch("DAT", 50 * kLength, 50); }},
    {"FreeCountDiffers", "free chain: 1 records, header says 2",
     [](T& t) { t.Patch("DAT", 4, 2); }},
    {"EntryCountDiffers", "entries found, header says 7", [](T& t) { t.Patch("IX", 22, 7); }},
    {"KeysOutOfOrder", "not after",
     [](T& t) { t.Patch("IX", t.LeftLeaf() * kPageSize + 16, '9', 1); }},
    {"PageReachableTwice", "reachable twice",
     [](T& t) { t.Patch("IX", t.Key().root * kPageSize + 10, t.LeftLeaf()); }},
    {"UnderfilledPage", "holds 30 items (at least 31)",
     [](T& t) { t.Patch("IX", t.LeftLeaf() * kPageSize, 30, 2); }},
    {"LostPage", "neither in the tree nor free",
     [](T& t) {
       const std::int32_t pages = t.Key().allocated + 1;
       t.Patch("IX", 8, pages);
       t.Cut("IX", (pages + 1) * kPageSize);
     }},
    {"IndexFileTooShort", "for its ", [](T& t) { t.Cut("IX", 2 * kPageSize); }},
    {"DataFileTooShort", "needed for 100 slots", [](T& t) { t.Cut("DAT", 60 * kLength); }}};
INSTANTIATE_TEST_SUITE_P(Invariants, CheckerTest, ::testing::ValuesIn(kDamages), RowName);

TEST_F(EngineTest, DumpListsHeadersAndEntriesInKeyOrder) {
  FileblockHandle h = CreateOpen("D", 21, {{3, 1}});
  for (const char* text : {"B", "A\x01", "\xC4", "A\x01"}) {
    FileblockAddKey(h, 1, FileblockAddRecord(h, Record(21).data()), KeyStr(text));
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
  EXPECT_FALSE(IsamDump(Name("missing"), out));
}

}  // namespace
}  // namespace storage::testing
