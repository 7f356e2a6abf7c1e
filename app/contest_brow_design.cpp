// The main window's design: its controls with their names, places at 96 dpi and fixed texts,
// and the events they are bound to.
#include <string>

#include "app/contest_brow.h"
#include "app/contest_brow_ctrl.h"
#include "app/contest_brow_pictures.h"
#include "logbook/settings/colour_scheme.h"
#include "platform/qt/application.h"
#include "platform/qt/colors.h"

namespace app {
namespace {

using platform::qt::TAlign;
using platform::qt::TBevelCut;
using platform::qt::TComponent;
using platform::qt::TLabel;

using logbook::kSideBarLabelWidth;  // the colour scheme draws the side bar and its labels
using logbook::kSideBarWidth;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 4;
constexpr int kSideBarLabelLeft = 7;
constexpr int kMenuLabelTag = 800;

constexpr const char* kUpdateNotice =
    "Schauen Sie vor jedem Contest im Webportal des Herstellers nach einer neueren Version.";
constexpr const char* kInstallNotice =
    "Installieren Sie neue Versionen immer in ein neues leeres Verzeichnis oder tauschen Sie nur "
    "die EXE-Dateien aus.";

template <typename Control>
Control* Make(TComponent* owner, platform::qt::TWinControl* parent, const char* name) {
  auto* control = new Control(owner);
  control->SetName(name);
  control->SetParent(parent);
  return control;
}

TLabel* MakeLabel(TComponent* owner, platform::qt::TWinControl* parent, const char* name,
                  const std::string& caption) {
  TLabel* label = Make<TLabel>(owner, parent, name);
  label->SetCaption(caption);
  label->SetTransparent(true);
  return label;
}

platform::qt::TPanel* MakePanel(TComponent* owner, platform::qt::TWinControl* parent,
                                const char* name) {
  auto* panel = Make<platform::qt::TPanel>(owner, parent, name);
  panel->SetCaption("");
  panel->SetBevelOuter(TBevelCut::bvNone);
  return panel;
}

}  // namespace

void TContestBrow::BuildControls() {
  platform::qt::LoadingScope loading(*this);
  SetName("ContestBrow");
  SetCaption("Contest - Modul");
  SetPosition(platform::qt::TPosition::poDesigned);
  SetClientSize(kDesignWidth, kDesignHeight);
  SetMinClientSize(kMinWidth, kMinHeight);
  SetHelpContext(kHelpContext);
  SetKeyPreview(true);
  RegisterMainWindowPictures();

  // The background lies under everything else: it is made first.
  imguntergrund = Make<platform::qt::TImage>(this, this, "imguntergrund");
  imguntergrund->SetAlign(TAlign::alClient);
  imguntergrund->SetTransparent(true);
  imguntergrund->SetPicture(platform::qt::Application().Pictures().Get(kBackgroundPicture));
  BuildSideBar();

  imglinks = Make<platform::qt::TImage>(this, this, "imglinks");
  imglinks->SetBounds(100, 135, 140, 140);
  imgtitel_ = Make<platform::qt::TImage>(this, this, "imgtitel_");
  imgtitel_->SetBounds(kSideBarWidth + 30, 4, 420, 40);
  imgtitel_->SetStretch(true);
  imgtitels = MakeLabel(this, this, "imgtitels", "");
  imgtitels->Font().SetSize(14);
  imgtitels->Font().SetStyle(platform::qt::fsBold);
  imgtitels->Font().SetColor(platform::qt::clWhite);
  lworked = MakeLabel(this, this, "lworked", "");
  lworked->Font().SetStyle(platform::qt::fsBold);
  lCall = MakeLabel(this, this, "lCall", "");
  lCall->SetVisible(false);
  lUtils = MakeLabel(this, this, "lUtils", "");
  lUtils->SetVisible(false);
  lhinweisupdate = MakeLabel(this, this, "lhinweisupdate", kUpdateNotice);
  lhinweisupdate2 = MakeLabel(this, this, "lhinweisupdate2", kInstallNotice);
  for (TLabel* notice : {lhinweisupdate, lhinweisupdate2}) {
    notice->Font().SetSize(8);
    notice->Font().SetColor(platform::qt::clWhite);
    notice->SetVisible(false);
  }

  BuildListPanel();
  BuildButtons();

  panelabgleich = MakePanel(this, this, "panelabgleich");
  panelabgleich->SetAlign(TAlign::alBottom);
  panelabgleich->SetHeight(22);
  panelabgleich->SetVisible(false);
  lbeendet = MakeLabel(this, panelabgleich, "lbeendet", "");
  lbeendet->SetBounds(kSideBarWidth + 8, 4, 200, 14);
  ProgressBar = Make<platform::qt::TProgressBar>(this, panelabgleich, "ProgressBar");
  ProgressBar->SetBounds(kSideBarWidth + 216, 3, 300, 16);
  ProgressBar->SetMin(0);
  ProgressBar->SetMax(100);
}

void TContestBrow::BuildSideBar() {
  Image2 = Make<platform::qt::TImage>(this, this, "Image2");
  Image2->SetAlign(TAlign::alLeft);
  Image2->SetWidth(kSideBarWidth);
  Image2->SetStretch(true);
  Image2->SetPicture(platform::qt::Application().Pictures().Get(kSideBarPicture));

  MenueBeenden = MakeLabel(this, this, "MenueBeenden", "    Beenden");
  MenueBeenden->SetTag(kMenuLabelTag);
  MenueBeenden->SetAutoSize(false);
  MenueBeenden->SetBounds(kSideBarLabelLeft, 60, kSideBarLabelWidth, 20);
  MenueBeenden->SetLayout(platform::qt::TTextLayout::tlCenter);
  MenueBeenden->SetColor(platform::qt::clRed);
  MenueBeenden->Font().SetStyle(platform::qt::fsBold);
  MenueBeenden->Font().SetColor(platform::qt::clWhite);
  MenueBeenden->SetCursor(platform::qt::crHandPoint);

  lhersteller = MakeLabel(this, this, "lhersteller", "");
  lhersteller->SetLeft(kSideBarLabelLeft + 4);
  lhersteller->SetCursor(platform::qt::crHandPoint);
  lhersteller->SetVisible(false);

  btnweitere = Make<platform::qt::TSpeedButton>(this, this, "btnweitere");
  btnweitere->SetCaption("weitere AFU-Pogramme");
  btnweitere->SetFlat(true);
  btnweitere->Font().SetColor(platform::qt::clWhite);
  btnweitere->SetBounds(kSideBarLabelLeft, 610, kSideBarLabelWidth, 24);
  btnweitere->SetVisible(false);
}

void TContestBrow::BuildListPanel() {
  panelContest = MakePanel(this, this, "panelContest");
  panelContest->SetBounds(270, 96, 676, 490);

  PanelDXOben = MakePanel(this, panelContest, "PanelDXOben");
  PanelDXOben->SetAlign(TAlign::alTop);
  PanelDXOben->SetHeight(24);
  lCallListCaption = MakeLabel(this, PanelDXOben, "lCallListCaption", "Liste der Conteste");
  lCallListCaption->SetBounds(8, 4, 200, 16);
  lCallListCaption->SetVisible(false);

  PanelUnten = MakePanel(this, panelContest, "PanelUnten");
  PanelUnten->SetAlign(TAlign::alBottom);
  PanelUnten->SetHeight(kButtonHeight + 6);
  Bevel1 = Make<platform::qt::TBevel>(this, PanelUnten, "Bevel1");
  Bevel1->SetShape(platform::qt::TBevelShape::bsTopLine);
  Bevel1->SetBounds(0, 0, 676, 2);
  Bevel2 = Make<platform::qt::TBevel>(this, PanelUnten, "Bevel2");
  Bevel2->SetShape(platform::qt::TBevelShape::bsBottomLine);
  Bevel2->SetBounds(0, kButtonHeight + 4, 676, 2);

  Brow = new ui::TkvBrow(this);
  Brow->SetName("Brow");
  Brow->SetParent(panelContest);
  Brow->SetAlign(TAlign::alClient);
}

void TContestBrow::BuildButtons() {
  panelbuttonsPx4 = MakePanel(this, PanelUnten, "panelbuttonsPx4");
  panelbuttonsPx4->SetBounds(0, 2, 676, kButtonHeight + 2);
  panelbuttonsrechtsPx4 = MakePanel(this, panelbuttonsPx4, "panelbuttonsrechtsPx4");
  panelbuttonsrechtsPx4->SetAlign(TAlign::alRight);
  panelbuttonsrechtsPx4->SetWidth(kButtonWidth + 2 * kButtonGap);

  const struct {
    ui::TkvBitBtn** button;
    const char* name;
    ui::TkvBitBtnKind kind;
    const char* caption;  // null: the kind's own
  } left[] = {
      {&btnHilfePx4, "btnHilfePx4", ui::TkvBitBtnKind::bkGHelp, nullptr},
      {&btnNeupx4, "btnNeupx4", ui::TkvBitBtnKind::bkGNeu, nullptr},
      {&btnAendernPx4, "btnAendernPx4", ui::TkvBitBtnKind::bkGAendern, "&Starten"},
      {&btnLoeschenPx4, "btnLoeschenPx4", ui::TkvBitBtnKind::bkGLoeschen, nullptr},
      {&btnKopiepx4, "btnKopiepx4", ui::TkvBitBtnKind::bkGKopie, "in Haupt-Log kopieren"},
  };
  int x = kButtonGap;
  for (const auto& b : left) {
    *b.button = Make<ui::TkvBitBtn>(this, panelbuttonsPx4, b.name);
    (*b.button)->SetkvKind(b.kind);
    if (b.caption != nullptr) (*b.button)->SetCaption(b.caption);
    (*b.button)->SetBounds(x, 1, kButtonWidth, kButtonHeight);
    x += kButtonWidth + kButtonGap;
  }
  btnAendernPx4->SetDefault(true);
  btnendePx4 = Make<ui::TkvBitBtn>(this, panelbuttonsrechtsPx4, "btnendePx4");
  btnendePx4->SetkvKind(ui::TkvBitBtnKind::bkGClose);
  btnendePx4->SetBounds(kButtonGap, 1, kButtonWidth, kButtonHeight);
}

void TContestBrow::WireEvents() {
  OnShow = [this](TComponent*) { FormShow(); };
  OnResize = [this](TComponent*) { FormResize(); };
  OnKeyDown = [this](TComponent*, std::uint16_t& key, platform::qt::TShiftState shift) {
    FormKeyDown(key, shift);
  };
  OnCloseQuery = [this](TComponent*, bool& can_close) { FormCloseQuery(can_close); };
  btnNeupx4->OnClick = [this](TComponent*) { btnNeupx3Click(); };
  btnAendernPx4->OnClick = [this](TComponent*) { btnAendernPx3Click(); };
  btnLoeschenPx4->OnClick = [this](TComponent*) { btnLoeschenPx3Click(); };
  btnHilfePx4->OnClick = [this](TComponent*) { btnHilfePx3Click(); };
  btnendePx4->OnClick = [this](TComponent*) { btnendepx3Click(); };
  btnKopiepx4->OnClick = [this](TComponent*) { btnKopiepx3Click(); };
  btnweitere->OnClick = [this](TComponent*) { btnweitereClick(); };
  MenueBeenden->OnClick = [this](TComponent*) { MenueBeendenClick(); };
  MenueBeenden->OnMouseMove = [this](TComponent* sender, platform::qt::TShiftState, int, int) {
    MenueBeendenMouseMove(sender);
  };
  lhersteller->OnClick = [this](TComponent*) { MakerClick(); };
  lhersteller->OnMouseMove = [this](TComponent*, platform::qt::TShiftState, int, int) {
    MakerMouseMove();
  };
  Image2->OnMouseMove = [this](TComponent*, platform::qt::TShiftState, int, int) {
    Image2MouseMove();
  };
  PanelUnten->OnResize = [this](TComponent*) { PanelUntenResize(); };

  Brow->OnBrowDoppelKlick = [this] { BrowBrowDoppelKlick(); };
  Brow->OnBefore_Loesch = [this] { return BrowBefore_Loesch(); };
  ui::BindBrowserEvents(*Brow, [this] { return static_cast<ui::TDatenBrowCtrl*>(ctrl_.get()); });
}

}  // namespace app
