// The cause and remedy report of a serious error and the lock-conflict question.
#include "storage/error_report.h"

#include <gtest/gtest.h>

#include "common/lang_text.h"
#include "storage/retry_prompt.h"
#include "tests/common/rows.h"
#include "tests/common/scripted_messages.h"

namespace storage_test {
namespace {

using common::MessageCall;
using common::MessageKind;
using common::testing::RowName;

struct ReportCase {
  const char* name;
  int number;
  std::uint8_t language;
  const char* text;
};

const ReportCase kReports[] = {
    {"FileHandles91", 91, 1,
     "Fehlercode: 91\rDas Programm wird abgebrochen. \r"
     "Mögliche Fehlerursache: zu wenig Filehandle\r"
     "Mögliche Fehlerbehebung: Erhöhen Sie den Wert\r"
     "in der Datei CONFIG.SYS auf 100.\r"},
    {"AccessDenied10140", 10140, 1,
     "Datenbankzugriff verweigert!\rDas Programm wird abgebrochen. \r"
     "Mögliche Ursachen: Programmpfad zu lang (>250) oder Vista-Zugriffsschutz oder "
     "Schreibschutz auf Datei oder anderes PEL-Programm aktiv.\r \r"
     "Mögliche Behebung: Programm in Ordner \"Programme\" installieren oder bei Vista Programm "
     "als Administrator starten (siehe Schalter unten) oder Schreibschutz auf Dateien des "
     "Programms entfernen oder anderes PEL-Programm beenden!\r"},
    {"DiskFull10075", 10075, 1,
     "Fehlercode: 10075\rDas Programm wird abgebrochen. \r"
     "Mögliche Fehlerursache: Zu wenig Plattenspeicher.\r"
     "Mögliche Fehlerbehebung: Erhöhen Sie den freien\r"
     "Festplattenspeicher.\r"},
    {"IndexDefective10070", 10070, 1,
     "Fehlercode: 10070\rDas Programm wird abgebrochen. \r"
     "Mögliche Fehlerursache: Indexdatei defekt.\r"
     "Mögliche Fehlerbehebung: Tritt dieser Fehler nach\r"
     "Neustart wieder auf: Löschen Sie alle Dateien mit der Endung .IX im Programmordner.\r"
     " Beim Neustart des Programms bauen diese sich wieder auf. Es gehen keine Daten verloren.\r"
     "Tritt der Fehler dann immer noch auf, nehmen Sie bitte mit der Hotline Kontakt auf."},
    {"ReorganisationFailed10465", 10465, 1,
     "Fehlercode: 10465\rDas Programm wird abgebrochen. \r"
     "Mögliche Fehlerursache: Reorg. fehlgeschlagen.\r"
     "Mögliche Fehlerbehebung: Tritt gleicher Fehler\r"
     "nach Neustart wieder auf: Benennen Sie .SAV-\r"
     "Dateien in .DAT-Dateien um."},
    {"OtherNumberHasNoCauseLines", 52, 1,
     "Fehlercode: 52\rDas Programm wird abgebrochen. \r\r\r\r"},
    {"EnglishAccessDenied", 10140, 2,
     "No data access!\rThe program will be cancled. \r"
     "Possible cause: another PEL program is still active.\r\r\r"},
};

// Messages through a scripted presenter; the language is put back to German afterwards.
class MessagesTest : public ::testing::Test {
 protected:
  ~MessagesTest() override { common::SetLanguageByte(common::kLanguageGerman); }
  common::testing::ScriptedMessages presenter_;
};

class ReportTest : public MessagesTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ReportTest, ShownThroughTheMessages) {
  const ReportCase& c = GetParam();
  common::SetLanguageByte(c.language);
  storage::ShowCauseAndRemedyReport(c.number, "/data/hilfe/installationshinweis.htm");
  ASSERT_EQ(presenter_->calls.size(), 1u);
  const MessageCall& call = presenter_->calls[0];
  EXPECT_EQ(call.text, c.text);
  if (c.number == 10140 || c.number == 10141) {
    EXPECT_EQ(call.kind, MessageKind::kFehlerInfo);
    EXPECT_EQ(call.button_caption, "wichtiger Installationshinweis bei Vista");
    EXPECT_EQ(call.link, "/data/hilfe/installationshinweis.htm");
  } else {
    EXPECT_EQ(call.kind, MessageKind::kFehler);
  }
}

INSTANTIATE_TEST_SUITE_P(Numbers, ReportTest, ::testing::ValuesIn(kReports), RowName);

struct QuestionCase {
  const char* name;
  int reason;
  std::uint8_t language;
  const char* text;  // after the file name; nullptr: agreed without asking
};

const QuestionCase kQuestions[] = {
    {"Locked", 1, 1, ":  Record oder Datei gelockt. Noch einmal versuchen? "},
    {"RecordDeleted", 4, 1, ":  Satz bereits gelöscht. Neuanlegen? "},
    {"DriveNotReady", 7, 1, ":  Laufwerk nicht bereit. Noch einmal versuchen? "},
    {"PathNotFoundIsUndefined", 8, 1, ":  undefinierter Fehler. Noch einmal versuchen? "},
    {"EnglishLocked", 1, 2, ":  Record or file locked. Retry ? "},
    {"EnglishPathNotFound", 8, 2, ":  undefined Error. Retry ? "},
    {"RebuildAgreed", 5, 1, nullptr},
    {"CreateAgreed", 6, 1, nullptr},
};

class QuestionTest : public MessagesTest, public ::testing::WithParamInterface<QuestionCase> {};

// The name shown is the first 40 of its 50 characters.
TEST_P(QuestionTest, AskedAsYesNoWithYesAsDefault) {
  const QuestionCase& c = GetParam();
  common::SetLanguageByte(c.language);
  presenter_->answers = {false};
  EXPECT_EQ(storage::DriverRetryPrompt(std::string(40, 'N') + "0123456789", c.reason), !c.text);
  ASSERT_EQ(presenter_->calls.size(), c.text ? 1u : 0u);
  if (c.text == nullptr) return;
  const MessageCall& call = presenter_->calls[0];
  EXPECT_EQ(call.kind, MessageKind::kJaNeinFrage);
  EXPECT_EQ(call.caption + call.title, "");
  EXPECT_TRUE(call.default_yes);
  EXPECT_EQ(call.text, std::string(40, 'N') + c.text);
}

INSTANTIATE_TEST_SUITE_P(Reasons, QuestionTest, ::testing::ValuesIn(kQuestions), RowName);

}  // namespace
}  // namespace storage_test
