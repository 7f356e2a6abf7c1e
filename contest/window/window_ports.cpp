#include "contest/window/window_ports.h"

#include <memory>
#include <utility>

#include "common/service.h"
#include "contest/contest_fkt.h"
#include "platform/qt/application.h"
#include "ui/web.h"

namespace contest::window {

void WindowServicesPort::OpenLink(const std::string& link) { ui::TWebSS::OpenLink(link); }

void WindowServicesPort::Beep() { platform::qt::Application().Beep(); }

void InstallWindowServices() {
  TContestFkt& service = common::Service<TContestFkt>::Get();
  std::unique_ptr<ContestPort> previous = service.SetPort(nullptr);
  service.SetPort(std::make_unique<WindowServicesPort>(std::move(previous)));
}

}  // namespace contest::window
