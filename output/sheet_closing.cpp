// The end of the summary sheet: the station description of the contests that ask for one, the
// operator's declaration with the date, and the footer.
#include "common/file_ss.h"
#include "output/sheet_text.h"
#include "output/summary_sheet.h"

namespace output {
namespace {

constexpr std::string_view kGermanSignature = "Unterschrift _______________";
constexpr std::string_view kEnglishSignature = "Sign _______________";

}  // namespace

void SummarySheet::WriteStationDescription() {
  const auto number = static_cast<std::int32_t>(log_.OperatorNumber.get());
  switch (Code()) {
    case '8':
      Line(Blanks(10) + "Anzahl gearbeiteter DXCC: " + Number(facts_.lists.dxcc_count));
      Line(Blanks(10) + "Anzahl gearbeiteter Loc : " + Number(facts_.lists.square_count));
      Line(Blanks(10) + "ODX                     : " + facts_.lists.odx);
      Line(" ");
      break;
    case 'b':
      if (number == 2 || number == 3) {
        Line("Im OQRPC habe ich auf dem 80/40/20m-Band");
        Line(number == 2 ? "mit einem von mir selbstgebauten Bausatz teilgenommen."
                         : "mit einem individuellen Unikat teilgenommen.");
        Line(" ");
      }
      WriteStationFile();
      break;
    case 'j':
      WriteStationFile();
      break;
    case 'o':
      Line("Z-DOK: " + facts_.joined_multipliers);
      Line(" ");
      break;
    default:
      break;
  }
}

void SummarySheet::WriteStationFile() {
  if (facts_.station_file.empty()) return;
  const std::vector<std::string> lines = common::ReadTextLines(facts_.station_file);
  if (lines.empty()) return;
  Line(" ");
  Line("Angaben zur Station:");
  for (const std::string& line : lines) Line(line);
  Line(" ");
}

void SummarySheet::WriteDeclaration() {
  if (channel_.English) {
    WriteEnglishDeclaration();
  } else {
    WriteGermanDeclaration();
  }
}

void SummarySheet::AppendOrWrap(std::string& line, const std::string& part,
                                const std::string& wrapped, std::size_t limit) {
  if (line.size() + part.size() < limit) {
    line += part;
    return;
  }
  Line(line);
  Line(" ");
  line = wrapped;
}

void SummarySheet::WriteGermanDeclaration() {
  const OwnStationTexts& s = facts_.station;
  Line("Ich erkläre, dass ich die Regeln für \"" + definition_.Title.str() + "\"");
  Line("beachtet und die Lizenzbestimmungen meines Landes eingehalten habe.");
  Line("Die Angaben des Logs entsprechen der Wahrheit.");
  Line("");
  Line("");
  std::string line = "Ort: " + common::Trim(s.city);
  AppendOrWrap(line, "     Datum: " + facts_.today, "Datum: " + facts_.today, 80);
  // A listener signs with the SWL number whatever class the listener entered in.
  if (Listener()) {
    AppendOrWrap(line, "     SWL :" + s.swl_number, "SWL :" + s.swl_number, 80);
  } else {
    AppendOrWrap(line, "   Call: " + OwnCall(), " Call: " + OwnCall(), 80);
  }
  // The signature stands at column 44 when it fits; the blanks before it stay in a file,
  // which has no place to sign.
  if (channel_.GetChannel() == Channel::kPrinter) {
    const std::string signature(kGermanSignature);
    if (line.size() + signature.size() < 70) {
      line = common::PadRightChar(line, 43, ' ') + signature;
    } else {
      AppendOrWrap(line, signature, signature, 70);
    }
  } else {
    line = common::PadRightChar(line, 43, ' ');
  }
  Line(line);
  Line(" ");
  std::string footer = "Dieses ContestLog wurde mit " + definition_.VersionText.str() + " erstellt.";
  if (!facts_.maker_page.empty()) footer += " (" + facts_.maker_page + ")";
  Line(footer);
  for (int i = 0; i < 3; ++i) Line(" ");
}

void SummarySheet::WriteEnglishDeclaration() {
  const OwnStationTexts& s = facts_.station;
  Line("I affirm that I have observed all rules of ");
  Line(definition_.Title.str() + ".");
  std::string line = " City:" + common::Trim(s.city) + " Date " + facts_.today +
                     (Listener() ? " SWL  " + s.swl_number : " Call " + OwnCall());
  line = common::PadRightChar(line, 50, ' ');
  if (channel_.GetChannel() == Channel::kPrinter) line += kEnglishSignature;
  channel_.BoldOn();
  Line(line);
  channel_.BoldOff();
  Line(" ");
  Line(" ");
  std::string footer = "Printed with Pelorin";
  if (!facts_.maker_page.empty()) footer += " " + facts_.maker_page;
  Line(footer);
}

}  // namespace output
