// The save's steps without a window: the contest's fixes of typed texts, the serials with
// their zeros, the QSO stored under its numbers (a taken moment moving it on), its points and
// totals, and what it teaches the call database and the member lists.
#include "contestlog/qso_save.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "contest/contest_fkt.h"
#include "contestlog/entry_record.h"
#include "logbook/databases/call_database.h"
#include "platform/file_faults.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contest::TContestFkt;
using contest::TContestLKRec;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

TEST(QsoSaveTextsTest, TheContestsFixesOfTypedTexts) {
  const struct {
    const char* typed;
    const char* separated;
  } separated[] = {
      {"ABC-123", "ABC/123"}, {"ABC123", "ABC/123"}, {"123", "/123"}, {"AB+12", "AB/12"},
      {"AB/12", "AB/12"},     {"A/B-1", "A/B-/1"},   {"ABC", "ABC"},  {"", ""},
  };
  for (const auto& row : separated) {
    EXPECT_EQ(SeparatedNumber(row.typed), row.separated) << row.typed;
  }
  const struct {
    const char* typed;
    const char* filled;
  } zero_filled[] = {{"5", "005"}, {"42", "042"}, {"123", "123"}, {"1234", "1234"}, {"", ""}};
  for (const auto& row : zero_filled) {
    EXPECT_EQ(ZeroFilledToThree(row.typed), row.filled) << row.typed;
  }
  const struct {
    const char* value;
    const char* stored;
  } serials[] = {{"7", "007"},     {"12", "012"},  {" 7", "007"}, {"A1", "A1"},
                 {"1234", "1234"}, {"123", "123"}, {"", ""}};
  for (const auto& row : serials) EXPECT_EQ(ZeroFilledSerial(row.value), row.stored) << row.value;
}

TEST(QsoSaveTextsTest, TheSerialFieldOfEachDirectionGetsItsZeros) {
  const struct {
    const char* name;
    std::array<std::int32_t, 2> sent_kinds;
    std::array<std::int32_t, 2> received_kinds;
    const char* sent;
    const char* received;
    const char* sent_stored;
    const char* received_stored;
  } rows[] = {
      {"overall serial in field 2", {7, 0}, {7, 0}, "5997", "59912", "599007", "599012"},
      {"band serial in field 3",
       {4, 13},
       {4, 13},
       "599B36/7",
       "599B36/A1",
       "599B36/007",
       "599B36/A1"},
      {"mode serial in field 2", {11, 4}, {0, 0}, "59 1234/B36", "59 1", "59 1234/B36", "59 1"},
      {"no serial kind", {4, 0}, {99, 0}, "5997", "5997", "5997", "5997"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    contest::TContestRec definition;
    definition.ExchangeKindsSent = {row.sent_kinds[0], row.sent_kinds[1], 0};
    definition.ExchangeKindsRcvd = {row.received_kinds[0], row.received_kinds[1], 0};
    TContestLKRec qso{};
    TContestFkt::SetSentExchange(row.sent, qso);
    TContestFkt::SetRcvdExchange(row.received, qso);
    FillSerialsWithZeros(definition, qso);
    EXPECT_EQ(TContestFkt::SentExchangeText(qso), row.sent_stored);
    EXPECT_EQ(TContestFkt::RcvdExchangeText(qso), row.received_stored);
  }
}

class QsoSaveTest : public contestlog_test::CoreTest {
 protected:
  // Sets the entry with the window's numbers as ClearEntry leaves them.
  static void Prepare(ContestLogCore& core, const TContestLKRec& entry, std::int32_t number) {
    core.NextOverallNo = number;
    core.NextBandNo = number + 10;
    core.NextBandNoIntern = number + 20;
    core.NextModeNo = 0x10000 + number;  // only the low 16 bits are stored
    core.QslSent = 'Y';
    core.LogTable->ClearRec();
    SetEntryRecord(core, entry);
  }

  // The call data's record of a call, as text fields.
  static std::string Learned(const std::string& call) {
    logbook::TdbCall calls(logbook::kCallData);
    if (!calls.FindCall(call)) return "(none)";
    return "DOK=" + calls.GetDOK() + " LDK=" + calls.GetLDK() + " DIG=" + calls.GetDIG() +
           " AGCW=" + calls.GetAGCW() + " MF=" + calls.GetMF() + " Name=" + calls.GetName() +
           " QTH=" + calls.GetQTH();
  }
};

TEST_F(QsoSaveTest, AQsoIsStoredUnderItsNumbersAndATakenMomentMovesItOn) {
  LogBuilder b('.', 5);
  ContestLogCore& core = Open(b, 'c', "CW");
  TContestLKRec stored{};
  for (std::int32_t n = 1; n <= 3; ++n) {
    // Three QSOs typed in the same second.
    Prepare(core, Qso("DL" + std::to_string(n) + "XYZ", 'c', kContestDay, 3600), n);
    ASSERT_TRUE(InsertNewQso(core, stored)) << n;
    EXPECT_EQ(stored.Zeit, 3600 + n - 1);
    TContestLKRec buffer{};
    core.LogTable->GetLKRec(buffer);
    EXPECT_EQ(buffer.Nummer, stored.Nummer);
  }
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 3u);
  for (std::uint32_t n = 1; n <= 3; ++n) {
    const TContestLKRec& r = records[n - 1];
    EXPECT_EQ(r.wagNummer, n);
    EXPECT_EQ(r.wagBandNr, n + 10);
    EXPECT_EQ(r.wagBandNrIntern, n + 20);
    EXPECT_EQ(r.ModeNr, n);
    EXPECT_EQ(r.QslSent, 'Y');
    EXPECT_EQ(r.Zeit, static_cast<std::int32_t>(3600 + n - 1));
  }
}

TEST_F(QsoSaveTest, AMomentTakenElevenTimesOverStoresNothingAndKeepsTheEntry) {
  LogBuilder b('.', 5);
  b.Create();
  for (std::int32_t second = 0; second <= 10; ++second) {
    b.Add(Qso("OLD" + std::to_string(second), 'c', kContestDay, 7200 + second));
  }
  b.Add(Qso("LATER", 'c', kContestDay, 7200 + 11));
  ContestLogCore& core = Open(b, 'c', "CW");
  const TContestLKRec entry = Qso("DL1XYZ", 'c', kContestDay, 7200);
  Prepare(core, entry, 13);
  TContestLKRec stored{};
  EXPECT_FALSE(InsertNewQso(core, stored));
  EXPECT_EQ(Records(b.Number()).size(), 12u);
  const TContestLKRec kept = EntryRecord(core);
  EXPECT_EQ(kept.Call.str(), "DL1XYZ");
  EXPECT_EQ(kept.Zeit, 7200);
  EXPECT_EQ(kept.Nummer, 0);

  // One second before the run, the QSO finds its own moment.
  Prepare(core, Qso("DL1XYZ", 'c', kContestDay, 7199), 13);
  EXPECT_TRUE(InsertNewQso(core, stored));
  EXPECT_EQ(stored.Zeit, 7199);
}

TEST_F(QsoSaveTest, AnInsertTheFileRefusesStoresNothingAndKeepsTheEntry) {
  LogBuilder b('.', 5);
  b.Create();
  b.Add(Qso("OLD", 'c', kContestDay, 3000));
  ContestLogCore& core = Open(b, 'c', "CW");
  Prepare(core, Qso("DL1XYZ", 'c', kContestDay, 3600), 2);
  platform::FileFaultPlan plan;
  plan.lock.fail_at = 1;
  plan.lock.sticky = true;
  plan.lock.error = platform::kErrorLockViolation;
  // The lock stays taken: the operator gives up each wait for it.
  presenter_->answers = std::deque<bool>(100, false);
  TContestLKRec stored{};
  bool inserted = true;
  {
    const platform::ScopedFileFaults faults(&plan);
    inserted = InsertNewQso(core, stored);
  }
  EXPECT_FALSE(inserted);
  EXPECT_GT(plan.lock.calls, 0u);
  EXPECT_EQ(Records(b.Number()).size(), 1u);
  const TContestLKRec kept = EntryRecord(core);
  EXPECT_EQ(kept.Call.str(), "DL1XYZ");
  EXPECT_EQ(kept.Zeit, 3600);
}

TEST_F(QsoSaveTest, PointsAndTotalsLeaveAQsyMarkerOutOfTheTotals) {
  LogBuilder b('W', 1);
  ContestLogCore& core = Open(b, 'c', "CW");
  TContestLKRec stored{};
  Prepare(core, Qso("OE1XYZ", 'c', kContestDay, 3600), 1);
  core.LogTable->SetLKRec([&] {
    TContestLKRec qso = EntryRecord(core);
    qso.DXCC = "OE";
    qso.Continent = "EU";
    return qso;
  }());
  ASSERT_TRUE(InsertNewQso(core, stored));
  const std::uint32_t points =
      ContestLogCore::QsoPoints(core, core.Definition, *core.Catalogue, *core.LogTable);
  ASSERT_GT(points, 0u) << "the rule must give this QSO points";
  CountSavedQso(core, stored);
  EXPECT_EQ(stored.Points, points);
  EXPECT_EQ(core.TotalPoints, static_cast<std::int32_t>(points));
  EXPECT_EQ(core.BandPoints['c'], static_cast<std::int32_t>(points));
  EXPECT_EQ(core.BandQsos['c'], 1);
  EXPECT_EQ(core.NextQsoNumber, 1);
  EXPECT_EQ(core.CurrentBandQsos, 1);

  TContestLKRec marker = Qso("OE2XYZ", 'c', kContestDay, 3700);
  marker.DXCC = "OE";
  marker.Continent = "EU";
  marker.SkipMark = 'd';
  Prepare(core, marker, 2);
  ASSERT_TRUE(InsertNewQso(core, stored));
  CountSavedQso(core, stored);
  EXPECT_EQ(stored.Points, points);
  EXPECT_EQ(core.TotalPoints, static_cast<std::int32_t>(points));
  EXPECT_EQ(core.BandQsos['c'], 1);
  EXPECT_EQ(core.NextQsoNumber, 1);
}

TEST_F(QsoSaveTest, APartnersValuesAreLearnedByTheContestsFields) {
  const struct {
    const char* name;
    char code;
    const char* dok1;
    LearnedTexts texts;
    const char* learned;
  } rows[] = {
      {"DOK", 'W', "B", {}, "DOK=B36 LDK= DIG= AGCW= MF= Name= QTH="},
      {"LDK under 'A'", 'A', "B", {}, "DOK= LDK=B36 DIG= AGCW= MF= Name= QTH="},
      {"DIG under '7'",
       '7',
       "",
       {"1234", "", "", "", ""},
       "DOK= LDK= DIG=1234 AGCW= MF= Name= QTH="},
      {"AGCW under 'f'",
       'f',
       "",
       {"x", "777", "y", "", ""},
       "DOK= LDK= DIG= AGCW=777 MF= Name= QTH="},
      {"AGCW under 'w'",
       'w',
       "",
       {"x", "y", "888", "", ""},
       "DOK= LDK= DIG= AGCW=888 MF= Name= QTH="},
      {"MF under 'i'",
       'i',
       "",
       {"MF123", "", "", "", ""},
       "DOK= LDK= DIG= AGCW= MF=123 Name= QTH="},
      {"no MF without its M",
       'i',
       "",
       {"X123", "", "", "", ""},
       "DOK= LDK= DIG= AGCW= MF= Name= QTH="},
      {"name and QTH",
       'W',
       "",
       {"", "", "", "Hans", "Berlin"},
       "DOK= LDK= DIG= AGCW= MF= Name=Hans QTH=Berlin"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    LogBuilder b(row.code, 1);
    ContestLogCore& core = Open(b, 'c', "CW");
    TContestLKRec qso = Qso("DL7XYZ/P", 'c', kContestDay, 3600);
    qso.DOK1 = row.dok1;
    qso.DOK2 = *row.dok1 != 0 ? "36" : "";
    LearnFromQso(core, qso, row.texts);
    EXPECT_EQ(Learned("DL7XYZ"), row.learned);
    {
      logbook::TdbCall calls(logbook::kCallData);
      ASSERT_TRUE(calls.FindCall("DL7XYZ"));
      ASSERT_TRUE(calls.Delete(false));
    }
  }
}

TEST_F(QsoSaveTest, ACallOfTwoCharactersTeachesNothing) {
  LogBuilder b('W', 1);
  ContestLogCore& core = Open(b, 'c', "CW");
  TContestLKRec qso = Qso("DL", 'c', kContestDay, 3600);
  qso.DOK1 = "B";
  LearnFromQso(core, qso, {"", "", "", "Hans", ""});
  EXPECT_EQ(Learned("DL"), "(none)");
}

TEST_F(QsoSaveTest, ANewMemberIsAddedOnceToTheListInMemoryAndNoFileIsWritten) {
  const std::string file = folder_.path() + "/qcwa.csv";
  { std::ofstream(file) << "DL1AAA;x;111\n"; }
  const auto contents = [&file] {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  LogBuilder b('k', 1);
  ContestLogCore& core = Open(b, 'c', "CW");
  for (int save = 0; save < 2; ++save) {
    LearnFromQso(core, Qso("DL2BBB", 'c', kContestDay, 3600 + save), {"222", "", "", "", ""});
  }
  LearnFromQso(core, Qso("DL1AAA", 'c', kContestDay, 3700), {"999", "", "", "", ""});
  const std::vector<std::string>* list = core.Service->MemberList(1);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(*list, (std::vector<std::string>{"DL1AAA;x;111", "DL2BBB;;222"}));
  EXPECT_EQ(core.Service->FindMember("qcwa.csv", "DL2BBB", 1), 1);
  EXPECT_EQ(core.Service->MemberField(3, 1, 1), "222");
  EXPECT_EQ(contents(), "DL1AAA;x;111\n");

  // The rig list of 'v' is list 2, its column the second.
  LogBuilder v('v', 1);
  ContestLogCore& rigs = Open(v, 'c', "CW");
  LearnFromQso(rigs, Qso("DL3CCC", 'c', kContestDay, 3600), {"M1", "FT-1000", "", "", ""});
  ASSERT_NE(rigs.Service->MemberList(2), nullptr);
  EXPECT_EQ(*rigs.Service->MemberList(1), (std::vector<std::string>{"DL3CCC;M1"}));
  EXPECT_EQ(*rigs.Service->MemberList(2), (std::vector<std::string>{"DL3CCC;FT-1000"}));
  EXPECT_FALSE(std::filesystem::exists(folder_.path() + "/mrr.csv"));
}

}  // namespace
}  // namespace contestlog
