// The window side of the contest layer's ports: links through the desktop (ui::TWebSS::OpenLink),
// the bell of the window layer (TApplication::Beep) and the progress window of a recount
// (ui::TFortschrittWinCtrl).
//
// The program's wiring calls InstallWindowServices once the application object and the
// catalogue service exist; the progress adapter is made by whoever runs a recount, around the
// controller it shows.
#pragma once

#include <string>

#include "contest/contest_port.h"
#include "contest/progress_window.h"
#include "ui/progress_window.h"

namespace contest::window {

// OpenLink and Beep of the catalogue service's port; every other operation goes to the port it
// was installed over.
class WindowServicesPort final : public ForwardingPort {
 public:
  using ForwardingPort::ForwardingPort;

  void OpenLink(const std::string& link) override;
  void Beep() override;
};

// Installs WindowServicesPort into the catalogue service (Service<contest::TContestFkt>) over
// the port installed so far. Needs the application object for the bell.
void InstallWindowServices();

// The progress window as the recount steps it. The controller is the caller's and must outlive
// the adapter; the caller shows it before the run and frees it afterwards.
class FortschrittProgress final : public ProgressWindow {
 public:
  explicit FortschrittProgress(ui::TFortschrittWinCtrl& controller) : controller_(controller) {}

  void Step(const std::string& text, int position, int maximum, bool& cancelled) override {
    controller_.Step(text, position, maximum, cancelled);
  }

 private:
  ui::TFortschrittWinCtrl& controller_;
};

}  // namespace contest::window
