// The log window's ADIF import: the dialog "ADIF-Import" with its file and the fields dragged
// across, then the records through the window's own entry, save check and save, the notice,
// and the clock as it was on every way out.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/file_base_ss.h"
#include "common/scripted_file_chooser.h"
#include "contestlog/adif_import_form.h"
#include "contestlog/entry_record.h"
#include "platform/qt/testkit/input.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog {
namespace {

using contestlog_test::LogBuilder;
using platform::qt::TComponent;
using platform::qt::TForm;

// Records the entry of each save the import asks for (call, band, mode, minute of the day),
// then saves; the save given by `fail_at` throws instead.
class ImportWindow final : public TContestLogStd {
 public:
  using TContestLogStd::TContestLogStd;
  void btnSpeichernaClick(TComponent* sender) override {
    EXPECT_EQ(sender, btnadifimport);
    if (saved.size() == fail_at) throw std::runtime_error("the disk is full");
    const contest::TContestLKRec qso = EntryRecord(*this);
    saved.push_back(qso.Call.str() + " " + std::string(1, qso.Bandcode) + " " + qso.Mode.str() +
                    " " + std::to_string(qso.Zeit / 60));
    TContestLogStd::btnSpeichernaClick(sender);
  }
  std::vector<std::string> saved;
  std::size_t fail_at = std::numeric_limits<std::size_t>::max();
};

std::string Fixture(const std::string& name) { return std::string(ADIF_FIXTURES) + "/" + name; }

class AdifImportWindowTest : public contestlog_test::LogWindowTest {
 protected:
  AdifImportWindowTest() {
    auto chooser = std::make_unique<common::ScriptedFileChooser>();
    chooser_ = chooser.get();
    common::Service<common::TFileBaseSS>::Install(
        std::make_unique<common::TFileBaseSS>(std::move(chooser)));
  }
  ~AdifImportWindowTest() override { common::Service<common::TFileBaseSS>::Destroy(); }

  // Opens the log of `b` and runs `steps` while the window shows; then closes it.
  void RunImport(const LogBuilder& b, const std::function<void(ImportWindow&)>& steps,
                 const contest::TContestRec* definition = nullptr) {
    contestlog_test::MainTables main(b.Number());
    ImportWindow window(b.Number(), main.catalogue, main.contest_data,
                        definition != nullptr ? *definition : b.Definition());
    window.ClearEntry();
    driver_.Then([&](TForm&) {
      steps(window);
      window.Close();
    });
    window.ShowModal();
    window.FormDestroy();
  }

  // The dialog's answer: the file chosen, `assign` run, then Start.
  void AnswerDialog(const std::string& file,
                    const std::function<void(TContestAdifimportForm&)>& assign) {
    chooser_->answers.push_back(file);
    driver_.Then([assign](TForm& form) {
      auto& dialog = dynamic_cast<TContestAdifimportForm&>(form);
      dialog.btndatei->Click();
      assign(dialog);
      dialog.btnimportstart->Click();
    });
  }

  // As a drop of ADIF field `adif` on log field `log_field` would assign it.
  static void Assign(TContestAdifimportForm& dialog, const std::string& adif,
                     const std::string& log_field) {
    dialog.ListeLinks->SetItemIndex(dialog.ListeLinks->Items().IndexOf(adif));
    platform::qt::TListBox& target = *dialog.ListeRechtsLB;
    const int row = target.Items().IndexOf(log_field);
    target.SetTopIndex(row);
    const int height = target.ItemHeight();
    dialog.ListeRechtsLBDragDrop(dialog.ListeLinks, 5,
                                 (row - target.TopIndex()) * height + height / 2);
  }
  static void AssignSameNames(TContestAdifimportForm& dialog) {
    for (const std::string& name : dialog.ListeLinks->Items().Lines()) {
      if (dialog.ListeRechtsLB->Items().IndexOf(name) >= 0) Assign(dialog, name, name);
    }
  }

  std::vector<std::string> Notices() const {
    std::vector<std::string> texts;
    for (const common::MessageCall& call : presenter_->calls) texts.push_back(call.text);
    return texts;
  }

  common::ScriptedFileChooser* chooser_ = nullptr;
};

TEST_F(AdifImportWindowTest, FieldsDraggedAcrossAndAbbruchImportsNothing) {
  LogBuilder b('W', 1);
  b.Create();
  RunImport(b, [&](ImportWindow& w) {
    EXPECT_EQ(w.btnadifimport->Caption(), "Import von ADIF-Dateien");
    w.timerzeit->SetEnabled(true);
    chooser_->answers.push_back(Fixture("upper_case_field_per_line.adi"));
    driver_.Then([&](TForm& form) {
      auto& d = dynamic_cast<TContestAdifimportForm&>(form);
      EXPECT_FALSE(w.timerzeit->Enabled());
      EXPECT_FALSE(d.btnimportstart->Enabled());
      // The contest's caption and the serial and string fields follow the standard lines.
      EXPECT_EQ(d.ListeRechtsLB->Items().Lines(),
                (std::vector<std::string>{"CALL", "QSO_DATE", "TIME_ON", "RST_SENT", "RST_RCVD",
                                          "BAND", "FREQ", "MODE", "lfd.Nr. / DOK", "SRX",
                                          "SRX_STRING", "STX", "STX_STRING"}));
      d.btndatei->Click();
      ASSERT_EQ(d.ListeLinks->Items().Get(0), "CALL");
      const int row = d.ListeLinks->ItemHeight();
      // Drags with the mouse: an ADIF field from the left onto the log field on the right, the
      // pointer first down over the left list's row `over`.
      const auto drag = [&](const std::string& from, const std::string& onto, int over) {
        const int source_row = d.ListeLinks->Items().IndexOf(from);
        const int target_row = d.ListeRechtsLB->Items().IndexOf(onto);
        const platform::qt::TPoint to = d.ListeLinks->ScreenToClient(
            d.ListeRechtsLB->ClientToScreen({20, target_row * row + row / 2}));
        platform::qt::testkit::MouseDown(*d.ListeLinks, 20, source_row * row + row / 2);
        platform::qt::testkit::MouseMove(*d.ListeLinks, to.X / 2, over * row + row / 2,
                                         platform::qt::ssLeft);
        platform::qt::testkit::MouseMove(*d.ListeLinks, to.X, to.Y, platform::qt::ssLeft);
        platform::qt::testkit::MouseUp(*d.ListeLinks, to.X, to.Y);
      };
      const auto straight = [&](const std::string& from, const std::string& onto) {
        drag(from, onto, d.ListeRechtsLB->Items().IndexOf(onto));
      };
      drag("CALL", "CALL", 3);  // diagonally over QSO_DATE, TIME_ON and FREQ and back up
      EXPECT_TRUE(d.btnimportstart->Enabled());
      straight("TIME_ON", "TIME_ON");
      straight("SRX_STRING", "lfd.Nr. / DOK");
      straight("FREQ", "CALL");  // taken already: left alone
      EXPECT_EQ(d.ListeRechtsLB->Items().Get(0), "CALL (CALL)");
      EXPECT_EQ(d.ListeRechtsLB->Items().Get(2), "TIME_ON (TIME_ON)");
      EXPECT_EQ(d.ListeRechtsLB->Items().Get(8), "lfd.Nr. / DOK (SRX_STRING)");
      EXPECT_EQ(d.ListeLinks->Items().IndexOf("CALL"), -1);
      EXPECT_EQ(d.ListeLinks->Items().IndexOf("SRX_STRING"), -1);
      EXPECT_GE(d.ListeLinks->Items().IndexOf("FREQ"), 0);
      Shot(d, "adif_import_dialog");
      d.BitBtn1->Click();
    });
    w.btnadifimport->Click();
    EXPECT_TRUE(w.saved.empty());
    EXPECT_TRUE(Notices().empty());
    EXPECT_TRUE(w.timerzeit->Enabled());
  });
}

TEST_F(AdifImportWindowTest, EveryRecordThroughTheEntryThenTheNotice) {
  LogBuilder b('W', 1);  // CW on 80, 40, 20, 15 and 10 m
  b.Create();
  RunImport(b, [&](ImportWindow& w) {
    w.timerzeit->SetEnabled(false);
    AnswerDialog(Fixture("mixed_case_no_header.adi"), AssignSameNames);
    w.btnadifimport->Click();
    // G4XX by its frequency 3,550, F5ABC by its band; EA3Q's SSB is no mode of the contest.
    EXPECT_EQ(w.saved, (std::vector<std::string>{"G4XX b CW 720", "F5ABC b CW 723"}));
    EXPECT_EQ(Notices(), (std::vector<std::string>{
                             "2 Datensätze importiert\r\n1 fehlende oder falsche Modeangaben"}));
    EXPECT_FALSE(w.timerzeit->Enabled());  // it was off before
  });
}

TEST_F(AdifImportWindowTest, WithoutChecksEveryRecordReachesTheSaveCheck) {
  LogBuilder b('W', 1);
  b.Create();
  RunImport(b, [&](ImportWindow& w) {
    AnswerDialog(Fixture("mixed_case_no_header.adi"), [](TContestAdifimportForm& d) {
      AssignSameNames(d);
      d.checkkeincheck->SetChecked(true);
    });
    w.btnadifimport->Click();
    EXPECT_EQ(w.saved,
              (std::vector<std::string>{"G4XX b CW 720", "F5ABC b CW 723", "EA3Q b SSB 727"}));
    EXPECT_EQ(Notices(), (std::vector<std::string>{"3 Datensätze importiert"}));
  });
}

// The window's own save check on imported records: midnight is a time; a record without
// time, one whose call is an exchange and a dupe the rules refuse are counted apart.
TEST_F(AdifImportWindowTest, TheSaveCheckCountsEachRefusalInItsLine) {
  LogBuilder b('W', 1);
  b.Create();
  contest::TContestRec definition = b.Definition();
  definition.DupeKind = 1;  // a call once per band and mode
  const std::string file = folder_ / "refusals.adi";
  std::ofstream(file, std::ios::binary)
      << "<EOH>\n"
         "<CALL:6>DL1ABC<QSO_DATE:8>20240309<TIME_ON:4>0000<BAND:3>80M<MODE:2>CW<EOR>\n"
         "<CALL:6>DL2XYZ<QSO_DATE:8>20240309<BAND:3>80M<MODE:2>CW<EOR>\n"
         "<CALL:3>ABC<QSO_DATE:8>20240309<TIME_ON:4>0002<BAND:3>80M<MODE:2>CW<EOR>\n"
         "<CALL:6>DL1ABC<QSO_DATE:8>20240309<TIME_ON:4>0003<BAND:3>80M<MODE:2>CW<EOR>\n";
  RunImport(b, [&](ImportWindow& w) {
    AnswerDialog(file, AssignSameNames);
    w.btnadifimport->Click();
    EXPECT_EQ(w.saved, std::vector<std::string>{"DL1ABC b CW 0"});
    const std::vector<std::string> notices = Notices();
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back(), "1 Datensätze importiert\r\n1 Calls doppelt\r\n"
                              "1 ohne Datum oder Uhrzeit\r\n1 mit ungültigem Rufzeichen");
  }, &definition);
}

// Files a 'W' log takes whole or in part: what arrives, and the one notice that tells the rest
// (a QSO the save could not store raises no message of its own during the import).
struct FileRow {
  const char* name;
  std::function<std::string()> file;
  std::size_t saved;
  std::string notice;
};
void PrintTo(const FileRow& row, std::ostream* os) { *os << row.name; }

// `count` QSOs from 08:00 on, `per_minute` in a minute (more than 60: all in the same second),
// each with its own second when `seconds`; record `broken` (from 0) gives its call a length
// beyond the end of the file.
std::string BusyFile(int count, int per_minute, bool seconds, int broken = -1) {
  std::string file = "<EOH>\n";
  for (int i = 0; i < count; ++i) {
    char call[16], time[16];
    std::snprintf(call, sizeof call, "DL%dA%c%c", i % 10, 'A' + i / 10 % 26, 'A' + i / 260 % 26);
    const int moment = 8 * 3600 + i / per_minute * 60 + i % per_minute * (60 / per_minute);
    if (seconds) {
      std::snprintf(time, sizeof time, "%02d%02d%02d", moment / 3600, moment / 60 % 60,
                    moment % 60);
    } else {
      std::snprintf(time, sizeof time, "%02d%02d", moment / 3600, moment / 60 % 60);
    }
    file += std::string("<QSO_DATE:8>20240309<TIME_ON:") + std::to_string(std::strlen(time)) +
            ">" + time + (i == broken ? "<CALL:999999999>" : "<CALL:6>") + call +
            "<BAND:3>80M<MODE:2>CW<EOR>\n";
  }
  return file;
}

class FileRowTest : public AdifImportWindowTest, public ::testing::WithParamInterface<FileRow> {};

TEST_P(FileRowTest, ArrivesAndIsToldOnce) {
  const FileRow& row = GetParam();
  LogBuilder b('W', 1);
  b.Create();
  const std::string file = folder_ / "import.adi";
  std::ofstream(file, std::ios::binary) << row.file();
  RunImport(b, [&](ImportWindow& w) {
    AnswerDialog(file, AssignSameNames);
    w.btnadifimport->Click();
    EXPECT_EQ(Records(b.Number()).size(), row.saved);
    EXPECT_EQ(Notices(), std::vector<std::string>{row.notice});
  });
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileRowTest,
    ::testing::Values(
        FileRow{"BusyMinutesWithSeconds", [] { return BusyFile(300, 30, true); }, 300,
                "300 Datensätze importiert"},
        // A time without seconds names its whole minute: the save moves a taken moment on
        // through the rest of it.
        FileRow{"BusyMinuteWithoutSeconds", [] { return BusyFile(15, 15, false); }, 15,
                "15 Datensätze importiert"},
        FileRow{"MinuteOverfullWithoutSeconds", [] { return BusyFile(61, 61, false); }, 60,
                "60 Datensätze importiert\r\n1 QSOs nicht gespeichert"},
        // A time to the second moves on ten times at most, as a typed one does.
        FileRow{"SecondOverfull", [] { return BusyFile(12, 61, true); }, 11,
                "11 Datensätze importiert\r\n1 QSOs nicht gespeichert"},
        FileRow{"RecordsEndedByLineBreaks",
                [] {
                  return std::string(
                      "<EOH>\n<CALL:6>DL1AAA<QSO_DATE:8>20240309<TIME_ON:4>0800<MODE:2>CW\n"
                      "<CALL:6>DL2AAA<QSO_DATE:8>20240309<TIME_ON:4>0801<MODE:2>CW\n");
                },
                0, "0 Datensätze importiert\r\n2 Datensätze ohne <EOR> nicht gelesen"},
        FileRow{"LengthPastTheEnd", [] { return BusyFile(20, 1, false, 2); }, 2,
                "2 Datensätze importiert\r\n18 Datensätze ohne <EOR> nicht gelesen"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AdifImportWindowTest, TheClockIsBackAfterAFailedSave) {
  LogBuilder b('W', 1);
  b.Create();
  RunImport(b, [&](ImportWindow& w) {
    w.timerzeit->SetEnabled(true);
    w.fail_at = 1;
    AnswerDialog(Fixture("lower_case_record_per_line.adi"), AssignSameNames);
    EXPECT_THROW(w.btnadifimportClick(w.btnadifimport), std::runtime_error);
    EXPECT_EQ(w.saved, std::vector<std::string>{"DL1ABC c CW 492"});
    EXPECT_TRUE(w.timerzeit->Enabled());
  });
}

TEST_F(AdifImportWindowTest, AMissingFileIsToldAndNothingImported) {
  LogBuilder b('W', 1);
  b.Create();
  RunImport(b, [&](ImportWindow& w) {
    chooser_->answers.push_back(Fixture("no_such_file.adi"));
    driver_.Then([&](TForm& form) {
      auto& d = dynamic_cast<TContestAdifimportForm&>(form);
      d.btndatei->Click();
      EXPECT_EQ(d.ListeLinks->Items().Count(), 0);
      d.btnimportstart->SetEnabled(true);
      d.btnimportstart->Click();  // Start without a file read
    });
    w.btnadifimport->Click();
    EXPECT_TRUE(w.saved.empty());
    EXPECT_EQ(Notices(), std::vector<std::string>{"Datei existiert nicht"});
  });
}

}  // namespace
}  // namespace contestlog
