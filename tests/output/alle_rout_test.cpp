#include "output/alle_rout.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <tuple>

#include "contest/contest_definition.h"
#include "output/station_file.h"
#include "platform/file.h"
#include "platform/file_faults.h"
#include "tests/common/as_nobody.h"
#include "tests/common/rows.h"
#include "tests/common/temp_folder.h"
#include "tests/output/output_fixture.h"

namespace output {
namespace {

using common::MessageKind;
using common::testing::ReadFile;
using common::testing::RowName;
using output_test::OutputFixture;

// --- files ---

struct FileRow {
  const char* name;
  int kind;
  std::string bytes;   // the file after "müller dl1abc" and "x"
  std::string padded;  // PadField("AB", 5)
  bool shown;          // opened in the viewer after closing
};
void PrintTo(const FileRow& row, std::ostream* os) { *os << row.name; }

class FileKindTest : public ::testing::TestWithParam<FileRow> {};

TEST_P(FileKindTest, WritesTheChannelsBytesAndShowsTheViewerKinds) {
  OutputFixture f;
  const FileRow& row = GetParam();
  TAlleRout& channel = f.Channel();
  ASSERT_TRUE(channel.Open(row.kind));
  f.Chooser().answers.push_back(f.Path("out"));
  ASSERT_TRUE(channel.OpenFileKind(row.kind, contest::TContestKKRec{}, contest::TContestRec{}));
  channel.WriteLine("m\xFCller dl1abc", true, true);
  channel.WriteLine("x", false, false);
  EXPECT_EQ(channel.PadField("AB", 5), row.padded);
  EXPECT_FALSE(channel.NewPageIfFull());
  channel.Close();
  channel.CloseAndShow();
  const std::string file = f.Path("out." + std::string(FindOutputKind(row.kind)->extension));
  EXPECT_EQ(channel.FileName(), file);
  EXPECT_EQ(ReadFile(file), row.bytes);
  EXPECT_EQ(f.Shown(), row.shown ? std::vector<std::string>{file} : std::vector<std::string>{});
  EXPECT_FALSE(channel.WriteFailed());
  EXPECT_TRUE(f.Printer().Jobs().empty());
}

const std::string kUpper = "M\xDCLLER DL1ABC\r\nX\r\n";
const std::string kAsIs = "m\xFCller dl1abc\r\nx\r\n";
const std::string kIndented = "     m\xFCller dl1abc\r\n     x\r\n";

INSTANTIATE_TEST_SUITE_P(Kinds, FileKindTest,
                         ::testing::Values(FileRow{"ELogSummary", 6, kIndented, "AB   ", true},
                                           FileRow{"ELogList", 7, kIndented, "AB   ", true},
                                           FileRow{"Stf", 8, kUpper, "AB   ", true},
                                           FileRow{"Adif", 9, kAsIs, "AB", false},
                                           FileRow{"Cabrillo", 10, kUpper, "AB   ", true},
                                           FileRow{"ELogBandList", 11, kIndented, "AB   ", false},
                                           FileRow{"ELogComplete", 12, kIndented, "AB   ", false},
                                           FileRow{"Csv", 13, kAsIs, "AB", false},
                                           FileRow{"ELogMultiplierList", 14, kIndented, "AB   ",
                                                   false},
                                           FileRow{"Edi", 15, kAsIs, "AB   ", true}),
                         RowName);

TEST(AlleRout, FieldsAreCutOnFixedWidthChannelsAndTrimmedOnTheOthers) {
  OutputFixture f;
  TAlleRout& channel = f.Channel();
  ASSERT_TRUE(channel.Open(10));
  EXPECT_EQ(channel.PadField("ABCDEFG", 5), "ABCDE");
  EXPECT_EQ(channel.PadField(std::string(300, 'x'), 300), std::string(255, 'x'));
  ASSERT_TRUE(channel.Open(13));
  EXPECT_EQ(channel.PadField("  ABCDEFG  ", 5), "ABCDEFG");
}

TEST(AlleRout, KindsWithoutAnOutputAreRefusedAndPrinterKindsNeedNoFile) {
  OutputFixture f;
  for (const int kind : {1, 16, 17, -1}) EXPECT_FALSE(f.Channel().Open(kind)) << kind;
  EXPECT_TRUE(f.PrintDialog().shown.empty());
  for (const int kind : {0, 2, 3, 4, 5}) {
    EXPECT_TRUE(f.Channel().OpenFileKind(kind, contest::TContestKKRec{}, contest::TContestRec{}));
  }
  EXPECT_TRUE(f.Chooser().requests.empty());
}

// --- names and the save dialog ---

TEST(AlleRout, ClassAndStationPartsOfFileNames) {
  EXPECT_EQ(TAlleRout::ContestFileNamePart("Mehrmann: 2.Lauf/Teil,A"), "-Mehrmann 2-Lauf_Teil_A");
  EXPECT_EQ(TAlleRout::ContestFileNamePart("A\\B"), "-A_B");
  EXPECT_EQ(TAlleRout::ContestFileNamePart(""), "");
  OutputFixture f;
  common::Service<logbook::ToSetups>::Get().SetOwnCall("DL1ABC/P");
  EXPECT_EQ(f.Channel().StationFileName(), "DL1ABC_P");
}

contest::TContestRec DefinitionWithClass(int index, const std::string& file_text) {
  contest::TContestRec definition;
  definition.Classes[static_cast<std::size_t>(index - 1)].ClassName = file_text;
  return definition;
}

TEST(AlleRout, AsksWithTheNoticeAndTheLogsDefaultName) {
  OutputFixture f;
  contest::TContestKKRec log{};
  log.ClassIndex = 2;
  ASSERT_TRUE(f.Channel().Open(10));
  f.Chooser().answers.push_back(f.Path("x.CBR"));
  ASSERT_TRUE(f.Channel().OpenFileKind(10, log, DefinitionWithClass(2, "Mehrmann: 2.Lauf/Teil,A")));
  ASSERT_EQ(f.Messages().calls.size(), 1u);
  const common::MessageCall& notice = f.Messages().calls[0];
  EXPECT_EQ(notice.kind, MessageKind::kHinweis);
  EXPECT_EQ(notice.title, "Dateiausgabe:");
  EXPECT_EQ(notice.text,
            "Geben Sie im folgenden Dialog an, wohin die Cabrillo - Datei DL1ABC.CBR gespeichert "
            "werden soll.");
  common::FileChooserRequest expected;
  expected.save = true;
  expected.file_name = "DL1ABC-Mehrmann 2-Lauf_Teil_A.CBR";
  expected.filter = "Cabrillo - Datei(*.CBR)|DL1ABC.CBR";
  expected.default_ext = "CBR";
  expected.flags = common::FileChooserRequest::kOverwritePrompt |
                   common::FileChooserRequest::kHideReadOnly |
                   common::FileChooserRequest::kNoChangeDir;
  expected.append_ext = true;
  ASSERT_EQ(f.Chooser().requests.size(), 1u);
  EXPECT_EQ(f.Chooser().requests[0], expected);
}

TEST(AlleRout, WithoutAClassTheDefaultNameIsTheStationAlone) {
  OutputFixture f;
  contest::TContestKKRec log{};
  for (const int class_index : {0, 200}) {  // 200: no such class slot
    log.ClassIndex = static_cast<std::uint8_t>(class_index);
    f.Chooser().answers.push_back(std::nullopt);
    f.Channel().English = true;  // no notice
    EXPECT_FALSE(f.Channel().OpenFileKind(8, log, DefinitionWithClass(1, "Klasse A")));
  }
  EXPECT_TRUE(f.Messages().calls.empty());
  ASSERT_EQ(f.Chooser().requests.size(), 2u);
  EXPECT_EQ(f.Chooser().requests[0].file_name, "DL1ABC.STF");
  EXPECT_EQ(f.Chooser().requests[1].file_name, "DL1ABC.STF");
}

TEST(AlleRout, ACancelledDialogCreatesNoFile) {
  OutputFixture f;
  ASSERT_TRUE(f.Channel().Open(7));
  f.Chooser().answers.push_back(std::nullopt);
  EXPECT_FALSE(f.Channel().OpenFileKind(7, contest::TContestKKRec{}, contest::TContestRec{}));
  f.Channel().WriteLine("lost", true, true);
  f.Channel().Close();
  f.Channel().CloseAndShow();
  EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(f.Path(""))));
  EXPECT_TRUE(f.Shown().empty());
}

TEST(AlleRout, AFileThatCannotBeCreatedIsReported) {
  OutputFixture f;
  ASSERT_TRUE(f.Channel().Open(10));
  const std::string name = f.Path("missing/log.CBR");
  f.Chooser().answers.push_back(name);
  EXPECT_FALSE(f.Channel().OpenFileKind(10, contest::TContestKKRec{}, contest::TContestRec{}));
  ASSERT_EQ(f.Messages().calls.size(), 2u);  // the notice, then the error
  EXPECT_EQ(f.Messages().calls[1].kind, MessageKind::kFehler);
  EXPECT_EQ(f.Messages().calls[1].text, "Die Datei " + name + " konnte nicht erstellt werden.");
}

// The file that stood under the name keeps what it held, and nothing of the new one is left.
TEST(AlleRout, ADiskFullStopsTheFileAndIsReportedInsteadOfTheViewer) {
  OutputFixture f;
  common::testing::WriteFile(f.Path("full.CBR"), "alt");
  ASSERT_TRUE(f.Channel().Open(10));
  f.Chooser().answers.push_back(f.Path("full.CBR"));
  ASSERT_TRUE(f.Channel().OpenFileKind(10, contest::TContestKKRec{}, contest::TContestRec{}));
  platform::FileFaultPlan plan;
  plan.write.fail_at = 3;
  {
    platform::ScopedFileFaults faults(&plan);
    for (const char* line : {"eins", "zwei", "drei", "vier"})
      f.Channel().WriteLine(line, true, true);
  }
  EXPECT_TRUE(f.Channel().WriteFailed());
  f.Channel().Close();
  f.Channel().CloseAndShow();
  EXPECT_EQ(ReadFile(f.Path("full.CBR")), "alt");
  EXPECT_FALSE(std::filesystem::exists(f.Path("full.CBR.~tmp")));
  EXPECT_TRUE(f.Shown().empty());
  EXPECT_EQ(f.Messages().calls.back().kind, MessageKind::kFehler);
  EXPECT_EQ(f.Messages().calls.back().text,
            "Die Datei " + f.Path("full.CBR") + " konnte nicht geschrieben werden.");
  EXPECT_TRUE(f.Channel().WriteFailed());  // still known to the dispatcher after closing
}

// A file that cannot take its name (a folder stands there) is reported, not shown or left.
TEST(AlleRout, AFileThatCannotTakeItsNameIsReportedAndRemoved) {
  OutputFixture f;
  std::filesystem::create_directories(f.Path("taken.CBR/inside"));
  ASSERT_TRUE(f.Channel().Open(10));
  f.Chooser().answers.push_back(f.Path("taken.CBR"));
  ASSERT_TRUE(f.Channel().OpenFileKind(10, contest::TContestKKRec{}, contest::TContestRec{}));
  f.Channel().WriteLine("eins", true, true);
  EXPECT_FALSE(f.Channel().CloseFile());
  f.Channel().ShowFile();
  EXPECT_TRUE(f.Shown().empty());
  EXPECT_FALSE(std::filesystem::exists(f.Path("taken.CBR.~tmp")));
  EXPECT_EQ(f.Messages().calls.back().text,
            "Die Datei " + f.Path("taken.CBR") + " konnte nicht geschrieben werden.");
}

// --- a file that stood under the chosen name ---

using std::filesystem::perms;

constexpr const char* kOld = "alt";
constexpr const char* kNew = "NEU\r\n";  // "neu" on the Cabrillo channel

// Answers the system's name `path`, made on the disk under its host name.
std::string OldFile(const std::string& path, perms mode) {
  common::testing::WriteFile(platform::HostPath(path), kOld);
  std::filesystem::permissions(platform::HostPath(path), mode);
  return path;
}

std::string LinkToAFileElsewhere(const std::string& folder) {
  std::filesystem::create_directory(folder + "elsewhere");
  OldFile(folder + "elsewhere/real.CBR", perms(0644));
  std::filesystem::create_symlink("elsewhere/real.CBR", folder + "out.CBR");
  return folder + "out.CBR";
}

std::string FileWithASecondName(const std::string& folder) {
  OldFile(folder + "out.CBR", perms(0644));
  std::filesystem::create_hard_link(folder + "out.CBR", folder + "other.CBR");
  return folder + "out.CBR";
}

std::string FileInAClosedFolder(const std::string& folder) {
  std::filesystem::create_directory(folder + "closed");
  OldFile(folder + "closed/out.CBR", perms(0644));
  std::filesystem::permissions(folder + "closed", perms(0555));
  return folder + "closed/out.CBR";
}

// 125 umlauts of two bytes each on the disk, in a path the save dialog lets through.
std::string NameOf255Bytes(const std::string& folder) {
  const std::string name = std::string(125, '\xFC') + "L.CBR";
  EXPECT_EQ(platform::HostPath(name).size(), 255u);
  return OldFile(folder + name, perms(0644));
}

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(platform::HostPath(path).c_str(), &st), 0) << path;
  return st;
}

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    names.insert(entry.path().string());
  }
  return names;
}

// The channel opened for a Cabrillo file under `path`, as the dispatcher opens it; false when
// the file was not begun.
bool BeginCabrillo(OutputFixture& f, TAlleRout& channel, const std::string& path) {
  channel.English = true;  // no notice
  f.Chooser().answers.push_back(path);
  return channel.Open(10) &&
         channel.OpenFileKind(10, contest::TContestKKRec{}, contest::TContestRec{});
}

enum class Who { kAnyone, kUser, kRoot };  // the user the case needs

struct ExistingRow {
  const char* name;
  Who who;
  // Makes the file and what stands around it in `folder`; answers the name the dialog gets.
  std::string (*make)(const std::string& folder);
  // The file under that name (through its links) is written; else it is refused and kept.
  bool written;
  bool owner_refused = false;  // the user may not give a new file the owner and mode
};
void PrintTo(const ExistingRow& row, std::ostream* os) { *os << row.name; }

class ExistingFileTest : public ::testing::TestWithParam<ExistingRow> {};

// The file at the end of the name's links gets the new text and keeps its mode, owner, group
// and other names; a link stays a link, and nothing is left beside.
TEST_P(ExistingFileTest, KeepsWhatTheFileWas) {
  const ExistingRow& row = GetParam();
  using common::testing::RunningAsRoot;
  if (row.who == Who::kRoot && !RunningAsRoot()) GTEST_SKIP() << "only root gives files away";
  OutputFixture f;
  const std::string path = row.make(f.Path(""));
  const bool as_nobody = row.who == Who::kUser && RunningAsRoot();
  if (as_nobody) common::testing::GiveToNobody(f.Path(""));
  const std::set<std::string> before = Entries(f.Path(""));
  const struct stat was = StatOf(path);
  const bool link = std::filesystem::is_symlink(platform::HostPath(path));
  platform::FileFaultPlan plan;
  plan.owner.fail_at = row.owner_refused ? 1 : 0;
  platform::ScopedFileFaults faults(&plan);
  const auto write = [&] {
    TAlleRout& channel = f.Channel();
    EXPECT_EQ(BeginCabrillo(f, channel, path), row.written);
    channel.WriteLine("neu", true, true);
    channel.Close();
    EXPECT_EQ(channel.CloseFile(), row.written);
    const std::string told =
        row.written ? "" : "Die Datei " + path + " konnte nicht erstellt werden.";
    EXPECT_EQ(f.Messages().calls.empty() ? "" : f.Messages().calls.back().text, told);
    EXPECT_EQ(ReadFile(platform::HostPath(path)), row.written ? kNew : kOld);
    const struct stat is = StatOf(path);
    EXPECT_EQ(std::tie(is.st_mode, is.st_uid, is.st_gid, is.st_nlink),
              std::tie(was.st_mode, was.st_uid, was.st_gid, was.st_nlink));
    EXPECT_EQ(std::filesystem::is_symlink(platform::HostPath(path)), link);
    EXPECT_EQ(Entries(f.Path("")), before);
  };
  if (as_nobody) {
    EXPECT_TRUE(common::testing::RunAsNobody(write));
  } else {
    write();
  }
  for (const std::string& entry : before) {  // closed folders opened again for the clean-up
    if (std::filesystem::is_directory(entry)) std::filesystem::permissions(entry, perms(0755));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExistingFileTest,
    ::testing::Values(
        ExistingRow{"Mode0600Kept", Who::kAnyone,
                    [](const std::string& d) { return OldFile(d + "out.CBR", perms(0600)); }, true},
        ExistingRow{"AnotherUsersFileStaysTheirs", Who::kRoot,
                    [](const std::string& d) {
                      common::testing::GiveToNobody(OldFile(d + "out.CBR", perms(0664)));
                      return d + "out.CBR";
                    },
                    true},
        ExistingRow{"LinksTargetWritten", Who::kAnyone, LinkToAFileElsewhere, true},
        ExistingRow{"SecondHardLinkWritten", Who::kAnyone, FileWithASecondName, true},
        ExistingRow{"WriteProtectedRefused", Who::kUser,
                    [](const std::string& d) { return OldFile(d + "out.CBR", perms(0444)); },
                    false},
        ExistingRow{"WritableFileInAClosedFolderWritten", Who::kUser, FileInAClosedFolder, true},
        ExistingRow{"Name255BytesWritten", Who::kAnyone, NameOf255Bytes, true},
        // A mode the usual umasks never give a new file: one renamed in its place would show.
        ExistingRow{"OwnerNotGivenWrittenInPlace", Who::kAnyone,
                    [](const std::string& d) { return OldFile(d + "out.CBR", perms(0604)); }, true,
                    true}),
    RowName);

// Each writer writes a file of its own beside the name: the name then holds one whole file,
// and each writer is told that its file was written.
TEST(AlleRout, TwoWritersOfOneNameLeaveOneWholeFile) {
  OutputFixture f;
  const std::string path = OldFile(f.Path("two.CBR"), perms(0644));
  TAlleRout& first = f.Channel();
  TAlleRout second;
  second.SetFileShower([](const std::string&) { return true; });
  ASSERT_TRUE(BeginCabrillo(f, first, path));
  ASSERT_TRUE(BeginCabrillo(f, second, path));
  first.WriteLine("first 1", true, true);
  second.WriteLine("second 1", true, true);
  second.WriteLine("second 2", true, true);
  EXPECT_TRUE(second.CloseFile());
  first.WriteLine("first 2", true, true);
  EXPECT_TRUE(first.CloseFile());
  EXPECT_EQ(ReadFile(path), "FIRST 1\r\nFIRST 2\r\n");
  EXPECT_TRUE(f.Messages().calls.empty());
  EXPECT_EQ(Entries(f.Path("")), std::set<std::string>{path});
}

// The file reaches the disk before it takes the name: when the flush fails, the older file
// stays under it.
TEST(AlleRout, AFileThatDoesNotReachTheDiskKeepsTheOlderFile) {
  OutputFixture f;
  const std::string path = OldFile(f.Path("flush.CBR"), perms(0644));
  ASSERT_TRUE(BeginCabrillo(f, f.Channel(), path));
  f.Channel().WriteLine("eins", true, true);
  platform::FileFaultPlan plan;
  plan.flush.fail_at = 1;
  {
    platform::ScopedFileFaults faults(&plan);
    EXPECT_FALSE(f.Channel().CloseFile());
  }
  EXPECT_EQ(ReadFile(path), kOld);
  EXPECT_EQ(Entries(f.Path("")), std::set<std::string>{path});
  ASSERT_FALSE(f.Messages().calls.empty());
  EXPECT_EQ(f.Messages().calls.back().text,
            "Die Datei " + path + " konnte nicht geschrieben werden.");
}

// A file written in place (it has another name) is only touched at the close: an output ended
// before keeps it under both names. Ended by Abandon, or left undecided by an exception (whose
// catcher tells) and dropped by the next output or the channel's end, it is not told.
TEST(AlleRout, AnOutputEndedUnwrittenLeavesAFileWithOtherNamesAsItWas) {
  enum class Ending { kAbandon, kNextOutput, kChannelEnd };
  for (const Ending ending : {Ending::kAbandon, Ending::kNextOutput, Ending::kChannelEnd}) {
    SCOPED_TRACE(static_cast<int>(ending));
    OutputFixture f;
    const std::string path = FileWithASecondName(f.Path(""));
    {
      TAlleRout channel;
      ASSERT_TRUE(BeginCabrillo(f, channel, path));
      channel.WriteLine("eins", true, true);
      if (ending == Ending::kAbandon) channel.Abandon();
      if (ending == Ending::kNextOutput) {
        ASSERT_TRUE(channel.Open(10));
      }
      if (ending != Ending::kChannelEnd) {
        EXPECT_FALSE(channel.CloseFile());
      }
    }
    EXPECT_EQ(ReadFile(path), kOld);
    EXPECT_EQ(ReadFile(f.Path("other.CBR")), kOld);
    EXPECT_TRUE(f.Messages().calls.empty());
  }
}

// A FIFO under the name gives its reader the whole file and stays a FIFO; the viewer does not
// open it, as its read would wait for another writer.
TEST(AlleRout, AFifoUnderTheNameGivesItsReaderTheFileAndIsNotShown) {
  OutputFixture f;
  const std::string fifo = platform::HostPath(f.Path("out.CBR"));
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_TRUE(BeginCabrillo(f, f.Channel(), f.Path("out.CBR")));
  f.Channel().WriteLine("neu", true, true);
  f.Channel().Close();
  f.Channel().CloseAndShow();
  char got[16] = {};
  EXPECT_EQ(::read(reader, got, sizeof got - 1), 5);
  ::close(reader);
  EXPECT_STREQ(got, kNew);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(f.Shown().empty());
  EXPECT_TRUE(f.Messages().calls.empty());
}

// --- the printer ---

struct PrinterRow {
  const char* name;
  int kind;
  int points;
};
void PrintTo(const PrinterRow& row, std::ostream* os) { *os << row.name; }

class PrinterKindTest : public ::testing::TestWithParam<PrinterRow> {};

TEST_P(PrinterKindTest, BeginsAJobWithTheKindsFontAndMetrics) {
  OutputFixture f;
  f.PrintDialog().answers.push_back({});
  TAlleRout& channel = f.Channel();
  ASSERT_TRUE(channel.Open(GetParam().kind));
  EXPECT_EQ(f.PrintDialog().shown.size(), 1u);
  EXPECT_EQ(channel.DotsPerInch(), 600.0);
  EXPECT_EQ(channel.LeftMargin(), 331);
  EXPECT_EQ(channel.Y(), 236);
  // The line height measured on a printer of its own, in the same font.
  platform::qt::TRecordingPrinter reference;
  reference.Canvas().Font.SetName("Courier New");
  reference.Canvas().Font.SetSize(GetParam().points);
  EXPECT_EQ(channel.LineHeight(), std::lround(1.1 * reference.Canvas().TextHeight("XygW")));
  channel.WriteLine("m\xFCller", true, true);
  channel.BoldOn();
  channel.WriteLine("Kopf", false, false);
  channel.Close();
  channel.CloseAndShow();
  const auto& texts = f.Printer().Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "m\xFCller");  // the printer keeps the case
  EXPECT_EQ(texts[0].font, "Courier New");
  EXPECT_EQ(texts[0].size, GetParam().points);
  EXPECT_EQ(texts[0].x, 331);
  EXPECT_EQ(texts[0].y, 236);
  EXPECT_FALSE(texts[0].Bold());
  EXPECT_EQ(texts[1].y, 236 + channel.LineHeight());
  EXPECT_TRUE(texts[1].Bold());
  ASSERT_EQ(f.Printer().Jobs().size(), 1u);
  EXPECT_TRUE(f.Printer().Jobs()[0].ended);
  EXPECT_FALSE(f.Printer().Canvas().Font.Style() & platform::qt::fsBold);  // Close: bold off
  EXPECT_TRUE(f.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, PrinterKindTest,
                         ::testing::Values(PrinterRow{"SummarySheet", 0, 9},
                                           PrinterRow{"MultiplierList", 2, 10},
                                           PrinterRow{"BandList", 3, 8},
                                           PrinterRow{"QsoList", 4, 8},
                                           PrinterRow{"WholePaperLog", 5, 9}),
                         RowName);

TEST(AlleRout, NoJobWhenThePrintDialogIsCancelledOrThePrinterRefuses) {
  OutputFixture f;
  platform::qt::PrintDialogAnswer cancel;
  cancel.ok = false;
  f.PrintDialog().answers.push_back(cancel);
  EXPECT_FALSE(f.Channel().Open(4));
  EXPECT_TRUE(f.Messages().calls.empty());
  f.Printer().refuse_jobs = true;
  f.PrintDialog().answers.push_back({});
  EXPECT_FALSE(f.Channel().Open(0));
  EXPECT_TRUE(f.Printer().Jobs().empty());
  ASSERT_EQ(f.Messages().calls.size(), 1u);
  EXPECT_EQ(f.Messages().calls[0].text,
            "Der Drucker Aufzeichnung konnte den Druckauftrag nicht beginnen.");
}

TEST(AlleRout, ANewPageBeginsExactlyWhenFewerThanTwoLinesRemain) {
  OutputFixture f;
  f.PrintDialog().answers.push_back({});
  TAlleRout& channel = f.Channel();
  ASSERT_TRUE(channel.Open(4));
  const int page_height = f.Printer().PageHeight();
  int lines = 0;
  while (!channel.NewPageIfFull()) {
    ASSERT_GE(page_height - channel.Y(), 2 * channel.LineHeight());
    channel.WriteLine("Zeile", false, true);
    ++lines;
  }
  EXPECT_LT(page_height - channel.Y(), 2 * channel.LineHeight());
  EXPECT_EQ(f.Printer().PageNumber(), 2);
  EXPECT_EQ(channel.X(), channel.LeftMargin());
  EXPECT_GT(lines, 50);
}

TEST(StationFile, NamesTheFileOfTheThreeContestsInTheStartFolder) {
  OutputFixture f;
  EXPECT_EQ(StationFileName('b', 42), f.Path("OQRP    42.STN"));
  EXPECT_EQ(StationFileName('j', 7), f.Path("mssprint     7.STN"));
  EXPECT_EQ(StationFileName('v', 123456), f.Path("mrr123456.STN"));
  EXPECT_EQ(StationFileName('W', 42), "");
}

}  // namespace
}  // namespace output
