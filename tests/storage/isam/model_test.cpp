// Random key operations on 8 page buffers agree step by step with std::set; the checker agrees.

#include <cstring>
#include <random>
#include <set>

#include "tests/storage/isam/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kRecordLength = 64;
constexpr int kOpsPerCase = 34000;

struct ModelCase {
  const char* name;
  int key_length;
  bool duplicates;
};

std::string IdText(std::int32_t id) { return Fmt("%09d", id); }

// Key 1 is the text at byte 9 (length at 8), key 2 the id at byte 4.
std::string BuildKey(const std::uint8_t* record, std::size_t, int key) {
  if (key == 1) return std::string(reinterpret_cast<const char*>(record + 9), record[8]);
  return IdText(common::ReadLeInt32(record + 4));
}

class ModelTest : public EngineTest, public ::testing::WithParamInterface<ModelCase> {
 protected:
  ModelTest() : EngineTest(8) {}

  struct Entry {
    std::string text;
    RecRef ref;
    std::int32_t id = 0;
  };
  // Entry order of key 1: by text (std::string compares unsigned), with duplicates by reference.
  struct Before {
    bool dups;
    bool operator()(const Entry& a, const Entry& b) const {
      return a.text != b.text ? a.text < b.text : dups && a.ref < b.ref;
    }
  };

  // Few letters and shared prefixes, so equal texts, prefixes and long common runs occur.
  std::string RandomText() {
    const int length = GetParam().key_length;
    if (length == 1) return rng_() % 40 == 0 ? "" : std::string(1, static_cast<char>(rng_()));
    static const char kLetters[] = {'A', 'B', 'Z', '\xC4', '\x01'};
    std::string text;
    if (length == 50 && rng_() % 2 == 0) text = std::string(30 + rng_() % 15, 'K');
    const std::size_t len = std::min<std::size_t>(length, text.size() + rng_() % 6);
    while (text.size() < len) text += kLetters[rng_() % sizeof kLetters];
    return text;
  }
  // An entry of the model: of any record, or among the first 64.
  Entry RandomEntry() {
    if (rng_() % 2 == 0) return records_[rng_() % records_.size()];
    return *std::next(model_.begin(), rng_() % std::min<std::size_t>(model_.size(), 64));
  }

  void Add() {
    const std::string text = RandomText();
    const std::int32_t id = next_id_++;
    Bytes rec = Record(kRecordLength);
    common::WriteLeInt32(rec.data() + 4, id);
    rec[8] = static_cast<std::uint8_t>(text.size());
    std::memcpy(rec.data() + 9, text.data(), text.size());
    const RecRef ref = FileblockAddRecord(h_, rec.data());
    ASSERT_EQ(Err(), 0);
    ASSERT_ISAM(FileblockAddKey(h_, 2, ref, KeyStr(IdText(id))), 0);
    FileblockAddKey(h_, 1, ref, KeyStr(text));
    at_end_ = false;
    if (!GetParam().duplicates && model_.count(Entry{text, ref}) != 0) {
      ASSERT_EQ(Err(), kIsamDuplicateKey);
      ASSERT_ISAM(FileblockDeleteKey(h_, 2, ref, KeyStr(IdText(id))), 0);
      ASSERT_ISAM(FileblockDeleteRecord(h_, ref), 0);
      return;
    }
    ASSERT_EQ(Err(), 0);
    model_.insert(Entry{text, ref, id});
    records_.push_back(Entry{text, ref, id});
  }

  void Delete() {
    if (records_.empty()) return;
    const std::size_t slot = rng_() % records_.size();
    const Entry e = records_[slot];
    ASSERT_ISAM(FileblockDeleteKey(h_, 1, e.ref, KeyStr(e.text)), 0);
    at_end_ = false;
    ASSERT_ISAM(FileblockDeleteKey(h_, 2, e.ref, KeyStr(IdText(e.id))), 0);
    ASSERT_ISAM(FileblockDeleteRecord(h_, e.ref), 0);
    model_.erase(e);
    records_[slot] = records_.back();
    records_.pop_back();
  }

  using Position = std::set<Entry, Before>::iterator;

  // The engine's answer must be the entry at `it`, or `missing` when `it` is the end.
  void ExpectAt(Position it, const KeyStr& text, RecRef ref, int missing) {
    at_end_ = it == model_.end();
    ASSERT_EQ(Err(), at_end_ ? missing : 0) << text.str();
    if (at_end_) return;
    ASSERT_EQ(text.str() + "/" + std::to_string(ref), it->text + "/" + std::to_string(it->ref));
    last_ = *it;
  }

  // FindKey (exact) or SearchKey (at or after) of a text that exists most of the time.
  void Find(bool exact) {
    KeyStr text(!model_.empty() && rng_() % 10 < 7 ? RandomEntry().text : RandomText());
    auto it = model_.lower_bound(Entry{text.str(), 0});
    if (exact && it != model_.end() && it->text != text.str()) it = model_.end();
    RecRef ref = -7;
    if (exact) FileblockFindKey(h_, 1, text, ref);
    if (!exact) FileblockSearchKey(h_, 1, text, ref);
    ExpectAt(it, text, ref, exact ? kIsamKeyNotFound : kIsamNoKeyAtOrAfter);
    if (at_end_) FileblockClearKey(h_, 1);  // a failed search leaves no position
  }

  void Navigate() {
    const int start = static_cast<int>(rng_() % 3);
    if (start == 0) {
      FileblockClearKey(h_, 1);
      at_end_ = true;
    }
    if (start == 1 && !model_.empty()) {
      const Entry e = RandomEntry();
      KeyStr text(e.text);
      RecRef ref = e.ref;
      FileblockFindKeyAndRef(h_, 1, text, ref, 0);
      ExpectAt(model_.find(e), text, ref, 0);
    }
    for (int i = static_cast<int>(rng_() % 12); i >= 0 && !HasFailure(); --i) Step(rng_() % 2);
  }

  // Next or Prev: from an end after a clear or a run off it, else re-found from the last entry.
  void Step(bool forward) {
    KeyStr text(last_.text);
    RecRef ref = last_.ref;
    (forward ? FileblockNextKey : FileblockPrevKey)(h_, 1, text, ref);
    Position it = forward ? (at_end_ ? model_.begin() : model_.upper_bound(last_))
                          : (at_end_ ? model_.end() : model_.lower_bound(last_));
    if (!forward) it = it == model_.begin() ? model_.end() : std::prev(it);
    ExpectAt(it, text, ref, forward ? kIsamNoNextKey : kIsamNoPrevKey);
  }

  std::mt19937 rng_;
  FileblockHandle h_ = nullptr;
  std::set<Entry, Before> model_{Before{GetParam().duplicates}};
  std::vector<Entry> records_;  // every record with its id, in no order
  std::int32_t next_id_ = 1;
  Entry last_{"", 0};
  bool at_end_ = false;
};

TEST_P(ModelTest, RandomOperationsAgreeWithTheModel) {
  const ModelCase& c = GetParam();
  rng_.seed(static_cast<unsigned>(c.key_length * 2 + (c.duplicates ? 1 : 0)));
  h_ = CreateOpen("M", kRecordLength,
                  {{static_cast<std::uint8_t>(c.key_length), c.duplicates}, {9, 0}});
  int op = 1;
  for (; op <= kOpsPerCase && !HasFailure(); ++op) {
    // Grow to several thousand entries, then shrink to empty (root collapse included).
    const int add = op < kOpsPerCase / 2 ? 45 : 8;
    const int del = add + (op < kOpsPerCase / 2 ? 15 : 50);
    const int roll = static_cast<int>(rng_() % 100);
    if (roll < add) Add();
    if (roll >= add && roll < del) Delete();
    if (roll >= del && roll < del + 17) Find(roll < del + 12);
    if (roll >= del + 17) Navigate();
    if (op % 1000 == 0) {
      ASSERT_EQ(Check(h_, "M", CheckOptions{.key_builder = &BuildKey}), "") << op;
      ASSERT_EQ(FileblockUsedRecs(h_), static_cast<std::int32_t>(records_.size()));
      ASSERT_EQ(FileblockUsedKeys(h_, 1), static_cast<std::int32_t>(model_.size()));
    }
    if (op % 5000 == 0) {
      h_ = Reopen(h_, "M");
      at_end_ = false;  // a fresh handle re-finds from the last entry
    }
  }
  ASSERT_FALSE(HasFailure()) << "operation " << op - 1;
  EXPECT_ISAM(FileblockClose(h_), 0);
}

const ModelCase kCases[] = {{"Length1Unique", 1, false},   {"Length1Duplicates", 1, true},
                            {"Length9Unique", 9, false},   {"Length9Duplicates", 9, true},
                            {"Length50Unique", 50, false}, {"Length50Duplicates", 50, true}};
INSTANTIATE_TEST_SUITE_P(Keys, ModelTest, ::testing::ValuesIn(kCases), RowName);

}  // namespace
}  // namespace storage::testing
