// Dragging between controls: the events a drop target answers and the drag modes of a source.
//
// OnDragOver asks whether the target takes a drop from `source` at its client point (accept
// starts true); OnDragDrop takes it; OnEndDrag tells the source how its drag ended (target null
// when nothing was dropped).
#pragma once

#include <cstdint>
#include <functional>

#include "platform/qt/component.h"

namespace platform::qt {

enum class TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
// dmAutomatic: pressing the left button on the control and moving the mouse starts a drag.
enum class TDragMode : std::uint8_t { dmManual, dmAutomatic };

using TDragOverEvent = std::function<void(TComponent* sender, TComponent* source, int x, int y,
                                          TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TComponent* sender, TComponent* source, int x, int y)>;
using TEndDragEvent = std::function<void(TComponent* sender, TComponent* target, int x, int y)>;

}  // namespace platform::qt
