// Opening a driver: argument checks, creating missing files, rebuilding unusable indexes, the
// ".ALT" repair, the open-file budget, the list of open drivers, and start and stop.
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "driver_fixture.h"
#include "storage/driver_errors.h"
#include "storage/rebuild_progress.h"

namespace storage_test {
namespace {

namespace fs = std::filesystem;
using storage::DriverOpenParams;

// Each row opens "PXLK" into the driver, possibly defines keys, and is refused with its number.
using P = DriverOpenParams;
struct ArgRow {
  const char* name;
  std::function<bool(IFDriver&, P&)> call;
  int error;
};

// Opens with the test parameters and defines key 1.
bool Keyed(IFDriver& d, P& p) { return d.Open(p) && d.DefineKey(1, 5, false); }

class OpenArgumentTest : public DriverTest, public ::testing::WithParamInterface<ArgRow> {};

TEST_P(OpenArgumentTest, RefusedWithItsNumber) {
  auto first = OpenTest("PXKK");
  P p = Params("PXLK");
  IFDriver d;
  EXPECT_THROW(GetParam().call(d, p), storage::EDBError);
  EXPECT_EQ(FirstError(), GetParam().error);
  // A refused open leaves no driver behind.
  EXPECT_EQ(storage::FindOpenDriver("PXLK"), d.IsValid() ? &d : nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, OpenArgumentTest,
    ::testing::Values(
        ArgRow{"EmptyName", [](IFDriver& d, P& p) { return p.name.clear(), d.Open(p); }, 28761},
        ArgRow{"SameNameOpen", [](IFDriver& d, P& p) { return p.name = "pxkk", d.Open(p); }, 28728},
        ArgRow{"NoPath", [](IFDriver& d, P& p) { return p.path.clear(), d.Open(p); }, 28677},
        ArgRow{"PathOnlyExtension", [](IFDriver& d, P& p) { return p.path = ".DAT", d.Open(p); },
               28677},
        ArgRow{"RecordLength20",
               [](IFDriver& d, P& p) { return p.record_length = p.buffer_length = 20, d.Open(p); },
               28682},
        ArgRow{"Keys111", [](IFDriver& d, P& p) { return p.key_count = 111, d.Open(p); }, 28683},
        ArgRow{"KeysWithoutBuilder",
               [](IFDriver& d, P& p) { return p.key_builder = nullptr, d.Open(p); }, 28727},
        ArgRow{"VariableMinimumNotBelowBuffer",
               [](IFDriver& d, P& p) { return p.variable = true, d.Open(p); }, 28754},
        ArgRow{"FixedLengthDiffersFromBuffer",
               [](IFDriver& d, P& p) { return p.buffer_length = 41, d.Open(p); }, 28718},
        ArgRow{"KeyNumberAboveCount",
               [](IFDriver& d, P& p) { return Keyed(d, p) && d.DefineKey(4, 5, false); }, 28709},
        ArgRow{"KeyLength0",
               [](IFDriver& d, P& p) { return Keyed(d, p) && d.DefineKey(2, 0, false); }, 28717},
        ArgRow{"KeyLength51",
               [](IFDriver& d, P& p) { return Keyed(d, p) && d.DefineKey(2, 51, false); }, 28685},
        ArgRow{"AutoKeyOnUndefinedKey",
               [](IFDriver& d, P& p) { return Keyed(d, p) && d.SetAutoKeyField(2, 4); }, 28721},
        ArgRow{"AutoKeyOutsideBuffer",
               [](IFDriver& d, P& p) { return Keyed(d, p) && d.SetAutoKeyField(1, 40); }, 28711},
        ArgRow{"AutoKeyFieldCrossesBufferEnd",
               [](IFDriver& d, P& p) { return Keyed(d, p) && d.SetAutoKeyField(1, 38); }, 28711},
        ArgRow{"AutoKeyNotAtKeyEnd",
               [](IFDriver& d, P& p) { return Keyed(d, p) && d.SetAutoKeyField(1, 8); }, 28726},
        ArgRow{"KeyUndefinedAtFirstUse",
               [](IFDriver& d, P& p) { return Keyed(d, p) && d.FirstRecord(1); }, 28710},
        ArgRow{"DestroyedDriver",
               [](IFDriver& d, P& p) { return Keyed(d, p) && (d.Destroy(), d.FirstRecord(1)); },
               24607}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DriverTest, MissingFilesAreCreatedThroughReason6) {
  auto d = OpenTest("PXLK");
  for (int i = 0; i < 40; ++i) ASSERT_EQ(d->RecordBuffer()[i], 0) << "the AUTOKEY check left " << i;
  EXPECT_FALSE(fs::exists(folder_ / "PXLK.DAT"));
  EXPECT_FALSE(d->FirstRecord(0));  // opens and creates; the file is empty
  EXPECT_EQ(FirstError(), 12357);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].reason, 6);
  EXPECT_TRUE(fs::exists(folder_ / "PXLK.DAT") && fs::exists(folder_ / "PXLK.IX"));
  Add(*d, "DL1ABC");
  EXPECT_EQ(Check(), "");
}

TEST_F(DriverTest, MissingFileDeclinedOrNotToBeCreated) {
  system_->SetDefaultRetryProc([](std::string_view, int) { return false; });
  auto d = OpenTest("PXKK");
  EXPECT_FALSE(d->Mark());
  EXPECT_EQ(FirstError(), 12328);
  DriverOpenParams p = Params("PXKZ");
  p.create_when_missing = false;
  p.key_count = 0;
  IFDriver e;
  ASSERT_TRUE(e.Open(p));
  EXPECT_FALSE(e.Mark());
  EXPECT_EQ(FirstError(), 12323);
  EXPECT_TRUE(fs::is_empty(folder_.path()));
}

class RecordingObserver : public storage::RebuildProgressObserver {
 public:
  std::vector<std::pair<int, std::int32_t>> calls;
  void RebuildProgress(std::string_view file_name, int phase, std::int32_t count) override {
    EXPECT_EQ(file_name, "PXLK");
    calls.push_back({phase, count});
  }
};

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
    if (offset < 0) {
      fs::remove(folder_ / file);
      return;
    }
    std::fstream f(folder_ / file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(offset);
    f.put(0x7F);
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
  DriverOpenParams p = Params("PXLK");
  p.key_count = row.keys;
  IFDriver d;
  ASSERT_TRUE(d.Open(p) && d.DefineKey(1, 5, row.key1_duplicates) &&
              d.DefineKey(2, row.call_length, true) && (row.keys < 3 || d.DefineKey(3, 8, false)));
  RecordingObserver observer;
  d.SetRebuildProc(&observer);
  EXPECT_TRUE(d.FindRecord(2, "DL2BBB"));
  EXPECT_EQ(engine_->calls["Rebuild"], 1);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].reason, 5);
  EXPECT_EQ(d.UsedKeys(2), 2);
  using P = std::pair<int, std::int32_t>;
  ASSERT_GE(observer.calls.size(), 3u);
  EXPECT_EQ(observer.calls.front(), P(0, 0));
  EXPECT_EQ(observer.calls[observer.calls.size() - 2], P(1, 2));
  EXPECT_EQ(observer.calls.back(), P(2, 0));
  EXPECT_EQ(Check(), "");
}

INSTANTIATE_TEST_SUITE_P(Damage, RebuildRowTest,
                         ::testing::Values(RebuildRow{"Marker10010", "PXLK.DAT", 20, 3, 10, false},
                                           RebuildRow{"NoIndex10010", "PXLK.IX", -1, 3, 10, false},
                                           RebuildRow{"KeyHeader10120", "PXLK.IX", 19, 3, 10,
                                                      false},
                                           RebuildRow{"KeyLength24653", nullptr, 0, 3, 12, false},
                                           RebuildRow{"Duplicates24653", nullptr, 0, 3, 10, true},
                                           RebuildRow{"KeyCount24653", nullptr, 0, 2, 10, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RebuildOnOpenTest, RebuildDeclinedIsSerious) {
  Damage("PXLK.DAT", 20);
  system_->SetDefaultRetryProc([](std::string_view, int) { return false; });
  auto d = OpenTest("PXLK");
  EXPECT_THROW(d->Mark(), storage::EDBError);
  EXPECT_EQ(FirstError(), 10010);
  EXPECT_EQ(storage::DriverErrorClass(), 4);
  EXPECT_EQ(engine_->calls["Rebuild"], 0);
}

TEST_F(RebuildOnOpenTest, RecordLengthDifferenceIsSeriousAndClosesTheFile) {
  DriverOpenParams p = Params("PXLK");
  p.record_length = p.buffer_length = 44;
  IFDriver d;
  ASSERT_TRUE(d.Open(p) && d.DefineKey(1, 5, false) && d.DefineKey(2, 10, true) &&
              d.DefineKey(3, 8, false));
  const int closes = engine_->calls["Close"];
  EXPECT_THROW(d.Mark(), storage::EDBError);
  EXPECT_EQ(FirstError(), 24591);
  EXPECT_FALSE(d.FilesOpen());
  EXPECT_EQ(engine_->calls["Close"], closes + 1);
}

TEST_F(RebuildOnOpenTest, AnEmptyDataFileIsReplacedByItsAltCopyAndReindexed) {
  fs::copy_file(folder_ / "PXLK.DAT", folder_ / "PXLK.ALT");
  OpenTest("PXLK");  // a data file with contents is left alone
  EXPECT_TRUE(fs::exists(folder_ / "PXLK.ALT"));
  fs::resize_file(folder_ / "PXLK.DAT", 0);
  auto d = OpenTest("PXLK");
  EXPECT_FALSE(fs::exists(folder_ / "PXLK.ALT"));
  EXPECT_FALSE(fs::exists(folder_ / "PXLK.IX"));
  ASSERT_TRUE(d->FindRecord(2, "DL2BBB"));
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].reason, 5);
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
  EXPECT_THROW(late.Open(Params("PXLK")), storage::EDBError);
  EXPECT_EQ(FirstError(), 28675);
}

struct StartRow {
  const char* name;
  std::function<void(FaultEngine&)> prepare;
  int mode, files, error;
};

class StartTest : public DriverTest, public ::testing::WithParamInterface<StartRow> {};

TEST_P(StartTest, RefusedWithItsNumber) {
  ASSERT_EQ(storage::StopDriverSystem(), "");
  GetParam().prepare(*engine_);
  EXPECT_FALSE(storage::StartDriverSystem(GetParam().mode, 160, GetParam().files));
  EXPECT_EQ(FirstError(), GetParam().error);
  EXPECT_FALSE(storage::DriverSystemActive());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, StartTest,
    ::testing::Values(StartRow{"WrongEngineVersion", [](FaultEngine& e) { e.version = "05.52"; }, 2,
                               32, 28725},
                      StartRow{"SixFiles", [](FaultEngine&) {}, 2, 6, 28698},
                      StartRow{"NetworkMode1", [](FaultEngine&) {}, 1, 32, 24603},
                      StartRow{"EngineFails",
                               [](FaultEngine& e) {
                                 e.inject = [](const std::string& op) {
                                   return op == "Init" ? 10451 : 0;
                                 };
                               },
                               2, 32, 24604}),
    [](const auto& info) { return std::string(info.param.name); });

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

// --- the open-file budget: 31 files; keyless drivers need one, keyed ones two, shared three ---

class BudgetTest : public DriverTest {
 protected:
  IFDriver& Use(const std::string& name, bool shared = false, bool keys = true) {
    if (!drivers.count(name)) {
      if (keys) {
        drivers[name] = OpenTest(name, shared);
      } else {
        DriverOpenParams p = Params(name, shared);
        p.key_count = 0;
        drivers[name] = std::make_unique<IFDriver>();
        EXPECT_TRUE(drivers[name]->Open(p));
      }
    }
    EXPECT_TRUE(drivers[name]->Mark());
    return *drivers[name];
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
  EXPECT_THROW(extra->Mark(), storage::EDBError);
  EXPECT_EQ(FirstError(), 24606);
  EXPECT_EQ(engine_->calls["Close"], closes);
  for (auto& [name, d] : drivers) EXPECT_TRUE(d->FilesOpen()) << name;
}

}  // namespace
}  // namespace storage_test
