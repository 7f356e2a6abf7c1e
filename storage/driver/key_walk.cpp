#include "storage/driver/key_walk.h"

namespace storage {

void KeyWalk::Reset() {
  key_ = 0;
  positioned_ = 0;
  beyond_end_ = 0;
  image_.clear();
  from_end_ = {};
  passed_ = {};
  ended_ = 0;
}

void KeyWalk::Deliver(int key, const KeyEntry& entry) {
  key_ = key;
  positioned_ = key;
  beyond_end_ = 0;
  entry_ = entry;
  image_.clear();
  passed_ = {};
  ended_ = 0;
}

void KeyWalk::DeliverDamaged(int key, const KeyEntry& from,
                             std::span<const std::uint8_t> walk_record) {
  if (key_ != key || image_.empty()) image_.assign(walk_record.begin(), walk_record.end());
  if (&from != &entry_) entry_ = from;
  key_ = key;
  positioned_ = 0;
  beyond_end_ = 0;
  passed_ = {};
  ended_ = 0;
  delivered_damaged_ = true;
}

void KeyWalk::BeginFromEnd(int key, bool forward, std::uint64_t stamp, int repairs) {
  from_end_ = {key, forward, 0, stamp, repairs};
  passed_ = {};
  ended_ = 0;
}

void KeyWalk::StepBegins(int key, bool forward) {
  if (from_end_.key == key && (from_end_.forward != forward || key_ != key)) from_end_ = {};
}

void KeyWalk::CountStep(int key, bool delivered) {
  if (from_end_.key != key) return;
  if (delivered && key_ == key && !delivered_damaged_) {
    ++from_end_.entries;
  } else {
    from_end_ = {};  // a damaged record comes where its entry stood, then the repair
  }
}

std::optional<KeyWalk::FromEnd> KeyWalk::EndFromEnd(int key, bool forward) {
  if (from_end_.key != key || from_end_.forward != forward) return std::nullopt;
  const FromEnd run = from_end_;
  from_end_ = {};
  return run;
}

void KeyWalk::End(int key) {
  passed_ = {};
  beyond_end_ = 0;
  ended_ = key;
  told_end_ = true;
}

void KeyWalk::Repaired(std::optional<std::int32_t> renumbered_ref) {
  from_end_ = {};
  positioned_ = 0;
  if (passed_.key != 0) passed_.repaired = true;
  if (key_ == 0 || !renumbered_ref) return;
  entry_.ref = *renumbered_ref;
  if (entry_.ref < 0) key_ = 0;
}

}  // namespace storage
