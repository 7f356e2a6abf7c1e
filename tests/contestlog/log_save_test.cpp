// The save in the log window: QSOs typed and saved with Enter, the contest's fixes of typed
// texts, a QSO that cannot be stored, the import's save without the clock, and the close
// controls.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/grid_colours.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/entry_record.h"
#include "contestlog/entry_rules.h"
#include "logbook/databases/call_database.h"
#include "platform/fake_environment.h"
#include "platform/file_faults.h"
#include "platform/qt/application.h"
#include "platform/qt/handler_scope.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "tests/contestlog/entry_window.h"
#include "ui/mouse_grid.h"

namespace contestlog {
namespace {

using std::string_literals::operator""s;

using contest::TContestFkt;
using contest::TContestLKRec;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

// The log window counting its clock's ticks.
class TickCountingWindow final : public TContestLogStd {
 public:
  using TContestLogStd::TContestLogStd;
  void timerzeitTimer() override {
    ++ticks;
    TContestLogStd::timerzeitTimer();
  }
  // A tick of the timer from inside the score display (inside another handler), once.
  void ScoreSummaryText() override {
    if (tick_inside_score) {
      tick_inside_score = false;
      timerzeit->Elapsed();
    }
    TContestLogStd::ScoreSummaryText();
  }
  int ticks = 0;
  bool tick_inside_score = false;
};

// The log window recording the keyer memories asked for.
class KeyerRecordingWindow final : public TContestLogStd {
 public:
  using TContestLogStd::TContestLogStd;
  void SendCwMemory(int memory) override { memories.push_back(memory); }
  std::vector<int> memories;
};

class LogSaveTest : public contestlog_test::EntryWindowTest {
 protected:
  // A '.' log of class 5 whose date and time follow the clock.
  static LogBuilder ClockLog(char code = '.', int class_index = 5) {
    LogBuilder b(code, class_index);
    b.Catalogue().DatumAuto = 255;
    b.Catalogue().ZeitAuto = 255;
    b.Create();
    return b;
  }

  // Types the call and the exchange and presses Enter from field to field until the entry is
  // cleared for the next QSO (at most eight fields on).
  static void TypeQso(TContestLogStd& w, const std::string& call, const std::string& exchange) {
    w.eCall->SetFocus();
    platform::qt::testkit::TypeText(*w.eCall, call);
    w.eRSTr2->SetStr(exchange);
    w.eCall->SetFocus();
    for (int step = 0; step < 8 && !w.eCall->GetStr().empty(); ++step) {
      auto* field = dynamic_cast<platform::qt::TWinControl*>(w.ActiveControl());
      ASSERT_NE(field, nullptr);
      platform::qt::testkit::PressKey(*field, platform::qt::VK_RETURN);
    }
  }
};

TEST_F(LogSaveTest, QsosSavedWithEnterGetTheirNumbersBandModePointsAndTheClocksMoment) {
  LogBuilder b = ClockLog();
  SetUtcNow(kContestDay, 10 * 3600 + 5);
  // The settings' hours from UTC count too.
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  const std::int32_t today = dates.TodayUtc();
  const std::int32_t now = dates.NowUtc();
  std::vector<TContestLKRec> entries;
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    w.timerzeitTimer();
    Shot(w, "log_save_empty");
    TypeQso(w, "dl1xyz", "42");
    TypeQso(w, "oe1abc", "37");
    Shot(w, "log_save_two");
    TypeQso(w, "g4xyz", "55");
    entries.push_back(contestlog::EntryRecord(w));
    EXPECT_EQ(w.NextQsoNumber, 4);
    EXPECT_EQ(w.lNummer->Caption(), "4");
    Shot(w, "log_save_three");
  });
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 3u);
  const char* calls[] = {"DL1XYZ", "OE1ABC", "G4XYZ"};
  const char* ages[] = {"42", "37", "55"};
  for (std::uint32_t n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    const TContestLKRec& r = records[n - 1];
    EXPECT_EQ(r.Call.str(), calls[n - 1]);
    EXPECT_EQ(r.wagNummer, n);
    EXPECT_EQ(r.wagBandNr, n);
    EXPECT_EQ(r.wagBandNrIntern, n);
    EXPECT_EQ(r.ModeNr, n);
    EXPECT_EQ(r.Bandcode, 'b');
    EXPECT_EQ(r.Mode.str(), "CW");
    EXPECT_EQ(r.Datum, today);
    // The clock stands still: each QSO one second after the one before.
    EXPECT_EQ(r.Zeit, now + static_cast<std::int32_t>(n) - 1);
    EXPECT_EQ(TContestFkt::RcvdExchangeText(r), std::string("599") + ages[n - 1]);
    EXPECT_GT(r.Points, 0);
  }
  // The next entry carries the fourth number.
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].wagNummer, 4u);
  EXPECT_TRUE(entries[0].Call.empty());
}

// On the computer's clock the entry has its date and time before the clock's first tick: when
// the window opens, and when the entry is cleared by hand.
TEST_F(LogSaveTest, TheFirstQsosBeforeTheClocksFirstTickAreSaved) {
  LogBuilder b = ClockLog();
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    w.timerzeit->SetEnabled(false);
    EXPECT_EQ(contestlog::EntryRecord(w).Datum, dates.TodayUtc());
    EXPECT_EQ(w.ezeit->GetStr(), dates.TimeToTimeString(dates.NowUtc(), "hh:mm:ss"));
    w.btnCleara->Click();
    TypeQso(w, "dl1xyz", "42");
    TypeQso(w, "dl2xyz", "43");
  });
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Call.str(), "DL1XYZ");
  EXPECT_EQ(records[1].Call.str(), "DL2XYZ");
  EXPECT_EQ(records[0].Datum, dates.TodayUtc());
}

TEST_F(LogSaveTest, TheSaveButtonAppliesTheContestsFixesOfTypedTexts) {
  const struct {
    char code;
    const char* exchange2;
    const char* exchange3;
    const char* exchange4;
    const char* received;
  } rows[] = {
      // 'z': the serial of field 3 gets its zeros.
      {'z', "ZH", "5", "", "599ZH/005"},
      // 'q': field 4's number is set apart, field 2's serial gets its zeros.
      {'q', "12", "x", "ABC-123", "599012/x/ABC/123"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.code);
    LogBuilder b = ClockLog(row.code, 1);
    RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
      w.timerzeitTimer();
      w.eCall->SetStr("HB9ABC");
      w.eRSTr2->SetStr(row.exchange2);
      w.eRSTr3->SetStr(row.exchange3);
      w.eRSTr4->SetStr(row.exchange4);
      w.btnSpeicherna->Click();
    });
    const std::vector<TContestLKRec> records = Records(b.Number());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(TContestFkt::RcvdExchangeText(records[0]), row.received);
  }
}

// A row pasted from a spreadsheet or a line with its end: each field keeps the pasted text up to
// the first control character, and the QSO is stored without one.
TEST_F(LogSaveTest, APastedRowStoresOnlyWhatPrecedesItsFirstControlCharacter) {
  LogBuilder b = ClockLog();
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    w.timerzeitTimer();
    const auto paste = [](ui::TkvEdit& field, const std::string& text) {
      platform::qt::Application().SetClipboardText(text);
      field.SetFocus();
      platform::qt::testkit::PressKey(field, 'V', platform::qt::ssCtrl);
    };
    paste(*w.eCall, "DL2ABC\t33\nG3XYZ");
    EXPECT_EQ(w.eCall->GetStr(), "DL2ABC");
    paste(*w.eRSTr2, "42\r\n");
    w.btnSpeicherna->Click();
  });
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Call.str(), "DL2ABC");
  EXPECT_EQ(TContestFkt::RcvdExchangeText(records[0]), "59942");
}

TEST_F(LogSaveTest, AQsoThatCannotBeStoredIsToldAndStaysAsTypedWithNothingWritten) {
  LogBuilder b = ClockLog();
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  // Every moment the save may try holds a QSO already.
  for (std::int32_t second = 0; second <= 10; ++second) {
    b.Add(Qso("OLD" + std::to_string(second), 'b', dates.TodayUtc(), dates.NowUtc() + second));
  }
  const auto catalogue_record = [&b] {
    contest::TdbContest catalogue(contest::kTableKK, 0);
    EXPECT_TRUE(catalogue.FindByNummer(b.Number()));
    contest::TContestKKRec log{};
    catalogue.GetKKRec(log);
    return log;
  };
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    w.timerzeitTimer();
    const std::int32_t qsos = w.NextQsoNumber;
    const std::int32_t points = w.TotalPoints;
    const contest::TContestKKRec log_before = catalogue_record();
    w.eCall->SetStr("DL1XYZ");
    w.eRSTr2->SetStr("42");
    w.eName->SetStr("Hans");
    w.btnSpeicherna->Click();
    EXPECT_EQ(Shown(), std::vector<std::string>{"|Das QSO konnte nicht gespeichert werden."});
    EXPECT_EQ(w.eCall->GetStr(), "DL1XYZ");
    EXPECT_EQ(w.eRSTr2->GetStr(), "42");
    EXPECT_EQ(contestlog::EntryRecord(w).Call.str(), "DL1XYZ");
    EXPECT_EQ(w.NextQsoNumber, qsos);
    EXPECT_EQ(w.TotalPoints, points);
    const contest::TContestKKRec log_after = catalogue_record();
    EXPECT_EQ(std::memcmp(&log_before, &log_after, sizeof log_before), 0);
    Shot(w, "log_save_not_stored");
  });
  EXPECT_EQ(Records(b.Number()).size(), 11u);
  logbook::TdbCall calls(logbook::kCallData);
  EXPECT_FALSE(calls.FindCall("DL1XYZ"));
}

TEST_F(LogSaveTest, TheImportsSaveRunsNoTickAndATickWaitsForTheHandlerThatRuns) {
  LogBuilder b = ClockLog();
  RunOwnWindow<TickCountingWindow>(b, b.Definition(), [&](TickCountingWindow& w) {
    EXPECT_EQ(w.timerzeit->Interval(), 1000);
    EXPECT_TRUE(w.timerzeit->Enabled());
    w.ticks = 0;
    w.eCall->SetStr("DL1XYZ");
    w.btnSpeichernaClick(w.btnadifimport);
    EXPECT_EQ(w.ticks, 0);
    w.eCall->SetStr("DL2XYZ");
    w.btnSpeicherna->Click();
    EXPECT_EQ(w.ticks, 1);
    EXPECT_EQ(Records(b.Number()).size(), 2u);

    // The timer's tick, from outside any handler and from inside one: that one waits for the
    // handler's end and is made up once then.
    w.timerzeit->Elapsed();
    EXPECT_EQ(w.ticks, 2);
    w.tick_inside_score = true;
    {
      const platform::qt::HandlerScope handler(&w);
      w.SwitchBand('c');
      EXPECT_FALSE(w.tick_inside_score);
      EXPECT_EQ(w.ticks, 2);
    }
    EXPECT_EQ(w.ticks, 3);
  });
}

TEST_F(LogSaveTest, ABadLocatorIsToldOnceAtTheSaveWhetherTheButtonOrEnterSaves) {
  LogBuilder b = ClockLog('W', 1);
  contest::TContestRec definition = b.Definition();
  definition.ExchangeKindsRcvd = {4, 6, 0};
  RunLog(b.Number(), definition, [&](TContestLogStd& w) {
    w.timerzeitTimer();
    const auto type_qso = [&](const std::string& call) {
      presenter_->calls.clear();
      for (const auto& [field, text] : {std::pair{w.eCall, call}, std::pair{w.eRSTr2, "B36"s},
                                        std::pair{w.eRSTr3, "XO31AA"s}}) {
        field->SetFocus();
        platform::qt::testkit::TypeText(*field, text);
      }
      EXPECT_EQ(Shown(), std::vector<std::string>{});
    };
    // With the button, the locator field in hand.
    type_qso("dl1xyz");
    w.btnSpeicherna->Click();
    EXPECT_EQ(Shown(), std::vector<std::string>{"|Fehler bei Locator-Angabe"});
    // With Enter out of the last field the contest shows.
    type_qso("dl2xyz");
    platform::qt::testkit::PressKey(*w.eRSTr3, platform::qt::VK_RETURN);
    EXPECT_EQ(Shown(), std::vector<std::string>{"|Fehler bei Locator-Angabe"});
  });
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 2u);
  for (const TContestLKRec& r : records) {
    EXPECT_EQ(r.Loc.str(), "") << r.Call.str();
    EXPECT_EQ(r.Distance, 0u) << r.Call.str();
  }
}

// With "DIGITAL" chosen and its mode field empty, no save stores the QSO: each warns and puts the
// focus into the mode field. Without a call neither: the call field gets the focus.
TEST_F(LogSaveTest, NoQsoIsStoredWithoutTheDigitalModeTypedOrACall) {
  LogBuilder b = ClockLog('.', 4);  // CW, SSB and DIGITAL
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    w.timerzeitTimer();
    w.btnModea->Click();
    w.listmode->SetItemIndex(w.listmode->Items().IndexOf("DIGITAL"));
    platform::qt::testkit::PressKey(*w.listmode, platform::qt::VK_RETURN);
    ASSERT_TRUE(w.emode->Visible());
    const std::vector<std::string> warned{"|"s + kModeMissing};
    const std::pair<const char*, std::function<void()>> saves[] = {
        {"Enter", [&] { platform::qt::testkit::PressKey(*w.eRSTr2, platform::qt::VK_RETURN); }},
        {"F10", [&] { platform::qt::testkit::PressKey(*w.eRSTr2, platform::qt::VK_F10); }},
        {"button", [&] { w.btnSpeicherna->Click(); }}};
    for (const auto& [name, save] : saves) {
      SCOPED_TRACE(name);
      presenter_->calls.clear();
      w.eCall->SetFocus();
      platform::qt::testkit::TypeText(*w.eCall, "dl1xyz");
      w.eRSTr2->SetFocus();
      w.eRSTr2->SetStr("42");
      save();
      EXPECT_EQ(Shown(), warned);
      EXPECT_EQ(w.ActiveControl(), w.emode);
      if (name == "F10"s) Shot(w, "log_save_digital_mode_missing");
      EXPECT_EQ(w.eCall->GetStr(), "DL1XYZ");
      EXPECT_TRUE(Records(b.Number()).empty());
      w.eCall->SetStr("");
    }
    w.emode->SetStr("RTTY");
    for (const auto& [name, save] : std::span(saves).subspan(1)) {
      SCOPED_TRACE("no call, "s + name);
      presenter_->calls.clear();
      w.eRSTr2->SetFocus();
      w.eRSTr2->SetStr("42");
      save();
      EXPECT_EQ(Shown(), std::vector<std::string>{"|"s + kCallMissing});
      EXPECT_EQ(w.ActiveControl(), w.eCall);
      EXPECT_TRUE(Records(b.Number()).empty());
    }
    w.eCall->SetStr("DL1XYZ");
    w.btnSpeicherna->Click();
  });
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Mode.str(), "RTTY");
}

TEST_F(LogSaveTest, AStoredQsoTellsTheKeyerWhenItIsOn) {
  LogBuilder b = ClockLog();
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  RunOwnWindow<KeyerRecordingWindow>(b, b.Definition(), [&](KeyerRecordingWindow& w) {
    w.timerzeitTimer();
    w.eCall->SetStr("DL1XYZ");
    w.btnSpeicherna->Click();
    EXPECT_EQ(w.memories, std::vector<int>{});
    w.KeyerOn = true;
    w.eCall->SetStr("DL2XYZ");
    w.btnSpeicherna->Click();
    EXPECT_EQ(w.memories, std::vector<int>{-1});
    EXPECT_EQ(Records(b.Number()).size(), 2u);
    // A QSO that cannot be stored sends nothing: every moment the save may try is taken.
    for (std::int32_t second = 0; second <= 10; ++second) {
      b.Add(Qso("OLD" + std::to_string(second), 'b', dates.TodayUtc(),
                dates.NowUtc() + second));
    }
    w.timerzeitTimer();
    w.eCall->SetStr("DL3XYZ");
    w.btnSpeicherna->Click();
    EXPECT_EQ(w.memories, std::vector<int>{-1});
    EXPECT_EQ(Shown(), std::vector<std::string>{"|Das QSO konnte nicht gespeichert werden."});
  });
}

TEST_F(LogSaveTest, NoTickWhileAQsoIsEditedOrACorrectionListIsOpen) {
  LogBuilder b = ClockLog();
  b.Add(Qso("DL1XYZ", 'b', kContestDay, 3600));
  RunOwnWindow<TickCountingWindow>(b, b.Definition(), [&](TickCountingWindow& w) {
    const auto tick_while_open = [&](platform::qt::TForm& form) {
      const int before = w.ticks;
      w.timerzeit->Elapsed();
      EXPECT_EQ(w.ticks, before) << form.Name();
      form.SetModalResult(platform::qt::mrCancel);
    };
    driver_.Then(tick_while_open);
    w.btnAendern->Click();
    driver_.Then(tick_while_open);
    w.btnKorrektura->Click();
    EXPECT_EQ(driver_.Pending(), 0u) << ::testing::PrintToString(driver_.Seen());
    EXPECT_EQ(driver_.Seen().size(), 3u) << ::testing::PrintToString(driver_.Seen());
    // Afterwards the clock ticks again.
    const int before = w.ticks;
    w.timerzeit->Elapsed();
    EXPECT_EQ(w.ticks, before + 1);
  });
}

TEST_F(LogSaveTest, EachCloseControlClosesTheWindowThroughItsCloseSteps) {
  LogBuilder b = ClockLog();
  for (int control = 0; control < 4; ++control) {
    SCOPED_TRACE(control);
    contestlog_test::MainTables main(b.Number());
    TContestLogStd window(b.Number(), main.catalogue, main.contest_data, b.Definition());
    window.ClearEntry();
    const int width = 60 + control;
    driver_.Then([&](platform::qt::TForm&) {
      window.Brow->GetGrid().SetColWidths(1, width);
      platform::qt::TControl* controls[] = {window.MenueBeenden, window.btnbeendena,
                                            window.btnbeendenb, window.btnbeenden2};
      controls[control]->OnClick(controls[control]);
    });
    window.ShowModal();
    EXPECT_NE(window.ModalResult(), platform::qt::mrNone);
    window.FormDestroy();
    EXPECT_FALSE(window.LogOpen());
    EXPECT_FALSE(Open(contest::kTableLK, b.Number()));
    contest::TContestKKRec stored{};
    main.catalogue.GetKKRec(stored);
    EXPECT_EQ(stored.GridColumnWidths[1], width);
  }
}

}  // namespace
}  // namespace contestlog
