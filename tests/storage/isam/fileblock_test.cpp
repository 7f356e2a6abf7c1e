// Engine life, naming, create and open checks, the modified marker, and the record slots.

#include <chrono>
#include <filesystem>
#include <limits>

#include "platform/file_faults.h"
#include "storage/isam/engine_file.h"
#include "storage/isam/file_names.h"
#include "storage/isam/files_written.h"
#include "tests/storage/isam/engine_fixture.h"

namespace storage::testing {
namespace {

using platform::FileFaultPlan;

TEST(FileNames, FollowTheNamingRules) {
  const std::pair<const char*, const char*> rules[] = {
      {"PXKK", "PXKK.DAT PXKK.IX PXKK.DIA"},
      {"X;Y", "X.DAT Y.IX X.DIA"},
      {"A.OLD", "A.DAT A.IX A.DIA"},
      {"X;Y;Z", "X.DAT Y.IX X.DIA"},
      {"X;", "X.DAT X.IX X.DIA"},
      {"C:\\DATA.V2\\LOG", "C:\\DATA.V2\\LOG.DAT C:\\DATA.V2\\LOG.IX C:\\DATA.V2\\LOG.DIA"},
      {"/tmp/a.b/LOG", "/tmp/a.b/LOG.DAT /tmp/a.b/LOG.IX /tmp/a.b/LOG.DIA"}};
  for (const auto& [input, names] : rules) {
    const FileblockNames n = MakeFileblockNames(input);
    EXPECT_EQ(n.data + " " + n.index + " " + n.dialog, names);
  }
}

TEST(EngineLife, StartAndStopChecks) {
  EXPECT_FALSE(EngineStarted());
  EXPECT_ISAM(FileblockFlush(nullptr), kIsamNotStarted);
  EXPECT_ISAM(EngineInit(1, 160), kIsamNetworkMode);
  EXPECT_ISAM(EngineInit(0, 7), kIsamBufferCount);
  EXPECT_ISAM(EngineInit(2, 8), 0);
  EXPECT_ISAM(EngineInit(0, 160), kIsamAlreadyStarted);
  EXPECT_ISAM(EngineExit(), 0);
  EXPECT_FALSE(EngineStarted());
  const int classes[][2] = {{0, 0},    {10199, 4}, {10200, 1}, {10299, 1}, {10300, 4},
                            {9903, 1}, {9900, 2},  {10399, 2}, {10001, 3}, {10010, 4}};
  for (const auto& c : classes) EXPECT_EQ(EngineErrorClass(c[0]), c[1]) << c[0];
}

class FileblockTest : public EngineTest {
 protected:
  // Adds `n` records with key texts Num(0)..; false when one fails.
  bool AddMany(FileblockHandle h, int n) {
    for (int i = 0; i < n; ++i) FileblockAddKey(h, 1, FileblockAddRecord(h, rec_.data()), Num(i));
    return Err() == 0;
  }
  Bytes rec_ = Record(30);
};

TEST_F(FileblockTest, GuardRefusesBadHandlesKeysAndWrites) {
  FileblockHandle h = CreateOpen("T", 30, {{9, 0}});
  RecRef ref = 0;
  EXPECT_ISAM(FileblockFindKey(h, 0, KeyStr("A"), ref), kIsamKeyNumberRange);
  EXPECT_ISAM(FileblockFindKey(h, 2, KeyStr("A"), ref), kIsamKeyNumberRange);
  int not_a_fileblock = 0;
  const FileblockHandle foreign(reinterpret_cast<Fileblock*>(&not_a_fileblock), h.generation);
  EXPECT_ISAM(FileblockFlush(foreign), kIsamBadHandle);
  EXPECT_ISAM(FileblockClose(h), 0);
  EXPECT_ISAM(FileblockFlush(h), kIsamBadHandle);  // a closed handle is never dereferenced
  EXPECT_ISAM(FileblockClose(h), kIsamNotOpen);
  // The next open may get the closed fileblock's memory: the old handle still names no file.
  const FileblockHandle next = Reopen(nullptr, "T");
  const FileblockHandle stale(next.block, h.generation);
  EXPECT_ISAM(FileblockUsedRecs(stale), kIsamBadHandle);
  EXPECT_ISAM(FileblockClose(stale), kIsamNotOpen);
  EXPECT_ISAM(FileblockClose(next), 0);
  h = Reopen(nullptr, "T", OpenOptions{.read_only = true});
  EXPECT_ISAM(FileblockAddRecord(h, rec_.data()), kIsamReadOnly);
  EXPECT_ISAM(FileblockAddKey(h, 1, 1, KeyStr("A")), kIsamReadOnly);
  EXPECT_ISAM(FileblockClearKey(h, 1), 0);
}

TEST_F(FileblockTest, CreateChecksComeBeforeAnythingIsDeletedAndCreateReplacesTheFiles) {
  FileblockHandle h = CreateOpen("T", 21, {{5, 1}});
  EXPECT_EQ(FileblockAddRecord(h, rec_.data()), 1);
  FileblockClose(h);
  EXPECT_EQ(std::filesystem::file_size(Name("T") + ".DAT"), 42u);  // record 1 lies at byte 21
  using Keys = std::vector<KeySpec>;
  EXPECT_ISAM(FileblockCreate(Name("T"), 20, {}), kIsamRecordLengthRange);
  EXPECT_ISAM(FileblockCreate(Name("T"), 65536, {}), kIsamRecordLengthRange);
  EXPECT_ISAM(FileblockCreate(Name("T"), 30, Keys(111, KeySpec{5, 0})), kIsamTooManyKeys);
  EXPECT_ISAM(FileblockCreate(Name("T"), 30, Keys{{51, 0}}), kIsamKeyLengthRange);
  EXPECT_ISAM(FileblockCreate(Name("T"), 30, Keys{{9, 0}, {0, 0}}), kIsamKeyLengthRange);
  EXPECT_EQ(std::filesystem::file_size(Name("T") + ".DAT"), 42u);
  EXPECT_ISAM(FileblockCreate(Name("T"), 30, Keys(110, KeySpec{50, 1})), 0);
  h = Reopen(nullptr, "T");
  EXPECT_EQ(FileblockUsedKeys(h, 110), 0);
  EXPECT_EQ(FileblockUsedRecs(h), 0);
  EXPECT_EQ(FileblockRecordLength(h), 30);
}

struct OpenCase {
  const char* name;
  const char* file;  // "DAT" or "IX"
  std::int64_t offset;
  std::int32_t value;  // written at offset, `width` bytes; width 0: the file is cut at offset
  int width, error;
};

class OpenChecks : public EngineTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenChecks, RefuseDamagedHeaders) {
  ASSERT_ISAM(FileblockCreate(Name("T"), 30, std::vector<KeySpec>{{5, 0}, {9, 1}}), 0);
  const OpenCase& c = GetParam();
  const std::string file = Name("T") + "." + c.file;
  if (c.width == 0) std::filesystem::resize_file(file, static_cast<std::uintmax_t>(c.offset));
  if (c.width != 0) PatchFile(file, c.offset, c.value, c.width);
  FileblockHandle h = FileblockOpen(Name("T"));
  EXPECT_EQ(h == nullptr, c.error != 0);
  EXPECT_EQ(Err(), c.error);
  FileblockClose(h);
  // The checker judges key headers by the same rules: it calls sound exactly what opens.
  if (std::string_view(c.file) == "IX") {
    EXPECT_EQ(IsamCheck(Name("T")).ok(), c.error == 0);
  }
  if (c.error == 0) return;
  // A refused open leaves no file held: the files can be deleted at once.
  EXPECT_ISAM(FileblockDelete(Name("T")), 0);
  EXPECT_FALSE(std::filesystem::exists(Name("T") + ".DAT") || std::filesystem::exists(file));
}

// Key 2 (length 9) has its header at byte 14 x 62 + 6 = 874 of the index file.
const OpenCase kOpenCases[] = {
    {"Sound", "DAT", 0, -1, 4, 0},
    {"ModifiedMarker", "DAT", 20, 1, 1, kIsamIndexUnusable},
    {"Keys111", "DAT", 16, 111, 4, kIsamHeaderKeyCount},
    {"KeysNegative", "DAT", 16, -1, 4, kIsamHeaderKeyCount},
    {"RecordLength20", "DAT", 12, 20, 4, kIsamRecordLengthRange},
    {"SlotsNegative", "DAT", 8, -5, 4, kIsamIndexUnusable},
    // Free-chain counts that cannot be right (the file holds no record): rebuilt, never used.
    {"FreeCountNegative", "DAT", 4, -1, 4, kIsamIndexUnusable},
    {"FreeCountAboveSlots", "DAT", 4, 1, 4, kIsamIndexUnusable},
    {"FreeCountLowest", "DAT", 4, std::numeric_limits<std::int32_t>::min(), 4, kIsamIndexUnusable},
    {"FirstFreeWithoutFreeRecords", "DAT", 0, 1, 4, kIsamIndexUnusable},
    {"PageSize1122Is9", "IX", 874 + 12, 1122, 4, 0},
    {"PageSize1123", "IX", 874 + 12, 1123, 4, kIsamKeyHeaderBad},
    {"KeyLength51", "IX", 874 + 12, 60 * 62 + 6, 4, kIsamKeyHeaderLength},
    {"ItemsPerPageZeroIs62", "IX", 874 + 26, 0, 2, 0},
    {"ItemsPerPage63", "IX", 874 + 26, 63, 2, kIsamKeyHeaderItems},
    {"RootBeyondPages", "IX", 874 + 16, 3, 4, kIsamKeyHeaderBad},
    {"EntriesWithoutARoot", "IX", 874 + 22, 5, 4, kIsamKeyHeaderBad},
    {"FreePageChainHeadZero", "IX", 874 + 0, 0, 4, kIsamKeyHeaderBad},
    {"IndexTruncated", "IX", 900, 0, 0, kIsamIndexUnusable},
    {"DataFileEmpty", "DAT", 0, 0, 0, kIsamShortRead}};
INSTANTIATE_TEST_SUITE_P(Headers, OpenChecks, ::testing::ValuesIn(kOpenCases), RowName);

// A key with a root page that holds no item and no entries: an empty root, which the index
// format allows and a key whose last entry went may well have.
TEST_F(FileblockTest, EmptyRootIsSoundToTheOpenAndTheChecker) {
  ASSERT_ISAM(FileblockCreate(Name("T"), 30, std::vector<KeySpec>{{5, 0}}), 0);
  const std::int64_t frame = (5 + 9) * 62 + 6;
  PatchFile(Name("T") + ".IX", 8, 1);                          // one page allocated
  PatchFile(Name("T") + ".IX", 16, 1);                         // the root, entries still 0
  std::filesystem::resize_file(Name("T") + ".IX", 2 * frame);  // page 1: zeros, no items
  EXPECT_EQ(IsamCheck(Name("T")).Text(), "");
  FileblockHandle h = Reopen(nullptr, "T");
  EXPECT_TRUE(Entries(h, 1).empty());
  KeyStr text;
  RecRef ref = 0;
  EXPECT_ISAM(FileblockApproxKeyAndRef(h, 1, 1, 2, text, ref), kIsamApproxEmptyIndex);
  EXPECT_TRUE(AddMany(h, 70));
  EXPECT_EQ(Check(h, "T"), "");
  EXPECT_EQ(Entries(h, 1).size(), 70u);
}

// The root page of a key whose header counts entries, zeroed: a root of one page (20 entries)
// or above leaves (200). It is no empty tree: every walk, search, add and delete of the key says
// the index is damaged, instead of finding no entry (an AUTOKEY would start at 1 again).
TEST_F(FileblockTest, AnEmptyRootWhoseHeaderCountsEntriesIsDamage) {
  const std::int64_t frame = (5 + 9) * 62 + 6;
  for (const int entries : {20, 200}) {
    SCOPED_TRACE(std::to_string(entries) + " entries");
    FileblockHandle h = CreateOpen("T", 30, {{5, 0}});
    ASSERT_TRUE(AddMany(h, entries));
    FileblockClose(h);
    const std::string index = ReadFile(Name("T") + ".IX");
    const std::int32_t root = common::ReadLeInt32(index.data() + 16);
    for (std::int64_t at = 0; at < frame; at += 4)
      PatchFile(Name("T") + ".IX", root * frame + at, 0);
    EXPECT_NE(IsamCheck(Name("T")).Text().find("holds no items"), std::string::npos);
    h = Reopen(nullptr, "T");
    KeyStr text;
    RecRef ref = 0;
    EXPECT_ISAM(FileblockNextKey(h, 1, text, ref), kIsamKeyHeaderBad);
    EXPECT_ISAM(FileblockPrevKey(h, 1, text, ref), kIsamKeyHeaderBad);
    EXPECT_ISAM(
        FileblockFindKeyAndRef(h, 1, text = KeyStr("\xFF\xFF\xFF\xFF\xFF"), ref = 0x7FFFFFFF, -1),
        kIsamKeyHeaderBad);
    EXPECT_ISAM(FileblockFindKey(h, 1, Num(3), ref), kIsamKeyHeaderBad);
    EXPECT_ISAM(FileblockAddKey(h, 1, FileblockAddRecord(h, rec_.data()), Num(entries)),
                kIsamKeyHeaderBad);
    EXPECT_ISAM(FileblockDeleteKey(h, 1, 1, Num(0)), kIsamKeyHeaderBad);
    FileblockClose(h);
  }
}

// What names no file and no record is refused where it enters the engine.
TEST_F(FileblockTest, EmptyNamesAndEntriesNamingNoRecordAreRefused) {
  EXPECT_EQ(RefusedOpen(""), kIsamPathNotFound);
  EXPECT_EQ(RefusedOpen(";X"), kIsamPathNotFound);
  EXPECT_ISAM(FileblockCreate("", 30, {}), kIsamPathNotFound);
  EXPECT_ISAM(FileblockDelete(""), kIsamPathNotFound);
  EXPECT_FALSE(std::filesystem::exists(".DAT"));
  FileblockHandle h = CreateOpen("T", 30, {{5, 0}});
  for (int i = 1; i <= 3; ++i) {
    FileblockAddKey(h, 1, FileblockAddRecord(h, rec_.data()), KeyStr("K" + std::to_string(i)));
  }
  for (const auto& [ref, error] :
       {std::pair{0, kIsamRefZero}, {-1, kIsamRefRange}, {4, kIsamRefRange}}) {
    EXPECT_ISAM(FileblockAddKey(h, 1, ref, KeyStr("X")), error) << ref;
  }
  EXPECT_EQ(FileblockUsedKeys(h, 1), 3);
  FileblockClose(h);
  // The data file cut back by a record: its entry names no record any more and is not delivered.
  PatchFile(Name("T") + ".DAT", 8, 2);
  std::filesystem::resize_file(Name("T") + ".DAT", 3 * 30);
  h = Reopen(nullptr, "T");
  KeyStr text;
  RecRef ref = 0;
  for (int i = 1; i <= 2; ++i) EXPECT_ISAM(FileblockNextKey(h, 1, text, ref), 0);
  EXPECT_EQ(ref, 2);
  EXPECT_ISAM(FileblockNextKey(h, 1, text, ref), kIsamKeyHeaderBad);
  text = KeyStr("K3");
  EXPECT_ISAM(FileblockSearchKey(h, 1, text, ref), kIsamKeyHeaderBad);
  EXPECT_ISAM(FileblockFindKey(h, 1, KeyStr("K3"), ref), kIsamKeyHeaderBad);
}

TEST_F(FileblockTest, MissingFilesAndFolders) {
  EXPECT_EQ(RefusedOpen(Name("none")), kIsamFileNotFound);
  EXPECT_EQ(RefusedOpen(Name("nodir/X")), kIsamPathNotFound);
  EXPECT_ISAM(FileblockCreate(Name("nodir/X"), 30, {}), kIsamPathNotFound);
  FileblockCreate(Name("T"), 30, std::vector<KeySpec>{{5, 0}});
  std::filesystem::remove(Name("T") + ".IX");
  EXPECT_EQ(RefusedOpen(Name("T")), kIsamIndexUnusable);
}

TEST_F(FileblockTest, MarkerIsSetAtTheFirstChangeAndClearedByFlushAndExit) {
  FileblockHandle h = CreateOpen("T", 30, {{5, 0}});
  // An open fileblock is held exclusively: another opener meets a lock conflict.
  EXPECT_EQ(RefusedOpen(Name("T")), kIsamOpenLockRefused);
  EXPECT_EQ(Isam().FirstOsError, 32u);
  EXPECT_ISAM(FileblockDelete(Name("T")), kIsamOsFailure);
  auto marker = [&] { return ReadFile(Name("T") + ".DAT")[20]; };
  EXPECT_EQ(marker(), 0);
  FileblockAddRecord(h, rec_.data());
  EXPECT_EQ(marker(), 1);
  FileblockFlush(h);
  EXPECT_EQ(marker(), 0);
  FileblockAddKey(h, 1, 1, KeyStr("K"));
  EXPECT_EQ(marker(), 1);
  EXPECT_TRUE(AddMany(h, 99));
  EXPECT_ISAM(EngineExit(), 0);  // closes everything and writes it back
  EXPECT_FALSE(EngineStarted());
  const CheckReport report = IsamCheck(Name("T"));
  EXPECT_EQ(report.Text(), "");
  EXPECT_EQ(report.used_records, 100);
}

TEST_F(FileblockTest, FailedWriteBackOrFlushLeavesTheMarkerForTheNextOpen) {
  FileblockHandle h = CreateOpen("W", 30, {{9, 0}});
  AddMany(h, 500);
  FileFaultPlan plan{{}, {.fail_at = 1, .error = platform::kErrorGenFailure}, {}, {}};  // a flush
  WithFaults(plan, [&] {
    EXPECT_ISAM(FileblockFlush(h), kIsamOsFailure);
    EXPECT_EQ(Isam().FirstPrimitive, kPrimFlush);
  });
  EXPECT_EQ(ReadFile(Name("W") + ".DAT")[20], 1);
  plan = {.write = {.fail_at = 1, .sticky = true}, .flush = {}, .lock = {}, .read = {}};
  WithFaults(plan, [&] {  // the disk is full
    FileblockAddRecord(h, rec_.data());
    EXPECT_ISAM(FileblockFlush(h), kIsamShortWrite);
    EXPECT_ISAM(FileblockClose(h), kIsamShortWrite);
  });
  EXPECT_EQ(RefusedOpen(Name("W")), kIsamIndexUnusable);
}

// A close after no change since the last write-back writes nothing: the files keep the version by
// which their next opener tells whether anybody wrote them meanwhile. A time of modification
// within the file system's step of time of now cannot vouch for the version.
TEST_F(FileblockTest, ACloseWithoutChangesKeepsTheFilesVersion) {
  FileblockHandle h = CreateOpen("V", 30, {{9, 0}});
  EXPECT_TRUE(AddMany(h, 10));
  FileblockClose(h);
  const FilesWritten closed = FileblockFilesWritten(Name("V"));
  h = Reopen(nullptr, "V");
  RecRef ref = 0;
  EXPECT_ISAM(FileblockFindKey(h, 1, Num(3), ref), 0);
  FileFaultPlan counter;  // counts writes, fails none
  WithFaults(counter, [&] { EXPECT_ISAM(FileblockClose(h), 0); });
  EXPECT_EQ(counter.write.calls, 0u);
  EXPECT_TRUE(FileblockFilesWritten(Name("V")).SameVersions(closed));
  h = Reopen(nullptr, "V");
  EXPECT_ISAM(FileblockAddRecord(h, rec_.data()), 0);
  FileblockClose(h);
  EXPECT_FALSE(FileblockFilesWritten(Name("V")).SameVersions(closed));

  using Clock = std::filesystem::file_time_type::clock;
  const auto second = std::chrono::floor<std::chrono::seconds>(Clock::now());
  const std::pair<Clock::time_point, bool> times[] = {{Clock::now() - std::chrono::hours(1), true},
                                                      {Clock::now() + std::chrono::minutes(1), false},
                                                      {second, false}};
  for (const auto& [time, settled] : times) {
    for (const char* extension : {".DAT", ".IX"}) {
      std::filesystem::last_write_time(Name("V") + extension, time);
    }
    EXPECT_EQ(FileblockFilesWritten(Name("V")).settled, settled);
  }
}

constexpr int kLength = 32;

class RecordTest : public EngineTest {
 protected:
  void SetUp() override { h_ = CreateOpen("R", kLength, {}); }

  RecRef Add(std::uint8_t fill) {
    const RecRef ref = FileblockAddRecord(h_, Record(kLength, fill).data());
    EXPECT_EQ(Err(), 0);
    return ref;
  }
  std::int32_t Head(RecRef ref) {
    std::uint8_t head[4];
    FileblockRecordHead(h_, ref, head);
    return common::ReadLeInt32(head);
  }
  void PatchData(std::int64_t offset, std::int32_t value) {
    FileblockClose(h_);
    PatchFile(Name("R") + ".DAT", offset, value);
    h_ = Reopen(nullptr, "R");
  }

  FileblockHandle h_ = nullptr;
};

TEST_F(RecordTest, DeletedRecordsAreReusedLastFirstPutRewritesInPlaceAndReferencesAreChecked) {
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(Add(static_cast<std::uint8_t>(i)), i);
  FileblockDeleteRecord(h_, 3);
  FileblockDeleteRecord(h_, 5);
  EXPECT_EQ(FileblockUsedRecs(h_), 4);
  EXPECT_EQ(FileblockRecordSlots(h_), 7);
  EXPECT_EQ(Head(5), 3);  // the free chain runs 5 -> 3 -> end
  EXPECT_EQ(Head(3), -1);
  EXPECT_EQ(Add(50), 5);
  EXPECT_EQ(Add(30), 3);
  EXPECT_EQ(Add(70), 7);
  EXPECT_ISAM(FileblockPutRecord(h_, 2, Record(kLength, 9).data()), 0);
  Bytes got(kLength);
  for (const auto& [ref, fill] : {std::pair{1, 1}, {2, 9}, {3, 30}, {4, 4}, {5, 50}}) {
    FileblockGetRecord(h_, ref, got.data());
    EXPECT_EQ(got, Record(kLength, static_cast<std::uint8_t>(fill))) << ref;
  }
  EXPECT_EQ(Check(h_, "R"), "");
  Bytes buf(kLength, 0);  // reference checks are the same for get, put, head and delete
  for (const auto& [ref, error] : {std::pair{0, kIsamRefZero},
                                   {-1, kIsamRefRange},
                                   {8, kIsamRefRange},
                                   {0x7FFFFFFF, kIsamRefRange}}) {
    EXPECT_ISAM(FileblockGetRecord(h_, ref, buf.data()), error);
    EXPECT_ISAM(FileblockPutRecord(h_, ref, buf.data()), error);
    EXPECT_ISAM(Head(ref), error);
    EXPECT_ISAM(FileblockDeleteRecord(h_, ref), error == kIsamRefZero ? kIsamRefRange : error);
  }
  FileblockFlush(h_);
  EXPECT_EQ(std::filesystem::file_size(Name("R") + ".DAT"), 8u * kLength);  // nothing beyond
}

struct ChainCase {
  const char* name;
  std::int64_t offset;  // where the damaged link is written
  std::int32_t link;
  int open_error;  // a damaged data header is refused by the open already
};

class DamagedFreeChain : public RecordTest, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(DamagedFreeChain, StopsTheAddWith10170OrTheOpenWith10010) {
  for (int i = 0; i < 4; ++i) Add(1);
  FileblockDeleteRecord(h_, 2);
  FileblockClose(h_);
  PatchFile(Name("R") + ".DAT", GetParam().offset, GetParam().link);
  h_ = FileblockOpen(Name("R"));
  EXPECT_EQ(Err(), GetParam().open_error);
  if (h_ == nullptr) return;
  EXPECT_ISAM(FileblockAddRecord(h_, Record(kLength, 5).data()), kIsamFreeChainBad);
  EXPECT_EQ(FileblockUsedRecs(h_), 3);
}

// The data header's first free record is at offset 0; record 2's link at 2 x 32.
const ChainCase kChains[] = {{"HeadZero", 0, 0, kIsamIndexUnusable},
                             {"HeadBeyondSlots", 0, 9, kIsamIndexUnusable},
                             {"LinkZero", 2 * kLength, 0, 0},
                             {"LinkBeyondSlots", 2 * kLength, 5, 0},
                             {"LinkToItself", 2 * kLength, 2, 0}};
INSTANTIATE_TEST_SUITE_P(Links, DamagedFreeChain, ::testing::ValuesIn(kChains), RowName);

TEST_F(RecordTest, ASecondDeleteIsRefusedWhereverTheRecordLiesOnTheFreeChain) {
  for (int i = 1; i <= 6; ++i) Add(1);
  for (RecRef r : {3, 5, 1}) FileblockDeleteRecord(h_, r);  // the chain runs 1 -> 5 -> 3
  for (RecRef r : {1, 5, 3}) EXPECT_ISAM(FileblockDeleteRecord(h_, r), kIsamRefRange) << r;
  EXPECT_EQ(Add(2), 1);
  EXPECT_EQ(Add(2), 5);
  EXPECT_EQ(Add(2), 3);
  EXPECT_EQ(Add(2), 7);
  EXPECT_EQ(Check(h_, "R"), "");
}

TEST_F(RecordTest, FailedWriteGivesTheSlotBack) {
  Add(1);
  FileFaultPlan plan{.write = {.fail_at = 1}, .flush = {}, .lock = {}, .read = {}};
  WithFaults(plan, [&] {
    EXPECT_EQ(FileblockAddRecord(h_, Record(kLength, 2).data()), 0);
    EXPECT_EQ(Err(), kIsamShortWrite);  // the disk is full
    EXPECT_EQ(Isam().FirstPrimitive, 0x4000);
    EXPECT_EQ(Isam().FirstOsError, 112u);
  });
  EXPECT_EQ(FileblockUsedRecs(h_), 1);
  EXPECT_EQ(Add(2), 2);
  FileblockDeleteRecord(h_, 1);
  plan = {.write = {.fail_at = 1, .short_write = true}, .flush = {}, .lock = {}, .read = {}};
  WithFaults(plan, [&] {
    EXPECT_EQ(FileblockAddRecord(h_, Record(kLength, 3).data()), 0);
    EXPECT_EQ(Err(), kIsamShortWrite);
  });
  EXPECT_EQ(Add(3), 1);  // the free record is still at the head of the chain
  EXPECT_EQ(Check(h_, "R"), "");
}

TEST_F(RecordTest, SlotCountAtTheLimitGivesAnErrorInsteadOfWrapping) {
  PatchData(8, 0x7FFFFFFF);  // slots
  EXPECT_EQ(FileblockAddRecord(h_, Record(kLength, 1).data()), 0);
  EXPECT_EQ(Err(), kIsamShortWrite);
  // The highest reference lies at 2^31 x 32 bytes: a 64-bit offset, read as a short read.
  Bytes buf(kLength);
  EXPECT_ISAM(FileblockGetRecord(h_, 0x7FFFFFFF, buf.data()), kIsamShortRead);
}

}  // namespace
}  // namespace storage::testing
