#include "app/dxcc_selection_window.h"

#include <memory>

#include "app/pref_auswahl.h"
#include "common/service.h"
#include "logbook/databases/selection_position.h"
#include "logbook/reference/prefix_files.h"

namespace app {

logbook::DxccSelectionAnswer DxccSelectionWindow::Choose(
    const logbook::DxccSelectionRequest& request) {
  TPrefAuswahl window(nullptr, request);
  if (request.placed) {
    ui::PlaceForm(window, {request.left, request.top, request.left + window.Width(),
                           request.top + window.Height()});
  }
  const bool taken = window.ShowModal() == platform::qt::mrOk;
  return {taken ? window.Chosen() : 0, window.Left(), window.Top()};
}

void InstallDxccSelectionWindow() {
  logbook::ToDatPrefix& files = common::Service<logbook::ToDatPrefix>::Get();
  files.SetSelectionPort(std::make_unique<DxccSelectionWindow>());
  files.SetWindowPlace(std::make_unique<logbook::ProjectWindowPlace>());
}

}  // namespace app
