#include "platform/qt/up_down.h"

#include <algorithm>

#include "platform/qt/colors.h"
#include "platform/qt/keys.h"
#include "platform/qt/timer.h"

namespace platform::qt {
namespace {

constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 100;

// A filled triangle pointing up, down, left or right, centred in r.
void DrawArrow(TCanvas& c, const TRect& r, TUDBtnType button, bool vertical, TColor colour) {
  // About a third of the button's width and half its height: still an arrow in the small
  // steppers that sit inside entry fields.
  const int size = std::max(1, std::min(r.Width() / 3, r.Height() / 2));
  const int cx = r.Left + r.Width() / 2;
  const int cy = r.Top + r.Height() / 2;
  c.Brush = {colour, TBrushStyle::bsSolid};
  const bool towards_max = button == TUDBtnType::btNext;
  for (int i = 0; i < size; ++i) {
    // Row i from the tip: 2 * i + 1 pixels wide.
    if (vertical) {
      const int y = towards_max ? cy - size / 2 + i : cy + size / 2 - i;
      c.FillRect({cx - i, y, cx + i + 1, y + 1});
    } else {
      const int x = towards_max ? cx + size / 2 - i : cx - size / 2 + i;
      c.FillRect({x, cy - i, x + 1, cy + i + 1});
    }
  }
}

}  // namespace

TUpDown::TUpDown(TComponent* owner)
    : TCustomControl(owner), repeat_(std::make_unique<TTimer>(nullptr)) {
  SetBounds(0, 0, 17, 25);
  SetClickEvents(false);  // OnClick here tells the arrow
  repeat_->SetEnabled(false);
  repeat_->SetOnTimer([this](TComponent*) { Repeat(); });
}

TUpDown::~TUpDown() {
  BeginDestroy();
  repeat_.reset();
}

void TUpDown::SetMin(int value) {
  min_ = value;
  SetPosition(position_);
}

void TUpDown::SetMax(int value) {
  max_ = value;
  SetPosition(position_);
}

void TUpDown::SetPosition(int value) {
  position_ = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

void TUpDown::SetOrientation(TUDOrientation orientation) {
  orientation_ = orientation;
  Invalidate();
}

TRect TUpDown::ButtonRect(TUDBtnType button) const {
  const bool next = button == TUDBtnType::btNext;
  if (orientation_ == TUDOrientation::udVertical) {
    const int half = Height() / 2;
    return next ? TRect{0, 0, Width(), half} : TRect{0, half, Width(), Height()};
  }
  const int half = Width() / 2;
  return next ? TRect{half, 0, Width(), Height()} : TRect{0, 0, half, Height()};
}

void TUpDown::Step(TUDBtnType button) {
  const auto alive = AliveToken();
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (alive.expired()) return;
  if (allow) {
    int next = position_ + (button == TUDBtnType::btNext ? increment_ : -increment_);
    if (wrap_ && next > max_) next = min_;
    if (wrap_ && next < min_) next = max_;
    SetPosition(next);
  }
  if (OnClick) OnClick(this, button);
}

void TUpDown::Paint() {
  TCanvas& c = Canvas();
  const bool vertical = orientation_ == TUDOrientation::udVertical;
  for (TUDBtnType button : {TUDBtnType::btNext, TUDBtnType::btPrev}) {
    TRect r = ButtonRect(button);
    const bool down = pressing_ && pressed_ == button;
    c.DrawEdge(r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    if (down) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    DrawArrow(c, r, button, vertical, Enabled() ? clBtnText : clGrayText);
  }
}

void TUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  pressed_ =
      ButtonRect(TUDBtnType::btNext).Contains({x, y}) ? TUDBtnType::btNext : TUDBtnType::btPrev;
  pressing_ = true;
  Invalidate();
  const auto alive = AliveToken();
  Step(pressed_);
  if (alive.expired() || !pressing_) return;
  repeat_->SetInterval(kFirstRepeatMs);
  repeat_->SetEnabled(true);
}

void TUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  repeat_->SetEnabled(false);
  pressing_ = false;
  Invalidate();
  TCustomControl::MouseUp(button, shift, x, y);
}

void TUpDown::Repeat() {
  if (!pressing_) {
    repeat_->SetEnabled(false);
    return;
  }
  repeat_->SetInterval(kRepeatMs);
  Step(pressed_);
}

void TUpDown::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const bool vertical = orientation_ == TUDOrientation::udVertical;
  if ((vertical && key == VK_UP) || (!vertical && key == VK_RIGHT)) {
    key = 0;
    Step(TUDBtnType::btNext);
  } else if ((vertical && key == VK_DOWN) || (!vertical && key == VK_LEFT)) {
    key = 0;
    Step(TUDBtnType::btPrev);
  }
}

}  // namespace platform::qt
