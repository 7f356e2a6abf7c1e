#include "ui/message_dialogs.h"

#include <memory>

#include "ui/message_forms.h"

namespace ui {
namespace {

using platform::qt::TModalResult;

// Makes the form, sets it up and shows it; `read` takes the answer before the form is freed.
template <typename Form, typename Read>
auto RunDialog(const TMessageDialogParams& params, Read read) {
  auto form = std::make_unique<Form>();
  form->SetupDialog(params);
  const TModalResult result = form->ShowModal();
  return read(*form, result);
}

bool Done(const TMessageDialogForm&, TModalResult) { return true; }

}  // namespace

bool TJaNeinFrageWinCtrl::Execute() {
  TMessageDialogParams params;
  params.caption = caption_;
  params.title = title_;
  params.text = text_;
  params.default_yes = default_yes_;
  return RunDialog<TJaNeinFrageForm>(params, [](const TJaNeinFrageForm&, TModalResult result) {
    return result == platform::qt::mrYes;
  });
}

bool THinweisWinCtrl::Execute() {
  TMessageDialogParams params;
  params.caption = caption_;
  params.title = title_;
  params.text = text_;
  params.continue_button = continue_button_;
  params.show_check_box = show_check_box_;
  return RunDialog<THinweisForm>(
      params, [](const THinweisForm& form, TModalResult) { return form.ccheck->Checked(); });
}

bool TFehlerWinCtrl::Execute() {
  TMessageDialogParams params;
  params.text = text_;
  return RunDialog<TFehlerForm>(params, Done);
}

bool TFehlerInfoWinCtrl::Execute() {
  TMessageDialogParams params;
  params.text = text_;
  params.button_caption = button_caption_;
  params.link = link_;
  return RunDialog<TFehlerInfoForm>(params, Done);
}

bool TAchtungWinCtrl::Execute() {
  TMessageDialogParams params;
  params.title = title_;
  params.text = text_;
  return RunDialog<TAchtungForm>(params, Done);
}

bool DialogPresenter::Present(const common::MessageCall& call) {
  using common::MessageKind;
  switch (call.kind) {
    case MessageKind::kJaNeinFrage:
      return TJaNeinFrageWinCtrl(call.title, call.text, call.caption, call.default_yes).Execute();
    case MessageKind::kHinweis:
    case MessageKind::kHinweisMitCheck:
      return THinweisWinCtrl(call.caption, call.title, call.text,
                             call.kind == MessageKind::kHinweisMitCheck, call.show_check_box)
          .Execute();
    case MessageKind::kAchtung:
      return TAchtungWinCtrl(call.title, call.text).Execute();
    case MessageKind::kFehler:
      return TFehlerWinCtrl(call.text).Execute();
    case MessageKind::kFehlerInfo:
      return TFehlerInfoWinCtrl(call.text, call.button_caption, call.link).Execute();
  }
  return false;
}

}  // namespace ui
