// Test scaffolding for the engine: a fresh temporary folder per test, a started engine, and the
// helpers that look at or damage the files.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "common/le_int.h"
#include "storage/engine.h"
#include "storage/isam_check.h"

namespace storage::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "isam_XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline int Err() { return Isam().IsamOK ? 0 : Isam().IsamError; }

// Runs an engine call and expects its error number (0 for success).
#define EXPECT_ISAM(call, error)                          \
  do {                                                    \
    call;                                                 \
    EXPECT_EQ(::storage::testing::Err(), error) << #call; \
  } while (0)
#define ASSERT_ISAM(call, error)                          \
  do {                                                    \
    call;                                                 \
    ASSERT_EQ(::storage::testing::Err(), error) << #call; \
  } while (0)

inline std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}
inline void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
// Overwrites `width` bytes at `offset` with the little-endian `value`.
inline void PatchFile(const std::string& path, std::int64_t offset, std::int32_t value,
                      int width = 4) {
  char b[4];
  common::WriteLeInt32(b, value);
  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(offset);
  f.write(b, width);
}

inline KeyStr Num(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%05d", n);
  return KeyStr(buf);
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

  std::string Name(const std::string& base = "T") const { return folder_.File(base); }

  // Creates and opens a fileblock; fails the test when either fails.
  FileblockHandle CreateOpen(const std::string& base, int record_length,
                             std::vector<KeySpec> keys) {
    FileblockCreate(Name(base), record_length, keys);
    EXPECT_TRUE(Isam().IsamOK) << Isam().IsamError;
    FileblockHandle h = FileblockOpen(Name(base));
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
    FileblockFlush(h);
    EXPECT_TRUE(Isam().IsamOK) << Isam().IsamError;
    return IsamCheck(Name(base), o).Text();
  }

  TempFolder folder_;
};

}  // namespace storage::testing
