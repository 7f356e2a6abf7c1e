// Loading contest definitions in a test as the program does, without a database: the services
// the loader needs (settings, band table, scripted messages, the driver system's start folder)
// over a fresh folder, a fixed clock and the catalogue record of a German station.
//
//   contest_test::DefinitionFixture f;        // in a test or as a member of a fixture
//   TContestKKRec log = f.GermanLog(3);       // class index 3
//   TContestRec def = f.Load('V', log);       // log gets the loader's catalogue switch
#pragma once

#include <optional>
#include <string>

#include "common/dates.h"
#include "common/service.h"
#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_fkt.h"
#include "logbook/reference/bands.h"
#include "logbook/settings/setups.h"
#include "platform/fake_environment.h"
#include "storage/driver/driver_system.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"

namespace contest_test {

class DefinitionFixture {
 public:
  // Today is 09.03.2024, local time one hour ahead of UTC; the own station is "JO62MM12",
  // "Karl-Theodor Muster".
  DefinitionFixture() {
    clock_.now = {2024, 3, 9, 7, 5, 4, 0};
    clock_.utc_bias_minutes = -60;
    auto station = common::Service<logbook::ToSetups>::Get().GetOwnStation();
    station.own_locator = "JO62MM12";
    station.station_text2 = "Karl-Theodor Muster";
    common::Service<logbook::ToSetups>::Get().SetOwnStation(station);
    common::Service<storage::DriverSystem>::Get().SetStartFolder(folder_.path() + "/");
  }

  // A log of a German station: call "DL1ABC", DOK "B36", number 42, member text "1234",
  // exchange text "12345", started 14.05.2021, the catalogue switch 7.
  static contest::TContestKKRec GermanLog(int class_index = 1) {
    contest::TContestKKRec log{};
    log.Nummer = 7;
    log.DatumVon = common::DMYToDate(14, 5, 2021);
    log.OwnCall = "DL1ABC";
    log.OwnDOK = "B36";
    log.OperatorNumber = 42;
    log.MemberText = "1234";
    log.OwnPostalCode = "12345";
    log.ClassIndex = static_cast<std::uint8_t>(class_index);
    log.LoaderSwitch = 7;
    return log;
  }

  contest::TContestRec Load(char code, contest::TContestKKRec& log) {
    contest::TContestRec definition;
    Fkt().LoadContestDefinition(definition, log, code);
    return definition;
  }
  contest::TContestRec Load(char code, int class_index = 1) {
    contest::TContestKKRec log = GermanLog(class_index);
    return Load(code, log);
  }

  static contest::TContestFkt& Fkt() { return common::Service<contest::TContestFkt>::Get(); }
  const std::string& Folder() const { return folder_.path(); }
  common::ScriptedPresenter& Messages() { return *messages_.operator->(); }

 private:
  platform::FakeClock clock_;
  platform::ScopedEnvironment environment_{&clock_, nullptr, nullptr};
  common::testing::TempFolder folder_;
  common::testing::ScriptedMessages messages_;
  common::ScopedService<logbook::ToSetups> setups_;
  common::ScopedService<logbook::ToBaender> bands_;
  common::ScopedService<storage::DriverSystem> driver_system_;
  common::ScopedService<contest::TContestFkt> fkt_;
};

}  // namespace contest_test
