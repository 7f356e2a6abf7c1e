#include "tests/contest/golden_contest_table.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/text_codec.h"

namespace contest::testing {
namespace {

// What a key's value looks like.
enum class Shape {
  kText,       // one text
  kNumber,     // one number
  kSet,        // one set
  kLetters,    // one text of letters, '_' for an empty slot
  kTriple,     // three slots of texts or numbers
  kList,       // any number of text slots
  kPeriod,     // date, from, to, band letters
  kClass,      // name, text, section
  kSubField,   // a part of a period or class entry: never a key of its own
  kCount,      // '@' key: a number
  kSwitch,     // '@CatalogueSwitch': a number or "unchanged"
  kIndexZero,  // '@IndexZero': "first" or "none"
};

struct FieldShape {
  std::string_view name;
  Shape shape;
};

// TContestRec in its field order, then the file's own keys.
constexpr FieldShape kFields[] = {
    {"SWL", Shape::kNumber},
    {"Modes", Shape::kList},
    {"Bands", Shape::kLetters},
    {"MultiplierKinds", Shape::kSet},
    {"Periods", Shape::kPeriod},
    {"PeriodDate", Shape::kSubField},
    {"PeriodSpare", Shape::kSubField},
    {"PeriodTimeFrom", Shape::kSubField},
    {"PeriodTimeTo", Shape::kSubField},
    {"PeriodBands", Shape::kSubField},
    {"HelpContext", Shape::kNumber},
    {"MultiplierNames", Shape::kTriple},
    {"VersionNotice", Shape::kText},
    {"ExchangeKindsRcvd", Shape::kTriple},
    {"ExchangeKindsSent", Shape::kTriple},
    {"SentDefaults", Shape::kTriple},
    {"DupeKind", Shape::kNumber},
    {"ExtraDoks", Shape::kList},
    {"ExtraDistricts", Shape::kLetters},
    {"BonusCalls", Shape::kList},
    {"ValidDoks", Shape::kList},
    {"ValidDistricts", Shape::kLetters},
    {"AreaDoks", Shape::kList},
    {"AreaDistricts", Shape::kLetters},
    {"Title", Shape::kText},
    {"VersionText", Shape::kText},
    {"EditionName", Shape::kText},
    {"Classes", Shape::kClass},
    {"ClassText", Shape::kSubField},
    {"ClassSection", Shape::kSubField},
    {"ClassName", Shape::kSubField},
    {"DateFrom", Shape::kText},
    {"DateTo", Shape::kText},
    {"TimeFrom", Shape::kText},
    {"TimeTo", Shape::kText},
    {"UtcOffsetHours", Shape::kNumber},
    {"SentText2", Shape::kText},
    {"Flag30", Shape::kNumber},
    {"Flag31", Shape::kNumber},
    {"OutputMenu", Shape::kSet},
    {"OutputMenu2", Shape::kSet},
    {"Flag34", Shape::kNumber},
    {"Flag35", Shape::kNumber},
    {"Flag36", Shape::kNumber},
    {"FilterText", Shape::kText},
    {"FilterText2", Shape::kText},
    {"LabelFlag", Shape::kNumber},
    {"ExchangeLabels", Shape::kTriple},
    {"CabrilloBand", Shape::kText},
    {"CabrilloMode", Shape::kText},
    {"CabrilloSpare", Shape::kText},
    {"CabrilloContest", Shape::kText},
    {"CabrilloPower", Shape::kText},
    {"CabrilloAssisted", Shape::kText},
    {"CabrilloOperator", Shape::kText},
    {"ScoreFlag", Shape::kNumber},
    {"@PeriodCount", Shape::kCount},
    {"@ClassCount", Shape::kCount},
    {"@BonusCount", Shape::kCount},
    {"@ValidDoksCount", Shape::kCount},
    {"@AreaDoksCount", Shape::kCount},
    {"@CatalogueSwitch", Shape::kSwitch},
    {"@IndexZero", Shape::kIndexZero},
};

// Words that may stand for a text.
const std::set<std::string_view> kTextWords = {
    "year",        "today",    "notice", "open",     "own-dok",     "exchange-text",
    "own-locator", "own-name", "number", "number-2", "station-file"};

constexpr int kPeriodSlots = 10;
constexpr int kClassSlots = 20;

const FieldShape* FindShape(std::string_view name) {
  for (const FieldShape& f : kFields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

GoldenAtom MakeAtom(GoldenAtom::Kind kind, std::string text = {}, long long number = 0) {
  GoldenAtom atom;
  atom.kind = kind;
  atom.text = std::move(text);
  atom.number = number;
  return atom;
}

[[noreturn]] void Fail(int line, const std::string& reason) {
  throw GoldenFormatError(line, reason);
}

// Cuts a comment ('#' outside a text) and trailing blanks off one physical line.
std::string_view StripComment(std::string_view line) {
  bool in_text = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (in_text && c == '\\') {
      ++i;
    } else if (c == '"') {
      in_text = !in_text;
    } else if (c == '#' && !in_text) {
      line = line.substr(0, i);
      break;
    }
  }
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
    line.remove_suffix(1);
  }
  return line;
}

// Reads the items of one value.
class ValueParser {
 public:
  ValueParser(std::string_view text, int line) : text_(text), line_(line) {}

  std::vector<GoldenItem> Items() {
    std::vector<GoldenItem> items;
    SkipBlanks();
    if (AtEnd()) return items;
    for (;;) {
      items.push_back(Item());
      SkipBlanks();
      if (AtEnd()) return items;
      if (text_[pos_] != ',') Fail(line_, "',' expected between items");
      ++pos_;
    }
  }

 private:
  GoldenItem Item() {
    GoldenItem item;
    item.alternatives.push_back(Alternative());
    while (TakeWord("or")) item.alternatives.push_back(Alternative());
    return item;
  }

  std::vector<GoldenAtom> Alternative() {
    std::vector<GoldenAtom> parts{Atom()};
    for (;;) {
      SkipBlanks();
      if (AtEnd() || text_[pos_] != '+') return parts;
      ++pos_;
      parts.push_back(Atom());
    }
  }

  GoldenAtom Atom() {
    SkipBlanks();
    if (AtEnd()) Fail(line_, "value expected");
    const char c = text_[pos_];
    if (c == '"') return Text();
    if (c == '{') return Set();
    if (c == '-' || IsDigit(c)) return Number();
    if (std::islower(static_cast<unsigned char>(c))) {
      GoldenAtom atom = MakeAtom(GoldenAtom::Kind::kWord, Word());
      if (atom.text == "or") Fail(line_, "value expected before 'or'");
      return atom;
    }
    Fail(line_, std::string("unexpected '") + c + "'");
  }

  GoldenAtom Text() {
    ++pos_;
    std::string utf8;
    for (;;) {
      if (AtEnd()) Fail(line_, "text without closing '\"'");
      char c = text_[pos_++];
      if (c == '"') break;
      if (c == '\\') {
        if (AtEnd() || (text_[pos_] != '"' && text_[pos_] != '\\')) {
          Fail(line_, "only \\\" and \\\\ may be escaped");
        }
        c = text_[pos_++];
      }
      utf8 += c;
    }
    std::string bytes = platform::Utf8ToCp1252(utf8);
    if (platform::Cp1252ToUtf8(bytes) != utf8) {
      Fail(line_, "text is not Windows-1252: " + utf8);
    }
    return MakeAtom(GoldenAtom::Kind::kText, std::move(bytes));
  }

  GoldenAtom Set() {
    ++pos_;
    GoldenAtom atom = MakeAtom(GoldenAtom::Kind::kSet);
    SkipBlanks();
    if (!AtEnd() && text_[pos_] == '}') {
      ++pos_;
      return atom;
    }
    for (;;) {
      const long long n = Number().number;
      if (n < 0 || n > 255) Fail(line_, "set element outside 0 to 255");
      if (!atom.members.empty() && n <= atom.members.back()) {
        Fail(line_, "set elements must ascend");
      }
      atom.members.push_back(static_cast<int>(n));
      SkipBlanks();
      if (AtEnd()) Fail(line_, "set without closing '}'");
      if (text_[pos_++] == '}') return atom;
      if (text_[pos_ - 1] != ',') Fail(line_, "',' expected in a set");
    }
  }

  GoldenAtom Number() {
    SkipBlanks();
    const size_t start = pos_;
    if (!AtEnd() && text_[pos_] == '-') ++pos_;
    const size_t digits = pos_;
    while (!AtEnd() && IsDigit(text_[pos_])) ++pos_;
    if (pos_ == digits || pos_ - digits > 12) Fail(line_, "number expected");
    return MakeAtom(GoldenAtom::Kind::kNumber, {},
                    std::stoll(std::string(text_.substr(start, pos_ - start))));
  }

  std::string Word() {
    const size_t start = pos_;
    while (!AtEnd() && (std::islower(static_cast<unsigned char>(text_[pos_])) ||
                        IsDigit(text_[pos_]) || text_[pos_] == '-')) {
      ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
  }

  bool TakeWord(std::string_view word) {
    SkipBlanks();
    if (text_.substr(pos_, word.size()) != word) return false;
    const size_t after = pos_ + word.size();
    if (after < text_.size() && text_[after] != ' ') return false;
    pos_ = after;
    return true;
  }

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  void SkipBlanks() {
    while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }

  std::string_view text_;
  int line_;
  size_t pos_ = 0;
};

// What may stand in one slot of a value.
enum class Slot { kText, kNumber, kSet, kLetters, kTextOrNumber };

void CheckAtom(const GoldenAtom& atom, Slot slot, int line) {
  using Kind = GoldenAtom::Kind;
  if (atom.kind == Kind::kWord) {
    const bool allowed =
        atom.text == "open" || (slot == Slot::kLetters && atom.text == "by-class") ||
        ((slot == Slot::kText || slot == Slot::kTextOrNumber) && kTextWords.count(atom.text) > 0);
    if (!allowed) Fail(line, "word '" + atom.text + "' does not fit here");
    return;
  }
  bool fits = false;
  switch (slot) {
    case Slot::kText:
      fits = atom.kind == Kind::kText;
      break;
    case Slot::kNumber:
      fits = atom.kind == Kind::kNumber;
      break;
    case Slot::kSet:
      fits = atom.kind == Kind::kSet;
      break;
    case Slot::kLetters:
      fits =
          atom.kind == Kind::kText && std::all_of(atom.text.begin(), atom.text.end(), [](char c) {
            return c == '_' || std::isalpha(static_cast<unsigned char>(c));
          });
      break;
    case Slot::kTextOrNumber:
      fits = atom.kind == Kind::kText || atom.kind == Kind::kNumber;
      break;
  }
  if (!fits) Fail(line, "value does not fit the field");
}

void CheckItem(const GoldenItem& item, Slot slot, int line) {
  for (const auto& parts : item.alternatives) {
    if (parts.size() > 1 && slot != Slot::kText && slot != Slot::kTextOrNumber) {
      Fail(line, "only texts may be joined with '+'");
    }
    for (const GoldenAtom& atom : parts) CheckAtom(atom, slot, line);
  }
}

void CheckItems(const GoldenValue& value, std::initializer_list<Slot> slots, int line) {
  if (value.items.size() != slots.size()) {
    Fail(line, "expected " + std::to_string(slots.size()) + " items, found " +
                   std::to_string(value.items.size()));
  }
  auto slot = slots.begin();
  for (const GoldenItem& item : value.items) CheckItem(item, *slot++, line);
}

bool IsSingleWord(const GoldenValue& value, std::initializer_list<std::string_view> words) {
  if (value.items.size() != 1 || !value.items[0].IsFixed()) return false;
  const GoldenAtom& atom = value.items[0].Fixed();
  return atom.kind == GoldenAtom::Kind::kWord &&
         std::find(words.begin(), words.end(), atom.text) != words.end();
}

void CheckShape(Shape shape, const GoldenValue& value, int line) {
  switch (shape) {
    case Shape::kText:
      return CheckItems(value, {Slot::kText}, line);
    case Shape::kNumber:
    case Shape::kCount:
      return CheckItems(value, {Slot::kNumber}, line);
    case Shape::kSet:
      return CheckItems(value, {Slot::kSet}, line);
    case Shape::kLetters:
      return CheckItems(value, {Slot::kLetters}, line);
    case Shape::kTriple:
      return CheckItems(value, {Slot::kTextOrNumber, Slot::kTextOrNumber, Slot::kTextOrNumber},
                        line);
    case Shape::kList:
      for (const GoldenItem& item : value.items) CheckItem(item, Slot::kText, line);
      return;
    case Shape::kPeriod:
      return CheckItems(value, {Slot::kText, Slot::kText, Slot::kText, Slot::kLetters}, line);
    case Shape::kClass:
      return CheckItems(value, {Slot::kText, Slot::kText, Slot::kNumber}, line);
    case Shape::kSwitch:
      if (IsSingleWord(value, {"unchanged"})) return;
      return CheckItems(value, {Slot::kNumber}, line);
    case Shape::kIndexZero:
      if (!IsSingleWord(value, {"first", "none"})) Fail(line, "'first' or 'none' expected");
      return;
    case Shape::kSubField:
      Fail(line, "a sub-field is written inside its Periods[i] or Classes[i] entry");
  }
}

// "Name" or "Name[i]": the shape of the key; checks the slot index.
Shape KeyShape(std::string_view key, int line) {
  std::string_view name = key;
  int slot = 0;
  if (const size_t open = key.find('['); open != std::string_view::npos) {
    if (key.back() != ']' || open + 2 >= key.size()) Fail(line, "malformed slot in key");
    name = key.substr(0, open);
    const std::string_view digits = key.substr(open + 1, key.size() - open - 2);
    if (digits.size() > 2 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) {
      Fail(line, "malformed slot in key");
    }
    slot = std::stoi(std::string(digits));
  }
  const FieldShape* field = FindShape(name);
  if (field == nullptr) Fail(line, "unknown field '" + std::string(name) + "'");
  const bool entry = field->shape == Shape::kPeriod || field->shape == Shape::kClass;
  if (entry != (slot != 0 || key.find('[') != std::string_view::npos)) {
    Fail(line, entry ? "'" + std::string(name) + "' needs a slot [i]" : "only entries have slots");
  }
  const int slots = field->shape == Shape::kPeriod ? kPeriodSlots : kClassSlots;
  if (entry && (slot < 1 || slot > slots)) Fail(line, "slot outside 1 to " + std::to_string(slots));
  return field->shape;
}

// "3", "1-4", "1,5", "1-2,7" -> class indexes 0 to 20.
std::vector<int> ClassIndexes(std::string_view spec, int line) {
  std::vector<int> indexes;
  std::stringstream parts{std::string(spec)};
  std::string part;
  while (std::getline(parts, part, ',')) {
    int from = 0, to = 0;
    char dash = 0;
    std::stringstream in(part);
    std::string rest;
    if (!(in >> from)) Fail(line, "class index expected");
    if (in >> dash) {
      if (dash != '-' || !(in >> to)) Fail(line, "malformed class range");
    } else {
      to = from;
    }
    if ((in >> rest) || from < 0 || to > kClassSlots || from > to) {
      Fail(line, "class indexes must lie in 0 to 20 and ascend");
    }
    for (int i = from; i <= to; ++i) indexes.push_back(i);
  }
  if (indexes.empty()) Fail(line, "class index expected");
  return indexes;
}

class TableParser {
 public:
  GoldenTable Parse(std::string_view utf8) {
    int number = 0;
    size_t pos = 0;
    while (pos <= utf8.size()) {
      size_t end = utf8.find('\n', pos);
      if (end == std::string_view::npos) end = utf8.size();
      ++number;
      Physical(StripComment(utf8.substr(pos, end - pos)), number);
      pos = end + 1;
    }
    FlushField();
    return std::move(table_);
  }

 private:
  void Physical(std::string_view line, int number) {
    if (line.empty()) {
      FlushField();
      return;
    }
    if (line[0] == ' ' || line[0] == '\t') {
      if (pending_line_ == 0) Fail(number, "continuation without a field line");
      pending_ += ' ';
      pending_ += line;
      return;
    }
    FlushField();
    if (line[0] == '[') {
      Header(line, number);
    } else {
      pending_ = line;
      pending_line_ = number;
    }
  }

  void Header(std::string_view line, int number) {
    if (line.size() < 3 || line.back() != ']') Fail(number, "malformed block header");
    const char code = line[1];
    const std::string_view rest = line.substr(2, line.size() - 3);
    if (rest.empty()) {
      if (table_.Find(code) != nullptr) Fail(number, std::string("code '") + code + "' twice");
      GoldenContest& contest = table_.contests.emplace_back();
      contest.code = code;
      contest.line = number;
      class_indexes_.clear();
      return;
    }
    if (rest[0] != '/') Fail(number, "malformed block header");
    if (table_.contests.empty() || table_.contests.back().code != code) {
      Fail(number, "a class block follows the block of its own contest");
    }
    class_indexes_ = ClassIndexes(rest.substr(1), number);
  }

  void FlushField() {
    if (pending_line_ == 0) return;
    const int number = pending_line_;
    pending_line_ = 0;
    if (table_.contests.empty()) Fail(number, "field before the first block");
    const size_t colon = pending_.find(':');
    if (colon == std::string::npos) Fail(number, "'Name: value' expected");
    const std::string key = pending_.substr(0, colon);
    const Shape shape = KeyShape(key, number);
    GoldenValue value{ValueParser(std::string_view(pending_).substr(colon + 1), number).Items(),
                      number};
    CheckShape(shape, value, number);

    GoldenContest& contest = table_.contests.back();
    if (class_indexes_.empty()) {
      Store(contest.fields, key, std::move(value), number);
      return;
    }
    if (key[0] == '@' || shape == Shape::kPeriod || shape == Shape::kClass) {
      Fail(number, "'" + key + "' belongs to the contest block");
    }
    for (int index : class_indexes_) Store(contest.classes[index], key, value, number);
  }

  static void Store(GoldenFields& fields, const std::string& key, GoldenValue value, int number) {
    if (!fields.emplace(key, std::move(value)).second) {
      Fail(number, "'" + key + "' given twice for one block or class");
    }
  }

  GoldenTable table_;
  std::vector<int> class_indexes_;  // empty inside a contest block
  std::string pending_;             // the field line being gathered
  int pending_line_ = 0;            // 0: none
};

}  // namespace

bool GoldenItem::IsFixed() const { return alternatives.size() == 1 && alternatives[0].size() == 1; }

const GoldenAtom& GoldenItem::Fixed() const { return alternatives.at(0).at(0); }

bool GoldenItem::IsWord(std::string_view word) const {
  return IsFixed() && Fixed().kind == GoldenAtom::Kind::kWord && Fixed().text == word;
}

const GoldenValue* GoldenContest::Field(std::string_view name) const {
  const auto found = fields.find(name);
  return found == fields.end() ? nullptr : &found->second;
}

const GoldenValue* GoldenContest::ClassField(int index, std::string_view name) const {
  const auto block = classes.find(index);
  if (block == classes.end()) return nullptr;
  const auto found = block->second.find(name);
  return found == block->second.end() ? nullptr : &found->second;
}

const GoldenValue* GoldenContest::ForClass(int index, std::string_view name) const {
  if (const GoldenValue* own = ClassField(index, name)) return own;
  if (index == 0) {
    const GoldenValue* zero = Field("@IndexZero");
    if (zero != nullptr && zero->items[0].IsWord("first")) return ForClass(1, name);
  }
  if (name == "Bands" || name == "Modes") return nullptr;
  return Field(name);
}

long long GoldenContest::Number(std::string_view key, long long fallback) const {
  const GoldenValue* value = Field(key);
  if (value == nullptr || value->items.empty() || !value->items[0].IsFixed() ||
      value->items[0].Fixed().kind != GoldenAtom::Kind::kNumber) {
    return fallback;
  }
  return value->items[0].Fixed().number;
}

const GoldenContest* GoldenTable::Find(char code) const {
  for (const GoldenContest& contest : contests) {
    if (contest.code == code) return &contest;
  }
  return nullptr;
}

GoldenFormatError::GoldenFormatError(int line, const std::string& reason)
    : std::runtime_error("line " + std::to_string(line) + ": " + reason), line_(line) {}

GoldenTable ParseGoldenTable(std::string_view utf8) { return TableParser().Parse(utf8); }

GoldenTable LoadGoldenTable(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw GoldenFormatError(0, "cannot read " + path);
  std::stringstream text;
  text << in.rdbuf();
  return ParseGoldenTable(text.str());
}

std::string GoldenTablePath() { return GOLDEN_CONTEST_TABLE; }

const std::vector<std::string_view>& DefinitionFieldNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (const FieldShape& f : kFields) {
      if (f.name[0] != '@') all.push_back(f.name);
    }
    return all;
  }();
  return names;
}

}  // namespace contest::testing
