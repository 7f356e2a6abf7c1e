// The data list framework: one table shown as a modal list window (TDatenListeForm) with a grid,
// a button bar and a pop-up menu of standard functions (take over, new, change, delete, extended
// search, print, two extra functions).
//
// TDatenFkt holds a table kind's data functions (open and close its files, edit, new, delete,
// search); one object per table kind lives for the whole run. TDatenListeCtrl is the list
// controller: a table's descendant chooses the table cursor, the captions and the browse
// controller (a ui::TDatenBrowCtrl descendant that fills the grid), runs the window with Execute
// and hands back the record taken over. The window never reads the table itself.
//
// Browse mode shows the table and closes with "Schließen"; select mode takes over one record
// (button, menu, Enter or double click) and Execute answers true.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/component.h"
#include "platform/qt/strings.h"
#include "storage/tables/table_base.h"
#include "ui/daten_brow_ctrl.h"

namespace app {

class TDatenListeForm;

// The data functions of a table kind. The base does nothing: a descendant overrides what its
// table offers. References travel as decimal texts, as the grid collects them.
class TDatenFkt {
 public:
  TDatenFkt() = default;
  virtual ~TDatenFkt() = default;
  TDatenFkt(const TDatenFkt&) = delete;
  TDatenFkt& operator=(const TDatenFkt&) = delete;

  // --- the operations, in slot order ---
  // True when the record was changed.
  virtual bool EditDialog(std::int32_t ref, platform::qt::TComponent* owner);
  // True when a record was made; its reference in `ref`.
  virtual bool NewDialog(std::int32_t& ref, platform::qt::TComponent* owner);
  // True when something was deleted.
  virtual bool DeleteSelection(const platform::qt::TStrings& refs);
  virtual int OpenFiles();
  virtual void CloseFiles();
  // EditDialog on the grid's current record (false when none can be read), then the grid back
  // at that record when it was changed. `brow` may be null: EditDialog with reference 0.
  virtual bool EditRecord(platform::qt::TComponent* owner, ui::TDatenBrowCtrl* brow);
  // NewDialog when the browse controller allows a new record, then the grid redisplayed at its
  // current record when one was made.
  virtual bool NewRecord(platform::qt::TComponent* owner, ui::TDatenBrowCtrl* brow);
  // DeleteSelection of the selected rows (else the current one), then the grid refreshed when
  // something was deleted.
  virtual bool DeleteRecord(ui::TDatenBrowCtrl* brow);
  virtual void Search(ui::TDatenBrowCtrl* brow);
};

// What an extra function reports while it runs: phase 0 starts (`total` steps), 1 reached
// `position`, 2 ended. `abort` comes back set once the user closed the window meanwhile.
using TProgressCallback = std::function<void(int phase, int position, int total, bool& abort)>;

class TDatenListeCtrl {
 public:
  static constexpr std::size_t kHintCapacity = 255;

  // Frees the browse controller and the table cursor, then closes the table's files.
  virtual ~TDatenListeCtrl();
  TDatenListeCtrl(const TDatenListeCtrl&) = delete;
  TDatenListeCtrl& operator=(const TDatenListeCtrl&) = delete;

  // --- the operations, in slot order ---
  // Makes the browse controller for the window's grid (SetBrowCtrl); the base makes none.
  virtual void CreateBrowCtrl();
  // Help context, visibility of buttons and menu items, the extra functions' captions.
  virtual void SetupForm();
  // After the modal run, with whether a record was taken over.
  virtual void AfterExecute(bool ok);
  virtual bool NewRecord();
  virtual bool EditRecord();
  virtual void Search();
  virtual bool DeleteRecord();
  virtual void Print();
  // The grid's current record into ChosenRecord; false when no row can be read.
  virtual bool TakeRecord();
  virtual int Zusatzfunktion1();
  virtual int Zusatzfunktion2();

  // Shows the window modally; true when a record was taken over (ChosenRecord). Exceptions of
  // the window's handlers come back here once the window is closed.
  bool Execute();
  // Opens the hint's link (a web page, or the mail program for an address).
  void OpenHinweisLink() const;

  storage::TdbBase& Table() const { return *table_; }
  bool SelectMode() const { return select_mode_; }
  platform::qt::TComponent* Owner() const { return owner_; }
  TDatenFkt& Fkt() const { return fkt_; }
  // The window while Execute runs, else null.
  TDatenListeForm* Window() const { return window_; }
  // The browse controller while Execute runs, else null.
  ui::TDatenBrowCtrl* BrowCtrl() const { return brow_ctrl_.get(); }

  std::int32_t HelpContext = 0;
  std::string Caption;
  // Which standard functions the window offers.
  bool ShowNew = true;
  bool ShowEdit = true;
  bool ShowDelete = true;
  bool ShowSearch = true;
  bool ShowPrint = true;
  bool ShowExtra1 = false;
  bool ShowExtra2 = false;
  std::string Extra1Caption;
  std::string Extra2Caption;
  // The record taken over.
  std::int32_t ChosenRecord = 0;
  // Installed by the window before an extra function runs.
  TProgressCallback Progress;
  // Set by a descendant while one of its long extra functions runs.
  bool Busy = false;
  // Under the buttons (at most kHintCapacity characters each); with a link the hint opens it.
  std::string Hint;
  std::string HintLink;

 protected:
  // Takes the table cursor and the table's data functions (which must outlive the controller),
  // then opens the table's files. `owner` (may be null: the application) owns the window.
  TDatenListeCtrl(std::unique_ptr<storage::TdbBase> table, TDatenFkt& fkt,
                  platform::qt::TComponent* owner, bool select_mode);

  void SetBrowCtrl(std::unique_ptr<ui::TDatenBrowCtrl> ctrl) { brow_ctrl_ = std::move(ctrl); }

 private:
  std::unique_ptr<storage::TdbBase> table_;
  bool select_mode_;
  platform::qt::TComponent* owner_;
  TDatenFkt& fkt_;
  TDatenListeForm* window_ = nullptr;
  std::unique_ptr<ui::TDatenBrowCtrl> brow_ctrl_;
};

}  // namespace app
