#include "contestlog/chart_drawing.h"

#include <climits>

#include "common/number_mask.h"
#include "contestlog/chart_counts.h"
#include "platform/qt/keys.h"
#include "platform/qt/shape.h"
#include "ui/kv_form.h"

namespace contestlog {
namespace {

using platform::qt::TColor;
using platform::qt::TWinControl;

constexpr int kAxisLeft = 40;
constexpr int kAxisTop = kChartBase + 30;
constexpr int kBaseline = kChartBase + 230;
constexpr int kChartWidth = 615;  // client size of both chart windows
constexpr int kChartHeight = 342;
constexpr int kButtonPanelHeight = 29;
constexpr int kTickStep = 20;  // pixels between the ten ticks of the vertical axis

}  // namespace

void AddRect(TWinControl& panel, int x1, int y1, int x2, int y2, TColor colour) {
  auto* shape = new platform::qt::TShape(&panel);
  shape->SetParent(&panel);
  shape->SetBounds(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
  shape->SetPen({colour});
  shape->SetBrush({colour});
}

platform::qt::TLabel* AddChartLabel(TWinControl& panel, int x, int y, const std::string& text,
                                    bool bold, TColor colour) {
  auto* label = new platform::qt::TLabel(&panel);
  label->SetParent(&panel);
  label->SetLeft(x);
  label->SetTop(y);
  label->SetCaption(text);
  if (bold) label->Font().SetStyle(platform::qt::fsBold);
  label->Font().SetColor(colour);
  return label;
}

void DrawAxes(TWinControl& panel, int axis_right) {
  AddRect(panel, kAxisLeft, kAxisTop, kAxisLeft + 2, kBaseline + 10, platform::qt::clBlack);
  for (int k = 1; k <= 10; ++k) {
    const int y = kBaseline - kTickStep * k;
    AddRect(panel, kAxisLeft - 10, y, kAxisLeft, y + 3, platform::qt::clBlack);
  }
  AddRect(panel, kAxisLeft, kBaseline, axis_right, kBaseline + 2, platform::qt::clBlack);
}

platform::qt::TPanel* AddBar(TWinControl& panel, int x, int width, int scale, int count,
                             TColor colour) {
  const int top = BarTop(scale, count);
  auto* bar = new platform::qt::TPanel(&panel);
  bar->SetParent(&panel);
  bar->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  bar->SetColor(colour);
  bar->SetBounds(x, top, width, kBaseline - top);
  return bar;
}

void PlaceScaleLabels(TWinControl& panel, int scale) {
  int previous = INT_MAX;
  for (int k = 10; k >= 1; --k) {
    // scale x k / 10 to the nearest integer (scale is not negative).
    const int value = (scale * k + 5) / 10;
    if (value >= previous) continue;
    previous = value;
    AddChartLabel(panel, 0, kChartBase + 225 - kTickStep * k, common::Int64ToStrMask(value, 3),
                  false);
  }
}

ChartFrame BuildChartFrame(ui::TkvForm& form, const std::string& name, const std::string& caption) {
  ChartFrame frame{};
  platform::qt::LoadingScope loading(form);
  form.SetName(name);
  form.SetCaption(caption);
  form.SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
  form.SetPosition(platform::qt::TPosition::poScreenCenter);
  form.SetColor(platform::qt::clWhite);
  form.Font().SetName("MS Sans Serif");
  form.Font().SetSize(8);
  form.SetKeyPreview(true);
  form.SetClientSize(kChartWidth, kChartHeight);

  frame.buttons = new platform::qt::TPanel(&form);
  frame.buttons->SetName("Panel1");
  frame.buttons->SetParent(&form);
  frame.buttons->SetCaption("");
  frame.buttons->SetHeight(kButtonPanelHeight);
  frame.buttons->SetAlign(platform::qt::TAlign::alBottom);
  frame.ok = new platform::qt::TButton(&form);
  frame.ok->SetName("btnOK");
  frame.ok->SetParent(frame.buttons);
  frame.ok->SetBounds(0, 2, 75, 25);
  frame.ok->SetCaption("OK");
  frame.ok->Font().SetStyle(platform::qt::fsBold);
  frame.ok->SetDefault(true);
  frame.ok->SetModalResult(platform::qt::mrCancel);

  frame.chart = new platform::qt::TPanel(&form);
  frame.chart->SetName("panelausw");
  frame.chart->SetParent(&form);
  frame.chart->SetCaption("");
  frame.chart->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  frame.chart->SetColor(platform::qt::clWhite);
  frame.chart->SetAlign(platform::qt::TAlign::alClient);
  return frame;
}

void CloseChartOnEscape(platform::qt::TForm& form, std::uint16_t& key) {
  if (key != platform::qt::VK_ESCAPE) return;
  form.SetModalResult(platform::qt::mrCancel);
  key = 0;
}

void ShowChartModal(platform::qt::TForm& form, ChartPlace& place) {
  const auto [left, top, width, height] = place;
  if (width > 0) ui::PlaceForm(form, {left, top, left + width, top + height});
  form.ShowModal();
  place = {form.Left(), form.Top(), form.Width(), form.Height()};
}

}  // namespace contestlog
