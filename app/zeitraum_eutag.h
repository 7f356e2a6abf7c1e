// The period dialog "Zeitangabe": for a contest that scores one hour of the operator's choice,
// every output first asks for that hour. Before the dialog can be used its decision help
// (app/decision_help.h) lists the points of every one-hour window of the day and proposes the
// best; the operator takes or edits the proposal and confirms with OK.
//
// The controller copies the period record into the form, shows it modally and keeps the two
// texts on OK. OK with a text that is no time of day warns and keeps the dialog open, so that an
// output never runs on a period it cannot test. Closing the dialog otherwise is a cancel.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/short_string.h"
#include "platform/qt/button.h"
#include "platform/qt/edit.h"
#include "platform/qt/label.h"
#include "platform/qt/memo.h"
#include "platform/qt/progress_bar.h"
#include "ui/kv_form.h"

namespace app {

// What the controller and the form exchange: from-time and to-time as typed ("hh:mm:ss" or
// "hh:mm").
struct TZeitraumRec {
  common::ShortString<255> von;
  common::ShortString<255> bis;
};

// The progress of the decision help. Phase 0: it starts; phase 1: window `position` (0..540)
// with its memo line in `first`; phase 2: the proposal, from-time in `first`, to-time in
// `second`; phase 3: no help, the log could not be read to its end (the operator was told).
using ZeitraumProgress = std::function<void(int phase, int position, const std::string& first,
                                            const std::string& second)>;

class TzeitraumeutagCtrl {
 public:
  // `owner` (may be null) owns the form while it is shown; `log_number` is the catalogue's
  // Nummer, which also names the log's QSO table.
  TzeitraumeutagCtrl(platform::qt::TComponent* owner, std::int32_t log_number);

  // Shows the dialog; true when it ended with OK, Von and Bis then hold its texts.
  bool Execute();
  // The decision help over the log's QSO table, told to `progress` when one is given. A log not
  // read to its end gives no sums: the operator is told why.
  void FillEntscheidungshilfe(const ZeitraumProgress& progress) const;
  // OK's test: true when both texts are times of day; else the warning "Angabe hh:mm".
  bool CheckZeitraum(const TZeitraumRec& period) const;
  void TakeZeitraum(const TZeitraumRec& period);
  void Init() {}

  platform::qt::TComponent* Owner;
  std::int32_t LogNumber;
  std::string Von;
  std::string Bis;
};

// The time of day of a period text ("hh:mm:ss" or "hh:mm"); -1 when it is none.
std::int32_t PeriodTextToTime(const std::string& text);

class TzeitraumeutagForm : public ui::TkvForm {
 public:
  TzeitraumeutagForm(platform::qt::TComponent* owner, TzeitraumeutagCtrl& ctrl);

  void SetZeitraum(const TZeitraumRec& period);
  void GetZeitraum(TZeitraumRec& period) const;
  // The decision help's progress in the form (see ZeitraumProgress).
  void ShowProgress(int phase, int position, const std::string& first, const std::string& second);

  platform::qt::TLabel* Label1;
  platform::qt::TEdit* evon;
  platform::qt::TLabel* Label2;
  platform::qt::TEdit* ebis;
  platform::qt::TLabel* Label3;
  platform::qt::TButton* Button1;
  platform::qt::TLabel* Label4;
  platform::qt::TProgressBar* ProgressBar1;
  platform::qt::TMemo* Memo1;

 private:
  void FormShow();
  void FormCloseQuery(bool& can_close);

  TzeitraumeutagCtrl& ctrl_;
};

}  // namespace app
