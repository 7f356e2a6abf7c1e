#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "common/file_base_ss.h"
#include "common/file_ss.h"
#include "common/messages.h"
#include "common/scripted_file_chooser.h"
#include "common/scripted_presenter.h"
#include "common/service.h"
#include "tests/common/temp_folder.h"

namespace common {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(TFileSS, TextModeAppendsLinesAndCreatesTheFile) {
  TempFolder dir;
  {
    TFileSS file("a.txt", 1, false, 0, TFileSS::kText);
    ASSERT_TRUE(file.Open());
    EXPECT_TRUE(file.Open());  // an open file answers at once
    EXPECT_TRUE(file.Write("eins"));
    EXPECT_TRUE(file.Write("zwei", -1, true));
    EXPECT_TRUE(file.Write("\xE4"));
  }  // freeing closes
  TFileSS again("a.txt", 1, false, 0, TFileSS::kText);
  ASSERT_TRUE(again.Open());
  EXPECT_TRUE(again.Write("drei"));
  EXPECT_TRUE(again.Close());
  EXPECT_EQ(ReadFile(dir / "a.txt"), "eins\r\nzwei\xE4\r\ndrei\r\n");
}

TEST(TFileSS, HandleModeWritesAtBytePositionsWithoutTruncating) {
  TempFolder dir;
  WriteFile(dir / "h.bin", "0123456789");
  TFileSS file("h.bin", 10, true, 0, TFileSS::kHandle);
  ASSERT_TRUE(file.Open());
  EXPECT_TRUE(file.Write("AB", 2, true));
  EXPECT_TRUE(file.Write("Z", -1, false));
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(ReadFile(dir / "h.bin"), "01AB456789Z\r\n");
}

TEST(TFileSS, ListModeReadsInsertsAndSavesOnClose) {
  TempFolder dir;
  WriteFile(dir / "l.txt", "b\r\nd\n");
  TFileSS file("l.txt", 0, false, 0, TFileSS::kList);
  ASSERT_TRUE(file.Open());
  EXPECT_EQ(file.Lines(), (std::vector<std::string>{"b", "d"}));
  EXPECT_TRUE(file.Write("a", 0));
  EXPECT_TRUE(file.Write("c", 2));
  EXPECT_TRUE(file.Write("e", -1));
  EXPECT_TRUE(file.Write("f", 99));                // past the end appends
  EXPECT_EQ(ReadFile(dir / "l.txt"), "b\r\nd\n");  // nothing written before the close
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(ReadFile(dir / "l.txt"), "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "l.txt.~sav"));
}

TEST(TFileSS, ListModeKeepsTheOldFileWhenTheSaveFails) {
  TempFolder dir;
  WriteFile(dir / "l.txt", "alt\r\n");
  TFileSS file("l.txt", 0, false, 0, TFileSS::kList);
  ASSERT_TRUE(file.Open());
  file.Write("neu");
  std::filesystem::create_directory(dir / "l.txt.~sav");  // the save cannot write beside it
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(ReadFile(dir / "l.txt"), "alt\r\n");
}

TEST(TFileSS, StreamModeWritesInMemoryOnly) {
  TempFolder dir;
  TFileSS file("s.bin", 0, false, 0, TFileSS::kStream);
  EXPECT_FALSE(file.Write("vor dem Open"));
  ASSERT_TRUE(file.Open());
  file.Write("abc", -1, true);
  file.Write("X", 1, true);
  file.Write("yz", 3);
  EXPECT_EQ(file.StreamData(), "aXcyz\r\n");
  file.Close();
  EXPECT_TRUE(file.StreamData().empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "s.bin"));
}

TEST(TFileSS, EraseAndRename) {
  TempFolder dir;
  TFileSS file("r.txt", 1, false, 0, TFileSS::kText);
  ASSERT_TRUE(file.Open());
  file.Write("inhalt");
  WriteFile(dir / "ziel.txt", "alt");
  EXPECT_TRUE(file.Rename("ziel.txt"));  // closes first, replaces the target
  EXPECT_EQ(file.FileName(), "ziel.txt");
  EXPECT_EQ(ReadFile(dir / "ziel.txt"), "inhalt\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "r.txt"));
  EXPECT_TRUE(file.Erase());
  EXPECT_FALSE(std::filesystem::exists(dir / "ziel.txt"));
  EXPECT_FALSE(file.Erase());  // nothing left to delete
}

class TFileBaseSSTest : public ::testing::Test {
 protected:
  TFileBaseSSTest() {
    auto presenter = std::make_unique<ScriptedPresenter>();
    presenter_ = presenter.get();
    messages_.emplace(std::move(presenter));
    auto chooser = std::make_unique<ScriptedFileChooser>();
    chooser_ = chooser.get();
    files_.emplace(std::move(chooser));
  }
  TFileBaseSS& Files() { return **files_; }

  TempFolder dir_;
  ScriptedPresenter* presenter_;
  ScriptedFileChooser* chooser_;
  std::optional<ScopedService<ToMessages>> messages_;
  std::optional<ScopedService<TFileBaseSS>> files_;
};

TEST_F(TFileBaseSSTest, ForceFolderMakesTheFolderCurrent) {
  EXPECT_FALSE(Files().ForceFolder("logs", false));  // missing, and not to be made
  EXPECT_EQ(Files().GetCurrentDir(), dir_.path());
  EXPECT_TRUE(Files().ForceFolder("logs\\2024", true));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "logs/2024"));
  EXPECT_EQ(Files().GetCurrentDir(), dir_ / "logs/2024");
  // Relative names now lie there.
  WriteFile(dir_ / "logs/2024/x.dat", "1");
  EXPECT_TRUE(Files().FileExists("x.dat"));
  EXPECT_TRUE(presenter_->calls.empty());
}

TEST_F(TFileBaseSSTest, ForceFolderFailureShowsTheFolderError) {
  WriteFile(dir_ / "datei", "");  // a file where a folder is needed
  const std::string path = dir_ / "datei/unter";
  EXPECT_FALSE(Files().ForceFolder(path, true));
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kFehler);
  EXPECT_EQ(presenter_->calls[0].text, "Fehler beim Erstellen des Ordners\r" + path);
  EXPECT_EQ(Files().GetCurrentDir(), dir_.path());

  EXPECT_FALSE(Files().ForceFolderMsg(path));
  EXPECT_EQ(presenter_->calls.size(), 2u);
  EXPECT_TRUE(Files().ForceFolderMsg("neu/tief"));
  EXPECT_TRUE(Files().DirectoryExists("neu/tief"));
  EXPECT_EQ(Files().GetCurrentDir(), dir_.path());  // ForceFolderMsg keeps the current folder
}

TEST_F(TFileBaseSSTest, RenameFileReplacesAnExistingTarget) {
  WriteFile(dir_ / "alt.txt", "neu");
  WriteFile(dir_ / "ziel.txt", "vorher");
  EXPECT_TRUE(Files().RenameFile("alt.txt", "ziel.txt"));
  EXPECT_EQ(ReadFile(dir_ / "ziel.txt"), "neu");
  EXPECT_FALSE(Files().FileExists("alt.txt"));
}

TEST_F(TFileBaseSSTest, AFailedRenameKeepsTheTarget) {
  WriteFile(dir_ / "ziel.txt", "vorher");
  EXPECT_FALSE(Files().RenameFile("fehlt.txt", "ziel.txt"));
  EXPECT_EQ(ReadFile(dir_ / "ziel.txt"), "vorher");
  // A file renamed onto itself stays.
  EXPECT_TRUE(Files().RenameFile("ziel.txt", "ziel.txt"));
  EXPECT_EQ(ReadFile(dir_ / "ziel.txt"), "vorher");
  // Only files are deleted, and only once.
  std::filesystem::create_directory(dir_ / "ordner");
  EXPECT_FALSE(Files().DeleteFile("ordner"));
  EXPECT_TRUE(Files().DeleteFile("ziel.txt"));
  EXPECT_FALSE(Files().DeleteFile("ziel.txt"));
}

TEST_F(TFileBaseSSTest, FileDialogDeliversOnlyAConfirmedName) {
  chooser_->answers = {std::nullopt, std::string("/logs/dl1abc"), std::string("/logs/a.cbr"),
                       std::string("/logs/a.txt")};
  std::string name = "vorschlag";
  EXPECT_FALSE(Files().FileDialog(true, "/logs", "Cabrillo|*.cbr", "CBR", true, name));
  EXPECT_EQ(name, "vorschlag");
  EXPECT_TRUE(Files().FileDialog(true, "/logs", "Cabrillo|*.cbr", "CBR", true, name));
  EXPECT_EQ(name, "/logs/dl1abc.CBR");
  EXPECT_TRUE(Files().FileDialog(true, "/logs", "Cabrillo|*.cbr", "CBR", true, name));
  EXPECT_EQ(name, "/logs/a.cbr");  // the extension is compared in capitals
  EXPECT_TRUE(Files().FileDialog(false, "/logs", "", ".CBR", false, name));
  EXPECT_EQ(name, "/logs/a.txt");  // not asked to append

  ASSERT_EQ(chooser_->requests.size(), 4u);
  const FileChooserRequest& first = chooser_->requests[0];
  EXPECT_TRUE(first.save);
  EXPECT_EQ(first.initial_folder, "/logs");
  EXPECT_EQ(first.file_name, "vorschlag");
  EXPECT_EQ(first.filter, "Cabrillo|*.cbr");
  EXPECT_EQ(first.default_ext, "CBR");
  EXPECT_EQ(first.flags, 14u);
  EXPECT_FALSE(chooser_->requests[3].save);
  EXPECT_EQ(chooser_->requests[3].default_ext, "CBR");
}

TEST_F(TFileBaseSSTest, ThePlatformDialogHoldsAtMost260Characters) {
  const std::string fits(260, 'a');
  const std::string too_long(261, 'a');
  chooser_->answers = {fits, too_long, too_long};
  std::string name(300, 'p');
  EXPECT_TRUE(Files().RunFileDialogApi(false, "", "", "", false, name));
  EXPECT_EQ(name, fits);
  EXPECT_EQ(chooser_->requests[0].file_name.size(), 260u);  // the proposal is cut to the buffer
  EXPECT_FALSE(Files().RunFileDialogApi(false, "", "", "", false, name));
  EXPECT_EQ(name, fits);
  // The component dialog has no such buffer, and no added flags.
  EXPECT_TRUE(Files().ExecuteFileDialog(false, "", "", "", false, name));
  EXPECT_EQ(name, too_long);
  EXPECT_EQ(chooser_->requests[2].flags, 0u);
}

TEST(TFileBaseSS, WithoutAChooserEveryDialogIsCancelled) {
  TFileBaseSS files;
  std::string name = "x";
  EXPECT_FALSE(files.FileDialog(false, "", "", "", false, name));
  EXPECT_EQ(name, "x");
}

}  // namespace
}  // namespace common
