// Projects and layout-9 QSOs for tests and benchmarks: project records, QSOs built from tagged
// entries, and random ones of about 300 bytes in 19 entries, from small lists so that keys repeat.
#pragma once

#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "logbook/databases/field_catalogue.h"
#include "logbook/databases/project_record.h"
#include "logbook/databases/qso_record.h"

namespace logbook::testing {

// A layout-9 QSO: tagged entries (content kind, text) from data position 1.
inline TQSORec TaggedQso(const std::vector<std::pair<int, std::string>>& entries) {
  TQSORec r{};
  int p = 0;
  for (const auto& [kind, text] : entries) {
    r.data[p] = static_cast<std::uint8_t>(text.size() + 2);
    r.data[p + 1] = static_cast<std::uint8_t>(kind);
    std::memcpy(r.data + p + 2, text.data(), text.size());
    p += static_cast<int>(text.size()) + 2;
  }
  r.used = static_cast<std::uint32_t>(p);
  return r;
}


// A project record of a layout kind with the catalogue's fields and the logbook file
// "LB600000.DAT".
inline TProjectRec ProjectOf(int layout, const std::string& tag = "PELORIN6") {
  TProjectRec r{};
  r.name = "Projekt";
  r.block.layout_kind = static_cast<std::uint8_t>(layout);
  r.block.version_tag = tag;
  r.block.logbook_file = "LB600000.DAT";
  // The project editor stores the descriptors of the fields a project offers.
  for (int n = 1; n <= 50; ++n) r.descriptors_1_to_50[n - 1] = CatalogueDescriptor(n);
  return r;
}
// A field-list entry.
inline void Field(TProjectRec& r, int slot, const std::string& name, int width) {
  r.block.fields[slot - 1].name = name;
  r.block.fields[slot - 1].width = static_cast<std::uint8_t>(width);
}


class RandomQsos {
 public:
  explicit RandomQsos(unsigned seed) : random_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <std::size_t N>
  const char* Any(const char* const (&list)[N]) {
    return list[static_cast<std::size_t>(Below(static_cast<int>(N)))];
  }
  static std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

  // (content kind, text) pairs.
  std::vector<std::pair<int, std::string>> Layout9Fields() {
    static const char* const kCalls[] = {"DL1ABC", "DL1ABC/P", "OE3XYZ", "F5AA",  "K1ABC",
                                         "JA1ZZ",  "DK9XX",    "G4ABC/M", "EA8AA", "VK2XY",
                                         "ZS6AB",  "PA/DL7ZZ"};
    static const char* const kModes[] = {"CW", "SSB", "FT8", "RTTY", "FM", "USB"};
    static const char* const kFrequencies[] = {"1.830",  "3.550",  "7.030",
                                               "14.250", "21.074", "144.300"};
    static const char* const kDxcc[] = {"DL", "OE", "F", "K", "JA", "G", "EA8", "VK"};
    static const char* const kQsl[] = {"", "J", "Y", "N", "L"};
    const std::string time = Two(Below(24)) + (Below(4) == 0 ? "" : ":") + Two(Below(60));
    return {{2, Any(kCalls)},
            {1, Two(1 + Below(28)) + "." + Two(1 + Below(12)) + ".20" + Two(10 + Below(15))},
            {44, time},
            {16, Any(kModes)},
            {18, Any(kFrequencies)},
            {3, Any(kDxcc)},
            {12, Any(kQsl)},
            {13, Any(kQsl)},
            {7, Below(3) == 0 ? "" : "B" + Two(Below(40))},
            {6, "JO" + Two(Below(100)) + "AB"},
            {30, "599"},
            {31, "5" + std::to_string(Below(10))},
            {19, std::string(static_cast<std::size_t>(1 + Below(20)), 'n')},
            {20, std::string(static_cast<std::size_t>(1 + Below(30)), 'q')},
            {29, std::string(static_cast<std::size_t>(Below(120)), 'r')},
            {10, Below(2) ? "EU-0" + Two(Below(99)) : ""},
            {69, Below(2) ? "L" + Two(Below(50)) : ""},
            {59, std::to_string(Below(1000))},
            {47, Below(2) ? "*" : ""}};
  }

 private:
  std::mt19937 random_;
};

}  // namespace logbook::testing
