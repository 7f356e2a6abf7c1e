// Reading a rich-text file as plain lines, for the text window: no control of this system shows
// formatted text, so a rich text is shown by its words.
//
// The reader keeps the text and its line breaks and drops everything else: control words, the
// hidden groups (font and colour tables, style sheets, document information, pictures, and every
// group marked "\*"), and binary data. "\par", "\line", "\page", "\sect" and "\row" end a line;
// "\tab" and "\cell" become a tab; "\'hh" is the byte hh (Windows-1252); "\uN" becomes the
// Windows-1252 character of code point N ("?" where there is none), its fallback characters
// skipped as "\ucN" says. Broken input shows what it can: unbalanced braces and groups nested
// deeper than kMaxRichTextDepth never stop the reader, and nothing outside the text is read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// Groups nested deeper than this share the state of the deepest one counted.
inline constexpr int kMaxRichTextDepth = 64;

// Whether the text is a rich text: it starts with "{\rtf".
bool IsRichText(std::string_view text);

// The lines of a rich text; a last line without a break counts when it holds anything.
std::vector<std::string> RichTextLines(std::string_view rtf);

}  // namespace app
