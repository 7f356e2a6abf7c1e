// The rebuild lock: the rebuild of a fileblock, the repair of an interrupted rebuild and the
// creation of missing files run alone, across processes and across machines.
//
// It is the byte kRebuildLockOffset of the dialog file (dialog_file.h), a file that stays in place
// whatever happens to the data and index files. In network mode every open of a fileblock holds it
// shared while the fileblock's dialog file is open: for the life of a shared or journalled
// fileblock, for the open alone otherwise (an unshared fileblock keeps everyone else out by its
// data file's share mode). A process that renames, creates or repairs the files holds it
// exclusively (FileblockTakeExclusive, engine.h) and then knows that no other process has the
// fileblock open or is opening it, so nobody finds the data file missing halfway through a
// rebuild. Being a byte-range lock it holds on a network file system too, where the stations of
// a site share their logs. In single-user mode nobody shares the files and nothing is locked.
//
// Internal to storage/isam/. Functions return true on success and otherwise leave IsamError set.
#pragma once

#include <memory>
#include <string>

#include "storage/isam/engine_file.h"

namespace storage {

// Exclusive use of one fileblock by this process: its dialog file, opened for the lock.
struct ExclusiveUse {
  std::string dialog_name;
  EngineFile dialog;
  int depth = 1;  // nested takes
};

// Takes the lock shared on the fileblock's open dialog file, waiting up to 3072 ms while another
// process holds it exclusively (10355, a lock conflict).
bool TakeRebuildLockShared(EngineFile& dialog);

// The open dialog file of this process's exclusive use of the fileblock whose dialog file is
// `dialog_name`, or nullptr when it holds none. The process's own opens of the fileblock then take
// no lock, and its creations reset the dialog file instead of deleting it.
EngineFile* ExclusiveDialog(const std::string& dialog_name);

}  // namespace storage
