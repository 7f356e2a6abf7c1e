// The ADIF files of the fixture logs against files written by hand, each taken by a strict ADI
// reader; the question of the export; the fields of one record.
#include "output/adif.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "common/service.h"
#include "contest/contest_fkt.h"
#include "output/output_drivers.h"
#include "tests/contest/definition_fixture.h"
#include "tests/output/adi_reader.h"
#include "tests/output/export_logs.h"
#include "tests/output/golden_file.h"

namespace output_test {
namespace {

using common::MessageKind;

constexpr const char* kQuestion = "Von der Kontrollnummer nur RS(T) exportieren?";

class AdifTest : public OutputLogTest {
 protected:
  // The ADIF file of the log, the question answered with `report_only` (when it is asked).
  std::string Adif(const LogBuilder& log, bool report_only) {
    presenter_->answers = {true, report_only};  // the save dialog's notice, then the question
    return WriteFile(log, 9, ExportOnePass);
  }
  int Questions() const {
    return static_cast<int>(std::count_if(
        presenter_->calls.begin(), presenter_->calls.end(), [](const common::MessageCall& c) {
          return c.kind == MessageKind::kJaNeinFrage && c.text == kQuestion && c.default_yes;
        }));
  }
};

// --- whole files ---

struct GoldenRow {
  const char* name;
  std::function<LogBuilder()> log;
  bool report_only;
  const char* golden;
  bool asked;
};
void PrintTo(const GoldenRow& row, std::ostream* os) { *os << row.name; }

class AdifGoldenTest : public AdifTest, public ::testing::WithParamInterface<GoldenRow> {};

TEST_P(AdifGoldenTest, MatchesTheHandWrittenFileAndAStrictReaderTakesIt) {
  const GoldenRow& row = GetParam();
  const std::string written = Adif(row.log(), row.report_only);
  ExpectGoldenFile(written, std::string(OUTPUT_GOLDEN_DIR) + "/" + row.golden);
  const AdiFile file = ReadAdi(written);
  EXPECT_EQ(file.problems, std::vector<std::string>{});
  EXPECT_EQ(Questions(), row.asked ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, AdifGoldenTest,
    ::testing::Values(GoldenRow{"ReportsOnly", LogbookLog, true, "logbook_reports.ADI", true},
                      GoldenRow{"WholeExchanges", LogbookLog, false, "logbook_whole.ADI", true},
                      GoldenRow{"ListenerReportsOnly", ListenerLog, true, "listener_reports.ADI",
                                true},
                      GoldenRow{"ListenerWholeExchanges", ListenerLog, false,
                                "listener_whole.ADI", true},
                      // 'A' is not asked: its received LDK follows the reports.
                      GoldenRow{"TelegraphyNotAsked", TelegraphyLog, false, "telegraphy.ADI",
                                false}),
    [](const ::testing::TestParamInfo<GoldenRow>& info) { return info.param.name; });

TEST_F(AdifTest, AnEmptyLogHasTheHeaderAndNoRecord) {
  const std::string written = Adif(EmptyLog(), true);
  const AdiFile file = ReadAdi(written);
  EXPECT_EQ(file.problems, std::vector<std::string>{});
  EXPECT_TRUE(file.records.empty());
  EXPECT_EQ(FileLines(written).back(), "<EOH>");
}

// --- one record ---

// A QSO of contest '.' class 5 (or the row's contest in its first class) with the fields each
// row changes.
struct RecordRow {
  const char* name;
  std::function<void(contest::TContestLKRec&)> change;
  std::vector<std::pair<std::string, std::string>> fields;  // tag and value it must have
  std::vector<std::string> absent;                          // tags it must not have
  char code = '.';
};
void PrintTo(const RecordRow& row, std::ostream* os) { *os << row.name; }

class AdifRecordTest : public AdifTest, public ::testing::WithParamInterface<RecordRow> {};

TEST_P(AdifRecordTest, WritesTheFieldsAStrictReaderTakes) {
  const RecordRow& row = GetParam();
  contest::TContestKKRec log = contest_test::DefinitionFixture::GermanLog(row.code == '.' ? 5 : 1);
  const contest::TContestRec definition = DefinitionFor(row.code, log);
  contest::TContestLKRec qso = QsoOf({"DL2XYZ", 'b', At(10, 0), "CW", "599001", "599002", 1});
  qso.Frequency = 3.5255f;
  qso.NameQth = "Hans;Berlin";
  row.change(qso);
  logbook::TdbPrefix prefixes;
  const std::string line = output::WriteADIFQSO(true, definition, log, qso, prefixes);
  const AdiFile file = ReadAdi("header\r\n<EOH>\r\n" + line + "\r\n");
  EXPECT_EQ(file.problems, std::vector<std::string>{}) << line;
  ASSERT_EQ(file.records.size(), 1u) << line;
  for (const auto& [tag, value] : row.fields) {
    EXPECT_EQ(file.records[0].Get(tag), value) << tag << " in " << line;
  }
  for (const std::string& tag : row.absent) EXPECT_FALSE(file.records[0].Has(tag)) << line;
}

auto SentExchange(const char* text) {
  return [text](contest::TContestLKRec& q) { contest::TContestFkt::SetSentExchange(text, q); };
}

INSTANTIATE_TEST_SUITE_P(
    Fields, AdifRecordTest,
    ::testing::Values(
        RecordRow{"SerialWithDistrict", SentExchange("599001/B01"),
                  {{"STX", "001"}, {"STX_STRING", "001/B01"}, {"RST_SENT", "599"}}, {}},
        RecordRow{"LettersAndDigits", SentExchange("599A1"), {{"STX_STRING", "A1"}}, {"STX"}},
        RecordRow{"DecimalPointIsNoSerial", SentExchange("59912.5"), {{"STX_STRING", "12.5"}},
                  {"STX"}},
        RecordRow{"DistrictWithoutSerial", SentExchange("599/B01"), {{"STX_STRING", "/B01"}},
                  {"STX"}},
        RecordRow{"ReportAlone", SentExchange("599"), {{"RST_SENT", "599"}},
                  {"STX", "STX_STRING"}},
        RecordRow{"NoDate", [](contest::TContestLKRec& q) { q.Datum = 0; },
                  {{"TIME_ON", "100000"}}, {"QSO_DATE"}},
        RecordRow{"TimeToTheSecond", [](contest::TContestLKRec& q) { q.Zeit = At(23, 59, 7); },
                  {{"TIME_ON", "235907"}, {"QSO_DATE", "20240309"}}, {}},
        RecordRow{"PointsOfTheLogsUnit", [](contest::TContestLKRec& q) { q.Points = 15; },
                  {{"PTS", "15"}}, {}},
        // 'R' counts in tenths.
        RecordRow{"PointsInTenths", [](contest::TContestLKRec& q) { q.Points = 15; },
                  {{"PTS", "1.5"}}, {}, 'R'},
        RecordRow{"WholePointsInTenths", [](contest::TContestLKRec& q) { q.Points = 120; },
                  {{"PTS", "12.0"}}, {}, 'R'},
        RecordRow{"NoFrequency", [](contest::TContestLKRec& q) { q.Frequency = 0.0f; }, {},
                  {"FREQ"}},
        RecordRow{"Frequency", [](contest::TContestLKRec&) {}, {{"FREQ", "3.5255"}}, {}},
        RecordRow{"PacketRadio", [](contest::TContestLKRec& q) { q.Mode = "PR"; },
                  {{"MODE", "PKT"}}, {}},
        RecordRow{"PlaceWithoutName", [](contest::TContestLKRec& q) { q.NameQth = "Berlin"; },
                  {{"QTH", "Berlin"}}, {"NAME"}},
        RecordRow{"NameWithoutPlace", [](contest::TContestLKRec& q) { q.NameQth = "Hans;"; },
                  {{"NAME", "Hans"}}, {"QTH"}},
        RecordRow{"UnknownBand", [](contest::TContestLKRec& q) { q.Bandcode = 'Z'; }, {},
                  {"BAND"}},
        RecordRow{"UmlautCountsOneByte",
                  [](contest::TContestLKRec& q) { q.NameQth = "J\xFCrgen;M\xFCnchen"; },
                  {{"NAME", "J\xFCrgen"}, {"QTH", "M\xFCnchen"}}, {}},
        RecordRow{"UnknownEntityKeepsItsPrefix", [](contest::TContestLKRec& q) { q.DXCC = "XX"; },
                  {{"DXCC_PFX", "XX"}}, {"DXCC"}},
        RecordRow{"KnownEntity", [](contest::TContestLKRec& q) { q.DXCC = "OE"; },
                  {{"DXCC", "206"}, {"DXCC_PFX", "OE"}}, {}},
        RecordRow{"QslMarks",
                  [](contest::TContestLKRec& q) {
                    q.QslSent = 'j';
                    q.QslRcvd = 'N';
                  },
                  {{"QSL_SENT", "Y"}, {"QSL_RCVD", "N"}}, {}},
        RecordRow{"BlankQslMarks",
                  [](contest::TContestLKRec& q) {
                    q.QslSent = ' ';
                    q.QslRcvd = 0;
                  },
                  {}, {"QSL_SENT", "QSL_RCVD"}}),
    [](const ::testing::TestParamInfo<RecordRow>& info) { return info.param.name; });

// The district field is named by the contest's multiplier kinds and written also when empty.
TEST_F(AdifTest, TheDistrictFieldIsNamedByTheMultiplierKinds) {
  contest::TContestKKRec log = contest_test::DefinitionFixture::GermanLog(1);
  log.Typ = 'V';
  contest::TContestLKRec qso = QsoOf({"DL2XYZ", 'b', At(10, 0)});
  qso.DOK1 = "B";
  qso.DOK2 = "36";
  logbook::TdbPrefix prefixes;
  contest::TContestRec definition;
  struct Case {
    std::vector<int> kinds;
    std::string tag;
  };
  for (const Case& c : {Case{{4}, "DARC_DOK"}, Case{{8, 17}, "AREA"}, Case{{17}, "LDK"}}) {
    definition.MultiplierKinds.reset();
    for (const int kind : c.kinds) definition.MultiplierKinds.set(static_cast<std::size_t>(kind));
    const AdiFile file =
        ReadAdi("h\r\n<EOH>\r\n" + output::WriteADIFQSO(true, definition, log, qso, prefixes));
    ASSERT_EQ(file.records.size(), 1u);
    EXPECT_EQ(file.records[0].Get(c.tag), "B36") << c.tag;
  }
  qso.DOK1 = "";
  qso.DOK2 = "";
  const AdiFile file =
      ReadAdi("h\r\n<EOH>\r\n" + output::WriteADIFQSO(true, definition, log, qso, prefixes));
  ASSERT_EQ(file.records.size(), 1u);
  EXPECT_EQ(file.records[0].Get("LDK"), "");
}

// The reader itself refuses what an exacting logbook program refuses.
TEST(AdiReader, RefusesWhatAStrictReaderRefuses) {
  const std::string head = "ADIF export\r\n<EOH>\r\n";
  EXPECT_EQ(ReadAdi(head + "<CALL:6>DL2XYZ <EOR>\r\n").problems, std::vector<std::string>{});
  const std::vector<std::string> bad = {
      head + "<CALL:5>DL2XYZ <EOR>",               // length one short
      head + "<CALL:7>DL2XYZ <EOR>",               // length one long
      head + "<CALL:6>DL2XYZ <NOTE:1>x <EOR>",     // no field of ours
      head + "<CALL:6>DL2XYZ <EOR><CALL:1>K",      // fields after the last record
      head + "<CALL:6>DL2XYZ <EOR>\r\n<EOH>",      // a second header end
      "<CALL:6>DL2XYZ <EOH><EOR>",                 // no header text
      head + "<BAND:4>???? <CALL:1>K <EOR>",       // no ADIF band
      head + "<STX:4>12.5 <CALL:1>K <EOR>",        // STX is an integer
      head + "<QSO_DATE:8>20241332 <CALL:1>K <EOR>",
      head + "<CALL:6>DL2XYZ"};
  for (const std::string& file : bad) EXPECT_FALSE(ReadAdi(file).problems.empty()) << file;
}

}  // namespace
}  // namespace output_test
