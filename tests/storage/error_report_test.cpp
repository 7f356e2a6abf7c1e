// The cause and remedy report of a serious error, the lock-conflict question, and the report and
// index repair at the end of a run that ended with a serious error.
#include "storage/error_report.h"
#include "common/file_ops.h"
#include "common/lang_text.h"
#include "storage/db_error.h"
#include "storage/debug_stack.h"
#include "storage/retry_prompt.h"
#include "table_fixture.h"

namespace storage_test {
namespace {

using common::MessageCall;
using common::MessageKind;

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
  MessagesTest() {
    auto presenter = std::make_unique<common::ScriptedPresenter>();
    presenter_ = presenter.get();
    common::Service<common::ToMessages>::Install(
        std::make_unique<common::ToMessages>(std::move(presenter)));
  }
  ~MessagesTest() override {
    common::SetLanguageByte(common::kLanguageGerman);
    common::Service<common::ToMessages>::Destroy();
  }
  common::ScriptedPresenter* presenter_;
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

INSTANTIATE_TEST_SUITE_P(Numbers, ReportTest, ::testing::ValuesIn(kReports),
                         [](const auto& info) { return std::string(info.param.name); });

// --- the lock-conflict question ---

struct QuestionCase {
  const char* name;
  int reason;
  std::uint8_t language;
  const char* text;
};

const QuestionCase kQuestions[] = {
    {"Locked", 1, 1, "PXKK:  Record oder Datei gelockt. Noch einmal versuchen? "},
    {"RecordLock", 2, 1, "PXKK:  LockRec gescheitert. Noch einmal versuchen? "},
    {"FileLock", 3, 1, "PXKK:  LockFileBlock gescheitert. Noch einmal versuchen? "},
    {"RecordDeleted", 4, 1, "PXKK:  Satz bereits gelöscht. Neuanlegen? "},
    {"DriveNotReady", 7, 1, "PXKK:  Laufwerk nicht bereit. Noch einmal versuchen? "},
    {"PathNotFoundIsUndefined", 8, 1, "PXKK:  undefinierter Fehler. Noch einmal versuchen? "},
    {"ReasonZeroIsUndefined", 0, 1, "PXKK:  undefinierter Fehler. Noch einmal versuchen? "},
    {"EnglishLocked", 1, 2, "PXKK:  Record or file locked. Retry ? "},
    {"EnglishRecordDeleted", 4, 2, "PXKK:  Record already deleted. New add ? "},
    {"EnglishPathNotFound", 8, 2, "PXKK:  undefined Error. Retry ? "},
};

class QuestionTest : public MessagesTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(QuestionTest, AskedAsYesNoWithYesAsDefault) {
  const QuestionCase& c = GetParam();
  common::SetLanguageByte(c.language);
  presenter_->answers = {false};
  EXPECT_FALSE(storage::DriverRetryPrompt("PXKK", c.reason));
  ASSERT_EQ(presenter_->calls.size(), 1u);
  const MessageCall& call = presenter_->calls[0];
  EXPECT_EQ(call.kind, MessageKind::kJaNeinFrage);
  EXPECT_EQ(call.caption, "");
  EXPECT_EQ(call.title, "");
  EXPECT_TRUE(call.default_yes);
  EXPECT_EQ(call.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Reasons, QuestionTest, ::testing::ValuesIn(kQuestions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessagesTest, QuestionShowsTheFirst40CharactersOfTheName) {
  const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmn";
  ASSERT_EQ(name.size(), 50u);
  presenter_->answers = {true};
  EXPECT_TRUE(storage::DriverRetryPrompt(name, 1));
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].text,
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd:  Record oder Datei gelockt. Noch einmal "
            "versuchen? ");
}

TEST_F(MessagesTest, RebuildAndCreateAreAgreedWithoutAsking) {
  presenter_->answers = {false, false};
  EXPECT_TRUE(storage::DriverRetryPrompt("PXKK", 5));
  EXPECT_TRUE(storage::DriverRetryPrompt("PXKK", 6));
  EXPECT_TRUE(presenter_->calls.empty());
}

// --- the end of a run after a serious error ---

TEST_F(TableTest, AtTheEndNoReportAfterALockConflictAndTheHelpPageLinkedAfter10140) {
  Fkt().SetReportFolders("", "hilfe");
  for (const int number : {10335, 10140}) {
    storage::ErrorEntry e;
    e.error_class = -1;
    e.error_number = number;
    System().Stack().Clear();
    System().Stack().AddError(e);
    storage::DriverExitProcedure();
    EXPECT_EQ(common::FileExists(folder_ / "IFD.ERR"), number == 10140);
  }
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kFehlerInfo);
  EXPECT_EQ(presenter_->calls[0].link, folder_.path() + "/hilfe/installationshinweis.htm");
}

}  // namespace
}  // namespace storage_test
