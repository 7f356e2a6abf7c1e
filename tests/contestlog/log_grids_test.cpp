// The log window's grids: the QSO list bound to a log, column widths kept and read back at 96
// and 120 dpi and with a font factor, and the cluster grid's widths with their protocol line.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/key_text.h"
#include "common/protocol.h"
#include "contestlog/column_places.h"
#include "contestlog/log_grids.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/panel.h"
#include "platform/qt/speed_button.h"
#include "tests/contestlog/window_fixture.h"
#include "ui/mouse_grid.h"

namespace contestlog {
namespace {

using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::MainTables;
using contestlog_test::Qso;

constexpr int kPanelColour = 0x00123456;

// A form holding one grid browser bound to the QSO table of a log.
class GridForm : public ui::testing::SizedForm {
 public:
  GridForm(std::int32_t log, std::uint8_t option)
      : SizedForm(800, 400, true, true), table(contest::kTableLK, log) {
    brow = new ui::TkvBrow(this);
    brow->SetName("Brow");
    brow->SetParent(this);
    Show();
    SetupLogGrid(*brow, kLogGridListNr, option, table, this);
  }
  void Columns(const std::string& header) { brow->SetHeaderFooter(header, "", {}, {}, ""); }
  contest::TdbContest table;
  ui::TkvBrow* brow;
};

class LogGridsTest : public contestlog_test::LogWindowTest {
 protected:
  explicit LogGridsTest(int dpi = 96) : LogWindowTest(dpi) {}
  void SetUp() override {
    LogWindowTest::SetUp();
    logbook::ToSetupLayout layout = Settings().GetLayout();
    layout.panel_colour = kPanelColour;
    Settings().SetLayout(layout);
    LogBuilder b('.', 5);
    log_ = b.Create();
    for (int i = 0; i < 3; ++i) b.Add(Qso("DL" + std::to_string(i) + "XYZ", 'c', kContestDay, i));
  }
  static logbook::ToSetups& Settings() { return common::Service<logbook::ToSetups>::Get(); }

  std::int32_t log_ = 0;
};

TEST_F(LogGridsTest, TheQsoListIsAPlainViewOfTheWholeLogByNumber) {
  GridForm form(log_, 3);
  ui::TkvBrow& brow = *form.brow;
  EXPECT_EQ(brow.GetKeyNr(), 4);
  EXPECT_EQ(brow.ListNr(), kLogGridListNr);
  EXPECT_EQ(brow.OwnerByte(), 3);
  EXPECT_EQ(common::LenArrayToShort(brow.Page()->LKey()), common::KeyIntToStr(1, true));
  EXPECT_EQ(common::LenArrayToShort(brow.Page()->HKey()), common::KeyIntToStr(999999999, true));
  EXPECT_EQ(brow.Page()->LastFilledRow(), 3);
  EXPECT_FALSE(brow.GetGrid().TabStop());
  EXPECT_FALSE(brow.CloseButton1()->Visible());
  EXPECT_FALSE(brow.CloseButton2()->Visible());
  EXPECT_FALSE(brow.EditButton()->Visible());
  EXPECT_FALSE(brow.SortCombo()->Visible());
  EXPECT_EQ(brow.TopPanel()->Color(), kPanelColour);
  EXPECT_EQ(brow.BottomBar()->Color(), kPanelColour);
  EXPECT_EQ(brow.Align(), platform::qt::TAlign::alClient);
  EXPECT_EQ(brow.BoundsRect(), form.ClientRect());
}

struct WidthRow {
  const char* name;
  std::uint8_t layout_number;
  int dpi;
  double font_factor;
};

class GridWidthRows : public LogGridsTest, public ::testing::WithParamInterface<WidthRow> {
 protected:
  GridWidthRows() : LogGridsTest(GetParam().dpi) {}
};

TEST_P(GridWidthRows, WidthsAreKeptUnscaledInTheirPlaceAndComeBackForTheScreen) {
  const WidthRow& row = GetParam();
  MainTables main(log_);
  GridForm form(log_, 0);
  ui::TkvBrow& brow = *form.brow;
  form.Columns("Nr;Call;Zeit;Band");
  brow.SetFontFactor(row.font_factor);
  const int widths[] = {60, 100, 45, 80};  // screen pixels; all divide by 1.25 evenly
  for (int c = 0; c < 4; ++c) brow.SetColWidth(c, widths[c]);
  const logbook::ToSetupLayout layout_before = Settings().GetLayout();
  int keeps = 0;
  Settings().SetKeeper([&keeps] { return ++keeps, true; });
  StoreGridColumns(brow, row.layout_number, true, main.catalogue);
  StoreGridColumns(brow, row.layout_number, true, main.catalogue);  // nothing changed: no write
  Settings().SetKeeper(nullptr);

  const double shrink = 96.0 / row.dpi / row.font_factor;
  const contest::TContestKKRec stored_log = CatalogueRecord(log_);
  const logbook::ToSetupLayout layout = Settings().GetLayout();
  for (int c = 0; c < 4; ++c) {
    const int kept = static_cast<int>(widths[c] * shrink);
    const int place = 20 * brow.GetKeyNr() + 2 * c;  // in the layout's column table
    switch (row.layout_number) {
      case kLayoutCatalogue:
        EXPECT_EQ(stored_log.GridColumnWidths[c], kept) << c;
        break;
      case kLayoutCorrection:
        EXPECT_EQ(layout.column_table3[place] | layout.column_table3[place + 1] << 8, kept) << c;
        break;
      default:
        EXPECT_EQ(layout.column_table5[place] | layout.column_table5[place + 1] << 8, kept) << c;
    }
    brow.SetColWidth(c, 1);
    EXPECT_EQ(ApplyGridColumns(c, brow, true, main.catalogue, row.layout_number), widths[c]) << c;
  }
  // Layout 0 lives in the catalogue only, the others in the settings only, written at once.
  EXPECT_EQ(keeps, row.layout_number == kLayoutCatalogue ? 0 : 1);
  if (row.layout_number == kLayoutCatalogue) {
    EXPECT_EQ(layout, layout_before);
  } else {
    for (const auto& width : stored_log.GridColumnWidths) EXPECT_EQ(width, 0);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Places, GridWidthRows, ::testing::Values(
    WidthRow{"Catalogue", kLayoutCatalogue, 96, 1.0},
    WidthRow{"Correction", kLayoutCorrection, 96, 1.0},
    WidthRow{"Cluster", kLayoutCluster, 96, 1.0},
    WidthRow{"CatalogueAt120Dpi", kLayoutCatalogue, 120, 1.0},
    WidthRow{"CorrectionAt120Dpi", kLayoutCorrection, 120, 1.0},
    WidthRow{"ClusterWithFontFactor", kLayoutCluster, 96, 1.25}),
    [](const ::testing::TestParamInfo<WidthRow>& info) { return info.param.name; });
// clang-format on

TEST_F(LogGridsTest, ClusterColumnsByTitleHandlerOrKeptWidthWithTheirProtocolLine) {
  common::testing::WriteFile(folder_ / "protokoll.dat", "");
  common::Protocol::ResetRun();
  GridForm form(log_, 0);
  ui::TkvBrow& brow = *form.brow;
  form.Columns("Call;Frequenz;Zeit");
  ui::TkvMouseGrid& grid = brow.GetGrid();
  const int x = brow.XWidth();
  ASSERT_GT(x, 0);
  auto widths = [&] {
    std::string text;
    for (int c = 0; c < grid.ColCount(); ++c) text += std::to_string(grid.ColWidths(c)) + ";";
    return text;
  };
  auto total = [&] {
    int sum = 5;
    for (int c = 0; c < grid.ColCount(); ++c) sum += grid.ColWidths(c) + grid.GridLineWidth();
    return sum;
  };

  // By title: (length + 1) characters.
  int result = ClusterGridLayout(brow);
  EXPECT_EQ(result, total());
  const std::string by_title =
      std::to_string(5 * x) + ";" + std::to_string(9 * x) + ";" + std::to_string(5 * x) + ";";
  EXPECT_EQ(widths(), by_title);
  // Widths the browser keeps for its key (below the grid's width), times the font factor.
  for (int c = 0; c < 3; ++c) grid.SetColWidths(c, 40 + 10 * c);
  brow.LogLayout();
  brow.SetFontFactor(1.5);
  ClusterGridLayout(brow);
  const std::string kept = widths();
  EXPECT_EQ(kept, "60;75;90;");
  // A column-width handler wins; its 0 means by title.
  brow.OnBrowColWidths = [](int c) { return c == 1 ? 123 : 0; };
  result = ClusterGridLayout(brow);
  EXPECT_EQ(result, total());
  EXPECT_EQ(widths(), std::to_string(5 * x) + ";123;" + std::to_string(5 * x) + ";");

  // Each line stamped with the clock's day and time (12:00 UTC on 9 March), one per call.
  const std::string file = common::testing::ReadFile(folder_ / "protokoll.dat");
  std::string expected;
  for (const std::string& w : {by_title, kept, widths()}) {
    expected += " 09.03 12:00:00 GRC 47:" + w + "\r\n";
  }
  std::string lines;
  for (std::size_t at = file.find(" GRC "); at != std::string::npos;
       at = file.find(" GRC ", at + 1)) {
    const std::size_t start = file.rfind("\r\n", at);
    const std::size_t from = start == std::string::npos ? 0 : start + 2;
    lines += file.substr(from, file.find("\r\n", at) + 2 - from);
  }
  EXPECT_EQ(lines, expected) << file;
  common::Protocol::ResetRun();
}

}  // namespace
}  // namespace contestlog
