// Twagdatei: the file viewer, in which the user reads, corrects, prints and saves an output file
// the channel has just written (E-Log summary and list, STF, Cabrillo, EDI).
//
// A plain form with the file in a memo ("Courier New", both scroll bars) above a button panel:
// "Drucken" saves the text, then prints the file with its name as the job's title (through the
// print dialog when the printer cannot begin the job), and the viewer stays open; "Speichern und
// Beenden" saves and closes with modal result 1. The close box closes with the file as last
// saved; a text edited since is first offered for saving (TwagdateiCtrl).
// The caption is the file name; the window opens in the middle of the screen.
#pragma once

#include <string>

#include "output/wagdatei_ctrl.h"
#include "platform/qt/button.h"
#include "platform/qt/form.h"
#include "platform/qt/memo.h"
#include "platform/qt/panel.h"
#include "platform/qt/rich_edit.h"

namespace output {

class Twagdatei : public platform::qt::TForm {
 public:
  // Shows the file modally and frees the viewer; true when it was closed by
  // "Speichern und Beenden".
  static bool ShowFile(const std::string& file_name);

  Twagdatei(platform::qt::TComponent* owner, const std::string& file_name);

  // The controls, for the window tests.
  platform::qt::TMemo& redit() { return *redit_; }
  platform::qt::TButton& Button1() { return *button1_; }
  platform::qt::TButton& btnspeichern() { return *btnspeichern_; }

 private:
  void FormCreate();
  void Button1Click();
  void btnspeichernClick();
  void FormCloseQuery(bool& can_close);

  TwagdateiCtrl ctrl_;
  // Owned by the form, as the framework's components are.
  platform::qt::TMemo* redit_;
  platform::qt::TRichEdit* RichEdit1_;  // hidden: the text the printer gets
  platform::qt::TPanel* panel_;
  platform::qt::TButton* button1_;
  platform::qt::TButton* btnspeichern_;
};

}  // namespace output
