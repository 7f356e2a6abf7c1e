#include "contest/window/label_colours.h"

#include <functional>

#include "platform/qt/component.h"

namespace contest::window {
namespace {

using platform::qt::TControl;
using platform::qt::TForm;
using platform::qt::TLabel;

bool TakesPart(const TLabel& label) {
  return label.FocusControl() != nullptr && label.Tag() < kLabelTagExempt;
}

bool FieldIsActive(const TForm& form, const TLabel& label) {
  return label.FocusControl() == form.ActiveControl();
}

// Calls `act` for every taking-part label the form owns.
void ForEachLabel(TForm& form, const std::function<void(TLabel&)>& act) {
  for (platform::qt::TComponent* component : form.Components()) {
    auto* label = dynamic_cast<TLabel*>(component);
    if (label != nullptr && TakesPart(*label)) act(*label);
  }
}

void ColourLabelsOf(TForm& form, const TControl& control, platform::qt::TColor colour) {
  ForEachLabel(form, [&](TLabel& label) {
    if (label.FocusControl() == &control) label.Font().SetColor(colour);
  });
}

}  // namespace

void SetFieldColours(TForm& form) {
  ForEachLabel(form, [&](TLabel& label) {
    const platform::qt::TColor colour = label.Font().Color();
    // Red as well as maroon: the label of the field left last would otherwise stay lit.
    if ((colour == kLabelUnderMouse || colour == kLabelFocused) && !FieldIsActive(form, label)) {
      label.Font().SetColor(kLabelNormal);
    }
  });
}

void CallEnterColours(TForm& form, const TControl& control) {
  SetFieldColours(form);
  ColourLabelsOf(form, control, kLabelFocused);
}

void CallMouseColours(TForm& form, const TControl& control) {
  SetFieldColours(form);
  if (&control != form.ActiveControl()) ColourLabelsOf(form, control, kLabelUnderMouse);
}

void LabelMouseColours(TForm& form, TLabel& label) {
  SetFieldColours(form);
  if (TakesPart(label) && !FieldIsActive(form, label)) label.Font().SetColor(kLabelUnderMouse);
}

}  // namespace contest::window
