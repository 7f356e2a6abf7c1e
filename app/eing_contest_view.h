// The transfer record of the contest setup form: what every control of TEingContestStd shows,
// as plain data. The form copies its controls into it before it hands an event to the
// controller (TEingContestCtrl) and copies it back afterwards; the controller reads and writes
// only this record, so that it runs and is tested without a window.
//
// Names follow the form's components. A control starts visible and enabled; the design's own
// captions stand in the form and are replaced only where a caption here is not empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace app {

// The controls a check or an event may focus.
enum class EingFocus : std::uint8_t {
  kNone,
  eName,
  eDatumvon,
  eDatumbis,
  eZeitvon,
  eZeitbis,
  eCall_,
  eDOK,
  eLoc,
  ePLZ,
  eEMail,
  eJahre,
  egroupzusatz3,
  memoStation,
  edatum,
  groupZeit,
  eteilnahmeart,
  btnOK,
};

// A one-line field (or the memo). A marked field failed a check: it shows the mark colour until
// its text changes.
struct FieldView {
  std::string text;
  bool visible = true;
  bool enabled = true;
  bool marked = false;
  int max_length = 0;  // 0: the design's
};

// A check box or radio button.
struct BoxView {
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  std::string caption;  // empty: the design's
};

// A group box, or a label (only caption and visibility).
struct GroupView {
  std::string caption;  // empty: the design's
  bool visible = true;
  bool enabled = true;
  bool marked = false;
};

// The category choice: one radio button per class text.
struct ChoiceView {
  std::vector<std::string> items;
  int columns = 1;
  int index = -1;  // -1: none chosen
  bool enabled = true;
  bool marked = false;
};

// The score panel "Auswertung": up to seven band rows and the totals line.
inline constexpr int kScoreRows = 7;

struct ScoreRowView {
  bool visible = false;
  std::string band;  // the band's name
  std::string qsos;
  std::string multipliers;
  std::string points;
};

struct ScorePanelView {
  std::array<ScoreRowView, kScoreRows> rows;
  bool multiplier_column = true;  // false: the contest counts multipliers over all bands
  std::string total_qsos;         // "12 QSO"
  std::string total_multipliers;  // "5 Multi x", "" without multipliers
  std::string total_points;       // "340 Punkte ="
  std::string score;              // "1700 Pkt."
};

struct EingContestView {
  std::string caption;

  // --- contest, dates and times ---
  FieldView eName;
  FieldView eDatumvon;
  FieldView eDatumbis;
  FieldView eZeitvon;
  FieldView eZeitbis;
  BoxView edatumauto;
  BoxView ezeitauto;
  BoxView eBandauto;

  // --- own call and station ---
  FieldView eCall_;
  GroupView leDOK;  // the DOK field's label
  FieldView eDOK;
  FieldView eLoc;
  FieldView eSWL;
  FieldView ecname;
  FieldView eStrasse;
  FieldView ePLZ;
  FieldView eOrt;
  FieldView eLand;
  FieldView eEMail;

  // --- category, start mode, clock ---
  ChoiceView eteilnahmeart;
  BoxView rcw;
  BoxView rssb;
  BoxView rFM;
  BoxView rPR;
  GroupView groupZeit;
  BoxView rZeitOrt;
  BoxView rZeitUTC;

  // --- options ---
  BoxView eaktrsts;
  BoxView eaktrstr;
  FieldView eQSLw;
  FieldView eqslr;
  BoxView cPrefixmenue;
  BoxView crstsnichtsperren;
  BoxView cdoppelqso;
  BoxView cwebabfrage;

  // --- extra data by contest code ---
  GroupView groupZusatz;  // the number field eJahre with its two labels
  GroupView lJahre;
  GroupView lJahre2;
  FieldView eJahre;
  GroupView GroupZusatz2;  // three choices
  std::array<BoxView, 3> rZusatz2;
  GroupView groupboxdatum;  // a date
  FieldView edatum;
  GroupView GroupFrage;  // a yes/no question
  GroupView lFrage;
  BoxView eHMja;
  BoxView eHMnein;
  GroupView groupzusatz3;  // the station text
  FieldView memoStation;
  BoxView cBausatz;
  BoxView cUnikat;
  GroupView legroupzusatz3;
  FieldView egroupzusatz3;

  ScorePanelView score;

  // --- buttons and the form ---
  bool btnstart_visible = true;
  bool btnAbbruch_visible = true;
  bool ok_is_default = false;  // false: "Contest starten" is the default button
  EingFocus focus = EingFocus::kNone;
  // 0 while the form stays open; 1 "Contest starten", 2 closed otherwise.
  int modal_result = 0;
};

}  // namespace app
