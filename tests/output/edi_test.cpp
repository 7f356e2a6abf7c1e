// The EDI files of the fixture logs against files written by hand and through the REG1TEST lint;
// the counts of the head under a period; the participant data: how the form is filled, the kept
// answers in "editemp.txt" and the own-station address.
#include "output/edi.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "common/number_mask.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "output/output_drivers.h"
#include "output/output_texts.h"
#include "output/own_station.h"
#include "tests/contest/definition_fixture.h"
#include "tests/contestlog/core_fixture.h"
#include "tests/output/export_logs.h"
#include "tests/output/golden_file.h"
#include "tests/output/reg1test_lint.h"

namespace output_test {
namespace {

using output::TuhfteilnehmerParams;

class EdiTest : public OutputLogTest {
 protected:
  EdiTest() {
    ChangeOwnStation([](logbook::ToSetupOwnStation& s) { s.further.Set(6, "B36"); });
    // In place of the form: records what it was shown and answers as the test says.
    channel_.SetParticipantAsker([this](TuhfteilnehmerParams& p) {
      shown_.push_back(p);
      if (answer_) answer_(p);
    });
  }

  std::string Edi(const LogBuilder& log, const output::PeriodSet& periods = {}) {
    return WriteFile(log, 15, ExportOnePass, periods);
  }
  // The score the log's summary sheet claims: the last number of its final line.
  std::int64_t SheetScore(const LogBuilder& log, const output::PeriodSet& periods = {}) {
    const std::string sheet = WriteFile(log, 6, Sheet, periods);
    std::string line = sheet.substr(sheet.find("Endergebnis:"));
    line = line.substr(0, line.find('\r'));
    const std::size_t end = line.find_last_of("0123456789") + 1;
    const std::size_t begin = line.find_last_not_of("0123456789", end - 1) + 1;
    return std::stoll(line.substr(begin, end - begin));
  }
  static std::string Kept() { return common::testing::ReadFile(output::ParticipantFileName()); }
  static void Keep(const std::string& text) {
    common::testing::WriteFile(output::ParticipantFileName(), text);
  }

  std::vector<TuhfteilnehmerParams> shown_;
  std::function<void(TuhfteilnehmerParams&)> answer_;
};

// --- whole files ---

TEST_F(EdiTest, AVhfLogMatchesTheHandWrittenFile) {
  answer_ = [](TuhfteilnehmerParams& p) {
    p.mope1 = "DL1ABC;DL2ABC";
    p.rpower = "100 W";
    p.rremarks = "Station am Waldrand\r\n[x] sauber";
  };
  const LogBuilder log = VhfLog();
  const std::string written = Edi(log);
  ExpectGoldenFile(written, OUTPUT_GOLDEN_DIR "/vhf.EDI");
  EXPECT_EQ(LintReg1Test(written, SheetScore(log)), std::vector<std::string>{});
  ASSERT_EQ(shown_.size(), 1u);
}

// The form closed as it was filled, the entries of a kept file; the QSO points of 'e' and no
// distance at all.
TEST_F(EdiTest, ANordLogMatchesTheHandWrittenFile) {
  Keep("VFDB\r\nZ11\r\nnord@example.org\r\n750 W\r\nFT-991\r\nYagi\r\n");
  const LogBuilder log = NordLog();
  const std::string written = Edi(log);
  ExpectGoldenFile(written, OUTPUT_GOLDEN_DIR "/nord.EDI");
  EXPECT_EQ(LintReg1Test(written, SheetScore(log)), std::vector<std::string>{});
}

// Period 1 from 14:05 to 14:30 on any day holds two of the four QSOs; the QSY marker with its
// leftover locator and entity is no record either.
TEST_F(EdiTest, TheHeadCountsTheRecordsTheFileHolds) {
  output::PeriodSet periods;
  periods.start_times[0] = At(14, 5);
  periods.end_times[0] = At(14, 30);
  const LogBuilder log = VhfLog();
  const std::string written = Edi(log, periods);
  EXPECT_EQ(LintReg1Test(written, SheetScore(log, periods)), std::vector<std::string>{});
  const std::vector<std::string> lines = FileLines(written);
  EXPECT_EQ(Reg1TestValue(lines, "CQSOs"), "2;1");
  EXPECT_EQ(Reg1TestValue(lines, "CWWLs"), "2;0;1");
  EXPECT_EQ(Reg1TestValue(lines, "CDXCs"), "2;0;1");
  EXPECT_EQ(Reg1TestValue(lines, "CODXC"), "OK1KIR;JO70FD;445");
  // The points inside the period (445 + 445).
  EXPECT_EQ(Reg1TestValue(lines, "CQSOP"), "890");
  EXPECT_EQ(lines[lines.size() - 3], "[QSORecords;2]");
}

TEST_F(EdiTest, TheLintCatchesWhatAReaderRefuses) {
  answer_ = [](TuhfteilnehmerParams& p) { p.rremarks = "[x] offen"; };
  const LogBuilder log = VhfLog();
  const std::string good = Edi(log);
  const std::int64_t score = SheetScore(log);
  ASSERT_EQ(LintReg1Test(good, score), std::vector<std::string>{});
  auto changed = [&](const std::string& from, const std::string& to) {
    std::string bad = good;
    bad.replace(bad.find(from), from.size(), to);
    return bad;
  };
  for (const std::string& bad :
       {changed("[QSORecords;4]", "[QSORecords;5]"), changed("CQSOs=4;1", "CQSOs=5;1"),
        changed("CWWLs=3", "CWWLs=4"), changed("PBand=145MHz\r\n", ""),
        changed(" [x] offen", "[x] offen"), changed(";;;;\r\n", ";;;\r\n"),
        changed("JO31AB", "JO31 B"), changed(";012;B;", ";JO3;B;"),
        changed(";JO70FD;445;", ";JO70FD;446;"), changed("CWWLB=0", "CWWLB=500"),
        changed("CToSc=", "CToSc=1"), changed(";JO70FD;445;;;;", ";JO70FD;445;;X;;"),
        good.substr(0, good.size() - 2)}) {
    EXPECT_FALSE(LintReg1Test(bad, score).empty()) << bad;
  }
}

// --- one record ---

struct RecordRow {
  const char* name;
  char code;
  const char* mode;
  const char* sent;
  const char* received;
  const char* locator;
  std::uint32_t distance;
  std::uint16_t points;
  const char* fields;  // 4 to 11: mode, sent report and number, received report, number and
                       // exchange, locator, points
  const char* square_taken = "";  // the square the entry marked the QSO with as new (CMulti)
  const char* marks = ";;;;";     // 12 to 15: new exchange, new square, new entity, dupe
};
void PrintTo(const RecordRow& row, std::ostream* os) { *os << row.name; }

class EdiRecordTest : public EdiTest, public ::testing::WithParamInterface<RecordRow> {};

TEST_P(EdiRecordTest, WritesFifteenFields) {
  const RecordRow& row = GetParam();
  contest::TContestKKRec log = contest_test::DefinitionFixture::GermanLog(1);
  log.Typ = row.code;
  contest::TContestLKRec qso =
      QsoOf({"DL2XYZ", 'k', At(9, 5), row.mode, row.sent, row.received, 7, "", "", "DL", "EU", "",
             "F", row.locator});
  qso.DOK2 = "01";
  qso.Distance = row.distance;
  qso.Points = row.points;
  qso.CMulti = row.square_taken;
  const std::string line = output::WriteEDIQSO(log, qso);
  EXPECT_EQ(line, "240309;0905;DL2XYZ;" + std::string(row.fields) + row.marks);
  EXPECT_EQ(SplitFields(line).size(), 15u);
}

INSTANTIATE_TEST_SUITE_P(
    Records, EdiRecordTest,
    ::testing::Values(
        RecordRow{"SerialAndDistrict", 'G', "CW", "599001/F", "599012/B", "JO31AB", 321, 321,
                  "2;599;001;599;012;B;JO31AB;321"},
        RecordRow{"NoSlashNoExchange", 'G', "SSB", "59 001", "59 012", "JO31AB", 321, 321,
                  "1;59;001;59;012;;JO31AB;321"},
        RecordRow{"UsbHasNoCode", 'G', "USB", "59 001", "59 012", "JO31", 5, 5,
                  "0;59;001;59;012;;JO31;5"},
        RecordRow{"ModeCodes", 'G', "RTTY", "599", "599", "", 0, 1, "7;599;;599;;;;1"},
        RecordRow{"NordWritesTheDok", 'e', "FM", "59 001/JO43/E03", "59 012/JO31/F", "JO31AB", 321,
                  7, "6;59;001;59;012;F     01;JO31AB;7"},
        RecordRow{"LocatorTrimmedToASquare", 'G', "AM", "59 001", "59 012", "JO31A", 9, 9,
                  "5;59;001;59;012;;JO31;9"},
        RecordRow{"LocatorTooShort", 'G', "CW", "599001", "599012", "JO", 9, 9,
                  "2;599;001;599;012;;;9"},
        // Report and locator: no number; the distance as 2 m counts it, and the square's
        // bonus as the mark of a new square.
        RecordRow{"NacHasNoNumbers", 'N', "CW", "599JO62QM", "599IP39AB", "IP39AB", 2127, 2500,
                  "2;599;;599;;;IP39AB;2000", "IP39", ";;N;;"},
        RecordRow{"NacSquareWorkedBefore", 'N', "CW", "599JO62QM", "599JO31AB", "JO31AB", 321, 321,
                  "2;599;;599;;;JO31AB;321"},
        // 'e' keeps its DOK bonus inside the points: it rewards every such QSO, not a new one.
        RecordRow{"NordBonusStaysInThePoints", 'e', "CW", "599001/JO43/E03", "599012/JO31/Z10",
                  "JO31AB", 321, 13, "2;599;001;599;012;F     01;JO31AB;13", "JO31"},
        RecordRow{"NoSerialBeforeTheSlash", '8', "CW", "599/JO62QM", "599 12.5/x", "JO31AB", 321,
                  321, "2;599;;599;;x;JO31AB;321"},
        RecordRow{"ASerialOfFourDigits", '8', "CW", "5991234/JO62QM", "5990042", "", 0, 0,
                  "2;599;1234;599;0042;;;0"}),
    [](const ::testing::TestParamInfo<RecordRow>& info) { return info.param.name; });

// --- the points of a scored log ---

struct ScoredRow {
  const char* name;
  char code;
  bool serials;  // the exchange holds a serial before the locator
};
void PrintTo(const ScoredRow& row, std::ostream* os) { *os << row.name; }

class EdiScoreTest : public EdiTest, public ::testing::WithParamInterface<ScoredRow> {};

// A 2 m log scored by the log window's own rules and recalculated, as a sponsor's robot
// recomputes it: every record shows its QSO's points (for 'N' the distance up to 2000 km, the
// 500 of a new square as its mark and the head's square bonus), they add up to the claimed
// points, and the head claims the sheet's score; the longest distance stays the ODX.
TEST_P(EdiScoreTest, TheRecordsAddUpToTheClaimedPoints) {
  const ScoredRow& row = GetParam();
  LogBuilder b(row.code, 1);
  b.Create();
  const struct {
    const char* call;
    const char* locator;
    std::uint32_t km;
    const char* dok;
  } stations[] = {{"OZ1ABC", "JO65FR", 352, ""},     {"OZ2ABC", "JO65GS", 365, ""},
                  {"G4XYZ", "IO91VL", 948, ""},      {"EA8AB", "IL18QI", 3912, ""},
                  {"DL2XYZ", "JO62AA", 31, "Z10"}};
  std::set<std::string> squares;
  int serial = 0;
  for (const auto& s : stations) {
    ++serial;
    const std::string number = row.serials ? common::IntToStrAt(serial, 3) + "/" : "";
    contest::TContestLKRec q = QsoOf({s.call, 'k', At(17, serial * 5), "CW", "", "", 0, "", "",
                                      "", "EU", "", s.dok, s.locator});
    contest::TContestFkt::SetSentExchange("599" + number + "JO62QM", q);
    contest::TContestFkt::SetRcvdExchange("599" + number + s.locator, q);
    q.Distance = s.km;
    // The entry marks the QSO that brought a new square as its multiplier.
    const std::string square = std::string(s.locator, 4);
    if (squares.insert(square).second) q.CMulti = square;
    b.Add(q);
  }
  {
    contestlog_test::CoreOnLog on(b);
    on.core.CurrentBand = 'k';
    on.core.RecountLog(true);
    ASSERT_TRUE(on.core.Recalculate());
  }
  const std::string written = Edi(b);
  EXPECT_EQ(LintReg1Test(written, SheetScore(b)), std::vector<std::string>{});
  const std::vector<std::string> lines = FileLines(written);
  EXPECT_EQ(Reg1TestValue(lines, "CODXC"), "EA8AB;IL18QI;3912");
  EXPECT_NE(Reg1TestValue(lines, "CQSOP"), "0");
  // Four squares: the two OZ stations share theirs.
  if (row.code == 'N') {
    EXPECT_EQ(Reg1TestValue(lines, "CWWLs"), "4;500;1");
  }
}

INSTANTIATE_TEST_SUITE_P(Contests, EdiScoreTest,
                         ::testing::Values(ScoredRow{"NacSquareBonus", 'N', false},
                                           ScoredRow{"NordSquareRings", 'e', true},
                                           ScoredRow{"AgcwDistances", '8', true}),
                         [](const ::testing::TestParamInfo<ScoredRow>& info) {
                           return info.param.name;
                         });

// --- the participant data ---

struct FillRow {
  const char* name;
  char code;
  int class_index;
  const char* section;
  const char* band;
  std::size_t sections;
};
void PrintTo(const FillRow& row, std::ostream* os) { *os << row.name; }

class ParticipantFillTest : public EdiTest, public ::testing::WithParamInterface<FillRow> {};

TEST_P(ParticipantFillTest, TakesSectionAndBandFromTheClass) {
  const FillRow& row = GetParam();
  contest::TContestKKRec log = contest_test::DefinitionFixture::GermanLog(row.class_index);
  const contest::TContestRec definition = DefinitionFor(row.code, log);
  const TuhfteilnehmerParams p = output::FillParticipantForm(definition, log);
  EXPECT_EQ(p.psect, row.section);
  EXPECT_EQ(p.pband, row.band);
  EXPECT_EQ(p.sections.size(), row.sections);
  EXPECT_EQ(p.caption, definition.VersionText.str());
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ParticipantFillTest,
    ::testing::Values(FillRow{"TwoMetreClass", 'G', 5, "2", "145MHz", 28},
                      FillRow{"SeventyCentimetreClass", 'G', 6, "7", "435MHz", 28},
                      FillRow{"AgcwSections", '8', 1, "V", "", 3},
                      FillRow{"ClassWithoutBand", 'e', 1, "S", "", 28},
                      FillRow{"ClassWithoutName", '.', 1, "", "", 28}),
    [](const ::testing::TestParamInfo<FillRow>& info) { return info.param.name; });

TEST_F(EdiTest, TheFormShowsTheLogAndTheOwnStation) {
  Edi(VhfLog());
  ASSERT_EQ(shown_.size(), 1u);
  const TuhfteilnehmerParams& p = shown_[0];
  EXPECT_EQ(p.pcall, "DL1ABC");
  EXPECT_EQ(p.ploc, "JO62QM");  // the catalogue has none
  EXPECT_EQ(p.rname, "Hans Muster");
  EXPECT_EQ(p.padr1, "Hauptstr. 1");
  EXPECT_EQ(p.radr1, "Hauptstr. 1");
  EXPECT_EQ(p.padr2, "12345 Berlin");
  EXPECT_EQ(p.rpoco, "12345");
  EXPECT_EQ(p.rcity, "Berlin");
  EXPECT_EQ(p.rcoun, "Germany");
  EXPECT_EQ(p.pclub1, "DARC");
  EXPECT_EQ(p.pclub2, "B36");
  EXPECT_EQ(p.remail, "dl1abc@example.org");
  EXPECT_EQ(p.sections.front(), "01  144MHz Einmann\t");
  EXPECT_EQ(p.sections.back(), "26  >300GHz Mehrmann\t");
  EXPECT_EQ(p.sections[21], "22/1  122GHz Mehrmann\t");
  EXPECT_FALSE(p.cspeichern);
}

// Only a file of exactly six lines is read, and only read: the form is shown over the file as
// it stood (none where none was); every export then leaves one with the six entries.
TEST_F(EdiTest, OnlyAKeptFileOfSixLinesFillsTheForm) {
  struct Case {
    const char* name;
    std::optional<std::string> kept;
    bool read;
  };
  // The kept file's inode, 0 when there is none: a write puts a new file in its place.
  const auto inode = [] {
    struct stat st {};
    return stat(output::ParticipantFileName().c_str(), &st) == 0 ? st.st_ino : ino_t{0};
  };
  for (const Case& c : {Case{"none", std::nullopt, false},
                        Case{"five", "VFDB\r\nZ11\r\nz@x.de\r\n5 W\r\nTRX\r\n", false},
                        Case{"seven", "VFDB\r\nZ11\r\nz@x.de\r\n5 W\r\nTRX\r\nDipol\r\nmehr\r\n",
                             false},
                        Case{"six", "VFDB\r\nZ11\r\nz@x.de\r\n5 W\r\nTRX\r\nDipol\r\n", true}}) {
    std::filesystem::remove(output::ParticipantFileName());
    if (c.kept) Keep(*c.kept);
    const ino_t before = inode();
    ino_t shown_over = 0;
    shown_.clear();
    answer_ = [&](TuhfteilnehmerParams& p) {
      shown_over = inode();
      p.rant = "X200";
    };
    Edi(VhfLog());
    ASSERT_EQ(shown_.size(), 1u) << c.name;
    EXPECT_EQ(shown_over, before) << c.name;
    EXPECT_EQ(shown_[0].pclub1, c.read ? "VFDB" : "DARC") << c.name;
    EXPECT_EQ(shown_[0].pclub2, c.read ? "Z11" : "B36") << c.name;
    EXPECT_EQ(shown_[0].rpower, c.read ? "5 W" : "") << c.name;
    EXPECT_EQ(Kept(), c.read ? "VFDB\r\nZ11\r\nz@x.de\r\n5 W\r\nTRX\r\nX200\r\n"
                             : "DARC\r\nB36\r\ndl1abc@example.org\r\n\r\n\r\nX200\r\n")
        << c.name;
  }
}

// Answers that cannot be kept (a folder stands under the file's name) are told, once; the EDI
// file is written all the same.
TEST_F(EdiTest, AnswersThatCannotBeKeptAreTold) {
  std::filesystem::create_directory(output::ParticipantFileName());
  EXPECT_NE(Edi(VhfLog()).find("[QSORecords;4]"), std::string::npos);
  const std::string told = output::NotWrittenText(output::ParticipantFileName());
  EXPECT_EQ(std::count_if(presenter_->calls.begin(), presenter_->calls.end(),
                          [&](const common::MessageCall& call) { return call.text == told; }),
            1);
}

TEST_F(EdiTest, ATickedBoxMakesTheResponsibleOperatorTheOwnAddress) {
  auto answer = [](bool tick) {
    return [tick](TuhfteilnehmerParams& p) {
      p.rname = "Erika Muster";
      p.radr1 = "Ringweg 7";
      p.rpoco = "20095";
      p.rcity = "Hamburg";
      p.remail = "erika@example.org";
      p.cspeichern = tick;
    };
  };
  // The settings are written as soon as the address is theirs.
  std::vector<std::string> kept_names;
  common::Service<logbook::ToSetups>::Get().SetKeeper([&kept_names] {
    kept_names.push_back(output::OwnStationFromSettings().name);
    return true;
  });
  const output::OwnStationTexts before = output::OwnStationFromSettings();
  answer_ = answer(false);
  Edi(VhfLog());
  const output::OwnStationTexts unticked = output::OwnStationFromSettings();
  EXPECT_EQ(unticked.name, before.name);
  EXPECT_EQ(unticked.street, before.street);
  EXPECT_EQ(unticked.city, before.city);
  EXPECT_EQ(unticked.email, before.email);
  EXPECT_EQ(kept_names, std::vector<std::string>{});

  answer_ = answer(true);
  Edi(VhfLog());
  const output::OwnStationTexts ticked = output::OwnStationFromSettings();
  EXPECT_EQ(ticked.name, "Erika Muster");
  EXPECT_EQ(ticked.street, "Ringweg 7");
  EXPECT_EQ(ticked.city, "20095 Hamburg");
  EXPECT_EQ(ticked.email, "erika@example.org");
  EXPECT_EQ(ticked.country, before.country);
  EXPECT_EQ(ticked.swl_number, before.swl_number);
  EXPECT_EQ(kept_names, std::vector<std::string>{"Erika Muster"});
  // The name is stored where the settings file keeps it.
  EXPECT_EQ(common::Service<logbook::ToSetups>::Get().GetOwnStation().further.Get(2),
            "Erika Muster");
  common::Service<logbook::ToSetups>::Get().SetKeeper(nullptr);
}

}  // namespace
}  // namespace output_test
