#include "output/output_kinds.h"

#include <array>

namespace output {
namespace {

constexpr std::array<OutputKind, kLastOutputKind + 1> kKinds{{
    {0, Channel::kPrinter, "", "", false},
    {1, Channel::kPrinter, "", "", false},
    {2, Channel::kPrinter, "", "", false},
    {3, Channel::kPrinter, "", "", false},
    {4, Channel::kPrinter, "", "", false},
    {5, Channel::kPrinter, "", "", false},
    {6, Channel::kText, "E-Log - Deckblattdatei", "SUM", true},
    {7, Channel::kText, "E-Log - Liste", "ALL", true},
    {8, Channel::kStf, "STF - Datei", "STF", true},
    {9, Channel::kAdif, "ADIF - Datei", "ADI", false},
    {10, Channel::kCabrillo, "Cabrillo - Datei", "CBR", true},
    {11, Channel::kText, "E-Log - Bandliste", "BND", false},
    {12, Channel::kText, "E-Log - Gesamtdatei", "TXT", false},
    {13, Channel::kCsv, "CSV - Datei", "CSV", false},
    {14, Channel::kText, "E-Log - Multicheckliste", "MUL", false},
    {15, Channel::kEdi, "EDI - Datei", "EDI", true},
    {16, Channel::kText, "", "", false},
}};

}  // namespace

const OutputKind* FindOutputKind(int kind) {
  if (kind < 0 || kind > kLastOutputKind) return nullptr;
  return &kKinds[static_cast<std::size_t>(kind)];
}

}  // namespace output
