#include "contestlog/log_window_design.h"

#include <initializer_list>
#include <string>

#include "contest/window/label_colours.h"
#include "platform/qt/colors.h"

namespace contestlog {
namespace {

using platform::qt::TComponent;
using platform::qt::TWinControl;

// A component of the form on `parent`, named, at left, top, width, height (a label with no
// width keeps the size its caption needs).
template <typename T>
T* Make(TComponent* form, TWinControl* parent, const std::string& name, int left, int top,
        int width, int height) {
  auto* control = new T(form);
  control->SetName(name);
  control->SetParent(parent);
  if (width > 0 || height > 0) {
    control->SetBounds(left, top, width, height);
  } else {
    control->SetLeft(left);
    control->SetTop(top);
  }
  return control;
}

TLabel* MakeLabel(TComponent* form, TWinControl* parent, const std::string& name,
                  const std::string& caption, int left, int top) {
  auto* label = Make<TLabel>(form, parent, name, left, top, 0, 0);
  label->SetCaption(caption);
  return label;
}

TPanel* MakePanel(TComponent* form, TWinControl* parent, const std::string& name, int left, int top,
                  int width, int height) {
  auto* panel = Make<TPanel>(form, parent, name, left, top, width, height);
  panel->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  return panel;
}

// The entry panel's cell grid: column c starts at c cells, row r at r cells.
constexpr int CellX(double column) {
  return static_cast<int>(column * TContestLogDesign::kCellWidth);
}
constexpr int CellY(double row) { return static_cast<int>(row * TContestLogDesign::kCellHeight); }

constexpr int kFieldHeight = 21;
// The side bar: as wide as the colour scheme draws its picture.
constexpr int kSideWidth = 170;
constexpr int kSideMenuTag = 100;
constexpr int kVersionFontSize = 7;
constexpr int kButtonBarHeight = 30;
constexpr int kTableMargin = 4;
constexpr int kBandRowHeight = TContestLogDesign::kBandRowHeight;
constexpr int kBandHeadingHeight = TContestLogDesign::kBandHeadingHeight;
constexpr int kBandBlockHeight = TContestLogDesign::kBandBlockHeight;
constexpr int kEvaluationHeight = 3 * kBandBlockHeight + kBandHeadingHeight + 4 * kBandRowHeight +
                                  2 * kTableMargin;

}  // namespace

TContestLogDesign::TContestLogDesign(TComponent* owner) : ui::TkvForm(owner) {
  platform::qt::LoadingScope loading(*this);
  SetName("ContestLogStd");
  SetCaption("Contest");
  SetClientSize(kDesignWidth, kDesignHeight);
  SetMinClientSize(kMinWidth, kMinHeight);
  SetKeyPreview(true);
  MakeSideBar();
  MakeBandTable();
  MakeLogArea();
  MakeEntryFields();
  MakeEntryLabels();
  MakeButtonBars();
  MakeLists();
  MakeTimers();
}

void TContestLogDesign::MakeSideBar() {
  // The side bar's picture lies behind everything on the left; the colour scheme draws it.
  Image2 = Make<platform::qt::TImage>(this, this, "Image2", 0, 0, kSideWidth, kDesignHeight);
  Image2->SetStretch(true);
  Image2->SetAlign(platform::qt::TAlign::alLeft);
  // A menu entry of the side bar (tag 100), red and drawn over the picture.
  MenueBeenden = MakeLabel(this, this, "MenueBeenden", "    Contest beenden", 5, 5);
  MenueBeenden->SetTag(kSideMenuTag);
  MenueBeenden->SetTransparent(true);
  MenueBeenden->Font().SetColor(platform::qt::clRed);
  MenueBeenden->Font().SetStyle(platform::qt::fsBold);
  panelauswertung = MakePanel(this, this, "panelauswertung", 5, 25, kSideWidth - 10,
                              kEvaluationHeight);
  btnadifimport = Make<ui::TkvBitBtn>(this, this, "btnadifimport", 5, 548, kSideWidth - 10, 30);
  btnadifimport->SetCaption("Import von ADIF-Dateien");
  lversion = MakeLabel(this, this, "lversion", "", 5, 588);
  lversion->SetWidth(kSideWidth - 10);
  lversion->SetWordWrap(true);
  lversion->SetTransparent(true);
  lversion->Font().SetSize(kVersionFontSize);
  lhersteller = MakeLabel(this, this, "lhersteller", "", 5, 572);
  lhersteller->SetTransparent(true);
  lhersteller->SetCursor(platform::qt::crHandPoint);
  lhersteller->Font().SetSize(kVersionFontSize);
  btnweitere = Make<ui::TkvBitBtn>(this, this, "btnweitere", 5, 611, kSideWidth - 10, 30);
  btnweitere->SetCaption("Weitere Programme");
}

void TContestLogDesign::MakeBandTable() {
  // Three blocks below each other, QSOs, multipliers and points, each a heading and one row a
  // band: the band's name on the left, its count on the right; the totals below them.
  struct Block {
    std::array<TLabel*, kBandRows>* names;
    std::array<TLabel*, kBandRows>* values;
    const char* name_prefix;
    const char* value_prefix;
    TLabel** heading;
    const char* heading_name;
    const char* heading_caption;
    TLabel** beside;  // the heading's second caption, on the right
    const char* beside_name;
  };
  const Block blocks[] = {
      {&lQSOBand, &leQSOBand, "lQSO", "leQSO", &Label23, "Label23", "QSO", nullptr, nullptr},
      {&lMultiBand, &leMultiBand, "lMulti", "leMulti", &Label11, "Label11", "Multi", &Label24,
       "Label24"},
      {&lPunkteBand, &lePunkteBand, "lPunkte", "lePunkte", &Label27, "Label27", "Punkte",
       &Label30_, "Label30_"}};
  const int width = panelauswertung->Width();
  auto heading = [&](TLabel* label) {
    label->Font().SetColor(platform::qt::clWhite);
    label->Font().SetStyle(platform::qt::fsBold);
  };
  for (int b = 0; b < 3; ++b) {
    const Block& block = blocks[b];
    const int top = kTableMargin + b * kBandBlockHeight;
    *block.heading = MakeLabel(this, panelauswertung, block.heading_name, block.heading_caption,
                               kTableMargin, top);
    heading(*block.heading);
    if (block.beside != nullptr) {
      *block.beside = MakeLabel(this, panelauswertung, block.beside_name, "je Band", 0, top);
      (*block.beside)->SetAutoSize(false);
      (*block.beside)->SetBounds(width / 2, top, width / 2 - kTableMargin, kBandRowHeight);
      (*block.beside)->SetAlignment(platform::qt::TAlignment::taRightJustify);
      (*block.beside)->Font().SetColor(platform::qt::clSilver);
    }
    for (int n = 1; n <= kBandRows; ++n) {
      const int row_top = top + kBandHeadingHeight + (n - 1) * kBandRowHeight;
      // The seventh multiplier label is named in lower case in the design.
      const std::string name =
          (b == 1 && n == kBandRows ? std::string("lmulti") : std::string(block.name_prefix)) +
          std::to_string(n);
      TLabel* band = MakeLabel(this, panelauswertung, name, "", 2 * kTableMargin, row_top);
      TLabel* value =
          MakeLabel(this, panelauswertung, block.value_prefix + std::to_string(n), "0", 0, 0);
      value->SetAutoSize(false);
      value->SetBounds(width / 2, row_top, width / 2 - kTableMargin, kBandRowHeight);
      value->SetAlignment(platform::qt::TAlignment::taRightJustify);
      for (TLabel* label : {band, value}) label->Font().SetColor(platform::qt::clSilver);
      (*block.names)[n - 1] = band;
      (*block.values)[n - 1] = value;
    }
  }
  // The totals: QSOs, multipliers, points and the score.
  const int top = kTableMargin + 3 * kBandBlockHeight;
  Label22 = MakeLabel(this, panelauswertung, "Label22", "Gesamt", kTableMargin, top);
  heading(Label22);
  struct Total {
    TLabel** label;
    const char* name;
    const char* caption;
  };
  const Total totals[] = {{&Label28, "Label28", "0 QSO"},
                          {&Label19, "Label19", "0 Multi x"},
                          {&Label20, "Label20", "0 Punkte ="},
                          {&Label21, "Label21", "0 Pkt."}};
  int row_top = top + kBandHeadingHeight;
  for (const Total& t : totals) {
    *t.label = MakeLabel(this, panelauswertung, t.name, t.caption, 2 * kTableMargin, row_top);
    (*t.label)->Font().SetColor(platform::qt::clWhite);
    row_top += kBandRowHeight;
  }
  Label21->Font().SetStyle(platform::qt::fsBold);
}

void TContestLogDesign::MakeLogArea() {
  const int width = kDesignWidth - kSideWidth - 5;
  panelContLog = MakePanel(this, this, "panelContLog", kSideWidth, 5, width, kDesignHeight - 10);
  // The log area is a stack from the top: the caption line, the entry, the button bars (one
  // shown at a time, the keyer's under it when shown), the list's caption, and the list, which
  // takes the rest. A hidden bar leaves no gap, and the list grows with the window.
  panelObenUntergrund = MakePanel(this, panelContLog, "panelObenUntergrund", 0, 0, width, 29);
  panelObenUntergrund->SetAlign(platform::qt::TAlign::alTop);
  panelOben = MakePanel(this, panelObenUntergrund, "panelOben", 0, 0, width, 24);
  panelEingabe = MakePanel(this, panelContLog, "panelEingabe", 0, 29, width, CellY(15));
  panelEingabe->SetAlign(platform::qt::TAlign::alTop);
  panelEingabe->SetColor(platform::qt::clBtnFace);
}

void TContestLogDesign::MakeEntryFields() {
  // The places of a contest that uses the report and exchange field 2 in both directions.
  struct Field {
    TkvEdit** field;
    const char* name;
    double column;
    double row;
    int cells;
  };
  const Field fields[] = {
      {&eCall, "eCall", 7, 1, 12},   {&eRSTs1, "eRSTs1", 20, 1, 4}, {&eRSTs2, "eRSTs2", 24, 1, 6},
      {&eRSTs3, "eRSTs3", 30, 1, 6}, {&eRSTs4, "eRSTs4", 36, 1, 6}, {&eRSTr1, "eRSTr1", 50, 1, 4},
      {&eRSTr2, "eRSTr2", 54, 1, 6}, {&eRSTr3, "eRSTr3", 60, 1, 6}, {&eRSTr4, "eRSTr4", 67, 1, 8},
      {&eCall2, "eCall2", 7, 3, 12}, {&eFreq, "eFreq", 7, 3, 10},   {&eName, "eName", 24, 3, 14},
      {&eQTH, "eQTH", 50, 3, 16},    {&emode, "emode", 7, 4.8, 8},  {&eDatum, "eDatum", 7, 8, 10},
      {&ezeit, "ezeit", 7, 9.3, 10}};
  int tab = 0;
  for (const Field& f : fields) {
    *f.field = Make<TkvEdit>(this, panelEingabe, f.name, CellX(f.column), CellY(f.row),
                             CellX(f.cells), kFieldHeight);
    (*f.field)->SetTabOrder(tab++);
  }
  // What a contest without extras does not show.
  for (TkvEdit* unused :
       {eRSTs2, eRSTs3, eRSTs4, eRSTr3, eRSTr4, eCall2, eFreq, eName, eQTH, emode}) {
    unused->SetVisible(false);
  }
}

void TContestLogDesign::MakeEntryLabels() {
  struct Caption {
    TLabel** label;
    const char* name;
    const char* caption;
    double column;
    double row;
  };
  const Caption captions[] = {
      {&leCall, "leCall", "Call", 1, 1.2},   {&leCall2, "leCall2", "Call 2", 1, 3.2},
      {&lersts, "lersts", "RSTs", 20, 0},    {&lerstr, "lerstr", "RSTr", 45, 1.2},
      {&leFreq, "leFreq", "Freq.", 1, 3.2},  {&leName, "leName", "Name", 20, 3.2},
      {&leQTH, "leQTH", "QTH", 45, 3.2},     {&leMode, "leMode", "Mode", 1, 5},
      {&leBand, "leBand", "Band", 1, 6.5},   {&leDatum, "leDatum", "Datum", 1, 8.2},
      {&lezeit, "lezeit", "UTC", 1, 9.5},    {&leNummer, "leNummer", "QSO", 68, 1.2},
      {&lebeam, "lebeam", "Beam", 68, 2.4},  {&lRST2Name, "lRST2Name", "", 54, 0},
      {&lRST3Name, "lRST3Name", "", 60, 0},  {&lRST4Name, "lRST4Name", "", 67, 0},
      {&lCall, "lCall", "", 7, 1.2},         {&lRSTs1, "lRSTs1", "599", 26, 1.2},
      {&lRSTs2, "lRSTs2", "", 29, 1.2},      {&lRSTr1, "lRSTr1", "599", 51, 1.2},
      {&lRSTr2, "lRSTr2", "", 54, 1.2},      {&lDatum, "lDatum", "", 7, 8.2},
      {&lZeit, "lZeit", "", 7, 9.5},         {&lMode, "lMode", "", 7, 5},
      {&lband, "lband", "", 7, 6.5},         {&lNummer, "lNummer", "1", 72, 1.2},
      {&lbeam, "lbeam", "", 72, 2.4},        {&lqsopartner, "lqsopartner", "QSO-Partner", 20, 11},
      {&lcallname, "lcallname", "", 20, 11}, {&lQSLs, "lQSLs", "&QSL senden: nein", 1, 11},
      {&lenter, "lenter", "", 68, 3.2},      {&leqso, "leqso", "QSO", 20, 13},
      {&lqso, "lqso", "0", 31, 13},          {&lemulti, "lemulti", "Multi", 38, 13},
      {&lmulti, "lmulti", "0", 49, 13},      {&lePunkte, "lePunkte", "Punkte", 57, 13},
      {&lPunkte, "lPunkte", "0", 70, 13}};
  for (const Caption& c : captions) {
    *c.label = MakeLabel(this, panelEingabe, c.name, c.caption, CellX(c.column), CellY(c.row));
  }
  for (TLabel* unused :
       {leCall2, leFreq, leName, leQTH, lCall, lRSTs1, lRSTr1, lRSTr2, lDatum, lZeit, lcallname}) {
    unused->SetVisible(false);
  }
  lNummer->Font().SetColor(platform::qt::clRed);
  lbeam->Font().SetColor(platform::qt::clBlue);
  // The texts showing the entry's values are navy whenever the entry is shown, the fields'
  // captions teal; labels with colours of their own keep them.
  for (TLabel* value : {lCall, lRSTs1, lRSTs2, lRSTr1, lRSTr2, lDatum, lZeit, lMode, lband}) {
    value->SetTag(kValueLabelTag);
  }
  for (TLabel* own : {lNummer, lbeam, lqsopartner, lcallname, lenter, leqso, lqso, lemulti,
                      lmulti, lePunkte, lPunkte}) {
    own->SetTag(contest::window::kLabelTagExempt);
  }
  rqsls = Make<platform::qt::TCheckBox>(this, panelEingabe, "rqsls", CellX(14), CellY(11), 16, 16);
  // Only clicked: the keyboard goes from the last exchange field on to the next field.
  rqsls->SetTabStop(false);
  imgfreqscan =
      Make<platform::qt::TImage>(this, panelEingabe, "imgfreqscan", CellX(18), CellY(3), 16, 16);
  imgfreqscan->SetVisible(false);
  panelmulties = MakePanel(this, panelEingabe, "panelmulties", CellX(20), CellY(4.5),
                           CellX(14 * 4 + 1), 8 * (kCellHeight - 1));
  Panel2 = MakePanel(this, panelEingabe, "Panel2", 0, CellY(4.5), CellX(19), CellY(6));
  Panel2->SetVisible(false);
  listband = Make<platform::qt::TListBox>(this, panelEingabe, "listband", CellX(7), CellY(6.5),
                                          CellX(10), CellY(6));
  listmode = Make<platform::qt::TListBox>(this, panelEingabe, "listmode", CellX(7), CellY(5),
                                          CellX(10), CellY(6));
  btndefault = Make<platform::qt::TButton>(this, panelEingabe, "btndefault", 0, 0, 1, 1);
  Button1 = Make<platform::qt::TButton>(this, panelEingabe, "Button1", 0, 0, 1, 1);
  Button2 = Make<platform::qt::TButton>(this, panelEingabe, "Button2", 0, 0, 1, 1);
  for (platform::qt::TControl* hidden : std::initializer_list<platform::qt::TControl*>{
           listband, listmode, btndefault, Button1, Button2}) {
    hidden->SetVisible(false);
  }
}

void TContestLogDesign::MakeButtonBars() {
  const int width = panelContLog->Width();
  const int bar_top = panelEingabe->Top() + panelEingabe->Height();
  struct Button {
    TSpeedButton** a;
    TSpeedButton** b;
    const char* name;  // without the bar's letter
    const char* caption_a;
    const char* caption_b;
    int width;
  };
  // Left to right; the last four stand at the right end, from the right.
  const Button buttons[] = {
      {&btnSpeicherna, &btnSpeichernb, "btnSpeichern", "Speichern [F10]", "Speichern [Alt+F10]",
       112},
      {&btnCleara, &btnClearb, "btnClear", "Neu", "Neu", 50},
      {&btnBanda, &btnBandb, "btnBand", "Band", "Band", 50},
      {&btnModea, &btnModeb, "btnMode", "Mode", "Mode", 50},
      {&btnNameqtha, &btnNameqthb, "btnNameqth", "Name/QTH", "Name/QTH", 72},
      {&btnKorrektura, &btnKorrekturb, "btnKorrektur", "Korrektur", "Korrektur", 70},
      {&btnListea, &btnListeb, "btnListe", "Liste", "Liste", 50},
      {&btnNotiza, &btnNotizb, "btnNotiz", "Notiz", "Notiz", 50},
      {&btnbeendena, &btnbeendenb, "btnbeenden", "Ende", "Ende", 42},
      {&btnHilfea, &btnHilfeb, "btnHilfe", "Hilfe", "Hilfe", 42},
      {&btnCallsuchea, &btnCallsucheb, "btnCallsuche", "Callsuche", "Callsuche", 66},
      {&btnkeyinga, &btnkeyingb, "btnkeying", "Keyer", "Keyer", 44},
      {&btnauswertunga, &btnauswertungb, "btnauswertung", "Auswertung", "Auswertung", 72}};
  constexpr int kRightGroup = 4;
  for (const char bar : {'a', 'b'}) {
    TPanel* panel = MakePanel(this, panelContLog, std::string("panelButtons") + bar, 0, bar_top,
                              width, kButtonBarHeight);
    (bar == 'a' ? panelButtonsa : panelButtonsb) = panel;
    panel->SetVisible(bar == 'a');
    panel->SetAlign(platform::qt::TAlign::alTop);
    auto& own_call = bar == 'a' ? lglobcalla : lglobcallb;
    for (int n = 1; n <= kOwnCallLabels; ++n) {
      own_call[n - 1] = MakeLabel(this, panel, "lglobcall" + std::to_string(n) + bar, "", 0, 8);
      own_call[n - 1]->Font().SetStyle(platform::qt::fsBold);
    }
    int left = 4;
    int right = width - 4;
    const int count = static_cast<int>(std::size(buttons));
    for (int i = 0; i < count; ++i) {
      const Button& def = buttons[i];
      const bool at_right = i >= count - kRightGroup;
      const int x = at_right ? (right -= def.width) : left;
      TSpeedButton* button = Make<TSpeedButton>(this, panel, def.name + std::string(1, bar), x, 3,
                                                def.width, kButtonBarHeight - 6);
      button->SetCaption(bar == 'a' ? def.caption_a : def.caption_b);
      button->SetFlat(true);
      if (at_right) button->SetAnchors(platform::qt::akTop | platform::qt::akRight);
      (bar == 'a' ? *def.a : *def.b) = button;
      if (!at_right) left += def.width + 2;
    }
  }
  panelButtonsC = MakePanel(this, panelContLog, "panelButtonsC", 0, bar_top + kButtonBarHeight,
                            width, kButtonBarHeight);
  panelButtonsC->SetVisible(false);
  panelButtonsC->SetAlign(platform::qt::TAlign::alTop);
  int left = 4;
  for (int n = 1; n <= kKeyerButtons; ++n) {
    btnkeyerf[n - 1] = Make<TSpeedButton>(this, panelButtonsC, "btnkeyerf" + std::to_string(n),
                                          left, 3, 48, kButtonBarHeight - 6);
    btnkeyerf[n - 1]->SetCaption("F" + std::to_string(n));
    btnkeyerf[n - 1]->SetTag(n);
    left += 50;
  }
  btnCWTexte =
      Make<TSpeedButton>(this, panelButtonsC, "btnCWTexte", left + 8, 3, 80, kButtonBarHeight - 6);
  btnCWTexte->SetCaption("CW-Texte");
}

void TContestLogDesign::MakeLists() {
  const int width = panelContLog->Width();
  const int top = panelButtonsa->Top() + kButtonBarHeight;
  PanelDXOben = MakePanel(this, panelContLog, "PanelDXOben", 0, top, width, 22);
  PanelDXOben->SetAlign(platform::qt::TAlign::alTop);
  PanelDXOben->SetColor(platform::qt::clNavy);
  lContestCaption = MakeLabel(this, PanelDXOben, "lContestCaption", "Contest-Logbuch", 6, 4);
  lContestCaption->Font().SetColor(platform::qt::clWhite);
  lContestCaption->Font().SetStyle(platform::qt::fsBold);
  Label127 = MakeLabel(this, PanelDXOben, "Label127", "", width - 60, 4);
  Label127->SetAnchors(platform::qt::akTop | platform::qt::akRight);

  PanelUnten = MakePanel(this, panelContLog, "PanelUnten", 0, top + 22, width,
                         panelContLog->Height() - top - 22);
  PanelUnten->SetAlign(platform::qt::TAlign::alClient);
  paneluntenrechts1 = MakePanel(this, PanelUnten, "paneluntenrechts1", 0, 0, width, 40);
  paneluntenrechts1->SetAlign(platform::qt::TAlign::alBottom);
  struct ListButton {
    ui::TkvBitBtn** button;
    const char* name;
    const char* caption;
  };
  const ListButton list_buttons[] = {{&btnAendern, "btnAendern", "Ändern"},
                                     {&btnLoeschen, "btnLoeschen", "Löschen"},
                                     {&btnBandliste, "btnBandliste", "Bandliste"},
                                     {&btnbeenden2, "btnbeenden2", "Contest beenden"}};
  int left = 4;
  for (const ListButton& b : list_buttons) {
    *b.button = Make<ui::TkvBitBtn>(this, paneluntenrechts1, b.name, left, 6, 110, 28);
    (*b.button)->SetCaption(b.caption);
    left += 118;
  }
  btnbeenden2->SetLeft(width - 120);
  btnbeenden2->SetAnchors(platform::qt::akTop | platform::qt::akRight);
  CheckBox1 =
      Make<platform::qt::TCheckBox>(this, paneluntenrechts1, "CheckBox1", width - 120, 10, 110, 18);
  CheckBox1->SetCaption("Hauptlog-Statistik anzeigen");
  CheckBox1->SetVisible(false);
  panelStatistik = MakePanel(this, paneluntenrechts1, "panelStatistik", 0, 0, width, 300);
  panelStatistik->SetVisible(false);
  panelStatistikKopf = MakePanel(this, panelStatistik, "panelStatistikKopf", 0, 0, width, 20);
  panelStatistikKopf->SetAlign(platform::qt::TAlign::alTop);
  panelStatistikKopf->SetCaption("Hauptlog-Statistik:");
  kvStatTabelle_ = Make<TkvStatTabelle>(this, panelStatistik, "kvStatTabelle_", 0, 20, width, 280);
  kvStatTabelle_->SetAlign(platform::qt::TAlign::alClient);

  panelclustertext = MakePanel(this, PanelUnten, "panelclustertext", 0, 0, width, 28);
  panelclustertext->SetAlign(platform::qt::TAlign::alBottom);
  panelclustertext->SetVisible(false);
  eclustertext =
      Make<platform::qt::TEdit>(this, panelclustertext, "eclustertext", 4, 3, width - 120, 21);
  btnClustertextsenden =
      Make<TSpeedButton>(this, panelclustertext, "btnClustertextsenden", width - 110, 3, 100, 22);
  btnClustertextsenden->SetCaption("Senden");
  radiounten = Make<platform::qt::TGroupBox>(this, PanelUnten, "radiounten", 0, 0, 200, 40);
  BrowCluster = Make<ui::TkvBrow>(this, PanelUnten, "BrowCluster", 0, 0, width, 100);
  BrowCluster->SetVisible(false);
  Brow = Make<ui::TkvBrow>(this, PanelUnten, "Brow", 0, 0, width, 200);
  Brow->SetAlign(platform::qt::TAlign::alClient);
}

void TContestLogDesign::MakeTimers() {
  // Their handlers come with the window; until then they tick without effect.
  timerzeit = new platform::qt::TTimer(this);
  timerzeit->SetName("timerzeit");
  TimerCAT = new platform::qt::TTimer(this);
  TimerCAT->SetName("TimerCAT");
  TimerCAT->SetEnabled(false);
  TimerCATUeberwachung = new platform::qt::TTimer(this);
  TimerCATUeberwachung->SetName("TimerCATUeberwachung");
  TimerCATUeberwachung->SetInterval(200);
  TimerCATUeberwachung->SetEnabled(false);
}

}  // namespace contestlog
