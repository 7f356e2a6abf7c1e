// TLabel: a text without a window, painted on its parent. With AutoSize (the default) it takes
// the size its caption needs (with WordWrap: the height at its current width). Not Transparent,
// it fills its area with its colour first. "&" marks the accelerator character unless
// ShowAccelChar is off; typing it (with Alt) focuses the FocusControl.
//
// TCustomLabel holds the behaviour; TLabel is the plain label, and labels of other kinds derive
// from TCustomLabel so that they are not taken for plain labels.
#pragma once

#include "platform/qt/control.h"

namespace platform::qt {

enum class TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool on);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool on);
  // The control the accelerator focuses; not owned, forgotten when it is freed.
  TWinControl* FocusControl() const;
  void SetFocusControl(TWinControl* control);
  bool DialogChar(char key) override;

  void Paint() override;
  // The DrawText flags of the label's look.
  unsigned TextFlags() const;

 protected:
  void TextChanged() override { AdjustSize(); }
  void FontChanged() override { AdjustSize(); }
  void Loaded() override { AdjustSize(); }

 private:
  void AdjustSize();

  bool auto_size_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool transparent_ = false;
  bool word_wrap_ = false;
  bool show_accel_char_ = true;
  TWinControl* focus_control_ = nullptr;
  std::weak_ptr<const bool> focus_control_alive_;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

}  // namespace platform::qt
