// The output menu of the setup form and the dispatcher behind it: which items a contest offers,
// which code each item passes, the ADIF notice, and what each code writes, reports and shows;
// the period of 'E'; the whole paper log in one job.
#include "app/write_output.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/output_menu.h"
#include "app/zeitraum_eutag.h"
#include "output/output_kinds.h"
#include "output/uhfteilnehmer.h"
#include "platform/file_faults.h"
#include "platform/qt/button.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/app/output_menu_clicks.h"
#include "tests/app/setup_output_fixture.h"
#include "tests/common/temp_folder.h"
#include "tests/contestlog/another_station.h"
#include "tests/output/fixture_logs.h"

namespace app_test {
namespace {

using app::kOutputMenu;
using app::TOutputMenu;
using output_test::At;
using output_test::QsoOf;

// --- the menu ---

std::set<std::string> EnabledItems(const TOutputMenu& menu) {
  std::set<std::string> names;
  for (const app::OutputMenuEntry& entry : kOutputMenu) {
    if (menu.Item(entry.name)->Enabled()) names.insert(entry.name);
  }
  return names;
}

class OutputMenuTest : public SetupOutputTest {
 protected:
  contestlog_test::CallerForm form_;
  std::vector<int> codes_;
  TOutputMenu menu_{form_, [this](int code) {
                      codes_.push_back(code);
                      messages_when_written_ = presenter_->calls.size();
                    }};
  std::size_t messages_when_written_ = 0;
};

TEST_F(OutputMenuTest, AContestWithoutOutputBitsOffersTheCompleteFileAndCsv) {
  contest::TContestRec definition;
  menu_.Update(definition);
  EXPECT_EQ(EnabledItems(menu_), (std::set<std::string>{"ELogGesamtdatei1", "DruckCSV"}));
  EXPECT_EQ(menu_.Item("DruckSTF")->Caption(), "STF-Datei");
  EXPECT_EQ(menu_.Item("DruckEDI")->Caption(), "EDI-Datei");
  EXPECT_EQ(menu_.Item("DruckCabrillo")->Caption(), "Cabrillo-Datei (empfohlen)");
}

TEST_F(OutputMenuTest, EachBitOfTheSetEnablesItsItem) {
  const std::vector<std::pair<int, std::string>> bits = {{1, "DruckELogDeckblatt"},
                                                         {2, "DruckELogListe"},
                                                         {3, "DruckSTF"},
                                                         {4, "DruckADIF"},
                                                         {5, "DruckPapierDeckblatt"},
                                                         {6, "DruckPapierListe"},
                                                         {7, "DruckPapierBandliste"},
                                                         {8, "DruckPapierMultiListe"},
                                                         {9, "DruckCabrillo"},
                                                         {10, "DruckEBandliste"},
                                                         {12, "DruckEMultiliste"},
                                                         {13, "DruckEDI"}};
  for (const auto& [element, name] : bits) {
    contest::TContestRec one;
    one.OutputMenu.set(static_cast<std::size_t>(element));
    menu_.Update(one);
    EXPECT_EQ(EnabledItems(menu_), (std::set<std::string>{name, "ELogGesamtdatei1", "DruckCSV"}))
        << element;
  }
  contest::TContestRec all;
  all.OutputMenu.set();
  menu_.Update(all);
  EXPECT_EQ(EnabledItems(menu_).size(), kOutputMenu.size());
  EXPECT_EQ(menu_.Item("DruckSTF")->Caption(), "STF-Datei (empfohlen)");
  EXPECT_EQ(menu_.Item("DruckEDI")->Caption(), "EDI-Datei (empfohlen)");
}

TEST_F(OutputMenuTest, ItemsPassTheirCodesInTheMenusOrder) {
  contest::TContestRec all;
  all.OutputMenu.set();
  menu_.Update(all);
  const platform::qt::TMenuItem& root = *menu_.druckwagpopup->Items();
  std::vector<std::string> captions;
  for (int i = 0; i < root.Count(); ++i) {
    captions.push_back(root.Items(i)->Caption());
    root.Items(i)->Click();
  }
  EXPECT_EQ(codes_, (std::vector<int>{10, 8, 15, 12, 6, 7, 11, 14, 9, 13, 0, 4, 3, 2}));
  EXPECT_EQ(captions[3], "-");
  EXPECT_EQ(captions[9], "-");
  EXPECT_EQ(captions[12], "-");
  EXPECT_EQ(captions.size(), 17u);
  // A disabled item passes nothing.
  menu_.Update(contest::TContestRec{});
  codes_.clear();
  menu_.Item("DruckCabrillo")->Click();
  EXPECT_TRUE(codes_.empty());
}

TEST_F(OutputMenuTest, TheAdifFileComesAfterTheNoticeAboutTheSponsorsWishes) {
  contest::TContestRec all;
  all.OutputMenu.set();
  menu_.Update(all);
  presenter_->answers.push_back(true);  // "Meldung nicht mehr anzeigen" ticked: still asked
  menu_.Item("DruckADIF")->Click();
  menu_.Item("DruckADIF")->Click();
  ASSERT_EQ(presenter_->calls.size(), 2u);
  EXPECT_EQ(presenter_->calls[0].kind, common::MessageKind::kHinweisMitCheck);
  EXPECT_EQ(presenter_->calls[0].caption, "Contest");
  EXPECT_EQ(presenter_->calls[0].title, "Exportdatei");
  EXPECT_EQ(presenter_->calls[0].text,
            "Achtung: Bitte die Ausschreibung beachten, ob ADIF-Dateien erwünscht sind und "
            "akzeptiert werden.");
  EXPECT_EQ(codes_, (std::vector<int>{9, 9}));
  EXPECT_EQ(messages_when_written_, 2u);  // the notice came before the output
}

TEST_F(OutputMenuTest, OpensAtTheButtonOnlyForAStoredLog) {
  auto* button = new platform::qt::TButton(&form_);
  button->SetParent(&form_);
  button->SetBounds(300, 520, 150, 30);
  form_.Show();
  contest::TContestRec cabrillo;
  cabrillo.OutputMenu.set(9);

  EXPECT_FALSE(menu_.Open(cabrillo, false, *button));
  EXPECT_FALSE(menu_.druckwagpopup->IsShowing());

  ASSERT_TRUE(menu_.Open(cabrillo, true, *button));
  EXPECT_EQ(EnabledItems(menu_),
            (std::set<std::string>{"DruckCabrillo", "ELogGesamtdatei1", "DruckCSV"}));
  platform::qt::TPopupWindow& window = *menu_.druckwagpopup->Window();
  // At the button, unless the screen's edge moved it up or left.
  const platform::qt::TPoint corner = button->ClientToScreen({0, 0});
  const platform::qt::TPoint shown = window.ClientToScreen({0, 0});
  EXPECT_LE(shown.X, corner.X);
  EXPECT_LE(shown.Y, corner.Y);
  EXPECT_TRUE(shown.X == corner.X || shown.Y == corner.Y) << shown.X << "," << shown.Y;
  platform::qt::testkit::SaveScreenshot(window, "output_menu");

  ChooseOutput(menu_, "DruckCabrillo");
  EXPECT_EQ(codes_, std::vector<int>{10});
  EXPECT_FALSE(menu_.druckwagpopup->IsShowing());
  form_.Hide();
}

// --- the dispatcher ---

class WriteOutputTest : public SetupOutputTest {
 protected:
  // Runs output `code` of the log as the setup form does.
  void Write(const LogBuilder& log, int code) {
    const contest::TContestRec definition = log.Definition();
    contestlog_test::MainTables tables(log.Number());
    app::WriteOutput(&caller_, code, definition, tables.catalogue, tables.contest_data);
  }

  contestlog_test::CallerForm caller_;
};

struct FileRow {
  int code;
  bool reported;
  bool shown;
};

TEST_F(WriteOutputTest, AWrittenFileIsReportedAndShownByItsKind) {
  const LogBuilder log = output_test::DotClass5Log();
  const std::vector<FileRow> rows = {
      {6, false, true},  {7, true, true},   {8, true, true},   {9, true, false},  {10, true, true},
      {11, true, false}, {12, true, false}, {13, true, false}, {14, true, false}, {15, true, true}};
  for (const FileRow& row : rows) {
    presenter_->calls.clear();
    shown_.clear();
    // The EDI file asks the participant data first; the form is confirmed as filled.
    if (row.code == 15) {
      driver_.Then([](platform::qt::TForm& form) {
        platform::qt::testkit::Click(*dynamic_cast<output::Tuhfteilnehmer&>(form).btnok, 5, 5);
      });
    }
    // The channel adds the kind's extension.
    const std::string path = AnswerSaveDialog("out" + std::to_string(row.code)) + "." +
                             std::string(output::FindOutputKind(row.code)->extension);
    Write(log, row.code);
    const std::string file = common::testing::ReadFile(path);
    EXPECT_FALSE(file.empty()) << row.code;
    EXPECT_EQ(CreatedNotices(), row.reported
                                    ? std::vector<std::string>{"Datei " + path + " wurde erstellt."}
                                    : std::vector<std::string>{})
        << row.code;
    EXPECT_EQ(shown_, row.shown ? std::vector<std::string>{path} : std::vector<std::string>{})
        << row.code;
  }
  EXPECT_EQ(driver_.Unanswered(), 0);
  EXPECT_EQ(driver_.Pending(), 0u);
}

// The ADIF file asks whether only the reports of the exchanges go into it.
TEST_F(WriteOutputTest, TheAdifFileWritesWhatTheQuestionAnswered) {
  const LogBuilder log = output_test::DotClass5Log();
  for (const bool reports_only : {true, false}) {
    const std::string path = AnswerSaveDialog(reports_only ? "rst.ADI" : "whole.ADI");
    presenter_->answers = {true, reports_only};  // the save dialog's notice, then the question
    Write(log, 9);
    const std::string file = common::testing::ReadFile(path);
    auto has = [&](const char* field) { return file.find(field) != std::string::npos; };
    EXPECT_EQ(has("<RST_RCVD:3>599 ") && has("<SRX:3>123 "), reports_only) << file;
    EXPECT_EQ(has("<RST_RCVD:6>599123 "), !reports_only) << file;
  }
}

TEST_F(WriteOutputTest, ACancelledSaveDialogWritesAndReportsNothing) {
  const LogBuilder log = output_test::DotClass5Log();
  Write(log, 10);  // no answer: the dialog is cancelled
  EXPECT_TRUE(CreatedNotices().empty());
  EXPECT_TRUE(shown_.empty());
  for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
    EXPECT_NE(entry.path().extension(), ".CBR") << entry.path();
  }
}

TEST_F(WriteOutputTest, AFileThatCouldNotBeWrittenIsNotReportedCreated) {
  const LogBuilder log = output_test::DotClass5Log();
  AnswerSaveDialog("full");
  platform::FileFaultPlan plan;
  plan.write.fail_at = 1;
  plan.write.sticky = true;
  {
    platform::ScopedFileFaults faults(&plan);
    Write(log, 10);
  }
  EXPECT_TRUE(CreatedNotices().empty());
  EXPECT_TRUE(shown_.empty());
}

constexpr const char* kUnrepairedFile = "Ohne Reparatur des Logs wird keine Datei geschrieben.";
constexpr const char* kUnrepairedPrint = "Ohne Reparatur des Logs wird nichts gedruckt.";
constexpr const char* kLockedFile =
    "Das Log ist von einer anderen Station gesperrt; es wird keine Datei geschrieben.";
constexpr const char* kLockedPrint =
    "Das Log ist von einer anderen Station gesperrt; es wird nichts gedruckt.";
constexpr const char* kUnreadFile =
    "Das Log konnte nicht bis zu seinem Ende gelesen werden; es wird keine Datei geschrieben.";
constexpr const char* kUnreadPrint =
    "Das Log konnte nicht bis zu seinem Ende gelesen werden; es wird nichts gedruckt.";

// A log another station left unfinished, its repair declined, or holds locked, the wait for it
// given up, gives no file and keeps its claim; the cause is told.
TEST_F(WriteOutputTest, ALogThatCannotBeReadWritesNothing) {
  for (const bool locked : {false, true}) {
    const LogBuilder log = output_test::DotClass5Log();
    const std::string at = LogPath(log.Number());
    const storage::FileblockHandle other = contestlog_test::OpenAsAnotherStation(at);
    ASSERT_NE(other, nullptr);
    if (locked) {
      storage::FileblockLockFile(other);
    } else {
      contestlog_test::LeaveUnfinished(other, at);
    }
    const std::string path = AnswerSaveDialog("unread") + ".CBR";
    presenter_->answers = std::deque<bool>(10, false);
    Write(log, 10);
    storage::FileblockClose(other);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(CreatedNotices().empty());
    ASSERT_FALSE(presenter_->calls.empty());
    EXPECT_EQ(presenter_->calls.back().kind, common::MessageKind::kFehler);
    EXPECT_EQ(presenter_->calls.back().text, locked ? kLockedFile : kUnrepairedFile);
  }
}

// What happens while the operator answers the period dialog of 'E', after the claim was
// counted: another station stops inside a change or takes the log's lock, or the disk fails.
enum class Meanwhile { kStops, kLocks, kReadsFail };

struct UnreadRow {
  const char* name;
  int code;
  Meanwhile meanwhile;
  const char* told;
  bool pdf = false;  // printed on the window system's printer into a PDF file
};
void PrintTo(const UnreadRow& row, std::ostream* os) { *os << row.name; }

class UnreadLogTest : public WriteOutputTest, public ::testing::WithParamInterface<UnreadRow> {};

// The output ends: no file under the chosen name (an older one keeps what it held, no part of
// the new one is left beside it), no print job sent, nothing announced, and the cause told.
TEST_P(UnreadLogTest, AWalkThatMeetsTheLogUnreadEndsTheOutputUnwritten) {
  const UnreadRow& row = GetParam();
  LogBuilder log('E', 1);
  log.Create();
  log.Add(QsoOf({"DL2AAA", 'b', At(9, 30), "CW", "599JO62QM", "599JO31AB", 3}));
  const std::string at = LogPath(log.Number());
  const storage::FileblockHandle other = contestlog_test::OpenAsAnotherStation(at);
  ASSERT_NE(other, nullptr);
  platform::FileFaultPlan plan;
  plan.read = {.fail_at = 1, .error = platform::kErrorGenFailure, .sticky = true};
  std::optional<platform::ScopedFileFaults> faults;
  driver_.Then([&](platform::qt::TForm& form) {
    if (row.meanwhile == Meanwhile::kLocks) storage::FileblockLockFile(other);
    if (row.meanwhile == Meanwhile::kStops) contestlog_test::LeaveUnfinished(other, at);
    if (row.meanwhile == Meanwhile::kReadsFail) faults.emplace(&plan);
    form.SetModalResult(platform::qt::mrCancel);
  });
  const output::OutputKind& kind = *output::FindOutputKind(row.code);
  std::string path;
  if (kind.WritesFile()) {
    path = AnswerSaveDialog("unread") + "." + std::string(kind.extension);
    common::testing::WriteFile(path, "old");
  } else {
    printing_.print_dialog().answers.push_back({});
  }
  std::unique_ptr<platform::qt::TPrinter> recording;
  if (row.pdf) {
    path = folder_ / "unread.pdf";
    common::testing::WriteFile(path, "old");
    auto qt_printer = std::make_unique<platform::qt::TQtPrinter>();
    qt_printer->SetOutputFileName(path);
    recording = platform::qt::SetPrinter(std::move(qt_printer));
  }
  presenter_->answers = std::deque<bool>(20, false);
  Write(log, row.code);
  if (recording) platform::qt::SetPrinter(std::move(recording));
  faults.reset();
  storage::FileblockClose(other);
  if (kind.WritesFile() || row.pdf) {
    EXPECT_EQ(common::testing::ReadFile(path), "old");
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      const std::string name = entry.path().string();
      EXPECT_TRUE(name == path || !name.starts_with(path)) << name;
    }
  }
  for (const platform::qt::TPrintJob& job : printing_.printer().Jobs()) EXPECT_FALSE(job.ended);
  EXPECT_TRUE(CreatedNotices().empty());
  EXPECT_TRUE(shown_.empty());
  ASSERT_FALSE(presenter_->calls.empty());
  EXPECT_EQ(presenter_->calls.back().kind, common::MessageKind::kFehler);
  EXPECT_EQ(presenter_->calls.back().text, row.told);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, UnreadLogTest,
    ::testing::Values(UnreadRow{"PrintedSheet", 0, Meanwhile::kStops, kUnrepairedPrint},
                      UnreadRow{"PrintedCheckList", 2, Meanwhile::kStops, kUnrepairedPrint},
                      UnreadRow{"PrintedBandList", 3, Meanwhile::kStops, kUnrepairedPrint},
                      UnreadRow{"PrintedList", 4, Meanwhile::kStops, kUnrepairedPrint},
                      UnreadRow{"PrintedWholeLog", 5, Meanwhile::kStops, kUnrepairedPrint},
                      UnreadRow{"PrintedIntoAPdf", 4, Meanwhile::kStops, kUnrepairedPrint, true},
                      UnreadRow{"SheetFile", 6, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"ListFile", 7, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"Stf", 8, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"Adif", 9, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"Cabrillo", 10, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"BandListFile", 11, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"CompleteFile", 12, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"Csv", 13, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"CheckListFile", 14, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"Edi", 15, Meanwhile::kStops, kUnrepairedFile},
                      UnreadRow{"LockedPrintedList", 4, Meanwhile::kLocks, kLockedPrint},
                      UnreadRow{"LockedCabrillo", 10, Meanwhile::kLocks, kLockedFile},
                      UnreadRow{"LockedEdi", 15, Meanwhile::kLocks, kLockedFile},
                      UnreadRow{"UnreadablePrintedSheet", 0, Meanwhile::kReadsFail, kUnreadPrint},
                      UnreadRow{"UnreadableAdif", 9, Meanwhile::kReadsFail, kUnreadFile}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteOutputTest, TheHourOfTheEuropeanDayIsAskedFirst) {
  LogBuilder log('E', 1);
  log.Create();
  log.Add(QsoOf({"DL2AAA", 'b', At(9, 30), "CW", "599JO62QM", "599JO31AB", 3}));
  log.Add(QsoOf({"DL2BBB", 'b', At(10, 30), "CW", "599JO62QM", "599JO40CD", 4}));
  const std::string path = AnswerSaveDialog("hour.CBR");
  driver_.Then([](platform::qt::TForm& form) {
    auto& dialog = dynamic_cast<app::TzeitraumeutagForm&>(form);
    EXPECT_EQ(dialog.evon->Text(), "09:31:00");  // 09:31 to 10:30:59 holds both
    dialog.evon->SetText("10:00:00");
    dialog.ebis->SetText("10:59:59");
    dialog.SetModalResult(platform::qt::mrOk);
  });
  Write(log, 10);
  EXPECT_EQ(driver_.Seen().size(), 1u);
  const std::string file = common::testing::ReadFile(path);
  EXPECT_EQ(file.find("DL2AAA"), std::string::npos);
  EXPECT_NE(file.find("DL2BBB"), std::string::npos);

  // Left without OK: the whole log.
  const std::string whole = AnswerSaveDialog("whole.CBR");
  driver_.ThenReturn(platform::qt::mrCancel);
  Write(log, 10);
  EXPECT_NE(common::testing::ReadFile(whole).find("DL2AAA"), std::string::npos);
}

TEST_F(WriteOutputTest, TheWholePaperLogPrintsFourPartsEachFromANewPage) {
  const LogBuilder log = output_test::DotClass5Log();
  printing_.print_dialog().answers.push_back({});
  Write(log, 5);
  const platform::qt::TRecordingPrinter& printer = printing_.printer();
  ASSERT_EQ(printer.Jobs().size(), 1u);
  // The part each page begins with: the sheet, the check list, a band of the band list (one
  // page per used band slot of '.'), the QSO list.
  std::vector<std::string> parts;
  for (int page = 1; page <= printer.Jobs()[0].pages; ++page) {
    const auto texts = printer.PageTexts(page);
    const std::string first = texts.empty() ? std::string() : texts.front().text;
    if (first.find("Multiplier Check List") != std::string::npos) {
      parts.push_back("check list");
    } else if (first.find("Band-Log") != std::string::npos) {
      parts.push_back("band list");
    } else if (first.find("QSO-Liste") != std::string::npos) {
      parts.push_back("QSO list");
    } else {
      parts.push_back(page == 1 ? "sheet" : "? " + first);
    }
  }
  EXPECT_EQ(parts, (std::vector<std::string>{"sheet", "check list", "band list", "band list",
                                             "band list", "band list", "band list", "QSO list"}));
  EXPECT_TRUE(CreatedNotices().empty());
}

TEST_F(WriteOutputTest, ACancelledPrintDialogPrintsNothing) {
  const LogBuilder log = output_test::DotClass5Log();
  Write(log, 0);  // no answer: cancelled
  EXPECT_TRUE(printing_.printer().Jobs().empty());
}

}  // namespace
}  // namespace app_test
