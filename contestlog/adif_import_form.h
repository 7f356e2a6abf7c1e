// The dialog "ADIF-Import": the user picks an ADIF file, then drags the names of its fields
// ("Felder der ADIF-Datei") onto the log fields ("Felder im Log") they feed. A log field takes
// one ADIF field; an assignment is not undone. "Start" becomes usable with the first assignment
// and ends the dialog with 1, "Abbruch" (Esc) with 2. Choosing a second file replaces the
// left-hand list and the records and keeps the assignments made.
#pragma once

#include <string>
#include <vector>

#include "contestlog/adif_import_ctrl.h"
#include "platform/qt/button.h"
#include "platform/qt/check_box.h"
#include "platform/qt/group_box.h"
#include "platform/qt/label.h"
#include "platform/qt/list_box.h"
#include "ui/kv_form.h"

namespace contestlog {

class TContestAdifimportForm : public ui::TkvForm {
 public:
  TContestAdifimportForm(platform::qt::TComponent* owner, TContestAdifimportCtrl& ctrl);

  // Appends each name the right-hand list does not hold yet (ignoring case).
  void SetLogFields(const std::vector<std::string>& names);
  // The check flag (the inverse of checkkeincheck) and the right-hand list's lines.
  void GetMapping(AdifImportTransfer& transfer) const;

  // --- the handlers ---
  void btndateiClick();
  void ListeRechtsLBDragOver(platform::qt::TComponent* source, bool& accept);
  // The selected line of ListeLinks onto the line of ListeRechtsLB at the client point.
  void ListeRechtsLBDragDrop(platform::qt::TComponent* source, int x, int y);

  platform::qt::TLabel* Label2;
  platform::qt::TButton* btndatei;
  platform::qt::TGroupBox* TabSheet1;  // the one page "Feldzuordnung"
  platform::qt::TLabel* Label1;
  platform::qt::TLabel* Label3;
  platform::qt::TListBox* ListeLinks;
  platform::qt::TLabel* Label4;
  platform::qt::TListBox* ListeRechtsLB;
  platform::qt::TCheckBox* checkkeincheck;
  platform::qt::TButton* btnimportstart;
  platform::qt::TButton* BitBtn1;

 private:
  void MakeControls();
  platform::qt::TLabel* AddLabel(const char* name, const char* caption, int left, int top,
                                 platform::qt::TWinControl* parent);
  platform::qt::TButton* AddButton(const char* name, const char* caption, int left, int top,
                                   int width);

  TContestAdifimportCtrl& ctrl_;
};

}  // namespace contestlog
