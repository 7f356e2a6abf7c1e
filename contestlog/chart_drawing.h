// The pieces both evaluation charts are drawn with, as plain controls on their chart panel
// (nothing is painted by hand): filled rectangles, labels, the axes with their ticks, bars and
// the scale labels, and the window's place kept in the log window between two charts.
//
// Coordinates are the panel's pixels; a rectangle's edges x1..x2 and y1..y2 are inclusive. The
// controls belong to the panel and go with it (or when the chart frees the panel's controls).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/qt/button.h"
#include "platform/qt/colors.h"
#include "platform/qt/form.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "platform/qt/win_control.h"
#include "ui/kv_form.h"

namespace contestlog {

// The top offset of the charts' geometry: the horizontal axis lies at kChartBase + 230.
inline constexpr int kChartBase = 20;

// A rectangle shape whose pen and brush have `colour`.
void AddRect(platform::qt::TWinControl& panel, int x1, int y1, int x2, int y2,
             platform::qt::TColor colour);
// A label at (x, y) with its caption's size.
platform::qt::TLabel* AddChartLabel(platform::qt::TWinControl& panel, int x, int y,
                                    const std::string& text, bool bold,
                                    platform::qt::TColor colour = platform::qt::clBlack);
// The vertical axis with its ten ticks and the horizontal axis from x 40 to `axis_right`.
void DrawAxes(platform::qt::TWinControl& panel, int axis_right);
// A bar of `count` on `scale` (above 0): a coloured panel from x, `width` pixels wide, from
// BarTop down to the baseline (height 0 for an empty count).
platform::qt::TPanel* AddBar(platform::qt::TWinControl& panel, int x, int width, int scale,
                             int count, platform::qt::TColor colour);
// The scale labels at x 0 beside the ticks: scale x k / 10 for k = 10 down to 1, through a
// 3-digit mask; a value not below the one above it is left out.
void PlaceScaleLabels(platform::qt::TWinControl& panel, int scale);

// The chart windows' frame: a white dialog of 615 x 342 client pixels centred on the screen,
// font "MS Sans Serif" 8 pt, keys seen first, an OK panel `Panel1` of 29 pixels at the bottom with
// `btnOK` (bold, default, modal result 2) and the chart panel `panelausw` over the rest. Places
// nothing on the panels.
struct ChartFrame {
  platform::qt::TPanel* buttons;
  platform::qt::TButton* ok;
  platform::qt::TPanel* chart;
};
ChartFrame BuildChartFrame(ui::TkvForm& form, const std::string& name, const std::string& caption);

// Esc closes a chart window (modal result 2) and is swallowed.
void CloseChartOnEscape(platform::qt::TForm& form, std::uint16_t& key);

// Left, top, width and height of the last chart window; width 0: none shown yet.
using ChartPlace = std::array<std::int32_t, 4>;

// Shows `form` modally, at `place` when a chart was shown before, and keeps where it was when
// it closed in `place`.
void ShowChartModal(platform::qt::TForm& form, ChartPlace& place);

}  // namespace contestlog
