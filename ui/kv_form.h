// TkvForm: the base of every window of the program, with the state the screen scaling keeps per
// form (ui/winskal.h).
//
// A window built in code opens a LoadingScope for its design; when the scope closes, the form's
// Scaled property as the design left it becomes CreateScaled (the base constructor records the
// default first). The creation handler then assigns ToWinskal::FormScaled to Scaled, styles the
// form and calls ToWinskal::ScaleForm.
#pragma once

#include <cstdint>

#include "platform/qt/form.h"

namespace ui {

class TkvForm : public platform::qt::TForm {
 public:
  explicit TkvForm(platform::qt::TComponent* owner);

  // Scaled right after the form was made from its design; cleared in mode 2 by the scaling.
  bool CreateScaled = false;
  // ScaleForm has handled the form.
  bool WinskalDone = false;
  // The percentage FitToScreen last rescaled the form by; 0 when it never did.
  std::int32_t FitPercent = 0;
  // Scaled as FormScaled found it.
  bool DesignScaled = false;

  // The monitor's resolution changed: the base fits the form to the screen again. Nothing in the
  // framework raises it; windows that follow monitor changes call it.
  virtual void DoFormAfterMonitorDpiChanged(platform::qt::TComponent* sender, int old_dpi,
                                            int new_dpi);
  // Before such a change; the base does nothing.
  virtual void DoFormBeforeMonitorDpiChanged(platform::qt::TComponent* sender, int old_dpi,
                                             int new_dpi);
  // The form whose scaling rules apply to the values of this one; the base answers itself.
  virtual TkvForm* ScaleOwner() { return this; }

 protected:
  void Loaded() override;
};

// A pixel value of the form (flag: a font size) converted for the screen, by the rules of the
// form its ScaleOwner names (the form itself when that is none).
int ScalePixels(TkvForm& form, int value, bool flag);
int UnscalePixels(TkvForm& form, int value, bool flag);
// The same for a form that may be missing (null: the value as it stands).
int ScalePixels(TkvForm* form, int value, bool flag);

// Puts `form` (Position poDesigned) at `bounds` now, so that it opens there, and again once it is
// shown and its window frame is known: the place given is then the place it reports back, and a
// window reopened where it closed keeps its size.
void PlaceForm(platform::qt::TForm& form, const platform::qt::TRect& bounds);

}  // namespace ui
