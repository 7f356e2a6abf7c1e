// The driver on the real engine and real files: maintenance checked with the checker and on the
// bytes of the files.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "driver_fixture.h"
#include "storage/isam_check.h"
#include "tests/storage/engine_fixture.h"

namespace storage_test {
namespace {

using storage::IFDriver;

// Key 1: the number (AUTOKEY); key 2: the call (duplicates); key 3: call and band (unique).
void LogKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  TestRec r;
  std::memcpy(&r, record, sizeof r);
  switch (key) {
    case 1:
      text = common::LongIntToKey(r.number);
      break;
    case 2:
      text = r.call.str();
      break;
    case 3:
      text = r.call.str() + "/" + r.band.str();
      break;
    default:
      break;
  }
}

class RealEngineTest : public ::testing::Test {
 protected:
  RealEngineTest() {
    common::Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
    system_ = &common::Service<storage::DriverSystem>::Get();
  }
  ~RealEngineTest() override { common::Service<storage::DriverSystem>::Destroy(); }

  void SetUp() override {
    ASSERT_TRUE(storage::StartDriverSystem(0, 160, 32));
    system_->SetStartFolder(folder_.path() + "/");
    system_->SetDefaultRetryProc([this](std::string_view, int reason) {
      reasons.push_back(reason);
      return reason == 5 || reason == 6;
    });
    Reopen();
  }

  // (Re)opens the test driver; `call_length` is the length of key 2.
  void Reopen(int call_length = 10) {
    if (d && d->IsValid()) d->Destroy();
    d = std::make_unique<IFDriver>();
    storage::DriverOpenParams p;
    p.name = "PXLK";
    p.path = "PXLK";
    p.record_length = p.buffer_length = sizeof(TestRec);
    p.key_count = 3;
    p.key_builder = LogKeys;
    ASSERT_TRUE(d->Open(p));
    ASSERT_TRUE(d->DefineKey(1, 5, false));
    ASSERT_TRUE(d->DefineKey(2, call_length, true));
    ASSERT_TRUE(d->DefineKey(3, 14, false));
    ASSERT_TRUE(d->SetAutoKeyField(1, 4));
  }
  std::vector<int> reasons;

  TestRec& Rec() { return *reinterpret_cast<TestRec*>(d->RecordBuffer()); }
  bool Add(const std::string& call, const std::string& band) {
    d->ClearRecord();
    Rec().call = call;
    Rec().band = band;
    return d->AddRecord();
  }
  std::string FileBytes(const std::string& ext) {
    std::ifstream in(folder_.File("PXLK" + ext), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The checker's findings with the key builder as its oracle, on the closed files (the driver
  // reopens them on its next use).
  std::string Check() {
    storage::CloseAllDrivers();
    EXPECT_FALSE(d->FilesOpen());
    storage::CheckOptions o;
    o.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
      std::string text;
      LogKeys(record, static_cast<std::uint16_t>(key), text);
      return text;
    };
    return storage::IsamCheck(folder_.File("PXLK"), o).Text();
  }

  storage::testing::TempFolder folder_;
  storage::DriverSystem* system_ = nullptr;
  std::unique_ptr<IFDriver> d;
};

TEST_F(RealEngineTest, AddFindUpdateDeleteKeepEveryKeyWithItsRecord) {
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(Add("DL" + std::to_string(i % 97), std::to_string(i % 7))) << i;
    EXPECT_EQ(Rec().number, i + 1);
  }
  ASSERT_TRUE(d->FindRecord(2, "DL5"));
  EXPECT_EQ(Rec().call, "DL5");
  Rec().call = "ON4XYZ";
  ASSERT_TRUE(d->UpdateRecord());
  // Walk key 3 and delete every third record, repositioning on the next one.
  ASSERT_TRUE(d->FirstRecord(3));
  int seen = 0, deleted = 0;
  bool ok = true;
  while (ok) {
    ++seen;
    if (seen % 3 == 0) {
      ok = d->DeleteRecord(3);
      ++deleted;
    } else {
      ok = d->NextRecord(3);
    }
  }
  EXPECT_EQ(seen, 300);
  EXPECT_EQ(d->UsedRecs(), 300 - deleted);
  EXPECT_EQ(d->UsedKeys(2), 300 - deleted);
  EXPECT_EQ(Check(), "");
}

TEST_F(RealEngineTest, UpdateEqualToTheBeforeImageWritesNoByte) {
  ASSERT_TRUE(Add("DL1ABC", "20"));
  ASSERT_TRUE(Add("DL2XYZ", "40"));
  d->SetFlushEachWrite(true);
  ASSERT_TRUE(d->FindRecord(2, "DL1ABC"));
  ASSERT_TRUE(d->UpdateRecord());  // flushes once so that the files hold everything
  const std::string dat = FileBytes(".DAT");
  const std::string ix = FileBytes(".IX");
  ASSERT_TRUE(d->FindRecord(2, "DL1ABC"));
  ASSERT_TRUE(d->UpdateRecord());
  EXPECT_EQ(FileBytes(".DAT"), dat);
  EXPECT_EQ(FileBytes(".IX"), ix);
  Rec().band = "80";
  ASSERT_TRUE(d->UpdateRecord());
  EXPECT_NE(FileBytes(".DAT"), dat);  // a real change does reach the file
}

TEST_F(RealEngineTest, DuplicateOnTheLastKeyOfAnAddUndoesTheOthers) {
  ASSERT_TRUE(Add("DL1ABC", "20"));
  const std::int32_t used = d->UsedRecs();
  EXPECT_FALSE(Add("DL1ABC", "20"));  // keys 1 and 2 are added, key 3 refuses
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_EQ(system_->Stack().GetEntry(1).error_number, 10230);
  EXPECT_EQ(system_->Stack().GetEntry(1).key_number, 3);
  EXPECT_EQ(system_->Stack().GetEntry(1).operation_code, 0x400E);
  EXPECT_NE(system_->Stack().GetEntry(1).position_mark, 0);  // the step that failed is named
  EXPECT_EQ(d->CurrentRef(), -1);
  EXPECT_EQ(d->UsedRecs(), used);
  EXPECT_EQ(d->UsedKeys(1), 1);
  EXPECT_EQ(d->UsedKeys(2), 1);
  EXPECT_EQ(Check(), "");
}

TEST_F(RealEngineTest, DuplicateInTheMiddleOfAnUpdateChangesTheKeysBack) {
  ASSERT_TRUE(Add("DL1ABC", "20"));
  ASSERT_TRUE(Add("DL2XYZ", "20"));
  ASSERT_TRUE(d->FindRecord(2, "DL2XYZ"));
  Rec().call = "DL1ABC";  // key 2 changes (duplicates allowed), key 3 collides
  EXPECT_FALSE(d->UpdateRecord());
  EXPECT_EQ(system_->Stack().GetEntry(1).error_number, 10230);
  EXPECT_TRUE(d->FindRecord(2, "DL2XYZ"));
  std::string text = "DL1ABC";
  std::int32_t ref = 0;
  ASSERT_TRUE(d->FindKeyAndRef(2, text, ref, 1));
  std::string next = text;
  EXPECT_FALSE(d->NextKey(2, next, ref) && next == "DL1ABC");  // only one DL1ABC entry
  EXPECT_EQ(Check(), "");
}

TEST_F(RealEngineTest, ModifiedMarkerIsClearedByFlushAfterEveryWrite) {
  ASSERT_TRUE(Add("DL1ABC", "20"));
  EXPECT_EQ(FileBytes(".DAT")[20], 1);  // the first change marks the file at once
  d->SetFlushEachWrite(true);
  ASSERT_TRUE(Add("DL2XYZ", "20"));
  EXPECT_EQ(FileBytes(".DAT")[20], 0);
}

TEST_F(RealEngineTest, MissingFilesAreCreatedThroughReason6) {
  EXPECT_FALSE(std::filesystem::exists(folder_.File("PXLK.DAT")));
  ASSERT_TRUE(Add("DL1ABC", "20"));
  EXPECT_EQ(reasons, std::vector<int>{6});
  EXPECT_TRUE(std::filesystem::exists(folder_.File("PXLK.DAT")));
  EXPECT_TRUE(std::filesystem::exists(folder_.File("PXLK.IX")));
}

TEST_F(RealEngineTest, AFileNotClosedProperlyIsRebuiltThroughReason5) {
  for (const char* call : {"DL1ABC", "DL2XYZ", "ON4AAA"}) ASSERT_TRUE(Add(call, "20"));
  Reopen();
  {
    std::fstream f(folder_.File("PXLK.DAT"), std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(20);
    f.put(1);  // the modified marker of a writer that never closed
  }
  reasons.clear();
  ASSERT_TRUE(d->FindRecord(2, "DL2XYZ"));
  EXPECT_EQ(reasons, std::vector<int>{5});
  EXPECT_EQ(d->UsedKeys(2), 3);
  EXPECT_EQ(Check(), "");
}

TEST_F(RealEngineTest, AKeyTableThatDiffersFromTheFileIsRebuiltThroughReason5) {
  for (const char* call : {"DL1ABC", "DL2XYZ"}) ASSERT_TRUE(Add(call, "20"));
  Reopen(12);  // the call key grew from 10 to 12 characters
  reasons.clear();
  ASSERT_TRUE(Add("DL3ABCDEFGH", "40"));
  EXPECT_EQ(reasons, std::vector<int>{5});
  ASSERT_TRUE(d->FindRecord(2, "DL3ABCDEFG"));
  EXPECT_EQ(d->UsedRecs(), 3);
}

TEST_F(RealEngineTest, AnEmptyDataFileIsRepairedFromItsAltCopyAndReindexed) {
  for (const char* call : {"DL1ABC", "DL2XYZ", "ON4AAA"}) ASSERT_TRUE(Add(call, "20"));
  d->Destroy();
  std::filesystem::copy_file(folder_.File("PXLK.DAT"), folder_.File("PXLK.ALT"));
  std::filesystem::resize_file(folder_.File("PXLK.DAT"), 0);
  Reopen();
  EXPECT_FALSE(std::filesystem::exists(folder_.File("PXLK.ALT")));
  EXPECT_FALSE(std::filesystem::exists(folder_.File("PXLK.IX")));
  reasons.clear();
  ASSERT_TRUE(d->FindRecord(2, "ON4AAA"));
  EXPECT_EQ(reasons, std::vector<int>{5});
  EXPECT_EQ(d->UsedRecs(), 3);
  EXPECT_EQ(Check(), "");
}

TEST_F(RealEngineTest, VariableRecordsKeepTheirLengths) {
  d->Destroy();
  IFDriver v;
  storage::DriverOpenParams p;
  p.name = "PXVAR";
  p.path = "PXVAR";
  p.variable = true;
  p.record_length = 23;
  p.buffer_length = 400;
  p.key_count = 2;
  p.key_builder = LogKeys;
  ASSERT_TRUE(v.Open(p));
  ASSERT_TRUE(v.DefineKey(1, 5, false) && v.DefineKey(2, 10, true) && v.SetAutoKeyField(1, 4));
  for (int i = 0; i < 50; ++i) {
    v.ClearRecord();
    auto& r = *reinterpret_cast<TestRec*>(v.RecordBuffer());
    r.call = "DL" + std::to_string(i);
    const int length = 40 + i * 7;
    std::memset(v.RecordBuffer() + 40, 'a' + i % 26, length - 40);
    ASSERT_TRUE(v.SetRecLength(length) && v.AddRecord()) << i;
  }
  ASSERT_TRUE(v.FindRecord(2, "DL49"));
  EXPECT_EQ(v.CurrentLength(), 40 + 49 * 7);
  EXPECT_EQ(v.RecordBuffer()[40 + 49 * 7 - 1], 'a' + 49 % 26);
  ASSERT_TRUE(v.SetRecLength(41));
  ASSERT_TRUE(v.UpdateRecord());
  ASSERT_TRUE(v.FindRecord(2, "DL3"));
  ASSERT_TRUE(v.DeleteRecord(0));
  ASSERT_TRUE(v.FindRecord(2, "DL49"));
  EXPECT_EQ(v.CurrentLength(), 41);
  EXPECT_EQ(v.UsedKeys(2), 49);
  v.Destroy();
  storage::CheckOptions o;
  o.section_records = true;
  o.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
    std::string text;
    LogKeys(record, static_cast<std::uint16_t>(key), text);
    return text;
  };
  const auto report = storage::IsamCheck(folder_.File("PXVAR"), o);
  EXPECT_TRUE(report.ok()) << report.Text();
  EXPECT_EQ(report.record_heads, 49);
}

}  // namespace
}  // namespace storage_test
