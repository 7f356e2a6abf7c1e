// What an output needs in a test: a fresh current folder, the settings with the own call
// "DL1ABC", scripted messages, a scripted save dialog, a recording printer of 600 dpi with a
// scripted print dialog, the driver system's start folder, and an output channel whose file
// viewer only records the files it was asked to show.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/file_base_ss.h"
#include "common/scripted_file_chooser.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "output/alle_rout.h"
#include "platform/qt/scripted_print_dialogs.h"
#include "storage/driver/driver_system.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"

namespace output_test {

class OutputFixture {
 public:
  OutputFixture() {
    auto chooser = std::make_unique<common::ScriptedFileChooser>();
    chooser_ = chooser.get();
    common::Service<common::TFileBaseSS>::Install(
        std::make_unique<common::TFileBaseSS>(std::move(chooser)));
    common::Service<logbook::ToSetups>::Get().SetOwnCall("DL1ABC");
    common::Service<storage::DriverSystem>::Get().SetStartFolder(folder_.path() + "/");
    channel_.SetFileShower([this](const std::string& name) {
      shown_.push_back(name);
      return true;
    });
  }
  ~OutputFixture() { common::Service<common::TFileBaseSS>::Destroy(); }

  output::TAlleRout& Channel() { return channel_; }
  common::ScriptedFileChooser& Chooser() { return *chooser_; }
  common::ScriptedPresenter& Messages() { return *messages_.operator->(); }
  platform::qt::TRecordingPrinter& Printer() { return printing_.printer(); }
  platform::qt::ScriptedPrintDialog& PrintDialog() { return printing_.print_dialog(); }
  const std::vector<std::string>& Shown() const { return shown_; }
  std::string Path(const std::string& name) const { return folder_ / name; }

 private:
  common::testing::TempFolder folder_;
  common::testing::ScriptedMessages messages_;
  common::ScopedService<logbook::ToSetups> setups_;
  common::ScopedService<storage::DriverSystem> driver_system_;
  platform::qt::ScopedPrinting printing_;
  common::ScriptedFileChooser* chooser_ = nullptr;  // owned by TFileBaseSS
  output::TAlleRout channel_;
  std::vector<std::string> shown_;
};

}  // namespace output_test
