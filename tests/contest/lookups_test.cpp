// The lookups of the contest tables on a small log: which QSO each finds, or that none is found.
#include <functional>

#include "tests/common/rows.h"
#include "tests/contest/contest_fixture.h"

namespace contest_test {
namespace {

using common::testing::RowName;
using contest::kTableLK;

constexpr std::int32_t kLog = 7;
constexpr std::int32_t kDay = 154321;

// Log 7, Nummer 1 to 6 in this order.
// #  CALL      BAND DAY  MODE LOC    DXCC PREFIX ZONE DOK    CALL2 BANDNR INTERN MODENR
// 1  DL1ABC    b    D    CW   JO62MM DL   DL1    14   B36    M123  1      1      1
// 2  DL1ABC    e    D    CW   JO62MM DL   DL1    14   B36           1      1      2
// 3  OK1XYZ    b    D    SSB  JO70AA OK   OK1    15   P40           2      2      1
// 4  DL1ABC/P  e    D+1  SSB  JO62MN DL   DL1    14   B36           2      2      2
// 5  W1AW      i    D+1  CW   FN31PR K    W1     05                 1      1      3
// 6  9A1AA     e    D+1  CW   JN75AA 9A   9A1    15   B36    M123  3      3      4
struct LogQso {
  const char* call;
  char band;
  int day;
  const char* mode;
  const char* loc;
  const char* dxcc;
  const char* prefix;
  const char* zone;
  const char* dok1;
  const char* dok2;
  const char* call2;
  std::uint32_t band_nr;
  std::uint16_t mode_nr;
};
const LogQso kLogQsos[] = {
    {"DL1ABC", 'b', 0, "CW", "JO62MM", "DL", "DL1", "14", "B", "36", "M123", 1, 1},
    {"DL1ABC", 'e', 0, "CW", "JO62MM", "DL", "DL1", "14", "B", "36", "", 1, 2},
    {"OK1XYZ", 'b', 0, "SSB", "JO70AA", "OK", "OK1", "15", "P", "40", "", 2, 1},
    {"DL1ABC/P", 'e', 1, "SSB", "JO62MN", "DL", "DL1", "14", "B", "36", "", 2, 2},
    {"W1AW", 'i', 1, "CW", "FN31PR", "K", "W1", "05", "", "", "", 1, 3},
    {"9A1AA", 'e', 1, "CW", "JN75AA", "9A", "9A1", "15", "B3", "6", "M123", 3, 4}};

struct LookupRow {
  const char* name;
  std::function<bool(TdbContest&)> lookup;
  std::int32_t nummer;  // 0: nothing found
};

void PrintTo(const LookupRow& row, std::ostream* os) { *os << row.name; }

class Lookups : public ContestTest, public ::testing::WithParamInterface<LookupRow> {
 protected:
  void SetUp() override {
    ContestTest::SetUp();
    int time = 0;
    for (const LogQso& q : kLogQsos) {
      TContestLKRec r = Qso(q.call, q.band, kDay + q.day, time += 100, q.mode);
      r.Loc = q.loc;
      r.DXCC = q.dxcc;
      r.Prefix = q.prefix;
      r.WAZ_USStaat = q.zone;
      r.DOK1 = q.dok1;
      r.DOK2 = q.dok2;
      r.Call2 = q.call2;
      r.wagBandNr = r.wagBandNrIntern = q.band_nr;
      r.ModeNr = q.mode_nr;
      Add(kLog, r);
    }
  }
};

TEST_P(Lookups, FindTheirQso) {
  TdbContest t(kTableLK, kLog);
  const bool found = GetParam().lookup(t);
  EXPECT_EQ(found, GetParam().nummer != 0);
  if (found) {
    EXPECT_EQ(Nummer(t), GetParam().nummer);
  }
}

using T = TdbContest;
const LookupRow kLookupRows[] = {
    {"ByNummerOnlyInCatalogueAndContestData", [](T& t) { return t.FindByNummer(1); }, 0},
    {"CallExactNormalised", [](T& t) { return t.FindCall("dl1abc/p"); }, 1},
    {"CallDateTimeFromTheFirst", [](T& t) { return t.FindCallDateTime("DL1ABC"); }, 1},
    {"BandCallModeFromBandAndCall", [](T& t) { return t.FindBandCallMode('e', "DL1ABC"); }, 2},
    {"BandCallModeEmptyCallFromTheBand", [](T& t) { return t.FindBandCallMode('e', ""); }, 6},
    {"SeekBandCallMode", [](T& t) { return t.SeekBandCallMode('e', "DL1ABC", "SSB"); }, 4},
    {"SeekBandWagNrIntern", [](T& t) { return t.SeekBandWagNrIntern('b', 2); }, 3},
    {"BandDXCC", [](T& t) { return t.FindBandDXCC('b', "OK"); }, 3},
    {"BandWAZ", [](T& t) { return t.FindBandWAZ('e', "14"); }, 2},
    {"WAZ", [](T& t) { return t.FindWAZ("05"); }, 5},
    {"DXCC", [](T& t) { return t.FindDXCC("K"); }, 5},
    {"BandCall2", [](T& t) { return t.FindBandCall2('e', "M1"); }, 6},
    {"Call2EmptyIsPadded", [](T& t) { return t.FindCall2(""); }, 2},
    {"BandPrefix", [](T& t) { return t.FindBandPrefix('i', "W1", true); }, 5},
    {"Prefix", [](T& t) { return t.FindPrefix("W", false); }, 5},
    {"BandDOK", [](T& t) { return t.FindBandDOK('e', "B36"); }, 2},
    {"SeekDokJoinsBothParts", [](T& t) { return t.SeekDok("B36"); }, 1},
    {"DOKFrom", [](T& t) { return t.FindDOK("C"); }, 3},
    {"BandLoc", [](T& t) { return t.FindBandLoc('e', "JO62MN"); }, 4},
    {"Loc", [](T& t) { return t.FindLoc("JO7"); }, 3},
    {"BandWagNrZeroIsTheHighest", [](T& t) { return t.FindBandWagNr('e', 0); }, 6},
    {"BandWagNrOnAnEmptyBandLandsOnTheNext", [](T& t) { return t.FindBandWagNr('c', 0); }, 6},
    {"BandWagNrInternZeroIsTheHighest", [](T& t) { return t.FindBandWagNrIntern('b', 0); }, 3},
    {"ModeNrZeroIsTheHighestOfTheClass", [](T& t) { return t.FindModeNr("SSB", 0); }, 4},
    // Same day: every QSO of the call and day is looked at, "/P" included.
    {"CallBandDateLaterBandOfTheDay", [](T& t) { return t.FindCallBandDate("DL1ABC", kDay, 'e'); },
     2},
    {"CallBandDatePortableCall", [](T& t) { return t.FindCallBandDate("DL1ABC/P", kDay, 0); }, 1},
    {"CallBandDatePlainCallLoggedPortable",
     [](T& t) { return t.FindCallBandDate("DL1ABC", kDay + 1, 'e'); }, 4},
    {"CallBandDateOtherBand", [](T& t) { return t.FindCallBandDate("DL1ABC", kDay, 'i'); }, 0},
};
INSTANTIATE_TEST_SUITE_P(Log, Lookups, ::testing::ValuesIn(kLookupRows), RowName);

TEST_F(Lookups, NextWalksOnAlongTheSearchedKey) {
  TdbContest t(kTableLK, kLog);
  TdbContest other(kTableLK, kLog);
  ASSERT_TRUE(t.FindCallDateTime("DL1ABC"));
  ASSERT_TRUE(other.FindCall("W1AW"));  // moves the shared driver
  ASSERT_TRUE(t.Next(true, true));
  EXPECT_EQ(Nummer(t), 2);
  ASSERT_TRUE(t.Next(true, true));
  EXPECT_EQ(Nummer(t), 4);
}

TEST_F(ContestTest, CatalogueAndContestDataAreFoundByNumber) {
  TdbContest catalogue(contest::kTableKK, 0);
  TdbContest data(contest::kTableKZ, 0);
  for (const char* name : {"WAG 2023", "WAG 2024"}) {
    contest::TContestKKRec kk{};
    kk.Name = name;
    catalogue.ClearRec();
    catalogue.SetKKRec(kk);
    ASSERT_TRUE(catalogue.InsertRec());
  }
  contest::TContestKZRec kz{};
  kz.Nummer = 2;
  data.SetKZRec(kz);
  ASSERT_TRUE(data.InsertRec());
  ASSERT_TRUE(catalogue.FindByNummer(2));
  contest::TContestKKRec found;
  ASSERT_TRUE(catalogue.GetKKRec(found));
  EXPECT_EQ(found.Name.str(), "WAG 2024");
  EXPECT_TRUE(data.FindByNummer(2));
  EXPECT_FALSE(data.FindByNummer(1));
  EXPECT_FALSE(catalogue.FindByNummer(3));
}

}  // namespace
}  // namespace contest_test
