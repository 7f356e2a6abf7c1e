#include "storage/driver/debug_stack.h"

#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

#include "common/current_folder.h"
#include "common/file_ops.h"
#include "common/file_paths.h"
#include "common/file_ss.h"
#include "common/service.h"
#include "platform/environment.h"
#include "platform/text_codec.h"
#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_system.h"
#include "storage/driver/error_report.h"
#include "storage/driver/open_driver.h"
#include "storage/isam/file_names.h"
#include "storage/isam/isam_errors.h"

namespace storage {
namespace {

std::string Padded(int value, int places, char fill) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < places) text.insert(0, places - text.size(), fill);
  return text;
}

std::string Hex2(unsigned value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
  return text;
}

// The entry's driver, when it still exists under the name it had; entries outlive their
// drivers, and a driver's address may be taken by a later one.
const OpenDriver* LiveDriver(const DriverSystem* system, const OpenDriver* driver,
                             std::string_view name) {
  if (system == nullptr || driver == nullptr) return nullptr;
  for (const OpenDriver* d : system->OpenDrivers()) {
    if (d == driver && d->FileName() == name) return d;
  }
  return nullptr;
}

bool FilesOpen(const DriverSystem* system, const ErrorEntry& e) {
  const OpenDriver* d = LiveDriver(system, e.driver, e.file_name);
  return d != nullptr && d->FilesOpen();
}

// The "InitialFileblock" line, due when an entry concerns another driver than the one the
// operation began on; it names that driver (from an entry of its own, else the live driver).
bool InitialFileblockLine(const DebugStack& stack, std::string& line) {
  const OpenDriver* initial = stack.InitialDriver();
  if (initial == nullptr) return false;
  bool other = false;
  std::string name;
  for (int i = 1; i <= stack.EntryCount(); ++i) {
    const ErrorEntry e = stack.GetEntry(i);
    if (e.driver != initial) {
      other = true;
    } else if (name.empty()) {
      name = e.file_name;
    }
  }
  if (!other) return false;
  if (name.empty() && stack.AttachedSystem() != nullptr &&
      stack.AttachedSystem()->IsLiveDriver(initial)) {
    name = initial->FileName();
  }
  line = "     InitialFileblock  " + name;
  return true;
}

// The lines the dump and the log share: a blank line, the time, the "InitialFileblock" line when
// due, and for each entry a blank line and its "Fileblock" line while its driver's files are
// open, then the entry's own lines.
using EntryLines = std::function<void(const ErrorEntry&, std::vector<std::string>&)>;
std::vector<std::string> StackLines(const DebugStack& stack, const std::string& time,
                                    const EntryLines& entry_lines) {
  std::vector<std::string> lines{"", "*->  " + time};
  std::string initial;
  if (InitialFileblockLine(stack, initial)) lines.push_back(initial);
  for (int i = 1; i <= stack.EntryCount(); ++i) {
    const ErrorEntry e = stack.GetEntry(i);
    if (FilesOpen(stack.AttachedSystem(), e)) {
      lines.emplace_back();
      lines.push_back("     Fileblock  " + e.file_name);
    }
    entry_lines(e, lines);
  }
  return lines;
}

std::vector<std::string> PlainDumpLines(const DebugStack& stack) {
  const platform::LocalTime now = platform::CurrentClock().Now();
  const std::string time = Padded(now.year, 4, ' ') + ":" + Padded(now.month, 2, ' ') + ":" +
                           Padded(now.day, 2, ' ') + "  " + Padded(now.hour, 2, ' ') + ":" +
                           Padded(now.minute, 2, ' ');
  std::vector<std::string> lines =
      StackLines(stack, time, [](const ErrorEntry& e, std::vector<std::string>& out) {
        out.push_back(
            "     - Err: " + std::to_string(DriverErrorNumber(e.error_number)) + " (" +
            std::to_string(e.error_class) + ")  MP: " + std::to_string(e.status) + "/" +
            std::to_string(e.operation_code & 0x0FFF) +
            "  [SP: " + std::to_string(e.position_mark) + "  SN: " + std::to_string(e.argument) +
            "]  KN: " + std::to_string(e.key_number) + "  RN: " + std::to_string(e.record_ref));
        out.push_back("     - DF: $" + Hex2(e.system_call >> 8) + "  DS: $" + Hex2(e.system_call) +
                      "  DE: " + std::to_string(e.os_error));
      });
  // No utility records exist in this system, so the "[AA: $]" form never occurs.
  lines.push_back("     - AA: $");
  if (stack.MissingKeyMark()) lines.push_back("PosErrorDeleteKey");
  return lines;
}

// Writes the lines to a text file named `name`, appending; stops at the first failing write.
void WriteLines(const std::string& name, const std::vector<std::string>& lines) {
  common::TFileSS file(name, 0, false, 0, common::TFileSS::kText);
  if (!file.Open()) return;
  for (const std::string& line : lines) {
    if (!file.Write(line)) break;
  }
  file.Close();
}

}  // namespace

void DebugStack::WriteDump(bool to_file, bool to_output) {
  if (ErrorClass() <= kClassLock) return;
  const std::vector<std::string> lines = PlainDumpLines(*this);
  if (to_file) {
    WriteLines(DumpFileName(), lines);
  } else if (to_output) {
    for (const std::string& line : lines) {
      std::fputs((platform::Cp1252ToUtf8(line) + "\n").c_str(), stdout);
    }
  }
}

std::string SpecialDebugStack::HelpLink() const {
  std::string start;
  if (AttachedSystem() != nullptr) start = AttachedSystem()->StartFolder();
  if (start.empty()) start = common::CurrentFolder();
  return common::AddBackslash(start) + common::AddBackslash(help_folder_) + kInstallHelpPage;
}

void SpecialDebugStack::WriteLog() {
  const platform::LocalTime now = platform::CurrentClock().Now();
  const std::string time = Padded(now.day, 2, '0') + "/" + Padded(now.month, 2, '0') + "/" +
                           Padded(now.year, 4, '0') + "  " + Padded(now.hour, 2, '0') + ":" +
                           Padded(now.minute, 2, '0');
  WriteLines(common::AddBackslash(log_folder_) + DumpFileName(),
             StackLines(*this, time, [](const ErrorEntry& e, std::vector<std::string>& out) {
               out.push_back("     - Err: " + std::to_string(DriverErrorNumber(e.error_number)));
             }));
}

void SpecialDebugStack::WriteDump(bool write_log, bool /*to_output*/) {
  if (ErrorClass() <= kClassLock) return;
  if (write_log) WriteLog();
  const int deepest = DeepestEntry();
  if (deepest == 0) return;
  const ErrorEntry worst = GetEntry(deepest);
  if (worst.error_class <= kClassLock) return;
  const int number = DriverErrorNumber(worst.error_number);
  // Closing all drivers clears the stack: take what is still needed first.
  const std::string first_path = GetEntry(1).file_path;
  ShowCauseAndRemedyReport(number, HelpLink());
  if (before_close_) before_close_();
  if (AttachedSystem() != nullptr) AttachedSystem()->CloseAll();
  // The index goes only after its driver has closed it: an open file would either refuse the
  // deletion or be written back by the close.
  if (number == kIsamShortRead && !first_path.empty()) {
    common::DeleteFile(MakeFileblockNames(first_path).index);
  }
}

void DriverExitProcedure() {
  if (!common::Service<DriverSystem>::Exists()) return;
  DriverSystem& system = common::Service<DriverSystem>::Get();
  system.Stack().WriteDump(true, true);
  system.CloseAll();
}

}  // namespace storage
