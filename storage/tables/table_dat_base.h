// ToDatBase: the base of the data objects, one global object per database.
//
// A data object owns one TdbTreiber per file of its database (a slot each, in file order, made
// on the first open) and offers OpenFiles(mask, skip) and CloseFiles(mask, ...): bit i of the mask
// selects file i. Files open in the database's fixed order, and opening halts at the first file
// that is not opened. The helpers below do the part every data object shares.
#pragma once

#include <memory>

#include "storage/tables/table_treiber.h"

namespace storage {

class ToDatBase {
 public:
  ToDatBase() = default;
  virtual ~ToDatBase() = default;
  ToDatBase(const ToDatBase&) = delete;
  ToDatBase& operator=(const ToDatBase&) = delete;

  bool Marker() const { return marker_; }

 protected:
  // Where the AUTOKEY number of a file's records lies; key 0: the file has none.
  struct AutoKeyField {
    int key = 0;
    int offset = 0;
  };

  // Opens one file into `slot` (making its TdbTreiber when the slot is empty) and answers the
  // OpenResult. After a fresh open (result 0, never after sharing) the AUTOKEY field is declared
  // and flushing after every write is switched on.
  int OpenTable(std::unique_ptr<TdbTreiber>& slot, TreiberOpenParams params, AutoKeyField autokey);
  // Closes one use of the slot's file (TdbTreiber::Free); with force, for every user, and the
  // slot is emptied.
  static void CloseTable(std::unique_ptr<TdbTreiber>& slot, bool skip, bool force);

 private:
  bool marker_ = false;
};

}  // namespace storage
