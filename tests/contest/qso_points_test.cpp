// QSO points: every code's guards, then the rules' edge cases on loaded definitions, with small
// logs where a rule looks at the other QSOs.
#include "tests/common/rows.h"
#include "tests/contest/rules_fixture.h"

namespace contest_test {
namespace {

TEST_F(RulesTest, ShortCallsAndMarkedQsosScoreNothingUnderEveryCode) {
  const std::string codes = Fkt().Definitions().Codes();
  ASSERT_EQ(codes.size(), 61u);
  for (char code : codes) {
    const contest::TContestRec definition = Load(code);
    for (const char* spec :
         {"c=DL", "c=DL0ABC d=500 x=DL e=EU m=CW k=B01 l=JO73AA r=599_XX/A n=1"}) {
      Enter(Q(spec));
      EXPECT_EQ(Points(code, definition), 0u) << code << " " << spec;
    }
  }
  Enter(Q(""));
  EXPECT_EQ(Points('#', Load('V')), 0u);  // a code without rule
}

struct PointsRow {
  const char* name;
  char code;
  int class_index;
  const char* qso;
  std::uint32_t points;
  std::vector<const char*> earlier = {};  // QSOs of the log before this one
  bool stored = false;                    // the QSO is stored (scored again on an edit)
  const char* own = "DL1ABC B36";         // own call and DOK
};
void PrintTo(const PointsRow& row, std::ostream* os) { *os << row.name; }

class PointsRules : public RulesTest, public ::testing::WithParamInterface<PointsRow> {};

TEST_P(PointsRules, Score) {
  const PointsRow& row = GetParam();
  const contest::TContestRec definition = Load(row.code, row.class_index, row.own);
  for (const char* spec : row.earlier) Add(kLog, Q(spec));
  Enter(Q(row.qso), row.stored);
  EXPECT_EQ(Points(row.code, definition), row.points);
}

// clang-format off
const PointsRow kPointsRows[] = {
    {"NacTwoMetresCapped", 'N', 1, "b=k d=2300 l=JO73AA", 2000},
    {"NacTwoMetresNewSquare", 'N', 1, "b=k d=2300 l=JO73AA cm=JO73", 2500, {}, true},
    {"NacThreeCmNewSquare", 'N', 1, "b=q d=100 l=JO73AA cm=JO73", 1000, {}, true},
    {"NacSquareWorkedBefore", 'N', 1, "b=k d=100 l=JO73AA", 100, {"b=k l=JO73BB cm=JO73"}, true},
    {"NacSquareOnOtherBand", 'N', 1, "b=k d=100 l=JO73AA cm=JO73", 600, {"b=l l=JO73BB cm=JO73"}, true},
    {"NacNoLocatorNoSquare", 'N', 1, "b=k", 0, {"b=k l=JO73BB"}, true},
    {"Nac2190m", 'N', 1, "b=r d=100", 0}, {"WagGermanWae", 'W', 1, "x=F w=1", 3},
    {"WagGermanDx", 'W', 1, "x=W", 5}, {"WagGermanDl", 'W', 1, "x=DL", 1},
    {"WagForeignDl", 'W', 1, "x=DL", 3, {}, false, "OE1ABC"},
    {"WagForeignWae", 'W', 1, "x=F w=1", 0, {}, false, "OE1ABC"}, {"WagListenerCw", 'W', 9, "x=DL m=CW", 3},
    {"WagForeignWithDistrictDok", 'W', 1, "x=F w=1", 3, {}, false, "OE1ABC B01"},
    {"HtpClass4", 'q', 4, "r=599_12/A", 0}, {"HtpClass1A", 'q', 1, "r=599_12/A", 9},
    {"HtpClass6C", 'q', 6, "r=599_12/C", 3}, {"FebruarXX", 'P', 1, "r=599XX", 20},
    {"Februar00", 'P', 1, "r=599_00", 100}, {"Februar35", 'P', 1, "r=59935", 35},
    {"Februar12A", 'P', 1, "r=59912A", 12}, {"FebruarHex", 'P', 1, "r=599$1F", 31},
    {"FebruarMinus", 'P', 1, "r=599-5", 0}, {"FebruarDN", 'P', 1, "c=DN1ABC r=5997", 100},
    {"RuhrDvlSpecialStation", 'L', 1, "c=DL0ABC k=DVL", 20}, {"RuhrSpecialStation", 'L', 1, "c=DL0ABC", 5},
    {"RuhrListed", 'L', 1, "c=DK0RUR", 10}, {"WnaUsb", 'c', 1, "m=USB", 1},
    {"WsaUsb", 'y', 1, "m=USB", 1}, {"MvpDistrictDok", 'V', 1, "k=V01", 3},
    {"MvpOtherDok", 'V', 1, "k=B01", 1}, {"MvpGuestDistrictDok", 'V', 8, "k=V01", 1},
    {"MvpListenerOtherDok", 'V', 9, "k=B01", 0}, {"EuTagEurope", 'E', 1, "e=EU d=321", 321},
    {"HscNonMember", '6', 1, "r=599NM", 1}, {"HscMember", '6', 1, "r=59912", 5},
    {"VfdbTageListed", 'o', 1, "c=DL0VF", 2}, {"RlpCwOn23cm", 'h', 1, "m=CW b=m", 6},
    {"RlpFmOn13cm", 'h', 1, "m=FM b=n", 6}, {"RlpOwnDok", 'h', 1, "k=B36", 0},
    {"IparcMember", 'Z', 1, "r=599_IPA", 5}, {"Holyland4XLowBand", 'H', 1, "x=4X k=A01TA b=b", 2},
    {"Holyland4XHighBand", 'H', 1, "x=4X k=A01TA b=e", 1}, {"HolylandBadArea", 'H', 1, "x=4X k=A01PA", 0},
    {"FielddayFixedWorksFixed", '9', 6, "e=EU", 0}, {"FielddayFixedWorksPortable", '9', 6, "c=DL2XYZ/P e=EU", 4},
    {"FielddayMobileDx", '9', 1, "c=K1ABC/m e=NA", 6}, {"FielddayEurope", '9', 1, "e=EU", 2},
    {"NordRing", 'e', 1, "l=JO73AA", 2}, {"NordSpecialDok", 'e', 1, "l=JO62AA k=DVE", 11},
    {"NordDistrictFormNoBonus", 'e', 1, "l=JO62AA k=Z01", 1}, {"NordNoLocator", 'e', 1, "k=DVE", 10},
    {"ShShortWave", 'O', 1, "b=b d=50", 1}, {"ShNewDxccAndDok", 'O', 1, "b=k d=50 x=DL k=M01", 250, {}, true},
    {"ShWorkedBefore", 'O', 1, "b=k d=50 x=DL k=M01", 50, {"b=k x=DL k=M01"}, true},
    {"ShEarlierWithoutPoints", 'O', 1, "b=k d=50 x=DL k=M01", 250, {"b=k x=DL k=M01 n=1"}, true},
    {"ShNoDxccNewDok", 'O', 1, "b=l d=50 k=M01", 150, {"b=l x=DL k=M02"}},
    {"BocOwnDokFirst", 'U', 1, "k=B36", 1, {"k=B01"}, true}, {"BocOwnDokAgain", 'U', 1, "k=B36", 0, {"k=B36"}, true},
    {"KoelnAachenOwnDokAgain", 'K', 1, "k=B36", 0, {"k=B36"}}, {"KoelnAachenOtherDok", 'K', 1, "k=B01", 1, {"k=B01"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rules, PointsRules, ::testing::ValuesIn(kPointsRows),
                         common::testing::RowName);

TEST_F(RulesTest, SquareRingsAndSpecialStations) {
  EXPECT_EQ(contest::LocatorSquareRing("JO62", "JO62MM"), 1u);
  EXPECT_EQ(contest::LocatorSquareRing("JO62", "JO73"), 2u);
  EXPECT_EQ(contest::LocatorSquareRing("JO62", "JN69"), 4u);
  EXPECT_EQ(contest::LocatorSquareRing("JO62", "JN62"), 11u);
  EXPECT_EQ(contest::LocatorSquareRing("jo62mm", "JO73"), 2u);  // not hundreds of squares wide
  for (const char* call : {"DL0ABC", "DQ50X", "DJ1A", "DR1AB", "DL9SPEC"}) {
    EXPECT_TRUE(contest::IsSpecialStationCall(call)) << call;
  }
  for (const char* call : {"DB0ABC", "DJ1AB", "DS1A", "OK0ABC"}) {
    EXPECT_FALSE(contest::IsSpecialStationCall(call)) << call;
  }
}

}  // namespace
}  // namespace contest_test
