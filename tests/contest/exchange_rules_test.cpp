// The partner tests and value checks, the exchange texts, the member lists and the exchange
// prefill from a call database and member files, and the prefill of the real WAG call list.
#include <fstream>
#include <map>

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/reference/prefix.h"
#include "tests/common/rows.h"
#include "tests/contest/rules_fixture.h"

namespace contest_test {
namespace {

using contest::TContLogAlle;

enum Check { kGerman, kValidDok, kArea, kDok, kDistrict, kBonus };
struct CheckRow {
  const char* name;
  Check check;
  char code;
  const char* value;
  bool expected;
};
void PrintTo(const CheckRow& row, std::ostream* os) { *os << row.name; }

class Checks : public RulesTest, public ::testing::WithParamInterface<CheckRow> {};

TEST_P(Checks, Answer) {
  const CheckRow& r = GetParam();
  contest::TContestRec d = Load(r.code);
  if (r.check == kDok || r.check == kDistrict) {
    d = {};  // district letters only, as the edge cases name them
    d.ValidDistricts = {'B', 'M', 'Z'};
  }
  const bool answers[] = {TContLogAlle::IsGermanCall(r.value, *catalogue_),
                          TContLogAlle::IsValidDok(r.value, *catalogue_),
                          rules_.CheckExchange(r.value, *catalogue_),
                          rules_.CheckDokExchange(r.value, d, *catalogue_),
                          rules_.CheckDistrictExchange(r.value, d, *catalogue_),
                          rules_.IsBonusStation(r.value, d, *catalogue_)};
  EXPECT_EQ(answers[r.check], r.expected);
}

// clang-format off
const CheckRow kCheckRows[] = {
    {"GermanDI", kGerman, 'V', "DI1ABC", false}, {"GermanDA", kGerman, 'V', "DA1ABC", true},
    {"GermanDH", kGerman, 'V', "DH1ABC", true}, {"GermanDJ", kGerman, 'V', "DJ1ABC", true},
    {"GermanDR", kGerman, 'V', "DR1ABC", true}, {"GermanDS", kGerman, 'V', "DS1ABC", false},
    {"GermanLowerCase", kGerman, 'V', "dl1abc", false}, {"GermanAnyCallUnderK", kGerman, 'K', "OK1ABC", true},
    {"DokM26", kValidDok, 'V', "M26", false}, {"DokA01", kValidDok, 'V', "A01", true},
    {"DokZZ", kValidDok, 'V', "ZZ", false}, {"DokNM", kValidDok, 'V', "NM", false},
    {"DokNMUnderDarc10", kValidDok, '1', "NM", true}, {"DokP1", kValidDok, 'V', "P1", false},
    {"Dok5N", kValidDok, 'V', "5N", true}, {"DokDigitsOnly", kValidDok, 'V', "123", false},
    {"DlpxA01", kValidDok, '!', "A01", false}, {"DlpxZ23", kValidDok, '!', "Z23", true},
    {"HelvetiaZH", kValidDok, 'z', "ZH", true}, {"HelvetiaA01", kValidDok, 'z', "A01", false},
    {"HolylandTA", kArea, 'H', "A01TA", true}, {"HolylandPA", kArea, 'H', "A01PA", false},
    {"HolylandSixCharacters", kArea, 'H', "A01TAX", false}, {"OtherCodesCheckTheDok", kArea, 'V', "A01TA", true},
    {"DokB01", kDok, 'V', "B01", true}, {"DokM26Listed", kDok, 'V', "M26", false},
    {"DokB1", kDok, 'V', "B1", false}, {"DokUnlisted", kDok, 'V', "C01", false},
    {"VfdbTageZ12", kDok, 'o', "Z12", true}, {"VfdbTageB01", kDok, 'o', "B01", false},
    {"DistrictZ12UnderVfdbTage", kDistrict, 'o', "Z12", false}, {"DistrictB01", kDistrict, 'V', "B01", true},
    {"StarterJ01", kDistrict, 'u', "J01", false}, {"StarterK01", kDistrict, 'u', "K01", true},
    {"BonusWithoutList", kBonus, 'V', "OE1XYZ", true}, {"BonusListedPortable", kBonus, 'R', "DF0RLP/P", true},
    {"BonusNotListed", kBonus, 'R', "DL1ABC", false}, {"BonusDeclaredNotSupplied", kBonus, 'D', "DL0ABC", false},
    {"EventCall", kBonus, '.', "DL0EVT", true}, {"EventName", kBonus, '.', "DL1DOMI/P", true},
    {"EventOtherCall", kBonus, '.', "DL1ABC", false},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Values, Checks, ::testing::ValuesIn(kCheckRows), common::testing::RowName);

// The contests whose rules name bonus stations: no call is one until the operator supplies the
// calls, then only those (also with a suffix after '/').
class BonusStations : public RulesTest, public ::testing::WithParamInterface<char> {};

TEST_P(BonusStations, NoCallWhileTheListIsEmpty) {
  const char code = GetParam();
  WriteFile("contests.toml", "");
  const contest::TContestRec d = Load(code);
  ASSERT_GT(Fkt().Definitions().Find(code)->BonusCount, 0);
  EXPECT_FALSE(rules_.IsBonusStation("OE1XYZ", d, *catalogue_));
  EXPECT_FALSE(rules_.IsBonusStation("DL1ABC/P", d, *catalogue_));
}

TEST_P(BonusStations, OnlyTheCallsTheOperatorSupplied) {
  const char code = GetParam();
  WriteFile("contests.toml",
            "[\"" + std::string(1, code) + "\"]\nBonusCalls = [\"DL0BON\", \"DK0BON\"]\n");
  const contest::TContestRec d = Load(code);
  EXPECT_TRUE(rules_.IsBonusStation("DK0BON/P", d, *catalogue_));
  EXPECT_TRUE(rules_.IsBonusStation("DL0BON", d, *catalogue_));
  EXPECT_FALSE(rules_.IsBonusStation("OE1XYZ", d, *catalogue_));
}

INSTANTIATE_TEST_SUITE_P(Codes, BonusStations, ::testing::Values('D', 'R', '!', 'h', 'k'),
                         [](const ::testing::TestParamInfo<char>& info) {
                           return info.param == '!' ? std::string("Dlpx")
                                                    : "Code" + std::string(1, info.param);
                         });

TEST_F(RulesTest, ExchangeTextsSplitAndJoin) {
  std::string rst, p1, p2, p3;
  TContLogAlle::SplitCall("599 12/AB/C", rst, p1, p2, p3);
  EXPECT_EQ(rst + "|" + p1 + "|" + p2 + "|" + p3, "599| 12|AB|C");
  EXPECT_EQ(TContLogAlle::JoinCall("59", "12", "", ""), "59 12");
  EXPECT_EQ(TContLogAlle::JoinCall("599", "1", "", "X"), "5991//X");
}

TEST_F(RulesTest, MemberListsAreReadOnceAndOnlyChangedInMemory) {
  const std::string qcwa = "DL1AAA;x;111\r\nDL2BBB;22\r\nnone\r";
  WriteFile("QCWA.csv", qcwa);  // copied from Windows
  EXPECT_EQ(rules_.FindMember("qcwa.csv", "DL2BBB/P", 1), 1);
  EXPECT_EQ(rules_.MemberField(3, 0, 1), "111");
  EXPECT_EQ(rules_.MemberField(3, 1, 1), "22");  // a line of two fields gives its last
  rules_.AddMember("333", "qcwa.csv", 1, 3, "DL3CCC");
  rules_.AddMember("999", "qcwa.csv", 1, 3, "DL1AAA");  // already a member
  EXPECT_EQ(rules_.FindMember("qcwa.csv", "DL3CCC", 1), 3);
  EXPECT_EQ(*rules_.MemberList(1),  // a CR only before LF is dropped
            (std::vector<std::string>{"DL1AAA;x;111", "DL2BBB;22", "none\r", "DL3CCC;;333"}));
  WriteFile("dsw.csv", "DL5DSW;Hans;42\n");
  EXPECT_EQ(rules_.FindMember("dsw.csv", "DL5DSW", 1), -1);  // list 1 holds the first file
  EXPECT_TRUE(rules_.IsDswMember(" 111 "));
  EXPECT_FALSE(rules_.IsDswMember("42"));
  EXPECT_FALSE(rules_.LoadMemberList("hsc.csv", 2));  // missing: an empty list, not retried
  WriteFile("hsc.csv", "DL4HSC;1234\n");
  EXPECT_EQ(rules_.FindMember("hsc.csv", "DL4HSC", 2), -1);
  std::ifstream in(folder_ / "QCWA.csv", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), qcwa);
}

// Contest code, call, and what the prefill leaves: received text | Call2 | name field | locator.
using PrefillRow = common::testing::Row2<char, const char*, const char*>;

class Prefill : public RulesTest, public ::testing::WithParamInterface<PrefillRow> {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    for (const std::string row :  // 'B' the call book, 'D' the call data
         {"B DL1AAA DOK=B01 LOC=JO62AB", "B OK1AAA DOK=X99", "B DL1ZZZ DOK=Z23", "B DL1BBB DOK=B02",
          "B DL1NAV MF=123", "B DL1DIG DIG=4711",
          "B DL1OOO NAME=Karl-Theodor DOK=VHV21ABC LOC=JO62MM", "D DL1BBB DOK=C03 LOC=JN58AA",
          "D DL1CCC DOK=C04 NAME=Otto"}) {
      AddCall(row[0] == 'B' ? logbook::kCallBook : logbook::kCallData, row.substr(2));
    }
    WriteFile("hsc.csv", "DL1HSC;1234\nDL2HSC;OP\n");
    WriteFile("naval.csv", "456;DL2NAV\n");
    WriteFile("dsw.csv", "DL1DSW; Hans ;789\n");
  }
};

TEST_P(Prefill, FillsTheReceivedExchange) {
  const PrefillRow& row = GetParam();
  const contest::TContestRec definition = Load(row.a);
  TContestLKRec qso = Q(std::string("c=") + row.b);
  qso.NameQth = "Otto;Berlin";
  Enter(qso);
  std::string locator = "old";
  rules_.PrefillExchange(definition, *catalogue_, locator, *log_);
  log_->GetLKRec(qso);
  EXPECT_EQ(RcvdText() + "|" + qso.Call2.str() + "|" + qso.NameQth.str() + "|" + locator, row.out);
}

// clang-format off
const PrefillRow kPrefillRows[] = {
    {"DokForGermanCall", 'V', "DL1AAA", "599B01||Otto;Berlin|JO62AB"},
    {"NoDokForOtherCall", 'V', "OK1AAA", "599||Otto;Berlin|"},
    {"DlpxDropsDistrictDok", '!', "DL1AAA", "599||Otto;Berlin|JO62AB"},
    {"DlpxKeepsZDok", '!', "DL1ZZZ", "599/Z23||Otto;Berlin|"},
    {"LocatorSquare", 'U', "DL1AAA", "599B01/JO62||Otto;Berlin|JO62AB"},
    {"WholeLocator", 'J', "DL1AAA/P", "599B01/JO62AB||Otto;Berlin|JO62AB"},
    {"CallBookBeforeCallData", 'J', "DL1BBB", "599B02/JN58AA||Otto;Berlin|JN58AA"},
    {"OnlyInCallData", 'E', "DL1CCC", "599/Otto||Otto;Berlin|"},
    {"HscMissing", '6', "DL9XYZ", "599NM||Otto;Berlin|"},
    {"HscMember", '6', "DL1HSC", "5991234||Otto;Berlin|"},
    {"HscOperator", '6', "DL2HSC", "599NM||Otto;Berlin|"},
    {"DigFromCallBook", '7', "DL1DIG", "5994711|4711|Otto;Berlin|"},
    {"NavalFromCallBook", 'i', "DL1NAV", "599MF123|MF123|Otto;Berlin|"},
    {"NavalList", 'i', "DL2NAV", "599MF456||Otto;Berlin|"},
    {"DswNameKeepsQth", 'p', "DL1DSW", "599789||Hans;Berlin|"},
    {"NameGivesWayToDokAndLocator", 'O', "DL1OOO", "599Karl-/VHV21ABC/JO62MM||Otto;Berlin|JO62MM"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Calls, Prefill, ::testing::ValuesIn(kPrefillRows),
                         common::testing::RowName);

// The DOKs of the WAG call history in the call data: each base call keeps the DOK of its first
// line (DK5DC and DK5DC/P name two).
TEST_F(RulesTest, WagCallHistoryPrefill) {
  const logbook::TdbCall book(logbook::kCallBook), data(logbook::kCallData);  // kept open
  std::ifstream in("/usr/share/hamradio-files/WAG_call_history.txt");
  std::vector<std::string> calls;
  std::map<std::string, std::string> dok_of;  // by base call
  const logbook::ToPrefix& prefix = common::Service<logbook::ToPrefix>::Get();
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    calls.push_back(line.substr(0, line.find(',')));
    const std::string base = prefix.GetPrefix(calls.back()), dok = line.substr(line.find(',') + 1);
    if (!base.empty() && dok_of.emplace(base, dok).second) {
      AddCall(logbook::kCallData, base + (dok.empty() ? "" : " DOK=" + dok));
    }
  }
  ASSERT_EQ(calls.size(), 4066u);
  for (char code : {'V', '!'}) {
    const contest::TContestRec definition = Load(code);
    for (const std::string& call : calls) {
      Enter(Q("c=" + call));
      std::string locator, parts[4];
      rules_.PrefillExchange(definition, *catalogue_, locator, *log_);
      TContLogAlle::SplitCall(RcvdText(), parts[0], parts[1], parts[2], parts[3]);
      const std::string base = prefix.GetPrefix(call);
      const std::string dok = base.empty() ? "" : common::LeftStr(dok_of[base], 8);
      const bool dlpx = code == '!';
      EXPECT_EQ(parts[dlpx ? 2 : 1], !dlpx || TContLogAlle::IsValidDok(dok, '!') ? dok : "")
          << call;
      EXPECT_TRUE(parts[2].empty() || parts[2][0] == 'Z') << call;  // '!' counts DOKs of Z only
    }
  }
}

}  // namespace
}  // namespace contest_test
