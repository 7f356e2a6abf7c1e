#include "platform/qt/image.h"

#include <algorithm>

#include "common/current_folder.h"

namespace platform::qt {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetPicture(const TBitmap& picture) {
  picture_ = picture;
  PictureChanged();
}

bool TImage::LoadFromFile(const std::string& name) {
  if (!picture_.LoadFromFile(common::OsPath(name))) return false;
  PictureChanged();
  return true;
}

void TImage::PictureChanged() {
  picture_.Transparent = transparent_;
  if (auto_size_ && !picture_.Empty()) {
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  }
  Invalidate();
}

void TImage::SetAutoSize(bool on) {
  auto_size_ = on;
  PictureChanged();
}

void TImage::SetStretch(bool on) {
  stretch_ = on;
  Invalidate();
}

void TImage::SetProportional(bool on) {
  proportional_ = on;
  Invalidate();
}

void TImage::SetCenter(bool on) {
  center_ = on;
  Invalidate();
}

void TImage::SetTransparent(bool on) {
  transparent_ = on;
  PictureChanged();
}

TRect TImage::DestRect() const {
  int w = picture_.Width();
  int h = picture_.Height();
  if (w == 0 || h == 0) return {};
  const int cw = Width();
  const int ch = Height();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_) {
      // Fitted: the scale of the tighter side, the aspect kept.
      if (static_cast<long long>(cw) * h < static_cast<long long>(ch) * w) {
        h = MulDiv(h, cw, w);
        w = cw;
      } else {
        w = MulDiv(w, ch, h);
        h = ch;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  if (center_) return Bounds((cw - w) / 2, (ch - h) / 2, w, h);
  return Bounds(0, 0, w, h);
}

void TImage::Paint() {
  if (picture_.Empty()) return;
  const TRect dest = DestRect();
  if (dest.Width() == picture_.Width() && dest.Height() == picture_.Height()) {
    Canvas().Draw(dest.Left, dest.Top, picture_);
  } else {
    Canvas().StretchDraw(dest, picture_);
  }
}

}  // namespace platform::qt
