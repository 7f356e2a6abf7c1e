#include "storage/isam/rebuild_lock.h"

#include <algorithm>

#include "storage/isam/dialog_file.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/file_names.h"

namespace storage {
namespace {

std::vector<std::unique_ptr<ExclusiveUse>>& Uses() { return Engine().exclusive; }

ExclusiveUse* FindUse(const std::string& dialog_name) {
  for (const auto& use : Uses()) {
    if (use->dialog_name == dialog_name) return use.get();
  }
  return nullptr;
}

// Whether another handle has the file open: an exclusive open is refused (32) while one has.
// Unshared users hold no rebuild lock once their open is done, only their data file.
bool InUseElsewhere(const std::string& name) {
  platform::File probe;
  return probe.Open(name, platform::FileAccess::kRead, platform::FileShare::kExclusive,
                    platform::FileCreate::kOpenExisting) == platform::kErrorSharingViolation;
}

void TakeExclusive(std::string_view name, bool wait) {
  IsamReset();
  if (!EngineStarted()) {
    Fail(kIsamNotStarted);
    return;
  }
  if (DataPart(name).empty()) {
    Fail(kIsamPathNotFound);
    return;
  }
  if (Engine().network_mode != kNetworkShared) return;
  const FileblockNames names = MakeFileblockNames(name);
  if (ExclusiveUse* held = FindUse(names.dialog)) {
    ++held->depth;
    return;
  }
  auto use = std::make_unique<ExclusiveUse>();
  use->dialog_name = names.dialog;
  EngineOpenMode mode;
  mode.shared = true;
  mode.open_always = true;
  mode.never_locked = kSlotAreaStart;
  if (!OpenDialogFile(use->dialog, names.dialog, mode)) return;
  if (!LockRegionRetry(use->dialog.OsFile(), kRebuildLockOffset, 1, kLockStep,
                      wait ? kHeaderLockLimit : 0) ||
      InUseElsewhere(names.data)) {
    use->dialog.Close();  // the close gives the lock back
    Fail(kIsamOpenLockRefused);
    return;
  }
  Uses().push_back(std::move(use));
}

}  // namespace

bool TakeRebuildLockShared(EngineFile& dialog) {
  if (LockRegionRetry(dialog.OsFile(), kRebuildLockOffset, 1, kLockStep, kHeaderLockLimit,
                      platform::LockKind::kShared)) {
    return true;
  }
  return Fail(kIsamOpenLockRefused);
}

EngineFile* ExclusiveDialog(const std::string& dialog_name) {
  ExclusiveUse* use = FindUse(dialog_name);
  return use == nullptr ? nullptr : &use->dialog;
}

void FileblockTakeExclusive(std::string_view name) { TakeExclusive(name, true); }

void FileblockTryExclusive(std::string_view name) { TakeExclusive(name, false); }

void FileblockReleaseExclusive(std::string_view name) {
  IsamReset();
  const std::string dialog_name = MakeFileblockNames(name).dialog;
  auto& uses = Uses();
  const auto it = std::find_if(uses.begin(), uses.end(),
                               [&](const auto& use) { return use->dialog_name == dialog_name; });
  if (it == uses.end() || --(*it)->depth > 0) return;
  if (!(*it)->dialog.Close()) Fail(kIsamUnlockFileFailed);
  uses.erase(it);
}

}  // namespace storage
