// The driver system: the process-wide state of the database driver and its free routines.
//
// One DriverSystem per process, reached through common::Service<DriverSystem> (the program's
// start-up creates it; tests use common::ScopedService, usually with a wrapped engine). It owns
// the engine port, the operation stack, the list of open drivers (in order of opening), the
// open-file ring, the default lock-conflict callback, the base wait of lock-conflict retries and
// the in-progress flag of driver calls. Drivers do not own the system and the system does not own
// the drivers: a driver leaves the list when it is destroyed, and a system that ends first closes
// the files of the drivers still open and detaches them. The system sees its drivers only as
// OpenDriver (open_driver.h); the driver classes lie above it.
//
// Single-threaded by contract, like the whole program.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/driver/driver_engine.h"
#include "storage/driver/open_driver.h"
#include "storage/driver/open_file_ring.h"
#include "storage/driver/operation_stack.h"

namespace storage {

// The lock-conflict callback: file name and reason (RetryReason); true to go on.
using RetryProc = std::function<bool(std::string_view file_name, int reason)>;

inline constexpr const char* kDriverVersion = "05.53";
inline constexpr std::uint32_t kDefaultRetryPauseBase = 30;  // ms

class DriverSystem {
 public:
  // The real engine unless another is given.
  explicit DriverSystem(std::unique_ptr<DriverEngine> engine = MakeRealDriverEngine());
  // Closes the files of every driver still open and detaches the drivers. The dump is the exit
  // procedure's (DriverExitProcedure, storage/driver/debug_stack.h), which runs before: a system
  // that merely ends, as in a test, writes nothing.
  ~DriverSystem();
  DriverSystem(const DriverSystem&) = delete;
  DriverSystem& operator=(const DriverSystem&) = delete;

  DriverEngine& Engine() { return *engine_; }
  DebugStack& Stack() { return *stack_; }
  // The reporting layer installs its own stack (keeping the dump file name it sets).
  void SetStack(std::unique_ptr<DebugStack> stack) {
    stack_ = std::move(stack);
    stack_->AttachSystem(this);
  }

  bool Started() const { return started_; }
  int NetworkMode() const { return network_mode_; }
  OpenFileRing* Ring() { return ring_ ? &*ring_ : nullptr; }

  // The folder (with its trailing separator) put before relative database paths; empty: none.
  void SetStartFolder(std::string folder) { start_folder_ = std::move(folder); }
  const std::string& StartFolder() const { return start_folder_; }

  const RetryProc& DefaultRetryProc() const { return default_retry_proc_; }
  void SetDefaultRetryProc(RetryProc proc);

  std::uint32_t RetryPauseBase() const { return retry_pause_base_; }
  void SetRetryPauseBase(std::uint32_t ms) { retry_pause_base_ = ms; }

  bool QuietStop() const { return quiet_stop_; }
  void SetQuietStop(bool on) { quiet_stop_ = on; }

  bool CallActive() const { return call_active_; }
  void SetCallActive(bool on) { call_active_ = on; }

  // --- the list of open drivers ---
  const std::vector<OpenDriver*>& OpenDrivers() const { return open_drivers_; }
  void Register(OpenDriver* driver);
  void Unregister(OpenDriver* driver);
  bool IsLiveDriver(const OpenDriver* driver) const;
  // True when any open driver of this program holds a record lock or a fileblock lock.
  bool ProgramHoldsLock();

  // --- the outer operation's state while a refused nested call runs (see DriverFrame) ---
  struct SavedCall {
    DebugStack stack;
    bool engine_ok = true;
    int engine_error = 0;
  };
  void SaveOuterCall();
  // Puts the outer operation's state back after a call-out; cheap when nothing was saved.
  void RestoreOuterCall();

  // --- the free routines (also reachable as the free functions below) ---
  bool Start(int network_mode, int page_buffers, int max_files);
  std::string Stop();
  void CloseAll();
  // The routine FindOpenDriver (in its frame; 12364 when none) and the plain lookup.
  OpenDriver* FindOpenRoutine(std::string_view name);
  OpenDriver* FindOpen(std::string_view name);

 private:
  // Frame of a free routine: clears the stack and notes the code; false on re-entry.
  bool EnterFree(std::uint16_t code);
  void LeaveFree();
  void RecordFree(int error);

  std::unique_ptr<DriverEngine> engine_;
  std::unique_ptr<DebugStack> stack_;
  bool started_ = false;
  int network_mode_ = 0;
  std::optional<OpenFileRing> ring_;
  std::string start_folder_;
  RetryProc default_retry_proc_;
  std::uint32_t retry_pause_base_ = kDefaultRetryPauseBase;
  bool quiet_stop_ = false;
  bool call_active_ = false;
  std::vector<OpenDriver*> open_drivers_;
  std::optional<SavedCall> saved_outer_;
};

// --- free routines of the driver system (on common::Service<DriverSystem>) ---

// Starts the engine (network mode 0 or 2, page buffers) with a budget of `max_files` operating-
// system files. False and the error in DriverErrorClass when refused: 28744 already started,
// 28725 wrong engine version, 28698 fewer than 7 files, 24603/24604 engine start failed.
bool StartDriverSystem(int network_mode, int page_buffers, int max_files);
// Stops the driver system and answers the name of the first file still open (with the quiet-stop
// flag set) or an empty text. With drivers open and the flag clear it raises EDBError (28724)
// and the system stays started.
std::string StopDriverSystem();
void CloseAllDrivers();
void SetDefaultRetryProc(RetryProc proc);
bool DriverSystemActive();
bool DriverCallActive();
int DriverErrorClass();
std::uint32_t EngineRetryPauseBase();
void SetEngineRetryPauseBase(std::uint32_t ms);

}  // namespace storage
