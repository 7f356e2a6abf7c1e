// Tuhfteilnehmer ("VHF/UHF-Contest"): the form in which the operator confirms the participant
// data of an EDI file before its head is written: the participant, the responsible operator,
// the operators of a multi-operator station, the station's equipment and remarks, and whether
// the responsible operator's address becomes the own station's address.
//
// The controller side (uhfteilnehmer_ctrl.h) fills the record and keeps the answers; the form
// only shows the record and gives it back. Ask gives the fields back whichever way the form was
// closed: the file is written in any case.
#pragma once

#include "output/uhfteilnehmer_ctrl.h"
#include "platform/qt/check_box.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/group_box.h"
#include "platform/qt/label.h"
#include "platform/qt/memo.h"
#include "ui/bit_btn.h"
#include "ui/kv_edit.h"
#include "ui/kv_form.h"

namespace output {

class Tuhfteilnehmer : public ui::TkvForm {
 public:
  // Shows the form modally over the application with the record, then copies the fields back.
  static void Ask(TuhfteilnehmerParams& params);

  explicit Tuhfteilnehmer(platform::qt::TComponent* owner);

  void LoadParams(const TuhfteilnehmerParams& params);
  // The edits trimmed, the section and band as shown, the memo's text.
  void StoreParams(TuhfteilnehmerParams& params) const;

  // The controls under the names of the design; owned by the form.
  platform::qt::TGroupBox* gteilnehmer;
  ui::TkvEdit* pcall;
  ui::TkvEdit* ploc;
  ui::TkvEdit* padr1;
  ui::TkvEdit* padr2;
  platform::qt::TComboBox* psect;
  platform::qt::TComboBox* pband;
  ui::TkvEdit* pclub1;
  ui::TkvEdit* pclub2;
  ui::TkvEdit* remail;
  platform::qt::TGroupBox* gverantwortlich;
  ui::TkvEdit* rname;
  ui::TkvEdit* radr1;
  ui::TkvEdit* radr2;
  ui::TkvEdit* rpoco;
  ui::TkvEdit* rcoun;
  ui::TkvEdit* rcity;
  platform::qt::TGroupBox* gmehrmann;
  ui::TkvEdit* mope1;
  ui::TkvEdit* mope2;
  platform::qt::TGroupBox* gstation;
  ui::TkvEdit* rpower;
  ui::TkvEdit* rtrx;
  ui::TkvEdit* rant;
  platform::qt::TLabel* lremarks;
  platform::qt::TMemo* rremarks;
  platform::qt::TCheckBox* cspeichern;
  ui::TkvBitBtn* btnok;

 private:
  void FormCreate();
};

}  // namespace output
