#include "contestlog/log_core.h"

#include "common/messages.h"
#include "common/service.h"
#include "contest/qso_points.h"
#include "contestlog/log_tables.h"
#include "logbook/databases/call_database.h"

namespace contestlog {

ContestLogCore::ContestLogCore(std::int32_t log_number, contest::TdbContest& catalogue,
                               contest::TdbContest& contest_data,
                               const contest::TContestRec& definition)
    : LogNumber(log_number),
      Definition(definition),
      Catalogue(&catalogue),
      ContestData(&contest_data) {}

ContestLogCore::~ContestLogCore() {
  // A window that failed on the way closes the log without writing anything back.
  if (LogTable != nullptr) {
    common::Service<logbook::ToDatCall>::Get().CloseFiles(logbook::ToDatCall::kCallListBit, false);
  }
}

bool ContestLogCore::OpenLog() {
  if (Service == nullptr) Service = std::make_unique<contest::TContLogAlle>();
  return OpenLogTable(LogTable, LogNumber);
}

void ContestLogCore::CloseLog(bool counted) {
  if (LogTable != nullptr) CloseLogFiles(LogTable, *Catalogue, *ContestData, counted);
  Service.reset();
}

std::uint32_t ContestLogCore::QsoPoints(const ContestLogCore& window,
                                        const contest::TContestRec& definition,
                                        const contest::TdbContestBase& catalogue,
                                        const contest::TdbContestBase& log) {
  contest::TContestKKRec entry_log{};
  catalogue.GetKKRec(entry_log);
  const contest::TContLogAlle no_rules;
  const contest::TContLogAlle& rules = window.Service != nullptr ? *window.Service : no_rules;
  return contest::QsoPoints(entry_log.Typ, definition, catalogue, log, rules);
}

std::optional<contest::QsoNumbers> ContestLogCore::LogNextNumbers(bool with_overall, char band) {
  const contest::QsoNumbers numbers =
      Service->NextQsoNumbers(with_overall, band, *LogTable, CurrentMode.str());
  if (LogTable->RepairDeclined()) return std::nullopt;
  return numbers;
}

contest::QsoNumbers ContestLogCore::EntryNumbers() const {
  return {NextOverallNo, NextBandNo, NextBandNoIntern, NextModeNo};
}

bool ContestLogCore::LogReadable(const std::string& not_done) {
  const bool declined = LogTable->RepairDeclined();
  LogTable->AskAboutRepairAgain();
  LogTable->UsedRecs();  // a read: asks when it finds the files unfinished
  if (!LogTable->RepairDeclined()) {
    if (declined) LogRepaired();
    return true;
  }
  TellWithoutRepair(not_done);
  return false;
}

std::optional<contest::QsoNumbers> ContestLogCore::NumbersForSwitch(char band,
                                                                  const std::string& not_done) {
  if (!LogReadable(not_done)) return std::nullopt;
  std::optional<contest::QsoNumbers> numbers = LogNextNumbers(false, band);
  // A stop met by this very read, and declined.
  if (!numbers) TellWithoutRepair(not_done);
  return numbers;
}

void ContestLogCore::LogRepaired() {
  if (!LogChangedElsewhere()) return;
  RefreshEntryMultipliers();
  RecountKeepingEntry();
  EvaluateEntryMultipliers();
}

void ContestLogCore::TellWithoutRepair(const std::string& not_done) {
  common::Service<common::ToMessages>::Get().Fehler("Ohne Reparatur des Logs " + not_done);
}

std::unique_ptr<contest::ProgressWindow> ContestLogCore::ShowProgress(const std::string&, int) {
  return nullptr;
}

contest::PointsFunction ContestLogCore::PointsRoutine() const {
  return [this](const contest::TdbContestBase& log) {
    return QsoPoints(*this, Definition, *Catalogue, log);
  };
}

}  // namespace contestlog
