// Engine start and stop, the entry guard, file naming, and the checks of create and open.

#include <fstream>

#include "common/le_int.h"
#include "platform/file_faults.h"
#include "storage/engine_file.h"
#include "storage/file_names.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

void Patch(const std::string& path, std::int64_t offset, const std::string& bytes) {
  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(offset);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Le32(std::int32_t v) {
  std::string s(4, '\0');
  common::WriteLeInt32(s.data(), v);
  return s;
}

std::string Le16(std::uint16_t v) {
  std::string s(2, '\0');
  common::WriteLeUInt16(s.data(), v);
  return s;
}

struct NameCase {
  const char* name;
  const char* input;
  const char* data;
  const char* index;
  const char* dialog;
};

class FileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNames, FollowTheNamingRules) {
  const FileblockNames n = MakeFileblockNames(GetParam().input);
  EXPECT_EQ(n.data, GetParam().data);
  EXPECT_EQ(n.index, GetParam().index);
  EXPECT_EQ(n.dialog, GetParam().dialog);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FileNames,
    ::testing::Values(NameCase{"Plain", "PXKK", "PXKK.DAT", "PXKK.IX", "PXKK.DIA"},
                      NameCase{"TwoNames", "X;Y", "X.DAT", "Y.IX", "X.DIA"},
                      NameCase{"ExtensionReplaced", "A.OLD", "A.DAT", "A.IX", "A.DIA"},
                      NameCase{"ThirdPartIgnored", "X;Y;Z", "X.DAT", "Y.IX", "X.DIA"},
                      NameCase{"EmptySecondPart", "X;", "X.DAT", "X.IX", "X.DIA"},
                      NameCase{"DotInFolder", "C:\\DATA.V2\\LOG", "C:\\DATA.V2\\LOG.DAT",
                               "C:\\DATA.V2\\LOG.IX", "C:\\DATA.V2\\LOG.DIA"},
                      NameCase{"DotInPosixFolder", "/tmp/a.b/LOG", "/tmp/a.b/LOG.DAT",
                               "/tmp/a.b/LOG.IX", "/tmp/a.b/LOG.DIA"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EngineLife, StartAndStopChecks) {
  EXPECT_FALSE(EngineStarted());
  FileblockHandle none = nullptr;
  FileblockFlush(none);
  EXPECT_EQ(Err(), kIsamNotStarted);
  EngineInit(1, 160);
  EXPECT_EQ(Err(), kIsamNetworkMode);
  EngineInit(0, 7);
  EXPECT_EQ(Err(), kIsamBufferCount);
  EngineInit(2, 8);
  EXPECT_EQ(Err(), 0);
  EngineInit(0, 160);
  EXPECT_EQ(Err(), kIsamAlreadyStarted);
  EXPECT_STREQ(EngineVersion(), "05.53");
  EngineExit();
  EXPECT_EQ(Err(), 0);
  EXPECT_FALSE(EngineStarted());
}

TEST(EngineErrorClasses, BoundariesOfTheClasses) {
  for (const auto& [error, cls] : {std::pair{0, 0},
                                   {10199, 4},
                                   {10200, 1},
                                   {10299, 1},
                                   {10300, 4},
                                   {9903, 1},
                                   {9900, 2},
                                   {10399, 2},
                                   {10001, 3},
                                   {10010, 4}}) {
    EXPECT_EQ(EngineErrorClass(error), cls) << error;
  }
}

class FileblockTest : public EngineTest {};

TEST_F(FileblockTest, GuardRefusesBadHandlesKeysAndWrites) {
  FileblockHandle h = CreateOpen("T", 30, {{9, 0}});
  RecRef ref = 0;
  FileblockFindKey(h, 2, KeyStr("A"), ref);
  EXPECT_EQ(Err(), kIsamKeyNumberRange);
  FileblockFindKey(h, 0, KeyStr("A"), ref);
  EXPECT_EQ(Err(), kIsamKeyNumberRange);
  int not_a_fileblock = 0;
  FileblockFlush(reinterpret_cast<FileblockHandle>(&not_a_fileblock));
  EXPECT_EQ(Err(), kIsamBadHandle);
  FileblockClose(h);
  EXPECT_EQ(Err(), 0);
  FileblockFlush(h);  // a closed handle is never dereferenced
  EXPECT_EQ(Err(), kIsamBadHandle);
  FileblockClose(h);
  EXPECT_EQ(Err(), kIsamNotOpen);

  OpenOptions ro;
  ro.read_only = true;
  h = FileblockOpen(Name("T"), ro);
  ASSERT_NE(h, nullptr) << Err();
  std::vector<std::uint8_t> rec(30, 0);
  FileblockAddRecord(h, rec.data());
  EXPECT_EQ(Err(), kIsamReadOnly);
  FileblockAddKey(h, 1, 1, KeyStr("A"));
  EXPECT_EQ(Err(), kIsamReadOnly);
  FileblockClearKey(h, 1);
  EXPECT_EQ(Err(), 0);
}

TEST_F(FileblockTest, CreateChecksComeBeforeAnythingIsDeleted) {
  FileblockHandle h = CreateOpen("T", 21, {{5, 1}});
  std::vector<std::uint8_t> rec(21, 0);
  const RecRef first = FileblockAddRecord(h, rec.data());
  EXPECT_EQ(first, 1);
  FileblockClose(h);
  EXPECT_EQ(std::filesystem::file_size(Name("T") + ".DAT"), 42u);  // record 1 lies at byte 21

  const struct {
    int length;
    std::vector<KeySpec> keys;
    int error;
  } bad[] = {{20, {}, kIsamRecordLengthRange},
             {65536, {}, kIsamRecordLengthRange},
             {30, std::vector<KeySpec>(111, KeySpec{5, 0}), kIsamTooManyKeys},
             {30, {{51, 0}}, kIsamKeyLengthRange},
             {30, {{9, 0}, {0, 0}}, kIsamKeyLengthRange}};
  for (const auto& c : bad) {
    FileblockCreate(Name("T"), c.length, c.keys);
    EXPECT_EQ(Err(), c.error) << c.length;
    EXPECT_EQ(std::filesystem::file_size(Name("T") + ".DAT"), 42u);
  }
  FileblockCreate(Name("T"), 30, std::vector<KeySpec>(110, KeySpec{50, 1}));
  EXPECT_EQ(Err(), 0);
  h = FileblockOpen(Name("T"));
  ASSERT_NE(h, nullptr) << Err();
  EXPECT_EQ(FileblockUsedKeys(h, 110), 0);
  EXPECT_EQ(FileblockUsedRecs(h), 0);
  EXPECT_EQ(FileblockRecordLength(h), 30);
}

TEST_F(FileblockTest, CreateReplacesExistingFiles) {
  FileblockHandle h = CreateOpen("T", 40, {{9, 0}});
  std::vector<std::uint8_t> rec(40, 0);
  FileblockAddRecord(h, rec.data());
  FileblockAddKey(h, 1, 1, KeyStr("X"));
  FileblockClose(h);
  h = CreateOpen("T", 40, {{9, 0}});
  EXPECT_EQ(FileblockUsedRecs(h), 0);
  EXPECT_EQ(FileblockUsedKeys(h, 1), 0);
}

struct OpenCase {
  const char* name;
  const char* file;  // "DAT" or "IX"
  std::int64_t offset;
  std::string bytes;  // written at offset; empty: the file is cut at offset
  int error;
};

class OpenChecks : public EngineTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenChecks, RefuseDamagedHeaders) {
  FileblockCreate(Name("T"), 30, std::vector<KeySpec>{{5, 0}, {9, 1}});
  ASSERT_EQ(Err(), 0);
  const OpenCase& c = GetParam();
  const std::string file = Name("T") + "." + c.file;
  if (c.bytes.empty()) {
    std::filesystem::resize_file(file, static_cast<std::uintmax_t>(c.offset));
  } else {
    Patch(file, c.offset, c.bytes);
  }
  FileblockHandle h = FileblockOpen(Name("T"));
  EXPECT_EQ(Err(), c.error);
  EXPECT_EQ(h == nullptr, c.error != 0);
  if (c.error == 0) return;
  // A refused open leaves no file held: the files can be deleted at once.
  FileblockDelete(Name("T"));
  EXPECT_EQ(Err(), 0);
}

// Key 2 (length 9) has its header at byte 14 x 62 + 6 = 874 of the index file.
INSTANTIATE_TEST_SUITE_P(
    Headers, OpenChecks,
    ::testing::Values(
        OpenCase{"Sound", "DAT", 0, std::string(4, '\xFF'), 0},
        OpenCase{"ModifiedMarker", "DAT", 20, std::string(1, '\1'), kIsamIndexUnusable},
        OpenCase{"Keys111", "DAT", 16, Le32(111), kIsamHeaderKeyCount},
        OpenCase{"KeysNegative", "DAT", 16, Le32(-1), kIsamHeaderKeyCount},
        OpenCase{"RecordLength20", "DAT", 12, Le32(20), kIsamRecordLengthRange},
        OpenCase{"SlotsNegative", "DAT", 8, Le32(-5), kIsamIndexUnusable},
        OpenCase{"PageSize1122Is9", "IX", 874 + 12, Le32(1122), 0},
        OpenCase{"PageSize1123", "IX", 874 + 12, Le32(1123), kIsamKeyHeaderBad},
        OpenCase{"KeyLength51", "IX", 874 + 12, Le32((51 + 9) * 62 + 6), kIsamKeyHeaderLength},
        OpenCase{"ItemsPerPageZeroIs62", "IX", 874 + 26, Le16(0), 0},
        OpenCase{"ItemsPerPage63", "IX", 874 + 26, Le16(63), kIsamKeyHeaderItems},
        OpenCase{"RootBeyondPages", "IX", 874 + 16, Le32(3), kIsamKeyHeaderBad},
        OpenCase{"IndexTruncated", "IX", 900, "", kIsamIndexUnusable},
        OpenCase{"DataFileEmpty", "DAT", 0, "", kIsamShortRead}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileblockTest, MissingFilesAndFolders) {
  EXPECT_EQ(FileblockOpen(Name("none")), nullptr);
  EXPECT_EQ(Err(), kIsamFileNotFound);
  EXPECT_EQ(FileblockOpen(folder_.File("nodir/X")), nullptr);
  EXPECT_EQ(Err(), kIsamPathNotFound);
  FileblockCreate(folder_.File("nodir/X"), 30, std::vector<KeySpec>{});
  EXPECT_EQ(Err(), kIsamPathNotFound);
  FileblockCreate(Name("T"), 30, std::vector<KeySpec>{{5, 0}});
  std::filesystem::remove(Name("T") + ".IX");
  EXPECT_EQ(FileblockOpen(Name("T")), nullptr);
  EXPECT_EQ(Err(), kIsamIndexUnusable);
}

TEST_F(FileblockTest, ExclusiveOpenKeepsASecondOpenerOut) {
  FileblockHandle h = CreateOpen("T", 30, {{5, 0}});
  EXPECT_EQ(FileblockOpen(Name("T")), nullptr);
  EXPECT_EQ(Err(), kIsamOsFailure);
  EXPECT_EQ(Isam().FirstOsError, 32u);
  FileblockDelete(Name("T"));
  EXPECT_EQ(Err(), kIsamOsFailure);
  FileblockClose(h);
  FileblockDelete(Name("T"));
  EXPECT_EQ(Err(), 0);
  EXPECT_FALSE(std::filesystem::exists(Name("T") + ".DAT"));
  EXPECT_FALSE(std::filesystem::exists(Name("T") + ".IX"));
}

TEST_F(FileblockTest, MarkerIsSetAtTheFirstChangeAndClearedByFlushAndClose) {
  FileblockHandle h = CreateOpen("T", 30, {{5, 0}});
  auto marker = [&] {
    std::ifstream f(Name("T") + ".DAT", std::ios::binary);
    f.seekg(20);
    return f.get();
  };
  EXPECT_EQ(marker(), 0);
  std::vector<std::uint8_t> rec(30, 0);
  FileblockAddRecord(h, rec.data());
  EXPECT_EQ(marker(), 1);
  FileblockFlush(h);
  EXPECT_EQ(marker(), 0);
  FileblockAddKey(h, 1, 1, KeyStr("K"));
  EXPECT_EQ(marker(), 1);
  FileblockClose(h);
  EXPECT_EQ(marker(), 0);
  EXPECT_EQ(IsamCheck(Name("T")).Text(), "");
}

TEST_F(FileblockTest, ExitClosesEverythingAndWritesItBack) {
  FileblockHandle h = CreateOpen("T", 30, {{5, 0}});
  std::vector<std::uint8_t> rec(30, 0);
  for (int i = 0; i < 100; ++i) {
    const RecRef r = FileblockAddRecord(h, rec.data());
    FileblockAddKey(h, 1, r, KeyStr(std::to_string(10000 + i)));
  }
  EngineExit();
  EXPECT_EQ(Err(), 0);
  EXPECT_FALSE(EngineStarted());
  const CheckReport report = IsamCheck(Name("T"));
  EXPECT_EQ(report.Text(), "");
  EXPECT_EQ(report.used_records, 100);
}

TEST_F(FileblockTest, MemoryModeWorksOnACopyThatIsDropped) {
  FileblockHandle h = CreateOpen("T", 30, {{5, 0}});
  std::vector<std::uint8_t> rec(30, 0);
  FileblockAddRecord(h, rec.data());
  FileblockAddKey(h, 1, 1, KeyStr("DISK"));
  FileblockClose(h);

  OpenOptions mem;
  mem.memory_mode = true;
  h = FileblockOpen(Name("T"), mem);
  ASSERT_NE(h, nullptr) << Err();
  for (int i = 0; i < 200; ++i) {
    const RecRef r = FileblockAddRecord(h, rec.data());
    FileblockAddKey(h, 1, r, KeyStr(std::to_string(i)));
    ASSERT_EQ(Err(), 0);
  }
  EXPECT_EQ(FileblockUsedKeys(h, 1), 201);
  RecRef ref = 0;
  FileblockFindKey(h, 1, KeyStr("DISK"), ref);
  EXPECT_EQ(ref, 1);
  FileblockClose(h);
  EXPECT_EQ(Err(), 0);
  const CheckReport report = IsamCheck(Name("T"));
  EXPECT_EQ(report.Text(), "");
  EXPECT_EQ(report.used_records, 1);
}

}  // namespace
}  // namespace storage::testing

namespace storage::testing {
namespace {

class WriteFaults : public EngineTest {};

TEST_F(WriteFaults, AFailedWriteBackLeavesTheMarkerSetForTheNextOpen) {
  FileblockHandle h = CreateOpen("W", 30, {{9, 0}});
  std::vector<std::uint8_t> rec(30, 0);
  for (int i = 0; i < 500; ++i) {
    const RecRef r = FileblockAddRecord(h, rec.data());
    FileblockAddKey(h, 1, r, KeyStr(std::to_string(100000 + i)));
  }
  platform::FileFaultPlan plan;
  plan.write.fail_at = 1;
  plan.write.sticky = true;
  {
    platform::ScopedFileFaults faults(&plan);
    FileblockFlush(h);
    EXPECT_EQ(Err(), kIsamOsFailure);
    FileblockClose(h);
    EXPECT_EQ(Err(), kIsamOsFailure);
  }
  EXPECT_EQ(FileblockOpen(Name("W")), nullptr);
  EXPECT_EQ(Err(), kIsamIndexUnusable);
}

TEST_F(WriteFaults, AFailedFlushIsReportedAndTheMarkerStays) {
  FileblockHandle h = CreateOpen("W", 30, {{9, 0}});
  std::vector<std::uint8_t> rec(30, 0);
  FileblockAddRecord(h, rec.data());
  platform::FileFaultPlan plan;
  plan.flush.fail_at = 1;
  plan.flush.error = platform::kErrorGenFailure;
  {
    platform::ScopedFileFaults faults(&plan);
    FileblockFlush(h);
    EXPECT_EQ(Err(), kIsamOsFailure);
    EXPECT_EQ(Isam().FirstPrimitive, kPrimFlush);
  }
  std::ifstream f(Name("W") + ".DAT", std::ios::binary);
  f.seekg(20);
  EXPECT_EQ(f.get(), 1);
}

TEST_F(WriteFaults, EveryFailingWriteOfAWorkloadIsReportedWithoutHarm) {
  // Fail each write in turn in a workload that splits and merges pages; every call must return,
  // with an engine error where its write failed.
  for (std::uint64_t n = 1; n <= 60; n += 3) {
    FileblockCreate(Name("F"), 30, std::vector<KeySpec>{{9, 0}, {5, 1}});
    FileblockHandle h = FileblockOpen(Name("F"));
    ASSERT_NE(h, nullptr);
    std::vector<std::uint8_t> rec(30, 0);
    platform::FileFaultPlan plan;
    plan.write.fail_at = n;
    int failures = 0;
    {
      platform::ScopedFileFaults faults(&plan);
      for (int i = 0; i < 400; ++i) {
        const RecRef r = FileblockAddRecord(h, rec.data());
        failures += Err() != 0;
        FileblockAddKey(h, 1, r, KeyStr(std::to_string(500000 - i * 7)));
        failures += Err() != 0;
        FileblockAddKey(h, 2, r, KeyStr(std::to_string(i % 13)));
        failures += Err() != 0;
        if (i % 3 == 0 && i > 30) {
          FileblockDeleteKey(h, 1, r - 20, KeyStr(std::to_string(500000 - (i - 20) * 7)));
          failures += Err() != 0 && Err() != kIsamDeleteKeyMissing;
        }
      }
      FileblockClose(h);
      failures += Err() != 0;
    }
    EXPECT_EQ(failures, plan.write.calls >= n ? 1 : 0) << n;
    IsamCheck(Name("F"));
  }
}

}  // namespace
}  // namespace storage::testing
