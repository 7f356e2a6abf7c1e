// English country names of the prefix files and their German forms.
#include <array>
#include <string_view>
#include <utility>

#include "logbook/reference/prefix.h"

namespace logbook {
namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// Applied in this order; a later pair sees the result of the earlier ones ("North Macedonia"
// becomes "North Mazedonien" through the earlier "Macedonia").
constexpr std::array kPairs = {
    Pair{"Albania", "Albanien"},
    Pair{"Algeria", "Algerien"},
    Pair{"American Samoa", "amerikanisch Samoa"},
    Pair{"Antarctica", "Antarktis (Südpolargebiet)"},
    Pair{"Antarctic", "Antarktis (Südpolargebiet)"},
    Pair{"Argent.", "Argentinien"},
    Pair{"Argentinia", "Argentinien"},
    Pair{"Argentina", "Argentinien"},
    Pair{"Armenia", "Armenien"},
    Pair{"Australia", "Australien"},
    Pair{"Capital Terr.", "Hauptterritorium"},
    Pair{"External Terr.", "extern.Terr."},
    Pair{"Austria", "Österreich"},
    Pair{"Azerbaijan", "Aserbaidschan"},
    Pair{"Azores", "Azoren"},
    Pair{"Balearic", "Balearische"},
    Pair{"Bangladesh", "Bangladesch"},
    Pair{"Belarus", "Weißrussland"},
    Pair{"Belgium", "Belgien"},
    Pair{"Bolivia", "Bolivien"},
    Pair{"Bosnia-Herzegovina", "Bosnien und Herzegowina"},
    Pair{"Brasil", "Brasilien"},
    Pair{"Britisch Vergin", "Britische Jungfern"},
    Pair{"Bulgaria", "Bulgarien"},
    Pair{"Cambodia", "Kambodscha"},
    Pair{"Cameroon", "Kamerun"},
    Pair{"Canada", "Kanada"},
    Pair{"Canary", "Kanarische"},
    Pair{"Cape Verde", "Kapverdische Inseln"},
    Pair{"Central Africa", "Zentralafrika"},
    Pair{"Central Kiribati", "Zentralkiribati"},
    Pair{"Chad", "Tschad"},
    Pair{"Christmas", "Weihnachts"},
    Pair{"Colombia", "Kolumbien"},
    Pair{"Columbia", "Kolumbien"},
    Pair{"Comoros", "Komoren"},
    Pair{"Congo", "Kongo"},
    Pair{"Corsica", "Korsika"},
    Pair{"Costa Rica", "Costa Rica"},
    Pair{"Crete", "Kreta"},
    Pair{"Croatia", "Kroatien"},
    Pair{"Cuba", "Kuba"},
    Pair{"Cyprus", "Zypern"},
    Pair{"Czech Rep.", "Tschechische Republik"},
    Pair{"Czechoslovakia", "Tschechoslowakei"},
    Pair{"Dem.Rep.of Congo", "Dem.Republik Kongo"},
    Pair{"Denmark", "Dänemark"},
    Pair{"Dominican Rep.:", "Dominikanische Republik:"},
    Pair{"Dominican Republic", "Dominikanische Republik:"},
    Pair{"East Kiribati", "Ostkiribati"},
    Pair{"East Malaysia", "Ost Malaysia"},
    Pair{"East Timor", "Ost-Timor"},
    Pair{"Easter I.", "Osterinsel"},
    Pair{"Egypt", "Ägypten"},
    Pair{"Equatorial Guinea", "Äquatorial Guinea"},
    Pair{"Estonia", "Estland"},
    Pair{"Ethiopia", "Äthiopien"},
    Pair{"Faroe Is.", "Färöer Inseln"},
    Pair{"Fiji", "Fidschi"},
    Pair{"Finland", "Finnland"},
    Pair{"France", "Frankreich"},
    Pair{"French Guiana", "Franz.Guyana"},
    Pair{"French Polynesia", "Franz.Polynesien"},
    Pair{"Gabon", "Gabun"},
    Pair{"GDR", "DDR"},
    Pair{"Georgia", "Georgien"},
    Pair{"Germany", "Deutschland"},
    Pair{"Greece", "Griechenland"},
    Pair{"Greenland", "Grönland"},
    Pair{"Hong Kong", "Hongkong"},
    Pair{"Hungary", "Ungarn"},
    Pair{"Iceland", "Island"},
    Pair{"India", "Indien"},
    Pair{"Indonesia", "Indonesien"},
    Pair{"Iraq", "Irak"},
    Pair{"Northern Ireland", "Nordirland"},
    Pair{"Ireland", "Irland"},
    Pair{"Italy", "Italien"},
    Pair{"Ivory Coast", "Elfenbeinküste"},
    Pair{"Jordan", "Jordanien"},
    Pair{"Kasakhzstan", "Kasachstan"},
    Pair{"Kenya", "Kenia"},
    Pair{"Kyrgyzstan", "Kirgisien"},
    Pair{"Latvia", "Lettland"},
    Pair{"Lebanon", "Libanon"},
    Pair{"Libya", "Libyen"},
    Pair{"Lithuania", "Litauen"},
    Pair{"Luxembourg", "Luxemburg"},
    Pair{"Macao", "Macau"},
    Pair{"Macedonia", "Mazedonien"},
    Pair{"North Macedonia", "Nordmazedonien"},
    Pair{"Madagascar", "Madagaskar"},
    Pair{"Maldives", "Maldiven"},
    Pair{"Mariana Is.", "Marianen Inseln"},
    Pair{"Mauritania", "Mauretanien"},
    Pair{"Mexico", "Mexiko"},
    Pair{"Micronesia", "Mikronesien"},
    Pair{"Moldova", "Moldawien"},
    Pair{"Mongolia", "Mongolei"},
    Pair{"Morocco", "Marokko"},
    Pair{"Mozambique", "Mosambik"},
    Pair{"Myanmar", "Myanmar (Burma)"},
    Pair{"Netherlands", "Niederlande"},
    Pair{"New Caledonia", "Neukaledonien"},
    Pair{"New Zealand", "Neuseeland"},
    Pair{"Nicaragua", "Nikaragua"},
    Pair{"North Korea", "Nordkorea"},
    Pair{"Norway", "Norwegen"},
    Pair{"Palestine", "Palästina"},
    Pair{"Papua New Guinea", "Papua Neu-Guinea"},
    Pair{"Philippines", "Philippinen"},
    Pair{"Poland", "Polen"},
    Pair{"Romania", "Rumänien"},
    Pair{"Russia", "Russland"},
    Pair{"Sardinia", "Sardinien"},
    Pair{"Saudi Arabia", "Saudi Arabien"},
    Pair{"Scotland", "Schottland"},
    Pair{"Serbian Republic", "Serbien"},
    Pair{"Serbia", "Serbien"},
    Pair{"Seychelles", "Seychellen"},
    Pair{"Singapore", "Singapur"},
    Pair{"Slovak.Rep.", "Slowakei"},
    Pair{"Slovenia", "Slowenien"},
    Pair{"South Africa", "Südafrika"},
    Pair{"South Cook", "Süd Cook"},
    Pair{"South Corea", "Südkorea"},
    Pair{"South Korea", "Südkorea"},
    Pair{"Spain", "Spanien"},
    Pair{"Suriname", "Surinam"},
    Pair{"Svalbard", "Spitzbergen"},
    Pair{"Swaziland", "Swasiland"},
    Pair{"Sweden", "Schweden"},
    Pair{"Switzerland", "Schweiz"},
    Pair{"Syria", "Syrien"},
    Pair{"Tajikistan", "Tadschikistan"},
    Pair{"Tanzania", "Tansania"},
    Pair{"Tchetchnia", "Tschetschenien"},
    Pair{"Tunisia", "Tunesien"},
    Pair{"Turkey", "Türkei"},
    Pair{"Turkmenistan", "Turkmenien"},
    Pair{"United Arab.Emirates", "Vereinigte Arabische Emirate"},
    Pair{"United Nations", "Vereinte Nationen (UN)"},
    Pair{"Uzbekistan", "Usbekistan"},
    Pair{"Vatican", "Vatikanstaat"},
    Pair{"Walvis Bay", "Walfischbucht"},
    Pair{"Western Sahara", "Sahara Republik"},
    Pair{"Yemen", "Jemen"},
    Pair{"Yugoslavia", "Serbien und Montenegro"},
    Pair{"Zambia", "Sambia"},
    Pair{"Zanzibar", "ShpAnsibar"},
    Pair{"Zimbabwe", "Simbabwe"},
    Pair{"Foreigners", "Ausländer"},
    Pair{"Spec.Station", "Spezialstation"},
    Pair{"I.", "Insel"},
    Pair{"Is.", "Inseln"},
    Pair{"City", "Stadt"},
};

bool IsWordBoundary(char c) {
  return c == ' ' || c == '(' || c == ')' || c == '-' || c == '.' || c == ':';
}

}  // namespace

std::string ToPrefix::TranslateCountryName(std::string_view name) {
  std::string out(name);
  for (const auto& [english, german] : kPairs) {
    // Only the first occurrence is looked at; it is replaced when it stands as a whole word.
    const auto at = out.find(english);
    if (at == std::string::npos) continue;
    const std::size_t end = at + english.size();
    const bool starts_word = at == 0 || IsWordBoundary(out[at - 1]);
    const bool ends_word = end == out.size() || IsWordBoundary(out[end]);
    if (starts_word && ends_word) out.replace(at, english.size(), german);
  }
  return out;
}

}  // namespace logbook
