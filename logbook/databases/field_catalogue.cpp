#include "logbook/databases/field_catalogue.h"

namespace logbook {
namespace {

struct CatalogueRow {
  const char* name;
  const char* description;
  std::uint8_t kind;
  std::uint8_t width;
  std::uint8_t fixed;
  std::uint8_t input;
  std::uint8_t mark1;
  std::uint8_t mark2;
  std::uint8_t internal;
};

// Numbers 1 to 55, in order.
constexpr CatalogueRow kRows[kCatalogueSize] = {
    {"Call", "Rufzeichen Gegenstation", 2, 14, 14, 14, 1, 0, 0},
    {"Datum", "Datum des QSO", 1, 8, 8, 10, 1, 0, 0},
    {"UTC", "Startzeit des QSO (UTC)", 44, 8, 0, 8, 1, 0, 0},
    {"End", "Endzeit des QSO (UTC)", 37, 8, 0, 8, 0, 0, 0},
    {"Mode", "Mode", 16, 6, 0, 6, 0, 0, 0},
    {"Freq1", "Frequenz 1", 18, 12, 0, 12, 1, 0, 0},
    {"Freq2", "Frequenz 2", 41, 12, 0, 12, 0, 0, 0},
    {"Locator", "Locator der Gegenstation", 6, 6, 6, 6, 1, 1, 0},
    {"RSTs", "RST gesendet", 30, 3, 0, 10, 0, 0, 0},
    {"RSTr", "RST empfangen", 31, 3, 0, 10, 0, 0, 0},
    {"Name", "Name des QSO-Partners", 19, 5, 0, 255, 0, 0, 0},
    {"QTH", "QTH des QSO-Partners", 20, 5, 0, 255, 0, 0, 0},
    {"QSLs", "QSL senden", 13, 1, 0, 1, 0, 0, 0},
    {"QSLr", "QSL empfangen", 12, 1, 0, 1, 0, 0, 0},
    {"DXCC", "DXCC-Prefix QSO-Partner", 3, 6, 6, 6, 0, 1, 0},
    {"DOK", "DOK / Gebiete 1", 7, 8, 8, 8, 1, 0, 0},
    {"IOTA", "IOTA-Nummer", 10, 6, 6, 6, 0, 1, 0},
    {"WAZ", "CQ-Zone QSO-Partner", 4, 2, 2, 2, 0, 1, 0},
    {"ITU", "ITU-Zone QSO-Partner", 21, 2, 2, 2, 0, 1, 0},
    {"Kontinent", "Kontinent QSO-Partner", 5, 2, 2, 2, 0, 1, 0},
    {"US-State", "US-Staat QSO-Partner", 8, 2, 2, 2, 0, 1, 0},
    {"US-County", "US-County QSO-Partner", 9, 10, 10, 27, 0, 1, 0},
    {"WAE", "WAE QSO-Partner", 11, 6, 6, 6, 0, 1, 0},
    {"SAT", "Satellit", 35, 6, 6, 255, 0, 0, 0},
    {"QSLvia", "QSL via", 36, 7, 7, 14, 0, 0, 0},
    {"Nummer", "Nummer des QSO", 59, 8, 8, 8, 1, 0, 0},
    {"Remarks", "Anmerkungen zum QSO", 29, 10, 0, 255, 0, 0, 0},
    {"Lognotiz", "weitere QSO-Notizen", 66, 10, 0, 255, 0, 0, 0},
    {"RST WKD", "RST 2.QSO-Partner (SWL)", 48, 3, 0, 10, 0, 0, 0},
    {"WKD", "Call 2.QSO-Partner (SWL)", 45, 14, 14, 14, 0, 0, 0},
    {"Eig.Loc", "eigene Locator", 42, 6, 0, 6, 0, 0, 0},
    {"Eig.PWR", "Eigene Power (Watt)", 32, 10, 0, 10, 0, 0, 0},
    {"Eig.Ant", "Eigene Antenne", 33, 10, 0, 255, 0, 0, 0},
    {"Eig.TRX", "Eigene Station", 34, 10, 0, 255, 0, 0, 0},
    {"Special", "keine Inhaltsvorgabe", 38, 8, 6, 255, 0, 1, 0},
    {"L 1", "keine Inhaltsvorgabe", 60, 10, 6, 255, 0, 0, 0},
    {"L 2", "keine Inhaltsvorgabe", 61, 10, 6, 255, 0, 0, 0},
    {"L 3", "keine Inhaltsvorgabe", 62, 10, 6, 255, 0, 0, 0},
    {"L 4", "keine Inhaltsvorgabe", 63, 10, 6, 255, 0, 0, 0},
    {"L 5", "keine Inhaltsvorgabe", 64, 10, 6, 255, 0, 0, 0},
    {"L 6", "keine Inhaltsvorgabe", 65, 10, 6, 255, 0, 0, 0},
    {"LDK", "LDK / Gebiete 2", 69, 10, 6, 10, 0, 0, 0},
    {"KM", "Entfernung", 68, 6, 6, 255, 0, 0, 0},
    {"LCZus", "Feld wird intern genutzt.", 46, 6, 6, 6, 1, 0, 1},
    {"LocPref", "Feld wird intern genutzt.", 49, 0, 0, 6, 1, 0, 1},
    {"Selektiert", "Feld wird intern genutzt", 47, 1, 1, 1, 1, 0, 1},
    {"FESTDXCC", "Feld wird intern genutzt", 22, 1, 0, 1, 1, 0, 1},
    {"res", "reserviert", 0, 0, 0, 0, 1, 0, 1},
    {"res", "reserviert", 0, 0, 0, 0, 1, 0, 1},
    {"res", "reserviert", 0, 0, 0, 0, 1, 0, 1},
    {"L 7", "keine Inhaltsvorgabe", 75, 10, 6, 255, 0, 0, 0},
    {"L 8", "keine Inhaltsvorgabe", 76, 10, 6, 255, 0, 0, 0},
    {"L 9", "keine Inhaltsvorgabe", 77, 10, 6, 255, 0, 0, 0},
    {"L 10", "keine Inhaltsvorgabe", 78, 10, 6, 255, 0, 0, 0},
    {"Datum ESC", "Datum des QSO", 83, 8, 8, 10, 1, 0, 0},
};

bool Reserved(int n) { return n >= 48 && n <= 50; }

TQSOFieldDescriptor Descriptor(int n) {
  const CatalogueRow& row = kRows[n - 1];
  TQSOFieldDescriptor d;
  d.in_use = Reserved(n) ? 0 : 1;
  d.fixed_length = row.fixed;
  d.width = row.width;
  CopyShortName(d.short_name, row.name);
  CopyDescription(d.description, row.description);
  d.kind = row.kind;
  d.mark1 = row.mark1;
  d.input_length = row.input;
  d.mark2 = row.mark2;
  d.internal = row.internal;
  return d;
}

}  // namespace

void CopyShortName(common::ShortString<15>& target, std::string_view name) { target = name; }

void CopyDescription(common::ShortString<25>& target, std::string_view description) {
  target = description;
}

void BuildFieldTable(int mode, FieldCatalogue& target, int /*variant*/) {
  if (mode == 0) {
    for (int n = 1; n <= kCatalogueSize; ++n) target[static_cast<std::size_t>(n - 1)] = Descriptor(n);
  } else if (mode >= 1 && mode <= kCatalogueSize) {
    target[static_cast<std::size_t>(mode - 1)] = Descriptor(mode);
  }
}

const FieldCatalogue& StandardCatalogue() {
  static const FieldCatalogue catalogue = [] {
    FieldCatalogue c;
    BuildFieldTable(0, c, 3);
    return c;
  }();
  return catalogue;
}

TQSOFieldDescriptor CatalogueDescriptor(int n) {
  if (n < 1 || n > kCatalogueSize) return {};
  return StandardCatalogue()[static_cast<std::size_t>(n - 1)];
}

}  // namespace logbook
