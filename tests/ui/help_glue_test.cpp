// The help glue: help addresses, starting through the desktop with its failure report, the
// debug switch and file, the error texts and the release names.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/qt/application.h"
#include "platform/qt/scripted_message_box.h"
#include "platform/recording_desktop.h"
#include "ui/help_glue.h"

namespace ui {
namespace {

TEST(HelpGlueTest, HelpAddresses) {
  EXPECT_EQ(HelpUrl("Rondexa.chm", "", "", 2), "ms-its:Rondexa.chm");
  EXPECT_EQ(HelpUrl("my%20help.chm", "html\\start.htm", "main", 1),
            "mk:@MSITStore:my help.chm::/html/start.htm>main");
  EXPECT_EQ(HelpUrl(" ", "/a.htm ", "", 0), "/a.htm");
}

TEST(HelpGlueTest, ErrorTextsAndReleaseNames) {
  EXPECT_EQ(GetLastErrorText(2), "[Error:2] File Not Found");
  EXPECT_EQ(GetLastErrorText(33), "[Error:33] File In Use");
  EXPECT_EQ(GetLastErrorText(1393), "[Error:1393] Corrupt File Or Disk");
  EXPECT_EQ(GetLastErrorText(87), "[Error:87] General Failure");
  EXPECT_EQ(HhFriendlyVersion(5, 0, 0, 0), "> 1.33");
  EXPECT_EQ(HhFriendlyVersion(4, 74, 9273, 0), "1.33");
  EXPECT_EQ(HhFriendlyVersion(4, 72, 7290, 0), "1.0");
  EXPECT_EQ(HhFriendlyVersion(4, 72, 7289, 9), "< 1.0");
}

TEST(HelpGlueTest, TheDebugSwitchAndAFailedStartGoToTheDebugFile) {
  char folder_template[] = "/tmp/helpglueXXXXXX";
  const std::string folder = mkdtemp(folder_template);
  THelpServices::Initialise({"./domivox", "-DEBUG", "x"}, folder + "/domivox");
  const HelpFacts& facts = THelpServices::Facts();
  EXPECT_TRUE(facts.debug);
  EXPECT_EQ(facts.debug_dir, folder);
  EXPECT_EQ(facts.run_dir, ".");
  EXPECT_FALSE(facts.hh_installed);

  platform::RecordingShell shell;
  shell.answer = platform::kErrorFileNotFound;
  platform::ScopedDesktop desktop(&shell, nullptr);
  auto* box = new platform::qt::ScriptedMessageBox;
  auto previous = platform::qt::Application().SetMessageBoxPort(
      std::unique_ptr<platform::qt::MessageBoxPort>(box));
  EXPECT_FALSE(ShellExec("hh", "-mapid 12 \"ms-its:a b.chm\""));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].arguments,
            (std::vector<std::string>{"-mapid", "12", "ms-its:a b.chm"}));
  const std::string report =
      "Function ShellExecute(hh, -mapid 12 \"ms-its:a b.chm\")\rReturned: [Error:2] File Not Found";
  ASSERT_EQ(box->calls.size(), 1u);
  EXPECT_EQ(box->calls[0].text, report);
  platform::qt::Application().SetMessageBoxPort(std::move(previous));  // frees the box

  std::ifstream file(facts.DebugFile(), std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  EXPECT_NE(content.str().find("Cmdline Param(s) = -DEBUG | x\r\n"), std::string::npos);
  EXPECT_NE(content.str().find("_hhInstalled = NO\r\n"), std::string::npos);
  EXPECT_NE(content.str().find(report + "\r\n"), std::string::npos);
  std::remove(facts.DebugFile().c_str());
  std::remove(folder.c_str());

  THelpServices::Initialise({"domivox"}, folder + "/domivox");
  EXPECT_FALSE(THelpServices::Facts().debug);
}

}  // namespace
}  // namespace ui
