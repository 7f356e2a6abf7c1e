// The five message dialogs behind ToMessages, driven modally: sizing by the text, answers by
// key, button and close box, the check box, the continue and link buttons.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/messages.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/fake_environment.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/recording_desktop.h"
#include "tests/ui/ui_fixture.h"
#include "ui/message_dialogs.h"
#include "ui/message_forms.h"

namespace ui {
namespace {

using platform::qt::TForm;
using platform::qt::testkit::ModalDriver;

const std::string kShort = "Kurzer Text.";
// One line far wider than 600 pixels.
const std::string kLong =
    "Die Datei konnte nicht geöffnet werden, weil ein anderes Programm sie gerade benutzt; bitte "
    "schließen Sie das andere Programm und versuchen Sie es danach noch einmal, oder wählen Sie "
    "eine andere Datei aus dem Ordner.";

class MessageDialogsTest : public ::testing::Test {
 protected:
  MessageDialogsTest() { messages->SetPresenter(std::make_unique<DialogPresenter>()); }
  void SetFontSize(int size) {
    logbook::ToSetupLayout layout = settings->GetLayout();
    layout.font_size = size;
    settings->SetLayout(layout);
  }
  // Runs `show` while the driver looks at the dialog: `look` checks it, `answer` ends it.
  // `typed_ahead`: at once, as keys typed on for the window behind it reach it.
  template <typename Form>
  void Look(std::function<void(Form&)> look, bool typed_ahead = false) {
    auto answer = [look](TForm& f) {
      look(dynamic_cast<Form&>(f));
      if (f.ModalResult() == platform::qt::mrNone) f.SetModalResult(platform::qt::mrCancel);
    };
    if (typed_ahead) {
      driver.ThenTypedAhead(answer);
    } else {
      driver.Then(answer);
    }
  }

  testing::ScreenScope screen{768, 96};
  common::ScopedService<logbook::ToSetups> settings;
  common::ScopedService<common::ToMessages> messages;
  ModalDriver driver;
};

TEST_F(MessageDialogsTest, EveryDialogKeepsItsMinimumsWithShortAndLongTexts) {
  for (const bool long_text : {false, true}) {
    const std::string text = long_text ? kLong : kShort;
    const std::function<void()> shows[] = {
        [&] { messages->JaNeinFrage("", "", text, true); },
        [&] { messages->Hinweis("", "", text, true); },
        [&] { messages->Achtung("", text); },
        [&] { messages->Fehler(text); },
        [&] { messages->FehlerInfo(text, "Installationshinweis", "hinweis.htm"); },
    };
    for (const auto& show : shows) {
      driver.Then([long_text](TForm& form) {
        auto& f = dynamic_cast<TMessageDialogForm&>(form);
        // A short text: the narrowest width (the link dialog's buttons need more), the icon's
        // height over the buttons.
        const int icon_height = f.Image1->Top() + f.Image1->Height() + f.Panel2->Height();
        EXPECT_EQ(f.ClientWidth() == 320, !long_text && f.Name() != "FehlerInfoForm");
        EXPECT_EQ(f.ClientHeight() == icon_height, !long_text);
        EXPECT_GE(f.ClientHeight(), icon_height);
        for (platform::qt::TControl* button : f.Panel2->Controls()) {
          if (!button->Visible()) continue;
          EXPECT_GE(button->Left(), 0) << button->Name();
          EXPECT_LE(button->Left() + button->Width(), f.ClientWidth()) << button->Name();
        }
        platform::qt::testkit::SaveScreenshot(
            f, "dialog_" + f.Name() + (long_text ? "_long" : "_short"));
        f.SetModalResult(platform::qt::mrCancel);
      });
      show();
    }
  }
  const std::vector<std::string> forms{"JaNeinFrageForm", "HinweisForm", "AchtungForm",
                                       "FehlerForm", "FehlerInfoForm"};
  std::vector<std::string> twice = forms;
  twice.insert(twice.end(), forms.begin(), forms.end());
  EXPECT_EQ(driver.Seen(), twice);
}

TEST_F(MessageDialogsTest, ALongTextWrapsAt580AndEveryCarriageReturnAddsALine) {
  int plain_height = 0;
  Look<TAchtungForm>([&](TAchtungForm& f) {
    EXPECT_EQ(f.Label2->Width(), 580);
    EXPECT_EQ(f.ClientWidth(), f.Label2->Left() + 580 + 20);
    EXPECT_GE(f.Label2->Height(), 2 * 15 + 20);
    plain_height = f.Label2->Height();
  });
  messages->Achtung("Eingabe", kLong);
  Look<TAchtungForm>([&](TAchtungForm& f) {
    EXPECT_EQ(f.Label1->Caption(), "Eingabe");
    EXPECT_EQ(f.Label2->Height(), plain_height + 3 * 15);
  });
  messages->Achtung("Eingabe", kLong + "\rA\rB\rC");
}

TEST_F(MessageDialogsTest, AtTwelvePointsALongTextShowsWhole) {
  SetFontSize(12);
  Look<THinweisForm>([](THinweisForm& f) {
    EXPECT_GT(f.Label2->Font().Size(), 12);  // and 15 % more for a small window in the new look
    platform::qt::TBitmap scratch(1, 1);
    scratch.Canvas().Font = f.Label2->Font();
    platform::qt::TRect need{0, 0, f.Label2->Width(), 0};
    scratch.Canvas().DrawText(f.Label2->Caption(), need,
                              platform::qt::DT_WORDBREAK | platform::qt::DT_CALCRECT);
    EXPECT_GE(f.Label2->Height(), need.Height());
    EXPECT_GE(f.ClientHeight(), f.Label2->Top() + need.Height() + f.Panel2->Height());
    platform::qt::testkit::SaveScreenshot(f, "dialog_hinweis_long_12pt");
  });
  messages->Hinweis("", "", kLong + "\r" + kLong, false);
}

TEST_F(MessageDialogsTest, TheQuestionAnswersYesOnlyByTheYesButton) {
  struct Row {
    const char* name;
    bool default_yes;
    std::function<void(TJaNeinFrageForm&)> act;
    bool answer;
    bool typed_ahead = false;
  };
  platform::FakeClock clock;  // stands still: a key typed ahead comes within the pause
  const platform::ScopedEnvironment environment(&clock, nullptr, nullptr);
  const auto enter = [](TJaNeinFrageForm& f) {
    platform::qt::testkit::PressKey(*f.ActiveControl(), platform::qt::VK_RETURN);
  };
  const Row rows[] = {
      {"EnterWithDefaultNo", false, enter, false},
      {"EnterWithDefaultYes", true, enter, true},
      {"CloseBox", true, [](TJaNeinFrageForm& f) { f.Close(); }, false},
      {"YesButton", false,
       [](TJaNeinFrageForm& f) { platform::qt::testkit::Click(*f.kvBitBtn1, 5, 5); }, true},
      // Enter and "J" typed on for the log window leave the question open (then closed).
      {"TypedAhead", true,
       [enter](TJaNeinFrageForm& f) {
         enter(f);
         platform::qt::testkit::PressKey(*f.ActiveControl(), 'J');
       },
       false, true},
      // Pressed on purpose, a moment after the question showed.
      {"EnterAfterAMoment", true,
       [&](TJaNeinFrageForm& f) {
         clock.monotonic_ms += 300;
         enter(f);
       },
       true, true},
      // A QSO typed, eyes on the radio, into a question that stood for seconds: its first key
      // does nothing here, the rest are a run of typing; Tab moves nothing, Enter presses nothing.
      {"AQsoTypedIntoAStandingQuestion", true,
       [&](TJaNeinFrageForm& f) {
         ASSERT_EQ(f.ActiveControl(), f.kvBitBtn1);
         clock.monotonic_ms += 3000;
         for (const char key : std::string("DL8TAB\t81\r")) {
           clock.monotonic_ms += 120;
           platform::qt::testkit::TypeOnKeyboard(std::string(1, key));
         }
         EXPECT_EQ(f.ModalResult(), platform::qt::mrNone);
         EXPECT_EQ(f.ActiveControl(), f.kvBitBtn1);
       },
       false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Look<TJaNeinFrageForm>([&row](TJaNeinFrageForm& f) {
      EXPECT_EQ(f.kvBitBtn2->Default(), !row.default_yes);
      EXPECT_EQ(f.kvBitBtn1->Left() + f.kvBitBtn1->Width(), f.Panel2->ClientWidth() / 2);
      row.act(f);
    }, row.typed_ahead);
    EXPECT_EQ(messages->JaNeinFrage("Frage", "Löschen?", kShort, row.default_yes), row.answer);
  }
  EXPECT_EQ(driver.Unanswered(), 0);
}

TEST_F(MessageDialogsTest, TheNoticeAnswersItsCheckBox) {
  Look<THinweisForm>([](THinweisForm& f) {
    EXPECT_TRUE(f.ccheck->Visible());
    EXPECT_EQ(f.kvBitBtn1->kvKind(), TkvBitBtnKind::bkWeiter);
    EXPECT_EQ(f.Caption(), "Pelorin");
    f.ccheck->SetChecked(true);
    platform::qt::testkit::Click(*f.kvBitBtn1, 5, 5);
    EXPECT_EQ(f.ModalResult(), 11);
  });
  EXPECT_TRUE(messages->HinweisMitCheck("Pelorin", "Logbuch", kShort, true));
  // Hidden, the box answers false even when it was ticked.
  Look<THinweisForm>([](THinweisForm& f) {
    EXPECT_FALSE(f.ccheck->Visible());
    EXPECT_EQ(f.kvBitBtn1->kvKind(), TkvBitBtnKind::bkClose);
    f.ccheck->SetChecked(true);
    platform::qt::testkit::Click(*f.kvBitBtn1, 5, 5);
  });
  EXPECT_FALSE(messages->Hinweis("", "", kShort, false));
  EXPECT_EQ(driver.Unanswered(), 0);
}

TEST_F(MessageDialogsTest, TheLinkButtonOpensTheLink) {
  platform::RecordingShell shell;
  platform::ScopedDesktop desktop(&shell, nullptr);
  Look<TFehlerInfoForm>([](TFehlerInfoForm& f) {
    EXPECT_EQ(f.kvBitBtn2->Caption(), "Hilfe im Netz");
    EXPECT_EQ(f.kvBitBtn2->Left() + f.kvBitBtn2->Width(), f.Panel2->ClientWidth() - 5);
    platform::qt::testkit::Click(*f.kvBitBtn2, 5, 5);
  });
  messages->FehlerInfo(kLong, "Hilfe im Netz", "https://example.org/hilfe.htm");
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].arguments, std::vector<std::string>{"https://example.org/hilfe.htm"});
}

}  // namespace
}  // namespace ui
