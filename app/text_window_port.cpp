#include "app/text_window_port.h"

#include <utility>

#include "app/tools_fkt.h"
#include "common/service.h"
#include "contest/contest_fkt.h"

namespace app {

bool TextWindowPort::ShowText(const std::string& caption, contest::WindowRect* rect,
                              const std::string& file_name, std::string& short_text) {
  return TToolsFkt::ShowText(caption, nullptr, short_text, 255, file_name, true, true, false, "",
                             rect);
}

void InstallTextWindow() {
  contest::TContestFkt& service = common::Service<contest::TContestFkt>::Get();
  std::unique_ptr<contest::ContestPort> previous = service.SetPort(nullptr);
  service.SetPort(std::make_unique<TextWindowPort>(std::move(previous)));
}

}  // namespace app
