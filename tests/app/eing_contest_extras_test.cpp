// The extra data of the contest setup form, one row per contest code: what the form shows for
// a stored log, what it stores for a typed value, and the warning for an empty field. Then the
// extras that reach beyond the record: the call database, the DOK of district U and the
// station files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/eing_contest_extras.h"
#include "common/dates.h"
#include "logbook/databases/call_database.h"
#include "output/station_file.h"
#include "tests/app/eing_contest_fixture.h"

namespace app_test {
namespace {

using app::kNoNumber;

struct ExtraRow {
  const char* name;
  char code;
  // The stored log.
  std::int32_t number;
  const char* member_text;
  std::uint8_t byte300;
  // What the form shows of it.
  std::function<std::string(const EingContestView&)> shown;
  const char* expect_shown;
  // The input left empty: the warning (nullptr: none) and whether it ends the save.
  std::function<void(EingContestView&)> leave_empty;
  const char* warning;
  bool ends_save;
  // A value typed and what the record then holds.
  std::function<void(EingContestView&)> type;
  std::function<std::string(const TContestKKRec&)> stored;
  std::string expect_stored;
};

std::string NumberField(const EingContestView& v) { return v.lJahre.caption + v.eJahre.text; }
void ClearNumber(EingContestView& v) { v.eJahre.text.clear(); }
std::function<void(EingContestView&)> Type(const char* text) {
  return [text](EingContestView& v) { v.eJahre.text = text; };
}
std::string Number(const TContestKKRec& log) {
  return std::to_string(static_cast<std::int32_t>(log.OperatorNumber.get()));
}
std::string MemberText(const TContestKKRec& log) { return log.MemberText.str(); }
std::string Byte300(const TContestKKRec& log) { return std::to_string(log.MultiplierFlag); }
std::string Choice(const EingContestView& v) {
  std::string shown = v.GroupZusatz2.visible ? "" : "hidden ";
  for (const app::BoxView& box : v.rZusatz2) {
    shown += (box.visible ? "" : "-") + box.caption + (box.checked ? "*" : "") + "|";
  }
  return shown;
}
void ChooseSecond(EingContestView& v) {
  v.rZusatz2 = {};
  v.rZusatz2[1].checked = true;
}
std::string Question(const EingContestView& v) {
  return v.GroupFrage.caption + ":" + v.lFrage.caption + (v.eHMja.checked ? " ja" : "") +
         (v.eHMnein.checked ? " nein" : "");
}
void AnswerNo(EingContestView& v) {
  v.eHMja.checked = false;
  v.eHMnein.checked = true;
}
std::string Station(const EingContestView& v) {
  return v.groupzusatz3.caption + (v.cBausatz.visible ? " Bausatz" : "") +
         (v.cBausatz.checked ? "*" : "") + (v.cUnikat.visible ? " Unikat" : "") +
         (v.cUnikat.checked ? "*" : "") + (v.egroupzusatz3.visible ? " " + v.egroupzusatz3.text : "");
}
void ClearMemo(EingContestView& v) { v.memoStation.text.clear(); }
const std::int32_t kLicence = common::DMYToDate(1, 4, 1990);

constexpr const char* kNoAge = "Sie haben keine Angabe über Ihr Lebensalter getätigt.";
constexpr const char* kNoAgcw = "Sie haben keine Angabe über die AGCW-Mitgliedschaft getätigt.";
constexpr const char* kNoStation = "Sie haben keine Angaben zur Station getätigt.";

const ExtraRow kRows[] = {
    {"Event", '.', kNoNumber, "", 0, NumberField, "Lebensalter:99", ClearNumber, kNoAge, false,
     Type("37"), Number, "37"},
    {"DarcAge", 'P', kNoNumber, "", 0, NumberField, "Lebensalter :XX", ClearNumber,
     "Sie haben keine Angabe über Ihr DARC-Alter getätigt.", true, Type("xx"), Number, "-1"},
    {"Age", 'q', 42, "", 0, NumberField, "Lebensalter:42", ClearNumber, kNoAge, false, Type("XX"),
     Number, "-1"},
    {"Hsc", '6', kNoNumber, "", 0, NumberField, "HSC-Nr:NM", ClearNumber,
     "Sie haben keine Angabe über die HSC-Mitgliedschaft getätigt.", false, Type("0"), Number,
     "-1"},
    {"Dig", '7', 0, "", 0, NumberField, "DIG-Nr:0", ClearNumber,
     "Sie haben keine Angabe über die DIG-Mitgliedschaft getätigt.", false, Type("1234"), Number,
     "1234"},
    {"Agcw", 'f', 0, "", 0, NumberField, "AGCW-Nr:0", ClearNumber, kNoAgcw, false, Type("0"),
     Number, "-1"},
    {"AgcwQrp", 'w', 12, "", 0, NumberField, "AGCW-Nr:12", ClearNumber, kNoAgcw, false,
     Type("nm"), Number, "-1"},
    {"Rtc", '4', 0, "", 0, NumberField, "RTC-Nr:0", ClearNumber,
     "Sie haben keine Angabe über die RTC-Mitgliedschaft getätigt.", false, Type("77"), Number,
     "77"},
    {"Qcwa", 'k', 0, "", 0, NumberField, "QCWA-Nr:0", ClearNumber, nullptr, false,
     Type("35021"), Number, "35021"},
    {"Participant", 'm', 5, "", 0, NumberField, "Teilnehmer-Nr:5", ClearNumber,
     "Sie haben keine Teilnehmernummer eingegeben.", false, Type("00815"), Number, "815"},
    {"Naval", 'i', 0, "NCD123", 0, NumberField, "Naval Club-Kürzel und Nr:NCD123", ClearNumber,
     "Sie haben keine Angabe über die Naval-Mitgliedschaft getätigt.", false, Type(" ab12 "),
     MemberText, "ab12"},
    {"Dsw", 'p', 0, "", 0, NumberField, "DSW oder Paddel-Nr:", ClearNumber, nullptr, false,
     Type("D-77"), MemberText, "D-77"},
    {"ScoringGroup", 'Y', 2, "", 0, Choice, "S: Single = Single OP|M: Multi = Multi OP|SWL:*|",
     [](EingContestView&) {}, nullptr, false, ChooseSecond, Number, "1"},
    {"Canton", 'z', 1, "", 0, Choice, "Teilnehmer in Schweiz|Teilnehmer im Ausland*|-|",
     [](EingContestView&) {}, nullptr, false,
     [](EingContestView& v) {
       v.rZusatz2 = {};
       v.rZusatz2[0].checked = true;
     },
     Number, "0"},
    {"LicenceDate", 'W', kLicence, "", 0,
     [](const EingContestView& v) { return v.groupboxdatum.visible ? v.edatum.text : "-"; },
     "01.04.1990", [](EingContestView& v) { v.edatum.text.clear(); }, nullptr, false,
     [](EingContestView& v) { v.edatum.text = "15.6.1985"; }, Number,
     std::to_string(common::DMYToDate(15, 6, 1985))},
    {"DistrictU", 'U', 0, "", 0, Question, "Distrikt:Teilnehmer aus Distrikt U? nein",
     [](EingContestView&) {}, nullptr, false, AnswerNo, Byte300, "0"},
    {"Iparc", 'Z', 0, "", 255, Question, "IPARC:IPARC-Mitglied ? ja", [](EingContestView&) {},
     nullptr, false, AnswerNo, Byte300, "0"},
    {"Oqrp", 'b', 3, "", 0, Station, " Bausatz Unikat*", ClearMemo, kNoStation, true,
     [](EingContestView& v) {
       v.memoStation.text = "FT-817";
       v.cUnikat.checked = false;
       v.cBausatz.checked = true;
     },
     Number, "2"},
    {"Mssprint", 'j', 0, "", 0, Station, "", ClearMemo, kNoStation, true,
     [](EingContestView& v) { v.memoStation.text = "IC-703"; }, Number, "0"},
    {"Mrr", 'v', 0, "M-1", 0, Station, "RIG M-1", ClearMemo, kNoStation, true,
     [](EingContestView& v) {
       v.memoStation.text = "TS-590";
       v.egroupzusatz3.text = "M-55 ";
     },
     MemberText, "M-55"},
};

class ExtraTest : public EingContestTest, public ::testing::WithParamInterface<ExtraRow> {};

TEST_P(ExtraTest, ShownStoredAndWarned) {
  const ExtraRow& row = GetParam();
  TContestKKRec log{};
  log.OperatorNumber = static_cast<std::uint32_t>(row.number);
  log.MemberText = row.member_text;
  log.MultiplierFlag = row.byte300;
  EingContestView view;
  app::ShowExtras(row.code, log, view);
  EXPECT_EQ(row.shown(view), row.expect_shown);

  TContestKKRec stored = log;
  row.leave_empty(view);
  const app::ExtraCheck empty = app::StoreExtras(row.code, view, 1, stored);
  EXPECT_EQ(empty.warning, row.warning != nullptr ? row.warning : "");
  EXPECT_EQ(empty.ends_save, row.ends_save);

  row.type(view);
  EXPECT_TRUE(app::StoreExtras(row.code, view, 1, stored).warning.empty());
  EXPECT_EQ(row.stored(stored), row.expect_stored);
}

INSTANTIATE_TEST_SUITE_P(Codes, ExtraTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

class ExtraRulesTest : public EingContestTest {};

TEST_F(ExtraRulesTest, NavalWithoutNumberIsFineInCategorySix) {
  EingContestView view;
  TContestKKRec log{};
  EXPECT_TRUE(app::StoreExtras('i', view, 6, log).warning.empty());
  EXPECT_FALSE(app::StoreExtras('i', view, 5, log).warning.empty());
}

TEST_F(ExtraRulesTest, TextThatIsNoNumberCountsAsNotGiven) {
  EingContestView view;
  TContestKKRec log{};
  log.OperatorNumber = 33;
  view.eJahre.text = "3a";
  const app::ExtraCheck check = app::StoreExtras('.', view, 1, log);
  EXPECT_EQ(check.warning, kNoAge);
  EXPECT_EQ(static_cast<std::int32_t>(log.OperatorNumber.get()), kNoNumber);
}

TEST_F(ExtraRulesTest, ContestsWithoutExtrasShowNoneAndJHidesItsAutomaticBoxes) {
  EingContestView view;
  TContestKKRec log{};
  app::ShowExtras('V', log, view);
  EXPECT_FALSE(view.groupZusatz.visible || view.GroupZusatz2.visible ||
               view.groupboxdatum.visible || view.GroupFrage.visible ||
               view.groupzusatz3.visible);
  app::ShowExtras('j', log, view);
  EXPECT_FALSE(view.edatumauto.visible || view.edatumauto.checked);
  EXPECT_FALSE(view.ezeitauto.visible || view.ezeitauto.checked);
  EXPECT_TRUE(view.crstsnichtsperren.checked);
  EXPECT_FALSE(view.crstsnichtsperren.visible);
}

TEST_F(ExtraRulesTest, HscNumberNoneIsShownAsNmAndSavedAsNone) {
  const std::int32_t log =
      AddLog('6', 1, [] {
        TContestKKRec r{};
        r.OperatorNumber = static_cast<std::uint32_t>(kNoNumber);
        return r;
      }());
  OpenLog(log, '6');
  EXPECT_EQ(view_.eJahre.text, "NM");
  FillValid(view_);
  ctrl_->Save(SaveSender::kOK, view_);
  ASSERT_EQ(view_.modal_result, 2) << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(static_cast<std::int32_t>(StoredLog(log).OperatorNumber.get()), kNoNumber);
}

TEST_F(ExtraRulesTest, OwnCallBringsTheClubNumberFromTheCallDatabase) {
  {
    logbook::TdbCall calls(logbook::kCallData);
    calls.ClearRecord();
    calls.SetCall(contestlog_test::kOwnCall);
    calls.SetDIG("4711");
    calls.SetAGCW("NM");
    ASSERT_TRUE(calls.Insert());
  }
  const std::int32_t dig = AddLog('7', 1, {});
  {
    contest::TdbContest catalogue(contest::kTableKK, 0);
    ASSERT_TRUE(catalogue.FindByNummer(dig));
    TContestKKRec r{};
    catalogue.GetKKRec(r);
    r.OperatorNumber = 0;
    catalogue.SetKKRec(r);
    ASSERT_TRUE(catalogue.UpdateRec());
  }
  OpenLog(dig, '7');
  ASSERT_EQ(view_.eJahre.text, "0");
  view_.eCall_.text = "dl1abc ";
  ctrl_->CallExit(view_);
  EXPECT_EQ(view_.eJahre.text, "4711");
  // A number the user typed stays.
  view_.eJahre.text = "12";
  ctrl_->CallExit(view_);
  EXPECT_EQ(view_.eJahre.text, "12");

  ctrl_.reset();
  const std::int32_t agcw = AddLog('f', 1, {});
  {
    contest::TdbContest catalogue(contest::kTableKK, 0);
    ASSERT_TRUE(catalogue.FindByNummer(agcw));
    TContestKKRec r{};
    catalogue.GetKKRec(r);
    r.OperatorNumber = 0;
    catalogue.SetKKRec(r);
    ASSERT_TRUE(catalogue.UpdateRec());
  }
  OpenLog(agcw, 'f');
  view_.eCall_.text = contestlog_test::kOwnCall;
  ctrl_->CallExit(view_);
  // "NM" in the call database is no number.
  EXPECT_EQ(view_.eJahre.text, "0");
}

TEST_F(ExtraRulesTest, DistrictUDokAnswersTheQuestionAtOnce) {
  const std::int32_t log = AddLog('U', 1, [] {
    TContestKKRec r{};
    r.OwnDOK = "B36";
    return r;
  }());
  OpenLog(log, 'U');
  ASSERT_TRUE(view_.eHMnein.checked);
  for (const char* dok : {"u 05", "Z44"}) {
    view_.eHMja.checked = false;
    view_.eHMnein.checked = true;
    view_.eDOK.text = dok;
    ctrl_->FieldChange(EingFocus::eDOK, view_);
    EXPECT_TRUE(view_.eHMja.checked) << dok;
    EXPECT_EQ(ctrl_->Record().MultiplierFlag, 255) << dok;
  }
  EXPECT_EQ(ctrl_->Record().OwnDOK.str(), "Z44");
  FillValid(view_);
  view_.eDOK.text = "U05";
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(StoredLog(log).MultiplierFlag, 255);
}

std::string FileText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(ExtraRulesTest, StationTextsAreSavedToTheirFilesAndReadAgain) {
  for (const char code : {'b', 'j', 'v'}) {
    const std::int32_t log = AddLog(code, 1, {});
    const std::string file = output::StationFileName(code, static_cast<std::uint32_t>(log));
    OpenLog(log, code);
    EXPECT_TRUE(view_.memoStation.text.empty()) << code;
    EXPECT_FALSE(std::filesystem::exists(file)) << code;  // looking for the text makes no file
    FillValid(view_);
    view_.memoStation.text = std::string("Station ") + code + "\r\nAntenne: Dipol";
    ctrl_->Save(SaveSender::kOK, view_);
    ASSERT_EQ(view_.modal_result, 2) << code << ::testing::PrintToString(MessageTexts());
    EXPECT_EQ(FileText(file), std::string("Station ") + code + "\r\nAntenne: Dipol\r\n");
    ctrl_.reset();
    OpenLog(log, code);
    EXPECT_EQ(view_.memoStation.text, std::string("Station ") + code + "\r\nAntenne: Dipol");
    ctrl_.reset();
  }
}

TEST_F(ExtraRulesTest, StationTextThatCannotBeWrittenKeepsTheFormOpen) {
  const std::int32_t log = AddLog('b', 1, {});
  const std::string file = output::StationFileName('b', static_cast<std::uint32_t>(log));
  // A folder in the file's place: nothing can write the file.
  ASSERT_TRUE(std::filesystem::create_directory(file));
  OpenLog(log, 'b');
  FillValid(view_);
  view_.memoStation.text = "Eigenbau, 5 W";
  ctrl_->Save(SaveSender::kOK, view_);
  EXPECT_EQ(view_.modal_result, 0);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Die Datei " + file + " konnte nicht geschrieben werden."});
  EXPECT_EQ(view_.memoStation.text, "Eigenbau, 5 W");
}

TEST_F(ExtraRulesTest, LicenceDateIsStoredAsItsDayNumber) {
  const std::int32_t log = AddLog('W', 1, {});
  OpenLog(log, 'W');
  FillValid(view_);
  view_.edatum.text = "01.04.1990";
  ctrl_->Save(SaveSender::kOK, view_);
  ASSERT_EQ(view_.modal_result, 2) << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(static_cast<std::int32_t>(StoredLog(log).OperatorNumber.get()), kLicence);
}

}  // namespace
}  // namespace app_test
