// Operation codes of the database driver and the reasons of its lock-conflict question.
//
// Every public driver operation notes its code on the operation stack, so a dump names the
// operation that failed. The high nibble of a code is the operation class, which decides what
// the operation frame does before the work: 0 open (nothing), 1 driver (validity check),
// 2 lock, 3 key and 4 record (validity check and opening the files on demand).
#pragma once

#include <cstdint>

namespace storage {

enum class DriverOp : std::uint16_t {
  kOpen = 0x0027,
  kDestroy = 0x1028,
  kDefineKey = 0x1029,
  kSetAutoKeyField = 0x102A,
  kSetRecLength = 0x1033,
  kClearRecord = 0x1034,
  kCurrentRef = 0x103E,
  kBuildKey = 0x103F,
  kSavePosition = 0x1046,
  kSetRetry = 0x1049,
  kGetRetry = 0x104A,
  kSetSectionParam = 0x104B,
  kEraseFiles = 0x1052,
  kRecordBuffer = 0x105A,
  kSetRebuildProc = 0x1066,
  kSetFlushEachWrite = 0x106C,
  kGetFlushEachWrite = 0x106D,
  kLockFile = 0x2004,
  kUnlockFile = 0x2005,
  kMark = 0x2019,
  kNextKey = 0x301E,
  kPrevKey = 0x301F,
  kFindKeyAndRef = 0x3022,
  kUsedRecs = 0x3036,
  kGetApproxRelPos = 0x306F,
  kGetApproxKeyAndRef = 0x3070,
  kUsedKeys = 0x307B,
  kUpdateRecord = 0x4007,
  kGetRecord = 0x4008,
  kNextRecord = 0x4009,
  kPrevRecord = 0x400A,
  kDeleteRecord = 0x400D,
  kAddRecord = 0x400E,
  kSearchRecord = 0x4010,
  kFindRecord = 0x4012,
  kFirstRecord = 0x401B,
  kLastRecord = 0x401C,
  kRestorePosition = 0x4047,
  // The free routines of the driver system.
  kStartDriverSystem = 0x0026,
  kStopDriverSystem = 0x0060,
  kCloseAllDrivers = 0x0044,
  kFindOpenDriver = 0x0065,
};

inline constexpr int OperationClass(DriverOp op) { return static_cast<std::uint16_t>(op) >> 12; }

// Why the lock-conflict callback is asked; it answers true to go on.
enum RetryReason : int {
  kReasonLocked = 1,         // record or fileblock locked by another user
  kReasonRecordLock = 2,     // the record lock failed (10335)
  kReasonFileLock = 3,       // the fileblock lock failed (10330, 10332)
  kReasonRecordDeleted = 4,  // update: the record was deleted; true adds it anew
  kReasonRebuild = 5,        // open: the index is unusable; true rebuilds it
  kReasonCreate = 6,         // open: the data file is missing; true creates the files
  kReasonDriveNotReady = 7,  // 10110
  kReasonPathNotFound = 8,   // 9900
  // Another station stopped in the middle of a change: the file is repaired (rebuilt) and this
  // driver reopens it; true goes on.
  kReasonRepair = 9,
  // open: the data file is missing although its index is there (the log existed); true creates
  // the files anew.
  kReasonDataMissing = 10,
  // A notice, not a question (the answer is not read): the user declined the repair of reason
  // 9, and the file is neither read nor written until it is repaired.
  kReasonRepairDeclined = 11,
};

}  // namespace storage
