// The E-Log, band-list and CSV files of the fixture logs, byte for byte against files written by
// hand: the clock stands at 09.03.2024 12:00, the own station is DL1ABC in JO62QM.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/common/temp_folder.h"
#include "tests/output/fixture_logs.h"
#include "tests/output/golden_file.h"

namespace output_test {
namespace {

struct GoldenRow {
  const char* name;
  std::function<LogBuilder()> log;
  int kind;
  std::function<void(OutputRun&)> drivers;
  const char* golden;
};
void PrintTo(const GoldenRow& row, std::ostream* os) { *os << row.name; }

class GoldenFileTest : public OutputLogTest, public ::testing::WithParamInterface<GoldenRow> {};

TEST_P(GoldenFileTest, MatchesTheHandWrittenFile) {
  const GoldenRow& row = GetParam();
  const LogBuilder log = row.log();
  const std::string written = WriteFile(log, row.kind, row.drivers);
  ExpectGoldenFile(written, std::string(OUTPUT_GOLDEN_DIR) + "/" + row.golden);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, GoldenFileTest,
    ::testing::Values(GoldenRow{"DotClass5Sheet", DotClass5Log, 6, Sheet, "dot_class5.SUM"},
                      GoldenRow{"DotClass5List", DotClass5Log, 7, ExportOnePass, "dot_class5.ALL"},
                      GoldenRow{"DotClass5Csv", DotClass5Log, 13, ExportOnePass, "dot_class5.CSV"},
                      GoldenRow{"DotClass5CheckList", DotClass5Log, 14, CheckList,
                                "dot_class5.MUL"},
                      GoldenRow{"RheinlandSheet", RheinlandLog, 6, Sheet, "rheinland.SUM"},
                      GoldenRow{"RheinlandBandList", RheinlandLog, 11, BandList, "rheinland.BND"},
                      GoldenRow{"ListenerSheet", ListenerLog, 6, Sheet, "listener.SUM"},
                      GoldenRow{"ListenerList", ListenerLog, 7, ExportOnePass, "listener.ALL"},
                      GoldenRow{"NavalCompleteFile", NavalLog, 12, SheetAndBandList, "naval.TXT"},
                      GoldenRow{"FunkertagSheet", FunkertagLog, 6, Sheet, "funkertag.SUM"},
                      GoldenRow{"FunkertagCsv", FunkertagLog, 13, ExportOnePass, "funkertag.CSV"},
                      GoldenRow{"OlderVhfSheet", OlderVhfLog, 6, Sheet, "older_vhf.SUM"},
                      GoldenRow{"EmptyList", EmptyLog, 7, ExportOnePass, "empty.ALL"}),
    [](const ::testing::TestParamInfo<GoldenRow>& info) { return info.param.name; });

}  // namespace
}  // namespace output_test
