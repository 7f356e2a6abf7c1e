// Add, update and delete with their keys, AUTOKEY numbering, other users' changes, undo of
// partial key changes, and positioning by key and in record order.
#include "driver_fixture.h"
#include "storage/db_error.h"

namespace storage_test {
namespace {

using storage::IFDriver;

int FirstError() {
  return common::Service<storage::DriverSystem>::Get().Stack().GetEntry(1).error_number;
}

class MaintenanceTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    d = OpenTest("PXLK");
  }
  // The calls of every record, in key order (key 0: record order).
  std::vector<std::string> Walk(int key, bool backwards = false) {
    std::vector<std::string> calls;
    bool ok = backwards ? d->LastRecord(key) : d->FirstRecord(key);
    while (ok) {
      calls.push_back(Rec(*d).call.str());
      ok = backwards ? d->PrevRecord(key) : d->NextRecord(key);
    }
    return calls;
  }
  // Every key entry names a record whose key text it is, and every record has its entries.
  void ExpectKeysMatchRecords() {
    auto& f = engine_->FileOf("/db/PXLK");
    std::size_t used = 0;
    for (std::size_t ref = 1; ref < f.slots.size(); ++ref) {
      const auto& rec = f.slots[ref];
      if (rec[0] || rec[1] || rec[2] || rec[3]) continue;
      ++used;
      for (int k = 1; k <= 3; ++k) {
        std::string text;
        TestKeys(rec.data(), static_cast<std::uint16_t>(k), text);
        const auto& ix = f.index[k - 1];
        EXPECT_TRUE(std::any_of(ix.begin(), ix.end(),
                                [&](const auto& e) {
                                  return e.text == text && e.ref == static_cast<std::int32_t>(ref);
                                }))
            << "key " << k << " of record " << ref;
      }
    }
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(f.index[k - 1].size(), used) << "key " << k;
  }
  std::unique_ptr<IFDriver> d;
};

TEST_F(MaintenanceTest, AutoKeyWithAnEmptyPrefixNumbersTheWholeFile) {
  EXPECT_EQ(Add(*d, "DL1A", "A"), 1);
  EXPECT_EQ(Add(*d, "DL1B", "B"), 2);
  ASSERT_TRUE(d->FindRecord(2, "DL1B"));
  ASSERT_TRUE(d->DeleteRecord(0));
  EXPECT_EQ(Add(*d, "DL1C", "A"), 2);  // after the highest number left, not a counter
  EXPECT_EQ(Add(*d, "DL1D", "A"), 3);
}

class BandAutoKeyTest : public DriverTest {
 protected:
  // A driver whose only AUTOKEY is key 3: the band, then the number.
  void SetUp() override {
    DriverTest::SetUp();
    ASSERT_TRUE(k.Open(Params("PXBAND")));
    ASSERT_TRUE(k.DefineKey(1, 5, true));
    ASSERT_TRUE(k.DefineKey(2, 10, true));
    ASSERT_TRUE(k.DefineKey(3, 8, false));
    ASSERT_TRUE(k.SetAutoKeyField(3, 4));
  }
  IFDriver k;
};

TEST_F(BandAutoKeyTest, NumbersFollowTheHighestUnderTheSamePrefix) {
  EXPECT_EQ(Add(k, "A1", "20"), 1);
  EXPECT_EQ(Add(k, "A2", "20"), 2);
  EXPECT_EQ(Add(k, "B1", "40"), 1);
  EXPECT_EQ(Add(k, "A3", "20"), 3);
  EXPECT_EQ(Add(k, "B2", "40"), 2);
  EXPECT_EQ(Add(k, "C1", "15"), 1);
}

TEST_F(BandAutoKeyTest, AnEntryUnderThePrefixThatDoesNotEndInANumberIs24592) {
  Add(k, "A1", "20");
  k.ClearRecord();
  Rec(k).call = "C1";
  Rec(k).band = "2";  // "20" + number lies under the prefix "2" with 6 characters after it
  EXPECT_THROW(k.AddRecord(), storage::EDBError);
  EXPECT_EQ(FirstError(), 24592);
  EXPECT_EQ(k.CurrentRef(), -1);
  EXPECT_EQ(k.UsedRecs(), 1);
}

TEST_F(BandAutoKeyTest, TheHighestNumberCannotBeFollowed) {
  EXPECT_EQ(Add(k, "A1", "20"), 1);
  k.ClearRecord();
  Rec(k).call = "TOP";
  Rec(k).band = "30";
  ASSERT_TRUE(k.AddRecord());
  ASSERT_TRUE(k.FindRecord(2, "TOP"));
  Rec(k).number = 2147483647;
  ASSERT_TRUE(k.UpdateRecord());
  k.ClearRecord();
  Rec(k).band = "30";
  EXPECT_THROW(k.AddRecord(), storage::EDBError);
  EXPECT_EQ(FirstError(), 24592);
}

struct RefusalRow {
  const char* name;
  std::function<bool(IFDriver&)> call;
  int error;
};

class RefusalTest : public MaintenanceTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(RefusalTest, RefusedWithItsNumberAndNothingWritten) {
  Add(*d, "DL1A");
  const auto before = engine_->FileOf("/db/PXLK").slots;
  EXPECT_THROW(GetParam().call(*d), storage::EDBError);
  EXPECT_EQ(FirstError(), GetParam().error);
  EXPECT_EQ(engine_->FileOf("/db/PXLK").slots, before);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, RefusalTest,
    ::testing::Values(RefusalRow{"AddWithLink",
                                 [](IFDriver& d) {
                                   d.RecordBuffer()[2] = 1;
                                   return d.AddRecord();
                                 },
                                 28689},
                      RefusalRow{"UpdateWithLink",
                                 [](IFDriver& d) {
                                   d.RecordBuffer()[0] = 7;
                                   return d.UpdateRecord();
                                 },
                                 28692},
                      RefusalRow{"SavePositionBadKey",
                                 [](IFDriver& d) {
                                   d.SavePosition(9);
                                   return true;
                                 },
                                 28709},
                      RefusalRow{"DeleteRepositioningOnABadKey",
                                 [](IFDriver& d) {
                                   try {
                                     d.FirstRecord(7);  // 28709, and the current key is 7
                                   } catch (const storage::EDBError&) {
                                   }
                                   return d.DeleteRecord(3);
                                 },
                                 28714}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MaintenanceTest, UpdateWithoutCurrentRecord) {
  EXPECT_THROW(d->UpdateRecord(), storage::EDBError);
  EXPECT_EQ(FirstError(), 28691);
}

TEST_F(MaintenanceTest, UpdateEqualToTheBeforeImageWritesNothing) {
  Add(*d, "DL1A");
  const int puts = engine_->calls["PutRecord"];
  const int keys = engine_->calls["AddKey"];
  EXPECT_TRUE(d->UpdateRecord());
  EXPECT_EQ(engine_->calls["PutRecord"], puts);
  EXPECT_EQ(engine_->calls["AddKey"], keys);
}

TEST_F(MaintenanceTest, UpdateRewritesOnlyTheChangedKeys) {
  Add(*d, "DL1A");
  Rec(*d).call = "DL9Z";
  const int adds = engine_->calls["AddKey"];
  ASSERT_TRUE(d->UpdateRecord());
  EXPECT_EQ(engine_->calls["AddKey"] - adds, 1);
  EXPECT_TRUE(d->FindRecord(2, "DL9Z"));
  EXPECT_FALSE(d->FindRecord(2, "DL1A"));
  ExpectKeysMatchRecords();
}

TEST_F(MaintenanceTest, KeyFailureInTheMiddleOfAnAddUndoesEverything) {
  Add(*d, "DL1A");
  const auto slots = engine_->FileOf("/db/PXLK").slots.size();
  int adds = 0;
  engine_->inject = [&](const std::string& op) {
    return op == "AddKey" && ++adds == 3 ? 10075 : 0;
  };
  d->ClearRecord();
  Rec(*d).call = "DL2B";
  EXPECT_THROW(d->AddRecord(), storage::EDBError);
  EXPECT_EQ(FirstError(), 10075);
  EXPECT_EQ(engine_->Error(), 10075);
  EXPECT_EQ(d->CurrentRef(), -1);
  engine_->inject = nullptr;
  EXPECT_EQ(d->UsedRecs(), 1);
  EXPECT_EQ(engine_->FileOf("/db/PXLK").slots.size(), slots + 1);  // slot given back to the chain
  ExpectKeysMatchRecords();
}

TEST_F(MaintenanceTest, DuplicateKeyOnUpdateChangesNothing) {
  Add(*d, "DL1A", "A");
  Add(*d, "DL2B", "A");
  Add(*d, "DL3C", "B");
  ASSERT_TRUE(d->FindRecord(2, "DL2B"));
  Rec(*d).call = "DL7X";
  Rec(*d).band = "B";
  Rec(*d).number = 3;  // key 1 changes to 3 (the third record has 3: a collision on key 1)
  EXPECT_FALSE(d->UpdateRecord());
  EXPECT_EQ(storage::DriverErrorClass(), 1);  // a duplicate is not serious
  EXPECT_EQ(FirstError(), 10230);
  ExpectKeysMatchRecords();
  EXPECT_TRUE(d->FindRecord(2, "DL2B"));
}

TEST_F(MaintenanceTest, KeyFailureAfterSomeKeysChangedUndoesThem) {
  Add(*d, "DL1A", "A");
  Add(*d, "DL2B", "A");
  ASSERT_TRUE(d->FindRecord(2, "DL1A"));
  Rec(*d).call = "DL7X";  // key 2 changes
  Rec(*d).band = "Q";     // key 3 changes; its add fails
  int adds = 0;
  engine_->inject = [&](const std::string& op) {
    return op == "AddKey" && ++adds == 2 ? 10075 : 0;
  };
  EXPECT_THROW(d->UpdateRecord(), storage::EDBError);
  engine_->inject = nullptr;
  EXPECT_EQ(FirstError(), 10075);
  EXPECT_TRUE(d->FindRecord(2, "DL1A"));
  EXPECT_FALSE(d->FindRecord(2, "DL7X"));
  ExpectKeysMatchRecords();
}

TEST_F(MaintenanceTest, FailedPutChangesTheKeysBack) {
  Add(*d, "DL1A");
  Rec(*d).call = "DL7X";
  engine_->inject = [](const std::string& op) { return op == "PutRecord" ? 10075 : 0; };
  EXPECT_THROW(d->UpdateRecord(), storage::EDBError);
  engine_->inject = nullptr;
  EXPECT_TRUE(d->FindRecord(2, "DL1A"));
  ExpectKeysMatchRecords();
}

TEST_F(MaintenanceTest, UpdateOfARecordAnotherUserChangedFailsWith12309) {
  Add(*d, "DL1A");
  const std::int32_t ref = d->CurrentRef();
  // Another user changed the stored record.
  auto& slot = engine_->FileOf("/db/PXLK").slots[ref];
  slot[30] = 'Z';
  Rec(*d).call = "MINE";
  EXPECT_FALSE(d->UpdateRecord());
  EXPECT_EQ(FirstError(), 12309);
  EXPECT_EQ(d->RecordBuffer()[30], 'Z');  // the buffer shows the record as it now stands
  EXPECT_EQ(Rec(*d).call, "DL1A");
  EXPECT_EQ(engine_->FileOf("/db/PXLK").slots[ref][30], 'Z');
  // Taken over, the record can now be updated.
  Rec(*d).call = "MINE";
  EXPECT_TRUE(d->UpdateRecord());
  ExpectKeysMatchRecords();
}

TEST_F(MaintenanceTest, UpdateOfADeletedRecordAsksAndAddsItAnew) {
  Add(*d, "DL1A");
  Add(*d, "DL2B");
  ASSERT_TRUE(d->FindRecord(2, "DL1A"));
  const std::int32_t ref = d->CurrentRef();
  // Another user deleted it (its keys too).
  auto& f = engine_->FileOf("/db/PXLK");
  f.slots[ref][0] = 0xFF;
  for (auto& ix : f.index) std::erase_if(ix, [&](const auto& e) { return e.ref == ref; });
  answer_yes = true;
  Rec(*d).call = "DL1NEW";
  ASSERT_TRUE(d->UpdateRecord());
  ASSERT_EQ(questions.back().reason, 4);
  EXPECT_NE(d->CurrentRef(), ref);
  EXPECT_EQ(Rec(*d).number, 3);
  EXPECT_TRUE(d->FindRecord(2, "DL1NEW"));
  answer_yes = false;
  ASSERT_TRUE(d->FindRecord(2, "DL2B"));
  const std::int32_t ref2 = d->CurrentRef();
  engine_->FileOf("/db/PXLK").slots[ref2][0] = 0xFF;
  Rec(*d).call = "GONE";
  EXPECT_FALSE(d->UpdateRecord());
  EXPECT_EQ(FirstError(), 12289);
}

TEST_F(MaintenanceTest, FindRecordMatchesTheBeginningOfTheKey) {
  Add(*d, "ABC");
  EXPECT_TRUE(d->FindRecord(2, "AB"));
  EXPECT_EQ(Rec(*d).call, "ABC");
  d->ClearRecord();
  Add(*d, "AC");
  d->DeleteRecord(0);
  ASSERT_TRUE(d->FindRecord(2, "ABC"));
  ASSERT_TRUE(d->DeleteRecord(0));
  Add(*d, "AC");
  EXPECT_FALSE(d->FindRecord(2, "AB"));
  EXPECT_EQ(FirstError(), 12292);
  EXPECT_FALSE(d->FindRecord(2, "ZZ"));
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_TRUE(d->SearchRecord(2, "AB"));
  EXPECT_EQ(Rec(*d).call, "AC");
}

TEST_F(MaintenanceTest, NavigationInKeyOrderAndRecordOrder) {
  for (const char* call : {"DL3", "DL1", "DL4", "DL2"}) Add(*d, call);
  EXPECT_EQ(Walk(2), (std::vector<std::string>{"DL1", "DL2", "DL3", "DL4"}));
  EXPECT_EQ(Walk(2, true), (std::vector<std::string>{"DL4", "DL3", "DL2", "DL1"}));
  EXPECT_EQ(Walk(0), (std::vector<std::string>{"DL3", "DL1", "DL4", "DL2"}));
  EXPECT_EQ(Walk(0, true), (std::vector<std::string>{"DL2", "DL4", "DL1", "DL3"}));
  EXPECT_EQ(FirstError(), 12357);
  // A step on another key starts from the current record, not from that key's old position.
  ASSERT_TRUE(d->FindRecord(2, "DL2"));  // number 4
  ASSERT_TRUE(d->PrevRecord(1));
  EXPECT_EQ(Rec(*d).call, "DL4");  // number 3
}

TEST_F(MaintenanceTest, PhysicalStepWithoutCurrentRecord) {
  Add(*d, "DL1");
  ASSERT_TRUE(d->DeleteRecord(0));
  EXPECT_THROW(d->NextRecord(0), storage::EDBError);
  EXPECT_EQ(FirstError(), 28742);
}

struct DeleteRow {
  const char* name;
  int key;
  int mode;
  const char* current;  // after the delete, "" for none
  int error_class;
};

class DeleteModeTest : public MaintenanceTest, public ::testing::WithParamInterface<DeleteRow> {};

// Records in record order DL3 DL1 DL5 DL2 DL4; the middle one in key order is DL3, in record
// order DL5. Each row deletes it.
TEST_P(DeleteModeTest, RepositionsByMode) {
  for (const char* call : {"DL3", "DL1", "DL5", "DL2", "DL4"}) Add(*d, call);
  const DeleteRow& row = GetParam();
  if (row.key == 0) {
    ASSERT_TRUE(d->GetRecord(3));  // DL5
    ASSERT_TRUE(d->FirstRecord(0));
    ASSERT_TRUE(d->NextRecord(0));
    ASSERT_TRUE(d->NextRecord(0));
  } else {
    ASSERT_TRUE(d->FindRecord(row.key, "DL3"));
  }
  const std::string victim = Rec(*d).call.str();
  d->DeleteRecord(row.mode);
  EXPECT_EQ(storage::DriverErrorClass(), row.error_class);
  EXPECT_FALSE(d->FindRecord(2, victim));
  if (*row.current == 0) {
    EXPECT_EQ(d->CurrentRef(), -1);
  } else {
    ASSERT_NE(d->CurrentRef(), -1);
    d->GetRecord(d->CurrentRef());
    EXPECT_EQ(Rec(*d).call, row.current);
  }
  ExpectKeysMatchRecords();
}

INSTANTIATE_TEST_SUITE_P(Modes, DeleteModeTest,
                         ::testing::Values(DeleteRow{"KeyMode0", 2, 0, "", 0},
                                           DeleteRow{"KeyMode1Last", 2, 1, "DL5", 0},
                                           DeleteRow{"KeyMode2First", 2, 2, "DL1", 0},
                                           DeleteRow{"KeyMode3Next", 2, 3, "DL4", 0},
                                           DeleteRow{"KeyMode4Prev", 2, 4, "DL2", 0},
                                           DeleteRow{"RecordMode0", 0, 0, "", 0},
                                           DeleteRow{"RecordMode1Last", 0, 1, "DL4", 0},
                                           DeleteRow{"RecordMode2First", 0, 2, "DL3", 0},
                                           DeleteRow{"RecordMode3Next", 0, 3, "DL2", 0},
                                           DeleteRow{"RecordMode4Prev", 0, 4, "DL1", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MaintenanceTest, DeleteMode3OnTheLastRecordEndsWithClass1) {
  Add(*d, "DL1");
  Add(*d, "DL2");
  ASSERT_TRUE(d->LastRecord(2));
  EXPECT_FALSE(d->DeleteRecord(3));
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_FALSE(d->FindRecord(2, "DL2"));
  EXPECT_EQ(d->UsedRecs(), 1);
}

TEST_F(MaintenanceTest, DeleteUsesTheStoredKeysEvenWhenTheBufferWasChanged) {
  Add(*d, "DL1");
  Add(*d, "DL2");
  ASSERT_TRUE(d->FindRecord(2, "DL1"));
  Rec(*d).call = "EDITED";
  ASSERT_TRUE(d->DeleteRecord(0));
  ExpectKeysMatchRecords();
  EXPECT_EQ(engine_->Keys("/db/PXLK", 2).size(), 1u);
}

TEST_F(MaintenanceTest, DeleteOfARecordChangedByAnotherUserIsRefused) {
  Add(*d, "DL1");
  engine_->FileOf("/db/PXLK").slots[d->CurrentRef()][35] = 'Q';
  EXPECT_FALSE(d->DeleteRecord(0));
  EXPECT_EQ(FirstError(), 12309);
  EXPECT_EQ(d->UsedRecs(), 1);
  EXPECT_EQ(d->RecordBuffer()[35], 'Q');
}

TEST_F(MaintenanceTest, FailedKeyDeletePutsTheDeletedKeysBack) {
  Add(*d, "DL1");
  int deletes = 0;
  engine_->inject = [&](const std::string& op) {
    return op == "DeleteKey" && ++deletes == 2 ? 10075 : 0;
  };
  EXPECT_THROW(d->DeleteRecord(0), storage::EDBError);
  engine_->inject = nullptr;
  EXPECT_EQ(d->UsedRecs(), 1);
  ExpectKeysMatchRecords();
}

TEST_F(MaintenanceTest, AMissingKeyEntryIsMarkedNotAnError) {
  Add(*d, "DL1");
  engine_->FileOf("/db/PXLK").index[1].clear();  // key 2 lost its entry
  EXPECT_TRUE(d->DeleteRecord(0));
  EXPECT_TRUE(system_->Stack().MissingKeyMark());
  EXPECT_EQ(d->UsedRecs(), 0);
}

TEST_F(MaintenanceTest, ARecordLockedByAnotherUserIsReadWithItsLinkAsZero) {
  Add(*d, "DL1");
  Add(*d, "DL2");
  engine_->FileOf("/db/PXLK").foreign_locks.insert(1);
  ASSERT_TRUE(d->FindRecord(2, "DL1"));
  EXPECT_EQ(Rec(*d).call, "DL1");
  ASSERT_TRUE(d->LastRecord(0));
  ASSERT_TRUE(d->PrevRecord(0));
  EXPECT_EQ(Rec(*d).call, "DL1");
}

TEST_F(MaintenanceTest, SaveAndRestorePosition) {
  for (const char* call : {"DL3", "DL1", "DL2"}) Add(*d, call);
  ASSERT_TRUE(d->FindRecord(2, "DL2"));
  const storage::DriverPosition pos = d->SavePosition(2);
  EXPECT_EQ(pos.key_text, "DL2");
  EXPECT_EQ(pos.driver, d.get());
  ASSERT_TRUE(d->FirstRecord(2));
  ASSERT_TRUE(d->RestorePosition(pos));
  EXPECT_EQ(Rec(*d).call, "DL2");
  ASSERT_TRUE(d->NextRecord(2));
  EXPECT_EQ(Rec(*d).call, "DL3");
  const storage::DriverPosition physical = d->SavePosition(0);
  ASSERT_TRUE(d->FirstRecord(2));
  ASSERT_TRUE(d->RestorePosition(physical));
  EXPECT_EQ(Rec(*d).call, "DL3");
}

TEST_F(MaintenanceTest, KeyOnlyStepsAndApproximatePositions) {
  for (const char* call : {"A", "B", "C", "D"}) Add(*d, call);
  std::string text = "B";
  std::int32_t ref = 0;
  ASSERT_TRUE(d->FindKeyAndRef(2, text, ref, 1));
  EXPECT_EQ(text, "B");
  ASSERT_TRUE(d->NextKey(2, text, ref));
  EXPECT_EQ(text, "C");
  ASSERT_TRUE(d->PrevKey(2, text, ref));
  EXPECT_EQ(text, "B");
  EXPECT_EQ(d->UsedKeys(2), 4);
  EXPECT_EQ(d->GetApproxRelPos(2, 100, "C", ref), 50);
  ASSERT_TRUE(d->GetApproxKeyAndRef(2, 75, 100, text, ref));
  EXPECT_EQ(text, "D");
}

// --- shared files: every change under the write lock ---

TEST_F(DriverTest, SharedChangesRunUnderTheWriteLockAndReleaseIt) {
  auto s = OpenTest("SHARED", true);
  // The in-memory engine refuses a change of a shared file without its write lock (10398).
  Add(*s, "DL1");
  Add(*s, "DL2");
  EXPECT_EQ(s->FileLockCount(), 0);
  ASSERT_TRUE(s->FindRecord(2, "DL1"));
  Rec(*s).call = "DL9";
  ASSERT_TRUE(s->UpdateRecord());
  EXPECT_EQ(s->FileLockCount(), 0);
  EXPECT_EQ(s->LockCount(), 0);
  ASSERT_TRUE(s->DeleteRecord(0));
  EXPECT_EQ(s->FileLockCount(), 0);
  EXPECT_EQ(s->UsedRecs(), 1);
}

TEST_F(DriverTest, ALockTheUserHoldsIsKeptAfterTheChange) {
  auto s = OpenTest("SHARED", true);
  ASSERT_TRUE(s->LockFile());
  const int locks = engine_->calls["LockFile"];
  Add(*s, "DL1");
  EXPECT_EQ(engine_->calls["LockFile"], locks);
  EXPECT_EQ(s->FileLockCount(), 1);
  ASSERT_TRUE(s->UnlockFile());
  EXPECT_EQ(s->FileLockCount(), 0);
}

TEST_F(DriverTest, FlushAfterEveryWriteClearsTheModifiedMarker) {
  auto s = OpenTest("PXLK");
  Add(*s, "DL1");
  EXPECT_TRUE(engine_->FileOf("/db/PXLK").modified);
  s->SetFlushEachWrite(true);
  EXPECT_TRUE(s->GetFlushEachWrite());
  Add(*s, "DL2");
  EXPECT_FALSE(engine_->FileOf("/db/PXLK").modified);
  auto t = OpenTest("SHARED", true);
  t->SetFlushEachWrite(true);
  Add(*t, "DL1");
  EXPECT_FALSE(engine_->FileOf("/db/SHARED").modified);  // flushed before the lock was released
}

}  // namespace
}  // namespace storage_test

namespace storage_test {
namespace {

// --- variable-length records ---

class VariableRecordTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    storage::DriverOpenParams p = Params("PXVAR");
    p.variable = true;
    p.record_length = 23;  // the section length
    p.buffer_length = 200;
    p.key_count = 2;
    v = std::make_unique<IFDriver>();
    ASSERT_TRUE(v->Open(p));
    ASSERT_TRUE(v->DefineKey(1, 5, false));
    ASSERT_TRUE(v->DefineKey(2, 10, true));
    ASSERT_TRUE(v->SetAutoKeyField(1, 4));
  }
  bool AddText(const std::string& call, const std::string& tail) {
    v->ClearRecord();
    Rec(*v).call = call;
    std::memcpy(v->RecordBuffer() + 40, tail.data(), tail.size());
    return v->SetRecLength(40 + static_cast<int>(tail.size())) && v->AddRecord();
  }
  std::unique_ptr<IFDriver> v;
};

TEST_F(VariableRecordTest, LengthIsCheckedAndNeededForAnAdd) {
  EXPECT_THROW(v->SetRecLength(4), storage::EDBError);
  EXPECT_EQ(FirstError(), 28740);
  EXPECT_THROW(v->SetRecLength(201), storage::EDBError);
  EXPECT_EQ(FirstError(), 28716);
  EXPECT_THROW(v->AddRecord(), storage::EDBError);
  EXPECT_EQ(FirstError(), 28743);
  EXPECT_THROW(v->SetSectionParam(3), storage::EDBError);
  EXPECT_EQ(FirstError(), 28739);
  EXPECT_TRUE(v->SetSectionParam(65520));
}

TEST_F(VariableRecordTest, RecordsKeepTheirLengthsAndAnUpdateMayChangeIt) {
  ASSERT_TRUE(AddText("DL1", std::string(100, 'x')));
  ASSERT_TRUE(AddText("DL2", "short"));
  ASSERT_TRUE(v->FindRecord(2, "DL1"));
  EXPECT_EQ(v->CurrentLength(), 140);
  EXPECT_EQ(v->RecordBuffer()[139], 'x');
  ASSERT_TRUE(v->FindRecord(2, "DL2"));
  EXPECT_EQ(v->CurrentLength(), 45);
  // The same bytes with another length are a change.
  const int puts = engine_->calls["PutRecord"];
  ASSERT_TRUE(v->SetRecLength(60));
  ASSERT_TRUE(v->UpdateRecord());
  EXPECT_EQ(engine_->calls["PutRecord"], puts + 1);
  ASSERT_TRUE(v->FindRecord(2, "DL2"));
  EXPECT_EQ(v->CurrentLength(), 60);
}

// --- the rebuild progress port and the trace hook ---

class RecordingObserver : public storage::RebuildProgressObserver {
 public:
  std::vector<std::pair<int, std::int32_t>> calls;
  void RebuildProgress(std::string_view file_name, int phase, std::int32_t count) override {
    EXPECT_EQ(file_name, "PXLK");
    calls.push_back({phase, count});
  }
};

TEST_F(DriverTest, RebuildOnOpenReportsItsProgress) {
  {
    auto d = OpenTest("PXLK");
    for (const char* call : {"A", "B", "C"}) Add(*d, call);
  }
  engine_->FileOf("/db/PXLK").modified = true;
  RecordingObserver observer;
  auto d = OpenTest("PXLK");
  d->SetRebuildProc(&observer);
  ASSERT_TRUE(d->FirstRecord(1));
  using P = std::pair<int, std::int32_t>;
  EXPECT_EQ(observer.calls, (std::vector<P>{{0, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}}));
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

}  // namespace
}  // namespace storage_test
