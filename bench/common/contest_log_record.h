// The realistic contest-log QSO record the storage benchmarks share, so that the engine, driver
// and rebuild figures describe the same workload: 216 bytes, five keys of 14, 9, 20, 5 and 8
// characters.
//
// OFFSET SIZE MEANING
//   0     4   free-chain link, 0 in a used record
//   4     4   QSO number (key 4; the driver's AUTOKEY field)
//   8    14   call (short string of 13)
//  22     1   band code
//  23     1   mode class
//  24     4   date (day number)
//  28     4   time (seconds of the day)
//  32    16   RST sent and received (short strings of 3)
//  40    22   exchange sent and received (short strings of 10)
//  62    14   locator and prefix (short strings of 6)
//  76     2   DXCC number
//  78     4   distance
//  82     2   points
//  84   132   rest of the record
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/short_string.h"
#include "storage/isam/engine.h"

namespace bench {

struct QsoRec {
  common::LeInt32 link;
  common::LeInt32 number;
  common::ShortString<13> call;
  char band;
  char mode;
  common::LeInt32 date;
  common::LeInt32 time;
  common::ShortString<3> rst_sent;
  common::ShortString<3> rst_received;
  common::ShortString<10> exchange_sent;
  common::ShortString<10> exchange_received;
  common::ShortString<6> locator;
  common::ShortString<6> prefix;
  common::LeInt16 dxcc;
  common::LeInt32 distance;
  common::LeInt16 points;
  std::uint8_t rest[216 - 84] = {};
};
static_assert(sizeof(QsoRec) == 216);

// call+band, band+date+time, prefix+call+mode, number (unique), locator+band+mode.
inline constexpr std::array<storage::KeySpec, 5> kQsoKeys{
    {{14, 1}, {9, 1}, {20, 1}, {5, 0}, {8, 1}}};
inline constexpr int kQsoNumberKey = 4;

inline std::string Padded(std::string_view text, std::size_t width) {
  std::string s(text.substr(0, width));
  s.resize(width, ' ');
  return s;
}

inline std::array<std::string, 5> QsoKeysOf(const QsoRec& r) {
  return {Padded(r.call.view(), 13) + r.band,
          r.band + common::DateToKey(r.date, true) + common::TimeToKey(r.time, true),
          Padded(r.prefix.view(), 6) + Padded(r.call.view(), 13) + r.mode,
          common::LongIntToKey(r.number), Padded(r.locator.view(), 6) + r.band + r.mode};
}

// The key-builder callback form (engine rebuild and driver): key 1..5 of a stored record.
inline void QsoKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  QsoRec r;
  std::memcpy(&r, record, sizeof r);
  text = key >= 1 && key <= 5 ? QsoKeysOf(r)[key - 1] : std::string();
}

inline std::string RandomLocator(std::mt19937& rng) {
  return {static_cast<char>('A' + rng() % 18), static_cast<char>('A' + rng() % 18),
          static_cast<char>('0' + rng() % 10), static_cast<char>('0' + rng() % 10),
          static_cast<char>('a' + rng() % 24), static_cast<char>('a' + rng() % 24)};
}

// A log of `count` QSOs numbered 1..count, the same for every run.
inline std::vector<QsoRec> MakeContestLog(int count) {
  static const char* kPrefixes[] = {"DL", "DK", "DJ", "DO", "OE", "HB9", "PA", "ON",
                                    "F",  "G",  "SP", "OK", "OM", "I",   "EA", "LY"};
  std::mt19937 rng(4711);
  std::vector<QsoRec> log(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    QsoRec& r = log[static_cast<std::size_t>(i)];
    const std::string prefix = kPrefixes[rng() % 16];
    std::string call = prefix + std::to_string(rng() % 10);
    for (int j = 0, n = 2 + static_cast<int>(rng() % 2); j < n; ++j)
      call += static_cast<char>('A' + rng() % 26);
    r.number = i + 1;
    r.call = call;
    r.band = "abcdefg"[rng() % 7];
    r.mode = "ab"[rng() % 2];
    r.date = 154000 + i / 5000;
    r.time = (i * 7) % 86400;
    r.rst_sent = "599";
    r.rst_received = "599";
    r.exchange_sent = std::to_string(i + 1);
    r.exchange_received = std::to_string(rng() % 2000);
    r.locator = RandomLocator(rng);
    r.prefix = prefix;
    r.dxcc = static_cast<std::int16_t>(rng() % 340);
  }
  return log;
}

}  // namespace bench
