// The contest setup form's controller: a new log from the first save to the tables, the
// buttons and their results, review mode, Escape, and a refused insert.
#include <gtest/gtest.h>

#include <cstring>

#include "logbook/settings/own_station_texts.h"
#include "tests/app/eing_contest_fixture.h"

namespace app_test {
namespace {

class EingContestCreateTest : public EingContestTest {};

TEST_F(EingContestCreateTest, NewEventLogOfClassFiveIsStoredWithItsSettings) {
  OpenNew('.');
  EXPECT_EQ(view_.eteilnahmeart.items.size(), 8u);
  EXPECT_EQ(view_.eteilnahmeart.columns, 2);
  EXPECT_EQ(view_.eJahre.text, "99");
  EXPECT_FALSE(view_.rZeitOrt.checked || view_.rZeitUTC.checked);
  FillValid(view_);
  view_.eteilnahmeart.index = 4;
  ctrl_->CategoryClick(view_);
  view_.eJahre.text = "99";
  view_.crstsnichtsperren.checked = true;
  view_.cdoppelqso.checked = false;
  ctrl_->Save(SaveSender::kStart, view_);

  ASSERT_EQ(view_.modal_result, 1) << ::testing::PrintToString(MessageTexts());
  const std::int32_t nummer = ctrl_->GetSatzNummer();
  ASSERT_GT(nummer, 0);
  EXPECT_EQ(CatalogueCount(), 1);
  const TContestKKRec log = StoredLog(nummer);
  EXPECT_EQ(Byte(log, 71), 255);
  EXPECT_EQ(Byte(log, 72), 1);
  EXPECT_EQ(Byte(log, 191), '.');
  EXPECT_EQ(Byte(log, 192), 255);
  EXPECT_EQ(Byte(log, 193), 255);
  EXPECT_EQ(Byte(log, 194), 'D');
  EXPECT_EQ(Byte(log, 195), 255);
  EXPECT_EQ(Byte(log, 246), 0);
  EXPECT_EQ(Byte(log, 247), 0);
  EXPECT_EQ(Byte(log, 248), 0);
  EXPECT_EQ(Byte(log, 251), 5);
  EXPECT_EQ(Byte(log, 374), 0);
  EXPECT_EQ(log.OwnLocator.str(), contestlog_test::kOwnLocator);
  EXPECT_EQ(log.OwnCall.str(), contestlog_test::kOwnCall);
  EXPECT_EQ(log.Name.str(), "Testlog");
  EXPECT_EQ(log.OwnPostalCode.str(), "12345");
  EXPECT_EQ(static_cast<std::int32_t>(log.OperatorNumber.get()), -1);

  const std::optional<TContestKZRec> data = StoredData(nummer);
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->Nummer, nummer);
  EXPECT_EQ(Byte(*data, 1808), 255);
  EXPECT_EQ(Byte(*data, 1809), 0);

  const logbook::ToSetups& settings = common::Service<logbook::ToSetups>::Get();
  const logbook::OwnStationTexts own = logbook::OwnStationTextsOf(settings.GetOwnStation());
  EXPECT_EQ(own.name, "Karl Muster");
  EXPECT_EQ(own.street, "Hauptstr. 1");
  EXPECT_EQ(own.city, "12345 Berlin");
  EXPECT_EQ(own.country, "Deutschland");
  EXPECT_EQ(own.email, "dl1abc@example.org");
  EXPECT_EQ(own.dok, "B36");
  EXPECT_EQ(settings.GetOwnCall(false), contestlog_test::kOwnCall);
}

TEST_F(EingContestCreateTest, BeendenSavesAndClosesWithTwoStartWithOne) {
  const std::int32_t log = AddLog('.', 5);
  OpenLog(log, '.');
  FillValid(view_);
  view_.eName.text = "Umbenannt";
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(view_.modal_result, 2);
  EXPECT_EQ(StoredLog(log).Name.str(), "Umbenannt");

  view_.modal_result = 0;
  view_.eName.text = "wieder";
  ctrl_->Save(SaveSender::kStart, view_);
  EXPECT_EQ(view_.modal_result, 1);
  EXPECT_EQ(ctrl_->GetSatzNummer(), log);
  // The save gives a name its capital.
  EXPECT_EQ(StoredLog(log).Name.str(), "Wieder");
  EXPECT_EQ(CatalogueCount(), 1);
}

TEST_F(EingContestCreateTest, OutputButtonSavesWithoutClosing) {
  const std::int32_t log = AddLog('.', 5);
  OpenLog(log, '.');
  FillValid(view_);
  view_.eName.text = "Ausgabe";
  ctrl_->Save(SaveSender::kDruck, view_);
  EXPECT_EQ(view_.modal_result, 0);
  EXPECT_EQ(StoredLog(log).Name.str(), "Ausgabe");
}

TEST_F(EingContestCreateTest, ReviewModeHidesStartAndCancelAndShowsTheTitleAlone) {
  const std::int32_t log = AddLog('.', 5);
  OpenLog(log, '.', true);
  EXPECT_FALSE(view_.btnstart_visible);
  EXPECT_FALSE(view_.btnAbbruch_visible);
  EXPECT_TRUE(view_.ok_is_default);
  EXPECT_EQ(view_.focus, EingFocus::btnOK);
  std::string title;
  std::string picture;
  Fkt().ContestTitleAndPicture('.', title, picture);
  ASSERT_FALSE(title.empty());
  EXPECT_EQ(view_.caption, title);

  ctrl_.reset();
  OpenLog(log, '.');
  EXPECT_TRUE(view_.btnstart_visible);
  EXPECT_EQ(view_.caption, title + "  Contest-Konfiguration");
}

TEST_F(EingContestCreateTest, EscapeYesSavesAsBeendenNoClosesWithoutSaving) {
  const std::int32_t log = AddLog('.', 5);
  OpenLog(log, '.');
  FillValid(view_);
  view_.eName.text = "Escape ja";
  Messages().answers = {true};
  ctrl_->Escape(view_);
  EXPECT_EQ(view_.modal_result, 2);
  EXPECT_EQ(StoredLog(log).Name.str(), "Escape ja");
  EXPECT_EQ(Messages().calls.front().text, "Änderungen übernehmen?");

  view_.modal_result = 0;
  view_.eName.text = "Escape nein";
  const std::string before = TableBytes();
  Messages().answers = {false};
  ctrl_->Escape(view_);
  EXPECT_EQ(view_.modal_result, 2);
  EXPECT_EQ(TableBytes(), before);
}

TEST_F(EingContestCreateTest, EscapeNoKeepsWhatTheCategoryChangeSaved) {
  OpenNew('.');
  view_.eteilnahmeart.index = 1;
  ctrl_->CategoryClick(view_);
  const std::int32_t nummer = ctrl_->GetSatzNummer();
  ASSERT_GT(nummer, 0);
  Messages().answers = {false};
  ctrl_->Escape(view_);
  EXPECT_EQ(view_.modal_result, 2);
  EXPECT_EQ(StoredLog(nummer).ClassIndex, 2);
}

TEST_F(EingContestCreateTest, CancelSavesNothing) {
  OpenNew('.');
  FillValid(view_);
  ctrl_->Cancel(view_);
  EXPECT_EQ(view_.modal_result, 2);
  EXPECT_EQ(CatalogueCount(), 0);
}

// A writer that refuses the next insert into one table, as a table does for a key that exists.
class RefusingWriter final : public app::EingContestWriter {
 public:
  explicit RefusingWriter(int table = contest::kTableKK) : table_(table) {}
  bool Insert(contest::TdbContest& table) override {
    if (table.TableNo() == table_ && refuse_next_) {
      refuse_next_ = false;
      return false;
    }
    return table.InsertRec();
  }

 private:
  int table_;
  bool refuse_next_ = true;
};

TEST_F(EingContestCreateTest, RefusedInsertKeepsTheFormNewAndLeavesOtherLogsAlone) {
  const std::int32_t other = AddLog('.', 5);
  ASSERT_TRUE(catalogue_->FindByNummer(other));
  const TContestKKRec other_before = StoredLog(other);
  OpenNew('.');
  ctrl_->SetWriter(std::make_unique<RefusingWriter>());
  FillValid(view_);
  view_.eName.text = "Neues Log";
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(view_.modal_result, 0);
  EXPECT_EQ(ctrl_->EditFlag(), 0);
  ASSERT_FALSE(Messages().calls.empty());
  EXPECT_EQ(Messages().calls.back().kind, common::MessageKind::kFehler);
  EXPECT_EQ(Messages().calls.back().text, app::kWriteFailed);
  EXPECT_EQ(CatalogueCount(), 1);

  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(view_.modal_result, 2);
  EXPECT_EQ(ctrl_->EditFlag(), 1);
  EXPECT_EQ(CatalogueCount(), 2);
  const TContestKKRec other_after = StoredLog(other);
  EXPECT_EQ(std::memcmp(&other_before, &other_after, sizeof(TContestKKRec)), 0);
  EXPECT_EQ(StoredLog(ctrl_->GetSatzNummer()).Name.str(), "Neues Log");
}

TEST_F(EingContestCreateTest, RefusedContestDataInsertIsReportedAndTheNextSaveCompletesIt) {
  OpenNew('.');
  ctrl_->SetWriter(std::make_unique<RefusingWriter>(contest::kTableKZ));
  FillValid(view_);
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(view_.modal_result, 0);
  ASSERT_FALSE(Messages().calls.empty());
  EXPECT_EQ(Messages().calls.back().text, app::kWriteFailed);
  // The log itself was taken: the next save updates it instead of adding a second one.
  EXPECT_EQ(ctrl_->EditFlag(), 1);
  const std::int32_t nummer = ctrl_->GetSatzNummer();
  ASSERT_GT(nummer, 0);
  EXPECT_FALSE(StoredData(nummer).has_value());

  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(view_.modal_result, 2) << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(CatalogueCount(), 1);
  const std::optional<TContestKZRec> data = StoredData(nummer);
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->Nummer, nummer);
}

TEST_F(EingContestCreateTest, SavingALogChangesOnlyTheOptionBytesOfItsContestData) {
  const std::int32_t log = AddLog('.', 5);
  {
    contest::TdbContest data(contest::kTableKZ, 0);
    ASSERT_TRUE(data.FindByNummer(log));
    TContestKZRec z{};
    data.GetKZRec(z);
    z.SlotQsos[0] = 41;
    z.SlotPoints[1] = 87;
    data.SetKZRec(z);
    ASSERT_TRUE(data.UpdateRec());
  }
  const TContestKZRec before = *StoredData(log);
  OpenLog(log, '.');
  FillValid(view_);
  view_.crstsnichtsperren.checked = true;
  view_.cdoppelqso.checked = true;
  ctrl_->Save(SaveSender::kOK, view_);
  ASSERT_EQ(view_.modal_result, 2) << ::testing::PrintToString(MessageTexts());

  TContestKZRec after = *StoredData(log);
  EXPECT_EQ(Byte(after, 1808), 255);
  EXPECT_EQ(Byte(after, 1809), 255);
  after.RstsNichtSperren = before.RstsNichtSperren;
  after.DoppelQsoEintragen = before.DoppelQsoEintragen;
  EXPECT_EQ(std::memcmp(&before, &after, sizeof(TContestKZRec)), 0) << "the tallies changed";
}

}  // namespace
}  // namespace app_test
