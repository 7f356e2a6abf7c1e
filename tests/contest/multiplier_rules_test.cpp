// Multipliers and the log walks of the rule object: the small rules as rows, recounts on small
// logs, the points walk and the running numbers, and a model in which the live count of QSOs
// entered one by one always equals the recount of the log.
#include <array>
#include <map>
#include <random>
#include <vector>

#include "contest/progress_window.h"
#include "platform/file_faults.h"
#include "tests/common/rows.h"
#include "tests/contest/rules_fixture.h"

namespace contest_test {
namespace {

using contest::TContLogAlle;

class MultiplierTest : public RulesTest {
 protected:
  // The catalogue's flag byte at offset 300.
  void SetMultiplierFlag(std::uint8_t flag) {
    contest::TContestKKRec own;
    catalogue_->GetKKRec(own);
    own.MultiplierFlag = flag;
    catalogue_->SetKKRec(own);
  }
  std::int32_t Recount(const contest::TContestRec& definition, contest::RecountRequest request) {
    return rules_.RecountMultipliers(request, *log_, *catalogue_, definition);
  }
  static bool PerBand(const contest::TContestRec& d) { return d.Flag31 == 0 || d.Flag31 == 2; }
  // Mode A as the log window asks it: on the QSO's band, or on each band of the contest until
  // one answers 1 when the contest counts over all bands.
  bool WorkedBefore(const contest::TContestRec& definition, int kind, const std::string& value,
                    char band) {
    if (PerBand(definition)) return Recount(definition, {kind, band, value}) == 1;
    for (char b : definition.Bands) {
      if (b != 0 && Recount(definition, {kind, b, value}) == 1) return true;
    }
    return false;
  }
  // Mode B summed over the contest's bands when it counts per band.
  std::int32_t RecountAllBands(const contest::TContestRec& definition, int kind) {
    if (!PerBand(definition)) return Recount(definition, {kind, definition.Bands[0]});
    std::int32_t sum = 0;
    for (char b : definition.Bands) sum += b != 0 ? Recount(definition, {kind, b}) : 0;
    return sum;
  }
};

// clang-format off
TEST_F(MultiplierTest, BandSlotsCallFieldAndFilter) {
  struct { const char* name; char flag31; bool all_bands_slot; std::uint8_t slot; } slots[] = {
      {"FlagClear", 1, false, 'e'}, {"PerBand0", 0, true, 'e'}, {"PerBand2", 2, true, 'e'},
      {"AllBands1", 1, true, 1}, {"AllBands3", 3, true, 1}};
  for (const auto& r : slots)
    EXPECT_EQ(TContLogAlle::BandSlot('e', r.flag31, r.all_bands_slot), r.slot) << r.name;

  const std::pair<const char*, int> kinds[] = {{"", 1}, {" D1 ", 1}, {"DL1ABC/P", 0},
      {"dl1abc", 0}, {"59912", 2}, {"ABC", 2}, {"DOMIVOX", 0}, {"B36", 0}};
  for (const auto& [text, kind] : kinds) EXPECT_EQ(TContLogAlle::ExchangeKind(text), kind) << text;

  struct { const char* name; char code; const char* rcvd; bool passes; } filters[] = {
      {"NoFilterCountsAll", 'V', "599", true}, {"Ipa", 'Z', "599_IPA", true},
      {"NoIpa", 'Z', "599B01", false}, {"NavalMember", 'i', "599AB12", true},
      {"NavalNonMember", 'i', "599NM", false}, {"NavalDigit", 'i', "59912", false},
      {"NavalReportOnly", 'i', "599", false}};
  for (const auto& r : filters) {
    const contest::TContestRec definition = Load(r.code);
    Enter(Q(std::string("r=") + r.rcvd));
    EXPECT_EQ(TContLogAlle::PassesQsoFilter(definition, *log_), r.passes) << r.name;
    EXPECT_EQ(TContLogAlle::FailsQsoFilter(definition, *log_), !r.passes) << r.name;
  }
}

TEST_F(MultiplierTest, SlotNamesCountingAndWeights) {
  contest::TContestRec names = Load('V');
  names.MultiplierNames[0] = "Prefix";
  names.MultiplierNames[1] = "DOK";
  for (int kind : {1, 2, 22}) EXPECT_TRUE(TContLogAlle::MultiplierSlotIsKind(kind, 1, names));
  for (int kind : {4, 18}) EXPECT_TRUE(TContLogAlle::MultiplierSlotIsKind(kind, 2, names));
  EXPECT_FALSE(TContLogAlle::MultiplierSlotIsKind(4, 1, names));
  EXPECT_FALSE(TContLogAlle::MultiplierSlotIsKind(14, 3, names));

  // The slot tally a counted kind adds to: one slot, so that the slots add up to the count.
  struct { const char* name; char code; int class_index; int kind; int slot; } tallies[] = {
      {"NamedByTheThirdSlot", 'D', 1, 10, 3}, {"DokAndDistrictShareTheirSlot", 'o', 1, 18, 1},
      {"NamedTwiceTheFirst", '7', 3, 16, 1}, {"DxccHoldingTheWaeUnderWae", 'E', 2, 2, 1},
      {"MemberUnderAnotherKindsName", 'n', 1, 19, 1}, {"ContestWithoutNames", 'I', 1, 4, 1},
      {"EverySlotNamesACountedKind", 'J', 1, 12, 1}};
  for (const auto& r : tallies) {
    EXPECT_EQ(TContLogAlle::TallySlotOfKind(r.kind, Load(r.code, r.class_index)), r.slot) << r.name;
  }

  struct { const char* name; char code; int kind; const char* value; const char* qso; bool counts; }
  counting[] = {
      {"DlWithoutElement3", 'V', 2, "DL", "", false}, {"DlWithElement3", 'W', 2, "DL", "", true},
      {"Element9RefusesNorthAmerica", 'E', 2, "K", "e=NA", false},
      {"Kind16NM", 'V', 16, "NM", "", false}, {"Kind4NM", 'V', 4, "NM", "k=NM", false},
      {"Kind1Empty", 'V', 1, "", "", false}};
  for (const auto& r : counting) {
    const contest::TContestRec definition = Load(r.code);
    Enter(Q(r.qso));
    EXPECT_EQ(rules_.QsoCountsForKind(r.kind, r.value, *log_, *catalogue_, definition), r.counts)
        << r.name;
  }

  WriteFile("dsw.csv", "DL5DSW;Hans;4711\n");
  struct { const char* name; char code; std::uint8_t flag300; int kind; const char* qso; int adds; }
  weights[] = {
      {"LocatorOnHf", 'J', 0, 5, "b=c", 0}, {"LocatorOn2m", 'J', 0, 5, "b=k", 1},
      {"Square", 'Y', 0, 5, "", 5}, {"DokWN", '2', 0, 4, "k=WN", 6}, {"Dok5N", '2', 0, 4, "k=5N", 3},
      {"UListedFlagSet", 'U', 255, 4, "k=U05", 1}, {"UOtherFlagSet", 'U', 255, 4, "k=B01", 2},
      {"UListedFlagClear", 'U', 0, 4, "k=U05", 2}, {"UOtherFlagClear", 'U', 0, 4, "k=B01", 1},
      {"DokNM", '1', 0, 4, "k=NM", 0}, {"ClubStation", 'p', 0, 19, "c=DL0DSW", 10},
      {"DswMember", 'p', 0, 19, "c2=4711", 5}, {"DswNonMember", 'p', 0, 19, "c2=4712", 1},
      {"OtherContest", 'V', 0, 4, "k=WN", 1}};
  for (const auto& r : weights) {
    Load(r.code);
    SetMultiplierFlag(r.flag300);
    EXPECT_EQ(rules_.MultiplierWeight(r.kind, Q(r.qso), *catalogue_) + 1, r.adds) << r.name;
  }
}
// clang-format on

struct RecountRow {
  const char* name;
  char code;
  const char* own;
  int kind;
  char band;
  const char* value;  // empty: the recount
  std::vector<const char*> log;
  std::int32_t result;
  int flag31 = -1;  // the definition's, unless set
};
void PrintTo(const RecountRow& row, std::ostream* os) { *os << row.name; }

class Recounts : public MultiplierTest, public ::testing::WithParamInterface<RecountRow> {};

TEST_P(Recounts, OnASmallLog) {
  const RecountRow& row = GetParam();
  contest::TContestRec definition = Load(row.code, 1, row.own);
  if (row.flag31 >= 0) definition.Flag31 = static_cast<std::uint8_t>(row.flag31);
  for (const char* spec : row.log) Add(kLog, Q(spec));
  EXPECT_EQ(Recount(definition, {row.kind, row.band, row.value}), row.result);
}

// clang-format off
const std::vector<const char*> kWagDxcc = {"x=DL", "x=F", "b=c x=OE", "x=F", "x=DL"};
const std::vector<const char*> kVfdbDoks = {"b=k k=B", "b=k k=B01", "b=l k=B02", "b=k k=C05", "b=k k=Z12",
                                            "b=k k=VFDB"};
const RecountRow kRecountRows[] = {
    {"PerBandStopsAtTheBandChange", 'W', "DL1ABC B36", 2, 'b', "", kWagDxcc, 2},
    {"PerBandOtherBand", 'W', "DL1ABC B36", 2, 'c', "", kWagDxcc, 1},
    {"AllBandsOnce", 'E', "DL1ABC", 2, 'a', "", {"b=a x=F e=EU", "b=c x=F e=EU", "b=e x=OE e=EU", "b=e x=K e=NA"}, 2},
    {"DokAgainInANewModeClass", 'V', "DL1ABC", 4, 'b', "", {"k=B01 m=CW", "k=B01 m=SSB", "k=B01 m=CW", "k=C05"}, 3, 2},
    {"RuhrCountsAnEqualDokAgain", 'L', "DL1ABC", 4, 'b', "", {"k=L01", "b=c k=L01", "k=L02"}, 3},
    {"WorkedBefore", 'W', "DL1ABC B36", 2, 'b', "F", kWagDxcc, 1},
    {"WorkedOnAnotherBand", 'W', "DL1ABC B36", 2, 'b', "OE", kWagDxcc, 0},
    {"QsyMarkerPassedOver", 'W', "DL1ABC B36", 2, 'b', "F", {"x=F s=c"}, 0},
    {"FilteredPassedOver", 'Z', "DL1ABC", 2, 'b', "F", {"x=F"}, 0},
    {"FilterPasses", 'Z', "DL1ABC", 2, 'b', "F", {"x=F", "x=F r=599_IPA"}, 1},
    {"MemberNumberWanted", '6', "DL1ABC", 2, 'b', "F", {"x=F r=599NM"}, 0},
    {"MemberNumberCounts", '6', "DL1ABC", 2, 'b', "", {"x=F r=599NM", "x=F r=59912", "x=OE r=599NM"}, 1},
    {"DistrictsOverAllBands", 'o', "DL1ABC", 18, 'k', "", kVfdbDoks, 2},
    {"DistrictWorkedBefore", 'o', "DL1ABC", 18, 'k', "B17", kVfdbDoks, 1},
    {"DistrictNotOnThisBand", 'o', "DL1ABC", 18, 'l', "C17", kVfdbDoks, 0},
    {"VfdbZDoks", 'o', "DL1ABC", 4, 'k', "", kVfdbDoks, 2},
    {"ForeignWagDistricts", 'W', "OE1ABC", 18, 'b', "", {"k=B01", "k=VFDB", "k=B02", "k=DVO"}, 2},
    {"NoMemberIsNoDok", '1', "DL1ABC", 4, 'i', "", {"b=i k=NM", "b=i k=B01"}, 1},
    {"KindNotCounted", 'N', "DL1ABC", 2, 'k', "", {"b=k x=F"}, 0},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, Recounts, ::testing::ValuesIn(kRecountRows),
                         common::testing::RowName);

class RecordingProgress final : public contest::ProgressWindow {
 public:
  void Step(const std::string& text, int position, int maximum, bool& cancelled) override {
    steps.push_back(text + std::to_string(position) + "/" + std::to_string(maximum));
    // A window keeps its cancel flag once the button was pressed.
    cancelled = cancel_from_step > 0 && steps.size() >= cancel_from_step;
  }
  std::vector<std::string> steps;
  std::size_t cancel_from_step = 0;  // 0: never
};

TEST_F(MultiplierTest, RecountProgressWrapsAndACancelStillCountsToTheEnd) {
  const contest::TContestRec mvp = Load('V');  // slot 2 "DXCC"
  log_->SetWriteMode(nullptr, 1);
  for (int i = 0; i < 1005; ++i) Add(kLog, Q(i % 3 != 0 ? "x=F" : i % 2 != 0 ? "x=OE" : "x=I"));
  const auto recount = [&](RecordingProgress& progress, contest::SlotTallies& tallies) {
    contest::RecountRequest dxcc(2, 'b');
    dxcc.tallies = &tallies;
    dxcc.progress = &progress;
    return Recount(mvp, dxcc);
  };
  RecordingProgress whole;
  contest::SlotTallies whole_tallies;
  const std::int32_t count = recount(whole, whole_tallies);
  EXPECT_EQ(count, 3);
  ASSERT_EQ(whole.steps.size(), 100u);  // every tenth QSO
  EXPECT_EQ(whole.steps[48], "490/0");
  EXPECT_EQ(whole.steps[49], "500/0");  // the bar fills, never "leave it alone"
  EXPECT_EQ(whole.steps[50], "10/0");   // and starts again
  EXPECT_EQ(whole.steps[99], "500/0");

  RecordingProgress cancelling;
  cancelling.cancel_from_step = 3;
  contest::SlotTallies cancelled_tallies;
  EXPECT_EQ(recount(cancelling, cancelled_tallies), count);
  EXPECT_EQ(cancelling.steps.size(), 3u);
  EXPECT_EQ(cancelled_tallies.slots, whole_tallies.slots);
  EXPECT_EQ(cancelled_tallies.kind2_qsos, whole_tallies.kind2_qsos);
}

TEST_F(MultiplierTest, ValueTableSlotTalliesAndProgress) {
  const contest::TContestRec nac = Load('N');
  log_->SetWriteMode(nullptr, 1);  // no flush after every insert
  for (int i = 0; i < 501; ++i) {
    Add(kLog, Q(std::string("b=k l=") + char('A' + i / 100) + 'A' + char('0' + i / 10 % 10) +
                char('0' + i % 10) + "MM"));
  }
  contest::WorkedMultiTable table;
  contest::RecountRequest squares(5, 'k');
  squares.table = &table;
  EXPECT_EQ(Recount(nac, squares), 501);
  EXPECT_EQ(table[0].text.str(), "AA00");
  EXPECT_EQ(table[499].text.str(), "EA99");
  EXPECT_TRUE(std::is_sorted(table.begin(), table.end(),
                             [](auto& a, auto& b) { return a.text.view() < b.text.view(); }));

  const contest::TContestRec mvp = Load('V');  // slot 1 "DOK", slot 2 "DXCC"
  for (int i = 0; i < 25; ++i) Add(kLog + 1, Q(i % 2 ? "x=F k=B01" : "x=DL k=C05"));
  Add(kLog + 1, Q("b=a x=OE k=B01"));
  log_.emplace(contest::kTableLK, kLog + 1);
  contest::SlotTallies tallies;
  RecordingProgress progress;
  contest::RecountRequest dxcc(2, 'b'), doks(4, 'b');
  dxcc.table = &table;
  dxcc.tallies = doks.tallies = &tallies;
  dxcc.progress = &progress;
  EXPECT_EQ(Recount(mvp, dxcc), 1);  // DL: no element 3
  EXPECT_EQ(table[0].text.str(), "F     ");
  EXPECT_EQ(Recount(mvp, doks), 2);
  EXPECT_EQ(tallies.slots, (std::array<std::uint16_t, 3>{2, 1, 0}));
  EXPECT_EQ(tallies.kind2_qsos, 25);
  EXPECT_EQ(progress.steps, (std::vector<std::string>{"10/0", "20/0"}));
}

TEST_F(MultiplierTest, PointsWalkAndRunningNumbers) {
  const contest::TContestRec nac = Load('N');
  std::map<std::string, std::uint32_t> points = {{"DL1A", 5}, {"DL2B", 70000}, {"DL3C", 7}};
  for (const char* spec : {"c=DL1A b=k", "c=DL2B b=k", "c=DL3C b=l", "s=m", "c=DL4D b="})
    Add(kLog, Q(spec));
  const contest::PointsFunction score = [&](const contest::TdbContestBase& log) {
    TContestLKRec q;
    log.GetLKRec(q);
    return points[q.Call.str()];
  };
  platform::FileFaultPlan plan;
  bool all_bands_slot = false;
  const auto walk = [&] {
    plan = {};
    platform::ScopedFileFaults counting(&plan);
    return rules_.ForEachQso(nac, score, *log_, all_bands_slot);
  };
  contest::QsoWalkTotals totals = walk();
  EXPECT_EQ(totals.qso_count, 5);  // four QSOs; the QSY marker is not one
  EXPECT_EQ(totals.slot_qsos['k'], 2);
  EXPECT_EQ(totals.slot_points['k'], 70005);
  EXPECT_EQ(totals.slot_points['l'], 7);
  EXPECT_EQ(totals.last_band, 0);  // the last QSO has no band
  EXPECT_GT(plan.write.calls, 0u);
  const auto stored = [&](const char* call) {
    TdbContest find(contest::kTableLK, kLog);
    TContestLKRec q{};
    if (find.FindCall(call)) find.GetLKRec(q);
    return static_cast<std::uint32_t>(q.Points);
  };
  EXPECT_EQ(stored("DL2B"), 65535u);
  walk();
  EXPECT_EQ(plan.write.calls, 0u);  // nothing changed, nothing written (the capped QSO neither)
  points["DL3C"] = 9;
  all_bands_slot = true;
  totals = walk();
  EXPECT_GT(plan.write.calls, 0u);
  EXPECT_EQ(stored("DL3C"), 9u);
  EXPECT_EQ(totals.slot_points['l'], 9);  // 'N' counts per band: no all-bands slot
  EXPECT_EQ(totals.unwritten, 0);
  EXPECT_TRUE(presenter_->calls.empty());

  // Another station deletes a QSO whose points change just before the walk stores them.
  points["DL1A"] = 6;
  const contest::PointsFunction deleting = [&](const contest::TdbContestBase& log) {
    TContestLKRec q;
    log.GetLKRec(q);
    if (q.Call.view() == "DL1A") {
      TdbContest other(contest::kTableLK, kLog);
      EXPECT_TRUE(other.FindCall("DL1A") && other.Delete(false));
    }
    return points[q.Call.str()];
  };
  totals = rules_.ForEachQso(nac, deleting, *log_, all_bands_slot);
  EXPECT_EQ(totals.unwritten, 1);
  EXPECT_EQ(totals.slot_qsos['k'], 2);  // still scored in the walk's totals
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, common::MessageKind::kAchtung);
  EXPECT_NE(presenter_->calls[0].text.find("Die Punkte von 1 QSO(s)"), std::string::npos);

  // Running numbers: empty log, then three QSOs on 'e' and two on 'b'.
  const auto numbers = [&](bool overall, char band, const char* mode) {
    const contest::QsoNumbers n =
        rules_.NextQsoNumbers(overall, band, TdbContest(contest::kTableLK, 9), mode);
    return std::vector<std::int32_t>({n.overall, n.band, n.band_intern, n.mode});
  };
  EXPECT_EQ(numbers(true, 'e', "CW"), std::vector<std::int32_t>({1, 1, 1, 1}));
  std::map<char, std::uint32_t> band_numbers;
  int n = 0;
  for (char band : {'e', 'b', 'e', 'e', 'b'}) {
    TContestLKRec q = Q(std::string("b=") + band + (n == 1 ? " m=SSB" : " m=CW"));
    q.wagNummer = ++n;
    q.wagBandNr = q.wagBandNrIntern = ++band_numbers[band];
    q.ModeNr = static_cast<std::uint16_t>(n * 10);
    Add(9, q);
  }
  EXPECT_EQ(numbers(true, 'e', "CW"), std::vector<std::int32_t>({6, 4, 4, 51}));
  EXPECT_EQ(numbers(false, 'b', "SSB"), std::vector<std::int32_t>({0, 3, 3, 21}));
  EXPECT_EQ(numbers(false, 'c', "CW"), std::vector<std::int32_t>({0, 1, 1, 51}));
}

// The model: QSOs entered one by one in time order. The log window counts a QSO's value of a
// kind when the QSO counts for it and the value was not worked before; the sum of those weighted
// counts must always equal the recount of the log.
struct ModelRow {
  const char* name;
  char code;
  const char* own;
};
void PrintTo(const ModelRow& row, std::ostream* os) { *os << row.name; }

class LiveCountModel : public MultiplierTest, public ::testing::WithParamInterface<ModelRow> {
 protected:
  // What the log window takes from the QSO for a kind.
  static std::string LiveValue(int kind, const contest::TContestRec& definition,
                               const TContestLKRec& q) {
    if (kind == 2 && definition.MultiplierKinds[9] && q.Continent.view() != "EU") return {};
    if (kind == 4 || kind == 18) {
      const std::string dok = q.DOK1.str() + q.DOK2.str();
      return kind == 4 && dok == "NM" ? "" : dok;
    }
    return TContLogAlle::WalkValue(kind, q);
  }
  TContestLKRec RandomQso(std::mt19937& random, const contest::TContestRec& definition) {
    static const char* const kEntities[][2] = {{"DL", "EU"},  {"OE", "EU"}, {"F", "EU"},
                                               {"UA9", "AS"}, {"K", "NA"},  {"DL", "EU"}};
    static const char* const kDoks[] = {"B01", "B02", "B36", "C05", "V01",   "Z01", "Z12", "VFDB",
                                        "VO",  "DVO", "NM",  "",    "25Z90", "F07", "U05"};
    static const char* const kLocators[] = {"JO62AA", "JO62MM", "JO73AB", "JN58XX", "JO31CD", ""};
    const auto pick = [&random](const auto& list) {
      return list[std::uniform_int_distribution<std::size_t>(0, std::size(list) - 1)(random)];
    };
    std::string bands;
    for (char b : definition.Bands)
      if (b != 0) bands += b;
    const auto entity = pick(kEntities);
    return Q(std::string("b=") + bands[random() % bands.size()] +
             " m=" + (random() % 2 ? "CW" : "SSB") + " x=" + entity[0] + " e=" + entity[1] +
             " k=" + pick(kDoks) + " l=" + pick(kLocators));
  }
};

TEST_P(LiveCountModel, LiveCountEqualsTheRecount) {
  const ModelRow& row = GetParam();
  const contest::TContestRec definition = Load(row.code, 1, row.own);
  std::vector<int> kinds;
  for (int kind : {2, 1, 22, 12, 15, 16, 19, 4, 18, 10, 5}) {
    if (definition.MultiplierKinds[static_cast<std::size_t>(kind)]) kinds.push_back(kind);
  }
  ASSERT_FALSE(kinds.empty());
  std::mt19937 random(static_cast<unsigned>(row.code));
  std::map<int, std::int32_t> live;
  for (int n = 1; n <= 60; ++n) {
    const TContestLKRec qso = RandomQso(random, definition);
    Enter(qso);
    for (int kind : kinds) {
      const std::string value = LiveValue(kind, definition, qso);
      if (rules_.QsoCountsForKind(kind, value, *log_, *catalogue_, definition) &&
          !WorkedBefore(definition, kind, value, qso.Bandcode)) {
        live[kind] += rules_.MultiplierWeight(kind, qso, *catalogue_) + 1;
      }
    }
    Add(kLog, qso);
    for (int kind : kinds)
      ASSERT_EQ(live[kind], RecountAllBands(definition, kind)) << "kind " << kind << " QSO " << n;
  }
  for (int kind : kinds) EXPECT_GT(live[kind], 1) << kind;  // the model counted something
}

INSTANTIATE_TEST_SUITE_P(Contests, LiveCountModel,
                         ::testing::Values(ModelRow{"WagGerman", 'W', "DL1ABC B36"},
                                           ModelRow{"WagForeign", 'W', "OE1ABC"},
                                           ModelRow{"VfdbTage", 'o', "DL1ABC B36"},
                                           ModelRow{"Nac", 'N', "DL1ABC B36"},
                                           ModelRow{"Mvp", 'V', "DL1ABC V01"},
                                           ModelRow{"EuTag", 'E', "DL1ABC B36"}),
                         common::testing::RowName);

}  // namespace
}  // namespace contest_test
