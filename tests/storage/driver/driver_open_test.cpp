// Opening a driver: argument checks, creating missing files, rebuilding unusable indexes, the
// ".ALT" repair, the open-file budget, the list of open drivers, and start and stop.
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>

#include "storage/driver/driver_errors.h"
#include "storage/driver/rebuild_progress.h"
#include "tests/storage/driver/driver_fixture.h"

namespace storage_test {
namespace {

namespace fs = std::filesystem;
using P = storage::DriverOpenParams;

// The parameters of "PXLK" are changed by `params`, or key 1 is defined and `then` called.
struct ArgRow {
  const char* name;
  void (*params)(P&);
  bool (*then)(IFDriver&);
  int error;
};

class OpenArgumentTest : public DriverTest, public ::testing::WithParamInterface<ArgRow> {};

TEST_P(OpenArgumentTest, RefusedWithItsNumber) {
  const ArgRow& row = GetParam();
  auto first = OpenTest("PXKK");
  P p = Params("PXLK");
  if (row.params) row.params(p);
  IFDriver d;
  EXPECT_EQ(
      Raised([&] { return d.Open(p) && d.DefineKey(1, 5, false) && (!row.then || row.then(d)); }),
      row.error);
  // A refused open leaves no driver behind.
  EXPECT_EQ(storage::FindOpenDriver("PXLK"), d.IsValid() ? &d : nullptr);
}

const ArgRow kArgs[] = {
    {"EmptyName", [](P& p) { p.name.clear(); }, nullptr, 28761},
    {"SameNameOpen", [](P& p) { p.name = "pxkk"; }, nullptr, 28728},
    {"NoPath", [](P& p) { p.path.clear(); }, nullptr, 28677},
    {"PathOnlyExtension", [](P& p) { p.path = ".DAT"; }, nullptr, 28677},
    {"RecordLength20", [](P& p) { p.record_length = p.buffer_length = 20; }, nullptr, 28682},
    // Beyond what a file holds: refused before any buffer is sized for it.
    {"RecordLength65536", [](P& p) { p.record_length = p.buffer_length = 65536; }, nullptr, 28682},
    {"RecordLengthHighest",
     [](P& p) { p.record_length = p.buffer_length = std::numeric_limits<int>::max(); }, nullptr,
     28682},
    {"VariableBufferHighest",
     [](P& p) {
       p.variable = true;
       p.buffer_length = std::numeric_limits<int>::max();
     },
     nullptr, 28682},
    {"Keys111", [](P& p) { p.key_count = 111; }, nullptr, 28683},
    {"KeysWithoutBuilder", [](P& p) { p.key_builder = nullptr; }, nullptr, 28727},
    {"VariableMinimumNotBelowBuffer", [](P& p) { p.variable = true; }, nullptr, 28754},
    {"FixedLengthDiffersFromBuffer", [](P& p) { p.buffer_length = 41; }, nullptr, 28718},
    {"KeyNumberAboveCount", nullptr, [](IFDriver& d) { return d.DefineKey(4, 5, false); }, 28709},
    {"KeyLength0", nullptr, [](IFDriver& d) { return d.DefineKey(2, 0, false); }, 28717},
    {"KeyLength51", nullptr, [](IFDriver& d) { return d.DefineKey(2, 51, false); }, 28685},
    {"AutoKeyOnUndefinedKey", nullptr, [](IFDriver& d) { return d.SetAutoKeyField(2, 4); }, 28721},
    {"AutoKeyOutsideBuffer", nullptr, [](IFDriver& d) { return d.SetAutoKeyField(1, 40); }, 28711},
    {"AutoKeyPastBufferEnd", nullptr, [](IFDriver& d) { return d.SetAutoKeyField(1, 38); }, 28711},
    // The check must not overflow on its way to the buffer's end.
    {"AutoKeyNearTheHighestOffset", nullptr,
     [](IFDriver& d) { return d.SetAutoKeyField(1, 2147483645); }, 28711},
    {"AutoKeyNotAtKeyEnd", nullptr, [](IFDriver& d) { return d.SetAutoKeyField(1, 8); }, 28726},
    {"KeyUndefinedAtFirstUse", nullptr, [](IFDriver& d) { return d.FirstRecord(1); }, 28710},
    {"DestroyedDriver", nullptr, [](IFDriver& d) { return d.Destroy(), d.FirstRecord(1); }, 24607},
};
INSTANTIATE_TEST_SUITE_P(Checks, OpenArgumentTest, ::testing::ValuesIn(kArgs), RowName);

TEST_F(DriverTest, MissingFilesAreCreatedThroughReason6UnlessDeclinedOrNotWanted) {
  auto d = OpenTest("PXLK");
  for (int i = 0; i < 40; ++i) ASSERT_EQ(d->RecordBuffer()[i], 0) << "the AUTOKEY check left " << i;
  EXPECT_FALSE(fs::exists(folder_ / "PXLK.DAT"));
  EXPECT_FALSE(d->FirstRecord(0));  // opens and creates; the file is empty
  EXPECT_EQ(FirstError(), 12357);
  EXPECT_EQ(questions, std::vector<int>{6});
  EXPECT_TRUE(fs::exists(folder_ / "PXLK.DAT") && fs::exists(folder_ / "PXLK.IX"));
  Add(*d, "DL1ABC");
  EXPECT_EQ(Check(), "");
  system_->SetDefaultRetryProc([](std::string_view, int) { return false; });
  auto declined = OpenTest("PXKK");
  EXPECT_FALSE(declined->Mark());
  EXPECT_EQ(FirstError(), 12328);
  P p = Params("PXKZ");
  p.create_when_missing = false;
  p.key_count = 0;
  IFDriver e;
  ASSERT_TRUE(e.Open(p));
  EXPECT_FALSE(e.Mark());
  EXPECT_EQ(FirstError(), 12323);
  // PXLK's files and the dialog file of its creation, which carries the rebuild lock; nothing of
  // the two logs that were not created.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), {}), 3);
}

class RecordingObserver : public storage::RebuildProgressObserver {
 public:
  std::vector<std::pair<int, std::int32_t>> calls;
  void RebuildProgress(std::string_view file_name, int phase, std::int32_t count) override {
    EXPECT_EQ(file_name, "PXLK");
    calls.push_back({phase, count});
  }
};

// PXLK holds DL1AAA and DL2BBB.
class RebuildOnOpenTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    auto d = OpenTest("PXLK");
    Add(*d, "DL1AAA");
    Add(*d, "DL2BBB");
    questions.clear();
  }
  // Writes a non-zero byte at `offset` of the file, or deletes the file for offset -1.
  void Damage(const std::string& file, int offset) {
    if (offset < 0) return void(fs::remove(folder_ / file));
    std::fstream(folder_ / file, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(offset)
        .put(0x7F);
  }
};

struct RebuildRow {
  const char* name;
  const char* file;  // damaged at `offset` (see Damage), or nullptr
  int offset;
  int keys, call_length;
  bool key1_duplicates;
};

class RebuildRowTest : public RebuildOnOpenTest,
                       public ::testing::WithParamInterface<RebuildRow> {};

TEST_P(RebuildRowTest, RebuiltThroughReason5WithItsProgressReported) {
  const RebuildRow& row = GetParam();
  if (row.file != nullptr) Damage(row.file, row.offset);
  P p = Params("PXLK");
  p.key_count = row.keys;
  IFDriver d;
  ASSERT_TRUE(d.Open(p) && d.DefineKey(1, 5, row.key1_duplicates) &&
              d.DefineKey(2, row.call_length, true) && (row.keys < 3 || d.DefineKey(3, 8, false)));
  RecordingObserver observer;
  d.SetRebuildProc(&observer);
  EXPECT_TRUE(d.FindRecord(2, "DL2BBB"));
  EXPECT_EQ(engine_->calls["Rebuild"], 1);
  EXPECT_EQ(questions, std::vector<int>{5});
  EXPECT_EQ(d.UsedKeys(2), 2);
  using Step = std::pair<int, std::int32_t>;
  ASSERT_GE(observer.calls.size(), 3u);
  EXPECT_EQ(observer.calls.front(), Step(0, 0));
  EXPECT_EQ(observer.calls[observer.calls.size() - 2], Step(1, 2));
  EXPECT_EQ(observer.calls.back(), Step(2, 0));
  EXPECT_EQ(Check(), "");
}

const RebuildRow kRebuilds[] = {
    {"Marker10010", "PXLK.DAT", 20, 3, 10, false},
    {"NoIndex10010", "PXLK.IX", -1, 3, 10, false},
    {"KeyHeader10120", "PXLK.IX", 19, 3, 10, false},
    {"KeyLength24653", nullptr, 0, 3, 12, false},
    {"Duplicates24653", nullptr, 0, 3, 10, true},
    {"KeyCount24653", nullptr, 0, 2, 10, false},
    {"FreeCountBeyondSlots10010", "PXLK.DAT", 4, 3, 10, false},
};
INSTANTIATE_TEST_SUITE_P(Damage, RebuildRowTest, ::testing::ValuesIn(kRebuilds), RowName);

TEST_F(RebuildOnOpenTest, RecordLengthDifferenceAndRebuildDeclinedAreSerious) {
  P p = Params("PXLK");
  p.record_length = p.buffer_length = 44;
  IFDriver l;
  ASSERT_TRUE(l.Open(p) && l.DefineKey(1, 5, false) && l.DefineKey(2, 10, true) &&
              l.DefineKey(3, 8, false));
  const int closes = engine_->calls["Close"];
  EXPECT_EQ(Raised([&] { l.Mark(); }), 24591);
  EXPECT_FALSE(l.FilesOpen());  // and the file is closed
  EXPECT_EQ(engine_->calls["Close"], closes + 1);
  Damage("PXLK.DAT", 20);
  system_->SetDefaultRetryProc([](std::string_view, int) { return false; });
  auto d = OpenTest("PXLK2", false, "PXLK");
  EXPECT_EQ(Raised([&] { d->Mark(); }), 10010);
  EXPECT_EQ(storage::DriverErrorClass(), 4);
  EXPECT_EQ(engine_->calls["Rebuild"], 0);
}

TEST_F(RebuildOnOpenTest, AnEmptyDataFileIsReplacedByItsAltCopyAndReindexed) {
  fs::copy_file(folder_ / "PXLK.DAT", folder_ / "PXLK.ALT");
  OpenTest("PXLK");  // a data file with contents is left alone
  EXPECT_TRUE(fs::exists(folder_ / "PXLK.ALT"));
  fs::resize_file(folder_ / "PXLK.DAT", 0);
  auto d = OpenTest("PXLK");
  EXPECT_FALSE(fs::exists(folder_ / "PXLK.ALT") || fs::exists(folder_ / "PXLK.IX"));
  ASSERT_TRUE(d->FindRecord(2, "DL2BBB"));
  EXPECT_EQ(questions, std::vector<int>{5});
  EXPECT_EQ(d->UsedRecs(), 2);
  EXPECT_EQ(Check(), "");
}

TEST_F(DriverTest, PathGetsTheStartFolderUnlessAbsolute) {
  system_->SetStartFolder("/data/");
  const std::pair<std::string, std::string> rows[] = {{"PXKK", "/data/PXKK"},
                                                      {"PXKK.DAT", "/data/PXKK"},
                                                      {"sub\\PXKK", "/data/sub/PXKK"},
                                                      {"/abs/PXKK", "/abs/PXKK"},
                                                      {"C:\\x\\PXKK", "C:/x/PXKK"}};
  int i = 0;
  for (const auto& [given, expected] : rows) {
    IFDriver d;
    ASSERT_TRUE(d.Open(Params("N" + std::to_string(i++), false, given)));
    EXPECT_EQ(d.FilePath(), expected) << given;
  }
}

TEST_F(DriverTest, FindOpenDriverComparesNormalisedFortyCharacters) {
  const std::string name = "pelorin_contest_log_of_the_weekend_x1234_tail";  // 45 characters
  IFDriver d;
  ASSERT_TRUE(d.Open(Params(name)));
  EXPECT_EQ(d.FileName(), "PELORIN_CONTEST_LOG_OF_THE_WEEKEND_X1234");
  EXPECT_EQ(storage::FindOpenDriver("PELORIN_CONTEST_LOG_OF_THE_WEEKEND_X1234_other"), &d);
  EXPECT_EQ(storage::FindOpenDriver("PXKK"), nullptr);
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_EQ(FirstError(), 12364);
  d.Destroy();
  EXPECT_EQ(storage::FindOpenDriver(name), nullptr);
}

TEST_F(DriverTest, StartAndStop) {
  EXPECT_FALSE(storage::StartDriverSystem(2, 160, 32));
  EXPECT_EQ(FirstError(), 28744);
  auto d = OpenTest("PXKK");
  ASSERT_TRUE(d->Mark());
  try {
    storage::StopDriverSystem();
    FAIL() << "no EDBError";
  } catch (const storage::EDBError& e) {
    EXPECT_STREQ(e.what(), "Datenbankfehler 5(52) PXKK");
  }
  EXPECT_TRUE(storage::DriverSystemActive());
  system_->SetQuietStop(true);
  EXPECT_EQ(storage::StopDriverSystem(), "PXKK");
  EXPECT_FALSE(storage::DriverSystemActive());
  EXPECT_FALSE(d->FilesOpen());
  IFDriver late;
  EXPECT_EQ(Raised([&] { late.Open(Params("PXLK")); }), 28675);
}

struct StartRow {
  const char* name;
  const char* version;  // of the engine; "" its own
  int init_error, mode, files, error;
};

class StartTest : public DriverTest, public ::testing::WithParamInterface<StartRow> {};

TEST_P(StartTest, RefusedWithItsNumber) {
  const StartRow& row = GetParam();
  ASSERT_EQ(storage::StopDriverSystem(), "");
  engine_->version = row.version;
  engine_->inject = [&](const std::string& op) { return op == "Init" ? row.init_error : 0; };
  EXPECT_FALSE(storage::StartDriverSystem(row.mode, 160, row.files));
  EXPECT_EQ(FirstError(), row.error);
  EXPECT_FALSE(storage::DriverSystemActive());
}

const StartRow kStarts[] = {
    {"WrongEngineVersion", "05.52", 0, 2, 32, 28725},
    {"SixFiles", "", 0, 2, 6, 28698},
    {"NetworkMode1", "", 0, 1, 32, 24603},
    {"EngineFails", "", 10451, 2, 32, 24604},
};
INSTANTIATE_TEST_SUITE_P(Checks, StartTest, ::testing::ValuesIn(kStarts), RowName);

TEST_F(DriverTest, EraseIsRefusedWhileAFileIsLocked) {
  auto shared = OpenTest("SHARED", true);
  auto d = OpenTest("PXKK");
  Add(*d, "DL1AAA");
  ASSERT_TRUE(shared->LockFile());
  EXPECT_FALSE(d->EraseFiles());
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  ASSERT_TRUE(shared->UnlockFile());
  EXPECT_TRUE(d->EraseFiles());
  EXPECT_FALSE(fs::exists(folder_ / "PXKK.DAT"));
}

// The open-file budget: 31 files; keyless drivers need one, keyed ones two, shared three.
class BudgetTest : public DriverTest {
 protected:
  IFDriver& Use(const std::string& name, bool shared = false, bool keys = true) {
    auto& d = drivers[name];
    if (d == nullptr) {
      P p = Params(name, shared);
      p.key_count = keys ? 3 : 0;
      d = std::make_unique<IFDriver>();
      EXPECT_TRUE(keys ? OpenTestFile(*d, p) : d->Open(p));
    }
    EXPECT_TRUE(d->Mark());
    return *d;
  }
  bool IsOpen(const std::string& name) { return drivers.at(name)->FilesOpen(); }
  std::map<std::string, std::unique_ptr<IFDriver>> drivers;
};

TEST_F(BudgetTest, ClosesTheLeastRecentlyUsedUnlockedDriverWhichReopensWithItsRecord) {
  Use("K0", false, false);
  IFDriver& first = Use("D1");
  Add(first, "DL1AAA");
  Add(first, "DL2BBB");
  ASSERT_TRUE(first.FindRecord(2, "DL1AAA"));
  const std::int32_t ref = first.CurrentRef();
  for (int i = 2; i <= 15; ++i) Use("D" + std::to_string(i));  // 31 files in use
  Use("K0", false, false);  // K0 becomes the most recently used; D1 the least
  const int closes = engine_->calls["Close"];
  Use("NEW");
  EXPECT_EQ(engine_->calls["Close"] - closes, 1);
  EXPECT_FALSE(IsOpen("D1"));
  EXPECT_TRUE(IsOpen("D2") && IsOpen("K0"));
  EXPECT_EQ(system_->Ring()->FilesInUse(), 31);
  EXPECT_EQ(first.CurrentRef(), ref);
  EXPECT_TRUE(first.NextRecord(2));
  EXPECT_EQ(Rec(first).call, "DL2BBB");
  EXPECT_TRUE(first.FilesOpen());
}

TEST_F(BudgetTest, SmallDriversAreClosedUntilTheShortageIsCovered) {
  Use("K0", false, false);
  Use("K1", false, false);
  for (int i = 1; i <= 14; ++i) Use("D" + std::to_string(i));  // 2 + 28 = 30 files
  Use("S", true);                                              // 3 files: 33 > 31
  EXPECT_FALSE(IsOpen("K0") || IsOpen("K1"));
  EXPECT_TRUE(IsOpen("D1"));
  EXPECT_EQ(system_->Ring()->FilesInUse(), 31);
}

TEST_F(BudgetTest, SharedDriversHoldingLocksAreNeverClosed) {
  for (int i = 1; i <= 10; ++i) ASSERT_TRUE(Use("S" + std::to_string(i), true).LockFile());
  const int closes = engine_->calls["Close"];
  auto extra = OpenTest("EXTRA", true);
  EXPECT_EQ(Raised([&] { extra->Mark(); }), 24606);
  EXPECT_EQ(engine_->calls["Close"], closes);
  for (auto& [name, d] : drivers) EXPECT_TRUE(d->FilesOpen()) << name;
}

}  // namespace
}  // namespace storage_test
