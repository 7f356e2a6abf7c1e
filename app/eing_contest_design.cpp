// The contest setup form as designed: contest, dates and times, own call and station data on
// the left; category, start mode, clock and options on the right; the contest's extra groups
// and the score panel below; the buttons at the bottom. Places are pixels at 96 dpi; the form
// scales and fits itself to the screen when it is made.
#include <algorithm>
#include <string>

#include "app/eing_contest_std.h"
#include "platform/qt/colors.h"

namespace app {
namespace {

using platform::qt::TAlignment;
using platform::qt::TComponent;
using platform::qt::TWinControl;

constexpr int kLeftX = 8;
constexpr int kLeftWidth = 400;
constexpr int kRightX = 416;
constexpr int kRightWidth = 436;
constexpr int kFormWidth = kRightX + kRightWidth + 8;
constexpr int kGap = 6;
constexpr int kFieldHeight = 21;
constexpr int kRowStep = 26;
constexpr int kFieldX = 112;      // fields after their labels in the left groups
constexpr int kButtonBar = 46;
constexpr int kScoreRowHeight = 16;

// A component of the form on `parent`, named, at left, top, width, height.
template <typename T>
T* Make(TComponent* form, TWinControl* parent, const std::string& name, int left, int top,
        int width, int height) {
  auto* control = new T(form);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

TLabel* MakeLabel(TComponent* form, TWinControl* parent, const std::string& name,
                  const std::string& caption, int left, int top) {
  auto* label = new TLabel(form);
  label->SetName(name);
  label->SetParent(parent);
  label->SetLeft(left);
  label->SetTop(top);
  label->SetCaption(caption);
  return label;
}

// A label of a fixed width whose text stands at its right edge (the score panel's numbers).
TLabel* MakeNumber(TComponent* form, TWinControl* parent, const std::string& name, int left,
                   int top, int width) {
  auto* label = Make<TLabel>(form, parent, name, left, top, width, kScoreRowHeight);
  label->SetAutoSize(false);
  label->SetAlignment(TAlignment::taRightJustify);
  return label;
}

template <typename T>
T* MakeCaptioned(TComponent* form, TWinControl* parent, const std::string& name,
                 const std::string& caption, int left, int top, int width, int height) {
  T* control = Make<T>(form, parent, name, left, top, width, height);
  control->SetCaption(caption);
  return control;
}

// A field with its label in front of it, on row `row` of a group.
ui::TkvEdit* LabelledField(TComponent* form, TWinControl* group, const std::string& name,
                           const std::string& caption, int row, int width, int max_length) {
  const int top = 20 + row * kRowStep;
  MakeLabel(form, group, "l" + name, caption, 10, top + 3);
  auto* field = Make<ui::TkvEdit>(form, group, name, kFieldX, top, width, kFieldHeight);
  field->SetMaxLength(max_length);
  return field;
}

}  // namespace

void TEingContestStd::MakeContestGroup() {
  groupContest = MakeCaptioned<TGroupBox>(this, this, "groupContest", "Contest", kLeftX, 8,
                                          kLeftWidth, 160);
  eName = LabelledField(this, groupContest, "eName", "Contest-Name:", 0, 276, 25);
  eDatumvon = Make<ui::TkvDatum>(this, groupContest, "eDatumvon", kFieldX, 20 + kRowStep, 120,
                                 kFieldHeight);
  MakeLabel(this, groupContest, "leDatumvon", "Datum von:", 10, 23 + kRowStep);
  MakeLabel(this, groupContest, "leDatumbis", "bis:", 244, 23 + kRowStep);
  eDatumbis = Make<ui::TkvDatum>(this, groupContest, "eDatumbis", 268, 20 + kRowStep, 120,
                                 kFieldHeight);
  MakeLabel(this, groupContest, "leZeitvon", "Zeit von (UTC):", 10, 23 + 2 * kRowStep);
  eZeitvon = Make<ui::TkvEdit>(this, groupContest, "eZeitvon", kFieldX, 20 + 2 * kRowStep, 60,
                               kFieldHeight);
  MakeLabel(this, groupContest, "leZeitbis", "bis:", 244, 23 + 2 * kRowStep);
  eZeitbis = Make<ui::TkvEdit>(this, groupContest, "eZeitbis", 268, 20 + 2 * kRowStep, 60,
                               kFieldHeight);
  for (ui::TkvEdit* time : {eZeitvon, eZeitbis}) time->SetMaxLength(5);
  edatumauto = MakeCaptioned<TCheckBox>(this, groupContest, "edatumauto",
                                        "Datum automatisch setzen", 10, 104, 186, 18);
  ezeitauto = MakeCaptioned<TCheckBox>(this, groupContest, "ezeitauto",
                                       "Zeit automatisch setzen", 200, 104, 190, 18);
  eBandauto = MakeCaptioned<TCheckBox>(this, groupContest, "eBandauto",
                                       "Band automatisch entsprechend der Zeit setzen", 10, 126,
                                       380, 18);
}

void TEingContestStd::MakeStationGroup() {
  groupStation = MakeCaptioned<TGroupBox>(this, this, "groupStation", "Eigene Station", kLeftX,
                                          174, kLeftWidth, 212);
  eCall_ = LabelledField(this, groupStation, "eCall_", "Rufzeichen:", 0, 100, 12);
  eCall_->SetSlashedZero(false);
  lCallSlash = MakeLabel(this, groupStation, "lCallSlash", "/", kFieldX + 104, 23);
  eCallSuffix = Make<ui::TkvEdit>(this, groupStation, "eCallSuffix", kFieldX + 112, 20, 36,
                                  kFieldHeight);
  leDOK = MakeLabel(this, groupStation, "leDOK", "DOK:", 244, 23);
  eDOK = Make<ui::TkvEdit>(this, groupStation, "eDOK", 290, 20, 98, kFieldHeight);
  eDOK->SetMaxLength(6);
  eLoc = LabelledField(this, groupStation, "eLoc", "Locator:", 1, 100, 6);
  MakeLabel(this, groupStation, "leSWL", "SWL-Nr:", 244, 23 + kRowStep);
  eSWL = Make<ui::TkvEdit>(this, groupStation, "eSWL", 290, 20 + kRowStep, 98, kFieldHeight);
  eSWL->SetMaxLength(14);
  ecname = LabelledField(this, groupStation, "ecname", "Name:", 2, 276, 50);
  eStrasse = LabelledField(this, groupStation, "eStrasse", "Straße:", 3, 276, 50);
  ePLZ = LabelledField(this, groupStation, "ePLZ", "PLZ / Ort:", 4, 60, 10);
  eOrt = Make<ui::TkvEdit>(this, groupStation, "eOrt", kFieldX + 66, 20 + 4 * kRowStep, 210,
                           kFieldHeight);
  eOrt->SetMaxLength(40);
  eLand = LabelledField(this, groupStation, "eLand", "Land:", 5, 276, 50);
  eEMail = LabelledField(this, groupStation, "eEMail", "E-Mail:", 6, 276, 50);
}

void TEingContestStd::MakeRightColumn() {
  eteilnahmeart = MakeCaptioned<ui::TkvRadioGroup>(this, this, "eteilnahmeart", "Teilnahmeart",
                                                   kRightX, 8, kRightWidth, 60);
  groupModus = MakeCaptioned<TGroupBox>(this, this, "groupModus", "Start-Modus", kRightX, 0,
                                        kRightWidth, 44);
  rcw = MakeCaptioned<TRadioButton>(this, groupModus, "rcw", "CW", 12, 18, 80, 18);
  rssb = MakeCaptioned<TRadioButton>(this, groupModus, "rssb", "SSB", 100, 18, 80, 18);
  rFM = MakeCaptioned<TRadioButton>(this, groupModus, "rFM", "FM", 188, 18, 80, 18);
  rPR = MakeCaptioned<TRadioButton>(this, groupModus, "rPR", "PR", 276, 18, 100, 18);
  groupZeit = MakeCaptioned<TGroupBox>(this, this, "groupZeit", "Computer-Uhr", kRightX, 0,
                                       kRightWidth, 44);
  rZeitOrt = MakeCaptioned<TRadioButton>(this, groupZeit, "rZeitOrt", "läuft mit Ortszeit", 12,
                                         18, 180, 18);
  rZeitUTC = MakeCaptioned<TRadioButton>(this, groupZeit, "rZeitUTC", "läuft mit UTC", 200, 18,
                                         180, 18);
  groupOptionen = MakeCaptioned<TGroupBox>(this, this, "groupOptionen", "Optionen", kRightX, 0,
                                           kRightWidth, 156);
  eaktrsts = MakeCaptioned<TCheckBox>(this, groupOptionen, "eaktrsts",
                                      "RST sent mit 59(9) fest vorgeben", 12, 18, 370, 18);
  eaktrstr = MakeCaptioned<TCheckBox>(this, groupOptionen, "eaktrstr",
                                      "RST rcvd mit 59(9) fest vorgeben", 12, 38, 370, 18);
  MakeLabel(this, groupOptionen, "leQSLw", "QSL gesendet:", 12, 63);
  eQSLw = Make<ui::TkvEdit>(this, groupOptionen, "eQSLw", 110, 60, 26, kFieldHeight);
  MakeLabel(this, groupOptionen, "leqslr", "QSL erhalten:", 160, 63);
  eqslr = Make<ui::TkvEdit>(this, groupOptionen, "eqslr", 250, 60, 26, kFieldHeight);
  for (ui::TkvEdit* qsl : {eQSLw, eqslr}) qsl->SetMaxLength(1);
  cPrefixmenue = MakeCaptioned<TCheckBox>(
      this, groupOptionen, "cPrefixmenue",
      "Menüabfrage, wenn für eine Station mehrere DXCC möglich sind", 12, 88, 376, 18);
  crstsnichtsperren = MakeCaptioned<TCheckBox>(this, groupOptionen, "crstsnichtsperren",
                                               "RSTs nicht sperren", 12, 108, 376, 18);
  cdoppelqso = MakeCaptioned<TCheckBox>(this, groupOptionen, "cdoppelqso",
                                        "nicht gewertete Doppel-QSO in Log eintragen", 12, 128,
                                        376, 18);
  cwebabfrage = MakeCaptioned<TCheckBox>(this, groupOptionen, "cwebabfrage", "Web-Abfrage", 12,
                                         148, 376, 18);
  groupZusatz = MakeCaptioned<TGroupBox>(this, this, "groupZusatz", "Zusatzangaben", kRightX, 0,
                                         kRightWidth, 50);
  lJahre = MakeLabel(this, groupZusatz, "lJahre", "Lebensalter:", 12, 23);
  eJahre = Make<ui::TkvEdit>(this, groupZusatz, "eJahre", 180, 20, 70, kFieldHeight);
  lJahre2 = MakeLabel(this, groupZusatz, "lJahre2", "", 260, 23);
}

void TEingContestStd::MakeExtraGroups() {
  GroupZusatz2 = MakeCaptioned<TGroupBox>(this, this, "GroupZusatz2", "Wertungsgruppe", kLeftX,
                                          0, 300, 84);
  for (int i = 0; i < 3; ++i) {
    rZusatz2[static_cast<std::size_t>(i)] = Make<TRadioButton>(
        this, GroupZusatz2, "rZusatz2" + std::to_string(i + 1), 12, 18 + 20 * i, 280, 18);
  }
  groupboxdatum = MakeCaptioned<TGroupBox>(this, this, "groupboxdatum", "Lizenzdatum", kLeftX, 0,
                                           200, 52);
  edatum = Make<ui::TkvDatum>(this, groupboxdatum, "edatum", 12, 20, 120, kFieldHeight);
  GroupFrage =
      MakeCaptioned<TGroupBox>(this, this, "GroupFrage", "Frage", kLeftX, 0, 320, 52);
  lFrage = MakeLabel(this, GroupFrage, "lFrage", "", 12, 23);
  eHMja = MakeCaptioned<TRadioButton>(this, GroupFrage, "eHMja", "ja", 200, 20, 50, 18);
  eHMnein = MakeCaptioned<TRadioButton>(this, GroupFrage, "eHMnein", "nein", 256, 20, 56, 18);
  groupzusatz3 = MakeCaptioned<TGroupBox>(this, this, "groupzusatz3", "Station", kLeftX, 0,
                                          kFormWidth - 2 * kLeftX, 116);
  memoStation = Make<platform::qt::TMemo>(this, groupzusatz3, "memoStation", 12, 18, 520, 88);
  memoStation->SetScrollBars(platform::qt::TScrollStyle::ssVertical);
  cBausatz = MakeCaptioned<TCheckBox>(this, groupzusatz3, "cBausatz", "selbstgebauter Bausatz",
                                      544, 20, 240, 18);
  cUnikat = MakeCaptioned<TCheckBox>(this, groupzusatz3, "cUnikat", "individuelles Unikat", 544,
                                     42, 240, 18);
  legroupzusatz3 = MakeLabel(this, groupzusatz3, "legroupzusatz3", "MRR-Nr:", 544, 23);
  egroupzusatz3 =
      Make<ui::TkvEdit>(this, groupzusatz3, "egroupzusatz3", 610, 20, 80, kFieldHeight);
  egroupzusatz3->SetMaxLength(6);
}

void TEingContestStd::MakeScorePanel() {
  groupAuswertung = MakeCaptioned<TGroupBox>(this, this, "groupAuswertung", "Auswertung", kLeftX,
                                             0, kFormWidth - 2 * kLeftX, 160);
  const auto make_row = [this](const std::string& suffix, int top) {
    ScoreRowLabels row;
    row.band = Make<TLabel>(this, groupAuswertung, "lBand" + suffix, 16, top, 90, kScoreRowHeight);
    row.band->SetAutoSize(false);
    row.qsos = MakeNumber(this, groupAuswertung, "leQSO" + suffix, 110, top, 60);
    row.multipliers = MakeNumber(this, groupAuswertung, "leMulti" + suffix, 180, top, 60);
    row.points = MakeNumber(this, groupAuswertung, "lePunkte" + suffix, 250, top, 80);
    return row;
  };
  scoreHeading = make_row("Kopf", 18);
  scoreHeading.band->SetCaption("Band");
  scoreHeading.qsos->SetCaption("QSO");
  scoreHeading.multipliers->SetCaption("Multi");
  scoreHeading.points->SetCaption("Punkte");
  for (TLabel* heading : {scoreHeading.band, scoreHeading.qsos, scoreHeading.multipliers,
                          scoreHeading.points}) {
    heading->Font().SetStyle(platform::qt::fsBold);
  }
  for (int i = 0; i < kScoreRows; ++i) {
    scoreRows[static_cast<std::size_t>(i)] =
        make_row(std::to_string(i + 1), 36 + i * kScoreRowHeight);
  }
  Label28 = MakeNumber(this, groupAuswertung, "Label28", 420, 40, 180);
  Label19 = MakeNumber(this, groupAuswertung, "Label19", 420, 60, 180);
  Label20 = MakeNumber(this, groupAuswertung, "Label20", 420, 80, 180);
  Label21 = Make<TLabel>(this, groupAuswertung, "Label21", 420, 106, 180, 22);
  Label21->SetAutoSize(false);
  Label21->SetAlignment(TAlignment::taRightJustify);
  Label21->Font().SetStyle(platform::qt::fsBold);
  Label21->Font().SetSize(11);
}

void TEingContestStd::MakeButtons() {
  panelButtons = Make<platform::qt::TPanel>(this, this, "panelButtons", 0, 0, kFormWidth,
                                            kButtonBar);
  panelButtons->SetAlign(platform::qt::TAlign::alBottom);
  panelButtons->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  const auto button = [this](const std::string& name, const std::string& caption, int left,
                             int width) {
    auto* b = MakeCaptioned<ui::TkvBitBtn>(this, panelButtons, name, caption, left, 8, width, 30);
    b->SetModalResult(platform::qt::mrNone);
    return b;
  };
  btnstart = button("btnstart", "Contest &starten", kLeftX, 140);
  btnOK = button("btnOK", "&Beenden", kLeftX + 146, 110);
  btnAbbruch = button("btnAbbruch", "Abbrechen", kLeftX + 262, 110);
  btnDruck = button("btnDruck", "&Drucken / E-Log", kLeftX + 392, 150);
  btnregeln = button("btnregeln", "&Regeln", kLeftX + 548, 110);
  btnHilfe = button("btnHilfe", "&Hilfe", kLeftX + 664, 110);
  btnstart->SetDefault(true);
}

void TEingContestStd::Arrange() {
  eteilnahmeart->SetHeight(eteilnahmeart->NeededHeight());
  int right = eteilnahmeart->Top() + eteilnahmeart->Height() + kGap;
  for (platform::qt::TControl* group :
       {static_cast<platform::qt::TControl*>(groupModus), static_cast<platform::qt::TControl*>(
                                                              groupZeit),
        static_cast<platform::qt::TControl*>(groupOptionen),
        static_cast<platform::qt::TControl*>(groupZusatz)}) {
    if (!group->Visible()) continue;
    group->SetTop(right);
    right += group->Height() + kGap;
  }
  const int left = groupStation->Top() + groupStation->Height() + kGap;
  int top = std::max(left, right);

  // The contest's extra groups side by side; a contest without them gives their room away.
  int x = kLeftX;
  int row_height = 0;
  for (TGroupBox* group : {GroupZusatz2, groupboxdatum, GroupFrage, groupzusatz3}) {
    if (!group->Visible()) continue;
    group->SetLeft(x);
    group->SetTop(top);
    x += group->Width() + kGap;
    row_height = std::max(row_height, group->Height());
  }
  if (row_height > 0) top += row_height + kGap;

  groupAuswertung->SetTop(top);
  top += groupAuswertung->Height() + kGap;
  SetClientSize(kFormWidth, top + kButtonBar);
}

}  // namespace app
