// The byte layouts of the contest records: every field, filled to its full width, covers exactly
// its bytes of the file format.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <type_traits>

#include "contest/catalogue_record.h"
#include "contest/contest_data_record.h"
#include "contest/log_record.h"

namespace contest {
namespace {

// Fills a field with non-zero bytes over its whole width.
template <std::size_t N>
void Fill(common::ShortString<N>& s) {
  s = std::string(N, 'X');
}
template <typename T>
void Fill(common::LeField<T>& f) {
  f = static_cast<T>(-1);
}
void Fill(common::LeSingle& f) { f = 1.1f; }  // 0x3F8CCCCD: no zero byte
void Fill(std::uint8_t& b) { b = 0xFF; }
void Fill(char& c) { c = 'D'; }
template <typename T, std::size_t N>
void Fill(std::array<T, N>& a) {
  for (T& e : a) Fill(e);
}
void Fill(TEvalLineExtra& e) {
  Fill(e.Qsos);
  Fill(e.Mults);
  Fill(e.Points);
  Fill(e.MultTableA);
  Fill(e.MultTableB);
}

template <typename Rec>
struct Field {
  const char* name;
  int offset;
  int width;
  void (*fill)(Rec&);
};

#define FIELD(Rec, member, offset, width)                   \
  Field<Rec> {                                              \
#member, offset, width, [](Rec & r) { Fill(r.member); } \
  }

template <typename Rec, std::size_t N>
void ExpectLayout(const Field<Rec> (&fields)[N]) {
  for (const Field<Rec>& f : fields) {
    Rec r{};
    f.fill(r);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    int first = -1, last = -1;
    for (int i = 0; i < static_cast<int>(sizeof(Rec)); ++i) {
      if (bytes[i] == 0) continue;
      if (first < 0) first = i;
      last = i;
    }
    EXPECT_EQ(first, f.offset) << f.name;
    EXPECT_EQ(last - first + 1, f.width) << f.name;
  }
}

using KK = TContestKKRec;
constexpr Field<KK> kCatalogueFields[] = {FIELD(KK, Nummer, 4, 4),
                                          FIELD(KK, DatumVon, 8, 4),
                                          FIELD(KK, DatumBis, 12, 4),
                                          FIELD(KK, ZeitVon, 16, 4),
                                          FIELD(KK, ZeitBis, 20, 4),
                                          FIELD(KK, Name, 24, 26),
                                          FIELD(KK, OwnLocator, 50, 7),
                                          FIELD(KK, OwnDOK, 57, 7),
                                          FIELD(KK, Switch71, 71, 1),
                                          FIELD(KK, Switch72, 72, 1),
                                          FIELD(KK, OperatorNumber, 158, 4),
                                          FIELD(KK, OwnCall, 166, 13),
                                          FIELD(KK, MemberText, 183, 7),
                                          FIELD(KK, InArbeit, 190, 1),
                                          FIELD(KK, Typ, 191, 1),
                                          FIELD(KK, DatumAuto, 192, 1),
                                          FIELD(KK, ZeitAuto, 193, 1),
                                          FIELD(KK, Char194, 194, 1),
                                          FIELD(KK, Switch195, 195, 1),
                                          FIELD(KK, LineQsos, 196, 10),
                                          FIELD(KK, LineMults, 206, 10),
                                          FIELD(KK, LinePoints, 226, 20),
                                          FIELD(KK, FixedRstSent, 246, 1),
                                          FIELD(KK, FixedRstRcvd, 247, 1),
                                          FIELD(KK, AutoSwitchesOff, 248, 1),
                                          FIELD(KK, QslSentChar, 249, 1),
                                          FIELD(KK, QslRcvdChar, 250, 1),
                                          FIELD(KK, ClassIndex, 251, 1),
                                          FIELD(KK, ModeSSB, 252, 1),
                                          FIELD(KK, NoteTop, 253, 2),
                                          FIELD(KK, NoteLeft, 255, 2),
                                          FIELD(KK, NoteWidth, 257, 2),
                                          FIELD(KK, NoteHeight, 259, 2),
                                          FIELD(KK, LineMultTable1, 261, 10),
                                          FIELD(KK, LineMultTable2, 281, 10),
                                          FIELD(KK, ModeFM, 291, 1),
                                          FIELD(KK, ModePR, 292, 1),
                                          FIELD(KK, BandAuto, 293, 1),
                                          FIELD(KK, OwnPostalCode, 294, 6),
                                          FIELD(KK, MultiplierFlag, 300, 1),
                                          FIELD(KK, Line6, 341, 14),
                                          FIELD(KK, Line6.MultTableA, 349, 2),
                                          FIELD(KK, Line6.MultTableB, 353, 2),
                                          FIELD(KK, Line7, 355, 14),
                                          FIELD(KK, LoaderSwitch, 369, 1),
                                          FIELD(KK, OwnLDK, 370, 4),
                                          FIELD(KK, PrefixMenu, 375, 1)};

using KZ = TContestKZRec;
constexpr Field<KZ> kContestDataFields[] = {FIELD(KZ, Nummer, 4, 4),
                                            FIELD(KZ, SlotQsos, 8, 400),
                                            FIELD(KZ, SlotMults, 408, 400),
                                            FIELD(KZ, SlotPoints, 808, 400),
                                            FIELD(KZ, SlotMultTable1, 1208, 200),
                                            FIELD(KZ, SlotMultTable2, 1408, 200),
                                            FIELD(KZ, SlotMultTable3, 1608, 200),
                                            FIELD(KZ, RstsNichtSperren, 1808, 1),
                                            FIELD(KZ, DoppelQsoEintragen, 1809, 1)};

using LK = TContestLKRec;
constexpr Field<LK> kQsoFields[] = {FIELD(LK, Nummer, 4, 4),
                                    FIELD(LK, Call, 8, 13),
                                    FIELD(LK, Loc, 21, 7),
                                    FIELD(LK, Datum, 28, 4),
                                    FIELD(LK, Zeit, 32, 4),
                                    FIELD(LK, Mode, 36, 7),
                                    FIELD(LK, SentExch14_20, 43, 8),
                                    FIELD(LK, RcvdExch14_20, 51, 8),
                                    FIELD(LK, Info, 59, 7),
                                    FIELD(LK, Distance, 66, 4),
                                    FIELD(LK, Prefix, 70, 7),
                                    FIELD(LK, DXCC, 77, 7),
                                    FIELD(LK, NameQth, 84, 26),
                                    FIELD(LK, RcvdExch21_24, 110, 5),
                                    FIELD(LK, sel, 115, 1),
                                    FIELD(LK, WAZ_USStaat, 116, 3),
                                    FIELD(LK, Continent, 122, 3),
                                    FIELD(LK, DOK1, 125, 7),
                                    FIELD(LK, Bandcode, 132, 1),
                                    FIELD(LK, wagBandNr, 133, 4),
                                    FIELD(LK, Points, 137, 2),
                                    FIELD(LK, QslRcvd, 139, 1),
                                    FIELD(LK, Call2, 140, 13),
                                    FIELD(LK, CMulti, 153, 7),
                                    FIELD(LK, wagBandNrIntern, 160, 4),
                                    FIELD(LK, PrefixLock, 164, 1),
                                    FIELD(LK, SkipMark, 165, 1),
                                    FIELD(LK, wagNummer, 166, 4),
                                    FIELD(LK, District, 170, 1),
                                    FIELD(LK, SDOK, 171, 1),
                                    FIELD(LK, WAEFlag, 172, 1),
                                    FIELD(LK, SentExch1_9, 173, 10),
                                    FIELD(LK, RcvdExch1_9, 183, 10),
                                    FIELD(LK, QslSent, 193, 1),
                                    FIELD(LK, DOK2, 194, 3),
                                    FIELD(LK, RcvdExch10_11, 197, 3),
                                    FIELD(LK, SentExch10_11, 200, 3),
                                    FIELD(LK, Frequency, 203, 4),
                                    FIELD(LK, RcvdExch12_13, 207, 3),
                                    FIELD(LK, SentExch12_13, 210, 3),
                                    FIELD(LK, ModeNr, 213, 2),
                                    FIELD(LK, NoPoints, 215, 1)};

TEST(ContestRecords, EveryFieldCoversItsBytes) {
  ExpectLayout(kCatalogueFields);
  ExpectLayout(kContestDataFields);
  ExpectLayout(kQsoFields);
}

TEST(ContestRecords, FrequencyIsALittleEndianSingle) {
  TContestLKRec r{};
  r.Frequency = 14.025f;
  EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&r) + 203, "\x66\x66\x60\x41", 4), 0);
  EXPECT_EQ(r.Frequency.get(), 14.025f);
}

}  // namespace
}  // namespace contest
