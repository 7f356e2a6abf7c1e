// The dialog "QSO ändern" offscreen, opened from the log window's QSO list: Enter moves on,
// the reports follow the mode, the band follows the frequency, a new call brings its DXCC, the
// DXCC button takes the list's choice, and every close saves.
#include <gtest/gtest.h>

#include <string>

#include "common/number_mask.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contestlog/dxcc_chooser.h"
#include "contestlog/entry_rules.h"
#include "contestlog/qso_edit_form.h"
#include "logbook/reference/bands.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;
using platform::qt::testkit::PressKey;

// A QSO as the entry stores it, evaluated, so that opening the log does not renumber it.
TContestLKRec Stored(const char* call, const char* dxcc, const char* sent, const char* rcvd) {
  TContestLKRec q = Qso(call, 'b', kContestDay, 3600);
  contest::TContestFkt::SetSentExchange(sent, q);
  contest::TContestFkt::SetRcvdExchange(rcvd, q);
  q.DXCC = dxcc;
  q.CMulti = "X";
  q.Info = "X";
  return q;
}

std::string BandName(char band) {
  return common::Service<logbook::ToBaender>::Get().Band2Name(band, false);
}

class QsoEditFormTest : public contestlog_test::LogWindowTest {
 protected:
  // Opens the dialog on the first QSO of the list and runs `in_dialog` in it.
  void EditFirst(TContestLogStd& w,
                 const std::function<void(TContestEingabeStd2Form&)>& in_dialog) {
    ASSERT_TRUE(w.Brow->GotoDatensatz(-1, 0, 0));
    driver_.Then([&](platform::qt::TForm& form) {
      in_dialog(dynamic_cast<TContestEingabeStd2Form&>(form));
    });
    w.btnAendernClick();
  }
};

TEST_F(QsoEditFormTest, EnterMovesOnTheReportsFollowTheModeTheBandTheFrequency) {
  LogBuilder b('9');  // CW and SSB, DXCC counted, received field 2 only
  const std::int32_t log = b.Create();
  b.Add(Stored("OE1XYZ", "OE", "59 001", "57 012"));
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    EditFirst(w, [&](TContestEingabeStd2Form& f) {
      EXPECT_EQ(f.Caption(), "QSO ändern");
      EXPECT_EQ(f.lemulti->Caption(), "DXCC");
      EXPECT_TRUE(f.btnHoleDXCC->Visible());
      EXPECT_FALSE(f.eCall2->Visible());
      EXPECT_FALSE(f.eRSTr3->Enabled());
      Shot(f, "qso_edit_dialog");
      // Enter: the next enabled field, past the disabled ones, round to the first.
      f.eCall->SetFocus();
      PressKey(*f.eCall, platform::qt::VK_RETURN);
      EXPECT_EQ(f.ActiveControl(), f.eDatum);
      f.eRSTr2->SetFocus();
      PressKey(*f.eRSTr2, platform::qt::VK_RETURN);
      EXPECT_EQ(f.ActiveControl(), f.eMulti);
      f.eqslr->SetFocus();
      PressKey(*f.eqslr, platform::qt::VK_RETURN);
      EXPECT_EQ(f.ActiveControl(), f.eCall);
      // The reports by the mode chosen.
      f.eRSTs1->SetText("59 ");
      f.eRSTr1->SetText("57");
      f.combomode->SetItemIndex(f.combomode->Items().IndexOf("CW"));
      f.combomodeChange();
      EXPECT_EQ(f.eRSTs1->Text() + "|" + f.eRSTr1->Text(), "599|579");
      f.combomode->SetItemIndex(f.combomode->Items().IndexOf("SSB"));
      f.combomodeChange();
      EXPECT_EQ(f.eRSTs1->Text() + "|" + f.eRSTr1->Text(), "59 |57 ");
      // A frequency of another band chooses it; one in no band gives way to the band's own.
      EXPECT_EQ(f.comboband->Text(), BandName('b'));
      f.eFreq->SetText("7,025");
      f.eFreqExit();
      EXPECT_EQ(f.comboband->Text(), BandName('c'));
      EXPECT_EQ(f.eFreq->Text(), "7,025");
      f.eFreq->SetText("8,5");
      f.eFreqExit();
      EXPECT_EQ(f.comboband->Text(), BandName('c'));
      const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
      EXPECT_EQ(f.eFreq->Text(), common::FloatToStrMask(bands.BandMode2Freq('c', 'b'), 0, 3, ','));
      // Esc in the frequency field: its exit first, then the dialog closes and saves.
      f.eFreq->SetText("14,010");
      f.eFreq->SetFocus();
      PressKey(*f.eFreq, platform::qt::VK_ESCAPE);
    });
    const TContestLKRec r = Records(log)[0];
    EXPECT_EQ(r.Mode.str(), "SSB");
    EXPECT_EQ(r.Bandcode, 'e');
    EXPECT_FLOAT_EQ(r.Frequency.get(), 14.01f);
    EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(r), "57 012");
  });
}

// A QSO is never stored without a mode: an emptied free mode field keeps the dialog open.
TEST_F(QsoEditFormTest, AnEmptiedDigitalModeIsWarnedAboutAndNotStored) {
  LogBuilder b('.', 4);  // CW, SSB and DIGITAL: the mode is typed
  const std::int32_t log = b.Create();
  b.Add(Stored("OE1XYZ", "OE", "599 42", "599 37"));
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    EditFirst(w, [&](TContestEingabeStd2Form& f) {
      ASSERT_TRUE(f.emode->Visible());
      f.emode->SetText("");
      f.eCall->SetFocus();
      EXPECT_FALSE(f.CloseQuery());  // asked by every close
      EXPECT_EQ(presenter_->calls.size(), 1u);
      if (!presenter_->calls.empty()) {
        EXPECT_EQ(presenter_->calls[0].text, kModeMissing);
      }
      EXPECT_EQ(f.ActiveControl(), f.emode);
      EXPECT_EQ(Records(log)[0].Mode.str(), "CW");
      f.emode->SetText("RTTY");
      f.Close();
    });
    EXPECT_EQ(Records(log)[0].Mode.str(), "RTTY");
  });
}

TEST_F(QsoEditFormTest, ANewCallBringsItsDxccAndTheButtonTakesTheListsChoice) {
  LogBuilder b('9');
  const std::int32_t log = b.Create();
  b.Add(Stored("OE1XYZ", "OE", "59 001", "57 012"));
  std::string asked;
  const DxccChooser before = SetDxccChooser([&](const std::string& start) {
    asked = start;
    return std::string("4X");
  });
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    EditFirst(w, [&](TContestEingabeStd2Form& f) {
      EXPECT_EQ(f.eMulti->Text(), "OE");
      f.eCall->SetText("F5ABC");  // typed: its change handler runs
      EXPECT_EQ(f.eMulti->Text(), "F");
      EXPECT_EQ(f.lemulti->Caption(), "DXCC");
      EXPECT_EQ(f.eCall->Text(), "F5ABC");
      f.btnHoleDXCC->Click();
      EXPECT_EQ(asked, "F");
      EXPECT_EQ(f.eMulti->Text(), "4X");
      f.BitBtn1->Click();
    });
    const TContestLKRec r = Records(log)[0];
    EXPECT_EQ(r.Call.str(), "F5ABC");
    EXPECT_EQ(r.DXCC.str(), "4X");
    // Nothing chosen in the list: the field stays.
    SetDxccChooser([](const std::string&) { return std::string(); });
    EditFirst(w, [&](TContestEingabeStd2Form& f) {
      f.btnHoleDXCC->Click();
      EXPECT_EQ(f.eMulti->Text(), "4X");
      f.Close();  // the close box saves too
    });
    EXPECT_EQ(Records(log)[0].DXCC.str(), "4X");
  });
  SetDxccChooser(before);
}

TEST_F(QsoEditFormTest, AListenerLogShowsTheSecondCallAndItsReportsUnderRst2) {
  LogBuilder b('3', 2);
  const std::int32_t log = b.Create();
  TContestLKRec q = Stored("DL2XYZ", "DL", "57 N13", "59 N01");
  q.Call2 = "DL3ZZZ";
  b.Add(q);
  RunLog(log, b.Definition(), [&](TContestLogStd& w) {
    EditFirst(w, [&](TContestEingabeStd2Form& f) {
      EXPECT_EQ(f.lerstr->Caption(), "RST2");
      EXPECT_TRUE(f.eCall2->Visible());
      EXPECT_TRUE(f.lcall2->Visible());
      EXPECT_EQ(f.eCall2->Text(), "DL3ZZZ");
      EXPECT_EQ(f.eRSTr1->Text() + f.eRSTr2->Text(), "57 N13");
      Shot(f, "qso_edit_dialog_listener");
      PressKey(*f.eCall, platform::qt::VK_ESCAPE);
    });
  });
}

}  // namespace
}  // namespace contestlog
