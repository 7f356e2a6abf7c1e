// The QSO edit dialog "QSO ändern" without its widgets: the controller TContestEingabeStd2Ctrl
// loads the log window's current QSO (the working copy of its LogTable) into the transfer
// record QsoEditFields, and after the dialog writes the changed fields back: the exchanges by
// the contest's exchange kinds, prefix data and points anew, and whether the log's multipliers
// must be recounted. The form is qso_edit_form.h.
//
// Opening and closing the dialog without a change leaves the record as it was: a time whose
// text was not changed keeps its seconds, an unreadable date or time keeps the stored one, and a
// mode or band the contest's lists lack (an imported QSO) stays as stored while none is chosen,
// and Call2 is taken from an exchange field only once that field was changed.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "contest/log_record.h"
#include "contestlog/log_core.h"

namespace platform::qt {
class TComponent;
}  // namespace platform::qt

namespace contestlog {

// What the controller and the form exchange. Index 0 of `sent` and `rcvd` is the report, 1 to 3
// exchange fields 2 to 4 (the fields eRSTs1..4 and eRSTr1..4).
struct QsoEditFields {
  std::string call;
  std::string date;  // "dd.mm.yyyy"
  std::string time;  // "hh:mm"
  std::array<std::string, 4> sent;
  std::array<std::string, 4> rcvd;
  std::string multi;
  std::string multi_caption;  // "DXCC" or "Präfix"
  std::string name;
  std::string qth;
  std::string call2;
  std::string free_mode;  // emode
  std::array<bool, 3> rcvd_enabled{true, true, true};  // eRSTr2..eRSTr4
  bool call2_visible = false;                          // eCall2 and lcall2
  std::string number_caption;                          // lnummer
  std::string rcvd_caption;                            // lerstr: "RSTr", in a listener log "RST2"
  float frequency = 0;
  bool use_free_mode = false;
  std::vector<std::string> modes;
  std::vector<std::string> bands;
  int mode_index = -1;
  int band_index = -1;
  std::string mode_text;  // the chosen entries; empty: none chosen
  std::string band_text;
  char qsl_sent = 0;
  char qsl_rcvd = 0;
};

class TContestEingabeStd2Ctrl {
 public:
  // `window` is the log window whose LogTable stands on the QSO; `rcvd_enabled` tells whether the
  // window shows its received exchange fields 2, 3, 4 (the dialog's are enabled likewise);
  // `owner` owns the form while it shows (may be null).
  TContestEingabeStd2Ctrl(platform::qt::TComponent* owner, ContestLogCore& window,
                          std::array<bool, 3> rcvd_enabled);

  // Loads the QSO, shows the form modally and saves what it holds when it closes with 1 (every
  // close does). Answers whether it did; false also when the log could not be written (a repair
  // of its files declined at the save).
  bool Execute();
  // The QSO of the log table's working copy into `fields` (kept as the old copy).
  void LoadQso(QsoEditFields& fields);
  // `fields` into the QSO, its prefix data and points anew, written to the log (record update).
  // Sets RecountNeeded. A bad DOK or locator warns and keeps its stored value; the rest is saved.
  // A QSO another station deleted (or changed in its moment or call) since it was loaded is not
  // written: the operator is told. Answers false when the repair of the log's files was declined
  // at the save: nothing is written, the operator is told, and no recount is needed.
  bool SaveQso(const QsoEditFields& fields);
  // The call of `fields` into the QSO's working copy, its prefix data looked up, and the
  // multiplier field and its caption from it ("DXCC", or "Präfix" where the contest counts
  // prefixes).
  void MultiCaption(QsoEditFields& fields);

  // Whether the change needs the log's multipliers recounted (and the log renumbered).
  bool RecountNeeded() const { return recount_needed_; }
  const contest::TContestLKRec& OldRecord() const { return old_; }
  ContestLogCore& Window() const { return window_; }

 private:
  bool Listener() const { return window_.Definition.SWL != 0; }
  bool CountsPrefixes() const;
  char Code() const;
  // Received exchange fields 2 to 4 into DOK, locator, state and member fields by their kinds
  // (`loaded`: the fields as shown first).
  void StoreExchangeFields(contest::TContestLKRec& qso, const std::array<std::string, 4>& rcvd,
                           const std::array<std::string, 4>& loaded);
  void TakeModeAndBand(contest::TContestLKRec& qso, const QsoEditFields& fields) const;
  void TakeDateAndTime(contest::TContestLKRec& qso, const QsoEditFields& fields) const;
  bool MultipliersChanged(const contest::TContestLKRec& qso) const;
  // Whether the log still holds the loaded QSO under its number, its moment and call unchanged.
  bool StillInLog() const;

  platform::qt::TComponent* owner_;
  ContestLogCore& window_;
  std::array<bool, 3> rcvd_enabled_;
  contest::TContestLKRec old_{};
  // The texts as loaded: what was not changed keeps the stored value.
  QsoEditFields loaded_;
  bool recount_needed_ = false;
};

}  // namespace contestlog
