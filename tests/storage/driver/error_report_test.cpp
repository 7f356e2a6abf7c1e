// Error reporting, byte for byte: error classes and numbers, EDBError, the operation stack and
// its dump "IFDErr.Dmp" and error log on stacks filled the way the driver fills them, the cause
// and remedy report of a serious error, and the lock-conflict question.
#include "storage/driver/error_report.h"

#include <vector>

#include "common/file_ops.h"
#include "common/lang_text.h"
#include "storage/driver/debug_stack.h"
#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_names.h"
#include "storage/driver/retry_prompt.h"
#include "tests/common/scripted_messages.h"
#include "tests/storage/driver/driver_fixture.h"

namespace storage_test {
namespace {

using common::MessageCall;
using common::MessageKind;
using common::testing::ReadFile;
using storage::DebugStack;
using storage::ErrorEntry;

struct ClassRow {
  const char* name;
  int error, cls, shown;
};

class ClassTest : public ::testing::TestWithParam<ClassRow> {};

TEST_P(ClassTest, ClassAndShownNumber) {
  EXPECT_EQ(storage::DriverResultClass(GetParam().error), GetParam().cls);
  EXPECT_EQ(storage::DriverErrorNumber(GetParam().error), GetParam().shown);
}

const ClassRow kClasses[] = {{"Success", 0, 0, 0},
                             {"KeyNotFound", 10200, 1, 10200},
                             {"PathNotFound", 9900, 2, 9900},
                             {"TempReadLock", 10399, 2, 10399},
                             {"JournalRestored", 10003, 3, 10003},
                             {"IndexDefective", 10070, 4, 10070},
                             {"Negative", -5, 4, -5},
                             {"RecordGone", 12289, 1, 1},
                             {"EraseLocked", 16385, 2, 1},
                             {"AutoKeyNotNumber", 24592, 4, 16},
                             {"StopWhileOpen", 28724, 5, 52},
                             {"Reentry", 28770, 1, 98},
                             {"High", 0x8000, 99, 0}};
INSTANTIATE_TEST_SUITE_P(Numbers, ClassTest, ::testing::ValuesIn(kClasses), RowName);

TEST(EDBErrorTest, EmptyStackGivesEmptyNumber) {
  DebugStack stack;
  EXPECT_STREQ(storage::EDBError::FromStack(4, "LB5", stack).what(), "Datenbankfehler 4() LB5");
}

// The fifth error replaces the fourth (the golden dumps show the entries themselves).
TEST(DebugStackTest, ClassIsTheHighestAndTheDeepestEntryTheFirstOfIt) {
  DebugStack stack;
  for (int n : {12289, 10230, 24592, 10230, 28724}) {
    stack.AddError({.error_class = -1, .error_number = n, .file_name = {}, .file_path = {}});
  }
  EXPECT_EQ(stack.ErrorClass(), 5);
  EXPECT_EQ(stack.DeepestEntry(), 4);
}

TEST(DebugStackTest, TraceEnteredAgainRecords28760AndStopsTracing) {
  DebugStack stack;
  int calls = 0;
  stack.SetTrace([&](const DebugStack&) { ++calls, stack.CallErrorProc(); }, true);
  stack.CallErrorProc();
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(stack.TraceOn());
  EXPECT_EQ(stack.GetEntry(1).error_number, 28760);
}

TEST(DriverNameTest, UpperCasedInWindows1252) {
  EXPECT_EQ(storage::NormaliseDriverName("a\x84o\x94\xE4"), "A\x8EO\x99\xE4");
}

constexpr std::uint16_t kFindRecord = 0x4012;  // shown as 18

enum Driver { kA, kB };

struct EntrySpec {
  Driver driver;
  int number;
  std::uint16_t key = 0;
  std::int32_t ref = 0;
  std::uint32_t argument = 1;
  std::uint16_t os_error = 0;
  std::uint16_t system_call = 0;
};

struct DumpCase {
  const char* name;
  platform::LocalTime now;
  Driver initial;
  std::vector<EntrySpec> entries;
  bool missing_key;
  const char* dump;  // the plain dump
  const char* log;   // the error log of SpecialDebugStack
};

// Driver A has its files open, driver B does not.
class DumpTest : public DriverTest, public ::testing::WithParamInterface<DumpCase> {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    a_ = OpenTest("PXA");
    b_ = OpenTest("PXB");
    Add(*a_, "DL1ABC");
    ASSERT_TRUE(a_->FilesOpen());
    ASSERT_FALSE(b_->FilesOpen());
  }

  const storage::IFDriver* DriverOf(Driver d) const { return d == kA ? a_.get() : b_.get(); }

  // Fills the stack as a failing FindRecord would (position mark 3).
  void Fill(DebugStack& stack, const DumpCase& c) {
    clock_.now = c.now;
    stack.Clear();
    stack.SetOperationCode(kFindRecord);
    stack.NoteInitialDriver(DriverOf(c.initial));
    stack.SetPositionMark(3);
    for (const EntrySpec& s : c.entries) {
      ErrorEntry e;
      e.error_class = -1;
      e.error_number = s.number;
      e.key_number = s.key;
      e.record_ref = s.ref;
      e.argument = s.argument;
      e.os_error = s.os_error;
      e.system_call = s.system_call;
      e.driver = DriverOf(s.driver);
      e.file_name = s.driver == kA ? "PXA" : "PXB";
      stack.AddError(e);
    }
    if (c.missing_key) stack.SetMissingKeyMark();
  }

  std::unique_ptr<storage::IFDriver> a_;
  std::unique_ptr<storage::IFDriver> b_;
};

// Blank lines are written as "\r\n" at the start of the line they precede.
// clang-format off
const DumpCase kCases[] = {
    {"OneError", {2024, 12, 24, 23, 59}, kA, {{kA, 10070, 1, 7, 2, 5, 0x0301}}, false,
     "\r\n*->  2024:12:24  23:59\r\n"
     "\r\n     Fileblock  PXA\r\n"
     "     - Err: 10070 (4)  MP: 0/18  [SP: 3  SN: 2]  KN: 1  RN: 7\r\n"
     "     - DF: $03  DS: $01  DE: 5\r\n"
     "     - AA: $\r\n",
     "\r\n*->  24/12/2024  23:59\r\n"
     "\r\n     Fileblock  PXA\r\n"
     "     - Err: 10070\r\n"},
    {"TwoErrorsWithBlankFilledDatePlaces", {2024, 3, 5, 9, 7}, kA,
     {{kA, 10200, 2, 0, 1}, {kA, 28724, 0, 0, 4, 0, 0x1A2B}}, false,
     "\r\n*->  2024: 3: 5   9: 7\r\n"
     "\r\n     Fileblock  PXA\r\n"
     "     - Err: 10200 (1)  MP: 0/18  [SP: 3  SN: 1]  KN: 2  RN: 0\r\n"
     "     - DF: $00  DS: $00  DE: 0\r\n"
     "\r\n     Fileblock  PXA\r\n"
     "     - Err: 52 (5)  MP: 0/18  [SP: 3  SN: 4]  KN: 0  RN: 0\r\n"
     "     - DF: $1A  DS: $2B  DE: 0\r\n"
     "     - AA: $\r\n",
     "\r\n*->  05/03/2024  09:07\r\n"
     "\r\n     Fileblock  PXA\r\n"
     "     - Err: 10200\r\n"
     "\r\n     Fileblock  PXA\r\n"
     "     - Err: 52\r\n"},
    {"FourErrorsTheFifthReplacingTheFourth", {2025, 1, 2, 3, 4}, kB,
     {{kB, 10140, 1}, {kB, 10075, 2}, {kB, 24590, 3}, {kB, 10001, 4}, {kB, 10002, 5}}, false,
     "\r\n*->  2025: 1: 2   3: 4\r\n"
     "     - Err: 10140 (4)  MP: 0/18  [SP: 3  SN: 1]  KN: 1  RN: 0\r\n"
     "     - DF: $00  DS: $00  DE: 0\r\n"
     "     - Err: 10075 (4)  MP: 0/18  [SP: 3  SN: 1]  KN: 2  RN: 0\r\n"
     "     - DF: $00  DS: $00  DE: 0\r\n"
     "     - Err: 14 (4)  MP: 0/18  [SP: 3  SN: 1]  KN: 3  RN: 0\r\n"
     "     - DF: $00  DS: $00  DE: 0\r\n"
     "     - Err: 10002 (3)  MP: 0/18  [SP: 3  SN: 1]  KN: 5  RN: 0\r\n"
     "     - DF: $00  DS: $00  DE: 0\r\n"
     "     - AA: $\r\n",
     "\r\n*->  02/01/2025  03:04\r\n"
     "     - Err: 10140\r\n"
     "     - Err: 10075\r\n"
     "     - Err: 14\r\n"
     "     - Err: 10002\r\n"},
    {"InitialFileblockAndPosErrorDeleteKey", {2024, 10, 11, 12, 13}, kB,
     {{kA, 24642, 2, 9, 3}}, true,
     "\r\n*->  2024:10:11  12:13\r\n"
     "     InitialFileblock  PXB\r\n"
     "\r\n     Fileblock  PXA\r\n"
     "     - Err: 66 (4)  MP: 0/18  [SP: 3  SN: 3]  KN: 2  RN: 9\r\n"
     "     - DF: $00  DS: $00  DE: 0\r\n"
     "     - AA: $\r\n"
     "PosErrorDeleteKey\r\n",
     "\r\n*->  11/10/2024  12:13\r\n"
     "     InitialFileblock  PXB\r\n"
     "\r\n     Fileblock  PXA\r\n"
     "     - Err: 66\r\n"},
    {"NothingBelowTheSeriousClass", {2024, 1, 1, 0, 0}, kA, {{kA, 10200}, {kA, 10330}}, false, "", ""},
};
// clang-format on

TEST_P(DumpTest, PlainDump) {
  Fill(system_->Stack(), GetParam());
  system_->Stack().WriteDump(true, true);
  EXPECT_EQ(ReadFile(folder_ / "IFDErr.Dmp"), GetParam().dump);
}

TEST_P(DumpTest, ErrorLog) {
  common::testing::ScriptedMessages messages;
  auto special = std::make_unique<storage::SpecialDebugStack>();
  special->SetDumpFileName("IFD.ERR");
  special->SetLogFolder(folder_ / "settings");
  ASSERT_TRUE(common::CreateFolder(folder_ / "settings"));
  system_->SetStack(std::move(special));
  Fill(system_->Stack(), GetParam());
  system_->Stack().WriteDump(true, false);
  EXPECT_EQ(ReadFile(folder_ / "settings/IFD.ERR"), GetParam().log);
  EXPECT_FALSE(common::FileExists(folder_ / "IFDErr.Dmp"));
}

INSTANTIATE_TEST_SUITE_P(Cases, DumpTest, ::testing::ValuesIn(kCases), RowName);

class DumpWritingTest : public DumpTest {};

TEST_F(DumpWritingTest, EveryWritingAppendsAndTheExitProcedureWritesThenClosesEveryDriver) {
  const DumpCase& one = kCases[0];
  Fill(system_->Stack(), one);
  system_->Stack().WriteDump(true, true);
  Fill(system_->Stack(), one);
  storage::DriverExitProcedure();
  EXPECT_EQ(ReadFile(folder_ / "IFDErr.Dmp"), std::string(one.dump) + one.dump);
  EXPECT_FALSE(a_->FilesOpen());
  EXPECT_EQ(storage::DriverErrorClass(), 0);
}

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
  const bool help = c.number == 10140;  // with the button to the installation help page
  EXPECT_EQ(call.kind, help ? MessageKind::kFehlerInfo : MessageKind::kFehler);
  EXPECT_EQ(call.button_caption, help ? "wichtiger Installationshinweis bei Vista" : "");
  EXPECT_EQ(call.link, help ? "/data/hilfe/installationshinweis.htm" : "");
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
    // A log that went missing beside its index is not silently replaced by an empty one.
    {"DataMissingIsAsked", 10, 1, ":  Datendatei fehlt. Neu anlegen? "},
    {"CrashRepairIsTold", 9, 1,
     ":  Eine andere Station wurde während einer Änderung beendet. Die Datei wird repariert. "
     "Weiter? "},
    // Declined, the repair is told as a notice.
    {"DeclinedRepairIsANotice", 11, 1,
     ":  Die Datei wird nicht repariert und bis dahin weder gelesen noch geschrieben. Jede "
     "Arbeit, die sie braucht, fragt wieder. "},
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
  const bool notice = c.reason == storage::kReasonRepairDeclined;
  EXPECT_EQ(call.kind, notice ? MessageKind::kHinweis : MessageKind::kJaNeinFrage);
  EXPECT_EQ(call.caption + call.title, "");
  EXPECT_EQ(call.default_yes, !notice);
  EXPECT_EQ(call.text, std::string(40, 'N') + c.text);
}

INSTANTIATE_TEST_SUITE_P(Reasons, QuestionTest, ::testing::ValuesIn(kQuestions), RowName);

}  // namespace
}  // namespace storage_test
