// The DXCC selection window in an open contest log: a call whose prefix stands for several
// entities asks the operator when the log's option says so, the QSO takes the entity chosen and
// the choice is kept for the call; without the option nobody is asked.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/dxcc_selection_window.h"
#include "app/pref_auswahl.h"
#include "logbook/reference/scripted_dxcc_selection.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "tests/contestlog/window_fixture.h"

namespace app {
namespace {

using contest::TContestLKRec;
using contestlog::TContestLogStd;

class LogDxccSelectionTest : public contestlog_test::LogWindowTest {
 protected:
  void SetUp() override {
    LogWindowTest::SetUp();
    // Beside Palmyra (menu code 1) and Kingman Reef, gone since 2015, a third entity of KH5 that
    // is current: two to choose from.
    logbook::TdbPrefix cursor(logbook::kPrefixMain);
    logbook::TPrefixRec record{};
    record.prefix = "KH5";
    record.dxcc = "KH5J";
    record.menue = "3";
    record.continent = "OC";
    record.country = "Jarvis";
    cursor.SetRecord(record);
    ASSERT_TRUE(cursor.Insert());
    prefix_files_->SetSelectionPort(std::make_unique<DxccSelectionWindow>());
    prefix_files_->SetWindowPlace(std::make_unique<logbook::MemoryWindowPlace>());
  }

  // Puts `call` into the call field at once (as pasted), the entry knowing the partner's name and
  // QTH and the QSO's date; the live check of the call field looks its prefix data up. The entry
  // as it came out.
  static TContestLKRec EnterCall(TContestLogStd& window, std::uint8_t prefix_menu,
                                 const std::string& call) {
    contest::TContestKKRec log{};
    window.Catalogue->GetKKRec(log);
    log.PrefixMenu = prefix_menu;
    window.Catalogue->SetKKRec(log);
    window.NameText = "Hans";
    window.QthText = "Palmyra Atoll";
    window.eDatum->SetText("09.03.2024");
    window.eCall->SetText(call);
    TContestLKRec qso{};
    window.LogTable->GetLKRec(qso);
    EXPECT_EQ(qso.Call.str(), call);
    return qso;
  }
  static std::string Learnt(const std::string& call) {
    logbook::TdbPrefix learnt(logbook::kPrefixLearnt);
    return learnt.FindExact(call) ? learnt.GetDXCC() : "(none)";
  }
};

TEST_F(LogDxccSelectionTest, WithTheLogsOptionTheOperatorChoosesAndTheChoiceIsKeptForTheCall) {
  contestlog_test::LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  RunLog(log, b.Definition(), [this](TContestLogStd& window) {
    driver_.Then([](platform::qt::TForm& form) {
      auto& w = dynamic_cast<TPrefAuswahl&>(form);
      EXPECT_TRUE(w.ltext1->Visible());
      EXPECT_EQ(w.lQSO1->Caption(), "KH5AB  09.03.2024");
      EXPECT_EQ(w.lQSO2->Caption(), "Hans  Palmyra Atoll");
      // Palmyra, Kingman Reef (gone: "(deleted)") and Jarvis.
      ASSERT_EQ(w.RowCount(), 4);
      EXPECT_NE(w.Row(2)->Controls().back()->Caption().find("(deleted)"), std::string::npos);
      platform::qt::testkit::DoubleClick(*w.Row(3)->Controls().at(1), 2, 2);
    });
    const TContestLKRec qso = EnterCall(window, 255, "KH5AB");
    EXPECT_EQ(qso.DXCC.str(), "KH5J");
    EXPECT_EQ(qso.Continent.str(), "OC");
  });
  EXPECT_EQ(driver_.Seen().size(), 2u);
  EXPECT_EQ(Learnt("KH5AB"), "KH5J");
}

TEST_F(LogDxccSelectionTest, WithoutTheOptionNobodyIsAskedAndTheFirstEntityStands) {
  contestlog_test::LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  RunLog(log, b.Definition(), [](TContestLogStd& window) {
    const TContestLKRec qso = EnterCall(window, 0, "KH5AB");
    EXPECT_EQ(qso.DXCC.str(), "KH5");
  });
  EXPECT_EQ(driver_.Seen().size(), 1u);  // the log window alone
  EXPECT_EQ(Learnt("KH5AB"), "(none)");
}

TEST_F(LogDxccSelectionTest, ACancelledChoiceLeavesTheCallWithoutEntityAndLearnsNothing) {
  contestlog_test::LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  RunLog(log, b.Definition(), [this](TContestLogStd& window) {
    driver_.Then([](platform::qt::TForm& form) {
      platform::qt::testkit::PressKey(*dynamic_cast<TPrefAuswahl&>(form).Edit1,
                                      platform::qt::VK_ESCAPE);
    });
    const TContestLKRec qso = EnterCall(window, 255, "KH5XY");
    EXPECT_EQ(qso.DXCC.str(), "");
  });
  EXPECT_EQ(Learnt("KH5XY"), "(none)");
}

}  // namespace
}  // namespace app
