// The print dialog ("Druckabfrage"): with it a printing tool asks for the printer, the page
// margins and the font before it prints. The choices go into the print settings (Service<
// output::TPrintSS>), from which the caller then prints. Reached through
// TToolsFkt::PrintDialog (tools_fkt.h).
//
// The printer and the font are chosen with the printing layer's dialogs and reach the settings
// at once (a cancelled print dialog keeps them); the margins only on OK.
#pragma once

#include <cstdint>
#include <string>

#include "app/tools_form.h"
#include "common/short_string.h"
#include "platform/qt/edit.h"
#include "platform/qt/font.h"
#include "platform/qt/label.h"
#include "ui/bit_btn.h"
#include "ui/panels.h"
#include "ui/sap_button.h"

namespace app {

// What a printing tool asks the dialog for.
struct TPrintDialogValues {
  std::int32_t further = 0;  // kept, not read
  // Millimetres; 0 or less keeps the current setting and does not offer the field.
  std::int32_t left = 0;
  std::int32_t right = 0;
  std::int32_t top = 0;
  std::int32_t bottom = 0;
  bool landscape = false;
  std::string font_name;          // empty: keep
  std::int32_t font_size = 0;     // 0: keep, and the font is not offered
  std::uint32_t font_colour = 0;  // 0: keep
  platform::qt::TFontStyles font_style = 0;
};

// What the controller hands its form and takes back.
struct TToolsDruckDialogParams {
  std::int32_t left = 0;  // mm
  std::int32_t top = 0;
  std::int32_t bottom = 0;
  std::int32_t right = 0;
  bool left_edit = false;
  bool top_edit = false;
  bool bottom_edit = false;
  bool right_edit = false;
  bool font_edit = false;
  common::ShortString<255> printer;
  common::ShortString<255> font_text;
};

// "<name>  <size>pt", then " fett" when bold and " kursiv" when italic.
std::string PrintFontText(const std::string& name, std::int32_t size,
                          platform::qt::TFontStyles style);

class TToolsDruckDialogCtrl {
 public:
  TToolsDruckDialogCtrl(platform::qt::TComponent* owner, TPrintDialogValues values);

  // Runs the dialog; true when the user chose to print.
  bool Execute();
  // Stores the given values into the print settings and builds the record from them.
  void FillParams(TToolsDruckDialogParams& params) const;
  // The record's margins into the print settings.
  void TakeResult(const TToolsDruckDialogParams& params) const;
  void Init() {}
  // The printer dialog; on OK the orientation and the record's printer name follow the choice.
  bool SetupPrinter(TToolsDruckDialogParams& params) const;
  // The font dialog on the settings' font; on OK the choice goes into the settings. The
  // record's font text is rebuilt either way.
  bool ChooseFont(TToolsDruckDialogParams& params) const;

  platform::qt::TComponent* Owner;
  TPrintDialogValues Values;
};

class TToolsDruckDialogForm : public TToolsForm {
 public:
  TToolsDruckDialogForm(platform::qt::TComponent* owner, TToolsDruckDialogCtrl& ctrl);

  void LoadParams(const TToolsDruckDialogParams& params);
  void StoreParams(TToolsDruckDialogParams& params) const;

  ui::TkvPanel* panelCaptions;
  ui::TkvPanel* panelCaption;
  platform::qt::TLabel* lCaption1;
  ui::TkvPanel* panelCaption2;
  platform::qt::TLabel* lCaption2;
  ui::TkvPanel* panelAllgemein;
  platform::qt::TLabel* ldrucker;
  ui::TSAPBtn* SAPBtn1;
  platform::qt::TLabel* lschrift;
  ui::TSAPBtn* btnschrift;
  platform::qt::TLabel* llinks;
  platform::qt::TLabel* lrechts;
  platform::qt::TLabel* loben;
  platform::qt::TLabel* lunten;
  platform::qt::TEdit* elinks;
  platform::qt::TEdit* erechts;
  platform::qt::TEdit* eoben;
  platform::qt::TEdit* eunten;
  ui::TkvPanel* panelbuttonspx4;
  ui::TkvBitBtn* btnEndepx4;
  ui::TkvBitBtn* btnabbruchpx4;

 private:
  void FormCreate();
  // Printer and font buttons: the buttons off, the form's values through the controller's
  // dialog and back, the buttons on again.
  void RunButtonDialog(bool (TToolsDruckDialogCtrl::*dialog)(TToolsDruckDialogParams&) const);
  void btnEndepx3Click();

  TToolsDruckDialogCtrl& ctrl_;
};

}  // namespace app
