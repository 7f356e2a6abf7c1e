// The help glue: the address of a compiled help page, starting a program or document through
// the desktop with a report of failures, the installation facts gathered at start-up, the debug
// switch with its file "HHDebug.txt", and small text helpers.
//
// This system has no registry, help control, version resources or Windows folders: no help
// library is loaded, the help-control and browser-control facts are empty and "NO", FileVersion
// answers nothing, GetWinDir and GetSysDir are empty, GetTempDir is the system's temporary
// folder. Paths are the system's Windows-1252 texts.
#pragma once

#include <string>
#include <vector>

#include "platform/win_errors.h"

namespace ui {

// The help address: "%20" becomes a blank and blanks are trimmed in file, topic and window; a
// topic gets "/" for "\" and a leading "/" and follows the file after "::"; a window follows
// after ">"; form 1 puts "mk:@MSITStore:" in front, form 2 "ms-its:".
std::string HelpUrl(const std::string& file, const std::string& topic, const std::string& window,
                    int form);

std::string GetWinDir();
std::string GetSysDir();
// The system's temporary folder without a trailing "/" ("/tmp" when TMPDIR names none).
std::string GetTempDir();

// Starts the file with the parameters through the desktop (a document or link alone is opened
// by the program the desktop has for it; with parameters the file is started as a program, the
// parameters split at blanks outside double quotes). On failure DebugOut reports the call and
// GetLastErrorText of the failure, and the answer is false.
bool ShellExec(const std::string& file, const std::string& parameters);
// "[Error:" + code + "] " + the text of the code.
std::string GetLastErrorText(platform::WinError code);
// The text in a warning message box with an OK button; with the debug flag on, also appended
// to the debug file.
void DebugOut(const std::string& text);

// The version numbers and text "a.b.c.d" of a file's version resource: false and empty here.
bool FileVersion(const std::string& file, int& a, int& b, int& c, int& d, std::string& text);
// The release name of the help control for its file version (first match from the top of the
// table, "< 1.0" below the first release).
std::string HhFriendlyVersion(int a, int b, int c, int d);

std::string BoolToYesNo(bool value);
std::string StringOfChar(char ch, int count);
std::string StripLeading(const std::string& text, char ch);
std::string StripTrailing(const std::string& text, char ch);
// Replaces every occurrence in place; answers how many.
int ReplaceAll(std::string& text, const std::string& old_text, const std::string& new_text);
// Whether a file ("$_Temp_$.$$$") can be made and deleted in the folder.
bool CanWriteFolder(const std::string& folder);

// The installation facts, gathered once by Initialise before any window.
struct HelpFacts {
  std::string module_name;  // the program file
  std::string module_dir;   // its folder, no trailing "/"
  std::string run_dir;      // the folder of the program as started
  std::string debug_dir;    // module_dir when writable, else GetTempDir
  bool debug = false;       // "debug.debug" beside the program, or "/debug" / "-debug"
  bool hh_installed = false;
  std::string hh_version, hh_friendly_version;
  bool ie_installed = false;
  std::string ie_version, ie_friendly_version;
  std::vector<std::string> parameters;  // the command line after the program

  std::string DebugFile() const { return debug_dir + "/HHDebug.txt"; }
};

class THelpServices {
 public:
  THelpServices() = delete;
  // Gathers the facts from the command line (arguments[0] the program as started) and the
  // program file's path; with the debug flag on, writes the report to the debug file.
  static void Initialise(const std::vector<std::string>& arguments, const std::string& module_path);
  static const HelpFacts& Facts();
  // The report lines the debug file gets at start-up.
  static std::vector<std::string> DebugReport(const HelpFacts& facts);
};

}  // namespace ui
