// TDatenListeForm: the one list window of the data list framework (daten_liste_ctrl.h). The
// grid browser `Brow` fills the window; its content events go to the controller's browse
// controller. Under it the button bar: "Abbrechen" (browse mode: "Schließen"), the take-over
// button (select mode), the extended search and the button that opens the pop-up menu of the
// standard functions, which the grid offers on a right click as well.
//
// The grid's own delete request deletes nothing: deleting goes through "Löschen". F1 asks the
// application's help for the window's help context.
#pragma once

#include <cstdint>
#include <string>

#include "app/tools_form.h"
#include "platform/qt/label.h"
#include "platform/qt/menus.h"
#include "platform/qt/panel.h"
#include "platform/qt/progress_bar.h"
#include "ui/bit_btn.h"
#include "ui/browser.h"

namespace app {

class TDatenListeCtrl;

class TDatenListeForm : public TToolsForm {
 public:
  // Posted to the window itself by a double click that took a record over; it closes the window
  // with modal result 1 once the grid's click handling is done.
  static constexpr std::uint32_t kCloseOkMessage = 0x81D4;

  TDatenListeForm(platform::qt::TComponent* owner, TDatenListeCtrl& ctrl, bool select_mode,
                  const std::string& caption);

  // Set when the user closed the window while an extra function ran.
  bool CancelRequest() const { return cancel_request_; }
  // The progress callback of the extra functions (TProgressCallback).
  void ShowProgress(int phase, int position, int total, bool& abort);
  // Closes the window with modal result 1.
  void CloseOK();
  // Shows the hint under the buttons; with a link as a blue, underlined link.
  void ShowHint(const std::string& hint, bool link);

  // --- the handlers of the buttons and menu items ---
  void btnNeuClick();
  void btnAendernClick();
  void btnLoeschenClick();
  void btnSucheho3Click();
  void MenuItemDruckClick();
  void btnEndeho3Click();
  void menuitemZusatzfunktion1Click();
  void menuitemZusatzfunktion2Click();

  ui::TkvBrow* Brow;
  platform::qt::TPanel* panelCaptions;
  platform::qt::TPanel* panelCaption;
  platform::qt::TPanel* panelCaption1;
  platform::qt::TLabel* lCaption1;
  platform::qt::TPanel* panelrandlinks;
  platform::qt::TPanel* panelrandrechts;
  platform::qt::TPanel* panelbuttonsho4;
  platform::qt::TPanel* panelschalter;
  ui::TkvBitBtn* btnabbruchho4;
  ui::TkvBitBtn* btnEndeho4;
  ui::TkvBitBtn* btnSucheho4;
  ui::TkvBitBtn* btnzusatz;
  platform::qt::TProgressBar* ProgressBar;
  platform::qt::TLabel* lHinweisUnterSchaltern;
  platform::qt::TPopupMenu* PopupIOTA;
  platform::qt::TMenuItem* menueitemUebernahme;
  platform::qt::TMenuItem* MenuItemNeu;
  platform::qt::TMenuItem* MenuItemAendern;
  platform::qt::TMenuItem* MenuItemLoeschen;
  platform::qt::TMenuItem* MenuItemSuche;
  platform::qt::TMenuItem* MenuItemDruck;
  platform::qt::TMenuItem* menuitemZusatzfunktion1;
  platform::qt::TMenuItem* menuitemZusatzfunktion2;

  // Takes kCloseOkMessage; every other message as any form.
  void WndProc(platform::qt::TMessage& message) override;

 private:
  void MakeControls();
  void MakeMenu();
  platform::qt::TMenuItem* AddItem(const std::string& name, const std::string& caption,
                                   std::function<void()> click);
  void FormCreate();
  void BindEvents();
  // A standard function between switching the buttons off and on again.
  void Standard(const std::function<void()>& function);
  void BrowBrowDoppelKlick();
  void FormKeyDown(std::uint16_t& key);
  void FormCloseQuery(bool& can_close);
  void RunExtra(bool first);

  TDatenListeCtrl& ctrl_;
  bool select_mode_;
  std::string caption_;
  bool cancel_request_ = false;
};

}  // namespace app
