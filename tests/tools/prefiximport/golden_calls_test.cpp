// Real calls resolved on the tables the build made from the country file of hamradio-files.
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/string_helpers.h"
#include "tests/logbook/reference/prefix_fixture.h"

namespace logbook::testing {
namespace {

namespace fs = std::filesystem;

// The build's tables, copied once for the suite: they are opened for shared use, which writes.
class GoldenCallsTest : public PrefixDbTest {
 protected:
  static void SetUpTestSuite() {
    tables_ = new common::testing::TempFolder();
    for (const char* name : {"PXPREFIX.DAT", "PXPREFIX.IX", "PXPREFES.DAT", "PXPREFES.IX"}) {
      fs::copy_file(fs::path(PREFIX_TABLES_DIR) / name, *tables_ / name);
    }
  }
  static void TearDownTestSuite() {
    delete tables_;
    tables_ = nullptr;
  }
  void SetUp() override {
    common::Service<storage::DriverSystem>::Get().SetStartFolder(tables_->path() + "/");
    PrefixDbTest::SetUp();
  }

  static common::testing::TempFolder* tables_;
};

common::testing::TempFolder* GoldenCallsTest::tables_ = nullptr;

struct Golden {
  const char* call;
  const char* answer;  // prefix, DXCC, CQ and ITU zone, continent, WAE code
};

// clang-format off
const Golden kGolden[] = {
    {"DL1ABC", "DL1 DL 14 28 EU DL"},         {"DK0XYZ", "DK0 DL 14 28 EU DL"},
    {"DL1ABC/P", "DL1 DL 14 28 EU DL"},       {"OE/DL1ABC", "OE OE 15 28 EU OE"},
    {"IT9ABC", "IT9 I 15 28 EU IT9"},         {"IG9XYZ", "IG9 I 33 37 AF IG9"},
    {"TA1ABC", "TA1 TA 20 39 EU TA1"},        {"TA2ABC", "TA2 TA 20 39 AS -"},
    {"K1ABC", "K1 K 05 08 NA -"},             {"W6XYZ", "W6 K 03 06 NA -"},
    {"KH6ABC", "KH6 KH6 31 61 OC -"},         {"KL7XX", "KL7 KL 01 01 NA -"},
    {"VE3ABC", "VE3 VE 04 04 NA -"},          {"VY0ERC", "VY0 VE 02 04 NA -"},
    {"JA1ABC", "JA1 JA 25 45 AS -"},          {"UA9ABC", "UA9 RA-AS 17 30 AS -"},
    {"R9UAG", "R9U RA-AS 18 31 AS -"},        {"UA3ABC", "U3 UA 16 29 EU UA"},
    {"UA2FZ", "UA2 UA2 15 29 EU UA2"},        {"EA8ABC", "EA8 EA8 33 36 AF -"},
    {"EA9XY", "EA9 EA9 33 37 AF -"},          {"4X1AB", "4X 4X 20 39 AS -"},
    {"VK9XX", "VK9X VK9X 29 54 OC -"},        {"CE0Y", "CE0 CE0Y 12 63 SA -"},
    {"9M2AB", "9M 9M2 28 54 AS -"},           {"A61AB", "A6 A6 21 39 AS -"},
    {"PY0F", "PY0F PY0F 11 13 SA -"},         {"N2NL/MM", "N2NL/M K 07 08 NA -"},
    {"4U1ITU", "4U1ITU 4U1I 14 28 EU 4U1I"}, {"4U1A", "4U1A OE 15 28 EU 4U1V"},
    {"GB0BL", "GB0BL GM 14 27 EU GM/S"},      {"3Y0J", "3Y0J 3Y/B 38 67 AF -"},
    {"F5ABC", "F5 F 14 27 EU F"},             {"SV2ASP/A", "SV2ASP SV/A 20 28 EU SV/A"},
    // Portable calls, by the part that carries the prefix.
    {"DK1RI/EA8", "EA8 EA8 33 36 AF -"},      {"AE4X/KP4", "KP4 KP4 08 11 NA -"},
    {"UA3TT/2", "UA2 UA2 15 29 EU UA2"},      {"EA8/DL1ABC/P", "EA8 EA8 33 36 AF -"},
    // Exact calls with zones of their own that only cty.dat holds.
    {"AA0O", "AA0O K 05 08 NA -"},            {"WA2GO", "WA2GO K 05 08 NA -"},
};
// clang-format on


class GoldenCall : public GoldenCallsTest, public ::testing::WithParamInterface<Golden> {};

TEST_P(GoldenCall, ResolvesToItsEntity) {
  TdbPrefix cursor;
  ASSERT_EQ(cursor.ResolveCall(GetParam().call, kToday, true), ResolveResult::kResolved);
  const std::string wae = cursor.GetWAE().empty() ? "-" : cursor.GetWAE();
  EXPECT_EQ(cursor.GetPrefix() + " " + cursor.GetDXCC() + " " + cursor.GetWAZ() + " " +
                cursor.GetITU() + " " + cursor.GetContinent() + " " + wae,
            GetParam().answer);
  // The entity number agrees with the DXCC prefix's (deleted entities sharing it aside).
  EXPECT_EQ(cursor.GetADIFNr(), Analysis().DXCCNumberOfPrefix(cursor.GetDXCC()));
}

// The WAE list is the European entities of the country file and its "*" entities: every prefix
// and exact call of theirs carries the entity's code (a "*" entity's own prefix, else the DXCC
// prefix), every other none. An exact call a "*" entity lists is its.
TEST_F(GoldenCallsTest, EveryEntityOfTheWaeListCarriesItsCodeAndNoOther) {
  struct Expected {
    bool listed = false;
    std::string star_code;  // a "*" entity's code; empty: the DXCC prefix
  };
  std::map<std::string, Expected> prefixes;
  std::map<std::string, Expected> calls;
  std::set<std::string> listed_entities;
  std::ifstream in(CTY_CSV_PATH);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    if (f.size() != 10) continue;
    const bool star = f[0][0] == '*';
    const Expected expected{star || f[3] == "EU", star ? common::UpperCase(f[0].substr(1)) : ""};
    if (expected.listed) listed_entities.insert(f[0]);
    std::istringstream aliases(f[9].substr(0, f[9].size() - 1));
    for (std::string alias; aliases >> alias;) {
      const std::string text = alias.substr(0, alias.find_first_of("([{<~"));
      if (text[0] != '=') {
        prefixes[text] = expected;
      } else if (star || !calls.contains(text.substr(1))) {
        calls[text.substr(1)] = expected;
      }
    }
  }
  ASSERT_GT(listed_entities.size(), 60u);
  for (const auto* table : {&prefixes, &calls}) {
    TdbPrefix cursor(table == &prefixes ? kPrefixMain : kPrefixExact);
    for (const auto& [text, expected] : *table) {
      ASSERT_TRUE(cursor.FindExact(text)) << text;
      const std::string code = !expected.listed             ? ""
                               : expected.star_code.empty() ? cursor.GetDXCC()
                                                            : expected.star_code;
      EXPECT_EQ(cursor.GetWAE(), code) << text;
    }
  }
}

TEST_F(GoldenCallsTest, AMaritimeMobileHasNoEntity) {
  TdbPrefix cursor;
  EXPECT_EQ(cursor.ResolveCall("K0IIT/MM", kToday, true), ResolveResult::kNotFound);
  EXPECT_EQ(cursor.ResolveCall("DL1ABC/AM", kToday, true), ResolveResult::kNotFound);
}

INSTANTIATE_TEST_SUITE_P(Real, GoldenCall, ::testing::ValuesIn(kGolden), [](const auto& info) {
  std::string name = info.param.call;
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return name;
});

}  // namespace
}  // namespace logbook::testing
