#include "platform/qt/scroll_box.h"

#include <QApplication>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "platform/qt/colors.h"
#include "platform/qt/impl/window.h"

namespace platform::qt {

namespace impl {

struct ScrollBoxBars {
  QPointer<QScrollBar> horz;
  QPointer<QScrollBar> vert;
  int extent = 16;  // the thickness of a bar
};

}  // namespace impl

void TControlScrollBar::SetPosition(int position) { box_.ScrollTo(*this, position); }

void TControlScrollBar::SetRange(int range) {
  range_ = std::max(0, range);
  box_.UpdateScrollBars();
}

void TControlScrollBar::SetIncrement(int increment) {
  increment_ = std::max(1, increment);
  box_.UpdateScrollBars();
}

TScrollBox::TScrollBox(TComponent* owner)
    : TCustomControl(owner), bars_(std::make_unique<impl::ScrollBoxBars>()) {
  SetBounds(0, 0, 185, 41);
  QWidget* host = Window().widget;
  bars_->extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  bars_->horz = new QScrollBar(Qt::Horizontal, host);
  bars_->vert = new QScrollBar(Qt::Vertical, host);
  for (auto [bar, native] :
       {std::pair{&horz_, bars_->horz.data()}, std::pair{&vert_, bars_->vert.data()}}) {
    native->hide();
    QObject::connect(native, &QScrollBar::valueChanged, [this, bar](int value) {
      if (updating_ == 0 && !IsDestroying()) ScrollTo(*bar, value);
    });
  }
}

TScrollBox::~TScrollBox() {
  BeginDestroy();
  bars_.reset();
}

void TScrollBox::SetAutoScroll(bool on) {
  auto_scroll_ = on;
  UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyle style) {
  border_style_ = style;
  UpdateScrollBars();
  Realign();
  Invalidate();
}

TRect TScrollBox::ClientRect() const {
  const int extent = bars_ ? bars_->extent : 0;
  return {0, 0, Width() - (vert_.shown_ ? extent : 0), Height() - (horz_.shown_ ? extent : 0)};
}

void TScrollBox::AdjustClientRect(TRect& r) const {
  r = {r.Left + Border(), r.Top + Border(), r.Right - Border(), r.Bottom - Border()};
}

void TScrollBox::Paint() {
  TCanvas& c = Canvas();
  if (horz_.shown_ && vert_.shown_) {
    // The corner between the two bars.
    const TRect client = ClientRect();
    c.Brush = {clBtnFace, TBrushStyle::bsSolid};
    c.FillRect({client.Right - Border(), client.Bottom - Border(), Width() - Border(),
                Height() - Border()});
  }
  if (border_style_ == TBorderStyle::bsSingle) {
    TRect frame{0, 0, Width(), Height()};
    c.DrawEdge(frame, EDGE_SUNKEN, BF_RECT);
  }
}

void TScrollBox::Resize() {
  TCustomControl::Resize();
  UpdateScrollBars();
}

void TScrollBox::ScrollBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  ++updating_;
  const std::vector<TControl*> children = Controls();
  for (TControl* c : children) {
    if (c->Align() == TAlign::alNone)
      c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  --updating_;
  Invalidate();
}

void TScrollBox::ScrollTo(TControlScrollBar& bar, int position) {
  QScrollBar* native = &bar == &horz_ ? bars_->horz.data() : bars_->vert.data();
  position = std::clamp(position, 0, native != nullptr ? native->maximum() : 0);
  const int delta = bar.position_ - position;
  bar.position_ = position;
  if (&bar == &horz_) {
    ScrollBy(delta, 0);
  } else {
    ScrollBy(0, delta);
  }
  if (native != nullptr && native->value() != position) {
    ++updating_;
    native->setValue(position);
    --updating_;
  }
}

void TScrollBox::UpdateScrollBars() {
  if (updating_ > 0 || IsDestroying() || !bars_ || !bars_->horz || !bars_->vert) return;
  ++updating_;
  const int border = Border();
  const int extent = bars_->extent;
  if (auto_scroll_) {
    // The contents' extent at scroll position 0, border included.
    int right = 0;
    int bottom = 0;
    for (TControl* c : Controls()) {
      if (!c->Visible() || c->Align() != TAlign::alNone) continue;
      right = std::max(right, c->BoundsRect().Right + horz_.position_);
      bottom = std::max(bottom, c->BoundsRect().Bottom + vert_.position_);
    }
    horz_.range_ = right;
    vert_.range_ = bottom;
  }
  const bool had_h = horz_.shown_;
  const bool had_v = vert_.shown_;
  bool show_h = false;
  bool show_v = false;
  for (int pass = 0; pass < 2; ++pass) {  // a bar takes room from the other direction
    show_h = horz_.range_ > Width() - border - (show_v ? extent : 0);
    show_v = vert_.range_ > Height() - border - (show_h ? extent : 0);
  }
  horz_.shown_ = show_h;
  vert_.shown_ = show_v;
  const int room_x = Width() - border - (show_v ? extent : 0);
  const int room_y = Height() - border - (show_h ? extent : 0);
  QScrollBar& h = *bars_->horz;
  QScrollBar& v = *bars_->vert;
  h.setGeometry(border, Height() - border - extent, std::max(0, room_x - border), extent);
  v.setGeometry(Width() - border - extent, border, extent, std::max(0, room_y - border));
  h.setRange(0, std::max(0, horz_.range_ - room_x));
  v.setRange(0, std::max(0, vert_.range_ - room_y));
  h.setPageStep(std::max(1, room_x - border));
  v.setPageStep(std::max(1, room_y - border));
  h.setSingleStep(horz_.increment_);
  v.setSingleStep(vert_.increment_);
  h.setVisible(show_h);
  v.setVisible(show_v);
  h.raise();
  v.raise();
  --updating_;
  // Scrolled past the end of a smaller range: back within it.
  if (horz_.position_ > h.maximum()) ScrollTo(horz_, h.maximum());
  if (vert_.position_ > v.maximum()) ScrollTo(vert_, v.maximum());
  if (had_h != show_h || had_v != show_v) {
    Realign();
    Invalidate();
  }
}

}  // namespace platform::qt
