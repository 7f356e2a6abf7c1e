#include "storage/driver/driver_system.h"

#include <algorithm>

#include "common/service.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_names.h"
#include "storage/isam/isam_errors.h"

namespace storage {
namespace {

constexpr int kMinFiles = 7;

DriverSystem& System() { return common::Service<DriverSystem>::Get(); }

}  // namespace

DriverSystem::DriverSystem(std::unique_ptr<DriverEngine> engine)
    : engine_(std::move(engine)),
      stack_(std::make_unique<DebugStack>()),
      default_retry_proc_([](std::string_view, int) { return false; }) {
  stack_->AttachSystem(this);
}

DriverSystem::~DriverSystem() {
  for (OpenDriver* d : open_drivers_) {
    if (d->FilesOpen()) d->CloseFiles();
    d->DetachFromSystem();
  }
  open_drivers_.clear();
  if (started_) engine_->Exit();
}

void DriverSystem::SetDefaultRetryProc(RetryProc proc) {
  default_retry_proc_ = proc ? std::move(proc) : [](std::string_view, int) { return false; };
}

void DriverSystem::Register(OpenDriver* driver) { open_drivers_.push_back(driver); }

void DriverSystem::Unregister(OpenDriver* driver) {
  std::erase(open_drivers_, driver);
  if (ring_) ring_->Remove(driver);
}

bool DriverSystem::IsLiveDriver(const OpenDriver* driver) const {
  return std::any_of(open_drivers_.begin(), open_drivers_.end(),
                     [driver](const OpenDriver* d) { return d == driver; });
}

bool DriverSystem::ProgramHoldsLock() {
  ErrorWordKeeper keep(*engine_);
  const bool held = std::any_of(open_drivers_.begin(), open_drivers_.end(),
                                [](const OpenDriver* d) { return d->HoldsLocks(); });
  keep.Restore();
  return held;
}

void DriverSystem::SaveOuterCall() {
  // Several refused calls from one callback: the running call's state is the first one saved.
  if (saved_outer_) return;
  saved_outer_ = SavedCall{*stack_, engine_->Ok(), engine_->Error()};
}

void DriverSystem::RestoreOuterCall() {
  if (!saved_outer_) return;
  static_cast<DebugStack&>(*stack_) = saved_outer_->stack;
  if (saved_outer_->engine_ok) {
    engine_->ResetError();
  } else {
    engine_->SetError(saved_outer_->engine_error);
  }
  saved_outer_.reset();
}

// --- the free routines ---

bool DriverSystem::EnterFree(std::uint16_t code) {
  const bool nested = call_active_;
  if (nested) SaveOuterCall();
  stack_->Clear();
  engine_->ResetError();
  stack_->SetOperationCode(code);
  if (nested) {
    RecordFree(kDrvReentry);
    return false;
  }
  call_active_ = true;
  return true;
}

void DriverSystem::LeaveFree() { call_active_ = false; }

void DriverSystem::RecordFree(int error) {
  engine_->SetError(error);
  ErrorEntry e;
  e.error_class = -1;
  e.error_number = error;
  e.os_error = static_cast<std::uint16_t>(engine_->LastOsError());
  e.system_call = static_cast<std::uint16_t>(engine_->LastPrimitive());
  stack_->AddError(e);
}

bool DriverSystem::Start(int network_mode, int page_buffers, int max_files) {
  if (!EnterFree(static_cast<std::uint16_t>(DriverOp::kStartDriverSystem))) return false;
  if (started_) {
    RecordFree(kDrvAlreadyStarted);
  } else if (engine_->Version() != kDriverVersion) {
    RecordFree(kDrvEngineVersion);
  } else if (max_files < kMinFiles) {
    RecordFree(kDrvTooFewFiles);
  } else {
    engine_->Init(network_mode, page_buffers);
    if (!engine_->Ok()) {
      RecordFree(engine_->Error() == kIsamNetworkMode ? kDrvStartBuffers : kDrvStartEngine);
    } else {
      ring_.emplace(max_files);
      stack_->SetDumpFileName(DebugStack::kDefaultDumpFile);
      network_mode_ = network_mode;
      started_ = true;
    }
  }
  LeaveFree();
  return stack_->ErrorClass() == 0;
}

std::string DriverSystem::Stop() {
  if (!EnterFree(static_cast<std::uint16_t>(DriverOp::kStopDriverSystem))) return {};
  std::string first_open;
  if (!open_drivers_.empty()) {
    first_open = open_drivers_.front()->FileName();
    if (!quiet_stop_) {
      for (const OpenDriver* d : open_drivers_) {
        engine_->SetError(kDrvStopWhileOpen);
        ErrorEntry e;
        e.error_class = -1;
        e.error_number = kDrvStopWhileOpen;
        e.driver = d;
        e.file_name = d->FileName();
        e.file_path = d->FilePath();
        stack_->AddError(e);
      }
      LeaveFree();
      throw EDBError::FromStack(stack_->ErrorClass(), first_open, *stack_);
    }
  }
  if (started_) {
    for (OpenDriver* d : open_drivers_) {
      if (d->FilesOpen()) d->CloseFiles();
    }
    started_ = false;
    ring_.reset();
    engine_->Exit();
    if (!engine_->Ok()) RecordFree(engine_->Error());
  }
  LeaveFree();
  return first_open;
}

void DriverSystem::CloseAll() {
  if (!EnterFree(static_cast<std::uint16_t>(DriverOp::kCloseAllDrivers))) return;
  for (OpenDriver* d : open_drivers_) {
    if (d->FilesOpen() && d->CloseFiles() != 0) {
      ErrorEntry e;
      e.error_class = -1;
      e.error_number = engine_->Error();
      e.driver = d;
      e.file_name = d->FileName();
      e.file_path = d->FilePath();
      stack_->AddError(e);
    }
  }
  LeaveFree();
}

OpenDriver* DriverSystem::FindOpen(std::string_view name) {
  const std::string wanted = NormaliseDriverName(name);
  for (OpenDriver* d : open_drivers_) {
    if (d->FileName() == wanted) return d;
  }
  return nullptr;
}

OpenDriver* DriverSystem::FindOpenRoutine(std::string_view name) {
  if (!EnterFree(static_cast<std::uint16_t>(DriverOp::kFindOpenDriver))) return nullptr;
  OpenDriver* found = FindOpen(name);
  if (found == nullptr) RecordFree(kDrvNoOpenDriver);
  LeaveFree();
  return found;
}

// --- free functions ---

bool StartDriverSystem(int network_mode, int page_buffers, int max_files) {
  return System().Start(network_mode, page_buffers, max_files);
}

std::string StopDriverSystem() { return System().Stop(); }

void CloseAllDrivers() { System().CloseAll(); }

void SetDefaultRetryProc(RetryProc proc) { System().SetDefaultRetryProc(std::move(proc)); }

bool DriverSystemActive() { return common::Service<DriverSystem>::Exists() && System().Started(); }

bool DriverCallActive() { return common::Service<DriverSystem>::Exists() && System().CallActive(); }

int DriverErrorClass() { return System().Stack().ErrorClass(); }

std::uint32_t EngineRetryPauseBase() { return System().RetryPauseBase(); }

void SetEngineRetryPauseBase(std::uint32_t ms) { System().SetRetryPauseBase(ms); }

}  // namespace storage
