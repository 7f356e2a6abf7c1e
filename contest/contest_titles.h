// The fixed tables of the contest catalogue service that are not part of a contest's definition:
// the title and picture the main window shows for a contest code, and where a contest's rules
// are found when they are no web page.
#pragma once

#include <string_view>

namespace contest {

struct ContestTitleRow {
  char code;
  // Without the enclosing quote characters. Empty for the edition's own contest '.': its title
  // is the Title of its definition, so that the operator's contest data can change it.
  std::string_view title;
  std::string_view picture;  // file name in the data folder; empty: no picture
  bool in_data_folder;       // false: the bare file name, without a folder
};

// The row of a contest code; nullptr for a code without title ('X', 't', any other).
const ContestTitleRow* FindContestTitle(char code);

// How a contest's rules are shown.
enum class RulesSource {
  kWebPage,    // the contest's rules page (its definition's address)
  kDocument,   // a document file beside the program (RulesFile)
  kLocalText,  // a rules text in the data folder, shown in the text window (RulesFile)
};
RulesSource RulesSourceOf(char code);
// The document or local rules text of a code; empty for a code with a web page.
std::string_view RulesFile(char code);

}  // namespace contest
