// The save the entry cycle asks for by itself: for each field of the exit table, with and
// without Enter, and which fields shown keep it from saving; the frequency field's band.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/number_text.h"
#include "common/service.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "platform/qt/keys.h"
#include "tests/contestlog/entry_window.h"

namespace contestlog {
namespace {

using contestlog_test::EntryWindow;
using contestlog_test::LogBuilder;
using platform::qt::TEdit;

class EntrySaveTest : public contestlog_test::EntryWindowTest {};

enum class Field { kCall, kRst, kExchange2, kExchange3, kExchange4, kTime, kDate, kQth, kFreq };

struct AutoSaveRow {
  const char* name;
  Field left;
  std::vector<Field> shown;  // of the fields the table looks at; the field left shows too
  bool enter;
  int saves;
};

TkvEdit* FieldOf(EntryWindow& w, Field field) {
  switch (field) {
    case Field::kCall:
      return w.eCall;
    case Field::kRst:
      return w.eRSTr1;
    case Field::kExchange2:
      return w.eRSTr2;
    case Field::kExchange3:
      return w.eRSTr3;
    case Field::kExchange4:
      return w.eRSTr4;
    case Field::kTime:
      return w.ezeit;
    case Field::kDate:
      return w.eDatum;
    case Field::kQth:
      return w.eQTH;
    case Field::kFreq:
      return w.eFreq;
  }
  return nullptr;
}

class AutoSaveRows : public EntrySaveTest, public ::testing::WithParamInterface<AutoSaveRow> {};

TEST_P(AutoSaveRows, SavesWhenEnterLeavesTheLastShownField) {
  const AutoSaveRow& row = GetParam();
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    Type(*w.eCall, "dl1xyz");
    TypeDateAndTime(w);
    for (Field f : {Field::kRst, Field::kExchange2, Field::kExchange3, Field::kExchange4,
                    Field::kTime, Field::kQth, Field::kFreq}) {
      FieldOf(w, f)->SetVisible(false);
    }
    for (Field f : row.shown) FieldOf(w, f)->SetVisible(true);
    TkvEdit& left = *FieldOf(w, row.left);
    left.SetVisible(true);
    left.SetFocus();
    ASSERT_EQ(w.ActiveControl(), &left);
    const int before = w.saves;
    if (row.enter) {
      platform::qt::testkit::PressKey(left, platform::qt::VK_RETURN);
      EXPECT_NE(w.ActiveControl(), &left);  // Enter moved on
      EXPECT_FALSE(w.EnterPressed);         // for this exit only
    } else {
      (row.left == Field::kDate ? w.eCall : w.eDatum)->SetFocus();
    }
    EXPECT_EQ(w.saves - before, row.saves);
  });
}

using F = Field;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Exits, AutoSaveRows, ::testing::Values(
    AutoSaveRow{"CallAloneWithEnter", F::kCall, {}, true, 1},
    AutoSaveRow{"CallAloneWithoutEnter", F::kCall, {}, false, 0},
    AutoSaveRow{"CallBeforeTheReport", F::kCall, {F::kRst}, true, 0},
    AutoSaveRow{"CallBeforeAnExchange", F::kCall, {F::kExchange3}, true, 0},
    AutoSaveRow{"CallBeforeTheTime", F::kCall, {F::kTime}, true, 0},
    AutoSaveRow{"CallBeforeTheQth", F::kCall, {F::kQth}, true, 0},
    AutoSaveRow{"CallBeforeTheFrequencyOnly", F::kCall, {F::kFreq}, true, 1},
    AutoSaveRow{"LastOfTwoExchanges", F::kExchange2, {}, true, 1},
    AutoSaveRow{"SecondBeforeThird", F::kExchange2, {F::kExchange3}, true, 0},
    AutoSaveRow{"SecondBeforeTheTime", F::kExchange2, {F::kTime}, true, 0},
    AutoSaveRow{"SecondWithReportShown", F::kExchange2, {F::kRst}, true, 1},
    AutoSaveRow{"SecondWithoutEnter", F::kExchange2, {}, false, 0},
    AutoSaveRow{"ThirdLast", F::kExchange3, {F::kExchange2}, true, 1},
    AutoSaveRow{"ThirdBeforeFourth", F::kExchange3, {F::kExchange4}, true, 0},
    AutoSaveRow{"FourthLast", F::kExchange4, {F::kExchange2, F::kExchange3}, true, 1},
    AutoSaveRow{"FourthBeforeTheQth", F::kExchange4, {F::kQth}, true, 0},
    AutoSaveRow{"TimeWithEverythingShown", F::kTime,
                {F::kRst, F::kExchange2, F::kExchange3, F::kQth}, true, 1},
    AutoSaveRow{"TimeWithoutEnter", F::kTime, {}, false, 0},
    AutoSaveRow{"DateWithEnter", F::kDate, {F::kExchange2}, true, 1},
    AutoSaveRow{"DateWithoutEnter", F::kDate, {}, false, 0},
    AutoSaveRow{"QthWithEnter", F::kQth, {F::kExchange2}, true, 1},
    AutoSaveRow{"FrequencyNever", F::kFreq, {}, true, 0},
    AutoSaveRow{"ReportNever", F::kRst, {}, true, 0}),
    [](const ::testing::TestParamInfo<AutoSaveRow>& info) { return info.param.name; });
// clang-format on

TEST_F(EntrySaveTest, NoSaveWhenTheSaveCheckRefusesAndNoneInAListenerLogFromTheCall) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    // No date and time yet.
    Type(*w.eCall, "dl1xyz");
    ShowControls({w.eRSTr2, w.ezeit, w.eQTH}, false);
    platform::qt::testkit::PressKey(*w.eCall, platform::qt::VK_RETURN);
    EXPECT_EQ(w.saves, 0);
    // At midnight it saves.
    TypeDateAndTime(w, "00:00:00");
    w.eCall->SetFocus();
    platform::qt::testkit::PressKey(*w.eCall, platform::qt::VK_RETURN);
    EXPECT_EQ(w.saves, 1);
  });
  LogBuilder listener('W', 1);
  listener.Create();
  contest::TContestRec definition = listener.Definition();
  definition.SWL = 1;
  RunEntry(listener, definition, [&](EntryWindow& w) {
    Type(*w.eCall2, "dl9xx");
    Type(*w.eCall, "dl1xyz");
    TypeDateAndTime(w);
    for (TkvEdit* field : {w.eRSTr1, w.eRSTr2, w.eRSTr3, w.eRSTr4, w.ezeit, w.eQTH}) {
      field->SetVisible(false);
    }
    w.eCall->SetFocus();
    platform::qt::testkit::PressKey(*w.eCall, platform::qt::VK_RETURN);
    EXPECT_EQ(w.saves, 0);
    EXPECT_TRUE(w.CanSaveQso());
  });
}

TEST_F(EntrySaveTest, AFrequencyOutsideEveryBandGetsTheBandsOwnAnotherBandIsSwitchedTo) {
  LogBuilder b('W', 1);
  b.Create();
  RunEntry(b, b.Definition(), [&](EntryWindow& w) {
    const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
    w.eFreq->SetVisible(true);
    w.eFreq->SetFocus();
    w.eFreq->SetStr("99");
    w.eDatum->SetFocus();
    const double own = bands.BandMode2Freq(
        w.CurrentBand, common::Service<logbook::ToModi>::Get().ModeClass(w.CurrentMode.str()));
    ASSERT_GT(own, 0);
    EXPECT_FLOAT_EQ(w.Entry().Frequency, static_cast<float>(own));
    EXPECT_DOUBLE_EQ(common::StrToReal(w.eFreq->Text()), own);
    EXPECT_EQ(w.switches, "");

    // Typed in kHz on another band: that band is asked for.
    const bool on_80m = w.CurrentBand == 'b';
    w.eFreq->SetFocus();
    w.eFreq->SetStr(on_80m ? "14025" : "3525");
    w.eDatum->SetFocus();
    EXPECT_EQ(w.switches, on_80m ? "e" : "b");
    EXPECT_FLOAT_EQ(w.Entry().Frequency, on_80m ? 14.025f : 3.525f);
    // On the current band nothing switches.
    w.eFreq->SetFocus();
    w.eFreq->SetStr(on_80m ? "3.53" : std::to_string(own));
    w.eDatum->SetFocus();
    EXPECT_EQ(w.switches.size(), 1u);
  });
}

}  // namespace
}  // namespace contestlog
