// Error numbers of the ISAM engine (below 12288; the driver's numbers start at 12288).
//
// The engine reports every failure through IsamOK/IsamError (engine.h) with one of these numbers.
// EngineErrorClass maps a number to the class the driver acts on:
//   0 success, 1 not found or end, 2 lock conflict (retried), 3 and 4 serious.
// Two numbers carry two meanings each, and every place that raises one uses the name of its
// meaning: 10337 (kIsamNoMemoryLockList, kIsamRecordNotLocked) and 10399
// (kIsamTempReadLockRefused, kIsamRebuildRenameRefused).
#pragma once

namespace storage {

// Operating-system conditions.
inline constexpr int kIsamPathNotFound = 9900;      // operating-system error 3
inline constexpr int kIsamTooManyOpenFiles = 9901;  // operating-system error 4
inline constexpr int kIsamFileNotFound = 9903;      // operating-system error 2
inline constexpr int kIsamInvalidHandle = 9904;     // error 6 on read, write, seek, truncate,
                                                    // flush or close
inline constexpr int kIsamInvalidAccess = 9908;     // operating-system error 12 on open

// Engine conditions.
inline constexpr int kIsamTooFewBuffers = 10000;  // fewer than 8 page buffers allocated
inline constexpr int kIsamAddRecordRolledBack = 10001;
inline constexpr int kIsamDeleteRecordRolledBack = 10002;
inline constexpr int kIsamAddKeyRolledBack = 10003;
inline constexpr int kIsamDeleteKeyRolledBack = 10004;
inline constexpr int kIsamIndexUnusable = 10010;      // index cannot be opened, or the data file
                                                      // was not closed properly
inline constexpr int kIsamRecordLengthRange = 10020;  // record length below 21 (or above 65535)
inline constexpr int kIsamNoMemoryKeys = 10030;
inline constexpr int kIsamVarRecBuffer = 10040;    // variable records: no work buffer
inline constexpr int kIsamTooManyKeys = 10050;     // more than 110 keys
inline constexpr int kIsamKeyLengthRange = 10055;  // key length 0 or above 50
inline constexpr int kIsamHeaderKeyCount = 10060;  // data header states 111 or more keys
inline constexpr int kIsamReadOnly = 10065;        // write operation on a read-only fileblock
inline constexpr int kIsamShortRead = 10070;
inline constexpr int kIsamShortWrite = 10075;  // disk full, copy failed, file limit reached
inline constexpr int kIsamNotOpen = 10080;     // close of a fileblock not in the open list
inline constexpr int kIsamNoMemoryFileblock = 10090;
inline constexpr int kIsamNoMemoryOpenList = 10100;
inline constexpr int kIsamDriveNotReady = 10110;    // reserved, never set
inline constexpr int kIsamKeyHeaderBad = 10120;     // key length not whole; also every damaged
                                                    // index page or tree
inline constexpr int kIsamKeyHeaderLength = 10121;  // derived key length outside 1..50
inline constexpr int kIsamKeyHeaderItems = 10122;   // items per page other than 62
inline constexpr int kIsamKeyTooLong = 10125;       // key text longer than the key length
inline constexpr int kIsamRefZero = 10130;
inline constexpr int kIsamRefRange = 10135;   // reference outside 1..slots
inline constexpr int kIsamOsFailure = 10140;  // any other operating-system failure
inline constexpr int kIsamSharedFlushFailed = 10150;
inline constexpr int kIsamCloseFailed = 10160;
inline constexpr int kIsamKeyNumberRange = 10164;
inline constexpr int kIsamFreeChainBad = 10170;
inline constexpr int kIsamSectionChainBad = 10175;  // not a variable record's head, or its
                                                    // section chain is damaged or too long
inline constexpr int kIsamJournalUnreadable = 10180;

// Results of searches and positioning (class 1).
inline constexpr int kIsamKeyNotFound = 10200;
inline constexpr int kIsamRecordLockedRead = 10205;  // bytes 4 onward delivered
inline constexpr int kIsamNoKeyAtOrAfter = 10210;
inline constexpr int kIsamDataHeaderBad = 10215;  // rebuild: data header inconsistent
inline constexpr int kIsamDeleteKeyMissing = 10220;
inline constexpr int kIsamDuplicateKey = 10230;
inline constexpr int kIsamNoNextKey = 10250;
inline constexpr int kIsamNoPositionNext = 10255;
inline constexpr int kIsamNoPrevKey = 10260;
inline constexpr int kIsamNoPositionPrev = 10265;
inline constexpr int kIsamKeyRefAbsent = 10270;
inline constexpr int kIsamApproxEmptyIndex = 10280;
inline constexpr int kIsamRelPosEmptyIndex = 10285;

// Locks, network mode and the dialog file.
inline constexpr int kIsamNoUserSlot = 10306;
inline constexpr int kIsamNetworkMode = 10310;
inline constexpr int kIsamCloseUnlockFile = 10322;
inline constexpr int kIsamCloseUnlockRecords = 10323;
inline constexpr int kIsamWriteLockRefused = 10330;
inline constexpr int kIsamReadLockRefused = 10332;
inline constexpr int kIsamRecordLockRefused = 10335;
// 10337, twice: no memory for the list of locked records while locking one, and an unlock of a
// record this process has not locked (which the driver reports as 24578).
inline constexpr int kIsamNoMemoryLockList = 10337;
inline constexpr int kIsamRecordNotLocked = 10337;
inline constexpr int kIsamUnlockFileFailed = 10340;
inline constexpr int kIsamUnlockTempFailed = 10341;
inline constexpr int kIsamOpenUnlockFailed = 10342;
inline constexpr int kIsamUnlockRecordFailed = 10345;
inline constexpr int kIsamOpenLockRefused = 10355;
inline constexpr int kIsamNoMemoryNetState = 10356;
inline constexpr int kIsamDialogBusy = 10360;
inline constexpr int kIsamDriveLocked = 10390;  // reserved, never set
inline constexpr int kIsamSharedOsFailure = 10397;
inline constexpr int kIsamNoLockHeld = 10398;
// 10399, twice, both lock conflicts (class 2) to the driver, which retries them: the temporary
// read lock of a reading operation not granted, and the rebuild's rename of "DAT" to "SAV"
// refused (another process still has the file open).
inline constexpr int kIsamTempReadLockRefused = 10399;
inline constexpr int kIsamRebuildRenameRefused = 10399;

// Rebuild and repair.
inline constexpr int kIsamNoSaveCopy = 10410;
inline constexpr int kIsamRebuildNoMemory = 10411;
inline constexpr int kIsamRebuildRecordLength = 10412;

// Approximate positioning arguments.
inline constexpr int kIsamApproxArgs = 10420;
inline constexpr int kIsamRelPosArgs = 10425;

inline constexpr int kIsamJournalReadOnly = 10430;
inline constexpr int kIsamDialogReadOnly = 10440;
inline constexpr int kIsamBadHandle = 10445;
inline constexpr int kIsamAlreadyStarted = 10450;
inline constexpr int kIsamBufferCount = 10451;
inline constexpr int kIsamNotStarted = 10455;

// Rebuild outcomes.
inline constexpr int kIsamRebuildStopped = 10460;
inline constexpr int kIsamRebuildFilesLeft = 10465;
inline constexpr int kIsamRebuildKeyBuilder = 10470;
inline constexpr int kIsamRebuildRecordRefused = 10475;
// Writing the rebuild's "MSG" file failed: this number plus the operating-system error.
inline constexpr int kIsamRebuildMessageFile = 9500;

// The class of an engine error number (0 success, 1 not found or end, 2 lock conflict, 3 and 4
// serious).
int EngineErrorClass(int error);

}  // namespace storage
