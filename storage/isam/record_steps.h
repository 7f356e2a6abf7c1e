// The steps of the record operations without their entry and exit guard, for engine operations
// that combine several of them under one guard (the variable-length records of var_record.h).
// Each step sets IsamError as the public operation of engine.h does and answers whether it
// succeeded. Internal to storage/isam/.
#pragma once

#include "storage/isam/fileblock.h"

namespace storage {

// FileblockAddRecord: the new reference, 0 on failure.
RecRef AddRecordStep(Fileblock& fb, const void* record);
// FileblockGetRecord.
bool GetRecordStep(Fileblock& fb, RecRef ref, void* record);
// FileblockGetLockedRecord: false with 10205 when the bytes from 4 on were delivered.
bool GetLockedRecordStep(Fileblock& fb, RecRef ref, void* record);
// FileblockPutRecord.
bool PutRecordStep(Fileblock& fb, RecRef ref, const void* record);
// FileblockDeleteRecord: refuses a record that is free already (10135).
bool DeleteRecordStep(Fileblock& fb, RecRef ref);
// Puts a slot the caller knows to be in use (a section it has just read or written) on the free
// chain, without looking whether it is free already.
bool FreeSlotStep(Fileblock& fb, RecRef ref);

}  // namespace storage
