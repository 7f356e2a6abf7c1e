// TEingContestStd: the contest setup form, in which the operator sets up one contest log
// (name, dates, own station, category, start mode, options and the contest's extra data), sees
// its score per band, and saves it or starts the log. Modal; its caption is the contest's title
// followed by "  Contest-Konfiguration" (in review mode the title alone).
//
// The form is humble: every event copies the controls into the transfer record
// (app/eing_contest_view.h), lets the controller TEingContestCtrl act on it, and copies it back
// (texts, checks, captions, visibility, marks, focus and the modal result). Components are
// made in code under the names the controller's record uses (eing_contest_design.cpp).
//
// Modal results: 1 after "Contest starten", 2 after "Beenden", "Abbrechen" or Escape.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "app/eing_contest_ctrl.h"
#include "app/eing_contest_view.h"
#include "app/output_menu.h"
#include "platform/qt/check_box.h"
#include "platform/qt/group_box.h"
#include "platform/qt/label.h"
#include "platform/qt/memo.h"
#include "platform/qt/panel.h"
#include "ui/bit_btn.h"
#include "ui/kv_datum.h"
#include "ui/kv_edit.h"
#include "ui/kv_form.h"
#include "ui/radio_group.h"

namespace app {

using platform::qt::TCheckBox;
using platform::qt::TGroupBox;
using platform::qt::TLabel;
using platform::qt::TRadioButton;

// The colour of a field that failed a check.
inline constexpr platform::qt::TColor kMarkColour = 0x8080FF;

// One row of the score panel: the band's name and its three values.
struct ScoreRowLabels {
  TLabel* band = nullptr;
  TLabel* qsos = nullptr;
  TLabel* multipliers = nullptr;
  TLabel* points = nullptr;
};

class TEingContestStd : public ui::TkvForm {
 public:
  // The controller is made here for the log of the catalogue object's current record (see
  // TEingContestCtrl); the form is filled at once.
  TEingContestStd(platform::qt::TComponent* owner, char code, int edit_flag, int review_flag,
                  contest::TdbContest& catalogue, contest::TdbContest& contest_data,
                  contest::TContestRec& definition);
  ~TEingContestStd() override;

  TEingContestCtrl& Ctrl() { return *ctrl_; }
  // The Nummer of the log's catalogue record.
  std::int32_t GetSatzNummer() const { return ctrl_->GetSatzNummer(); }
  // The output menu "Drucken / E-Log" opens.
  TOutputMenu& OutputMenu() { return *output_menu_; }

  // --- contest, dates and times ---
  TGroupBox* groupContest;
  ui::TkvEdit* eName;
  ui::TkvDatum* eDatumvon;
  ui::TkvDatum* eDatumbis;
  ui::TkvEdit* eZeitvon;
  ui::TkvEdit* eZeitbis;
  TCheckBox* edatumauto;
  TCheckBox* ezeitauto;
  TCheckBox* eBandauto;
  // --- own call and station ---
  TGroupBox* groupStation;
  ui::TkvEdit* eCall_;
  TLabel* lCallSlash;
  ui::TkvEdit* eCallSuffix;
  TLabel* leDOK;
  ui::TkvEdit* eDOK;
  ui::TkvEdit* eLoc;
  ui::TkvEdit* eSWL;
  ui::TkvEdit* ecname;
  ui::TkvEdit* eStrasse;
  ui::TkvEdit* ePLZ;
  ui::TkvEdit* eOrt;
  ui::TkvEdit* eLand;
  ui::TkvEdit* eEMail;
  // --- category, start mode, clock, options ---
  ui::TkvRadioGroup* eteilnahmeart;
  TGroupBox* groupModus;
  TRadioButton* rcw;
  TRadioButton* rssb;
  TRadioButton* rFM;
  TRadioButton* rPR;
  TGroupBox* groupZeit;
  TRadioButton* rZeitOrt;
  TRadioButton* rZeitUTC;
  TGroupBox* groupOptionen;
  TCheckBox* eaktrsts;
  TCheckBox* eaktrstr;
  ui::TkvEdit* eQSLw;
  ui::TkvEdit* eqslr;
  TCheckBox* cPrefixmenue;
  TCheckBox* crstsnichtsperren;
  TCheckBox* cdoppelqso;
  TCheckBox* cwebabfrage;
  // --- extra data ---
  TGroupBox* groupZusatz;
  TLabel* lJahre;
  TLabel* lJahre2;
  ui::TkvEdit* eJahre;
  TGroupBox* GroupZusatz2;
  std::array<TRadioButton*, 3> rZusatz2;
  TGroupBox* groupboxdatum;
  ui::TkvDatum* edatum;
  TGroupBox* GroupFrage;
  TLabel* lFrage;
  TRadioButton* eHMja;
  TRadioButton* eHMnein;
  TGroupBox* groupzusatz3;
  platform::qt::TMemo* memoStation;
  TCheckBox* cBausatz;
  TCheckBox* cUnikat;
  TLabel* legroupzusatz3;
  ui::TkvEdit* egroupzusatz3;
  // --- score panel ---
  TGroupBox* groupAuswertung;
  std::array<ScoreRowLabels, kScoreRows> scoreRows;
  ScoreRowLabels scoreHeading;
  TLabel* Label28;  // QSOs
  TLabel* Label19;  // multipliers
  TLabel* Label20;  // points
  TLabel* Label21;  // score
  // --- buttons ---
  platform::qt::TPanel* panelButtons;
  ui::TkvBitBtn* btnstart;
  ui::TkvBitBtn* btnOK;
  ui::TkvBitBtn* btnAbbruch;
  ui::TkvBitBtn* btnDruck;
  ui::TkvBitBtn* btnregeln;
  ui::TkvBitBtn* btnHilfe;

  // The form's key preview: Escape asks whether to keep the changes.
  void KeyDown(std::uint16_t& key, platform::qt::TShiftState shift) override;

 private:
  // Design (eing_contest_design.cpp).
  void MakeContestGroup();
  void MakeStationGroup();
  void MakeRightColumn();
  void MakeExtraGroups();
  void MakeScorePanel();
  void MakeButtons();
  // Places the right column, the extra groups shown and the score panel below each other, and
  // sizes the form to them.
  void Arrange();

  // Behaviour (eing_contest_std.cpp).
  void Connect();
  // "Drucken / E-Log": the save with the button as sender, then the output menu at the button
  // (for a stored log, also when a check of the save failed).
  void btnDruckClick();
  // A menu item's output, on the log as stored.
  void WriteOutputOfLog(int code);
  // Copies the controls into the record, runs the event, copies the record back.
  void Dispatch(const std::function<void(EingContestView&)>& event);
  // Each edit, check box and radio button with the part of the record it shows.
  std::array<std::pair<ui::TkvEdit*, FieldView*>, 20> BoundFields();
  std::array<std::pair<TCheckBox*, BoxView*>, 11> BoundChecks();
  std::array<std::pair<TRadioButton*, BoxView*>, 11> BoundRadios();
  void ReadControls();
  void ShowView();
  void ShowScore();

  std::unique_ptr<TEingContestCtrl> ctrl_;
  // The main window's, which outlive the form.
  contest::TdbContest& catalogue_;
  contest::TdbContest& contest_data_;
  contest::TContestRec& definition_;
  std::unique_ptr<TOutputMenu> output_menu_;
  EingContestView view_;
  bool updating_ = false;
};

}  // namespace app
