// The key texts of the contest files, built from hand-made records: one row per key of each
// file and the cases where normalising, padding and the building blocks decide.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/key_text.h"
#include "common/service.h"
#include "contest/catalogue_record.h"
#include "contest/contest_data_record.h"
#include "contest/log_record.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "tests/common/rows.h"

namespace contest {
namespace {

using common::testing::RowName;

constexpr std::int32_t kDay = 154321;
constexpr std::int32_t kTime = 45296;

std::string N(std::int32_t n) { return common::LongIntToKey(n); }
std::string DT() { return common::DateToKey(kDay, true) + common::TimeToKey(kTime, true); }

// Every key field set, portable call, DOK text "ABC" + "12".
TContestLKRec FullQso() {
  TContestLKRec r{};
  r.Nummer = 812;
  r.Call = "dl1abc/p";
  r.Loc = "JO62MM";
  r.Datum = kDay;
  r.Zeit = kTime;
  r.Mode = "CW";
  r.DXCC = "DL";
  r.sel = 1;
  r.WAZ_USStaat = "14";
  r.DOK1 = "ABC";
  r.DOK2 = "12";
  r.Bandcode = 'e';
  r.wagBandNr = 15;
  r.wagBandNrIntern = 17;
  r.wagNummer = 40;
  r.District = 'B';
  r.SDOK = 'X';
  r.CMulti = "DL1";
  r.Call2 = "1234567";
  r.Prefix = "DL1";
  r.ModeNr = 3;
  return r;
}

TContestLKRec PlainCall() {
  TContestLKRec r = FullQso();
  r.Call = "DL1ABC";
  return r;
}
TContestLKRec NoLoc() {
  TContestLKRec r = FullQso();
  r.Loc = "";
  return r;
}
TContestLKRec NoDistrict() {
  TContestLKRec r = FullQso();
  r.District = 0;
  return r;
}

struct KeyRow {
  const char* name;
  TContestLKRec (*record)();
  int key;
  std::string expected;
};

void PrintTo(const KeyRow& row, std::ostream* os) { *os << row.name; }

class QsoKeys : public ::testing::TestWithParam<KeyRow> {
 protected:
  common::ScopedService<logbook::ToPrefix> prefix_;
  common::ScopedService<logbook::ToModi> modes_;
};

TEST_P(QsoKeys, BuildTheirText) {
  const TContestLKRec r = GetParam().record();
  std::string text = "unchanged";
  LKKeyBuilder(reinterpret_cast<const std::uint8_t*>(&r), GetParam().key, text);
  EXPECT_EQ(text, GetParam().expected);
}

const std::string kCall = "DL1ABC        ";
const KeyRow kQsoKeyRows[] = {
    {"DateTime", FullQso, 1, DT()},
    {"CallDateTime", FullQso, 2, kCall + DT()},
    {"LocDateTime", FullQso, 3, "JO62MM" + DT()},
    {"Nummer", FullQso, 4, N(812)},
    {"DXCC", FullQso, 5, "DL    "},
    {"Call", FullQso, 6, kCall},
    {"Selected", FullQso, 7, "1"},
    {"BandWagNrIntern", FullQso, 8, "e" + N(17)},
    {"BandCallMode", FullQso, 9, "e" + kCall + "CW    "},
    {"BandDXCC", FullQso, 10, "eDL    "},
    {"BandWagNrDescending", FullQso, 11, "e" + N(99999999 - 15)},
    {"BandWagNrInternDescending", FullQso, 12, "e" + N(99999999 - 17)},
    {"WagNummer", FullQso, 13, N(40)},
    {"BandDistrict", FullQso, 14, "eB"},
    {"BandSDOK", FullQso, 15, "eX"},
    {"DistrictSDOK", FullQso, 16, "BX"},
    {"BandSdTakesTheDistrict", FullQso, 17, "eB"},
    {"DokTextThreeAndTwo", FullQso, 18, "ABC12   "},
    {"CMulti", FullQso, 19, "DL1   "},
    {"Call2CutToSix", FullQso, 20, "123456"},
    {"BandDok", FullQso, 21, "eABC12   "},
    {"BandPrefix", FullQso, 22, "eDL1   "},
    {"BandLoc", FullQso, 23, "eJO62MM"},
    {"ModeClassModeNrDescending", FullQso, 24, "a" + N(99999999 - 3)},
    {"BandZone", FullQso, 25, "e14"},
    {"Zone", FullQso, 26, "14"},
    {"BandCall2", FullQso, 27, "e123456"},
    {"Prefix", FullQso, 28, "DL1   "},
    {"PlainCallSharesKey2", PlainCall, 2, kCall + DT()},
    {"PlainCallSharesKey6", PlainCall, 6, kCall},
    {"PlainCallSharesKey9", PlainCall, 9, "e" + kCall + "CW    "},
    {"EmptyLocKey3", NoLoc, 3, "      " + DT()},
    {"EmptyLocKey23", NoLoc, 23, "e      "},
    {"SdTakesSdokWithoutDistrict", NoDistrict, 17, "eX"},
    {"KeyZeroLeavesTheText", FullQso, 0, "unchanged"},
    {"Key29LeavesTheText", FullQso, 29, "unchanged"},
};
INSTANTIATE_TEST_SUITE_P(Pxlk, QsoKeys, ::testing::ValuesIn(kQsoKeyRows), RowName);

template <typename Rec>
std::string Key(void (*builder)(const std::uint8_t*, std::uint16_t, std::string&), const Rec& r,
                int key) {
  std::string text = "unchanged";
  builder(reinterpret_cast<const std::uint8_t*>(&r), static_cast<std::uint16_t>(key), text);
  return text;
}

TEST(CatalogueKeys, BuildTheirText) {
  TContestKKRec r{};
  r.Typ = 'W';
  r.Name = "WAG 2024";
  r.DatumVon = kDay;
  r.Nummer = 7;
  r.InArbeit = 1;
  const std::string name = "WAG 2024" + std::string(17, ' ');
  EXPECT_EQ(Key(KKKeyBuilder, r, 1), "W" + name);
  EXPECT_EQ(Key(KKKeyBuilder, r, 2), "W" + common::DateToKey(kDay, true));
  EXPECT_EQ(Key(KKKeyBuilder, r, 3), N(7));
  EXPECT_EQ(Key(KKKeyBuilder, r, 4), "\x01");
  EXPECT_EQ(Key(KKKeyBuilder, r, 5), name);
  EXPECT_EQ(Key(KKKeyBuilder, r, 6), "unchanged");
}

TEST(OneKeyFiles, ContestDataAndScratchLogKeyTheNumber) {
  TContestKZRec data{};
  data.Nummer = 7;
  EXPECT_EQ(Key(KZKeyBuilder, data, 1), N(7));
  EXPECT_EQ(Key(KZKeyBuilder, data, 2), "unchanged");
  const TContestLKRec qso = FullQso();
  EXPECT_EQ(Key(LKTempKeyBuilder, qso, 1), N(812));
  EXPECT_EQ(Key(LKTempKeyBuilder, qso, 2), "unchanged");
}

TEST(QvmkKeys, AreTheFirst18QsoKeysOfTheFirst215Bytes) {
  common::ScopedService<logbook::ToPrefix> prefix;
  common::ScopedService<logbook::ToModi> modes;
  TContestLKRec qso = FullQso();
  qso.NoPoints = 1;
  const TContestMKRec mk = qso;  // the first 215 bytes
  for (int key = 1; key <= kMKKeyCount; ++key) {
    EXPECT_EQ(Key(MKKeyBuilder, mk, key), Key(LKKeyBuilder, qso, key)) << key;
  }
  EXPECT_EQ(Key(MKKeyBuilder, mk, 19), "unchanged");
}

}  // namespace
}  // namespace contest
