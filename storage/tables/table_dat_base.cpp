#include "storage/tables/table_dat_base.h"

namespace storage {

int ToDatBase::OpenTable(std::unique_ptr<TdbTreiber>& slot, TreiberOpenParams params,
                         AutoKeyField autokey) {
  if (slot == nullptr) slot = std::make_unique<TdbTreiber>();
  params.owner = this;
  const int result = slot->Open(params);
  if (result == TdbTreiber::kOpened) {
    if (autokey.key > 0) slot->SetAutoKeyField(autokey.key, autokey.offset, params.skip);
    slot->SetFlushEachWrite(true, params.skip);
  }
  return result;
}

void ToDatBase::CloseTable(std::unique_ptr<TdbTreiber>& slot, bool skip, bool force) {
  TdbTreiber::Free(skip, slot, force);
}

}  // namespace storage
