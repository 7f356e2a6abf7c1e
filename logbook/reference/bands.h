// The band table: 23 amateur bands from 0.6 cm to 2190 m.
//
// `ToBaender` maps a frequency to its band code, a band code to its names and texts, a typed band
// text to its code or nominal frequency, and a frequency typed in kHz, MHz or as a wavelength to
// MHz. It holds nothing but the table and never fails: unknown input gives a blank code, "???",
// "-", an empty text or 0. Frequencies are in MHz. One object per process
// (common::Service<ToBaender>).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace logbook {

// One letter per band; kNoBand (blank) for no band, kAllBands ('0') for all bands.
using BandCode = char;
inline constexpr BandCode kNoBand = ' ';
inline constexpr BandCode kAllBands = '0';

struct BandRecord {
  BandCode code;
  std::string_view name;         // "2 m"
  std::string_view second_name;  // "2m"
  // Numbers under which the band may be typed as a wavelength; -1 = unused.
  std::array<double, 3> wavelengths;
  std::string_view key_text;                 // "144MHz" as in key fields; empty for four bands
  double nominal;                            // default frequency
  double lower_edge;                         // exclusive
  double upper_edge;                         // inclusive
  std::string_view third_text;               // column text ("2M", "47G")
  std::string_view fourth_text;              // frequency text ("144", "28000")
  std::array<std::string_view, 20> aliases;  // upper-case spellings; unused ones empty
};

class ToBaender {
 public:
  ToBaender();

  // The table's index range; every lookup walks it in this order.
  static constexpr int FirstIndex() { return 0; }
  static constexpr int LastIndex() { return 22; }
  // The record at an index of the range (the last one for an index outside it).
  const BandRecord& Record(int index) const;

  // The code of the first band with lower edge < f <= upper edge; kNoBand when none.
  BandCode Freq2Band(double frequency) const;
  // Name, or second name with the flag; "all" for kAllBands, "???" for an unknown code.
  std::string Band2Name(BandCode code, bool second_name) const;
  // Third text, or fourth text with the flag; "ALL" for kAllBands, "-" for an unknown code.
  std::string Band2Text(BandCode code, bool fourth_text) const;
  // Second name of the band whose key text equals `key`; empty when none or `key` is empty.
  std::string Key2Name(std::string_view key) const;

  // By alias (the text trimmed and upper-cased, compared exactly): the band code (kNoBand), its
  // nominal frequency (0) or that frequency as text with a decimal comma (empty) when none.
  BandCode Text2Band(std::string_view text) const;
  double Text2Freq(std::string_view text) const;
  std::string Text2FreqText(std::string_view text) const;

  // The band of a frequency as text of a kind: 0 the second name; from the trimmed name 1 its
  // first 5 characters right-aligned in 5, 2 without its first blank, first 4 right-aligned in
  // 4, 3 without blanks, 4 and above the name. Outside every band: 5 blanks for kind 1, 4 blanks
  // for kind 2, "???" for kind 4, an empty text otherwise.
  std::string Freq2Text(double frequency, int kind) const;
  // Freq2Text of a typed number (',' or '.' as decimal separator).
  std::string Freq2Name(std::string_view frequency_text, int kind) const;

  // Default frequency of a band for a mode class (a CW, b SSB, ...); 0 for an unknown band code.
  double BandMode2Freq(BandCode code, char mode_class) const;
  // Nominal frequency of the first band that has `number` as a wavelength; 0 when none or 0.
  double Wavelength2Freq(double number) const;
  // A frequency as the user typed it (MHz, kHz or a wavelength) in MHz. With `ten_is_30m` set,
  // 10 means the 30 m band rather than the 10 m wavelength.
  double CheckFreq(double typed, bool ten_is_30m) const;

 private:
  const BandRecord* Find(BandCode code) const;
  const BandRecord* FindAlias(std::string_view text) const;

  std::array<BandRecord, 23> records_;
};

}  // namespace logbook
