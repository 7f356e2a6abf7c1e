// B-tree shapes after splits, redistribution, borrowing and merging, and the key searches.

#include "storage/isam/isam_image.h"
#include "tests/storage/isam/engine_fixture.h"

namespace storage::testing {
namespace {

// Adds (or with a negative count deletes) the keys first, first + step, ...
struct Steps {
  int first, count, step = 10;
};

struct Shape {
  const char* name;
  int root_items;
  std::vector<int> children;  // item counts of the root's children
  int allocated;              // pages allocated, or free pages when negative
  std::vector<Steps> runs;    // {10, 63} makes the leaves 10..310 | 320 | 330..630
};

// Entries name records: the keys of these tests name slots 1..1000.
void AddSlots(FileblockHandle h) {
  const Bytes record = Record(21);
  for (int i = 0; i < 1000; ++i) FileblockAddRecord(h, record.data());
}

class BtreeTest : public EngineTest, public ::testing::WithParamInterface<Shape> {
 protected:
  void SetUp() override {
    h_ = CreateOpen("T", 21, {{9, 0}});
    AddSlots(h_);
  }

  void Apply(const Steps& r) {
    for (int i = 0, n = r.first; i < std::abs(r.count); ++i, n += r.step) {
      ASSERT_ISAM((r.count > 0 ? FileblockAddKey : FileblockDeleteKey)(h_, 1, n, Num(n)), 0) << n;
    }
  }

  IsamImage Image() {
    EXPECT_EQ(Check(h_, "T", CheckOptions{.key_builder = {}, .check_records_in_keys = false}), "");
    IsamImage image;
    std::string error;
    EXPECT_TRUE(image.Open(Name("T"), &error)) << error;
    return image;
  }

  FileblockHandle h_ = nullptr;
};

TEST_P(BtreeTest, ShapeAfterTheChanges) {
  const Shape& c = GetParam();
  for (const Steps& r : c.runs) ASSERT_NO_FATAL_FAILURE(Apply(r));
  IsamImage image = Image();
  const ImageKeyHeader& k = image.keys()[1];
  EXPECT_EQ(c.allocated > 0 ? k.allocated : -k.free_count, c.allocated);
  ImagePage root, child;
  ASSERT_TRUE(image.ReadPage(1, k.root, &root));
  EXPECT_EQ(root.count, c.root_items);
  std::vector<int> children;
  for (std::size_t i = 0; root.left != 0 && i <= root.items.size(); ++i) {
    ASSERT_TRUE(image.ReadPage(1, i == 0 ? root.left : root.items[i - 1].child, &child));
    children.push_back(child.count);
  }
  EXPECT_EQ(children, c.children);
}

// A full page gives to a neighbour first; an underfilled one borrows (n - 31 + 1) div 2 items.
const Shape kShapes[] = {
    {"RootFullAt62", 62, {}, 1, {{10, 62}}},
    {"Split31_1_31", 1, {31, 31}, 3, {{10, 63}}},
    {"FullGivesRight", 1, {52, 51}, 3, {{10, 63}, {15, 31}, {635, 9}, {16, 1}}},
    {"FullLastGivesLeft", 1, {47, 48}, 3, {{10, 63}, {325, 31}, {5, 1}, {1000, 1}}},
    {"BothFullSplit", 2, {31, 31, 62}, 4, {{10, 63}, {15, 31}, {325, 31}, {16, 1}}},
    {"MergeInto62", 62, {}, -2, {{10, 63}, {10, -1}}},
    {"LastMergesLeft", 62, {}, -2, {{10, 63}, {630, -1}}},
    {"BorrowRight", 1, {35, 35}, 3, {{10, 63}, {635, 9}, {10, -1}}},
    {"BorrowLeft", 1, {43, 42}, 3, {{10, 63}, {635, 9}, {10, -1}, {12, 20}, {675, -5}}}};
INSTANTIATE_TEST_SUITE_P(Changes, BtreeTest, ::testing::ValuesIn(kShapes), RowName);

using Strings = std::vector<std::string>;

class KeySearch : public EngineTest {
 protected:
  void SetUp() override {
    h_ = CreateOpen("K", 21, {{9, 0}, {9, 1}});
    AddSlots(h_);
  }
  void Add(int key, RecRef ref, const KeyStr& text) {
    ASSERT_ISAM(FileblockAddKey(h_, key, ref, text), 0);
  }

  FileblockHandle h_ = nullptr;
  KeyStr text_;
  RecRef ref_ = 0;
};

TEST_F(KeySearch, DuplicatesAreOrderedByReferenceAndRefusedChangesLeaveTheKeys) {
  for (const auto& [ref, text] : {std::pair{9, "A"}, {7, "A"}, {8, "AB"}, {3, ""}}) {
    Add(2, ref, KeyStr(text));
  }
  Add(1, 1, KeyStr("A"));
  EXPECT_ISAM(FileblockAddKey(h_, 2, 7, KeyStr("A")), kIsamDuplicateKey);  // same text and ref
  EXPECT_ISAM(FileblockAddKey(h_, 1, 2, KeyStr("A")), kIsamDuplicateKey);
  EXPECT_ISAM(FileblockAddKey(h_, 1, 2, KeyStr("0123456789")), kIsamKeyTooLong);
  EXPECT_ISAM(FileblockDeleteKey(h_, 1, 2, KeyStr("A")), kIsamDeleteKeyMissing);  // not record 1's
  EXPECT_EQ(Entries(h_, 2), (Strings{"/3", "A/7", "A/9", "AB/8"}));
  EXPECT_EQ(Entries(h_, 1), (Strings{"A/1"}));
  FileblockFindKey(h_, 2, KeyStr("A"), ref_);
  EXPECT_EQ(ref_, 7);
}

TEST_F(KeySearch, FindKeyAndRefByDirectionKeyExistsAndSearchOrLast) {
  for (int i = 1; i <= 100; ++i) Add(2, i, Num(i / 10));  // ten references per text
  const struct {
    const char* name;
    int text, ref, direction, error, found_text, found_ref;
  } cases[] = {
      {"Present", 3, 35, 0, 0, 3, 35},
      {"AbsentForward", 3, 40, 1, 0, 4, 40},
      {"AbsentExact", 3, 40, 0, kIsamKeyRefAbsent, 0, 0},
      {"AbsentBackward", 3, 40, -1, 0, 3, 39},
      {"HighestBelowAPrefix", 3, 0x7FFFFFFF, -1, 0, 3, 39},
      {"BeforeTheFirst", 0, 0, -1, kIsamNoPrevKey, 0, 0},
      {"AfterTheLast", 10, 101, 1, kIsamNoNextKey, 0, 0},
  };
  for (const auto& c : cases) {
    text_ = Num(c.text);
    ref_ = c.ref;
    EXPECT_ISAM(FileblockFindKeyAndRef(h_, 2, text_, ref_, c.direction), c.error) << c.name;
    if (c.error != 0) continue;
    EXPECT_EQ(text_.str() + "/" + std::to_string(ref_),
              Num(c.found_text).str() + "/" + std::to_string(c.found_ref));
  }
  EXPECT_TRUE(FileblockKeyExists(h_, 2, Num(3), 35) && FileblockKeyExists(h_, 2, Num(3), 0));
  EXPECT_FALSE(FileblockKeyExists(h_, 2, Num(3), 45) || FileblockKeyExists(h_, 2, Num(11), 0));
  text_ = KeyStr("99999");
  EXPECT_ISAM(FileblockSearchOrLast(h_, 2, text_, ref_), 0);
  EXPECT_EQ(text_.str() + "/" + std::to_string(ref_), Num(10).str() + "/100");
}

TEST_F(KeySearch, ApproximatePositionsOfALeafRootAndATwoLevelTree) {
  EXPECT_ISAM(FileblockApproxKeyAndRef(h_, 1, 0, 10, text_, ref_), kIsamApproxEmptyIndex);
  EXPECT_EQ(FileblockApproxRelPos(h_, 1, text_, 0, 10), -1);
  EXPECT_EQ(Err(), kIsamRelPosEmptyIndex);
  for (int i = 1; i <= 10; ++i) Add(1, i, Num(i));
  // One leaf root of 10 items: the entry at p of 0..10 is item min(p + 1, 10).
  for (const auto& [p, item] : {std::pair{0, 1}, {5, 6}, {9, 10}, {10, 10}}) {
    EXPECT_ISAM(FileblockApproxKeyAndRef(h_, 1, p, 10, text_, ref_), 0);
    EXPECT_EQ(ref_, item) << p;
  }
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(FileblockApproxRelPos(h_, 1, Num(i), i, 10), i);
  EXPECT_ISAM(FileblockApproxKeyAndRef(h_, 1, 0, 0, text_, ref_), kIsamApproxArgs);
  EXPECT_ISAM(FileblockApproxKeyAndRef(h_, 1, 11, 10, text_, ref_), kIsamApproxArgs);
  EXPECT_ISAM(FileblockApproxRelPos(h_, 1, text_, 0, 0), kIsamRelPosArgs);
  for (int i = 11; i <= 63; ++i) Add(1, i, Num(i));  // two levels: 1..31 | 32 | 33..63
  for (const auto& [p, expect] :
       {std::pair{0, 0}, {1, 0}, {2, 1}, {3, 2}, {50, 31}, {51, 32}, {100, 63}}) {
    text_ = KeyStr("x");
    ref_ = -1;
    EXPECT_ISAM(FileblockApproxKeyAndRef(h_, 1, p, 100, text_, ref_), 0);
    EXPECT_EQ(ref_, expect) << p;
    EXPECT_TRUE(expect != 0 || text_.str().empty()) << p;
  }
  EXPECT_EQ(FileblockApproxRelPos(h_, 1, Num(10), 10, 100), 15);
  EXPECT_EQ(FileblockApproxRelPos(h_, 1, Num(32), 32, 100), 50);
  for (std::int32_t i = 1, previous = 0, p; i <= 63; ++i, previous = p) {
    p = FileblockApproxRelPos(h_, 1, Num(i), i, 100);
    EXPECT_TRUE(p >= previous && p <= 100) << i;
  }
}

}  // namespace
}  // namespace storage::testing
