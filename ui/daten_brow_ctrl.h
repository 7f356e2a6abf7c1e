// TDatenBrowCtrl: the base of the controllers that stand between one table and one grid browser
// in a list window. The form forwards the browser's content events to it (BindBrowserEvents), and
// the window's commands use it to read, find and re-position records. Descendants (the main
// window's list of contest logs, the reference lists) override the content operations; the base
// shows nothing: its content operations are empty or constant.
//
// The browser, the table object and the scaling owner are not owned: the window that made the
// controller keeps them alive at least as long as the controller, and destroying the controller
// frees nothing of them. Every operation copes with a missing browser (it then does nothing and
// answers false or 0).
#pragma once

#include <cstdint>
#include <functional>

#include "common/record_text.h"
#include "platform/qt/strings.h"
#include "storage/tables/table_base.h"
#include "ui/browser_page.h"

namespace ui {

class TkvBrow;
class TkvForm;

class TDatenBrowCtrl {
 public:
  // Keeps the four references (`reserved` is not read) and switches the browser's default grid
  // drawing off, so that the layout engine paints its cells. Descendants bind the browser
  // afterwards with TkvBrow::Init(list number, db, key number, ..., scale_owner, owner_byte, ...).
  TDatenBrowCtrl(TkvBrow* browser, int reserved, storage::TdbBase* db, TkvForm* scale_owner,
                 std::uint8_t owner_byte);
  virtual ~TDatenBrowCtrl() = default;
  TDatenBrowCtrl(const TDatenBrowCtrl&) = delete;
  TDatenBrowCtrl& operator=(const TDatenBrowCtrl&) = delete;

  // --- the content operations, in slot order; the form's browser events land here ---
  virtual void BuildRow(RowRec& row);
  virtual void SetHeaderFooter();
  virtual void InitSortList();
  // The key number of sort entry `entry` (and its bounds): 1 with both bounds left empty.
  virtual int SortList2Key(int entry, common::TKeyStr& lkey, common::TKeyStr& hkey);
  // The list window's print command; nothing in the base.
  virtual void Slot4();
  // The browser's quick-search text, upper-cased.
  virtual void GetSuchKey(common::TKeyStr& key);
  virtual void Slot6(int first, int second);
  virtual int Slot7(int first, int second);

  // --- reading and positioning ---
  // The current row's reference into `ref`; false (ref untouched) without a browser or a valid
  // row.
  virtual bool ReadDatensatz(std::int32_t& ref);
  // The references of the selected records that can be read, as decimal lines, after which the
  // selection is cleared; without a selection the current row's reference. False unless the
  // current row is valid; else whether `list` holds a line.
  virtual bool CollectSelected(platform::qt::TStrings& list);
  // With `ask`: one record on (not while a cell is edited), then the page re-read around the
  // record that was current, on its screen row; when that record is gone (deleted), around the
  // record the step reached.
  virtual void RefreshAndGoto(bool ask);
  virtual bool ReadDatensatz2(std::int32_t& ref);
  // With `ask`: to the record `ref` (> 0), the driver's current one (0) or the start (< 0).
  virtual void GotoDatensatz(bool ask, std::int32_t ref);
  // May a new record be made; the base allows it.
  virtual bool Slot14();
  // With `ask`: back onto the driver's current record.
  virtual void GotoCurrent(bool ask);
  virtual bool Slot16();
  virtual void GotoDatensatz2(bool ask, std::int32_t ref);
  // The browser's layout protocol line.
  virtual void LogLayout();

  // Rebuilds the sort list keeping the chosen entry, then the columns.
  void RebuildSortlist();

  TkvBrow* Browser() const { return browser_; }
  storage::TdbBase* Db() const { return db_; }
  TkvForm* ScaleOwner() const { return scale_owner_; }
  std::uint8_t OwnerByte() const { return owner_byte_; }

 private:
  storage::TdbBase* db_;
  TkvBrow* browser_;
  TkvForm* scale_owner_;
  std::uint8_t owner_byte_;
};

// Binds the browser's content events to the controller the form has at the moment of each event
// (`controller` may answer null: then rows stay empty, every sort entry maps to key 1 and the
// quick search gives an empty key). The quick-search key starts empty before the controller
// fills it.
void BindBrowserEvents(TkvBrow& browser, std::function<TDatenBrowCtrl*()> controller);

}  // namespace ui
