// Bytes of a real data and index file changed at many offsets: every engine call returns an error
// or a result, none crashes, hangs or trips the sanitizers, and the checker survives the files.

#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kLength = 40;
constexpr int kRecords = 300;

KeyStr Text(int key, int i) {
  char buf[32];
  if (key == 1) std::snprintf(buf, sizeof buf, "%09d", i);
  if (key == 2) std::snprintf(buf, sizeof buf, "CALL%d/P", i % 37);
  if (key == 3) std::snprintf(buf, sizeof buf, "%c", 'A' + i % 26);
  return KeyStr(buf);
}

// Any engine outcome is fine as long as it is a result or an engine error number.
void ExpectEngineOutcome() {
  if (Isam().IsamOK) return;
  EXPECT_GE(Isam().IsamError, 9900);
  EXPECT_LT(Isam().IsamError, 12288);
}
#define SURVIVES(call)     \
  do {                     \
    call;                  \
    ExpectEngineOutcome(); \
  } while (0)

class Corruption : public EngineTest {
 protected:
  Corruption() : EngineTest(16) {}

  void SetUp() override {
    FileblockHandle h = CreateOpen("X", kLength, {{9, 0}, {20, 1}, {5, 1}});
    for (int i = 1; i <= kRecords; ++i) {
      std::vector<std::uint8_t> rec(kLength, static_cast<std::uint8_t>(i));
      std::fill(rec.begin(), rec.begin() + 4, 0);
      const RecRef ref = FileblockAddRecord(h, rec.data());
      for (int k = 1; k <= 3; ++k) FileblockAddKey(h, k, ref, Text(k, i));
    }
    for (int i = 10; i <= kRecords; i += 10) {
      for (int k = 1; k <= 3; ++k) FileblockDeleteKey(h, k, i, Text(k, i));
      FileblockDeleteRecord(h, i);
    }
    ASSERT_ISAM(FileblockClose(h), 0);
    ASSERT_EQ(IsamCheck(Name("X")).Text(), "");
    data_ = ReadFile(Name("X") + ".DAT");
    index_ = ReadFile(Name("X") + ".IX");
  }

  // Runs a battery of operations on the damaged fileblock.
  void Exercise() {
    FileblockHandle h = FileblockOpen(Name("X"));
    ExpectEngineOutcome();
    if (h == nullptr) return;
    for (int k = 1; k <= 3; ++k) {
      KeyStr text;
      RecRef ref = 0;
      FileblockClearKey(h, k);
      for (int step = 0; step < 2 * kRecords && Isam().IsamOK; ++step) {
        FileblockNextKey(h, k, text, ref);
      }
      ExpectEngineOutcome();
      FileblockClearKey(h, k);
      for (int step = 0; step < 2 * kRecords && Isam().IsamOK; ++step) {
        FileblockPrevKey(h, k, text, ref);
      }
      ExpectEngineOutcome();
      for (int i = 1; i <= kRecords; i += 29) {
        SURVIVES(FileblockFindKey(h, k, Text(k, i), ref));
        KeyStr t = Text(k, i);
        SURVIVES(FileblockSearchKey(h, k, t, ref));
        t = Text(k, i);
        ref = i;
        SURVIVES(FileblockFindKeyAndRef(h, k, t, ref, -1));
        SURVIVES(FileblockApproxRelPos(h, k, Text(k, i), i, 1000));
        SURVIVES(FileblockApproxKeyAndRef(h, k, i, kRecords, t, ref));
      }
    }
    // Record buffers are exactly the record length, which a damaged header may have changed.
    std::vector<std::uint8_t> rec(static_cast<std::size_t>(FileblockRecordLength(h)), 0);
    const std::int32_t slots = FileblockRecordSlots(h);
    for (RecRef r = 1; r < std::min(slots + 2, kRecords + 20); ++r) {
      SURVIVES(FileblockGetRecord(h, r, rec.data()));
    }
    for (int i = 1; i <= 20; ++i) {
      const RecRef ref = FileblockAddRecord(h, rec.data());
      ExpectEngineOutcome();
      for (int k = 1; k <= 3; ++k) {
        SURVIVES(FileblockAddKey(h, k, ref, Text(k, kRecords + i)));
      }
    }
    for (int i = 3; i <= kRecords; i += 7) {
      for (int k = 1; k <= 3; ++k) {
        SURVIVES(FileblockDeleteKey(h, k, i, Text(k, i)));
      }
      SURVIVES(FileblockDeleteRecord(h, i));
    }
    SURVIVES(FileblockFlush(h));
    SURVIVES(FileblockClose(h));
    IsamCheck(Name("X"));  // must not crash on what is left
  }

  // Writes both files with the byte at `offset` of one of them changed in one of four ways.
  void Damage(bool index, std::size_t offset, std::size_t how) {
    std::string d = data_;
    std::string x = index_;
    char& byte = (index ? x : d)[offset];
    const char to[] = {static_cast<char>(byte ^ 0xFF), 0, 0x7F, static_cast<char>(byte + 1)};
    byte = to[how % 4];
    Write(d, x);
  }
  void DamageEach(bool index, const std::vector<std::size_t>& offsets) {
    for (std::size_t i = 0; i < offsets.size() && !HasFatalFailure(); ++i) {
      SCOPED_TRACE((index ? "index offset " : "data offset ") + std::to_string(offsets[i]));
      Damage(index, offsets[i], i);
      Exercise();
    }
  }
  void Write(const std::string& data, const std::string& index) {
    WriteFile(Name("X") + ".DAT", data);
    WriteFile(Name("X") + ".IX", index);
  }

  std::string data_;
  std::string index_;
};

TEST_F(Corruption, DamagedIndexBytesGiveErrorsNotCrashes) {
  std::vector<std::size_t> offsets;
  for (std::size_t o = 0; o < 28 * 3; ++o) offsets.push_back(o);  // every key header byte
  const std::size_t frame = index_.size() / 20;
  for (std::size_t o = 84; o < index_.size(); o += 1 + (o * 7919) % (frame / 3 + 1)) {
    offsets.push_back(o);
  }
  ASSERT_GT(offsets.size(), 250u);
  DamageEach(true, offsets);
}

TEST_F(Corruption, DamagedDataBytesGiveErrorsNotCrashes) {
  std::vector<std::size_t> offsets;
  for (std::size_t o = 0; o < data_.size(); o += o < 21 ? 1 : 37) offsets.push_back(o);
  DamageEach(false, offsets);
}

TEST_F(Corruption, TruncatedFilesGiveErrors) {
  for (std::size_t cut : {std::size_t{0}, std::size_t{10}, index_.size() / 2, index_.size() - 1}) {
    Write(data_, index_.substr(0, cut));
    Exercise();
    Write(data_.substr(0, std::min(cut, data_.size())), index_);
    Exercise();
  }
}

}  // namespace
}  // namespace storage::testing
