// The DXCC selection for entries with a menu code, through the scripted window.
#include <map>

#include "prefix_fixture.h"

namespace logbook::testing {
namespace {

constexpr std::int32_t kOld = kToday - 1000;

struct QsoTexts final : QsoFieldTexts {
  std::map<int, std::string> texts;
  std::string QsoFieldText(int kind) const override {
    const auto it = texts.find(kind);
    return it != texts.end() ? it->second : "";
  }
};

class DxccSelectionTest : public PrefixDbTest {
 protected:
  void SetUp() override {
    PrefixDbTest::SetUp();
    Add({{.prefix = "VP8", .dxcc = "VP8", .menue = "1", .country = "Falkland Is."},
         {.prefix = "VP8", .dxcc = "VP8/G", .menue = "2", .country = "South Georgia"},
         {.prefix = "VP8", .dxcc = "VP8/H", .menue = "3", .country = "South Shetland"},
         // defaults without asking
         {.prefix = "VP2", .dxcc = "VP2E", .menue = "1"},
         {.prefix = "VP2", .dxcc = "VP2M", .menue = "-"},
         {.prefix = "VP2", .dxcc = "VP2V", .menue = "2"},
         {.prefix = "ZS8", .dxcc = "ZS8", .menue = "1"},
         {.prefix = "ZS8", .dxcc = "ZS", .menue = "2"},
         {.prefix = "FO", .dxcc = "FO/A", .menue = "2"},
         {.prefix = "FO", .dxcc = "FO/C", .menue = "3"},
         // one candidate ended, two alike
         {.prefix = "KC4", .dxcc = "CE9", .menue = "1", .country = "Antarctica"},
         {.prefix = "KC4", .dxcc = "KC4AA", .menue = "2", .end = kOld},
         {.prefix = "FR", .dxcc = "FR", .menue = "1", .country = "Reunion", .waz = "39"},
         {.prefix = "FR", .dxcc = "FR", .menue = "2", .country = "Reunion", .waz = "39"},
         // the entity of an entry at the QSO date
         {.prefix = "SV", .dxcc = "SV", .menue = "1"},
         {.prefix = "SV", .dxcc = "SV/A", .menue = "2", .old_ref = "SV5", .old_until = kOld},
         {.prefix = "SV5", .dxcc = "SV5"}});
  }

  struct Answer {
    ResolveResult result;
    std::uint8_t chosen;
    std::string dxcc;
  };
  Answer Resolve(const std::string& call, std::int32_t date = kToday,
                 const QsoFieldTexts* qso = nullptr) {
    TdbPrefix cursor;
    std::uint8_t chosen = 9;
    const ResolveResult r = cursor.ResolveCall(call, date, true, nullptr, nullptr, chosen, qso);
    return {r, chosen, cursor.GetDXCC()};
  }
  static std::string Learnt(const std::string& call) {
    TdbPrefix cursor(kPrefixLearnt);
    return cursor.FindExact(call) ? cursor.GetDXCC() : "(none)";
  }
};

TEST_F(DxccSelectionTest, ThePickIsTakenAndLearntForTheCall) {
  QsoTexts qso;
  qso.texts = {{QsoFieldTexts::kCall, "VP8ABC"},
               {QsoFieldTexts::kName, "Tom"},
               {QsoFieldTexts::kQth, "Stanley"}};
  port_->answers = {2};
  const Answer a = Resolve("VP8ABC", kToday, &qso);
  EXPECT_EQ(a.result, ResolveResult::kResolved);
  EXPECT_EQ(a.chosen, 1);
  EXPECT_EQ(a.dxcc, "VP8/G");
  ASSERT_EQ(port_->requests.size(), 1u);
  const DxccSelectionRequest& r = port_->requests[0];
  EXPECT_EQ(r.prefix, "VP8");
  EXPECT_EQ(r.call + "|" + r.name + "|" + r.qth, "VP8ABC|Tom|Stanley");
  EXPECT_EQ(r.date, kToday);
  const std::vector<DxccCandidate> expected = {{1, "VP8", "Falkland Is.", "", "", ""},
                                               {2, "VP8/G", "South Georgia", "", "", ""},
                                               {3, "VP8/H", "South Shetland", "", "", ""}};
  EXPECT_EQ(r.candidates, expected);
  EXPECT_EQ(Learnt("VP8ABC"), "VP8/G");
  // The learnt call is found without asking again; the next call asks.
  EXPECT_EQ(Resolve("VP8ABC").dxcc, "VP8/G");
  EXPECT_EQ(Resolve("VP8XYZ").result, ResolveResult::kResolved);
  EXPECT_EQ(port_->requests.size(), 2u);
  EXPECT_EQ(Check(kPrefixLearnt), "");
}

TEST_F(DxccSelectionTest, ACancelAnswersAnEmptyEntryAndLearnsNothing) {
  const Answer a = Resolve("VP8ABC");  // no answer scripted: cancelled
  EXPECT_EQ(a.result, ResolveResult::kResolved);
  EXPECT_EQ(a.chosen, 0);
  EXPECT_EQ(a.dxcc, "");
  EXPECT_EQ(Learnt("VP8ABC"), "(none)");
}

// The call learnt is the QSO's: without a QSO nothing is learnt.
TEST_F(DxccSelectionTest, OnlyAQsosCallOfMoreThanThreeCharactersIsLearnt) {
  port_->answers = {3, 3, 3};
  QsoTexts qso;
  for (const char* call : {"VP8", "VP8A"}) {
    qso.texts[QsoFieldTexts::kCall] = call;
    EXPECT_EQ(Resolve(call, kToday, &qso).dxcc, "VP8/H");
  }
  EXPECT_EQ(Resolve("VP8XYZ").dxcc, "VP8/H");
  EXPECT_EQ(Learnt("VP8"), "(none)");
  EXPECT_EQ(Learnt("VP8A"), "VP8/H");
  EXPECT_EQ(Learnt("VP8XYZ"), "(none)");
}

TEST_F(DxccSelectionTest, WithoutTheInteractiveFlagTheDefaultEntryIsTakenSilently) {
  Analysis().SetInteractive(0);
  for (const auto& [call, dxcc] :
       {std::pair{"VP2ABC", "VP2M"}, {"ZS8ABC", "ZS8"}, {"FO5ABC", "FO/A"}}) {
    const Answer a = Resolve(call);
    EXPECT_EQ(a.dxcc + " " + std::to_string(a.chosen), std::string(dxcc) + " 0") << call;
  }
  EXPECT_TRUE(port_->requests.empty());
  // Without a window to show, the same.
  Analysis().SetInteractive(1);
  Files().SetSelectionPort(nullptr);
  EXPECT_EQ(Resolve("VP2ABC").dxcc, "VP2M");
}

TEST_F(DxccSelectionTest, TheQsosDxccSettlesTheEntry) {
  QsoTexts qso;
  qso.texts = {{QsoFieldTexts::kCall, "VP8ABC"}, {QsoFieldTexts::kDxcc, "VP8/H"}};
  Answer a = Resolve("VP8ABC", kToday, &qso);
  EXPECT_EQ(a.dxcc + " " + std::to_string(a.chosen), "VP8/H 1");
  // "SV5" is what the second SV entry stood for up to kOld.
  qso.texts = {{QsoFieldTexts::kCall, "SV1ABC"}, {QsoFieldTexts::kDxcc, "SV5"}};
  a = Resolve("SV1ABC", kOld, &qso);
  EXPECT_EQ(a.dxcc + " " + std::to_string(a.chosen), "SV5 1");
  EXPECT_TRUE(port_->requests.empty());
  EXPECT_EQ(Learnt("VP8ABC"), "(none)");
}

TEST_F(DxccSelectionTest, ALoneValidCandidateIsTakenWithoutTheWindow) {
  Answer a = Resolve("KC4ABC");
  EXPECT_EQ(a.dxcc + " " + std::to_string(a.chosen), "CE9 1");
  a = Resolve("FR5ABC");  // two candidates alike count once
  EXPECT_EQ(a.dxcc + " " + std::to_string(a.chosen), "FR 1");
  EXPECT_TRUE(port_->requests.empty());
  EXPECT_EQ(Learnt("KC4ABC"), "(none)");
  // On a defaulted date every candidate counts; the ended one is marked.
  port_->answers = {2};
  a = Resolve("KC4ABC", 0);
  EXPECT_EQ(a.dxcc, "KC4AA");
  ASSERT_EQ(port_->requests.size(), 1u);
  EXPECT_EQ(port_->requests[0].candidates[1].remark, "  (deleted)");
}

TEST_F(DxccSelectionTest, TheWindowOpensWhereItWasLastClosed) {
  port_->answers = {1, 1};
  port_->left = 120;
  port_->top = 80;
  Resolve("VP8ABC");
  Resolve("VP8XYZ");
  ASSERT_EQ(port_->requests.size(), 2u);
  EXPECT_FALSE(port_->requests[0].placed);
  EXPECT_TRUE(port_->requests[1].placed);
  EXPECT_EQ(port_->requests[1].left * 1000 + port_->requests[1].top, 120080);
  EXPECT_EQ(place_->stores, 2);
}

}  // namespace
}  // namespace logbook::testing
