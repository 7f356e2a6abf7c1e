// The band and mode lists of the log window: opened by their keys at their labels on the current
// entry, applied by Enter, closed by Esc without touching the entry, flipped at once when there
// are two; the default report after a change of mode, row by row of the catalogue's switches.
#include <gtest/gtest.h>

#include <string>

#include "contest/contest_fkt.h"
#include "platform/qt/keys.h"
#include "tests/contestlog/keys_window.h"

namespace contestlog {
namespace {

using contestlog_test::KeysWindow;
using contestlog_test::LogBuilder;
namespace qt = platform::qt;

class SwitchListsTest : public contestlog_test::KeysWindowTest {
 protected:
  // The place of `control` in the entry panel.
  static qt::TPoint OnEntryPanel(const KeysWindow& w, const qt::TControl& control) {
    qt::TPoint at{control.Left(), control.Top()};
    for (const qt::TControl* up = control.Parent(); up != w.panelEingabe; up = up->Parent()) {
      at.X += up->Left();
      at.Y += up->Top();
    }
    return at;
  }
  // Opens the mode list (F7) and applies `mode` with Enter.
  static void ChooseMode(KeysWindow& w, const std::string& mode) {
    Press(w, qt::VK_F7);
    ASSERT_TRUE(w.listmode->Visible()) << mode;
    w.listmode->SetItemIndex(w.listmode->Items().IndexOf(mode));
    Press(w, qt::VK_RETURN);
    EXPECT_FALSE(w.listmode->Visible()) << mode;
  }
  static std::string SentReport(const KeysWindow& w) {
    return contest::TContestFkt::SentExchangeText(w.Entry()).substr(0, 3);
  }
  static std::string ReceivedReport(const KeysWindow& w) {
    return contest::TContestFkt::RcvdExchangeText(w.Entry()).substr(0, 3);
  }
};

TEST_F(SwitchListsTest, TwoBandsSwitchOnOneClickWithoutShowingTheList) {
  LogBuilder b('O', 1);  // 80 and 40 m
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    ASSERT_EQ(w.listband->Items().Count(), 2);
    for (const char band : {'c', 'b', 'c'}) {
      w.btnBanda->Click();
      EXPECT_EQ(w.CurrentBand, band);
      EXPECT_FALSE(w.listband->Visible());
    }
  });
}

TEST_F(SwitchListsTest, TheBandListOpensAtTheBandOnTheCurrentBandAndEnterOrEscReturns) {
  LogBuilder b('.', 4);  // five bands from 80 m
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    Type(*w.eCall, "DL1ABC");
    Press(w, qt::VK_F8);
    ASSERT_TRUE(w.listband->Visible());
    EXPECT_EQ(w.ActiveControl(), w.listband);
    // At the band label, all five bands inside the entry panel.
    const qt::TPoint label = OnEntryPanel(w, *w.lband);
    EXPECT_EQ(w.listband->Left(), label.X);
    EXPECT_LE(w.listband->Top(), label.Y);
    EXPECT_LE(w.listband->Top() + w.listband->Height(), w.panelEingabe->ClientHeight());
    EXPECT_GE(w.listband->Height(), 5 * w.listband->ItemHeight());
    EXPECT_EQ(w.listband->ItemIndex(), 0);
    Shot(w, "log_band_list_open");
    Press(w, qt::VK_DOWN);
    Press(w, qt::VK_RETURN);
    EXPECT_EQ(w.CurrentBand, 'c');
    EXPECT_FALSE(w.listband->Visible());
    EXPECT_EQ(w.ActiveControl(), w.eCall);
    EXPECT_EQ(w.eCall->Text(), "DL1ABC");

    // The list opens on the new band; the mode list gives way to it; a second click closes it.
    Press(w, qt::VK_F7);
    Press(w, qt::VK_F8);
    EXPECT_FALSE(w.listmode->Visible());
    EXPECT_EQ(w.listband->ItemIndex(), 1);
    w.btnBanda->Click();
    EXPECT_FALSE(w.listband->Visible());
    EXPECT_EQ(w.ActiveControl(), w.eCall);

    // Esc closes the open list only; the next one clears the entry.
    Press(w, qt::VK_F8);
    Press(w, qt::VK_ESCAPE);
    EXPECT_FALSE(w.listband->Visible());
    EXPECT_EQ(w.ActiveControl(), w.eCall);
    EXPECT_EQ(w.eCall->Text(), "DL1ABC");
    EXPECT_EQ(w.CurrentBand, 'c');
    Press(w, qt::VK_ESCAPE);
    EXPECT_EQ(w.eCall->Text(), "");
  });
}

struct ReportRow {
  const char* name;
  char code;
  std::uint8_t byte246;
  std::uint8_t byte247;
  bool sent_replaced;
  bool received_replaced;
};

TEST_F(SwitchListsTest, ChangingTheModeSetsTheDefaultReportOnTheRowsTheCatalogueLeavesFree) {
  const ReportRow rows[] = {
      {"both free", '.', 0, 0, true, true},
      {"byte 246 set", '.', 255, 0, false, true},
      {"byte 247 set", '.', 0, 255, true, false},
      {"contest code j", 'j', 0, 0, false, false},
  };
  for (const ReportRow& row : rows) {
    SCOPED_TRACE(row.name);
    LogBuilder b(row.code, row.code == '.' ? 4 : 1);
    b.Catalogue().RstSentFree = row.byte246;
    b.Catalogue().RstRcvdFree = row.byte247;
    b.Create();
    contest::TContestRec definition = b.Definition();
    definition.Modes = {};
    definition.Modes[0] = "SSB";
    definition.Modes[1] = "CW";
    definition.Modes[2] = "DIGITAL";
    RunKeys(b, definition, [&](KeysWindow& w) {
      ChooseMode(w, "SSB");
      w.eRSTs1->SetStr("57");
      w.eRSTr1->SetStr("57");
      w.FieldsToRecord();
      const std::string sent = SentReport(w);
      const std::string received = ReceivedReport(w);
      ChooseMode(w, "CW");
      EXPECT_EQ(common::Trim(w.CurrentMode.str()), "CW");
      EXPECT_EQ(SentReport(w), row.sent_replaced ? "599" : sent);
      EXPECT_EQ(ReceivedReport(w), row.received_replaced ? "599" : received);
      // The fields show the record.
      if (row.received_replaced && w.eRSTr1->Visible()) {
        EXPECT_EQ(w.eRSTr1->Text(), "599");
      }
    });
  }
}

TEST_F(SwitchListsTest, DigitalShowsTheModeFieldAboveTheModeLabelWhoseTextBecomesTheMode) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    ChooseMode(w, "DIGITAL");
    ASSERT_TRUE(w.emode->Visible());
    const qt::TPoint label = OnEntryPanel(w, *w.lMode);
    const qt::TPoint field = OnEntryPanel(w, *w.emode);
    EXPECT_EQ(field.X, label.X);
    EXPECT_EQ(field.Y, label.Y - 4);
    EXPECT_EQ(common::Trim(w.CurrentMode.str()), "DIGITA");  // a mode has 6 characters
    Press(w, qt::VK_F7);
    EXPECT_EQ(w.listmode->Items().Get(w.listmode->ItemIndex()), "DIGITAL");
    Shot(w, "log_mode_list_digital");
    Press(w, qt::VK_ESCAPE);
    w.emode->SetStr("");
    Type(*w.emode, "PSK31");
    EXPECT_EQ(common::Trim(w.CurrentMode.str()), "PSK31");
    Shot(w, "log_mode_field_digital");
    // Another mode hides the field again.
    ChooseMode(w, "CW");
    EXPECT_FALSE(w.emode->Visible());
    EXPECT_EQ(common::Trim(w.CurrentMode.str()), "CW");
  });
}

}  // namespace
}  // namespace contestlog
