#include "output/wagdatei.h"

namespace output {
namespace {

using platform::qt::TAlign;

constexpr const char* kFontName = "Courier New";
constexpr int kFontSize = 10;
constexpr int kPanelHeight = 41;
constexpr int kButtonHeight = 25;

}  // namespace

bool Twagdatei::ShowFile(const std::string& file_name) {
  Twagdatei viewer(nullptr, file_name);
  return viewer.ShowModal() == platform::qt::mrOk;
}

Twagdatei::Twagdatei(platform::qt::TComponent* owner, const std::string& file_name)
    : TForm(owner),
      ctrl_(file_name),
      redit_(new platform::qt::TMemo(this)),
      RichEdit1_(new platform::qt::TRichEdit(this)),
      panel_(new platform::qt::TPanel(this)),
      button1_(new platform::qt::TButton(this)),
      btnspeichern_(new platform::qt::TButton(this)) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("wagdatei");
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(760, 540);

    panel_->SetParent(this);
    panel_->SetAlign(TAlign::alBottom);
    panel_->SetHeight(kPanelHeight);
    panel_->SetBevelOuter(platform::qt::TBevelCut::bvNone);
    button1_->SetParent(panel_);
    button1_->SetCaption("Drucken");
    button1_->SetBounds(8, 8, 100, kButtonHeight);
    button1_->OnClick = [this](platform::qt::TComponent*) { Button1Click(); };
    btnspeichern_->SetParent(panel_);
    btnspeichern_->SetCaption("Speichern und Beenden");
    btnspeichern_->SetBounds(116, 8, 160, kButtonHeight);
    btnspeichern_->OnClick = [this](platform::qt::TComponent*) { btnspeichernClick(); };

    redit_->SetParent(this);
    redit_->SetAlign(TAlign::alClient);
    redit_->Font().SetName(kFontName);
    redit_->Font().SetSize(kFontSize);
    redit_->SetWordWrap(false);
    redit_->SetScrollBars(platform::qt::TScrollStyle::ssBoth);

    RichEdit1_->SetParent(this);
    RichEdit1_->SetVisible(false);
    RichEdit1_->Font().SetName(kFontName);
    RichEdit1_->Font().SetSize(kFontSize);
  }
  SetCaption(file_name);
  OnCloseQuery = [this](platform::qt::TComponent*, bool& can_close) { FormCloseQuery(can_close); };
  FormCreate();
}

void Twagdatei::FormCreate() {
  redit_->Clear();
  if (const auto lines = ctrl_.Load()) {
    redit_->Lines().Assign(*lines);
    ctrl_.Shown(redit_->Lines().Lines());
  }
  redit_->Repaint();
}

void Twagdatei::Button1Click() {
  if (!ctrl_.Save(redit_->Lines().Lines())) return;
  // The printer gets the file as saved, through the hidden editor.
  if (!RichEdit1_->LoadFromFile(ctrl_.FileName())) return;
  ctrl_.Print(RichEdit1_->Lines().Lines(), RichEdit1_->Font());
}

void Twagdatei::btnspeichernClick() {
  if (!ctrl_.Save(redit_->Lines().Lines())) return;  // the edits stay on the screen
  redit_->Clear();
  SetModalResult(platform::qt::mrOk);
}

void Twagdatei::FormCloseQuery(bool& can_close) {
  // "Speichern und Beenden" has saved and cleared the memo: nothing is left to ask about.
  if (ModalResult() == platform::qt::mrOk) return;
  can_close = ctrl_.MayClose(redit_->Lines().Lines());
}

}  // namespace output
