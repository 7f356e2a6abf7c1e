// The log window's test kit for tests with windows (offscreen under the window tests' main()):
// LogTest, a screen of a given resolution, the grids' colours, the modal driver and a caller
// standing in for the main window. RunLog opens a log as the main window does and runs the
// test's steps while the window is open (inside its modal loop); then the window is closed as
// the operator closes it.
//
//   TEST_F(LogWindowTest, ...) {
//     LogBuilder b('.', 5);
//     const std::int32_t log = b.Create();
//     RunLog(log, b.Definition(), [&](TContestLogStd& window) { ...; Shot(window, "name"); });
//   }
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/grid_colours.h"
#include "contestlog/contest_log_std.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/contestlog/log_fixture.h"
#include "tests/ui/ui_fixture.h"

namespace contestlog_test {

using contestlog::TContestLogStd;

// The main window's stand-in: a plain form of its size.
class CallerForm : public ui::TkvForm {
 public:
  CallerForm() : ui::TkvForm(nullptr) {
    platform::qt::LoadingScope loading(*this);
    SetName("ContestBrow");
    SetBounds(40, 30, 900, 600);
  }
};

// Opens the log of `b` in a window of kind `Window` with `definition`, clears the entry for the
// first QSO and runs `steps` while the window shows modally under `driver`; then closes it.
template <typename Window>
void RunWindowOfKind(platform::qt::testkit::ModalDriver& driver, const LogBuilder& b,
                     const contest::TContestRec& definition,
                     const std::function<void(Window&)>& steps) {
  MainTables main(b.Number());
  Window window(b.Number(), main.catalogue, main.contest_data, definition);
  window.ClearEntry();
  driver.Then([&](platform::qt::TForm&) {
    steps(window);
    window.Close();
  });
  window.ShowModal();
  window.FormDestroy();
}

class LogWindowTest : public LogTest {
 protected:
  explicit LogWindowTest(int dpi = 96)
      : screen_(std::make_unique<ui::testing::ScreenScope>(900, dpi)) {}
  void TearDown() override {
    EXPECT_EQ(driver_.Unanswered(), 0) << "a modal window nobody expected";
    EXPECT_EQ(contestlog::ContestLogStd(), nullptr);
  }

  // Opens log `log` from `caller` with the main window's `definition` and runs `while_open`
  // in the window's modal loop; then the window's close label is clicked.
  void RunLog(std::int32_t log, const contest::TContestRec& definition,
              const std::function<void(TContestLogStd&)>& while_open,
              platform::qt::TForm* caller = nullptr) {
    MainTables main(log);
    driver_.Then([&](platform::qt::TForm& form) {
      auto& window = dynamic_cast<TContestLogStd&>(form);
      if (while_open) while_open(window);
      window.Close();
    });
    contestlog::RunContestLog(caller, log, definition, main.catalogue, main.contest_data);
  }

  // Opens the log of `b` in a window of the test's own kind `Window` with `definition`, clears
  // the entry for the first QSO and runs `steps` while the window shows modally; then closes it.
  template <typename Window>
  void RunOwnWindow(const LogBuilder& b, const contest::TContestRec& definition,
                    const std::function<void(Window&)>& steps) {
    RunWindowOfKind<Window>(driver_, b, definition, steps);
  }

  // Focuses the field and types the text key by key after what it holds.
  static void Type(platform::qt::TEdit& field, const std::string& text) {
    field.SetFocus();
    field.SetSelStart(static_cast<int>(field.Text().size()));
    platform::qt::testkit::TypeText(field, text);
  }

  // Saves a screenshot of the window under the build folder's screenshots/.
  static void Shot(platform::qt::TWinControl& window, const std::string& name) {
    EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(window, name).empty()) << name;
  }

  std::unique_ptr<ui::testing::ScreenScope> screen_;
  common::ScopedService<common::GridColours> colours_;
  platform::qt::testkit::ModalDriver driver_;
};

}  // namespace contestlog_test
