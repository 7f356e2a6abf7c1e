// The definition set's file: the built-in one is sound, a bad value is found with its line and
// keeps what was there, and the operator's file replaces values per contest and field.
#include "contest/definition_set.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/protocol.h"
#include "platform/text_codec.h"
#include "tests/common/rows.h"
#include "tests/contest/definition_fixture.h"

namespace contest {
namespace {

std::string Reasons(const DefinitionProblems& problems) {
  std::string text;
  for (const DefinitionProblem& p : problems) text += p.Text() + "\n";
  return platform::Cp1252ToUtf8(text);
}

TEST(DefinitionSetFile, TheBuiltInFileIsSound) {
  DefinitionProblems problems;
  const DefinitionSet set = ParseDefinitionSet(BuiltInDefinitionText(), "contests.toml", problems);
  EXPECT_EQ(problems.size(), 0u) << Reasons(problems);
  EXPECT_FALSE(set.Codes().empty());
  EXPECT_EQ(set.Program().Maker, "PEL");
}

// A small contest that gives every field the built-in file must give; line 3 is where a case
// puts its bad line, in place of the contest's own line of that field.
constexpr std::string_view kContest =
    "[X]\n"
    "EditionName = \"PEL X\"\n"
    "%s\n"
    "VersionText = \"PEL X Version 1\"\n"
    "Title = \"X\"\n"
    "DupeKind = 1\n"
    "MultiplierNames = [\"DOK\", \"\", \"\"]\n"
    "ExchangeKindsRcvd = [4, 0, 0]\n"
    "ExchangeKindsSent = [4, 0, 0]\n"
    "ExchangeLabels = [\"DOK\", \"\", \"\"]\n"
    "MultiplierKinds = [4]\n"
    "Bands = \"bc\"\n"
    "Modes = [\"CW\"]\n"
    "[[X.Classes]]\n"
    "ClassName = \"A\"\n"
    "ClassText = \"A: alle\"\n";

std::string WithLine(std::string_view line) {
  std::string text(kContest);
  const std::string key = "\n" + std::string(line.substr(0, line.find(' '))) + " = ";
  if (const auto at = text.find(key); !line.empty() && at != std::string::npos) {
    text.erase(at + 1, text.find('\n', at + 1) - at);
  }
  text.replace(text.find("%s"), 2, line);
  return text;
}

using common::testing::Row;

// A bad third line: the problem names line 3 and what is wrong; the rest of the contest is read
// (a required field that stays unread is then missing as well).
class BadValueTest : public ::testing::TestWithParam<Row<const char*, const char*>> {};

TEST_P(BadValueTest, IsReportedWithItsLineAndTheRestIsRead) {
  DefinitionProblems problems;
  const DefinitionSet set = ParseDefinitionSet(WithLine(GetParam().in), "f.toml", problems);
  ASSERT_GE(problems.size(), 1u);
  EXPECT_LE(problems.size(), 2u) << Reasons(problems);
  EXPECT_EQ(problems[0].line, 3);
  EXPECT_NE(problems[0].reason.find(GetParam().out), std::string::npos) << problems[0].reason;
  ASSERT_NE(set.Find('X'), nullptr);
  EXPECT_EQ(set.Find('X')->Title, "X");
}

const std::string kLongText = "FilterText = \"" + std::string(256, 'x') + "\"";

const Row<const char*, const char*> kBadValues[] = {
    {"UnknownField", "Titel = \"X\"", "unbekanntes Feld"},
    {"TextForNumber", "HelpContext = \"1\"", "ganze Zahl"},
    {"DupeKindOutOfRange", "DupeKind = 14", "0 bis 13"},
    {"BandLetterOutOfRange", "Bands = \"bx\"", "Bandbuchstabe"},
    {"NoBandAtAll", "Bands = \"__\"", "Bänder"},
    {"ImpossibleDate", "DateFrom = \"31.02.2020\"", "Datum"},
    {"TimeWithoutMinutes", "TimeFrom = \"13\"", "Uhrzeit"},
    {"CharacterOutside1252", "CabrilloContest = \"\xE6\x97\xA5\"", "Windows-1252"},
    {"TooLongText", kLongText.c_str(), "länger als 255"},
    {"UnknownMultiplier", "MultiplierNames = [\"DOK\", \"Dxcc\", \"\"]", "unbekannter Wert"},
    {"UnknownSentSource", "SentDefaults = [\"own-dok\", \"own-call\", \"\"]", "unbekannter Wert"},
    {"UnknownExchangeKind", "ExchangeKindsRcvd = [4, 3, 0]", "unbekannte Austauschart"},
    {"TwoOfThree", "ExchangeLabels = [\"DOK\", \"\"]", "genau 3"},
    {"DuplicateSetMember", "OutputMenu = [1, 2, 2]", "doppelt"},
    {"SetMemberOutOfRange", "OutputMenu2 = [14]", "1 bis 13"},
    {"DistrictsNotLetters", "AreaDistricts = \"a\"", "Distriktbuchstaben"},
    {"PeriodWithoutBands", "Periods = [[\"01.01.2020\", \"10:00\", \"11:00\"]]", "Bänder"},
    {"ModeUnknown", "Modes = [\"CW\", \"RTTY\"]", "unbekannter Wert"},
    {"IndexZeroUnknown", "IndexZero = \"last\"", "unbekannter Wert"},
    {"SourceTableWithoutText", "SentText2 = { Txt = \"A\" }", "Text ="},
};

INSTANTIATE_TEST_SUITE_P(Rows, BadValueTest, ::testing::ValuesIn(kBadValues),
                         common::testing::RowName);

TEST(DefinitionSetFile, AMissingFieldOrClassBandIsAProblemOfTheBuiltInFile) {
  std::string text = WithLine("");
  text.replace(text.find("Bands = \"bc\"\n"), 13, "");
  text.replace(text.find("DupeKind = 1\n"), 13, "");
  DefinitionProblems problems;
  ParseDefinitionSet(text, "f.toml", problems);
  EXPECT_EQ(problems.size(), 2u) << Reasons(problems);
}

TEST(DefinitionSetFile, ASyntaxErrorGivesNothingAndNamesItsLine) {
  DefinitionProblems problems;
  const DefinitionSet set = ParseDefinitionSet(WithLine("Title = = 1"), "f.toml", problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].line, 3);
  EXPECT_EQ(set.Codes(), "");
}

// --- the operator's file ---

class OverrideTest : public ::testing::Test {
 protected:
  OverrideTest() { set_ = ParseDefinitionSet(BuiltInDefinitionText(), "built-in", problems_); }
  void Apply(std::string_view text) { ApplyDefinitionOverride(set_, text, "own.toml", problems_); }

  DefinitionProblems problems_;
  DefinitionSet set_;
};

TEST_F(OverrideTest, ReplacesTheGivenFieldsOnly) {
  const ContestData before = *set_.Find('R');
  Apply("[R]\nBonusCalls = [\"DK0RLP\", \"DL0RP\"]\nDupeKind = 0\n[Program]\nNotice = \" (c)\"\n");
  EXPECT_EQ(problems_.size(), 0u) << Reasons(problems_);
  ContestData expected = before;
  expected.BonusCalls = {"DK0RLP", "DL0RP"};
  expected.values.DupeKind = 0;
  EXPECT_EQ(*set_.Find('R'), expected);
  EXPECT_EQ(set_.Program().Notice, " (c)");
  EXPECT_EQ(set_.Program().Maker, "PEL");
}

TEST_F(OverrideTest, ABadValueKeepsTheBuiltInOneAndTheOthersApply) {
  const ContestData before = *set_.Find('V');
  Apply("[V]\nTitle = \"MVP \"\nDupeKind = \"eins\"\n[Q]\nModes = []\n[x]\nTitle = \"?\"\n");
  EXPECT_EQ(Reasons(problems_),
            "own.toml:5: mindestens eine Betriebsart erwartet\n"
            "own.toml:3: ganze Zahl von 0 bis 13 erwartet\n"
            "own.toml:6: unbekannter Contest \"x\"\n");
  EXPECT_EQ(set_.Find('V')->Title, "MVP ");
  EXPECT_EQ(set_.Find('V')->values.DupeKind, before.values.DupeKind);
  EXPECT_EQ(set_.Find('x'), nullptr);
}

TEST_F(OverrideTest, AWholeFieldIsReplacedClassRowsIncluded) {
  Apply("[[D.Classes]]\nClassText = \"alle\"\nSWL = 1\n");
  EXPECT_EQ(problems_.size(), 0u) << Reasons(problems_);
  ASSERT_EQ(set_.Find('D')->Classes.size(), 1u);
  EXPECT_EQ(set_.Find('D')->Classes[0].values.SWL, 1);
}

TEST_F(OverrideTest, RandomBytesAreProblemsNeverACrash) {
  std::mt19937 random(21);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(random() % 200, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    if (round % 2 == 1) bytes = "[V]\n" + bytes;  // reach the value readers too
    DefinitionProblems problems;
    ApplyDefinitionOverride(set_, bytes, "random.toml", problems);
  }
  EXPECT_NE(set_.Find('V'), nullptr);
}

// --- through the loader: the file in the data folder, the protocol and the one warning ---

TEST(DefinitionOverrideFile, SuppliedBonusCallsLoadAndABadLineIsReportedOnce) {
  contest_test::DefinitionFixture f;
  common::testing::WriteFile(f.Folder() + "/contests.toml",
                             "[R]\nBonusCalls = [\"DK0RLP\", \"DL0RP\"]\nDupeKind = 99\n");
  common::testing::WriteFile(f.Folder() + "/protokoll.dat", "");
  common::Protocol::ResetRun();

  const TContestRec d = f.Load('R', 1);
  EXPECT_EQ(d.BonusCalls[0].str(), "DK0RLP");
  EXPECT_EQ(d.BonusCalls[1].str(), "DL0RP");
  EXPECT_EQ(d.DupeKind, 2);
  f.Load('V', 1);  // the file is read once
  ASSERT_EQ(f.Messages().calls.size(), 1u);
  EXPECT_NE(f.Messages().calls[0].text.find("contests.toml:3: "), std::string::npos);
  const std::string protocol = common::testing::ReadFile(f.Folder() + "/protokoll.dat");
  EXPECT_NE(protocol.find("contests.toml:3: ganze Zahl von 0 bis 13 erwartet\r\n"),
            std::string::npos)
      << protocol;
  EXPECT_EQ(std::count(protocol.begin(), protocol.end(), '\n'), 1);
  common::Protocol::ResetRun();
}

}  // namespace
}  // namespace contest
