// Set-up of the prefix-database tests as the program starts, on the real engine in a fresh data
// folder: the date, prefix-analysis and messages services, the file manager and ToDatPrefix with
// a scripted DXCC selection window. Fixture tables are written row by row.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/dates.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/reference/scripted_dxcc_selection.h"
#include "platform/fake_environment.h"
#include "storage/driver/driver_system.h"
#include "storage/isam/isam_check.h"
#include "storage/tables/db_functions.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"

namespace logbook::testing {

// One prefix entry; what is not given stays empty.
struct Row {
  std::string prefix;
  std::string dxcc;
  std::string menue = "";
  std::string country = "";
  std::string waz = "";
  std::string itu = "";
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::string old_ref = "";
  std::int32_t old_until = 0;
  std::string dxcc2 = "";
  std::int32_t dxcc2_until = 0;
  std::string wie = "";
  char range_from = 0;
  std::string remark = "";
  char mark = 0;
  std::string wae = "";
  std::uint16_t adif = 0;
};

inline constexpr std::int32_t kToday = 155000;

// The checker's report on a prefix table in `folder` (ending in "/"), with the real key builders.
inline storage::CheckReport CheckTable(const std::string& folder, int kind) {
  storage::CheckOptions o;
  o.key_builder = [kind](const std::uint8_t* record, std::size_t, int key) {
    std::string text;
    (kind == kPrefixMain ? ToDatPrefix::MainKeys : ToDatPrefix::CallKeys)(
        record, static_cast<std::uint16_t>(key), text);
    return text;
  };
  return storage::IsamCheck(folder + ToDatPrefix::FileName(kind), o);
}  // the fake clock's day (17 May 2024)

class PrefixDbTest : public ::testing::Test {
 protected:
  explicit PrefixDbTest(
      std::unique_ptr<storage::DriverEngine> engine = storage::MakeRealDriverEngine()) {
    const common::DayMonthYear d = common::DateToDMY(kToday);
    clock_.now = {d.year, d.month, d.day, 12, 0, 0, 0};
    common::Service<common::ToDates>::Create();
    common::Service<ToPrefix>::Create();
    common::Service<storage::DriverSystem>::Create(std::move(engine));
    common::Service<storage::DriverSystem>::Get().SetStartFolder(folder_.path() + "/");
    common::Service<storage::ToDBFkt>::Create();
    auto& files = common::Service<ToDatPrefix>::Create();
    auto port = std::make_unique<ScriptedDxccSelection>();
    port_ = port.get();
    files.SetSelectionPort(std::move(port));
    auto place = std::make_unique<MemoryWindowPlace>();
    place_ = place.get();
    files.SetWindowPlace(std::move(place));
  }
  ~PrefixDbTest() override {
    Files().CloseFiles(ToDatPrefix::kStartupBits, false);
    common::Service<ToDatPrefix>::Destroy();
    common::Service<storage::ToDBFkt>::Destroy();
    common::Service<storage::DriverSystem>::Destroy();
    common::Service<ToPrefix>::Destroy();
    common::Service<common::ToDates>::Destroy();
  }

  void SetUp() override {
    ASSERT_TRUE(common::Service<storage::ToDBFkt>::Get().InitDatabase());
    ASSERT_TRUE(Files().OpenFiles(ToDatPrefix::kStartupBits, false));
  }

  static ToDatPrefix& Files() { return common::Service<ToDatPrefix>::Get(); }
  static ToPrefix& Analysis() { return common::Service<ToPrefix>::Get(); }

  static TPrefixRec Record(const Row& row) {
    TPrefixRec r;
    r.prefix = row.prefix;
    r.dxcc = row.dxcc;
    r.menue = row.menue;
    r.country = row.country;
    r.waz = row.waz;
    r.itu = row.itu;
    r.start_date = row.start;
    r.end_date = row.end;
    r.old_ref = row.old_ref;
    r.old_until = row.old_until;
    r.dxcc2 = row.dxcc2;
    r.dxcc2_until = row.dxcc2_until;
    r.wie_pref = row.wie;
    r.range_from = row.range_from;
    r.remark = row.remark;
    r.mark = row.mark;
    r.wae = row.wae;
    r.adif_nr = row.adif;
    return r;
  }

  // Adds the rows to a table; the prefix of a learnt or exact-call row is the whole call.
  static void Add(int kind, std::initializer_list<Row> rows) {
    TdbPrefix cursor(kind);
    const bool buffered = cursor.SetWriteMode(nullptr, 1);  // no flush per record
    for (const Row& row : rows) {
      cursor.SetRecord(Record(row));
      cursor.SetPrefix(row.prefix);
      EXPECT_TRUE(cursor.Insert()) << row.prefix;
    }
    if (buffered) cursor.SetWriteMode(nullptr, 0);
  }
  static void Add(std::initializer_list<Row> rows) { Add(kPrefixMain, rows); }

  // The table's problems as the checker with the real key builders sees them; empty when sound.
  std::string Check(int kind) const { return CheckTable(folder_ / "", kind).Text(); }

  platform::FakeClock clock_;
  platform::FakeSleeper sleeper_{&clock_};
  platform::FakeRandom random_;
  platform::ScopedEnvironment env_{&clock_, &sleeper_, &random_};
  common::testing::TempFolder folder_;
  common::testing::ScriptedMessages presenter_;
  ScriptedDxccSelection* port_ = nullptr;  // owned by ToDatPrefix
  MemoryWindowPlace* place_ = nullptr;     // owned by ToDatPrefix
};

}  // namespace logbook::testing
