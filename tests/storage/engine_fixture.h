// Test scaffolding for the engine: a fresh temporary folder per test and a started engine.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

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

  // Flushes and runs the checker; returns its problems as text (empty when sound).
  std::string Check(FileblockHandle h, const std::string& base, const CheckOptions& o = {}) {
    FileblockFlush(h);
    EXPECT_TRUE(Isam().IsamOK) << Isam().IsamError;
    return IsamCheck(Name(base), o).Text();
  }

  TempFolder folder_;
};

inline int Err() { return Isam().IsamOK ? 0 : Isam().IsamError; }

}  // namespace storage::testing
