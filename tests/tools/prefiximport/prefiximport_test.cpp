// The prefix importer: what it makes of the real country file and of a small one, and that a
// damaged file stops it with the line and the reason, leaving the old tables as they were.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/logbook/reference/prefix_fixture.h"

namespace logbook::testing {
namespace {

namespace fs = std::filesystem;
using common::testing::ReadFile;
using common::testing::WriteFile;

constexpr const char* kTableFiles[] = {"PXPREFIX.DAT", "PXPREFIX.IX",  "PXPREFES.DAT",
                                       "PXPREFES.IX",  "PXPREFEE.DAT", "PXPREFEE.IX"};

// Runs the importer; answers its exit code and puts what it wrote on stderr into `errors`.
int Import(const std::string& csv, const std::string& folder, std::string& errors,
           const std::string& dat = "") {
  common::testing::TempFolder scratch;
  const std::string err = scratch / "stderr";
  const std::string command = std::string(PREFIXIMPORT_PATH) + " '" + csv + "' '" + folder +
                              "'" + (dat.empty() ? "" : " '" + dat + "'") + " > /dev/null 2> '" +
                              err + "'";
  const int status = std::system(command.c_str());
  errors = ReadFile(err);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The prefixes and exact calls of the country file, counted apart from the importer.
std::pair<std::size_t, std::size_t> AliasCounts() {
  std::set<std::string> prefixes;
  std::set<std::string> calls;
  for (const std::string& line : Lines(CTY_CSV_PATH)) {
    std::string aliases = line.substr(line.rfind(',') + 1);
    aliases.pop_back();  // ";"
    std::istringstream words(aliases);
    for (std::string word; words >> word;) {
      const std::string text = word.substr(0, word.find_first_of("([{<~"));
      if (text[0] == '=') {
        calls.insert(text.substr(1));
      } else {
        prefixes.insert(text);
      }
    }
  }
  // cty.dat: comma-separated aliases below each entity line, the exact calls with "=".
  for (const std::string& line : Lines(CTY_DAT_PATH)) {
    if (line.empty() || line[0] != ' ') continue;
    std::string aliases = line;
    for (char& c : aliases) {
      if (c == ',' || c == ';') c = ' ';
    }
    std::istringstream words(aliases);
    for (std::string word; words >> word;) {
      if (word[0] == '=') calls.insert(word.substr(1, word.find_first_of("([{<~") - 1));
    }
  }
  return {prefixes.size(), calls.size()};
}

// Stand-ins for the old tables: the importer never opens them, so their bytes show whether it
// touched them.
std::string PutOldTables(const common::testing::TempFolder& folder) {
  std::string before;
  for (const char* name : kTableFiles) {
    WriteFile(folder / name, std::string("old ") + name);
    before += ReadFile(folder / name);
  }
  return before;
}

std::string TablesIn(const common::testing::TempFolder& folder) {
  std::string now;
  for (const char* name : kTableFiles) now += ReadFile(folder / name);
  return now;
}

TEST(PrefixImport, TheBuildsTablesHoldEveryPrefixAndExactCallOnceAndAreSound) {
  const auto [prefixes, calls] = AliasCounts();
  const std::string tables = PREFIX_TABLES_DIR "/";
  const storage::CheckReport main = CheckTable(tables, kPrefixMain);
  const storage::CheckReport exact = CheckTable(tables, kPrefixExact);
  EXPECT_EQ(main.Text() + exact.Text(), "");
  EXPECT_EQ(static_cast<std::size_t>(main.used_records), prefixes);
  EXPECT_EQ(static_cast<std::size_t>(exact.used_records), calls);
  EXPECT_GT(calls, 10000u);
}

// Line `line` of the real file with its first `from` replaced by `to`.
struct Damage {
  const char* name;
  std::size_t line;
  const char* from;
  const char* to;
  const char* reason;
};

const Damage kDamages[] = {
    // "3A,Monaco,260,EU,14,27,43.73,-7.40,-1.0,3A =3A/4Z5KJ/LH;"
    {"AFieldMissing", 3, "EU,", "", "expected 10 fields, found 9"},
    {"APrefixOverSixCharacters", 3,
     "3A =", "3AXXXXX =", "prefix \"3AXXXXX\" longer than 6 characters"},
    {"ACallOverFourteenCharacters", 3, "LH;", "LHXXXX;",
     "call \"3A/4Z5KJ/LHXXXX\" longer than 14 characters"},
    {"NoClosingSemicolon", 3, ";", "", "the aliases do not end in \";\""},
    // "3B6,Agalega & St. Brandon,4,AF,39,53,-10.45,-56.67,-4.0,3B6 3B7;"
    {"AnUnknownAdifNumber", 4, ",4,", ",73,", "ADIF number 73 names no DXCC entity"},
};

class DamagedFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, StopsTheImportAndLeavesTheTablesAsTheyWere) {
  const Damage& d = GetParam();
  common::testing::TempFolder folder;
  std::vector<std::string> lines = Lines(CTY_CSV_PATH);
  ASSERT_LE(d.line, lines.size());
  std::string& line = lines[d.line - 1];
  line.replace(line.find(d.from), std::string_view(d.from).size(), d.to);
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  WriteFile(folder / "cty.csv", text);
  const std::string before = PutOldTables(folder);

  std::string errors;
  EXPECT_EQ(Import(folder / "cty.csv", folder.path(), errors), 1);
  EXPECT_EQ(errors, folder / "cty.csv" + ":" + std::to_string(d.line) + ": " + d.reason + "\n");
  EXPECT_TRUE(TablesIn(folder) == before) << "the old tables changed";
  EXPECT_FALSE(fs::exists(folder / "prefiximport.tmp"));
}

INSTANTIATE_TEST_SUITE_P(Cty, DamagedFile, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// Files that read without a fault but would give tables that resolve nothing, and a cty.dat
// that does not fit the csv file.
struct Refused {
  const char* name;
  const char* csv;
  const char* dat;  // nullptr: none given
  const char* file;  // "csv" or "dat": where the reason is
  int line;
  const char* reason;
};

const Refused kRefused[] = {
    {"EmptyFile", "", nullptr, "csv", 0, "the file holds no prefix"},
    {"OnlyAnExactCall", "DL,Germany,230,EU,14,28,51.00,-10.00,-1.0,=DL1ABC;\r\n", nullptr, "csv", 1,
     "the file holds no prefix"},
    {"DatEntityNotInTheCsvFile", "DL,Germany,230,EU,14,28,51.00,-10.00,-1.0,DL;\r\n",
     "Austria:  15:  28:  EU:   47.33:   -13.33:    -1.0:  OE:\n    OE,=OE1ABC;\n", "dat", 1,
     "entity \"OE\" is not in the csv file"},
};

class RefusedFile : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedFile, StopsWithTheReasonAndLeavesNothingBehind) {
  const Refused& r = GetParam();
  common::testing::TempFolder folder;
  WriteFile(folder / "cty.csv", r.csv);
  if (r.dat != nullptr) WriteFile(folder / "cty.dat", r.dat);
  const std::string before = PutOldTables(folder);
  std::string errors;
  EXPECT_EQ(Import(folder / "cty.csv", folder.path(), errors,
                   r.dat != nullptr ? folder / "cty.dat" : ""),
            1);
  EXPECT_EQ(errors, folder / ("cty." + std::string(r.file)) + ":" + std::to_string(r.line) +
                        ": " + r.reason + "\n");
  EXPECT_TRUE(TablesIn(folder) == before) << "the old tables changed";
  EXPECT_FALSE(fs::exists(folder / "prefiximport.tmp"));
  EXPECT_FALSE(fs::exists(folder / "prefiximport.old"));
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedFile, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

// A small file: zones, continent and position of an alias, WAE codes (of the European entities
// and the WAE parts), and an exact call of a WAE part that its DXCC entity lists again.
class SmallImportTest : public PrefixDbTest {
 protected:
  void SetUp() override {
    WriteFile(folder_ / "cty.csv",
              "DL,Fed. Rep. of Germany,230,EU,14,28,51.00,-10.00,-1.0,DA DL "
              "=DL1ABC(15)[29]{AF}<40.0/-5.0>;\r\n"
              "*IT9,Sicily,248,EU,15,28,37.50,-14.00,-1.0,IT9 =IT9ABC;\r\n"
              "I,Italy,248,EU,15,28,42.82,-12.58,-1.0,I =IT9ABC;\r\n"
              "1S,Spratly Islands,247,AS,26,50,9.88,-114.23,-8.0,9M0 BM9S;\r\n");
    // The same data in the other form, with calls the csv file lacks.
    WriteFile(folder_ / "cty.dat",
              "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
              "    DA,DL,=DL1ABC(16),=DL2XYZ(15)[29],\n"
              "    =DL3AA;\n"
              "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
              "    IT9,=IT9XYZ;\n"
              "Italy:                    15:  28:  EU:   42.82:   -12.58:    -1.0:  I:\n"
              "    I,=IT9ABC,=IT9XYZ;\n");
    WriteFile(folder_ / "PXPREFEE.DAT", "learnt");
    std::string errors;
    ASSERT_EQ(Import(folder_ / "cty.csv", folder_.path(), errors, folder_ / "cty.dat"), 0)
        << errors;
    EXPECT_EQ(ReadFile(folder_ / "PXPREFEE.DAT"), "learnt");
    fs::remove(folder_ / "PXPREFEE.DAT");
    PrefixDbTest::SetUp();
  }
  static std::string Entry(int kind, const std::string& prefix) {
    TdbPrefix c(kind);
    if (!c.FindExact(prefix)) return "(none)";
    return c.GetDXCC() + " " + std::to_string(c.GetADIFNr()) + " " + c.GetWAZ() + " " + c.GetITU() +
           " " + c.GetContinent() + " " + c.GetLocator() + " " + c.GetCountry() + " " + c.GetWAE();
  }
};

TEST_F(SmallImportTest, RecordsTakeTheEntityOrTheAliasOverrides) {
  EXPECT_EQ(Entry(kPrefixMain, "DA"), "DL 230 14 28 EU JO51AA Fed. Rep. of Germany DL");
  EXPECT_EQ(Entry(kPrefixExact, "DL1ABC"), "DL 230 15 29 AF JN20MA Fed. Rep. of Germany DL");
  EXPECT_EQ(Entry(kPrefixMain, "IT9"), "I 248 15 28 EU JM77AM Sicily IT9");
  EXPECT_EQ(Entry(kPrefixExact, "IT9ABC"), "I 248 15 28 EU JM77AM Sicily IT9");
  EXPECT_EQ(Entry(kPrefixMain, "I"), "I 248 15 28 EU JN62GT Italy I");
  EXPECT_EQ(Entry(kPrefixMain, "9M0"), "1S 247 26 50 AS OJ79CV Spratly Islands ");  // not in WAE
  EXPECT_EQ(TdbPrefix(kPrefixMain).UsedRecs(), 6);
}

TEST_F(SmallImportTest, TheDatFileAddsOnlyTheCallsTheCsvFileLacks) {
  EXPECT_EQ(Entry(kPrefixExact, "DL1ABC"), "DL 230 15 29 AF JN20MA Fed. Rep. of Germany DL");
  EXPECT_EQ(Entry(kPrefixExact, "DL2XYZ"), "DL 230 15 29 EU JO51AA Fed. Rep. of Germany DL");
  EXPECT_EQ(Entry(kPrefixExact, "DL3AA"), "DL 230 14 28 EU JO51AA Fed. Rep. of Germany DL");
  EXPECT_EQ(Entry(kPrefixExact, "IT9XYZ"), "I 248 15 28 EU JM77AM Sicily IT9");
  EXPECT_EQ(TdbPrefix(kPrefixExact).UsedRecs(), 5);
}

TEST_F(SmallImportTest, EachEntityHasOneMainEntryTheEntryOfItsDxccPrefixElseItsFirst) {
  const auto sel = [](const std::string& prefix) {
    TdbPrefix c(kPrefixMain);
    return c.FindExact(prefix) ? c.GetSel() : '?';
  };
  EXPECT_EQ(sel("DL"), 'H');
  EXPECT_EQ(sel("DA"), 0);
  EXPECT_EQ(sel("I"), 'H');
  EXPECT_EQ(sel("IT9"), 0);  // a part that counts for WAE only
  EXPECT_EQ(sel("9M0"), 'H');
  EXPECT_EQ(sel("BM9S"), 0);
}

}  // namespace
}  // namespace logbook::testing
