// The entry fields taken into the entry record: texts, date and time, name and QTH, both
// exchanges and the received exchange fields read by their kinds.
#include "contestlog/entry_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contest/contest_fkt.h"
#include "contestlog/station_data.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::LogBuilder;

class EntryRecordTest : public contestlog_test::CoreTest {
 protected:
  // Fields with a call, date and time, the given received exchange fields 2 to 4.
  static EntryFieldTexts Fields(const std::string& call, const std::string& f2 = "",
                                const std::string& f3 = "", const std::string& f4 = "") {
    EntryFieldTexts fields;
    fields.call = call;
    fields.date = "09.03.2024";
    fields.time = "12:00:00";
    fields.received_row = {"599", f2, f3, f4};
    fields.sent_row = {"599", "001", "", ""};
    return fields;
  }
};

TEST_F(EntryRecordTest, TextsDateTimeAndModeReachTheRecord) {
  LogBuilder b('W', 1);
  ContestLogCore& core = Open(b, 'c', "CW");
  struct Row {
    const char* date;
    const char* time;
    std::int32_t stored_date;
    std::int32_t stored_time;
  };
  const Row rows[] = {
      {"09.03.2024", "00:00:00", contestlog_test::kContestDay, 0},
      {"09.03.2024", "23:59", contestlog_test::kContestDay, 23 * 3600 + 59 * 60},
      {"", "", -1, -1},
      {"31.02.2024", "25:00:00", -1, -1},
      {"09.03.2024", "12", contestlog_test::kContestDay, -1},
  };
  for (const Row& row : rows) {
    EntryFieldTexts fields = Fields("dl1abc-p");
    fields.date = row.date;
    fields.time = row.time;
    fields.call2 = "DL9XX";
    fields.frequency = "3,55";
    FieldsToRecord(core, fields);
    const TContestLKRec qso = EntryRecord(core);
    EXPECT_EQ(qso.Call.str(), "DL1ABC/P");
    EXPECT_EQ(qso.Call2.str(), "DL9XX");
    EXPECT_EQ(qso.Datum, row.stored_date) << row.date;
    EXPECT_EQ(qso.Zeit, row.stored_time) << row.time;
    EXPECT_FLOAT_EQ(qso.Frequency, 3.55f);
    EXPECT_EQ(qso.Mode.str(), "CW");
  }
  // A typed digital mode is the QSO's mode, and the report follows it.
  EntryFieldTexts fields = Fields("DL1ABC");
  fields.mode_typed = true;
  fields.typed_mode = "PR";
  FieldsToRecord(core, fields);
  const TContestLKRec qso = EntryRecord(core);
  EXPECT_EQ(qso.Mode.str(), "PR");
  EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(qso), "59 ");
}

TEST_F(EntryRecordTest, NameAndQthFromTheFieldsOrTheKeptTexts) {
  LogBuilder b('W', 1);
  ContestLogCore& core = Open(b, 'c', "CW");
  core.NameText = "Kept";
  core.QthText = "Town";
  EntryFieldTexts fields = Fields("DL1ABC");
  fields.name = "Hans";
  fields.qth = "Berlin";
  // Fields that cannot be typed into stand for nothing: the kept texts go in.
  FieldsToRecord(core, fields);
  EXPECT_EQ(EntryRecord(core).NameQth.str(), "Kept;Town");
  // Typed ones go in and are kept; an empty typed name is empty, the kept one stays.
  fields.name_usable = true;
  fields.qth_usable = true;
  FieldsToRecord(core, fields);
  EXPECT_EQ(EntryRecord(core).NameQth.str(), "Hans;Berlin");
  EXPECT_EQ(core.NameText.str(), "Hans");
  EXPECT_EQ(core.QthText.str(), "Berlin");
  fields.name = "";
  fields.qth = "Bad Neustadt an der Saale";
  FieldsToRecord(core, fields);
  EXPECT_EQ(EntryRecord(core).NameQth.str(), ";Bad Neustadt an der Saal");
  EXPECT_EQ(core.NameText.str(), "Hans");
  EXPECT_EQ(core.QthText.str(), "Bad Neustadt an der ");
}

TEST_F(EntryRecordTest, TheRowsAreTheExchangesAndSwapInAListenerLog) {
  LogBuilder b('W', 1);
  ContestLogCore& core = Open(b, 'c', "SSB");
  EntryFieldTexts fields = Fields("DL1ABC", "12");
  fields.received_row[0] = "57";
  fields.sent_row = {"599", "B36", "", ""};
  FieldsToRecord(core, fields);
  TContestLKRec qso = EntryRecord(core);
  EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(qso), "57 12");
  EXPECT_EQ(contest::TContestFkt::SentExchangeText(qso), "59 B36");
  core.Definition.SWL = 1;
  FieldsToRecord(core, fields);
  qso = EntryRecord(core);
  EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(qso), "59 B36");
  EXPECT_EQ(contest::TContestFkt::SentExchangeText(qso), "57 12");
}

TEST_F(EntryRecordTest, TheNameIsCutToLeaveRoomForDokAndLocator) {
  LogBuilder b('W', 1);
  ContestLogCore& core = Open(b, 'c', "CW");
  core.Definition.ExchangeKindsRcvd = {20, 4, 6};
  FieldsToRecord(core, Fields("DL1ABC", "Maximilian-Alexander", "B36", "JO62QM"));
  // 16 - 3 - 6 - 1 = 6 characters of the name.
  EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(EntryRecord(core)), "599Maximi/B36/JO62QM");
  core.Definition.ExchangeKindsRcvd = {20, 4, 0};
  FieldsToRecord(core, Fields("DL1ABC", "Maximilian-Alexander", "B36"));
  EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(EntryRecord(core)), "599Maximilian-Al/B36");
}

struct KindRow {
  const char* name;
  char code;
  char band;
  std::array<std::int32_t, 3> kinds;
  const char* call;
  std::array<const char*, 3> texts;  // received exchange fields 2 to 4
  int told;                          // the field whose bad value is told, 0 none
  const char* dok1;
  const char* dok2;
  const char* loc;
  bool distance;  // the distance to Loc is stored (else 0)
  const char* state;
  const char* call2;
  const char* warning;
};

class KindRows : public contestlog_test::CoreTest,
                 public ::testing::WithParamInterface<KindRow> {};

TEST_P(KindRows, TheFieldIsReadByItsKind) {
  const KindRow& row = GetParam();
  LogBuilder b(row.code, 1);
  ContestLogCore& core = Open(b, row.band, "CW");
  core.Definition.ExchangeKindsRcvd = row.kinds;
  // What the QSO held before: a value the field no longer gives must not stay.
  TContestLKRec before{};
  before.Bandcode = row.band;
  for (std::int32_t kind : row.kinds) {
    if (kind == 5 || kind == 6) {
      before.Loc = "JN00AA";
      before.Distance = 999;
    }
  }
  SetEntryRecord(core, before);
  EntryFieldTexts fields;
  fields.call = row.call;
  fields.received_row = {"599", row.texts[0], row.texts[1], row.texts[2]};
  fields.told_field = row.told;
  FieldsToRecord(core, fields);

  const TContestLKRec qso = EntryRecord(core);
  EXPECT_EQ(qso.DOK1.str(), row.dok1);
  EXPECT_EQ(qso.DOK2.str(), row.dok2);
  EXPECT_EQ(qso.Loc.str(), row.loc);
  EXPECT_EQ(qso.Distance, row.distance ? static_cast<std::uint32_t>(LocatorCalc(row.loc)) : 0u);
  if (row.distance) {
    EXPECT_GT(qso.Distance, 0u);
  }
  EXPECT_EQ(qso.WAZ_USStaat.str(), row.state);
  EXPECT_EQ(qso.Call2.str(), row.call2);
  const std::vector<std::string> expected =
      std::string(row.warning).empty() ? std::vector<std::string>{}
                                       : std::vector<std::string>{std::string("|") + row.warning};
  EXPECT_EQ(Shown(), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, KindRows, ::testing::Values(
    KindRow{"DokOfAGermanCall", 'W', 'c', {4, 0, 0}, "DL1ABC", {"B36", "", ""}, 0,
            "B36", "", "", false, "", "", ""},
    KindRow{"LongDokInTwoParts", 'W', 'c', {4, 0, 0}, "DL1ABC", {"ABCDEFGH", "", ""}, 0,
            "ABCDEF", "GH", "", false, "", "", ""},
    KindRow{"DokOfAForeignCallIgnored", 'W', 'c', {4, 0, 0}, "OE1ABC", {"B36", "", ""}, 0,
            "", "", "", false, "", "", ""},
    KindRow{"RefusedDokEmpty", 'W', 'c', {4, 0, 0}, "DL1ABC", {"M26", "", ""}, 2,
            "", "", "", false, "", "", ""},
    KindRow{"JDokWarnsWhenTold", 'W', 'c', {4, 0, 0}, "DL1ABC", {"J1A", "", ""}, 2,
            "", "", "", false, "", "", "Fehler bei DOK-Angabe"},
    KindRow{"JDokSilentOtherwise", 'W', 'c', {4, 0, 0}, "DL1ABC", {"J1A", "", ""}, 3,
            "", "", "", false, "", "", ""},
    KindRow{"LocatorWithDistance", 'W', 'c', {4, 6, 0}, "DL1ABC", {"", "JO31AA", ""}, 0,
            "", "", "JO31AA", true, "", "", ""},
    KindRow{"SquareOfFourCharacters", 'W', 'c', {0, 0, 5}, "DL1ABC", {"", "", "JO31"}, 0,
            "", "", "JO31", true, "", "", ""},
    KindRow{"ThreeCharactersAreNoLocator", 'W', 'c', {6, 0, 0}, "DL1ABC", {"JO3", "", ""}, 2,
            "", "", "", false, "", "", ""},
    KindRow{"BadLocatorWarnsWhenTold", 'W', 'c', {0, 6, 0}, "DL1ABC", {"", "JO3Z", ""}, 3,
            "", "", "", false, "", "", "Fehler bei Locator-Angabe"},
    KindRow{"BadLocatorSilentOtherwise", 'W', 'c', {0, 6, 0}, "DL1ABC", {"", "JO3Z", ""}, 2,
            "", "", "", false, "", "", ""},
    KindRow{"HamburgKeepsNoLocatorOnShortWave", 'J', 'c', {4, 6, 0}, "DL1ABC",
            {"E01", "JO31AA", ""}, 0, "E01", "", "", false, "", "", ""},
    KindRow{"HamburgLocatorOnTwoMetres", 'J', 'k', {4, 6, 0}, "DL1ABC", {"E01", "JO31AA", ""}, 0,
            "E01", "", "JO31AA", true, "", "", ""},
    KindRow{"DistrictCodeOfAnyCall", 'W', 'c', {8, 0, 0}, "OE1ABC", {"ABCDEFGH", "", ""}, 0,
            "ABCDEF", "GH", "", false, "", "", ""},
    KindRow{"ForeignDistrictKind", 'W', 'c', {0, 17, 0}, "OE1ABC", {"", "W12", ""}, 0,
            "W12", "", "", false, "", "", ""},
    KindRow{"UsState", 'W', 'c', {12, 0, 0}, "K1ABC", {"PA", "", ""}, 0,
            "", "", "", false, "PA", "", ""},
    KindRow{"NoUsState", 'W', 'c', {12, 0, 0}, "K1ABC", {"XX", "", ""}, 0,
            "", "", "", false, "", "", ""},
    KindRow{"PostalCodeArea", 'W', 'c', {15, 0, 0}, "DL1ABC", {"12345", "", ""}, 0,
            "", "", "", false, "12", "", ""},
    KindRow{"ClubNumber", 'W', 'c', {16, 0, 0}, "DL1ABC", {"123456", "", ""}, 0,
            "", "", "", false, "", "1234", ""},
    KindRow{"MemberNumber", 'W', 'c', {19, 0, 0}, "DL1ABC", {"12345678", "", ""}, 0,
            "", "", "", false, "", "123456", ""}),
    [](const ::testing::TestParamInfo<KindRow>& info) { return info.param.name; });
// clang-format on

TEST_F(EntryRecordTest, BlankStateAndMemberFieldsKeepWhatTheQsoHas) {
  LogBuilder b('W', 1);
  ContestLogCore& core = Open(b, 'c', "CW");
  core.Definition.ExchangeKindsRcvd = {15, 19, 0};
  TContestLKRec before{};
  before.WAZ_USStaat = "14";
  SetEntryRecord(core, before);
  EntryFieldTexts fields = Fields("DL1ABC", "  ", " ");
  fields.call2 = "DL9XX";
  FieldsToRecord(core, fields);
  EXPECT_EQ(EntryRecord(core).WAZ_USStaat.str(), "14");
  EXPECT_EQ(EntryRecord(core).Call2.str(), "DL9XX");
}

}  // namespace
}  // namespace contestlog
