#include "app/eing_contest_extras.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <vector>

#include "common/date_completion.h"
#include "common/date_mask.h"
#include "common/file_ss.h"
#include "common/string_helpers.h"
#include "common/text_file_writer.h"
#include "output/station_file.h"

namespace app {
namespace {

constexpr const char* kNoAge = "Sie haben keine Angabe über Ihr Lebensalter getätigt.";
constexpr const char* kNoAgcw = "Sie haben keine Angabe über die AGCW-Mitgliedschaft getätigt.";
constexpr const char* kNoStation = "Sie haben keine Angaben zur Station getätigt.";
constexpr const char* kDateMask = "dd.mm.yyyy";

// A contest whose extra field is the number at offset 158.
struct NumberField {
  char code;
  const char* label;
  int max_length;
  const char* none_text;                  // shown when the log has no number
  std::array<const char*, 2> none_words;  // texts stored as no number
  const char* warning;                    // for an empty field (stored as none); nullptr: none
  bool ends_save;
};

constexpr NumberField kNumberFields[] = {
    {'.', "Lebensalter:", 2, "99", {"99"}, kNoAge, false},
    {'P', "Lebensalter :", 2, "XX", {"XX"},
     "Sie haben keine Angabe über Ihr DARC-Alter getätigt.", true},
    {'q', "Lebensalter:", 2, "XX", {"XX"}, kNoAge, false},
    {'6', "HSC-Nr:", 4, "NM", {"NM", "0"},
     "Sie haben keine Angabe über die HSC-Mitgliedschaft getätigt.", false},
    {'7', "DIG-Nr:", 4, "0", {"0"},
     "Sie haben keine Angabe über die DIG-Mitgliedschaft getätigt.", false},
    {'f', "AGCW-Nr:", 4, "0", {"0"}, kNoAgcw, false},
    {'w', "AGCW-Nr:", 4, "0", {"NM", "0"}, kNoAgcw, false},
    {'4', "RTC-Nr:", 4, "0", {"0"},
     "Sie haben keine Angabe über die RTC-Mitgliedschaft getätigt.", false},
    {'k', "QCWA-Nr:", 5, "0", {"0"}, nullptr, false},
    {'m', "Teilnehmer-Nr:", 5, "0", {"0"}, "Sie haben keine Teilnehmernummer eingegeben.", false},
};

// A contest whose extra field is the club number text at offset 183.
struct TextField {
  char code;
  const char* label;
};

constexpr TextField kTextFields[] = {{'i', "Naval Club-Kürzel und Nr:"},
                                     {'p', "DSW oder Paddel-Nr:"}};

// A memo of blanks and line breaks only says nothing.
bool BlankText(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

const NumberField* NumberFieldOf(char code) {
  const auto* it = std::find_if(std::begin(kNumberFields), std::end(kNumberFields),
                                [code](const NumberField& f) { return f.code == code; });
  return it != std::end(kNumberFields) ? it : nullptr;
}

const TextField* TextFieldOf(char code) {
  const auto* it = std::find_if(std::begin(kTextFields), std::end(kTextFields),
                                [code](const TextField& f) { return f.code == code; });
  return it != std::end(kTextFields) ? it : nullptr;
}

std::int32_t Number(const contest::TContestKKRec& log) {
  return static_cast<std::int32_t>(log.OperatorNumber.get());
}

void SetNumber(contest::TContestKKRec& log, std::int32_t number) {
  log.OperatorNumber = static_cast<std::uint32_t>(number);
}

void ShowNumberField(const NumberField& f, const contest::TContestKKRec& log,
                     EingContestView& view) {
  view.groupZusatz.visible = true;
  view.lJahre.caption = f.label;
  view.eJahre.max_length = f.max_length;
  // A new log's number is 0: no club number or age is 0, so it shows as not given.
  const std::int32_t number = Number(log);
  view.eJahre.text = number > 0 ? std::to_string(number) : std::string(f.none_text);
}

void ShowTextField(const TextField& f, const contest::TContestKKRec& log, EingContestView& view) {
  view.groupZusatz.visible = true;
  view.lJahre.caption = f.label;
  view.lJahre2.caption = "(max.6 Zeichen)";
  view.lJahre2.visible = true;
  view.eJahre.max_length = 6;
  view.eJahre.text = log.MemberText.str();
}

void ShowQuestion(const char* caption, const char* question, const contest::TContestKKRec& log,
                  EingContestView& view) {
  view.GroupFrage.visible = true;
  view.GroupFrage.caption = caption;
  view.lFrage.caption = question;
  view.eHMja.checked = log.MultiplierFlag != 0;
  view.eHMnein.checked = log.MultiplierFlag == 0;
}

void ShowChoice(const std::array<const char*, 3>& captions, int chosen, EingContestView& view) {
  view.GroupZusatz2.visible = true;
  for (std::size_t i = 0; i < view.rZusatz2.size(); ++i) {
    view.rZusatz2[i].caption = captions[i] != nullptr ? captions[i] : "";
    view.rZusatz2[i].visible = captions[i] != nullptr;
    view.rZusatz2[i].checked = static_cast<int>(i) == chosen;
  }
}

void ShowStation(char code, const contest::TContestKKRec& log, EingContestView& view) {
  view.groupzusatz3.visible = true;
  view.memoStation.text = LoadStationMemo(code, log.Nummer);
  if (code == 'b') {
    view.cBausatz.checked = Number(log) == 2;
    view.cUnikat.visible = true;
    view.cUnikat.checked = Number(log) == 3;
    return;
  }
  view.cBausatz.visible = false;
  if (code == 'v') {
    view.groupzusatz3.caption = "RIG";
    view.legroupzusatz3.visible = true;
    view.egroupzusatz3.visible = true;
    view.egroupzusatz3.max_length = 6;
    view.egroupzusatz3.text = log.MemberText.str();
  }
}

int ChosenIndex(const EingContestView& view) {
  for (std::size_t i = 0; i < view.rZusatz2.size(); ++i) {
    if (view.rZusatz2[i].checked) return static_cast<int>(i);
  }
  return 0;
}

ExtraCheck StoreNumberField(const NumberField& f, const EingContestView& view,
                            contest::TContestKKRec& log) {
  const std::string text = common::UpperCase(common::Trim(view.eJahre.text));
  const bool none = std::any_of(f.none_words.begin(), f.none_words.end(),
                                [&](const char* w) { return w != nullptr && text == w; });
  if (none) {
    SetNumber(log, kNoNumber);
    return {};
  }
  // A text that is no number counts as not given, like an empty one (the field takes digits).
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < 0) {
    SetNumber(log, kNoNumber);
    if (f.warning == nullptr) return {};
    return {f.warning, f.ends_save, EingFocus::eJahre};
  }
  SetNumber(log, number);
  return {};
}

}  // namespace

std::string WithoutBlanks(const std::string& text) {
  std::string out = text;
  std::erase(out, ' ');
  return out;
}

bool IsDistrictUDok(const std::string& dok) {
  static constexpr std::array<std::string_view, 6> kSpecial = {"Z16", "Z44", "Z64",
                                                               "Z76", "BBT", "DB0"};
  const std::string d = common::UpperCase(common::Trim(dok));
  if (!d.empty() && d[0] == 'U') return true;
  return std::find(kSpecial.begin(), kSpecial.end(), d) != kSpecial.end();
}

void AnswerDistrictQuestion(const std::string& dok, contest::TContestKKRec& log,
                            EingContestView& view) {
  if (IsDistrictUDok(dok)) log.MultiplierFlag = 255;
  view.eHMja.checked = log.MultiplierFlag != 0;
  view.eHMnein.checked = log.MultiplierFlag == 0;
}

void ShowExtras(char code, contest::TContestKKRec& log, EingContestView& view) {
  view.groupZusatz.visible = false;
  view.lJahre2.visible = false;
  view.GroupZusatz2.visible = false;
  view.groupboxdatum.visible = false;
  view.GroupFrage.visible = false;
  view.groupzusatz3.visible = false;
  view.cUnikat.visible = false;
  view.legroupzusatz3.visible = false;
  view.egroupzusatz3.visible = false;

  if (const NumberField* f = NumberFieldOf(code)) ShowNumberField(*f, log, view);
  if (const TextField* f = TextFieldOf(code)) ShowTextField(*f, log, view);
  switch (code) {
    case 'P':
      view.rPR.caption = "DIGI";
      break;
    case 'Y':
      ShowChoice({"S: Single = Single OP", "M: Multi = Multi OP", "SWL:"},
                 std::clamp(Number(log), 0, 2), view);
      break;
    case 'z':
      ShowChoice({"Teilnehmer in Schweiz", "Teilnehmer im Ausland", nullptr},
                 Number(log) == 1 ? 1 : 0, view);
      view.leDOK.caption = "Kanton";
      break;
    case 'W': {
      view.groupboxdatum.visible = true;
      const std::int32_t date = Number(log);
      view.edatum.text = date > 0 ? common::DateToDateString(date, kDateMask, {}) : std::string();
      break;
    }
    case 'U':
      ShowQuestion("Distrikt", "Teilnehmer aus Distrikt U?", log, view);
      AnswerDistrictQuestion(log.OwnDOK.str(), log, view);
      break;
    case 'Z':
      ShowQuestion("IPARC", "IPARC-Mitglied ?", log, view);
      break;
    case 'j':
      view.edatumauto.visible = false;
      view.edatumauto.checked = false;
      view.ezeitauto.visible = false;
      view.ezeitauto.checked = false;
      view.crstsnichtsperren.visible = false;
      view.crstsnichtsperren.checked = true;
      ShowStation(code, log, view);
      break;
    case 'b':
    case 'v':
      ShowStation(code, log, view);
      break;
    default:
      break;
  }
}

ExtraCheck StoreExtras(char code, const EingContestView& view, int category,
                       contest::TContestKKRec& log) {
  if (const NumberField* f = NumberFieldOf(code)) return StoreNumberField(*f, view, log);
  if (TextFieldOf(code) != nullptr) {
    const std::string text = common::Trim(view.eJahre.text);
    log.MemberText = common::LeftStr(text, 6);
    if (code == 'i' && text.empty() && category != 6) {
      return {"Sie haben keine Angabe über die Naval-Mitgliedschaft getätigt.", false,
              EingFocus::eJahre};
    }
    return {};
  }
  switch (code) {
    case 'Y':
    case 'z':
      SetNumber(log, std::min(ChosenIndex(view), code == 'z' ? 1 : 2));
      return {};
    case 'W': {
      const std::int32_t date =
          common::DateStringToDate(common::CompleteDateText(view.edatum.text), kDateMask);
      SetNumber(log, date > 0 ? date : kNoNumber);
      return {};
    }
    case 'U':
    case 'Z':
      log.MultiplierFlag = view.eHMja.checked ? 255 : 0;
      return {};
    case 'b':
    case 'j':
    case 'v': {
      if (code == 'b') SetNumber(log, view.cUnikat.checked ? 3 : view.cBausatz.checked ? 2 : 0);
      if (code == 'v') log.MemberText = common::LeftStr(common::Trim(view.egroupzusatz3.text), 6);
      if (BlankText(view.memoStation.text)) {
        return {kNoStation, true, EingFocus::memoStation};
      }
      return {};
    }
    default:
      return {};
  }
}

std::string LoadStationMemo(char code, std::int32_t nummer) {
  // A log not saved yet has no file; one of number 0 would be another log's leftover.
  if (nummer <= 0) return {};
  const std::string name = output::StationFileName(code, static_cast<std::uint32_t>(nummer));
  if (name.empty()) return {};
  std::string memo;
  for (const std::string& line : common::ReadTextLines(name)) {
    if (!memo.empty()) memo += "\r\n";
    memo += line;
  }
  return memo;
}

bool SaveStationMemo(char code, std::int32_t nummer, const std::string& memo) {
  const std::string name = output::StationFileName(code, static_cast<std::uint32_t>(nummer));
  if (name.empty() || BlankText(memo)) return true;
  std::vector<std::string> lines;
  std::string_view rest = memo;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  return common::WriteTextFile(name, lines);
}

}  // namespace app
