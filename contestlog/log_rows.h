// The QSO list of a contest log as texts: its heading, the cells and the row of one QSO record,
// and the index and key range of each sort order. No widget here: the log window's list and the
// correction list build their headings and rows with these routines, so that both look alike.
//
// A heading is ";"-separated titles; a row is "; "-separated cells in the heading's order. Rows
// are Windows-1252 texts; numbers carry their own separators, never a locale's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/record_text.h"
#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "contestlog/log_core.h"

namespace contestlog {

// The field list the QSO list hands to the grid with its heading.
inline constexpr const char* kLogListFields = "UTC:ZeitS;Datum:DatumS;Mod:Mode;";

// `text` padded with blanks to `width`; a text of that length or longer as it stands.
std::string PadColumn(std::string_view text, int width);

// The column titles of the QSO list of a log of `definition`: number, date, time, call, band,
// mode, the reports (a listener log: the second call and its report instead of the received
// one), one column per named multiplier slot, points, QSL marks and, outside listener logs,
// name, QTH and frequency; then a filler column of 200 blanks.
std::string HeaderText(const contest::TContestRec& definition);

// The text of cell `field` ("RSTs", "RSTr", "Band", "Pkt", "Call2", "Nr", "sQr", "Name", "QTH",
// "Freq", "Multi1" .. "Multi3") of the working copy of `table` in the log of `window`; empty for
// any other name. A named multiplier slot without a value gives one blank, so that its cell
// keeps its place; an unnamed slot gives nothing.
std::string BuildRowText(std::string_view field, const contest::TdbContestBase& table,
                         const ContestLogCore& window);

// The row of the QSO list for the record `ref` of the log of `window`, read through an object of
// its own (the log object's entry stays as it is): a QSO's cells, outside listener logs
// upper-cased with name, QTH and frequency after them; for a QSY marker its date, time and
// "*** QSY <band> ***" over the call's column. A selected record starts with the character 1.
// Empty when the record cannot be read.
std::string BuildLogRow(std::int32_t ref, const ContestLogCore& window);

// The index of sort order `order` of the QSO list with its bounds (`band`: the band of order 0
// and the first part of orders 1 and 2; `key_form`: the browser's mode byte is 0, so numbers are
// key texts). An order outside 0..6 gives index 1 and leaves the bounds as they are.
int LogListSortKey(int order, char band, bool key_form, common::TKeyStr& low,
                   common::TKeyStr& high);

}  // namespace contestlog
