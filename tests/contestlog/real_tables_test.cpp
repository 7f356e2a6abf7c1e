// The log window's prefix data and points on the prefix tables the build makes from the country
// file: the WAG points of a German entrant, which follow the WAE list, and the entity of a call
// the country file lists by itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "contestlog/station_data.h"
#include "tests/common/rows.h"
#include "tests/contestlog/core_fixture.h"

namespace contestlog {
namespace {

using contestlog_test::CoreOnLog;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

// The log window's kit with the build's tables in place of the small fixture table.
class RealTablesTest : public contestlog_test::LogTest {
 protected:
  void SetUp() override {
    for (const char* name : {"PXPREFIX.DAT", "PXPREFIX.IX", "PXPREFES.DAT", "PXPREFES.IX"}) {
      std::filesystem::copy_file(std::filesystem::path(PREFIX_TABLES_DIR) / name, folder_ / name);
    }
    ServiceTest::SetUp();
  }
  // A QSO with `call` in a WAG log of DL1ABC, as PrefixData leaves it.
  static contest::TContestLKRec WagQso(const char* call) {
    LogBuilder b('W', 1);
    b.Create();
    CoreOnLog on(b);
    on.core.LogTable->ClearRec();
    on.core.LogTable->SetLKRec(Qso(call, 'c', kContestDay, 3600));
    EXPECT_TRUE(PrefixData(*on.core.LogTable, *on.core.Catalogue, on.core.PointsRoutine(),
                           on.core.PrefixLookup, on.core.Definition));
    contest::TContestLKRec qso{};
    on.core.LogTable->GetLKRec(qso);
    return qso;
  }
};

struct WagRow {
  const char* name;
  const char* call;
  std::uint16_t points;
};

class WagPoints : public RealTablesTest, public ::testing::WithParamInterface<WagRow> {};

// The own station DL1ABC: 1 point for Germany, 3 for the other entities of the WAE list, 5 for
// the rest of the world.
TEST_P(WagPoints, ByTheWaeListOfTheCountryFile) {
  const contest::TContestLKRec qso = WagQso(GetParam().call);
  EXPECT_EQ(qso.Points, GetParam().points) << qso.DXCC.str();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Calls, WagPoints, ::testing::Values(
    WagRow{"Germany", "DL2XYZ", 1}, WagRow{"GermanClubStation", "DK0ABC", 1},
    WagRow{"France", "F5ABC", 3}, WagRow{"England", "G4ABC", 3}, WagRow{"Poland", "SP9ABC", 3},
    WagRow{"Austria", "OE3ABC", 3}, WagRow{"Spain", "EA3ABC", 3}, WagRow{"Netherlands", "PA3ABC", 3},
    WagRow{"EuropeanRussia", "UA3ABC", 3}, WagRow{"Kaliningrad", "UA2FZ", 3},
    WagRow{"Sicily", "IT9ABC", 3}, WagRow{"AfricanItaly", "IG9XYZ", 3},
    WagRow{"EuropeanTurkey", "TA1ABC", 3}, WagRow{"Svalbard", "JW5ABC", 3},
    WagRow{"Azores", "CU2ABC", 3}, WagRow{"Madeira", "CT3ABC", 5},
    WagRow{"UnitedStates", "W1AW", 5}, WagRow{"Japan", "JA1ABC", 5},
    WagRow{"AsiaticRussia", "UA9ABC", 5}, WagRow{"AsiaticTurkey", "TA2ABC", 5},
    WagRow{"CanaryIslands", "EA8ABC", 5}, WagRow{"Israel", "4X1AB", 5}),
    common::testing::RowName);
// clang-format on

struct ListedCallRow {
  const char* name;
  const char* call;
  const char* dxcc;  // as the WAG log counts it: the WAE code where there is one
  const char* continent;
};

class ListedCalls : public RealTablesTest, public ::testing::WithParamInterface<ListedCallRow> {};

// A call the country file lists by itself belongs to the entity that lists it, whatever its
// prefix says.
TEST_P(ListedCalls, TakeTheEntityThatListsThem) {
  const contest::TContestLKRec qso = WagQso(GetParam().call);
  EXPECT_EQ(qso.DXCC.str(), GetParam().dxcc);
  EXPECT_EQ(qso.Continent.str(), GetParam().continent);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Calls, ListedCalls, ::testing::Values(
    ListedCallRow{"UnitedNations", "4U1UN", "4U1U", "NA"},
    ListedCallRow{"Itu", "4U1ITU", "4U1I", "EU"},
    ListedCallRow{"ViennaCentre", "4U1A", "4U1V", "EU"},
    ListedCallRow{"UnitedStatesNotWake", "KH9AE", "K", "NA"},
    ListedCallRow{"AlaskaNotUnitedStates", "AF7DQ", "KL", "NA"},
    ListedCallRow{"ShetlandNotEngland", "GB0BL", "GM/S", "EU"},
    ListedCallRow{"RotumaNotFiji", "3D2RRR", "3D2/R", "OC"},
    ListedCallRow{"PlainCall", "DL2XYZ", "DL", "EU"}),
    common::testing::RowName);
// clang-format on

}  // namespace
}  // namespace contestlog
