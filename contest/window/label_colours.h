// The highlighting of the log window's field labels: a label shows teal at rest, maroon while the
// mouse is over it or its field, red while its field has the focus.
//
// A label takes part when it is a TLabel owned by the form, has a focus control (its field) and
// a Tag below kLabelTagExempt. The routines keep no state: each reads the labels' colours and the
// form's active control afresh. A label whose field is the active control keeps its colour
// whatever the mouse does.
#pragma once

#include "platform/qt/colors.h"
#include "platform/qt/control.h"
#include "platform/qt/form.h"
#include "platform/qt/label.h"

namespace contest::window {

inline constexpr platform::qt::TColor kLabelNormal = platform::qt::clTeal;
inline constexpr platform::qt::TColor kLabelUnderMouse = platform::qt::clMaroon;
inline constexpr platform::qt::TColor kLabelFocused = platform::qt::clRed;
// Labels with this Tag or above never change colour.
inline constexpr int kLabelTagExempt = 9999;

// Every taking-part label that is maroon or red and whose field is not the active control goes
// back to teal.
void SetFieldColours(platform::qt::TForm& form);
// The field `control` received the focus: SetFieldColours, then its labels go red.
void CallEnterColours(platform::qt::TForm& form, const platform::qt::TControl& control);
// The mouse is over the field `control`: SetFieldColours, then its labels go maroon unless it is
// the active control.
void CallMouseColours(platform::qt::TForm& form, const platform::qt::TControl& control);
// The mouse is over `label`: SetFieldColours, then it goes maroon unless its field is the active
// control.
void LabelMouseColours(platform::qt::TForm& form, platform::qt::TLabel& label);

}  // namespace contest::window
