// The overview "Übersicht" of a 'P' or '5' log: its QSOs with points by the partner's membership
// age, in steps of one, five or ten years chosen with three radio buttons; the chart is drawn
// anew on each click. Ages of 90 and more share the last bar ("90 und mehr").
#pragma once

#include <cstdint>

#include "contest/contest_table.h"
#include "contestlog/chart_drawing.h"
#include "platform/qt/button.h"
#include "platform/qt/check_box.h"
#include "platform/qt/panel.h"
#include "ui/kv_form.h"

namespace contestlog {

class Tpartyauswertungform : public ui::TkvForm {
 public:
  // `log` is the log window's object on the log's QSO file; the chart reads the file through an
  // object of its own, so `log` keeps its record. It must outlive the form. Draws the chart in
  // 1-year steps (FormCreate).
  explicit Tpartyauswertungform(contest::TdbContestBase& log);

  void FormCreate();
  // A step button was clicked: the chart is drawn again.
  void r1Click();
  // Keeps btnOK at the right end of Panel1.
  void Panel1Resize();
  // Esc closes the window (modal result 2) and is swallowed.
  void FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift);

  // The years one bar stands for: 1, 5 or 10, by the checked step button.
  int Step() const;
  // Frees every control on panelausw and draws the chart for the checked step.
  void DrawOverview();

  platform::qt::TPanel* Panel1;
  platform::qt::TButton* btnOK;
  platform::qt::TRadioButton* r1;
  platform::qt::TRadioButton* r5;
  platform::qt::TRadioButton* r10;
  platform::qt::TPanel* panelausw;
  contest::TdbContestBase& LogTable;
};

// Opens the overview of `log` modally at the place the last chart had (`place`, which then keeps
// this one's). Without a start day (`start_day` below 1) it warns "Der Beginn des Contestes
// wurde nicht angegeben." and opens nothing.
void ShowPartyChart(std::int32_t start_day, contest::TdbContestBase& log, ChartPlace& place);

}  // namespace contestlog
