// The list windows' tests: the prefix database of the logbook tests with a small table of their
// own, the settings (own call and locator), a fixed 96-dpi screen, recording desktop launchers and
// a modal driver for the list window.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/settings/setups.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/recording_desktop.h"
#include "tests/logbook/reference/prefix_fixture.h"
#include "tests/ui/ui_fixture.h"
#include "ui/browser.h"
#include "ui/mouse_grid.h"

namespace app_test {

using logbook::testing::Row;

// One entry of the fixture table with the fields the list shows beyond the logbook tests' rows.
struct Entry {
  Row row;
  char sel = 0;  // 'H': the entity's main entry
  std::string locator = "";
  std::uint8_t bracketed = 0;
  std::string qsl_bureau = "";
};

class PrefixListTest : public logbook::testing::PrefixDbTest {
 protected:
  PrefixListTest() {
    settings_->SetOwnCall("DL1ABC");
    logbook::ToSetupOwnStation station = settings_->GetOwnStation();
    station.own_locator = "JO62QM";
    settings_->SetOwnStation(station);
  }

  // Adds the entries; answers their references in order.
  static std::vector<std::int32_t> AddEntries(std::initializer_list<Entry> entries) {
    std::vector<std::int32_t> refs;
    logbook::TdbPrefix cursor(logbook::kPrefixMain);
    for (const Entry& e : entries) {
      logbook::TPrefixRec r = Record(e.row);
      r.sel = e.sel;
      r.locator = e.locator;
      r.bracketed = e.bracketed;
      r.qsl_bureau = e.qsl_bureau;
      cursor.SetRecord(r);
      EXPECT_TRUE(cursor.Insert()) << e.row.prefix;
      refs.push_back(cursor.CurrentRef());
    }
    return refs;
  }

  // The next modal form runs `act` as the form it is.
  template <typename Form>
  void Then(std::function<void(Form&)> act) {
    driver_.Then([act](platform::qt::TForm& form) { act(dynamic_cast<Form&>(form)); });
  }

  // Column `col` of the grid's rows, top to bottom, trimmed; empty rows left out.
  static std::vector<std::string> Column(ui::TkvBrow& brow, int col) {
    std::vector<std::string> cells;
    ui::TkvMouseGrid& g = brow.GetGrid();
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
      const std::string cell = common::Trim(g.Cells(col, r));
      if (!cell.empty()) cells.push_back(cell);
    }
    return cells;
  }

  // The grid's rows that show something.
  static int RowsShown(ui::TkvBrow& brow) {
    int rows = 0;
    ui::TkvMouseGrid& g = brow.GetGrid();
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
      std::string cells;
      for (int c = 0; c < g.ColCount(); ++c) cells += common::Trim(g.Cells(c, r));
      rows += cells.empty() ? 0 : 1;
    }
    return rows;
  }

  ui::testing::ScreenScope screen_{768, 96};
  common::ScopedService<logbook::ToSetups> settings_;
  platform::RecordingShell shell_;
  platform::RecordingMailer mailer_;
  platform::ScopedDesktop desktop_{&shell_, &mailer_};
  platform::qt::testkit::ModalDriver driver_;
};

}  // namespace app_test
