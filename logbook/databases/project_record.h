// The record of the project table "PX5PRO" and its parts: the project block, the entries of the
// field list and the QSO field descriptors (also the layout of the field catalogue, catalogue.h).
//
// Project record, TProjectRec, 14699 + extra length bytes (at most 54699):
//   OFFSET SIZE  MEANING
//   0      4     free-chain link, 0 in a used record
//   4      4     project number, 32-bit (the AUTOKEY number of key 1)
//   8      21    name, short string of 20
//   29     3073  project block (below)
//   3102   4     extra length, 32-bit, 0..40000: stored length = 14699 + this
//   3171   4     left position of the DXCC selection window, 32-bit (set when above 0)
//   3175   4     top position of the DXCC selection window, 32-bit
//   3237   1585  list block (stored and copied whole; byte 618 names column 6 "WKD")
//   4881   6000  the project's QSO field descriptors of slots 1 to 50, 120 bytes each
//   11231  256   remark, short string of 255 (its first 20 characters form key 4)
//   12926  1200  the project's QSO field descriptors of slots 51 to 60
//   other        reserved, zero
// A descriptor whose content kind byte is 0 stands for the catalogue's descriptor of its number.
//
// Project block, TProjectBlock, 3073 bytes (offsets within the block):
//   0      256   logbook file, short string of 255 ("LB600000.DAT")
//   268    33*52 field list, entry k at 268 + 33 * (k - 1)
//   1984   1     layout kind 0..9 (how a logbook QSO holds its fields, qso_record.h)
//   1985   52    key field list of the "LB5" files: byte k = field slot of key k + 1
//   2037   52    key field list of the "QSO" file, laid out the same way
//   2089   4     number of keys of the "QSO" file
//   2093   4     number of keys of the "LB5" files
//   2097   1     separator character of the separated-text layouts
//   2104   21    version tag, short string of 20 ("PELORIN6"; "PELORIN": 293-byte QSO records)
//   2125   4     first QSO counter      2129  4  second QSO counter
//   2357..3007   slot cells: the field slot of each content kind (TdbProject::FieldOfKind)
//
// Field-list entry, TFieldListEntry, 33 bytes: 0 name (short string of 11, the export name cut to
// 11: "TIME_ON", "OWN_GRIDSQU"); 12 type character ('D', 'd', 'T', 't' or other); 17 width in
// characters (also the width of a key on the field); 19 output mask (short string of 13).
//
// QSO field descriptor, TQSOFieldDescriptor, 120 bytes: 0 in use (1 a field, 0 a reserved slot);
// 1 fixed length in the program's own fixed layouts; 2 width; 3 short name (short string of 15);
// 19 description (short string of 25); 62 content kind 0..86; 63 first mark; 64 input length
// (255 free); 65 second mark; 66 internal (1: kept by the program, not offered to the user).
#pragma once

#include <cstdint>

#include "common/le_int.h"
#include "common/short_string.h"

namespace logbook {

struct TQSOFieldDescriptor {
  std::uint8_t in_use = 0;
  std::uint8_t fixed_length = 0;
  std::uint8_t width = 0;
  common::ShortString<15> short_name;
  common::ShortString<25> description;
  std::uint8_t reserved1[17] = {};
  std::uint8_t kind = 0;
  std::uint8_t mark1 = 0;
  std::uint8_t input_length = 0;
  std::uint8_t mark2 = 0;
  std::uint8_t internal = 0;
  std::uint8_t reserved2[53] = {};
};
static_assert(sizeof(TQSOFieldDescriptor) == 120);

struct TFieldListEntry {
  common::ShortString<11> name;
  char type = 0;
  std::uint8_t reserved1[4] = {};
  std::uint8_t width = 0;
  std::uint8_t reserved2 = 0;
  common::ShortString<13> mask;
};
static_assert(sizeof(TFieldListEntry) == 33);

inline constexpr int kFieldListEntries = 52;
inline constexpr int kSlotAreaOffset = 2133;  // block offset of the area holding the slot cells

struct TProjectBlock {
  common::ShortString<255> logbook_file;
  std::uint8_t reserved1[12] = {};
  TFieldListEntry fields[kFieldListEntries];
  std::uint8_t layout_kind = 0;
  std::uint8_t key_fields_lb5[52] = {};
  std::uint8_t key_fields_qso[52] = {};
  common::LeInt32 key_count_qso;
  common::LeInt32 key_count_lb5;
  char separator = 0;
  std::uint8_t reserved2[6] = {};
  common::ShortString<20> version_tag;
  common::LeInt32 qso_counter1;
  common::LeInt32 qso_counter2;
  std::uint8_t slot_area[3073 - kSlotAreaOffset] = {};
};
static_assert(sizeof(TProjectBlock) == 3073);

inline constexpr int kProjectBaseLength = 14699;
inline constexpr int kProjectExtraMax = 40000;
inline constexpr int kListBlockSize = 1585;

struct TProjectRec {
  common::LeInt32 link;
  common::LeInt32 number;
  common::ShortString<20> name;
  TProjectBlock block;
  common::LeInt32 extra_length;
  std::uint8_t reserved1[65] = {};
  common::LeInt32 sel_left;
  common::LeInt32 sel_top;
  std::uint8_t reserved2[58] = {};
  std::uint8_t list_block[kListBlockSize] = {};
  std::uint8_t reserved3[59] = {};
  TQSOFieldDescriptor descriptors_1_to_50[50];
  std::uint8_t reserved4[350] = {};
  common::ShortString<255> remark;
  std::uint8_t reserved5[1439] = {};
  TQSOFieldDescriptor descriptors_51_to_60[10];
  std::uint8_t reserved6[40573] = {};
};
static_assert(sizeof(TProjectRec) == kProjectBaseLength + kProjectExtraMax);

// The stored length of a project record; an extra length outside 0..40000 counts as 0.
int ProjectStoredLength(const TProjectRec& record);

}  // namespace logbook
