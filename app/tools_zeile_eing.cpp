#include "app/tools_zeile_eing.h"

#include <algorithm>
#include <utility>

#include "ui/web.h"

namespace app {
namespace {

using platform::qt::TAlign;
using platform::qt::TBevelCut;

constexpr int kFormWidth = 420;
constexpr int kButtonTop = 8;
constexpr int kButtonHeight = 30;
constexpr int kRecordCapacity = 255;

}  // namespace

TToolsZeileEingCtrl::TToolsZeileEingCtrl(platform::qt::TComponent* owner, std::int32_t max_length,
                                         std::string link_text, std::string line, std::string label,
                                         std::string caption)
    : Owner(owner),
      Caption(std::move(caption)),
      Label(std::move(label)),
      LinkText(std::move(link_text)),
      MaxLength(max_length),
      Line(std::move(line)) {}

bool TToolsZeileEingCtrl::Execute() {
  TToolsZeileEingForm form(Owner, *this);
  TToolsZeileEingParams params;
  FillParams(params);
  form.LoadParams(params);
  const bool ok = form.RunModal() == platform::qt::mrOk;
  if (ok) {
    form.StoreParams(params);
    TakeResult(params);
  }
  Init();
  return ok;
}

void TToolsZeileEingCtrl::FillParams(TToolsZeileEingParams& params) {
  params = {};
  params.caption = Caption.empty() ? std::string("Pelorin") : Caption;
  if (Label.empty()) Label = "Eingabe Text:";
  params.label = Label;
  params.line = Line;
  params.link_button = !LinkText.empty();
  params.max_length = MaxLength;
}

void TToolsZeileEingCtrl::MailLine() const { TToolsZeileEingFkt::OpenMailAddress(LinkText); }

TToolsZeileEingForm::TToolsZeileEingForm(platform::qt::TComponent* owner, TToolsZeileEingCtrl& ctrl)
    : TToolsForm(owner),
      lcaption(new platform::qt::TLabel(this)),
      eZeile(new ui::TkvEdit(this)),
      lUntereingabe(new platform::qt::TLabel(this)),
      panelunten(new platform::qt::TPanel(this)),
      panelschalter(new platform::qt::TPanel(this)),
      btnOK(new ui::TkvBitBtn(this)),
      btnabbruch(new ui::TkvBitBtn(this)),
      btnemail(new ui::TkvBitBtn(this)),
      ctrl_(ctrl) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("ToolsZeileEingForm");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(kFormWidth, 140);

    lcaption->SetName("lcaption");
    lcaption->SetParent(this);
    lcaption->SetBounds(16, 14, 200, 15);
    lcaption->SetCaption("Eingabe Text:");
    lcaption->Font().SetStyle(platform::qt::fsBold);
    eZeile->SetName("eZeile");
    eZeile->SetParent(this);
    eZeile->SetBounds(16, 34, kFormWidth - 32, 22);
    lUntereingabe->SetName("lUntereingabe");
    lUntereingabe->SetParent(this);
    lUntereingabe->SetBounds(16, 62, 300, 15);
    // "|" and "&" in the hint are plain characters.
    lUntereingabe->SetShowAccelChar(false);

    panelunten->SetName("panelunten");
    panelunten->SetParent(this);
    panelunten->SetAlign(TAlign::alBottom);
    panelunten->SetHeight(kButtonHeight + 2 * kButtonTop);
    panelunten->SetBevelOuter(TBevelCut::bvNone);
    panelschalter->SetName("panelschalter");
    panelschalter->SetParent(panelunten);
    panelschalter->SetAlign(TAlign::alClient);
    panelschalter->SetBevelOuter(TBevelCut::bvNone);
    btnemail->SetName("btnemail");
    btnemail->SetParent(panelschalter);
    btnemail->SetBounds(16, kButtonTop, 150, kButtonHeight);
    btnemail->SetCaption("EMail-Adressdatei");
    btnemail->SetVisible(false);
    btnOK->SetName("btnOK");
    btnOK->SetParent(panelschalter);
    btnOK->SetBounds(kFormWidth - 232, kButtonTop, 104, kButtonHeight);
    btnOK->SetCaption("&OK");
    // Set while loading, so that the designed caption stays.
    btnOK->SetkvKind(ui::TkvBitBtnKind::bkOK);
    btnabbruch->SetName("btnabbruch");
    btnabbruch->SetParent(panelschalter);
    btnabbruch->SetBounds(kFormWidth - 120, kButtonTop, 104, kButtonHeight);
    btnabbruch->SetkvKind(ui::TkvBitBtnKind::bkCancel);
  }
  btnemail->OnClick = [this](platform::qt::TComponent*) { Guarded([this] { ctrl_.MailLine(); }); };
  SetActiveControl(eZeile);
  FormCreate();
}

void TToolsZeileEingForm::LoadParams(const TToolsZeileEingParams& params) {
  eZeile->SetText(params.line.str());
  SetCaption(params.caption.str());
  lcaption->SetCaption(params.label.str());
  btnemail->SetVisible(params.link_button);
  lUntereingabe->SetCaption(ctrl_.HintFlag ? std::string(kOperatingSignsHint)
                                           : params.below_line.str());
  // Without a limit of its own the line still ends where the record ends.
  eZeile->SetMaxLength(params.max_length > 0 ? std::min(params.max_length, kRecordCapacity)
                                             : kRecordCapacity);
}

void TToolsZeileEingForm::StoreParams(TToolsZeileEingParams& params) const {
  params.line = eZeile->Text();
  params.caption = Caption();
  params.label = lcaption->Caption();
}

void TToolsZeileEingFkt::OpenMailAddress(const std::string& text) { ui::TWebSS::OpenLink(text); }

}  // namespace app
