// The save in the log window: QSOs typed and saved with Enter, the contest's fixes of typed
// texts, a QSO that cannot be stored, the import's save without the clock, and the close
// controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/grid_colours.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/entry_record.h"
#include "logbook/databases/call_database.h"
#include "platform/fake_environment.h"
#include "platform/file_faults.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog {
namespace {

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
  int ticks = 0;
};

class LogSaveTest : public contestlog_test::LogWindowTest {
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

  // Opens the log in a window of type W and runs `steps` while it shows.
  template <typename W>
  void RunWindow(const LogBuilder& b, const std::function<void(W&)>& steps) {
    contestlog_test::MainTables main(b.Number());
    W window(b.Number(), main.catalogue, main.contest_data, b.Definition());
    window.ClearEntry();
    driver_.Then([&](platform::qt::TForm&) {
      steps(window);
      window.Close();
    });
    window.ShowModal();
    window.FormDestroy();
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

}  // namespace
}  // namespace contestlog
