// The contest definition loader on the built-in definition set: what a class index, the log's
// catalogue fields and an earlier load do to the record.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "contest/contest_lookups.h"
#include "contest/contest_tables.h"
#include "contest/definition_dump.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "storage/tables/db_functions.h"
#include "tests/common/rows.h"
#include "tests/contest/definition_fixture.h"

namespace contest_test {
namespace {

using contest::TContestKKRec;
using contest::TContestRec;

std::string Letters(const TContestRec& d) {
  std::string s;
  for (char c : d.Bands) {
    if (c != 0) s.push_back(c);
  }
  return s;
}

std::vector<std::string> Texts(const auto& slots) {
  std::vector<std::string> texts;
  for (const auto& t : slots) texts.push_back(t.str());
  while (!texts.empty() && texts.back().empty()) texts.pop_back();
  return texts;
}

using Strings = std::vector<std::string>;

class LoaderTest : public ::testing::Test {
 protected:
  DefinitionFixture f_;
};

// --- one named row per case: a log, a code, and what the record must show ---

struct CaseRow {
  const char* name;
  char code;
  std::function<void(TContestKKRec&)> log;  // changes to the German log of class index 1
  std::function<void(const TContestRec&)> check;
};

void PrintTo(const CaseRow& row, std::ostream* os) { *os << row.name; }

class LoaderCaseTest : public LoaderTest, public ::testing::WithParamInterface<CaseRow> {};

TEST_P(LoaderCaseTest, Loads) {
  TContestKKRec log = DefinitionFixture::GermanLog(1);
  if (GetParam().log) GetParam().log(log);
  GetParam().check(f_.Load(GetParam().code, log));
}

const CaseRow kCases[] = {
    {"MvpClass1HfCwWithDokAndExchangeText", 'V', nullptr,
     [](const TContestRec& d) {
       EXPECT_EQ(Letters(d), "ab");
       EXPECT_EQ(Texts(d.Modes), Strings{"CW"});
       EXPECT_EQ(d.ExchangeKindsRcvd, (contest::KindTriple{4, 99, 0}));
       EXPECT_EQ(d.ExchangeKindsSent, (contest::KindTriple{4, 99, 0}));
       EXPECT_EQ(Texts(d.SentDefaults), (Strings{"B36", "12345"}));
       EXPECT_EQ(d.SWL, 0);
     }},
    {"MvpClass6VhfSendsTheLocator", 'V', [](TContestKKRec& k) { k.ClassIndex = 6; },
     [](const TContestRec& d) {
       EXPECT_EQ(Letters(d), "kl");
       EXPECT_EQ(d.ExchangeKindsSent, (contest::KindTriple{4, 6, 0}));
       EXPECT_EQ(Texts(d.SentDefaults), (Strings{"B36", "JO62MM12"}));
     }},
    {"MvpClass9IsAListener", 'V', [](TContestKKRec& k) { k.ClassIndex = 9; },
     [](const TContestRec& d) {
       EXPECT_EQ(d.SWL, 1);
       EXPECT_EQ(Texts(d.SentDefaults), Strings{});
     }},
    {"MvpAreaListKeepsItsGap", 'V', nullptr,
     [](const TContestRec& d) {
       EXPECT_EQ(d.AreaDoks[1].str(), "");
       EXPECT_EQ(d.AreaDoks[2].str(), "MVP");
       EXPECT_EQ(d.AreaDistricts[0], 'V');
     }},
    {"PartyNumberMinusOneSendsXX", 'P', [](TContestKKRec& k) { k.OperatorNumber = 0xFFFFFFFF; },
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[0].str(), "XX"); }},
    {"PartyNumberThroughTwoPlaces", 'P', [](TContestKKRec& k) { k.OperatorNumber = 7; },
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[0].str(), "07"); }},
    {"BrandenburgWithoutDokSendsANumber", 'C', [](TContestKKRec& k) { k.OwnDOK = ""; },
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsSent[0], 7);
       EXPECT_EQ(d.ExchangeLabels[0].str(), "Nr");
       EXPECT_EQ(d.SentDefaults[0].str(), "");
     }},
    {"BrandenburgWithDokSendsIt", 'C', nullptr,
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsSent[0], 4);
       EXPECT_EQ(d.ExchangeLabels[0].str(), "DOK");
       EXPECT_EQ(d.SentDefaults[0].str(), "B36");
     }},
    {"SchwabenWithoutDokSendsANumber", 'Q', [](TContestKKRec& k) { k.OwnDOK = ""; },
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsSent[0], 7);
       EXPECT_EQ(d.ExchangeLabels[0].str(), "DOK");
       EXPECT_EQ(d.SentDefaults[0].str(), "");
     }},
    {"VfdbNumberTwoIsAListener", 'Y', [](TContestKKRec& k) { k.OperatorNumber = 2; },
     [](const TContestRec& d) { EXPECT_EQ(d.SWL, 1); }},
    {"VfdbOtherNumberIsNot", 'Y', nullptr, [](const TContestRec& d) { EXPECT_EQ(d.SWL, 0); }},
    {"HandtasteClass2SendsItsLetterAndNameWithAge", 'q', [](TContestKKRec& k) { k.ClassIndex = 2; },
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.SentDefaults), (Strings{"", "B", "Karl-Theodor/42"}));
     }},
    {"HandtasteNoAgeWithoutANumber", 'q',
     [](TContestKKRec& k) {
       k.ClassIndex = 8;
       k.OperatorNumber = 0;
     },
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.SentDefaults), (Strings{"", "D", "Karl-Theodor"}));
       EXPECT_EQ(d.Bands[0], 'c');
       EXPECT_EQ(d.CabrilloBand, "40M");
     }},
    {"SchleswigHolsteinNameFitsBesideAShortDok", 'O', nullptr,
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.SentDefaults), (Strings{"Karl-Theodor", "B36", "JO62MM12"}));
     }},
    {"SchleswigHolsteinNameCutBesideALongDok", 'O', [](TContestKKRec& k) { k.OwnDOK = "OSTSEE"; },
     [](const TContestRec& d) {  // 16 - 6 characters
       EXPECT_EQ(Texts(d.SentDefaults), (Strings{"Karl-Theod", "OSTSEE", "JO62MM12"}));
     }},
    {"SchleswigHolsteinVhfCutsShorter", 'O', [](TContestKKRec& k) { k.ClassIndex = 10; },
     [](const TContestRec& d) {  // 16 - 3 - 7 characters
       EXPECT_EQ(d.SentDefaults[0].str(), "Karl-T");
     }},
    {"IparcFlagSendsIpa", 'Z', [](TContestKKRec& k) { k.MultiplierFlag = 1; },
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[1].str(), "IPA"); }},
    {"IparcWithoutFlagSendsNothing", 'Z', nullptr,
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[1].str(), ""); }},
    {"TitleCarriesTheLogsYear", 'V', nullptr,
     [](const TContestRec& d) { EXPECT_EQ(d.Title.str(), "MVP-Contest 2021"); }},
    {"TitleCarriesTheCurrentYearWithoutStartDate", 'K', [](TContestKKRec& k) { k.DatumVon = 0; },
     [](const TContestRec& d) { EXPECT_EQ(d.Title.str(), "Herbst-Contest Köln-Aachen 2024"); }},
    {"TodayAsContestDate", 'N', nullptr,
     [](const TContestRec& d) { EXPECT_EQ(d.DateFrom.str(), "09.03.2024"); }},
    {"BwaRefusesTheOwnDok", 'B', nullptr,
     [](const TContestRec& d) { EXPECT_EQ(d.SentText2.str(), "B36"); }},
    // WAG: the German-station switch, then the class case.
    {"WagGermanCallReceivesSerialsCountsDxcc", 'W', [](TContestKKRec& k) { k.ClassIndex = 5; },
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsRcvd[0], 7);
       EXPECT_EQ(d.MultiplierNames[0].str(), "DXCC");
       EXPECT_EQ(contest::ContestSetText(d.MultiplierKinds), "{2, 3, 14}");
       EXPECT_EQ(d.SentDefaults[0].str(), "B36");
     }},
    {"WagForeignStationReceivesDoksCountsDistricts", 'W',
     [](TContestKKRec& k) {
       k.ClassIndex = 5;
       k.OwnCall = "F5ABC";
       k.OwnDOK = "";
     },
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsRcvd[0], 4);
       EXPECT_EQ(d.ExchangeKindsSent[0], 7);
       EXPECT_EQ(d.ExchangeLabels[0].str(), "DOK");
       EXPECT_EQ(d.MultiplierNames[0].str(), "Distrikt");
       EXPECT_EQ(contest::ContestSetText(d.MultiplierKinds), "{18, 21}");
       EXPECT_EQ(d.SentDefaults[0].str(), "");
     }},
    {"WagForeignCallWithGermanDokCountsAsGerman", 'W',
     [](TContestKKRec& k) {
       k.OwnCall = "F5ABC";
       k.OwnDOK = "B01";
     },
     [](const TContestRec& d) { EXPECT_EQ(d.ExchangeKindsRcvd[0], 7); }},
    {"WagDokWithThirdLetterIsNoGermanDok", 'W',
     [](TContestKKRec& k) {
       k.OwnCall = "F5ABC";
       k.OwnDOK = "B0X";
     },
     [](const TContestRec& d) { EXPECT_EQ(d.ExchangeKindsRcvd[0], 4); }},
    {"WagOneCharacterCallIsNotTested", 'W',
     [](TContestKKRec& k) {
       k.OwnCall = "F";
       k.OwnDOK = "";
     },
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsRcvd[0], 7);
       EXPECT_EQ(d.SentDefaults[0].str(), "NM");
     }},
    {"WagListenerCountsDistrictsOnly", 'W', [](TContestKKRec& k) { k.ClassIndex = 9; },
     [](const TContestRec& d) {
       EXPECT_EQ(d.SWL, 1);
       EXPECT_EQ(contest::ContestSetText(d.MultiplierKinds), "{18}");
     }},
    {"WagCwClassSendsTheDokWhateverTheStation", 'W', [](TContestKKRec& k) { k.OwnCall = "F5ABC"; },
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.Modes), Strings{"CW"});
       EXPECT_EQ(d.ExchangeKindsSent[0], 4);
     }},
    {"WagNoClassHasCwButNoCabrillo", 'W', [](TContestKKRec& k) { k.ClassIndex = 0; },
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.Modes), Strings{"CW"});
       EXPECT_EQ(d.CabrilloOperator + d.CabrilloPower + d.CabrilloMode + d.CabrilloBand +
                     d.CabrilloAssisted,
                 "");
     }},
    // XMAS and Easter contests: the call alone decides.
    {"XmasForeignCallSendsASerial", 'X',
     [](TContestKKRec& k) {
       k.OwnCall = "F5ABC";
       k.OwnDOK = "B01";
     },
     [](const TContestRec& d) { EXPECT_EQ(d.ExchangeKindsSent[0], 7); }},
    {"XmasGermanCallSendsTheDok", 'X', nullptr,
     [](const TContestRec& d) { EXPECT_EQ(d.ExchangeKindsSent[0], 4); }},
    {"EasterForeignCallSendsASerial", 't', [](TContestKKRec& k) { k.OwnCall = "F5ABC"; },
     [](const TContestRec& d) { EXPECT_EQ(d.ExchangeKindsSent[0], 7); }},
    {"EasterGermanCallSendsTheDok", 't', nullptr,
     [](const TContestRec& d) { EXPECT_EQ(d.ExchangeKindsSent[0], 4); }},
    // The own event contest.
    {"EventOtherStationCountsDxccAndCalls", '.', [](TContestKKRec& k) { k.ClassIndex = 5; },
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.MultiplierNames), (Strings{"", "DXCC", "Callmulti"}));
       EXPECT_EQ(d.Flag31, 1);
       EXPECT_EQ(contest::ContestSetText(d.MultiplierKinds), "{2, 3, 10}");
       EXPECT_EQ(Texts(d.Modes), Strings{"CW"});
     }},
    {"EventOwnStationCountsNothing", '.', [](TContestKKRec& k) { k.OperatorNumber = 7; },
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.MultiplierNames), Strings{});
       EXPECT_EQ(d.Flag31, 0);
       EXPECT_EQ(contest::ContestSetText(d.MultiplierKinds), "{}");
       EXPECT_EQ(d.SentDefaults[0].str(), "07");
     }},
    {"EventMixedClassHasEveryMode", '.', [](TContestKKRec& k) { k.ClassIndex = 8; },
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.Modes), (Strings{"CW", "SSB", "DIGITAL"}));
       EXPECT_EQ(d.CabrilloMode, "MIXED");
     }},
    // Values that follow the log's number field, own DOK and member text.
    {"HscWithoutNumberSendsNM", '6', [](TContestKKRec& k) { k.OperatorNumber = 0; },
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[0].str(), "NM"); }},
    {"HscSendsTheNumber", '6', [](TContestKKRec& k) { k.OperatorNumber = 5; },
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[0].str(), "5"); }},
    {"HappyNewYearWithoutNumberSendsNothing", 'f', [](TContestKKRec& k) { k.OperatorNumber = 0; },
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[1].str(), ""); }},
    {"HappyNewYearSendsTheNumber", 'f', [](TContestKKRec& k) { k.OperatorNumber = 5; },
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[1].str(), "5"); }},
    {"MobileSendsFiveDigits", 'm', nullptr,
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[0].str(), "00042"); }},
    {"HelvetiaWithNumberSendsASerial", 'z', nullptr,
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsSent[0], 7);
       EXPECT_EQ(d.SentDefaults[0].str(), "");
     }},
    {"HelvetiaWithoutNumberSendsTheCanton", 'z', [](TContestKKRec& k) { k.OperatorNumber = 0; },
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsSent[0], 4);
       EXPECT_EQ(d.SentDefaults[0].str(), "B36");
     }},
    {"DswMemberSendsTheMemberNumber", 'p', nullptr,
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsSent[0], 19);
       EXPECT_EQ(d.SentDefaults[0].str(), "1234");
     }},
    {"DswNonMemberSendsNothing", 'p', [](TContestKKRec& k) { k.MemberText = ""; },
     [](const TContestRec& d) { EXPECT_EQ(d.ExchangeKindsSent[0], 0); }},
    {"TenMetreWithoutDokSendsNoDok", '1', [](TContestKKRec& k) { k.OwnDOK = ""; },
     [](const TContestRec& d) {
       EXPECT_EQ(d.ExchangeKindsSent[1], 0);
       EXPECT_EQ(d.SentDefaults[1].str(), "");
     }},
    {"AgcwQrpWithoutNumberSendsNM", 'w', [](TContestKKRec& k) { k.OperatorNumber = 0; },
     [](const TContestRec& d) {
       EXPECT_EQ(Texts(d.SentDefaults), (Strings{"", "VLP", "NM"}));
     }},
    {"StarterWithoutDokSendsNM", 'u', [](TContestKKRec& k) { k.OwnDOK = ""; },
     [](const TContestRec& d) { EXPECT_EQ(d.SentDefaults[0].str(), "NM"); }},
    {"StarterAbroadSendsASerial", 'u', [](TContestKKRec& k) { k.ClassIndex = 3; },
     [](const TContestRec& d) { EXPECT_EQ(d.ExchangeKindsSent[0], 7); }},
    {"UnknownCodeGivesTheDefaultsOnly", '#', nullptr,
     [](const TContestRec& d) {
       TContestRec expected;
       expected.UtcOffsetHours = -1;
       for (int i = 1; i <= 7; ++i) expected.OutputMenu.set(i);
       EXPECT_TRUE(d == expected);
     }},
};

INSTANTIATE_TEST_SUITE_P(Rows, LoaderCaseTest, ::testing::ValuesIn(kCases),
                         common::testing::RowName);

// --- class index 0, and what a load leaves behind ---

TEST_F(LoaderTest, IndexZeroLoadsClassOneWhereTheContestSaysSo) {
  for (char code : std::string("VBq")) {
    SCOPED_TRACE(code);
    EXPECT_TRUE(f_.Load(code, 0) == f_.Load(code, 1));
  }
}

TEST_F(LoaderTest, AnIndexBeyondTheClassesSelectsNoRow) {
  const TContestRec d = f_.Load('V', 10);
  EXPECT_EQ(Letters(d), "");
  EXPECT_EQ(d.CabrilloBand, "MIXED");  // the contest's own value, set for every class
  EXPECT_EQ(d.Classes[8].ClassName.str(), "Klasse S");
}

TEST_F(LoaderTest, ALoadKeepsNothingOfTheContestBefore) {
  TContestRec d = f_.Load('V', 9);
  TContestKKRec log = DefinitionFixture::GermanLog(1);
  f_.Fkt().LoadContestDefinition(d, log, 'H');
  EXPECT_TRUE(d == f_.Load('H', 1));
  EXPECT_EQ(d.SWL, 0);
  EXPECT_EQ(d.AreaDoks[0].str(), "");
  EXPECT_EQ(d.LabelFlag, 0);
}

TEST_F(LoaderTest, TheCatalogueSwitchIsSetOnlyWhereTheContestSetsIt) {
  TContestKKRec log = DefinitionFixture::GermanLog(1);
  f_.Load('V', log);
  EXPECT_EQ(log.LoaderSwitch, 7);
  f_.Load('D', log);
  EXPECT_EQ(log.LoaderSwitch, 255);
}

TEST_F(LoaderTest, HelpersFormatTheLogsNumberAndDates) {
  TContestKKRec log = DefinitionFixture::GermanLog(1);
  EXPECT_EQ(contest::TContestFkt::LogNumberText(log), "00042");
  EXPECT_EQ(contest::TContestFkt::LogYearText(log), "2021");
  EXPECT_EQ(contest::TContestFkt::TodayText(), "09.03.2024");
}

TEST_F(LoaderTest, MrrTakesTheRigFromLineOneOfTheStationFile) {
  const std::string path = f_.Folder() + "/mrr     7.STN";  // log number 7, six '#' places
  const struct {
    const char* name;
    const char* file;  // nullptr: no file
    const char* rig;
  } cases[] = {
      {"CrLfLinesCutTo12", "IC-7300 mit 100 W\r\nzweite Zeile\r\n", "IC-7300 mit "},
      {"LfLineShorter", "FT-817\nzweite Zeile\n", "FT-817"},
      {"EmptyFile", "", ""},
      {"NoFile", nullptr, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(path);
    if (c.file != nullptr) common::testing::WriteFile(path, c.file);
    EXPECT_EQ(f_.Load('v', 1).SentDefaults[1].str(), c.rig);
  }
}

// Every code (and one that is none) for class indexes 0 to 21 with logs of random bytes: the
// record is the same whether it was fresh or held another contest.
TEST_F(LoaderTest, RandomLogsLoadAlikeWhateverWasLoadedBefore) {
  std::mt19937 random(22);
  const std::string codes = f_.Fkt().Definitions().Codes() + "#";
  TContestRec reused;
  for (char code : codes) {
    for (int index = 0; index <= 21; ++index) {
      TContestKKRec log;
      auto* bytes = reinterpret_cast<unsigned char*>(&log);
      for (std::size_t i = 0; i < sizeof log; ++i) bytes[i] = static_cast<unsigned char>(random());
      log.ClassIndex = static_cast<std::uint8_t>(index);
      TContestKKRec other_log = log;
      f_.Fkt().LoadContestDefinition(reused, other_log, codes[random() % codes.size()]);
      TContestKKRec first = log;
      TContestKKRec second = log;
      TContestRec fresh;
      f_.Fkt().LoadContestDefinition(fresh, first, code);
      f_.Fkt().LoadContestDefinition(reused, second, code);
      EXPECT_TRUE(reused == fresh) << code << " " << index;
      EXPECT_EQ(std::memcmp(&first, &second, sizeof first), 0);
    }
  }
}

TEST_F(LoaderTest, TheDumpShowsEveryFieldOnALineOfItsOwn) {
  const std::string dump = contest::DumpContestDefinition(f_.Load('V', 1));
  EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'),
            46 + contest::kPeriodSlots + contest::kClassSlots);
  for (const char* line : {
           "Bands: \"ab\"\n",
           "MultiplierKinds: {2, 4}\n",
           "Periods[2]: \"21.03.2020\", \"\", \"15:00:00\", \"16:30:00\", \"a\"\n",
           "Periods[5]: \"\", \"\", \"\", \"\", \"\"\n",
           "SentDefaults: \"B36\", \"12345\", \"\"\n",
           "BonusCalls:\n",
           "AreaDoks: \"MCM\", \"\", \"MVP\", \"Z87\", \"Z89\", \"YLV\", \"DVV\", \"VO\"\n",
           "Classes[8]: \"G:Gäste\", 0, \"Klasse G\"\n",
           "OutputMenu: {1, 2, 4, 5, 6, 7, 8, 9, 12}\n",
       }) {
    EXPECT_NE(dump.find(line), std::string::npos) << line;
  }
}

// --- the catalogue object and its file ---

class LoaderFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(common::Service<storage::ToDBFkt>::Get().InitDatabase());
    contest::TdbContest kk(contest::kTableKK, 0);
    kk.ClearRec();
    kk.SetKKRec(DefinitionFixture::GermanLog(1));
    ASSERT_TRUE(kk.InsertRec());
    contest::TContestKKRec stored;
    kk.GetKKRec(stored);
    nummer_ = stored.Nummer;
  }
  // The switch of the record as the file holds it.
  std::uint8_t SwitchInFile() const {
    contest::TdbContest kk(contest::kTableKK, 0);
    EXPECT_TRUE(kk.FindByNummer(nummer_));
    contest::TContestKKRec stored;
    kk.GetKKRec(stored);
    return stored.LoaderSwitch;
  }

  DefinitionFixture f_;
  common::ScopedService<logbook::ToModi> modes_;
  common::ScopedService<logbook::ToPrefix> prefixes_;
  common::ScopedService<storage::ToDBFkt> db_;
  common::ScopedService<contest::ToDatContest> dat_;
  std::int32_t nummer_ = 0;
};

TEST_F(LoaderFileTest, TheSwitchReachesTheFileOnlyWithUpdateFile) {
  contest::TdbContest kk(contest::kTableKK, 0);
  ASSERT_TRUE(kk.FindByNummer(nummer_));
  TContestRec d;
  f_.Fkt().LoadContestDefinition(d, kk, 'D', false);
  contest::TContestKKRec working;
  kk.GetKKRec(working);
  EXPECT_EQ(working.LoaderSwitch, 255);
  EXPECT_EQ(SwitchInFile(), 7);
  f_.Fkt().LoadContestDefinition(d, kk, 'D', true);
  EXPECT_EQ(SwitchInFile(), 255);
  EXPECT_EQ(d.EditionName, "PEL DTC");
}

}  // namespace
}  // namespace contest_test
