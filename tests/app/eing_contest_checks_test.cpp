// The save's checks: each failing check shows its text, marks and focuses its field and leaves
// the catalogue and contest-data files as they were; the checks that ask go on with yes.
#include <gtest/gtest.h>

#include <functional>

#include "tests/app/eing_contest_fixture.h"

namespace app_test {
namespace {

using common::MessageKind;

struct CheckRow {
  const char* name;
  char code;
  int class_index;  // of the stored log; 0: none chosen
  std::function<void(EingContestView&)> break_input;
  SaveSender sender;
  MessageKind kind;  // a warning, or a question answered no
  const char* text;
  EingFocus focus;
  bool marked;  // the question of the DSW number only focuses
};

// Whether the field of `focus` carries the mark.
bool Marked(const EingContestView& v, EingFocus focus) {
  switch (focus) {
    case EingFocus::eName:
      return v.eName.marked;
    case EingFocus::ePLZ:
      return v.ePLZ.marked;
    case EingFocus::eEMail:
      return v.eEMail.marked;
    case EingFocus::eLoc:
      return v.eLoc.marked;
    case EingFocus::eDOK:
      return v.eDOK.marked;
    case EingFocus::eCall_:
      return v.eCall_.marked;
    case EingFocus::eDatumvon:
      return v.eDatumvon.marked;
    case EingFocus::eDatumbis:
      return v.eDatumbis.marked;
    case EingFocus::groupZeit:
      return v.groupZeit.marked;
    case EingFocus::eteilnahmeart:
      return v.eteilnahmeart.marked;
    case EingFocus::eJahre:
      return v.eJahre.marked;
    case EingFocus::memoStation:
      return v.memoStation.marked;
    default:
      return false;
  }
}

const MessageKind kWarn = MessageKind::kAchtung;
const MessageKind kAsk = MessageKind::kJaNeinFrage;

const CheckRow kRows[] = {
    {"NameEmpty", '.', 5, [](EingContestView& v) { v.eName.text = " "; }, SaveSender::kOK, kWarn,
     "Eingabe eines Contest-Namens notwendig.", EingFocus::eName, true},
    {"PostcodeEmpty", '.', 5, [](EingContestView& v) { v.ePLZ.text.clear(); }, SaveSender::kOK,
     kWarn, "Angabe der Postleitzahl und des Ortes notwendig.", EingFocus::ePLZ, true},
    {"EmailEmptyWithCabrillo", '.', 5, [](EingContestView& v) { v.eEMail.text.clear(); },
     SaveSender::kStart, kWarn, "Angabe der EMail-Adresse notwendig.", EingFocus::eEMail, true},
    {"LocatorEmptyForLocatorExchange", 'B', 1, [](EingContestView& v) { v.eLoc.text.clear(); },
     SaveSender::kOK, kWarn, "Angabe des Standortlocators notwendig.", EingFocus::eLoc, true},
    {"DokEmptyAnsweredNo", 'B', 1, [](EingContestView& v) { v.eDOK.text = "  "; },
     SaveSender::kOK, kAsk, "Kein DOK angegeben. Trotzdem weiter?", EingFocus::eDOK, true},
    {"CantonEmptyAnsweredNo", 'z', 1,
     [](EingContestView& v) {
       v.eDOK.text.clear();
       v.rZusatz2 = {};
       v.rZusatz2[0].checked = true;
     },
     SaveSender::kOK, kAsk, "Kein Kanton angegeben. Trotzdem weiter?", EingFocus::eDOK, true},
    {"LdkEmptyAnsweredNo", 'A', 1, [](EingContestView& v) { v.eDOK.text.clear(); },
     SaveSender::kOK, kAsk, "Kein LDK angegeben. Trotzdem weiter?", EingFocus::eDOK, true},
    {"CallAndSwlEmpty", '.', 5,
     [](EingContestView& v) {
       v.eCall_.text.clear();
       v.eSWL.text.clear();
     },
     SaveSender::kOK, kWarn, "Eingabe des Rufzeichens notwendig.", EingFocus::eCall_, true},
    {"FromDateEmpty", '.', 5, [](EingContestView& v) { v.eDatumvon.text = "31.02.2024"; },
     SaveSender::kOK, kWarn, "Eingabe eines Contest-Datums notwendig.", EingFocus::eDatumvon,
     true},
    {"ToDateEmpty", '.', 5, [](EingContestView& v) { v.eDatumbis.text = "xx"; }, SaveSender::kOK,
     kWarn, "Eingabe eines Contest-Datums notwendig.", EingFocus::eDatumbis, true},
    {"ClockNotChosen", '.', 5,
     [](EingContestView& v) {
       v.rZeitOrt.checked = false;
       v.rZeitUTC.checked = false;
     },
     SaveSender::kOK, kWarn, "Es wurde nicht bestimmt, ob der Computer mit Ortszeit läuft.",
     EingFocus::groupZeit, true},
    {"CategoryNotChosen", '.', 0, [](EingContestView& v) { v.eteilnahmeart.index = -1; },
     SaveSender::kOK, kWarn, "Sie haben keine Teilnahmeart angegeben.", EingFocus::eteilnahmeart,
     true},
    {"DarcAgeEmpty", 'P', 1, [](EingContestView& v) { v.eJahre.text.clear(); }, SaveSender::kOK,
     kWarn, "Sie haben keine Angabe über Ihr DARC-Alter getätigt.", EingFocus::eJahre, true},
    {"StationTextEmpty", 'b', 1, [](EingContestView& v) { v.memoStation.text = "\r\n "; },
     SaveSender::kOK, kWarn, "Sie haben keine Angaben zur Station getätigt.",
     EingFocus::memoStation, true},
    {"DswNumberEmptyAnsweredNo", 'p', 1, [](EingContestView& v) { v.eJahre.text.clear(); },
     SaveSender::kStart, kAsk,
     "Sie haben keine DSW- bzw. Paddel-Nummer eingegeben. Trotzdem fortsetzen?",
     EingFocus::eJahre, false},
};

class EingContestCheckTest : public EingContestTest,
                             public ::testing::WithParamInterface<CheckRow> {};

TEST_P(EingContestCheckTest, FailingCheckWarnsMarksFocusesAndWritesNothing) {
  const CheckRow& row = GetParam();
  const std::int32_t log = AddLog(row.code, row.class_index);
  OpenLog(log, row.code);
  FillValid(view_);
  view_.memoStation.text = "Eigenbau, 5 W";
  if (row.code == 'P' || row.code == 'p') view_.eJahre.text = "17";
  row.break_input(view_);
  Messages().calls.clear();
  Messages().answers = {false};
  const std::string before = TableBytes();

  ctrl_->Save(row.sender, view_);

  ASSERT_EQ(Messages().calls.size(), 1u) << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(Messages().calls[0].kind, row.kind);
  EXPECT_EQ(Messages().calls[0].text, row.text);
  EXPECT_EQ(view_.focus, row.focus);
  EXPECT_EQ(Marked(view_, row.focus), row.marked);
  EXPECT_EQ(view_.modal_result, 0);
  EXPECT_EQ(TableBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Checks, EingContestCheckTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The same input saves once the user chooses what the check asked for, or answers yes.
class EingContestCheckPassTest : public EingContestTest {};

TEST_F(EingContestCheckPassTest, ClockQuestionRepeatsUntilAClockButtonIsChosen) {
  OpenNew('.');
  FillValid(view_);
  view_.rZeitUTC.checked = false;
  for (int attempt = 0; attempt < 3; ++attempt) {
    ctrl_->Save(SaveSender::kOK, view_);
    EXPECT_EQ(view_.modal_result, 0);
    EXPECT_EQ(MessageTexts().back(), app::kClockNotChosen);
  }
  EXPECT_EQ(CatalogueCount(), 0);
  view_.rZeitOrt.checked = true;
  ctrl_->ClockClick(view_);
  EXPECT_FALSE(view_.groupZeit.marked);
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(view_.modal_result, 2);
  EXPECT_EQ(CatalogueCount(), 1);
}

TEST_F(EingContestCheckPassTest, MissingDokAnsweredYesSaves) {
  const std::int32_t log = AddLog('B', 1);
  OpenLog(log, 'B');
  FillValid(view_);
  view_.eDOK.text.clear();
  Messages().answers = {true};
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(view_.modal_result, 2);
  EXPECT_TRUE(StoredLog(log).OwnDOK.empty());
}

TEST_F(EingContestCheckPassTest, ReviewModeAsksForNoDok) {
  const std::int32_t log = AddLog('B', 1);
  OpenLog(log, 'B', true);
  FillValid(view_);
  view_.eDOK.text.clear();
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_TRUE(Messages().calls.empty()) << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(view_.modal_result, 2);
}

TEST_F(EingContestCheckPassTest, AddressWarningOnlyForTheOutputButtonAndTheSaveGoesOn) {
  const std::int32_t log = AddLog('.', 5);
  OpenLog(log, '.');
  FillValid(view_);
  view_.eStrasse.text.clear();
  view_.eName.text = "Druck";
  ctrl_->Save(SaveSender::kDruck, view_);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Die Adress-Angaben sind nicht vollständig."});
  EXPECT_EQ(StoredLog(log).Name.str(), "Druck");

  Messages().calls.clear();
  view_.eName.text = "Beenden";
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_TRUE(Messages().calls.empty()) << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(StoredLog(log).Name.str(), "Beenden");
}

TEST_F(EingContestCheckPassTest, ChangingAMarkedFieldTakesTheMarkAway) {
  const std::int32_t log = AddLog('.', 5);
  OpenLog(log, '.');
  FillValid(view_);
  view_.eName.text.clear();
  ctrl_->Save(SaveSender::kOK, view_);
  ASSERT_TRUE(view_.eName.marked);
  view_.eName.text = "T";
  ctrl_->FieldChange(EingFocus::eName, view_);
  EXPECT_FALSE(view_.eName.marked);
}

TEST_F(EingContestCheckPassTest, SilentSaveChecksNothingAndStoresAnEmptyName) {
  OpenNew('.');
  view_.eteilnahmeart.index = 0;
  ctrl_->CategoryClick(view_);
  EXPECT_TRUE(Messages().calls.empty()) << ::testing::PrintToString(MessageTexts());
  ASSERT_EQ(CatalogueCount(), 1);
  const TContestKKRec stored = StoredLog(ctrl_->GetSatzNummer());
  EXPECT_TRUE(stored.Name.empty());
  EXPECT_EQ(stored.ClassIndex, 1);
}

}  // namespace
}  // namespace app_test
