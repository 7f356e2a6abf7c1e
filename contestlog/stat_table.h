// TkvStatTabelle: the statistics panel of the log window: a row of tabs, one per kind of
// statistic, a table of up to 23 by 30 cells with their headings, a colour legend (worked,
// confirmed) and its buttons. The log window holds it hidden; nothing fills the table yet and its
// own list and option buttons do nothing. The owner may assign the events: a cell event, three
// plain events (the buttons "Statistik schließen", "Einstellungen" and the default button) and
// the mouse entering and leaving the table.
//
// Sizes and places are design pixels scaled for the owner form's screen (ScaleWidth,
// ScaleHeight) when the owner is a TkvForm.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/button.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/page_control.h"
#include "platform/qt/shape.h"
#include "platform/qt/speed_button.h"
#include "ui/panels.h"

namespace contestlog {

// An image that reports the mouse coming onto it and leaving it (the table's hover marker).
class TkvMouseImage : public platform::qt::TImage {
 public:
  using TImage::TImage;

  void MouseEnter() override { CMMouseEnter(); }
  void MouseLeave() override { CMMouseLeave(); }
  // Call the assigned handler, if any.
  void CMMouseEnter();
  void CMMouseLeave();

  platform::qt::TNotifyEvent OnImageMouseEnter;
  platform::qt::TNotifyEvent OnImageMouseLeave;
};

// The statistics object of the program; it holds nothing yet.
class ToStatistiken {};
// The one instance, made on first use and kept for the program's run.
ToStatistiken& Statistiken();

class TkvStatTabelle : public ui::TkvPanel {
 public:
  // Cell indices: i 0..23 along a row, j 0..30 down; index 0 is the heading.
  static constexpr int kColumns = 24;
  static constexpr int kRows = 31;
  static constexpr int kTabCount = 22;

  explicit TkvStatTabelle(platform::qt::TComponent* owner);

  // --- the table ---
  std::array<std::array<std::string, kRows>, kColumns> Cells{};
  std::array<bool, kColumns> ColumnVisible{};  // index 0 unused: the heading always shows
  std::array<bool, kRows> RowVisible{};
  int OriginX = 0;
  int OriginY = 0;
  int CellWidth = 0;   // along i, before the scale factor
  int CellHeight = 0;  // along j
  double ScaleFactor = 1.0;

  // Where cell (i, j) lies on the table area, counting only visible indices.
  platform::qt::TRect CellRect(int i, int j) const;
  // Moves the hover marker onto the cell under (x, y) of the table area; its Tag becomes
  // i x 100 + j. Outside every cell the marker stays where it was.
  void CellUnderMouse(int x, int y);
  // Show the hover marker / hide it when the mouse left the table area, then call the owner's
  // event when assigned.
  void MouseEnter() override;
  void MouseLeave() override;

  // --- the owner's events ---
  std::function<void(int i, int j, int buttons)> OnCellEvent;
  platform::qt::TNotifyEvent OnEventA;  // "Statistik schließen"
  platform::qt::TNotifyEvent OnEventB;  // "Einstellungen"
  platform::qt::TNotifyEvent OnEventC;  // the default button
  platform::qt::TNotifyEvent OnTableMouseEnter;
  platform::qt::TNotifyEvent OnTableMouseLeave;
  void FireCellEvent(int i, int j, int buttons);
  void FireEventA();
  void FireEventB();
  void FireEventC();

  // --- handlers ---
  void pcStatChange();
  void btnLogListePx3Click() {}
  void btnstatlistePx3Click() {}
  void setTabVisible() {}
  // The lower panel's two controls take its width.
  void panelStatUntenResize();
  // Lays every child out at its scaled size for the panel's size.
  void paintpanelresize();

  int ScaleWidth(int value) const;
  int ScaleHeight(int value) const;
  // Set to 0 by a change of tab; nothing sets it otherwise yet.
  int ChangeFlag = 0;

  platform::qt::TPageControl* pcStat;
  std::vector<platform::qt::TTabSheet*> Tabs;  // ptabCall .. ptabLog10, in tab order
  ui::TkvPanel* paintpanel;                    // the table area
  TkvMouseImage* Hover;
  ui::TkvPanel* panelLegende;
  ui::TkvPanel* panelOptionen;  // the options area with the second legend
  ui::TkvPanel* panelStatUnten;
  platform::qt::TLabel* lFarben;
  platform::qt::TSpeedButton* btnLogListePx3;
  platform::qt::TSpeedButton* btnstatlistePx3;
  platform::qt::TSpeedButton* btnOptionen;
  platform::qt::TSpeedButton* btnAktBandMode;
  platform::qt::TButton* btnSchliessen;
  platform::qt::TButton* btnEinstellungen;
  platform::qt::TButton* btnStandard;

 private:
  // The legend in `area`: the heading row, one green and five red squares with their labels.
  void BuildLegend(platform::qt::TWinControl& area);
  // 0 for the heading, else 1 + the visible indices before it.
  static int VisiblePosition(int index, const bool* visible);
};

}  // namespace contestlog
