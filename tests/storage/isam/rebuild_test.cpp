// The rebuild on fixed and variable records: "SAV", "MSG", failure stages, a killed writer.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "platform/file.h"
#include "platform/file_faults.h"
#include "storage/isam/rebuild.h"
#include "storage/isam/var_record.h"
#include "tests/storage/isam/engine_fixture.h"

namespace storage::testing {
namespace {

using platform::FileFaultPlan;

constexpr int kFixedLength = 24;
constexpr int kVarLength = 23;
const std::vector<KeySpec> kKeys = {{8, 0}, {5, 1}};

// Id at byte 4, name (key 1) at 8, key 2 the id; variable records carry id x 37 mod 200 more.
std::string NameOf(int id) { return Fmt("N%07d", id); }
int ExtraOf(int id) { return id * 37 % 200; }

std::string KeyOf(const std::uint8_t* record, int key) {
  return key == 1 ? std::string(reinterpret_cast<const char*>(record + 8), 8)
                  : Fmt("%05d", common::ReadLeInt32(record + 4) % 100000);
}
void KeysOf(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  text = KeyOf(record, key);
}

class RebuildTest : public EngineTest, public ::testing::WithParamInterface<bool> {
 protected:
  explicit RebuildTest(int network_mode = kNetworkSingleUser) : EngineTest(160, network_mode) {}
  bool variable() const { return GetParam(); }
  int length() const { return variable() ? kVarLength : kFixedLength; }
  // The record slots record `id` takes.
  std::int32_t SlotsOf(int id) const {
    return variable() ? VarRecSectionCount(length(), 16 + ExtraOf(id)) : 1;
  }
  Bytes RecordOf(int id, const std::string& name) const {
    Bytes r = Record(variable() ? 16 + ExtraOf(id) : kFixedLength);
    common::WriteLeInt32(r.data() + 4, id);
    std::copy(name.begin(), name.end(), r.begin() + 8);
    for (std::size_t i = 16; i < r.size(); ++i) r[i] = static_cast<std::uint8_t>(id + i);
    return r;
  }

  void Open() { h_ = Reopen(nullptr, "T"); }
  void Close() { ASSERT_ISAM(FileblockClose(h_), 0); }
  // Adds record `id` with its keys (key 1 left out with `without_unique_key`).
  RecRef Add(int id, const std::string& name, bool without_unique_key = false) {
    const Bytes r = RecordOf(id, name);
    RecRef ref = 0;
    if (variable()) VarRecAdd(h_, ref, r.data(), static_cast<std::int32_t>(r.size()));
    if (!variable()) ref = FileblockAddRecord(h_, r.data());
    EXPECT_EQ(Err(), 0);
    for (int k = without_unique_key ? 2 : 1; k <= 2; ++k) {
      EXPECT_ISAM(FileblockAddKey(h_, k, ref, KeyStr(KeyOf(r.data(), k))), 0);
    }
    ids_[id] = name;
    return ref;
  }
  // Creates records 1..n, deletes the `deleted` and closes the fileblock; their references.
  std::map<int, RecRef> Populate(int n, const std::vector<int>& deleted = {}) {
    std::map<int, RecRef> refs;
    h_ = CreateOpen("T", length(), kKeys);
    for (int id = 1; id <= n; ++id) refs[id] = Add(id, NameOf(id));
    for (int id : deleted) Remove(id, refs[id]);
    Close();
    return refs;
  }
  // Deletes record `id` at `ref` with its keys.
  void Remove(int id, RecRef ref) {
    const Bytes r = RecordOf(id, NameOf(id));
    for (int k = 1; k <= 2; ++k) FileblockDeleteKey(h_, k, ref, KeyStr(KeyOf(r.data(), k)));
    EXPECT_ISAM((variable() ? VarRecDelete : FileblockDeleteRecord)(h_, ref), 0);
    ids_.erase(id);
  }

  void Rebuild(const RebuildProgress& progress = {}) {
    (variable() ? RebuildVariable : RebuildFixed)(Name(), length(), kKeys, KeysOf, progress);
  }
  void Reorganise(const RebuildRecordCallback& callback = PassThroughRecord) {
    storage::Reorganise(Name(), length(), length(), kKeys, variable(), callback);
  }
  void RebuildIndex(const RebuildKeyBuilder& builder = KeysOf) {
    storage::RebuildIndex(Name(), length(), length(), kKeys, variable(), builder, true);
  }

  // Every remembered record is found by its unique key with its bytes; the checker passes.
  void ExpectRecords() {
    Open();
    EXPECT_EQ(FileblockUsedKeys(h_, 1), static_cast<std::int32_t>(ids_.size()));
    for (const auto& [id, name] : ids_) {
      RecRef ref = 0;
      ASSERT_ISAM(FileblockFindKey(h_, 1, KeyStr(name), ref), 0) << "record " << id;
      Bytes out(variable() ? 1000 : kFixedLength);
      std::int32_t n = static_cast<std::int32_t>(out.size());
      if (variable()) VarRecGet(h_, ref, out.data(), n);
      if (!variable()) FileblockGetRecord(h_, ref, out.data());
      out.resize(static_cast<std::size_t>(n));
      EXPECT_EQ(out, RecordOf(id, name)) << "record " << id;
    }
    Close();
    const CheckReport report =
        IsamCheck(Name(), CheckOptions{.key_builder = [](const std::uint8_t* record, std::size_t,
                                                         int key) { return KeyOf(record, key); },
                                       .section_records = variable()});
    EXPECT_TRUE(report.ok()) << report.Text();
  }

  std::string FileBytes(const std::string& ext) const { return ReadFile(Name() + "." + ext); }
  bool Exists(const std::string& ext) const { return std::filesystem::exists(Name() + "." + ext); }

  FileblockHandle h_ = nullptr;
  std::map<int, std::string> ids_;  // the records that must be there, by id
};

TEST_P(RebuildTest, FreeRecordsVanishAndReferencesChange) {
  Populate(40, {1, 2, 17, 30});
  ASSERT_ISAM(Rebuild(), 0);
  EXPECT_FALSE(Exists("SAV") || Exists("MSG"));
  ExpectRecords();
  std::int32_t slots = 1;
  for (const auto& [id, name] : ids_) slots += SlotsOf(id);
  const std::string data = FileBytes("DAT");
  EXPECT_EQ(data.size(), static_cast<std::size_t>(slots * length()));  // no free record left
  EXPECT_EQ(common::ReadLeInt32(&data[length() + 4]), 3);  // record 3 moved into the first slot
}

TEST_P(RebuildTest, LeftoverSaveIsTheSourceButNotBesideTheDataFile) {
  Populate(12);
  ASSERT_EQ(platform::CopyFile(Name() + ".DAT", Name() + ".SAV", true), 0u);
  const std::string data = FileBytes("DAT");
  const std::string index = FileBytes("IX");
  EXPECT_ISAM(Rebuild(), kIsamRebuildFilesLeft);
  EXPECT_EQ(FileBytes("DAT"), data);
  EXPECT_EQ(FileBytes("IX"), index);
  EXPECT_EQ(FileBytes("SAV"), data);
  ASSERT_EQ(platform::DeleteFile(Name() + ".DAT"), 0u);
  ASSERT_ISAM(Rebuild(), 0);
  EXPECT_FALSE(Exists("SAV"));
  ExpectRecords();
}

TEST_P(RebuildTest, UniqueKeyCollisionIsDumpedAndDeletedAndTheDumpIsKept) {
  Populate(3);
  Open();
  Add(4, NameOf(2), true);  // same unique key as record 2, entered under key 2 only
  Close();
  ASSERT_ISAM(Rebuild(), 0);
  ids_.erase(4);
  ids_[2] = NameOf(2);
  ExpectRecords();
  // References after the reorganisation: the records in order, each taking its sections.
  const RecRef ref4 = 1 + SlotsOf(1) + SlotsOf(2) + SlotsOf(3);
  const Bytes bytes = RecordOf(4, NameOf(2));
  const std::string expected = "Key:<" + NameOf(2) + "> KeyNr: 1 Ref: " + std::to_string(ref4) +
                               " not added\r\nData record deleted - Dump follows\r\n" +
                               std::string(bytes.begin(), bytes.end()) + "\r\n\r\n";
  EXPECT_EQ(FileBytes("MSG"), expected);
  // The next rebuild appends: the first record removed stays recoverable.
  Open();
  Add(5, NameOf(1), true);
  Close();
  ASSERT_ISAM(Rebuild(), 0);
  const std::string msg = FileBytes("MSG");
  EXPECT_EQ(msg.substr(0, expected.size()), expected);
  EXPECT_NE(msg.find("Key:<" + NameOf(1) + "> KeyNr: 1 Ref: ", expected.size()), std::string::npos);
}

TEST_P(RebuildTest, ProgressProcedureAndFailingCallbacksStopTheRebuild) {
  Populate(10);
  const std::string data = FileBytes("DAT");
  EXPECT_ISAM(Rebuild([](std::int32_t read, std::int32_t) { return read < 5; }),
              kIsamRebuildStopped);
  EXPECT_EQ(FileBytes("DAT"), data);  // stopped in the reorganisation: restored
  EXPECT_FALSE(Exists("SAV"));
  EXPECT_ISAM(
      Reorganise([](const std::uint8_t*, std::int32_t, std::uint8_t*) { return Fail(1), true; }),
      kIsamRebuildRecordRefused);
  EXPECT_EQ(FileBytes("DAT"), data);
  int calls = 0;
  EXPECT_ISAM(Rebuild([&calls](std::int32_t, std::int32_t) { return ++calls < 14; }),
              kIsamRebuildStopped);  // 10 records reorganised, 4 indexed
  EXPECT_EQ(RefusedOpen(Name()), kIsamIndexUnusable);
  EXPECT_ISAM(RebuildIndex([](const std::uint8_t*, std::uint16_t, std::string&) { Fail(1); }),
              kIsamRebuildKeyBuilder);
  EXPECT_EQ(RefusedOpen(Name()), kIsamIndexUnusable);
  ASSERT_ISAM(Rebuild(), 0);
  ExpectRecords();
}

TEST_P(RebuildTest, FaultAtEveryStageLeavesTheDataFileAsItWasOrToBeRebuilt) {
  Populate(20, {5});
  const std::string data = FileBytes("DAT");
  for (int kind = 0; kind < 2; ++kind) {  // every write, then every flush
    for (std::uint64_t n = 1;; ++n) {
      FileFaultPlan plan;
      (kind == 0 ? plan.write : plan.flush).fail_at = n;
      WithFaults(plan, [&] { Reorganise(); });
      if (Err() == 0) break;
      ASSERT_EQ(FileBytes("DAT"), data) << (kind == 0 ? "write " : "flush ") << n;
      ASSERT_FALSE(Exists("SAV"));
      ASSERT_LT(n, 500u);
    }
    if (kind == 0) WriteFile(Name() + ".DAT", data);  // undo the successful run
  }
  for (std::uint64_t n : {1, 2, 3, 4, 6}) {
    FileFaultPlan plan{.write = {.fail_at = n}, .flush = {}, .lock = {}, .read = {}};
    WithFaults(plan, [&] { RebuildIndex(); });
    EXPECT_NE(Err(), 0) << n;
    EXPECT_EQ(RefusedOpen(Name()), kIsamIndexUnusable) << n;
  }
  ASSERT_ISAM(RebuildIndex(), 0);
  ExpectRecords();
}

// Chains exist only in variable-length files.
using VariableRebuildTest = RebuildTest;

TEST_P(VariableRebuildTest, DamagedChainsAreLeftOutAndDumpedAndTheKeyBuilderMayReadTheWholeRoom) {
  auto refs = Populate(4);
  const std::string data = FileBytes("DAT");
  const auto link_of = [&](RecRef ref) {  // the next-section link of slot `ref`
    return common::ReadLeInt32(&data[static_cast<std::size_t>((ref + 1) * kVarLength - 4)]);
  };
  // Record 1's head points past the end of the file; record 3's second section lost its marker.
  PatchFile(Name() + ".DAT", (refs[1] + 1) * kVarLength - 4, 1000000);
  PatchFile(Name() + ".DAT", link_of(link_of(refs[3])) * kVarLength, 0, 1);
  std::vector<int> seen;
  std::vector<std::pair<int, int>> progress;
  RebuildVariable(
      Name(), kVarLength, kKeys,
      [&seen](const std::uint8_t* record, std::uint16_t key, std::string& text) {
        seen.push_back(record[65535]);  // zero behind every record
        KeysOf(record, key, text);
      },
      [&progress](std::int32_t read, std::int32_t written) {
        progress.emplace_back(read, written);
        return true;
      });
  ASSERT_EQ(Err(), 0);
  EXPECT_EQ(seen, std::vector<int>(4, 0));
  // The reorganisation reads four records and writes two; then two are indexed.
  const std::vector<std::pair<int, int>> counts = {{1, 0}, {2, 1}, {3, 1}, {4, 2}, {1, 1}, {2, 2}};
  EXPECT_EQ(progress, counts);
  // What could be read of each: record 1's head section, record 3's head and first section.
  const Bytes one = RecordOf(1, NameOf(1));
  const Bytes three = RecordOf(3, NameOf(3));
  const auto dump = [](const Bytes& b, std::size_t n) {
    return "Data record left out - Dump follows\r\n" +
           std::string(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)) + "\r\n\r\n";
  };
  EXPECT_EQ(FileBytes("MSG"), dump(one, kVarLength - 6) + dump(three, 2 * kVarLength - 13));
  ids_.erase(1);
  ids_.erase(3);
  ExpectRecords();
}

// A writer killed amid its adds: the open refuses the file, the rebuild keeps every finished add.
TEST_P(RebuildTest, KilledWriterLosesNoCompletedAdd) {
  Populate(0);
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {  // the writer: adds records 1, 2, ... and reports each completed add
    close(fds[0]);
    Open();
    for (std::int32_t id = 1; h_ != nullptr; ++id) {
      Add(id, NameOf(id));
      if (!Isam().IsamOK || write(fds[1], &id, sizeof id) != sizeof id) break;
    }
    _exit(3);
  }
  close(fds[1]);
  std::int32_t id = 0, completed = 0;
  while (completed < 400 && read(fds[0], &id, sizeof id) == sizeof id) completed = id;
  ASSERT_EQ(kill(pid, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFSIGNALED(status)) << "writer ended by itself with " << WEXITSTATUS(status);
  while (read(fds[0], &id, sizeof id) == sizeof id) completed = id;  // reported before the kill
  close(fds[0]);
  ASSERT_GE(completed, 400);
  EXPECT_EQ(RefusedOpen(Name()), kIsamIndexUnusable);
  ASSERT_ISAM(Rebuild(), 0);
  for (std::int32_t i = 1; i <= completed; ++i) ids_[i] = NameOf(i);
  // The add in flight may have reached the data file too; nothing else may be there.
  Open();
  const std::int32_t records = FileblockUsedKeys(h_, 1);
  Close();
  ASSERT_TRUE(records == completed || records == completed + 1) << records;
  if (records == completed + 1) ids_[completed + 1] = NameOf(completed + 1);
  ExpectRecords();
}

// The rebuild stopped at each of its writes (the process ends there): the next open refuses the
// files unless the index was complete, and with "SAV" put back as the remedy says, another
// rebuild brings every record back.
TEST_P(RebuildTest, StoppedAtAnyWriteNeverLeavesAnIndexTrusted) {
  Populate(60, {7, 30});
  const std::map<std::string, std::string> saved = {{"DAT", FileBytes("DAT")},
                                                    {"IX", FileBytes("IX")}};
  for (int n = 1;; ++n) {
    SCOPED_TRACE("stopped at write " + std::to_string(n));
    for (const char* ext : {"DAT", "IX", "SAV", "MSG"}) std::filesystem::remove(Name() + "." + ext);
    for (const auto& [ext, bytes] : saved) WriteFile(Name() + "." + ext, bytes);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      FileFaultPlan plan;
      plan.write.fail_at = static_cast<std::uint64_t>(n);
      plan.write.on_hit = [] { _exit(42); };
      platform::ScopedFileFaults faults(&plan);
      Rebuild();
      _exit(Err() == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 0) break;  // no write was left to stop at
    ASSERT_EQ(WEXITSTATUS(status), 42);
    if (FileblockHandle h = FileblockOpen(Name()); h != nullptr) {
      FileblockClose(h);  // stopped after the last key: what opens must be whole
      ExpectRecords();
      continue;
    }
    if (Exists("SAV")) {
      FileblockDelete(Name());
      ASSERT_EQ(platform::RenameFile(Name() + ".SAV", Name() + ".DAT"), 0u);
    }
    ASSERT_ISAM(Rebuild(), 0);
    ExpectRecords();
    ASSERT_LT(n, 1000);
  }
}

// A writer of a shared file stopped at each write of its changes (adds, and deletes of every
// fourth's elder neighbour): another user opens the file all the same and repairs it in place.
// Every finished change is there, every record at the reference it was given, the change in
// flight whole or not at all, and no section is left over.
class SharedRepairTest : public RebuildTest {
 protected:
  SharedRepairTest() : RebuildTest(kNetworkShared) {}

  // Runs the writer in its own process, stopped at its `n`-th write after 44 changes; answers
  // the references of the changes it finished and whether it was stopped.
  bool RunWriter(int n, std::map<int, RecRef>* refs) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      close(fds[0]);
      FileFaultPlan plan;
      plan.write.on_hit = [] { kill(getpid(), SIGKILL); };
      platform::ScopedFileFaults faults(&plan);
      h_ = Reopen(nullptr, "T", {.shared = true});
      std::map<int, RecRef> own;
      for (std::int32_t id = 1; id <= 48 && h_ != nullptr; ++id) {
        if (id == 45) plan.write.fail_at = plan.write.calls + static_cast<std::uint64_t>(n);
        FileblockLockFile(h_);
        own[id] = Add(id, NameOf(id));
        if (id % 4 == 0) Remove(id - 2, own[id - 2]);
        FileblockUnlockFile(h_);
        const std::int32_t report[2] = {id, own[id]};
        if (!Isam().IsamOK || write(fds[1], report, sizeof report) != sizeof report) _exit(3);
      }
      _exit(0);
    }
    close(fds[1]);
    std::int32_t report[2] = {};
    while (read(fds[0], report, sizeof report) == sizeof report) (*refs)[report[0]] = report[1];
    close(fds[0]);
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 0);
    return WIFSIGNALED(status);
  }
};

TEST_P(SharedRepairTest, AStoppedWritersFileIsRepairedInPlaceWithEveryRecordAtItsReference) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE("stopped at write " + std::to_string(n));
    ids_.clear();
    Populate(0);
    std::map<int, RecRef> refs;
    const bool stopped = RunWriter(n, &refs);
    const std::int32_t completed = static_cast<std::int32_t>(refs.size());
    ASSERT_GE(completed, 44);
    h_ = Reopen(nullptr, "T", {.shared = true});
    ASSERT_NE(h_, nullptr);
    const bool marked = FileBytes("DAT")[20] != 0;
    const std::uint64_t changes = FileblockForeignChanges(h_);
    ASSERT_ISAM(FileblockRepairInPlace(h_, variable(), KeysOf), 0);
    // What the repair took in counts as another process's change.
    if (marked) {
      EXPECT_GT(FileblockForeignChanges(h_), changes);
    }
    for (std::int32_t id = 1; id <= completed; ++id) {
      if (id % 4 != 2 || id + 2 > completed) ids_[id] = NameOf(id);
    }
    // The change in flight: the next add, and with it perhaps a delete.
    const auto found = [&](int id) {
      RecRef ref = 0;
      FileblockFindKey(h_, 1, KeyStr(NameOf(id)), ref);
      return Err() == 0 ? ref : 0;
    };
    if (found(completed + 1) != 0) ids_[completed + 1] = NameOf(completed + 1);
    if ((completed + 1) % 4 == 0 && found(completed - 1) == 0) ids_.erase(completed - 1);
    for (const auto& [id, name] : ids_) {
      if (id <= completed) {
        EXPECT_EQ(found(id), refs[id]) << "record " << id;
      }
    }
    Close();
    ExpectRecords();
    if (!stopped || HasFailure()) break;
  }
}

INSTANTIATE_TEST_SUITE_P(Records, SharedRepairTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Variable" : "Fixed"; });
INSTANTIATE_TEST_SUITE_P(Records, RebuildTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Variable" : "Fixed"; });
INSTANTIATE_TEST_SUITE_P(Records, VariableRebuildTest, ::testing::Values(true),
                         [](const auto&) { return "Variable"; });

// The index rebuild trusts no data header that does not describe its file.
TEST_F(EngineTest, IndexRebuildRefusesAnInconsistentDataHeader) {
  // Offset and value: a stray byte appended (-1), slot count, free count, free chain, length.
  for (const auto& [offset, value] : {std::pair{-1, 0}, {8, 4}, {4, 0}, {0, 9}, {12, 25}}) {
    FileblockHandle h = CreateOpen("T", kFixedLength, kKeys);
    for (int id = 1; id <= 3; ++id) FileblockAddRecord(h, Record(kFixedLength, 1).data());
    FileblockDeleteRecord(h, 2);
    FileblockClose(h);
    if (offset < 0) std::ofstream(Name() + ".DAT", std::ios::binary | std::ios::app).put('x');
    if (offset >= 0) PatchFile(Name() + ".DAT", offset, value);
    EXPECT_ISAM(RebuildIndex(Name(), kFixedLength, kFixedLength, kKeys, false, KeysOf, true),
                kIsamDataHeaderBad)
        << offset;
  }
}

}  // namespace
}  // namespace storage::testing
