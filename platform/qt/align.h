// The Align layout as a pure computation: where aligned children go in a client rectangle.
#pragma once

#include <span>

#include "platform/qt/types.h"

namespace platform::qt {

struct AlignItem {
  TAlign align = TAlign::alNone;
  bool visible = true;
  TRect bounds{};  // in: the child's bounds; out: where it goes
};

// Lays the items out in `client`: alTop, then alBottom, alLeft, alRight and alClient, each kind
// in the items' order, hidden items and alNone left as they are. A top item keeps its height
// and takes the full remaining width at the top of what is left, a left item keeps its width
// and takes the remaining height, and so on; alClient items take what is left (never negative).
void AlignRects(const TRect& client, std::span<AlignItem> items);

}  // namespace platform::qt
