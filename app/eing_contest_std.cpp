// The contest setup form's behaviour: its creation, the copies between its controls and the
// transfer record, and its events, each handed to the controller.
#include "app/eing_contest_std.h"

#include <array>
#include <utility>

#include "app/write_output.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "platform/qt/keys.h"
#include "ui/layout.h"
#include "ui/winskal.h"

namespace app {
namespace {

using platform::qt::clWindow;
using platform::qt::TComponent;
using platform::qt::TControl;

void Put(ui::TkvEdit& edit, const FieldView& field) {
  if (edit.Text() != field.text) edit.SetText(field.text);
  if (field.max_length > 0) edit.SetMaxLength(field.max_length);
  edit.SetVisible(field.visible);
  edit.SetEnabled(field.enabled);
  edit.SetColor(field.marked ? kMarkColour : clWindow);
}

void Put(platform::qt::TMemo& memo, const FieldView& field) {
  if (memo.Text() != field.text) memo.SetText(field.text);
  memo.SetVisible(field.visible);
  memo.SetEnabled(field.enabled);
  memo.SetColor(field.marked ? kMarkColour : clWindow);
}

template <typename Box>
void Put(Box& box, const BoxView& view) {
  if (!view.caption.empty()) box.SetCaption(view.caption);
  box.SetVisible(view.visible);
  box.SetEnabled(view.enabled);
  if (box.Checked() != view.checked) box.SetChecked(view.checked);
}

void Put(TControl& control, const GroupView& view) {
  if (!view.caption.empty()) control.SetCaption(view.caption);
  control.SetVisible(view.visible);
  control.SetEnabled(view.enabled);
  if (view.marked) {
    control.SetColor(kMarkColour);
  } else {
    control.SetParentColor(true);
  }
}

void Put(TLabel& label, const std::string& caption, bool visible) {
  label.SetCaption(caption);
  label.SetVisible(visible);
}

}  // namespace

TEingContestStd::TEingContestStd(TComponent* owner, char code, int edit_flag, int review_flag,
                                 contest::TdbContest& catalogue,
                                 contest::TdbContest& contest_data,
                                 contest::TContestRec& definition)
    : ui::TkvForm(owner),
      ctrl_(std::make_unique<TEingContestCtrl>(code, edit_flag, review_flag, catalogue,
                                               contest_data, definition)),
      catalogue_(catalogue),
      contest_data_(contest_data),
      definition_(definition),
      output_menu_(std::make_unique<TOutputMenu>(
          *this, [this](int output_code) { WriteOutputOfLog(output_code); })) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("EingContestStd");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetKeyPreview(true);
    MakeContestGroup();
    MakeStationGroup();
    MakeRightColumn();
    MakeExtraGroups();
    MakeScorePanel();
    MakeButtons();
  }
  SetScaled(ui::ToWinskal::FormScaled(*this));
  lCallSlash->SetVisible(false);
  eCallSuffix->SetVisible(false);
  Connect();
  ctrl_->FormCreate(view_);
  ShowView();
  Arrange();
  ui::ToLayout::FormLayout(*this);
}

TEingContestStd::~TEingContestStd() { BeginDestroy(); }

void TEingContestStd::Connect() {
  eteilnahmeart->OnClick = [this](TComponent*) {
    Dispatch([this](EingContestView& v) { ctrl_->CategoryClick(v); });
  };
  const std::pair<ui::TkvEdit*, TimeField> times[] = {{eDatumvon, TimeField::kDatumvon},
                                                      {eDatumbis, TimeField::kDatumbis},
                                                      {eZeitvon, TimeField::kZeitvon},
                                                      {eZeitbis, TimeField::kZeitbis}};
  for (const auto& [edit, field] : times) {
    const TimeField f = field;
    edit->OnEnter = [this, f](TComponent*) {
      Dispatch([this, f](EingContestView& v) { ctrl_->TimeFieldEnter(f, v); });
    };
    edit->OnExit = [this, f](TComponent*) {
      Dispatch([this, f](EingContestView& v) { ctrl_->TimeFieldExit(f, v); });
    };
  }
  const std::pair<platform::qt::TWinControl*, EingFocus> checked[] = {
      {eName, EingFocus::eName},   {eDatumvon, EingFocus::eDatumvon},
      {eDatumbis, EingFocus::eDatumbis}, {eCall_, EingFocus::eCall_},
      {eLoc, EingFocus::eLoc},     {ePLZ, EingFocus::ePLZ},
      {eEMail, EingFocus::eEMail}, {eDOK, EingFocus::eDOK},
      {eJahre, EingFocus::eJahre}};
  for (const auto& [control, field] : checked) {
    const EingFocus f = field;
    static_cast<platform::qt::TEdit*>(control)->OnChange = [this, f](TComponent*) {
      Dispatch([this, f](EingContestView& v) { ctrl_->FieldChange(f, v); });
    };
  }
  memoStation->OnChange = [this](TComponent*) {
    Dispatch([this](EingContestView& v) { ctrl_->FieldChange(EingFocus::memoStation, v); });
  };
  for (TRadioButton* clock : {rZeitOrt, rZeitUTC}) {
    clock->OnClick = [this](TComponent*) {
      Dispatch([this](EingContestView& v) { ctrl_->ClockClick(v); });
    };
  }
  eCall_->OnExit = [this](TComponent*) {
    Dispatch([this](EingContestView& v) { ctrl_->CallExit(v); });
  };
  for (ui::TkvEdit* qsl : {eQSLw, eqslr}) {
    qsl->OnClick = [qsl](TComponent*) { qsl->SelectAll(); };
  }
  const std::pair<ui::TkvBitBtn*, SaveSender> saves[] = {{btnOK, SaveSender::kOK},
                                                         {btnstart, SaveSender::kStart}};
  for (const auto& [button, sender] : saves) {
    const SaveSender s = sender;
    button->OnClick = [this, s](TComponent*) {
      Dispatch([this, s](EingContestView& v) { ctrl_->Save(s, v); });
    };
  }
  btnDruck->OnClick = [this](TComponent*) { btnDruckClick(); };
  btnAbbruch->OnClick = [this](TComponent*) {
    Dispatch([this](EingContestView& v) { ctrl_->Cancel(v); });
  };
  btnHilfe->OnClick = [](TComponent*) { platform::qt::Application().HelpCommand(1, 1); };
  btnregeln->OnClick = [this](TComponent*) {
    common::Service<contest::TContestFkt>::Get().ShowRules(ctrl_->Record().Typ);
  };
}

void TEingContestStd::btnDruckClick() {
  Dispatch([this](EingContestView& v) { ctrl_->Save(SaveSender::kDruck, v); });
  output_menu_->Open(definition_, ctrl_->EditFlag() != 0, *btnDruck);
}

void TEingContestStd::WriteOutputOfLog(int code) {
  // The save may have left changes it refused in the catalogue object's record: the outputs
  // write the log as stored.
  if (!catalogue_.FindByNummer(GetSatzNummer())) return;
  WriteOutput(this, code, definition_, catalogue_, contest_data_);
}

void TEingContestStd::KeyDown(std::uint16_t& key, platform::qt::TShiftState shift) {
  if (key == platform::qt::VK_ESCAPE && shift == 0) {
    key = 0;
    Dispatch([this](EingContestView& v) { ctrl_->Escape(v); });
    return;
  }
  ui::TkvForm::KeyDown(key, shift);
}

void TEingContestStd::Dispatch(const std::function<void(EingContestView&)>& event) {
  // Copying the record into the controls fires their change events; they are the form's own.
  if (updating_ || IsDestroying()) return;
  ReadControls();
  event(view_);
  ShowView();
}

std::array<std::pair<ui::TkvEdit*, FieldView*>, 20> TEingContestStd::BoundFields() {
  return {{
      {eName, &view_.eName},       {eDatumvon, &view_.eDatumvon}, {eDatumbis, &view_.eDatumbis},
      {eZeitvon, &view_.eZeitvon}, {eZeitbis, &view_.eZeitbis},   {eCall_, &view_.eCall_},
      {eDOK, &view_.eDOK},         {eLoc, &view_.eLoc},           {eSWL, &view_.eSWL},
      {ecname, &view_.ecname},     {eStrasse, &view_.eStrasse},   {ePLZ, &view_.ePLZ},
      {eOrt, &view_.eOrt},         {eLand, &view_.eLand},         {eEMail, &view_.eEMail},
      {eQSLw, &view_.eQSLw},       {eqslr, &view_.eqslr},         {eJahre, &view_.eJahre},
      {edatum, &view_.edatum},     {egroupzusatz3, &view_.egroupzusatz3}}};
}

std::array<std::pair<TCheckBox*, BoxView*>, 11> TEingContestStd::BoundChecks() {
  return {{
      {edatumauto, &view_.edatumauto}, {ezeitauto, &view_.ezeitauto},
      {eBandauto, &view_.eBandauto},   {eaktrsts, &view_.eaktrsts},
      {eaktrstr, &view_.eaktrstr},     {cPrefixmenue, &view_.cPrefixmenue},
      {crstsnichtsperren, &view_.crstsnichtsperren}, {cdoppelqso, &view_.cdoppelqso},
      {cwebabfrage, &view_.cwebabfrage}, {cBausatz, &view_.cBausatz},
      {cUnikat, &view_.cUnikat}}};
}

std::array<std::pair<TRadioButton*, BoxView*>, 11> TEingContestStd::BoundRadios() {
  return {{
      {rcw, &view_.rcw},           {rssb, &view_.rssb},         {rFM, &view_.rFM},
      {rPR, &view_.rPR},           {rZeitOrt, &view_.rZeitOrt}, {rZeitUTC, &view_.rZeitUTC},
      {eHMja, &view_.eHMja},       {eHMnein, &view_.eHMnein},   {rZusatz2[0], &view_.rZusatz2[0]},
      {rZusatz2[1], &view_.rZusatz2[1]}, {rZusatz2[2], &view_.rZusatz2[2]}}};
}

void TEingContestStd::ReadControls() {
  for (const auto& [edit, field] : BoundFields()) field->text = edit->GetStr();
  view_.memoStation.text = memoStation->Text();
  for (const auto& [box, view] : BoundChecks()) view->checked = box->Checked();
  for (const auto& [radio, view] : BoundRadios()) view->checked = radio->Checked();
  view_.eteilnahmeart.index = eteilnahmeart->ItemIndex();
}

void TEingContestStd::ShowView() {
  updating_ = true;
  for (const auto& [edit, field] : BoundFields()) Put(*edit, *field);
  Put(*memoStation, view_.memoStation);
  for (const auto& [box, view] : BoundChecks()) Put(*box, *view);
  for (const auto& [radio, view] : BoundRadios()) Put(*radio, *view);
  const std::pair<TControl*, const GroupView*> groups[] = {
      {leDOK, &view_.leDOK},           {groupZeit, &view_.groupZeit},
      {groupZusatz, &view_.groupZusatz}, {lJahre, &view_.lJahre},
      {lJahre2, &view_.lJahre2},       {GroupZusatz2, &view_.GroupZusatz2},
      {groupboxdatum, &view_.groupboxdatum}, {GroupFrage, &view_.GroupFrage},
      {lFrage, &view_.lFrage},         {groupzusatz3, &view_.groupzusatz3},
      {legroupzusatz3, &view_.legroupzusatz3}};
  for (const auto& [control, view] : groups) Put(*control, *view);

  const ChoiceView& choice = view_.eteilnahmeart;
  if (eteilnahmeart->Items() != choice.items) eteilnahmeart->SetItems(choice.items);
  if (eteilnahmeart->Columns() != choice.columns) eteilnahmeart->SetColumns(choice.columns);
  if (eteilnahmeart->ItemIndex() != choice.index) eteilnahmeart->SetItemIndex(choice.index);
  eteilnahmeart->SetEnabled(choice.enabled);
  if (choice.marked) {
    eteilnahmeart->SetColor(kMarkColour);
  } else {
    eteilnahmeart->SetParentColor(true);
  }
  ShowScore();

  SetCaption(view_.caption);
  btnstart->SetVisible(view_.btnstart_visible);
  btnAbbruch->SetVisible(view_.btnAbbruch_visible);
  btnstart->SetDefault(!view_.ok_is_default);
  btnOK->SetDefault(view_.ok_is_default);
  updating_ = false;

  if (view_.focus != EingFocus::kNone) {
    platform::qt::TWinControl* const targets[] = {
        nullptr, eName,  eDatumvon, eDatumbis,     eZeitvon,    eZeitbis, eCall_,
        eDOK,    eLoc,   ePLZ,      eEMail,        eJahre,      egroupzusatz3,
        memoStation, edatum, groupZeit, eteilnahmeart, btnOK};
    platform::qt::TWinControl* target = targets[static_cast<std::size_t>(view_.focus)];
    if (target != nullptr && target->Visible() && target->Enabled()) SetActiveControl(target);
    view_.focus = EingFocus::kNone;
  }
  if (view_.modal_result != 0) {
    SetModalResult(static_cast<platform::qt::TModalResult>(view_.modal_result));
    view_.modal_result = 0;
  }
}

void TEingContestStd::ShowScore() {
  const ScorePanelView& score = view_.score;
  // Contests that count multipliers over all bands have no per-band multipliers: the points
  // take their column.
  const bool column = score.multiplier_column;
  scoreHeading.multipliers->SetCaption(column ? "Multi" : "Punkte");
  scoreHeading.points->SetVisible(column);
  for (std::size_t i = 0; i < scoreRows.size(); ++i) {
    const ScoreRowView& row = score.rows[i];
    const ScoreRowLabels& labels = scoreRows[i];
    Put(*labels.band, row.band, row.visible);
    Put(*labels.qsos, row.qsos, row.visible);
    Put(*labels.multipliers, column ? row.multipliers : row.points, row.visible);
    Put(*labels.points, row.points, row.visible && column);
  }
  Label28->SetCaption(score.total_qsos);
  Label19->SetCaption(score.total_multipliers);
  Label20->SetCaption(score.total_points);
  Label21->SetCaption(score.score);
}

}  // namespace app
