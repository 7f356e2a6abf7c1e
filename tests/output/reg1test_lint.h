// A lint of REG1TEST files as a contest sponsor's reader takes them: CR LF line ends; the section
// "[REG1TEST;1]" once, its keys once each and in order; "[Remarks]" whose lines open no section;
// "[QSORecords;N]" with N record lines after it, and N the count in "CQSOs="; every record 15
// fields with a date, a time, a call, a mode code, reports and numbers of digits or empty, a
// locator of 0, 4 or 6 characters and numeric points; "CWWLs=" the number of distinct squares
// among the records' locators, or with a square bonus the number of records marked as new
// squares (field 13 "N"); "CWWLB=" that number times the bonus; the records' points adding up to
// "CQSOP="; "CToSc=" the claimed score the caller knows, or without one CQSOP + CWWLB (a contest
// whose score does not multiply).
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/output/golden_file.h"

namespace output_test {

inline const std::vector<std::string>& Reg1TestKeys() {
  static const std::vector<std::string> keys = {
      "TName", "TDate", "PCall", "PWWLo", "PExch", "PAdr1", "PAdr2", "PSect", "Wertungsgruppe",
      "PBand", "PClub", "RName", "RCall", "RAdr1", "RAdr2", "RPoCo", "RCity", "RCoun", "RPhon",
      "RHBBS", "MOpe1", "MOpe2", "STXEq", "SPowe", "SRXEq", "SAnte", "SAntH", "CQSOs", "CQSOP",
      "CWWLs", "CWWLB", "CExcs", "CExcB", "CDXCs", "CDXCB", "CToSc", "CODXC"};
  return keys;
}

// The fields of a line separated by ';'.
inline std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (const char c : line) {
    if (c == ';') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// The value of "key=" in the head, "(missing)" without it.
inline std::string Reg1TestValue(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& line : lines) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return "(missing)";
}

inline std::vector<std::string> LintReg1Test(const std::string& bytes,
                                             std::optional<std::int64_t> claimed = {}) {
  std::vector<std::string> problems;
  auto digits = [](const std::string& t, std::size_t min, std::size_t max) {
    return t.size() >= min && t.size() <= max &&
           std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isdigit(c); });
  };
  if (bytes.size() < 2 || bytes.substr(bytes.size() - 2) != "\r\n") {
    problems.push_back("the file does not end with CR LF");
  }
  const std::vector<std::string> lines = FileLines(bytes);
  const auto begin = std::find(lines.begin(), lines.end(), "[REG1TEST;1]");
  if (begin == lines.end() || std::count(lines.begin(), lines.end(), "[REG1TEST;1]") != 1) {
    problems.push_back("no single [REG1TEST;1]");
    return problems;
  }
  const auto remarks = std::find(begin, lines.end(), "[Remarks]");
  std::vector<std::string> keys;
  for (auto it = begin + 1; it != remarks; ++it) keys.push_back(it->substr(0, it->find('=')));
  if (keys != Reg1TestKeys()) problems.push_back("the head's keys are not the section's, in order");
  const std::string date = Reg1TestValue(lines, "TDate");
  const std::vector<std::string> dates = SplitFields(date);
  if (!(date == "0;0" || (dates.size() == 2 && digits(dates[0], 8, 8) && digits(dates[1], 8, 8)))) {
    problems.push_back("TDate=" + date);
  }
  const auto records = std::find_if(remarks, lines.end(), [](const std::string& l) {
    return l.rfind("[QSORecords;", 0) == 0;
  });
  if (remarks == lines.end() || records == lines.end()) {
    problems.push_back("no [Remarks] before [QSORecords;N]");
    return problems;
  }
  for (auto it = remarks + 1; it != records; ++it) {
    if (!it->empty() && it->front() == '[') problems.push_back("a remark opens a section: " + *it);
  }
  const std::string count = records->substr(12, records->size() - 13);
  const auto written = static_cast<std::size_t>(lines.end() - records - 1);
  if (!digits(count, 1, 9) || std::stoul(count) != written || records->back() != ']') {
    problems.push_back(*records + " over " + std::to_string(written) + " record lines");
  }
  if (SplitFields(Reg1TestValue(lines, "CQSOs"))[0] != count) {
    problems.push_back("CQSOs=" + Reg1TestValue(lines, "CQSOs") + " against " + *records);
  }
  std::set<std::string> squares;
  unsigned long points = 0;
  unsigned long marks = 0;
  for (auto it = records + 1; it != lines.end(); ++it) {
    const std::vector<std::string> f = SplitFields(*it);
    if (f.size() != 15) {
      problems.push_back(std::to_string(f.size()) + " fields: " + *it);
      continue;
    }
    const bool ok = digits(f[0], 6, 6) && digits(f[1], 4, 4) && !f[2].empty() &&
                    digits(f[3], 1, 1) && (f[9].empty() || f[9].size() == 4 || f[9].size() == 6) &&
                    f[9].find(' ') == std::string::npos && digits(f[10], 1, 9) &&
                    (f[12].empty() || f[12] == "N");
    const bool numbers = std::all_of(f.begin() + 4, f.begin() + 8,
                                     [&](const std::string& n) { return digits(n, 0, 4); });
    if (!ok || !numbers) problems.push_back("a record a reader cannot take: " + *it);
    if (ok) points += std::stoul(f[10]);
    if (f[12] == "N") ++marks;
    if (!f[9].empty()) squares.insert(f[9].substr(0, 4));
  }
  const std::vector<std::string> wwls = SplitFields(Reg1TestValue(lines, "CWWLs"));
  const bool bonus = wwls.size() == 3 && digits(wwls[1], 1, 9) && std::stoul(wwls[1]) > 0;
  const unsigned long counted = bonus ? marks : squares.size();
  if (wwls.size() != 3 || wwls[0] != std::to_string(counted)) {
    problems.push_back("CWWLs=" + Reg1TestValue(lines, "CWWLs") + " against " +
                       std::to_string(counted) + (bonus ? " new squares" : " squares"));
  }
  const unsigned long square_bonus = bonus ? counted * std::stoul(wwls[1]) : 0;
  if (Reg1TestValue(lines, "CWWLB") != std::to_string(square_bonus)) {
    problems.push_back("CWWLB=" + Reg1TestValue(lines, "CWWLB") + " against " +
                       std::to_string(square_bonus));
  }
  if (Reg1TestValue(lines, "CQSOP") != std::to_string(points)) {
    problems.push_back("CQSOP=" + Reg1TestValue(lines, "CQSOP") + " against " +
                       std::to_string(points) + " points in the records");
  }
  const std::string total =
      claimed ? std::to_string(*claimed) : std::to_string(points + square_bonus);
  if (Reg1TestValue(lines, "CToSc") != total) {
    problems.push_back("CToSc=" + Reg1TestValue(lines, "CToSc") + " against " + total);
  }
  return problems;
}

}  // namespace output_test
