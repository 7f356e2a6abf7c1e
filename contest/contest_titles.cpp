#include "contest/contest_titles.h"

#include <algorithm>
#include <iterator>

namespace contest {
namespace {

constexpr ContestTitleRow kTitles[] = {
    {'V', "Mecklenburg-Vorpommern - Contest", "mvp.bmp", true},
    {'B', "Baden - Württemberg Aktivität", "bwa.bmp", true},
    {'H', "Holyland - Contest", "holyland.bmp", true},
    {'D', "Deutschland Contest des DTC e.V.", "dtc.bmp", true},
    {'q', "Handtastenparty", "agcw.bmp", true},
    {'5', "Funkertag-QSO-Party", "party062005.bmp", true},
    {'P', "Februar-QSO-Party", "party022005.bmp", true},
    {'E', "Europatag der Schulstationen", "eutag.bmp", true},
    {'F', "Aktivitätswettbewerb Franken", "franken.bmp", true},
    {'J', "Hamburg Contest", "hamburg.bmp", true},
    // The program's own contest: its title is the one of its definition (ContestTitleRow).
    {'.', "", "Domivox.bmp", true},
    {'G', "Hessencontest", "hessen.bmp", true},
    {'R', "Rheinland-Pfalz - Aktivitätsabende", "rheinlandpfalz.bmp", true},
    {'h', "Rheinland-Pfalz - Aktivitätswoche", "rheinlandpfalz.bmp", true},
    {'N', "Nordic Activity Contest", "nac.bmp", true},
    {'S', "Aktivitätswettbewerbe H, S, W", "hsw.bmp", true},
    {'T', "Thüringen-Contest", "thueringen.bmp", true},
    {'L', "Kurzcontest Ruhrgebiet", "ruhrgebiet.bmp", true},
    {'U', "Bayern-Ost-Contest", "boc.bmp", true},
    {'I', "Kurzwellenaktivitätstag Nordsee", "nordsee.bmp", true},
    {'l', "Aktivitätstag Nordsee", "nordsee.bmp", true},
    {'g', "Nordsee-Contest UKW", "nordsee.bmp", true},
    {'Z', "IPARC-Contest", "iparc.bmp", true},
    {'C', "Brandenburg-Berlin-Contest", "bb.bmp", true},
    {'O', "Aktivitätswochenende Schleswig-Holstein", "sh.bmp", true},
    {'Q', "Schwabenkontest", "schwaben.bmp", true},
    {'1', "DARC 10 m-Contest", "darclogo.bmp", true},
    {'z', "Helvetia-Contest", "helvetia.bmp", true},
    {'K', "Herbstcontest Köln-Aachen", "koelnaachen.bmp", true},
    {'A', "Deutscher Telegraphie-Contest", "agcw.bmp", true},
    {'f', "Happy New Year-Contest", "agcw.bmp", true},
    {'s', "QRP/QRP-Party der AGCW", "agcw.bmp", true},
    {'w', "AGCW-DL QRP Contest", "agcw.bmp", true},
    {'Y', "VFDB-Contest", "vfdb.bmp", true},
    {'!', "DLPX-Contest", "vfdb.bmp", true},
    {'o', "VFDB-Aktivitätstage", "vfdb.bmp", true},
    {'2', "Westfalen Nord QRP Aktivitäts Contest", "westfalen-nord.bmp", true},
    {'3', "Westfalen Nord Contest", "westfalen-nord.bmp", true},
    {'c', "Westfalen Nord Aktivitätstag", "westfalen-nord.bmp", true},
    {'y', "Westfalen Süd Aktivitätstag", "westfalen-sued.bmp", true},
    {'4', "Party des Radio Telegraphy Club e.V.", "rtc.bmp", true},
    {'6', "HSC-CW-Contest", "hsc.bmp", true},
    {'v', " Military on the Air Aktivität der MRR", "MRR-Siegel.bmp", true},
    {'7', "DIG-QSO-Party", "digparty.bmp", true},
    {'8', "AGCW - VHF/UHF-Contest", "agcw.bmp", true},
    {'9', "IARU-Region-1-Fieldday", "fieldday.bmp", true},
    {'a', "Nordrhein-Aktivität", "nordrhein.bmp", true},
    {'b', "Original-QRP-Contest", "qrpcc.bmp", true},
    {'d', "SAAR-Contest", "saar.bmp", true},
    {'e', "Nord-Contest", "nord.bmp", true},
    {'i', "Naval-Contest", "", true},
    {'j', "MMMonVHF MS SPRINT CONTEST", "pelmssprint.bmp", false},
    {'k', "QCWA-Party", "qcwa.bmp", true},
    {'m', "Großraum-Mobilwettbewerb 80m", "mobilsh.bmp", true},
    {'n', "IBFD-Aktivitätstag", "ibfd.bmp", true},
    {'p', "DSW-Kurzcontest", "dsw.bmp", true},
    {'r', "YL-Party", "yllogo.bmp", true},
    {'u', "DARC-Ausbildungs-Contest", "wag.bmp", true},
    {'W', "Worked All Germany (WAG) Contest", "wag.bmp", true},
};

struct RulesFileRow {
  char code;
  std::string_view file;
};

constexpr RulesFileRow kDocuments[] = {{'Z', "IPARC-Contest-d-e.pdf"},
                                       {'m', "AUSSCHREIBUNG MOBILTEST.pdf"}};
constexpr RulesFileRow kLocalTexts[] = {{'2', "WNQACr.rtf"},
                                        {'3', "WNCr.rtf"},
                                        {'I', "kwnordseeR.rtf"},
                                        {'N', "nacr.rtf"},
                                        {'g', "ukwnordseer.rtf"}};
// Any other code without a web page.
constexpr std::string_view kDefaultLocalText = "MVPR.RTF";

constexpr std::string_view kWebPageCodes = "!.1456789ABCDEFGHJKLOPQRSTUVWXYabcdefhijklopqrstuvwyz";

const RulesFileRow* FindFile(const auto& rows, char code) {
  const auto it = std::find_if(std::begin(rows), std::end(rows),
                               [code](const RulesFileRow& r) { return r.code == code; });
  return it == std::end(rows) ? nullptr : &*it;
}

}  // namespace

const ContestTitleRow* FindContestTitle(char code) {
  const auto it = std::find_if(std::begin(kTitles), std::end(kTitles),
                               [code](const ContestTitleRow& r) { return r.code == code; });
  return it == std::end(kTitles) ? nullptr : &*it;
}

RulesSource RulesSourceOf(char code) {
  if (code != 0 && kWebPageCodes.find(code) != std::string_view::npos) {
    return RulesSource::kWebPage;
  }
  if (FindFile(kDocuments, code) != nullptr) return RulesSource::kDocument;
  return RulesSource::kLocalText;
}

std::string_view RulesFile(char code) {
  switch (RulesSourceOf(code)) {
    case RulesSource::kWebPage:
      return {};
    case RulesSource::kDocument:
      return FindFile(kDocuments, code)->file;
    case RulesSource::kLocalText:
      break;
  }
  const RulesFileRow* row = FindFile(kLocalTexts, code);
  return row != nullptr ? row->file : kDefaultLocalText;
}

}  // namespace contest
