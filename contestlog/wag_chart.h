// The hourly chart "Auswertung / Contest-Strategie" of a 'W' log: QSOs (blue) and new
// multipliers (red) in each of the 24 hours from 15:00 UTC of the contest's start day, drawn
// once when the window is made. QSOs before that hour or after the 24 hours are not shown; a
// warning says so before the chart opens.
#pragma once

#include <cstdint>

#include "contest/contest_lookups.h"
#include "contestlog/chart_drawing.h"
#include "platform/qt/button.h"
#include "platform/qt/panel.h"
#include "ui/kv_form.h"

namespace contestlog {

class Twagauswertungform : public ui::TkvForm {
 public:
  // `catalogue` stands on the log's catalogue record, which gives the log number and the start
  // day; `second` is the log window's contest-data object, kept for the window's callers. Both
  // must outlive the form. Draws the chart (FormCreate).
  Twagauswertungform(contest::TdbContest& catalogue, contest::TdbContest& second);

  // Draws the chart from the log, after the warnings about QSOs outside the period.
  void FormCreate();
  // Keeps btnOK centred on Panel1.
  void Panel1Resize();
  // Esc closes the window (modal result 2) and is swallowed.
  void FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift);

  platform::qt::TPanel* Panel1;
  platform::qt::TButton* btnOK;
  platform::qt::TPanel* panelausw;
  contest::TdbContest& Catalogue;
  contest::TdbContest& SecondTable;
};

// Opens the hourly chart of the catalogue's current log modally at the place the last chart
// had (`place`, which then keeps this one's). Without a start day in the catalogue record it
// warns "Der Beginn des Contestes wurde nicht angegeben." and opens nothing.
void ShowWagChart(contest::TdbContest& catalogue, contest::TdbContest& second, ChartPlace& place);

}  // namespace contestlog
