#include "platform/qt/align.h"

#include <algorithm>

namespace platform::qt {

void AlignRects(const TRect& client, std::span<AlignItem> items) {
  TRect room = client;
  auto height_left = [&] { return std::max(0, room.Bottom - room.Top); };
  auto width_left = [&] { return std::max(0, room.Right - room.Left); };
  for (TAlign kind :
       {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (AlignItem& item : items) {
      if (!item.visible || item.align != kind) continue;
      const int w = item.bounds.Width();
      const int h = item.bounds.Height();
      switch (kind) {
        case TAlign::alTop:
          item.bounds = Bounds(room.Left, room.Top, width_left(), h);
          room.Top += h;
          break;
        case TAlign::alBottom:
          item.bounds = Bounds(room.Left, room.Bottom - h, width_left(), h);
          room.Bottom -= h;
          break;
        case TAlign::alLeft:
          item.bounds = Bounds(room.Left, room.Top, w, height_left());
          room.Left += w;
          break;
        case TAlign::alRight:
          item.bounds = Bounds(room.Right - w, room.Top, w, height_left());
          room.Right -= w;
          break;
        default:
          item.bounds = Bounds(room.Left, room.Top, width_left(), height_left());
          break;
      }
    }
  }
}

}  // namespace platform::qt
