#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>

#include "common/file_base_ss.h"
#include "common/file_ss.h"
#include "common/scripted_file_chooser.h"
#include "platform/file_faults.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"

namespace common {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;
namespace fs = std::filesystem;

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

TEST(TFileSS, ListModeInsertsAndSavesOnCloseKeepingTheOldFileOnFailure) {
  TempFolder dir;
  WriteFile(dir / "l.txt", "b\r\nd\n");
  TFileSS file("l.txt", 0, false, 0, TFileSS::kList);
  ASSERT_TRUE(file.Open());
  EXPECT_EQ(file.Lines(), (std::vector<std::string>{"b", "d"}));
  for (const auto& [line, at] : {std::pair{"a", 0}, {"c", 2}, {"e", -1}, {"f", 99}})
    EXPECT_TRUE(file.Write(line, at));             // 99, past the end, appends
  EXPECT_EQ(ReadFile(dir / "l.txt"), "b\r\nd\n");  // nothing written before the close
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(ReadFile(dir / "l.txt"), "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);  // nothing left beside

  ASSERT_TRUE(file.Open());
  file.Write("neu");
  platform::FileFaultPlan plan;
  plan.write.fail_at = 1;  // the disk is full at the save
  platform::ScopedFileFaults faults(&plan);
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(ReadFile(dir / "l.txt"), "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
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
  EXPECT_FALSE(fs::exists(dir / "s.bin"));
}

TEST(TFileSS, RenameReplacesTheTargetAndEraseDeletesOnce) {
  TempFolder dir;
  TFileSS file("r.txt", 1, false, 0, TFileSS::kText);
  ASSERT_TRUE(file.Open());
  file.Write("inhalt");
  WriteFile(dir / "ziel.txt", "alt");
  EXPECT_TRUE(file.Rename("ziel.txt"));  // closes first
  EXPECT_EQ(file.FileName(), "ziel.txt");
  EXPECT_EQ(ReadFile(dir / "ziel.txt"), "inhalt\r\n");
  EXPECT_FALSE(fs::exists(dir / "r.txt"));
  EXPECT_TRUE(file.Erase());
  EXPECT_FALSE(fs::exists(dir / "ziel.txt"));
  EXPECT_FALSE(file.Erase());
}

class TFileBaseSSTest : public ::testing::Test {
 protected:
  TempFolder dir_;
  testing::ScriptedMessages messages_;
  std::unique_ptr<ScriptedFileChooser> owned_ = std::make_unique<ScriptedFileChooser>();
  ScriptedFileChooser* chooser_ = owned_.get();
  TFileBaseSS files_{std::move(owned_)};
};

TEST_F(TFileBaseSSTest, ForceFolderMakesTheFolderCurrentOrShowsTheFolderError) {
  EXPECT_FALSE(files_.ForceFolder("logs", false));  // missing, and not to be made
  EXPECT_TRUE(messages_->calls.empty());
  EXPECT_TRUE(files_.ForceFolderMsg("neu/tief"));
  EXPECT_TRUE(files_.DirectoryExists("neu/tief"));
  EXPECT_EQ(files_.GetCurrentDir(), dir_.path());  // ForceFolderMsg keeps the current folder
  WriteFile(dir_ / "datei", "");                   // a file where a folder is needed
  const std::string path = dir_ / "datei/unter";
  EXPECT_FALSE(files_.ForceFolder(path, true));
  EXPECT_FALSE(files_.ForceFolderMsg(path));
  ASSERT_EQ(messages_->calls.size(), 2u);
  EXPECT_EQ(messages_->calls[0].kind, MessageKind::kFehler);
  EXPECT_EQ(messages_->calls[0].text, "Fehler beim Erstellen des Ordners\r" + path);
  EXPECT_EQ(messages_->calls[1], messages_->calls[0]);
  EXPECT_EQ(files_.GetCurrentDir(), dir_.path());
  EXPECT_TRUE(files_.ForceFolder("logs\\2024", true));
  EXPECT_EQ(files_.GetCurrentDir(), dir_ / "logs/2024");
  WriteFile(dir_ / "logs/2024/x.dat", "1");
  EXPECT_TRUE(files_.FileExists("x.dat"));  // relative names now lie there
}

TEST_F(TFileBaseSSTest, RenameReplacesAnExistingTargetAndAFailedOneKeepsIt) {
  WriteFile(dir_ / "alt.txt", "neu");
  WriteFile(dir_ / "ziel.txt", "vorher");
  EXPECT_FALSE(files_.RenameFile("fehlt.txt", "ziel.txt"));
  EXPECT_EQ(ReadFile(dir_ / "ziel.txt"), "vorher");
  EXPECT_TRUE(files_.RenameFile("ziel.txt", "ziel.txt"));  // onto itself: it stays
  EXPECT_EQ(ReadFile(dir_ / "ziel.txt"), "vorher");
  EXPECT_TRUE(files_.RenameFile("alt.txt", "ziel.txt"));
  EXPECT_EQ(ReadFile(dir_ / "ziel.txt"), "neu");
  EXPECT_FALSE(files_.FileExists("alt.txt"));
  fs::create_directory(dir_ / "ordner");
  EXPECT_FALSE(files_.DeleteFile("ordner"));  // only files are deleted, and only once
  EXPECT_TRUE(files_.DeleteFile("ziel.txt"));
  EXPECT_FALSE(files_.DeleteFile("ziel.txt"));
}

TEST_F(TFileBaseSSTest, FileDialogDeliversOnlyAConfirmedName) {
  chooser_->answers = {std::nullopt, "/logs/dl1abc", "/logs/a.cbr", "/logs/a.txt"};
  std::string name = "vorschlag";
  EXPECT_FALSE(files_.FileDialog(true, "/logs", "Cabrillo|*.cbr", "CBR", true, name));
  EXPECT_EQ(name, "vorschlag");
  EXPECT_TRUE(files_.FileDialog(true, "/logs", "Cabrillo|*.cbr", "CBR", true, name));
  EXPECT_EQ(name, "/logs/dl1abc.CBR");
  EXPECT_TRUE(files_.FileDialog(true, "/logs", "Cabrillo|*.cbr", "CBR", true, name));
  EXPECT_EQ(name, "/logs/a.cbr");  // the extension is compared in capitals
  EXPECT_TRUE(files_.FileDialog(false, "/logs", "", ".CBR", false, name));
  EXPECT_EQ(name, "/logs/a.txt");  // not asked to append
  ASSERT_EQ(chooser_->requests.size(), 4u);
  EXPECT_EQ(chooser_->requests[0],
            (FileChooserRequest{true, "/logs", "vorschlag", "Cabrillo|*.cbr", "CBR", 14, true}));
  EXPECT_EQ(chooser_->requests[3],
            (FileChooserRequest{false, "/logs", "/logs/a.cbr", "", "CBR", 14}));
}

TEST_F(TFileBaseSSTest, ThePlatformDialogHoldsAtMost260Characters) {
  const std::string fits(260, 'a'), too_long(261, 'a');
  chooser_->answers = {fits, too_long, too_long};
  std::string name(300, 'p');
  EXPECT_TRUE(files_.RunFileDialogApi(false, "", "", "", false, name));
  EXPECT_EQ(name, fits);
  EXPECT_EQ(chooser_->requests[0].file_name.size(), 260u);  // the proposal is cut to the buffer
  EXPECT_FALSE(files_.RunFileDialogApi(false, "", "", "", false, name));
  EXPECT_EQ(name, fits);
  // The component dialog has no such buffer, and no added flags.
  EXPECT_TRUE(files_.ExecuteFileDialog(false, "", "", "", false, name));
  EXPECT_EQ(name, too_long);
  EXPECT_EQ(chooser_->requests[2].flags, 0u);
  std::string kept = "x";
  EXPECT_FALSE(TFileBaseSS().FileDialog(false, "", "", "", false, kept));  // no chooser: cancelled
  EXPECT_EQ(kept, "x");
}

}  // namespace
}  // namespace common
