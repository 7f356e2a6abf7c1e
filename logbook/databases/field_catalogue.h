// The QSO field catalogue: the program's 55 standard QSO fields, numbered 1 to 55, each a QSO
// field descriptor (project_record.h) with its short name, description, widths, content kind and
// marks. A project that has no descriptor of its own for a field number uses the catalogue's.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "logbook/databases/project_record.h"

namespace logbook {

inline constexpr int kCatalogueSize = 55;
using FieldCatalogue = std::array<TQSOFieldDescriptor, kCatalogueSize>;

// Fills catalogue descriptors into `target` (entry 0 holds number 1): mode 0 all 55, mode n
// (1..55) number n only; any other mode changes nothing. Every variant gives numbers 48 to 50 in
// their reserved form ("res", "reserviert", kind 0, not in use).
void BuildFieldTable(int mode, FieldCatalogue& target, int variant);

// The catalogue as BuildFieldTable(0, ..., 3) gives it.
const FieldCatalogue& StandardCatalogue();
// Descriptor n of the catalogue (1..55); an all-zero descriptor for other numbers.
TQSOFieldDescriptor CatalogueDescriptor(int n);

// A short name into capacity 15 and a description into capacity 25, longer texts cut.
void CopyShortName(common::ShortString<15>& target, std::string_view name);
void CopyDescription(common::ShortString<25>& target, std::string_view description);

}  // namespace logbook
