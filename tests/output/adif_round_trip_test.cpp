// Our own ADIF file read back: the export of a fixture log ('.', a DOK contest, a serial-number
// contest; reports only and whole exchanges) imported through the log window into an empty log
// of the same contest, with the dialog's fields assigned by name and the contest's captions to
// the fields our export writes, gives the same QSOs.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "common/grid_colours.h"
#include "contest/contest_fkt.h"
#include "contestlog/adif_import_form.h"
#include "contestlog/contest_log_std.h"
#include "platform/qt/testkit/modal_driver.h"
#include "tests/output/export_logs.h"
#include "tests/ui/ui_fixture.h"

namespace output_test {
namespace {

using contestlog::TContestAdifimportForm;

struct RoundTripRow {
  const char* name;
  std::function<LogBuilder()> log;
  bool report_only;
  // The ADIF field that feeds each caption of the contest's received exchange.
  std::vector<std::pair<std::string, std::string>> captions;
};
void PrintTo(const RoundTripRow& row, std::ostream* os) { *os << row.name; }

class AdifRoundTripTest : public OutputLogTest,
                          public ::testing::WithParamInterface<RoundTripRow> {
 protected:
  ui::testing::ScreenScope screen_{900, 96};
  common::ScopedService<common::GridColours> colours_;
  platform::qt::testkit::ModalDriver driver_;

  // A QSO as the round trip keeps it: call, date, minute, band, mode, received exchange.
  static std::vector<std::string> Qsos(std::int32_t log) {
    std::vector<std::string> qsos;
    for (const contest::TContestLKRec& q : Records(log)) {
      if (q.SkipMark != 0) continue;  // a QSY marker
      qsos.push_back(q.Call.str() + " " + std::to_string(q.Datum) + " " +
                     std::to_string(q.Zeit / 60) + " " + std::string(1, q.Bandcode) + " " +
                     q.Mode.str() + " " + contest::TContestFkt::RcvdExchangeText(q));
    }
    return qsos;
  }
};

TEST_P(AdifRoundTripTest, GivesTheSameQsos) {
  const RoundTripRow& row = GetParam();
  LogBuilder source = row.log();
  presenter_->answers = {true, row.report_only};
  WriteFile(source, 9, ExportOnePass);
  const std::string file = channel_.FileName();

  LogBuilder target(source.Catalogue().Typ, source.Catalogue().ClassIndex);
  target.Create();
  contestlog_test::MainTables main(target.Number());
  contestlog::TContestLogStd window(target.Number(), main.catalogue, main.contest_data,
                                    target.Definition());
  window.ClearEntry();
  chooser_->answers.push_back(file);
  driver_.Then([&](platform::qt::TForm&) {
    driver_.Then([&](platform::qt::TForm& form) {
      auto& d = dynamic_cast<TContestAdifimportForm&>(form);
      d.btndatei->Click();
      std::vector<std::pair<std::string, std::string>> mapping = row.captions;
      for (const std::string& name : d.ListeLinks->Items().Lines()) {
        if (d.ListeRechtsLB->Items().IndexOf(name) >= 0) mapping.emplace_back(name, name);
      }
      for (const auto& [log_field, adif] : mapping) {
        const int line = d.ListeRechtsLB->Items().IndexOf(log_field);
        ASSERT_GE(line, 0) << log_field;
        d.ListeRechtsLB->Items().Put(line, log_field + " (" + adif + ")");
      }
      d.btnimportstart->SetEnabled(true);
      d.btnimportstart->Click();
    });
    window.btnadifimport->Click();
    window.Close();
  });
  window.ShowModal();
  window.FormDestroy();
  EXPECT_EQ(Qsos(target.Number()), Qsos(source.Number()));
  ASSERT_FALSE(presenter_->calls.empty());
  EXPECT_EQ(presenter_->calls.back().text,
            std::to_string(Qsos(source.Number()).size()) + " Datensätze importiert");
}

INSTANTIATE_TEST_SUITE_P(
    Logs, AdifRoundTripTest,
    ::testing::Values(RoundTripRow{"DotReportsOnly", DotClass5Log, true, {}},
                      RoundTripRow{"DotWhole", DotClass5Log, false, {}},
                      RoundTripRow{"DokReportsOnly", RheinlandLog, true, {{"DOK", "DARC_DOK"}}},
                      RoundTripRow{"DokWhole", RheinlandLog, false, {{"DOK", "DARC_DOK"}}},
                      RoundTripRow{"SerialReportsOnly", XmasPointsLog, true, {}},
                      RoundTripRow{"SerialWhole", XmasPointsLog, false, {}},
                      RoundTripRow{"SerialAndClassReportsOnly", OqrpLog, true, {}},
                      RoundTripRow{"SerialAndClassWhole", OqrpLog, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace output_test
