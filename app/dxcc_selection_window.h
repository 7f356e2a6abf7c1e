// The DXCC selection's window in the program: the port through which logbook::RunPrefAuswahl
// asks the user, shown as TPrefAuswahl at the position the current project keeps.
#pragma once

#include "logbook/reference/dxcc_selection.h"

namespace app {

class DxccSelectionWindow final : public logbook::DxccSelectionPort {
 public:
  // Shows TPrefAuswahl modally, at the request's position when it has one (else centred), and
  // answers the candidate taken (0 after a cancel) and where the window stood when it closed.
  logbook::DxccSelectionAnswer Choose(const logbook::DxccSelectionRequest& request) override;
};

// Installs the window into the prefix database (Service<logbook::ToDatPrefix>), with the
// window's position kept in the current project (Service<logbook::ToProjecte>, which must exist
// whenever the selection runs).
void InstallDxccSelectionWindow();

}  // namespace app
