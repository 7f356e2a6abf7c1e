// The form of the QSO edit dialog "QSO ändern" (its controller: contestlog/qso_edit.h) and the
// small helpers it shares, Teingcont2alle: Enter moves on, the report follows the mode, the band
// follows the frequency, a QSL field is selected when clicked.
//
// Every close (Esc, "Beenden [ESC]", the window's close box) ends the dialog with 1: what it holds
// is always saved. Esc in the frequency field first runs the field's exit, so that its band
// counts.
#pragma once

#include <string>

#include "contestlog/qso_edit.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/edit.h"
#include "platform/qt/label.h"
#include "platform/qt/speed_button.h"
#include "ui/bit_btn.h"
#include "ui/kv_edit.h"
#include "ui/kv_form.h"

namespace contestlog {

class Teingcont2alle {
 public:
  // Focus to the enabled tab stop of `form` with the smallest tab order above `current`'s, or,
  // when there is none, to the one with the smallest tab order.
  static void EnterNextField(platform::qt::TForm& form, const platform::qt::TWinControl& current);
  // The reports for a mode: `cw` turns a blank third character into '9' and gives a 2-character
  // report its '9'; otherwise a third character '9' becomes a blank.
  static void FixRst(bool cw, platform::qt::TEdit& sent, platform::qt::TEdit& rcvd);
  // A frequency in a band other than the chosen one chooses that band (with `busy` set, so that
  // the band's change handler stays out); one in no band gives way to the chosen band's own
  // frequency for `mode`.
  static void BandFromFrequency(platform::qt::TComboBox& band, platform::qt::TEdit& frequency,
                                const std::string& mode, bool& busy);
  static void QslFieldClick(platform::qt::TEdit& field);
};

class TContestEingabeStd2Form : public ui::TkvForm {
 public:
  TContestEingabeStd2Form(platform::qt::TComponent* owner, TContestEingabeStd2Ctrl& ctrl);

  // Fills every field from `fields` (the change handlers stay out meanwhile).
  void SetFields(const QsoEditFields& fields);
  // The fields into `fields`; what the form does not show stays as it is there.
  void GetFields(QsoEditFields& fields) const;

  // --- the handlers ---
  void FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift);
  void FormCloseQuery(bool& can_close);
  void BitBtn1Click();
  void eCallKeyDown(platform::qt::TWinControl& field, std::uint16_t& key,
                    platform::qt::TShiftState shift);
  void eCallChange();
  void eFreqExit();
  void combobandChange();
  void combomodeChange();
  void btnHoleDXCCClick();

  ui::TkvEdit* eCall;
  ui::TkvEdit* eDatum;
  ui::TkvEdit* ezeit;
  ui::TkvEdit* eCall2;
  platform::qt::TComboBox* comboband;
  platform::qt::TComboBox* combomode;
  ui::TkvEdit* emode;
  ui::TkvEdit* eFreq;
  ui::TkvEdit* eRSTs1;
  ui::TkvEdit* eRSTs2;
  ui::TkvEdit* eRSTs3;
  ui::TkvEdit* eRSTs4;
  ui::TkvEdit* eRSTr1;
  ui::TkvEdit* eRSTr2;
  ui::TkvEdit* eRSTr3;
  ui::TkvEdit* eRSTr4;
  ui::TkvEdit* eMulti;
  platform::qt::TSpeedButton* btnHoleDXCC;
  ui::TkvEdit* eName;
  ui::TkvEdit* eQTH;
  ui::TkvEdit* eQSLw;
  ui::TkvEdit* eqslr;
  ui::TkvBitBtn* BitBtn1;
  platform::qt::TLabel* lnummer;
  platform::qt::TLabel* lcall2;
  platform::qt::TLabel* lersts;
  platform::qt::TLabel* lerstr;
  platform::qt::TLabel* lemulti;

 private:
  void MakeControls();
  ui::TkvEdit* AddField(const char* name, int left, int top, int width, int max_length);
  platform::qt::TLabel* AddLabel(const char* name, const char* caption, int left, int top);
  std::string ModeText() const;

  TContestEingabeStd2Ctrl& ctrl_;
  bool filling_ = false;
  bool band_busy_ = false;
  // The frequency as shown and the value it stands for: an unchanged text keeps the value.
  std::string frequency_text_;
  float frequency_ = 0;
  // What the form keeps of the transfer record between SetFields and GetFields.
  QsoEditFields shown_;
};

}  // namespace contestlog
