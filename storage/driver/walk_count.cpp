// A key walk from one end to the other counts the entries it delivers against the number the
// key's header counts: over a file nobody else changed meanwhile they agree unless the tree is
// damaged (a root, a page or a child pointer that hides a part of it, or sends the walk over a part
// twice) or the header's count is. Walks on a sound file pay one look at that count at their end.
#include "storage/driver/driver_low.h"
#include "storage/isam/isam_errors.h"

namespace storage {

void IFDriverLow::CountStep(int key) {
  if (walk_run_.key != key) return;
  if (Stack().ErrorClass() == 0 && walk_key_ == key && !delivered_damaged_) {
    ++walk_run_.entries;
  } else {
    walk_run_.key = 0;  // a damaged record comes where its entry stood, then the repair
  }
}

std::int32_t IFDriverLow::HeaderEntries(int key, std::uint32_t argument) {
  std::int32_t entries = -1;
  Retried(RetryKind::kRecord, [&] { entries = Engine().UsedKeys(fileblock_, key); });
  if (Engine().Ok()) return entries;
  RecordEngineError(argument, key);
  return -1;
}

bool IFDriverLow::EndsOffCount(int key, bool forward) {
  if (walk_run_.key != key || walk_run_.forward != forward) return false;
  walk_run_.key = 0;
  const int end = Engine().Error();
  const std::int32_t entries = HeaderEntries(key, 4);
  if (entries < 0) return true;
  // Taken after the count was read: a change of another station until then moved the stamp.
  if (entries == walk_run_.entries || ChangedSince(walk_run_.stamp)) {
    Engine().SetError(end);
    return false;
  }
  // A walk from the end that delivered nothing runs again once the files are repaired; any other
  // may have passed entries it cannot come back to.
  if (walk_run_.entries > 0) passed_ = {key, walk_run_.entries};
  RecordError(kIsamKeyHeaderBad, 4, key);
  return true;
}

bool IFDriverLow::PassedNothing(int key) {
  // Only the header's count was wrong when the repaired key holds as many entries as the walk
  // from the end delivered: it goes on from its entry.
  if (passed_.delivered >= 0) {
    const std::int32_t entries = HeaderEntries(key, 5);
    if (entries < 0) return false;
    if (entries == passed_.delivered) {
      passed_.key = 0;
      return true;
    }
  }
  RecordError(kIsamKeyHeaderBad, 5, key);
  return false;
}

}  // namespace storage
