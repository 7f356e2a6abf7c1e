// The program's windows take over the ports of the lower layers while the wiring lives.
#include <gtest/gtest.h>

#include <memory>

#include "common/console_presenter.h"
#include "common/file_base_ss.h"
#include "common/messages.h"
#include "common/service.h"
#include "platform/qt/file_chooser.h"
#include "platform/qt/testkit/modal_driver.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"
#include "tests/ui/ui_fixture.h"
#include "ui/program_wiring.h"

namespace ui {
namespace {

TEST(ProgramWiringTest, PortsArePutInAndTakenOut) {
  testing::ScreenScope screen{768, 96};
  common::ScopedService<common::ToMessages> messages;
  common::ScopedService<common::TFileBaseSS> files;
  common::ScopedService<storage::DriverSystem> drivers;
  common::ScopedService<storage::ToDBFkt> file_manager;
  {
    WindowPorts ports;
    platform::qt::testkit::ModalDriver driver;
    messages->Fehler("Über die Fenster");
    EXPECT_EQ(driver.Seen(), std::vector<std::string>{"FehlerForm"});
    EXPECT_NE(dynamic_cast<platform::qt::FileDialogChooser*>(files->SetFileChooser(nullptr).get()),
              nullptr);
  }
  // The console is back.
  EXPECT_NE(dynamic_cast<common::ConsolePresenter*>(messages->SetPresenter(nullptr).get()),
            nullptr);
}

}  // namespace
}  // namespace ui
