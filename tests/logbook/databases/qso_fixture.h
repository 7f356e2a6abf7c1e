// Set-up of the logbook file tests: the database fixture with the project database, the catalogue
// object, the logbook files and the reference tables their keys read; fixture projects and QSOs.
#pragma once

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/dates.h"
#include "common/key_text.h"
#include "common/number_mask.h"
#include "common/string_helpers.h"
#include "database_fixture.h"
#include "logbook/databases/projecte.h"
#include "logbook/databases/qso_files.h"
#include "logbook/databases/qso_keys.h"
#include "logbook/databases/qso_table_base.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "tests/logbook/databases/qso_samples.h"

namespace logbook::testing {

// The key forms of a date and a time, as the keys expect them.
inline std::string DateKey(int day, int month, int year) {
  return common::DateToKey(common::DMYToDate(day, month, year), true);
}
inline std::string TimeKey(int hour, int minute) {
  return common::TimeToKey(common::HMSToTime(hour, minute, 0), true);
}
inline const std::string kNoDate = common::DateToKey(-1, true);
inline const std::string kNoTime = common::TimeToKey(-1, true);

class QsoTest : public DatabaseTest {
 protected:
  QsoTest() {
    common::Service<ToBaender>::Create();
    common::Service<ToModi>::Create();
    common::Service<ToPrefix>::Create();
    common::Service<ToDatProject>::Create();
    common::Service<ToProjecte>::Create();
    common::Service<ToDatQSO>::Create();
  }
  ~QsoTest() override {
    common::Service<ToDatQSO>::Destroy();
    common::Service<ToProjecte>::Destroy();
    common::Service<ToDatProject>::Destroy();
    common::Service<ToPrefix>::Destroy();
    common::Service<ToModi>::Destroy();
    common::Service<ToBaender>::Destroy();
  }

  static ToDatQSO& Files() { return common::Service<ToDatQSO>::Get(); }

  // The checker's findings on the closed logbook (table 0) of the project.
  std::string CheckLogbook(const TdbProject& project) const {
    return Check("LB5" + common::IntToStrAt(project.GetGroupValue(), 5),
                 ProjectLogbookKeys(project, kLogbookLB5, false).builder, sizeof(TQSORec), true);
  }

  // Stores the project; answers its number.
  static std::int32_t AddProject(const TProjectRec& record) {
    TdbProject p;
    p.Clear();
    p.Record() = record;
    EXPECT_TRUE(p.Insert());
    return p.GetGroupValue();
  }
};

}  // namespace logbook::testing
