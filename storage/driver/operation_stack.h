// The operation stack: what the driver was doing when something failed.
//
// One object per process (owned by the driver system). Every public driver operation clears it
// on entry and notes its operation code, so the stack always describes the last operation: up to
// four error entries, the highest class met (DriverErrorClass), the driver the operation began
// on, the internal step in progress (position mark) and whether a key entry to be deleted was
// missing. The dump files and error logs written from it belong to the reporting layer, which
// derives from this class; the plain stack's own dump is written by storage/driver/debug_stack.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace storage {

class DriverSystem;
class OpenDriver;

struct ErrorEntry {
  std::int32_t error_class = 0;
  std::int32_t error_number = 0;
  std::uint16_t key_number = 0;
  std::int32_t record_ref = 0;
  std::uint16_t operation_code = 0;
  std::uint16_t position_mark = 0;
  std::uint32_t argument = 0;  // tells the call sites of one recording step apart (1 to 7)
  std::uint8_t status = 0;
  std::uint16_t os_error = 0;     // the engine's last operating-system error
  std::uint16_t system_call = 0;  // the engine's code of the failing primitive
  // The driver concerned (nullptr for the free routines) and its file name when recorded; the
  // pointer identifies the driver only while DriverSystem::IsLiveDriver says it still exists.
  const OpenDriver* driver = nullptr;
  std::string file_name;
  std::string file_path;  // the driver's data file path without extension
};

class DebugStack {
 public:
  static constexpr int kMaxEntries = 4;
  static constexpr const char* kDefaultDumpFile = "IFDErr.Dmp";

  DebugStack() = default;
  virtual ~DebugStack() = default;
  DebugStack(const DebugStack&) = default;
  DebugStack& operator=(const DebugStack&) = default;

  // No entries, class 0, no missing-key mark, no initial driver. The engine's error state is
  // reset by the caller (the driver frame), which owns that word.
  void Clear();

  void SetOperationCode(std::uint16_t code) { operation_code_ = code; }
  std::uint16_t OperationCode() const { return operation_code_; }
  // Sets the position mark and returns the previous one, to be put back when the step ends.
  std::uint16_t SetPositionMark(std::uint16_t mark);
  std::uint16_t PositionMark() const { return position_mark_; }
  void NoteInitialDriver(const OpenDriver* driver);  // only when none is noted yet
  void ForgetInitialDriver() { initial_driver_ = nullptr; }
  const OpenDriver* InitialDriver() const { return initial_driver_; }

  void SetMissingKeyMark() { missing_key_mark_ = true; }
  bool MissingKeyMark() const { return missing_key_mark_; }

  // Adds an entry (class -1: computed from the number). The fifth and later entries of one
  // operation overwrite the fourth. The stack's class becomes the entry's when that is higher.
  void AddError(const ErrorEntry& entry);

  int ErrorClass() const { return error_class_; }
  int EntryCount() const { return count_; }
  // Entry i, 1-based; an empty entry outside 1..EntryCount().
  ErrorEntry GetEntry(int i) const;
  // The 1-based index of the first entry with the highest class; 0 when the stack is empty.
  int DeepestEntry() const;

  void SetDumpFileName(std::string name) { dump_file_name_ = std::move(name); }
  const std::string& DumpFileName() const { return dump_file_name_; }

  // Trace hook, called on entering and leaving every driver operation while tracing is on.
  void SetTrace(std::function<void(const DebugStack&)> trace, bool on);
  bool TraceOn() const { return trace_on_; }
  // Calls the trace procedure; entered again while it runs, it records 28760 and switches
  // tracing off instead.
  virtual void CallErrorProc();

  // Writes what the stack holds to the dump file (to_file) or else to standard output
  // (to_output), only when the class is above 2; called once at program end.
  virtual void WriteDump(bool to_file, bool to_output);

  // The driver system that owns the stack (set by it), so that a dump can tell which of the
  // entries' drivers still exist with their files open; nullptr for a stack of its own.
  void AttachSystem(DriverSystem* system) { system_ = system; }
  DriverSystem* AttachedSystem() const { return system_; }

 private:
  int count_ = 0;
  std::array<ErrorEntry, kMaxEntries> entries_{};
  bool missing_key_mark_ = false;
  const OpenDriver* initial_driver_ = nullptr;
  std::string dump_file_name_ = kDefaultDumpFile;
  std::uint16_t operation_code_ = 0;
  std::uint16_t position_mark_ = 0;
  int error_class_ = 0;
  std::function<void(const DebugStack&)> trace_;
  bool trace_on_ = false;
  bool in_trace_ = false;
  DriverSystem* system_ = nullptr;
};

}  // namespace storage
