// The texts of the QSO record services: output masks, column format texts, and stored dates and
// times turned into display text and back.
//
// Output mask (GetQSOStr) and column format (ColumnFormatText) share their rules; the value is
// trimmed first when it has more than one character, and the first rule that applies gives the
// text:
//   1. empty: the value;
//   2. "BAND": the band name of the value read as a frequency (ToBaender::Freq2Name, text kind 4:
//      "???" outside every band);
//   3. only '9', ',' and '.': a number picture ('9' a digit place '#', every other character ',',
//      the last separator the decimal one), the value read as a number, formatted and trimmed;
//   4. holding "QRB": the text after it is a locator L; the distance from L to the value, with 5
//      places, no decimals and ',' as decimal character, when both are 6 characters and QRB
//      computes; else empty. Caller tags: "GetQSOStr" and "getqsoa2000";
//   5. "-n" (a leading '-', no second one): the value from character n on;
//   6. "x-n-" (a second '-' after the first): character n alone; one '-' not at the start: the
//      first n characters, where n is the number BEFORE the '-' for an output mask ("3-": 3
//      characters) and the number AFTER it for a column format ("2-5": 5 characters);
//      n is 1..255, else the rules below apply;
//   7. holding a blank: the value's characters laid into the non-blank places of the mask,
//      blanks kept, stopping at the first place for which no character is left;
//   8. otherwise "hhmm" removes one ':' ("hhmmss" two, output masks only) and the text is cut to
//      the mask's length (so a column format "3-" gives 2 characters).
//
// Stored dates and times, by the field-list entry's type character:
//   'D'  stored "YYYYMMDD", or "YYMMDD" (a 6-wide field, or a 6-character text); shown with the
//        format ("dd.mm.yyyy" when empty); any other length or a bad date shows empty;
//   'd'  stored under the entry's picture, which may be an example date (DatePictureOf);
//   'T', 't'  stored under the entry's picture (an example "01:23", "1:23", "0123", a time
//        picture, or none), shown with the format ("hh:mm" when empty); a text that is no time
//        shows empty.
// StoredFieldText turns a typed value ("dd.mm.yyyy", "hh:mm") into the stored form; a value that
// cannot be read is stored as typed, so nothing typed is lost. Other type characters are plain
// text and keep their value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logbook/databases/project_record.h"

namespace logbook {

std::string GetQSOStr(std::string_view value, std::string_view mask);
std::string ColumnFormatText(std::string_view value, std::string_view format);

// The picture a stored date picture stands for: one of the 17 example dates ("1.2.99",
// "19990201", ...) names its picture, and for the examples with one-digit parts a blank is put
// in front of each one-digit part of a stored text before it is read; any other picture is used
// as it stands. Dates are written with the picture in lower case, so with leading zeros, as the
// examples show them.
struct DatePicture {
  std::string picture;
  bool blanks_put_in = false;
};
DatePicture DatePictureOf(std::string_view stored_picture);

// A stored date of a 'D' or 'd' field shown with the format (empty: "dd.mm.yyyy").
std::string StoredDateText(std::string_view stored, const TFieldListEntry& field,
                           std::string_view format);
// A stored time of a 'T' or 't' field shown with the format (empty: "hh:mm").
std::string StoredTimeText(std::string_view stored, const TFieldListEntry& field,
                           std::string_view format);
// The display text of a stored field of any type: dates and times as above, other types through
// the output mask (an empty format leaves them as stored).
std::string StoredFieldDisplay(std::string_view stored, const TFieldListEntry& field,
                               std::string_view format);

// The stored form of a typed value for the field (see above).
std::string StoredFieldText(std::string_view value, const TFieldListEntry& field);

// The program's time mask (ToDates::DefaultTimeMask; "hh:mm:ss" without the service) and the
// date routines' style.
std::string ProgramTimeMask();
std::string DateText(std::int32_t date, std::string_view mask);
std::string TimeText(std::int32_t time, std::string_view mask);

}  // namespace logbook
