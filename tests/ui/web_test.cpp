// Web links, e-mail and the hyperlink label, against the recording desktop seams.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/scripted_presenter.h"
#include "common/service.h"
#include "platform/qt/application.h"
#include "platform/qt/scripted_message_box.h"
#include "platform/qt/testkit/input.h"
#include "platform/recording_desktop.h"
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

TEST_F(WebTest, SendMailReportsEveryAnswerOfTheMailProgram) {
  struct Row {
    int exit_code;
    MessageKind kind;
    const char* text;
    bool result;
  };
  const Row rows[] = {
      {platform::kMailHandedOver, MessageKind::kHinweis, "Erfolgreich !", true},
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
  // Codes the mail program never gives still have their texts.
  presenter->calls.clear();
  TWebSS::ReportMailResult(7);
  TWebSS::ReportMailResult(14);
  EXPECT_EQ(presenter->calls[0].text, "Fehler Nr.7");
  EXPECT_EQ(presenter->calls[0].title, "EMail-Versand");
  EXPECT_EQ(presenter->calls[1].text,
            "EMail-Versand: Empfänger nicht in Adressbuch gefunden. (Nur möglich, wenn "
            "Emailadresse nicht angegeben.)");
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
