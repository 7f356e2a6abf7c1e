// The member lists of the rule object (contest/cont_log_alle.h): the clubs' ';'-separated files
// in the data folder, read once per rule object and only ever changed in memory.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "common/current_folder.h"
#include "common/file_ops.h"
#include "common/string_helpers.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/rule_helpers.h"

namespace contest {
namespace {

constexpr std::int32_t kKindMember = 19;

// The file of the data folder with this name, else one whose name differs only in letter case
// (lists copied from Windows keep their spelling); empty when there is none.
std::string MemberFilePath(std::string_view file_name) {
  const std::string path = TContestFkt::DataDir() + std::string(file_name);
  if (common::FileExists(path)) return path;
  const std::string resolved = common::ResolvePath(path);
  const std::string folder = resolved.substr(0, resolved.rfind('/') + 1);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(common::OsPath(folder), error)) {
    const std::string name = entry.path().filename().string();
    if (common::SameTextShort(name, file_name) && common::FileExists(folder + name)) {
      return folder + name;
    }
  }
  return {};
}

// Field n (1-based) of a line as it stands; none when the line has fewer fields.
std::optional<std::string_view> FieldOf(std::string_view line, int n) {
  for (int i = 1; i < n; ++i) {
    const std::size_t separator = line.find(';');
    if (separator == std::string_view::npos) return std::nullopt;
    line.remove_prefix(separator + 1);
  }
  return line.substr(0, line.find(';'));
}

}  // namespace

bool TContLogAlle::LoadMemberList(std::string_view file_name, int list) {
  std::unique_ptr<std::vector<std::string>>& lines = List(list);
  if (lines) return false;
  lines = std::make_unique<std::vector<std::string>>();
  const std::string path = MemberFilePath(file_name);
  std::ifstream in(common::OsPath(path), std::ios::binary);
  if (path.empty() || !in) return false;
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (end < text.size() && !line.empty() && line.back() == '\r') line.pop_back();
    lines->push_back(std::move(line));
    start = end + 1;
  }
  return true;
}

int TContLogAlle::FindMember(std::string_view file_name, std::string_view call, int list) {
  LoadMemberList(file_name, list);
  const std::string reduced = ReducedCall(call);
  const std::vector<std::string>& lines = *List(list);
  for (std::size_t i = 0; i < lines.size() && !reduced.empty(); ++i) {
    // A line without separator has no call field.
    if (lines[i].find(';') != std::string::npos && common::Trim(*FieldOf(lines[i], 1)) == reduced) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string TContLogAlle::MemberField(int n, int line, int list) const {
  const std::vector<std::string>* lines = MemberList(list);
  if (n < 2 || lines == nullptr || line < 0 || static_cast<std::size_t>(line) >= lines->size()) {
    return {};
  }
  std::string_view rest = (*lines)[static_cast<std::size_t>(line)];
  // Fields are dropped while there are any left, so a short line gives its last one.
  for (int i = 1; i < n && rest.find(';') != std::string_view::npos; ++i) {
    rest.remove_prefix(rest.find(';') + 1);
  }
  return common::Trim(rest.substr(0, rest.find(';')));
}

void TContLogAlle::AddMember(std::string_view value, std::string_view file_name, int list,
                             int column, std::string_view call) {
  const std::string reduced = ReducedCall(call);
  if (reduced.empty() || FindMember(file_name, call, list) >= 0) return;
  List(list)->push_back(reduced +
                        std::string(static_cast<std::size_t>(std::max(column - 1, 0)), ';') +
                        std::string(value));
}

bool TContLogAlle::IsDswMember(std::string_view number) {
  const std::string wanted = common::Trim(number);
  if (wanted.empty()) return false;
  LoadMemberList("dsw.csv", 1);
  for (const std::string& line : *List(1)) {
    const std::optional<std::string_view> field = FieldOf(line, 3);
    if (field && common::Trim(*field) == wanted) return true;
  }
  return false;
}

std::string TContLogAlle::MemberValue(std::string_view file_name, std::string_view call, int list,
                                      int field) {
  const int line = FindMember(file_name, call, list);
  return line < 0 ? std::string() : common::LeftStr(MemberField(field, line, list), 8);
}

std::string TContLogAlle::NavalMember(std::string_view call) {
  LoadMemberList("naval.csv", 1);
  const std::string reduced = ReducedCall(call);
  // The two fields of this list are used as they stand: number first, call second.
  for (const std::string& line : *List(1)) {
    const std::optional<std::string_view> member_call = FieldOf(line, 2);
    if (member_call && !reduced.empty() && *member_call == reduced) {
      return common::LeftStr("MF" + std::string(*FieldOf(line, 1)), 8);
    }
  }
  return {};
}

void TContLogAlle::PrefillDswMember(const TContestRec& definition, std::string_view call,
                                    TdbContestBase& log) {
  const int line = FindMember("dsw.csv", call, 1);
  if (line < 0) return;
  const std::string number = common::LeftStr(MemberField(3, line, 1), 8);
  if (!number.empty()) SetPrefillValue(definition, log, number, kKindMember, false);
  const std::string name = common::LeftStr(MemberField(2, line, 1), 8);
  if (name.empty()) return;
  // The name field holds "name;QTH": the member's name replaces the name part.
  TContestLKRec qso = QsoOf(log);
  const std::string old = qso.NameQth.str();
  const std::size_t separator = old.find(';');
  qso.NameQth = name + (separator == std::string::npos ? std::string() : old.substr(separator));
  log.SetLKWorkingCopy(qso);
}

}  // namespace contest
