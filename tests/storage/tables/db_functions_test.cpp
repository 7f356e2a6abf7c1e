// The file manager's start and stop: the error reporter, the lock-conflict question as every
// driver's callback, a failing start, the stop with files open, the index-rebuild broadcast, and
// the end of a run after a serious error.
#include <filesystem>

#include "common/file_ops.h"
#include "storage/driver/db_error.h"
#include "storage/driver/debug_stack.h"
#include "storage/driver/rebuild_progress.h"
#include "tests/storage/tables/table_fixture.h"

namespace storage_test {
namespace {

using common::MessageKind;
using common::testing::ReadFile;

constexpr const char* kStartFailed = "Dateiverwaltung konnte nicht initialisiert werden";

// The file manager not yet started.
class FileManagerTest : public TableTest {
 protected:
  void SetUp() override {}
};

TEST_F(FileManagerTest, StartInstallsTheReporterAndTheLockConflictQuestion) {
  ASSERT_TRUE(Fkt().InitDatabase());
  EXPECT_TRUE(storage::DriverSystemActive());
  EXPECT_EQ(System().NetworkMode(), 2);
  EXPECT_NE(dynamic_cast<storage::SpecialDebugStack*>(&System().Stack()), nullptr);
  EXPECT_EQ(System().Stack().DumpFileName(), "IFD.ERR");
  EXPECT_TRUE(presenter_->calls.empty());
  presenter_->answers = {false};
  EXPECT_FALSE(System().DefaultRetryProc()("PXLOCK", 7));
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kJaNeinFrage);
  EXPECT_EQ(presenter_->calls[0].text, "PXLOCK:  Laufwerk nicht bereit. Noch einmal versuchen? ");
}

TEST_F(FileManagerTest, UnusableDataFolderFailsTheStartAndTheProgramEndsWithExitCode1) {
  common::testing::WriteFile(folder_ / "plain.txt", "not a folder");
  System().SetStartFolder(folder_ / "plain.txt/");
  Fkt().SetReportFolders(folder_ / "settings", "");
  ASSERT_TRUE(common::CreateFolder(folder_ / "settings"));
  EXPECT_FALSE(Fkt().InitFileManager());
  EXPECT_FALSE(storage::DriverSystemActive());
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kFehler);
  EXPECT_EQ(presenter_->calls[0].text, kStartFailed);
  EXPECT_EQ(System().Stack().DumpFileName(), "KV.ERR");
  EXPECT_EQ(storage::DriverErrorClass(), 4);
  // The caller ends with exit code 1; the start's exit procedure logs the refused access.
  EXPECT_EXIT(
      {
        if (!Fkt().InitFileManager()) std::exit(1);
        std::exit(0);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_NE(ReadFile(folder_ / "settings/KV.ERR").find("     - Err: 10140\r\n"), std::string::npos);
}

TEST_F(TableTest, DoneDatabaseNamesTheFirstFileStillOpen) {
  ASSERT_EQ(Club().OpenFiles(ToDatClub::kAllFiles, false), storage::TdbTreiber::kOpened);
  AddStation("DL1ABC", "Anna");
  EXPECT_EQ(Fkt().DoneDatabase(), "CLSTAT");
  EXPECT_EQ(storage::DriverErrorClass(), 0);
  EXPECT_FALSE(storage::DriverSystemActive());
  Club().CloseFiles(ToDatClub::kAllFiles, false);
  EXPECT_TRUE(System().OpenDrivers().empty());
}

// Records the forms' messages.
struct RecordingForms final : storage::FormMessageSink {
  struct Message {
    std::uint32_t wparam;
    std::int32_t lparam;
    std::string text;
  };
  std::vector<Message> messages;
  void SendToAllForms(std::uint32_t message, std::uint32_t wparam, std::int32_t lparam,
                      std::string_view text) override {
    EXPECT_EQ(message, 0x81D0u);
    messages.push_back({wparam, lparam, std::string(text)});
  }
};

TEST(IndexRebuildBroadcastTest, StartEveryFiveHundredAndEnd) {
  RecordingForms forms;
  storage::IndexRebuildBroadcast broadcast(forms);
  broadcast.RebuildProgress("PXLK" + std::string(45, 'Z'), 0, 0);
  ASSERT_EQ(forms.messages.size(), 1u);
  EXPECT_EQ(forms.messages[0].wparam, 1u);
  EXPECT_EQ(forms.messages[0].text, " Indexaufbau Datei: PXLK" + std::string(36, 'Z') + " ");
  for (int count : {1, 499, 500, 999, 1000, 12000, 12001}) broadcast.RebuildProgress("X", 1, count);
  ASSERT_EQ(forms.messages.size(), 5u);
  EXPECT_EQ(forms.messages[3].lparam, 1000);
  EXPECT_EQ(forms.messages[4].lparam, 2000);  // 12000 modulo 10000
  broadcast.RebuildProgress("X", 2, 0);
  EXPECT_EQ(forms.messages.back().wparam, 3u);
  EXPECT_TRUE(broadcast.Text().empty());
}

TEST_F(TableTest, IndexDefectAtTheEndOfARunDeletesTheIndexAndTheNextOpenRebuildsIt) {
  ASSERT_EQ(Club().OpenFiles(ToDatClub::kStationsBit, false), storage::TdbTreiber::kOpened);
  for (const char* call : {"DL1ABC", "DK2XY", "DO3ZZ"}) AddStation(call, "N");
  Club().CloseFiles(ToDatClub::kStationsBit, false);
  const std::string index = folder_ / "CLSTAT.IX";
  std::filesystem::resize_file(index, std::filesystem::file_size(index) / 2);
  ASSERT_EQ(Club().OpenFiles(ToDatClub::kStationsBit, false), storage::TdbTreiber::kOpened);
  EXPECT_THROW(TdbStation().First(2), storage::EDBError);
  storage::DriverExitProcedure();
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kFehler);
  EXPECT_TRUE(presenter_->calls[0].text.starts_with("Fehlercode: 10070\r"));
  EXPECT_FALSE(common::FileExists(index));
  EXPECT_NE(ReadFile(folder_ / "IFD.ERR").find("     - Err: 10070\r\n"), std::string::npos);
  // The next run: the open rebuilds the index without asking, tells the forms, and loses nothing.
  Club().CloseFiles(ToDatClub::kStationsBit, false, true);
  presenter_->calls.clear();
  RecordingForms forms;
  Fkt().SetFormMessageSink(&forms);
  ASSERT_EQ(Club().OpenFiles(ToDatClub::kStationsBit, false), storage::TdbTreiber::kOpened);
  {
    TdbStation s;
    ASSERT_TRUE(s.First(2));
    EXPECT_EQ(s.Record().call.str(), "DK2XY");
    EXPECT_EQ(s.RecordCount(), 3);
  }
  EXPECT_TRUE(presenter_->calls.empty());
  ASSERT_GE(forms.messages.size(), 2u);
  EXPECT_EQ(forms.messages.front().text, " Indexaufbau Datei: CLSTAT ");
  EXPECT_EQ(forms.messages.back().wparam, 3u);
  Fkt().SetFormMessageSink(nullptr);
  Club().CloseFiles(ToDatClub::kStationsBit, false);
  EXPECT_EQ(Fkt().DoneDatabase(), "");
  EXPECT_EQ(Check(ToDatClub::kStations), "");
}

TEST_F(TableTest, AtTheEndNoReportAfterALockConflictAndTheHelpPageLinkedAfter10140) {
  Fkt().SetReportFolders("", "hilfe");
  for (const int number : {10335, 10140}) {
    System().Stack().Clear();
    System().Stack().AddError(
        {.error_class = -1, .error_number = number, .file_name = {}, .file_path = {}});
    storage::DriverExitProcedure();
    EXPECT_EQ(common::FileExists(folder_ / "IFD.ERR"), number == 10140);
  }
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kFehlerInfo);
  EXPECT_EQ(presenter_->calls[0].link, folder_.path() + "/hilfe/installationshinweis.htm");
}

}  // namespace
}  // namespace storage_test
