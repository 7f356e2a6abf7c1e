// ToKeys: the key definitions that a data object hands over when it opens a database file.
//
// Keys are numbered 1, 2, ... in the order they are added. Only a key's length and duplicates
// flag reach the driver; the expression ("DXCC,Prefix", "Bandcode,Call,Mode", "autore AUTOKEY",
// a field may carry " DESC") documents which record fields the data object's key builder puts
// into the key. The AUTOKEY itself is declared separately (TdbTreiber::SetAutoKeyField).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

struct KeyDefinition {
  // 1 to 50 characters; kept as given, so that the driver refuses a wrong one (28685, 28717)
  // instead of a cut value passing unnoticed.
  int length = 0;
  std::uint8_t duplicates = 0;  // 0: every key text unique, 1: duplicates allowed
  std::string expression;       // at most 255 characters
};

class ToKeys {
 public:
  static constexpr int kMaxDefinitions = 255;

  ToKeys();

  // Adds the next key; false (and nothing added) once 255 keys are defined. The expression is
  // cut to 255 characters.
  bool Add(int length, bool duplicates, std::string_view expression);
  // Copies definition i (1-based) into `definition`; false and no copy outside 1..Count().
  bool Get(int i, KeyDefinition& definition) const;
  int Count() const { return static_cast<int>(definitions_.size()); }

 private:
  std::vector<KeyDefinition> definitions_;
};

}  // namespace storage
