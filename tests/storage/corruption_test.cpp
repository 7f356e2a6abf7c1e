// Damaged files: bytes of a real data and index file are changed at many offsets, and every
// engine call on the result must return an error or a result. None may crash, hang or trip the
// sanitizers; the checker must survive the same files.

#include <cstdio>
#include <fstream>
#include <iterator>

#include "common/le_int.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

constexpr int kLength = 40;
constexpr int kRecords = 300;

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

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
    FileblockClose(h);
    ASSERT_EQ(Err(), 0);
    ASSERT_EQ(IsamCheck(Name("X")).Text(), "");
    data_ = ReadAll(Name("X") + ".DAT");
    index_ = ReadAll(Name("X") + ".IX");
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
        FileblockFindKey(h, k, Text(k, i), ref);
        ExpectEngineOutcome();
        KeyStr t = Text(k, i);
        FileblockSearchKey(h, k, t, ref);
        ExpectEngineOutcome();
        t = Text(k, i);
        ref = i;
        FileblockFindKeyAndRef(h, k, t, ref, -1);
        ExpectEngineOutcome();
        FileblockApproxRelPos(h, k, Text(k, i), i, 1000);
        ExpectEngineOutcome();
        FileblockApproxKeyAndRef(h, k, i, kRecords, t, ref);
        ExpectEngineOutcome();
      }
    }
    // Record buffers are exactly the record length, which a damaged header may have changed.
    std::vector<std::uint8_t> rec(static_cast<std::size_t>(FileblockRecordLength(h)), 0);
    const std::int32_t slots = FileblockRecordSlots(h);
    for (RecRef r = 1; r < std::min(slots + 2, kRecords + 20); ++r) {
      FileblockGetRecord(h, r, rec.data());
      ExpectEngineOutcome();
    }
    for (int i = 1; i <= 20; ++i) {
      const RecRef ref = FileblockAddRecord(h, rec.data());
      ExpectEngineOutcome();
      for (int k = 1; k <= 3; ++k) {
        FileblockAddKey(h, k, ref, Text(k, kRecords + i));
        ExpectEngineOutcome();
      }
    }
    for (int i = 3; i <= kRecords; i += 7) {
      for (int k = 1; k <= 3; ++k) {
        FileblockDeleteKey(h, k, i, Text(k, i));
        ExpectEngineOutcome();
      }
      FileblockDeleteRecord(h, i);
      ExpectEngineOutcome();
    }
    FileblockFlush(h);
    ExpectEngineOutcome();
    FileblockClose(h);
    ExpectEngineOutcome();
    IsamCheck(Name("X"));  // must not crash on what is left
  }

  void Damage(bool index, std::size_t offset, std::uint8_t how) {
    std::string d = data_;
    std::string x = index_;
    std::string& target = index ? x : d;
    if (offset >= target.size()) return;
    switch (how % 4) {
      case 0:
        target[offset] = static_cast<char>(target[offset] ^ 0xFF);
        break;
      case 1:
        target[offset] = 0;
        break;
      case 2:
        target[offset] = static_cast<char>(0x7F);
        break;
      default:
        target[offset] = static_cast<char>(target[offset] + 1);
        break;
    }
    WriteAll(Name("X") + ".DAT", d);
    WriteAll(Name("X") + ".IX", x);
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
  for (std::size_t i = 0; i < offsets.size(); ++i) {
    SCOPED_TRACE("index offset " + std::to_string(offsets[i]));
    Damage(true, offsets[i], static_cast<std::uint8_t>(i));
    Exercise();
    ASSERT_FALSE(HasFatalFailure());
  }
}

TEST_F(Corruption, DamagedDataBytesGiveErrorsNotCrashes) {
  std::vector<std::size_t> offsets;
  for (std::size_t o = 0; o < 21; ++o) offsets.push_back(o);
  for (std::size_t o = 21; o < data_.size(); o += 37) offsets.push_back(o);
  for (std::size_t i = 0; i < offsets.size(); ++i) {
    SCOPED_TRACE("data offset " + std::to_string(offsets[i]));
    Damage(false, offsets[i], static_cast<std::uint8_t>(i));
    Exercise();
    ASSERT_FALSE(HasFatalFailure());
  }
}

TEST_F(Corruption, TruncatedFilesGiveErrors) {
  for (std::size_t cut : {std::size_t{0}, std::size_t{10}, index_.size() / 2, index_.size() - 1}) {
    WriteAll(Name("X") + ".DAT", data_);
    WriteAll(Name("X") + ".IX", index_.substr(0, cut));
    Exercise();
    WriteAll(Name("X") + ".DAT", data_.substr(0, std::min(cut, data_.size())));
    WriteAll(Name("X") + ".IX", index_);
    Exercise();
  }
}

}  // namespace
}  // namespace storage::testing
