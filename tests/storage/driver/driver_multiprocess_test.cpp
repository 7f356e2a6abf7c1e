// Several processes share one file through the driver: AUTOKEY numbers stay unique and dense,
// and an update never overwrites another user's change.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/key_text.h"
#include "tests/storage/driver/driver_fixture.h"

namespace storage_test {
namespace {

using common::testing::ReadFile;

class MultiProcessTest : public DriverTest {
 protected:
  // Starts the peer in the test folder; its standard output goes to "<out>.out".
  pid_t Spawn(std::vector<std::string> args, const std::string& out) {
    args.insert(args.begin(), {DRIVER_PEER_PATH, folder_.path()});
    const std::string out_path = Out(out);
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    return pid;
  }
  static int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::string Out(const std::string& name) const { return folder_ / (name + ".out"); }
};

TEST_F(MultiProcessTest, FiveWritersGetDenseUniqueAutoKeyNumbers) {
  auto d = OpenTest("PXLK", true);
  ASSERT_TRUE(d->Mark());  // creates the file before the writers race for it
  const Texts tags = {"A", "B", "C", "D", "E"};
  std::vector<pid_t> peers;
  for (const std::string& tag : tags) peers.push_back(Spawn({"add", "1000", tag}, tag));
  for (std::size_t i = 0; i < peers.size(); ++i) {
    EXPECT_EQ(Wait(peers[i]), 0) << "peer " << tags[i] << ": " << ReadFile(Out(tags[i]));
  }
  std::int32_t expected = 0;
  for (bool ok = d->FirstRecord(1); ok; ok = d->NextRecord(1))
    ASSERT_EQ(Rec(*d).number, ++expected);
  EXPECT_EQ(expected, 5000);
  EXPECT_EQ(Check(), "");
}

TEST_F(MultiProcessTest, TheSecondUpdateOfOneRecordGets12309AndSeesTheFirst) {
  ASSERT_EQ(Wait(Spawn({"add", "3", "DL"}, "add")), 0);
  const std::string ready = folder_ / "ready";
  const std::string go = folder_ / "go";
  const pid_t second = Spawn({"update", "DL1", "SECOND", ready, go}, "second");
  for (int i = 0; i < 6000 && access(ready.c_str(), F_OK) != 0; ++i) usleep(5000);
  ASSERT_EQ(access(ready.c_str(), F_OK), 0) << "the second peer never read its record";
  ASSERT_EQ(Wait(Spawn({"update", "DL1", "FIRST"}, "first")), 0);
  EXPECT_EQ(ReadFile(Out("first")), "class=0 error=0 call=FIRST\n");
  common::testing::WriteFile(go, "");
  ASSERT_EQ(Wait(second), 0);
  EXPECT_EQ(ReadFile(Out("second")), "class=1 error=12309 call=FIRST\n");
}

// Another station dies inside its add (killed at its third write, the record's): this station's
// next change finds the log unusable and asks; declined, it is told once and its operations fail
// without a question until the repair is asked about again; then it repairs the log in place and
// changes its own record, which keeps its reference.
TEST_F(MultiProcessTest, AStationFindingAnotherCrashedRepairsTheLogAndChangesItsOwnRecord) {
  auto d = OpenTest("PXLK", true);
  for (int i = 0; i < 8; ++i) Add(*d, "R" + std::to_string(i));
  ASSERT_TRUE(d->FindRecord(2, "R2") && d->DeleteRecord(0));  // a free slot before R5
  ASSERT_TRUE(d->FindRecord(2, "R5"));
  const std::int32_t before = d->CurrentRef();
  ASSERT_EQ(Wait(Spawn({"add", "1", "K", "3"}, "killed")), 128 + 9);
  Rec(*d).band = "U";
  questions.clear();
  EXPECT_FALSE(d->UpdateRecord());  // not now: a lock conflict, never EDBError
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  EXPECT_EQ(FirstError(), 10010);
  EXPECT_TRUE(d->RepairDeclined());
  EXPECT_FALSE(d->LockFile());
  EXPECT_FALSE(d->UpdateRecord());
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  EXPECT_EQ(questions, (std::vector<int>{9, 11}));
  answer_yes = true;
  d->AskAboutRepairAgain();
  EXPECT_TRUE(d->UpdateRecord());
  EXPECT_EQ(questions, (std::vector<int>{9, 11, 9}));
  EXPECT_FALSE(d->RepairDeclined());
  EXPECT_EQ(d->CurrentRef(), before);
  // Once more, for a delete, which lets go of its record when it finds the log unusable.
  ASSERT_TRUE(d->FindRecord(2, "R0") && d->DeleteRecord(0));
  ASSERT_TRUE(d->FindRecord(2, "R6"));
  ASSERT_EQ(Wait(Spawn({"add", "1", "K", "3"}, "killed")), 128 + 9);
  EXPECT_TRUE(d->DeleteRecord(0));
  std::vector<std::string> records;
  for (bool ok = d->FirstRecord(1); ok; ok = d->NextRecord(1)) {
    records.push_back(Rec(*d).call.str() + Rec(*d).band.str());
  }
  EXPECT_EQ(records, (Texts{"R1A", "R3A", "R4A", "R5U", "R7A"}));
  EXPECT_EQ(Check(), "");
}

// Another station deletes the record between this station's step along the key and its read of
// the record: no damage, the walk goes past the record.
TEST_F(MultiProcessTest, ARecordDeletedBetweenTheKeyAndItsReadIsPassedOver) {
  auto d = OpenTest("PXLK", true);
  for (int i = 0; i < 5; ++i) Add(*d, "R" + std::to_string(i));
  ASSERT_TRUE(d->FirstRecord(2));
  questions.clear();
  bool deleted = false;
  engine_->inject = [&](const std::string& op) {
    if (op == "GetRecord" && !deleted) {
      deleted = true;
      EXPECT_EQ(Wait(Spawn({"delete", "R1"}, "deleter")), 0) << ReadFile(Out("deleter"));
    }
    return 0;
  };
  Texts calls;
  for (bool ok = d->NextRecord(2); ok; ok = d->NextRecord(2)) calls.push_back(Rec(*d).call.str());
  engine_->inject = nullptr;
  EXPECT_TRUE(deleted);
  EXPECT_EQ(calls, (Texts{"R2", "R3", "R4"}));
  EXPECT_EQ(engine_->calls["Rebuild"], 0);
  EXPECT_TRUE(questions.empty());
}

// Another station changes the record of the entry a find or a walk has just read, before its read
// of the record: the record's slot goes to a new record, or the record is deleted and its number
// (a key without duplicates) given to another record, which the entry names now and which is
// delivered. The sound file is not repaired and nobody is asked.
TEST_F(MultiProcessTest, ARecordReplacedOrRenumberedBetweenTheKeyAndItsReadIsNoDamage) {
  auto d = OpenTest("PXLK", true);
  for (int i = 0; i < 6; ++i) Add(*d, "R" + std::to_string(i));  // numbers 1 to 6
  questions.clear();
  std::vector<Texts> changes;
  engine_->inject = [&](const std::string& op) {
    if (op != "GetRecord") return 0;
    for (const Texts& change : changes) {
      EXPECT_EQ(Wait(Spawn(change, "peer")), 0) << ReadFile(Out("peer"));
    }
    changes.clear();
    return 0;
  };
  changes = {{"delete", "R0"}, {"add", "1", "N"}};  // N0, number 7, in R0's slot
  EXPECT_FALSE(d->FindRecord(2, "R0"));
  EXPECT_EQ(FirstError(), 12292);
  changes = {{"renumber", "R2", "R5"}};
  ASSERT_TRUE(d->FindRecord(1, common::LongIntToKey(3)));
  EXPECT_EQ(Rec(*d).call, "R5");
  ASSERT_TRUE(d->FirstRecord(1) && d->NextRecord(1));  // R1, then R5
  changes = {{"renumber", "R3", "R4"}};
  Texts calls;
  for (bool ok = d->NextRecord(1); ok; ok = d->NextRecord(1)) calls.push_back(Rec(*d).call.str());
  engine_->inject = nullptr;
  EXPECT_EQ(calls, (Texts{"R4", "N0"}));
  EXPECT_EQ(engine_->calls["RepairInPlace"], 0);
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(Check(), "");
}

// Another station changes the record a walk over R0..R9 (numbers 1 to 10) is about to read, between
// its look at the key and its read of the record (the walk's fourth): the record moves ahead or
// behind along the key, or its slot goes to a new record. The walk goes on from the entry, and
// every record nobody changed comes once.
struct ChangeRow {
  const char* name;
  int key;
  bool backwards;
  std::vector<Texts> changes;  // the other station's, one process each
  Texts calls;                 // the walk's
};

class ChangeUnderWalkTest : public MultiProcessTest,
                            public ::testing::WithParamInterface<ChangeRow> {};

TEST_P(ChangeUnderWalkTest, TheWalkGoesOnFromTheEntry) {
  const ChangeRow& row = GetParam();
  auto d = OpenTest("PXLK", true);
  for (int i = 0; i < 10; ++i) Add(*d, "R" + std::to_string(i));
  int reads = 0;
  engine_->inject = [&](const std::string& op) {
    if (op == "GetRecord" && ++reads == 4) {
      for (const Texts& change : row.changes) {
        EXPECT_EQ(Wait(Spawn(change, "peer")), 0) << ReadFile(Out("peer"));
      }
    }
    return 0;
  };
  Texts calls;
  for (bool ok = row.backwards ? d->LastRecord(row.key) : d->FirstRecord(row.key); ok;
       ok = row.backwards ? d->PrevRecord(row.key) : d->NextRecord(row.key)) {
    calls.push_back(Rec(*d).call.str());
  }
  engine_->inject = nullptr;
  EXPECT_EQ(calls, row.calls);
  EXPECT_EQ(storage::DriverErrorClass(), 1);
}

const ChangeRow kChanges[] = {
    {"MovedAhead",
     2,
     false,
     {{"update", "R3", "R9X"}},
     {"R0", "R1", "R2", "R4", "R5", "R6", "R7", "R8", "R9", "R9X"}},
    {"MovedBehind",
     2,
     false,
     {{"update", "R3", "R0X"}},
     {"R0", "R1", "R2", "R4", "R5", "R6", "R7", "R8", "R9"}},
    {"MovedBehindBackwards",
     2,
     true,
     {{"update", "R6", "R9X"}},
     {"R9", "R8", "R7", "R5", "R4", "R3", "R2", "R1", "R0"}},
    {"SlotTakenByANewRecord",
     1,
     false,
     {{"delete", "R3"}, {"add", "1", "N"}},
     {"R0", "R1", "R2", "R4", "R5", "R6", "R7", "R8", "R9", "N0"}},
};
INSTANTIATE_TEST_SUITE_P(Walks, ChangeUnderWalkTest, ::testing::ValuesIn(kChanges), RowName);

// Another station adds a record while this station looks for the last one: the last record is
// found whatever the other station's change does to this station's position in the key.
TEST_F(MultiProcessTest, TheLastRecordIsFoundWhileAnotherStationAdds) {
  auto d = OpenTest("PXLK", true);
  for (int i = 0; i < 3; ++i) Add(*d, "R" + std::to_string(i));
  bool added = false;
  engine_->inject = [&](const std::string& op) {
    if ((op == "PrevKey" || op == "FindKeyAndRef") && !added) {
      added = true;
      EXPECT_EQ(Wait(Spawn({"add", "1", "X"}, "adder")), 0) << ReadFile(Out("adder"));
    }
    return 0;
  };
  ASSERT_TRUE(d->LastRecord(1));
  engine_->inject = nullptr;
  EXPECT_TRUE(added);
  EXPECT_EQ(Rec(*d).call, "X0");
}

}  // namespace
}  // namespace storage_test
