// The Cabrillo files of the fixture logs against files written by hand, each passing the lint a
// sponsor's robot would apply; the header lines that depend on the log; the claimed score; the
// placeholders and exchange rules of the QSO line.
#include "output/cabrillo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "common/dates.h"
#include "output/output_drivers.h"
#include "tests/output/cabrillo_lint.h"
#include "tests/output/cabrillo_logs.h"
#include "tests/output/golden_file.h"

namespace output_test {
namespace {

std::vector<std::string> QsoLines(const std::string& bytes) {
  std::vector<std::string> lines = FileLines(bytes);
  std::erase_if(lines, [](const std::string& l) { return l.rfind("QSO:", 0) != 0; });
  return lines;
}

bool HasLine(const std::string& bytes, const std::string& line) {
  const std::vector<std::string> lines = FileLines(bytes);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class CabrilloTest : public OutputLogTest {
 protected:
  std::string Cabrillo(const LogBuilder& log, const output::PeriodSet& periods = {}) {
    return WriteFile(log, 10, ExportOnePass, periods);
  }
  // The file of a log written with a changed definition.
  std::string Cabrillo(const LogBuilder& log,
                       const std::function<void(contest::TContestRec&)>& change) {
    return WriteFile(log, 10, [&](OutputRun& r) {
      contest::TContestRec definition = r.definition;
      change(definition);
      OutputRun changed{r.channel, definition, r.tables, r.periods};
      ExportOnePass(changed);
    });
  }
};

// --- whole files ---

// The sponsor's column template of 'a': a report, one exchange part each way and a multiplier
// digit at the end.
const std::vector<QsoToken> kTemplateQso = [] {
  std::vector<QsoToken> t = kStandardQso;
  t.push_back(QsoToken::kText);
  return t;
}();

struct GoldenRow {
  const char* name;
  std::function<LogBuilder()> log;
  const char* golden;
  std::vector<QsoToken> qso;
  bool tenths = false;
  std::function<void(logbook::ToSetupOwnStation&)> station;
};
void PrintTo(const GoldenRow& row, std::ostream* os) { *os << row.name; }

class CabrilloGoldenTest : public CabrilloTest, public ::testing::WithParamInterface<GoldenRow> {};

TEST_P(CabrilloGoldenTest, MatchesTheHandWrittenFileAndPassesTheLint) {
  const GoldenRow& row = GetParam();
  if (row.station) ChangeOwnStation(row.station);
  const std::string written = Cabrillo(row.log());
  ExpectGoldenFile(written, std::string(OUTPUT_GOLDEN_DIR) + "/" + row.golden);
  EXPECT_EQ(LintCabrillo(written, row.qso, row.tenths), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Logs, CabrilloGoldenTest,
    ::testing::Values(
        GoldenRow{"DotClass5", DotClass5Log, "dot_class5.CBR", kStandardQso, false, {}},
        GoldenRow{"Listener", ListenerLog, "listener.CBR", kTwoPartQso, false, {}},
        GoldenRow{"ColumnTemplate", NordrheinLog, "nordrhein.CBR", kTemplateQso, false, {}},
        GoldenRow{"NarrowColumns", TenMetreLog, "ten_metre.CBR", kTwoPartQso, false, {}},
        GoldenRow{"TenthsScore", RheinlandLog, "rheinland.CBR", kStandardQso, true, {}},
        GoldenRow{"TwoParts", HamburgLog, "hamburg.CBR", kTwoPartQso, false, {}},
        GoldenRow{"GermanStationsNumbers", XmasLog, "xmas.CBR", kStandardQso, false,
                  [](logbook::ToSetupOwnStation& s) {
                    s.station_text2 = "Jürgen Müller";
                    s.further.Set(3, "Große Straße 5");
                    s.further.Set(4, "50667 Köln");
                  }},
        GoldenRow{"EmptyLog", EmptyLog, "empty.CBR", kStandardQso, false, {}}),
    [](const ::testing::TestParamInfo<GoldenRow>& info) { return info.param.name; });

// The lint itself must find what a robot refuses.
TEST(CabrilloLintTest, FindsWhatARobotRefuses) {
  const std::string good =
      "START-OF-LOG: 3.0\r\nCLAIMED-SCORE: 12\r\n"
      "QSO: 3500  CW  2024-03-09 1000 DL1ABC 599 42 DL2XYZ 599 17\r\nEND-OF-LOG:\r\n";
  EXPECT_EQ(LintCabrillo(good, kStandardQso), std::vector<std::string>{});
  const auto broken = [&](const std::string& from, const std::string& to) {
    std::string bytes = good;
    bytes.replace(bytes.find(from), from.size(), to);
    return !LintCabrillo(bytes, kStandardQso).empty();
  };
  EXPECT_TRUE(broken("START-OF-LOG: 3.0", "START-OF-LOG: 2.0"));
  EXPECT_TRUE(broken("END-OF-LOG:\r\n", "END-OF-LOG:\n"));
  EXPECT_TRUE(broken("CLAIMED-SCORE: 12", "CLAIMED-SCORE: 1,2"));
  EXPECT_TRUE(broken("CLAIMED-SCORE", "CLAIMED-POINTS"));
  EXPECT_TRUE(broken(" CW ", " - "));
  EXPECT_TRUE(broken(" CW ", " SSB "));
  EXPECT_TRUE(broken("2024-03-09", "09.03.2024"));
  EXPECT_TRUE(broken("1000", "10:00"));
  EXPECT_TRUE(broken("599 17", "599 17 X"));
  EXPECT_TRUE(broken("START-OF-LOG: 3.0\r\n", ""));
  EXPECT_EQ(LintCabrillo(good + "QSO: 3500  CW  2024-03-09 0959 DL1ABC 599 42 DL2XYZ 599 17\r\n",
                         kStandardQso)
                .size(),
            3u);  // out of order, and END-OF-LOG no longer last, twice
}

// --- header lines ---

struct HeaderRow {
  const char* name;
  char code;
  const char* own_call;
  const char* dok;
  std::int32_t number;  // the catalogue's number field: the licence date of 'W'
  std::vector<std::string> present;
  std::vector<std::string> absent;
};
void PrintTo(const HeaderRow& row, std::ostream* os) { *os << row.name; }

class CabrilloHeaderTest : public CabrilloTest, public ::testing::WithParamInterface<HeaderRow> {};

TEST_P(CabrilloHeaderTest, WritesTheLinesOfTheLog) {
  const HeaderRow& row = GetParam();
  LogBuilder b(row.code, 1);
  b.Catalogue().OwnCall = row.own_call;
  b.Catalogue().OwnDOK = row.dok;
  b.Catalogue().OperatorNumber = static_cast<std::uint32_t>(row.number);
  b.Create();
  const std::string file = Cabrillo(b);
  for (const std::string& line : row.present) EXPECT_TRUE(HasLine(file, line)) << line;
  for (const std::string& line : row.absent) EXPECT_FALSE(HasLine(file, line)) << line;
  EXPECT_EQ(LintCabrillo(file, kStandardQso, row.code == 'R'), std::vector<std::string>{});
}

const std::int32_t kLicenceDay = common::DMYToDate(14, 5, 1987);

INSTANTIATE_TEST_SUITE_P(
    Logs, CabrilloHeaderTest,
    ::testing::Values(
        HeaderRow{"PortableCall",
                  '.',
                  "DL1ABC/P",
                  "B36",
                  -1,
                  {"CATEGORY-STATION: PORTABLE", "CALLSIGN: DL1ABC/P", "OPERATORS: DL1ABC/P"},
                  {}},
        HeaderRow{"PortableBeforeMobile",
                  '.',
                  "DL1ABC/M/P",
                  "B36",
                  -1,
                  {"CATEGORY-STATION: PORTABLE"},
                  {}},
        HeaderRow{"MobileCall", '.', "DL1ABC/M", "B36", -1, {"CATEGORY-STATION: MOBILE"}, {}},
        HeaderRow{"LowerCasePortableIsFixed",
                  '.',
                  "DL1ABC/p",
                  "B36",
                  -1,
                  {"CATEGORY-STATION: FIXED", "CALLSIGN: DL1ABC/P"},
                  {}},
        HeaderRow{"DokMakesTheClub",
                  '.',
                  "DL1ABC",
                  "B36",
                  -1,
                  {"CLUB: DARC", "SPECIFIC: B36"},
                  {"SPECIFIC: "}},
        HeaderRow{"NoDokNoClub", '.', "DL1ABC", "", -1, {"SPECIFIC: "}, {"CLUB: DARC"}},
        HeaderRow{"LicenceDateOfWag",
                  'W',
                  "DL1ABC",
                  "B36",
                  kLicenceDay,
                  {"SOAPBOX: LIC.DATE: 14.05.1987", "CONTEST: WAG"},
                  {}},
        HeaderRow{"WagWithoutLicenceDate",
                  'W',
                  "DL1ABC",
                  "B36",
                  -1,
                  {"SOAPBOX: "},
                  {"SOAPBOX: LIC.DATE: 14.05.1987"}},
        HeaderRow{"LicenceDateOnlyForWag",
                  '.',
                  "DL1ABC",
                  "B36",
                  kLicenceDay,
                  {"SOAPBOX: "},
                  {"SOAPBOX: LIC.DATE: 14.05.1987"}},
        HeaderRow{"NameWhenNoContestText", 'R', "DL1ABC", "B36", -1, {"CONTEST: LOG R"}, {}}),
    [](const ::testing::TestParamInfo<HeaderRow>& info) { return info.param.name; });

TEST_F(CabrilloTest, AnEmptyCountryIsGermanyAndTheSoapboxLinesFollowTheOperators) {
  ChangeOwnStation([](logbook::ToSetupOwnStation& s) { s.further.Set(5, ""); });
  LogBuilder b('.', 1);
  b.Create();
  const std::vector<std::string> lines = FileLines(Cabrillo(b));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 6, lines.end() - 1),
            (std::vector<std::string>{"ADDRESS: GERMANY", "EMAIL: DL1ABC@EXAMPLE.ORG",
                                      "OPERATORS: DL1ABC", "SOAPBOX: ", "SOAPBOX: "}));
}

// --- the claimed score ---

struct ScoreRow {
  const char* name;
  std::function<void(contest::TContestRec&)> rules;
  std::uint16_t multipliers;
  std::uint32_t points;
  const char* line;
};
void PrintTo(const ScoreRow& row, std::ostream* os) { *os << row.name; }

class CabrilloScoreTest : public CabrilloTest, public ::testing::WithParamInterface<ScoreRow> {};

TEST_P(CabrilloScoreTest, ClaimsWhatTheSheetClaims) {
  const ScoreRow& row = GetParam();
  LogBuilder b('.', 5);
  b.Catalogue().LoaderSwitch = 0;
  b.Catalogue().LineMults[0] = row.multipliers;
  b.Catalogue().LinePoints[0] = row.points;
  b.Create();
  EXPECT_TRUE(HasLine(Cabrillo(b, row.rules), row.line));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CabrilloScoreTest,
    ::testing::Values(ScoreRow{"MultipliersTimesPoints", [](contest::TContestRec&) {}, 3, 10,
                               "CLAIMED-SCORE: 30"},
                      ScoreRow{"NoMultiplierYetCountsThePoints", [](contest::TContestRec&) {}, 0,
                               10, "CLAIMED-SCORE: 10"},
                      ScoreRow{"PointsOnly", [](contest::TContestRec& d) { d.Flag34 = 1; }, 3, 10,
                               "CLAIMED-SCORE: 10"},
                      ScoreRow{"MultipliersAsScore",
                               [](contest::TContestRec& d) { d.ScoreFlag = 1; }, 3, 10,
                               "CLAIMED-SCORE: 3"},
                      ScoreRow{"NoMultiplierKinds",
                               [](contest::TContestRec& d) { d.MultiplierKinds.reset(); }, 3, 10,
                               "CLAIMED-SCORE: 10"}),
    [](const ::testing::TestParamInfo<ScoreRow>& info) { return info.param.name; });

TEST(CabrilloScoreTextTest, TenthsOnlyForTheContestThatScoresInThem) {
  EXPECT_EQ(output::CabrilloClaimedScore(1234, 'R'), "  123,4");
  EXPECT_EQ(output::CabrilloClaimedScore(5, 'R'), "    0,5");
  EXPECT_EQ(output::CabrilloClaimedScore(1072500, 'R'), "107250,0");  // wider than five places
  EXPECT_EQ(output::CabrilloClaimedScore(1234, '.'), "1234");
  EXPECT_EQ(output::CabrilloClaimedScore(6000000000, 'J'), "6000000000");
}

TEST_F(CabrilloTest, APeriodKeepsItsQsosAndClaimsItsPoints) {
  LogBuilder b('E', 1);
  b.Catalogue().LoaderSwitch = 0;
  b.Catalogue().LineMults[0] = 2;
  b.Catalogue().LinePoints[0] = 7;
  b.Create();
  b.Add(QsoOf({"DL2AAA", 'b', At(9, 30), "CW", "599JO62QM", "599JO31AB", 3}));
  b.Add(QsoOf({"DL2BBB", 'b', At(10, 30), "CW", "599JO62QM", "599JO40CD", 4}));
  output::PeriodSet hour;
  hour.start_times[0] = At(10, 0);
  hour.end_times[0] = At(10, 59, 59);
  const std::string file = Cabrillo(b, hour);
  const std::vector<std::string> qsos = QsoLines(file);
  ASSERT_EQ(qsos.size(), 1u);
  EXPECT_NE(qsos[0].find("DL2BBB"), std::string::npos);
  EXPECT_TRUE(HasLine(file, "CLAIMED-SCORE: 8"));
}

// --- the QSO line ---

TEST_F(CabrilloTest, ModesWithoutACabrilloNameAreDigital) {
  const std::vector<std::pair<std::string, std::string>> modes = {
      {"CW", "CW"},    {"USB", "PH"},    {"AM", "PH"},      {"FM", "FM"},     {"RTTY", "RY"},
      {"PSK31", "RY"}, {"PACKET", "RY"}, {"AMTOR", "DG"},   {"PACTOR", "DG"}, {"FAX", "DG"},
      {"ATV", "DG"},   {"SSTV", "DG"},   {"DIGITAL", "DG"}, {"", "- "},       {"   ", "- "}};
  for (const auto& [mode, word] : modes) EXPECT_EQ(output::CabrilloMode(mode), word) << mode;
}

// One QSO's line in a log of the contest.
class CabrilloLineTest : public CabrilloTest {
 protected:
  std::string LineOf(char code, int class_index, const contest::TContestLKRec& qso) {
    LogBuilder b(code, class_index);
    b.Create();
    b.Add(qso);
    const std::vector<std::string> lines = QsoLines(Cabrillo(b));
    return lines.size() == 1 ? lines[0] : "";
  }
};

TEST_F(CabrilloLineTest, EmptyFieldsHoldPlaceholders) {
  contest::TContestLKRec qso = QsoOf({"", 'b', At(10, 0), "CW", "", ""});
  qso.Datum = 0;
  EXPECT_EQ(LineOf('.', 5, qso),
            "QSO: 3500  CW      -  -   1000 DL1ABC  -   -                -         -   -" +
                std::string(20, ' '));
}

TEST_F(CabrilloLineTest, TheReceivedExchangeIsReadToItsEnd) {
  // 24 characters: the report and 21 of exchange.
  const std::string line =
      LineOf('.', 5, QsoOf({"DL2XYZ", 'b', At(10, 0), "CW", "599", "599ABCDEFGHIJKLMNOPQRSTU"}));
  const std::string tail = "DL2XYZ   599 ABCDEFGHIJKLMNOPQRSTU ";
  ASSERT_GE(line.size(), tail.size());
  EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
}

struct ExchangeRow {
  const char* name;
  char code;
  const char* call;
  const char* sent;
  const char* received;
  const char* sent_block;      // report, blank, exchange, trimmed
  const char* received_block;  // likewise
};
void PrintTo(const ExchangeRow& row, std::ostream* os) { *os << row.name; }

class CabrilloExchangeTest : public CabrilloLineTest,
                             public ::testing::WithParamInterface<ExchangeRow> {};

TEST_P(CabrilloExchangeTest, WritesEachPartInItsColumn) {
  const ExchangeRow& row = GetParam();
  const std::string line =
      LineOf(row.code, 1, QsoOf({row.call, 'b', At(10, 0), "CW", row.sent, row.received}));
  const std::string own = "DL1ABC ";
  const std::size_t sent_at = line.find(own) + own.size();
  const std::size_t call_at = line.find(std::string(" ") + row.call + " ", sent_at);
  ASSERT_NE(call_at, std::string::npos) << line;
  EXPECT_EQ(common::Trim(line.substr(sent_at, call_at - sent_at)), row.sent_block) << line;
  const std::size_t received_at =
      line.find_first_not_of(' ', call_at + 1 + std::string(row.call).size());
  EXPECT_EQ(common::Trim(line.substr(received_at)), row.received_block) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CabrilloExchangeTest,
    ::testing::Values(
        ExchangeRow{"TwoParts", 'J', "DL2XYZ", "59 B36/JO62QM", "59 E01/JO53AB", "59  B36  JO62QM",
                    "59  E01  JO53AB"},
        ExchangeRow{"FirstPartEmpty", 'J', "DL2XYZ", "599/JO62QM", "599/JO53AB", "599 -    JO62QM",
                    "599 -    JO53AB"},
        ExchangeRow{"OnePartOfTwo", 'J', "DL2XYZ", "59 B36", "59 E01", "59  B36  -", "59  E01  -"},
        ExchangeRow{"NoPartOfTwo", 'J', "DL2XYZ", "", "599", "-  -    -", "599 -    -"},
        ExchangeRow{"SlashOfOnePartContest", '.', "DL2XYZ", "599/42", "599/17", "599 42", "599 17"},
        ExchangeRow{"GermanNumberDropped", 'X', "DA0XX", "59 001", "59 007", "59   -", "59   -"},
        ExchangeRow{"ForeignNumberKept", 'X', "OK1AB", "59 B36", "59 015", "59  B36", "59  015"},
        ExchangeRow{"GermanDokKept", 'X', "DL2XYZ", "59 B36", "59 K01", "59  B36", "59  K01"},
        ExchangeRow{"NumbersOfOtherContestsKept", '.', "DL2XYZ", "599001", "599007", "599 001",
                    "599 007"}),
    [](const ::testing::TestParamInfo<ExchangeRow>& info) { return info.param.name; });

}  // namespace
}  // namespace output_test
