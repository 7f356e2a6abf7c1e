// What a log window starts with, decided from the contest definition and the log's catalogue
// record alone: the band a period in force asks for, the mode to start in, and the caption of an
// exchange field by its kind. No widget here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_table.h"

namespace contestlog {

// The contest code of the catalogue object's record.
char ContestCode(const contest::TdbContestBase& catalogue);

// Whether `mode` is one of the definition's modes.
bool HasMode(const contest::TContestRec& definition, std::string_view mode);
// The whole name of `mode` as the definition lists it ("DIGITAL" for the record's "DIGITA");
// `mode` trimmed when the definition has no mode that begins so.
std::string WholeModeName(const contest::TContestRec& definition, std::string_view mode);

// The band to start on when the log's band periods are in use: the first period in force at
// `today` (UTC day number) and `now` (UTC seconds of the day) — its date is today and now lies
// from its start to before its end, or its second date text is set and differs from its date —
// keeps `band` when it lists it, else gives its first band. `band` when no period is in force
// or the one in force lists no band.
char PeriodStartBand(const contest::TContestRec& definition, char band, std::int32_t today,
                     std::int32_t now);

// The mode to start in: the definition's first mode (6 characters at most), "SSB", "FM" or a
// digital mode ("PR", "FSK441", "DIGI" for "DIGITAL", "RTTY", the last the contest has winning)
// when the catalogue record chose it and the contest has it, else "CW" when none was chosen and
// the contest has it.
std::string StartMode(const contest::TContestRec& definition, const contest::TContestKKRec& log);

// The caption of exchange field `slot` (2, 3 or 4) by its received exchange kind: the kind's
// name ("lfd.Nr.", "DOK", "LOC", ...; the member numbers of kinds 16 and 19 named by the contest
// code `code`), replaced by the definition's own caption of the field when it has one. Empty when
// neither names it.
std::string ExchangeCaption(const contest::TContestRec& definition, char code, int slot);

}  // namespace contestlog
