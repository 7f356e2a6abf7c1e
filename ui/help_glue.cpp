#include "ui/help_glue.h"

#include <sys/utsname.h>

#include <cstdio>
#include <cstdlib>

#include "common/current_folder.h"
#include "common/file_ops.h"
#include "common/string_helpers.h"
#include "platform/desktop.h"
#include "platform/environment.h"
#include "platform/qt/application.h"
#include "platform/qt/message_box.h"

namespace ui {
namespace {

HelpFacts& CurrentFacts() {
  static HelpFacts facts;
  return facts;
}

std::string Cleaned(const std::string& text) {
  return common::Trim(common::ReplaceText(text, "%20", " "));
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

// Parameters split at blanks; double quotes group blanks into one parameter and are dropped.
std::vector<std::string> SplitParameters(const std::string& parameters) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool any = false;
  for (const char ch : parameters) {
    if (ch == '"') {
      quoted = !quoted;
      any = true;
    } else if (ch == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += ch;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

void AppendToDebugFile(const std::string& text) {
  std::FILE* file = std::fopen(common::OsPath(CurrentFacts().DebugFile()).c_str(), "ab");
  if (file == nullptr) return;
  const std::string line = text + "\r\n";
  std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

struct ErrorName {
  platform::WinError code;
  const char* text;
};

constexpr ErrorName kErrorNames[] = {
    {2, "File Not Found"},         {3, "Path Not Found"},
    {5, "Access Denied"},          {8, "Insufficient Memory"},
    {19, "Media Is Write Protected"}, {21, "Device Not Ready"},
    {32, "File In Use"},           {33, "File In Use"},
    {39, "Disk Full"},             {112, "Disk Full"},
    {1150, "Windows Version Incorrect"}, {1151, "Not A Windows Or MSDos Program"},
    {276, "Corrupt File Or Disk"}, {1005, "Corrupt File Or Disk"},
    {1392, "Corrupt File Or Disk"}, {1393, "Corrupt File Or Disk"},
    {1009, "Corrupt Registry"},    {1358, "Corrupt Registry"},
};

struct Release {
  int a, b, c;
  const char* name;
};

// From the newest release down; the first the version reaches names it.
constexpr Release kHhReleases[] = {
    {4, 74, 8857, "1.32"}, {4, 74, 8793, "1.31"}, {4, 74, 8702, "1.3"},
    {4, 73, 8561, "1.22"}, {4, 73, 8474, "1.21a"}, {4, 73, 8412, "1.21"},
    {4, 73, 8252, "1.2"},  {4, 72, 8164, "1.1b"}, {4, 72, 7325, "1.1a"},
    {4, 72, 7323, "1.1"},  {4, 72, 7290, "1.0"},
};

}  // namespace

std::string HelpUrl(const std::string& file, const std::string& topic, const std::string& window,
                    int form) {
  const std::string f = Cleaned(file);
  std::string t = Cleaned(topic);
  const std::string w = Cleaned(window);
  std::string address = f;
  if (!t.empty()) {
    t = common::ReplaceChar(t, '\\', '/');
    if (t.front() != '/') t = "/" + t;
    address = f.empty() ? t : f + "::" + t;
  }
  if (!w.empty()) address += ">" + w;
  if (form == 1) return "mk:@MSITStore:" + address;
  if (form == 2) return "ms-its:" + address;
  return address;
}

std::string GetWinDir() { return ""; }
std::string GetSysDir() { return ""; }

std::string GetTempDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  if (!common::DirectoryExists(folder)) folder = "/tmp";
  return StripTrailing(folder, '/');
}

bool ShellExec(const std::string& file, const std::string& parameters) {
  platform::Shell& shell = platform::CurrentShell();
  const platform::WinError result = parameters.empty()
                                        ? shell.Open(file)
                                        : shell.Start(file, SplitParameters(parameters));
  if (result == platform::kErrorSuccess) return true;
  DebugOut("Function ShellExecute(" + file + ", " + parameters + ")\rReturned: " +
           GetLastErrorText(result));
  return false;
}

std::string GetLastErrorText(platform::WinError code) {
  const char* text = "General Failure";
  for (const ErrorName& e : kErrorNames) {
    if (e.code == code) text = e.text;
  }
  return "[Error:" + std::to_string(code) + "] " + text;
}

void DebugOut(const std::string& text) {
  platform::qt::Application().MessageBox(text, "",
                                         platform::qt::MB_OK | platform::qt::MB_ICONWARNING);
  if (CurrentFacts().debug) AppendToDebugFile(text);
}

bool FileVersion(const std::string&, int& a, int& b, int& c, int& d, std::string& text) {
  a = b = c = d = 0;
  text.clear();
  return false;
}

std::string HhFriendlyVersion(int a, int b, int c, int d) {
  const auto compare = [&](int ra, int rb, int rc) {
    if (a != ra) return a < ra ? -1 : 1;
    if (b != rb) return b < rb ? -1 : 1;
    return c < rc ? -1 : (c > rc ? 1 : 0);
  };
  (void)d;
  const int newest = compare(4, 74, 9273);
  if (newest > 0) return "> 1.33";
  if (newest == 0) return "1.33";
  for (const Release& r : kHhReleases) {
    if (compare(r.a, r.b, r.c) >= 0) return r.name;
  }
  return "< 1.0";
}

std::string BoolToYesNo(bool value) { return value ? "YES" : "NO"; }

std::string StringOfChar(char ch, int count) {
  return count > 0 ? std::string(static_cast<std::size_t>(count), ch) : std::string();
}

std::string StripLeading(const std::string& text, char ch) {
  const std::size_t first = text.find_first_not_of(ch);
  return first == std::string::npos ? "" : text.substr(first);
}

std::string StripTrailing(const std::string& text, char ch) {
  const std::size_t last = text.find_last_not_of(ch);
  return last == std::string::npos ? "" : text.substr(0, last + 1);
}

int ReplaceAll(std::string& text, const std::string& old_text, const std::string& new_text) {
  if (old_text.empty()) return 0;
  int count = 0;
  for (std::size_t at = text.find(old_text); at != std::string::npos;
       at = text.find(old_text, at + new_text.size())) {
    text.replace(at, old_text.size(), new_text);
    ++count;
  }
  return count;
}

bool CanWriteFolder(const std::string& folder) {
  const std::string probe = folder + "/$_Temp_$.$$$";
  std::FILE* file = std::fopen(common::OsPath(probe).c_str(), "wb");
  if (file == nullptr) return false;
  std::fclose(file);
  return common::DeleteFile(probe);
}

void THelpServices::Initialise(const std::vector<std::string>& arguments,
                               const std::string& module_path) {
  HelpFacts facts;
  facts.module_name = module_path;
  facts.module_dir = FolderOf(module_path);
  facts.run_dir = arguments.empty() ? "" : FolderOf(arguments.front());
  facts.debug_dir = CanWriteFolder(facts.module_dir) ? facts.module_dir : GetTempDir();
  facts.debug = common::FileExists(facts.module_dir + "/debug.debug");
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    facts.parameters.push_back(arguments[i]);
    const std::string lower = common::LowerCase(arguments[i]);
    if (lower == "/debug" || lower == "-debug") facts.debug = true;
  }
  // No help control and no browser control on this system: their facts stay empty and "NO".
  CurrentFacts() = facts;
  if (!facts.debug) return;
  for (const std::string& line : DebugReport(facts)) AppendToDebugFile(line);
}

const HelpFacts& THelpServices::Facts() { return CurrentFacts(); }

std::vector<std::string> THelpServices::DebugReport(const HelpFacts& facts) {
  const platform::LocalTime now = platform::CurrentClock().Now();
  char date[32];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d %02d:%02d:%02d", now.day, now.month, now.year,
                now.hour, now.minute, now.second);
  struct utsname host {};
  uname(&host);
  std::string parameters;
  for (const std::string& p : facts.parameters) parameters += (parameters.empty() ? "" : " | ") + p;
  return {StringOfChar('=', 60),
          "Filename: " + facts.DebugFile(),
          std::string("Date: ") + date,
          std::string("Operating System: ") + host.sysname + " " + host.release,
          // The system speaks German (Germany) whatever the machine's locale.
          "SysLocale.DefaultLCID: 0x0407",
          "SysLocale.PriLangID: 0x07",
          "SysLocale.SubLangID: 0x01",
          "DecimalSeparator: ,",
          StringOfChar('-', 60),
          "EXE Path = " + facts.module_dir,
          "Cmdline Param(s) = " + parameters,
          "_RunDir = " + facts.run_dir,
          "_ModuleName = " + facts.module_name,
          "_ModuleDir = " + facts.module_dir,
          "_hhInstalled = " + BoolToYesNo(facts.hh_installed),
          "_hhVerStr = " + facts.hh_version,
          "_hhFriendlyVerStr = " + facts.hh_friendly_version,
          "_ieInstalled = " + BoolToYesNo(facts.ie_installed),
          "_ieVerStr = " + facts.ie_version,
          "_ieFriendlyVerStr = " + facts.ie_friendly_version,
          StringOfChar('=', 60)};
}

}  // namespace ui
