// The category choice of the contest setup form: what choosing a class saves, which start modes
// it offers, the class's period in the date and time fields that were not typed by hand, and
// the listener notice of the WAG contest.
#include <gtest/gtest.h>

#include "tests/app/eing_contest_fixture.h"

namespace app_test {
namespace {

using app::TimeField;

class EingContestCategoryTest : public EingContestTest {
 protected:
  void Choose(int index) {
    view_.eteilnahmeart.index = index;
    ctrl_->CategoryClick(view_);
  }
  // The start modes offered, with their captions where the design's is replaced.
  std::string Modes() const {
    std::string modes;
    const std::pair<const char*, const app::BoxView*> boxes[] = {
        {"CW", &view_.rcw}, {"SSB", &view_.rssb}, {"FM", &view_.rFM}, {"PR", &view_.rPR}};
    for (const auto& [name, box] : boxes) {
      if (!box->enabled) continue;
      modes += box->caption.empty() ? std::string(name) : box->caption;
      modes += box->checked ? "* " : " ";
    }
    return modes;
  }
};

TEST_F(EingContestCategoryTest, ModeButtonsFollowTheClassModes) {
  OpenNew('.');
  EXPECT_EQ(Modes(), "CW* SSB FM PR ");
  Choose(2);  // "Domivox-Station Digital"
  EXPECT_EQ(Modes(), "DIGI ");
  Choose(3);  // mixed
  EXPECT_EQ(Modes(), "CW SSB DIGI ");
  view_.rssb.checked = true;
  Choose(1);  // SSB
  EXPECT_EQ(Modes(), "SSB* ");
}

TEST_F(EingContestCategoryTest, PacketRadioKeepsItsOwnCaption) {
  OpenNew('V');
  Choose(5);  // VHF: SSB, CW, FM, PR
  EXPECT_EQ(Modes(), "CW* SSB FM PR ");
}

TEST_F(EingContestCategoryTest, ChoosingAClassSavesSilentlyAndSecondChoiceUpdates) {
  OpenNew('.');
  Choose(0);
  const std::int32_t nummer = ctrl_->GetSatzNummer();
  ASSERT_GT(nummer, 0);
  EXPECT_EQ(ctrl_->EditFlag(), 1);
  EXPECT_TRUE(StoredLog(nummer).Name.empty());
  Choose(6);
  EXPECT_EQ(CatalogueCount(), 1);
  EXPECT_EQ(StoredLog(nummer).ClassIndex, 7);
  EXPECT_TRUE(Messages().calls.empty());
}

TEST_F(EingContestCategoryTest, ClassPeriodFillsOnlyFieldsNotTypedByHand) {
  OpenNew('F');
  ctrl_->TimeFieldEnter(TimeField::kZeitvon, view_);
  view_.eZeitvon.text = "8.15";
  ctrl_->TimeFieldExit(TimeField::kZeitvon, view_);
  EXPECT_EQ(view_.eZeitvon.text, "08:15");
  // Leaving a field unchanged marks nothing.
  ctrl_->TimeFieldEnter(TimeField::kDatumvon, view_);
  ctrl_->TimeFieldExit(TimeField::kDatumvon, view_);
  EXPECT_EQ(ctrl_->Record().HandEdited, 4);

  Choose(2);  // "C- 2m": the second period, 09.05.2020 16:00 to 18:00
  EXPECT_EQ(view_.eDatumvon.text, "09.05.2020");
  EXPECT_EQ(view_.eDatumbis.text, "09.05.2020");
  EXPECT_EQ(view_.eZeitvon.text, "08:15");
  EXPECT_EQ(view_.eZeitbis.text, "18:00");
  EXPECT_EQ(StoredLog(ctrl_->GetSatzNummer()).HandEdited, 4);
}

TEST_F(EingContestCategoryTest, StoredClassIsChosenAndLocked) {
  const std::int32_t log = AddLog('.', 3);
  OpenLog(log, '.');
  EXPECT_FALSE(view_.eteilnahmeart.enabled);
  EXPECT_EQ(view_.eteilnahmeart.index, 2);
  EXPECT_EQ(Modes(), "DIGI ");
  EXPECT_TRUE(Messages().calls.empty());
}

TEST_F(EingContestCategoryTest, OnlyClassIsChosenWithoutSaving) {
  OpenNew('k');  // one class
  ASSERT_EQ(view_.eteilnahmeart.items.size(), 1u);
  EXPECT_EQ(view_.eteilnahmeart.index, 0);
  EXPECT_TRUE(view_.eteilnahmeart.enabled);
  EXPECT_EQ(CatalogueCount(), 0);
  ctrl_.reset();
  OpenNew('.');
  EXPECT_EQ(view_.eteilnahmeart.index, -1);
}

TEST_F(EingContestCategoryTest, WagListenerClassShowsItsNotice) {
  OpenNew('W');
  Choose(0);
  EXPECT_TRUE(Messages().calls.empty());
  Choose(8);  // the SWL class
  ASSERT_EQ(Messages().calls.size(), 1u);
  const common::MessageCall& notice = Messages().calls[0];
  EXPECT_EQ(notice.kind, common::MessageKind::kHinweis);
  EXPECT_EQ(notice.caption, "WAG-Contest");
  EXPECT_EQ(notice.title, "SWL-Mode");
  EXPECT_EQ(notice.text,
            "Bei diesem Contest können SWL-QSOs geloggt werden. Die Multiplikator-Berechnung "
            "erfolgt jedoch nicht mit dem Programm, sondern durch die Auswertesoftware des "
            "Veranstalters.");
}

TEST_F(EingContestCategoryTest, ScorePanelFollowsTheChosenClass) {
  OpenNew('.');
  Choose(0);
  EXPECT_TRUE(view_.score.multiplier_column);
  EXPECT_EQ(view_.score.total_multipliers, "");
  Choose(4);  // other stations count DXCC and calls over all bands
  EXPECT_FALSE(view_.score.multiplier_column);
  EXPECT_EQ(view_.score.total_multipliers, "0 Multi x");
  EXPECT_EQ(view_.score.rows[0].band, "80 m");
}

}  // namespace
}  // namespace app_test
