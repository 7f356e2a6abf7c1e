// What a tool dialog needs in a test: a fresh current folder, the settings with the own call
// "DL1ABC/P", scripted messages, a scripted file dialog, the print settings on a recording
// printer of 600 dpi with scripted print and font dialogs, recording desktop launchers, a fixed
// 96-dpi screen, and a modal driver for the dialogs.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "common/current_folder.h"
#include "common/file_base_ss.h"
#include "common/scripted_file_chooser.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "output/print_settings.h"
#include "platform/qt/scripted_print_dialogs.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/recording_desktop.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"
#include "tests/ui/ui_fixture.h"

namespace app_test {

class ToolsTest : public ::testing::Test {
 protected:
  ToolsTest() {
    auto chooser = std::make_unique<common::ScriptedFileChooser>();
    chooser_ = chooser.get();
    common::Service<common::TFileBaseSS>::Install(
        std::make_unique<common::TFileBaseSS>(std::move(chooser)));
    settings_->SetOwnCall("DL1ABC/P");
  }
  ~ToolsTest() override { common::Service<common::TFileBaseSS>::Destroy(); }

  std::string Path(const std::string& name) const { return folder_ / name; }
  common::ScriptedPresenter& Messages() { return *messages_.operator->(); }
  output::TPrintSS& PrintSettings() { return *print_settings_; }
  // The next modal form runs `answer` as the form it is.
  template <typename Form>
  void Then(std::function<void(Form&)> answer) {
    driver_.Then([answer](platform::qt::TForm& form) { answer(dynamic_cast<Form&>(form)); });
  }
  static void Press(platform::qt::TControl& button) { platform::qt::testkit::Click(button, 5, 5); }

  common::testing::TempFolder folder_;
  common::ScopedCurrentFolder current_{folder_.path()};
  ui::testing::ScreenScope screen_{768, 96};
  common::ScopedService<logbook::ToSetups> settings_;
  common::testing::ScriptedMessages messages_;
  platform::qt::ScopedPrinting printing_;
  common::ScopedService<output::TPrintSS> print_settings_;
  platform::RecordingShell shell_;
  platform::RecordingMailer mailer_;
  platform::ScopedDesktop desktop_{&shell_, &mailer_};
  platform::qt::testkit::ModalDriver driver_;
  common::ScriptedFileChooser* chooser_ = nullptr;  // owned by TFileBaseSS
};

}  // namespace app_test
