// A check of a Cabrillo 3.0 file as a sponsor's robot reads it: the file's frame, its tags, the
// claimed score, and every QSO line split at blanks against the tokens the log's layout has.
//
//   EXPECT_EQ(LintCabrillo(bytes, kStandardQso), std::vector<std::string>{});
#pragma once

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace output_test {

// What a token of a QSO line must be.
enum class QsoToken { kFrequency, kMode, kDate, kTime, kCall, kText };

// The QSO lines of the standard layout with a report and one exchange part each way.
inline const std::vector<QsoToken> kStandardQso = {
    QsoToken::kFrequency, QsoToken::kMode, QsoToken::kDate, QsoToken::kTime, QsoToken::kCall,
    QsoToken::kText,      QsoToken::kText, QsoToken::kCall, QsoToken::kText, QsoToken::kText};

// The layout of a contest with two exchange parts each way.
inline const std::vector<QsoToken> kTwoPartQso = {
    QsoToken::kFrequency, QsoToken::kMode, QsoToken::kDate, QsoToken::kTime,
    QsoToken::kCall,      QsoToken::kText, QsoToken::kText, QsoToken::kText,
    QsoToken::kCall,      QsoToken::kText, QsoToken::kText, QsoToken::kText};

namespace lint_detail {

inline bool Digits(const std::string& s, std::size_t from, std::size_t count) {
  if (s.size() < from + count) return false;
  return std::all_of(s.begin() + static_cast<long>(from),
                     s.begin() + static_cast<long>(from + count),
                     [](char c) { return c >= '0' && c <= '9'; });
}

inline bool IsDate(const std::string& s) {
  return s.size() == 10 && Digits(s, 0, 4) && s[4] == '-' && Digits(s, 5, 2) && s[7] == '-' &&
         Digits(s, 8, 2) && s.substr(5, 2) >= "01" && s.substr(5, 2) <= "12" &&
         s.substr(8, 2) >= "01" && s.substr(8, 2) <= "31";
}

inline bool IsTime(const std::string& s) {
  return s.size() == 4 && Digits(s, 0, 4) && s.substr(0, 2) <= "23" && s.substr(2, 2) <= "59";
}

inline bool IsFrequency(const std::string& s) {
  static const std::set<std::string> bands = {"50",   "70",   "144",  "222",  "432",  "902",
                                              "1.2G", "2.3G", "3.4G", "5.7G", "10G",  "24G",
                                              "47G",  "75G",  "122G", "134G", "241G", "LIGHT"};
  return bands.count(s) != 0 || (Digits(s, 0, s.size()) && !s.empty()) ||
         (s.size() > 1 && s.back() == 'M' && Digits(s, 0, s.size() - 1));
}

inline bool IsCall(const std::string& s) {
  return !s.empty() &&
         std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         std::all_of(s.begin(), s.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
         });
}

inline std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::istringstream in(text);
  for (std::string t; in >> t;) tokens.push_back(t);
  return tokens;
}

}  // namespace lint_detail

// The problems of the file, each naming its line; empty when a robot takes it. `qso` is the
// layout's token list; a decimal comma in the claimed score is allowed with `tenths_score`.
inline std::vector<std::string> LintCabrillo(const std::string& bytes,
                                             const std::vector<QsoToken>& qso,
                                             bool tenths_score = false) {
  using namespace lint_detail;
  static const std::set<std::string> tags = {
      "START-OF-LOG",
      "END-OF-LOG",
      "CALLSIGN",
      "CONTEST",
      "CATEGORY-ASSISTED",
      "CATEGORY-BAND",
      "CATEGORY-MODE",
      "CATEGORY-OPERATOR",
      "CATEGORY-POWER",
      "CATEGORY-STATION",
      "CATEGORY-TIME",
      "CATEGORY-TRANSMITTER",
      "CATEGORY-OVERLAY",
      "CERTIFICATE",
      "CLAIMED-SCORE",
      "CLUB",
      "CREATED-BY",
      "EMAIL",
      "GRID-LOCATOR",
      "LOCATION",
      "NAME",
      "ADDRESS",
      "ADDRESS-CITY",
      "ADDRESS-STATE-PROVINCE",
      "ADDRESS-POSTALCODE",
      "ADDRESS-COUNTRY",
      "OPERATORS",
      "OFFTIME",
      "SOAPBOX",
      "QSO",
      "X-QSO",
      "SPECIFIC",  // not of the format, kept for the sponsors that read it
  };
  std::vector<std::string> problems;
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      problems.push_back("the last line does not end with CR LF");
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  if (lines.empty()) return {"empty file"};
  if (lines.front() != "START-OF-LOG: 3.0") problems.push_back("first line: " + lines.front());
  if (lines.back() != "END-OF-LOG:") problems.push_back("last line: " + lines.back());
  std::string previous_moment;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    const std::string where = "line " + std::to_string(n + 1) + ": ";
    if (line.find_first_of("\r\n") != std::string::npos)
      problems.push_back(where + "bare line end");
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) {
      problems.push_back(where + "no tag");
      continue;
    }
    const std::string tag = line.substr(0, colon);
    if (tags.count(tag) == 0) problems.push_back(where + "unknown tag " + tag);
    const std::string value = line.substr(colon + 1);
    if (tag == "START-OF-LOG" && n != 0) problems.push_back(where + "START-OF-LOG again");
    if (tag == "END-OF-LOG" && n + 1 != lines.size())
      problems.push_back(where + "early END-OF-LOG");
    if (tag == "CLAIMED-SCORE") {
      const std::vector<std::string> t = Tokens(value);
      std::string score = t.size() == 1 ? t[0] : "";
      if (tenths_score && score.size() > 2 && score[score.size() - 2] == ',') {
        score.erase(score.size() - 2, 1);
      }
      if (score.empty() || !Digits(score, 0, score.size())) {
        problems.push_back(where + "claimed score " + value);
      }
    }
    if (tag != "QSO") continue;
    const std::vector<std::string> t = Tokens(value);
    if (t.size() != qso.size()) {
      problems.push_back(where + std::to_string(t.size()) + " tokens, want " +
                         std::to_string(qso.size()));
      continue;
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
      bool ok = true;
      switch (qso[i]) {
        case QsoToken::kFrequency:
          ok = IsFrequency(t[i]);
          break;
        case QsoToken::kMode:
          ok = t[i] == "CW" || t[i] == "PH" || t[i] == "FM" || t[i] == "RY" || t[i] == "DG";
          break;
        case QsoToken::kDate:
          ok = IsDate(t[i]);
          break;
        case QsoToken::kTime:
          ok = IsTime(t[i]);
          break;
        case QsoToken::kCall:
          ok = IsCall(t[i]);
          break;
        case QsoToken::kText:
          ok = !t[i].empty();
          break;
      }
      if (!ok) problems.push_back(where + "token " + std::to_string(i + 1) + " " + t[i]);
    }
    const std::string moment = t[2] + t[3];
    if (moment < previous_moment) problems.push_back(where + "before the line above");
    previous_moment = moment;
  }
  return problems;
}

}  // namespace output_test
