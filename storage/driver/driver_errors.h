// Error numbers of the database driver, and its error classes.
//
// Driver numbers start at 12288 so that they never meet an engine number; the high nibble of a
// driver number chooses its class (0x3000 not found, 0x4000 lock conflict, 0x5000 to 0x7000 and
// above serious). They travel in the engine's process-wide error word exactly as engine errors
// do, and people see only their low 12 bits (28724 is shown as 52).
#pragma once

namespace storage {

// --- class 1: not found, end, nothing to do (0x3000) ---
inline constexpr int kDrvRecordGone = 12289;   // the current record no longer exists
inline constexpr int kDrvFindNoMatch = 12292;  // FindRecord: next key does not begin with the text
inline constexpr int kDrvRecordChanged = 12309;   // another user changed the current record
inline constexpr int kDrvFileMissing = 12323;     // open: no data file and no leave to create it
inline constexpr int kDrvCreateDeclined = 12328;  // open: the callback declined to create the files
inline constexpr int kDrvNoPhysicalRecord =
    12357;                                      // no used record in that direction of record order
inline constexpr int kDrvNoOpenDriver = 12364;  // FindOpenDriver: no open driver of that name

// --- class 2: lock conflict (0x4000) ---
// EraseFiles while this program holds a lock on any file: the erase is refused like a lock
// conflict (the number is ours; nothing else in the driver needs one of this class).
inline constexpr int kDrvEraseWhileLocked = 16385;

// --- class 4: serious (0x6000) ---
inline constexpr int kDrvUnlockNotLocked =
    24578;  // record unlock with nothing locked (engine 10337)
inline constexpr int kDrvCloseAfterMismatch =
    24590;                                          // close failed after a file/definition mismatch
inline constexpr int kDrvRecLenMismatch = 24591;    // the file's record length differs
inline constexpr int kDrvAutoKeyNotNumber = 24592;  // highest AUTOKEY key does not end in a number
inline constexpr int kDrvStartBuffers = 24603;      // start: the engine refuses the page buffers
inline constexpr int kDrvStartEngine = 24604;       // start: the engine cannot initialise
inline constexpr int kDrvStartFileTable = 24605;    // start: the open-file table cannot be set up
inline constexpr int kDrvNoFileToFree = 24606;      // no file could be freed within the budget
inline constexpr int kDrvInvalidDriver = 24607;     // operation on an object that is not a driver
inline constexpr int kDrvNoKeyTableMemory = 24608;
inline constexpr int kDrvNoBufferMemory = 24609;
inline constexpr int kDrvSectionBuffer = 24610;     // section buffer cannot hold a record
inline constexpr int kDrvKeyUndoFailed = 24642;     // a key could not be changed back
inline constexpr int kDrvKeyTableMismatch = 24653;  // file keys differ from the key table

// --- class 5: serious, a caller's mistake (0x7000) ---
inline constexpr int kDrvNotStarted = 28675;
inline constexpr int kDrvNoPath = 28677;
inline constexpr int kDrvNoKeyTable = 28678;
inline constexpr int kDrvNoRecordBuffer = 28679;
inline constexpr int kDrvNoReadBuffer = 28680;
inline constexpr int kDrvNoBeforeImage = 28681;
// A record length below 21 at open (below 22 when the files open), or a record or buffer
// longer than a record of a file can be (65535 bytes).
inline constexpr int kDrvRecLenRange = 28682;
inline constexpr int kDrvTooManyKeys = 28683;
inline constexpr int kDrvKeyTooLong = 28685;
inline constexpr int kDrvAddLinkNotZero = 28689;     // add: first four bytes of the buffer not 0
inline constexpr int kDrvUndoCountMismatch = 28690;  // update: fewer changed keys than counted
inline constexpr int kDrvUpdateNoCurrent = 28691;
inline constexpr int kDrvUpdateLinkNotZero = 28692;
inline constexpr int kDrvTooFewFiles = 28698;
inline constexpr int kDrvKeyNumberRange = 28709;
inline constexpr int kDrvKeyUndefined = 28710;
inline constexpr int kDrvAutoKeyOutside = 28711;  // AUTOKEY field outside the record buffer
inline constexpr int kDrvDeleteKeyRange = 28714;  // delete with repositioning, bad current key
inline constexpr int kDrvVarLenTooLong = 28716;
inline constexpr int kDrvKeyLengthZero = 28717;
inline constexpr int kDrvRecLenBuffer = 28718;  // fixed record length differs from buffer
inline constexpr int kDrvAutoKeyUndefined = 28721;
inline constexpr int kDrvStopWhileOpen = 28724;
inline constexpr int kDrvEngineVersion = 28725;
inline constexpr int kDrvAutoKeyBuilder = 28726;  // key builder does not end in the number
inline constexpr int kDrvNoKeyBuilder = 28727;
inline constexpr int kDrvAlreadyOpen = 28728;
inline constexpr int kDrvSectionParam = 28739;
inline constexpr int kDrvVarLenTooShort = 28740;
inline constexpr int kDrvNoCurrentPhysical = 28742;
inline constexpr int kDrvVarNoLength = 28743;
inline constexpr int kDrvAlreadyStarted = 28744;
inline constexpr int kDrvVarMinLength = 28754;
inline constexpr int kDrvTraceReentry = 28760;
inline constexpr int kDrvNoName = 28761;
inline constexpr int kDrvReentry = 28770;  // class 1: a driver call is in progress

// Driver error classes (DriverErrorClass).
inline constexpr int kClassOk = 0;
inline constexpr int kClassNotFound = 1;
inline constexpr int kClassLock = 2;
inline constexpr int kClassSerious = 3;  // this and every class above it
inline constexpr int kClassSevere = 4;   // undo failures and the like
inline constexpr int kClassUnknown = 99;

// The class of an error number: engine numbers (below 12288) by the engine's classes, driver
// numbers by their high nibble, 28770 as class 1, anything else 99.
int DriverResultClass(int error);

// The number shown to people: engine numbers as they are, driver numbers by their low 12 bits.
int DriverErrorNumber(int error);

}  // namespace storage
