#include "app/rich_text_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>

#include "platform/text_codec.h"

namespace app {
namespace {

// The groups whose content is no text of the document.
constexpr std::string_view kHiddenDestinations[] = {"fonttbl",
                                                    "colortbl",
                                                    "stylesheet",
                                                    "info",
                                                    "pict",
                                                    "listtable",
                                                    "listoverridetable",
                                                    "revtbl",
                                                    "rsidtbl",
                                                    "generator",
                                                    "themedata",
                                                    "colorschememapping",
                                                    "datastore",
                                                    "latentstyles",
                                                    "xmlnstbl",
                                                    "filetbl",
                                                    "header",
                                                    "footer",
                                                    "headerl",
                                                    "headerr",
                                                    "footerl",
                                                    "footerr",
                                                    "object",
                                                    "fldinst"};

struct Symbol {
  std::string_view word;
  char text;
};

// Control words that stand for one character.
constexpr Symbol kSymbols[] = {
    {"tab", '\t'},      {"cell", '\t'},        {"emdash", '\x97'},
    {"endash", '\x96'}, {"bullet", '\x95'},    {"lquote", '\x91'},
    {"rquote", '\x92'}, {"ldblquote", '\x93'}, {"rdblquote", '\x94'},
};

bool EndsLine(std::string_view word) {
  return word == "par" || word == "line" || word == "page" || word == "sect" || word == "row";
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The Windows-1252 character of a code point, "?" when it has none.
char CodePointToCp1252(std::int32_t value) {
  // Values above 32767 are written as negative 16-bit numbers.
  const std::uint32_t cp = static_cast<std::uint32_t>(value < 0 ? value + 65536 : value);
  std::string utf8;
  if (cp < 0x80) {
    utf8 += static_cast<char>(cp);
  } else if (cp < 0x800) {
    utf8 += static_cast<char>(0xC0 | (cp >> 6));
    utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000 && (cp < 0xD800 || cp > 0xDFFF)) {
    utf8 += static_cast<char>(0xE0 | (cp >> 12));
    utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    return '?';
  }
  const std::string cp1252 = platform::Utf8ToCp1252(utf8);
  return cp1252.size() == 1 ? cp1252[0] : '?';
}

struct GroupState {
  bool hidden = false;
  int unicode_skip = 1;  // fallback characters after "\uN"
};

class Reader {
 public:
  explicit Reader(std::string_view rtf) : in_(rtf) { stack_.push_back({}); }

  std::vector<std::string> Run() {
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      if (c == '{') {
        OpenGroup();
      } else if (c == '}') {
        CloseGroup();
      } else if (c == '\\') {
        ControlWord();
      } else if (c != '\r' && c != '\n') {
        Text(c);
      }
    }
    if (!line_.empty()) lines_.push_back(line_);
    return std::move(lines_);
  }

 private:
  GroupState& State() { return stack_.back(); }

  void OpenGroup() {
    group_start_ = true;
    if (static_cast<int>(stack_.size()) > kMaxRichTextDepth) {
      ++excess_depth_;
      return;
    }
    stack_.push_back(State());
  }

  void CloseGroup() {
    group_start_ = false;
    skip_ = 0;
    if (excess_depth_ > 0) {
      --excess_depth_;
    } else if (stack_.size() > 1) {
      stack_.pop_back();
    }  // a brace too many closes nothing
  }

  // One character of the document; a fallback character after "\uN" is dropped instead.
  void Text(char c) {
    group_start_ = false;
    if (skip_ > 0) {
      --skip_;
      return;
    }
    if (!State().hidden) line_ += c;
  }

  void BreakLine() {
    if (State().hidden) return;
    lines_.push_back(line_);
    line_.clear();
  }

  void ControlWord() {
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (!IsLetter(c)) return ControlSymbol();
    const bool first_in_group = group_start_;
    group_start_ = false;
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    const bool has_number = pos_ < in_.size() && (IsDigit(in_[pos_]) || in_[pos_] == '-');
    const std::size_t number_start = pos_;
    const std::int32_t number = has_number ? Number() : 0;
    // "\u-" alone carries a sign but no number.
    const bool has_digits = pos_ > number_start && IsDigit(in_[pos_ - 1]);
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the word's delimiter

    if (word == "bin") {
      pos_ +=
          std::min<std::size_t>(static_cast<std::size_t>(std::max(number, 0)), in_.size() - pos_);
    } else if (word == "u") {
      // A code of 0, or none, is no character: a NUL in a line would cut it short for whoever
      // reads the line as a C string. Its fallback characters are still the escape's.
      if (has_digits && number != 0) Text(CodePointToCp1252(number));
      skip_ = State().unicode_skip;
    } else if (word == "uc") {
      State().unicode_skip = std::clamp(number, 0, 8);
    } else if (EndsLine(word)) {
      BreakLine();
    } else if (first_in_group &&
               std::find(std::begin(kHiddenDestinations), std::end(kHiddenDestinations), word) !=
                   std::end(kHiddenDestinations)) {
      State().hidden = true;
    } else {
      for (const Symbol& symbol : kSymbols) {
        if (symbol.word == word) return Text(symbol.text);
      }
    }
  }

  // A number of at most 10 digits after a control word (longer ones are cut, never overflow).
  std::int32_t Number() {
    const bool negative = in_[pos_] == '-';
    if (negative) ++pos_;
    std::int64_t value = 0;
    for (int digits = 0; pos_ < in_.size() && IsDigit(in_[pos_]); ++pos_, ++digits) {
      if (digits < 10) value = value * 10 + (in_[pos_] - '0');
    }
    value = std::min<std::int64_t>(value, INT32_MAX);
    return static_cast<std::int32_t>(negative ? -value : value);
  }

  void ControlSymbol() {
    const char c = in_[pos_++];
    switch (c) {
      case '\\':
      case '{':
      case '}':
        return Text(c);
      case '~':
        return Text('\xA0');
      case '_':
        return Text('-');
      case '*':
        State().hidden = true;
        return;
      case '\'': {
        // Two hex digits; a broken escape drops the digits it has.
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0) {
          value = value * 16 + HexValue(in_[pos_++]);
          ++digits;
        }
        if (digits == 2) Text(static_cast<char>(value));
        return;
      }
      case '\r':
      case '\n':
        return BreakLine();  // an escaped line end is "\par"
      default:
        group_start_ = false;  // "\-" (optional hyphen) and other symbols show nothing
        return;
    }
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  int excess_depth_ = 0;
  bool group_start_ = false;  // nothing but "{" read since the group began
  int skip_ = 0;
  std::string line_;
  std::vector<std::string> lines_;
};

}  // namespace

bool IsRichText(std::string_view text) { return text.starts_with("{\\rtf"); }

std::vector<std::string> RichTextLines(std::string_view rtf) { return Reader(rtf).Run(); }

}  // namespace app
