#include "ui/message_forms.h"

#include <algorithm>

#include "platform/qt/colors.h"
#include "ui/dialog_icons.h"
#include "ui/layout.h"
#include "ui/web.h"
#include "ui/winskal.h"

namespace ui {
namespace {

using platform::qt::TAlign;

constexpr int kButtonTop = 25;
constexpr int kButtonHeight = 35;
constexpr int kButtonWidth = 110;

// The height the label's text needs when it wraps at `width`, in the label's font.
int WrappedHeight(platform::qt::TLabel& label, int width) {
  platform::qt::TCanvas& canvas = label.Canvas();
  canvas.Font = label.Font();
  platform::qt::TRect r{0, 0, width, 0};
  canvas.DrawText(label.Caption(), r, label.TextFlags() | platform::qt::DT_CALCRECT);
  return r.Height();
}

}  // namespace

TMessageDialogForm::TMessageDialogForm(const std::string& name, const std::string& caption,
                                       const std::string& title, const std::string& icon,
                                       TkvBitBtnKind kind)
    : TkvForm(nullptr),
      Panel1(new TkvPanel(this)),
      Panel2(new TkvPanel(this)),
      Bevel1(new platform::qt::TBevel(this)),
      kvBitBtn1(new TkvBitBtn(this)),
      Image1(new platform::qt::TImage(this)),
      Label1(new platform::qt::TLabel(this)),
      Label2(new platform::qt::TLabel(this)) {
  platform::qt::LoadingScope loading(*this);
  SetName(name);
  SetCaption(caption);
  SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
  SetPosition(platform::qt::TPosition::poScreenCenter);
  // Keys meant for the log window, typed on while the dialog opens, must not answer it.
  SetIgnoresKeysTypedAhead(true);
  SetClientSize(446, 198);
  Font().SetName("Arial");
  Font().SetHeight(-12);

  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(TAlign::alClient);
  Panel1->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  Panel1->SetColor(platform::qt::clWhite);
  Panel2->SetName("Panel2");
  Panel2->SetParent(Panel1);
  Panel2->SetBounds(0, 132, 446, 66);
  Panel2->SetAlign(TAlign::alBottom);
  Panel2->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  Panel2->SetParentColor(true);
  Panel2->OnResize = [this](platform::qt::TComponent*) { Panel2Resize(); };
  Bevel1->SetName("Bevel1");
  Bevel1->SetParent(Panel2);
  Bevel1->SetBounds(0, 20, 446, 2);
  Bevel1->SetShape(platform::qt::TBevelShape::bsBottomLine);
  kvBitBtn1->SetName("kvBitBtn1");
  kvBitBtn1->SetParent(Panel2);
  kvBitBtn1->SetBounds(0, kButtonTop, kButtonWidth, kButtonHeight);
  kvBitBtn1->SetkvKind(kind);

  Image1->SetName("Image1");
  Image1->SetParent(Panel1);
  Image1->SetBounds(24, 16, kDialogIconSize, kDialogIconSize);
  Image1->SetAutoSize(true);
  Image1->SetTransparent(true);
  Image1->SetPicture(DialogIcon(icon));
  Label1->SetName("Label1");
  Label1->SetParent(Panel1);
  Label1->SetBounds(128, 16, 100, 16);
  Label1->SetCaption(title);
  Label1->Font().SetName("Arial");
  Label1->Font().SetHeight(-13);
  Label1->Font().SetStyle(platform::qt::fsBold);
  Label2->SetName("Label2");
  Label2->SetParent(Panel1);
  Label2->SetBounds(128, 48, 100, 15);
  // A message is no control caption: an "&" in it is shown as it stands.
  Label2->SetShowAccelChar(false);
}

TkvBitBtn* TMessageDialogForm::AddButton(TkvBitBtnKind kind, int width) {
  auto* button = new TkvBitBtn(this);
  button->SetParent(Panel2);
  button->SetBounds(0, kButtonTop, width, kButtonHeight);
  button->SetkvKind(kind);
  return button;
}

void TMessageDialogForm::FormCreate() {
  SetScaled(ToWinskal::FormScaled(*this));
  ToLayout::FormLayout(*this);
}

void TMessageDialogForm::TakeTexts(const TMessageDialogParams& params, bool caption, bool title) {
  if (caption && !params.caption.empty()) SetCaption(params.caption);
  if (title && !params.title.empty()) Label1->SetCaption(params.title);
  Label2->SetWordWrap(false);
  Label2->SetAutoSize(true);
  Label2->SetCaption(params.text);
}

void TMessageDialogForm::SizeDialog() {
  const auto S = [this](int value) { return ScalePixels(*this, value, false); };
  int w = std::max(Label2->Left() + Label2->Width() + S(20), MinimumWidth());
  if (w > S(600)) {
    const std::string text = Label2->Caption();
    const int wrap_width = S(580);
    Label2->SetWordWrap(true);
    int estimate = (Label2->Width() / wrap_width + 1) * S(15);
    estimate += static_cast<int>(std::count(text.begin(), text.end(), '\r')) * S(15);
    // The estimate alone cuts off a larger font or early word breaks.
    const int height = std::max(estimate, WrappedHeight(*Label2, wrap_width));
    Label2->SetAutoSize(false);
    Label2->SetBounds(Label2->Left(), Label2->Top(), wrap_width, height + S(20));
    w = std::max(Label2->Left() + Label2->Width() + S(20), MinimumWidth());
  }
  const int h = std::max(Label2->Top() + Label2->Height() + Panel2->Height(),
                         Image1->Top() + Image1->Height() + Panel2->Height());
  // Panel1 fills the form (aligned to the client), so the form takes the size.
  SetClientSize(w, h);
}

int TMessageDialogForm::MinimumWidth() { return ScalePixels(*this, 320, false); }

void TMessageDialogForm::Panel2Resize() {
  const int w = Panel2->ClientWidth();
  kvBitBtn1->SetLeft(w / 2 - kvBitBtn1->Width() / 2);
  Bevel1->SetWidth(w);
}

TJaNeinFrageForm::TJaNeinFrageForm()
    : TMessageDialogForm("JaNeinFrageForm", "Abfrage", "Abfrage:", kIconAbfrage,
                         TkvBitBtnKind::bkYes),
      kvBitBtn2(AddButton(TkvBitBtnKind::bkNo, kButtonWidth)) {
  kvBitBtn2->SetName("kvBitBtn2");
  FormCreate();
}

void TJaNeinFrageForm::SetupDialog(const TMessageDialogParams& params) {
  TakeTexts(params, true, true);
  kvBitBtn1->SetDefault(params.default_yes);
  kvBitBtn2->SetDefault(!params.default_yes);
  if (!params.default_yes) SetActiveControl(kvBitBtn2);
  SizeDialog();
}

void TJaNeinFrageForm::Panel2Resize() {
  const int w = Panel2->ClientWidth();
  kvBitBtn1->SetLeft(w / 2 - kvBitBtn1->Width());
  kvBitBtn2->SetLeft(w / 2 + 1);
  Bevel1->SetWidth(w);
}

THinweisForm::THinweisForm()
    : TMessageDialogForm("HinweisForm", "Hinweis", "Hinweis:", kIconHinweis,
                         TkvBitBtnKind::bkClose),
      ccheck(new platform::qt::TCheckBox(this)) {
  {
    platform::qt::LoadingScope loading(*this);
    ccheck->SetName("ccheck");
    // Above the line, so that the box never meets the centred button.
    ccheck->SetParent(Panel2);
    ccheck->SetBounds(16, 1, 220, 17);
    ccheck->SetCaption("Meldung nicht mehr anzeigen");
    ccheck->Hide();
  }
  FormCreate();
}

void THinweisForm::SetupDialog(const TMessageDialogParams& params) {
  TakeTexts(params, true, true);
  ccheck->SetVisible(params.show_check_box);
  if (params.continue_button) {
    kvBitBtn1->SetkvKind(TkvBitBtnKind::bkWeiter);
    kvBitBtn1->SetkvKindPx5(TkvBitBtnKind::bkWeiter);
  }
  SizeDialog();
}

TFehlerForm::TFehlerForm()
    : TMessageDialogForm("FehlerForm", "Fehler", "Fehlermeldung:", kIconFehler,
                         TkvBitBtnKind::bkCancel) {
  FormCreate();
}

void TFehlerForm::SetupDialog(const TMessageDialogParams& params) {
  TakeTexts(params, false, false);
  SizeDialog();
}

TFehlerInfoForm::TFehlerInfoForm()
    : TMessageDialogForm("FehlerInfoForm", "Fehler", "Fehlermeldung:", kIconFehlerInfo,
                         TkvBitBtnKind::bkCancel),
      kvBitBtn2(AddButton(TkvBitBtnKind::bkGAmpelgelb, 265)) {
  kvBitBtn2->SetName("kvBitBtn2");
  kvBitBtn2->OnClick = [this](platform::qt::TComponent*) {
    TWebSS::OpenLink(link_.substr(0, 255));
  };
  FormCreate();
}

void TFehlerInfoForm::SetupDialog(const TMessageDialogParams& params) {
  TakeTexts(params, false, false);
  kvBitBtn2->SetCaption(params.button_caption);
  link_ = params.link;
  SizeDialog();
}

int TFehlerInfoForm::MinimumWidth() {
  // At 320 the wide link button would push the first button out of the window.
  return std::max(TMessageDialogForm::MinimumWidth(),
                  kvBitBtn1->Width() + kvBitBtn2->Width() + 3 * 5);
}

void TFehlerInfoForm::Panel2Resize() {
  const int w = Panel2->ClientWidth();
  kvBitBtn2->SetLeft(w - 5 - kvBitBtn2->Width());
  kvBitBtn1->SetLeft(kvBitBtn2->Left() / 2 - kvBitBtn1->Width() / 2);
  Bevel1->SetWidth(w);
}

TAchtungForm::TAchtungForm()
    : TMessageDialogForm("AchtungForm", "Achtung", "Achtung:", kIconAchtung,
                         TkvBitBtnKind::bkWeiter) {
  FormCreate();
}

void TAchtungForm::SetupDialog(const TMessageDialogParams& params) {
  TakeTexts(params, false, true);
  SizeDialog();
}

}  // namespace ui
