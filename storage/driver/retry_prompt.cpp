#include "storage/driver/retry_prompt.h"

#include "common/lang_text.h"
#include "common/messages.h"
#include "common/service.h"
#include "storage/driver/driver_codes.h"

namespace storage {
namespace {

constexpr std::size_t kShownNameLength = 40;

}  // namespace

std::string RetryReasonText(int reason) {
  switch (reason) {
    case kReasonLocked:
      return common::LangText(" Record oder Datei gelockt. Noch einmal versuchen? ",
                              " Record or file locked. Retry ? ");
    case kReasonRecordLock:
      return common::LangText(" LockRec gescheitert. Noch einmal versuchen? ",
                              " LockRec failed. Retry ? ");
    case kReasonFileLock:
      return common::LangText(" LockFileBlock gescheitert. Noch einmal versuchen? ",
                              " LockFileBlock failed. Retry ? ");
    case kReasonRecordDeleted:
      return common::LangText(" Satz bereits gelöscht. Neuanlegen? ",
                              " Record already deleted. New add ? ");
    case kReasonRepair:
      return common::LangText(
          " Eine andere Station wurde während einer Änderung beendet. Die Datei wird "
          "repariert. Weiter? ",
          " Another station stopped during a change. The file is repaired. Continue ? ");
    case kReasonRepairDeclined:
      return common::LangText(
          " Die Datei wird nicht repariert und bis dahin weder gelesen noch geschrieben. Jede "
          "Arbeit, die sie braucht, fragt wieder. ",
          " The file is not repaired and until then neither read nor written. Any work that "
          "needs it asks again. ");
    case kReasonDataMissing:
      return common::LangText(" Datendatei fehlt. Neu anlegen? ",
                              " Data file missing. Create it anew ? ");
    case kReasonDriveNotReady:
      return common::LangText(" Laufwerk nicht bereit. Noch einmal versuchen? ",
                              " Drive not ready. Retry ? ");
    default:
      return common::LangText(" undefinierter Fehler. Noch einmal versuchen? ",
                              " undefined Error. Retry ? ");
  }
}

bool DriverRetryPrompt(std::string_view file_name, int reason) {
  if (reason == kReasonRebuild || reason == kReasonCreate) return true;
  if (!common::Service<common::ToMessages>::Exists()) return false;
  common::ToMessages& messages = common::Service<common::ToMessages>::Get();
  const std::string text =
      std::string(file_name.substr(0, kShownNameLength)) + ": " + RetryReasonText(reason);
  if (reason == kReasonRepairDeclined) {
    messages.Hinweis("", "", text, false);
    return false;
  }
  return messages.JaNeinFrage("", "", text, true);
}

}  // namespace storage
