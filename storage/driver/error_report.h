// The cause and remedy report of a serious database error.
//
// Six lines joined by CR, in German or English by the language setting (common::LangText):
// "Fehlercode: " + number (for 10140 "Datenbankzugriff verweigert!"), "Das Programm wird
// abgebrochen. ", then cause, remedy and further lines for the best-known numbers (91, 10070,
// 10075, 10140, 10141, 10465), empty for the others.
#pragma once

#include <string>

namespace storage {

// The installation help page offered with the access-denied report; it lies in the data folder.
inline constexpr const char* kInstallHelpPage = "installationshinweis.htm";
inline constexpr const char* kInstallHelpButton = "wichtiger Installationshinweis bei Vista";

// The report for a shown error number.
std::string CauseAndRemedyReport(int number);

// Shows the report through common::ToMessages: for 10140 and 10141 as the error with a second
// button that opens `help_link`, for every other number as a plain error. Nothing is shown when
// no ToMessages exists (the program is past its end).
void ShowCauseAndRemedyReport(int number, const std::string& help_link);

}  // namespace storage
