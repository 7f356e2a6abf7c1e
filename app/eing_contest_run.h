// Running the contest setup form: RunEingContestStd, and the catalogue service's entry-form port
// (ContestPort::RunEntryForm, reached through TContestFkt::OpenEntryForm) that runs it for the
// main window's new, change and review roads.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"
#include "contest/contest_port.h"

namespace platform::qt {
class TComponent;
}  // namespace platform::qt

namespace app {

// Reloads `definition` (the main window's live definition) for `code` from the catalogue
// object's current record, written back to the file only for an existing log (`edit_flag` not
// 0); shows the setup form of that log, or of a new one for `edit_flag` 0, modally (owned by
// `owner`, may be null); answers the Nummer of the log's catalogue record when the form ended
// with "Contest starten", else 0.
std::int32_t RunEingContestStd(int edit_flag, int review_flag, char code,
                               contest::TdbContest& catalogue, contest::TdbContest& contest_data,
                               contest::TContestRec& definition,
                               platform::qt::TComponent* owner = nullptr);

// What the setup form is run with: the main window's live definition and the form's owner. A
// definition missing (no main window) is one of the port's own.
struct EntryFormHost {
  contest::TContestRec* definition = nullptr;
  platform::qt::TComponent* owner = nullptr;
};
using EntryFormHostOf = std::function<EntryFormHost()>;

// The port's entry form; the other operations go to the port it was installed over.
class EntryFormPort final : public contest::ForwardingPort {
 public:
  EntryFormPort(std::unique_ptr<contest::ContestPort> next, EntryFormHostOf host);
  ~EntryFormPort() override;

  std::int32_t RunEntryForm(int change, int mode, char code, contest::TdbContest& catalogue,
                            contest::TdbContest& contest_data) override;

 private:
  EntryFormHostOf host_;
  std::unique_ptr<contest::TContestRec> own_definition_;
};

// Installs the entry form into the catalogue service (Service<contest::TContestFkt>) over the
// port installed so far; `host` answers the main window's definition and the form's owner.
void InstallEntryForm(EntryFormHostOf host);

}  // namespace app
