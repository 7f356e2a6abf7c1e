// The key builders of the call tables: the key texts of each file's keys for one record.
//
// "PX5CALL", 19 keys, all with duplicates (tags of the call-data numbering; "to n": padded with
// blanks or cut to n characters):
//   1 "Call" 10: call to 10           2 "CD_DIG" 5: tag 1 to 5       3 "CD_AGCW" 5: tag 2 to 5
//   4 "CD_EXCALL" 10: tag 3 to 10     5 "CD_Kennung" 1: tag 4 to 1
//   6 "CD_MF" 5: tag 6 right-aligned in 5                            7 "CD_DOK" 3: tag 7 to 3
//   8..13 "CD_M1".."CD_M6" 10: tags 15..20 to 10                     14 "CD_LDK" 10: tag 21 to 10
//   15 "CD_GebDatum" 4: day and month of the birth date (BirthDateKey)
//   16..19 "CD_M7".."CD_M10" 10: tags 22..25 to 10
// "PX5CBUCH", 18 keys, all with duplicates (call-book numbering):
//   1 "cbCall" 10: call to 10         2 "CB_DIG" 6: tag 1 to 6       3 "CB_AGCW" 6: tag 2 to 6
//   4 "CB_EXCALL" 10: tag 3 to 10     5 "CB_NAME" 20: tag 4 to 20
//   6 "CB_MF" 4: tag 5 right-aligned in 4                7 "CB_DOK,cbCall" 18: tag 6 to 8 + call
//   8..13 "CB_M1".."CB_M6" 6: tags 8..13 to 6  14 "CB_LDK" 6: tag 14 to 6
//   15..18 "CB_M7".."CB_M10" 6: tags 32..35 to 6
// "PXCNOTE": 1 "cnCall" 10: call to 10. "PXCCL": 1 "Call" 14: call to 14.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "storage/driver/driver.h"
#include "storage/tables/table_keys.h"

namespace logbook {

inline constexpr int kCallDataKeys = 19;
inline constexpr int kCallBookKeys = 18;

// The builders in the driver's form; a key number they do not know leaves `text` alone.
void CallDataKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);
void CallBookKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);
void CallNoteKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);
void CallListKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);

// The key definitions of each file.
storage::ToKeys CallDataKeyList();
storage::ToKeys CallBookKeyList();
storage::ToKeys CallNoteKeyList();
storage::ToKeys CallListKeyList();

// The 4-character key of a birth date: day then month, two digits each ("1.5.", "01.5.",
// "1.05." and "01.05.1990" all give "0105"). "01.01.1600" and "2000" mean no date and give 4
// blanks; a text that holds no day and month of one or two digits before two points gives its
// characters 1-2 and 4-5 as they stand.
std::string BirthDateKey(std::string_view birth_date);

}  // namespace logbook
