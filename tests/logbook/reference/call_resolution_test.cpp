// Resolution of calls at a date on a small fixture table: patterns, references, validity and the
// learnt and exact-call tables.
#include "prefix_fixture.h"

namespace logbook::testing {
namespace {

constexpr std::int32_t kOld = kToday - 1000;  // the day references end on

class CallResolutionTest : public PrefixDbTest {
 protected:
  void SetUp() override {
    PrefixDbTest::SetUp();
    Add({{.prefix = "DL", .dxcc = "DL"},
         {.prefix = "K", .dxcc = "K"},
         {.prefix = "IT9", .dxcc = "I", .wae = "IT9"},
         {.prefix = "JW", .dxcc = "JW"},
         {.prefix = "JW/B", .dxcc = "JW/B"},
         // patterns: "~" after every letter and digit, "?" after every digit, ranges
         {.prefix = "XY~", .dxcc = "XY"},
         {.prefix = "3D?X", .dxcc = "3D2", .range_from = 'A'},
         {.prefix = "HG", .dxcc = "HA", .range_from = 'A'},
         // references
         {.prefix = "E7", .dxcc = "E7", .old_ref = "T9", .old_until = kOld},
         {.prefix = "T9", .dxcc = "T9"},
         {.prefix = "UA", .dxcc = "UA", .dxcc2 = "RA", .dxcc2_until = kOld},
         {.prefix = "RA9", .dxcc = "UA9"},
         {.prefix = "RA", .dxcc = "R"},
         {.prefix = "AX", .dxcc = "VK", .wie = "VK"},
         {.prefix = "VK", .dxcc = "VK"},
         {.prefix = "GB", .dxcc = "G", .wie = "G"},
         {.prefix = "G", .dxcc = "G"},
         {.prefix = "4N", .dxcc = "YU", .wie = "YU-NT"},
         {.prefix = "4O5", .dxcc = "YU", .wie = "YU"},
         {.prefix = "YU", .dxcc = "YU", .end = kOld},
         {.prefix = "AH6", .dxcc = "KH6", .wie = "KH6#", .adif = 110},
         {.prefix = "KH6", .dxcc = "KH6", .adif = 110},
         {.prefix = "LU9", .dxcc = "LU", .wie = "VP8-2"},
         {.prefix = "VP8", .dxcc = "VP8", .menue = "1"},
         {.prefix = "VP8", .dxcc = "VP8/G", .menue = "2"},
         {.prefix = "CY1", .dxcc = "CY1", .wie = "CY2"},
         {.prefix = "CY2", .dxcc = "CY2", .wie = "CY1"},
         // validity
         {.prefix = "Y2", .dxcc = "DM", .end = kOld},
         {.prefix = "Z6", .dxcc = "Z6", .start = kToday - 10}});
    Add(kPrefixExact, {{.prefix = "N2NL/MM", .dxcc = "K", .waz = "07"},
                       {.prefix = "DL1ABC", .dxcc = "DL", .waz = "14"}});
    Add(kPrefixLearnt, {{.prefix = "DA0", .dxcc = "OE", .mark = 'J'},
                        {.prefix = "DL0XYZ", .dxcc = "F"},
                        {.prefix = "ZZ9ZZ", .dxcc = "ZZ"}});
  }
};

struct Case {
  const char* name;
  const char* call;
  std::int32_t date;
  bool supplementary;
  ResolveResult result;
  const char* prefix;  // of the entry found, for a result 0
  const char* dxcc;
};

constexpr ResolveResult kOk = ResolveResult::kResolved;
constexpr ResolveResult kNone = ResolveResult::kNotFound;
constexpr ResolveResult kInvalid = ResolveResult::kNotValid;
constexpr std::int32_t kNow = kToday;

const Case kCases[] = {
    {"TwoLettersGetTheAreaDigit", "DL1ABC", kNow, false, kOk, "DL1", "DL"},
    {"OneLetterGetsTheAreaDigitAtToday", "k1abc", 0, false, kOk, "K1", "K"},
    {"ASuffixIsPartOfTheText", "DL1ABC/P", kNow, false, kOk, "DL1", "DL"},
    {"TheEntityDependsOnWhatFollowsTheSlash", "JW1ABC/B", kNow, false, kOk, "JW/B", "JW/B"},
    {"NothingMatches", "QQ1ABC", kNow, false, kNone, "", ""},
    {"TildeStandsForAnyCharacter", "XY5ABC", kNow, false, kOk, "XY5", "XY"},
    {"QuestionMarkThenARange", "3D2ABC", kNow, false, kOk, "3D2A", "3D2"},
    {"ARangeCoversItsLetters", "HA5XYZ", kNow, false, kOk, "HA5", "HA"},
    {"ARangeEndsAtItsLastLetter", "HH5XYZ", kNow, false, kNone, "", ""},
    {"AWildcardThatChangesNothingEndsTheSearch", "3D2Z", kNow, false, kNone, "", ""},
    {"OldRefOnItsLastDay", "E71A", kOld, false, kOk, "E7", "T9"},
    {"OldRefTheDayAfter", "E71A", kOld + 1, false, kOk, "E7", "E7"},
    {"SecondDxccRaTakesTheAreaDigit", "UA9ABC", kOld, false, kOk, "UA9", "UA9"},
    {"SecondDxccAfterItsDay", "UA9ABC", kOld + 1, false, kOk, "UA9", "UA"},
    {"LikePrefixOfTheSameLength", "AX2ABC", kNow, false, kOk, "AX2", "VK"},
    {"LikePrefixEntry", "GB2XX", kNow, false, kOk, "GB2", "G"},
    {"LikePrefixAtTheQsoDate", "4O5AB", kOld - 500, false, kOk, "4O5", "YU"},
    {"LikePrefixNtIsTestedAtToday", "4N1AB", kOld - 500, false, kInvalid, "", ""},
    {"LikePrefixHashTakesTheRest", "AH6AB", kNow, false, kOk, "AH6", "KH6"},
    {"LikePrefixAddressedByMenuCodeAsksNothing", "LU9AB", kNow, false, kOk, "LU9", "VP8/G"},
    {"EndedEntityOnItsLastDay", "Y21ABC", kOld, false, kOk, "Y2", "DM"},
    {"EndedEntityAfterwards", "Y21ABC", kNow, false, kInvalid, "", ""},
    {"EntityNotYetBegun", "Z60A", kNow - 20, false, kInvalid, "", ""},
    {"ACyclicReferenceEnds", "CY1ABC", kNow, false, kNone, "", ""},
    {"AnExactCall", "n2nl/mm", kNow, true, kOk, "N2NL/M", "K"},
    {"ACallUnderAnEntryMarkedJ", "DA0XYZ", kNow, true, kOk, "DA0", "OE"},
    {"ALearntCall", "DL0XYZ", kNow, true, kOk, "DL0XYZ", "F"},
    {"ALearntCallOnlyWhenAsked", "DL0XYZ", kNow, false, kOk, "DL0", "DL"},
};

// Resolves the case's call without a selection window: the answer and the entry found.
void ExpectResolution(const Case& c, const ScriptedDxccSelection& port) {
  TdbPrefix cursor;
  std::uint8_t chosen = 9;
  ASSERT_EQ(cursor.ResolveCall(c.call, c.date, c.supplementary, nullptr, nullptr, chosen, nullptr),
            c.result);
  EXPECT_EQ(chosen, 0);
  EXPECT_TRUE(port.requests.empty());
  if (c.result != kOk) return;
  EXPECT_EQ(cursor.GetPrefix(), c.prefix);
  EXPECT_EQ(cursor.GetDXCC(), c.dxcc);
}

class CallResolutionCase : public CallResolutionTest, public ::testing::WithParamInterface<Case> {};

TEST_P(CallResolutionCase, Resolves) { ExpectResolution(GetParam(), *port_); }

INSTANTIATE_TEST_SUITE_P(Calls, CallResolutionCase, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Calls written with "/": the part that carries the prefix names the entity, wherever it stands.
class PortableCallTest : public PrefixDbTest {
 protected:
  void SetUp() override {
    PrefixDbTest::SetUp();
    Add({{.prefix = "DL", .dxcc = "DL"},
         {.prefix = "EA", .dxcc = "EA"},
         {.prefix = "EA8", .dxcc = "EA8"},
         {.prefix = "F", .dxcc = "F"},
         {.prefix = "FR", .dxcc = "FR"},
         {.prefix = "FR/G", .dxcc = "FR/G"},
         {.prefix = "GM", .dxcc = "GM"},
         {.prefix = "GM/SH", .dxcc = "GM/SH"},
         {.prefix = "JW", .dxcc = "JW"},
         {.prefix = "JW/B", .dxcc = "JW/B"},
         {.prefix = "K", .dxcc = "K"},
         {.prefix = "KP4", .dxcc = "KP4"},
         {.prefix = "OK", .dxcc = "OK"},
         {.prefix = "UA", .dxcc = "UA"},
         {.prefix = "UA2", .dxcc = "UA2"},
         {.prefix = "3D2", .dxcc = "3D2"},
         {.prefix = "3D2/R", .dxcc = "3D2/R"}});
    Add(kPrefixExact, {{.prefix = "N2NL/MM", .dxcc = "K"}});
  }
};

const Case kPortableCases[] = {
    {"PrefixBefore", "EA8/DK1RI", kNow, false, kOk, "EA8", "EA8"},
    {"PrefixAfter", "DK1RI/EA8", kNow, false, kOk, "EA8", "EA8"},
    {"PrefixAfterUsCall", "AE4X/KP4", kNow, false, kOk, "KP4", "KP4"},
    {"PrefixBeforeWithSuffix", "EA8/DK1RI/P", kNow, false, kOk, "EA8", "EA8"},
    {"CallAreaDigit", "UA3TT/2", kNow, false, kOk, "UA2", "UA2"},
    {"Portable", "DL1ABC/P", kNow, false, kOk, "DL1", "DL"},
    {"Mobile", "F5XYZ/M", kNow, false, kOk, "F5", "F"},
    {"Qrp", "OK1ABC/QRP", kNow, false, kOk, "OK1", "OK"},
    {"MaritimeMobile", "K0IIT/MM", kNow, false, kNone, "", ""},
    {"AeronauticalMobile", "DL1ABC/AM", kNow, false, kNone, "", ""},
    {"MaritimeMobileWithPrefix", "EA8/DK1RI/MM", kNow, false, kNone, "", ""},
    {"AnExactCallBeforeTheAnalysis", "N2NL/MM", kNow, true, kOk, "N2NL/M", "K"},
    {"SpecialEntityOneLetter", "FR5XX/G", kNow, false, kOk, "FR/G", "FR/G"},
    {"SpecialEntityTwoLetters", "GM3XYZ/SH", kNow, false, kOk, "GM/SH", "GM/SH"},
    {"SpecialEntityThreeCharacters", "3D2AB/R", kNow, false, kOk, "3D2/R", "3D2/R"},
    {"SpecialEntityWithSuffix", "JW1ABC/B/P", kNow, false, kOk, "JW/B", "JW/B"},
    {"PrefixPartWithoutEntity", "DK1RI/QQ9", kNow, false, kNone, "", ""},
};

class PortableCallCase : public PortableCallTest, public ::testing::WithParamInterface<Case> {};

TEST_P(PortableCallCase, ResolvesByThePrefixPart) { ExpectResolution(GetParam(), *port_); }

INSTANTIATE_TEST_SUITE_P(Calls, PortableCallCase, ::testing::ValuesIn(kPortableCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Two calls with one prefix part are two questions.
TEST_F(PortableCallTest, MemoryKeepsTheCallAsAsked) {
  TdbPrefix cursor;
  ASSERT_EQ(cursor.ResolveCall("DK1RI/EA8", kNow), kOk);
  ASSERT_EQ(cursor.ResolveCall("K0IIT/MM", kNow), kNone);
  ASSERT_EQ(cursor.ResolveCall("DK1RI/EA8", kNow), kOk);
  EXPECT_EQ(cursor.GetDXCC(), "EA8");
}

TEST_F(CallResolutionTest, GivenCursorsServeTheSupplementaryLookup) {
  TdbPrefix learnt(kPrefixLearnt);
  TdbPrefix exact(kPrefixExact);
  TdbPrefix cursor;
  std::uint8_t chosen = 0;
  ASSERT_EQ(cursor.ResolveCall("DL1ABC", kNow, true, &learnt, &exact, chosen, nullptr), kOk);
  EXPECT_EQ(cursor.GetWAZ(), "14");
  EXPECT_EQ(exact.GetPrefix(), "DL1ABC");
}

// A repeated question is answered from memory, unless the date was left to default: the memory
// holds today, never 0.
TEST_F(CallResolutionTest, OnlyADatedCallIsAnsweredFromMemory) {
  Add({{.prefix = "VP8", .dxcc = "VP8/H", .menue = "3"}});
  port_->answers = {2, 1, 3};
  TdbPrefix cursor;
  cursor.ResolveCall("VP8ABC", kNow);
  cursor.ResolveCall("VP8ABC", kNow);
  EXPECT_EQ(port_->requests.size(), 1u);
  EXPECT_EQ(cursor.GetDXCC(), "VP8/G");
  cursor.ResolveCall("VP8ABC", 0);
  cursor.ResolveCall("VP8ABC", 0);
  EXPECT_EQ(port_->requests.size(), 3u);
  EXPECT_EQ(cursor.GetDXCC(), "VP8/H");
  // The interactive flag is part of the question.
  Analysis().SetInteractive(0);
  cursor.ResolveCall("VP8ABC", kNow);
  EXPECT_EQ(cursor.GetDXCC(), "VP8");
}

TEST_F(CallResolutionTest, DxccAtDateAndTheEntryThatApplies) {
  TdbPrefix cursor;
  ASSERT_TRUE(cursor.FindExact("E7"));
  EXPECT_EQ(cursor.DXCCAtDate(kOld + 1), "E7");
  EXPECT_EQ(cursor.DXCCAtDate(kOld), "T9");
  ASSERT_TRUE(cursor.FindExact("UA"));
  EXPECT_EQ(cursor.DXCCAtDate(kOld), "R");  // "RA" resolved as a call
  ASSERT_TRUE(cursor.FindExact("Z6"));
  cursor.NextValidAtDate(kToday - 20);
  EXPECT_EQ(cursor.GetCountry(), "not current");
  ASSERT_TRUE(cursor.FindExact("GB"));
  cursor.NextValidAtDate(kNow);
  EXPECT_EQ(cursor.GetPrefix(), "G");
  EXPECT_EQ(cursor.DXCCForPrefix("KH6"), "110");
  EXPECT_EQ(cursor.DXCCForPrefix("QQ"), "");
}

}  // namespace
}  // namespace logbook::testing
