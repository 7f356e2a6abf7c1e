// TCheckBox and TRadioButton: the window system's check box and radio button.
//
// OnClick fires whenever a check box's state changes (clicked, typed or set by the program, not
// while the form is loading) and when a radio button becomes checked. A radio button is
// exclusive within its parent: checking it unchecks the other radio buttons there. Their
// accelerator ("&" in the caption) focuses them and toggles the check box or checks the radio
// button. Both fill their area with their colour (the parent's by default); the box itself
// stays in the window colour.
#pragma once

#include "platform/qt/win_control.h"

namespace platform::qt {

enum class TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };

class TButtonControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  bool WantsChars() const override { return false; }
  bool TakesFocusOnClick() const override { return true; }

 protected:
  // Takes the caption into the native button (its "&" is the form's accelerator, not Qt's).
  void TextChanged() override;
  void ColorChanged() override;
};

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);

  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool Checked() const { return State() == TCheckBoxState::cbChecked; }
  void SetChecked(bool on) {
    SetState(on ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
  }
  // The user's clicks pass through the grey state (unchecked, grey, checked).
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool on);
  // taRightJustify (default): the caption right of the box; taLeftJustify: left of it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  bool DialogChar(char key) override;

 private:
  bool allow_grayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);

  bool Checked() const;
  void SetChecked(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  bool DialogChar(char key) override;

 private:
  TAlignment alignment_ = TAlignment::taRightJustify;
};

}  // namespace platform::qt
