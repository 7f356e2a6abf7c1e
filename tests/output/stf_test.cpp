// The STF files of the fixture logs against files written by hand (every line upper case), and
// the columns of a QSO line that depend on the band and the exchange.
#include "output/stf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "output/output_drivers.h"
#include "output/qso_list.h"
#include "output/station_file.h"
#include "tests/contest/definition_fixture.h"
#include "tests/output/export_logs.h"
#include "tests/output/golden_file.h"

namespace output_test {
namespace {

class StfTest : public OutputLogTest {};

// --- whole files ---

struct GoldenRow {
  const char* name;
  std::function<LogBuilder()> log;
  const char* golden;
  char file_code;                         // the contest whose station file the log has, or 0
  std::vector<std::string> station_file;  // its lines
  std::function<void(logbook::ToSetupOwnStation&)> station;
};
void PrintTo(const GoldenRow& row, std::ostream* os) { *os << row.name; }

class StfGoldenTest : public StfTest, public ::testing::WithParamInterface<GoldenRow> {};

TEST_P(StfGoldenTest, MatchesTheHandWrittenFileInUpperCase) {
  const GoldenRow& row = GetParam();
  if (row.station) ChangeOwnStation(row.station);
  const LogBuilder log = row.log();
  if (row.file_code != 0) {
    std::string text;
    for (const std::string& line : row.station_file) text += line + "\r\n";
    common::testing::WriteFile(output::StationFileName(row.file_code, log.Number()), text);
  }
  const std::string written = WriteFile(log, 8, ExportOnePass);
  ExpectGoldenFile(written, std::string(OUTPUT_GOLDEN_DIR) + "/" + row.golden);
  // The export reads a station file and makes none: only the row's own is there.
  for (const char code : {'b', 'j'}) {
    EXPECT_EQ(std::filesystem::exists(output::StationFileName(code, log.Number())),
              row.file_code == code)
        << code;
  }
  for (const std::string& line : FileLines(written)) EXPECT_EQ(line, common::UpperCase(line));
}

INSTANTIATE_TEST_SUITE_P(
    Logs, StfGoldenTest,
    ::testing::Values(
        GoldenRow{"Standard", DotClass5Log, "dot_class5.STF", 0, {}, {}},
        GoldenRow{"TwoPartExchanges", TwoPartLog, "two_part.STF", 0, {}, {}},
        GoldenRow{"ChristmasPointsColumns", XmasPointsLog, "xmas.STF", 0, {}, {}},
        GoldenRow{"WagClass1", [] { return WagLog(1); }, "wag.STF", 0, {}, {}},
        GoldenRow{"WagListenerClass9", [] { return WagLog(9); }, "wag_listener.STF", 0, {}, {}},
        GoldenRow{"ListenerLog", ListenerLog, "listener.STF", 0, {}, {}},
        GoldenRow{"OqrpWithStationFile", OqrpLog, "oqrp.STF", 'b',
                  {"TRX: Eigenbau 2 W", "Antenne: Dipol"}, {}},
        GoldenRow{"OqrpWithoutStationFile", OqrpLog, "oqrp_no_file.STF", 0, {}, {}},
        GoldenRow{"SprintWithoutKinds", SprintLog, "sprint.STF", 'j', {"FT-817", "4 el. Yagi"}, {}},
        GoldenRow{"PartyAddressWithoutBlank", PartyLog, "party.STF", 0, {},
                  [](logbook::ToSetupOwnStation& s) { s.further.Set(4, "Berlin"); }}),
    [](const ::testing::TestParamInfo<GoldenRow>& info) { return info.param.name; });

// --- columns of one line ---

// The line of a QSO in a log of `code` as the export writes it, the call column 8 wide.
class StfLineTest : public StfTest {
 protected:
  std::string Line(char code, const contest::TContestLKRec& qso) {
    contest::TContestKKRec log = contest_test::DefinitionFixture::GermanLog(1);
    const contest::TContestRec definition = DefinitionFor(code, log);
    EXPECT_TRUE(channel_.Open(8));
    channel_.ColumnWidths[output::kCallColumn] = 8;
    return output::WriteSTFQSO(channel_, definition, log, qso);
  }
};

struct BandRow {
  const char* name;
  char band;
  const char* column;
};
void PrintTo(const BandRow& row, std::ostream* os) { *os << row.name; }

class StfBandTest : public StfLineTest, public ::testing::WithParamInterface<BandRow> {};

TEST_P(StfBandTest, TheBandColumnIsTheBandsNameInFourPlaces) {
  const BandRow& row = GetParam();
  const std::string line = Line('.', QsoOf({"DL2XYZ", row.band, At(10, 0)}));
  EXPECT_EQ(line.substr(14, 5), std::string(row.column) + " ") << line;
}

INSTANTIATE_TEST_SUITE_P(Bands, StfBandTest,
                         ::testing::Values(BandRow{"M160", 'a', "160 "}, BandRow{"M2", 'k', "2   "},
                                           BandRow{"Cm70", 'l', "70  "}, BandRow{"Cm23", 'm', "23  "},
                                           BandRow{"Cm1_2", 's', "1.2 "}, BandRow{"M2190", 'r', "2190"},
                                           BandRow{"M6", 'j', "6   "}, BandRow{"Cm6IsWrittenAs5", 'p', "5   "},
                                           BandRow{"Unknown", 'Z', "??  "}),
                         [](const ::testing::TestParamInfo<BandRow>& info) { return info.param.name; });

struct ExchangeRow {
  const char* name;
  char code;
  const char* own_call;  // of the settings
  const char* call;
  const char* sent;
  const char* received;
  const char* sent_exchange;  // as the line writes it after the report, trimmed
  const char* received_exchange;
};
void PrintTo(const ExchangeRow& row, std::ostream* os) { *os << row.name; }

class StfExchangeTest : public StfLineTest, public ::testing::WithParamInterface<ExchangeRow> {};

TEST_P(StfExchangeTest, WritesTheExchangeAfterItsReport) {
  const ExchangeRow& row = GetParam();
  common::Service<logbook::ToSetups>::Get().SetOwnCall(row.own_call);
  const std::string line = Line(row.code, QsoOf({row.call, 'b', At(10, 0), "CW", row.sent,
                                                 row.received}));
  // Date, time, band, mode and call take 35 places; then the report and exchange each way
  // (and for 'X' the multipliers and points).
  ASSERT_GE(line.size(), 35u + 21 + 1 + 26) << line;
  EXPECT_EQ(common::Trim(line.substr(39, 17)), row.sent_exchange) << line;
  EXPECT_EQ(common::Trim(line.substr(61, 22)), row.received_exchange) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Exchanges, StfExchangeTest,
    ::testing::Values(
        // The received exchange holds 24 characters; its last ones are written too.
        ExchangeRow{"ReceivedExchangeToItsEnd", '.', "DL1ABC", "DL2XYZ", "59942",
                    "599ABCDEFGHIJKLMNOPQRSTU", "42", "ABCDEFGHIJKLMNOPQRSTU"},
        ExchangeRow{"TwoPartReplacesOnlyTheFirstSlash", 'G', "DL1ABC", "DL2XYZ", "599F19",
                    "599A01/B02/C", "F19 -", "A01 B02/C"},
        ExchangeRow{"TwoPartWithoutExchange", 'B', "DL1ABC", "DL2XYZ", "599", "599/K01",
                    "-   -", "-   K01"},
        // Only a German station's bare number is no exchange.
        ExchangeRow{"ChristmasAbroadKeepsItsNumbers", 'X', "OK1XX", "OK1AB", "599001", "599015",
                    "001", "015"},
        ExchangeRow{"ChristmasGermanDropsBareNumbers", 'X', "DL1ABC", "DK1AB", "599001",
                    "599015", "-", "-"},
        ExchangeRow{"ChristmasDistrictsStay", 'X', "DL1ABC", "DK1AB", "599B36", "599K01", "B36",
                    "K01"}),
    [](const ::testing::TestParamInfo<ExchangeRow>& info) { return info.param.name; });

}  // namespace
}  // namespace output_test
