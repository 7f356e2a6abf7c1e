// The call typed key by key into the log window and the call field left: lookups, multipliers
// and score after each key, the kind-17 field, the band-plan notice, the dupe rules, the name
// from the call database, the prefill and the beam heading.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contest/contest_fkt.h"
#include "contestlog/entry_rules.h"
#include "contestlog/station_data.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/scripted_dxcc_selection.h"
#include "platform/fake_environment.h"
#include "platform/qt/colors.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/ticks.h"
#include "platform/qt/testkit/window_frame.h"
#include "platform/qt/typed_ahead_guard.h"
#include "tests/contestlog/core_fixture.h"
#include "tests/contestlog/entry_window.h"
#include "ui/message_dialogs.h"
#include "ui/message_forms.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::EntryWindow;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

class EntryCycleTest : public contestlog_test::EntryWindowTest {
 protected:
  // A QSO of the log with its DXCC as the entry gave it.
  static TContestLKRec Worked(const char* call, const char* dxcc, char band, std::int32_t time,
                              const char* mode = "CW") {
    TContestLKRec qso = Qso(call, band, kContestDay, time, mode);
    qso.DXCC = dxcc;
    return qso;
  }
  // A call of the call database with a DOK and a locator.
  static void AddStation(const std::string& call, const std::string& dok,
                         const std::string& locator) {
    logbook::TdbCall calls(logbook::kCallData);
    calls.ClearRecord();
    calls.SetCall(call);
    calls.SetDOK(dok);
    // The locator has no setter: it is put into the record as the save does.
    logbook::CallFieldPut(calls.Record(),
                          logbook::CallFieldTag(logbook::kCallData, logbook::CallField::kLocator),
                          locator);
    ASSERT_TRUE(calls.Insert()) << call;
  }
  // The log's definition with a dupe refused.
  static contest::TContestRec RefusingDupes(const LogBuilder& b) {
    contest::TContestRec definition = b.Definition();
    definition.DupeKind = 1;
    return definition;
  }
  // The log's definition as a station outside Germany has it: the DOK is what it receives.
  static contest::TContestRec ReceivingTheDok(const LogBuilder& b) {
    contest::TContestRec definition = b.Definition();
    definition.ExchangeKindsRcvd = {4, 0, 0};
    return definition;
  }
};

struct TypingRow {
  const char* name;
  char code;
  int class_index;
  const char* call;  // typed key by key
};

class TypingRows : public EntryCycleTest, public ::testing::WithParamInterface<TypingRow> {};

// After every key the window holds what a fresh evaluation of the call typed so far gives: the
// record's prefix data and points, the kinds' current values, the multiplier count and its label.
TEST_P(TypingRows, EachKeyShowsTheCallTypedSoFar) {
  const TypingRow& row = GetParam();
  LogBuilder b(row.code, row.class_index);
  b.Create();
  b.Add(Worked("DL2XYZ", "DL", 'b', 3600));
  b.Add(Worked("F5ABC", "F", 'c', 3700));
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    CoreOnLog reference(b);
    reference.core.CurrentBand = w.CurrentBand;
    reference.core.CurrentMode = w.CurrentMode;
    reference.core.RecountLog(false);
    PrefixLookupMemo memo;
    const std::string call = row.call;
    w.eCall->SetFocus();
    for (std::size_t n = 1; n <= call.size(); ++n) {
      platform::qt::testkit::TypeText(*w.eCall, call.substr(n - 1, 1));
      const std::string typed = NormaliseCall(call.substr(0, n));
      SCOPED_TRACE(typed);
      TContestLKRec expected = w.Entry();
      expected.Call = typed;
      reference.core.LogTable->ClearRec();
      reference.core.LogTable->SetLKRec(expected);
      if (typed.size() >= 2 &&
          PrefixData(*reference.core.LogTable, *reference.core.Catalogue,
                     reference.core.PointsRoutine(), memo, reference.core.Definition)) {
        reference.core.EvaluateEntryMultipliers();
      } else {
        reference.core.RefreshEntryMultipliers();
      }
      reference.core.LogTable->GetLKRec(expected);
      const TContestLKRec entry = w.Entry();
      EXPECT_EQ(entry.Call.str(), typed);
      EXPECT_EQ(entry.DXCC.str(), expected.DXCC.str());
      EXPECT_EQ(entry.Points, expected.Points);
      EXPECT_EQ(w.CurrentMultiValue, reference.core.CurrentMultiValue);
      EXPECT_EQ(w.TotalMultis, reference.core.TotalMultis);
      EXPECT_EQ(w.lmulti->Caption(), std::to_string(reference.core.TotalMultis));
    }
    // The last call brings a value of its own: what was compared is not all empty.
    EXPECT_TRUE(std::any_of(w.CurrentMultiValue.begin(), w.CurrentMultiValue.end(),
                            [](const std::string& value) { return !value.empty(); }));
  });
}

// '.' counts the DXCC and, of the calls, the event's stations: "DL0DOMI" counts from its "I" on,
// while its DXCC stays the same. 'W' counts the DXCC (the WAE code where there is one).
// clang-format off
INSTANTIATE_TEST_SUITE_P(Contests, TypingRows, ::testing::Values(
    TypingRow{"EventCallCountsFromItsLastLetter", '.', 5, "dl0domi"},
    TypingRow{"WaeEntityAfterAnother", 'W', 1, "it9abc"},
    TypingRow{"NewEntity", 'W', 1, "oe3xyz"}),
    [](const ::testing::TestParamInfo<TypingRow>& info) { return info.param.name; });
// clang-format on

// A call whose prefix has a DXCC menu (KH5) keeps the entity the selection settled while the
// call is typed on: after every key, on leaving the field and into the save. Taken back to
// another prefix, the call is looked up afresh.
struct SettledRow {
  const char* name;
  std::uint8_t menu_option;  // the log's PrefixMenu
  const char* pasted;        // put into the field at once ("" none), then ...
  const char* typed;         // ... typed key by key
  int choice;                // the selection window's answer (0: not asked)
  const char* dxcc;          // from the pasted text on, else from "kh5" on
};

class SettledRows : public EntryCycleTest, public ::testing::WithParamInterface<SettledRow> {};

TEST_P(SettledRows, TheSettledEntityHoldsWhileThePrefixStaysTheSame) {
  const SettledRow& row = GetParam();
  auto port = std::make_unique<logbook::ScriptedDxccSelection>();
  logbook::ScriptedDxccSelection* selection = port.get();
  if (row.choice != 0) {
    contestlog_test::AddSecondKh5Entity();
    selection->answers = {row.choice};
  }
  prefix_files_->SetSelectionPort(std::move(port));
  LogBuilder b('W', 1);
  b.Catalogue().PrefixMenu = row.menu_option;
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    w.eCall->SetFocus();
    if (*row.pasted != 0) w.eCall->SetText(row.pasted);
    const std::string typed = row.typed;
    for (std::size_t n = 0; n < typed.size(); ++n) {
      platform::qt::testkit::TypeText(*w.eCall, typed.substr(n, 1));
      SCOPED_TRACE(w.eCall->Text());
      if (w.eCall->Text().size() < 3) continue;
      EXPECT_EQ(w.Entry().DXCC.str(), row.dxcc);
      EXPECT_EQ(w.Entry().Continent.str(), "OC");
    }
    EXPECT_EQ(selection->requests.size(), row.choice != 0 ? 1u : 0u);
    w.eDatum->SetFocus();
    EXPECT_EQ(Shown(), std::vector<std::string>{});  // no "Präfix unbekannt"
    EXPECT_EQ(w.Entry().DXCC.str(), row.dxcc);
    EXPECT_EQ(w.Entry().Continent.str(), "OC");

    // Back to "KH" and on to KH6, which the table knows only as K.
    Type(*w.eCall, "");
    while (w.eCall->Text().size() > 2) {
      platform::qt::testkit::PressKey(*w.eCall, platform::qt::VK_BACK);
    }
    platform::qt::testkit::TypeText(*w.eCall, "6a");
    EXPECT_EQ(w.Entry().DXCC.str(), "K");
    EXPECT_EQ(w.Entry().Continent.str(), "NA");
  });
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kh5, SettledRows, ::testing::Values(
    SettledRow{"TypedWithoutTheMenuOption", 0, "", "kh5abc", 0, "KH5"},
    SettledRow{"TypedWithTheMenuOption", 255, "", "kh5abc", 0, "KH5"},
    SettledRow{"ChosenInTheSelectionThenTypedOn", 255, "KH5ABC", "de", 3, "KH5X"}),
    [](const ::testing::TestParamInfo<SettledRow>& info) { return info.param.name; });
// clang-format on

// The entity chosen for a call in the selection window is the call's for its next QSO, also
// after a QSO with another call: the window does not ask again.
TEST_F(EntryCycleTest, AChoiceMadeForACallServesItsNextQsoWithoutASecondQuestion) {
  contestlog_test::AddSecondKh5Entity();
  auto port = std::make_unique<logbook::ScriptedDxccSelection>();
  logbook::ScriptedDxccSelection* selection = port.get();
  selection->answers = {3};
  prefix_files_->SetSelectionPort(std::move(port));
  LogBuilder b('W', 1);
  b.Catalogue().PrefixMenu = 255;
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    for (const char* call : {"KH5ABC", "DL1ABC", "KH5ABC"}) {
      w.ClearEntry();
      w.eCall->SetFocus();
      w.eCall->SetText(call);
      w.eDatum->SetFocus();
    }
    EXPECT_EQ(selection->requests.size(), 1u);
    EXPECT_EQ(w.Entry().DXCC.str(), "KH5X");
  });
}

TEST_F(EntryCycleTest, AOneCharacterCallLooksNothingUpAndShowsTheExchangeField) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    w.eRSTr2->SetVisible(false);
    Type(*w.eCall, "d");
    EXPECT_TRUE(w.eRSTr2->Visible());
    EXPECT_EQ(w.PrefixLookup.last_call, "");
    EXPECT_EQ(w.Entry().DXCC.str(), "");
    EXPECT_EQ(w.eCall->Text(), "D");
    Type(*w.eCall, "l");
    EXPECT_EQ(w.PrefixLookup.last_call, "DL");
    EXPECT_EQ(w.Entry().DXCC.str(), "DL");
    // Taken back to one character: the DXCC counts no more.
    platform::qt::testkit::PressKey(*w.eCall, platform::qt::VK_BACK);
    EXPECT_TRUE(w.CurrentMultiValue[2].empty());
    EXPECT_EQ(w.TotalMultis, 0);
  });
}

TEST_F(EntryCycleTest, TheForeignDistrictFieldShowsForGermanCallsOnlyAlwaysUnderA) {
  struct Row {
    char code;
    const char* call;
    bool shown;
  };
  for (const Row& row : {Row{'W', "oe1abc", false}, Row{'W', "dl1abc", true},
                         Row{'A', "oe1abc", true}, Row{'A', "dl1abc", true}}) {
    SCOPED_TRACE(std::string(1, row.code) + " " + row.call);
    LogBuilder b(row.code, 1);
    b.Create();
    contest::TContestRec definition = b.Definition();
    definition.ExchangeKindsRcvd = {4, 17, 0};
    RunEntry(b, definition, [&](EntryWindow& w) {
      ASSERT_TRUE(w.eRSTr3->Visible());
      Type(*w.eCall, row.call);
      EXPECT_EQ(w.eRSTr3->Visible(), row.shown);
      EXPECT_TRUE(w.eRSTr2->Visible());
    });
  }
}

TEST_F(EntryCycleTest, TheBandPlanNoticeComesBeforeTheDupeRules) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    // A QSO with the call on this band and mode; 'W' keeps such a dupe without points.
    b.Add(Worked("DL2XYZ", "DL", w.CurrentBand, 3600, w.CurrentMode.str().c_str()));
    // In the phone part of the band (the contest is in CW).
    ASSERT_EQ(w.CurrentMode.str(), "CW");
    const std::string phone = w.CurrentBand == 'b' ? "3.7" : w.CurrentBand == 'c' ? "7.1" : "14.2";
    w.eFreq->SetStr(phone);
    Type(*w.eCall, "dl2xyz");
    w.eDatum->SetFocus();
    const std::vector<std::string> shown = Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0],
              "Frequenzbereich verlassen|Bitte beachten Sie die Bandplanempfehlungen in der "
              "Contest-Ausschreibung.");
    EXPECT_EQ(shown[1], "|Call DL2XYZ bereits auf Band/Mode vorhanden");
    EXPECT_EQ(presenter_->calls[0].caption, "Contest");
  });
}

TEST_F(EntryCycleTest, AWarningDupeIsMarkedAndShownARefusingOneClearsTheEntry) {
  for (const std::uint8_t kind : {8, 1}) {
    SCOPED_TRACE(int(kind));
    presenter_->calls.clear();
    LogBuilder b('W', 1);
    b.Create();
    contest::TContestRec definition = b.Definition();
    definition.DupeKind = kind;
    RunEntry(b, definition, [&](EntryWindow& w) {
      b.Add(Worked("DL2XYZ", "DL", w.CurrentBand, 3600, w.CurrentMode.str().c_str()));
      Type(*w.eCall, "dl2xyz");
      w.eDatum->SetFocus();
      EXPECT_EQ(Shown().size(), 1u);  // the rule's own warning
      if (kind == 8) {
        EXPECT_EQ(w.lqsopartner->Caption(), "SCHON GEARBEITET");
        EXPECT_EQ(w.lqsopartner->Font().Color(), platform::qt::clRed);
        EXPECT_TRUE(w.lqsopartner->Visible());
        EXPECT_EQ(w.Entry().NoPoints, 255);
        EXPECT_EQ(w.eCall->Text(), "DL2XYZ");
        EXPECT_TRUE(w.DupeFlag);
        Shot(w, "contest_log_entry_dupe");
        // Typed away and back: no warning again, and the QSO still counts without points.
        Type(*w.eCall, "x");
        EXPECT_EQ(w.Entry().NoPoints, 0);
        platform::qt::testkit::PressKey(*w.eCall, platform::qt::VK_BACK);
        w.eDatum->SetFocus();
        EXPECT_EQ(Shown().size(), 1u);
        EXPECT_EQ(w.Entry().NoPoints, 255);
      } else {
        EXPECT_EQ(w.Entry().Call.str(), "");
        EXPECT_EQ(w.eCall->Text(), "");
        EXPECT_EQ(w.lqsopartner->Caption(), "QSO-Partner");
        EXPECT_FALSE(w.DupeFlag);
      }
    });
  }
}

// The save checks a call the entry did not check on its band and mode, as leaving the call field
// checks it: saved with F10 from the call field, or checked before the band was switched to one
// where it is a dupe. A refused dupe is not stored, a kept one has no points.
TEST_F(EntryCycleTest, TheSaveChecksACallNotCheckedOnTheEntrysBandAndMode) {
  struct Row {
    const char* name;
    std::uint8_t dupe_kind;
    bool band_switched;
    std::size_t records;  // the QSO worked before, and the one saved
  };
  const Row rows[] = {{"F10 im Callfeld, abgewiesen", 1, false, 1},
                      {"F10 im Callfeld, ohne Punkte", 8, false, 2},
                      {"Band gewechselt, abgewiesen", 1, true, 1},
                      {"Band gewechselt, ohne Punkte", 8, true, 2}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    presenter_->calls.clear();
    LogBuilder b('W', 1);
    b.Create();
    contest::TContestRec definition = b.Definition();
    definition.DupeKind = row.dupe_kind;
    RunLog(b.Number(), definition, [&](TContestLogStd& w) {
      const char other = w.CurrentBand == 'b' ? 'c' : 'b';
      const char worked_on = row.band_switched ? other : w.CurrentBand;
      b.Add(Worked("DL2XYZ", "DL", worked_on, 3600, w.CurrentMode.str().c_str()));
      Type(*w.eCall, "dl2xyz");
      if (row.band_switched) {
        w.eDatum->SetFocus();
        EXPECT_EQ(Shown().size(), 0u);  // no dupe on this band
        ASSERT_TRUE(w.SwitchBand(other));
        w.eCall->SetFocus();
      }
      platform::qt::testkit::PressKey(*w.eCall, platform::qt::VK_F10);
      EXPECT_EQ(Shown().size(), 1u);  // the rule's own warning
      EXPECT_EQ(w.eCall->Text(), "");
    });
    const std::vector<TContestLKRec> records = Records(b.Number());
    EXPECT_EQ(records.size(), row.records);
    if (records.size() == 2) {
      EXPECT_EQ(records.back().NoPoints, 255);
    }
  }
}

// The save's dupe notice on the real dialogs, keys pressed where the keyboard sends them: Enter
// pressed on purpose closes it, and the next call, typed right after, lands in the call field;
// Enter typed on with F10 leaves it open and takes none of the keys of the run.
TEST_F(EntryCycleTest, TheDupeNoticeHearsEnterPressedOnPurposeAndTheNextCallLandsInItsField) {
  struct Row {
    const char* name;
    std::uint64_t enter_at;  // ms after the notice showed
    bool closed_by_enter;
    const char* call_field;
  };
  const Row rows[] = {{"Enter nach 300 ms", 300, true, "DL3ABC"},
                      {"Enter mit F10 getippt", 20, false, ""}};
  platform::ScopedFakeClock fake(100'000);
  platform::FakeClock& clock = fake.clock;
  common::Service<common::ToMessages>::Get().SetPresenter(std::make_unique<ui::DialogPresenter>());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LogBuilder b('W', 1);
    b.Create();
    const contest::TContestRec definition = RefusingDupes(b);
    const std::string keys = "\rDL3ABC";
    std::size_t next = 0;
    bool closed_by_enter = false;
    // Types the keys on, 12 ms apart, while `open` holds.
    const auto type_on = [&](const std::function<bool()>& open) {
      for (; next < keys.size() && open(); ++next) {
        platform::qt::testkit::TypeOnKeyboard(keys.substr(next, 1));
        clock.monotonic_ms += 12;
      }
    };
    RunLog(b.Number(), definition, [&](TContestLogStd& w) {
      b.Add(Worked("DL2XYZ", "DL", w.CurrentBand, 3600, w.CurrentMode.str().c_str()));
      Type(*w.eCall, "dl2xyz");
      driver_.ThenTypedAhead([&](platform::qt::TForm& notice) {
        EXPECT_TRUE(dynamic_cast<ui::TMessageDialogForm&>(notice).Label2->Caption().starts_with(
            "Call DL2XYZ bereits auf Band/Mode vorhanden"));
        clock.monotonic_ms += row.enter_at;
        type_on([&] { return notice.ModalResult() == platform::qt::mrNone; });
        closed_by_enter = notice.ModalResult() != platform::qt::mrNone;
        if (!closed_by_enter) notice.SetModalResult(platform::qt::mrOk);
      });
      platform::qt::testkit::PressKey(*w.eCall, platform::qt::VK_F10);
      type_on([] { return true; });
      EXPECT_EQ(w.eCall->Text(), row.call_field);
    });
    EXPECT_EQ(closed_by_enter, row.closed_by_enter);
    EXPECT_EQ(Records(b.Number()).size(), 1u);
  }
}

// A QSO typed, eyes on the radio, at a question that has stood for 3 s answers nothing, whatever
// its first letter, its pace and the pause before its Enter: the question stays, the entry in
// hand is kept and no QSO is stored. Then keys pressed on purpose answer, by the last of them: a
// lone N a while after the typing "Nein", Enter after a quiet second the default button, an N
// pressed again after one held back.
TEST_F(EntryCycleTest, AQsoTypedAtAQuestionThatHasStoodAnswersNothing) {
  enum class Asks { kEndTheEntry, kDupeNotice };
  struct Press {
    std::uint16_t key;
    std::uint64_t after;  // ms after the key before
  };
  struct Row {
    const char* name;
    Asks asks;
    std::string keys;
    std::uint64_t gap;          // ms between keys
    std::uint64_t last_pause;   // ms before the last key
    std::vector<Press> answer;  // pressed on purpose afterwards
  };
  constexpr std::uint16_t kEnter = platform::qt::VK_RETURN;
  const Row rows[] = {
      {"N1abcAt12Ms", Asks::kEndTheEntry, "N1ABC\t81\r", 12, 12, {{'N', 1200}}},
      {"N1abcAt150Ms", Asks::kEndTheEntry, "N1ABC\t81\r", 150, 150, {{'N', 1200}}},
      {"Ja1abcAt12Ms", Asks::kEndTheEntry, "JA1ABC\t81\r", 12, 12, {{'N', 1200}}},
      {"Ja1abcAt150Ms", Asks::kEndTheEntry, "JA1ABC\t81\r", 150, 150, {{'N', 1200}}},
      // Typed slower than the typing gap: its first letter waits and answers nothing, the rest
      // is held back until a second after the last letter.
      {"Dl1naAt250Ms", Asks::kEndTheEntry, "DL1NA", 250, 250, {{'N', 1200}}},
      {"Dl1naAt300Ms", Asks::kEndTheEntry, "DL1NA", 300, 300, {{'N', 1200}}},
      {"Dl1naAt600Ms", Asks::kEndTheEntry, "DL1NA", 600, 600, {{'N', 1200}}},
      {"Ok1jaAt300Ms", Asks::kEndTheEntry, "OK1JA", 300, 300, {{'N', 1200}}},
      {"Sp9nTab59EnterAt400Ms", Asks::kEndTheEntry, "SP9N\t59\r", 400, 400, {{'N', 1200}}},
      {"EnterAfterAPause", Asks::kEndTheEntry, "DL2XYZ\t81\r", 100, 400, {{'N', 1200}}},
      {"EnterAfterAQuietSecond", Asks::kEndTheEntry, "DL2XYZ\t81\r", 100, 400, {{kEnter, 1000}}},
      // Enter held back does not start the quiet second anew.
      {"XThenEnterEvery500Ms", Asks::kEndTheEntry, "x", 0, 0, {{kEnter, 500}, {kEnter, 500}}},
      {"Dl3abcThenNTwice", Asks::kEndTheEntry, "DL3ABC", 150, 150, {{'N', 300}, {'N', 300}}},
      {"W1awAt12Ms", Asks::kDupeNotice, "W1AW\t81\r", 12, 12, {{kEnter, 1000}}},
      {"W1awAt150Ms", Asks::kDupeNotice, "W1AW\t81\r", 150, 150, {{kEnter, 1000}}},
  };
  platform::ScopedFakeClock fake(100'000);
  platform::FakeClock& clock = fake.clock;
  common::Service<common::ToMessages>::Get().SetPresenter(std::make_unique<ui::DialogPresenter>());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LogBuilder b('W', 1);
    b.Create();
    const contest::TContestRec definition = RefusingDupes(b);
    bool open_before_the_last_answer = false;
    bool answered = false;
    RunLog(b.Number(), definition, [&](TContestLogStd& w) {
      if (row.asks == Asks::kDupeNotice) {
        b.Add(Worked("DL2XYZ", "DL", w.CurrentBand, 3600, w.CurrentMode.str().c_str()));
        Type(*w.eCall, "dl2xyz");
      } else {
        Type(*w.eCall, "dl4qk");
      }
      driver_.ThenTypedAhead([&](platform::qt::TForm& question) {
        clock.monotonic_ms += 3000;
        for (std::size_t i = 0; i < row.keys.size(); ++i) {
          clock.monotonic_ms += i + 1 == row.keys.size() ? row.last_pause : row.gap;
          platform::qt::testkit::TypeOnKeyboard(row.keys.substr(i, 1));
        }
        for (const Press& press : row.answer) {
          open_before_the_last_answer = question.ModalResult() == platform::qt::mrNone;
          clock.monotonic_ms += press.after;
          platform::qt::testkit::PressKey(*question.ActiveControl(), press.key);
        }
        clock.monotonic_ms += platform::qt::kTypingGapMs;
        platform::qt::testkit::TickKeyboard();
        answered = question.ModalResult() != platform::qt::mrNone;
        if (!answered) question.SetModalResult(platform::qt::mrCancel);
      });
      platform::qt::testkit::PressKey(
          *w.eCall, row.asks == Asks::kDupeNotice ? platform::qt::VK_F10 : platform::qt::VK_F5);
      EXPECT_EQ(w.eCall->Text(), row.asks == Asks::kDupeNotice ? "" : "DL4QK");
    });
    EXPECT_TRUE(open_before_the_last_answer);
    EXPECT_TRUE(answered);
    EXPECT_EQ(Records(b.Number()).size(), row.asks == Asks::kDupeNotice ? 1u : 0u);
  }
}

TEST_F(EntryCycleTest, ASecondExitWithTheSameCallOnlyLooksThePrefixUpAgain) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    b.Add(Worked("QQ1XYZ", "", w.CurrentBand, 3600, w.CurrentMode.str().c_str()));
    Type(*w.eCall, "qq1xyz");
    w.eDatum->SetFocus();
    const std::vector<std::string> first = {"|Call QQ1XYZ bereits auf Band/Mode vorhanden",
                                            "|Präfix unbekannt"};
    EXPECT_EQ(Shown(), first);
    w.eCall->SetFocus();
    w.eDatum->SetFocus();
    std::vector<std::string> twice = first;
    twice.push_back("|Präfix unbekannt");
    EXPECT_EQ(Shown(), twice);
    // The mark of the dupe stays with the call.
    EXPECT_EQ(w.Entry().NoPoints, 255);
  });
}

TEST_F(EntryCycleTest, AnUnknownPrefixIsToldFromThreeCharacters) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    Type(*w.eCall, "qq");
    w.eDatum->SetFocus();
    EXPECT_TRUE(Shown().empty());
    Type(*w.eCall, "1");
    w.eDatum->SetFocus();
    EXPECT_EQ(Shown(), std::vector<std::string>{"|Präfix unbekannt"});
    EXPECT_EQ(w.eCall->Text(), "QQ1");  // the entry stays
  });
}

TEST_F(EntryCycleTest, TheNameFromTheCallDatabaseShowsInPlaceOfThePartnerCaption) {
  AddCall(logbook::kCallData, "DL3ABC", "Hans", "Berlin");
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    Type(*w.eCall, "dl3abc/p");
    w.eDatum->SetFocus();
    EXPECT_EQ(w.lcallname->Caption(), "Hans");
    EXPECT_TRUE(w.lcallname->Visible());
    EXPECT_FALSE(w.lqsopartner->Visible());
    EXPECT_EQ(w.NameText.str(), "Hans");
    EXPECT_EQ(w.QthText.str(), "Berlin");
    EXPECT_EQ(w.Entry().NameQth.str(), "Hans;Berlin");
  });
}

TEST_F(EntryCycleTest, AForeignStationsWagLogPrefillsTheDok) {
  AddStation("DL3ABC", "B36", "JO62QM");
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, ReceivingTheDok(b), [&](EntryWindow& w) {
    Type(*w.eCall, "dl3abc");
    EXPECT_EQ(w.eRSTr2->Text(), "");
    w.eDatum->SetFocus();
    EXPECT_EQ(w.eRSTr2->Text(), "B36");
    EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(w.Entry()), "599B36");
    // No locator kind: no heading.
    EXPECT_EQ(w.lbeam->Caption(), "");
  });
}

// The station worked before comes back: its DOK stands prefilled, and the operator, reaching
// the field from the keyboard, types the DOK as heard. What is typed replaces the prefill.
TEST_F(EntryCycleTest, APrefilledDokReachedFromTheKeyboardIsReplacedByWhatIsTyped) {
  AddStation("DL3HA", "H01", "JO62QM");
  LogBuilder b('W', 1);
  b.Create();
  for (const char* key : {"\t", "\r"}) {
    SCOPED_TRACE(key[0] == '\t' ? "Tab" : "Enter");
    RunEntry(b, ReceivingTheDok(b), [&](EntryWindow& w) {
      platform::qt::testkit::WaitUntilActive(w);
      w.eCall->SetFocus();
      platform::qt::testkit::TypeOnKeyboard("dl3ha");
      for (int keys = 0; keys < 3 && w.ActiveControl() != w.eRSTr2; ++keys) {
        platform::qt::testkit::TypeOnKeyboard(key);
      }
      ASSERT_EQ(w.ActiveControl(), w.eRSTr2);
      EXPECT_EQ(w.eRSTr2->Text(), "H01");
      platform::qt::testkit::TypeOnKeyboard("H01");
      EXPECT_EQ(w.eRSTr2->Text(), "H01");
      EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(w.Entry()), "599H01");
    });
  }
}

// With the computer clock the date and time fields are hidden and the QSL box follows the last
// exchange field. The box is only clicked: Tab passes it by, on to the QSO list, which asks
// before it drops the entry in hand (answered "no": back to the call).
TEST_F(EntryCycleTest, WithTheComputerClockTabFromTheLastExchangeFieldPassesTheQslBox) {
  LogBuilder b('W', 1);
  b.Catalogue().DatumAuto = 255;
  b.Catalogue().ZeitAuto = 255;
  b.Create();
  contest::TContestRec definition = b.Definition();
  definition.ExchangeKindsRcvd = {4, 6, 0};
  RunEntry(b, definition, [&](EntryWindow& w) {
    ASSERT_FALSE(w.ezeit->Visible());
    platform::qt::testkit::WaitUntilActive(w);
    Type(*w.eCall, "dl1xyz");
    Type(*w.eRSTr3, "JO31AA");
    platform::qt::testkit::TypeOnKeyboard("\t");
    EXPECT_EQ(Shown(), std::vector<std::string>{
                           "Eingabe beenden?|Eingabe verwerfen und in die QSO-Liste wechseln?"});
    EXPECT_EQ(w.ActiveControl(), w.eCall);
    EXPECT_EQ(w.eRSTr3->Text(), "JO31AA");
  });
}

TEST_F(EntryCycleTest, ALocatorContestShowsTheBearingWithOneDecimal) {
  struct Row {
    const char* locator;
    bool shown;
  };
  for (const Row& row : {Row{"JO31AA", true}, Row{"JO3", false}}) {
    SCOPED_TRACE(row.locator);
    AddStation(std::string("DL") + (row.shown ? "4" : "5") + "ABC", "B36", row.locator);
    LogBuilder b('W', 1);
    b.Create();
    contest::TContestRec definition = b.Definition();
    definition.ExchangeKindsRcvd = {4, 6, 0};
    RunEntry(b, definition, [&](EntryWindow& w) {
      Type(*w.eCall, row.shown ? "dl4abc" : "dl5abc");
      w.eDatum->SetFocus();
      double bearing = 0;
      double distance = 0;
      logbook::ToLocator::QRB(contestlog_test::kOwnLocator, row.locator, "", bearing, distance);
      EXPECT_EQ(w.lbeam->Caption(), row.shown ? BearingText(bearing) : "");
      EXPECT_EQ(w.lbeam->Visible(), row.shown);
      EXPECT_EQ(w.lebeam->Visible(), row.shown);
      if (row.shown) {
        EXPECT_EQ(w.eRSTr3->Text(), row.locator);
        Shot(w, "contest_log_entry_bearing");
      }
    });
  }
}

TEST_F(EntryCycleTest, ABadDokOrLocatorIsToldWhenItsFieldIsLeftNeverWhileTyping) {
  LogBuilder b('W', 1);
  b.Create();
  contest::TContestRec definition = b.Definition();
  definition.ExchangeKindsRcvd = {4, 6, 0};
  RunEntry(b, definition, [&](EntryWindow& w) {
    Type(*w.eCall, "dl1xyz");
    Type(*w.eRSTr2, "J1A");
    EXPECT_EQ(Shown(), std::vector<std::string>{});
    EXPECT_EQ(w.Entry().DOK1.str(), "");
    w.eRSTr3->SetFocus();
    EXPECT_EQ(Shown(), std::vector<std::string>{"|Fehler bei DOK-Angabe"});
    // The field warned about has the focus back, its text selected for the correction: the
    // operator takes the DOK back.
    EXPECT_EQ(w.ActiveControl(), w.eRSTr2);
    EXPECT_EQ(w.eRSTr2->SelText(), "J1A");
    platform::qt::testkit::PressKey(*w.eRSTr2, platform::qt::VK_BACK);
    // An "X" first is no locator: every key reaches the field, nothing is told while typing,
    // nor when the clock reads the entry.
    Type(*w.eRSTr3, "XO31AA");
    w.timerzeitTimer();
    EXPECT_EQ(w.eRSTr3->Text(), "XO31AA");
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(w.Entry().Distance, 0u);
    w.eDatum->SetFocus();
    EXPECT_EQ(Shown(),
              (std::vector<std::string>{"|Fehler bei DOK-Angabe", "|Fehler bei Locator-Angabe"}));
    EXPECT_EQ(w.ActiveControl(), w.eRSTr3);
    // Entering a field tells nothing; a good locator is told nothing on leaving.
    w.eRSTr3->SetFocus();
    EXPECT_EQ(Shown().size(), 2u);
    w.eRSTr3->SetText("JO31AA");
    w.eDatum->SetFocus();
    EXPECT_EQ(Shown().size(), 2u);
    EXPECT_GT(w.Entry().Distance, 0u);
    EXPECT_EQ(w.Entry().DOK1.str(), "");
  });
}

// A DOK and a locator typed in small letters are the same as in capitals: taken, not told.
TEST_F(EntryCycleTest, ADokAndALocatorInSmallLettersAreTakenAsCapitals) {
  LogBuilder b('W', 1);
  b.Create();
  contest::TContestRec definition = b.Definition();
  definition.ExchangeKindsRcvd = {4, 6, 0};
  RunEntry(b, definition, [&](EntryWindow& w) {
    Type(*w.eCall, "dl1xyz");
    Type(*w.eRSTr2, "b36");
    w.eRSTr3->SetFocus();
    Type(*w.eRSTr3, "jo31aa");
    w.eDatum->SetFocus();
    EXPECT_EQ(Shown(), std::vector<std::string>{});
    EXPECT_EQ(w.Entry().DOK1.str(), "B36");
    EXPECT_EQ(w.Entry().Loc.str(), "JO31AA");
    EXPECT_GT(w.Entry().Distance, 0u);
    // The exchange the QSO keeps (and its files show) says what was counted.
    EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(w.Entry()), "599B36/JO31AA");
  });
}

// The operator as the display meets them: keys pressed one after another where the keyboard
// sends them, and the message boxes themselves. An "X" first in the locator field, the rest of
// it, Enter to the DOK field, Enter to close the warning, which brings the focus back to the
// locator, the locator typed anew over the wrong one, Enter to the DOK field, the DOK: every key
// lands where it was meant, and the warning comes once, on leaving. Run on the real display too.
TEST_F(EntryCycleTest, ABadLocatorTypedOnTheKeyboardLosesNoKeyToItsWarning) {
  common::Service<common::ToMessages>::Get().SetPresenter(std::make_unique<ui::DialogPresenter>());
  LogBuilder b('W', 1);
  b.Create();
  contest::TContestRec definition = b.Definition();
  definition.ExchangeKindsRcvd = {6, 4, 0};
  const std::string keys = "XO31AA\r\rJO31AA\rB36";
  std::size_t next = 0;
  // Types the keys on until `stop` says so.
  const auto type_on = [&](const std::function<bool()>& stop) {
    while (next < keys.size() && !stop()) {
      platform::qt::testkit::TypeOnKeyboard(keys.substr(next++, 1));
    }
  };
  std::vector<std::string> boxes;
  // A box takes the keys that follow until one closes it (a key or the last answer: a box
  // still open when the keys ran out is closed as the operator would).
  std::function<void(platform::qt::TForm&)> answer_box = [&](platform::qt::TForm& box) {
    boxes.push_back(dynamic_cast<ui::TMessageDialogForm&>(box).Label2->Caption());
    if (boxes.size() == 1) Shot(box, "log_locator_warning_on_leaving");
    driver_.Then(answer_box);
    type_on([&] { return box.ModalResult() != platform::qt::mrNone; });
    if (box.ModalResult() == platform::qt::mrNone) box.SetModalResult(platform::qt::mrOk);
  };
  RunEntry(b, definition, [&](EntryWindow& w) {
    Type(*w.eCall, "dl1xyz");
    w.eRSTr2->SetFocus();
    driver_.Then(answer_box);
    type_on([] { return false; });
    EXPECT_EQ(w.eRSTr2->Text(), "JO31AA");
    EXPECT_EQ(w.eRSTr3->Text(), "B36");
    EXPECT_EQ(w.ActiveControl(), w.eRSTr3);
    EXPECT_EQ(boxes, std::vector<std::string>{"Fehler bei Locator-Angabe"});
  });
  // The answer kept for a further box was not needed.
  EXPECT_EQ(driver_.Pending(), 1u);
}

}  // namespace
}  // namespace contestlog
