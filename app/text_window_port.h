// The text window of the contest catalogue service (a log's note, a contest's local rules text):
// its port operation ShowText runs TToolsFkt::ShowText with the file, save and print on, e-mail
// off. Every other operation of the port goes to the port it was installed over, so that the
// program's wiring installs each window's part of the port in turn.
#pragma once

#include <string>

#include "contest/contest_port.h"

namespace app {

class TextWindowPort final : public contest::ForwardingPort {
 public:
  using ForwardingPort::ForwardingPort;

  bool ShowText(const std::string& caption, contest::WindowRect* rect, const std::string& file_name,
                std::string& short_text) override;
};

// Installs the text window into the catalogue service (Service<contest::TContestFkt>) over the
// port installed so far.
void InstallTextWindow();

}  // namespace app
