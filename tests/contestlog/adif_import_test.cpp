// The ADIF import's road without the window: the lookup of a log field in a record, the mode,
// band and frequency checks, and whole files through an entry that saves like the window's
// (a record without date or time refused, a call already saved a dupe).
#include "contestlog/adif_import.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/service.h"
#include "logbook/reference/bands.h"

namespace contestlog {
namespace {

using common::AdifRecord;
using Field = AdifEntryField;

const AdifMapping kDialogLines = {"CALL",     "QSO_DATE", "TIME_ON", "RST_SENT", "RST_RCVD",
                                  "BAND",     "FREQ",     "MODE",    "SRX",      "SRX_STRING",
                                  "STX",      "STX_STRING"};

// Every line of `lines` fed by the ADIF field of its own name.
AdifMapping SameNames(const AdifMapping& lines) {
  AdifMapping mapping;
  for (const std::string& line : lines) mapping.push_back(line + " (" + line + ")");
  return mapping;
}

AdifRecord Record(const std::string& fields) {
  const common::AdifFile file = common::ReadAdif(fields + "<EOR>");
  return file.records.empty() ? AdifRecord{} : file.records[0];
}

class AdifImportTest : public ::testing::Test {
 protected:
  common::ScopedService<logbook::ToBaender> bands_;
};

// --- ParseAdifField ---

struct LookupRow {
  const char* name;
  std::string fields;
  AdifMapping mapping;
  const char* asked;
  const char* fallback;
  const char* value;
};
void PrintTo(const LookupRow& row, std::ostream* os) { *os << row.name; }

class LookupTest : public AdifImportTest, public ::testing::WithParamInterface<LookupRow> {};

TEST_P(LookupTest, GivesTheValue) {
  const LookupRow& row = GetParam();
  EXPECT_EQ(ParseAdifField(Record(row.fields), row.mapping, row.asked, row.fallback), row.value);
}

const AdifMapping kAll = SameNames(kDialogLines);

INSTANTIATE_TEST_SUITE_P(
    Rows, LookupTest,
    ::testing::Values(
        LookupRow{"WholeNameNotBandRx", "<BAND_RX:3>80m<BAND:3>20m", kAll, "BAND", "", "20M"},
        LookupRow{"WholeNameNotStxString", "<STX_STRING:3>abc<STX:3>012", kAll, "STX", "", "012"},
        LookupRow{"FirstOccurrence", "<CALL:3>K1A<CALL:3>K2B", kAll, "CALL", "", "K1A"},
        LookupRow{"Trimmed", "<CALL:7>  k1a  ", kAll, "call", "", "K1A"},
        LookupRow{"DefaultWhenMissing", "<CALL:3>K1A", kAll, "RST_SENT", "59", "59"},
        LookupRow{"DefaultWhenEmpty", "<RST_SENT:0>", kAll, "RST_SENT", "5nn", "5NN"},
        LookupRow{"UnassignedLineGivesNothing", "<CALL:3>K1A", {"CALL"}, "CALL", "X", ""},
        LookupRow{"OwnNamesOutsideTheList", "<NAME:4>hans", kAll, "NAME", "", "HANS"},
        LookupRow{"OtherFieldByMapping", "<RST_R:3>579<RST_RCVD:3>599", {"RST_RCVD (RST_R)"},
                  "RST_RCVD", "", "579"},
        LookupRow{"CaptionIgnoringCase", "<DARC_DOK:3>b36", {"DOK (DARC_DOK)"}, "dok", "", "B36"},
        LookupRow{"CaptionOfTwoNamesWhole", "<SRX:2>12", {"lfd.Nr. / DOK (SRX)"},
                  "LFD.NR. / DOK", "", "12"},
        LookupRow{"Date8", "<QSO_DATE:8>20240302", kAll, "QSO_DATE", "", "02.03.24"},
        LookupRow{"Date6", "<QSO_DATE:6>240302", kAll, "QSO_DATE", "", "02.03.24"},
        LookupRow{"DateOtherLengthAsItStands", "<QSO_DATE:7>2024032", kAll, "QSO_DATE", "",
                  "2024032"},
        LookupRow{"DefaultConvertedToo", "", kAll, "QSO_DATE", "20240302", "02.03.24"},
        LookupRow{"Time4", "<TIME_ON:4>0005", kAll, "TIME_ON", "", "00:05"},
        LookupRow{"Time6KeepsSeconds", "<TIME_ON:6>235959", kAll, "TIME_ON", "", "23:59:59"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- mode, band and frequency checks ---

TEST_F(AdifImportTest, ModesByEntryWithDigitalForTheOthers) {
  contest::TContestRec definition;
  definition.Modes[0] = "SSB";
  definition.Modes[2] = "DIGITAL";  // an empty entry between
  EXPECT_TRUE(AdifModeAccepted(definition, true, "SSB"));
  EXPECT_TRUE(AdifModeAccepted(definition, true, "RTTY"));
  EXPECT_TRUE(AdifModeAccepted(definition, true, "PSK31"));
  EXPECT_FALSE(AdifModeAccepted(definition, true, "CW"));
  EXPECT_FALSE(AdifModeAccepted(definition, true, "FM"));
  EXPECT_FALSE(AdifModeAccepted(definition, true, ""));
  EXPECT_TRUE(AdifModeAccepted(definition, false, "CW"));
  definition.Modes[2] = "";
  EXPECT_FALSE(AdifModeAccepted(definition, true, "RTTY"));
}

TEST_F(AdifImportTest, BandsByFrequencyAliasOrName) {
  contest::TContestRec definition;
  definition.Bands[0] = 'b';  // 80 m
  definition.Bands[5] = 'e';  // 20 m, after unused entries
  EXPECT_TRUE(AdifBandAccepted(definition, true, "14.025", ""));
  EXPECT_TRUE(AdifBandAccepted(definition, true, "14,025", ""));
  EXPECT_TRUE(AdifBandAccepted(definition, true, "", "20M"));
  EXPECT_TRUE(AdifBandAccepted(definition, true, "", "20 m"));
  EXPECT_TRUE(AdifBandAccepted(definition, true, "7.010", "80M"));
  EXPECT_FALSE(AdifBandAccepted(definition, true, "7.010", "40M"));
  EXPECT_FALSE(AdifBandAccepted(definition, true, "", ""));
  EXPECT_TRUE(AdifBandAccepted(definition, false, "7.010", ""));
}

TEST(AdifFreqToFloatTest, CommaAndPointAlikeAndNothingElse) {
  EXPECT_EQ(AdifFreqToFloat("14.025"), 14.025);
  EXPECT_EQ(AdifFreqToFloat("14,025"), 14.025);
  EXPECT_EQ(AdifFreqToFloat(" 3,5 "), 3.5);
  EXPECT_EQ(AdifFreqToFloat("144"), 144.0);
  for (const char* bad : {"", "14.0x", "14,0,1", "1e3", "-", ".", "14 025", "0x10"})
    EXPECT_EQ(AdifFreqToFloat(bad), std::nullopt) << bad;
}

// --- whole files through an entry ---

// An entry that keeps its fields' texts and saves like the window: no date or time, refused;
// a call saved before, a dupe; after a save the entry is cleared but keeps band, frequency and
// mode, and the next serial number stands in the sent exchange.
class RecordingEntry : public AdifImportEntry {
 public:
  std::map<Field, std::string> fields;
  char band = 'b';
  std::string record_mode;
  std::vector<std::string> saved;
  int cleared = 0;
  std::size_t capacity = 100;

  RecordingEntry() { Reset(); }

  std::string Text(Field field) const override {
    const auto it = fields.find(field);
    return it == fields.end() ? std::string() : it->second;
  }
  void SetText(Field field, const std::string& text) override { fields[field] = text; }
  void ClearRecord() override {
    ++cleared;
    record_mode.clear();
  }
  void SetRecordMode(const std::string& mode) override { record_mode = mode; }
  void SetBand(char code) override { band = code; }
  SaveRefusal SaveEntry(int /*moves*/, bool& stored) override {
    if (Text(Field::kDate).empty() || Text(Field::kTime).empty())
      return SaveRefusal::kNoDateOrTime;
    if (calls_.count(Text(Field::kCall)) != 0) return SaveRefusal::kDupe;
    // A full log takes nothing more.
    stored = calls_.size() < capacity;
    if (!stored) return SaveRefusal::kNone;
    calls_.insert(Text(Field::kCall));
    saved.push_back(Text(Field::kCall) + " " + Text(Field::kDate) + " " + Text(Field::kTime) +
                    " " + band + " " + record_mode + " " + Text(Field::kFreq) + " " +
                    Text(Field::kSent1) + "/" + Text(Field::kSent2) + "/" + Text(Field::kSent3) +
                    "/" + Text(Field::kSent4) + " " + Text(Field::kRcvd1) + "/" +
                    Text(Field::kRcvd2) + "/" + Text(Field::kRcvd3) + "/" + Text(Field::kRcvd4));
    Reset();
    return SaveRefusal::kNone;
  }

 private:
  void Reset() {
    const std::string frequency = fields.count(Field::kFreq) ? fields[Field::kFreq] : "3,550";
    const std::string mode = fields.count(Field::kMode) ? fields[Field::kMode] : "CW";
    fields.clear();
    fields[Field::kFreq] = frequency;
    fields[Field::kMode] = mode;
    fields[Field::kSent1] = "599";
    fields[Field::kSent2] = std::to_string(calls_.size() + 1);
    fields[Field::kRcvd1] = "599";
  }
  std::set<std::string> calls_;
};

struct ImportRow {
  const char* name;
  std::string file;
  bool check;
  std::vector<std::string> saved;
  std::string notice;
};
void PrintTo(const ImportRow& row, std::ostream* os) { *os << row.name; }

class ImportFileTest : public AdifImportTest, public ::testing::WithParamInterface<ImportRow> {};

// A contest on 80 and 20 m, CW, SSB and digital modes, received field 2 captioned "DOK".
contest::TContestRec ImportContest() {
  contest::TContestRec definition;
  definition.Bands[0] = 'b';  // 80 m
  definition.Bands[1] = 'e';  // 20 m
  definition.Modes[0] = "CW";
  definition.Modes[1] = "SSB";
  definition.Modes[3] = "DIGITAL";
  definition.ExchangeLabels[0] = "DOK";
  return definition;
}

TEST_P(ImportFileTest, SavesAndCounts) {
  const ImportRow& row = GetParam();
  AdifMapping mapping = SameNames(kDialogLines);
  mapping.push_back("DOK (DARC_DOK)");
  RecordingEntry entry;  // on 80 m, 3,550, CW
  const common::AdifFile file = common::ReadAdif(row.file + "<EOR>");
  const AdifImportCounts counts =
      ImportAdifRecords(file.records, mapping, row.check, ImportContest(), entry);
  EXPECT_EQ(entry.saved, row.saved);
  EXPECT_EQ(AdifImportNotice(counts), row.notice);
  EXPECT_EQ(entry.cleared, static_cast<int>(file.records.size()));
}

const std::string kQso = "<QSO_DATE:8>20240302<TIME_ON:4>1200<MODE:2>CW";

INSTANTIATE_TEST_SUITE_P(
    Rows, ImportFileTest,
    ::testing::Values(
        ImportRow{"BadFrequencyWithBandLandsOnTheBand",
                  "<CALL:3>K1A<FREQ:5>14.0x<BAND:3>20M" + kQso, true,
                  {"K1A 02.03.24 12:00 e CW 14 599/1// 599///"},
                  "1 Datensätze importiert"},
        ImportRow{"NoFrequencyWithBandLandsOnTheBand", "<CALL:3>K1A<BAND:3>20m" + kQso, true,
                  {"K1A 02.03.24 12:00 e CW 14 599/1// 599///"},
                  "1 Datensätze importiert"},
        ImportRow{"CommaAndPointAlike",
                  "<CALL:3>K1A<FREQ:6>14,025" + kQso + "<EOR><CALL:3>K2B<FREQ:6>14.025" + kQso,
                  true,
                  {"K1A 02.03.24 12:00 e CW 14,025 599/1// 599///",
                   "K2B 02.03.24 12:00 e CW 14,025 599/2// 599///"},
                  "2 Datensätze importiert"},
        ImportRow{"NeitherKeepsTheEntrysFrequency", "<CALL:3>K1A" + kQso, true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/1// 599///"},
                  "1 Datensätze importiert"},
        ImportRow{"FrequencyInNoBandAlsoWithoutChecks",
                  "<CALL:3>K1A<FREQ:3>6.0" + kQso + "<EOR><CALL:3>K2B<BAND:4>junk" + kQso, false,
                  {},
                  "0 Datensätze importiert\r\n2 fehlende oder falsche Bandangaben"},
        ImportRow{"BandOutsideTheContest", "<CALL:3>K1A<BAND:3>40M" + kQso, true, {},
                  "0 Datensätze importiert\r\n1 fehlende oder falsche Bandangaben"},
        ImportRow{"ChecksOffTakeAnyBandAndMode",
                  "<CALL:3>K1A<BAND:3>40M<QSO_DATE:8>20240302<TIME_ON:4>1200<MODE:2>FM", false,
                  {"K1A 02.03.24 12:00 c FM 7 599/1// 599///"},
                  "1 Datensätze importiert"},
        ImportRow{"DigitalTakesRttyNotFm",
                  "<CALL:3>K1A<BAND:3>20M<QSO_DATE:8>20240302<TIME_ON:4>1200<MODE:4>RTTY<EOR>"
                  "<CALL:3>K2B<BAND:3>20M<QSO_DATE:8>20240302<TIME_ON:4>1200<MODE:2>FM",
                  true,
                  {"K1A 02.03.24 12:00 e RTTY 14 599/1// 599///"},
                  "1 Datensätze importiert\r\n1 fehlende oder falsche Modeangaben"},
        ImportRow{"NoModeIsABadModeWithChecks",
                  "<CALL:3>K1A<BAND:3>20M<QSO_DATE:8>20240302<TIME_ON:4>1200", true, {},
                  "0 Datensätze importiert\r\n1 fehlende oder falsche Modeangaben"},
        ImportRow{"NoModeTakesTheEntrysWithoutChecks",
                  "<CALL:3>K1A<BAND:3>20M<QSO_DATE:8>20240302<TIME_ON:4>1200", false,
                  {"K1A 02.03.24 12:00 e CW 14 599/1// 599///"},
                  "1 Datensätze importiert"},
        ImportRow{"DupeAndMissingTimeEachInItsLine",
                  "<CALL:3>K1A" + kQso + "<EOR><CALL:3>K1A" + kQso +
                      "<EOR><CALL:3>K2B<QSO_DATE:8>20240302<MODE:2>CW",
                  true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/1// 599///"},
                  "1 Datensätze importiert\r\n1 Calls doppelt\r\n1 ohne Datum oder Uhrzeit"},
        ImportRow{"MidnightIsATime", "<CALL:3>K1A<QSO_DATE:6>240302<TIME_ON:6>000000<MODE:2>CW",
                  true,
                  {"K1A 02.03.24 00:00:00 b CW 3,550 599/1// 599///"},
                  "1 Datensätze importiert"},
        ImportRow{"SentReportWithExchangeParts", "<CALL:3>K1A<RST_SENT:11>59914/ABC/7" + kQso,
                  true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/14/ABC/7 599///"},
                  "1 Datensätze importiert"},
        ImportRow{"SentStringBeforeSerial",
                  "<CALL:3>K1A<RST_SENT:3>579<STX:3>007<STX_STRING:4>B/36" + kQso, true,
                  {"K1A 02.03.24 12:00 b CW 3,550 579/B/36/ 599///"},
                  "1 Datensätze importiert"},
        ImportRow{"ReceivedReportWithExchange", "<CALL:3>K1A<RST_RCVD:9>57912/B36" + kQso, true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/1// 579/12/B36/"},
                  "1 Datensätze importiert"},
        ImportRow{"ReceivedByCaptionThenSerial",
                  "<CALL:3>K1A<RST_RCVD:3>559<DARC_DOK:3>b36<SRX:3>042" + kQso +
                      "<EOR><CALL:3>K2B<SRX:3>043" + kQso,
                  true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/1// 559/042//",
                   "K2B 02.03.24 12:00 b CW 3,550 599/2// 599/043//"},
                  "2 Datensätze importiert"},
        ImportRow{"ReceivedCaptionWhenNoSerial",
                  "<CALL:3>K1A<RST_RCVD:3>559<DARC_DOK:3>b36" + kQso, true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/1// 559/B36//"},
                  "1 Datensätze importiert"},
        // Our own export of a three-part exchange: whole, or the parts after the report.
        ImportRow{"ReceivedWholeInThreeParts", "<CALL:3>K1A<RST_RCVD:15>599001/JO43/e03" + kQso,
                  true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/1// 599/001/JO43/E03"},
                  "1 Datensätze importiert"},
        ImportRow{"ReceivedStringInThreeParts",
                  "<CALL:3>K1A<RST_RCVD:3>599<SRX:3>001<SRX_STRING:12>001/JO43/E03<DARC_DOK:3>M01" +
                      kQso,
                  true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/1// 599/001/JO43/E03"},
                  "1 Datensätze importiert"},
        ImportRow{"ReceivedEmptyPartTakesItsCaption",
                  "<CALL:3>K1A<RST_RCVD:3>559<SRX_STRING:7>/JO43/X<DARC_DOK:3>b36" + kQso +
                      "<EOR><CALL:3>K2B<RST_RCVD:9>559/JO43/<DARC_DOK:3>b37" + kQso,
                  true,
                  {"K1A 02.03.24 12:00 b CW 3,550 599/1// 559/B36/JO43/X",
                   "K2B 02.03.24 12:00 b CW 3,550 599/2// 559/B37/JO43/"},
                  "2 Datensätze importiert"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AdifImportTest, AQsoTheLogDidNotTakeIsNoImport) {
  RecordingEntry entry;
  entry.capacity = 1;
  const common::AdifFile file = common::ReadAdif("<CALL:3>K1A" + kQso + "<EOR><CALL:3>K2B" +
                                                 kQso + "<EOR>");
  const AdifImportCounts counts =
      ImportAdifRecords(file.records, SameNames(kDialogLines), true, ImportContest(), entry);
  EXPECT_EQ(AdifImportNotice(counts), "1 Datensätze importiert\r\n1 QSOs nicht gespeichert");
}

TEST(AdifImportNoticeTest, EveryReasonInItsLine) {
  AdifImportCounts counts;
  counts.imported = 7;
  counts.dupes = 1;
  counts.without_date_or_time = 2;
  counts.bad_call = 3;
  counts.outside_districts = 4;
  counts.not_stored = 8;
  counts.bad_band = 5;
  counts.bad_mode = 6;
  counts.unended = 9;
  EXPECT_EQ(AdifImportNotice(counts),
            "7 Datensätze importiert\r\n1 Calls doppelt\r\n2 ohne Datum oder Uhrzeit\r\n"
            "3 mit ungültigem Rufzeichen\r\n4 außerhalb der Distrikte\r\n"
            "8 QSOs nicht gespeichert\r\n5 fehlende oder falsche Bandangaben\r\n"
            "6 fehlende oder falsche Modeangaben\r\n9 Datensätze ohne <EOR> nicht gelesen");
  EXPECT_EQ(AdifImportNotice({}), "0 Datensätze importiert");
}

}  // namespace
}  // namespace contestlog
