#include "common/messages.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "common/console_presenter.h"
#include "tests/common/scripted_messages.h"

namespace common {
namespace {

TEST(Messages, EveryOperationHandsItsTextsToThePresenter) {
  testing::ScriptedMessages scripted;
  ToMessages& m = Service<ToMessages>::Get();
  m.JaNeinFrage("Contest", "Abfrage", "Eintrag löschen?", true);
  m.Hinweis("Pelorin", "Logbuch", "geändert", false);
  m.HinweisMitCheck("Scan", "TRX", "ein", true);
  m.Achtung(m.EingabeUnvollstaendig, m.DatenUngueltig);
  m.Fehler("Ordner\r/x");
  m.FehlerInfo("verweigert", "Hilfe", "file:///h.htm");

  // Kind, caption, title, text, button caption, link, default yes, check box; texts in 1252.
  using K = MessageKind;
  const std::vector<MessageCall> expected = {
      {K::kJaNeinFrage, "Contest", "Abfrage", "Eintrag l\xF6schen?", "", "", true, false},
      {K::kHinweis, "Pelorin", "Logbuch", "ge\xE4ndert", "", "", false, false},
      {K::kHinweisMitCheck, "Scan", "TRX", "ein", "", "", false, true},
      {K::kAchtung, "", "Eingabedaten unvollst\xE4ndig!", "Ung\xFCltige Daten!", "", "", false,
       false},
      {K::kFehler, "", "", "Ordner\r/x", "", "", false, false},
      {K::kFehlerInfo, "", "", "verweigert", "Hilfe", "file:///h.htm", false, false},
  };
  EXPECT_EQ(scripted->calls, expected);
}

TEST(Messages, AnswersComeFromThePresenterAndAHiddenBoxIsNeverTicked) {
  testing::ScriptedMessages scripted;
  ToMessages& m = Service<ToMessages>::Get();
  scripted->answers = {false, true, true, true, true};
  EXPECT_FALSE(m.JaNeinFrage("", "", "Eins?", true));
  m.Achtung("", "dazwischen");  // takes no answer
  EXPECT_TRUE(m.JaNeinFrage("", "", "Zwei?", false));
  EXPECT_FALSE(m.Hinweis("", "", "ohne Box", false));
  EXPECT_TRUE(m.Hinweis("", "", "mit Box", true));
  EXPECT_FALSE(m.HinweisMitCheck("", "", "ohne Box", false));
}

TEST(Messages, ConsolePresenterPrintsUtf8AndTakesTheDefaultAnswer) {
  std::ostringstream out;
  ToMessages messages(std::make_unique<ConsolePresenter>(out));
  EXPECT_TRUE(messages.JaNeinFrage("", "", "Programm beenden?", true));
  EXPECT_FALSE(messages.JaNeinFrage("Contest", "Eingabe beenden?", "Verwerfen?", false));
  EXPECT_FALSE(messages.Hinweis("", "", "Meldung", true));
  messages.Fehler("Zeile 1\rZeile 2 mit \xFC");
  messages.FehlerInfo("Kein Zugriff", "Hilfe", "file:///h.htm");
  const std::string text = out.str();
  for (const char* part :
       {"Abfrage - Abfrage:\nProgramm beenden?\n-> Ja\n",
        "Contest - Eingabe beenden?\nVerwerfen?\n-> Nein\n", "Hinweis - Hinweis:\nMeldung\n",
        "Fehler - Fehlermeldung:\nZeile 1\nZeile 2 mit \xC3\xBC\n", "[Hilfe] file:///h.htm"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(Messages, TheWindowLayerReplacesThePresenter) {
  auto first = std::make_unique<ScriptedPresenter>(),
       second = std::make_unique<ScriptedPresenter>();
  ScriptedPresenter *first_raw = first.get(), *second_raw = second.get();
  ToMessages messages(std::move(first));
  EXPECT_EQ(messages.SetPresenter(std::move(second)).get(), first_raw);
  messages.Fehler("x");
  EXPECT_EQ(second_raw->calls.size(), 1u);
}

}  // namespace
}  // namespace common
