// The logbook QSO records: the 6-byte real, the 293-byte record's fields and where a field of the
// data area lies in each layout kind, damaged records included.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "logbook/databases/qso_record.h"

namespace logbook {
namespace {

std::vector<int> Bytes(const Real48& r) { return {r.bytes, r.bytes + 6}; }

TEST(Real48, KnownValuesAndTheRangeOfTheType) {
  Real48 r;
  ASSERT_TRUE(r.set(1.0));
  EXPECT_EQ(Bytes(r), (std::vector<int>{129, 0, 0, 0, 0, 0}));
  ASSERT_TRUE(r.set(-3.5));  // -1.75 * 2^1
  EXPECT_EQ(Bytes(r), (std::vector<int>{130, 0, 0, 0, 0, 0x80 | 0x60}));
  EXPECT_EQ(r.get(), -3.5);
  ASSERT_TRUE(r.set(0.0));
  EXPECT_EQ(Bytes(r), (std::vector<int>(6, 0)));
  // Exponent 0 is 0 whatever the other bytes hold.
  r = Real48{{0, 0xFF, 0x12, 0x34, 0x56, 0xFF}};
  EXPECT_EQ(r.get(), 0.0);
  // Out of range, infinite or not a number: refused and the bytes kept.
  ASSERT_TRUE(r.set(14.074));
  const std::vector<int> before = Bytes(r);
  for (double bad : {1e39, -1e39, double(INFINITY), double(NAN)}) {
    EXPECT_FALSE(r.set(bad)) << bad;
    EXPECT_EQ(Bytes(r), before);
  }
  EXPECT_TRUE(r.set(1e-40));  // below the smallest value: 0
  EXPECT_EQ(r.get(), 0.0);
  EXPECT_TRUE(r.set(1.7e38));
  EXPECT_NEAR(r.get() / 1.7e38, 1.0, 1e-11);
}

TEST(Real48, RandomFrequenciesRoundTripWithinTheFraction) {
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> mhz(0.1357, 250000.0);
  Real48 r;
  for (int i = 0; i < 100000; ++i) {
    const double f = mhz(random);
    ASSERT_TRUE(r.set(f));
    ASSERT_LE(std::fabs(r.get() - f) / f, std::ldexp(1.0, -38)) << f;
  }
}

TEST(Qso293, FieldsByExternalNumber) {
  TQSO293Rec r;
  const Qso293Field* call = Qso293FieldOf(1);
  ASSERT_NE(call, nullptr);
  SetQso293Text(r, *call, "DL1ABC/PORTABLE");
  EXPECT_EQ(r.call.str(), "DL1ABC/PORTABL");  // capacity 14
  SetQso293Text(r, *Qso293FieldOf(53), "Cook County");
  EXPECT_EQ(reinterpret_cast<const char*>(&r)[258], 6);  // the county at 258, cut to 6
  EXPECT_EQ(Qso293Text(r, *Qso293FieldOf(53)), "Cook C");
  SetQso293Text(r, *Qso293FieldOf(22), "Yes");
  EXPECT_EQ(r.qsl_rcvd, 'Y');
  SetQso293Text(r, *Qso293FieldOf(22), "");
  EXPECT_EQ(Qso293Text(r, *Qso293FieldOf(22)), "");
  SetQso293Number(r, *Qso293FieldOf(2), 154000);
  EXPECT_EQ(r.date, 154000);
  ASSERT_TRUE(SetQso293Real(r, *Qso293FieldOf(4), 14.025));
  EXPECT_NEAR(Qso293Real(r, *Qso293FieldOf(4)), 14.025, 1e-10);
  EXPECT_FALSE(SetQso293Real(r, *Qso293FieldOf(1), 1.0));  // not a real field
  for (int none : {0, 9, 25, 33, 43, 44, 45, 47, 48, 49, 54}) {
    EXPECT_EQ(Qso293FieldOf(none), nullptr) << none;
  }
}

// --- the locator ---

TProjectBlock Block(int layout, std::vector<int> widths) {
  TProjectBlock b;
  b.layout_kind = static_cast<std::uint8_t>(layout);
  for (std::size_t i = 0; i < widths.size(); ++i) {
    b.fields[i].width = static_cast<std::uint8_t>(widths[i]);
  }
  return b;
}

std::string Field(const TQSORec& r, const TProjectBlock& b, int n) {
  const auto span = LocateQsoField(r, b, n);
  return span ? QsoSpanText(r, *span) : "<none>";
}

TEST(QsoLocator, FixedWidthFieldsFollowTheWidthsBeforeThem) {
  const TProjectBlock b = Block(1, {14, 8, 8});
  TQSORec r;
  const std::string text = "DL1ABC        2023061512:34  ";
  text.copy(reinterpret_cast<char*>(&r) + 24, text.size());
  EXPECT_EQ(LocateQsoField(r, b, 3)->offset, 46);
  EXPECT_EQ(Field(r, b, 1), "DL1ABC        ");
  EXPECT_EQ(Field(r, b, 3), std::string("12:34  ") + '\0');
  EXPECT_EQ(Field(r, b, 0), "<none>");
  // A field list reaching beyond the record is cut at its end.
  TProjectBlock wide = Block(1, std::vector<int>(52, 255));
  const auto last = LocateQsoField(r, wide, 32);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->offset + last->length, 8023);
  EXPECT_FALSE(LocateQsoField(r, wide, 33).has_value());
}

TEST(QsoLocator, ShortStringSlicesEndWithTheString) {
  const TProjectBlock b = Block(3, {4, 3, 5});
  TQSORec r;
  r.data[0] = 9;
  std::string("DL1AJO3X ").copy(reinterpret_cast<char*>(r.data + 1), 9);
  EXPECT_EQ(Field(r, b, 2), "JO3");
  EXPECT_EQ(Field(r, b, 3), "X ");  // cut at the string's end
  r.data[0] = 7;
  EXPECT_EQ(Field(r, b, 3), "<none>");
}

// A layout-9 record from entries (kind, text); `used` -1: the entries' length.
TQSORec Tagged(const std::vector<std::pair<int, std::string>>& entries, int used = -1) {
  TQSORec r;
  int p = 0;
  for (const auto& [kind, text] : entries) {
    r.data[p] = static_cast<std::uint8_t>(text.size() + 2);
    r.data[p + 1] = static_cast<std::uint8_t>(kind);
    text.copy(reinterpret_cast<char*>(r.data + p + 2), text.size());
    p += static_cast<int>(text.size()) + 2;
  }
  r.used = used < 0 ? p : used;
  return r;
}

TEST(QsoLocator, TaggedEntriesBehindABrokenChainGiveNoText) {
  const TProjectBlock b = Block(9, {});
  const auto r = Tagged({{2, "DL1ABC"}, {1, "15.06.2023"}, {6, "JO31"}});
  EXPECT_EQ(Field(r, b, 1), "15.06.2023");
  EXPECT_EQ(Field(r, b, 6), "JO31");
  EXPECT_EQ(Field(r, b, 19), "<none>");
  // The used length ends inside the date entry: the date and what follows are gone.
  const auto short_used = Tagged({{2, "DL1ABC"}, {1, "15.06.2023"}, {6, "JO31"}}, 12);
  EXPECT_EQ(Field(short_used, b, 2), "DL1ABC");
  EXPECT_EQ(Field(short_used, b, 1), "<none>");
  EXPECT_EQ(Field(short_used, b, 6), "<none>");
  // An entry shorter than its head ends the walk.
  auto damaged = r;
  damaged.data[8] = 1;
  EXPECT_EQ(Field(damaged, b, 6), "<none>");
  // A chain that would run past position 8000, with a used length beyond the area.
  TQSORec full;
  for (int p = 0; p < 7990; p += 10) full.data[p] = 10, full.data[p + 1] = 2;
  full.data[7990] = 20, full.data[7991] = 44;
  full.used = 9000;
  EXPECT_EQ(Field(full, b, 44), "<none>");
}

TEST(QsoLocator, ChainedFieldsAndSeparatedTexts) {
  const TProjectBlock b = Block(6, {});
  TQSORec r;
  const std::string chain = std::string("\x06") + "DL1ABC" + std::string(1, 0) + "\x04" + "JO31";
  chain.copy(reinterpret_cast<char*>(r.data), chain.size());
  r.used = static_cast<std::uint32_t>(chain.size());
  EXPECT_EQ(Field(r, b, 1), "DL1ABC");
  EXPECT_EQ(Field(r, b, 2), "");
  EXPECT_EQ(Field(r, b, 3), "JO31");
  EXPECT_EQ(Field(r, b, 4), "<none>");
  r.used = 10;  // field 3 runs past the used length
  EXPECT_EQ(Field(r, b, 3), "<none>");

  TQSORec text;
  std::string("a;b;c;").copy(reinterpret_cast<char*>(text.data), 6);
  text.used = 6;
  EXPECT_EQ(SeparatedQsoText(text, 7), "a;b;c;");
  text.used = 256;  // refused, not read modulo 256
  EXPECT_EQ(SeparatedQsoText(text, 7), "");
  text.data[0] = 3;  // layout 2: a short string
  EXPECT_EQ(SeparatedQsoText(text, 2), ";b;");
  EXPECT_FALSE(LocateQsoField(text, Block(2, {5}), 1).has_value());
}

}  // namespace
}  // namespace logbook
