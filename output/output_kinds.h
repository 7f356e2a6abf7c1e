// The output kinds of the output channel: what each writes, through which channel, under which
// file description and extension, and whether the written file opens in the file viewer.
//
//   kind  output                               channel   description                extension
//   viewer
//    0    summary sheet on paper               printer
//    1    (none)                               printer
//    2    multiplier check list on paper       printer
//    3    band list on paper                   printer
//    4    QSO list on paper                    printer
//    5    all paper parts in one print job     printer
//    6    E-Log summary sheet                  text      "E-Log - Deckblattdatei"   SUM  yes
//    7    E-Log QSO list                       text      "E-Log - Liste"            ALL  yes
//    8    STF file                             STF       "STF - Datei"              STF  yes
//    9    ADIF file                            ADIF      "ADIF - Datei"             ADI  no
//   10    Cabrillo file                        Cabrillo  "Cabrillo - Datei"         CBR  yes
//   11    E-Log band list                      text      "E-Log - Bandliste"        BND  no
//   12    E-Log complete file                  text      "E-Log - Gesamtdatei"      TXT  no
//   13    CSV file                             CSV       "CSV - Datei"              CSV  no
//   14    E-Log multiplier check list          text      "E-Log - Multicheckliste"  MUL  no
//   15    EDI file                             EDI       "EDI - Datei"              EDI  yes
//   16    (none)                               text
#pragma once

#include <cstdint>
#include <string_view>

namespace output {

enum class Channel : std::uint8_t {
  kPrinter = 0,
  kText = 1,  // E-Log text files: every line indented by five blanks
  kStf = 2,
  kAdif = 3,
  kCabrillo = 4,
  kCsv = 5,
  kEdi = 6,
};

struct OutputKind {
  int kind = 0;
  Channel channel = Channel::kPrinter;
  std::string_view description;  // empty for the printer kinds and 16
  std::string_view extension;    // without the dot
  bool shown_in_viewer = false;

  bool WritesFile() const { return !extension.empty(); }
};

inline constexpr int kLastOutputKind = 16;

// The kind's entry; nullptr outside 0..16.
const OutputKind* FindOutputKind(int kind);

// Whether a channel writes a file (every channel but the printer).
constexpr bool IsFileChannel(Channel channel) { return channel != Channel::kPrinter; }
// The channels whose lines are upper-cased.
constexpr bool IsUpperCaseChannel(Channel channel) {
  return channel == Channel::kStf || channel == Channel::kCabrillo;
}
// The channels whose fields are only trimmed, not fitted to their width.
constexpr bool IsTrimmingChannel(Channel channel) {
  return channel == Channel::kAdif || channel == Channel::kCsv;
}

}  // namespace output
