// The page buffer on the club database's station file (key 2: the call padded to 10), without a
// window: ranges, moves, page sizes, deleted records, the scroll-bar mapping, a model run against a
// sorted vector, and the shared file with its lock pauses and another process's record lock.
#include "ui/browser_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "common/string_helpers.h"
#include "storage/driver/driver_codes.h"
#include "storage/isam/isam_errors.h"
#include "tests/common/rows.h"
#include "tests/storage/driver/fault_engine.h"
#include "tests/storage/isam/network_fixture.h"
#include "tests/storage/tables/table_fixture.h"

namespace ui {
namespace {

using storage_test::StationRec;
using storage_test::TdbStation;
using storage_test::ToDatClub;

constexpr int kCallKey = 2;

// The calls of the fixture table: "A", "AB", "AZZ", "B" and others that begin with neither
// letter, sorted as the index sorts them.
std::vector<std::string> FixtureCalls(std::size_t count = 1000) {
  std::set<std::string> calls{"A", "AB", "AZZ", "B"};
  std::mt19937 random(7);
  const std::string first = "CDFGKLMOPSW";
  while (calls.size() < count) {
    std::string call(1, first[random() % first.size()]);
    call += static_cast<char>('0' + random() % 10);
    for (unsigned n = 1 + random() % 3; n > 0; --n) call += static_cast<char>('A' + random() % 26);
    calls.insert(call);
  }
  return {calls.begin(), calls.end()};
}

common::TKeyStr Key(const std::string& text) { return common::ShortToLenArray(text); }

// Byte order, as the index compares.
bool Below(const std::string& a, const std::string& b) {
  return common::cp1252::CompareBytes(a, b) < 0;
}

class PageTest : public storage_test::TableTest {
 protected:
  explicit PageTest(std::unique_ptr<storage::DriverEngine> engine = storage::MakeRealDriverEngine())
      : TableTest(std::move(engine)) {}
  void SetUp() override {
    TableTest::SetUp();
    Club().shared = shared_;
    cursor_ = std::make_unique<TdbStation>();  // keeps the file open
    events_.OnBuildRow = [this](RowRec& row) {
      StationRec r;
      std::memcpy(&r, Club().Treiber(ToDatClub::kStations)->RecordBuffer(), sizeof r);
      row.text = r.call.str() + ";" + r.name.str();
      ++built_;
    };
  }
  void TearDown() override { cursor_.reset(); }

  void Fill(const std::vector<std::string>& calls) {
    calls_ = calls;
    for (const std::string& c : calls) AddStation(c, "Name " + c);
  }
  std::unique_ptr<TKBrowser> Page(const std::string& low = "", const std::string& high = "\xFF",
                                  int capacity = 250) {
    return std::make_unique<TKBrowser>(*Club().Treiber(ToDatClub::kStations), kCallKey, Key(low),
                                       Key(high), capacity);
  }
  // The calls on the page, row 1 on; every filled row's text must be its own record's.
  std::vector<std::string> Calls(const TKBrowser& page) const {
    std::vector<std::string> calls;
    for (int r = 1; r <= page.LastFilledRow(); ++r) {
      const std::string call = common::Trim(page.Row(r).key);
      EXPECT_EQ(page.Row(r).text, call + ";Name " + call) << "row " << r;
      calls.push_back(call);
    }
    for (int r = page.LastFilledRow() + 1; r <= kMaxPageRows; ++r) {
      EXPECT_TRUE(page.Row(r).text.empty() && page.Row(r).ref == 0) << "row " << r;
    }
    return calls;
  }
  std::vector<std::string> Slice(std::size_t from, std::size_t count) const {
    count = std::min(count, calls_.size() - from);
    return {calls_.begin() + from, calls_.begin() + from + count};
  }

  bool shared_ = true;
  std::unique_ptr<TdbStation> cursor_;
  std::vector<std::string> calls_;
  TKBrowserEvents events_;
  int built_ = 0;
  bool changed_ = false;
};

TEST_F(PageTest, AThousandKeysPageByPageAndByTheScrollBar) {
  Fill(FixtureCalls());
  auto page = Page();
  EXPECT_EQ(page->FirstPage(events_, changed_), 0);
  EXPECT_EQ(Calls(*page), Slice(0, 250));
  EXPECT_EQ(page->CurrentKey(), "A         ");
  EXPECT_EQ(page->LastPage(events_, changed_), 0);
  EXPECT_EQ(Calls(*page), Slice(750, 250));
  EXPECT_EQ(page->CurrentRow(), 250);
  // Forward on the last page takes nothing, stays valid and puts the cursor on the last row.
  page->SetCurrentRow(3);
  int taken = -1;
  EXPECT_EQ(page->ScrollForward(events_, 250, true, true, changed_, taken), 0);
  EXPECT_EQ(std::tuple(taken, page->CurrentRow(), page->Valid()), std::tuple(0, 250, true));
  // A line back reads one record only; the rows move under the cursor.
  page->SetCurrentRow(10);
  built_ = 0;
  EXPECT_EQ(page->ScrollBack(events_, 1, true, true, changed_, taken), 0);
  EXPECT_EQ(std::tuple(taken, built_, page->CurrentRow()), std::tuple(1, 1, 10));
  EXPECT_EQ(Calls(*page), Slice(749, 250));

  // The scroll bar's window, and its ends and middle both ways.
  EXPECT_EQ(TKBrowser::ScrollWindow(100, 1000), 2);  // q = 0
  EXPECT_EQ(TKBrowser::ScrollWindow(100, 30), 10);   // q = 3: 100 div (100 div 10)
  EXPECT_EQ(TKBrowser::ScrollWindow(100, 4), 100);   // q = 25
  EXPECT_EQ(TKBrowser::ScrollWindow(3, 1), 2);       // a divisor of 0
  std::string key;
  std::int32_t ref = 0;
  for (const auto& [bar, first] : {std::pair{100, std::size_t{750}}, {0, std::size_t{0}}}) {
    EXPECT_EQ(page->PositionByScroll(events_, bar, 100, key, ref), 0);
    EXPECT_EQ(page->GotoKey(events_, key, ref, kCallKey, 1, 250, changed_), 0);
    EXPECT_EQ(Calls(*page), Slice(first, 250)) << bar;
  }
  int position = -1;
  EXPECT_EQ(page->ScrollPosition(common::PadRightChar(calls_[500], 10, ' '), 0, 100, position), 0);
  EXPECT_NEAR(position, 50, 3);
  EXPECT_EQ(page->PositionByScroll(events_, 50, 100, key, ref), 0);
  const auto at = std::lower_bound(calls_.begin(), calls_.end(), common::Trim(key));
  EXPECT_NEAR(at - calls_.begin(), 500, 30);
}

struct RangeCase {
  std::string low, high;
  std::vector<std::string> calls;
};

class PageRangeTest : public PageTest,
                      public ::testing::WithParamInterface<common::testing::Row<RangeCase, int>> {};

TEST_P(PageRangeTest, FirstAndLastPageHoldTheRangeAndClearTheRest) {
  Fill({"A", "AB", "AZZ", "B", "BA", "C1A", "C1B"});
  const RangeCase& c = GetParam().in;
  auto page = Page(c.low, c.high, 10);
  EXPECT_EQ(page->FirstPage(events_, changed_), GetParam().out);
  EXPECT_EQ(Calls(*page), c.calls);
  EXPECT_EQ(page->LastPage(events_, changed_), GetParam().out);
  EXPECT_EQ(Calls(*page), c.calls);
  EXPECT_EQ(page->CurrentRow(), std::max<int>(c.calls.size(), 1));
  if (c.calls.empty()) {
    EXPECT_EQ(page->CurrentRef(), 0);
  }
  EXPECT_EQ(page->Valid(), GetParam().out == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PageRangeTest,
    ::testing::Values(
        common::testing::Row<RangeCase, int>{"PrefixA", {"A", "A", {"A", "AB", "AZZ"}}, 0},
        common::testing::Row<RangeCase, int>{"AToB", {"A", "B", {"A", "AB", "AZZ", "B", "BA"}}, 0},
        common::testing::Row<RangeCase, int>{"BetweenKeys", {"AC", "B", {"AZZ", "B", "BA"}}, 0},
        common::testing::Row<RangeCase, int>{"Empty", {"Q", "Q", {}}, 1}),
    common::testing::RowName);

TEST_F(PageTest, ADeletedCurrentRecordAnchorsOnTheNextThenThePreviousThenEmpties) {
  Fill({"A", "B", "C", "D", "E"});
  auto page = Page("B", "D", 10);
  ASSERT_EQ(page->FirstPage(events_, changed_), 0);
  const auto remove = [](const std::string& call) {
    TdbStation s;
    ASSERT_TRUE(s.Find(common::PadRightChar(call, 10, ' '), kCallKey, true));
    ASSERT_TRUE(s.Delete(false));
  };
  page->SetCurrentRow(2);  // "C"
  remove("C");
  EXPECT_EQ(page->Refresh(events_, changed_), 0);
  EXPECT_EQ(Calls(*page), (std::vector<std::string>{"B", "D"}));
  EXPECT_EQ(page->CurrentKey(), "D         ");
  remove("D");  // the last of the range: the previous one
  EXPECT_EQ(page->Refresh(events_, changed_), 0);
  EXPECT_EQ(page->CurrentKey(), "B         ");
  remove("B");
  EXPECT_EQ(page->Refresh(events_, changed_), 1);
  EXPECT_EQ(Calls(*page), std::vector<std::string>{});
  EXPECT_EQ(page->CurrentRef(), 0);
  EXPECT_FALSE(page->Valid());
}

// The model: the in-range calls the filter accepts (none holding a 7) as a sorted vector, the
// page a window [start, start + filled) of it with the current row inside; every operation's
// outcome is computed on the model. The filter builds the text of calls ending in "Z" itself.
TEST_F(PageTest, RandomMovesResizesAndGotoKeyFollowTheSortedVector) {
  Fill(FixtureCalls());
  events_.OnPerformFilter = [](RowRec& row, bool& accepted) {
    const std::string call = common::Trim(row.key);
    accepted = call.find('7') == std::string::npos;
    row.built = call.back() == 'Z';
    if (row.built) row.text = call + ";Name " + call;
  };
  std::mt19937 random(11);
  const std::string letters = "ABCDFGKLMOPSW";
  for (int round = 0; round < 6; ++round) {
    std::string low(1, letters[random() % letters.size()]);
    std::string high(1, letters[random() % letters.size()]);
    if (Below(high, low)) std::swap(low, high);
    if (round == 0) low = "", high = "\xFF";
    std::vector<std::string> in;
    for (const auto& c : calls_) {
      if (!Below(c.substr(0, low.size()), low) && !Below(high, c.substr(0, high.size())) &&
          c.find('7') == std::string::npos) {
        in.push_back(c);
      }
    }
    const int n = static_cast<int>(in.size());
    int rows = 1 + static_cast<int>(random() % 40);
    auto page = Page(low, high, 60);
    ASSERT_EQ(page->ShrinkPage(events_, rows), n == 0 ? 1 : 0);
    int start = 0;
    int current = 1;
    for (int step = 0; step < 60 && n > 0; ++step) {
      const int op = static_cast<int>(random() % 6);
      const int count = 1 + static_cast<int>(random() % (rows + 2));
      int taken = 0;
      const int filled = std::min(rows, n);
      if (op == 0) {
        ASSERT_EQ(page->ScrollForward(events_, count, true, true, changed_, taken), 0);
        const int moved = std::min(count, n - (start + filled));
        start += moved;
        if (moved == 0) current = filled;
      } else if (op == 1) {
        ASSERT_EQ(page->ScrollBack(events_, count, true, true, changed_, taken), 0);
        const int moved = std::min(count, start);
        start -= moved;
        if (moved == 0) current = 1;
      } else if (op == 2) {
        const int grown = std::min(rows + count, 60);
        ASSERT_EQ(page->GrowPage(events_, grown), 0);
        const int below = std::min(grown - filled, n - (start + filled));
        const int above = std::min(grown - filled - below, start);
        start -= above;
        current += above;
        rows = grown;
      } else if (op == 3) {
        const int shrunk = 1 + static_cast<int>(random() % rows);
        ASSERT_EQ(page->ShrinkPage(events_, shrunk), 0);
        if (current > shrunk) start += current - shrunk, current = shrunk;
        rows = shrunk;
      } else {
        // A random key, inside, below or above the range, at a random row.
        std::string key(1, static_cast<char>('0' + random() % 43));
        key += static_cast<char>('0' + random() % 43);
        const int row = 1 + static_cast<int>(random() % rows);
        ASSERT_EQ(page->GotoKey(events_, key, 0, kCallKey, row, rows, changed_), 0);
        int anchor = static_cast<int>(std::lower_bound(in.begin(), in.end(), key) - in.begin());
        if (Below(key.substr(0, low.size()), low)) anchor = 0;
        if (anchor == n || Below(high, key.substr(0, high.size()))) anchor = n - 1;
        int after = std::min(rows - row, n - 1 - anchor);
        const int before = std::min(rows - 1 - after, anchor);
        after = std::min(rows - 1 - before, n - 1 - anchor);
        start = anchor - before;
        current = before + 1;
      }
      ASSERT_EQ(Calls(*page), std::vector<std::string>(in.begin() + start,
                                                       in.begin() + start + std::min(rows, n)))
          << "round " << round << " step " << step << " op " << op;
      ASSERT_EQ(page->CurrentRow(), current) << "round " << round << " step " << step;
      ASSERT_TRUE(page->Valid());
    }
  }
}

class SharedPageTest : public PageTest {};

TEST_F(SharedPageTest, AFirstPageOnASharedFilePausesThreeTimesAndAnUnsharedOneNever) {
  for (const bool shared : {true, false}) {
    cursor_.reset();
    Club().shared = shared;
    cursor_ = std::make_unique<TdbStation>();
    if (calls_.empty()) Fill(FixtureCalls(300));
    auto page = Page();
    EXPECT_EQ(page->Shared(), shared);
    sleeper_.sleeps.clear();
    ASSERT_EQ(page->FirstPage(events_, changed_), 0);
    const std::vector<std::uint32_t> pauses =
        shared ? std::vector<std::uint32_t>{50, 50, 50} : std::vector<std::uint32_t>{};
    EXPECT_EQ(sleeper_.sleeps, pauses) << shared;
    EXPECT_EQ(Club().Treiber(ToDatClub::kStations)->Driver()->FileLockCount(), 0);
  }
}

// Another user deletes the first row's record while the walk pauses after 64 keys: the row's
// read fails and it is shown unreadable; a record the other user holds locked is read (a record
// lock covers only its free-chain link). No question is asked either way.
TEST_F(SharedPageTest, AnotherProcessDeletingOrLockingARecordAsksNoQuestion) {
  Fill(FixtureCalls(300));
  storage::testing::PeerProcess peer;
  ASSERT_TRUE(peer.started());
  ASSERT_EQ(peer.Do("open " + folder_ / "CLSTAT" + " shared"), "ok");
  TdbStation first;
  ASSERT_TRUE(first.Find("A         ", kCallKey, true));
  struct PeerAtPause : platform::Sleeper {
    std::function<void()> act;
    void SleepMs(std::uint32_t ms) override {
      if (ms == TKBrowser::kPauseMs && act) std::exchange(act, nullptr)();
    }
  } sleeper;
  sleeper.act = [&] {
    EXPECT_EQ(peer.Do("lock"), "ok");
    EXPECT_EQ(peer.Do("delrec " + std::to_string(first.Record().number)), "ok");
    EXPECT_EQ(peer.Do("unlock"), "ok");
  };
  platform::ScopedEnvironment at_pause(&clock_, &sleeper, &random_);
  auto page = Page();
  EXPECT_EQ(page->FirstPage(events_, changed_), 1);
  EXPECT_EQ(page->Row(1).text, kRowUnreadable);
  EXPECT_EQ(page->Row(1).status, -1);
  EXPECT_FALSE(page->Valid());

  ASSERT_EQ(page->GotoKey(events_, "B", 0, kCallKey, 1, 250, changed_), 0);
  ASSERT_EQ(peer.Do("lockrec " + std::to_string(page->Row(1).ref)), "ok");
  EXPECT_EQ(page->Refresh(events_, changed_), 0);
  EXPECT_EQ(page->Row(1).text, "B;Name B");
  EXPECT_TRUE(presenter_->calls.empty());
}

// A record read that meets a lock: the page tries it six times with its own short pauses
// and, for a locked record or file or a refused lock (reasons 1 to 3), asks nobody and shows the
// row unreadable; any other question goes to the file's own callback. The file's retry settings
// are its own again afterwards.
struct LockedReadRow {
  const char* name;
  int engine_error;
  int asked_reason;  // what the file's own callback hears; 0: nothing
};
void PrintTo(const LockedReadRow& row, std::ostream* os) { *os << row.name; }

class LockedReadTest : public PageTest, public ::testing::WithParamInterface<LockedReadRow> {
 protected:
  LockedReadTest() : LockedReadTest(std::make_unique<storage_test::FaultEngine>()) {}

 private:
  explicit LockedReadTest(std::unique_ptr<storage_test::FaultEngine> engine)
      : PageTest(std::move(engine)) {
    engine_ = static_cast<storage_test::FaultEngine*>(&System().Engine());
    shared_ = false;  // no file lock of ours keeps the callback from being asked
  }

 protected:
  storage_test::FaultEngine* engine_;
};

TEST_P(LockedReadTest, IsTriedSixTimesAndShownUnreadableWithoutAQuestion) {
  Fill(FixtureCalls(20));
  storage::IFDriver& driver = *Club().Treiber(ToDatClub::kStations)->Driver();
  std::vector<int> asked;
  driver.SetRetry(2, [&](std::string_view, int reason) {
    asked.push_back(reason);
    return false;
  });
  const std::uint32_t pause = storage::EngineRetryPauseBase();
  bool locked = true;
  engine_->inject = [&](const std::string& op) {
    return op == "GetRecord" && locked ? GetParam().engine_error : 0;
  };
  sleeper_.sleeps.clear();
  auto page = Page();
  EXPECT_EQ(page->FirstPage(events_, changed_), 1);
  EXPECT_EQ(page->Row(1).text, kRowUnreadable);
  if (GetParam().asked_reason == 0) {
    EXPECT_EQ(engine_->calls["GetRecord"], 6);  // the read count of the page, not the file's 2
    EXPECT_EQ(sleeper_.sleeps.size(), 6u);
    for (const std::uint32_t ms : sleeper_.sleeps) EXPECT_LE(ms, 3u * TKBrowser::kReadRetryPause);
    EXPECT_TRUE(asked.empty());
  } else {
    EXPECT_EQ(engine_->calls["GetRecord"], 1);  // a question no retry answers is asked at once
    EXPECT_EQ(asked, std::vector<int>{GetParam().asked_reason});
  }
  EXPECT_TRUE(presenter_->calls.empty());
  std::uint16_t count = 0;
  storage::RetryProc proc;
  driver.GetRetry(count, proc);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(storage::EngineRetryPauseBase(), pause);

  // The lock gone, the next move reads the row.
  locked = false;
  EXPECT_EQ(page->Refresh(events_, changed_), 0);
  EXPECT_EQ(page->Row(1).text, "A;Name A");
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, LockedReadTest,
    ::testing::Values(LockedReadRow{"LockedRecordOrFile", storage::kIsamDialogBusy, 0},
                      LockedReadRow{"RecordLockRefused", storage::kIsamRecordLockRefused, 0},
                      LockedReadRow{"FileLockRefused", storage::kIsamReadLockRefused, 0},
                      LockedReadRow{"PathNotFoundIsAsked", storage::kIsamPathNotFound,
                                    storage::kReasonPathNotFound}),
    common::testing::RowName);

}  // namespace
}  // namespace ui
