// The contest logs of the Cabrillo files beyond those the other outputs share (fixture_logs.h):
// the column template of 'a', the narrow columns of '1', the two-part exchanges of 'J' and the
// German stations' numbers of 'X'. Each holds a QSY marker and the tallies a recalculation would
// store. Call inside an OutputLogTest.
#pragma once

#include "tests/output/fixture_logs.h"

namespace output_test {

// 'a' class 5 (2 m): DOK multipliers, the narrow layout. Totals: 3 QSOs, 1 multiplier, 3 points.
inline LogBuilder NordrheinLog() {
  LogBuilder b('a', 5);
  contest::TContestKKRec& k = b.Catalogue();
  k.LoaderSwitch = 0;
  k.LineQsos[0] = 3;
  k.LineMults[0] = 1;
  k.LinePoints[0] = 3;
  b.Create();
  b.Add(QsoOf({"DL2XYZ", 'k', At(18, 5), "SSB", "59 B36", "59 K01", 1, "K01"}));
  b.AddQsy('k', kContestDay, At(18, 7));
  b.Add(QsoOf({"DK3AB", 'k', At(18, 10), "CW", "599B36", "599K01", 1}));
  b.Add(QsoOf({"ON4XX", 'k', At(18, 20), "USB", "59 B36", "59", 1}));
  return b;
}

// '1' class 1 (10 m): serial number and DOK, the wide layout. Totals: 3 QSOs, 3 multipliers,
// 2 points.
inline LogBuilder TenMetreLog() {
  LogBuilder b('1', 1);
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 3, 3, 2, 0, 0, 0}});
  b.Add(QsoOf({"DL2XYZ", 'i', At(9, 0), "CW", "599001/B36", "599015/K01", 1}));
  b.AddQsy('i', kContestDay, At(9, 2));
  b.Add(QsoOf({"EA3ABC", 'i', At(9, 5), "SSB", "59 002/B36", "59 120", 1}));
  b.Add(QsoOf({"DK1AA", 'i', At(9, 10), "CW", "599003/B36", "599/H05", 0}));
  return b;
}

// 'J' class 1: DOK and locator, the wide layout. Totals: 3 QSOs, 4 multipliers, 6 points.
inline LogBuilder HamburgLog() {
  LogBuilder b('J', 1);
  const std::int32_t log = b.Create();
  b.Add(QsoOf({"DL2XYZ", 'b', At(8, 0), "SSB", "59 B36/JO62QM", "59 E01/JO53AB", 2}));
  b.AddQsy('c', kContestDay, At(8, 20));
  b.Add(QsoOf({"G4ABC", 'c', At(8, 30), "CW", "599B36/JO62QM", "599/IO91VL", 2}));
  b.Add(QsoOf({"DK5ZZ", 'k', At(9, 0), "FM", "59 B36/JO62QM", "59 Z12", 2}));
  StoreWideTallies(log, {{1, 1, 2, 2, 0, 0, 0}, {2, 1, 1, 2, 0, 0, 0}, {3, 1, 1, 2, 0, 0, 0}});
  return b;
}

// 'X' class 1, written by the German station DL1ABC: a bare number of a German station is no
// exchange. The wide layout; totals: 4 QSOs, 3 multipliers, 4 points.
inline LogBuilder XmasLog() {
  LogBuilder b('X', 1);
  const std::int32_t log = b.Create();
  StoreWideTallies(log, {{1, 2, 2, 2, 0, 0, 0}, {2, 2, 1, 2, 0, 0, 0}});
  b.Add(QsoOf({"DL2XYZ", 'b', At(17, 0), "SSB", "59 B36", "59 K01", 1}));
  b.Add(QsoOf({"OK1AB", 'b', At(17, 5), "SSB", "59 B36", "59 015", 1}));
  b.AddQsy('c', kContestDay, At(17, 8));
  b.Add(QsoOf({"DA0XX", 'c', At(17, 10), "SSB", "59 B36", "59 007", 1}));
  b.Add(QsoOf({"DL9NN", 'c', At(17, 15), "SSB", "59 001", "59 Z99", 1}));
  return b;
}

}  // namespace output_test
