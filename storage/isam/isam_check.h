// The integrity checker of a fileblock: the oracle of every storage test and the core of the
// `isamcheck` tool.
//
// It reads the closed (or flushed) data and index files directly, independent of the engine's
// page code, and reports every broken invariant it finds:
// - data header: record length, counts, modified marker, file size against the slot count;
// - record free chain: links in range, no cycle, length equal to the free count;
// - key headers: page size and items per page, root and free page chain within the allocated
//   pages, entry count equal to the entries found;
// - every tree: item counts 1..62 (0 only in an empty root), at least 31 outside the root, length
//   bytes within the key length, strict key order (by text and, with duplicates, reference),
//   separators between their subtrees, all leaves at one depth, no page reachable twice (also
//   not from the free chain), every allocated page either in the tree or on the free chain;
// - every used record present in every key, every entry pointing at a used record whose first
//   four bytes are zero (as the engine tells a record from a free slot), and, when a key builder
//   is given, each entry's text equal to the text its key would have;
// - for variable-length records (section_records): every record head's section chain (links
//   within the file, to used continuation sections with the marker 1 and byte counts that fit,
//   no section reached twice, at most VarRecMaxSections sections), and every continuation
//   section that no head refers to.
// Damaged files are reported, never trusted: the checker does not crash or loop on them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

// Builds the text of key `key` (1..n) for a record of `length` bytes.
using KeyBuilder =
    std::function<std::string(const std::uint8_t* record, std::size_t length, int key)>;

struct CheckOptions {
  KeyBuilder key_builder;  // optional
  // Whether every used record must be in every key and every entry must name a used record.
  bool check_records_in_keys = true;
  // Variable-length records (var_record.h): a used slot whose first four bytes are zero is a
  // record head, any other used slot a continuation section, in no key. The key builder gets
  // the whole record assembled from its chain.
  bool section_records = false;
  // Whether a set modified marker is a problem (it is, for a closed or flushed fileblock).
  bool require_clean_marker = true;
};

struct CheckReport {
  std::vector<std::string> problems;  // one line per broken invariant
  std::int32_t used_records = 0;      // used slots
  std::int32_t record_heads = 0;      // section_records: the records (heads) among them
  std::vector<std::int32_t> entries;  // entries found per key (index 0 unused)
  bool ok() const { return problems.empty(); }
  std::string Text() const;  // the problems, one per line
};

// Checks the fileblock of `name` (the engine's naming rules: "X" or "X;Y").
CheckReport IsamCheck(std::string_view name, const CheckOptions& options = {});

}  // namespace storage
