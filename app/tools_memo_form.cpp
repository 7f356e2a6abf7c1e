#include "app/tools_memo_form.h"

#include "common/messages.h"
#include "common/service.h"
#include "output/output_texts.h"
#include "platform/qt/keys.h"
#include "ui/layout.h"

namespace app {
namespace {

using platform::qt::TAlign;
using platform::qt::TBevelCut;
using platform::qt::TComponent;

constexpr const char* kViewFont = "Courier New";
constexpr int kViewFontSize = 10;
constexpr int kButtonTop = 8;
constexpr int kButtonHeight = 36;
constexpr int kButtonWidth = 110;

void StyleView(platform::qt::TCustomMemo& view) {
  view.SetAlign(TAlign::alClient);
  view.Font().SetName(kViewFont);
  view.Font().SetSize(kViewFontSize);
  view.SetWordWrap(false);
  view.SetScrollBars(platform::qt::TScrollStyle::ssBoth);
}

}  // namespace

TToolsMemoForm::TToolsMemoForm(TComponent* owner, TToolsMemoCtrl& ctrl)
    : TToolsForm(owner),
      Memo1(new platform::qt::TMemo(this)),
      richedit1(new platform::qt::TRichEdit(this)),
      panelbuttonsho4(new platform::qt::TPanel(this)),
      btndruckho4(new ui::TkvBitBtn(this)),
      btnSpeichernHo4(new ui::TkvBitBtn(this)),
      bkEMailHo4(new ui::TkvBitBtn(this)),
      panelschalter(new platform::qt::TPanel(this)),
      btnEndeho4(new ui::TkvBitBtn(this)),
      btnabbruchho4(new ui::TkvBitBtn(this)),
      menue(new platform::qt::TPopupMenu(this)),
      ctrl_(ctrl) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("ToolsMemoForm");
    SetCaption("Notizen");
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(600, 420);

    panelbuttonsho4->SetName("panelbuttonsho4");
    panelbuttonsho4->SetParent(this);
    panelbuttonsho4->SetAlign(TAlign::alBottom);
    panelbuttonsho4->SetHeight(kButtonHeight + 2 * kButtonTop);
    panelbuttonsho4->SetBevelOuter(TBevelCut::bvNone);
    const struct {
      ui::TkvBitBtn* button;
      const char* name;
      const char* caption;
      ui::TkvBitBtnKind kind;
    } left_buttons[] = {
        {btndruckho4, "btndruckho4", "&Drucken", ui::TkvBitBtnKind::bkDruck},
        {btnSpeichernHo4, "btnSpeichernHo4", "als Datei|speichern",
         ui::TkvBitBtnKind::bkSpeichernAlsDatei},
        {bkEMailHo4, "bkEMailHo4", "per EMail|versenden", ui::TkvBitBtnKind::bkExportEMail},
    };
    int left = 8;
    for (const auto& b : left_buttons) {
      b.button->SetName(b.name);
      b.button->SetParent(panelbuttonsho4);
      b.button->SetBounds(left, kButtonTop, kButtonWidth, kButtonHeight);
      b.button->SetkvKind(b.kind);
      b.button->SetCaption(b.caption);
      left += kButtonWidth + 8;
    }
    panelschalter->SetName("panelschalter");
    panelschalter->SetParent(panelbuttonsho4);
    panelschalter->SetAlign(TAlign::alRight);
    panelschalter->SetWidth(2 * kButtonWidth + 24);
    panelschalter->SetBevelOuter(TBevelCut::bvNone);
    btnEndeho4->SetName("btnEndeho4");
    btnEndeho4->SetParent(panelschalter);
    btnEndeho4->SetBounds(8, kButtonTop, kButtonWidth, kButtonHeight);
    btnEndeho4->SetkvKind(ui::TkvBitBtnKind::bkOK);
    btnEndeho4->SetCaption("&OK");
    btnabbruchho4->SetName("btnabbruchho4");
    btnabbruchho4->SetParent(panelschalter);
    btnabbruchho4->SetBounds(kButtonWidth + 16, kButtonTop, kButtonWidth, kButtonHeight);
    btnabbruchho4->SetkvKind(ui::TkvBitBtnKind::bkCancel);
    btnabbruchho4->SetCaption("&Abbrechen");

    Memo1->SetName("Memo1");
    Memo1->SetParent(this);
    StyleView(*Memo1);
    richedit1->SetName("richedit1");
    richedit1->SetParent(this);
    StyleView(*richedit1);
    richedit1->SetVisible(false);
  }
  BuildMenu();
  Memo1->OnKeyPress = [this](TComponent*, char& key) { Memo1KeyPress(key); };
  btndruckho4->OnClick = [this](TComponent*) { Guarded([this] { btndruckho4Click(); }); };
  btnSpeichernHo4->OnClick = [this](TComponent*) {
    Guarded([this] { ctrl_.SaveToFile(VisibleView().Lines().Lines(), proposed_name_); });
  };
  bkEMailHo4->OnClick = [this](TComponent*) {
    Guarded([this] { ctrl_.SendByMail(VisibleView().Lines().Lines(), proposed_name_); });
  };
  OnCloseQuery = [this](TComponent*, bool& can_close) { FormCloseQuery(can_close); };
  FormCreate();
}

void TToolsMemoForm::BuildMenu() {
  const auto add = [this](const char* caption,
                          std::function<void(platform::qt::TCustomMemo&)> act) {
    auto* item = new platform::qt::TMenuItem(this);
    item->SetCaption(caption);
    if (act) {
      item->OnClick = [this, act](TComponent*) { Guarded([&] { act(VisibleView()); }); };
    }
    menue->Items()->Add(item);
  };
  add("zurück", nullptr);  // closes the menu
  add("-", nullptr);
  add("Kopieren", [](platform::qt::TCustomMemo& view) {
    if (view.SelLength() == 0) view.SelectAll();
    view.CopyToClipboard();
  });
  add("Ausschneiden", [](platform::qt::TCustomMemo& view) {
    if (view.SelLength() == 0) view.SelectAll();
    view.CutToClipboard();
  });
  add("Einfügen", [](platform::qt::TCustomMemo& view) { view.PasteFromClipboard(); });
  add("Rückgängig", [](platform::qt::TCustomMemo& view) { view.Undo(); });
  Memo1->SetPopupMenu(menue);
  richedit1->SetPopupMenu(menue);
}

bool TToolsMemoForm::LoadParams(const TToolsMemoParams& params) {
  btndruckho4->SetVisible(params.print_button);
  btnSpeichernHo4->SetVisible(params.save_button);
  bkEMailHo4->SetVisible(params.mail_button);
  view_file_.clear();
  if (!params.rich_text_file.empty()) {
    const std::string file = params.rich_text_file.str();
    const std::optional<TextWindowFile> shown = ReadTextWindowFile(file);
    if (!shown) return false;
    Memo1->SetVisible(false);
    richedit1->SetVisible(true);
    richedit1->SetPlainText(false);
    richedit1->SetMaxLength(2147483645);
    richedit1->Lines().Assign(shown->lines);
    if (!shown->rich) {
      view_file_ = file;
      // What the user has not edited is what the editor shows.
      view_file_lines_ = richedit1->Lines().Lines();
    }
  } else {
    Memo1->Lines().Assign(params.lines);
    if (!params.short_text.empty()) Memo1->SetText(params.short_text.str());
  }
  if (!params.caption.empty()) SetCaption(params.caption.str());
  // What the user types belongs in the text, and Enter must not start printing.
  SetActiveControl(&VisibleView());
  return true;
}

void TToolsMemoForm::StoreParams(TToolsMemoParams& params) const {
  const platform::qt::TCustomMemo& view = VisibleView();
  params.lines = view.Lines().Lines();
  params.short_text = view.Text();
  params.print_button = btndruckho4->Visible();
  params.save_button = btnSpeichernHo4->Visible();
  params.mail_button = bkEMailHo4->Visible();
  params.caption = Caption();
}

platform::qt::TCustomMemo& TToolsMemoForm::VisibleView() const {
  if (richedit1->Visible()) return *richedit1;
  return *Memo1;
}

void TToolsMemoForm::Memo1KeyPress(char& key) {
  if (key != static_cast<char>(platform::qt::VK_ESCAPE)) return;
  key = 0;
  Close();
}

void TToolsMemoForm::btndruckho4Click() {
  ui::ToLayout::DisableButtons(*panelbuttonsho4);
  const std::string temp = MemoTempFile();
  bool ready = true;
  if (Memo1->Visible()) {
    // The memo goes to the printer as a file, as a rich text would.
    ready = WriteTextWindowFile(temp, Memo1->Lines().Lines()) && richedit1->LoadFromFile(temp);
    richedit1->Font().SetName(Memo1->Font().Name());
    richedit1->Font().SetSize(kViewFontSize);
    if (!ready) common::Service<common::ToMessages>::Get().Fehler(output::NotWrittenText(temp));
  }
  if (ready) ctrl_.PrintText(richedit1->Lines().Lines(), richedit1->Font(), temp);
  ui::ToLayout::EnableButtons(*panelbuttonsho4, nullptr);
}

void TToolsMemoForm::FormCloseQuery(bool& can_close) {
  if (ModalResult() != platform::qt::mrOk || view_file_.empty()) return;
  const std::vector<std::string> lines = richedit1->Lines().Lines();
  if (lines == view_file_lines_) return;
  if (WriteTextWindowFile(view_file_, lines)) {
    view_file_lines_ = lines;
    return;
  }
  common::Service<common::ToMessages>::Get().Fehler(output::NotWrittenText(view_file_));
  can_close = false;
}

}  // namespace app
