// Damaged or cut files: every engine call gives an error or a result, never a crash or a hang.

#include "tests/storage/isam/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kLength = 40;
constexpr int kRecords = 300;

KeyStr Text(int key, int i) {
  return KeyStr(key == 1   ? Fmt("%09d", i)
                : key == 2 ? Fmt("CALL%d/P", i % 37)
                           : Fmt("%c", 'A' + i % 26));
}

// Any engine outcome is fine as long as it is a result or an engine error number.
bool Survived() { return Isam().IsamOK || (Isam().IsamError >= 9900 && Isam().IsamError < 12288); }
#define SURVIVES(call) EXPECT_TRUE(((void)(call), Survived())) << #call << ": " << Isam().IsamError

class Corruption : public EngineTest {
 protected:
  Corruption() : EngineTest(16) {}

  void SetUp() override {
    FileblockHandle h = CreateOpen("X", kLength, {{9, 0}, {20, 1}, {5, 1}});
    for (int i = 1; i <= kRecords; ++i) {
      const RecRef ref =
          FileblockAddRecord(h, Record(kLength, static_cast<std::uint8_t>(i)).data());
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

  // Writes the two files and runs a battery of operations on them.
  void Exercise(const std::string& data, const std::string& index) {
    WriteFile(Name("X") + ".DAT", data);
    WriteFile(Name("X") + ".IX", index);
    FileblockHandle h = nullptr;
    SURVIVES(h = FileblockOpen(Name("X")));
    if (h == nullptr) return;
    KeyStr text;
    RecRef ref = 0;
    for (int k = 1; k <= 3; ++k) {
      for (auto step : {FileblockNextKey, FileblockPrevKey}) {
        FileblockClearKey(h, k);
        for (int i = 0; i < 2 * kRecords && Isam().IsamOK; ++i) SURVIVES(step(h, k, text, ref));
      }
      for (int i = 1; i <= kRecords; i += 29) {
        SURVIVES(FileblockFindKey(h, k, Text(k, i), ref));
        SURVIVES(FileblockSearchKey(h, k, text = Text(k, i), ref));
        SURVIVES(FileblockFindKeyAndRef(h, k, text = Text(k, i), ref = i, -1));
        SURVIVES(FileblockApproxRelPos(h, k, Text(k, i), i, 1000));
        SURVIVES(FileblockApproxKeyAndRef(h, k, i, kRecords, text, ref));
      }
    }
    // Record buffers are exactly the record length, which a damaged header may have changed.
    Bytes rec(static_cast<std::size_t>(FileblockRecordLength(h)), 0);
    const std::int32_t slots = FileblockRecordSlots(h);
    for (RecRef r = 1; r < std::min(slots + 2, kRecords + 20); ++r) {
      SURVIVES(FileblockGetRecord(h, r, rec.data()));
    }
    for (int i = 1; i <= 20; ++i) {
      SURVIVES(ref = FileblockAddRecord(h, rec.data()));
      for (int k = 1; k <= 3; ++k) SURVIVES(FileblockAddKey(h, k, ref, Text(k, kRecords + i)));
    }
    for (int i = 3; i <= kRecords; i += 7) {
      for (int k = 1; k <= 3; ++k) SURVIVES(FileblockDeleteKey(h, k, i, Text(k, i)));
      SURVIVES(FileblockDeleteRecord(h, i));
    }
    SURVIVES(FileblockFlush(h));
    SURVIVES(FileblockClose(h));
    IsamCheck(Name("X"));  // must not crash on what is left
  }

  // Changes the byte at each offset of one file in one of four ways in turn.
  void DamageEach(bool index, const std::vector<std::size_t>& offsets) {
    for (std::size_t i = 0; i < offsets.size() && !HasFatalFailure(); ++i) {
      SCOPED_TRACE((index ? "index offset " : "data offset ") + std::to_string(offsets[i]));
      std::string d = data_, x = index_;
      char& byte = (index ? x : d)[offsets[i]];
      const char to[] = {static_cast<char>(byte ^ 0xFF), 0, 0x7F, static_cast<char>(byte + 1)};
      byte = to[i % 4];
      Exercise(d, x);
    }
  }

  std::string data_;
  std::string index_;
};

TEST_F(Corruption, DamagedIndexBytesAndCutFilesGiveErrorsNotCrashes) {
  std::vector<std::size_t> offsets;
  for (std::size_t o = 0; o < 28 * 3; ++o) offsets.push_back(o);  // every key header byte
  const std::size_t frame = index_.size() / 20;
  for (std::size_t o = 84; o < index_.size(); o += 1 + (o * 7919) % (frame / 3 + 1)) {
    offsets.push_back(o);
  }
  ASSERT_GT(offsets.size(), 250u);
  DamageEach(true, offsets);
  for (std::size_t cut : {std::size_t{0}, std::size_t{10}, index_.size() / 2, index_.size() - 1}) {
    Exercise(data_, index_.substr(0, cut));
    Exercise(data_.substr(0, std::min(cut, data_.size())), index_);
  }
}

TEST_F(Corruption, DamagedDataBytesGiveErrorsNotCrashes) {
  std::vector<std::size_t> offsets;
  for (std::size_t o = 0; o < data_.size(); o += o < 21 ? 1 : 37) offsets.push_back(o);
  DamageEach(false, offsets);
}

}  // namespace
}  // namespace storage::testing
