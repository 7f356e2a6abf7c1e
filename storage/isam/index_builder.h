// The index rebuild's tree builder: the entries of a key are gathered while the records are
// walked, sorted, and laid out as a B-tree from the leaves up, each page written once. Inserting
// entry by entry through the page pool instead reads and writes a page for nearly every entry of
// an index that does not fit the pool. Internal to storage/isam/.
//
// The trees keep the engine's rules: every page but the root holds 31..62 items, all leaves lie
// at one depth, an inner page's items separate the subtrees beside them, and equal texts of a key
// with duplicates stand in the order of their references. Pages are numbered from 1 without gaps
// (the leaves first, then each level up, the root last); no page is free.
#pragma once

#include <cstdint>
#include <vector>

#include "storage/isam/engine.h"

namespace storage {

struct Fileblock;

// The entries one walk of the index rebuild gathers at most, in bytes (IndexBuilder::BytesPerRecord
// per record and key): a larger index is built in several walks, a batch of keys each. 128 MB;
// tests set less.
std::size_t& IndexPassMemory();

class IndexBuilder {
 public:
  // Builds the keys `keys` (key numbers) of the open fileblock, whose indexes are empty.
  IndexBuilder(Fileblock& fb, const std::vector<int>& keys);

  bool Has(int key) const { return Find(key) != nullptr; }
  // Adds the entry (text, ref) to key `key` (one of the builder's). 10125 for a text longer than
  // the key, 10411 when the memory runs out.
  bool Add(int key, const KeyStr& text, RecRef ref);
  // Writes the trees into the index file and sets the key headers in the fileblock (its next
  // write-back stores them); the index file then ends on a whole frame.
  bool Write();

  // The memory the entries of a key of `key_length` take per record, for planning the passes.
  static std::size_t BytesPerRecord(int key_length);

 private:
  struct Entries {
    int key = 0;
    int length = 0;                   // the key length: texts are stored length + 1 bytes apart
    std::vector<std::uint8_t> texts;  // length byte and characters
    std::vector<RecRef> refs;
  };
  Entries* Find(int key);
  const Entries* Find(int key) const;
  bool WriteKey(Entries& e);

  Fileblock& fb_;
  std::vector<Entries> keys_;
};

}  // namespace storage
