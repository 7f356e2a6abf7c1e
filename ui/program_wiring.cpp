#include "ui/program_wiring.h"

#include <memory>

#include "common/file_base_ss.h"
#include "common/messages.h"
#include "common/service.h"
#include "platform/qt/file_chooser.h"
#include "storage/tables/db_functions.h"
#include "ui/message_dialogs.h"
#include "ui/winskal.h"

namespace ui {

using common::Service;

WindowPorts::WindowPorts() {
  Service<common::ToMessages>::Get().SetPresenter(std::make_unique<DialogPresenter>());
  Service<common::TFileBaseSS>::Get().SetFileChooser(
      std::make_unique<platform::qt::FileDialogChooser>());
  Service<storage::ToDBFkt>::Get().SetFormMessageSink(&form_messages_);
  ToWinskal::Initialise();
}

WindowPorts::~WindowPorts() {
  if (Service<storage::ToDBFkt>::Exists()) {
    Service<storage::ToDBFkt>::Get().SetFormMessageSink(nullptr);
  }
  if (Service<common::TFileBaseSS>::Exists()) {
    Service<common::TFileBaseSS>::Get().SetFileChooser(nullptr);
  }
  if (Service<common::ToMessages>::Exists()) {
    Service<common::ToMessages>::Get().SetPresenter(nullptr);
  }
}

}  // namespace ui
