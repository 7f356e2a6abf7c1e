// Engine test scaffolding: a temporary folder, a started engine, and file helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/le_int.h"
#include "platform/file_faults.h"
#include "storage/isam/engine.h"
#include "storage/isam/isam_check.h"
#include "tests/common/rows.h"
#include "tests/common/temp_folder.h"

namespace storage::testing {

using common::testing::ReadFile;
using common::testing::RowName;
using common::testing::WriteFile;
using Bytes = std::vector<std::uint8_t>;

inline int Err() { return Isam().IsamOK ? 0 : Isam().IsamError; }

// Runs an engine call and expects its error number (0 for success).
#define EXPECT_ISAM(call, error) EXPECT_EQ(((void)(call), storage::testing::Err()), error) << #call
#define ASSERT_ISAM(call, error) ASSERT_EQ(((void)(call), storage::testing::Err()), error) << #call

__attribute__((format(printf, 1, 2))) inline std::string Fmt(const char* format, ...) {
  char buf[64];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return buf;
}
inline KeyStr Num(int n) { return KeyStr(Fmt("%05d", n)); }

// A record of `length` bytes: the first four zero (a used record's link), the rest `fill`.
inline Bytes Record(int length, std::uint8_t fill = 0) {
  Bytes r(static_cast<std::size_t>(length), fill);
  std::fill_n(r.begin(), std::min(length, 4), 0);
  return r;
}

// Overwrites `width` bytes at `offset` with the little-endian `value`.
inline void PatchFile(const std::string& path, std::int64_t offset, std::int32_t value,
                      int width = 4) {
  char b[4];
  common::WriteLeInt32(b, value);
  std::fstream(path, std::ios::in | std::ios::out | std::ios::binary).seekp(offset).write(b, width);
}

// Runs `f` with the file fault plan installed.
template <typename F>
void WithFaults(platform::FileFaultPlan& plan, F f) {
  platform::ScopedFileFaults faults(&plan);
  f();
}

// Every entry of key `key` as "text/ref", in order, by Next from ClearKey.
inline std::vector<std::string> Entries(FileblockHandle h, int key) {
  std::vector<std::string> out;
  FileblockClearKey(h, key);
  KeyStr text;
  RecRef ref = 0;
  for (FileblockNextKey(h, key, text, ref); Err() == 0; FileblockNextKey(h, key, text, ref)) {
    out.push_back(text.str() + "/" + std::to_string(ref));
  }
  EXPECT_EQ(Err(), kIsamNoNextKey);
  return out;
}

// A started engine and a temporary folder; everything is closed and removed afterwards.
class EngineTest : public ::testing::Test {
 protected:
  explicit EngineTest(int buffers = 160, int mode = kNetworkSingleUser) {
    EngineInit(mode, buffers);
  }
  ~EngineTest() override {
    if (EngineStarted()) EngineExit();
  }

  std::string Name(const std::string& base = "T") const { return folder_ / base; }

  // Creates and opens a fileblock; fails the test when either fails.
  FileblockHandle CreateOpen(const std::string& base, int record_length,
                             std::vector<KeySpec> keys) {
    EXPECT_ISAM(FileblockCreate(Name(base), record_length, keys), 0);
    return Reopen(nullptr, base);
  }
  // Closes `h` (when given) and opens the fileblock again; fails the test when the open fails.
  FileblockHandle Reopen(FileblockHandle h, const std::string& base, const OpenOptions& o = {}) {
    if (h != nullptr) FileblockClose(h);
    h = FileblockOpen(Name(base), o);
    EXPECT_NE(h, nullptr) << Isam().IsamError;
    return h;
  }
  // The error of an open that must fail.
  int RefusedOpen(const std::string& name, const OpenOptions& options = {}) {
    EXPECT_EQ(FileblockOpen(name, options), nullptr);
    return Err();
  }
  // Flushes and runs the checker; returns its problems as text (empty when sound).
  std::string Check(FileblockHandle h, const std::string& base, const CheckOptions& o = {}) {
    EXPECT_ISAM(FileblockFlush(h), 0);
    return IsamCheck(Name(base), o).Text();
  }

  common::testing::TempFolder folder_;
};

}  // namespace storage::testing
