// The dumps written from the operation stack at program end.
//
// The plain DebugStack (the driver module's own) writes the dump "IFDErr.Dmp" in the current
// folder; its WriteDump is defined in debug_stack.cpp. The program installs SpecialDebugStack
// instead (the file manager does, storage/tables/db_functions.h): it writes a short error log in
// the settings' folder ("KV.ERR" when the driver system's start failed, "IFD.ERR" afterwards),
// shows the cause and remedy report of the worst error and closes every driver.
//
// Both write only when the stack's class is above 2 (serious), through the exit procedure at the
// end of the program (below); a file that cannot be opened or written is given up silently.
//
// Plain dump, one header per writing (lines end in CR LF; places are filled with blanks):
//   (empty line)
//   *->  yyyy:mm:dd  hh:mm
//        InitialFileblock  NAME            when an entry concerns another driver than the one
//                                          the operation began on
//   per entry:
//   (empty line)                           when the entry's driver still has its files open,
//        Fileblock  NAME                   these two lines first
//        - Err: N (C)  MP: S/OP  [SP: M  SN: A]  KN: K  RN: R
//        - DF: $HH  DS: $LL  DE: E         failing system call (high and low byte), OS error
//   then
//        - AA: $
//   PosErrorDeleteKey                      when a key entry to be deleted was missing
// N is the shown error number, C its class, S the status, OP the low 12 bits of the operation
// code, M the position mark, A the recording step's argument, K the key, R the record.
//
// Error log of SpecialDebugStack (zero-filled date and time):
//   (empty line)
//   *->  dd/mm/yyyy  hh:mm
//        InitialFileblock  NAME            as above
//   per entry: (empty line and "     Fileblock  NAME" as above), then "     - Err: N"
#pragma once

#include <functional>
#include <string>

#include "storage/driver/operation_stack.h"

namespace storage {

inline constexpr const char* kDumpFileStart = "KV.ERR";     // before the driver system's start
inline constexpr const char* kDumpFileRunning = "IFD.ERR";  // after a successful start

class SpecialDebugStack final : public DebugStack {
 public:
  SpecialDebugStack() = default;

  // With write_log and a serious class: appends the error log, then, when the worst entry is
  // serious, shows its cause and remedy report (storage/driver/error_report.h), calls the
  // before-close procedure, closes every open driver and, for 10070 (index defective), deletes
  // the first entry's index file so that the next start rebuilds it. The second flag (standard
  // output) is not used.
  void WriteDump(bool write_log, bool to_output) override;

  // The folder of the error log (the settings' folder; empty: the current folder).
  void SetLogFolder(std::string folder) { log_folder_ = std::move(folder); }
  const std::string& LogFolder() const { return log_folder_; }
  // The folder of the installation help page, below the program's start folder.
  void SetHelpFolder(std::string folder) { help_folder_ = std::move(folder); }
  // Called after the report and before all drivers are closed; none by default.
  void SetBeforeCloseProc(std::function<void()> proc) { before_close_ = std::move(proc); }

  // The address of the installation help page offered with the access-denied report.
  std::string HelpLink() const;

 private:
  void WriteLog();

  std::string log_folder_;
  std::string help_folder_;
  std::function<void()> before_close_;
};

// The driver system's exit procedure: the operation stack writes its dump (SpecialDebugStack: the
// error log, the report and the closing of all drivers), then every driver still open is closed.
// It must run while the stack still describes the last driver operation, before any data object
// is freed (freeing one runs driver operations, and each clears the stack): the program calls it
// first when it ends, and the file manager's start installs it to run when the process exits
// (std::exit included), where it does nothing once the DriverSystem is gone.
void DriverExitProcedure();

}  // namespace storage
