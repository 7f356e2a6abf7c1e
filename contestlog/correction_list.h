// The correction list "QSO - Liste": the QSOs of the open log in a grid like the log window's
// QSO list, to choose one for the edit dialog (Enter or a double click) or for deletion. It
// opens on the whole log (mode 0, by number), on the QSOs of one call (mode 1, the call asked
// first in the search dialog "Suche") or on the log of one band (mode 2, the band chosen first
// in the dialog "Band"). Rows, headings and column widths are the log window's; an edit or a
// delete runs the log window's own (contest_log_std.h), so that numbering, points and the
// multiplier board follow.
//
// The list pages over the log window's own object on the log, not one of its own: the
// renumbering after a change replaces the log's files and is refused while a second object of
// the program holds them.
#pragma once

#include <cstdint>

#include "contestlog/contest_log_std.h"
#include "platform/qt/list_box.h"
#include "ui/bit_btn.h"
#include "ui/browser.h"
#include "ui/kv_edit.h"
#include "ui/kv_form.h"

namespace contestlog {

enum class CorrectionMode : std::uint8_t { kWholeLog = 0, kCallSearch = 1, kBandLog = 2 };

class TKorrekturstd : public ui::TkvForm {
 public:
  static constexpr int kListNr = 46;

  // Runs FormCreate: the band dialog (mode 2) or the search dialog (mode 1) show from here.
  // `band` is the band to preselect in mode 2.
  TKorrekturstd(platform::qt::TComponent* owner, TContestLogStd& window, char band,
                CorrectionMode mode);
  // Keeps the column widths (FormDestroy).
  ~TKorrekturstd() override;

  void FormCreate();
  void FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift);
  void FormDestroy();
  void BrowBuildRow(ui::RowRec& row);
  void BrowSetHeaderFooter();
  // Enter or a double click: the edit dialog for the row's QSO, then the log window's list shows
  // the change.
  void BrowBrowEnter();
  bool BrowDatensatz_Loeschen();
  int BrowBrowColWidths(int column);

  CorrectionMode Mode() const { return mode_; }
  // The band of the band log (mode 2).
  char Band() const { return band_; }

  ui::TkvBrow* Brow;

 private:
  // The band dialog's choice (mode 2).
  void ChooseBand();

  TContestLogStd& window_;
  char band_;
  CorrectionMode mode_;
  bool destroyed_ = false;
};

// The correction list while it shows; null otherwise.
TKorrekturstd* Korrekturstd();

// The band dialog "Band": the contest's bands in a list; Enter or a double click ends it with 1,
// Esc with 2.
class Tstdband : public ui::TkvForm {
 public:
  explicit Tstdband(platform::qt::TComponent* owner);
  void FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift);
  void listbandDblClick();

  platform::qt::TListBox* listband;
};

// The search dialog "Suche" over the correction list's grid: "Suche starten" lists the QSOs of
// the call typed (portable marks and the like do not count: "dl1abc/p" lists DL1ABC and
// DL1ABC/P) and ends with 1; "Abbrechen" and Esc end it with 2.
class TSucheQE_ : public ui::TkvForm {
 public:
  TSucheQE_(ui::TkvBrow& grid);
  void FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift);
  void btnendepx3Click();

  ui::TkvEdit* eSuche;
  ui::TkvBitBtn* btnendepx4;
  ui::TkvBitBtn* btnAbbruchpx4;

 private:
  ui::TkvBrow& grid_;
};

}  // namespace contestlog
