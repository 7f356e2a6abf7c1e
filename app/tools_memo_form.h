// The text window: a memo in "Courier New" (or, for a rich-text file, the file's words in the
// rich-text view) above a panel with the print, save and e-mail buttons and OK / Abbrechen.
// The controller (tools_memo_ctrl.h) fills and reads it through the parameter record; the
// buttons forward to the controller with the lines of the visible view.
//
// The edit menu (undo, copy, cut, paste) is the context menu of both views and acts on the view
// it was opened on. OK over a plain-text file that was edited writes the edits back to the file
// (a failed write keeps the window open); a rich text is never written back, as its formatting
// would be lost.
#pragma once

#include <string>
#include <vector>

#include "app/tools_form.h"
#include "app/tools_memo_ctrl.h"
#include "platform/qt/memo.h"
#include "platform/qt/menus.h"
#include "platform/qt/panel.h"
#include "platform/qt/rich_edit.h"
#include "ui/bit_btn.h"

namespace app {

class TToolsMemoForm : public TToolsForm {
 public:
  TToolsMemoForm(platform::qt::TComponent* owner, TToolsMemoCtrl& ctrl);

  // False when the rich-text file cannot be read (nothing is shown then).
  bool LoadParams(const TToolsMemoParams& params);
  void StoreParams(TToolsMemoParams& params) const;

  // The view the user sees: the memo, or the rich-text view for a file.
  platform::qt::TCustomMemo& VisibleView() const;

  platform::qt::TMemo* Memo1;
  platform::qt::TRichEdit* richedit1;
  platform::qt::TPanel* panelbuttonsho4;
  ui::TkvBitBtn* btndruckho4;
  ui::TkvBitBtn* btnSpeichernHo4;
  ui::TkvBitBtn* bkEMailHo4;
  platform::qt::TPanel* panelschalter;
  ui::TkvBitBtn* btnEndeho4;
  ui::TkvBitBtn* btnabbruchho4;
  platform::qt::TPopupMenu* menue;

 private:
  void BuildMenu();
  void Memo1KeyPress(char& key);
  void btndruckho4Click();
  void FormCloseQuery(bool& can_close);

  TToolsMemoCtrl& ctrl_;
  std::string proposed_name_;  // never filled: the dialogs propose no name
  std::string view_file_;      // the plain-text file shown, empty for a rich text or the lines
  std::vector<std::string> view_file_lines_;  // as read or last written
};

}  // namespace app
