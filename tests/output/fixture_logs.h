// The contest logs the output tests write, each with a QSY marker among its QSOs, and with the
// tallies the log window's recalculation would have stored (set here by hand, consistent with
// the QSOs). Call inside an OutputLogTest (the builder needs its services).
#pragma once

#include <cstdint>
#include <string>

#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "tests/output/output_log_fixture.h"

namespace output_test {

// A QSO with its exchange texts and the fields the outputs read.
struct QsoSpec {
  const char* call;
  char band;
  std::int32_t time;
  const char* mode = "CW";
  const char* sent = "";
  const char* received = "";
  std::uint16_t points = 0;
  const char* cmulti = "";
  const char* info = "";  // the second multiplier text
  const char* dxcc = "";
  const char* continent = "";
  const char* call2 = "";
  const char* dok1 = "";
  const char* locator = "";
};

inline contest::TContestLKRec QsoOf(const QsoSpec& s, std::int32_t day = kContestDay) {
  contest::TContestLKRec q = Qso(s.call, s.band, day, s.time, s.mode);
  contest::TContestFkt::SetSentExchange(s.sent, q);
  contest::TContestFkt::SetRcvdExchange(s.received, q);
  q.Points = s.points;
  q.CMulti = s.cmulti;
  q.Info = s.info;
  q.DXCC = s.dxcc;
  q.Continent = s.continent;
  q.Call2 = s.call2;
  q.DOK1 = s.dok1;
  q.Loc = s.locator;
  return q;
}

// Stores per-slot tallies into the contest-data record of a log (the wide layout).
struct WideSlot {
  int slot;  // 1..100
  std::uint32_t qsos, multipliers, points;
  std::uint16_t tally1, tally2, tally3;
};
inline void StoreWideTallies(std::int32_t log, std::initializer_list<WideSlot> slots) {
  contest::TdbContest data(contest::kTableKZ, 0);
  ASSERT_TRUE(data.FindByNummer(log));
  contest::TContestKZRec record{};
  data.GetKZRec(record);
  for (const WideSlot& s : slots) {
    const auto i = static_cast<std::size_t>(s.slot - 1);
    record.SlotQsos[i] = s.qsos;
    record.SlotMults[i] = s.multipliers;
    record.SlotPoints[i] = s.points;
    record.SlotMultTable1[i] = s.tally1;
    record.SlotMultTable2[i] = s.tally2;
    record.SlotMultTable3[i] = s.tally3;
  }
  data.SetKZRec(record);
  ASSERT_TRUE(data.UpdateRec());
}

// '.' class 5 ("andere Station CW"): DXCC and call multipliers counted over all bands, the
// narrow layout. Totals: 4 QSOs, 3 multipliers (DL0DOM is no event station), 10 points; slot
// tallies 0, 3, 0.
inline LogBuilder DotClass5Log() {
  LogBuilder b('.', 5);
  contest::TContestKKRec& k = b.Catalogue();
  k.LoaderSwitch = 0;
  k.LineQsos[0] = 2;
  k.LinePoints[0] = 4;
  k.LineQsos[1] = 1;
  k.LinePoints[1] = 3;
  k.LineQsos[2] = 1;
  k.LinePoints[2] = 3;
  k.LineMults[0] = 3;
  k.LineMultTable2[0] = 3;
  b.Create();
  b.Add(QsoOf({"DL2XYZ", 'b', At(10, 0), "CW", "59942", "59917", 1, "", "DL", "DL", "EU"}));
  b.Add(QsoOf({"OE1XYZ", 'c', At(10, 5), "CW", "59942", "5995", 3, "", "OE", "OE", "EU"}));
  b.AddQsy('e', kContestDay, At(10, 6), true);
  b.Add(QsoOf({"DL0DOM", 'e', At(10, 10), "CW", "59942", "599123", 3, "", "DL", "DL", "EU",
               "DL0DOM"}));
  b.Add(QsoOf({"K1ABC", 'b', At(10, 20), "CW", "59942", "59970", 3, "", "K", "K", "NA"}));
  return b;
}

// 'R' class 1 (2 m): DOK and call multipliers per band, the wide layout. Totals: 3 QSOs,
// 4 multipliers, 45 points; slot tallies 3, 1, 0.
inline LogBuilder RheinlandLog() {
  LogBuilder b('R', 1);
  const std::int32_t log = b.Create();
  b.Add(QsoOf({"DL2XYZ", 'k', At(16, 5), "FM", "59 B36", "59 K01", 15, "K01", "", "DL", "EU",
               "", "K01"}));
  b.Add(QsoOf({"DK3AB", 'k', At(16, 10), "FM", "59 B36", "59 K56", 20, "K56", "DK3AB", "DL",
               "EU", "", "K56"}));
  b.AddQsy('l', kContestDay, At(16, 20));
  b.Add(QsoOf({"DL7ZZ", 'k', At(16, 30), "FM", "59 B36", "59 A01", 10, "A01", "", "DL", "EU",
               "", "A01"}));
  StoreWideTallies(log, {{1, 3, 4, 45, 3, 1, 0}});
  return b;
}

// 'V' class 9 ("S:KW, SWLs"), a listener log: DOK and DXCC per band, the narrow layout. Totals:
// 2 QSOs, 3 multipliers, 4 points; slot tallies 1, 2, 0.
inline LogBuilder ListenerLog() {
  LogBuilder b('V', 9);
  contest::TContestKKRec& k = b.Catalogue();
  k.LoaderSwitch = 0;
  k.LineQsos[0] = 1;
  k.LineMults[0] = 2;
  k.LinePoints[0] = 1;
  k.LineMultTable1[0] = 1;
  k.LineMultTable2[0] = 1;
  k.LineQsos[1] = 1;
  k.LineMults[1] = 1;
  k.LinePoints[1] = 3;
  k.LineMultTable2[1] = 1;
  b.Create();
  b.Add(QsoOf({"DL2XYZ", 'a', At(13, 5), "SSB", "59 X01", "59 B01", 1, "B01", "DL", "DL", "EU",
               "DK9XX", "B01"}));
  b.AddQsy('b', kContestDay, At(13, 20));
  b.Add(QsoOf({"OE3ABC", 'b', At(13, 30), "CW", "599C12", "599", 3, "", "OE", "OE", "EU",
               "DL5QQ"}));
  return b;
}

// 'i' class 1: Naval members over all bands, the wide layout (all-bands counts in slot 1).
// Totals: 3 QSOs, 2 multipliers, 11 points; slot tallies 2, 0, 0.
inline LogBuilder NavalLog() {
  LogBuilder b('i', 1);
  const std::int32_t log = b.Create();
  b.Add(QsoOf({"DL2XYZ", 'b', At(16, 10), "CW", "5991234", "599567", 5, "567"}));
  b.AddQsy('c', kContestDay, At(16, 15));
  b.Add(QsoOf({"G3ABC", 'e', At(16, 20), "SSB", "59 1234", "59", 1}));
  b.Add(QsoOf({"DK1NAV", 'b', At(16, 40), "CW", "5991234", "599890", 5, "890"}));
  StoreWideTallies(log, {{1, 2, 2, 10, 2, 0, 0}, {3, 1, 0, 1, 0, 0, 0}});
  return b;
}

// '5' class 1: postcode areas scored by points alone, the narrow layout with the 2 m band in
// slot 6. Totals: 2 QSOs, 2 multipliers, 3 points; slot tallies 2, 0, 0.
inline LogBuilder FunkertagLog() {
  LogBuilder b('5', 1);
  contest::TContestKKRec& k = b.Catalogue();
  k.LoaderSwitch = 0;
  k.LineQsos[0] = 1;
  k.LinePoints[0] = 1;
  k.LineMults[0] = 2;
  k.LineMultTable1[0] = 2;
  k.Line6.Qsos = 1;
  k.Line6.Points = 2;
  b.Create();
  b.Add(QsoOf({"DL2XYZ", 'b', At(6, 10), "CW", "59912345", "59901234", 1, "01234"}));
  b.AddQsy('k', kContestDay, At(6, 50));
  b.Add(QsoOf({"DK3QQ", 'k', At(7, 0), "FM", "59 12345", "59 80331", 2, "80331"}));
  return b;
}

// A log of the older VHF layout (contest code 0): its station block in the catalogue record.
inline LogBuilder OlderVhfLog() {
  LogBuilder b(0, 1);
  contest::TContestKKRec& k = b.Catalogue();
  k.LoaderSwitch = 0;
  k.BandText = "2m";
  k.Switch71 = 255;
  k.Switch72 = 1;
  k.TrxText = "IC-9700";
  k.PowerText = "100 W";
  k.AntennaText = "9 el. Yagi";
  k.HeightAboveGround = 12;
  k.HeightAboveSea = 48;
  k.WorkedSquares = 7;
  k.WorkedCountries = 3;
  k.PointsPerQso = 212;
  k.ValidQsos = 2;
  k.PointsBase = 425;
  b.Create();
  b.Add(QsoOf({"DL2XYZ", 'k', At(8, 0), "SSB", "59001", "59017", 380, "", "", "DL", "EU", "", "",
               "JO31AB"}));
  b.AddQsy('l', kContestDay, At(8, 10));
  b.Add(QsoOf({"OK1ABC", 'k', At(8, 30), "CW", "599002", "599033", 45, "", "", "OK", "EU", "",
               "", "JO70AA"}));
  return b;
}

// '.' class 1 without any QSO, only a QSY marker.
inline LogBuilder EmptyLog() {
  LogBuilder b('.', 1);
  b.Catalogue().LoaderSwitch = 0;
  b.Create();
  b.AddQsy('c', kContestDay, At(10, 0));
  return b;
}

}  // namespace output_test
