#include "platform/file_faults.h"

namespace platform {
namespace {

FileFaultPlan* current_plan = nullptr;

}  // namespace

bool FaultRule::Hit() {
  ++calls;
  if (fail_at == 0) return false;
  const bool hit = calls == fail_at || (sticky && calls > fail_at);
  if (hit && on_hit != nullptr) on_hit();
  return hit;
}

FileFaultPlan* CurrentFileFaults() { return current_plan; }

ScopedFileFaults::ScopedFileFaults(FileFaultPlan* plan) : previous_(current_plan) {
  current_plan = plan;
}

ScopedFileFaults::~ScopedFileFaults() { current_plan = previous_; }

}  // namespace platform
