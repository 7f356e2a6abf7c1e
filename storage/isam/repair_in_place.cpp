// The repair of an open fileblock in place: the files a writer stopped in the middle of a change
// left unfinished are mended under the write lock while other processes keep them open. Nothing
// is renamed or replaced and no record moves, so their handles, their record references and
// their locks stay valid; the release of the write lock makes them re-read every header.

#include <limits>
#include <vector>

#include "common/le_int.h"
#include "storage/isam/dialog_file.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/file_names.h"
#include "storage/isam/fileblock.h"
#include "storage/isam/rebuild.h"
#include "storage/isam/rebuild_io.h"
#include "storage/isam/var_record.h"

namespace storage {
namespace {

// The slots of the data file are those its size holds whole: a stopped add may have written its
// record without the header that counts it. A torn last slot is left to the next add.
bool CountSlots(Fileblock& fb) {
  std::int64_t size = 0;
  if (!fb.data.Size(&size)) return false;
  const std::int64_t slots = size / fb.RecordLength() - 1;
  if (slots < 0 || slots > std::numeric_limits<std::int32_t>::max()) {
    return Fail(kIsamDataHeaderBad);
  }
  fb.Data().allocated = static_cast<std::int32_t>(slots);
  fb.Data().header_modified = true;
  return true;
}

// A new free chain of every slot no record occupies: slots a stopped add took from the chain are
// records now, slots a stopped delete freed are on it again, and sections no head refers to join
// it. A record whose chain cannot be read whole is dumped to "MSG" and its slots are freed.
bool RelinkFreeSlots(Fileblock& fb, bool variable, RebuildMessageFile& messages) {
  KeyDesc& d = fb.Data();
  std::vector<bool> used(static_cast<std::size_t>(d.allocated) + 1, false);
  SlotReader reader;
  if (!reader.Init(&fb.data, fb.RecordLength(), d.allocated)) return false;
  RecordWalker walker(reader, fb.RecordLength(), variable);
  const bool walked = WalkRecords(walker, {}, &messages, [&](bool* kept) {
    used[static_cast<std::size_t>(walker.ref())] = true;
    for (const RecRef section : walker.sections()) used[static_cast<std::size_t>(section)] = true;
    *kept = true;
    return true;
  });
  if (!walked) return false;
  RecRef head = -1;
  std::int32_t count = 0;
  for (RecRef ref = d.allocated; ref >= 1; --ref) {
    if (used[static_cast<std::size_t>(ref)]) continue;
    std::uint8_t link[4];
    common::WriteLeInt32(link, head);
    if (!fb.data.Write(fb.RecordOffset(ref), link, 4)) return false;
    head = ref;
    ++count;
  }
  d.first_free = head;
  d.free_count = count;
  d.header_modified = true;
  return true;
}

// Every key empty again. The index file keeps its length, so no process finds fewer frames than
// it has seen; the pages beyond the new trees are simply unused.
bool EmptyKeys(Fileblock& fb) {
  std::int64_t size = 0;
  if (!fb.index.Size(&size)) return false;
  if (fb.frame_size > 0 && size / fb.frame_size - 1 > fb.frames) {
    fb.frames = static_cast<std::int32_t>(size / fb.frame_size - 1);
  }
  for (int k = 1; k <= fb.key_count; ++k) {
    KeyDesc& d = fb.keys[static_cast<std::size_t>(k)];
    d.first_free = -1;
    d.free_count = 0;
    d.allocated = 0;
    d.root = 0;
    d.entries = 0;
    d.header_modified = true;
    d.pos_valid = false;
    d.depth = 0;
  }
  return true;
}

// The repair proper. The marker stays set on disk until the last header is written, so a repair
// that stops is repaired again by the next process.
bool Repair(FileblockHandle handle, Fileblock& fb, bool variable, const RebuildKeyBuilder& builder,
            const RebuildProgress& progress) {
  Engine().pool.DropFileblock(fb);  // nothing cached of the unfinished files is kept
  fb.index_state = IndexState::kFilling;
  if (!MarkModified(fb)) return false;
  // Every other user learns of the repair from the dialog file, not only of a change.
  if (fb.dialog.IsOpen() && !MoveRepairMarkOn(fb.dialog)) return false;
  if (variable && !VarRecBufferEnsure(static_cast<std::size_t>(fb.RecordLength()))) {
    return Fail(kIsamRebuildNoMemory);
  }
  RebuildMessageFile messages(ReplaceExtension(DataPart(fb.data.Name()), kExtMessage));
  if (!CountSlots(fb) || !RelinkFreeSlots(fb, variable, messages) || !EmptyKeys(fb) ||
      !FillIndex(handle, variable, builder, true, progress, messages)) {
    return false;
  }
  fb.index_state = IndexState::kSound;
  return WriteBack(fb, false, true);
}

}  // namespace

void FileblockRepairInPlace(FileblockHandle handle, bool variable, const RebuildKeyBuilder& builder,
                            const RebuildProgress& progress) {
  EngineCall call(handle, kNeedWrite);
  if (!call.ok()) return;
  Fileblock& fb = call.fb();
  if (fb.journal) {
    Fail(kIsamIndexUnusable);  // a journalled fileblock is put right by its journal
    return;
  }
  // Locks act on shared fileblocks only; another fileblock is this process's alone.
  const bool shared = fb.net != nullptr;
  bool unfinished = true;
  if (shared && !NetWriteLockToRepair(fb, &unfinished)) return;
  const bool repaired = !unfinished || Repair(handle, fb, variable, builder, progress);
  if (!repaired) fb.index_state = IndexState::kDamaged;  // the next lock or open says so
  if (shared) {
    // What the repair took in of the stopped writer's work is news to this process as well.
    if (unfinished) ++fb.net->foreign_changes;
    const IsamState outcome = Isam();
    // The release writes what is left and tells every other process to re-read every header.
    NetUnlock(fb);
    if (!repaired) Isam() = outcome;  // the repair's failure stands
  }
}

}  // namespace storage
