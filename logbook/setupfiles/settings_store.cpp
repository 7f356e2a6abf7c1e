#include "logbook/setupfiles/settings_store.h"

#include <memory>

#include "logbook/setupfiles/settings_codec.h"
#include "logbook/setupfiles/setup_cursor.h"
#include "storage/driver/driver_system.h"

namespace logbook {
namespace {

// Positions the cursor on the table's first record; a table without one gets a cleared record.
// Another user may find the table empty at the same moment, so the second look and the addition
// are made under the file lock: the table keeps one settings record.
bool FirstOrAdded(TdbSetup& cursor) {
  if (cursor.GetTreiber() == nullptr) return false;
  if (cursor.First(kSetupAutoreKey)) return true;
  if (storage::DriverErrorClass() != 1) return false;  // not "no record": a failure
  cursor.LockFile();
  if (!cursor.FileLocked()) return false;
  bool found = cursor.First(kSetupAutoreKey);
  if (!found) {
    cursor.Clear();
    found = cursor.Insert();
  }
  cursor.UnlockFile();
  return found;
}

// Both records, as the tables hold them now.
struct Records {
  std::unique_ptr<PxSetupRecord> main = std::make_unique<PxSetupRecord>();
  std::unique_ptr<PxSetup2Record> more = std::make_unique<PxSetup2Record>();
};

bool Read(TdbSetup& main, TdbSetup& more, Records& records) {
  if (!FirstOrAdded(main) || !FirstOrAdded(more)) return false;
  main.GetRecord0(*records.main);
  more.GetRecord1(*records.more);
  return true;
}

}  // namespace

bool LoadSettings() {
  TdbSetup main(kSetupMain);
  TdbSetup more(kSetupMore);
  Records records;
  if (!Read(main, more, records)) return false;
  SettingsFromSetup(*records.main, *records.more);
  return true;
}

bool SaveSettings(bool keep_variant_byte) {
  Records records;
  for (int attempt = 0; attempt < kSaveAttempts; ++attempt) {
    TdbSetup main(kSetupMain);
    TdbSetup more(kSetupMore);
    if (!Read(main, more, records)) return false;
    SettingsToSetup(*records.main, *records.more, keep_variant_byte);
    main.PutRecord0(*records.main);
    more.PutRecord1(*records.more);
    const bool main_written = main.Update();
    const bool more_written = more.Update();
    if (main_written && more_written) return true;
  }
  return false;
}

}  // namespace logbook
