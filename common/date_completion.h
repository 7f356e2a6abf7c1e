// Completion of partly typed dates and times in the date and time edit fields.
//
// The result is not validated here; reading it under its mask decides.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

// Completes a typed date to "dd.mm.yyyy": commas read as dots, the text is trimmed, and missing
// day, month or year parts come from `today` (a day number; its "dd.mm.yyyy" text). A typed
// two-digit year whose first digit is below '5' takes the century of today, otherwise 19.
// Examples (today 20.06.2024): "0" today; "7" 07.06.2024; "150" 15.01.2024; "1,5" 01.05.2024;
// "12.3.24" 12.03.2024; "1503202" 15.03.2024 (seven digits: day, month and the first three
// digits of the year, the last taken from today). A text of 11 or more characters, or one of
// a form not known, is returned as it stands (after the comma replacement and trimming).
std::string CompleteDateText(std::string_view text, std::int32_t today);
// The same with today's local date from the clock.
std::string CompleteDateText(std::string_view text);

// Completes a typed time to "hh:mm": the text is trimmed; one of 11 or more characters is
// returned so; commas read as dots; "9.30" and "9:30" give "09:30", "0930" gives "09:30", "930"
// gives "09:30"; any other text is returned trimmed.
std::string CompleteTimeText(std::string_view text);

}  // namespace common
