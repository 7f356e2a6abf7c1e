// The contest records: every field at its offset, and the key texts built from hand-made
// records, one row per key of each file and the cases where normalising, padding and the
// building blocks decide.
#include <gtest/gtest.h>

#include <cstddef>
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

// The offsets of the file formats; with the record sizes asserted in the headers they fix every
// field's width too.
struct At {
  std::size_t actual, expected;
};
template <std::size_t N>
constexpr bool AllAt(const At (&fields)[N]) {
  for (const At& f : fields) {
    if (f.actual != f.expected) return false;
  }
  return true;
}
#define AT(Rec, field, offset) \
  At { offsetof(Rec, field), offset }
using KK = TContestKKRec;
using KZ = TContestKZRec;
using MK = TContestMKRec;  // the QSO record without its last byte, NoPoints at 215
// clang-format off
constexpr At kCatalogue[] = {
    AT(KK, Nummer, 4), AT(KK, DatumVon, 8), AT(KK, DatumBis, 12), AT(KK, ZeitVon, 16),
    AT(KK, ZeitBis, 20), AT(KK, Name, 24), AT(KK, OwnLocator, 50), AT(KK, OwnDOK, 57),
    AT(KK, BandText, 64), AT(KK, Switch71, 71), AT(KK, Switch72, 72), AT(KK, TrxText, 73),
    AT(KK, PowerText, 104), AT(KK, AntennaText, 115), AT(KK, HeightAboveGround, 146),
    AT(KK, HeightAboveSea, 148), AT(KK, WorkedSquares, 150), AT(KK, WorkedCountries, 152),
    AT(KK, PointsPerQso, 154), AT(KK, ValidQsos, 156), AT(KK, OperatorNumber, 158),
    AT(KK, OwnCall, 166), AT(KK, PointsBase, 179),
    AT(KK, MemberText, 183), AT(KK, InArbeit, 190), AT(KK, Typ, 191), AT(KK, DatumAuto, 192),
    AT(KK, ZeitAuto, 193), AT(KK, Char194, 194), AT(KK, Switch195, 195), AT(KK, LineQsos, 196),
    AT(KK, LineMults, 206), AT(KK, LinePoints, 226), AT(KK, RstSentFree, 246),
    AT(KK, RstRcvdFree, 247), AT(KK, AutoSwitchesOff, 248), AT(KK, QslSentChar, 249),
    AT(KK, QslRcvdChar, 250), AT(KK, ClassIndex, 251), AT(KK, ModeSSB, 252), AT(KK, NoteTop, 253),
    AT(KK, NoteLeft, 255), AT(KK, NoteWidth, 257), AT(KK, NoteHeight, 259),
    AT(KK, LineMultTable1, 261), AT(KK, LineMultTable2, 281), AT(KK, ModeFM, 291),
    AT(KK, ModePR, 292), AT(KK, BandAuto, 293), AT(KK, OwnPostalCode, 294),
    AT(KK, MultiplierFlag, 300), AT(KK, GridColumnWidths, 301), AT(KK, Line6.Qsos, 341),
    AT(KK, Line6.Mults, 343), AT(KK, Line6.Points, 345), AT(KK, Line6.MultTableA, 349),
    AT(KK, Line6.MultTableB, 353),
    AT(KK, Line7.Qsos, 355), AT(KK, Line7.MultTableB, 367), AT(KK, LoaderSwitch, 369),
    AT(KK, OwnLDK, 370), AT(KK, PrefixMenu, 375)};
constexpr At kContestData[] = {
    AT(KZ, Nummer, 4), AT(KZ, SlotQsos, 8), AT(KZ, SlotMults, 408), AT(KZ, SlotPoints, 808),
    AT(KZ, SlotMultTable1, 1208), AT(KZ, SlotMultTable2, 1408), AT(KZ, SlotMultTable3, 1608),
    AT(KZ, RstsNichtSperren, 1808), AT(KZ, DoppelQsoEintragen, 1809)};
constexpr At kQso[] = {
    AT(MK, Nummer, 4), AT(MK, Call, 8), AT(MK, Loc, 21), AT(MK, Datum, 28), AT(MK, Zeit, 32),
    AT(MK, Mode, 36), AT(MK, SentExch14_20, 43), AT(MK, RcvdExch14_20, 51), AT(MK, Info, 59),
    AT(MK, Distance, 66), AT(MK, Prefix, 70), AT(MK, DXCC, 77), AT(MK, NameQth, 84),
    AT(MK, RcvdExch21_24, 110), AT(MK, sel, 115), AT(MK, WAZ_USStaat, 116), AT(MK, Continent, 122),
    AT(MK, DOK1, 125), AT(MK, Bandcode, 132), AT(MK, wagBandNr, 133), AT(MK, Points, 137),
    AT(MK, QslRcvd, 139), AT(MK, Call2, 140), AT(MK, CMulti, 153), AT(MK, wagBandNrIntern, 160),
    AT(MK, PrefixLock, 164), AT(MK, SkipMark, 165), AT(MK, wagNummer, 166), AT(MK, District, 170),
    AT(MK, SDOK, 171), AT(MK, WAEFlag, 172), AT(MK, SentExch1_9, 173), AT(MK, RcvdExch1_9, 183),
    AT(MK, QslSent, 193), AT(MK, DOK2, 194), AT(MK, RcvdExch10_11, 197), AT(MK, SentExch10_11, 200),
    AT(MK, Frequency, 203), AT(MK, RcvdExch12_13, 207), AT(MK, SentExch12_13, 210),
    AT(MK, ModeNr, 213)};
// clang-format on
static_assert(AllAt(kCatalogue) && AllAt(kContestData) && AllAt(kQso));

using common::testing::RowName;

constexpr std::int32_t kDay = 154321;
constexpr std::int32_t kTime = 45296;
std::string N(std::int32_t n) { return common::LongIntToKey(n); }
const std::string kDT = common::DateToKey(kDay, true) + common::TimeToKey(kTime, true);
const std::string kCall = "DL1ABC        ";

// Every key field set: portable call in lower case, DOK text "ABC" + "12", Call2 of 7.
TContestLKRec FullQso() {
  TContestLKRec r{};
  r.Nummer = 812;
  r.Call = "dl1abc/p";
  r.Loc = "JO62MM";
  r.Call2 = "1234567";
  r.Datum = kDay;
  r.Zeit = kTime;
  r.Mode = "CW";
  r.DXCC = "DL";
  r.Prefix = r.CMulti = "DL1";
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
  r.ModeNr = 3;
  return r;
}

struct KeyRow {
  const char* name;
  int key;
  std::string expected;
  void (*change)(TContestLKRec&) = nullptr;  // applied to FullQso()
};
void PrintTo(const KeyRow& row, std::ostream* os) { *os << row.name; }

template <typename Rec>
std::string Key(void (*builder)(const std::uint8_t*, std::uint16_t, std::string&), const Rec& r,
                int key) {
  std::string text = "unchanged";
  builder(reinterpret_cast<const std::uint8_t*>(&r), static_cast<std::uint16_t>(key), text);
  return text;
}

class QsoKeys : public ::testing::TestWithParam<KeyRow> {
 protected:
  common::ScopedService<logbook::ToPrefix> prefix_;
  common::ScopedService<logbook::ToModi> modes_;
};

TEST_P(QsoKeys, BuildTheirText) {
  TContestLKRec r = FullQso();
  if (GetParam().change != nullptr) GetParam().change(r);
  EXPECT_EQ(Key(LKKeyBuilder, r, GetParam().key), GetParam().expected);
  if (GetParam().key <= kMKKeyCount) {  // QVMK: the same keys of the first 215 bytes
    const TContestMKRec mk = r;
    EXPECT_EQ(Key(MKKeyBuilder, mk, GetParam().key), GetParam().expected);
  }
}

const KeyRow kQsoKeyRows[] = {
    {"DateTime", 1, kDT},
    {"CallDateTime", 2, kCall + kDT},
    {"LocDateTime", 3, "JO62MM" + kDT},
    {"Nummer", 4, N(812)},
    {"DXCC", 5, "DL    "},
    {"Call", 6, kCall},
    {"Selected", 7, "1"},
    {"BandWagNrIntern", 8, "e" + N(17)},
    {"BandCallMode", 9, "e" + kCall + "CW    "},
    {"BandDXCC", 10, "eDL    "},
    {"BandWagNrDescending", 11, "e" + N(99999999 - 15)},
    {"BandWagNrInternDescending", 12, "e" + N(99999999 - 17)},
    {"WagNummer", 13, N(40)},
    {"BandDistrict", 14, "eB"},
    {"BandSDOK", 15, "eX"},
    {"DistrictSDOK", 16, "BX"},
    {"BandSdTakesTheDistrict", 17, "eB"},
    {"DokTextThreeAndTwo", 18, "ABC12   "},
    {"CMulti", 19, "DL1   "},
    {"Call2CutToSix", 20, "123456"},
    {"BandDok", 21, "eABC12   "},
    {"BandPrefix", 22, "eDL1   "},
    {"BandLoc", 23, "eJO62MM"},
    {"ModeClassModeNrDescending", 24, "a" + N(99999999 - 3)},
    {"BandZone", 25, "e14"},
    {"Zone", 26, "14"},
    {"BandCall2", 27, "e123456"},
    {"Prefix", 28, "DL1   "},
    {"PlainCallSharesKey2", 2, kCall + kDT, [](TContestLKRec& r) { r.Call = "DL1ABC"; }},
    {"PlainCallSharesKey6", 6, kCall, [](TContestLKRec& r) { r.Call = "DL1ABC"; }},
    {"PlainCallSharesKey9", 9, "e" + kCall + "CW    ", [](TContestLKRec& r) { r.Call = "DL1ABC"; }},
    {"EmptyLocKey3", 3, "      " + kDT, [](TContestLKRec& r) { r.Loc = ""; }},
    {"EmptyLocKey23", 23, "e      ", [](TContestLKRec& r) { r.Loc = ""; }},
    {"SdTakesSdokWithoutDistrict", 17, "eX", [](TContestLKRec& r) { r.District = 0; }},
    {"KeyZeroLeavesTheText", 0, "unchanged"},
    {"Key29LeavesTheText", 29, "unchanged"},
};
INSTANTIATE_TEST_SUITE_P(Pxlk, QsoKeys, ::testing::ValuesIn(kQsoKeyRows), RowName);

TEST(QvmkKeys, EndAtKey18) { EXPECT_EQ(Key(MKKeyBuilder, TContestMKRec{}, 19), "unchanged"); }

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
  EXPECT_EQ(Key(LKTempKeyBuilder, FullQso(), 1), N(812));
  EXPECT_EQ(Key(LKTempKeyBuilder, FullQso(), 2), "unchanged");
}

}  // namespace
}  // namespace contest
