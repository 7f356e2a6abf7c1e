// TContestLogDesign: the contest log window's form as designed: its components, each under the
// name the log window's code and tests know it by, with their design-time captions, kinds,
// parents and places (the entry fields on the entry panel's cell grid in the order of a
// contest without extras). Behaviour comes with TContestLogStd (contest_log_std.h); the
// per-contest layout moves, shows and hides what it needs.
//
// The components belong to the form and live as long as it does. Numbered series that the
// window walks by number (the per-band table, the keyer buttons, the own-call labels) are
// arrays, index 0 holding the component numbered 1.
#pragma once

#include <array>
#include <initializer_list>

#include "platform/qt/button.h"
#include "platform/qt/check_box.h"
#include "platform/qt/edit.h"
#include "platform/qt/group_box.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/list_box.h"
#include "platform/qt/panel.h"
#include "platform/qt/speed_button.h"
#include "platform/qt/timer.h"
#include "contestlog/stat_table.h"
#include "ui/bit_btn.h"
#include "ui/browser.h"
#include "ui/kv_edit.h"
#include "ui/kv_form.h"

namespace contestlog {

using platform::qt::TLabel;
using platform::qt::TPanel;
using platform::qt::TSpeedButton;
using ui::TkvEdit;

// The per-band table shows bands 1 to 7 of the contest.
inline constexpr int kBandRows = 7;
inline constexpr int kKeyerButtons = 11;
inline constexpr int kOwnCallLabels = 3;

// Shows or hides each of `controls`.
inline void ShowControls(std::initializer_list<platform::qt::TControl*> controls, bool visible) {
  for (platform::qt::TControl* c : controls) c->SetVisible(visible);
}

class TContestLogDesign : public ui::TkvForm {
 public:
  // The design's client size and the smallest size the window may take.
  static constexpr int kDesignWidth = 1006;
  static constexpr int kDesignHeight = 646;
  static constexpr int kMinWidth = 640;
  static constexpr int kMinHeight = 480;
  // The entry panel's cell grid at 96 dpi.
  static constexpr int kCellWidth = 8;
  static constexpr int kCellHeight = 17;
  // The per-band table: a block of QSOs, multipliers or points is a heading and seven rows.
  static constexpr int kBandRowHeight = 14;
  static constexpr int kBandHeadingHeight = 17;
  static constexpr int kBandBlockHeight = kBandHeadingHeight + kBandRows * kBandRowHeight + 4;
  // The Tag of the labels that show the entry's values.
  static constexpr int kValueLabelTag = 97;

  explicit TContestLogDesign(platform::qt::TComponent* owner);

  // --- side bar ---
  platform::qt::TImage* Image2;  // the side bar's picture, behind it
  TLabel* MenueBeenden;
  TPanel* panelauswertung;
  ui::TkvBitBtn* btnadifimport;
  TLabel* lversion;  // the contest's version text at the bottom
  TLabel* lhersteller;  // the maker's line above it: a link to the maker's web page
  ui::TkvBitBtn* btnweitere;

  // --- per-band table (in panelauswertung) ---
  // Headings of the blocks: QSOs Label23; multipliers Label11, beside it Label24; points
  // Label27, beside it Label30_. The totals under the heading Label22: QSOs Label28,
  // multipliers Label19, points Label20, the score Label21.
  TLabel* Label11;
  TLabel* Label19;
  TLabel* Label20;
  TLabel* Label21;
  TLabel* Label22;
  TLabel* Label23;
  TLabel* Label24;
  TLabel* Label27;
  TLabel* Label28;
  TLabel* Label30_;
  // Band n's name and value: lQSO<n> and leQSO<n>, lMulti<n> (the seventh lmulti7) and
  // leMulti<n>, lPunkte<n> and lePunkte<n>.
  std::array<TLabel*, kBandRows> lQSOBand;
  std::array<TLabel*, kBandRows> leQSOBand;
  std::array<TLabel*, kBandRows> lMultiBand;
  std::array<TLabel*, kBandRows> leMultiBand;
  std::array<TLabel*, kBandRows> lPunkteBand;
  std::array<TLabel*, kBandRows> lePunkteBand;

  // --- the log area ---
  TPanel* panelContLog;
  TPanel* panelObenUntergrund;
  TPanel* panelOben;
  TPanel* panelEingabe;

  // --- entry fields and their labels (in panelEingabe) ---
  TkvEdit* eCall;
  TkvEdit* eCall2;
  TkvEdit* eRSTs1;
  TkvEdit* eRSTs2;
  TkvEdit* eRSTs3;
  TkvEdit* eRSTs4;
  TkvEdit* eRSTr1;
  TkvEdit* eRSTr2;
  TkvEdit* eRSTr3;
  TkvEdit* eRSTr4;
  TkvEdit* eFreq;
  TkvEdit* eName;
  TkvEdit* eQTH;
  TkvEdit* eDatum;
  TkvEdit* ezeit;
  TkvEdit* emode;
  TLabel* leCall;
  TLabel* leCall2;
  TLabel* lersts;
  TLabel* lerstr;
  TLabel* leFreq;
  TLabel* leName;
  TLabel* leQTH;
  TLabel* leDatum;
  TLabel* lezeit;
  TLabel* leMode;
  TLabel* leBand;
  TLabel* leNummer;
  TLabel* lebeam;
  TLabel* lRST2Name;
  TLabel* lRST3Name;
  TLabel* lRST4Name;
  TLabel* lCall;
  TLabel* lRSTs1;
  TLabel* lRSTs2;
  TLabel* lRSTr1;
  TLabel* lRSTr2;
  TLabel* lDatum;
  TLabel* lZeit;
  TLabel* lMode;
  TLabel* lband;
  TLabel* lNummer;
  TLabel* lbeam;
  TLabel* lqsopartner;
  TLabel* lcallname;
  TLabel* lQSLs;
  platform::qt::TCheckBox* rqsls;
  TLabel* lenter;
  platform::qt::TImage* imgfreqscan;
  TLabel* leqso;
  TLabel* lqso;
  TLabel* lemulti;
  TLabel* lmulti;
  TLabel* lePunkte;
  TLabel* lPunkte;
  TPanel* panelmulties;  // the multiplier board
  TPanel* Panel2;        // the compact line of contests without multipliers
  platform::qt::TListBox* listband;
  platform::qt::TListBox* listmode;
  platform::qt::TButton* btndefault;
  platform::qt::TButton* Button1;
  platform::qt::TButton* Button2;

  // --- button bars: "a" shown, "b" its twin in list mode, "C" the keyer's ---
  TPanel* panelButtonsa;
  TSpeedButton* btnSpeicherna;
  TSpeedButton* btnCleara;
  TSpeedButton* btnBanda;
  TSpeedButton* btnModea;
  TSpeedButton* btnNameqtha;
  TSpeedButton* btnKorrektura;
  TSpeedButton* btnListea;
  TSpeedButton* btnNotiza;
  TSpeedButton* btnCallsuchea;
  TSpeedButton* btnHilfea;
  TSpeedButton* btnkeyinga;
  TSpeedButton* btnauswertunga;
  TSpeedButton* btnbeendena;
  std::array<TLabel*, kOwnCallLabels> lglobcalla;  // lglobcall1a .. lglobcall3a
  TPanel* panelButtonsb;
  TSpeedButton* btnSpeichernb;
  TSpeedButton* btnClearb;
  TSpeedButton* btnBandb;
  TSpeedButton* btnModeb;
  TSpeedButton* btnNameqthb;
  TSpeedButton* btnKorrekturb;
  TSpeedButton* btnListeb;
  TSpeedButton* btnNotizb;
  TSpeedButton* btnCallsucheb;
  TSpeedButton* btnHilfeb;
  TSpeedButton* btnkeyingb;
  TSpeedButton* btnauswertungb;
  TSpeedButton* btnbeendenb;
  std::array<TLabel*, kOwnCallLabels> lglobcallb;  // lglobcall1b .. lglobcall3b
  TPanel* panelButtonsC;
  std::array<TSpeedButton*, kKeyerButtons> btnkeyerf;  // btnkeyerf1 .. btnkeyerf11, Tag 1 .. 11
  TSpeedButton* btnCWTexte;

  // --- the lists ---
  TPanel* PanelDXOben;
  TLabel* lContestCaption;
  TLabel* Label127;
  TPanel* PanelUnten;
  ui::TkvBrow* Brow;
  ui::TkvBrow* BrowCluster;
  platform::qt::TGroupBox* radiounten;
  TPanel* panelclustertext;
  platform::qt::TEdit* eclustertext;
  TSpeedButton* btnClustertextsenden;
  TPanel* paneluntenrechts1;
  ui::TkvBitBtn* btnAendern;
  ui::TkvBitBtn* btnLoeschen;
  ui::TkvBitBtn* btnBandliste;
  ui::TkvBitBtn* btnbeenden2;
  platform::qt::TCheckBox* CheckBox1;
  // The statistics panel under its heading "Hauptlog-Statistik:"; hidden, like CheckBox1, which
  // would show it.
  TPanel* panelStatistik;
  TPanel* panelStatistikKopf;
  TkvStatTabelle* kvStatTabelle_;

  // --- timers: the clock, the rig's polling and its watch ---
  platform::qt::TTimer* timerzeit;
  platform::qt::TTimer* TimerCAT;
  platform::qt::TTimer* TimerCATUeberwachung;

 private:
  void MakeSideBar();
  void MakeBandTable();
  void MakeLogArea();
  void MakeEntryFields();
  void MakeEntryLabels();
  void MakeButtonBars();
  void MakeLists();
  void MakeTimers();
};

}  // namespace contestlog
