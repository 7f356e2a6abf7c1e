#include "app/tools_form.h"

#include "ui/layout.h"
#include "ui/winskal.h"

namespace app {

platform::qt::TModalResult TToolsForm::RunModal() {
  failure_ = nullptr;
  const platform::qt::TModalResult result = ShowModal();
  if (failure_) std::rethrow_exception(failure_);
  return result;
}

void TToolsForm::FormCreate() {
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToLayout::FormLayout(*this);
}

void TToolsForm::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    failure_ = std::current_exception();
    SetModalResult(platform::qt::mrCancel);
  }
}

}  // namespace app
