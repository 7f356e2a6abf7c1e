// The contest logs of the STF, ADIF and EDI files beyond those the other outputs share
// (fixture_logs.h): two-part exchanges, the Christmas contest's points columns, WAG in both
// column orders, the equipment lines of OQRP and MSSprint, a party without multipliers or
// score, the Telegraphy contest's LDK and two VHF logs. Each holds a QSY marker and the tallies
// a recalculation would store. Call inside an OutputLogTest.
#pragma once

#include <string>

#include "common/dates.h"
#include "tests/output/fixture_logs.h"

namespace output_test {

// A QSO with the fields only some of these files read.
inline contest::TContestLKRec WithVhf(contest::TContestLKRec q, std::uint32_t distance,
                                      const char* dok2 = "") {
  q.Distance = distance;
  q.DOK2 = dok2;
  return q;
}

// 'J' class 1: DOK, DXCC and locator; two-part exchanges both ways. The wide layout; totals:
// 4 QSOs, 5 multipliers, 8 points; slot tallies 2, 2, 1.
inline LogBuilder TwoPartLog() {
  LogBuilder b('J', 1);
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 2, 3, 4, 1, 1, 1}, {2, 2, 2, 4, 1, 1, 0}});
  b.Add(QsoOf({"DL2XYZ", 'b', At(8, 0), "SSB", "59 B36/JO62QM", "59 E01/JO53AB", 2}));
  b.AddQsy('c', kContestDay, At(8, 20));
  b.Add(QsoOf({"G4ABC", 'c', At(8, 30), "CW", "599B36/JO62QM", "599/IO91VL", 2}));
  b.Add(QsoOf({"DK5ZZ", 'c', At(9, 0), "CW", "599B36/JO62QM", "599Z12", 2}));
  b.Add(QsoOf({"DF1QQ", 'b', At(9, 10), "SSB", "59 B36/JO62QM", "59", 2}));
  return b;
}

// 'X' class 1, the German station DL1ABC: the DOK and prefix columns and the points at the end;
// a bare number of a German station is no exchange. The wide layout; totals: 3 QSOs,
// 4 multipliers, 4 points; slot tallies 1, 3, 0.
inline LogBuilder XmasPointsLog() {
  LogBuilder b('X', 1);
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 2, 3, 3, 1, 2, 0}, {2, 1, 1, 1, 0, 1, 0}});
  b.Add(QsoOf({"DL2XYZ", 'b', At(17, 0), "SSB", "59 001", "59 K01", 2, "K01", "DL2"}));
  b.Add(QsoOf({"OK1AB", 'b', At(17, 5), "SSB", "59 002", "59 015", 1, "", "OK1"}));
  b.AddQsy('c', kContestDay, At(17, 8));
  b.Add(QsoOf({"DA0XX", 'c', At(17, 10), "CW", "599003", "599007", 1, "", "DA0"}));
  return b;
}

// 'W' of a class, licensed on 01.02.1990: the DXCC column and the points; class 9 is the
// listener class. The wide layout; totals: 2 QSOs, 2 multipliers, 4 points; slot tallies 1, 1, 0.
inline LogBuilder WagLog(int class_index) {
  LogBuilder b('W', class_index);
  b.Catalogue().OperatorNumber = static_cast<std::uint32_t>(common::DMYToDate(1, 2, 1990));
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 1, 1, 3, 1, 0, 0}, {2, 1, 1, 1, 0, 1, 0}});
  b.Add(QsoOf({"OE1XYZ", 'b', At(15, 0), "CW", "599B36", "599001", 3, "OE", "", "OE", "EU",
               "DK7AA"}));
  b.AddQsy('c', kContestDay, At(15, 2));
  b.Add(QsoOf({"DL2XYZ", 'c', At(15, 5), "SSB", "59 B36", "59 K01", 1, "", "", "DL", "EU",
               "DK7AA"}));
  return b;
}

// 'b' class 2 (QRP) with its own transceiver (equipment kind 3). The wide layout; totals:
// 2 QSOs, 2 multipliers, 3 points; slot tallies 2, 0, 0.
inline LogBuilder OqrpLog() {
  LogBuilder b('b', 2);
  b.Catalogue().OperatorNumber = 3;
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 1, 1, 1, 1, 0, 0}, {2, 1, 1, 2, 1, 0, 0}});
  b.Add(QsoOf({"OK1ABC", 'b', At(14, 0), "CW", "579001QRP", "559011VLP", 1, "", "", "OK"}));
  b.AddQsy('c', kContestDay, At(14, 30));
  b.Add(QsoOf({"DL2XYZ", 'c', At(14, 40), "CW", "579002QRP", "599003MP", 2, "", "", "DL"}));
  return b;
}

// 'j' class 1: locators, no multiplier kinds. The wide layout; totals: 2 QSOs, 0 multipliers,
// 2 points.
inline LogBuilder SprintLog() {
  LogBuilder b('j', 1);
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 2, 0, 2, 0, 0, 0}});
  b.Add(QsoOf({"DL2XYZ", 'k', At(19, 0), "FSK441", "26 JO62QM", "27 JO31AB", 1}));
  b.AddQsy('k', kContestDay, At(19, 3));
  b.Add(QsoOf({"OZ1ABC", 'k', At(19, 10), "CW", "599JO62QM", "579JO65FR", 1}));
  return b;
}

// 'P' class 1: points only, no multiplier kinds. The wide layout; totals: 2 QSOs,
// 0 multipliers, 2 points.
inline LogBuilder PartyLog() {
  LogBuilder b('P', 1);
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 1, 0, 1, 0, 0, 0}, {6, 1, 0, 1, 0, 0, 0}});
  b.Add(QsoOf({"DL2XYZ", 'b', At(9, 0), "CW", "599001", "599004", 1}));
  b.AddQsy('k', kContestDay, At(9, 3));
  b.Add(QsoOf({"DK3QQ", 'k', At(9, 15), "FM", "59 002", "59 011", 1}));
  return b;
}

// 'A' class 1: the received LDK, no multiplier kinds. The wide layout; totals: 2 QSOs,
// 0 multipliers, 2 points.
inline LogBuilder TelegraphyLog() {
  LogBuilder b('A', 1);
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 2, 0, 2, 0, 0, 0}});
  b.Add(QsoOf({"DL2XYZ", 'b', At(7, 0), "CW", "599", "599BLN", 1, "", "", "DL"}));
  b.AddQsy('c', kContestDay, At(7, 1));
  b.Add(QsoOf({"DK3QQ", 'b', At(7, 5), "CW", "599", "579HH", 1, "", "", "DL"}));
  return b;
}

// 'V' class 6 (VHF): what a logbook program takes from an ADIF record: frequencies, names and
// places, QSL marks, a packet QSO, serials with and without a locator after '/' and one with a
// decimal point. The wide layout; totals: 3 QSOs, 3 multipliers, 6 points.
inline LogBuilder LogbookLog() {
  LogBuilder b('V', 6);
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 2, 2, 3, 1, 1, 0}, {2, 1, 1, 3, 0, 1, 0}});
  contest::TContestLKRec q = QsoOf({"DL2XYZ", 'k', At(10, 0), "PR", "59 B36/JO62QM",
                                    "59 V01/JO53AB", 2, "", "", "DL", "EU", "", "V01", "JO53AB"});
  q.Frequency = 144.3f;
  q.NameQth = "J\xFCrgen;Hamburg";
  q.QslSent = 'J';
  q.QslRcvd = 'N';
  b.Add(q);
  b.AddQsy('l', kContestDay, At(10, 20), true);
  q = QsoOf({"OE3ABC", 'l', At(10, 30), "SSB", "59 B36/JO62QM", "59 001/JN88", 3, "", "", "OE",
             "EU"});
  q.Frequency = 432.2f;
  q.NameQth = "Fritz";
  q.QslSent = 'j';
  b.Add(q);
  b.Add(QsoOf({"K1ABC", 'k', At(10, 50), "FM", "59 B36/JO62QM", "59 12.5", 1, "", "", "K", "NA"}));
  return b;
}

// 'G' class 5 ("2m_CW_SSB") with its dates and transceiver: serials with a district letter
// after '/', one without, a mode that has no EDI code, distances (the longest twice), three
// squares and two entities, a QSO without locator or entity; the QSY marker holds leftovers.
// The wide layout; totals: 4 QSOs, 2 multipliers, 1018 points.
inline LogBuilder VhfLog() {
  LogBuilder b('G', 5);
  contest::TContestKKRec& k = b.Catalogue();
  k.DatumVon = kContestDay;
  k.DatumBis = kContestDay + 1;
  k.TrxText = "IC-9700 100 W";
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 4, 2, 1018, 2, 0, 0}});
  b.Add(WithVhf(QsoOf({"DL2XYZ", 'k', At(14, 0), "SSB", "59 001/F", "599012/B", 128, "", "", "DL",
                       "EU", "", "", "JO31AB"}),
                128));
  b.Add(WithVhf(QsoOf({"OK1KIR", 'k', At(14, 10), "CW", "599002/F", "599120/C", 445, "", "",
                       "OK", "EU", "", "", "JO70FD"}),
                445));
  b.AddQsy('k', kContestDay, At(14, 15), true);
  b.Add(WithVhf(QsoOf({"DK3QQ", 'k', At(14, 20), "USB", "59 003/F", "59 007", 445, "", "", "DL",
                       "EU", "", "", "JO40"}),
                445));
  b.Add(WithVhf(QsoOf({"DL7ZZ", 'k', At(14, 40), "FM", "59 004/F", "59 021/F", 0, "", "", "", "",
                       "", "", ""}),
                0));
  return b;
}

// 'e' class 1 ("Sektion A"), the own locator in the catalogue: the DOK field and the QSO points
// instead of distances, none of which is known. The wide layout; totals: 2 QSOs, 2 multipliers,
// 25 points.
inline LogBuilder NordLog() {
  LogBuilder b('e', 1);
  b.Catalogue().OwnLocator = "JO43XU";
  b.Catalogue().OwnDOK = "E03";
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 2, 2, 25, 1, 1, 0}});
  b.Add(WithVhf(QsoOf({"DL2XYZ", 'k', At(12, 5), "CW", "599001/JO43/E03", "599017/JO53/M", 12, "", "",
                       "DL", "EU", "", "M", "JO53AB"}),
                0, "12"));
  b.AddQsy('l', kContestDay, At(12, 6));
  b.Add(WithVhf(QsoOf({"DK3QQ", 'l', At(12, 30), "SSB", "59 002/JO43/E03", "59 009/JO54/E03", 13, "", "",
                       "DL", "EU", "", "E03", "JO54"}),
                0, ""));
  return b;
}

}  // namespace output_test
