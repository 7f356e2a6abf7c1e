// Installs the messages service with a scripted presenter for one test's lifetime.
#pragma once

#include <memory>

#include "common/messages.h"
#include "common/scripted_presenter.h"
#include "common/service.h"

namespace common::testing {

class ScriptedMessages {
 public:
  ScriptedMessages() {
    auto presenter = std::make_unique<ScriptedPresenter>();
    presenter_ = presenter.get();
    Service<ToMessages>::Install(std::make_unique<ToMessages>(std::move(presenter)));
  }
  ~ScriptedMessages() { Service<ToMessages>::Destroy(); }
  ScriptedMessages(const ScriptedMessages&) = delete;
  ScriptedMessages& operator=(const ScriptedMessages&) = delete;

  ScriptedPresenter* operator->() const { return presenter_; }

 private:
  ScriptedPresenter* presenter_;  // owned by the service object
};

}  // namespace common::testing
