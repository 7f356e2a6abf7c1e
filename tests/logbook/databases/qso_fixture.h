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
#include "logbook/databases/field_catalogue.h"
#include "logbook/databases/projecte.h"
#include "logbook/databases/qso_files.h"
#include "logbook/databases/qso_table_base.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "tests/logbook/databases/random_qso.h"

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

// A project record of a layout kind with the catalogue's fields and the logbook file
// "LB600000.DAT".
inline TProjectRec ProjectOf(int layout, const std::string& tag = "PELORIN6") {
  TProjectRec r{};
  r.name = "Projekt";
  r.block.layout_kind = static_cast<std::uint8_t>(layout);
  r.block.version_tag = tag;
  r.block.logbook_file = "LB600000.DAT";
  // The project editor stores the descriptors of the fields a project offers.
  for (int n = 1; n <= 50; ++n) r.descriptors_1_to_50[n - 1] = CatalogueDescriptor(n);
  return r;
}
// A field-list entry.
inline void Field(TProjectRec& r, int slot, const std::string& name, int width) {
  r.block.fields[slot - 1].name = name;
  r.block.fields[slot - 1].width = static_cast<std::uint8_t>(width);
}


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
