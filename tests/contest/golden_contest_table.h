// Reader of the hand-written table of expected contest definitions
// (golden/contest_definitions.txt).
//
// The file's head documents its format. The reader checks the syntax, that every key is a field
// of TContestRec (or one of the file's own '@' keys), that each value has its field's shape (three
// items for the per-slot fields, a set for a set, ...), and that no code, field or class value
// appears twice. It does not judge the values: the table's own tests and the loader's golden test
// do.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace contest::testing {

// One part of a value.
struct GoldenAtom {
  enum class Kind { kText, kNumber, kSet, kWord };
  Kind kind = Kind::kText;
  std::string text;          // kText: Windows-1252 bytes; kWord: the word
  long long number = 0;      // kNumber
  std::vector<int> members;  // kSet: ascending, each once
};

// One item (slot) of a value: its alternatives ("a or b"), each made of parts joined with '+'.
struct GoldenItem {
  std::vector<std::vector<GoldenAtom>> alternatives;

  // One alternative of one part: a single expected value.
  bool IsFixed() const;
  // The single atom. Precondition: IsFixed().
  const GoldenAtom& Fixed() const;
  // Fixed and the word `word` (e.g. "open").
  bool IsWord(std::string_view word) const;
};

struct GoldenValue {
  std::vector<GoldenItem> items;
  int line = 0;  // of the file, for messages
};

// Field name ("DupeKind", "Classes[3]", "@ClassCount") -> value.
using GoldenFields = std::map<std::string, GoldenValue, std::less<>>;

struct GoldenContest {
  char code = 0;
  int line = 0;
  GoldenFields fields;                  // the contest block
  std::map<int, GoldenFields> classes;  // class index -> the values its class blocks give

  // A field of the contest block; nullptr when absent.
  const GoldenValue* Field(std::string_view name) const;
  // A field that the class blocks of `index` give; nullptr when absent.
  const GoldenValue* ClassField(int index, std::string_view name) const;
  // The expected value of a field after loading class index `index`: the class's value, else the
  // contest block's. Index 0 reads class 1 where @IndexZero is "first" and no [C/0] block gives
  // the field. Bands and Modes of the contest block are unions, not a class's values: for them
  // only a class value is returned. nullptr when the table fixes nothing.
  const GoldenValue* ForClass(int index, std::string_view name) const;
  // The number of a '@' key; `fallback` when the block lacks it.
  long long Number(std::string_view key, long long fallback = 0) const;
};

struct GoldenTable {
  std::vector<GoldenContest> contests;  // in file order

  // nullptr for a code the table does not hold.
  const GoldenContest* Find(char code) const;
};

// A malformed table: what() names the line and the reason.
class GoldenFormatError : public std::runtime_error {
 public:
  GoldenFormatError(int line, const std::string& reason);
  int line() const { return line_; }

 private:
  int line_;
};

// Parses the table from its UTF-8 text. Throws GoldenFormatError.
GoldenTable ParseGoldenTable(std::string_view utf8);
// Reads and parses the file. Throws GoldenFormatError (line 0 when it cannot be read).
GoldenTable LoadGoldenTable(const std::string& path);
// The path of the table in the source tree.
std::string GoldenTablePath();

// The field names of TContestRec, the sub-fields of a period and of a class included.
const std::vector<std::string_view>& DefinitionFieldNames();

}  // namespace contest::testing
