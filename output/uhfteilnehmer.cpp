#include "output/uhfteilnehmer.h"

#include "common/string_helpers.h"
#include "ui/layout.h"
#include "ui/winskal.h"

namespace output {
namespace {

using platform::qt::TWinControl;

constexpr int kFormWidth = 648;
constexpr int kColumnWidth = 312;
constexpr int kLabelLeft = 10;
constexpr int kEditLeft = 118;
constexpr int kEditWidth = kColumnWidth - kEditLeft - 10;
constexpr int kFirstRow = 22;
constexpr int kRowHeight = 27;
constexpr int kEditHeight = 22;

// A group with a bold caption; the controls in it keep the normal font.
platform::qt::TGroupBox* Group(Tuhfteilnehmer& form, const char* name, const char* caption,
                               int left, int top, int height) {
  auto* group = new platform::qt::TGroupBox(&form);
  group->SetName(name);
  group->SetParent(&form);
  group->SetCaption(caption);
  group->SetBounds(left, top, kColumnWidth, height);
  group->Font().SetStyle(platform::qt::fsBold);
  return group;
}

void Normal(platform::qt::TControl& control) {
  control.SetParentFont(false);
  control.Font().SetStyle(0);
}

platform::qt::TLabel* Label(Tuhfteilnehmer& form, TWinControl* parent, const char* caption,
                            int left, int top, int width) {
  auto* label = new platform::qt::TLabel(&form);
  label->SetParent(parent);
  label->SetCaption(caption);
  label->SetBounds(left, top + 3, width, 16);
  Normal(*label);
  return label;
}

ui::TkvEdit* Edit(Tuhfteilnehmer& form, TWinControl* parent, const char* name, int left, int top,
                  int width) {
  auto* edit = new ui::TkvEdit(&form);
  edit->SetName(name);
  edit->SetParent(parent);
  edit->SetBounds(left, top, width, kEditHeight);
  Normal(*edit);
  return edit;
}

// An edit in row `row` of a group, its label to the left.
ui::TkvEdit* Field(Tuhfteilnehmer& form, TWinControl* group, const char* name, const char* label,
                   int row) {
  const int top = kFirstRow + row * kRowHeight;
  Label(form, group, label, kLabelLeft, top, kEditLeft - kLabelLeft - 4);
  return Edit(form, group, name, kEditLeft, top, kEditWidth);
}

platform::qt::TComboBox* Choice(Tuhfteilnehmer& form, TWinControl* group, const char* name,
                                const char* label, int row, platform::qt::TComboBoxStyle style) {
  const int top = kFirstRow + row * kRowHeight;
  Label(form, group, label, kLabelLeft, top, kEditLeft - kLabelLeft - 4);
  auto* box = new platform::qt::TComboBox(&form);
  box->SetName(name);
  box->SetParent(group);
  box->SetStyle(style);
  box->SetBounds(kEditLeft, top, kEditWidth, kEditHeight);
  box->SetDropDownCount(16);
  Normal(*box);
  return box;
}

std::string Trimmed(const ui::TkvEdit& edit) { return common::Trim(edit.Text()); }

}  // namespace

void Tuhfteilnehmer::Ask(TuhfteilnehmerParams& params) {
  Tuhfteilnehmer form(nullptr);
  form.LoadParams(params);
  form.ShowModal();
  form.StoreParams(params);
}

Tuhfteilnehmer::Tuhfteilnehmer(platform::qt::TComponent* owner) : ui::TkvForm(owner) {
  using platform::qt::TComboBoxStyle;
  constexpr int kRight = 8 + kColumnWidth + 8;
  {
    platform::qt::LoadingScope loading(*this);
    SetName("uhfteilnehmer");
    SetCaption("VHF/UHF-Contest");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(kFormWidth, 450);

    gteilnehmer = Group(*this, "gteilnehmer", "Teilnehmer", 8, 8, 274);
    pcall = Field(*this, gteilnehmer, "pcall", "Call", 0);
    ploc = Field(*this, gteilnehmer, "ploc", "Locator", 1);
    padr1 = Field(*this, gteilnehmer, "padr1", "Adresszeile 1", 2);
    padr2 = Field(*this, gteilnehmer, "padr2", "Adresszeile 2", 3);
    psect = Choice(*this, gteilnehmer, "psect", "Wertungs- gruppe:", 4, TComboBoxStyle::csDropDown);
    pband = Choice(*this, gteilnehmer, "pband", "Band", 5, TComboBoxStyle::csDropDownList);
    for (const char* band : kBandItems) pband->Items().Add(band);
    pclub1 = Field(*this, gteilnehmer, "pclub1", "Club", 6);
    pclub2 = Field(*this, gteilnehmer, "pclub2", "DOK", 7);
    remail = Field(*this, gteilnehmer, "remail", "EMail", 8);

    gverantwortlich =
        Group(*this, "gverantwortlich", "zuständiger Funkamateur", kRight, 8, 190);
    rname = Field(*this, gverantwortlich, "rname", "Name", 0);
    radr1 = Field(*this, gverantwortlich, "radr1", "Adresszeile 1", 1);
    radr2 = Field(*this, gverantwortlich, "radr2", "Adresszeile 2", 2);
    rpoco = Field(*this, gverantwortlich, "rpoco", "PLZ", 3);
    rcoun = Field(*this, gverantwortlich, "rcoun", "Land", 4);
    rcity = Field(*this, gverantwortlich, "rcity", "Stadt", 5);

    gmehrmann = Group(*this, "gmehrmann", "Mehrmann", kRight, 204, 78);
    Label(*this, gmehrmann, "Teilnehmer (Rufzeichen mit ; trennen)", kLabelLeft, 16,
          kColumnWidth - 2 * kLabelLeft);
    const int half = (kColumnWidth - 3 * kLabelLeft) / 2;
    mope1 = Edit(*this, gmehrmann, "mope1", kLabelLeft, 40, half);
    mope2 = Edit(*this, gmehrmann, "mope2", 2 * kLabelLeft + half, 40, half);

    gstation = Group(*this, "gstation", "Station", 8, 290, 108);
    rpower = Field(*this, gstation, "rpower", "Power", 0);
    rtrx = Field(*this, gstation, "rtrx", "TRX", 1);
    rant = Field(*this, gstation, "rant", "Ant.", 2);

    lremarks = Label(*this, this, "Bemerkungen, Ausrüstung", kRight, 290, kColumnWidth);
    lremarks->SetName("lremarks");
    rremarks = new platform::qt::TMemo(this);
    rremarks->SetName("rremarks");
    rremarks->SetParent(this);
    rremarks->SetBounds(kRight, 312, kColumnWidth, 86);
    rremarks->SetScrollBars(platform::qt::TScrollStyle::ssVertical);

    cspeichern = new platform::qt::TCheckBox(this);
    cspeichern->SetName("cspeichern");
    cspeichern->SetParent(this);
    cspeichern->SetCaption("Adresse als eigene Standardadresse speichern");
    cspeichern->SetBounds(8, 418, 360, 20);

    btnok = new ui::TkvBitBtn(this);
    btnok->SetName("btnok");
    btnok->SetParent(this);
    btnok->SetBounds(kFormWidth - 8 - 104, 410, 104, 30);
    btnok->SetCaption("OK");
    btnok->SetkvKind(ui::TkvBitBtnKind::bkOK);
  }
  SetActiveControl(pcall);
  FormCreate();
}

void Tuhfteilnehmer::FormCreate() {
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToLayout::FormLayout(*this);
}

void Tuhfteilnehmer::LoadParams(const TuhfteilnehmerParams& p) {
  SetCaption(p.caption);
  psect->Items().Clear();
  for (const std::string& section : p.sections) psect->Items().Add(section);
  psect->SetText(p.psect);
  pband->SetText(p.pband);
  pcall->SetText(p.pcall);
  ploc->SetText(p.ploc);
  padr1->SetText(p.padr1);
  padr2->SetText(p.padr2);
  pclub1->SetText(p.pclub1);
  pclub2->SetText(p.pclub2);
  remail->SetText(p.remail);
  rname->SetText(p.rname);
  radr1->SetText(p.radr1);
  radr2->SetText(p.radr2);
  rpoco->SetText(p.rpoco);
  rcoun->SetText(p.rcoun);
  rcity->SetText(p.rcity);
  mope1->SetText(p.mope1);
  mope2->SetText(p.mope2);
  rpower->SetText(p.rpower);
  rtrx->SetText(p.rtrx);
  rant->SetText(p.rant);
  rremarks->SetText(p.rremarks);
  cspeichern->SetChecked(p.cspeichern);
}

void Tuhfteilnehmer::StoreParams(TuhfteilnehmerParams& p) const {
  p.pcall = Trimmed(*pcall);
  p.ploc = Trimmed(*ploc);
  p.padr1 = Trimmed(*padr1);
  p.padr2 = Trimmed(*padr2);
  p.psect = psect->Text();
  p.pband = pband->Text();
  p.pclub1 = Trimmed(*pclub1);
  p.pclub2 = Trimmed(*pclub2);
  p.remail = Trimmed(*remail);
  p.rname = Trimmed(*rname);
  p.radr1 = Trimmed(*radr1);
  p.radr2 = Trimmed(*radr2);
  p.rpoco = Trimmed(*rpoco);
  p.rcoun = Trimmed(*rcoun);
  p.rcity = Trimmed(*rcity);
  p.mope1 = Trimmed(*mope1);
  p.mope2 = Trimmed(*mope2);
  p.rpower = Trimmed(*rpower);
  p.rtrx = Trimmed(*rtrx);
  p.rant = Trimmed(*rant);
  p.rremarks = rremarks->Text();
  p.cspeichern = cspeichern->Checked();
}

}  // namespace output
