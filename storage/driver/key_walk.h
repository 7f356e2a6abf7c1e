// KeyWalk: the state of a driver's key walks, changed only by the events below, each saying what
// it does to the walk.
//
// - Where the next step of a key goes on from: the entry the walk delivered last, as long as the
//   current record is current through it (and, while a damaged record delivered in its place is
//   current, the image of the walk's own record, by which a repair that renumbers the records
//   finds it again).
// - The key the current record was positioned through: read through that key's entry, by a step
//   or by a search, so that the engine's position of the key stands on that entry and the next
//   step of the key goes on from the position without finding the entry again. Any other way the
//   record becomes current, and any move of the key's position the driver makes on its own, drops
//   it.
// - The key a step found at its end (no entry beyond the walk's in the step's direction): its
//   position stands beyond its ends, where the engine's next step of the key gives the first
//   entry forwards and the last backwards, so the walk's next step of it begins anew at that end.
//   Whatever makes a record current, and any move of the key's position, ends that.
// - The walk from one end of a key towards the other, which counts its entries against the key's
//   header at the other end (walk_count.cpp).
// - Damage that may have taken the walk of a key past entries it cannot come back to ("passed"):
//   its next step, after the repair, goes on only when the repaired key shows that it passed none;
//   otherwise the walk ends with the damage error, and so does every further step of that key
//   until a walk begins anew, without another repair of the files. A step before the repair (none
//   runs while the program holds a lock of the file) meets the damage again. A repair by another
//   station counts as this station's own: the files' repair mark (IFbiDriver::RepairMark) tells
//   it, and a walk from the end over files somebody else repaired meanwhile may have passed
//   entries as well.
//
// A reopen of the files leaves the walk as it is but for the positioned key (a closed fileblock
// keeps no position): the foreign-change stamp moves when the files changed while they were closed
// (IFbiDriver::ForeignChangeStamp), and the entries the walk read by an older stamp then count as
// changed by another station.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace storage {

// An entry of a key: where a walk stands, and the foreign-change stamp when it was read.
struct KeyEntry {
  std::string text;
  std::int32_t ref = -1;
  std::uint64_t stamp = 0;
};

class KeyWalk {
 public:
  // The walk from one end of `key` towards the other in its direction: the entries it delivered,
  // and the foreign-change stamp when it began.
  struct FromEnd {
    int key = 0;
    bool forward = true;
    std::int32_t entries = 0;
    std::uint64_t stamp = 0;
    int repairs = 0;  // the files' repair mark when it began
  };

  // --- what the driver reads ---
  // The entry of `key` the next step goes on from; nullptr when the current record is not current
  // through an entry of `key`.
  const KeyEntry* EntryOf(int key) const { return key_ == key ? &entry_ : nullptr; }
  // Whether a step goes on from a walk's entry of any key.
  bool GoesOn() const { return key_ != 0; }
  // Whether the walk's entry is the current record's (`current`): no damaged record stands in its
  // place.
  bool OnCurrent(std::int32_t current) const {
    return image_.empty() && entry_.ref == current;
  }
  // Whether the current record was positioned through `key`: a step of it goes on from the
  // engine's position of the key, which stands on the record's entry.
  bool Positioned(int key) const { return positioned_ == key; }
  // Whether the last step of `key` found its end, so that its next step begins anew at an end.
  bool BeyondEnd(int key) const { return beyond_end_ == key; }
  std::span<const std::uint8_t> Image() const { return image_; }
  // Whether the walk of `key` met damage that may have taken it past entries.
  bool Passed(int key) const { return passed_.key == key; }
  // The entries the walk from the end delivered before it met that damage; -1 for a walk that
  // strayed.
  std::int32_t PassedDelivered() const { return passed_.delivered; }
  // Whether the files were repaired since the walk met that damage, by this station or by another
  // (the files' repair mark is `repairs` now).
  bool PassedRepaired(int repairs) const { return passed_.repaired || passed_.repairs != repairs; }
  bool Ended(int key) const { return ended_ == key; }
  // What the running operation did: delivered a damaged record (which stays current, and the
  // operation does not run again after the repair), or told the error of a walk that ended over
  // files repaired already (nothing is repaired for it).
  bool DeliveredDamaged() const { return delivered_damaged_; }
  bool ToldEnd() const { return told_end_; }

  // --- the events ---
  // An operation begins.
  void BeginOperation() { delivered_damaged_ = told_end_ = false; }
  // A record is made current otherwise than through an entry of a walk's key (read by its
  // reference or in record order, added, updated), or none is: no walk goes on, and the record is
  // positioned through no key.
  void Reset();
  // The record just made current (after Reset) was read through a search of `key` that left the
  // key's position on its entry (a delete that repositions along the key, a restored position):
  // it is positioned through `key`, though no walk goes on from it.
  void PositionedThrough(int key) { positioned_ = key; }
  // The record of `entry` of `key` is delivered: the walk goes on from it, and it is positioned
  // through `key`.
  void Deliver(int key, const KeyEntry& entry);
  // A damaged record is delivered where the walk of `key`, standing on `from`, found it listed;
  // `walk_record` is the image of the walk's own record, kept while none is kept yet. It is
  // positioned through no key.
  void DeliverDamaged(int key, const KeyEntry& from, std::span<const std::uint8_t> walk_record);
  // The driver moves the position of `key` on its own (NextKey, PrevKey, FindKeyAndRef,
  // GetApproxKeyAndRef): the record is positioned through that key no more.
  void KeyMoved(int key) {
    if (positioned_ == key) positioned_ = 0;
    if (beyond_end_ == key) beyond_end_ = 0;
  }
  // A step of `key` found its end: the key's position stands beyond its ends; the record stays
  // current, positioned through that key no more.
  void AtEnd(int key) {
    KeyMoved(key);
    beyond_end_ = key;
  }
  // The keys' positions are gone or may stand elsewhere (the files are closed or opened, a walk in
  // record order begins): the record is positioned through no key; the walk stays as it is.
  void PositionsLost() { positioned_ = 0; }
  // A walk from one end of `key` begins, at the foreign-change stamp `stamp` and the files' repair
  // mark `repairs`.
  void BeginFromEnd(int key, bool forward, std::uint64_t stamp, int repairs);
  // A step of `key` in the direction `forward` begins: a walk from the end goes on only in its own
  // direction, and only from its own entry.
  void StepBegins(int key, bool forward);
  // A search: a walk from its record is no walk from the end, and no key stands beyond its ends.
  void Search() {
    from_end_ = {};
    beyond_end_ = 0;
  }
  // A step of `key` ended, `delivered` or not: the walk from the end counts the entry, or ends.
  void CountStep(int key, bool delivered);
  // The walk from the end of `key` in the direction `forward` reached the other end: it ends, and
  // comes back for its count; nothing when no such walk runs.
  std::optional<FromEnd> EndFromEnd(int key, bool forward);
  // The walk of `key` may have passed entries, over files not repaired since (their repair mark is
  // `repairs`): the walk from the end had delivered `delivered` (-1: the walk strayed from the
  // tree's order).
  void Pass(int key, std::int32_t delivered, int repairs) {
    passed_ = {key, delivered, false, repairs};
  }
  // The repaired key shows that the walk passed nothing: it goes on.
  void PassedNone() { passed_ = {}; }
  // The walk of `key` ends with the damage error, its files repaired.
  void End(int key);
  // This station repaired the files: the walk from the end counts anew, a walk that may have
  // passed entries may end now, and the record is positioned through no key (finding it again
  // moved the keys' positions). When the repair renumbered the records, the walk's entry names the
  // record `renumbered_ref` (-1: found no more, and the walk no longer goes on from it).
  void Repaired(std::optional<std::int32_t> renumbered_ref);

 private:
  struct PassedWalk {
    int key = 0;
    std::int32_t delivered = -1;
    bool repaired = false;  // by this station
    int repairs = 0;        // the files' repair mark when it passed
  };

  int key_ = 0;  // the key of the walk's entry (0: none)
  KeyEntry entry_;
  int positioned_ = 0;  // the key the current record was positioned through (0: none)
  int beyond_end_ = 0;  // the key whose last step found its end (0: none)
  std::vector<std::uint8_t> image_;
  FromEnd from_end_;
  PassedWalk passed_;
  int ended_ = 0;
  bool delivered_damaged_ = false;
  bool told_end_ = false;
};

}  // namespace storage
