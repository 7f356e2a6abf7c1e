// The list grids' painting in both looks (checked by pixel), the grid rule of the dialog layout,
// the text-file viewer and the mouse grid.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <string>
#include <utility>

#include "common/grid_colours.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/common/temp_folder.h"
#include "tests/ui/ui_fixture.h"
#include "ui/grafik.h"
#include "ui/grid_owner.h"
#include "ui/layout.h"
#include "ui/mouse_grid.h"
#include "ui/text_file_viewer.h"

namespace ui {
namespace {

using common::RGB;
using platform::qt::TBitmap;
using platform::qt::TRect;

// A list window whose grid is painted as the grid controller paints it (its rectangle narrowed
// by 2 on the right), in the view it is given.
class ListForm : public testing::SizedForm, public BrowserGridOwner {
 public:
  ListForm() : SizedForm(520, 420, false, true) {
    grid = new TkvMouseGrid(this);
    grid->SetParent(this);
    grid->SetBounds(0, 0, 520, 420);
    grid->SetColCount(4);
    grid->SetRowCount(21);
    grid->SetFixedCols(0);
    grid->SetDefaultRowHeight(18);
    grid->SetDefaultDrawing(false);
    grid->OnDrawCell = [this](platform::qt::TComponent*, int c, int r, const TRect& rect,
                              platform::qt::TGridDrawState) {
      const TRect cell{rect.Left, rect.Top, rect.Right - 2, rect.Bottom};
      TBitmap* b = buffered ? &buffer : nullptr;
      TBitmap* g = cached ? &cache : nullptr;
      if (r == 0) {
        ToLayout::DrawHeaderCell(*grid, c == 1, cell, c, b, g);
      } else {
        ToLayout::DrawCell(*grid, cell, r, c, b, g, r == current, r == hot);
      }
    };
    for (int c = 0; c < 4; ++c) grid->SetCells(c, 0, "Spalte " + std::to_string(c));
    for (int r = 1; r < 21; ++r) {
      grid->SetCells(0, r, "DL" + std::to_string(r) + "ABC");
      grid->SetCells(1, r, r == 12 ? "???" : "20m");
      grid->SetCells(2, r, "599");
      grid->SetCells(3, r, "MMMMMMMM");
    }
    for (int c = 0; c < 4; ++c) {
      grid->SetCells(c, 10, "");
      grid->SetObjects(c, 7, 1);  // marked
      grid->SetObjects(c, 8, 1);
    }
    Show();
    // Thrown away: the first paint of the new look gives the header its height and takes the
    // grid lines away, and a slow display may show that very paint.
    Shot();
  }
  TBrowserView BrowserView() const override { return view; }
  void SelectDrawFrame(platform::qt::TCanvas&, const TRect&) override { ++frames; }

  TBitmap Shot() { return platform::qt::testkit::Grab(*grid); }
  TRect Cell(int c, int r) const {
    const TRect rect = grid->CellRect(c, r);
    return {rect.Left, rect.Top, rect.Right - 2, rect.Bottom};
  }
  // The x positions of the cell's pixels in `ink`, relative to the cell's left edge.
  std::set<int> Ink(int c, int r, TColor ink) {
    const TBitmap shot = Shot();
    const TRect cell = Cell(c, r);
    std::set<int> xs;
    for (int y = cell.Top; y < cell.Bottom; ++y) {
      for (int x = cell.Left; x < cell.Right; ++x) {
        if (shot.Pixel(x, y) == ink) xs.insert(x - cell.Left);
      }
    }
    return xs;
  }

  TkvMouseGrid* grid;
  TBrowserView view = TBrowserView::kDetails;
  int current = 3;
  int hot = 5;
  bool buffered = false;
  bool cached = false;
  TBitmap buffer;
  TBitmap cache;
  int frames = 0;
};

class GridPaintingTest : public ::testing::Test {
 protected:
  // The cell's column right of its text matches a gradient painted alone from `top` to
  // `bottom` over the bar's rows (top + 1 .. bottom - 2); the fill shows above it.
  static void ExpectBar(const TBitmap& shot, const TRect& cell, TColor fill, TColor top,
                        TColor bottom) {
    const int x = cell.Right - 4;
    EXPECT_EQ(shot.Pixel(x, cell.Top), fill);
    TBitmap bar(2, cell.Height());
    ToGrafik::DrawVerlauf(bar.Canvas(), top, bottom, 0, 1, 1, cell.Height() - 2);
    for (int y = 1; y <= cell.Height() - 2; ++y) {
      ASSERT_EQ(shot.Pixel(x, cell.Top + y), bar.Pixel(0, y)) << "row " << y;
    }
  }
  void SetLook(bool new_look, int font_size = 9) {
    logbook::ToSetupLayout layout = settings->GetLayout();
    layout.layout_variant_switch = new_look ? 1 : 0;
    layout.font_size = font_size;
    settings->SetLayout(layout);
  }
  static TColor Shade(TColor c, float p) { return ToGrafik::FarbeAbstufen(c, p); }

  testing::ScreenScope screen{768, 96};
  common::ScopedService<logbook::ToSetups> settings;
  common::ScopedService<common::GridColours> colours;
};

TEST_F(GridPaintingTest, NewLookRowsAndHeader) {
  SetLook(true);
  ListForm form;
  const TBitmap shot = form.Shot();
  const auto at = [&](int c, int r, int dy) {
    const TRect cell = form.Cell(c, r);
    return shot.Pixel(cell.Left + 5, dy >= 0 ? cell.Top + dy : cell.Bottom + dy);
  };
  // Current and marked rows: the fill, then the gradient bar; the hovered row lighter.
  for (const int row : {3, 7}) {
    SCOPED_TRACE(row);
    ExpectBar(shot, form.Cell(0, row), RGB(0, 0, 115), RGB(127, 127, 191), RGB(0, 0, 128));
  }
  ExpectBar(shot, form.Cell(0, 5), RGB(207, 207, 218), RGB(242, 242, 248), RGB(229, 229, 242));
  EXPECT_FALSE(form.Ink(3, 5, 0x111111).empty());
  EXPECT_FALSE(form.Ink(3, 3, common::clWhite).empty());
  // Ordinary rows: even in the grid colour, odd in the second one, dark text and a line below.
  EXPECT_EQ(at(0, 4, 2), RGB(255, 255, 239));
  EXPECT_EQ(at(0, 9, 2), common::clWhite);
  EXPECT_EQ(at(0, 4, -1), Shade(0x800000, 40));
  EXPECT_FALSE(form.Ink(3, 4, 0x111111).empty());
  EXPECT_TRUE(form.Ink(3, 4, common::clBlack).empty());
  // The header: no grid lines, 24 high, the sort column's bands darker.
  EXPECT_EQ(form.grid->Options() & platform::qt::kGridLineOptions, 0u);
  EXPECT_EQ(form.grid->RowHeights(0), 24);
  const TColor face = common::ToGrafik::ColorToRGB(common::clBtnFace);
  EXPECT_EQ(at(1, 0, 1), Shade(face, 60));
  EXPECT_EQ(at(2, 0, 1), Shade(face, 100));
  EXPECT_EQ(at(2, 0, -2), Shade(face, 60));
  EXPECT_GT(form.frames, 0);  // the selection frame is the browser's, asked for every cell
  platform::qt::testkit::SaveScreenshot(*form.grid, "grid_new_look");
  // An empty current row has no gradient, except row 1.
  form.current = 10;
  const TRect empty = form.Cell(0, 10);
  EXPECT_EQ(form.Shot().Pixel(empty.Left + 5, empty.Top + 1), RGB(0, 0, 115));
  for (int c = 0; c < 4; ++c) form.grid->SetCells(c, 1, "");
  form.current = 1;
  ExpectBar(form.Shot(), form.Cell(0, 1), RGB(0, 0, 115), RGB(127, 127, 191), RGB(0, 0, 128));
}

TEST_F(GridPaintingTest, OldLookRowsAndHeader) {
  SetLook(false);
  ListForm form;
  const TBitmap shot = form.Shot();
  const auto at = [&](int c, int r, int dy) {
    const TRect cell = form.Cell(c, r);
    return shot.Pixel(cell.Left + 5, dy >= 0 ? cell.Top + dy : cell.Bottom + dy);
  };
  EXPECT_EQ(at(0, 3, 1), RGB(0, 0, 128));   // current
  EXPECT_EQ(at(0, 7, 1), RGB(0, 0, 128));   // marked
  EXPECT_EQ(at(0, 5, 1), common::clWhite);  // hovered rows look like any other, text and all
  EXPECT_FALSE(form.Ink(3, 5, common::clBlack).empty());
  EXPECT_EQ(at(0, 4, 1), RGB(255, 255, 239));
  const TRect row4 = form.Cell(0, 4);  // lines above, left and below in the second colour darkened
  for (const auto& [x, y] : {std::pair{row4.Left + 5, row4.Top - 1},
                             {row4.Left - 1, row4.Top + 5},
                             {row4.Left + 5, row4.Bottom}}) {
    EXPECT_EQ(shot.Pixel(x, y), RGB(230, 230, 230)) << x << "," << y;
  }
  EXPECT_FALSE(form.Ink(3, 4, common::clBlack).empty());
  const TColor face = common::ToGrafik::ColorToRGB(common::clBtnFace);
  EXPECT_EQ(at(1, 0, 1), Shade(face, 50));
  EXPECT_EQ(at(2, 0, 1), face);
  platform::qt::testkit::SaveScreenshot(*form.grid, "grid_old_look");
}

TEST_F(GridPaintingTest, BufferAndGradientCacheKeepThePicture) {
  SetLook(true);
  ListForm form;
  const TBitmap direct = form.Shot();
  form.buffered = true;
  const TBitmap buffered = form.Shot();
  for (int y = 0; y < direct.Height(); y += 3) {
    for (int x = 0; x < direct.Width(); x += 3) {
      ASSERT_EQ(direct.Pixel(x, y), buffered.Pixel(x, y)) << x << "," << y;
    }
  }
  // The header paints its bands into the same cache: the rows after it still show their own.
  form.cached = true;
  const TBitmap cached = form.Shot();
  const TRect current = form.Cell(0, 3);
  EXPECT_EQ(cached.Pixel(current.Left + 5, current.Top), RGB(0, 0, 115));
  // The stretched strip differs from a bar painted in place by a shade at most.
  for (int y = current.Top + 1; y < current.Bottom - 2; ++y) {
    const TColor a = cached.Pixel(current.Right - 4, y);
    const TColor b = direct.Pixel(current.Right - 4, y);
    EXPECT_NEAR(common::GetRValue(a), common::GetRValue(b), 12) << y;
    EXPECT_NEAR(common::GetBValue(a), common::GetBValue(b), 6) << y;
  }
  EXPECT_EQ(form.cache.Canvas().Font.Color(), 0x800000u);
}

TEST_F(GridPaintingTest, ListeMarkupAndUnknownBand) {
  SetLook(true);
  ListForm form;
  form.current = form.hot = -1;
  const TColor text = 0x111111;
  const int digit = form.grid->Canvas().TextWidth("8");
  const auto shifted = [](std::set<int> xs, int by) {
    std::set<int> out;
    for (const int x : xs) out.insert(x + by);
    return out;
  };
  form.grid->SetCells(0, 4, "AB");
  form.grid->SetCells(1, 4, "CD");
  const std::set<int> ab = form.Ink(0, 4, text);
  const std::set<int> cd = form.Ink(1, 4, text);
  form.view = TBrowserView::kListe;
  form.grid->SetColWidths(3, 260);
  form.grid->SetCells(3, 4, "AB[10]CD[20]");
  form.grid->SetCells(3, 6, "AB[0]CD[5]");
  form.grid->SetCells(3, 9, "AB[x]CD[5]");  // a width that is no number counts 0
  form.grid->SetCells(1, 9, "CD");
  std::set<int> both = ab;
  both.merge(shifted(cd, 10 * digit + 1));
  EXPECT_EQ(form.Ink(3, 4, text), both);
  EXPECT_EQ(form.Ink(3, 6, text), shifted(cd, 1));
  EXPECT_EQ(form.Ink(3, 9, text), shifted(form.Ink(1, 9, text), 1));
  // A width beyond any cell (a name with brackets in a record) fills the cell, no more.
  form.grid->SetCells(3, 11, "AB[2147483647]CD[5]");
  form.grid->SetCells(0, 11, "AB");
  EXPECT_EQ(form.Ink(3, 11, text), form.Ink(0, 11, text));
  // "???" stays itself, in the text colour lightened by half.
  form.view = TBrowserView::kDetails;
  form.grid->SetCells(2, 12, "60m");
  EXPECT_FALSE(form.Ink(1, 12, RGB(127, 127, 127)).empty());
  EXPECT_NE(form.Ink(1, 12, RGB(127, 127, 127)), form.Ink(2, 12, text));
}

TEST_F(GridPaintingTest, FormLayoutScalesColumnsAndSetsTheRowHeightFromTheFont) {
  for (const int size : {9, 12}) {
    SetLook(false, size);  // the old look: no fitting to the screen after the layout
    testing::SizedForm form(300, 200, false, true);
    auto* grid = new platform::qt::TStringGrid(&form);
    grid->SetParent(&form);
    grid->SetColWidths(1, 90);
    ToLayout::FormLayout(form);
    EXPECT_EQ(grid->ColWidths(1), size == 9 ? 90 : 120);
    EXPECT_EQ(grid->Font().Size(), size);
    TBitmap measure(1, 1);
    measure.Canvas().Font.SetName(grid->Font().Name());
    measure.Canvas().Font.SetSize(grid->Font().Size());
    EXPECT_EQ(grid->DefaultRowHeight(),
              static_cast<int>(std::lround(measure.Canvas().TextHeight("X") * 1.2)));
  }
}

TEST_F(GridPaintingTest, TextFileViewerShowsTheLinesOrNothing) {
  common::testing::TempFolder folder;
  std::ofstream(folder / "LOG.TXT", std::ios::binary) << "Zeile 1\r\n\xC4rger\r\nEnde";
  testing::SizedForm form(400, 120, false, true);
  auto* viewer = new TKvTextFileViewer(&form);
  viewer->SetParent(&form);
  viewer->SetBounds(0, 0, 400, 120);
  viewer->Setfilename(folder / "LOG.TXT");
  EXPECT_TRUE(viewer->IsOpen());
  EXPECT_EQ(viewer->RowCount(), 3);
  EXPECT_EQ(viewer->Cells(0, 1), "\xC4rger");
  form.Show();
  platform::qt::testkit::SaveScreenshot(*viewer, "text_file_viewer");
  viewer->SetIsOpen(false);
  EXPECT_EQ(viewer->Cells(0, 0), "");
  viewer->Setfilename(folder / "MISSING.TXT");
  EXPECT_FALSE(viewer->IsOpen());
  EXPECT_EQ(viewer->Cells(0, 1), "");
}

}  // namespace
}  // namespace ui
