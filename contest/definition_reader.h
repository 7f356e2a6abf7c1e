// The typed value readers behind the definition set's parser (contest/definition_set.cpp).
//
// Each reader checks one TOML value against the shape the schema of resources/contests.toml
// gives it and answers the value (texts as Windows-1252 bytes), or nothing after reporting the
// problem with the value's line. Internal to the contest library.
#pragma once

#include <toml++/toml.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/definition_set.h"

namespace contest::definition {

class Reader {
 public:
  Reader(std::string_view file, DefinitionProblems& problems) : file_(file), problems_(problems) {}

  void Problem(const toml::node& node, std::string reason);
  void Problem(int line, std::string reason);
  static int Line(const toml::node& node);

  // A text of at most `limit` characters, every one of them in Windows-1252.
  std::optional<std::string> Text(const toml::node& node, std::size_t limit = 255);
  // A text from `allowed` (its entries in Windows-1252).
  std::optional<std::string> Word(const toml::node& node,
                                  const std::vector<std::string_view>& allowed);
  std::optional<std::int64_t> Integer(const toml::node& node, std::int64_t low, std::int64_t high);
  std::optional<bool> Boolean(const toml::node& node);
  // An array of distinct numbers from low to high.
  std::optional<ContestSet> Set(const toml::node& node, int low, int high);
  // An array of at most `limit` texts; `empty_ok` allows "" (an unused slot).
  std::optional<std::vector<std::string>> TextList(const toml::node& node, std::size_t limit,
                                                   bool empty_ok);

  // "dd.mm.yyyy" of a valid date; `word` (e.g. "today") and "" also pass when given.
  std::optional<std::string> Date(const toml::node& node, std::string_view word);
  // "hh:mm:ss" or "hh:mm" of a valid time, or "".
  std::optional<std::string> Time(const toml::node& node);
  // Band code letters 'a' to 'w', one a slot, at most `slots`; with `gaps`, '_' is an empty slot
  // (read as '\0'). At least one band.
  std::optional<std::string> Bands(const toml::node& node, std::size_t slots, bool gaps);
  // Distinct district letters 'A' to 'Z', at most 26.
  std::optional<std::string> Districts(const toml::node& node);

  std::optional<Triple> TextTriple(const toml::node& node,
                                   const std::vector<std::string_view>* allowed);
  std::optional<KindTriple> Kinds(const toml::node& node);
  std::optional<SentSource> Source(const toml::node& node);
  std::optional<SourceTriple> Sources(const toml::node& node);
  std::optional<std::vector<std::string>> Modes(const toml::node& node);
  std::optional<PeriodRow> Period(const toml::node& node);
  std::optional<ListedCalls> Listed(const toml::node& node);

  // The array of a node, reporting one when it is none.
  const toml::array* Array(const toml::node& node);
  const toml::table* Table(const toml::node& node);

 private:
  std::string file_;
  DefinitionProblems& problems_;
};

// The mode names a contest may offer.
const std::vector<std::string_view>& ModeNames();
// The multiplier names the rules know, "" (no multiplier) included.
const std::vector<std::string_view>& MultiplierNameList();
// The exchange kinds the rules know, 0 (field not used) included.
const std::vector<std::int32_t>& ExchangeKinds();

}  // namespace contest::definition
