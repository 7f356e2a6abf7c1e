// Test scaffolding for the rebuild: a small database of fixed or variable-length records with a
// unique and a duplicates key, built through the engine, and the helpers to look at its files.
#pragma once

#include <map>
#include <string>

#include "storage/rebuild.h"
#include "storage/var_record.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {

// Record: bytes 0..3 zero, id at 4, an 8-character name at 8; variable-length records carry
// id x 37 mod 200 more bytes.
inline constexpr int kFixedLength = 24;
inline constexpr int kVarLength = 23;
inline const std::vector<KeySpec> kRebuildKeys = {{8, 0}, {5, 1}};

inline std::string NameOf(int id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "N%07d", id);
  return buf;
}

inline std::vector<std::uint8_t> RecordOf(int id, bool variable, const std::string& name) {
  const std::size_t length = variable ? 16 + static_cast<std::size_t>(id * 37 % 200) : 24;
  std::vector<std::uint8_t> r(length, 0);
  common::WriteLeInt32(r.data() + 4, id);
  std::copy(name.begin(), name.end(), r.begin() + 8);
  for (std::size_t i = 16; i < length; ++i) r[i] = static_cast<std::uint8_t>(id + i);
  return r;
}

// Key 1 is the name, key 2 the id.
inline void RebuildKeysOf(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  char id[16];
  std::snprintf(id, sizeof id, "%05d", common::ReadLeInt32(record + 4) % 100000);
  text = key == 1 ? std::string(reinterpret_cast<const char*>(record + 8), 8) : id;
}

class RebuildTest : public EngineTest, public ::testing::WithParamInterface<bool> {
 protected:
  bool variable() const { return GetParam(); }
  int length() const { return variable() ? kVarLength : kFixedLength; }
  // The record slots record `id` takes.
  std::int32_t SlotsOf(int id) const {
    return variable() ? VarRecSectionCount(length(), 16 + id * 37 % 200) : 1;
  }

  void Create() {
    ASSERT_ISAM(FileblockCreate(Name(), length(), kRebuildKeys), 0);
    Open();
  }
  void Open() {
    h_ = FileblockOpen(Name());
    ASSERT_NE(h_, nullptr) << Err();
  }
  void Close() {
    ASSERT_ISAM(FileblockClose(h_), 0);
    h_ = nullptr;
  }
  static std::string KeyOf(const std::uint8_t* record, int key) {
    std::string text;
    RebuildKeysOf(record, static_cast<std::uint16_t>(key), text);
    return text;
  }
  // Adds record `id` with its keys (key 1 left out with `without_unique_key`).
  RecRef Add(int id, const std::string& name, bool without_unique_key = false) {
    const auto r = RecordOf(id, variable(), name);
    RecRef ref = 0;
    if (variable()) {
      VarRecAdd(h_, ref, r.data(), static_cast<std::int32_t>(r.size()));
    } else {
      ref = FileblockAddRecord(h_, r.data());
    }
    EXPECT_EQ(Err(), 0);
    for (int k = without_unique_key ? 2 : 1; k <= 2; ++k) {
      EXPECT_ISAM(FileblockAddKey(h_, k, ref, KeyStr(KeyOf(r.data(), k))), 0);
    }
    ids_[id] = name;
    return ref;
  }
  void Delete(int id, RecRef ref) {
    const auto r = RecordOf(id, variable(), ids_[id]);
    for (int k = 1; k <= 2; ++k) FileblockDeleteKey(h_, k, ref, KeyStr(KeyOf(r.data(), k)));
    if (variable()) {
      VarRecDelete(h_, ref);
    } else {
      FileblockDeleteRecord(h_, ref);
    }
    ASSERT_EQ(Err(), 0);
    ids_.erase(id);
  }
  // Creates records 1..n; returns their references.
  std::map<int, RecRef> Populate(int n) {
    std::map<int, RecRef> refs;
    Create();
    for (int id = 1; id <= n; ++id) refs[id] = Add(id, NameOf(id));
    return refs;
  }

  void Rebuild(const RebuildProgress& progress = {}) {
    if (variable()) {
      RebuildVariable(Name(), length(), kRebuildKeys, RebuildKeysOf, progress);
    } else {
      RebuildFixed(Name(), length(), kRebuildKeys, RebuildKeysOf, progress);
    }
  }

  // Every remembered record is found by its unique key with its bytes; the checker passes.
  void ExpectRecords() {
    Open();
    EXPECT_EQ(FileblockUsedKeys(h_, 1), static_cast<std::int32_t>(ids_.size()));
    for (const auto& [id, name] : ids_) {
      RecRef ref = 0;
      FileblockFindKey(h_, 1, KeyStr(name), ref);
      ASSERT_EQ(Err(), 0) << "record " << id;
      EXPECT_EQ(Read(ref), RecordOf(id, variable(), name)) << "record " << id;
    }
    Close();
    CheckOptions o;
    o.section_records = variable();
    o.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
      return KeyOf(record, key);
    };
    const CheckReport report = IsamCheck(Name(), o);
    EXPECT_TRUE(report.ok()) << report.Text();
  }
  std::vector<std::uint8_t> Read(RecRef ref) {
    std::vector<std::uint8_t> out(variable() ? 1000 : kFixedLength);
    std::int32_t n = static_cast<std::int32_t>(out.size());
    if (variable()) {
      VarRecGet(h_, ref, out.data(), n);
    } else {
      FileblockGetRecord(h_, ref, out.data());
    }
    out.resize(static_cast<std::size_t>(n));
    return out;
  }

  std::string FileBytes(const std::string& ext) const { return ReadFile(Name() + "." + ext); }
  bool Exists(const std::string& ext) const { return std::filesystem::exists(Name() + "." + ext); }

  FileblockHandle h_ = nullptr;
  std::map<int, std::string> ids_;  // the records that must be there, by id
};

inline std::string RowName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "Variable" : "Fixed";
}

}  // namespace storage::testing
