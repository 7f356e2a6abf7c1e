// Focus moves and label looks inside the log window's entry panel. The controls are the
// window's; nothing is kept between calls.
#pragma once

#include "platform/qt/control.h"
#include "platform/qt/form.h"
#include "platform/qt/win_control.h"
#include "ui/kv_edit.h"

namespace contestlog {

// The mouse is over `control`: when it is a label whose Tag is not 98 it turns opaque, and every
// other label on `panel` whose Tag is a non-zero multiple of 100 turns transparent again.
void LabelsTransparent(platform::qt::TControl& control, platform::qt::TWinControl& panel);

// Moves the focus from `current` to the next entry field by tab order. The fields are the
// form's TkvEdits on `entry_panel` that are tab stops and can take the focus, and the mode field
// `emode` when it can take the focus from elsewhere; after the last the first follows. From an
// edit on `panel2` (not among them) the first field follows; from anything else nothing moves.
void NextField(platform::qt::TWinControl& current, platform::qt::TForm& form, ui::TkvEdit& emode,
               platform::qt::TWinControl& panel2, platform::qt::TWinControl& entry_panel);

// The moves of Enter that skip the fields in between: to the time field from the last shown
// exchange field when the QTH field is hidden (not in a listener log), from the QTH field when
// it is shown, from eRSTr1 in a listener log without QTH field; from the time field to the date
// field. False when none applies or its target cannot take the focus (the caller then moves on
// with NextField).
bool EnterJump(platform::qt::TWinControl& current, ui::TkvEdit& eDatum, ui::TkvEdit& ezeit,
               ui::TkvEdit& eQTH, bool listener_log, ui::TkvEdit& eRSTr1, ui::TkvEdit& eRSTr2,
               ui::TkvEdit& eRSTr3, ui::TkvEdit& eRSTr4);

// A QSO is never stored without its mode: when the free mode field `emode` (a digital mode
// typed) is shown and empty, the operator is warned (kModeMissing) and the field focused.
// Answers whether it was.
bool WarnedModeMissing(ui::TkvEdit& emode);
// Nor without a call: when the call field `ecall` is empty, the operator is warned
// (kCallMissing) and the field focused. Answers whether it was.
bool WarnedCallMissing(ui::TkvEdit& ecall);

}  // namespace contestlog
