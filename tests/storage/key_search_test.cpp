// Searching and moving along keys: order with and without duplicates, the find and search
// variants, Next/Prev at the ends and after the position was lost, approximate positioning.

#include <cstdio>

#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

KeyStr Num(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%05d", n);
  return KeyStr(buf);
}

class KeySearch : public EngineTest {
 protected:
  void SetUp() override { h_ = CreateOpen("K", 21, {{9, 0}, {9, 1}}); }

  void Add(int key, RecRef ref, const std::string& text) {
    FileblockAddKey(h_, key, ref, KeyStr(text));
    ASSERT_EQ(Err(), 0) << text;
  }

  // Every entry of a key in order, by Next from ClearKey.
  std::vector<std::pair<std::string, RecRef>> Scan(int key) {
    std::vector<std::pair<std::string, RecRef>> out;
    FileblockClearKey(h_, key);
    KeyStr text;
    RecRef ref = 0;
    for (;;) {
      FileblockNextKey(h_, key, text, ref);
      if (Err() != 0) break;
      out.emplace_back(text.str(), ref);
    }
    EXPECT_EQ(Err(), kIsamNoNextKey);
    return out;
  }

  FileblockHandle h_ = nullptr;
};

using Entries = std::vector<std::pair<std::string, RecRef>>;

TEST_F(KeySearch, DuplicatesAreOrderedByReference) {
  Add(2, 9, "A");
  Add(2, 7, "A");
  Add(2, 8, "AB");
  Add(2, 3, "");
  EXPECT_EQ(Scan(2), (Entries{{"", 3}, {"A", 7}, {"A", 9}, {"AB", 8}}));
  FileblockAddKey(h_, 2, 7, KeyStr("A"));
  EXPECT_EQ(Err(), kIsamDuplicateKey);  // the same text and reference
  RecRef ref = 0;
  FileblockFindKey(h_, 2, KeyStr("A"), ref);
  EXPECT_EQ(Err(), 0);
  EXPECT_EQ(ref, 7);
}

TEST_F(KeySearch, UniqueKeysRefuseASecondEqualText) {
  Add(1, 1, "A");
  FileblockAddKey(h_, 1, 2, KeyStr("A"));
  EXPECT_EQ(Err(), kIsamDuplicateKey);
  FileblockAddKey(h_, 1, 2, KeyStr("0123456789"));
  EXPECT_EQ(Err(), kIsamKeyTooLong);
  FileblockDeleteKey(h_, 1, 2, KeyStr("A"));  // another record's entry of the same text stays
  EXPECT_EQ(Err(), kIsamDeleteKeyMissing);
  FileblockDeleteKey(h_, 1, 1, KeyStr("A"));
  EXPECT_EQ(Err(), 0);
  FileblockDeleteKey(h_, 1, 1, KeyStr("A"));
  EXPECT_EQ(Err(), kIsamDeleteKeyMissing);
}

TEST_F(KeySearch, BytesCompareUnsignedAndShorterTextsFirst) {
  Add(1, 1, "\xC4");
  Add(1, 2, "Z");
  Add(1, 3, "ZZ");
  Add(1, 4, "");
  Add(1, 5, std::string(1, '\0'));
  EXPECT_EQ(Scan(1),
            (Entries{{"", 4}, {std::string(1, '\0'), 5}, {"Z", 2}, {"ZZ", 3}, {"\xC4", 1}}));
}

TEST_F(KeySearch, SearchFindsTheFirstEntryAtOrAfterTheText) {
  for (int i = 1; i <= 200; ++i) Add(1, i, Num(i * 2).str());
  struct Case {
    const char* text;
    int error;
    const char* found;
  } cases[] = {{"00010", 0, "00010"}, {"00011", 0, "00012"}, {"0", 0, "00002"},
               {"", 0, "00002"},      {"00400", 0, "00400"}, {"00401", kIsamNoKeyAtOrAfter, ""}};
  for (const Case& c : cases) {
    KeyStr text(c.text);
    RecRef ref = 0;
    FileblockSearchKey(h_, 1, text, ref);
    EXPECT_EQ(Err(), c.error) << c.text;
    if (c.error == 0) {
      EXPECT_EQ(text.str(), c.found) << c.text;
    }
  }
  KeyStr text("99999");
  RecRef ref = 0;
  FileblockSearchOrLast(h_, 1, text, ref);
  EXPECT_EQ(Err(), 0);
  EXPECT_EQ(text.str(), "00400");
  EXPECT_EQ(ref, 200);
  RecRef found = 0;
  FileblockFindKey(h_, 1, KeyStr("00011"), found);
  EXPECT_EQ(Err(), kIsamKeyNotFound);
  EXPECT_TRUE(FileblockKeyExists(h_, 1, KeyStr("00012"), 0));
  EXPECT_FALSE(FileblockKeyExists(h_, 1, KeyStr("00013"), 0));
  EXPECT_EQ(Err(), 0);
}

TEST_F(KeySearch, FindKeyAndRefByDirection) {
  for (int i = 1; i <= 100; ++i) Add(2, i, Num(i / 10).str());  // ten references per text
  struct Case {
    const char* name;
    int text;
    RecRef ref;
    int direction;
    int error;
    int found_text;
    RecRef found_ref;
  } cases[] = {
      {"Present", 3, 35, 0, 0, 3, 35},
      {"AbsentForward", 3, 40, 1, 0, 4, 40},
      {"AbsentExact", 3, 40, 0, kIsamKeyRefAbsent, 0, 0},
      {"AbsentBackward", 3, 40, -1, 0, 3, 39},
      {"HighestBelowAPrefix", 3, 0x7FFFFFFF, -1, 0, 3, 39},
      {"BeforeTheFirst", 0, 0, -1, kIsamNoPrevKey, 0, 0},
      {"AfterTheLast", 10, 101, 1, kIsamNoNextKey, 0, 0},
  };
  for (const Case& c : cases) {
    KeyStr text = Num(c.text);
    RecRef ref = c.ref;
    FileblockFindKeyAndRef(h_, 2, text, ref, c.direction);
    EXPECT_EQ(Err(), c.error) << c.name;
    if (c.error != 0) continue;
    EXPECT_EQ(text.str(), Num(c.found_text).str()) << c.name;
    EXPECT_EQ(ref, c.found_ref) << c.name;
  }
  EXPECT_TRUE(FileblockKeyExists(h_, 2, Num(3), 35));
  EXPECT_FALSE(FileblockKeyExists(h_, 2, Num(3), 45));
  EXPECT_TRUE(FileblockKeyExists(h_, 2, Num(3), 0));
}

TEST_F(KeySearch, NextAndPrevAtTheEnds) {
  for (int i = 1; i <= 300; ++i) Add(1, i, Num(i).str());
  KeyStr text;
  RecRef ref = 0;
  FileblockClearKey(h_, 1);
  FileblockNextKey(h_, 1, text, ref);
  EXPECT_EQ(ref, 1);
  FileblockClearKey(h_, 1);
  FileblockPrevKey(h_, 1, text, ref);
  EXPECT_EQ(ref, 300);
  FileblockNextKey(h_, 1, text, ref);
  EXPECT_EQ(Err(), kIsamNoNextKey);
  FileblockPrevKey(h_, 1, text, ref);  // from after the last entry: the last one
  EXPECT_EQ(ref, 300);
  FileblockClearKey(h_, 1);
  FileblockPrevKey(h_, 1, text, ref);
  FileblockClearKey(h_, 1);
  FileblockNextKey(h_, 1, text, ref);
  FileblockPrevKey(h_, 1, text, ref);
  EXPECT_EQ(Err(), kIsamNoPrevKey);
  // Walking back over the whole key visits every entry once.
  FileblockClearKey(h_, 1);
  int seen = 0;
  for (RecRef expect = 300; expect >= 1; --expect, ++seen) {
    FileblockPrevKey(h_, 1, text, ref);
    ASSERT_EQ(ref, expect);
  }
  EXPECT_EQ(seen, 300);
}

TEST_F(KeySearch, ALostPositionIsReFoundFromThePassedEntry) {
  for (int i = 1; i <= 100; ++i) Add(1, i, Num(i * 2).str());
  KeyStr text = Num(50);
  RecRef ref = 25;
  FileblockFindKeyAndRef(h_, 1, text, ref, 0);
  ASSERT_EQ(Err(), 0);
  Add(1, 500, Num(51).str());  // a change to the key drops its position
  FileblockNextKey(h_, 1, text, ref);
  EXPECT_EQ(text.str(), Num(51).str());
  FileblockDeleteKey(h_, 1, 500, Num(51));
  FileblockPrevKey(h_, 1, text, ref);  // the passed entry is gone: the one before it
  EXPECT_EQ(text.str(), Num(50).str());
  FileblockDeleteKey(h_, 1, 26, Num(52));
  FileblockNextKey(h_, 1, text, ref);
  EXPECT_EQ(text.str(), Num(54).str());
  FileblockPrevKey(h_, 1, text, ref);
  EXPECT_EQ(text.str(), Num(50).str());

  FileblockClose(h_);
  EngineSetReFind(false);
  h_ = FileblockOpen(Name("K"));
  EngineSetReFind(true);
  FileblockNextKey(h_, 1, text, ref);
  EXPECT_EQ(Err(), kIsamNoPositionNext);
  FileblockPrevKey(h_, 1, text, ref);
  EXPECT_EQ(Err(), kIsamNoPositionPrev);
  FileblockClearKey(h_, 1);
  FileblockNextKey(h_, 1, text, ref);
  EXPECT_EQ(ref, 1);
}

TEST_F(KeySearch, ApproximatePositionsOfALeafRoot) {
  for (int i = 1; i <= 10; ++i) Add(1, i, Num(i).str());
  // One leaf root of 10 items: the entry at p of 0..10 is item min(p + 1, 10).
  const std::pair<int, int> at[] = {{0, 1}, {5, 6}, {9, 10}, {10, 10}};
  for (const auto& [p, item] : at) {
    KeyStr text;
    RecRef ref = -1;
    FileblockApproxKeyAndRef(h_, 1, p, 10, text, ref);
    EXPECT_EQ(Err(), 0);
    EXPECT_EQ(ref, item) << p;
  }
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(FileblockApproxRelPos(h_, 1, Num(i), i, 10), i) << i;  // i x 11 div 11
  }
}

TEST_F(KeySearch, ApproximatePositionsOfATwoLevelTree) {
  for (int i = 1; i <= 63; ++i) Add(1, i, Num(i).str());  // leaves 1..31 | 32 | 33..63
  const std::pair<int, RecRef> at[] = {{0, 0},   {1, 0},   {2, 1},   {3, 2},
                                       {50, 31}, {51, 32}, {100, 63}};
  for (const auto& [p, expect] : at) {
    KeyStr text("x");
    RecRef ref = -1;
    FileblockApproxKeyAndRef(h_, 1, p, 100, text, ref);
    EXPECT_EQ(Err(), 0);
    EXPECT_EQ(ref, expect) << p;
    if (expect == 0) {
      EXPECT_EQ(text.str(), "");
    }
  }
  EXPECT_EQ(FileblockApproxRelPos(h_, 1, Num(10), 10, 100), 15);
  EXPECT_EQ(FileblockApproxRelPos(h_, 1, Num(32), 32, 100), 50);
  std::int32_t previous = 0;
  for (int i = 1; i <= 63; ++i) {
    const std::int32_t p = FileblockApproxRelPos(h_, 1, Num(i), i, 100);
    EXPECT_GE(p, previous) << i;
    EXPECT_LE(p, 100);
    previous = p;
  }
}

TEST_F(KeySearch, ApproximatePositioningArguments) {
  KeyStr text;
  RecRef ref = 0;
  FileblockApproxKeyAndRef(h_, 1, 0, 10, text, ref);
  EXPECT_EQ(Err(), kIsamApproxEmptyIndex);
  EXPECT_EQ(FileblockApproxRelPos(h_, 1, text, 0, 10), -1);
  EXPECT_EQ(Err(), kIsamRelPosEmptyIndex);
  Add(1, 1, "A");
  FileblockApproxKeyAndRef(h_, 1, 0, 0, text, ref);
  EXPECT_EQ(Err(), kIsamApproxArgs);
  FileblockApproxKeyAndRef(h_, 1, 11, 10, text, ref);
  EXPECT_EQ(Err(), kIsamApproxArgs);
  FileblockApproxRelPos(h_, 1, text, 0, 0);
  EXPECT_EQ(Err(), kIsamRelPosArgs);
}

}  // namespace
}  // namespace storage::testing
