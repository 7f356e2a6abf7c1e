// What every reader of a log's claimed multipliers and score says about the same log: the log
// window's score line, the summary sheet's table and final line, the STF claims and Cabrillo's
// claimed score. Random logs of every contest with multiplier kinds go through the log window
// (opened, counted, closed as the operator closes it) and the setup form's outputs; the bonus-
// station contests once without and once with the calls the operator supplies.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/output_menu.h"
#include "app/write_output.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contest/definition_set.h"
#include "output/output_kinds.h"
#include "output/uhfteilnehmer_ctrl.h"
#include "tests/app/setup_output_fixture.h"
#include "tests/common/temp_folder.h"
#include "tests/output/reg1test_lint.h"

namespace app_test {
namespace {

constexpr int kQsos = 60;
// The bonus-station logs are a long contest's (their scores pass five places); every seventh QSO
// is with a club station of the supplied list.
constexpr int kBonusLogQsos = 500;
constexpr int kBonusEvery = 7;
// Where the E-Log sheet's table holds its numbers: the file's indent, 10 blanks, the band name.
constexpr std::size_t kTableNumbers = 5 + 10 + 8;

// The entities of the log window's small prefix table, with their continents.
struct Entity {
  const char* prefix;
  const char* continent;
};
constexpr Entity kEntities[] = {{"DL", "EU"}, {"OE", "EU"}, {"F", "EU"}, {"G", "EU"},
                                {"K", "NA"},  {"4X", "AS"}, {"I", "EU"}};

std::string BonusCall(int n) {
  return "DL0" + std::string{static_cast<char>('A' + n / 26 % 26), static_cast<char>('A' + n % 26)};
}

// A DOK the contest's lists take, or one of a district where it has none.
std::string RandomDok(std::mt19937& rng, const contest::ContestData& contest) {
  std::vector<std::string> doks;
  for (const auto* list : {&contest.ValidDoks, &contest.AreaDoks}) {
    for (const std::string& dok : *list) {
      if (!dok.empty()) doks.push_back(dok);
    }
  }
  if (!doks.empty() && rng() % 2 == 0) return doks[rng() % doks.size()];
  const std::string letters = contest.ValidDistricts + contest.AreaDistricts + "BKPZ";
  return letters[rng() % letters.size()] + common::IntToStrAt(static_cast<int>(1 + rng() % 30), 2);
}

// QSO n of a random log: a call of the small prefix table's entities (a listed club station with
// `bonus`) with the values every multiplier kind reads, as the entry leaves them.
contest::TContestLKRec RandomQso(std::mt19937& rng, int n, const contest::TContestRec& definition,
                                 const contest::ContestData& contest, bool bonus) {
  std::string bands;
  for (const char band : definition.Bands) {
    if (band >= 'a' && band <= 'z') bands += band;
  }
  const Entity& entity = bonus ? kEntities[0] : kEntities[rng() % std::size(kEntities)];
  const std::string prefix = entity.prefix + std::to_string(n % 10);
  const std::string call =
      bonus ? BonusCall(n / kBonusEvery)
            : prefix + static_cast<char>('A' + n / 26 % 26) + static_cast<char>('A' + n % 26) + "X";
  const std::string mode = definition.Modes[0].empty() ? "CW" : definition.Modes[0].str();
  contest::TContestLKRec q =
      contestlog_test::Qso(call, bands[rng() % bands.size()], kContestDay, 8 * 3600 + 60 * n, mode);
  q.DXCC = entity.prefix;
  q.Continent = entity.continent;
  q.Prefix = prefix;
  const std::string dok = RandomDok(rng, contest);
  q.DOK1 = common::LeftStr(dok, 6);
  q.DOK2 = dok.size() > 6 ? dok.substr(6) : std::string();
  q.Loc = "JO" + common::IntToStrAt(static_cast<int>(30 + rng() % 40), 2) + "AA";
  q.Call2 = std::to_string(1 + rng() % 40);
  q.WAZ_USStaat = std::vector<std::string>{"NY", "CA", "TX", "14", "33", "79"}[rng() % 6];
  return q;
}

// The numbers a text holds, in order; a decimal comma stays inside its number ("24,6").
std::vector<std::string> Numbers(const std::string& text) {
  std::vector<std::string> numbers;
  std::string current;
  for (const char c : text + " ") {
    if (std::isdigit(static_cast<unsigned char>(c)) != 0 || (c == ',' && !current.empty())) {
      current += c;
    } else if (!current.empty()) {
      numbers.push_back(current);
      current.clear();
    }
  }
  return numbers;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The first line of `text` that holds `marker` (empty when none does).
std::string LineWith(const std::string& text, const std::string& marker) {
  for (const std::string& line : Lines(text)) {
    if (line.find(marker) != std::string::npos) return line;
  }
  return "";
}

// The multiplier columns of a row of the sheet's table: after QSOs and points, one a named slot.
std::vector<std::int64_t> TableColumns(const std::string& row, std::size_t named) {
  const std::vector<std::string> numbers = Numbers(row.substr(std::min(row.size(), kTableNumbers)));
  std::vector<std::int64_t> columns;
  for (std::size_t i = 2; i < numbers.size() && columns.size() < named; ++i) {
    columns.push_back(std::stoll(numbers[i]));
  }
  return columns;
}

// A number as written, in the contest's smallest unit ("18,0" and "180" alike give 180).
std::int64_t Tenths(std::string text) {
  std::erase(text, ',');
  return std::stoll(text);
}

bool ScoreIsProduct(const contest::TContestRec& definition) {
  return definition.MultiplierKinds.any() && definition.Flag34 == 0 && definition.Flag36 == 0 &&
         definition.ScoreFlag == 0;
}

// What each reader claims.
struct Claims {
  std::int64_t window_multipliers = 0;
  std::string window_score;
  bool table = false;                   // the sheet has a points table (not every run writes one)
  std::vector<std::int64_t> band_rows;  // its band rows added up, one a named slot
  std::vector<std::int64_t> sum_row;    // its sum row (none under a per-band product)
  std::string sheet_final;              // the final line after its label
  std::array<std::int64_t, 3> stf{};    // ClaimedMult, ClaimedMult2, ClaimedMult3
  std::int64_t stf_qsos = 0;
  std::string stf_points;
  std::string stf_score;  // empty: not stated ('P')
  std::string cabrillo_score;
};

class ClaimedScoreTest : public SetupOutputTest {
 protected:
  static contest::TContestFkt& Fkt() { return common::Service<contest::TContestFkt>::Get(); }

  // The first class of the contest that counts multipliers; 0 when none does.
  static int ClassWithMultipliers(char code) {
    const contest::ContestData* contest = Fkt().Definitions().Find(code);
    for (int k = 1; contest != nullptr && k <= static_cast<int>(contest->Classes.size()); ++k) {
      if (LogBuilder(code, k).Definition().MultiplierKinds.any()) return k;
    }
    return 0;
  }

  // The calls of the club stations the operator supplies in the data folder, before anything
  // loads the contest data; one of them the log does not hold.
  void SupplyBonusCalls(char code) {
    std::string calls;
    for (int n = 0; n <= kBonusLogQsos / kBonusEvery + 1; ++n) {
      calls += "\"" + BonusCall(n) + "\", ";
    }
    std::ofstream(folder_ / "contests.toml")
        << "[\"" << code << "\"]\nBonusCalls = [" << calls << "]\n";
  }

  // A random log of the contest in class `class_index`; with `bonus_stations` every seventh QSO
  // is with a club station. `shape` changes QSO n before it is stored.
  LogBuilder MakeLog(int class_index, bool bonus_stations, int qsos,
                     const std::function<void(contest::TContestLKRec&, int)>& shape = {}) {
    LogBuilder b(code_, class_index);
    b.Create();
    const contest::TContestRec definition = b.Definition();
    const contest::ContestData& contest = *Fkt().Definitions().Find(code_);
    std::mt19937 rng(static_cast<unsigned char>(code_));
    for (int n = 0; n < qsos; ++n) {
      contest::TContestLKRec q =
          RandomQso(rng, n, definition, contest, bonus_stations && n % kBonusEvery == 0);
      if (shape) shape(q, n);
      b.Add(q);
    }
    return b;
  }

  // Runs output `code` of the log as the setup form's output menu does; the file's text.
  std::string Output(const LogBuilder& log, int code) {
    const std::string path = AnswerSaveDialog("claimed" + std::to_string(code)) + "." +
                             std::string(output::FindOutputKind(code)->extension);
    // 'E' first asks for the hour it scores; left without OK it writes the whole log.
    if (code_ == 'E') driver_.ThenReturn(platform::qt::mrCancel);
    const contest::TContestRec definition = log.Definition();
    contestlog_test::MainTables tables(log.Number());
    app::WriteOutput(&caller_, code, definition, tables.catalogue, tables.contest_data);
    return common::testing::ReadFile(path);
  }

  // The log opened and closed in its window, then its sheet, STF and Cabrillo files.
  Claims Read(const LogBuilder& log) {
    Claims c;
    RunLog(log.Number(), log.Definition(), [&](contestlog::TContestLogStd& w) {
      const std::vector<std::string> multipliers = Numbers(w.Label19->Caption());
      if (!multipliers.empty()) c.window_multipliers = std::stoll(multipliers[0]);
      c.window_score = common::Trim(common::StrBefore(w.Label21->Caption(), " Pkt."));
    });
    const std::size_t named = NamedSlots(log.Definition()).size();
    const std::vector<std::string> sheet = Lines(Output(log, 6));
    c.band_rows.assign(named, 0);
    bool in_table = false;
    for (const std::string& line : sheet) {
      if (line.find(" Band ") != std::string::npos) {
        in_table = c.table = true;
      } else if (line.find("___") != std::string::npos) {
        in_table = false;
      } else if (in_table) {
        const std::vector<std::int64_t> columns = TableColumns(line, named);
        for (std::size_t i = 0; i < columns.size(); ++i) c.band_rows[i] += columns[i];
      }
      if (line.find(" Summe ") != std::string::npos) c.sum_row = TableColumns(line, named);
      if (line.find("Endergebnis:") != std::string::npos) {
        c.sheet_final = common::Trim(common::StrAfter(line, ":"));
      }
    }
    const std::string stf = Output(log, 8);
    const char* keys[] = {"CLAIMEDMULT  ", "CLAIMEDMULT2 ", "CLAIMEDMULT3 "};
    for (std::size_t n = 0; n < 3; ++n) {
      const std::string line = LineWith(stf, keys[n]);
      c.stf[n] = line.empty() ? 0 : std::stoll(common::Trim(line.substr(13)));
    }
    c.stf_qsos = std::stoll(common::Trim(LineWith(stf, "CLAIMEDQSO ").substr(13)));
    c.stf_points = common::Trim(LineWith(stf, "CLAIMEDPTS ").substr(13));
    const std::string score_line = LineWith(stf, "CLAIMEDSCORE ");
    c.stf_score = score_line.empty() ? "" : common::Trim(score_line.substr(13));
    c.cabrillo_score =
        common::Trim(common::StrAfter(LineWith(Output(log, 10), "CLAIMED-SCORE:"), ":"));
    return c;
  }

  static std::vector<std::size_t> NamedSlots(const contest::TContestRec& definition) {
    std::vector<std::size_t> named;
    for (std::size_t n = 0; n < 3; ++n) {
      if (!definition.MultiplierNames[n].empty()) named.push_back(n);
    }
    return named;
  }

  // Every reader names the same multipliers and the same score.
  static void ExpectAgreement(const contest::TContestRec& definition, const Claims& c) {
    const std::int64_t multipliers = c.stf[0] + c.stf[1] + c.stf[2];
    EXPECT_EQ(multipliers, c.window_multipliers) << "the STF claims against the log window";
    std::vector<std::int64_t> named;
    for (const std::size_t n : NamedSlots(definition)) named.push_back(c.stf[n]);
    if (c.table) {
      EXPECT_EQ(c.band_rows, named) << "the sheet's band rows against the STF claims";
      if (definition.Flag36 == 0) {
        EXPECT_EQ(c.sum_row, named) << "the sheet's sum row";
      }
    }

    const std::vector<std::string> numbers = Numbers(c.sheet_final);
    ASSERT_FALSE(numbers.empty()) << c.sheet_final;
    // The score ends the final line ("... = S Punkte"), or stands alone.
    const bool formula = c.sheet_final.find("= ") != std::string::npos;
    if (formula || definition.Flag36 != 0) {
      EXPECT_EQ(formula ? numbers.back() : numbers.front(), c.window_score) << c.sheet_final;
    }
    const std::size_t multi = c.sheet_final.find(" Multi");
    if (multi != std::string::npos) {
      const std::int64_t shown = std::stoll(Numbers(c.sheet_final.substr(0, multi)).back());
      // A product without any multiplier takes it as one.
      if (multipliers > 0) {
        EXPECT_EQ(shown, multipliers) << c.sheet_final;
      } else {
        EXPECT_LE(shown, 1) << c.sheet_final;
      }
    }
    if (ScoreIsProduct(definition)) {
      // The STF claims its points times the sum of its claimed multipliers.
      EXPECT_EQ(Tenths(c.stf_score), Tenths(c.stf_points) * std::max<std::int64_t>(multipliers, 1))
          << c.stf_points << " points";
    }
    if (!c.stf_score.empty()) {
      EXPECT_EQ(c.stf_score, c.window_score) << "the STF score";
    }
    EXPECT_EQ(c.cabrillo_score, c.window_score) << "the Cabrillo score";
  }

  // The STF claim of the slot named "Callmulti".
  static std::int64_t CallMultipliers(const contest::TContestRec& definition, const Claims& c) {
    for (std::size_t n = 0; n < 3; ++n) {
      if (definition.MultiplierNames[n] == "Callmulti") return c.stf[n];
    }
    ADD_FAILURE() << "no slot \"Callmulti\"";
    return -1;
  }

  char code_ = 0;
  contestlog_test::CallerForm caller_;
};

// The contests of the built-in set; those whose rules name bonus stations.
contest::DefinitionSet BuiltInSet() {
  contest::DefinitionProblems problems;
  return contest::ParseDefinitionSet(contest::BuiltInDefinitionText(), "contests.toml", problems);
}
std::vector<char> AllCodes() {
  const std::string codes = BuiltInSet().Codes();
  return {codes.begin(), codes.end()};
}
std::vector<char> BonusCodes() {
  const contest::DefinitionSet set = BuiltInSet();
  std::vector<char> codes;
  for (const char code : set.Codes()) {
    if (set.Find(code)->BonusCount > 0) codes.push_back(code);
  }
  return codes;
}
std::string CodeName(const ::testing::TestParamInfo<char>& info) {
  const auto c = static_cast<unsigned char>(info.param);
  if (std::isupper(c) != 0) return std::string("Upper") + info.param;
  if (std::isalnum(c) != 0) return std::string("Code") + info.param;
  return info.param == '!' ? "Bang" : "Dot";
}

class EveryContest : public ClaimedScoreTest, public ::testing::WithParamInterface<char> {};

TEST_P(EveryContest, TheReadersOfARandomLogAgree) {
  code_ = GetParam();
  const int class_index = ClassWithMultipliers(code_);
  const LogBuilder log = MakeLog(std::max(class_index, 1), false, kQsos);
  const Claims claims = Read(log);
  // Each band's QSOs counted once: the tallies add up to the log.
  EXPECT_EQ(claims.stf_qsos, kQsos);
  if (class_index == 0) GTEST_SKIP() << "no class counts multipliers";
  ExpectAgreement(log.Definition(), claims);
}

INSTANTIATE_TEST_SUITE_P(Codes, EveryContest, ::testing::ValuesIn(AllCodes()), CodeName);

// Another station stores QSOs after this one's window closed (and stored its tallies): a file
// written now claims them, as the window that counts them next does.
TEST_F(ClaimedScoreTest, AFileClaimsTheQsosStoredSinceAWindowLastClosed) {
  code_ = '9';
  const LogBuilder log = MakeLog(ClassWithMultipliers(code_), false, kQsos);
  const Claims before = Read(log);
  for (int n = 0; n < 10; ++n) {
    // As the other station's save left them: outside Europe, 3 points each.
    contest::TContestLKRec q = contestlog_test::Qso("K" + std::to_string(n) + "ELSE", 'b',
                                                    kContestDay, 20 * 3600 + 60 * n);
    q.DXCC = "K";
    q.Continent = "NA";
    q.Points = 3;
    log.Add(q);
  }
  const std::string claimed =
      common::Trim(common::StrAfter(LineWith(Output(log, 10), "CLAIMED-SCORE:"), ":"));
  const Claims after = Read(log);
  EXPECT_NE(after.window_score, before.window_score);
  EXPECT_EQ(claimed, after.window_score);
}

class BonusContest : public ClaimedScoreTest, public ::testing::WithParamInterface<char> {};

TEST_P(BonusContest, WithoutTheSuppliedCallsNoCallCounts) {
  code_ = GetParam();
  const LogBuilder log = MakeLog(1, true, kBonusLogQsos);
  const Claims claims = Read(log);
  ExpectAgreement(log.Definition(), claims);
  EXPECT_EQ(CallMultipliers(log.Definition(), claims), 0);
}

TEST_P(BonusContest, TheSuppliedCallsCountAndNoOther) {
  code_ = GetParam();
  SupplyBonusCalls(code_);
  const LogBuilder log = MakeLog(1, true, kBonusLogQsos);
  const Claims claims = Read(log);
  ExpectAgreement(log.Definition(), claims);
  // Each club station was worked once.
  const std::int64_t calls = CallMultipliers(log.Definition(), claims);
  EXPECT_GT(calls, 0);
  EXPECT_LE(calls, (kBonusLogQsos + kBonusEvery - 1) / kBonusEvery);
}

INSTANTIATE_TEST_SUITE_P(Codes, BonusContest, ::testing::ValuesIn(BonusCodes()), CodeName);

// --- the EDI file, as a sponsor's robot reads it ---

constexpr int kEdiLogQsos = 500;
// The bonus of a locator square new on its band, where a contest's rules give one.
constexpr std::int64_t kSquareBonus = 500;
constexpr std::uint32_t kCappedDistance = 2000;  // 'N' on 2 m

// The contests whose output menu offers the EDI file.
std::vector<char> EdiCodes() {
  const auto edi = std::find_if(app::kOutputMenu.begin(), app::kOutputMenu.end(),
                                [](const app::OutputMenuEntry& e) { return e.code == 15; });
  const contest::DefinitionSet set = BuiltInSet();
  std::vector<char> codes;
  for (const char code : set.Codes()) {
    const auto& menu = set.Find(code)->OutputMenu;
    if (menu && menu->test(static_cast<std::size_t>(edi->element))) codes.push_back(code);
  }
  return codes;
}

class EdiContest : public ClaimedScoreTest, public ::testing::WithParamInterface<char> {};

// A long log with distances beyond what 2 m counts, as a REG1TEST robot reads its file (the
// lint): each record's points are what the log counts for the QSO apart from a square bonus, the
// QSO that brought the bonus carries the new-square mark, the head's points are the records' sum,
// its square bonus the marks', and its total the score the window and the sheet claim.
TEST_P(EdiContest, TheFileClaimsTheSheetsScoreAndItsRecordsAddUp) {
  code_ = GetParam();
  const int class_index = std::max(ClassWithMultipliers(code_), 1);
  // The entry marks the QSO that brings a new square as its multiplier (the log's one band).
  const bool square_multiplier =
      LogBuilder(code_, class_index).Definition().MultiplierNames[0] == "Loc";
  std::set<std::string> taken;
  const LogBuilder log =
      MakeLog(class_index, false, kEdiLogQsos, [&](contest::TContestLKRec& q, int n) {
        q.Distance = static_cast<std::uint32_t>(40 + n * 397 % 2900);
        const std::string square = q.Loc.str().substr(0, 4);
        if (square_multiplier && taken.insert(square).second) q.CMulti = square;
      });
  const Claims claims = Read(log);
  channel_->SetParticipantAsker([](output::TuhfteilnehmerParams&) {});
  const std::string edi = Output(log, 15);
  EXPECT_EQ(output_test::LintReg1Test(edi, std::stoll(claims.window_score)),
            std::vector<std::string>{});
  EXPECT_EQ(Numbers(claims.sheet_final).back(), claims.window_score) << claims.sheet_final;

  const std::vector<std::string> lines = Lines(edi);
  const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("[QSORecords;", 0) == 0;
  });
  const std::vector<contest::TContestLKRec> qsos = Records(log.Number());
  ASSERT_EQ(lines.end() - first - 1, static_cast<std::ptrdiff_t>(qsos.size()));
  const bool nac = code_ == 'N';
  std::set<std::string> squares;
  for (std::size_t n = 0; n < qsos.size(); ++n) {
    const contest::TContestLKRec& q = qsos[n];
    const std::vector<std::string> record = output_test::SplitFields(first[1 + n]);
    ASSERT_EQ(record.size(), 15u) << first[1 + n];
    ASSERT_EQ(record[2], q.Call.str()) << n;
    const std::int64_t points = std::stoll(record[10]);
    const bool marked = record[12] == "N";
    const bool first_of_square = squares.insert(q.Loc.str().substr(0, 4)).second;
    EXPECT_EQ(marked, nac && first_of_square) << q.Call.str() << " " << q.Loc.str();
    EXPECT_EQ(points + (marked ? kSquareBonus : 0), q.Points) << q.Call.str();
    if (nac) {
      EXPECT_EQ(points, std::min(q.Distance.get(), kCappedDistance)) << q.Call.str();
    }
  }
  if (nac) {
    EXPECT_EQ(output_test::Reg1TestValue(lines, "CWWLs"),
              std::to_string(squares.size()) + ";500;1");
  }
}

INSTANTIATE_TEST_SUITE_P(Codes, EdiContest, ::testing::ValuesIn(EdiCodes()), CodeName);

}  // namespace
}  // namespace app_test
