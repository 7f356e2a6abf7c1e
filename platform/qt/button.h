// TButton: a push button on the window system's button. Click sets the form's ModalResult to
// the button's (when not 0), then calls OnClick. A Default button is clicked by Enter, a Cancel
// button by Esc (see TForm); a focused button takes Enter itself.
//
// Derived buttons that draw themselves answer true from OwnerDraw and paint in Paint.
#pragma once

#include "platform/qt/win_control.h"

namespace platform::qt {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result) { modal_result_ = result; }
  // True while the mouse button or space bar holds the button down.
  bool Pressed() const;

  void Click() override;
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;
  bool WantsChars() const override { return false; }
  bool TakesFocusOnClick() const override { return true; }
  // Its accelerator clicks the button.
  bool DialogChar(char key) override;
  virtual bool OwnerDraw() const { return false; }

 protected:
  void TextChanged() override;
  void PaintBackground(TCanvas& canvas) override { (void)canvas; }

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modal_result_ = mrNone;
};

}  // namespace platform::qt
