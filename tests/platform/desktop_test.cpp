// Starting programs without a shell, and the arguments the mail seam hands to xdg-email.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/process.h"

namespace platform {
namespace {

TEST(ProcessTest, ExitCodesAndProgramsThatCannotStart) {
  EXPECT_EQ(RunProgram("true", {}), 0);
  EXPECT_EQ(RunProgram("sh", {"-c", "exit 7"}), 7);
  EXPECT_EQ(RunProgram("no-such-program-of-domivox", {}), kProgramNotStarted);
  EXPECT_EQ(StartProgram("true", {}), kErrorSuccess);
  EXPECT_EQ(StartProgram("no-such-program-of-domivox", {}), kErrorFileNotFound);
}

TEST(ProcessTest, ArgumentsReachTheProgramUnread) {
  // A shell would expand the variable and run the second command.
  EXPECT_EQ(RunProgram("test", {"$HOME; false", "=", "$HOME; false"}), 0);
}

TEST(SystemMailerTest, AnAttachmentThatCannotBeReadIsFoundBeforeAnythingStarts) {
  SystemMailer mailer;
  EXPECT_EQ(mailer.Send({"Log", "", "a@b.de", {"/no/such/folder/of/domivox/log.cbr"}}),
            kMailFileMissing);
}

struct MailRow {
  const char* name;
  MailRequest mail;
  std::vector<std::string> arguments;
};

class XdgEmailTest : public ::testing::TestWithParam<MailRow> {};

TEST_P(XdgEmailTest, Arguments) { EXPECT_EQ(XdgEmailArguments(GetParam().mail), GetParam().arguments); }

INSTANTIATE_TEST_SUITE_P(
    Rows, XdgEmailTest,
    ::testing::Values(
        MailRow{"Empty", {}, {"--utf8"}},
        MailRow{"Everything",
                {"Log \xE4", "Hallo", "a@b.de", {"/tmp/x.cbr", "/tmp/y.txt"}},
                {"--utf8", "--subject", "Log \xC3\xA4", "--body", "Hallo", "--attach",
                 "/tmp/x.cbr", "--attach", "/tmp/y.txt", "a@b.de"}},
        MailRow{"RecipientOnly", {"", "", "a@b.de", {}}, {"--utf8", "a@b.de"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace platform
