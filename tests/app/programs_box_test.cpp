// The further-programs box: its second box follows once per opening, after the activation's
// timer ticked; every link reaches the desktop; the log window's btnweitere opens it through the
// program's wiring of the catalogue service.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app/contest_ports.h"
#include "app/programs_box.h"
#include "platform/qt/application.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/ticks.h"
#include "platform/recording_desktop.h"
#include "tests/contestlog/window_fixture.h"

namespace app {
namespace {

using platform::qt::TForm;

class ProgramsBoxTest : public contestlog_test::LogWindowTest {
 protected:
  ProgramsBoxTest() { InstallContestPorts(); }

  // The targets the desktop was asked to open, in order.
  std::vector<std::string> Opened() const {
    std::vector<std::string> targets;
    for (const auto& call : shell_.calls) targets.push_back(call.arguments.at(0));
    return targets;
  }

  platform::RecordingShell shell_;
  platform::RecordingMailer mailer_;
  platform::ScopedDesktop desktop_{&shell_, &mailer_};
};

// Calls the timer's handler as its tick would.
void Tick(Twagprogramme& box) { box.Timer->OnTimer()(box.Timer); }

TEST_F(ProgramsBoxTest, TheSecondBoxFollowsTheActivationOnceAndClosesBackToTheFirst) {
  {
    Twagprogramme unshown;
    EXPECT_FALSE(unshown.Timer->Enabled()) << "the timer waits for the activation";
    EXPECT_EQ(unshown.Timer->Interval(), 1000);
  }
  int second_boxes = 0;
  driver_.Then([&](TForm& form) {
    auto& box = dynamic_cast<Twagprogramme&>(form);
    platform::qt::Application().ProcessMessages();
    EXPECT_TRUE(box.Timer->Enabled());
    EXPECT_EQ(box.Image1->Picture().Width(), 800);
    EXPECT_EQ(box.Image1->Picture().Height(), 600);
    EXPECT_EQ(box.Image1->Width(), box.ClientWidth());
    Shot(box, "programs_box");
    driver_.Then([&](TForm& second) {
      ++second_boxes;
      EXPECT_EQ(wagprogramme2(), &second);
      EXPECT_EQ(second.Caption(), box.Caption());
      const platform::qt::TImage& picture = *dynamic_cast<Twagprogramme2&>(second).Image1;
      EXPECT_EQ(picture.Picture().Width(), 978);
      EXPECT_EQ(picture.Picture().Height(), 543);
      EXPECT_EQ(picture.Width(), second.ClientWidth()) << "the picture fills the box's width";
      Shot(second, "programs_box_second");
      second.SetModalResult(platform::qt::mrCancel);
    });
    Tick(box);
    EXPECT_FALSE(box.Timer->Enabled());
    EXPECT_EQ(wagprogramme2(), nullptr) << "forgotten once it closed";
    box.FormActivate();  // the window system activates the first box again
    EXPECT_FALSE(box.Timer->Enabled()) << "the second box came in this opening";
    Tick(box);  // a tick that was on its way: nothing more
    EXPECT_EQ(second_boxes, 1);
    box.SetModalResult(platform::qt::mrCancel);
  });
  Fkt().ShowMorePrograms();
  EXPECT_EQ(driver_.Seen(), (std::vector<std::string>{"wagprogramme", "wagprogramme2"}));
}

// Lets the window system and the timers run for `time`, as while an operator looks at a box.
void Linger(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    platform::qt::Application().ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// On the real timer: the operator reads the second box for a moment and closes it; the first
// box, active again, stays open for more than five seconds and the second box does not return.
TEST_F(ProgramsBoxTest, OnTheRealTimerTheSecondBoxComesOncePerOpening) {
  const platform::qt::testkit::RealTicks real_ticks;
  const auto read_and_close = [](TForm& box) {
    Linger(std::chrono::milliseconds(300));
    box.SetModalResult(platform::qt::mrCancel);
  };
  // The second opening only waits for its second box.
  for (const int seconds : {6, 2}) {
    driver_.Then([&, seconds](TForm& first) {
      driver_.Then(read_and_close);
      Linger(std::chrono::seconds(seconds));
      first.SetModalResult(platform::qt::mrCancel);
    });
    Fkt().ShowMorePrograms();
  }
  EXPECT_EQ(driver_.Seen(), (std::vector<std::string>{"wagprogramme", "wagprogramme2",
                                                      "wagprogramme", "wagprogramme2"}));
}

TEST_F(ProgramsBoxTest, EachLinkOpensItsPageOrTheMailProgram) {
  const ProgramLinks links = CurrentProgramLinks();
  EXPECT_EQ(links.project, Fkt().Definitions().Program().MakerPage);
  driver_.Then([&](TForm& form) {
    auto& box = dynamic_cast<Twagprogramme&>(form);
    for (auto* link : {box.SpeedButton1, box.SpeedButton2, box.SpeedButton3, box.SpeedButton4}) {
      platform::qt::testkit::Click(*link, 5, 5);
    }
    box.Timer->SetEnabled(false);
    Twagprogramme2 second;
    for (auto* link : {second.SpeedButton1, second.SpeedButton4}) {
      platform::qt::testkit::Click(*link, 5, 5);
    }
    box.SetModalResult(platform::qt::mrCancel);
  });
  Fkt().ShowMorePrograms();
  EXPECT_EQ(Opened(), (std::vector<std::string>{links.project, links.download, links.news,
                                                links.mail, links.project, links.mail}));
  EXPECT_EQ(links.mail.rfind("mailto:", 0), 0u);
  for (const std::string& page : {links.download, links.news}) {
    EXPECT_EQ(page.rfind(links.project, 0), 0u) << page;
    EXPECT_NE(page, links.project);
  }
}

TEST_F(ProgramsBoxTest, TheLogWindowsButtonOpensTheBox) {
  contestlog_test::LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  RunLog(log, b.Definition(), [&](contestlog::TContestLogStd& window) {
    driver_.ThenReturn(platform::qt::mrCancel);
    window.btnweitere->Click();
  });
  EXPECT_EQ(driver_.Seen(), (std::vector<std::string>{"ContestLogStd", "wagprogramme"}));
}

}  // namespace
}  // namespace app
