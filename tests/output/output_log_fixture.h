// Contest logs written through the outputs: the log window's test kit (services in a data
// folder, the log builder, the station DL1ABC in JO62QM, the clock on 09.03.2024 12:00 UTC) with
// an output channel over it, a scripted save dialog, a recording printer with a scripted print
// dialog, and the own station's address in the settings.
//
//   LogBuilder b('.', 5);
//   const std::int32_t log = b.Create();
//   b.Add(...);
//   const std::string bytes = WriteFile(b, 6, [&](OutputRun& run) { WriteSummarySheet(...); });
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "common/file_base_ss.h"
#include "common/scripted_file_chooser.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "logbook/settings/setups.h"
#include "output/alle_rout.h"
#include "output/multi_check_list.h"
#include "output/output_drivers.h"
#include "output/period_set.h"
#include "platform/qt/scripted_print_dialogs.h"
#include "tests/common/temp_folder.h"
#include "tests/contestlog/log_fixture.h"

namespace output_test {

using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

// The seconds of a time of day.
constexpr std::int32_t At(int hours, int minutes, int seconds = 0) {
  return hours * 3600 + minutes * 60 + seconds;
}

// The own station's name, listener number, address and e-mail address in the settings.
inline void SetOwnStationAddress() {
  logbook::ToSetups& settings = common::Service<logbook::ToSetups>::Get();
  logbook::ToSetupOwnStation station = settings.GetOwnStation();
  station.station_text2 = "Hans Muster";
  station.further.Set(1, "DE-1234");
  station.further.Set(3, "Hauptstr. 1");
  station.further.Set(4, "12345 Berlin");
  station.further.Set(5, "Germany");
  station.further.Set(10, "dl1abc@example.org");
  settings.SetOwnStation(station);
}

// What the drivers of one output get: the channel, the definition and the main window's tables.
struct OutputRun {
  output::TAlleRout& channel;
  const contest::TContestRec& definition;
  contestlog_test::MainTables& tables;
  output::PeriodSet periods;
};

// The definition of contest `code` for the catalogue record `log` (its class by the record's
// class index), as the loader gives it; the record becomes a log of that contest.
inline contest::TContestRec DefinitionFor(char code, contest::TContestKKRec& log) {
  contest::TContestRec definition;
  common::Service<contest::TContestFkt>::Get().LoadContestDefinition(definition, log, code);
  log.Typ = code;
  return definition;
}

// The QSO export in one pass, which always answers false (written).
inline void ExportOnePass(OutputRun& r) {
  EXPECT_FALSE(output::ExportContestLog(r.channel, r.definition, r.periods, r.tables.catalogue,
                                        r.tables.contest_data, {}, false));
}
// The other drivers of the output menu: the summary sheet, the export by band, the multiplier
// check list, and the complete E-Log file (the sheet, then the band list).
inline void Sheet(OutputRun& r) {
  output::WriteSummarySheet(r.channel, r.definition, r.periods, r.tables.catalogue,
                            r.tables.contest_data);
}
inline void BandList(OutputRun& r) {
  output::ExportContestLogByBand(r.channel, r.definition, r.periods, r.tables.catalogue,
                                 r.tables.contest_data);
}
inline void CheckList(OutputRun& r) {
  output::WriteMultiCheckList(r.channel, r.definition, r.tables.catalogue, r.tables.contest_data);
}
inline void SheetAndBandList(OutputRun& r) {
  Sheet(r);
  BandList(r);
}

class OutputLogTest : public contestlog_test::LogTest {
 protected:
  OutputLogTest() {
    auto chooser = std::make_unique<common::ScriptedFileChooser>();
    chooser_ = chooser.get();
    common::Service<common::TFileBaseSS>::Install(
        std::make_unique<common::TFileBaseSS>(std::move(chooser)));
    SetOwnStationAddress();
    channel_.SetFileShower([](const std::string&) { return true; });
  }
  ~OutputLogTest() override { common::Service<common::TFileBaseSS>::Destroy(); }

  // Runs output kind `kind` of a file channel for the log, with `drivers` between opening and
  // closing the channel, and answers the file's bytes.
  std::string WriteFile(const LogBuilder& log, int kind, const std::function<void(OutputRun&)>& drivers,
                        const output::PeriodSet& periods = {}, bool english = false) {
    const contest::TContestRec definition = log.Definition();
    contestlog_test::MainTables tables(log.Number());
    EXPECT_TRUE(channel_.Open(kind));
    chooser_->answers.push_back(folder_ / "out");
    EXPECT_TRUE(channel_.OpenFileKind(kind, tables.catalogue, definition));
    channel_.English = english;
    OutputRun run{channel_, definition, tables, periods};
    drivers(run);
    channel_.Close();
    channel_.CloseAndShow();
    return common::testing::ReadFile(channel_.FileName());
  }

  // Prints output kind `kind` of the log on the recording printer.
  void Print(const LogBuilder& log, int kind, const std::function<void(OutputRun&)>& drivers) {
    const contest::TContestRec definition = log.Definition();
    contestlog_test::MainTables tables(log.Number());
    printing_.print_dialog().answers.push_back({});
    ASSERT_TRUE(channel_.Open(kind));
    ASSERT_TRUE(channel_.OpenFileKind(kind, tables.catalogue, definition));
    OutputRun run{channel_, definition, tables, {}};
    drivers(run);
    channel_.Close();
    channel_.CloseAndShow();
  }

  platform::qt::TRecordingPrinter& Printer() { return printing_.printer(); }

  // Changes the own-station block of the settings.
  static void ChangeOwnStation(const std::function<void(logbook::ToSetupOwnStation&)>& change) {
    logbook::ToSetups& settings = common::Service<logbook::ToSetups>::Get();
    logbook::ToSetupOwnStation station = settings.GetOwnStation();
    change(station);
    settings.SetOwnStation(station);
  }

  platform::qt::ScopedPrinting printing_;
  common::ScriptedFileChooser* chooser_ = nullptr;  // owned by TFileBaseSS
  output::TAlleRout channel_;
};

}  // namespace output_test
