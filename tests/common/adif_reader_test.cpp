// The ADI reader: the rules of tags, values, header, comments and encodings one row each, then
// files in the styles other logbook programs write.
#include "common/adif_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/common/rows.h"

namespace common {
namespace {

using testing::Row;
using testing::RowName;

// "CALL=K1A MODE=CW | CALL=K2B" and, when fields were left after the last <EOR>, " + 2 in 1"
// (fields, and the records they seem to hold).
std::string Dump(const AdifFile& file) {
  std::string out;
  for (const AdifRecord& record : file.records) {
    if (!out.empty()) out += " | ";
    std::string fields;
    for (const AdifValue& field : record.fields) {
      if (!fields.empty()) fields += " ";
      fields += field.name + "=" + field.value;
    }
    out += fields;
  }
  if (!file.unended.fields.empty()) {
    out += " + " + std::to_string(file.unended.fields.size()) + " in " +
           std::to_string(file.unended_records);
  }
  return out;
}

const std::string kLongName(kMaxNameLength, 'N');

class ReadRuleTest : public ::testing::TestWithParam<Row<std::string>> {};

TEST_P(ReadRuleTest, GivesTheRecords) { EXPECT_EQ(Dump(ReadAdif(GetParam().in)), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadRuleTest,
    ::testing::Values(
        // tags and values
        Row<std::string>{"LengthTakesLtAndGtAsData", "<CALL:5>a<b>c<EOR>", "CALL=A<B>C"},
        Row<std::string>{"ValueNotTrimmed", "<CALL:5> K1A <EOR>", "CALL= K1A "},
        Row<std::string>{"LengthZero", "<CALL:0><MODE:2>CW<EOR>", "CALL= MODE=CW"},
        Row<std::string>{"LeadingZeros", "<CALL:003>K1A<EOR>", "CALL=K1A"},
        Row<std::string>{"Type", "<CALL:6:S>DL1ABC<FREQ:6:N>14.025<EOR>",
                         "CALL=DL1ABC FREQ=14.025"},
        Row<std::string>{"ShortLengthLeavesTheRestAsText", "<CALL:3>K1ABC<EOR>", "CALL=K1A"},
        Row<std::string>{"LengthCutAtTheEnd", "<CALL:3>K1A<EOR><NOTES:99>ab", "CALL=K1A + 1 in 1"},
        Row<std::string>{"NineDigitLength", "<CALL:3>K1A<EOR><CALL:999999999>K2B<EOR>",
                         "CALL=K1A + 1 in 1"},
        Row<std::string>{"LengthPastTheEndSwallowsRecords",
                         "<CALL:3>K1A<EOR><MODE:2>CW<CALL:99999>K2B<EOR>\n<CALL:3>K3C<eor>\n"
                         "<CALL:3>K4D<EOR>\n",
                         "CALL=K1A + 2 in 3"},
        Row<std::string>{"TenDigitLengthIsText", "<CALL:0000000003>K1A<MODE:2>CW<EOR>", "MODE=CW"},
        Row<std::string>{"LongestName", "<" + kLongName + ":1>x<EOR>", kLongName + "=X"},
        Row<std::string>{"LongerNameIsText", "<N" + kLongName + ":1>x<MODE:2>CW<EOR>", "MODE=CW"},
        Row<std::string>{"BrokenTagsAreText",
                         "<:3>K1A<CALL:>x< CALL:1>x<CALL:1:S:X>x<CALL:x1>x<><CALL:1>Y<EOR>",
                         "CALL=Y"},
        Row<std::string>{"LoneLtBeforeATag", "<<CALL:3>K1A<EOR>", "CALL=K1A"},
        Row<std::string>{"UnclosedTagAtTheEnd", "<CALL:3>K1A<EOR><CALL:3", "CALL=K1A"},
        // records, header and text between fields
        Row<std::string>{"EndsInAnyCase", "<call:3>k1a<Eor><CALL:3>K2B<eor>",
                         "CALL=K1A | CALL=K2B"},
        Row<std::string>{"HeaderFieldsDropped",
                         "free text <PROGRAMID:3>XYZ\n<adif_ver:5>3.1.4 <eoh>\n<CALL:3>K1A<EOR>",
                         "CALL=K1A"},
        Row<std::string>{"NoHeader", "<CALL:3>K1A<EOR>", "CALL=K1A"},
        Row<std::string>{"JoinedFilesKeepBoth",
                         "one<EOH><CALL:3>K1A<EOR>\ntwo <ADIF_VER:5>3.1.4<EOH><CALL:3>K2B<EOR>",
                         "CALL=K1A | CALL=K2B"},
        Row<std::string>{"TextBetweenFieldsIgnored",
                         "<CALL:3>K1A not this <APP_X_EOF> <MODE:2>CW comment\n<EOR> trailer",
                         "CALL=K1A MODE=CW"},
        Row<std::string>{"RecordsShareALine", "<CALL:3>K1A<EOR><CALL:3>K2B<EOR>\n",
                         "CALL=K1A | CALL=K2B"},
        Row<std::string>{"RecordSpansLines", "<CALL:3>K1A\n<MODE:2>CW\n\n<EOR>\n",
                         "CALL=K1A MODE=CW"},
        Row<std::string>{"CrLf", "head\r\n<EOH>\r\n<CALL:3>K1A\r\n<EOR>\r\n", "CALL=K1A"},
        Row<std::string>{"LastRecordWithoutEnd", "<CALL:3>K1A<EOR><CALL:3>K2B<MODE:2>CW",
                         "CALL=K1A + 2 in 1"},
        Row<std::string>{"RecordsEndedByLineBreaks",
                         "<EOH>\n<CALL:3>K1A<MODE:2>CW\n<CALL:3>K2B<MODE:2>CW\n<CALL:3>K3C\n",
                         " + 5 in 3"},
        Row<std::string>{"EndWithoutFieldsIsNoRecord", "<EOH><EOR>\n<CALL:3>K1A<EOR><EOR>",
                         "CALL=K1A"},
        // comment lines
        Row<std::string>{"HashLineSkipped", "# <CALL:3>XXX<EOR>\n<CALL:3>K1A<EOR>", "CALL=K1A"},
        Row<std::string>{"HashLineAfterCrLf", "<CALL:3>K1A<EOR>\r\n#<CALL:3>XXX<EOR>",
                         "CALL=K1A"},
        Row<std::string>{"BlankHashIsNoComment", " # <CALL:3>K1A<EOR>", "CALL=K1A"},
        Row<std::string>{"HashInsideAValue", "<NOTES:5>ab\n#c<EOR>", "NOTES=AB\n#C"},
        Row<std::string>{"HashAfterAValueEndingALine", "<NOTES:3>ab\n# <CALL:3>XXX\n<EOR>",
                         "NOTES=AB\n"},
        Row<std::string>{"HashMidLine", "<CALL:3>K1A#<MODE:2>CW<EOR>", "CALL=K1A MODE=CW"},
        // encodings: lengths count bytes, values upper-cased by the 1252 table
        Row<std::string>{"Cp1252Upper", "<NAME:4>j\xF6rg<EOR>", "NAME=J\xD6RG"},
        Row<std::string>{"Utf8Converted", "<NAME:5>j\xC3\xB6rg<EOR>", "NAME=J\xD6RG"},
        Row<std::string>{"Utf8MarkConverted", "\xEF\xBB\xBF<NAME:7>\xE2\x82\xAC uro<EOR>",
                         "NAME=\x80 URO"},
        Row<std::string>{"Utf8MarkBeforeAComment", "\xEF\xBB\xBF# <CALL:1>X\n<CALL:3>K1A<EOR>",
                         "CALL=K1A"},
        Row<std::string>{"Cp1252ByteStopsUtf8",
                         "<NAME:5>j\xC3\xB6rg<QTH:4>k\xF6ln<EOR>", "NAME=J\xC3\xB6RG QTH=K\xD6LN"},
        Row<std::string>{"Utf8CutByItsLength", "<NAME:2>j\xC3\xB6rg<EOR>", "NAME=J\xC3"},
        Row<std::string>{"NulBytesAreData", std::string("<CALL:3>K\0A<EOR>", 16),
                         std::string("CALL=K\0A", 8)}),
    RowName);

TEST(AdifRecordTest, FindsWholeNamesFirstOccurrenceAnyCase) {
  const AdifFile file = ReadAdif(
      "<BAND_RX:3>80m<STX_STRING:3>ABC<STX:2>12<band:3>20m<BAND:3>40m<CALL:0><EOR>"
      "<BAND_RX:3>80m<EOR>");
  ASSERT_EQ(file.records.size(), 2u);
  const AdifRecord& first = file.records[0];
  ASSERT_NE(first.Find("BAND"), nullptr);
  EXPECT_EQ(first.Find("BAND")->value, "20M");
  EXPECT_EQ(first.Find("band")->value, "20M");
  EXPECT_EQ(first.Find("STX")->value, "12");
  EXPECT_EQ(first.Find("STX_STRING")->value, "ABC");
  ASSERT_NE(first.Find("CALL"), nullptr);  // present, though empty
  EXPECT_EQ(first.Find("CALL")->value, "");
  EXPECT_EQ(first.Find("BAN"), nullptr);
  EXPECT_EQ(first.Find("BAND_"), nullptr);
  EXPECT_EQ(file.records[1].Find("BAND"), nullptr);
}

TEST(AdifRecordTest, ValuesKnowTheirBytes) {
  const std::string bytes = "<EOH><CALL:3>k1a <NOTES:5>x<EOR>";
  const AdifFile file = ReadAdif(bytes + "<EOR>");
  ASSERT_EQ(file.records.size(), 1u);
  const AdifRecord& record = file.records[0];
  ASSERT_EQ(record.fields.size(), 2u);
  EXPECT_EQ(bytes.substr(record.fields[0].value_offset, record.fields[0].value_size), "k1a");
  // The length runs over the first end tag: the value is "x<EOR>" up to the file's end.
  EXPECT_EQ(record.fields[1].value, "X<EOR");
  EXPECT_EQ(record.fields[1].value_offset + record.fields[1].value_size, bytes.size() - 1);
}

TEST(AdifFieldNamesTest, FirstOccurrenceOrderWithoutHeaderOrUnendedFields) {
  const AdifFile file = ReadAdif(
      "<PROGRAMID:3>XYZ<EOH><call:3>K1A<MODE:2>CW<EOR><MODE:2>CW<Call:3>K2B<QTH:1>X<EOR>"
      "<LOST:1>x");
  EXPECT_EQ(AdifFieldNames(file.records), (std::vector<std::string>{"CALL", "MODE", "QTH"}));
}

// Files written by hand in the styles of other logbook programs.
std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(COMMON_ADIF_FIXTURES) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_FALSE(bytes.str().empty()) << name;
  return bytes.str();
}

std::string Calls(const AdifFile& file) {
  std::string calls;
  for (const AdifRecord& record : file.records) {
    const AdifValue* call = record.Find("CALL");
    calls += (calls.empty() ? "" : " ") + (call ? call->value : "-");
  }
  return calls;
}

struct FixtureCase {
  const char* name;
  const char* file;
  const char* calls;
  std::vector<std::string> names;
};
void PrintTo(const FixtureCase& row, std::ostream* os) { *os << row.name; }

class FixtureFileTest : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(FixtureFileTest, GivesItsRecordsAndFieldNames) {
  const AdifFile file = ReadAdif(Fixture(GetParam().file));
  EXPECT_EQ(Calls(file), GetParam().calls);
  EXPECT_EQ(AdifFieldNames(file.records), GetParam().names);
  EXPECT_TRUE(file.unended.fields.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FixtureFileTest,
    ::testing::Values(
        FixtureCase{"LowerCaseRecordPerLine", "lower_case_record_per_line.adi",
                    "DL1ABC OK1XY SP9ZZZ",
                    {"CALL", "QSO_DATE", "TIME_ON", "BAND", "MODE", "RST_SENT", "RST_RCVD", "STX",
                     "SRX"}},
        FixtureCase{"UpperCaseFieldPerLine", "upper_case_field_per_line.adi", "DK2QRP DL0ABC/P",
                    {"CALL", "QSO_DATE", "TIME_ON", "FREQ", "BAND", "MODE", "RST_SENT", "RST_RCVD",
                     "SRX_STRING", "STX_STRING", "APP_SOMELOGGR_ID", "CONTEST_"}},
        FixtureCase{"MixedCaseNoHeader", "mixed_case_no_header.adi", "G4XX F5ABC EA3Q",
                    {"CALL", "QSO_DATE", "TIME_ON", "FREQ", "MODE", "RST_SENT", "RST_RCVD", "BAND",
                     "SRX"}},
        FixtureCase{"Utf8Name", "utf8_name.adi", "DL7JUR DF2XY",
                    {"CALL", "NAME", "QTH", "QSO_DATE", "TIME_ON", "BAND", "MODE", "RST_SENT",
                     "RST_RCVD", "GRIDSQUARE"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FixtureFileTest, Utf8NamesComeInWindows1252) {
  const AdifFile file = ReadAdif(Fixture("utf8_name.adi"));
  ASSERT_EQ(file.records.size(), 2u);
  EXPECT_TRUE(file.utf8);
  EXPECT_EQ(file.records[0].Find("NAME")->value, "J\xDCRGEN");
  EXPECT_EQ(file.records[0].Find("QTH")->value, "K\xD6LN");
  EXPECT_EQ(file.records[1].Find("NAME")->value, "\xC4NNE");
  EXPECT_EQ(file.records[1].Find("QTH")->value, "D\xDCSSELDORF");
}

TEST(FixtureFileTest, ValuesOfAFieldPerLineFile) {
  const AdifFile file = ReadAdif(Fixture("upper_case_field_per_line.adi"));
  ASSERT_EQ(file.records.size(), 2u);
  const AdifRecord& second = file.records[1];
  EXPECT_EQ(second.Find("TIME_ON")->value, "091530");
  EXPECT_EQ(second.Find("FREQ")->value, "14.0312");
  EXPECT_EQ(second.Find("MODE")->value, "RTTY");
  EXPECT_EQ(second.Find("SRX_STRING")->value, "F25");
  EXPECT_EQ(second.Find("ADIF_VER"), nullptr);  // a header field
}

}  // namespace
}  // namespace common
