#include "storage/driver/operation_stack.h"

#include "storage/driver/driver_errors.h"

namespace storage {

void DebugStack::Clear() {
  // Called on entering every driver operation: only the entries in use are reset.
  for (int i = 0; i < count_; ++i) entries_[i] = ErrorEntry{};
  count_ = 0;
  missing_key_mark_ = false;
  initial_driver_ = nullptr;
  error_class_ = 0;
  position_mark_ = 0;
}

std::uint16_t DebugStack::SetPositionMark(std::uint16_t mark) {
  const std::uint16_t previous = position_mark_;
  position_mark_ = mark;
  return previous;
}

void DebugStack::NoteInitialDriver(const OpenDriver* driver) {
  if (initial_driver_ == nullptr) initial_driver_ = driver;
}

void DebugStack::AddError(const ErrorEntry& entry) {
  ErrorEntry e = entry;
  if (e.error_class == -1) e.error_class = DriverResultClass(e.error_number);
  e.operation_code = operation_code_;
  e.position_mark = position_mark_;
  if (count_ < kMaxEntries) {
    entries_[count_++] = e;
  } else {
    entries_[kMaxEntries - 1] = e;
  }
  if (e.error_class > error_class_) error_class_ = e.error_class;
}

ErrorEntry DebugStack::GetEntry(int i) const {
  if (i < 1 || i > count_) return {};
  return entries_[i - 1];
}

int DebugStack::DeepestEntry() const {
  int best = 0;
  for (int i = 1; i <= count_; ++i) {
    if (best == 0 || entries_[i - 1].error_class > entries_[best - 1].error_class) best = i;
  }
  return best;
}

void DebugStack::SetTrace(std::function<void(const DebugStack&)> trace, bool on) {
  trace_ = std::move(trace);
  trace_on_ = on;
}

void DebugStack::CallErrorProc() {
  if (!trace_on_) return;
  if (in_trace_) {
    trace_on_ = false;
    ErrorEntry e;
    e.error_class = -1;
    e.error_number = kDrvTraceReentry;
    AddError(e);
    return;
  }
  in_trace_ = true;
  if (trace_) trace_(*this);
  in_trace_ = false;
}

}  // namespace storage
