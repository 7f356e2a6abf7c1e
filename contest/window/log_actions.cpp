#include "contest/window/log_actions.h"

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "platform/qt/application.h"

namespace contest::window {
namespace {

// Key 13 of a log: "wagNummer", the running number over the log.
constexpr int kKeyWagNummer = 13;

bool KeptInNoteName(char c) {
  return c == ' ' || c == '+' || c == '-' || c == '_' || (c >= '0' && c <= '9') ||
         (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string NoteFileName(std::string_view log_name) {
  std::string name;
  for (char c : log_name) {
    if (KeptInNoteName(c)) name += c;
  }
  return name + ".TXT";
}

bool EditLogNote(TdbContest& catalogue, TdbContestBase& log) {
  if (common::Trim(log.GetCall()).empty()) log.Last(kKeyWagNummer);
  TContestKKRec record{};
  catalogue.GetKKRec(record);
  common::Service<TContestFkt>::Get().EditNote(NoteFileName(record.Name.str()), catalogue, log);
  log.Reposition(true);
  return true;
}

void Help() { platform::qt::Application().HelpCommand(platform::qt::HELP_CONTEXT, 0); }

void ShowMorePrograms() { common::Service<TContestFkt>::Get().ShowMorePrograms(); }

void OpenMakerPage() { common::Service<TContestFkt>::Get().OpenMakerPage(); }

}  // namespace contest::window
