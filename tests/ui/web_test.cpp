// Web links, e-mail and the hyperlink label, against the recording desktop seams.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/messages.h"
#include "common/scripted_presenter.h"
#include "common/service.h"
#include "platform/qt/application.h"
#include "platform/qt/scripted_message_box.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/ticks.h"
#include "platform/qt/timer.h"
#include "platform/recording_desktop.h"
#include "tests/common/temp_folder.h"
#include "tests/platform/qt/form_fixture.h"
#include "ui/url_label.h"
#include "ui/web.h"

namespace ui {
namespace {

using common::MessageKind;

class WebTest : public platform::qt::testing::FormFixture {
 protected:
  WebTest() : FormFixture(300, 100) {}
  std::vector<std::string> Opened() const {
    std::vector<std::string> targets;
    for (const auto& call : shell.calls) targets.push_back(call.arguments.front());
    return targets;
  }

  platform::RecordingShell shell;
  platform::RecordingMailer mailer;
  platform::ScopedDesktop desktop{&shell, &mailer};
  common::ScriptedPresenter* presenter = new common::ScriptedPresenter;  // owned by messages
  common::ScopedService<common::ToMessages> messages{
      std::unique_ptr<common::MessagePresenter>(presenter)};
};

TEST_F(WebTest, OpenLinkMakesMailAddressesMailtoLinks) {
  for (const char* link : {"a@b.de", "MAILTO:x@y", "https://x@y", "http://x@y/p", "dl1abc.de",
                           "DL\xD8" "ABC@darc.de"}) {
    TWebSS::OpenLink(link);
  }
  EXPECT_EQ(Opened(), (std::vector<std::string>{"mailto:a@b.de", "MAILTO:x@y", "https://x@y",
                                                "http://x@y/p", "dl1abc.de",
                                                "mailto:DL0ABC@darc.de"}));
}

TEST_F(WebTest, SendMailReportsEveryFailedHandOver) {
  struct Row {
    int exit_code;
    MessageKind kind;
    const char* text;
    bool result;
  };
  const Row rows[] = {
      {platform::kMailNotStarted, MessageKind::kHinweis,
       "Benutzer hat Senden abgebrochen oder MAPI nicht installiert.", false},
      {platform::kMailToolMissing, MessageKind::kHinweis,
       "Benutzer hat Senden abgebrochen oder MAPI nicht installiert.", false},
      {platform::kMailFileMissing, MessageKind::kFehler,
       "EMail-Versand: Datei zum Anhängen nicht gefunden", false},
      {4, MessageKind::kFehler, "EMail-Versand: Unbekannter Fehler.", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.exit_code);
    presenter->calls.clear();
    mailer.answer = row.exit_code;
    EXPECT_EQ(TWebSS::SendMail({.subject = "Log", .recipient_address = "SMTP:a@b.de"}), row.result);
    ASSERT_EQ(presenter->calls.size(), 1u);
    EXPECT_EQ(presenter->calls[0].kind, row.kind);
    EXPECT_EQ(presenter->calls[0].text, row.text);
  }
  EXPECT_EQ(mailer.mails.back(), (platform::MailRequest{"Log", "", "a@b.de", {}}));
  // A mail handed over is the mail program's business from then on: no word about it.
  presenter->calls.clear();
  mailer.answer = platform::kMailHandedOver;
  EXPECT_TRUE(TWebSS::SendMail({.subject = "Log"}));
  EXPECT_TRUE(presenter->calls.empty());
  // Codes the mail program never gives still have their texts.
  TWebSS::ReportMailResult(0);
  TWebSS::ReportMailResult(7);
  TWebSS::ReportMailResult(14);
  EXPECT_EQ(presenter->calls[0].text, "Erfolgreich !");
  EXPECT_EQ(presenter->calls[1].text, "Fehler Nr.7");
  EXPECT_EQ(presenter->calls[1].title, "EMail-Versand");
  EXPECT_EQ(presenter->calls[2].text,
            "EMail-Versand: Empfänger nicht in Adressbuch gefunden. (Nur möglich, wenn "
            "Emailadresse nicht angegeben.)");
}

// The system's mail seam with a stand-in xdg-email that, like a mail program, keeps running
// until it is let go (here: a file appears; at most 30 seconds).
TEST_F(WebTest, HandingAMailOverLeavesTheWindowThreadRunning) {
  namespace fs = std::filesystem;
  common::testing::TempFolder bin;
  const std::string script = bin / "xdg-email";
  common::testing::WriteFile(
      script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + bin / "args" +
                  "'\ni=0\nwhile [ ! -e '" + bin / "release" +
                  "' ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i+1)); done\ntouch '" + bin / "done" +
                  "'\n");
  fs::permissions(script, fs::perms::owner_all);
  common::testing::WriteFile(bin / "log.cbr", "QSO");
  const std::string old_path = getenv("PATH");
  setenv("PATH", (bin.path() + ":" + old_path).c_str(), 1);
  platform::SystemMailer system_mailer;
  platform::ScopedDesktop real{nullptr, &system_mailer};
  // The window thread runs: a timer of its own ticks.
  const platform::qt::testkit::RealTicks real_ticks;
  int ticks = 0;
  platform::qt::TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.SetOnTimer([&](platform::qt::TComponent*) { ++ticks; });

  EXPECT_TRUE(TWebSS::SendMail(
      {.subject = "Log", .attachment_path = bin / "log.cbr", .recipient_address = "SMTP:a@b.de"}));
  EXPECT_FALSE(fs::exists(bin / "done")) << "the call waited for the mail program";
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while ((ticks < 3 || !fs::exists(bin / "args")) && std::chrono::steady_clock::now() < until) {
    platform::qt::Application().ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_GE(ticks, 3);
  EXPECT_FALSE(fs::exists(bin / "done"));
  EXPECT_EQ(common::testing::ReadFile(bin / "args"),
            "--utf8\n--subject\nLog\n--attach\n" + bin / "log.cbr" + "\na@b.de\n");
  EXPECT_TRUE(presenter->calls.empty());

  setenv("PATH", old_path.c_str(), 1);
  common::testing::WriteFile(bin / "release", "");
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::exists(bin / "done") && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

TEST_F(WebTest, AMissingAttachmentIsReportedAndNothingIsSent) {
  EXPECT_FALSE(TWebSS::SendMail({.attachment_path = "/nirgends/log.cbr"}));
  EXPECT_TRUE(mailer.mails.empty());
  ASSERT_EQ(presenter->calls.size(), 1u);
  EXPECT_EQ(presenter->calls[0].text, "Datei nicht gefunden \"/nirgends/log.cbr\"");
}

TEST_F(WebTest, TheLabelPrefixesOnlyTargetsWithoutAScheme) {
  auto* label = Add<TFPUrlLabel>(10, 10, 120, 20);
  struct Row {
    TLabelType type;
    const char* url;
    const char* subject;
    const char* target;
  };
  const Row rows[] = {
      {TLabelType::hmHTTP, "", "", "http://www.darc.de"},  // the caption
      {TLabelType::hmHTTP, "https://x.de/a", "", "https://x.de/a"},
      {TLabelType::hmFTP, "ftp.x.de", "", "ftp://ftp.x.de"},
      {TLabelType::hmNews, "de.comm", "", "news://de.comm"},
      {TLabelType::hmCUSTOM, "file:///tmp/a b", "", "file:///tmp/a b"},
      {TLabelType::hmMAIL, "a@b.de", "Log & Ergebnis? \xFC", "mailto:a@b.de?subject=Log%20%26%20Ergebnis%3F%20%C3%BC"},
      {TLabelType::hmMAIL, "mailto:a@b.de", "", "mailto:a@b.de?subject="},
  };
  label->SetCaption("www.darc.de");
  for (const Row& row : rows) {
    label->SetLabelType(row.type);
    label->SetURL(row.url);
    label->SetMailSubject(row.subject);
    platform::qt::testkit::Click(*label, 5, 5);
  }
  std::vector<std::string> expected;
  for (const Row& row : rows) expected.push_back(row.target);
  EXPECT_EQ(Opened(), expected);
}

TEST_F(WebTest, TheLabelLooksAndItsFallbackAndCopy) {
  auto* label = Add<TFPUrlLabel>(10, 10, 120, 20);
  label->SetCaption("www.darc.de");
  label->SetAllowDown(true);
  EXPECT_EQ(label->Font().Color(), 0xFF0000u);
  EXPECT_TRUE(label->Font().Style() & platform::qt::fsUnderline);
  EXPECT_EQ(label->Cursor(), platform::qt::crHandPoint);
  platform::qt::testkit::MouseDown(*label, 5, 5);
  EXPECT_EQ(label->Top(), 11);
  EXPECT_EQ(label->Font().Color(), 0x0000FFu);
  platform::qt::testkit::MouseUp(*label, 5, 5);
  EXPECT_EQ(label->Top(), 10);
  EXPECT_EQ(label->Font().Color(), 0xFF0000u);

  auto* box = new platform::qt::ScriptedMessageBox;
  auto previous = platform::qt::Application().SetMessageBoxPort(std::unique_ptr<platform::qt::MessageBoxPort>(box));
  shell.answer = platform::kErrorFileNotFound;
  label->Click();
  ASSERT_EQ(box->calls.size(), 1u);
  EXPECT_EQ(box->calls[0].text, "Sorry your browser could not be found");
  platform::qt::Application().SetMessageBoxPort(std::move(previous));

  label->Menu().Items()->Items(0)->Click();
  EXPECT_EQ(platform::qt::Application().ClipboardText(), "www.darc.de");
}

}  // namespace
}  // namespace ui
