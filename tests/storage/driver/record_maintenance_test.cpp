// Add, update and delete with their keys, AUTOKEY numbering, other users' changes, undo of
// partial key changes, and positioning by key and in record order; the checker is the oracle.
#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "storage/isam/engine.h"
#include "tests/storage/driver/driver_fixture.h"

namespace storage_test {
namespace {

class MaintenanceTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    d = OpenTest("PXLK");
  }
  // The calls of every record, in key order (key 0: record order).
  Texts Walk(int key, bool backwards = false) {
    Texts calls;
    for (bool ok = backwards ? d->LastRecord(key) : d->FirstRecord(key); ok;
         ok = backwards ? d->PrevRecord(key) : d->NextRecord(key)) {
      calls.push_back(Rec(*d).call.str());
    }
    return calls;
  }
  // The call of the record a step landed on, "-" when it failed.
  std::string On(bool ok) { return ok ? Rec(*d).call.str() : "-"; }
  int Writes() {
    int n = 0;
    for (const char* op : {"AddRecord", "PutRecord", "DeleteRecord", "AddKey", "DeleteKey"}) {
      n += engine_->calls[op];
    }
    return n;
  }
  // Another user of the file, through the engine itself.
  storage::FileblockHandle OtherUser(bool shared) {
    storage::OpenOptions o;
    o.shared = shared;
    return storage::FileblockOpen(folder_ / "PXLK", o);
  }
  std::unique_ptr<IFDriver> d;
};

TEST_F(MaintenanceTest, AutoKeyNumbersFollowTheHighestUnderTheSamePrefix) {
  EXPECT_EQ(Add(*d, "DL1A", "A"), 1);  // an empty prefix numbers the whole file
  EXPECT_EQ(Add(*d, "DL1B", "B"), 2);
  ASSERT_TRUE(d->FindRecord(2, "DL1B") && d->DeleteRecord(0));
  EXPECT_EQ(Add(*d, "DL1C", "A"), 2);  // after the highest number left, not a counter
  EXPECT_EQ(Add(*d, "DL1D", "A"), 3);
  IFDriver k;  // its only AUTOKEY is key 3: the band, then the number
  ASSERT_TRUE(k.Open(Params("PXBAND")) && k.DefineKey(1, 5, true) && k.DefineKey(2, 10, true) &&
              k.DefineKey(3, 8, false) && k.SetAutoKeyField(3, 4));
  const std::pair<const char*, int> adds[] = {{"20", 1}, {"20", 2}, {"40", 1},
                                              {"20", 3}, {"40", 2}, {"15", 1}};
  for (const auto& [band, number] : adds) EXPECT_EQ(Add(k, "C", band), number) << band;
  k.ClearRecord();
  Rec(k).band = "2";  // "20" + number lies under the prefix "2" with 6 characters after it
  EXPECT_EQ(Raised([&] { k.AddRecord(); }), 24592);
  EXPECT_EQ(k.CurrentRef(), -1);
  EXPECT_EQ(k.UsedRecs(), 6);
  ASSERT_TRUE(k.FindRecord(3, "15"));
  Rec(k).number = 2147483647;
  ASSERT_TRUE(k.UpdateRecord());
  k.ClearRecord();
  Rec(k).band = "15";  // the highest number cannot be followed
  EXPECT_EQ(Raised([&] { k.AddRecord(); }), 24592);
}

struct RefusalRow {
  const char* name;
  bool (*call)(IFDriver&);
  int error;
};

class RefusalTest : public MaintenanceTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(RefusalTest, RefusedWithItsNumberAndNothingWritten) {
  Add(*d, "DL1A");
  const int writes = Writes();
  EXPECT_EQ(Raised([&] { GetParam().call(*d); }), GetParam().error);
  EXPECT_EQ(Writes(), writes);
}

// The last row's FirstRecord(7) makes 7 the current key.
const RefusalRow kRefusals[] = {
    {"AddWithLink", [](IFDriver& d) { return d.RecordBuffer()[2] = 1, d.AddRecord(); }, 28689},
    {"UpdateWithLink", [](IFDriver& d) { return Rec(d).link = 7, d.UpdateRecord(); }, 28692},
    {"SavePositionBadKey", [](IFDriver& d) { return !d.SavePosition(9).driver; }, 28709},
    {"DeleteRepositioningOnABadKey",
     [](IFDriver& d) {
       EXPECT_THROW(d.FirstRecord(7), storage::EDBError);
       return d.DeleteRecord(3);
     },
     28714},
};
INSTANTIATE_TEST_SUITE_P(Checks, RefusalTest, ::testing::ValuesIn(kRefusals), RowName);

TEST_F(MaintenanceTest, UpdateWritesOnlyWhatChangedAndFlushClearsTheModifiedMarker) {
  Add(*d, "DL1ABC", "20");
  EXPECT_EQ(Bytes("PXLK.DAT")[20], 1);  // the first change marks the file at once
  Add(*d, "DL2XYZ", "40");
  d->SetFlushEachWrite(true);
  EXPECT_TRUE(d->GetFlushEachWrite());
  ASSERT_TRUE(d->FindRecord(2, "DL1ABC"));
  Rec(*d).call = "DL1ABD";
  ASSERT_TRUE(d->UpdateRecord());  // flushes, so that the files hold everything
  const std::string dat = Bytes("PXLK.DAT");
  const std::string ix = Bytes("PXLK.IX");
  EXPECT_EQ(dat[20], 0);
  ASSERT_TRUE(d->FindRecord(2, "DL1ABD"));
  const int writes = Writes();
  ASSERT_TRUE(d->UpdateRecord());  // equal to the before image
  EXPECT_EQ(Writes(), writes);
  EXPECT_EQ(Bytes("PXLK.DAT"), dat);
  EXPECT_EQ(Bytes("PXLK.IX"), ix);
  Rec(*d).call = "DL9Z";
  const int adds = engine_->calls["AddKey"];
  ASSERT_TRUE(d->UpdateRecord());
  EXPECT_EQ(engine_->calls["AddKey"] - adds, 1);  // only the changed key
  EXPECT_NE(Bytes("PXLK.DAT"), dat);
  EXPECT_TRUE(d->FindRecord(2, "DL9Z"));
  EXPECT_FALSE(d->FindRecord(2, "DL1ABD"));
  EXPECT_EQ(Check(), "");
}

// DL1A (number 1) changed to DL7X on band Q (keys 2 and 3), or added as such, beside DL2B.
struct FailureRow {
  const char* name;
  char action;     // 'a'dd, 'u'pdate or 'd'elete
  const char* op;  // failing on its `nth` call with `error`; nullptr: DL1A takes number 2
  int nth, error;
  int key;  // named by the first error entry
};

class FailureTest : public MaintenanceTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(FailureTest, UndoesEveryKeyChange) {
  const FailureRow& row = GetParam();
  Add(*d, "DL1A");
  Add(*d, "DL2B");
  ASSERT_TRUE(d->FindRecord(2, "DL1A"));
  if (row.action == 'a') d->ClearRecord();
  Rec(*d).call = "DL7X";
  Rec(*d).band = "Q";
  if (row.op == nullptr) Rec(*d).number = 2;
  int n = 0;
  engine_->inject = [&](const std::string& op) {
    return row.op != nullptr && op == row.op && ++n == row.nth ? row.error : 0;
  };
  const auto change = [&] {
    return row.action == 'a'   ? d->AddRecord()
           : row.action == 'u' ? d->UpdateRecord()
                               : d->DeleteRecord(0);
  };
  if (row.error == 10230) {
    EXPECT_FALSE(change());
    EXPECT_EQ(storage::DriverErrorClass(), 1);  // a duplicate is not serious
  } else {
    EXPECT_THROW(change(), storage::EDBError);
  }
  engine_->inject = nullptr;
  const storage::ErrorEntry e = system_->Stack().GetEntry(1);
  EXPECT_EQ(e.error_number, row.error);
  EXPECT_EQ(e.key_number, row.key);
  EXPECT_EQ(e.operation_code, row.action == 'a' ? 0x400E : row.action == 'u' ? 0x4007 : 0x400D);
  EXPECT_NE(e.position_mark, 0);  // the step that failed is named
  EXPECT_TRUE(row.action != 'a' || d->CurrentRef() == -1);
  EXPECT_TRUE(d->FindRecord(2, "DL1A"));
  EXPECT_FALSE(d->FindRecord(2, "DL7X"));
  EXPECT_EQ(d->UsedRecs(), 2);
  EXPECT_EQ(Check(), "");
}

const FailureRow kFailures[] = {
    {"AddThirdKey", 'a', "AddKey", 3, 10075, 3},
    {"UpdateDuplicate", 'u', nullptr, 0, 10230, 1},
    {"UpdateNewKey3", 'u', "AddKey", 2, 10075, 3},
    {"UpdateOldKey2", 'u', "DeleteKey", 1, 10075, 2},
    {"UpdatePut", 'u', "PutRecord", 1, 10075, 0},
    {"DeleteKey2", 'd', "DeleteKey", 2, 10075, 2},
    {"DeleteRecord", 'd', "DeleteRecord", 1, 10075, 0},
};
INSTANTIATE_TEST_SUITE_P(Steps, FailureTest, ::testing::ValuesIn(kFailures), RowName);

// On a shared file every change runs under the write lock besides its record locks.
TEST_F(MaintenanceTest, SharedChangesNeverOverwriteAnotherUsersAndReleaseTheirLocks) {
  d.reset();
  d = OpenTest("PXLK", true);
  auto other = OpenTest("OTHER", true, "PXLK");
  for (const char* call : {"DL1A", "DL2B", "DL3C"}) Add(*d, call);
  ASSERT_TRUE(d->FindRecord(2, "DL1A") && other->FindRecord(2, "DL1A"));
  Rec(*other).call = "THEIRS";
  ASSERT_TRUE(other->UpdateRecord());
  Rec(*d).call = "MINE";
  EXPECT_FALSE(d->UpdateRecord());
  EXPECT_EQ(FirstError(), 12309);
  EXPECT_EQ(Rec(*d).call, "THEIRS");  // the buffer shows the record as it now stands
  Rec(*d).call = "MINE";
  EXPECT_TRUE(d->UpdateRecord());  // taken over, the record can now be updated
  ASSERT_TRUE(other->FindRecord(2, "MINE"));
  Rec(*other).band = "Q";
  ASSERT_TRUE(other->UpdateRecord());
  EXPECT_FALSE(d->DeleteRecord(0));
  EXPECT_EQ(FirstError(), 12309);
  EXPECT_EQ(d->UsedRecs(), 3);
  // Deleted by the other: asked (reason 4); No fails with 12289, Yes adds it anew.
  ASSERT_TRUE(d->FindRecord(2, "DL2B") && other->FindRecord(2, "DL2B"));
  ASSERT_TRUE(other->DeleteRecord(0));
  Rec(*d).call = "DL2NEW";
  EXPECT_FALSE(d->UpdateRecord());
  EXPECT_EQ(FirstError(), 12289);
  answer_yes = true;
  ASSERT_TRUE(d->UpdateRecord());
  EXPECT_EQ(questions, (std::vector<int>{6, 4, 4}));  // 6 when the file was created
  EXPECT_EQ(Rec(*d).number, 4);
  EXPECT_TRUE(other->FindRecord(2, "DL2NEW"));
  EXPECT_EQ(d->FileLockCount() + d->LockCount(), 0);  // each change took and gave back its locks
  // A record another user holds locked is read all the same (its link counts as 0).
  storage::FileblockHandle locker = OtherUser(true);
  ASSERT_NE(locker, nullptr);
  storage::FileblockLockRecord(locker, 3);
  ASSERT_TRUE(storage::FileblockRecordLocked(locker, 3));
  ASSERT_TRUE(d->FindRecord(2, "DL3C"));
  EXPECT_EQ(d->CurrentRef(), 3);
  ASSERT_TRUE(d->FirstRecord(2));
  EXPECT_EQ(On(d->LastRecord(0)), "DL3C");
  storage::FileblockClose(locker);
  ASSERT_TRUE(d->LockFile());  // one the user holds is not taken again
  const int locks = engine_->calls["LockFile"];
  Add(*d, "DL5E");
  EXPECT_EQ(engine_->calls["LockFile"], locks);
  ASSERT_TRUE(d->UnlockFile());
  d->SetFlushEachWrite(true);
  std::vector<int> locks_at_flush;
  engine_->inject = [&](const std::string& op) {
    if (op == "Flush") locks_at_flush.push_back(d->FileLockCount());
    return 0;
  };
  Add(*d, "DL6F");
  EXPECT_EQ(locks_at_flush, std::vector<int>{1});  // a shared file flushes only under the lock
  EXPECT_EQ(Check(), "");
}

TEST_F(MaintenanceTest, AMissingKeyEntryIsMarkedNotAnError) {
  Add(*d, "DL1");
  storage::CloseAllDrivers();
  storage::FileblockHandle h = OtherUser(false);
  storage::FileblockDeleteKey(h, 2, 1, storage::KeyStr("DL1"));
  storage::FileblockClose(h);
  EXPECT_TRUE(d->DeleteRecord(0));
  EXPECT_TRUE(system_->Stack().MissingKeyMark());
  EXPECT_EQ(d->UsedRecs(), 0);
  EXPECT_EQ(Check(), "");
}

TEST_F(MaintenanceTest, FindRecordMatchesTheBeginningOfTheKey) {
  Add(*d, "ABC");
  EXPECT_EQ(On(d->FindRecord(2, "AB")), "ABC");
  ASSERT_TRUE(d->DeleteRecord(0));  // no current record now
  EXPECT_EQ(Raised([&] { d->UpdateRecord(); }), 28691);
  EXPECT_EQ(Raised([&] { d->NextRecord(0); }), 28742);
  Add(*d, "AC");
  EXPECT_FALSE(d->FindRecord(2, "AB"));
  EXPECT_EQ(FirstError(), 12292);
  EXPECT_FALSE(d->FindRecord(2, "ZZ"));
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_EQ(On(d->SearchRecord(2, "AB")), "AC");
}

struct DeleteRow {
  const char* name;
  int key, mode;
  const char* victim;
  const char* current;  // after the delete, "-" for none
  int error_class;
};

class DeleteModeTest : public MaintenanceTest, public ::testing::WithParamInterface<DeleteRow> {};

// Records in record order DL3 DL1 DL5 DL2 DL4; the keys deleted are the stored record's.
TEST_P(DeleteModeTest, RepositionsByMode) {
  for (const char* call : {"DL3", "DL1", "DL5", "DL2", "DL4"}) Add(*d, call);
  const DeleteRow& row = GetParam();
  ASSERT_TRUE(d->FindRecord(2, row.victim));
  ASSERT_TRUE(row.key != 0 || d->RestorePosition(d->SavePosition(0)));
  Rec(*d).call = "EDITED";
  d->DeleteRecord(row.mode);
  EXPECT_EQ(storage::DriverErrorClass(), row.error_class);
  EXPECT_EQ(On(d->CurrentRef() != -1), row.current);
  EXPECT_FALSE(d->FindRecord(2, row.victim));
  EXPECT_EQ(d->UsedKeys(2), 4);
  EXPECT_EQ(Check(), "");
}

const DeleteRow kDeletes[] = {
    {"KeyMode0", 2, 0, "DL3", "-", 0},           {"KeyMode1Last", 2, 1, "DL3", "DL5", 0},
    {"KeyMode2First", 2, 2, "DL3", "DL1", 0},    {"KeyMode3Next", 2, 3, "DL3", "DL4", 0},
    {"KeyMode4Prev", 2, 4, "DL3", "DL2", 0},     {"KeyMode3OnTheLast", 2, 3, "DL5", "-", 1},
    {"RecordMode0", 0, 0, "DL5", "-", 0},        {"RecordMode1Last", 0, 1, "DL5", "DL4", 0},
    {"RecordMode2First", 0, 2, "DL5", "DL3", 0}, {"RecordMode3Next", 0, 3, "DL5", "DL2", 0},
    {"RecordMode4Prev", 0, 4, "DL5", "DL1", 0},
};
INSTANTIATE_TEST_SUITE_P(Modes, DeleteModeTest, ::testing::ValuesIn(kDeletes), RowName);

TEST_F(MaintenanceTest, NavigationSavedPositionsKeyStepsAndApproximatePlaces) {
  for (const char* call : {"DL3", "DL1", "DL4", "DL2"}) Add(*d, call);
  EXPECT_EQ(Walk(2), (Texts{"DL1", "DL2", "DL3", "DL4"}));
  EXPECT_EQ(Walk(2, true), (Texts{"DL4", "DL3", "DL2", "DL1"}));
  EXPECT_EQ(Walk(0), (Texts{"DL3", "DL1", "DL4", "DL2"}));
  EXPECT_EQ(Walk(0, true), (Texts{"DL2", "DL4", "DL1", "DL3"}));
  EXPECT_EQ(FirstError(), 12357);
  // A step on another key starts from the current record, not from that key's old position.
  ASSERT_TRUE(d->FindRecord(2, "DL2"));    // number 4
  EXPECT_EQ(On(d->PrevRecord(1)), "DL4");  // number 3
  ASSERT_TRUE(d->FindRecord(2, "DL2"));
  const storage::DriverPosition pos = d->SavePosition(2);
  EXPECT_EQ(pos.key_text, "DL2");
  EXPECT_EQ(pos.driver, d.get());
  // Nor from its own old position once another record is read by its reference.
  ASSERT_TRUE(d->FindRecord(2, "DL3") && d->GetRecord(pos.ref));
  EXPECT_EQ(On(d->NextRecord(2)), "DL3");
  ASSERT_TRUE(d->FirstRecord(2));
  EXPECT_EQ(On(d->RestorePosition(pos)), "DL2");
  ASSERT_TRUE(d->NextRecord(2));
  const storage::DriverPosition physical = d->SavePosition(0);
  ASSERT_TRUE(d->FirstRecord(2));
  EXPECT_EQ(On(d->RestorePosition(physical)), "DL3");
  std::string text = "DL2";
  std::int32_t ref = 0;
  ASSERT_TRUE(d->FindKeyAndRef(2, text, ref, 1));
  EXPECT_EQ(text, "DL2");
  ASSERT_TRUE(d->NextKey(2, text, ref));
  EXPECT_EQ(text, "DL3");
  ASSERT_TRUE(d->PrevKey(2, text, ref));
  EXPECT_EQ(text, "DL2");
  // Nor once the caller moved that position.
  ASSERT_TRUE(d->FindRecord(2, "DL1") && d->NextKey(2, text, ref));
  EXPECT_EQ(On(d->NextRecord(2)), "DL2");
  EXPECT_LT(d->GetApproxRelPos(2, 100, "DL1", 2), d->GetApproxRelPos(2, 100, "DL3", 1));
  ASSERT_TRUE(d->GetApproxKeyAndRef(2, 100, 100, text, ref));
  EXPECT_EQ(text, "DL4");
}

// A step past the end of a key begins anew at an end, as the engine's step from its position
// there does (after the last entry is before the first): forwards at the first entry, backwards
// at the last, whichever end the walk ran into; on a file alone or shared. A sound file is not
// taken for a damaged one.
TEST_F(MaintenanceTest, AStepPastTheEndOfAKeyBeginsAnewAtAnEnd) {
  for (const bool shared : {false, true}) {
    d.reset();
    d = OpenTest("PXLK", shared, shared ? "S" : "W");
    for (const char* call : {"R0", "R1", "R2"}) Add(*d, call);
    for (const bool backwards : {false, true}) {
      // `on`: in the walk's direction.
      const auto step = [&](bool on) {
        return On(on != backwards ? d->NextRecord(2) : d->PrevRecord(2));
      };
      ASSERT_EQ(Walk(2, backwards).size(), 3u);
      const Texts after = {step(true), step(true), step(true), step(true), step(false)};
      EXPECT_EQ(after, backwards ? (Texts{"R2", "R1", "R0", "-", "R0"})
                                 : (Texts{"R0", "R1", "R2", "-", "R2"}))
          << shared;
    }
  }
  EXPECT_EQ(engine_->calls["Rebuild"] + engine_->calls["RepairInPlace"], 0);
}

TEST_F(DriverTest, VariableRecordsKeepTheirLengths) {
  storage::DriverOpenParams p = Params("PXVAR");
  p.variable = true;
  p.record_length = 23;  // the section length
  p.buffer_length = 400;
  p.key_count = 2;
  IFDriver v;
  ASSERT_TRUE(v.Open(p) && v.DefineKey(1, 5, false) && v.DefineKey(2, 10, true) &&
              v.SetAutoKeyField(1, 4));
  EXPECT_EQ(Raised([&] { v.SetRecLength(4); }), 28740);
  EXPECT_EQ(Raised([&] { v.SetRecLength(401); }), 28716);
  EXPECT_EQ(Raised([&] { v.AddRecord(); }), 28743);
  EXPECT_EQ(Raised([&] { v.SetSectionParam(3); }), 28739);
  EXPECT_TRUE(v.SetSectionParam(65520));
  for (const int length : {140, 45, 300}) {
    v.ClearRecord();
    Rec(v).call = "DL" + std::to_string(length);
    std::memset(v.RecordBuffer() + 40, 'a' + length % 26, length - 40);
    ASSERT_TRUE(v.SetRecLength(length) && v.AddRecord()) << length;
  }
  ASSERT_TRUE(v.FindRecord(2, "DL300"));
  EXPECT_EQ(v.CurrentLength(), 300);
  EXPECT_EQ(v.RecordBuffer()[299], 'a' + 300 % 26);
  const int puts = engine_->calls["VarRecPut"];
  ASSERT_TRUE(v.SetRecLength(41) && v.UpdateRecord());  // the same bytes, another length: a change
  EXPECT_EQ(engine_->calls["VarRecPut"], puts + 1);
  ASSERT_TRUE(v.FindRecord(2, "DL45") && v.DeleteRecord(0));
  ASSERT_TRUE(v.FindRecord(2, "DL300"));
  EXPECT_EQ(v.CurrentLength(), 41);
  ASSERT_TRUE(v.FindRecord(2, "DL140"));
  EXPECT_EQ(v.CurrentLength(), 140);
  EXPECT_EQ(v.UsedKeys(2), 2);
  v.Destroy();
  EXPECT_EQ(Check("PXVAR", true), "");
}

TEST_F(DriverTest, TraceIsCalledOnEnteringAndLeaving) {
  auto d = OpenTest("PXLK");
  std::vector<std::uint16_t> codes;
  system_->Stack().SetTrace(
      [&](const storage::DebugStack& s) { codes.push_back(s.OperationCode()); }, true);
  d->Mark();
  d->ClearRecord();
  system_->Stack().SetTrace(nullptr, false);
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{0x2019, 0x2019, 0x1034, 0x1034}));
}

// An index entry naming a record on the free chain is damage: the walk does not end there as if
// the file ended, the index is rebuilt and the walk goes on.
TEST_F(DriverTest, AKeyNamingAFreeRecordIsRebuiltAndTheWalkGoesOn) {
  auto d = OpenTest("PXLK");
  for (int i = 0; i < 6; ++i) Add(*d, "R" + std::to_string(i));
  storage::CloseAllDrivers();
  const storage::FileblockHandle h = storage::FileblockOpen(folder_ / "PXLK");
  storage::FileblockDeleteRecord(h, 3);  // R2 goes; its entries stay
  storage::FileblockClose(h);
  ASSERT_EQ(storage::Isam().IsamError, 0);
  questions.clear();
  Texts calls;
  for (bool ok = d->FirstRecord(2); ok; ok = d->NextRecord(2)) calls.push_back(Rec(*d).call.str());
  EXPECT_EQ(calls, (Texts{"R0", "R1", "R3", "R4", "R5"}));
  EXPECT_EQ(questions, std::vector<int>{5});
  EXPECT_EQ(engine_->calls["Rebuild"], 1);
  EXPECT_EQ(Check(), "");
}

// A run of 168 index bytes lost somewhere in the middle of the index: a walk along key 2 could
// come round to its start and deliver its records again, for ever. It ends within a bound, and
// no record comes twice: damage found on the way is repaired and the walk goes on. It delivers
// every record unless it ends with an error.
TEST_F(DriverTest, AWalkOverADamagedIndexDeliversNoRecordTwice) {
  constexpr int kRecords = 608;
  {
    auto d = OpenTest("PXLK");
    for (int i = 0; i < kRecords; ++i) Add(*d, "C" + std::to_string(i * 7919 % 1000));
  }
  storage::CloseAllDrivers();
  const std::string data = Bytes("PXLK.DAT");
  const std::string index = Bytes("PXLK.IX");
  for (std::size_t at = index.size() * 2 / 5 / 97 * 97; at < index.size() * 3 / 5; at += 97) {
    SCOPED_TRACE("bytes lost at " + std::to_string(at));
    common::testing::WriteFile(folder_ / "PXLK.DAT", data);
    std::string damaged = index;
    std::fill_n(damaged.begin() + static_cast<std::ptrdiff_t>(at), 168, '\0');
    common::testing::WriteFile(folder_ / "PXLK.IX", damaged);
    auto d = OpenTest("PXLK");
    std::set<std::int32_t> seen;
    int steps = 0;
    int twice = 0;
    bool failed = false;
    try {
      for (bool ok = d->FirstRecord(2); ok && steps <= 2 * kRecords; ok = d->NextRecord(2)) {
        ++steps;
        twice += seen.insert(Rec(*d).number).second ? 0 : 1;
      }
      failed = storage::DriverErrorClass() != 1;
    } catch (const storage::EDBError&) {
      failed = true;  // damage beyond repair ends the walk
    }
    EXPECT_EQ(twice, 0);
    EXPECT_LE(steps, kRecords);
    EXPECT_TRUE(failed || seen.size() == kRecords) << seen.size() << " records";
    d.reset();
    storage::CloseAllDrivers();
  }
}

// One flipped bit in a record's key or in the walked key's entry of a record (numbered 348 unless
// the row says otherwise), in a log of 608 numbers (number 5 deleted, so that a rebuild renumbers
// the records) and 61 calls: the walk finds the damage, the files are repaired, and the walk goes
// on from the entry it delivered last. Every record comes; only the damaged one may come twice.
// Damage to the walked key's tree (a child pointer, its root page, its header's root number) may
// send the walk past records it cannot come back to: then the walk may end with an error once the
// files are repaired, but never as a complete walk with records missing; the walk stays ended, and
// its further steps give an error without repairing the files again. The same holds for a file
// whose files are closed and opened again between the steps, as the open-file budget does.
struct DamageRow {
  const char* name;
  bool shared;
  int key;
  bool backwards;
  // 'd' data, 'i' index (the record's entry of the walked key), 'h' the walked key's header, 'r'
  // its root page, zeroed
  char file;
  // In the record, from the entry's reference (its text from 9; -4 before the first entry of a
  // page is the page's leftmost child), or in the header (the root's number at 16, the number of
  // entries at 22).
  int offset;
  std::uint8_t bit;
  int record = 348;  // its number and its reference
  int records = 608;
  bool or_error = false;
  const char* start = nullptr;  // a search for it begins the walk, not the first (last) record
  bool reopened = false;        // the files closed and opened again between the steps
  // Walked under the program's file lock, which lets no repair run; given back after the error.
  bool locked = false;
  // Once the lock is given back, another user rewrites a record ('c') or repairs the files in
  // place ('r'), and the files are closed and opened again before the next step, which so learns
  // of that before any repair of its own.
  char after_lock = 0;
  // Another station repairs the shared files in place before the walk's read of that record.
  int repaired_by_another = 0;
};

class DamagedWalkTest : public DriverTest, public ::testing::WithParamInterface<DamageRow> {
 protected:
  // Where the key header of `key` lies in the bytes of an index: the slices of the keys before it,
  // each a page long (from its header's page size at 12).
  static std::size_t KeyHeaderAt(const std::string& index, int key) {
    std::size_t at = 0;
    for (int k = 1; k < key; ++k) at += common::ReadLeInt32(index.data() + at + 12);
    return at;
  }
  static void Damage(const DamageRow& row, std::string& bytes, std::size_t at) {
    if (row.file != 'r') {
      bytes[at + row.offset] = static_cast<char>(bytes[at + row.offset] ^ row.bit);
      return;
    }
    std::size_t frame = 0;
    for (int k = 1; k <= 3; ++k) frame += common::ReadLeInt32(bytes.data() + frame + 12);
    const std::size_t header = KeyHeaderAt(bytes, row.key);
    const std::int32_t root = common::ReadLeInt32(bytes.data() + header + 16);
    const std::int32_t page_size = common::ReadLeInt32(bytes.data() + header + 12);
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(root * frame + header), page_size,
                '\0');
  }
  // Another user of the shared files, through the engine: under its write lock it rewrites record
  // 2 as it stands, or (`repair`) marks the files for the repair and repairs them in place, as a
  // station that met the damage does.
  void AnotherUser(bool repair) {
    storage::EngineOpenOptions shared;
    shared.shared = true;
    const storage::FileblockHandle other = engine_->Open(folder_.path() + "/PXLK", shared);
    engine_->LockFile(other);
    if (repair) {
      engine_->MarkForRebuild(other);
      engine_->RepairInPlace(other, false, TestKeys, {});
    } else {
      TestRec r;
      engine_->GetRecord(other, 2, reinterpret_cast<std::uint8_t*>(&r));
      engine_->PutRecord(other, 2, reinterpret_cast<const std::uint8_t*>(&r));
      engine_->UnlockFile(other);
    }
    engine_->Close(other);
    ASSERT_TRUE(engine_->Ok());
  }
};

TEST_P(DamagedWalkTest, DeliversEveryRecordAndGoesOnFromItsLastEntry) {
  const DamageRow& row = GetParam();
  ASSERT_NO_FATAL_FAILURE(AddNamedRecords(*OpenTest("PXLK"), row.records));
  storage::CloseAllDrivers();
  const std::string file = row.file == 'd' ? "PXLK.DAT" : "PXLK.IX";
  std::string bytes = Bytes(file);
  TestRec damaged;
  damaged.number = row.record;
  damaged.call = "C" + std::to_string(row.record % 61);
  damaged.band = "A";
  std::string text;
  TestKeys(reinterpret_cast<const std::uint8_t*>(&damaged), static_cast<std::uint16_t>(row.key),
           text);
  const std::size_t at = row.file == 'd'   ? row.record * sizeof(TestRec)
                         : row.file == 'i' ? EntryAt(bytes, text, row.record)
                                           : KeyHeaderAt(bytes, row.key);
  ASSERT_LT(at + row.offset, bytes.size());
  Damage(row, bytes, at);
  common::testing::WriteFile(folder_ / file, bytes);
  WrittenLongAgo("PXLK");

  auto d = OpenTest("PXLK", row.shared);
  std::map<int, int> seen;
  bool failed = false;
  if (row.locked) {
    ASSERT_TRUE(d->LockFile());
  }
  int reads = 0;
  engine_->inject = [&](const std::string& op) {
    if (op == "GetRecord" && ++reads == row.repaired_by_another) AnotherUser(true);
    return 0;
  };
  try {
    seen = WalkNamed(*d, row.key, row.backwards, 2 * row.records, row.start, row.reopened);
    failed = storage::DriverErrorClass() != 1;
  } catch (const storage::EDBError&) {
    failed = true;
  }
  engine_->inject = nullptr;
  if (row.locked) {
    ASSERT_TRUE(d->UnlockFile());
  }
  if (row.after_lock != 0) {
    ASSERT_NO_FATAL_FAILURE(AnotherUser(row.after_lock == 'r'));
    storage::CloseAllDrivers();
  }
  if (failed) {
    for (const bool next : {true, true, true, false}) {
      EXPECT_THROW(next ? d->NextRecord(row.key) : d->PrevRecord(row.key), storage::EDBError);
    }
    EXPECT_EQ(engine_->calls["Rebuild"] + engine_->calls["RepairInPlace"], 1);
    EXPECT_EQ(std::count(questions.begin(), questions.end(), 5), row.shared ? 0 : 1);
    // The driver opened anew walks no more: its step goes on from where the key's position stands.
    d->Destroy();
    ASSERT_TRUE(OpenTestFile(*d, Params("PXLK", row.shared)));
    EXPECT_NO_THROW(d->NextRecord(row.key));
  }
  d.reset();
  EXPECT_EQ(Check(), "");
  if (failed && row.or_error) return;
  EXPECT_FALSE(failed);  // the walk ended as a complete walk does
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(row.records - 1));
  for (const auto& [i, times] : seen) EXPECT_TRUE(times == 1 || i == row.record) << "record " << i;
  EXPECT_LE(seen[row.record], 2);
}

// The data rows flip the number (offset 4) to 1,048,924 or below 0, or the call's first character.
// The entry text rows make "A"+348 sort after every key 3 text ("a") or before ("@"), or the text
// of 349 or 344; "C43" sort after every call ("S43"), before ("B43"), or among "C53"; and the first
// number's text sort after every other one, the last number's before.
const DamageRow kDamage[] = {
    {"NumberUpForwards", false, 1, false, 'd', 6, 0x10},
    {"NumberDownForwards", true, 1, false, 'd', 7, 0x80},
    {"NumberDownBackwards", false, 1, true, 'd', 7, 0x80},
    {"CallUpBackwards", false, 2, true, 'd', 9, 0x10},
    {"EntryReferenceForwards", true, 3, false, 'i', 0, 0x80},
    {"EntryReferenceBackwards", false, 3, true, 'i', 0, 0x80},
    {"EntryTextAfterForwards", false, 3, false, 'i', 9, 0x20},
    {"EntryTextAfterBackwards", true, 3, true, 'i', 9, 0x20},
    {"EntryTextBeforeForwards", true, 3, false, 'i', 9, 0x01},
    {"EntryTextBeforeBackwards", false, 3, true, 'i', 9, 0x01},
    {"EntryTextOfTheNextForwards", false, 3, false, 'i', 14, 0x01},
    {"EntryTextOfTheNextBackwards", true, 1, true, 'i', 13, 0x01},
    {"EntryTextOfAnEarlierForwards", true, 1, false, 'i', 13, 0x04},
    {"EntryTextOfAnEarlierBackwards", false, 3, true, 'i', 14, 0x04},
    {"DuplicateTextAfterForwards", false, 2, false, 'i', 9, 0x10},
    {"DuplicateTextAfterBackwards", true, 2, true, 'i', 9, 0x10},
    {"DuplicateTextBeforeForwards", true, 2, false, 'i', 9, 0x01},
    {"DuplicateTextBeforeBackwards", false, 2, true, 'i', 9, 0x01},
    {"DuplicateTextOfOthersForwards", false, 2, false, 'i', 10, 0x01},
    {"DuplicateTextOfOthersBackwards", true, 2, true, 'i', 10, 0x01},
    {"FirstEntryTextAfterAll", false, 1, false, 'i', 9, 0x40, 1},
    {"LastEntryTextBeforeAll", true, 1, true, 'i', 9, 0x01, 608},
    // Key 2's root (page 3) leads to page 1 left of its first entry, "C13" of 135: page 5 instead
    // is reached twice, and the walk goes back from its last entry to "C13". A walk from a search
    // for "C0" begins on page 5 as well.
    {"ChildPointerSendsTheWalkBack", false, 2, false, 'i', -4, 0x04, 135, 608, true},
    {"ChildPointerSendsTheWalkBackShared", true, 2, false, 'i', -4, 0x04, 135, 608, true},
    {"ChildPointerSendsAWalkFromASearchBack", false, 2, false, 'i', -4, 0x04, 135, 608, true, "C0"},
    {"ZeroedRootOfAOnePageKey", false, 1, false, 'r', 0, 0, 1, 20},
    {"ZeroedRootOfAOnePageKeyBackwards", true, 1, true, 'r', 0, 0, 1, 20},
    {"ZeroedRootOfADeeperKey", false, 3, false, 'r', 0, 0},
    {"ZeroedRootOfADeeperKeyShared", true, 2, true, 'r', 0, 0},
    // The header counts 639 or 603 entries for the tree's 607: repaired, and the walk is complete.
    {"EntryCountAboveTheTree", false, 1, false, 'h', 22, 0x20},
    {"EntryCountBelowTheTreeBackwards", true, 2, true, 'h', 22, 0x04},
    // The root's number 3 becomes 2 or 7, pages of the key.
    {"RootNumberNamingAnotherPage", false, 1, false, 'h', 16, 0x01, 348, 608, true},
    {"RootNumberNamingAnotherPageBackwards", true, 3, true, 'h', 16, 0x04, 348, 608, true},
    // The files closed and opened again between the steps.
    {"CallUpBackwardsReopened", false, 2, true, 'd', 9, 0x10, 348, 608, false, nullptr, true},
    {"EntryTextAfterForwardsReopened", false, 3, false, 'i', 9, 0x20, 348, 608, false, nullptr,
     true},
    {"DuplicateTextBeforeBackwardsReopened", false, 2, true, 'i', 9, 0x01, 348, 608, false,
     nullptr, true},
    {"EntryTextBeforeForwardsSharedReopened", true, 3, false, 'i', 9, 0x01, 348, 608, false,
     nullptr, true},
    {"ZeroedRootOfADeeperKeyReopened", false, 3, false, 'r', 0, 0, 348, 608, false, nullptr, true},
    {"EntryCountAboveTheTreeReopened", false, 1, false, 'h', 22, 0x20, 348, 608, false, nullptr,
     true},
    {"ChildPointerSendsTheWalkBackReopened", false, 2, false, 'i', -4, 0x04, 135, 608, true,
     nullptr, true},
    {"RootNumberNamingAnotherPageSharedReopened", true, 3, true, 'h', 16, 0x04, 348, 608, true,
     nullptr, true},
    // Walked under the program's file lock: the repair waits for the step after the lock is given
    // back.
    {"ChildPointerSendsTheWalkBackSharedLocked", true, 2, false, 'i', -4, 0x04, 135, 608, true,
     nullptr, false, true},
    // Another user's change before that step is no repair: the step repairs the files all the same;
    // another user's repair is one, and the step repairs nothing.
    {"ChildPointerSendsTheWalkBackSharedLockedThenChanged", true, 2, false, 'i', -4, 0x04, 135, 608,
     true, nullptr, false, true, 'c'},
    {"ChildPointerSendsTheWalkBackSharedLockedThenRepairedByAnother", true, 2, false, 'i', -4, 0x04,
     135, 608, true, nullptr, false, true, 'r'},
    // Another station repairs the files in place early in the walk, which had passed part of the
    // tree unseen: the walk ends with the error, not as a complete one.
    {"ChildPointerSendsTheWalkBackRepairedByAnother", true, 2, false, 'i', -4, 0x04, 135, 608, true,
     nullptr, false, false, 0, 10},
};
INSTANTIATE_TEST_SUITE_P(Bits, DamagedWalkTest, ::testing::ValuesIn(kDamage), RowName);

// A file of this station alone, walked backwards along key 2 over R5..R0 (numbers 1 to 6): R1's
// call reads "Q1" and R2 carries R0's number. The walk delivers R2 and finds R1 misnamed; the
// rebuild renumbers the records and drops R2, whose number R0 holds, so that the walk's entry names
// no record of its text any more. That is the station's own repair, not damage: the walk goes on
// and delivers every record the file holds.
TEST_F(DriverTest, AWalkOfAFileNotSharedGoesOnAcrossItsOwnRebuild) {
  {
    auto d = OpenTest("PXLK");
    for (int i = 0; i < 6; ++i) Add(*d, "R" + std::to_string(i));
  }
  storage::CloseAllDrivers();
  std::string data = Bytes("PXLK.DAT");
  TestRec r1;
  std::memcpy(&r1, data.data() + 2 * sizeof(TestRec), sizeof r1);
  r1.call = "Q1";
  std::memcpy(data.data() + 2 * sizeof(TestRec), &r1, sizeof r1);
  std::memcpy(data.data() + 3 * sizeof(TestRec) + 4, data.data() + sizeof(TestRec) + 4, 4);
  common::testing::WriteFile(folder_ / "PXLK.DAT", data);
  auto d = OpenTest("PXLK");
  Texts calls;
  for (bool ok = d->LastRecord(2); ok; ok = d->PrevRecord(2)) calls.push_back(Rec(*d).call.str());
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_EQ(calls, (Texts{"R5", "R4", "R3", "R2", "R0", "Q1"}));
  EXPECT_EQ(engine_->calls["Rebuild"], 1);
  EXPECT_EQ(Check(), "");
  Texts held;
  for (bool ok = d->LastRecord(2); ok; ok = d->PrevRecord(2)) held.push_back(Rec(*d).call.str());
  EXPECT_EQ(held, (Texts{"R5", "R4", "R3", "R0", "Q1"}));
}

// A walk held while its files were closed: another opener renames the record the walk delivered
// last, which moves ahead or behind along the key, or deletes it; for a file of this station alone
// while its files are closed, for a shared one after the walk's last step and long before its
// close, so that only the change that its last lock did not see tells it. The files read anew are
// no damage: the walk goes on from its entry.
TEST_F(DriverTest, AWalkGoesOnAfterAnotherOpenerChangedItsRecordAroundAClose) {
  const std::pair<const char*, Texts> changes[] = {
      {"R9", {"R0", "R1", "R2", "R3", "R4", "R5", "R9"}},
      {"P", {"R0", "R1", "R2", "R3", "R4", "R5"}},
      {"", {"R0", "R1", "R2", "R3", "R4", "R5"}}};  // deleted
  for (const bool shared : {false, true}) {
    for (const auto& [renamed, expected] : changes) {
      SCOPED_TRACE(std::string(shared ? "shared, " : "") + "R2 becomes " + renamed);
      const std::string path = std::string(shared ? "S" : "W") + renamed;
      auto d = OpenTest("PXLK", shared, path);
      for (int i = 0; i < 6; ++i) Add(*d, "R" + std::to_string(i));
      storage::CloseAllDrivers();
      WrittenLongAgo(path);
      Texts calls;
      for (bool ok = d->FirstRecord(2); ok; ok = calls.size() < 3 && d->NextRecord(2)) {
        calls.push_back(Rec(*d).call.str());
      }
      if (!shared) storage::CloseAllDrivers();
      {
        auto other = OpenTest("OTHER", shared, path);
        ASSERT_TRUE(other->FindRecord(2, "R2"));
        Rec(*other).call = renamed;
        ASSERT_TRUE(*renamed == '\0' ? other->DeleteRecord(0) : other->UpdateRecord());
      }
      if (shared) WrittenLongAgo(path);
      storage::CloseAllDrivers();
      for (bool ok = d->NextRecord(2); ok; ok = d->NextRecord(2)) {
        calls.push_back(Rec(*d).call.str());
      }
      EXPECT_EQ(storage::DriverErrorClass(), 1);
      EXPECT_EQ(calls, expected);
      EXPECT_EQ(engine_->calls["Rebuild"] + engine_->calls["RepairInPlace"], 0);
      EXPECT_EQ(Check(path), "");
    }
  }
}

// Another user changes a shared file while this station closes it, before one of the close's looks
// at the files (their version before the close, the news since the last lock, their version
// after), and its write lies a tick in the past by then, or it came in the step of time of the
// close's first look and left the files' version as it was: the next opening is another
// foreign-change stamp. Without a change the files keep their stamp across the close.
TEST_F(DriverTest, AChangeOfAnotherUserWhileASharedFileClosesIsAnotherStamp) {
  struct CloseRow {
    const char* look;
    int nth;
    // The close's first look lies within the file system's step of time after the files' last
    // write, and the change comes in that step too, a record written again in place: the files
    // show the version they had.
    bool in_step = false;
  };
  const CloseRow rows[] = {
      {"", 0}, {"Written", 1}, {"ChangedSinceLock", 1}, {"Written", 2}, {"Written", 2, true}};
  for (const auto& [look, nth, in_step] : rows) {
    SCOPED_TRACE(std::string(look) + " " + std::to_string(nth) + (in_step ? " in step" : ""));
    const std::string path =
        std::string("S") + look + std::to_string(nth) + (in_step ? "InStep" : "");
    auto d = OpenTest("PXLK", true, path);
    Add(*d, "R0");
    storage::CloseAllDrivers();
    WrittenLongAgo(path);
    ASSERT_TRUE(d->FirstRecord(2));
    const std::uint64_t stamp = d->ForeignChangeStamp();
    int looks = 0;
    engine_->before_look = [&, look = std::string(look), nth = nth,
                            in_step = in_step](const std::string& at) {
      if (at != look || ++looks != nth) return;
      const std::filesystem::path files[] = {folder_ / (path + ".DAT"), folder_ / (path + ".IX")};
      const std::filesystem::file_time_type times[] = {std::filesystem::last_write_time(files[0]),
                                                       std::filesystem::last_write_time(files[1])};
      storage::EngineOpenOptions shared;
      shared.shared = true;
      const storage::FileblockHandle other = engine_->Open(folder_.path() + "/" + path, shared);
      TestRec r;
      engine_->LockFile(other);
      engine_->GetRecord(other, 1, reinterpret_cast<std::uint8_t*>(&r));
      if (in_step) {
        engine_->PutRecord(other, 1, reinterpret_cast<const std::uint8_t*>(&r));
      } else {
        engine_->AddRecord(other, reinterpret_cast<const std::uint8_t*>(&r));  // no entry: unwalked
      }
      engine_->UnlockFile(other);
      engine_->Close(other);
      ASSERT_TRUE(engine_->Ok());
      if (!in_step) return WrittenLongAgo(path);
      for (int i = 0; i < 2; ++i) std::filesystem::last_write_time(files[i], times[i]);
    };
    int written = 0;
    engine_->written_seen = [&, in_step = in_step](storage::FilesWritten& files) {
      if (in_step && ++written == 1) files.settled = false;
    };
    storage::CloseAllDrivers();
    engine_->before_look = nullptr;
    engine_->written_seen = nullptr;
    ASSERT_TRUE(d->FirstRecord(2));
    EXPECT_EQ(d->ForeignChangeStamp() != stamp, nth != 0);
  }
}

}  // namespace
}  // namespace storage_test
