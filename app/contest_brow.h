// TContestBrow: the program's main window. It lists the logs of the program's contest code and
// is where a log is created, set up, started, reviewed and deleted; its controller
// (TContestBrowCtrl, app/contest_brow_ctrl.h) holds the databases and does the data work. The
// window owns the controls, the start-up order (FormCreate), the keys and the close and destroy
// steps.
//
// One window per run: the program's start-up makes it and runs the message loop until it
// closes. ContestBrow points to it from the start of its construction to its destruction; the
// other windows read the live contest definition through it.
//
// A start that cannot go on (the file manager, the setup or project files, the settings) has
// told the user; the window is then Halted() with the run's exit code 1 and must not be shown.
// A shutdown whose settings could not be written ends the run with exit code 1 too.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "platform/qt/progress_bar.h"
#include "platform/qt/shape.h"
#include "platform/qt/speed_button.h"
#include "ui/bit_btn.h"
#include "ui/browser.h"
#include "ui/kv_form.h"
#include "ui/picture_form.h"

namespace app {

class TContestBrowCtrl;

// What the run ends with: 0, or 1 after a start that stopped or a failed save of the settings.
struct RunOutcome {
  int exit_code = 0;
};

class TContestBrow : public ui::TkvForm {
 public:
  static constexpr int kDesignWidth = 1006;
  static constexpr int kDesignHeight = 646;
  static constexpr int kMinWidth = 800;
  static constexpr int kMinHeight = 600;
  static constexpr int kHelpContext = 310110018;

  // Builds the window and runs FormCreate. `outcome` outlives the window.
  TContestBrow(platform::qt::TComponent* owner, RunOutcome& outcome);
  ~TContestBrow() override;

  // --- controls, by their component names ---
  platform::qt::TImage* imguntergrund;
  platform::qt::TImage* Image2;
  platform::qt::TImage* imglinks;
  platform::qt::TImage* imgtitel_;
  platform::qt::TLabel* MenueBeenden;
  platform::qt::TLabel* lhersteller;
  platform::qt::TLabel* lCall;
  platform::qt::TLabel* lUtils;
  platform::qt::TLabel* lworked;
  platform::qt::TLabel* imgtitels;
  platform::qt::TLabel* lhinweisupdate;
  platform::qt::TLabel* lhinweisupdate2;
  platform::qt::TSpeedButton* btnweitere;
  platform::qt::TPanel* panelContest;
  platform::qt::TPanel* PanelDXOben;
  platform::qt::TLabel* lCallListCaption;
  ui::TkvBrow* Brow;
  platform::qt::TPanel* PanelUnten;
  platform::qt::TBevel* Bevel1;
  platform::qt::TBevel* Bevel2;
  platform::qt::TPanel* panelbuttonsPx4;
  platform::qt::TPanel* panelbuttonsrechtsPx4;
  ui::TkvBitBtn* btnHilfePx4;
  ui::TkvBitBtn* btnNeupx4;
  ui::TkvBitBtn* btnAendernPx4;
  ui::TkvBitBtn* btnLoeschenPx4;
  ui::TkvBitBtn* btnKopiepx4;
  ui::TkvBitBtn* btnendePx4;
  // The status bar of a long operation; no operation of the program shows it yet.
  platform::qt::TPanel* panelabgleich;
  platform::qt::TLabel* lbeendet;
  platform::qt::TProgressBar* ProgressBar;

  char EditionCode() const { return edition_code_; }
  TContestBrowCtrl* Ctrl() const { return ctrl_.get(); }
  bool Halted() const { return halted_; }

  // The application's help hook: help command 1 (context help) opens the program's help page at
  // the context's place and answers true; other commands are left to the application.
  bool AppHelp(int command, std::intptr_t data);

  // --- events ---
  void FormCreate();
  void FormShow();
  void FormResize();
  void FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift);
  void FormCloseQuery(bool& can_close);
  void FormDestroy();
  void btnNeupx3Click();
  void btnAendernPx3Click();
  void BrowBrowDoppelKlick() { btnAendernPx3Click(); }
  void btnLoeschenPx3Click();
  void btnHilfePx3Click();
  void btnendepx3Click() { Close(); }
  void MenueBeendenClick() { Close(); }
  void btnKopiepx3Click() {}
  void btnweitereClick();
  // Opens the selected log directly; no control or key is bound to it.
  void btnStartClick();
  void MakerClick();
  void MakerMouseMove();
  void Image2MouseMove();
  void MenueBeendenMouseMove(platform::qt::TComponent* sender);
  void PanelUntenResize();
  // The grid's own delete (Delete key): deletes the row's whole log through the controller,
  // which asks twice, and answers false so that the grid deletes nothing itself.
  bool BrowBefore_Loesch();

 private:
  void BuildControls();
  void BuildSideBar();
  void BuildListPanel();
  void BuildButtons();
  void WireEvents();
  // FormCreate steps 13 to 17: colours, the grid's look, the bars, scaling and fonts.
  void StyleWindow();
  void StyleGrid();
  // Steps 9 and 11 may stop the start: both answer false after the user was told.
  bool StartFileManager();
  bool CreateController();
  // Starts the log of grid record `ref`, then its review.
  void StartAndReview(std::int32_t ref);
  void Halt();
  // Layout pieces of FormResize.
  void PlaceTaggedPanels();
  void PlaceListAndTitles();
  void PlaceBottomLine();
  // The caption colour of every bitmap button on `panel` and its panels: the contrast to the
  // colour of the panel that holds it.
  static void ColourButtonCaptions(platform::qt::TWinControl& panel);

  RunOutcome& outcome_;
  std::unique_ptr<TContestBrowCtrl> ctrl_;
  char edition_code_ = 0;
  std::string maker_text_;
  // Kept for a long operation of the window and for a window that opens this one; nothing sets
  // them yet (closing is never refused).
  platform::qt::TForm* caller_form_ = nullptr;
  bool busy_ = false;
  bool cancel_request_ = false;
  bool halted_ = false;
};

// The main window while it exists, else null.
extern TContestBrow* ContestBrow;

}  // namespace app
