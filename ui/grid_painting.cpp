// The layout engine's painting of list grids: header cells and data cells in the new look
// (flat rows, gradient bars for the current, marked and hovered rows, a two-band header) and the
// old look (alternating rows, highlight fill, lines).
#include <algorithm>
#include <string>

#include "common/grid_colours.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "platform/qt/bitmap.h"
#include "platform/qt/string_grid.h"
#include "ui/grafik.h"
#include "ui/grid_owner.h"
#include "ui/layout.h"
#include "ui/list_markup.h"

namespace ui {
namespace {

using platform::qt::TBitmap;
using platform::qt::TBrushStyle;
using platform::qt::TCanvas;
using platform::qt::TRect;
using platform::qt::TStringGrid;

constexpr TColor kDarkText = 0x00111111;  // pure black under the new look
constexpr TColor kNoTag = 0x1FFFFFFF;     // a cache tag no colour matches
constexpr int kHeaderHeight = 24;

common::GridColours Colours() { return ToLayout::GridColours(); }

bool NewLook() { return ToLayout::Settings().layout_variant_switch > 0; }

TBrowserView ViewOf(const TStringGrid& grid) {
  const auto* owner = dynamic_cast<const BrowserGridOwner*>(grid.Owner());
  return owner != nullptr ? owner->BrowserView() : TBrowserView::kDetails;
}

bool MarkupView(const TStringGrid& grid) {
  const TBrowserView view = ViewOf(grid);
  return view == TBrowserView::kListe || view == TBrowserView::kMiniaturansicht;
}

// Where a cell is painted: the grid's canvas, or under the new look with a buffer bitmap the
// bitmap, which starts as a copy of the grid's pixels (from one pixel left of the cell) and is
// copied back in one step, so that both ways give the same picture.
class CellCanvas {
 public:
  CellCanvas(TStringGrid& grid, const TRect& rect, TBitmap* buffer, bool new_look)
      : grid_(grid), dest_(rect), buffer_(new_look ? buffer : nullptr) {
    area_ = rect;
    if (buffer_ == nullptr) return;
    const int w = rect.Width();
    const int h = rect.Height();
    buffer_->SetSize(w + 2, h + 1);
    buffer_->Canvas().CopyRect({0, 0, w + 2, h + 1}, grid.Canvas(),
                               {rect.Left - 1, rect.Top, rect.Right + 1, rect.Bottom + 1});
    area_ = {1, 0, w + 1, h};
  }
  TCanvas& Canvas() { return buffer_ != nullptr ? buffer_->Canvas() : grid_.Canvas(); }
  // The cell's rectangle on Canvas().
  const TRect& Area() const { return area_; }
  void CopyBack() {
    if (buffer_ == nullptr) return;
    const int w = dest_.Width();
    const int h = dest_.Height();
    grid_.Canvas().CopyRect({dest_.Left - 1, dest_.Top, dest_.Right, dest_.Bottom},
                            buffer_->Canvas(), {0, 0, w + 1, h});
  }

 private:
  TStringGrid& grid_;
  TRect dest_;
  TBitmap* buffer_;
  TRect area_;
};

// The grid canvas's pen, brush and font colour, put back at the end of a painting call.
class KeptLook {
 public:
  explicit KeptLook(TCanvas& c) : c_(c), pen_(c.Pen), brush_(c.Brush), font_(c.Font.Color()) {}
  ~KeptLook() {
    c_.Pen = pen_;
    c_.Brush = brush_;
    c_.Font.SetColor(font_);
  }
  KeptLook(const KeptLook&) = delete;
  KeptLook& operator=(const KeptLook&) = delete;

 private:
  TCanvas& c_;
  platform::qt::TPen pen_;
  platform::qt::TBrush brush_;
  TColor font_;
};

void Fill(TCanvas& c, TColor colour, const TRect& r) {
  c.Brush = {colour, TBrushStyle::bsSolid};
  c.FillRect(r);
}

void Line(TCanvas& c, TColor colour, int x1, int y1, int x2, int y2) {
  c.Pen = {colour, 1, platform::qt::TPenStyle::psSolid, platform::qt::TPenMode::pmCopy};
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

// A vertical gradient over (x1, y1)-(x2, y2), corners inclusive; with a cache bitmap it is
// painted 2 pixels wide once per colour and height (the cache's font colour is its tag) and
// stretched over `stretch`.
void Bar(TCanvas& c, TBitmap* cache, TColor top, TColor bottom, int x1, int y1, int x2, int y2,
         const TRect& stretch) {
  if (cache == nullptr) {
    ToGrafik::DrawVerlauf(c, top, bottom, x1, y1, x2, y2);
    return;
  }
  const int height = std::max(y2 - y1, 1);
  if (cache->Canvas().Font.Color() != bottom || cache->Height() != height || cache->Width() != 2) {
    cache->SetSize(2, height);
    ToGrafik::DrawVerlauf(cache->Canvas(), top, bottom, 0, 0, 1, height - 1);
    cache->Canvas().Font.SetColor(bottom);
  }
  c.StretchDraw(stretch, *cache);
}

void HeaderBands(TCanvas& c, TBitmap* cache, TColor h, bool sort_column, const TRect& r) {
  static constexpr float kSort[4] = {60, 50, 20, 0};
  static constexpr float kOther[4] = {100, 90, 70, 60};
  const float* p = sort_column ? kSort : kOther;
  const auto shade = [h, p](int i) { return ToGrafik::FarbeAbstufen(h, p[i]); };
  if (cache == nullptr) {
    ToGrafik::DrawVerlauf(c, shade(0), shade(1), r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 14);
    ToGrafik::DrawVerlauf(c, shade(2), shade(3), r.Left + 1, r.Bottom - 13, r.Right - 1, r.Bottom);
    return;
  }
  const int height = std::max(r.Height(), 1);
  cache->SetSize(2, height);
  ToGrafik::DrawVerlauf(cache->Canvas(), shade(0), shade(1), 0, 0, 2, height - 12);
  ToGrafik::DrawVerlauf(cache->Canvas(), shade(2), shade(3), 0, height - 12, 2, height + 2);
  // The cache now holds no data-row gradient: the next data cell paints its own.
  cache->Canvas().Font.SetColor(kNoTag);
  c.StretchDraw({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, *cache);
}

// The "Liste" markup (ui/list_markup.h).
void WriteFields(TCanvas& c, const TRect& clip, const std::string& text) {
  for (const ListMarkupField& field :
       ListMarkupFields(text, c.TextWidth("8"), clip.Left, clip.Right)) {
    c.TextRect({field.left, clip.Top, field.right, clip.Bottom}, field.left + 2, clip.Top + 2,
               field.text);
  }
}

}  // namespace

void ToLayout::DrawHeaderCell(TStringGrid& grid, bool sort_column, const TRect& rect, int column,
                              TBitmap* buffer, TBitmap* cache) {
  const bool new_look = NewLook();
  const common::GridColours colours = Colours();
  KeptLook kept(grid.Canvas());
  std::string text = grid.Cells(column, 0);
  if (MarkupView(grid) && column > grid.FixedCols()) text.clear();
  TColor h = colours.GridHeaderColor;
  if (new_look) {
    grid.SetOptions(grid.Options() & ~platform::qt::kGridLineOptions);
    if (grid.RowHeights(0) != kHeaderHeight) grid.SetRowHeights(0, kHeaderHeight);
  }
  CellCanvas cell(grid, rect, buffer, new_look);
  TCanvas& c = cell.Canvas();
  const TRect& r = cell.Area();
  if (!new_look) {
    if (sort_column) h = ToGrafik::FarbeAbstufen(h, 50);
    Fill(c, h, r);
  } else {
    Fill(c, ToGrafik::FarbeAbstufen(h, 50), {r.Left + 1, r.Top, r.Right, r.Bottom + 1});
    HeaderBands(c, cache, h, sort_column, r);
    Line(c, ToGrafik::FarbeAbstufen(h, -10), r.Left, r.Bottom + 1, r.Right, r.Bottom + 1);
  }
  cell.CopyBack();

  TCanvas& g = grid.Canvas();
  TColor colour = ToGrafik::KontrastFarbe(new_look ? colours.GridHeaderColor : h);
  if (new_look && colour == common::clBlack) colour = kDarkText;
  g.Font.SetColor(colour);
  g.Brush.Style = TBrushStyle::bsClear;
  g.TextRect({rect.Left, rect.Top, rect.Right - 2, rect.Bottom}, rect.Left + 3,
             rect.Top + (new_look ? 5 : 2), text);
}

void ToLayout::DrawCell(TStringGrid& grid, const TRect& rect, int row, int column, TBitmap* buffer,
                        TBitmap* cache, bool current, bool hot) {
  const bool new_look = NewLook();
  const common::GridColours colours = Colours();
  KeptLook kept(grid.Canvas());
  const bool marked = grid.Objects(column, row) == 1;
  bool empty = false;
  if (new_look) {
    empty = true;
    for (int col = 0; col < grid.ColCount() && empty; ++col) empty = grid.Cells(col, row).empty();
  }
  TColor hl = colours.GridHighlightColor;
  const std::string text = grid.Cells(column, row);
  const TColor row_colour = row % 2 == 0 ? colours.GridColor : colours.GridAltRowColor;
  const bool plain = !current && !marked && !hot;

  CellCanvas cell(grid, rect, buffer, new_look);
  TCanvas& c = cell.Canvas();
  const TRect& r = cell.Area();
  if (new_look) {
    const bool hot_lit = hot && !current && !marked && !empty;
    if (hot_lit) hl = ToGrafik::FarbeAbstufen(hl, hl == 0x00800000 ? 90.0f : 50.0f);
    const TColor fill =
        current || marked || hot_lit ? ToGrafik::FarbeAbstufen(hl, -10) : row_colour;
    Fill(c, fill, {r.Left + 1, r.Top, r.Right, r.Bottom + 1});
    if (!plain && !(empty && row != 1)) {
      Bar(c, cache, ToGrafik::FarbeAbstufen(hl, 50), hl, r.Left, r.Top + 1, r.Right - 1,
          r.Bottom - 2, {r.Left, r.Top + 1, r.Right, r.Bottom - 1});
    }
    Line(c, colours.GridHighlightColor, r.Left, r.Top, r.Left, r.Bottom);
    if (plain) {
      Line(c, ToGrafik::FarbeAbstufen(colours.GridHighlightColor, 40), r.Left, r.Bottom - 1,
           r.Right, r.Bottom - 1);
    }
  } else {
    Fill(c, current || marked ? hl : row_colour, r);
    if (colours.GridAltRowColor != 0) {
      const TColor line = ToGrafik::FarbeAbstufen(colours.GridAltRowColor, -10);
      if (row != 1) Line(c, line, r.Left, r.Top - 1, r.Right, r.Top - 1);
      Line(c, line, r.Left - 1, r.Top - 1, r.Left - 1, r.Bottom);
      Line(c, line, r.Left, r.Bottom, r.Right, r.Bottom);
    }
  }
  if (auto* owner = dynamic_cast<BrowserGridOwner*>(grid.Owner())) owner->SelectDrawFrame(c, r);
  cell.CopyBack();
  if (common::Trim(text).empty()) return;

  // The old look does not light a hovered row, so its text keeps the ordinary colour (white
  // text on the unlit row would vanish under the mouse).
  const bool lit = current || marked || (hot && new_look);
  TColor colour = lit ? ToGrafik::KontrastFarbe(hl) : colours.GridFontColor;
  // An unknown band stays "???" (it is no band of its own), shown lighter.
  if (text == "???") colour = ToGrafik::FarbeAbstufen(colour, 50);
  if (new_look && colour == common::clBlack) colour = kDarkText;
  TCanvas& g = grid.Canvas();
  g.Font.SetColor(colour);
  g.Brush.Style = TBrushStyle::bsClear;
  const TRect clip{rect.Left, rect.Top, rect.Right - 2, rect.Bottom};
  if (MarkupView(grid)) {
    WriteFields(g, clip, text);
  } else {
    g.TextRect(clip, rect.Left + 2, rect.Top + 2, text);
  }
}

}  // namespace ui
