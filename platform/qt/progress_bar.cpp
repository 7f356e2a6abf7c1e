#include "platform/qt/progress_bar.h"

#include <QProgressBar>
#include <algorithm>

#include "platform/qt/impl/window.h"

namespace platform::qt {
namespace {

QProgressBar& Bar(const TProgressBar& bar) {
  return *static_cast<QProgressBar*>(bar.Window().widget.data());
}

}  // namespace

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 16);
  AttachWindow(impl::MakeHost<QProgressBar>(*this, impl::PaintMode::kNative));
  Bar(*this).setTextVisible(false);
  Apply();
}

void TProgressBar::SetMin(int value) {
  min_ = value;
  if (max_ < min_) max_ = min_;
  SetPosition(position_);
}

void TProgressBar::SetMax(int value) {
  max_ = value;
  if (min_ > max_) min_ = max_;
  SetPosition(position_);
}

void TProgressBar::SetPosition(int value) {
  position_ = std::clamp(value, min_, max_);
  Apply();
}

void TProgressBar::SetOrientation(TProgressBarOrientation orientation) {
  orientation_ = orientation;
  Bar(*this).setOrientation(orientation == TProgressBarOrientation::pbVertical ? Qt::Vertical
                                                                               : Qt::Horizontal);
}

void TProgressBar::Apply() {
  QProgressBar& bar = Bar(*this);
  bar.setRange(min_, max_);
  bar.setValue(position_);
}

}  // namespace platform::qt
