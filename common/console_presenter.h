// The presenter of the program until the dialog windows exist: it writes each message to the
// error stream in UTF-8 and takes the dialog's default answer (yes/no by the default button, the
// check box unticked).
#pragma once

#include <iosfwd>

#include "common/message_presenter.h"

namespace common {

class ConsolePresenter final : public MessagePresenter {
 public:
  // Writes to standard error.
  ConsolePresenter();
  // Writes to the given stream, which must outlive the presenter.
  explicit ConsolePresenter(std::ostream& out);

  bool Present(const MessageCall& call) override;

 private:
  std::ostream& out_;
};

}  // namespace common
