#include "app/eing_contest_run.h"

#include <memory>
#include <utility>

#include "app/eing_contest_std.h"
#include "common/service.h"
#include "contest/contest_fkt.h"

namespace app {

std::int32_t RunEingContestStd(int edit_flag, int review_flag, char code,
                               contest::TdbContest& catalogue, contest::TdbContest& contest_data,
                               contest::TContestRec& definition,
                               platform::qt::TComponent* owner) {
  common::Service<contest::TContestFkt>::Get().LoadContestDefinition(definition, catalogue, code,
                                                                     edit_flag != 0);
  const auto form = std::make_unique<TEingContestStd>(owner, code, edit_flag, review_flag,
                                                      catalogue, contest_data, definition);
  const platform::qt::TModalResult result = form->ShowModal();
  return result == 1 ? form->GetSatzNummer() : 0;
}

EntryFormPort::EntryFormPort(std::unique_ptr<contest::ContestPort> next, EntryFormHostOf host)
    : ForwardingPort(std::move(next)),
      host_(std::move(host)),
      own_definition_(std::make_unique<contest::TContestRec>()) {}

EntryFormPort::~EntryFormPort() = default;

std::int32_t EntryFormPort::RunEntryForm(int change, int mode, char code,
                                         contest::TdbContest& catalogue,
                                         contest::TdbContest& contest_data) {
  const EntryFormHost host = host_ ? host_() : EntryFormHost{};
  contest::TContestRec& definition =
      host.definition != nullptr ? *host.definition : *own_definition_;
  return RunEingContestStd(change, mode, code, catalogue, contest_data, definition, host.owner);
}

void InstallEntryForm(EntryFormHostOf host) {
  contest::TContestFkt& service = common::Service<contest::TContestFkt>::Get();
  std::unique_ptr<contest::ContestPort> previous = service.SetPort(nullptr);
  service.SetPort(std::make_unique<EntryFormPort>(std::move(previous), std::move(host)));
}

}  // namespace app
