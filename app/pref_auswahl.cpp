#include "app/pref_auswahl.h"

#include <cmath>

#include "common/date_mask.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "platform/qt/colors.h"
#include "platform/qt/keys.h"
#include "ui/layout.h"
#include "ui/winskal.h"

namespace app {
namespace {

using platform::qt::TAlign;
using platform::qt::TBevelCut;
using platform::qt::TComponent;
using platform::qt::TLabel;
using platform::qt::TPanel;

constexpr int kFormWidth = 600;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 30;

const char* const kHeading[] = {"Nr", "DXCC", "CQ", "ITU", "Land", "Bemerkung"};

std::int32_t ShownDate(std::int32_t date) {
  if (date > 0) return date;
  return common::Service<common::ToDates>::Exists()
             ? common::Service<common::ToDates>::Get().TodayUtc()
             : 0;
}

}  // namespace

TPrefAuswahl::TPrefAuswahl(TComponent* owner, const logbook::DxccSelectionRequest& request)
    : ui::TkvForm(owner),
      Panel1(new TPanel(this)),
      ltext3(new TLabel(this)),
      ltext1(new TLabel(this)),
      Label2(new TLabel(this)),
      lQSO1(new TLabel(this)),
      lQSO2(new TLabel(this)),
      ptab(new TPanel(this)),
      Label1(new TLabel(this)),
      Label3(new TLabel(this)),
      Edit1(new platform::qt::TEdit(this)),
      btnEndeho4(new ui::TkvBitBtn(this)),
      btnabbruchho4(new ui::TkvBitBtn(this)),
      candidates_(request.candidates) {
  MakeControls();
  ShowTexts(request);
  FormCreate();
}

void TPrefAuswahl::MakeControls() {
  platform::qt::LoadingScope loading(*this);
  SetName("PrefAuswahl");
  SetCaption("Auswahl DXCC");
  SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
  SetPosition(platform::qt::TPosition::poScreenCenter);
  SetClientSize(kFormWidth, 300);
  SetKeyPreview(true);

  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(TAlign::alTop);
  Panel1->SetBevelOuter(TBevelCut::bvNone);
  for (TLabel* text : {ltext3, ltext1}) {
    text->SetParent(Panel1);
    text->SetBounds(kMargin, 8, kFormWidth - 2 * kMargin, 30);
    text->SetWordWrap(true);
  }
  ltext3->SetName("ltext3");
  ltext3->SetCaption(
      "Für den Präfix stehen mehrere DXCC zur Auswahl. Durch Doppelklick auf einen der unteren "
      "Einträge wird dem Präfix ein DXCC zugeordnet.");
  ltext1->SetName("ltext1");
  ltext1->SetCaption(
      "Für das aktuelle Rufzeichen stehen mehrere DXCC zur Auswahl. Durch Doppelklick auf einen "
      "der unteren Einträge wird dem QSO ein DXCC zugeordnet.");
  Label2->SetName("Label2");
  Label2->SetParent(Panel1);
  Label2->SetCaption("QSO:");
  for (TLabel* qso : {lQSO1, lQSO2}) {
    qso->SetParent(Panel1);
    qso->Font().SetStyle(platform::qt::fsBold);
    qso->SetShowAccelChar(false);
  }
  lQSO1->SetName("lQSO1");
  lQSO2->SetName("lQSO2");

  ptab->SetName("ptab");
  ptab->SetParent(this);
  ptab->SetBevelOuter(TBevelCut::bvLowered);

  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetCaption("Sie können auch die Pfeiltasten ");
  Label3->SetName("Label3");
  Label3->SetParent(this);
  Label3->SetCaption("<hoch> und <runter> nutzen.");
  for (TLabel* hint : {Label1, Label3}) hint->SetShowAccelChar(false);

  // One pixel wide: it only takes the arrow keys.
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(0, 0, 1, 20);

  btnEndeho4->SetName("btnEndeho4");
  btnEndeho4->SetParent(this);
  btnEndeho4->SetBounds(0, 0, kButtonWidth, kButtonHeight);
  btnabbruchho4->SetName("btnabbruchho4");
  btnabbruchho4->SetParent(this);
  btnabbruchho4->SetBounds(0, 0, kButtonWidth, kButtonHeight);
}

void TPrefAuswahl::ShowTexts(const logbook::DxccSelectionRequest& request) {
  btnEndeho4->SetkvKind(ui::TkvBitBtnKind::bkUebernahme);
  // The button takes the highlighted row itself; a row that cannot be taken keeps the window.
  btnEndeho4->SetModalResult(platform::qt::mrNone);
  btnEndeho4->SetEnabled(false);
  btnEndeho4->SetDefault(false);
  btnEndeho4->OnClick = [this](TComponent*) { TakeHighlighted(); };
  btnabbruchho4->SetkvKind(ui::TkvBitBtnKind::bkCancel);
  btnabbruchho4->SetCaption("&Abbrechen");

  if (!request.call.empty()) {
    lQSO1->SetCaption(request.call + "  " +
                      common::DateToDateString(ShownDate(request.date), "dd.mm.yyyy", {}));
    lQSO2->SetCaption(request.name + "  " + request.qth);
    ltext3->SetVisible(false);
  } else {
    Label2->SetVisible(false);
    lQSO1->SetCaption(request.prefix);
    ltext1->SetVisible(false);
  }

  Edit1->OnKeyDown = [this](TComponent*, std::uint16_t& key, platform::qt::TShiftState) {
    Edit1KeyDown(key);
  };
  OnKeyDown = [this](TComponent*, std::uint16_t& key, platform::qt::TShiftState) {
    FormKeyDown(key);
  };
  OnResize = [this](TComponent*) { FormResize(); };
  SetActiveControl(Edit1);
}

void TPrefAuswahl::FormCreate() {
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToWinskal::ScaleForm(*this);
  ptab->SetColor(ui::ToLayout::Settings().list_colours[1]);

  // The text on top, then the QSO (or the prefix) below it.
  const int margin = ui::ScalePixels(*this, kMargin, false);
  const int text_height = Measure(ltext1->Visible() ? *ltext1 : *ltext3);
  const int line = lQSO1->Height();
  const int qso_top = ltext1->Top() + text_height + margin;
  Label2->SetBounds(margin, qso_top, Label2->Width(), Label2->Height());
  const int qso_left = margin + Label2->Width() + margin;
  lQSO1->SetBounds(qso_left, qso_top, lQSO1->Width(), lQSO1->Height());
  lQSO2->SetBounds(qso_left, qso_top + line + 2, lQSO2->Width(), lQSO2->Height());
  Panel1->SetHeight(lQSO2->Top() + line + margin);

  ptab->SetTop(Panel1->Height());
  BuildTable();
  FormResize();
  Measure(*ltext1);
  Measure(*ltext3);
}

int TPrefAuswahl::Measure(TLabel& label) {
  label.SetWidth(Panel1->ClientWidth() - 2 * label.Left());
  label.SetAutoSize(false);
  label.SetAutoSize(true);
  return label.Height();
}

void TPrefAuswahl::BuildTable() {
  inner_ = new TPanel(this);
  inner_->SetName("ptabInnen");
  inner_->SetParent(ptab);
  inner_->SetAlign(TAlign::alClient);
  inner_->SetBevelOuter(TBevelCut::bvNone);
  inner_->SetParentColor(true);

  platform::qt::TCanvas& canvas = Canvas();
  canvas.Font = Font();
  const int w = canvas.TextWidth("X");
  const int h = static_cast<int>(std::lround(canvas.TextHeight("X") * 1.1));
  const int margin = ui::ScalePixels(*this, kMargin, false);

  ptab->SetBounds(margin / 2, ptab->Top(), ClientWidth() - margin, margin + h);
  int client_height = 50 + ptab->Top() + btnEndeho4->Height() + 20;

  std::vector<std::string> heading(std::begin(kHeading), std::end(kHeading));
  rows_.clear();
  auto add = [&](int number, const std::vector<std::string>& cells) {
    TPanel* row = AddRow(margin + RowCount() * h, h, number);
    for (std::size_t i = 0; i < cells.size(); ++i) AddCell(*row, kCellColumns[i], w, cells[i]);
    ptab->SetHeight(ptab->Height() + h);
    client_height += h;
  };
  add(0, heading);
  for (const logbook::DxccCandidate& c : candidates_) {
    if (c.dxcc.empty() || RowCount() >= kMaxRows) continue;
    add(c.number,
        {common::IntToStrMask(c.number, 2), c.dxcc, c.waz, c.itu, c.country, c.remark});
  }
  SetClientHeight(client_height);
}

TPanel* TPrefAuswahl::AddRow(int top, int height, int number) {
  auto* row = new TPanel(this);
  row->SetParent(inner_);
  row->SetBevelOuter(TBevelCut::bvNone);
  row->SetParentColor(true);
  row->SetBounds(ui::ScalePixels(*this, kMargin, false), top,
                 inner_->ClientWidth() - 2 * ui::ScalePixels(*this, kMargin, false), height);
  row->SetTag(number);
  if (number > 0) {
    row->OnClick = [this](TComponent* sender) { RowClick(sender); };
    row->OnDblClick = [this](TComponent* sender) { RowDoubleClick(sender); };
  }
  rows_.push_back(row);
  return row;
}

void TPrefAuswahl::AddCell(TPanel& row, int column, int char_width, const std::string& text) {
  auto* cell = new TLabel(this);
  cell->SetParent(&row);
  cell->SetShowAccelChar(false);
  cell->SetTransparent(true);
  cell->SetCaption(text);
  cell->SetLeft((column - 1) * char_width);
  cell->SetTop(2);
  cell->SetTag(row.Tag());
  if (row.Tag() > 0) {
    cell->OnClick = [this](TComponent* sender) { RowClick(sender); };
    cell->OnDblClick = [this](TComponent* sender) { RowDoubleClick(sender); };
  }
}

int TPrefAuswahl::RowOf(TComponent* sender) const {
  for (int i = 1; i < RowCount(); ++i) {
    TPanel* row = Row(i);
    if (sender == row) return i;
    for (platform::qt::TControl* cell : row->Controls()) {
      if (sender == cell) return i;
    }
  }
  return 0;
}

void TPrefAuswahl::Highlight(int index) {
  for (int i = 1; i < RowCount(); ++i) {
    TPanel* row = Row(i);
    const bool lit = i == index;
    if (lit) {
      row->SetColor(kHighlight);
    } else {
      row->SetParentColor(true);
    }
    for (platform::qt::TControl* cell : row->Controls()) {
      cell->Font().SetColor(lit ? platform::qt::clWhite : platform::qt::clBlack);
    }
  }
  highlighted_ = index;
  if (index > 0) {
    btnEndeho4->SetEnabled(true);
    btnEndeho4->SetDefault(true);
  }
}

void TPrefAuswahl::RowClick(TComponent* sender) {
  if (const int index = RowOf(sender); index > 0) Highlight(index);
}

void TPrefAuswahl::RowDoubleClick(TComponent* sender) {
  RowClick(sender);
  TakeHighlighted();
}

void TPrefAuswahl::TakeHighlighted() {
  if (highlighted_ <= 0) return;
  const int number = static_cast<int>(Row(highlighted_)->Tag());
  if (number <= 0) return;
  chosen_ = number;
  SetModalResult(platform::qt::mrOk);
}

void TPrefAuswahl::Edit1KeyDown(std::uint16_t& key) {
  const int last = RowCount() - 1;
  if (last < 1) return;
  if (key == platform::qt::VK_DOWN) {
    Highlight(highlighted_ <= 0 || highlighted_ >= last ? 1 : highlighted_ + 1);
    key = 0;
  } else if (key == platform::qt::VK_UP) {
    Highlight(highlighted_ <= 1 ? last : highlighted_ - 1);
    key = 0;
  }
}

void TPrefAuswahl::FormKeyDown(std::uint16_t& key) {
  if (key == platform::qt::VK_ESCAPE) {
    SetModalResult(platform::qt::mrCancel);
    key = 0;
  }
}

void TPrefAuswahl::FormResize() {
  const int top = ClientHeight() - btnEndeho4->Height() - 4;
  const int margin = ui::ScalePixels(*this, kMargin, false);
  btnabbruchho4->SetBounds(ClientWidth() - margin - btnabbruchho4->Width(), top,
                           btnabbruchho4->Width(), btnabbruchho4->Height());
  btnEndeho4->SetBounds(btnabbruchho4->Left() - margin - btnEndeho4->Width(), top,
                        btnEndeho4->Width(), btnEndeho4->Height());
  Label1->SetBounds(margin, top, Label1->Width(), Label1->Height());
  Label3->SetBounds(margin, top + Label1->Height(), Label3->Width(), Label3->Height());
}

}  // namespace app
