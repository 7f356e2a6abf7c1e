// Random add, delete, find, search, Next and Prev on a key of length 1, 9 or 50 (with and without
// duplicates) compared step by step with std::set; 8 page buffers, reopened on the way, and the
// checker passes every 1,000 operations.

#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <set>

#include "common/le_int.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kRecordLength = 64;
constexpr int kOpsPerCase = 34000;

struct ModelCase {
  const char* name;
  int key_length;
  bool duplicates;
};

std::string IdText(std::int32_t id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%09d", id);
  return buf;
}

std::vector<std::uint8_t> MakeRecord(std::int32_t id, const std::string& text) {
  std::vector<std::uint8_t> r(kRecordLength, 0);
  common::WriteLeInt32(r.data() + 4, id);
  r[8] = static_cast<std::uint8_t>(text.size());
  std::memcpy(r.data() + 9, text.data(), text.size());
  return r;
}

std::string BuildKey(const std::uint8_t* record, std::size_t, int key) {
  if (key == 1) return std::string(reinterpret_cast<const char*>(record + 9), record[8]);
  return IdText(common::ReadLeInt32(record + 4));
}

class ModelTest : public EngineTest, public ::testing::WithParamInterface<ModelCase> {
 protected:
  ModelTest() : EngineTest(8) {}

  // Entry order of key 1: by text, and with duplicates by reference.
  struct Entry {
    std::string text;
    RecRef ref;
  };
  struct Before {
    bool dups;
    bool operator()(const Entry& a, const Entry& b) const {  // std::string compares unsigned
      return a.text != b.text ? a.text < b.text : dups && a.ref < b.ref;
    }
  };

  std::string RandomText() {
    const ModelCase& c = GetParam();
    if (c.key_length == 1) {
      if (rng_() % 40 == 0) return "";
      return std::string(1, static_cast<char>(rng_() % 256));
    }
    // Few letters and shared prefixes, so equal texts, prefixes and long common runs occur.
    static const char kLetters[] = {'A', 'B', 'Z', '\xC4', '\x01'};
    std::string text;
    if (c.key_length == 50 && rng_() % 2 == 0) text = std::string(30 + rng_() % 15, 'K');
    const std::size_t len = std::min<std::size_t>(c.key_length, text.size() + rng_() % 6);
    while (text.size() < len) text += kLetters[rng_() % sizeof kLetters];
    return text;
  }

  // A text that exists in the model most of the time.
  std::string SomeText() {
    if (!model_.empty() && rng_() % 10 < 7) return RandomEntry().text;
    return RandomText();
  }

  Entry RandomEntry() {
    auto it = model_.begin();
    std::advance(it, static_cast<long>(rng_() % std::min<std::size_t>(model_.size(), 64)));
    if (rng_() % 2 == 0 && !refs_.empty()) {
      const RecRef ref = refs_[rng_() % refs_.size()];
      return Entry{records_[ref].first, ref};
    }
    return *it;
  }

  void Add() {
    const std::string text = RandomText();
    const std::int32_t id = next_id_++;
    const std::vector<std::uint8_t> rec = MakeRecord(id, text);
    const RecRef ref = FileblockAddRecord(h_, rec.data());
    ASSERT_EQ(Err(), 0);
    ASSERT_ISAM(FileblockAddKey(h_, 2, ref, KeyStr(IdText(id))), 0);
    FileblockAddKey(h_, 1, ref, KeyStr(text));
    cursor_valid_ = false;
    if (!GetParam().duplicates && model_.count(Entry{text, ref}) != 0) {
      ASSERT_EQ(Err(), kIsamDuplicateKey);
      ASSERT_ISAM(FileblockDeleteKey(h_, 2, ref, KeyStr(IdText(id))), 0);
      ASSERT_ISAM(FileblockDeleteRecord(h_, ref), 0);
      return;
    }
    ASSERT_EQ(Err(), 0);
    model_.insert(Entry{text, ref});
    records_[ref] = {text, id};
    refs_.push_back(ref);
  }

  void Delete() {
    if (refs_.empty()) return;
    const std::size_t slot = rng_() % refs_.size();
    const RecRef ref = refs_[slot];
    const auto [text, id] = records_[ref];
    ASSERT_ISAM(FileblockDeleteKey(h_, 1, ref, KeyStr(text)), 0);
    cursor_valid_ = false;
    ASSERT_ISAM(FileblockDeleteKey(h_, 2, ref, KeyStr(IdText(id))), 0);
    ASSERT_ISAM(FileblockDeleteRecord(h_, ref), 0);
    model_.erase(Entry{text, ref});
    refs_[slot] = refs_.back();
    refs_.pop_back();
    records_.erase(ref);
  }

  void Find() {
    const std::string text = SomeText();
    RecRef ref = -7;
    FileblockFindKey(h_, 1, KeyStr(text), ref);
    auto it = model_.lower_bound(Entry{text, 0});
    if (it == model_.end() || it->text != text) {
      ASSERT_EQ(Err(), kIsamKeyNotFound);
      return ClearCursor();
    }
    ASSERT_EQ(Err(), 0) << "find " << text;
    ASSERT_EQ(ref, it->ref);
    SetCursor(*it);
  }

  void Search() {
    KeyStr text(SomeText());
    auto it = model_.lower_bound(Entry{text.str(), 0});
    RecRef ref = 0;
    FileblockSearchKey(h_, 1, text, ref);
    if (it == model_.end()) {
      ASSERT_EQ(Err(), kIsamNoKeyAtOrAfter);
      return ClearCursor();
    }
    ASSERT_EQ(Err(), 0);
    ASSERT_EQ(text.str(), it->text);
    ASSERT_EQ(ref, it->ref);
    SetCursor(*it);
  }

  void Navigate() {
    const int start = static_cast<int>(rng_() % 3);
    if (start == 0) {
      ClearCursor();
    } else if (start == 1 && !model_.empty()) {
      const Entry e = RandomEntry();
      KeyStr text(e.text);
      RecRef ref = e.ref;
      ASSERT_ISAM(FileblockFindKeyAndRef(h_, 1, text, ref, 0), 0);
      ASSERT_EQ(ref, e.ref);
      SetCursor(e);
    }
    for (int i = static_cast<int>(rng_() % 12); i >= 0 && !HasFailure(); --i) Step(rng_() % 2);
  }

  // One Next (forward) or Prev, checked against the model.
  void Step(bool forward) {
    KeyStr text(last_.text);
    RecRef ref = last_.ref;
    (forward ? FileblockNextKey : FileblockPrevKey)(h_, 1, text, ref);
    std::optional<Entry> expected;
    if (cursor_valid_ && state_ != kAt) {
      if (!model_.empty()) expected = forward ? *model_.begin() : *model_.rbegin();
    } else if (forward) {
      auto it = model_.upper_bound(last_);
      if (it != model_.end()) expected = *it;
    } else {
      auto it = model_.lower_bound(last_);
      if (it != model_.begin()) expected = *std::prev(it);
    }
    if (!expected) {
      ASSERT_EQ(Err(), forward ? kIsamNoNextKey : kIsamNoPrevKey);
      cursor_valid_ = true;
      state_ = forward ? kAfter : kBefore;
      return;
    }
    ASSERT_EQ(Err(), 0) << (forward ? "next" : "prev");
    ASSERT_EQ(text.str(), expected->text);
    ASSERT_EQ(ref, expected->ref);
    SetCursor(*expected);
  }

  void SetCursor(const Entry& e) {
    last_ = e;
    state_ = kAt;
    cursor_valid_ = true;
  }
  void ClearCursor() {
    FileblockClearKey(h_, 1);
    state_ = kBefore;
    cursor_valid_ = true;
  }

  void Verify() {
    CheckOptions o;
    o.key_builder = &BuildKey;
    ASSERT_EQ(Check(h_, "M", o), "");
    ASSERT_EQ(FileblockUsedRecs(h_), static_cast<std::int32_t>(refs_.size()));
    ASSERT_EQ(FileblockUsedKeys(h_, 1), static_cast<std::int32_t>(model_.size()));
  }

  void Reopen() {
    ASSERT_ISAM(FileblockClose(h_), 0);
    h_ = FileblockOpen(Name("M"));
    ASSERT_NE(h_, nullptr) << Err();
    cursor_valid_ = false;
  }

  enum State { kAt, kBefore, kAfter };
  std::mt19937 rng_;
  FileblockHandle h_ = nullptr;
  std::set<Entry, Before> model_{Before{GetParam().duplicates}};
  std::map<RecRef, std::pair<std::string, std::int32_t>> records_;  // text and id by reference
  std::vector<RecRef> refs_;
  std::int32_t next_id_ = 1;
  Entry last_{"", 0};
  State state_ = kBefore;
  bool cursor_valid_ = false;
};

TEST_P(ModelTest, RandomOperationsAgreeWithTheModel) {
  const ModelCase& c = GetParam();
  rng_.seed(static_cast<unsigned>(c.key_length * 2 + (c.duplicates ? 1 : 0)));
  h_ = CreateOpen(
      "M", kRecordLength,
      {{static_cast<std::uint8_t>(c.key_length), static_cast<std::uint8_t>(c.duplicates)}, {9, 0}});
  ASSERT_NE(h_, nullptr);
  for (int op = 1; op <= kOpsPerCase; ++op) {
    // Grow to several thousand entries, then shrink to empty (root collapse included).
    const bool growing = op < kOpsPerCase / 2;
    const int roll = static_cast<int>(rng_() % 100);
    const int add = growing ? 45 : 8;
    const int del = growing ? 15 : 50;
    if (roll < add) {
      Add();
    } else if (roll < add + del) {
      Delete();
    } else if (roll < add + del + 12) {
      Find();
    } else if (roll < add + del + 17) {
      Search();
    } else {
      Navigate();
    }
    if (op % 1000 == 0) Verify();
    ASSERT_FALSE(HasFailure()) << "operation " << op;
    if (op % 5000 == 0) Reopen();
  }
  EXPECT_ISAM(FileblockClose(h_), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, ModelTest,
                         ::testing::Values(ModelCase{"Length1Unique", 1, false},
                                           ModelCase{"Length1Duplicates", 1, true},
                                           ModelCase{"Length9Unique", 9, false},
                                           ModelCase{"Length9Duplicates", 9, true},
                                           ModelCase{"Length50Unique", 50, false},
                                           ModelCase{"Length50Duplicates", 50, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace storage::testing
