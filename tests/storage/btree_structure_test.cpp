// The shape of the B-tree after insertions and deletions, read back from the files with the
// checker's raw reader: splits, redistribution, borrowing and merging.

#include <cstdio>

#include "storage/isam_image.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

KeyStr Num(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%05d", n);
  return KeyStr(buf);
}

class BtreeShape : public EngineTest {
 protected:
  void SetUp() override { h_ = CreateOpen("T", 21, {{9, 0}}); }

  void Add(int n) {
    FileblockAddKey(h_, 1, n, Num(n));
    ASSERT_EQ(Err(), 0) << n;
  }
  void Del(int n) {
    FileblockDeleteKey(h_, 1, n, Num(n));
    ASSERT_EQ(Err(), 0) << n;
  }

  // Root item count, and the item counts of the root's children (empty for a leaf root).
  struct Shape {
    int root_items = 0;
    std::vector<int> children;
    std::int32_t allocated = 0;
    std::int32_t free_pages = 0;
  };
  Shape Read() {
    CheckOptions o;
    o.check_records_in_keys = false;
    EXPECT_EQ(Check(h_, "T", o), "");
    IsamImage image;
    std::string error;
    EXPECT_TRUE(image.Open(Name("T"), &error)) << error;
    Shape s;
    const ImageKeyHeader& k = image.keys()[1];
    s.allocated = k.allocated;
    s.free_pages = k.free_count;
    ImagePage root;
    EXPECT_TRUE(image.ReadPage(1, k.root, &root));
    s.root_items = root.count;
    if (root.left != 0) {
      ImagePage child;
      EXPECT_TRUE(image.ReadPage(1, root.left, &child));
      s.children.push_back(child.count);
      for (const ImageItem& item : root.items) {
        EXPECT_TRUE(image.ReadPage(1, item.child, &child));
        s.children.push_back(child.count);
      }
    }
    return s;
  }

  FileblockHandle h_ = nullptr;
};

TEST_F(BtreeShape, SixtyTwoEntriesFillTheRootAndTheNextSplits31_1_31) {
  for (int i = 1; i <= 62; ++i) Add(i * 10);
  Shape s = Read();
  EXPECT_EQ(s.root_items, 62);
  EXPECT_TRUE(s.children.empty());
  EXPECT_EQ(s.allocated, 1);

  Add(630);
  s = Read();
  EXPECT_EQ(s.root_items, 1);
  EXPECT_EQ(s.children, (std::vector<int>{31, 31}));
  EXPECT_EQ(s.allocated, 3);
}

TEST_F(BtreeShape, FullPageGivesToItsRightNeighbourBeforeSplitting) {
  for (int i = 1; i <= 63; ++i) Add(i * 10);      // leaves 10..310 | 320 | 330..630
  for (int j = 0; j < 31; ++j) Add(15 + 10 * j);  // left leaf full: 62
  for (int j = 0; j < 9; ++j) Add(635 + 10 * j);  // right leaf: 40
  Shape s = Read();
  ASSERT_EQ(s.children, (std::vector<int>{62, 40}));

  Add(16);  // T = 62 + 1 + 40 = 103: the full page keeps 52, the neighbour gets 51
  s = Read();
  EXPECT_EQ(s.root_items, 1);
  EXPECT_EQ(s.children, (std::vector<int>{52, 51}));
  EXPECT_EQ(s.allocated, 3);
}

TEST_F(BtreeShape, FullLastChildGivesToItsLeftNeighbour) {
  for (int i = 1; i <= 63; ++i) Add(i * 10);
  for (int j = 0; j < 31; ++j) Add(325 + 10 * j);  // right leaf full: 62
  Add(5);                                          // left leaf: 32
  Shape s = Read();
  ASSERT_EQ(s.children, (std::vector<int>{32, 62}));

  Add(1000);  // T = 62 + 1 + 32 = 95: the full page keeps 48, the left neighbour gets 47
  s = Read();
  EXPECT_EQ(s.children, (std::vector<int>{47, 48}));
  EXPECT_EQ(s.allocated, 3);
}

TEST_F(BtreeShape, BothNeighboursFullSplitsIntoANewPage) {
  for (int i = 1; i <= 63; ++i) Add(i * 10);
  for (int j = 0; j < 31; ++j) Add(15 + 10 * j);
  for (int j = 0; j < 31; ++j) Add(325 + 10 * j);
  Shape s = Read();
  ASSERT_EQ(s.children, (std::vector<int>{62, 62}));
  Add(16);
  s = Read();
  EXPECT_EQ(s.root_items, 2);
  EXPECT_EQ(s.children, (std::vector<int>{31, 31, 62}));
  EXPECT_EQ(s.allocated, 4);
}

TEST_F(BtreeShape, UnderflowMergesWithA31ItemNeighbourInto62) {
  for (int i = 1; i <= 63; ++i) Add(i * 10);
  Del(10);  // left leaf 30 + separator + right leaf 31
  const Shape s = Read();
  EXPECT_EQ(s.root_items, 62);
  EXPECT_TRUE(s.children.empty());
  EXPECT_EQ(s.free_pages, 2);  // the right leaf and the old root
}

TEST_F(BtreeShape, LastChildUnderflowMergesIntoItsLeftNeighbour) {
  for (int i = 1; i <= 63; ++i) Add(i * 10);
  Del(630);
  const Shape s = Read();
  EXPECT_EQ(s.root_items, 62);
  EXPECT_EQ(s.free_pages, 2);
}

TEST_F(BtreeShape, UnderflowBorrowsFromARicherNeighbour) {
  for (int i = 1; i <= 63; ++i) Add(i * 10);
  for (int j = 0; j < 9; ++j) Add(635 + 10 * j);  // right leaf 40
  Del(10);  // 30 left: k = (40 - 31 + 1) div 2 = 5, so 30 + 1 + 4 = 35 and 40 - 5 = 35
  Shape s = Read();
  EXPECT_EQ(s.children, (std::vector<int>{35, 35}));

  for (int v = 11, added = 0; added < 20; ++v) {  // left 55
    if (v % 10 != 0) Add(v), ++added;
  }
  for (int j = 0; j < 5; ++j) Del(715 - 10 * j);  // the last child drops to 30 and borrows
  s = Read();                                     // k = (55 + 1 - 31) div 2 = 12 from the left
  EXPECT_EQ(s.children, (std::vector<int>{43, 42}));
}

TEST_F(BtreeShape, DeletingEverythingFreesEveryPage) {
  for (int i = 1; i <= 500; ++i) Add(i);
  for (int i = 500; i >= 1; --i) Del(i);
  EXPECT_EQ(FileblockUsedKeys(h_, 1), 0);
  CheckOptions o;
  o.check_records_in_keys = false;
  EXPECT_EQ(Check(h_, "T", o), "");
  IsamImage image;
  std::string error;
  ASSERT_TRUE(image.Open(Name("T"), &error));
  EXPECT_EQ(image.keys()[1].root, 0);
  EXPECT_EQ(image.keys()[1].free_count, image.keys()[1].allocated);
  // Freed pages are used again before the file grows.
  for (int i = 1; i <= 500; ++i) Add(i);
  FileblockFlush(h_);
  IsamImage again;
  ASSERT_TRUE(again.Open(Name("T"), &error));
  EXPECT_EQ(again.keys()[1].allocated, image.keys()[1].allocated);
}

}  // namespace
}  // namespace storage::testing
