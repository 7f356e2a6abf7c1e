#include "platform/qt/button.h"

#include <QKeySequence>
#include <QPushButton>

#include "platform/qt/form.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"

namespace platform::qt {
namespace {

QPushButton& PushButton(const TButton& b) {
  return *static_cast<QPushButton*>(b.Window().widget.data());
}

}  // namespace

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  auto window = impl::MakeHost<QPushButton>(*this, impl::PaintMode::kChoose);
  window->draws_itself = [this] { return OwnerDraw(); };
  AttachWindow(std::move(window));
  PushButton(*this).setAutoDefault(false);
  SetTabStop(true);
  QObject::connect(&PushButton(*this), &QPushButton::clicked, [this] {
    if (!IsDestroying()) Click();
  });
}

void TButton::SetDefault(bool on) {
  default_ = on;
  PushButton(*this).setDefault(on);
}

bool TButton::Pressed() const { return PushButton(*this).isDown(); }

void TButton::Click() {
  const auto alive = AliveToken();
  if (TForm* form = ParentForm(); form != nullptr && modal_result_ != mrNone) {
    form->SetModalResult(modal_result_);
  }
  if (!alive.expired()) TControl::Click();
}

bool TButton::WantsKey(std::uint16_t key, TShiftState shift) const {
  (void)key;
  (void)shift;
  return false;
}

bool TButton::DialogChar(char key) {
  if (!IsAccel(key, Text()) || !CanFocus()) return false;
  Click();
  return true;
}

void TButton::TextChanged() {
  PushButton(*this).setText(impl::ToQString(Text()));
  // Accelerators are the form's (DialogChar), not Qt's own shortcut.
  PushButton(*this).setShortcut(QKeySequence());
}

}  // namespace platform::qt
