// Opening a driver: argument checks, creating missing files, rebuilding unusable indexes, the
// ".ALT" repair, the open-file budget, the list of open drivers, and start and stop.
#include <filesystem>
#include <fstream>
#include <functional>

#include "driver_fixture.h"
#include "storage/db_error.h"
#include "storage/driver_errors.h"

namespace storage_test {
namespace {

using storage::DriverOpenParams;
using storage::IFDriver;

// The number of the first error the last driver call recorded.
int FirstError() {
  return common::Service<storage::DriverSystem>::Get().Stack().GetEntry(1).error_number;
}

struct ArgRow {
  const char* name;
  std::function<void(DriverOpenParams&)> change;
  int error;
};

class OpenArgumentTest : public DriverTest, public ::testing::WithParamInterface<ArgRow> {};

TEST_P(OpenArgumentTest, RefusedWithItsNumber) {
  auto first = OpenTest("PXKK");
  DriverOpenParams p = Params("PXLK");
  GetParam().change(p);
  IFDriver d;
  EXPECT_THROW(d.Open(p), storage::EDBError);
  EXPECT_EQ(FirstError(), GetParam().error);
  EXPECT_FALSE(d.IsValid());
  EXPECT_EQ(storage::FindOpenDriver("PXLK"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, OpenArgumentTest,
    ::testing::Values(
        ArgRow{"EmptyName", [](DriverOpenParams& p) { p.name.clear(); }, 28761},
        ArgRow{"SameNameOpen", [](DriverOpenParams& p) { p.name = "pxkk"; }, 28728},
        ArgRow{"NoPath", [](DriverOpenParams& p) { p.path.clear(); }, 28677},
        ArgRow{"PathOnlyExtension", [](DriverOpenParams& p) { p.path = ".DAT"; }, 28677},
        ArgRow{"RecordLength20",
               [](DriverOpenParams& p) { p.record_length = p.buffer_length = 20; }, 28682},
        ArgRow{"Keys111", [](DriverOpenParams& p) { p.key_count = 111; }, 28683},
        ArgRow{"KeysWithoutBuilder", [](DriverOpenParams& p) { p.key_builder = nullptr; }, 28727},
        ArgRow{"VariableMinimumNotBelowBuffer", [](DriverOpenParams& p) { p.variable = true; },
               28754},
        ArgRow{"FixedLengthDiffersFromBuffer", [](DriverOpenParams& p) { p.buffer_length = 41; },
               28718}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DriverTest, OpenBeforeStartIsRefused) {
  EXPECT_EQ(storage::StopDriverSystem(), "");
  IFDriver d;
  EXPECT_THROW(d.Open(Params("PXKK")), storage::EDBError);
  EXPECT_EQ(FirstError(), 28675);
}

struct KeyRow {
  const char* name;
  std::function<bool(IFDriver&)> call;
  int error;
};

class KeyDefinitionTest : public DriverTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(KeyDefinitionTest, RefusedWithItsNumber) {
  IFDriver d;
  ASSERT_TRUE(d.Open(Params("PXKK")));
  ASSERT_TRUE(d.DefineKey(1, 5, false));
  EXPECT_THROW(GetParam().call(d), storage::EDBError);
  EXPECT_EQ(FirstError(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, KeyDefinitionTest,
    ::testing::Values(
        KeyRow{"KeyNumberAboveCount", [](IFDriver& d) { return d.DefineKey(4, 5, false); }, 28709},
        KeyRow{"KeyLength0", [](IFDriver& d) { return d.DefineKey(2, 0, false); }, 28717},
        KeyRow{"KeyLength51", [](IFDriver& d) { return d.DefineKey(2, 51, false); }, 28685},
        KeyRow{"AutoKeyOnUndefinedKey", [](IFDriver& d) { return d.SetAutoKeyField(2, 4); }, 28721},
        KeyRow{"AutoKeyOutsideBuffer", [](IFDriver& d) { return d.SetAutoKeyField(1, 40); }, 28711},
        KeyRow{"AutoKeyFieldCrossesBufferEnd", [](IFDriver& d) { return d.SetAutoKeyField(1, 38); },
               28711},
        KeyRow{"AutoKeyNotAtKeyEnd", [](IFDriver& d) { return d.SetAutoKeyField(1, 8); }, 28726},
        KeyRow{"KeyUndefinedAtFirstUse", [](IFDriver& d) { return d.FirstRecord(1); }, 28710}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DriverTest, AutoKeyCheckLeavesTheBufferAsItWas) {
  auto d = OpenTest("PXKK");
  for (int i = 0; i < 40; ++i) EXPECT_EQ(d->RecordBuffer()[i], 0) << i;
}

TEST_F(DriverTest, MissingFileIsCreatedThroughReason6) {
  auto d = OpenTest("PXKK");
  EXPECT_TRUE(d->FirstRecord(0) == false);  // opens and creates; the file is empty
  EXPECT_EQ(FirstError(), 12357);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].reason, 6);
  ASSERT_TRUE(engine_->files.count("/db/PXKK"));
  EXPECT_EQ(engine_->FileOf("/db/PXKK").keys.size(), 3u);
  EXPECT_EQ(engine_->FileOf("/db/PXKK").keys[1].duplicates, 1);
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
  EXPECT_EQ(engine_->files.size(), 0u);
}

struct RebuildRow {
  const char* name;
  std::function<void(MemoryEngine::File&)> damage;
};

class RebuildOnOpenTest : public DriverTest, public ::testing::WithParamInterface<RebuildRow> {};

TEST_P(RebuildOnOpenTest, RebuiltThroughReason5) {
  {
    auto d = OpenTest("PXKK");
    Add(*d, "DL1AAA");
    Add(*d, "DL2BBB");
  }
  GetParam().damage(engine_->FileOf("/db/PXKK"));
  questions.clear();
  auto d = OpenTest("PXKK");
  EXPECT_TRUE(d->FindRecord(2, "DL2BBB"));
  EXPECT_EQ(engine_->rebuilds, 1);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].reason, 5);
  EXPECT_EQ(engine_->Keys("/db/PXKK", 2).size(), 2u);
  EXPECT_EQ(engine_->FileOf("/db/PXKK").keys[1].length, 10);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, RebuildOnOpenTest,
    ::testing::Values(
        RebuildRow{"ModifiedMarker10010", [](MemoryEngine::File& f) { f.modified = true; }},
        RebuildRow{"KeyHeader10120", [](MemoryEngine::File& f) { f.broken_index = true; }},
        RebuildRow{"KeyLengthDiffers24653", [](MemoryEngine::File& f) { f.keys[1].length = 9; }},
        RebuildRow{"DuplicatesDiffer24653",
                   [](MemoryEngine::File& f) { f.keys[0].duplicates = 1; }},
        RebuildRow{"KeyCountDiffers24653",
                   [](MemoryEngine::File& f) {
                     f.keys.pop_back();
                     f.index.pop_back();
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DriverTest, RebuildDeclinedIsSerious) {
  { OpenTest("PXKK")->Mark(); }
  engine_->FileOf("/db/PXKK").modified = true;
  system_->SetDefaultRetryProc([](std::string_view, int) { return false; });
  auto d = OpenTest("PXKK");
  EXPECT_THROW(d->Mark(), storage::EDBError);
  EXPECT_EQ(FirstError(), 10010);
  EXPECT_EQ(storage::DriverErrorClass(), 4);
  EXPECT_EQ(engine_->rebuilds, 0);
}

TEST_F(DriverTest, RecordLengthDifferenceIsSeriousAndClosesTheFile) {
  { OpenTest("PXKK")->Mark(); }
  engine_->FileOf("/db/PXKK").record_length = 44;
  auto d = OpenTest("PXKK");
  try {
    d->Mark();
    FAIL() << "no EDBError";
  } catch (const storage::EDBError& e) {
    EXPECT_STREQ(e.what(), "Datenbankfehler 4(15) PXKK");  // 24591 shown by its low 12 bits
  }
  EXPECT_FALSE(d->FilesOpen());
  EXPECT_EQ(engine_->calls["Close"], 2);  // the first driver's, and the mismatching open's
}

TEST_F(DriverTest, PathGetsTheStartFolderUnlessAbsolute) {
  system_->SetStartFolder("/data/");
  struct Row {
    std::string given, expected;
  };
  const Row rows[] = {{"PXKK", "/data/PXKK"},
                      {"PXKK.DAT", "/data/PXKK"},
                      {"sub\\PXKK", "/data/sub/PXKK"},
                      {"/abs/PXKK", "/abs/PXKK"},
                      {"C:\\x\\PXKK", "C:/x/PXKK"}};
  int i = 0;
  for (const Row& r : rows) {
    DriverOpenParams p = Params("N" + std::to_string(i++));
    p.path = r.given;
    IFDriver d;
    ASSERT_TRUE(d.Open(p));
    EXPECT_EQ(d.FilePath(), r.expected) << r.given;
  }
}

TEST_F(DriverTest, EmptyDataFileIsReplacedByItsAltCopy) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("driver_alt_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto write = [&](const char* name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
  };
  write("PX.DAT", "");
  write("PX.ALT", "saved records");
  write("PX.IX", "old index");
  write("KEEP.DAT", "data");
  write("KEEP.ALT", "other");
  DriverOpenParams p = Params("PX");
  p.path = (dir / "PX").string();
  IFDriver d;
  ASSERT_TRUE(d.Open(p));
  std::ifstream dat(dir / "PX.DAT", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(dat), {}), "saved records");
  EXPECT_FALSE(std::filesystem::exists(dir / "PX.ALT"));
  EXPECT_FALSE(std::filesystem::exists(dir / "PX.IX"));
  // A data file with contents is left alone.
  DriverOpenParams q = Params("KEEP");
  q.path = (dir / "KEEP").string();
  IFDriver e;
  ASSERT_TRUE(e.Open(q));
  EXPECT_EQ(std::filesystem::file_size(dir / "KEEP.DAT"), 4u);
  EXPECT_TRUE(std::filesystem::exists(dir / "KEEP.ALT"));
  std::filesystem::remove_all(dir);
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

TEST_F(DriverTest, DestroyedDriverIsNoDriver) {
  auto d = OpenTest("PXKK");
  d->Destroy();
  EXPECT_THROW(d->FirstRecord(1), storage::EDBError);
  EXPECT_EQ(FirstError(), 24607);
}

TEST_F(DriverTest, StopWithAFileOpenFailsWith28724) {
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
}

struct StartRow {
  const char* name;
  std::function<void(MemoryEngine&)> prepare;
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
    ::testing::Values(StartRow{"WrongEngineVersion", [](MemoryEngine& e) { e.version = "05.52"; },
                               2, 32, 28725},
                      StartRow{"SixFiles", [](MemoryEngine&) {}, 2, 6, 28698},
                      StartRow{"NetworkMode1", [](MemoryEngine&) {}, 1, 32, 24603},
                      StartRow{"EngineFails",
                               [](MemoryEngine& e) {
                                 e.inject = [](const std::string& op) {
                                   return op == "Init" ? 10451 : 0;
                                 };
                               },
                               2, 32, 24604}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DriverTest, StartTwiceIsRefused) {
  EXPECT_FALSE(storage::StartDriverSystem(2, 160, 32));
  EXPECT_EQ(FirstError(), 28744);
  EXPECT_TRUE(storage::DriverSystemActive());
}

TEST_F(DriverTest, EraseIsRefusedWhileAFileIsLocked) {
  auto shared = OpenTest("SHARED", true);
  auto d = OpenTest("PXKK");
  Add(*d, "DL1AAA");
  ASSERT_TRUE(shared->LockFile());
  EXPECT_FALSE(d->EraseFiles());
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  ASSERT_TRUE(shared->UnlockFile());
  EXPECT_TRUE(d->EraseFiles());
  EXPECT_FALSE(engine_->files.count("/db/PXKK"));
}

// --- the open-file budget ---

class BudgetTest : public DriverTest {
 protected:
  // Opens `name` and makes it use its files; keyless drivers need one file, keyed ones two,
  // shared ones three.
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

TEST_F(BudgetTest, ClosesLeastRecentlyUsedUnlockedDriversAndNoMore) {
  Use("K0", false, false);                                     // 1 file
  for (int i = 1; i <= 15; ++i) Use("D" + std::to_string(i));  // 30 files: 31 in use
  Use("K0", false, false);  // K0 becomes the most recently used; D1 the least
  const int closes = engine_->calls["Close"];
  Use("NEW");
  EXPECT_EQ(engine_->calls["Close"] - closes, 1);
  EXPECT_FALSE(IsOpen("D1"));
  EXPECT_TRUE(IsOpen("D2"));
  EXPECT_TRUE(IsOpen("K0"));
  EXPECT_EQ(system_->Ring()->FilesInUse(), 31);
}

TEST_F(BudgetTest, SmallDriversAreClosedUntilTheShortageIsCovered) {
  Use("K0", false, false);
  Use("K1", false, false);
  for (int i = 1; i <= 14; ++i) Use("D" + std::to_string(i));  // 2 + 28 = 30 files
  Use("S", true);                                              // 3 files: 33 > 31
  // The shortage of 2 took the two keyless drivers, oldest first, and nothing else.
  EXPECT_FALSE(IsOpen("K0"));
  EXPECT_FALSE(IsOpen("K1"));
  EXPECT_TRUE(IsOpen("D1"));
  EXPECT_EQ(system_->Ring()->FilesInUse(), 31);
}

TEST_F(BudgetTest, SharedDriversHoldingLocksAreNeverClosed) {
  for (int i = 1; i <= 10; ++i) {
    IFDriver& d = Use("S" + std::to_string(i), true);  // 30 files
    ASSERT_TRUE(d.LockFile());
  }
  const int closes = engine_->calls["Close"];
  auto extra = OpenTest("EXTRA", true);
  EXPECT_THROW(extra->Mark(), storage::EDBError);
  EXPECT_EQ(FirstError(), 24606);
  EXPECT_EQ(engine_->calls["Close"], closes);
  for (auto& [name, d] : drivers) EXPECT_TRUE(d->FilesOpen()) << name;
}

TEST_F(BudgetTest, AClosedDriverReopensWithItsCurrentRecord) {
  IFDriver& first = Use("D0");
  Add(first, "DL1AAA");
  Add(first, "DL2BBB");
  ASSERT_TRUE(first.FindRecord(2, "DL1AAA"));
  const std::int32_t ref = first.CurrentRef();
  for (int i = 1; i <= 16; ++i) Use("D" + std::to_string(i));
  ASSERT_FALSE(first.FilesOpen());
  EXPECT_EQ(first.CurrentRef(), ref);
  EXPECT_TRUE(first.NextRecord(2));
  EXPECT_EQ(Rec(first).call, "DL2BBB");
  EXPECT_TRUE(first.FilesOpen());
}

}  // namespace
}  // namespace storage_test
