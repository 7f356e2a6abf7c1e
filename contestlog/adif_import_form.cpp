#include "contestlog/adif_import_form.h"

#include "common/file_base_ss.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "platform/qt/form.h"
#include "ui/winskal.h"

namespace contestlog {
namespace {

using platform::qt::TComponent;

constexpr int kListTop = 78;
constexpr int kListHeight = 200;

}  // namespace

TContestAdifimportForm::TContestAdifimportForm(TComponent* owner, TContestAdifimportCtrl& ctrl)
    : ui::TkvForm(owner), ctrl_(ctrl) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("ContestAdifimportForm");
    SetCaption("ADIF-Import");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(521, 426);
    Font().SetName("Arial");
    MakeControls();
  }
  // FormCreate: the scaling of the program's forms.
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToWinskal::ScaleForm(*this);
}

platform::qt::TLabel* TContestAdifimportForm::AddLabel(const char* name, const char* caption,
                                                       int left, int top,
                                                       platform::qt::TWinControl* parent) {
  auto* label = new platform::qt::TLabel(this);
  label->SetName(name);
  label->SetParent(parent);
  label->SetBounds(left, top, 0, 0);
  label->SetCaption(caption);
  return label;
}

platform::qt::TButton* TContestAdifimportForm::AddButton(const char* name, const char* caption,
                                                         int left, int top, int width) {
  auto* button = new platform::qt::TButton(this);
  button->SetName(name);
  button->SetParent(this);
  button->SetBounds(left, top, width, 25);
  button->SetCaption(caption);
  return button;
}

void TContestAdifimportForm::MakeControls() {
  Label2 = AddLabel("Label2",
                    "Mit dieser Funktion können ADIF-Dateien anderer Logbücher eingelesen werden.",
                    12, 10, this);
  btndatei = AddButton("btndatei", "ADIF-Datei auswählen", 12, 32, 170);
  btndatei->OnClick = [this](TComponent*) { btndateiClick(); };

  TabSheet1 = new platform::qt::TGroupBox(this);
  TabSheet1->SetName("TabSheet1");
  TabSheet1->SetParent(this);
  TabSheet1->SetBounds(12, 66, 497, 310);
  TabSheet1->SetCaption("Feldzuordnung");
  Label1 = AddLabel("Label1",
                    "Ziehen Sie mit der Maus die gewünschten Einträge aus der linken in die "
                    "rechte Liste.",
                    10, 20, TabSheet1);
  Label3 = AddLabel("Label3", "Felder der ADIF-Datei", 10, 50, TabSheet1);
  Label4 = AddLabel("Label4", "Felder im Log", 254, 50, TabSheet1);

  ListeLinks = new platform::qt::TListBox(this);
  ListeLinks->SetName("ListeLinks");
  ListeLinks->SetParent(TabSheet1);
  ListeLinks->SetBounds(10, kListTop, 230, kListHeight);
  ListeLinks->SetHelpContext(100190002);
  ListeLinks->SetDragMode(platform::qt::TDragMode::dmAutomatic);

  ListeRechtsLB = new platform::qt::TListBox(this);
  ListeRechtsLB->SetName("ListeRechtsLB");
  ListeRechtsLB->SetParent(TabSheet1);
  ListeRechtsLB->SetBounds(254, kListTop, 230, kListHeight);
  ListeRechtsLB->SetHelpContext(100190003);
  ListeRechtsLB->Items().Assign(std::vector<std::string>{"CALL", "QSO_DATE", "TIME_ON", "RST_SENT",
                                                         "RST_RCVD", "BAND", "FREQ", "MODE"});
  ListeRechtsLB->OnDragOver = [this](TComponent*, TComponent* source, int, int,
                                     platform::qt::TDragState, bool& accept) {
    ListeRechtsLBDragOver(source, accept);
  };
  ListeRechtsLB->OnDragDrop = [this](TComponent*, TComponent* source, int x, int y) {
    ListeRechtsLBDragDrop(source, x, y);
  };

  checkkeincheck = new platform::qt::TCheckBox(this);
  checkkeincheck->SetName("checkkeincheck");
  checkkeincheck->SetParent(this);
  checkkeincheck->SetBounds(12, 386, 250, 17);
  checkkeincheck->SetCaption("keine Mode/Band-Überprüfung");

  btnimportstart = AddButton("btnimportstart", "Start", 340, 388, 80);
  btnimportstart->SetDefault(true);
  btnimportstart->SetEnabled(false);
  btnimportstart->SetModalResult(1);
  BitBtn1 = AddButton("BitBtn1", "Abbruch", 429, 388, 80);
  BitBtn1->SetCancel(true);
  BitBtn1->SetModalResult(2);
}

void TContestAdifimportForm::SetLogFields(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (ListeRechtsLB->Items().IndexOf(name) < 0) ListeRechtsLB->Items().Add(name);
  }
}

void TContestAdifimportForm::GetMapping(AdifImportTransfer& transfer) const {
  transfer.check = checkkeincheck->Checked() ? 0 : 1;
  transfer.mapping = ListeRechtsLB->Items().Lines();
}

void TContestAdifimportForm::btndateiClick() {
  std::string name;
  if (!common::Service<common::TFileBaseSS>::Get().ExecuteFileDialog(
          false, "", "ADIF-Datei (*.adi, *.adif)|*.ADI;*.ADIF", "adi", false, name))
    return;
  std::vector<std::string> fields;
  ctrl_.ReadAdifFile(name, fields);
  ListeLinks->Items().Assign(fields);
}

void TContestAdifimportForm::ListeRechtsLBDragOver(TComponent* /*source*/, bool& accept) {
  accept = true;
}

void TContestAdifimportForm::ListeRechtsLBDragDrop(TComponent* source, int x, int y) {
  if (source != ListeLinks) return;
  const int target = ListeRechtsLB->ItemAtPos({x, y});
  const int selected = ListeLinks->ItemIndex();
  if (target < 0 || selected < 0) return;
  const std::string line = ListeRechtsLB->Items().Get(target);
  if (line.find('(') != std::string::npos) return;  // already assigned
  ListeRechtsLB->Items().Put(target, line + " (" + ListeLinks->Items().Get(selected) + ")");
  btnimportstart->SetEnabled(true);
  ListeLinks->Items().Delete(selected);
}

}  // namespace contestlog
