// A key walk from one end to the other counts the entries it delivers against the number the
// key's header counts: over a file nobody else changed meanwhile they agree unless the tree is
// damaged (a root, a page or a child pointer that hides a part of it, or sends the walk over a part
// twice) or the header's count is. Walks on a sound file pay one look at that count at their end.
#include <optional>

#include "storage/driver/driver_low.h"
#include "storage/isam/isam_errors.h"

namespace storage {

void IFDriverLow::CountStep(int key) { walk_.CountStep(key, Stack().ErrorClass() == 0); }

std::int32_t IFDriverLow::HeaderEntries(int key, std::uint32_t argument) {
  std::int32_t entries = -1;
  Retried(RetryKind::kRecord, [&] { entries = Engine().UsedKeys(fileblock_, key); });
  if (Engine().Ok()) return entries;
  RecordEngineError(argument, key);
  return -1;
}

bool IFDriverLow::EndsOffCount(int key, bool forward) {
  const std::optional<KeyWalk::FromEnd> run = walk_.EndFromEnd(key, forward);
  if (!run) return false;
  const int end = Engine().Error();
  const std::int32_t entries = HeaderEntries(key, 4);
  if (entries < 0) return true;
  // Taken after the count was read: a change of another station until then moved the stamp, and
  // a repair of another station the repair mark (this station's own starts the count anew).
  const int repairs = RepairMark();
  const bool repaired = repairs != run->repairs;
  if (entries == run->entries || (ChangedSince(run->stamp) && !repaired)) {
    Engine().SetError(end);
    return false;
  }
  // A walk from the end that delivered nothing runs again once the files are repaired; any other
  // may have passed entries it cannot come back to, and ends at once when another station has
  // repaired the files meanwhile.
  if (run->entries > 0 && repaired) {
    walk_.End(key);
  } else if (run->entries > 0) {
    walk_.Pass(key, run->entries, repairs);
  }
  RecordError(kIsamKeyHeaderBad, 4, key);
  return true;
}

bool IFDriverLow::PassedNothing(int key) {
  // Before a repair (none of this station's runs while the program holds a lock of the file) the
  // step meets the damage again, another station's change meanwhile or not: the walk ends only
  // over repaired files, whoever repaired them.
  if (!walk_.PassedRepaired(RepairMark())) {
    RecordError(kIsamKeyHeaderBad, 5, key);
    return false;
  }
  // Only the header's count was wrong when the repaired key holds as many entries as the walk
  // from the end delivered: it goes on from its entry.
  if (walk_.PassedDelivered() >= 0) {
    const std::int32_t entries = HeaderEntries(key, 5);
    if (entries < 0) return false;
    if (entries == walk_.PassedDelivered()) {
      walk_.PassedNone();
      return true;
    }
  }
  walk_.End(key);
  RecordError(kIsamKeyHeaderBad, 5, key);
  return false;
}

}  // namespace storage
