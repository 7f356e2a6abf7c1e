#include "platform/qt/scroll_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "platform/qt/impl/window.h"
#include "platform/qt/keys.h"

namespace platform::qt {
namespace {

QScrollBar& Bar(const TScrollBar& bar) {
  return *static_cast<QScrollBar*>(bar.Window().widget.data());
}

TScrollBar* ControlOfBar(QWidget* widget) {
  return dynamic_cast<TScrollBar*>(impl::ControlOf(widget));
}

// The native bar tells its control when a press or key comes up (the end of a scroll).
class BarHost : public impl::Host<QScrollBar> {
 public:
  using Host::Host;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    Host::mouseReleaseEvent(e);
    if (TScrollBar* bar = ControlOfBar(this)) bar->NativeEnd();
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    Host::keyReleaseEvent(e);
    if (!e->isAutoRepeat()) {
      if (TScrollBar* bar = ControlOfBar(this)) bar->NativeEnd();
    }
  }
};

}  // namespace

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 17);
  AttachWindow(impl::MakeHostOf<BarHost>(*this, impl::PaintMode::kNative, Qt::Horizontal));
  SetTabStop(true);
  QScrollBar& bar = Bar(*this);
  bar.setTracking(true);
  QObject::connect(&bar, &QAbstractSlider::actionTriggered, [this](int action) {
    if (!IsDestroying()) NativeAction(action);
  });
  QObject::connect(&bar, &QAbstractSlider::sliderReleased, [this] {
    if (IsDestroying()) return;
    int position = std::clamp(Bar(*this).sliderPosition(), min_, HighestPosition());
    Scroll(TScrollCode::scPosition, position);
    SetPosition(position);
    acting_ = true;  // the release that follows ends the scroll
  });
  Apply();
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  kind_ = kind;
  Bar(*this).setOrientation(kind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal);
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min) max = min;
  min_ = min;
  max_ = max;
  position = std::clamp(position, min_, HighestPosition());
  const bool changed = position != position_;
  position_ = position;
  Apply();
  if (changed) Change();
}

void TScrollBar::SetPageSize(int value) {
  page_size_ = std::clamp(value, 0, max_ - min_ + 1);
  SetParams(position_, min_, max_);
}

int TScrollBar::HighestPosition() const {
  return page_size_ > 0 ? std::max(min_, max_ - page_size_ + 1) : max_;
}

void TScrollBar::Apply() {
  QScrollBar& bar = Bar(*this);
  ++applying_;
  bar.setRange(min_, HighestPosition());
  bar.setPageStep(page_size_ > 0 ? page_size_ : std::max(1, large_change_));
  bar.setSingleStep(std::max(1, small_change_));
  bar.setValue(position_);
  bar.setSliderPosition(position_);
  --applying_;
}

void TScrollBar::NativeAction(int action) {
  if (applying_ > 0) return;
  TScrollCode code = TScrollCode::scTrack;
  int position = position_;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      code = TScrollCode::scLineDown;
      position += small_change_;
      break;
    case QAbstractSlider::SliderSingleStepSub:
      code = TScrollCode::scLineUp;
      position -= small_change_;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      code = TScrollCode::scPageDown;
      position += large_change_;
      break;
    case QAbstractSlider::SliderPageStepSub:
      code = TScrollCode::scPageUp;
      position -= large_change_;
      break;
    case QAbstractSlider::SliderToMinimum:
      code = TScrollCode::scTop;
      position = min_;
      break;
    case QAbstractSlider::SliderToMaximum:
      code = TScrollCode::scBottom;
      position = max_;
      break;
    case QAbstractSlider::SliderMove:
      code = TScrollCode::scTrack;
      position = Bar(*this).sliderPosition();
      break;
    default:
      return;
  }
  position = std::clamp(position, min_, HighestPosition());
  acting_ = true;
  const auto alive = AliveToken();
  Scroll(code, position);
  if (alive.expired()) return;
  // Qt moves by its own step after this notice; the bar takes the handler's position instead.
  SetPosition(position);
  ++applying_;
  Bar(*this).setSliderPosition(position_);
  --applying_;
}

void TScrollBar::KeyDown(std::uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  int action = QAbstractSlider::SliderNoAction;
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      action = QAbstractSlider::SliderSingleStepSub;
      break;
    case VK_RIGHT:
    case VK_DOWN:
      action = QAbstractSlider::SliderSingleStepAdd;
      break;
    case VK_PRIOR:
      action = QAbstractSlider::SliderPageStepSub;
      break;
    case VK_NEXT:
      action = QAbstractSlider::SliderPageStepAdd;
      break;
    case VK_HOME:
      action = QAbstractSlider::SliderToMinimum;
      break;
    case VK_END:
      action = QAbstractSlider::SliderToMaximum;
      break;
    default:
      return;
  }
  key = 0;  // Qt's own keys would scroll the horizontal bar the other way round
  NativeAction(action);
}

void TScrollBar::NativeEnd() {
  if (!acting_) return;
  acting_ = false;
  int position = position_;
  const auto alive = AliveToken();
  Scroll(TScrollCode::scEndScroll, position);
  if (!alive.expired()) SetPosition(position);
}

void TScrollBar::Scroll(TScrollCode code, int& position) {
  if (OnScroll) OnScroll(this, code, position);
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

}  // namespace platform::qt
