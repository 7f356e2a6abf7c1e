// Logs for the renumbering's fault and crash tests: a shuffled 'W' log of many QSOs with QSY
// markers among them, what each QSO is (whatever its numbers), the log's files kept aside and put
// back, and the checker's verdict on the log's files.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "contest/contest_lookups.h"
#include "storage/isam/isam_check.h"
#include "tests/contestlog/log_fixture.h"

namespace contestlog_test {

// Whether two logs hold the same records byte for byte.
inline bool SameRecords(const std::vector<contest::TContestLKRec>& a,
                        const std::vector<contest::TContestLKRec>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), sizeof(a[0]) * a.size()) == 0);
}

// A QSO as the operator logged it: what no renumbering changes.
using QsoIdentity = std::tuple<std::string, std::int32_t, std::int32_t, char, std::string>;

inline std::map<QsoIdentity, int> QsoIdentities(const std::vector<contest::TContestLKRec>& log) {
  std::map<QsoIdentity, int> counts;
  for (const contest::TContestLKRec& r : log) {
    if (r.SkipMark == 0) ++counts[{r.Call.str(), r.Datum, r.Zeit, r.Bandcode, r.Mode.str()}];
  }
  return counts;
}

// `count` QSOs of a 'W' log in shuffled time order, with a QSY marker every 50 QSOs, written
// through one table object.
inline void FillShuffledLog(std::int32_t log, int count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<int> minutes(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) minutes[static_cast<std::size_t>(i)] = i;
  std::shuffle(minutes.begin(), minutes.end(), random);
  static constexpr const char* kDxcc[] = {"DL", "OE", "F", "OK", "SP", "G", "ON"};
  contest::TdbContest table(contest::kTableLK, log);
  table.SetWriteMode(nullptr, 1);  // flushed when the table closes
  for (int i = 0; i < count; ++i) {
    const int minute = minutes[static_cast<std::size_t>(i)];
    contest::TContestLKRec q = Qso("DL" + std::to_string(i) + "Q", "bceg"[minute % 4],
                                   kContestDay, 60 * minute, minute % 3 == 0 ? "SSB" : "CW");
    q.DXCC = kDxcc[random() % 7];
    q.Continent = "EU";
    if (i % 50 == 49) {  // a marker as the log window writes it: no QSO fields
      q = Qso("", q.Bandcode, q.Datum, q.Zeit);
      q.SkipMark = static_cast<std::uint8_t>(q.Bandcode);
    }
    table.ClearRec();
    table.SetLKRec(q);
    ASSERT_TRUE(table.InsertRec()) << i;
  }
}

// The checker on the log's closed files, with the QSO keys.
inline std::string CheckLogFiles(const std::string& folder, std::int32_t log) {
  storage::CheckOptions check;
  check.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
    std::string text;
    contest::LKKeyBuilder(record, static_cast<std::uint16_t>(key), text);
    return text;
  };
  return storage::IsamCheck(folder + "/" + contest::TableFileName(contest::kTableLK, log), check)
      .Text();
}

// The log's data and index files, kept aside and put back while nothing has them open; the
// renumbered set's files go with a restore.
class LogFilesAside {
 public:
  LogFilesAside(std::string folder, std::int32_t log)
      : folder_(std::move(folder)), name_(contest::TableFileName(contest::kTableLK, log)) {
    for (const char* ext : {".DAT", ".IX"}) {
      std::filesystem::copy_file(Path(name_ + ext), Path(name_ + ext + ".KEPT"),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
  void Restore() const {
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      if (entry.path().filename().string().starts_with("PXLN")) {
        std::filesystem::remove(entry.path());
      }
    }
    for (const char* ext : {".DAT", ".IX"}) {
      std::filesystem::copy_file(Path(name_ + ext + ".KEPT"), Path(name_ + ext),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
  // Whether anything of a renumbered set is left in the folder.
  bool RenewedLeft() const {
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      if (entry.path().filename().string().starts_with("PXLN")) return true;
    }
    return false;
  }

 private:
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  std::string folder_;
  std::string name_;
};

}  // namespace contestlog_test
