#include "app/tools_druck_dialog.h"

#include <cmath>
#include <utility>

#include "common/service.h"
#include "output/print_settings.h"
#include "platform/qt/print_dialogs.h"
#include "ui/layout.h"
#include "ui/winskal.h"

namespace app {
namespace {

using platform::qt::TAlign;
using platform::qt::TBevelCut;
using platform::qt::TComponent;

constexpr int kFormWidth = 420;
constexpr int kButtonTop = 8;
constexpr int kButtonHeight = 36;
constexpr int kMarginDigits = 3;  // the edits' picture "###"

output::TPrintSS& PrintSettings() { return common::Service<output::TPrintSS>::Get(); }

std::int32_t WholeMillimetres(double mm) { return static_cast<std::int32_t>(std::lround(mm)); }

// Whole millimetres typed into a margin edit; an empty edit is 0.
std::int32_t EditValue(const platform::qt::TEdit& edit) {
  std::int32_t value = 0;
  for (const char c : edit.Text()) {
    if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string PrintFontText(const std::string& name, std::int32_t size,
                          platform::qt::TFontStyles style) {
  std::string text = name + "  " + std::to_string(size) + "pt";
  if ((style & platform::qt::fsBold) != 0) text += " fett";
  if ((style & platform::qt::fsItalic) != 0) text += " kursiv";
  return text;
}

TToolsDruckDialogCtrl::TToolsDruckDialogCtrl(platform::qt::TComponent* owner,
                                             TPrintDialogValues values)
    : Owner(owner), Values(std::move(values)) {}

bool TToolsDruckDialogCtrl::Execute() {
  TToolsDruckDialogForm form(Owner, *this);
  TToolsDruckDialogParams params;
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

void TToolsDruckDialogCtrl::FillParams(TToolsDruckDialogParams& params) const {
  params = {};
  output::TPrintSS& ss = PrintSettings();
  const struct {
    std::int32_t value;
    double& setting;
    bool& edit;
  } margins[] = {{Values.left, ss.LeftMargin, params.left_edit},
                 {Values.right, ss.RightMargin, params.right_edit},
                 {Values.top, ss.TopMargin, params.top_edit},
                 {Values.bottom, ss.BottomMargin, params.bottom_edit}};
  for (const auto& margin : margins) {
    if (margin.value <= 0) continue;
    margin.setting = margin.value;
    margin.edit = true;
  }
  ss.Landscape = Values.landscape;
  ss.FontStyle = Values.font_style;
  if (!Values.font_name.empty()) ss.FontName = Values.font_name;
  if (Values.font_size > 0) {
    ss.FontSize = Values.font_size;
    params.font_edit = true;
  }
  if (Values.font_colour != 0) ss.FontColor = Values.font_colour;
  params.printer = ss.PrinterName();
  params.left = WholeMillimetres(ss.LeftMargin);
  params.top = WholeMillimetres(ss.TopMargin);
  params.bottom = WholeMillimetres(ss.BottomMargin);
  params.right = WholeMillimetres(ss.RightMargin);
  params.font_text = PrintFontText(ss.FontName, ss.FontSize, ss.FontStyle);
}

void TToolsDruckDialogCtrl::TakeResult(const TToolsDruckDialogParams& params) const {
  output::TPrintSS& ss = PrintSettings();
  ss.LeftMargin = params.left;
  ss.RightMargin = params.right;
  ss.TopMargin = params.top;
  ss.BottomMargin = params.bottom;
}

bool TToolsDruckDialogCtrl::SetupPrinter(TToolsDruckDialogParams& params) const {
  output::TPrintSS& ss = PrintSettings();
  if (!ss.PrintDialogExecute()) return false;
  ss.Landscape = !ss.IsPortrait();
  params.printer = ss.PrinterName();
  return true;
}

bool TToolsDruckDialogCtrl::ChooseFont(TToolsDruckDialogParams& params) const {
  output::TPrintSS& ss = PrintSettings();
  platform::qt::TFont font;
  font.SetName(ss.FontName);
  font.SetSize(ss.FontSize);
  font.SetColor(static_cast<platform::qt::TColor>(ss.FontColor));
  font.SetStyle(ss.FontStyle);
  const bool ok = platform::qt::FontDialog().Execute(font);
  if (ok) {
    ss.FontName = font.Name();
    ss.FontSize = font.Size();
    ss.FontColor = static_cast<std::uint32_t>(font.Color());
    ss.FontStyle = font.Style();
  }
  params.font_text = PrintFontText(ss.FontName, ss.FontSize, ss.FontStyle);
  return ok;
}

TToolsDruckDialogForm::TToolsDruckDialogForm(TComponent* owner, TToolsDruckDialogCtrl& ctrl)
    : TToolsForm(owner),
      panelCaptions(new ui::TkvPanel(this)),
      panelCaption(new ui::TkvPanel(this)),
      lCaption1(new platform::qt::TLabel(this)),
      panelCaption2(new ui::TkvPanel(this)),
      lCaption2(new platform::qt::TLabel(this)),
      panelAllgemein(new ui::TkvPanel(this)),
      ldrucker(new platform::qt::TLabel(this)),
      SAPBtn1(new ui::TSAPBtn(this)),
      lschrift(new platform::qt::TLabel(this)),
      btnschrift(new ui::TSAPBtn(this)),
      llinks(new platform::qt::TLabel(this)),
      lrechts(new platform::qt::TLabel(this)),
      loben(new platform::qt::TLabel(this)),
      lunten(new platform::qt::TLabel(this)),
      elinks(new platform::qt::TEdit(this)),
      erechts(new platform::qt::TEdit(this)),
      eoben(new platform::qt::TEdit(this)),
      eunten(new platform::qt::TEdit(this)),
      panelbuttonspx4(new ui::TkvPanel(this)),
      btnEndepx4(new ui::TkvBitBtn(this)),
      btnabbruchpx4(new ui::TkvBitBtn(this)),
      ctrl_(ctrl) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("ToolsDruckDialogForm");
    SetCaption("Druckabfrage");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(kFormWidth, 320);

    const auto panel = [](ui::TkvPanel* p, const char* name, platform::qt::TWinControl* parent,
                          TAlign align, int height) {
      p->SetName(name);
      p->SetParent(parent);
      p->SetAlign(align);
      p->SetHeight(height);
      p->SetBevelOuter(TBevelCut::bvNone);
    };
    const auto label = [this](platform::qt::TLabel* l, const char* name,
                              platform::qt::TWinControl* parent, int left, int top,
                              const std::string& caption, bool bold) {
      if (l == nullptr) l = new platform::qt::TLabel(this);
      l->SetName(name);
      l->SetParent(parent);
      l->SetBounds(left, top, 260, 15);
      l->SetCaption(caption);
      if (bold) l->Font().SetStyle(platform::qt::fsBold);
    };
    panel(panelCaptions, "panelCaptions", this, TAlign::alTop, 64);
    panel(panelCaption, "panelCaption", panelCaptions, TAlign::alTop, 40);
    label(lCaption1, "lCaption1", panelCaption, 16, 12, "Druckeinstellungen", true);
    // Not aligned: the styling indents the secondary caption.
    panel(panelCaption2, "panelCaption2", panelCaptions, TAlign::alNone, 24);
    panelCaption2->SetBounds(0, 40, kFormWidth, 24);
    label(lCaption2, "lCaption2", panelCaption2, 16, 4, "Drucker und Druckoptionen", false);
    panel(panelbuttonspx4, "panelbuttonspx4", this, TAlign::alBottom, kButtonHeight + 16);
    panel(panelAllgemein, "panelAllgemein", this, TAlign::alClient, 0);

    label(nullptr, "lDruckerTitel", panelAllgemein, 16, 12, "Drucker", true);
    label(ldrucker, "ldrucker", panelAllgemein, 16, 32, "", false);
    label(nullptr, "lSchriftTitel", panelAllgemein, 16, 62, "Schrift", true);
    label(lschrift, "lschrift", panelAllgemein, 16, 82, "", false);
    label(nullptr, "lRaender", panelAllgemein, 16, 114, "Seitenränder (mm)", true);
    const struct {
      ui::TSAPBtn* button;
      const char* name;
      int top;
    } change_buttons[] = {{SAPBtn1, "SAPBtn1", 26}, {btnschrift, "btnschrift", 76}};
    for (const auto& b : change_buttons) {
      b.button->SetName(b.name);
      b.button->SetParent(panelAllgemein);
      b.button->SetBounds(kFormWidth - 112, b.top, 96, 24);
      b.button->SetCaption("ändern...");
    }
    const struct {
      platform::qt::TLabel* label;
      const char* label_name;
      const char* caption;
      platform::qt::TEdit* edit;
      const char* edit_name;
      int left;
      int top;
    } margins[] = {{llinks, "llinks", "links", elinks, "elinks", 16, 138},
                   {lrechts, "lrechts", "rechts", erechts, "erechts", 150, 138},
                   {loben, "loben", "oben", eoben, "eoben", 16, 168},
                   {lunten, "lunten", "unten", eunten, "eunten", 150, 168}};
    for (const auto& m : margins) {
      label(m.label, m.label_name, panelAllgemein, m.left, m.top + 4, m.caption, false);
      m.label->SetWidth(50);
      m.edit->SetName(m.edit_name);
      m.edit->SetParent(panelAllgemein);
      m.edit->SetBounds(m.left + 54, m.top, 44, 22);
      m.edit->SetMaxLength(kMarginDigits);
      m.edit->SetAlignment(platform::qt::TAlignment::taRightJustify);
      m.edit->OnKeyPress = [](TComponent*, char& key) {
        const auto c = static_cast<unsigned char>(key);
        if (c >= ' ' && (c < '0' || c > '9')) key = 0;  // whole millimetres only
      };
    }

    btnEndepx4->SetName("btnEndepx4");
    btnEndepx4->SetParent(panelbuttonspx4);
    btnEndepx4->SetBounds(kFormWidth - 232, kButtonTop, 104, kButtonHeight);
    btnEndepx4->SetkvKind(ui::TkvBitBtnKind::bkDruck);
    btnEndepx4->SetDefault(true);
    btnabbruchpx4->SetName("btnabbruchpx4");
    btnabbruchpx4->SetParent(panelbuttonspx4);
    btnabbruchpx4->SetBounds(kFormWidth - 120, kButtonTop, 104, kButtonHeight);
    btnabbruchpx4->SetkvKind(ui::TkvBitBtnKind::bkCancel);
  }
  SAPBtn1->OnClick = [this](TComponent*) { RunButtonDialog(&TToolsDruckDialogCtrl::SetupPrinter); };
  btnschrift->OnClick = [this](TComponent*) {
    RunButtonDialog(&TToolsDruckDialogCtrl::ChooseFont);
  };
  btnEndepx4->OnClick = [this](TComponent*) { btnEndepx3Click(); };
  FormCreate();
}

void TToolsDruckDialogForm::FormCreate() {
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToLayout::StyleListenfenster(*this);
}

void TToolsDruckDialogForm::LoadParams(const TToolsDruckDialogParams& params) {
  const struct {
    platform::qt::TLabel* label;
    platform::qt::TEdit* edit;
    bool enabled;
    std::int32_t value;
  } margins[] = {{llinks, elinks, params.left_edit, params.left},
                 {lrechts, erechts, params.right_edit, params.right},
                 {loben, eoben, params.top_edit, params.top},
                 {lunten, eunten, params.bottom_edit, params.bottom}};
  for (const auto& m : margins) {
    m.label->SetEnabled(m.enabled);
    m.edit->SetEnabled(m.enabled);
    m.edit->SetText(std::to_string(m.value));
  }
  lschrift->SetEnabled(params.font_edit);
  btnschrift->SetEnabled(params.font_edit);
  ldrucker->SetCaption(params.printer.str());
  lschrift->SetCaption(params.font_text.str());
}

void TToolsDruckDialogForm::StoreParams(TToolsDruckDialogParams& params) const {
  params.left = EditValue(*elinks);
  params.right = EditValue(*erechts);
  params.top = EditValue(*eoben);
  params.bottom = EditValue(*eunten);
  params.left_edit = elinks->Enabled();
  params.right_edit = erechts->Enabled();
  params.top_edit = eoben->Enabled();
  params.bottom_edit = eunten->Enabled();
  params.font_edit = btnschrift->Enabled();
  params.printer = ldrucker->Caption();
  params.font_text = lschrift->Caption();
}

void TToolsDruckDialogForm::RunButtonDialog(
    bool (TToolsDruckDialogCtrl::*dialog)(TToolsDruckDialogParams&) const) {
  Guarded([this, dialog] {
    ui::ToLayout::DisableButtons(*panelbuttonspx4);
    TToolsDruckDialogParams params;
    StoreParams(params);
    (ctrl_.*dialog)(params);
    LoadParams(params);
    ui::ToLayout::EnableButtons(*panelbuttonspx4, nullptr);
  });
}

void TToolsDruckDialogForm::btnEndepx3Click() { SetModalResult(platform::qt::mrOk); }

}  // namespace app
