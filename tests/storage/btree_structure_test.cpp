// The shape of the B-tree after insertions and deletions, read back from the files with the
// checker's raw reader: splits, redistribution, borrowing and merging.

#include "storage/isam_image.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

// Adds (or with a negative count deletes) the keys first, first + step, ...
struct Steps {
  int first;
  int count;
  int step = 10;
};

struct Shape {
  const char* name;
  int root_items;
  std::vector<int> children;  // item counts of the root's children
  int allocated;              // pages allocated, or free pages when negative
  std::vector<Steps> runs;    // {10, 63} makes the leaves 10..310 | 320 | 330..630
};

class BtreeTest : public EngineTest, public ::testing::WithParamInterface<Shape> {
 protected:
  void SetUp() override { h_ = CreateOpen("T", 21, {{9, 0}}); }

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
INSTANTIATE_TEST_SUITE_P(
    Changes, BtreeTest,
    ::testing::Values(
        Shape{"RootFullAt62", 62, {}, 1, {{10, 62}}},
        Shape{"Split31_1_31", 1, {31, 31}, 3, {{10, 63}}},
        Shape{"FullGivesRight", 1, {52, 51}, 3, {{10, 63}, {15, 31}, {635, 9}, {16, 1}}},
        Shape{"FullLastGivesLeft", 1, {47, 48}, 3, {{10, 63}, {325, 31}, {5, 1}, {1000, 1}}},
        Shape{"BothFullSplit", 2, {31, 31, 62}, 4, {{10, 63}, {15, 31}, {325, 31}, {16, 1}}},
        Shape{"MergeInto62", 62, {}, -2, {{10, 63}, {10, -1}}},
        Shape{"LastMergesLeft", 62, {}, -2, {{10, 63}, {630, -1}}},
        Shape{"BorrowRight", 1, {35, 35}, 3, {{10, 63}, {635, 9}, {10, -1}}},
        Shape{"BorrowLeft", 1, {43, 42}, 3, {{10, 63}, {635, 9}, {10, -1}, {12, 20}, {675, -5}}}),
    RowName());

TEST_F(BtreeTest, DeletingEverythingFreesEveryPageAndTheyAreUsedAgain) {
  Apply({1, 500, 1});
  Apply({500, -500, -1});
  const ImageKeyHeader emptied = Image().keys()[1];
  EXPECT_EQ(emptied.root, 0);
  EXPECT_EQ(emptied.free_count, emptied.allocated);
  Apply({1, 500, 1});
  EXPECT_EQ(Image().keys()[1].allocated, emptied.allocated);
}

}  // namespace
}  // namespace storage::testing
