#include "contestlog/stat_table.h"

#include <algorithm>

#include "platform/qt/colors.h"
#include "ui/kv_form.h"
#include "ui/winskal.h"

namespace contestlog {
namespace {

using platform::qt::TAlign;
using platform::qt::TComponent;
using platform::qt::TWinControl;

struct TabRow {
  const char* name;
  const char* caption;
};
constexpr TabRow kTabs[TkvStatTabelle::kTabCount] = {
    {"ptabCall", "Call"},     {"ptabDXCC", "DXCC"},       {"ptabDOK", "DOK/Gebiet1"},
    {"ptabWAE", "WAE"},       {"ptabCQ", "WAZ"},          {"ptabIOTA", "IOTA"},
    {"ptabUSStaat", "State"}, {"ptabLocator", "Locator"}, {"ptabSpecial", "Special"},
    {"ptabCounty", "County"}, {"ptabLDK", "LDK/Gebiet2"}, {"ptabITU", "ITU"},
    {"ptabLog1", "Log1"},     {"ptabLog2", "Log2"},       {"ptabLog3", "Log3"},
    {"ptabLog4", "Log4"},     {"ptabLog5", "Log5"},       {"ptabLog6", "Log6"},
    {"ptabLog7", "Log7"},     {"ptabLog8", "Log8"},       {"ptabLog9", "Log9"},
    {"ptabLog10", "Log10"}};

constexpr int kLegendWidth = 150;
constexpr int kLowerHeight = 34;
constexpr int kConfirmedKinds = 5;
constexpr platform::qt::TColor kWorkedColour = platform::qt::clLime;
constexpr platform::qt::TColor kConfirmedColour = platform::qt::clRed;

template <typename T>
T* Child(TComponent* owner, TWinControl* parent, const char* name) {
  auto* control = new T(owner);
  if (name != nullptr && *name != 0) control->SetName(name);
  control->SetParent(parent);
  control->Font().SetName("Arial");
  return control;
}

ui::TkvPanel* Area(TComponent* owner, TWinControl* parent, const char* name, TAlign align) {
  auto* panel = Child<ui::TkvPanel>(owner, parent, name);
  panel->SetCaption("");
  panel->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  panel->SetAlign(align);
  return panel;
}

}  // namespace

void TkvMouseImage::CMMouseEnter() {
  if (OnImageMouseEnter) OnImageMouseEnter(this);
}

void TkvMouseImage::CMMouseLeave() {
  if (OnImageMouseLeave) OnImageMouseLeave(this);
}

ToStatistiken& Statistiken() {
  static ToStatistiken statistics;
  return statistics;
}

TkvStatTabelle::TkvStatTabelle(TComponent* owner) : ui::TkvPanel(owner) {
  SetCaption("");
  SetBevelOuter(platform::qt::TBevelCut::bvNone);
  ColumnVisible.fill(true);
  RowVisible.fill(true);
  CellWidth = 40;
  CellHeight = 18;
  ScaleFactor = ScaleWidth(100) / 100.0;

  pcStat = Child<platform::qt::TPageControl>(this, this, "pcStat");
  pcStat->SetAlign(TAlign::alTop);
  pcStat->SetStyle(platform::qt::TTabStyle::tsFlatButtons);
  pcStat->OnChange = [this](TComponent*) { pcStatChange(); };
  for (const TabRow& row : kTabs) {
    auto* tab = new platform::qt::TTabSheet(this);
    tab->SetName(row.name);
    tab->SetPageControl(pcStat);
    tab->SetCaption(row.caption);
    Tabs.push_back(tab);
  }

  panelStatUnten = Area(this, this, "panelStatUnten", TAlign::alBottom);
  panelStatUnten->OnResize = [this](TComponent*) { panelStatUntenResize(); };
  btnSchliessen = Child<platform::qt::TButton>(this, panelStatUnten, "btnSchliessen");
  btnSchliessen->SetCaption("Statistik schließen");
  btnSchliessen->OnClick = [this](TComponent*) { FireEventA(); };
  btnEinstellungen = Child<platform::qt::TButton>(this, panelStatUnten, "btnEinstellungen");
  btnEinstellungen->SetCaption("Einstellungen");
  btnEinstellungen->OnClick = [this](TComponent*) { FireEventB(); };
  btnStandard = Child<platform::qt::TButton>(this, panelStatUnten, "btnStandard");
  btnStandard->SetCaption("");
  btnStandard->SetDefault(true);
  btnStandard->OnClick = [this](TComponent*) { FireEventC(); };

  panelLegende = Area(this, this, "panelLegende", TAlign::alRight);
  BuildLegend(*panelLegende);
  btnLogListePx3 = Child<platform::qt::TSpeedButton>(this, panelLegende, "btnLogListePx3");
  btnLogListePx3->SetCaption("Log alle");
  btnLogListePx3->OnClick = [this](TComponent*) { btnLogListePx3Click(); };
  btnstatlistePx3 = Child<platform::qt::TSpeedButton>(this, panelLegende, "btnstatlistePx3");
  btnstatlistePx3->SetCaption("Log Bnd/Mod");
  btnstatlistePx3->OnClick = [this](TComponent*) { btnstatlistePx3Click(); };
  btnOptionen = Child<platform::qt::TSpeedButton>(this, panelLegende, "btnOptionen");
  btnOptionen->SetCaption("Optionen");
  btnAktBandMode = Child<platform::qt::TSpeedButton>(this, panelLegende, "btnAktBandMode");
  btnAktBandMode->SetTransparent(false);
  btnAktBandMode->SetColor(platform::qt::clPurple);
  btnAktBandMode->SetVisible(false);

  panelOptionen = Area(this, this, "panelOptionen", TAlign::alNone);
  panelOptionen->SetVisible(false);
  BuildLegend(*panelOptionen);
  lFarben = Child<platform::qt::TLabel>(this, panelOptionen, "lFarben");
  lFarben->SetCaption("Farben");
  lFarben->Font().SetColor(platform::qt::clBlue);
  lFarben->SetCursor(platform::qt::crHandPoint);
  lFarben->OnClick = [](TComponent*) {};

  paintpanel = Area(this, this, "paintpanel", TAlign::alClient);
  paintpanel->SetColor(platform::qt::clWhite);
  paintpanel->OnMouseEnter = [this](TComponent*) { MouseEnter(); };
  paintpanel->OnMouseLeave = [this](TComponent*) { MouseLeave(); };
  Hover = Child<TkvMouseImage>(this, paintpanel, "imgHover");
  Hover->SetVisible(false);

  OnResize = [this](TComponent*) { paintpanelresize(); };
  paintpanelresize();
}

void TkvStatTabelle::BuildLegend(TWinControl& area) {
  // One row per colour: the square, its meaning and, at the right, its column heading.
  const auto row = [&](platform::qt::TColor colour, const char* caption, const char* heading,
                       int index) {
    const int top = ScaleHeight(6 + 18 * index);
    auto* shape = Child<platform::qt::TShape>(this, &area, nullptr);
    shape->SetBounds(ScaleWidth(8), top, ScaleWidth(12), ScaleHeight(12));
    shape->SetBrush({colour});
    auto* label = Child<platform::qt::TLabel>(this, &area, nullptr);
    label->SetCaption(caption);
    label->SetLeft(ScaleWidth(26));
    label->SetTop(top);
    auto* column = Child<platform::qt::TLabel>(this, &area, nullptr);
    column->SetCaption(heading);
    column->SetLeft(ScaleWidth(108));
    column->SetTop(top);
  };
  row(kWorkedColour, "= gearbeitet", "gearb.", 0);
  for (int k = 1; k <= kConfirmedKinds; ++k) row(kConfirmedColour, "= bestätigt", "best.", k);
}

int TkvStatTabelle::VisiblePosition(int index, const bool* visible) {
  if (index <= 0) return 0;
  int position = 1;
  for (int k = 1; k < index; ++k) position += visible[k] ? 1 : 0;
  return position;
}

platform::qt::TRect TkvStatTabelle::CellRect(int i, int j) const {
  const int width = static_cast<int>(CellWidth * ScaleFactor);
  int left = OriginX;
  if (i > 0) {
    left +=
        static_cast<int>((VisiblePosition(i, ColumnVisible.data()) * CellWidth + 9) * ScaleFactor);
  }
  const int top = OriginY + VisiblePosition(j, RowVisible.data()) * CellHeight;
  return {left, top, left + width, top + CellHeight};
}

void TkvStatTabelle::CellUnderMouse(int x, int y) {
  for (int i = 1; i < kColumns; ++i) {
    if (!ColumnVisible[i]) continue;
    for (int j = 1; j < kRows; ++j) {
      if (!RowVisible[j]) continue;
      const platform::qt::TRect cell = CellRect(i, j);
      if (x < cell.Left || x >= cell.Right || y < cell.Top || y >= cell.Bottom) continue;
      Hover->SetBounds(cell.Left, cell.Top, cell.Width(), cell.Height());
      Hover->SetTag(i * 100 + j);
      return;
    }
  }
}

void TkvStatTabelle::MouseEnter() {
  Hover->SetVisible(true);
  if (OnTableMouseEnter) OnTableMouseEnter(this);
}

void TkvStatTabelle::MouseLeave() {
  Hover->SetVisible(false);
  if (OnTableMouseLeave) OnTableMouseLeave(this);
}

void TkvStatTabelle::FireCellEvent(int i, int j, int buttons) {
  if (OnCellEvent) OnCellEvent(i, j, buttons);
}

void TkvStatTabelle::FireEventA() {
  if (OnEventA) OnEventA(this);
}

void TkvStatTabelle::FireEventB() {
  if (OnEventB) OnEventB(this);
}

void TkvStatTabelle::FireEventC() {
  if (OnEventC) OnEventC(this);
}

void TkvStatTabelle::pcStatChange() { ChangeFlag = 0; }

void TkvStatTabelle::panelStatUntenResize() {
  const int width = panelStatUnten->ClientWidth();
  const int gap = ScaleWidth(4);
  const int button_width = (width - 4 * gap) / 3;
  int left = gap;
  for (platform::qt::TButton* button : {btnSchliessen, btnEinstellungen, btnStandard}) {
    button->SetBounds(left, ScaleHeight(4), std::max(0, button_width), ScaleHeight(25));
    left += button_width + gap;
  }
}

void TkvStatTabelle::paintpanelresize() {
  pcStat->SetHeight(ScaleHeight(25));
  pcStat->SetTabHeight(ScaleHeight(20));
  panelStatUnten->SetHeight(ScaleHeight(kLowerHeight));
  panelLegende->SetWidth(ScaleWidth(kLegendWidth));
  panelOptionen->SetBounds(0, 0, ScaleWidth(kLegendWidth), ScaleHeight(140));
  const int buttons_top = ScaleHeight(6 + 18 * (kConfirmedKinds + 1) + 8);
  int top = buttons_top;
  for (platform::qt::TSpeedButton* button :
       {btnLogListePx3, btnstatlistePx3, btnOptionen, btnAktBandMode}) {
    button->SetBounds(ScaleWidth(8), top, ScaleWidth(kLegendWidth - 16), ScaleHeight(22));
    top += ScaleHeight(26);
  }
  lFarben->SetLeft(ScaleWidth(8));
  lFarben->SetTop(buttons_top);
  OriginX = ScaleWidth(4);
  OriginY = ScaleHeight(4);
}

int TkvStatTabelle::ScaleWidth(int value) const {
  auto* form = dynamic_cast<ui::TkvForm*>(Owner());
  return form != nullptr ? ui::ToWinskal::ScaleForForm(value, *form, false) : value;
}

int TkvStatTabelle::ScaleHeight(int value) const { return ScaleWidth(value); }

}  // namespace contestlog
