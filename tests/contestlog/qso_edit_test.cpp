// The QSO edit dialog's controller without its form: a stored QSO loaded into the dialog's
// fields, the fields changed as the operator would, and the record written back with the
// recount flag, per contest code and exchange kind.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/message_presenter.h"
#include "contest/contest_fkt.h"
#include "contestlog/qso_edit.h"
#include "contestlog/station_data.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

constexpr std::int32_t kTime = 12 * 3600 + 34 * 60 + 56;

// A QSO with both exchanges.
TContestLKRec Exchanged(const char* call, char band, const char* sent, const char* rcvd,
                        const char* mode = "CW") {
  TContestLKRec q = Qso(call, band, kContestDay, kTime, mode);
  contest::TContestFkt::SetSentExchange(sent, q);
  contest::TContestFkt::SetRcvdExchange(rcvd, q);
  return q;
}

struct EditCase {
  const char* name;
  char code;
  int class_index;
  TContestLKRec qso;
  std::function<void(QsoEditFields&)> edit;
  bool recount;
  std::function<void(const TContestLKRec&)> check;
  std::vector<std::string> warnings = {};  // texts of the warnings, in order
};

void NoEdit(QsoEditFields&) {}
void NoCheck(const TContestLKRec&) {}

class QsoEditTest : public contestlog_test::LogTest,
                    public ::testing::WithParamInterface<EditCase> {
 protected:
  // The warnings the dialog gave.
  std::vector<std::string> Warnings() const {
    std::vector<std::string> texts;
    for (const common::MessageCall& call : presenter_->calls) {
      if (call.kind == common::MessageKind::kAchtung) texts.push_back(call.text);
    }
    return texts;
  }
};

TEST_P(QsoEditTest, SavesTheFieldsByTheirKindsAndTellsWhetherToRecount) {
  const EditCase& c = GetParam();
  LogBuilder b(c.code, c.class_index);
  b.Create();
  b.Add(c.qso);
  CoreOnLog on(b);
  ASSERT_TRUE(on.core.LogTable->First(4));
  TContestEingabeStd2Ctrl ctrl(nullptr, on.core, {true, true, true});
  QsoEditFields fields;
  ctrl.LoadQso(fields);
  c.edit(fields);
  ctrl.SaveQso(fields);
  EXPECT_EQ(ctrl.RecountNeeded(), c.recount);
  const std::vector<TContestLKRec> stored = Records(b.Number());
  ASSERT_EQ(stored.size(), 1u);
  c.check(stored[0]);
  EXPECT_EQ(Warnings(), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QsoEditTest,
    ::testing::Values(
        EditCase{"NewCallOnANoPointsDupeScoresAgain", '.', 5,
                 [] {
                   TContestLKRec q = Qso("DL2XYZ", 'b', kContestDay, kTime);
                   q.NoPoints = 255;
                   return q;
                 }(),
                 [](QsoEditFields& f) { f.call = "DL3XYZ"; }, true,
                 [](const TContestLKRec& r) {
                   EXPECT_EQ(r.Call.str(), "DL3XYZ");
                   EXPECT_EQ(r.NoPoints, 0);
                 }},
        EditCase{"NameAndQthOnlyNeedNoRecount", '.', 5, Qso("DL2XYZ", 'b', kContestDay, kTime),
                 [](QsoEditFields& f) {
                   f.name = "Hans";
                   f.qth = "Berlin";
                 },
                 false,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.NameQth.str(), "Hans;Berlin"); }},
        EditCase{"CodeKAlwaysRecounts", 'k', 1, Exchanged("DL2XYZ", 'b', "59 1", "59 1234"),
                 NoEdit, true, NoCheck},
        EditCase{"Code7AlwaysRecounts", '7', 1, Exchanged("DL2XYZ", 'b', "59 1", "59 12"),
                 NoEdit, true, NoCheck},
        EditCase{"CodeNAlwaysRecounts", 'n', 1, Exchanged("DL2XYZ", 'b', "599", "599123"),
                 NoEdit, true, NoCheck},
        EditCase{"CodePAlwaysRecounts", 'p', 1, Exchanged("DL2XYZ", 'b', "59 1", "59 1"),
                 NoEdit, true, NoCheck},
        EditCase{"CodeFAlwaysRecounts", 'f', 1, Exchanged("DL2XYZ", 'b', "599001", "599001/1"),
                 NoEdit, true, NoCheck},
        EditCase{"ALocatorOfThreeCharactersIsIgnored", '2', 1,
                 [] {
                   TContestLKRec q = Exchanged("DL2XYZ", 'k', "59 B36", "59 B01/JO62QM");
                   q.Loc = "JO62QM";
                   q.Distance = 5;
                   return q;
                 }(),
                 [](QsoEditFields& f) { f.rcvd[2] = "JO6"; }, true,
                 [](const TContestLKRec& r) {
                   EXPECT_EQ(r.Loc.str(), "JO62QM");
                   EXPECT_EQ(r.Distance, 5u);
                 }},
        EditCase{"AnInvalidLocatorWarnsAndGivesDistanceZero", '2', 1,
                 [] {
                   TContestLKRec q = Exchanged("DL2XYZ", 'k', "59 B36", "59 B01/JO62QM");
                   q.Loc = "JO62QM";
                   q.Distance = 5;
                   return q;
                 }(),
                 [](QsoEditFields& f) { f.rcvd[2] = "XX99ZZ"; }, true,
                 [](const TContestLKRec& r) {
                   EXPECT_EQ(r.Loc.str(), "JO62QM");
                   EXPECT_EQ(r.Distance, 0u);
                 },
                 {"Fehler bei Locator-Angabe"}},
        EditCase{"AValidLocatorGivesItsDistance", '2', 1,
                 Exchanged("DL2XYZ", 'k', "59 B36", "59 B01/JO62QM"),
                 [](QsoEditFields& f) { f.rcvd[2] = "JO40HC"; }, true,
                 [](const TContestLKRec& r) {
                   EXPECT_EQ(r.Loc.str(), "JO40HC");
                   EXPECT_EQ(r.Distance, static_cast<std::uint32_t>(LocatorCalc("JO40HC")));
                   EXPECT_GT(r.Distance, 0u);
                 }},
        EditCase{"ADokAndALocatorInSmallLettersAreStoredInCapitals", '2', 1,
                 Exchanged("DL2XYZ", 'k', "59 B36", "59 1N/JO62QM"),
                 [](QsoEditFields& f) {
                   f.rcvd[1] = "wn";
                   f.rcvd[2] = "jo40hc";
                 },
                 true,
                 [](const TContestLKRec& r) {
                   EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(r), "59 WN/JO40HC");
                   EXPECT_EQ(r.DOK1.str(), "WN");
                   EXPECT_EQ(r.Loc.str(), "JO40HC");
                 }},
        EditCase{"UnderJALocatorCountsOnBandsKAndLOnly", 'J', 1,
                 Exchanged("DL2XYZ", 'b', "59 B36", "59 B01/JO62QM"),
                 [](QsoEditFields& f) { f.rcvd[2] = "JO40HC"; }, true,
                 [](const TContestLKRec& r) {
                   EXPECT_EQ(r.Loc.str(), "");
                   EXPECT_EQ(r.Distance, 0u);
                 }},
        EditCase{"DokJ1AOfAGermanCallWarnsAndKeepsTheDok", '3', 1,
                 [] {
                   TContestLKRec q = Exchanged("DL2XYZ", 'b', "59 B36", "59 B01");
                   q.DOK1 = "B01";
                   return q;
                 }(),
                 [](QsoEditFields& f) { f.rcvd[1] = "J1A"; }, true,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.DOK1.str(), "B01"); },
                 {"Fehler bei DOK-Angabe"}},
        EditCase{"ADokOfAGermanCallIsStored", '3', 1,
                 [] {
                   TContestLKRec q = Exchanged("DL2XYZ", 'b', "59 B36", "59 B01");
                   q.DOK1 = "B01";
                   return q;
                 }(),
                 [](QsoEditFields& f) { f.rcvd[1] = "C13"; }, true,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.DOK1.str(), "C13"); }},
        EditCase{"ADokOfAForeignCallIsNotTaken", '3', 1,
                 Exchanged("OE1XYZ", 'b', "59 B36", "59 B01"),
                 [](QsoEditFields& f) { f.rcvd[1] = "C13"; }, true,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.DOK1.str(), ""); }},
        EditCase{"Kind12TakesAUsStateAndEmptiesAnythingElse", 'Z', 1,
                 Exchanged("K1ABC", 'b', "599", "599001//NY"),
                 [](QsoEditFields& f) { f.rcvd[3] = "CA"; }, true,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.WAZ_USStaat.str(), "CA"); }},
        EditCase{"Kind12EmptiesANonState", 'Z', 1, Exchanged("K1ABC", 'b', "599", "599001//NY"),
                 [](QsoEditFields& f) { f.rcvd[3] = "XX"; }, true,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.WAZ_USStaat.str(), ""); }},
        EditCase{"Kind15TakesTheFirstTwoCharacters", '5', 1, Exchanged("DL2XYZ", 'b', "599", "59901"),
                 [](QsoEditFields& f) { f.rcvd[1] = "12345"; }, true,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.WAZ_USStaat.str(), "12"); }},
        EditCase{"Kind16TakesFourCharactersIntoCall2", 'f', 1,
                 Exchanged("DL2XYZ", 'b', "599001", "599001/77"),
                 [](QsoEditFields& f) { f.rcvd[2] = "1234X"; }, true,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.Call2.str(), "1234"); }},
        EditCase{"Kind19TakesSixCharactersIntoCall2", 'i', 1, Exchanged("DL2XYZ", 'b', "599", "599"),
                 [](QsoEditFields& f) { f.rcvd[1] = "123456789"; }, true,
                 [](const TContestLKRec& r) { EXPECT_EQ(r.Call2.str(), "123456"); }}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

// Received field 2, 3 or 4 shows Call2 under some codes and gives it back (or not) on saving.
TEST_F(QsoEditTest, Call2TravelsThroughTheExchangeFieldOfItsCode) {
  struct Row {
    char code;
    std::size_t shown_in;  // 0: in none
    const char* call2_before;
    const char* call2_after;  // with the field changed to "NEW"
  };
  const Row rows[] = {
      {'7', 1, "OLD", "NEW"}, {'p', 1, "OLD", "NEW"}, {'i', 1, "OLD", "NEW"},
      {'k', 1, "OLD", "NEW"}, {'v', 1, "OLD", "NEW"}, {'n', 1, "IBFD", "NEW"},
      {'n', 0, "OLD", "NEW"},  // 'n' takes field 2 back whatever it showed
      {'f', 2, "OLD", "NEW"},
      {'w', 3, "OLD", "NEW"},  // back through the field's member kind 16
      {'3', 0, "OLD", "OLD"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(1, row.code) + " " + row.call2_before);
    LogBuilder b(row.code);
    b.Create();
    TContestLKRec q = Exchanged("OE1XYZ", 'b', "599", "599P2/P3/P4");
    q.Call2 = row.call2_before;
    b.Add(q);
    CoreOnLog on(b);
    ASSERT_TRUE(on.core.LogTable->First(4));
    TContestEingabeStd2Ctrl ctrl(nullptr, on.core, {true, true, true});
    QsoEditFields fields;
    ctrl.LoadQso(fields);
    const char* stored_parts[] = {"", "P2", "P3", "P4"};
    for (std::size_t i = 1; i <= 3; ++i) {
      EXPECT_EQ(fields.rcvd[i], i == row.shown_in ? row.call2_before : stored_parts[i]) << i;
    }
    // Open and closed unchanged: Call2 stays (also under 'n' with "IBFD").
    ctrl.SaveQso(fields);
    EXPECT_EQ(Records(b.Number())[0].Call2.str(), row.call2_before);
    ctrl.LoadQso(fields);
    const std::size_t field = row.code == 'f' ? 2 : 1;
    fields.rcvd[field == 1 && row.code == 'w' ? 3 : field] = "NEW";
    ctrl.SaveQso(fields);
    EXPECT_EQ(Records(b.Number())[0].Call2.str(), row.call2_after);
  }
}

// Another station deletes the QSO while the dialog shows it (and may save a QSO that gets its
// number): the change is not written, and the operator is told.
TEST_F(QsoEditTest, AQsoDeletedElsewhereMeanwhileIsToldAndNotWritten) {
  for (const bool number_given_anew : {false, true}) {
    SCOPED_TRACE(number_given_anew ? "number given anew" : "deleted");
    LogBuilder b('.', 5);
    b.Create();
    b.Add(Qso("DL2XYZ", 'b', kContestDay, kTime));
    CoreOnLog on(b);
    ASSERT_TRUE(on.core.LogTable->First(4));
    TContestEingabeStd2Ctrl ctrl(nullptr, on.core, {true, true, true});
    QsoEditFields fields;
    ctrl.LoadQso(fields);
    {
      contest::TdbContest elsewhere(contest::kTableLK, b.Number());
      ASSERT_TRUE(elsewhere.First(4) && elsewhere.Delete(false));
    }
    if (number_given_anew) Add(b.Number(), Qso("OE1ABC", 'b', kContestDay, kTime + 60));
    fields.name = "Hans";
    ctrl.SaveQso(fields);
    const std::vector<TContestLKRec> stored = Records(b.Number());
    ASSERT_EQ(stored.size(), number_given_anew ? 1u : 0u);
    if (number_given_anew) {
      EXPECT_EQ(stored[0].Call.str(), "OE1ABC");
      EXPECT_EQ(stored[0].NameQth.str(), "");
    }
    const std::vector<std::string> warnings = Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].starts_with("Satz bereits gelöscht: Das QSO DL2XYZ")) << warnings[0];
    presenter_->calls.clear();
  }
}

TEST_F(QsoEditTest, AListenerLogShowsTheSecondStationsReportInTheLowerRow) {
  LogBuilder b('3', 2);
  b.Create();
  // In a listener log the sent exchange is the second station's.
  TContestLKRec q = Exchanged("DL2XYZ", 'b', "57 C13", "59 B01");
  q.Call2 = "DL3ZZZ";
  b.Add(q);
  CoreOnLog on(b);
  ASSERT_TRUE(on.core.Definition.SWL != 0);
  ASSERT_TRUE(on.core.LogTable->First(4));
  TContestEingabeStd2Ctrl ctrl(nullptr, on.core, {true, true, true});
  QsoEditFields fields;
  ctrl.LoadQso(fields);
  EXPECT_EQ(fields.rcvd_caption, "RST2");
  EXPECT_TRUE(fields.call2_visible);
  EXPECT_EQ(fields.call2, "DL3ZZZ");
  EXPECT_EQ(fields.sent[0] + fields.sent[1], "59 B01");
  EXPECT_EQ(fields.rcvd[0] + fields.rcvd[1], "57 C13");
  fields.rcvd[0] = "55";
  fields.sent[1] = "B02";
  ctrl.SaveQso(fields);
  const TContestLKRec r = Records(b.Number())[0];
  EXPECT_EQ(contest::TContestFkt::SentExchangeText(r), "55 C13");
  EXPECT_EQ(contest::TContestFkt::RcvdExchangeText(r), "59 B02");
}

class QsoEditKeepsTest : public contestlog_test::LogTest {
 protected:
  // A QSO as the entry stores it: its prefix data and points filled.
  static void AddTyped(CoreOnLog& on, TContestLKRec qso) {
    contest::TdbContest& log = *on.core.LogTable;
    log.ClearRec();
    log.SetLKRec(qso);
    PrefixData(log, *on.core.Catalogue, on.core.PointsRoutine(), on.core.PrefixLookup,
               on.core.Definition);
    log.GetLKRec(qso);
    log.ClearRec();
    log.SetLKRec(qso);
    ASSERT_TRUE(log.InsertRec());
  }
};

TEST_F(QsoEditKeepsTest, OpeningAndClosingLeavesATypedQsoByteForByte) {
  struct Row {
    char code;
    int class_index;
    TContestLKRec qso;
  };
  TContestLKRec dok = Exchanged("DL2XYZ", 'b', "59 B36", "57 C13");
  dok.DOK1 = "C13";
  dok.NameQth = "Hans;Berlin";
  dok.Frequency = 3.5321f;
  dok.QslSent = 'Y';
  TContestLKRec plain = Exchanged("OE1XYZ", 'c', "599001", "579012");
  plain.Frequency = 7.0123456f;  // more places than the field shows
  TContestLKRec listener = Exchanged("DL2XYZ", 'b', "57 C13", "59 B01");
  listener.Call2 = "DL3ZZZ";
  listener.DOK1 = "B01";
  for (const Row& row : {Row{'3', 1, dok}, Row{'W', 1, plain}, Row{'3', 2, listener}}) {
    SCOPED_TRACE(row.code);
    LogBuilder b(row.code, row.class_index);
    b.Create();
    CoreOnLog on(b);
    AddTyped(on, row.qso);
    const TContestLKRec before = Records(b.Number())[0];
    ASSERT_TRUE(on.core.LogTable->First(4));
    TContestEingabeStd2Ctrl ctrl(nullptr, on.core, {true, true, true});
    QsoEditFields fields;
    ctrl.LoadQso(fields);
    ctrl.SaveQso(fields);
    const TContestLKRec after = Records(b.Number())[0];
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    EXPECT_EQ(after.Zeit, kTime);
    EXPECT_FALSE(ctrl.RecountNeeded());
  }
}

TEST_F(QsoEditKeepsTest, ATimeKeepsItsSecondsUntilItIsChangedAndWhatCannotBeReadStays) {
  LogBuilder b('W');
  b.Create();
  CoreOnLog on(b);
  AddTyped(on, Exchanged("OE1XYZ", 'c', "599001", "579012"));
  struct Step {
    const char* date;
    const char* time;
    std::int32_t day;
    std::int32_t seconds;
  };
  const Step steps[] = {
      {nullptr, nullptr, kContestDay, kTime},         // as shown: 12:34, the :56 stays
      {nullptr, "12:35", kContestDay, 45300},         // changed: 12:35:00
      {nullptr, "12:7x", kContestDay, 45300},         // unreadable: stays
      {"31.02.2024", nullptr, kContestDay, 45300},    // no such day: stays
      {"10.03.2024", "23:59:30", kContestDay + 1, 86370}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.seconds);
    ASSERT_TRUE(on.core.LogTable->First(4));
    TContestEingabeStd2Ctrl ctrl(nullptr, on.core, {true, true, true});
    QsoEditFields fields;
    ctrl.LoadQso(fields);
    if (step.date != nullptr) fields.date = step.date;
    if (step.time != nullptr) fields.time = step.time;
    ctrl.SaveQso(fields);
    const TContestLKRec r = Records(b.Number())[0];
    EXPECT_EQ(r.Datum, step.day);
    EXPECT_EQ(r.Zeit, step.seconds);
  }
}

TEST_F(QsoEditKeepsTest, AModeAndBandTheContestLacksStayWhileNoneIsChosen) {
  LogBuilder b('W');  // CW only, bands b c e g i
  b.Create();
  CoreOnLog on(b);
  AddTyped(on, Exchanged("OE1XYZ", 'k', "599001", "579012", "FT8"));
  ASSERT_TRUE(on.core.LogTable->First(4));
  TContestEingabeStd2Ctrl ctrl(nullptr, on.core, {true, true, true});
  QsoEditFields fields;
  ctrl.LoadQso(fields);
  EXPECT_EQ(fields.mode_index, -1);
  EXPECT_EQ(fields.band_index, -1);
  ctrl.SaveQso(fields);
  TContestLKRec r = Records(b.Number())[0];
  EXPECT_EQ(r.Mode.str(), "FT8");
  EXPECT_EQ(r.Bandcode, 'k');
  // Chosen from the lists, they are taken.
  ASSERT_TRUE(on.core.LogTable->First(4));
  ctrl.LoadQso(fields);
  fields.mode_index = 0;
  fields.mode_text = fields.modes[0];
  fields.band_index = 1;
  fields.band_text = fields.bands[1];
  ctrl.SaveQso(fields);
  r = Records(b.Number())[0];
  EXPECT_EQ(r.Mode.str(), "CW");
  EXPECT_EQ(r.Bandcode, 'c');
  EXPECT_TRUE(ctrl.RecountNeeded());
}

TEST_F(QsoEditKeepsTest, ANewCallTakesItsPrefixDataIntoTheMultiplierField) {
  LogBuilder b('W');  // counts DXCC
  b.Create();
  CoreOnLog on(b);
  AddTyped(on, Exchanged("OE1XYZ", 'c', "599001", "579012"));
  ASSERT_TRUE(on.core.LogTable->First(4));
  TContestEingabeStd2Ctrl ctrl(nullptr, on.core, {true, true, true});
  QsoEditFields fields;
  ctrl.LoadQso(fields);
  EXPECT_EQ(fields.multi_caption, "DXCC");
  EXPECT_EQ(fields.multi, "OE");
  fields.call = "F5ABC";
  ctrl.MultiCaption(fields);
  EXPECT_EQ(fields.multi, "F");
  ctrl.SaveQso(fields);
  EXPECT_TRUE(ctrl.RecountNeeded());
  EXPECT_EQ(Records(b.Number())[0].DXCC.str(), "F");
  // A contest that counts prefixes shows the prefix.
  LogBuilder x('X');
  x.Create();
  CoreOnLog on_x(x);
  AddTyped(on_x, Exchanged("OE1XYZ", 'c', "599", "579"));
  ASSERT_TRUE(on_x.core.LogTable->First(4));
  TContestEingabeStd2Ctrl prefixes(nullptr, on_x.core, {true, true, true});
  prefixes.LoadQso(fields);
  EXPECT_EQ(fields.multi_caption, "Präfix");
  EXPECT_EQ(fields.multi, "OE1");
}

}  // namespace
}  // namespace contestlog
