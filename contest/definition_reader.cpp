#include "contest/definition_reader.h"

#include <algorithm>
#include <utility>

#include "common/date_mask.h"
#include "common/dates.h"
#include "platform/text_codec.h"

namespace contest::definition {
namespace {

struct SourceWord {
  std::string_view word;
  SentSource::Kind kind;
};
constexpr SourceWord kSourceWords[] = {
    {"by-kind", SentSource::Kind::kByKind},
    {"", SentSource::Kind::kEmpty},
    {"own-dok", SentSource::Kind::kOwnDok},
    {"exchange-text", SentSource::Kind::kExchangeText},
    {"own-locator", SentSource::Kind::kOwnLocator},
    {"own-locator-4", SentSource::Kind::kOwnLocator4},
    {"own-name", SentSource::Kind::kOwnName},
    {"own-name-age", SentSource::Kind::kOwnNameAge},
    {"number", SentSource::Kind::kNumber},
    {"number-2", SentSource::Kind::kNumber2},
    {"number-5", SentSource::Kind::kNumber5},
    {"member-text", SentSource::Kind::kMemberText},
    {"station-file", SentSource::Kind::kStationFile},
};

bool IsBandCode(char c) { return c >= 'a' && c <= 'w'; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

const std::vector<std::string_view>& ModeNames() {
  static const std::vector<std::string_view> names = {"CW", "SSB", "DIGITAL", "FM", "PR", "FSK441"};
  return names;
}

const std::vector<std::string_view>& MultiplierNameList() {
  static const std::vector<std::string_view> names = {
      "",     "DOK", "DXCC", "Loc",  "Callmulti", "Prefix", "WAE", "Area",     "PLZ",    "US-State",
      "AGCW", "DIG", "IBFD", "QCWA", "Naval",     "DSW",    "MRR", "Distrikt", "Kanton", "Nr"};
  return names;
}

const std::vector<std::int32_t>& ExchangeKinds() {
  static const std::vector<std::int32_t> kinds = {0,  4,  5,  6,  7,  8,  11, 12,
                                                  13, 15, 16, 17, 19, 20, 99};
  return kinds;
}

void Reader::Problem(const toml::node& node, std::string reason) {
  Problem(Line(node), std::move(reason));
}

void Reader::Problem(int line, std::string reason) {
  problems_.push_back({file_, line, std::move(reason)});
}

int Reader::Line(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

const toml::array* Reader::Array(const toml::node& node) {
  const toml::array* array = node.as_array();
  if (array == nullptr) Problem(node, "Liste [...] erwartet");
  return array;
}

const toml::table* Reader::Table(const toml::node& node) {
  const toml::table* table = node.as_table();
  if (table == nullptr) Problem(node, "Tabelle {...} erwartet");
  return table;
}

std::optional<std::string> Reader::Text(const toml::node& node, std::size_t limit) {
  const auto* value = node.as_string();
  if (value == nullptr) {
    Problem(node, "Text \"...\" erwartet");
    return std::nullopt;
  }
  const std::string& utf8 = value->get();
  std::string text = platform::Utf8ToCp1252(utf8);
  if (platform::Cp1252ToUtf8(text) != utf8) {
    Problem(node, "Zeichen außerhalb von Windows-1252 in " + Quoted(text));
    return std::nullopt;
  }
  if (text.size() > limit) {
    Problem(node, "Text länger als " + std::to_string(limit) + " Zeichen");
    return std::nullopt;
  }
  return text;
}

std::optional<std::string> Reader::Word(const toml::node& node,
                                        const std::vector<std::string_view>& allowed) {
  std::optional<std::string> text = Text(node);
  if (!text) return std::nullopt;
  if (std::find(allowed.begin(), allowed.end(), *text) == allowed.end()) {
    Problem(node, "unbekannter Wert " + Quoted(*text));
    return std::nullopt;
  }
  return text;
}

std::optional<std::int64_t> Reader::Integer(const toml::node& node, std::int64_t low,
                                            std::int64_t high) {
  const auto* value = node.as_integer();
  if (value == nullptr || value->get() < low || value->get() > high) {
    Problem(node,
            "ganze Zahl von " + std::to_string(low) + " bis " + std::to_string(high) + " erwartet");
    return std::nullopt;
  }
  return value->get();
}

std::optional<bool> Reader::Boolean(const toml::node& node) {
  const auto* value = node.as_boolean();
  if (value == nullptr) {
    Problem(node, "true oder false erwartet");
    return std::nullopt;
  }
  return value->get();
}

std::optional<ContestSet> Reader::Set(const toml::node& node, int low, int high) {
  const toml::array* array = Array(node);
  if (array == nullptr) return std::nullopt;
  ContestSet set;
  for (const toml::node& element : *array) {
    const std::optional<std::int64_t> n = Integer(element, low, high);
    if (!n) return std::nullopt;
    if (set.test(static_cast<std::size_t>(*n))) {
      Problem(element, "Zahl " + std::to_string(*n) + " doppelt");
      return std::nullopt;
    }
    set.set(static_cast<std::size_t>(*n));
  }
  return set;
}

std::optional<std::vector<std::string>> Reader::TextList(const toml::node& node, std::size_t limit,
                                                         bool empty_ok) {
  const toml::array* array = Array(node);
  if (array == nullptr) return std::nullopt;
  if (array->size() > limit) {
    Problem(node, "mehr als " + std::to_string(limit) + " Einträge");
    return std::nullopt;
  }
  std::vector<std::string> texts;
  for (const toml::node& element : *array) {
    std::optional<std::string> text = Text(element);
    if (!text) return std::nullopt;
    if (text->empty() && !empty_ok) {
      Problem(element, "leerer Eintrag");
      return std::nullopt;
    }
    texts.push_back(std::move(*text));
  }
  return texts;
}

std::optional<std::string> Reader::Date(const toml::node& node, std::string_view word) {
  std::optional<std::string> text = Text(node);
  if (!text || text->empty() || (!word.empty() && *text == word)) return text;
  if (text->size() != 10 || common::DateStringToDate(*text, "dd.mm.yyyy") == common::BadDate) {
    Problem(node, "Datum TT.MM.JJJJ erwartet statt " + Quoted(*text));
    return std::nullopt;
  }
  return text;
}

std::optional<std::string> Reader::Time(const toml::node& node) {
  std::optional<std::string> text = Text(node);
  if (!text || text->empty()) return text;
  const bool with_seconds = text->size() == 8;
  if ((text->size() != 5 && !with_seconds) ||
      common::TimeStringToTime(*text, with_seconds ? "hh:mm:ss" : "hh:mm") < 0) {
    Problem(node, "Uhrzeit hh:mm:ss oder hh:mm erwartet statt " + Quoted(*text));
    return std::nullopt;
  }
  return text;
}

std::optional<std::string> Reader::Bands(const toml::node& node, std::size_t slots, bool gaps) {
  std::optional<std::string> text = Text(node);
  if (!text) return std::nullopt;
  std::string bands;
  for (char c : *text) {
    if (!IsBandCode(c) && !(gaps && c == '_')) {
      Problem(node, "Bandbuchstabe a bis w erwartet statt " + Quoted(std::string(1, c)));
      return std::nullopt;
    }
    bands.push_back(c == '_' ? '\0' : c);
  }
  if (std::none_of(bands.begin(), bands.end(), IsBandCode) || bands.size() > slots) {
    Problem(node, "1 bis " + std::to_string(slots) + " Bänder erwartet");
    return std::nullopt;
  }
  return bands;
}

std::optional<std::string> Reader::Districts(const toml::node& node) {
  std::optional<std::string> text = Text(node, kDistrictSlots);
  if (!text) return std::nullopt;
  for (std::size_t i = 0; i < text->size(); ++i) {
    const char c = (*text)[i];
    if (c < 'A' || c > 'Z' || text->find(c) != i) {
      Problem(node, "verschiedene Distriktbuchstaben A bis Z erwartet");
      return std::nullopt;
    }
  }
  return text;
}

std::optional<Triple> Reader::TextTriple(const toml::node& node,
                                         const std::vector<std::string_view>* allowed) {
  const toml::array* array = Array(node);
  if (array == nullptr) return std::nullopt;
  if (array->size() != kExchangeSlots) {
    Problem(node, "genau 3 Einträge erwartet");
    return std::nullopt;
  }
  Triple triple;
  for (std::size_t i = 0; i < triple.size(); ++i) {
    std::optional<std::string> text =
        allowed ? Word(*array->get(i), *allowed) : Text(*array->get(i));
    if (!text) return std::nullopt;
    triple[i] = std::move(*text);
  }
  return triple;
}

std::optional<KindTriple> Reader::Kinds(const toml::node& node) {
  const toml::array* array = Array(node);
  if (array == nullptr) return std::nullopt;
  if (array->size() != kExchangeSlots) {
    Problem(node, "genau 3 Einträge erwartet");
    return std::nullopt;
  }
  KindTriple kinds{};
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const toml::node& element = *array->get(i);
    const std::optional<std::int64_t> kind = Integer(element, 0, 99);
    if (!kind) return std::nullopt;
    const auto& known = ExchangeKinds();
    if (std::find(known.begin(), known.end(), *kind) == known.end()) {
      Problem(element, "unbekannte Austauschart " + std::to_string(*kind));
      return std::nullopt;
    }
    kinds[i] = static_cast<std::int32_t>(*kind);
  }
  return kinds;
}

std::optional<SentSource> Reader::Source(const toml::node& node) {
  if (const toml::table* table = node.as_table()) {
    const toml::node* text = table->get("Text");
    if (table->size() != 1 || text == nullptr) {
      Problem(node, "{ Text = \"...\" } erwartet");
      return std::nullopt;
    }
    std::optional<std::string> value = Text(*text);
    if (!value) return std::nullopt;
    return SentSource{SentSource::Kind::kText, std::move(*value)};
  }
  std::vector<std::string_view> words;
  for (const SourceWord& w : kSourceWords) words.push_back(w.word);
  const std::optional<std::string> word = Word(node, words);
  if (!word) return std::nullopt;
  const auto at = std::find(words.begin(), words.end(), *word) - words.begin();
  return SentSource{kSourceWords[at].kind, {}};
}

std::optional<SourceTriple> Reader::Sources(const toml::node& node) {
  const toml::array* array = Array(node);
  if (array == nullptr) return std::nullopt;
  if (array->size() != kExchangeSlots) {
    Problem(node, "genau 3 Einträge erwartet");
    return std::nullopt;
  }
  SourceTriple sources;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    std::optional<SentSource> source = Source(*array->get(i));
    if (!source) return std::nullopt;
    sources[i] = std::move(*source);
  }
  return sources;
}

std::optional<std::vector<std::string>> Reader::Modes(const toml::node& node) {
  const toml::array* array = Array(node);
  if (array == nullptr) return std::nullopt;
  std::vector<std::string> modes;
  for (const toml::node& element : *array) {
    std::optional<std::string> mode = Word(element, ModeNames());
    if (!mode) return std::nullopt;
    if (std::find(modes.begin(), modes.end(), *mode) != modes.end()) {
      Problem(element, "Betriebsart " + Quoted(*mode) + " doppelt");
      return std::nullopt;
    }
    modes.push_back(std::move(*mode));
  }
  if (modes.empty()) {
    Problem(node, "mindestens eine Betriebsart erwartet");
    return std::nullopt;
  }
  return modes;
}

std::optional<PeriodRow> Reader::Period(const toml::node& node) {
  const toml::array* array = Array(node);
  if (array == nullptr) return std::nullopt;
  if (array->size() != 4) {
    Problem(node, "[Datum, von, bis, Bänder] erwartet");
    return std::nullopt;
  }
  std::optional<std::string> date = Date(*array->get(0), {});
  std::optional<std::string> from = Time(*array->get(1));
  std::optional<std::string> to = Time(*array->get(2));
  std::optional<std::string> bands = Bands(*array->get(3), kPeriodBandSlots, false);
  if (!date || !from || !to || !bands) return std::nullopt;
  if (date->empty() || from->empty() || to->empty()) {
    Problem(node, "ein Zeitraum braucht Datum, Beginn und Ende");
    return std::nullopt;
  }
  return PeriodRow{std::move(*date), std::move(*from), std::move(*to), std::move(*bands)};
}

std::optional<ListedCalls> Reader::Listed(const toml::node& node) {
  const toml::table* table = Table(node);
  if (table == nullptr) return std::nullopt;
  ListedCalls listed;
  for (auto&& [key, value] : *table) {
    if (key.str() == "Count") {
      const std::optional<std::int64_t> count = Integer(value, 0, kListSlots);
      if (!count) return std::nullopt;
      listed.count = static_cast<std::int32_t>(*count);
    } else if (key.str() == "Calls") {
      std::optional<std::vector<std::string>> calls = TextList(value, kListSlots, false);
      if (!calls) return std::nullopt;
      listed.calls = std::move(*calls);
    } else {
      Problem(value, "unbekanntes Feld " + Quoted(key.str()) + " (Count, Calls)");
      return std::nullopt;
    }
  }
  return listed;
}

}  // namespace contest::definition
