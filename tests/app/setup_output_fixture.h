// The outputs of the contest setup form in a test: the log window's test kit with its windows
// (services in a data folder, the log builder, the modal driver, a caller form), the output
// channel of the program, a scripted save dialog, a recording printer with a scripted print
// dialog, the own station's address, and a recorder in place of the file viewer.
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
#include "tests/contestlog/window_fixture.h"
#include "tests/output/output_log_fixture.h"

namespace app_test {

using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;

class SetupOutputTest : public contestlog_test::LogWindowTest {
 protected:
  SetupOutputTest() {
    auto chooser = std::make_unique<common::ScriptedFileChooser>();
    chooser_ = chooser.get();
    common::Service<common::TFileBaseSS>::Install(
        std::make_unique<common::TFileBaseSS>(std::move(chooser)));
    output_test::SetOwnStationAddress();
    channel_->SetFileShower([this](const std::string& name) {
      shown_.push_back(name);
      return true;
    });
  }
  ~SetupOutputTest() override { common::Service<common::TFileBaseSS>::Destroy(); }

  // The save dialog answers `name` in the data folder.
  std::string AnswerSaveDialog(const std::string& name) {
    const std::string path = folder_ / name;
    chooser_->answers.push_back(path);
    return path;
  }
  // The texts of the notices about written files.
  std::vector<std::string> CreatedNotices() const {
    std::vector<std::string> texts;
    for (const common::MessageCall& call : presenter_->calls) {
      if (call.text.rfind("Datei ", 0) == 0 &&
          call.text.find(" wurde erstellt.") != std::string::npos) {
        texts.push_back(call.text);
      }
    }
    return texts;
  }

  common::ScopedService<output::TAlleRout> channel_;
  platform::qt::ScopedPrinting printing_;
  common::ScriptedFileChooser* chooser_ = nullptr;  // owned by TFileBaseSS
  std::vector<std::string> shown_;                  // files the viewer was asked to show
};

}  // namespace app_test
