#include "platform/qt/check_box.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QPalette>
#include <QRadioButton>

#include "platform/qt/colors.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"

namespace platform::qt {
namespace {

QAbstractButton& Native(const TWinControl& control) {
  return *static_cast<QAbstractButton*>(control.Window().widget.data());
}

QCheckBox& Box(const TCheckBox& box) { return static_cast<QCheckBox&>(Native(box)); }

void ApplyAlignment(QAbstractButton& button, TAlignment alignment) {
  button.setLayoutDirection(alignment == TAlignment::taLeftJustify ? Qt::RightToLeft
                                                                   : Qt::LeftToRight);
}

}  // namespace

void TButtonControl::TextChanged() {
  Native(*this).setText(impl::ToQString(Text()));
  Native(*this).setShortcut(QKeySequence());
}

void TButtonControl::ColorChanged() {
  TWinControl::ColorChanged();
  if (!HasWindow()) return;
  QWidget& w = Native(*this);
  QPalette palette = w.palette();
  palette.setColor(QPalette::Base, impl::ToQColor(clWindow));
  w.setPalette(palette);
  w.setAutoFillBackground(true);
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 97, 17);
  AttachWindow(impl::MakeHost<QCheckBox>(*this, impl::PaintMode::kNative));
  SetTabStop(true);
  QObject::connect(&Box(*this), &QCheckBox::stateChanged, [this](int) {
    if (!IsDestroying() && !IsLoading()) Click();
  });
}

TCheckBoxState TCheckBox::State() const {
  switch (Box(*this).checkState()) {
    case Qt::Checked:
      return TCheckBoxState::cbChecked;
    case Qt::PartiallyChecked:
      return TCheckBoxState::cbGrayed;
    default:
      return TCheckBoxState::cbUnchecked;
  }
}

void TCheckBox::SetState(TCheckBoxState state) {
  Qt::CheckState s = Qt::Unchecked;
  if (state == TCheckBoxState::cbChecked) s = Qt::Checked;
  if (state == TCheckBoxState::cbGrayed) s = Qt::PartiallyChecked;
  Box(*this).setCheckState(s);
}

void TCheckBox::SetAllowGrayed(bool on) {
  allow_grayed_ = on;
  const TCheckBoxState state = State();
  Box(*this).setTristate(on);
  SetState(state);
}

void TCheckBox::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  ApplyAlignment(Native(*this), alignment);
}

bool TCheckBox::DialogChar(char key) {
  if (!IsAccel(key, Text()) || !CanFocus()) return false;
  SetFocus();
  // The user's toggle: unchecked, (grey,) checked.
  switch (State()) {
    case TCheckBoxState::cbUnchecked:
      SetState(allow_grayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbGrayed:
      SetState(TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbChecked:
      SetState(TCheckBoxState::cbUnchecked);
      break;
  }
  return true;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 113, 17);
  AttachWindow(impl::MakeHost<QRadioButton>(*this, impl::PaintMode::kNative));
  SetTabStop(true);
  QObject::connect(&Native(*this), &QAbstractButton::toggled, [this](bool on) {
    if (on && !IsDestroying() && !IsLoading()) Click();
  });
}

bool TRadioButton::Checked() const { return Native(*this).isChecked(); }

void TRadioButton::SetChecked(bool on) {
  QAbstractButton& button = Native(*this);
  if (on || !button.isChecked()) {
    button.setChecked(on);
    return;
  }
  // Qt keeps the one checked button of an exclusive group checked; the program may uncheck it.
  button.setAutoExclusive(false);
  button.setChecked(false);
  button.setAutoExclusive(true);
}

void TRadioButton::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  ApplyAlignment(Native(*this), alignment);
}

bool TRadioButton::DialogChar(char key) {
  if (!IsAccel(key, Text()) || !CanFocus()) return false;
  SetFocus();
  SetChecked(true);
  return true;
}

}  // namespace platform::qt
