#include "ui/kv_form.h"

#include "platform/qt/application.h"
#include "ui/winskal.h"

namespace ui {

TkvForm::TkvForm(platform::qt::TComponent* owner) : TForm(owner) { CreateScaled = Scaled(); }

void TkvForm::Loaded() {
  TForm::Loaded();
  CreateScaled = Scaled();
}

void TkvForm::DoFormAfterMonitorDpiChanged(platform::qt::TComponent* sender, int old_dpi,
                                           int new_dpi) {
  (void)sender;
  (void)old_dpi;
  (void)new_dpi;
  ToWinskal::FitToScreen(*this);
}

void TkvForm::DoFormBeforeMonitorDpiChanged(platform::qt::TComponent* sender, int old_dpi,
                                            int new_dpi) {
  (void)sender;
  (void)old_dpi;
  (void)new_dpi;
}

namespace {

TkvForm& RulingForm(TkvForm& form) {
  TkvForm* owner = form.ScaleOwner();
  return owner != nullptr ? *owner : form;
}

}  // namespace

int ScalePixels(TkvForm& form, int value, bool flag) {
  return ToWinskal::ScaleForForm(value, RulingForm(form), flag);
}

int ScalePixels(TkvForm* form, int value, bool flag) {
  return form != nullptr ? ScalePixels(*form, value, flag) : value;
}

int UnscalePixels(TkvForm& form, int value, bool flag) {
  return ToWinskal::UnscaleForForm(value, RulingForm(form), flag);
}

void PlaceForm(platform::qt::TForm& form, const platform::qt::TRect& bounds) {
  form.SetPosition(platform::qt::TPosition::poDesigned);
  form.SetBoundsRect(bounds);
  platform::qt::Application().Queue([&form, alive = form.AliveToken(), bounds] {
    if (!alive.expired()) form.SetBoundsRect(bounds);
  });
}

}  // namespace ui
