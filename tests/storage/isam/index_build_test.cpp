// The index rebuild's trees: sound at every size around the page boundaries, for unique keys and
// keys with duplicates, and changeable afterwards like any tree; built in several walks when the
// memory of one does not hold every key, with the same files as in one.

#include <filesystem>

#include "storage/isam/index_builder.h"
#include "storage/isam/rebuild.h"
#include "tests/storage/isam/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kLength = 24;
// Key 1: the name, unique; key 2: the id modulo 7, many records a text; key 3: the id, unique.
const std::vector<KeySpec> kKeys = {{8, 0}, {2, 1}, {6, 0}};

std::string KeyOf(const std::uint8_t* record, int key) {
  const std::int32_t id = common::ReadLeInt32(record + 4);
  if (key == 1) return std::string(reinterpret_cast<const char*>(record + 8), 8);
  return key == 2 ? Fmt("%02d", id % 7) : Fmt("%06d", id);
}
void KeysOf(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  text = KeyOf(record, key);
}
CheckOptions Oracle() {
  return {.key_builder = [](const std::uint8_t* r, std::size_t, int key) { return KeyOf(r, key); }};
}

class IndexBuildTest : public EngineTest {
 protected:
  ~IndexBuildTest() override { IndexPassMemory() = std::size_t{128} << 20; }

  // Records 1..n without any entry, named so that the name order differs from the id order;
  // `twice` gives that many later records the name of an earlier one.
  void Records(int n, int twice = 0) {
    FileblockHandle h = CreateOpen("T", kLength, kKeys);
    for (int id = 1; id <= n; ++id) {
      Bytes r = Record(kLength);
      common::WriteLeInt32(r.data() + 4, id);
      const int like = id > n - twice ? id - n + twice : id;  // the earlier record it repeats
      const int named = (like * 7919) % 100003;
      const std::string name = Fmt("N%07d", named);
      std::copy(name.begin(), name.end(), r.begin() + 8);
      FileblockAddRecord(h, r.data());
    }
    ASSERT_ISAM(FileblockClose(h), 0);
  }
  void RebuildKeys(bool delete_collisions = true) {
    RebuildIndex(Name(), kLength, kLength, kKeys, false, KeysOf, delete_collisions);
  }
};

class TreeSizes : public IndexBuildTest, public ::testing::WithParamInterface<int> {};

TEST_P(TreeSizes, AreSoundInEveryKeyAndChangeLikeAnyTree) {
  const int n = GetParam();
  Records(n);
  ASSERT_ISAM(RebuildKeys(), 0);
  const CheckReport report = IsamCheck(Name(), Oracle());
  EXPECT_EQ(report.Text(), "");
  EXPECT_EQ(report.entries, (std::vector<std::int32_t>{0, n, n, n}));
  FileblockHandle h = Reopen(nullptr, "T");
  const std::vector<std::string> entries = Entries(h, 3);
  ASSERT_EQ(entries.size(), static_cast<std::size_t>(n));
  for (int id = 1; id <= n; ++id) EXPECT_EQ(entries[id - 1], Fmt("%06d/%d", id, id));
  // Full pages split and thin ones merge as in a tree grown entry by entry.
  for (int id = 1; id <= n; id += 3) {
    FileblockDeleteKey(h, 3, id, KeyStr(Fmt("%06d", id)));
    FileblockAddKey(h, 3, id, KeyStr(Fmt("%06d", id)));
    FileblockDeleteKey(h, 2, id, KeyStr(Fmt("%02d", id % 7)));
  }
  for (int id = 1; id <= n; id += 3) FileblockAddKey(h, 2, id, KeyStr(Fmt("%02d", id % 7)));
  EXPECT_ISAM(FileblockClose(h), 0);
  EXPECT_EQ(IsamCheck(Name(), Oracle()).Text(), "");
}

// One page, two, the root with 62 items over 63 leaves, and a level more.
INSTANTIATE_TEST_SUITE_P(Entries, TreeSizes,
                         ::testing::Values(0, 1, 62, 63, 64, 125, 126, 3968, 3969, 3970, 9000));

TEST_F(IndexBuildTest, SeveralWalksBuildTheSameFilesAsOne) {
  for (const bool delete_collisions : {true, false}) {
    SCOPED_TRACE(delete_collisions ? "collisions deleted" : "collisions kept");
    std::map<std::string, std::string> files[2];
    for (const std::size_t memory : {std::size_t{128} << 20, std::size_t{1}}) {
      IndexPassMemory() = memory;  // 1: a walk for each key
      FileblockDelete(Name());
      std::filesystem::remove(Name() + ".MSG");
      Records(500, 20);
      ASSERT_ISAM(RebuildKeys(delete_collisions), 0);
      for (const char* ext : {".DAT", ".IX", ".MSG"}) {
        files[memory == 1][ext] = ReadFile(Name() + ext);
      }
      CheckOptions oracle = Oracle();
      oracle.check_records_in_keys = delete_collisions;  // kept records lack their key 1 entry
      EXPECT_EQ(IsamCheck(Name(), oracle).Text(), "");
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_NE(files[0][".MSG"].find("not added"), std::string::npos);
  }
}

}  // namespace
}  // namespace storage::testing
