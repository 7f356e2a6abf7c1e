// Our own ADIF file read back. The export of a log (reports only, and whole exchanges) imported
// through the log window into an empty log of the same contest, with the dialog's fields assigned
// as a user would (by name, and the contest's captions to the fields our export writes):
// - the fixture logs ('.', a DOK contest, a serial-number contest) give the same QSOs;
// - for every contest whose received exchange has two or three parts, a log typed into the
//   window comes back with the same QSO list lines and the same totals and claimed score;
// - a busy log (30 QSOs a minute) comes back whole, each QSO at its own second.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "common/grid_colours.h"
#include "contest/contest_fkt.h"
#include "contestlog/adif_import_form.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/log_rows.h"
#include "logbook/reference/bands.h"
#include "platform/qt/testkit/modal_driver.h"
#include "tests/contestlog/window_fixture.h"
#include "tests/output/export_logs.h"
#include "tests/ui/ui_fixture.h"

namespace output_test {
namespace {

using contestlog::TContestAdifimportForm;
using contestlog::TContestLogStd;
// Log field and the ADIF field assigned to it.
using Assignments = std::vector<std::pair<std::string, std::string>>;

class AdifRoundTripTest : public OutputLogTest {
 protected:
  ui::testing::ScreenScope screen_{900, 96};
  common::ScopedService<common::GridColours> colours_;
  platform::qt::testkit::ModalDriver driver_;

  // Runs `steps` while a window on the log of `b` shows; then closes it.
  void RunWindow(const LogBuilder& b, const std::function<void(TContestLogStd&)>& steps) {
    contestlog_test::RunWindowOfKind<TContestLogStd>(driver_, b, b.Definition(), steps);
  }

  // The log's ADIF file with the answer to the report-only question; answers its name.
  std::string Export(const LogBuilder& log, bool report_only) {
    presenter_->answers = {true, report_only};
    WriteFile(log, 9, ExportOnePass);
    return channel_.FileName();
  }

  // Imports `file` into a fresh log of the contest and class of `like` and answers it. The
  // dialog's fields are assigned as its drags would: `first`, then each log field that has an
  // ADIF field of its name; an ADIF field feeds one log field. `imported` sees the window.
  LogBuilder Import(LogBuilder& like, const std::string& file, const Assignments& first,
                    const std::function<void(TContestLogStd&)>& imported) {
    LogBuilder target(like.Catalogue().Typ, like.Catalogue().ClassIndex);
    target.Create();
    chooser_->answers.push_back(file);
    RunWindow(target, [&](TContestLogStd& window) {
      driver_.Then([&](platform::qt::TForm& form) {
        auto& d = dynamic_cast<TContestAdifimportForm&>(form);
        d.btndatei->Click();
        Assignments mapping = first;
        for (const std::string& name : d.ListeLinks->Items().Lines())
          mapping.emplace_back(name, name);
        for (const auto& [log_field, adif] : mapping) {
          const int line = d.ListeRechtsLB->Items().IndexOf(log_field);
          const int left = d.ListeLinks->Items().IndexOf(adif);
          if (line < 0 || left < 0) continue;
          const std::string text = d.ListeRechtsLB->Items().Get(line);
          if (text.find('(') != std::string::npos) continue;
          d.ListeRechtsLB->Items().Put(line, text + " (" + adif + ")");
          d.ListeLinks->Items().Delete(left);
        }
        d.btnimportstart->SetEnabled(true);
        d.btnimportstart->Click();
      });
      window.btnadifimport->Click();
      imported(window);
    });
    return target;
  }

  // The log as the window shows it: the QSO list's lines and the totals under the heading.
  static std::vector<std::string> Shown(TContestLogStd& w) {
    std::vector<std::string> shown;
    for (const contest::TContestLKRec& q : Records(w.LogNumber)) {
      std::string row = contestlog::BuildLogRow(q.Nummer, w);
      if (!row.empty() && row.front() == '\1') row.erase(0, 1);  // the selection mark
      shown.push_back(row);
    }
    shown.push_back(w.Label28->Caption() + " | " + w.Label19->Caption() + " | " +
                    w.Label20->Caption() + " | " + w.Label21->Caption());
    return shown;
  }

  // A QSO as the fixture logs' round trip keeps it: call, date, minute, band, mode, received
  // exchange.
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

  // The QSOs' calls and moments, in the order of the log.
  static std::vector<std::string> Moments(std::int32_t log) {
    std::vector<std::string> moments;
    for (const contest::TContestLKRec& q : Records(log)) {
      moments.push_back(q.Call.str() + " " + std::to_string(q.Datum) + " " +
                        std::to_string(q.Zeit));
    }
    return moments;
  }
};

// --- the fixture logs ---

struct RoundTripRow {
  const char* name;
  std::function<LogBuilder()> log;
  bool report_only;
  Assignments captions;  // the ADIF field that feeds each caption of the received exchange
};
void PrintTo(const RoundTripRow& row, std::ostream* os) { *os << row.name; }

class FixtureRoundTripTest : public AdifRoundTripTest,
                             public ::testing::WithParamInterface<RoundTripRow> {};

TEST_P(FixtureRoundTripTest, GivesTheSameQsos) {
  const RoundTripRow& row = GetParam();
  LogBuilder source = row.log();
  const std::string file = Export(source, row.report_only);
  const LogBuilder target = Import(source, file, row.captions, [](TContestLogStd&) {});
  EXPECT_EQ(Qsos(target.Number()), Qsos(source.Number()));
  ASSERT_FALSE(presenter_->calls.empty());
  EXPECT_EQ(presenter_->calls.back().text,
            std::to_string(Qsos(source.Number()).size()) + " Datensätze importiert");
}

INSTANTIATE_TEST_SUITE_P(
    Logs, FixtureRoundTripTest,
    ::testing::Values(RoundTripRow{"DotReportsOnly", DotClass5Log, true, {}},
                      RoundTripRow{"DotWhole", DotClass5Log, false, {}},
                      RoundTripRow{"DokReportsOnly", RheinlandLog, true, {{"DOK", "DARC_DOK"}}},
                      RoundTripRow{"DokWhole", RheinlandLog, false, {{"DOK", "DARC_DOK"}}},
                      RoundTripRow{"SerialReportsOnly", XmasPointsLog, true, {}},
                      RoundTripRow{"SerialWhole", XmasPointsLog, false, {}},
                      RoundTripRow{"SerialAndClassReportsOnly", OqrpLog, true, {}},
                      RoundTripRow{"SerialAndClassWhole", OqrpLog, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- every contest of two or three received parts, typed into the window ---

const logbook::ToBaender& Bands() { return common::Service<logbook::ToBaender>::Get(); }

// What the station of QSO `n` sends in received part `part` of `kind` (a German station a DOK,
// the others "DX" there); every fourth part, turning through the parts, is left empty.
std::string PartOf(std::int32_t kind, int n, std::size_t part, bool german) {
  if (kind == 0 || (n + static_cast<int>(part)) % 4 == 3) return {};
  const char* const doks[] = {"B36", "E01", "Z12", "P21", "K05"};
  const std::string locator[] = {"JO62QM", "JO31AB", "JN58TD", "IO91VL", "KO02MF"};
  const char* const others[] = {"QRP", "A", "B12"};
  switch (kind) {
    case 4: return german ? doks[n % 5] : "DX";
    case 5: return locator[n % 5].substr(0, 4);
    case 6: return locator[n % 5];
    case 7: case 11: case 13: return std::string(n < 9 ? "00" : "0") + std::to_string(n + 1);
    case 12: return n % 2 == 0 ? "NY" : "MA";
    case 16: case 19: return std::to_string(100 + 37 * n);
    case 20: return n % 2 == 0 ? "HANS" : "OLE";
    default: return others[n % 3];
  }
}

// Types QSO `n` into the entry and saves it as Enter does: German and foreign calls in turn, on
// the contest's first three bands and in its modes, three minutes apart.
void TypeQso(TContestLogStd& w, int n) {
  const contest::TContestRec& d = w.Definition;
  std::vector<char> bands;
  for (const char band : d.Bands) {
    if (band != 0 && bands.size() < 3) bands.push_back(band);
  }
  std::vector<std::string> modes;
  for (const contest::ContestText& mode : d.Modes) {
    if (!mode.empty()) modes.push_back(mode.view() == "DIGITAL" ? "RTTY" : mode.str());
  }
  const char band = bands[static_cast<std::size_t>(n) % bands.size()];
  const std::string mode = modes[static_cast<std::size_t>(n / 2) % modes.size()];
  if (w.CurrentBand != band) w.SwitchBand(band);
  if (w.CurrentMode.str() != mode) w.SwitchMode(mode);
  if (w.emode->Visible()) w.emode->SetStr(mode);
  const bool german = n % 2 == 0;
  const char* const foreign[] = {"OE3", "F5", "G4", "K1", "I2"};
  w.eCall->SetStr((german ? "DL" + std::to_string(n % 10) : foreign[n / 2 % 5]) +
                  std::string{static_cast<char>('A' + n), 'X'});
  w.eCallExit(w.eCall);  // the call checked as the operator leaves it
  w.eDatum->SetStr("09.03.2024");
  w.ezeit->SetStr("08:" + std::string(n < 4 ? "0" : "") + std::to_string(n * 3));
  std::string frequency = std::to_string(Bands().BandMode2Freq(band, 'a'));
  w.eFreq->SetStr(frequency.replace(frequency.find('.'), 1, ","));
  ui::TkvEdit* const parts[] = {w.eRSTr2, w.eRSTr3, w.eRSTr4};
  for (std::size_t part = 0; part < 3; ++part)
    parts[part]->SetStr(PartOf(d.ExchangeKindsRcvd[part], n, part, german));
  w.FieldsToRecord();
  w.RefreshMultiplierState();
  ASSERT_TRUE(w.CanSaveQso());
  w.btnSpeichernaClick(nullptr);
}

// The ADIF field a user assigns to the caption of a received part of `kind`: the district, the
// locator, the serial number or the name our export writes.
const char* FieldForKind(std::int32_t kind) {
  switch (kind) {
    case 4: return "DARC_DOK";
    case 5: case 6: return "GRIDSQUARE";
    case 7: case 11: case 13: return "SRX";
    case 20: return "NAME";
    default: return nullptr;
  }
}

TEST_F(AdifRoundTripTest, EveryContestOfTwoOrThreeReceivedPartsComesBackWhole) {
  constexpr int kTyped = 12;
  std::string contests;
  for (const char code : Fkt().Definitions().Codes()) {
    LogBuilder source(code, 1);
    const contest::TContestRec d = source.Definition();
    if (std::count(d.ExchangeKindsRcvd.begin(), d.ExchangeKindsRcvd.end(), 0) > 1) continue;
    SCOPED_TRACE(std::string("contest ") + code);
    contests += code;
    source.Create();
    std::vector<std::string> typed;
    RunWindow(source, [&](TContestLogStd& w) {
      for (int n = 0; n < kTyped; ++n) TypeQso(w, n);
      typed = Shown(w);
    });
    ASSERT_EQ(typed.size(), kTyped + 1u);
    Assignments captions;
    for (std::size_t part = 0; part < 3; ++part) {
      const char* field = FieldForKind(d.ExchangeKindsRcvd[part]);
      if (field != nullptr && !d.ExchangeLabels[part].empty())
        captions.emplace_back(d.ExchangeLabels[part].str(), field);
    }
    for (const bool report_only : {true, false}) {
      SCOPED_TRACE(report_only ? "reports only" : "whole exchanges");
      const std::string file = Export(source, report_only);
      Import(source, file, captions, [&](TContestLogStd& w) { EXPECT_EQ(Shown(w), typed); });
      ASSERT_FALSE(presenter_->calls.empty());
      EXPECT_EQ(presenter_->calls.back().text, std::to_string(kTyped) + " Datensätze importiert");
    }
  }
  EXPECT_EQ(contests, "!12478BDEFGJKOQSUVYZbefgmpqrsvwz");
}

// --- a busy log, to the second ---

class BusyRoundTripTest : public AdifRoundTripTest, public ::testing::WithParamInterface<bool> {};

// Five stations on one network log reach 30 QSOs a minute. Whatever the answer to the
// report-only question, every QSO comes back at the second it was logged.
TEST_P(BusyRoundTripTest, ComesBackWholeToTheSecond) {
  constexpr int kQsos = 300;
  constexpr int kPerMinute = 30;
  LogBuilder source('.', 5);
  source.Create();
  for (int n = 0; n < kQsos; ++n) {
    const std::string call =
        "DL" + std::to_string(n % 10) + "A" +
        std::string{static_cast<char>('A' + n / 10 % 26), static_cast<char>('A' + n / 260)};
    const std::int32_t moment = At(8, n / kPerMinute, n % kPerMinute * (60 / kPerMinute));
    const std::string received = "599" + std::to_string(n + 1);
    source.Add(QsoOf(
        {call.c_str(), 'b', moment, "CW", "59942", received.c_str(), 1, "", "DL", "DL", "EU"}));
  }
  const LogBuilder target = Import(source, Export(source, GetParam()), {}, [](TContestLogStd&) {});
  EXPECT_EQ(Moments(target.Number()), Moments(source.Number()));
  ASSERT_FALSE(presenter_->calls.empty());
  EXPECT_EQ(presenter_->calls.back().text, std::to_string(kQsos) + " Datensätze importiert");
}

INSTANTIATE_TEST_SUITE_P(Answers, BusyRoundTripTest, ::testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "ReportsOnly" : "WholeExchanges");
});

}  // namespace
}  // namespace output_test
