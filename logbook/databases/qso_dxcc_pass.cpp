// The renewal of old DXCC assignments (TdbQSO::ReassignDxcc).
#include <string>

#include "common/date_mask.h"
#include "common/dates.h"
#include "common/messages.h"
#include "common/service.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_files.h"
#include "logbook/databases/qso_table.h"

namespace logbook {

struct TdbQSO::Rename {
  const char* old_prefix;
  const char* new_prefix;
  std::int32_t before = 0;            // only QSOs dated before this day (0: all)
  const char* call_part = nullptr;    // only QSOs whose call contains it
};

namespace {

void Notice(const TdbProject& project, const std::string& old_prefix) {
  if (!common::Service<common::ToMessages>::Exists()) return;
  common::Service<common::ToMessages>::Get().Hinweis(
      "Pelorin", "Logbuch " + project.GetName(),
      "Die DXCC-Zuordnung für " + old_prefix +
          " wurde im aktuellen Log geändert. Bauen Sie über den Menüpunkt \"Statistik\" die "
          "Statistik neu auf.",
      false);
}

}  // namespace

int TdbQSO::RenamePass(const Rename& rename) {
  int changed = 0;
  bool found = SeekDxcc(rename.old_prefix);
  while (found && GetFieldText(3) == rename.old_prefix) {
    const std::int32_t date = common::DateStringToDate(GetFieldText(1), "dd.mm.yyyy");
    const bool applies =
        (rename.before == 0 || date < rename.before) &&
        (rename.call_part == nullptr ||
         GetFieldText(2).find(rename.call_part) != std::string::npos);
    if (!applies) {
      // Passed over rather than taken as the end: the DXCC key of the logbook's own layout
      // orders a prefix's QSOs by date, but a foreign layout's need not.
      found = Next(false, true);
      continue;
    }
    // Written as found: a record another user changed in the meantime is refused (12309), and
    // a refused write ends the pass rather than finding the same record again.
    if (!SetFieldText(3, rename.new_prefix) || !StoreAsFound()) {
      break;
    }
    ++changed;
    found = SeekDxcc(rename.old_prefix);
  }
  return changed;
}

int TdbQSO::ReassignDxcc() {
  if (TableKind() != kLogbookLB5 || Project() == nullptr) return 0;
  static const Rename kUndated[] = {
      {"4O3", "4O"},    {"T9", "E7"},     {"ZK1N", "E5/N"}, {"ZK1/N", "E5/N"},
      {"E5", "E5/N"},   {"ZK1S", "E5/S"}, {"ZK1/S", "E5/S"}, {"E50", "E5/S"},
      {"PJ5", "PJ6"},   {"ZK2", "E6"},    {"TX0", "FK/C"},
  };
  const std::int32_t dec2007 = common::DMYToDate(14, 12, 2007);
  const std::int32_t oct2010 = common::DMYToDate(10, 10, 2010);
  const Rename dated[] = {
      {"FJ", "FS", dec2007},          {"PJ2", "PJ2-", oct2010},        {"PJ7", "PJ7-", oct2010},
      {"PJ5", "PJ6", oct2010},        {"PJ2", "PJ4", oct2010, "PJ4"},  {"PJ7", "PJ6", oct2010, "PJ6"},
  };
  int changed = 0;
  for (const Rename& r : kUndated) changed += RenamePass(r);
  for (const Rename& r : dated) {
    const int n = RenamePass(r);
    if (n > 0) Notice(*Project(), r.old_prefix);
    changed += n;
  }
  return changed;
}

int ReassignDxccOf(TdbProject& project) {
  TdbQSO log(&project, 0, TdbQSO::FileTable{kLogbookLB5}, 0);
  return log.ReassignDxcc();
}

}  // namespace logbook
