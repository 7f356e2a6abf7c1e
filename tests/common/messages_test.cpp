#include "common/messages.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "common/console_presenter.h"
#include "common/scripted_presenter.h"
#include "common/service.h"

namespace common {
namespace {

class MessagesTest : public ::testing::Test {
 protected:
  MessagesTest() {
    auto presenter = std::make_unique<ScriptedPresenter>();
    scripted_ = presenter.get();
    messages_.emplace(std::move(presenter));
  }
  ToMessages& Messages() { return **messages_; }

  ScriptedPresenter* scripted_;
  std::optional<ScopedService<ToMessages>> messages_;
};

TEST_F(MessagesTest, EveryOperationHandsItsTextsToThePresenter) {
  Messages().JaNeinFrage("Contest", "Sicherheitsabfrage", "Eintrag löschen?", true);
  Messages().Hinweis("Pelorin", "Logbuch Test", "geändert", false);
  Messages().HinweisMitCheck("Frequenz-Scan", "TRX-Frequenz ändern", "ein", true);
  Messages().Achtung(Messages().EingabeUnvollstaendig, Messages().DatenUngueltig);
  Messages().Fehler("Fehler beim Erstellen des Ordners\r/x");
  Messages().FehlerInfo("Zugriff verweigert", "Hilfe", "file:///hilfe.htm");

  using K = MessageKind;
  const std::vector<MessageCall> expected = {
      {.kind = K::kJaNeinFrage,
       .caption = "Contest",
       .title = "Sicherheitsabfrage",
       .text = "Eintrag l\xF6schen?",
       .default_yes = true},  // 1252 bytes, as the system's texts
      {.kind = K::kHinweis, .caption = "Pelorin", .title = "Logbuch Test", .text = "geändert"},
      {.kind = K::kHinweisMitCheck,
       .caption = "Frequenz-Scan",
       .title = "TRX-Frequenz ändern",
       .text = "ein",
       .show_check_box = true},
      {.kind = K::kAchtung,
       .title = "Eingabedaten unvollst\xE4ndig!",
       .text = "Ung\xFCltige Daten!"},
      {.kind = K::kFehler, .text = "Fehler beim Erstellen des Ordners\r/x"},
      {.kind = K::kFehlerInfo,
       .text = "Zugriff verweigert",
       .button_caption = "Hilfe",
       .link = "file:///hilfe.htm"},
  };
  EXPECT_EQ(scripted_->calls, expected);
}

TEST_F(MessagesTest, QuestionsTakeTheScriptedAnswersInTurn) {
  scripted_->answers = {false, true};
  // A warning in between does not use up an answer.
  EXPECT_FALSE(Messages().JaNeinFrage("", "", "Eins?", true));
  Messages().Achtung("", "dazwischen");
  EXPECT_TRUE(Messages().JaNeinFrage("", "", "Zwei?", false));
  // With the script used up, the default button answers.
  EXPECT_TRUE(Messages().JaNeinFrage("", "", "Drei?", true));
  EXPECT_FALSE(Messages().JaNeinFrage("", "", "Vier?", false));
}

TEST_F(MessagesTest, AHiddenCheckBoxIsNeverTicked) {
  scripted_->answers = {true, true, true};
  EXPECT_FALSE(Messages().Hinweis("", "", "ohne Box", false));
  EXPECT_TRUE(Messages().Hinweis("", "", "mit Box", true));
  EXPECT_FALSE(Messages().HinweisMitCheck("", "", "ohne Box", false));
}

TEST(ConsolePresenter, PrintsUtf8AndTakesTheDefaultAnswer) {
  std::ostringstream out;
  ToMessages messages(std::make_unique<ConsolePresenter>(out));
  EXPECT_TRUE(messages.JaNeinFrage("", "", "Programm beenden?", true));
  EXPECT_FALSE(messages.JaNeinFrage("Contest", "Eingabe beenden?", "Verwerfen?", false));
  EXPECT_FALSE(messages.Hinweis("", "", "Meldung", true));
  messages.Fehler("Zeile 1\rZeile 2 mit \xFC");
  messages.FehlerInfo("Kein Zugriff", "Hilfe", "file:///h.htm");

  const std::string text = out.str();
  EXPECT_NE(text.find("Abfrage - Abfrage:\nProgramm beenden?\n-> Ja\n"), std::string::npos);
  EXPECT_NE(text.find("Contest - Eingabe beenden?\nVerwerfen?\n-> Nein\n"), std::string::npos);
  EXPECT_NE(text.find("Hinweis - Hinweis:\nMeldung\n"), std::string::npos);
  EXPECT_NE(text.find("Fehler - Fehlermeldung:\nZeile 1\nZeile 2 mit \xC3\xBC\n"),
            std::string::npos);
  EXPECT_NE(text.find("[Hilfe] file:///h.htm"), std::string::npos);
}

TEST(MessagesPresenter, CanBeReplacedByTheWindowLayer) {
  auto first = std::make_unique<ScriptedPresenter>();
  ScriptedPresenter* first_raw = first.get();
  ToMessages messages(std::move(first));
  auto second = std::make_unique<ScriptedPresenter>();
  ScriptedPresenter* second_raw = second.get();
  const auto previous = messages.SetPresenter(std::move(second));
  EXPECT_EQ(previous.get(), first_raw);
  messages.Fehler("x");
  EXPECT_TRUE(first_raw->calls.empty());
  EXPECT_EQ(second_raw->calls.size(), 1u);
}

}  // namespace
}  // namespace common
